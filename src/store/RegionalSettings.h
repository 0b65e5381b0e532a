#pragma once

#include <QChar>
#include <QLocale>
#include <QString>
#include <QStringList>

// The machine's regional settings that the data files depend on: numbers are stored with the local
// decimal separator and dates in the local short date format. Read once from the system locale;
// tests set them explicitly.
struct RegionalSettings {
    QChar decimalSeparator = '.';
    QChar thousandSeparator = ',';
    QChar dateSeparator = '/';
    // Qt date format, numeric, with a four-digit year ("dd/MM/yyyy", "M/d/yyyy", "yyyy-MM-dd").
    QString shortDatePattern = "dd/MM/yyyy";
    QStringList shortMonthNames; // 12 names, January first
    QString longTimePattern = "HH:mm:ss";

    // The settings in force.
    static const RegionalSettings& current();
    static void setCurrent(const RegionalSettings& settings);

    // From the system locale, with the short date pattern made numeric with a four-digit year
    // (a two-digit year would turn the 2 June 1905 sentinel into 2005); "dd-MM-yyyy" where the
    // locale offers no numeric pattern.
    static RegionalSettings fromSystem();
    static RegionalSettings fromLocale(const QLocale& locale);
    static RegionalSettings fromLocaleName(const QString& name);

    // Two fixed settings for tests and tools: a point locale (".", ",", "/", dd/MM/yyyy) and a
    // comma locale (",", ".", "-", dd-MM-yyyy).
    static RegionalSettings pointLocale();
    static RegionalSettings commaLocale();

    // Turns any locale date format into a numeric pattern with a four-digit year.
    static QString numericShortDatePattern(const QString& localeFormat);
};

// Sets the regional settings for the lifetime of the object (tests).
class ScopedRegionalSettings {
public:
    explicit ScopedRegionalSettings(const RegionalSettings& settings)
        : m_saved(RegionalSettings::current()) { RegionalSettings::setCurrent(settings); }
    ~ScopedRegionalSettings() { RegionalSettings::setCurrent(m_saved); }
    ScopedRegionalSettings(const ScopedRegionalSettings&) = delete;
    ScopedRegionalSettings& operator=(const ScopedRegionalSettings&) = delete;

private:
    RegionalSettings m_saved;
};
