#include "store/RegionalSettings.h"

#include "store/Cp1252.h"

#include <QLocale>
#include <QRegularExpression>
#include <optional>

namespace {

std::optional<RegionalSettings>& slot()
{
    static std::optional<RegionalSettings> settings;
    return settings;
}

QStringList englishMonths()
{
    return {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
}

} // namespace

const RegionalSettings& RegionalSettings::current()
{
    auto& s = slot();
    if (!s)
        s = fromSystem();
    return *s;
}

void RegionalSettings::setCurrent(const RegionalSettings& settings) { slot() = settings; }

QString RegionalSettings::numericShortDatePattern(const QString& localeFormat)
{
    // Keep only the day, month and year fields and the separators between them.
    QString f = localeFormat.trimmed();
    if (f.contains("MMM") || f.contains("ddd") || f.isEmpty())
        return "dd-MM-yyyy";
    static const QRegularExpression fields("(d+|M+|y+)");
    QStringList parts;
    QStringList seps;
    qsizetype last = -1;
    for (auto it = fields.globalMatch(f); it.hasNext();) {
        const auto m = it.next();
        if (last >= 0)
            seps << f.mid(last, m.capturedStart() - last);
        QString part = m.captured(1);
        if (part.startsWith('y'))
            part = "yyyy";
        parts << part;
        last = m.capturedEnd();
    }
    if (parts.size() != 3)
        return "dd-MM-yyyy";
    bool hasD = false, hasM = false, hasY = false;
    for (const auto& p : parts) {
        hasD |= p.startsWith('d');
        hasM |= p.startsWith('M');
        hasY |= p.startsWith('y');
    }
    if (!hasD || !hasM || !hasY)
        return "dd-MM-yyyy";
    // One separator character between the fields, the same each time.
    QString sep = seps.value(0).trimmed();
    if (sep.size() != 1 || sep.at(0).isLetterOrNumber())
        return "dd-MM-yyyy";
    return parts.join(sep);
}

RegionalSettings RegionalSettings::fromLocale(const QLocale& locale)
{
    // The separators end up in the data files, so each must have a Windows-1252 byte; a locale
    // whose separator has none (Arabic and Persian decimal marks) gets the neutral one instead.
    const auto storable = [](QChar c) { return c == '?' || Cp1252::byteFor(c.unicode()) != '?'; };
    RegionalSettings r;
    const QString decimal = locale.decimalPoint();
    r.decimalSeparator = decimal.size() == 1 && storable(decimal.at(0)) && !decimal.at(0).isLetterOrNumber()
                             ? decimal.at(0)
                             : QChar('.');
    const QString group = locale.groupSeparator();
    r.thousandSeparator = group.isEmpty() ? QChar(' ') : group.at(0);
    if (r.thousandSeparator == r.decimalSeparator)
        r.thousandSeparator = r.decimalSeparator == ',' ? QChar('.') : QChar(',');
    r.shortDatePattern = numericShortDatePattern(locale.dateFormat(QLocale::ShortFormat));
    for (const QChar c : r.shortDatePattern)
        if (!c.isLetter()) {
            r.dateSeparator = c;
            break;
        }
    if (!storable(r.dateSeparator)) {
        r.shortDatePattern = "dd-MM-yyyy";
        r.dateSeparator = '-';
    }
    r.shortMonthNames.clear();
    for (int m = 1; m <= 12; ++m)
        r.shortMonthNames << locale.monthName(m, QLocale::ShortFormat);
    r.longTimePattern = locale.timeFormat(QLocale::LongFormat);
    // Keep only hours, minutes and seconds; zone names make no sense in a stored text.
    r.longTimePattern.remove(QRegularExpression("\\s*t+\\s*")).remove(QRegularExpression("\\s*[aA][pP]?"));
    if (r.longTimePattern.trimmed().isEmpty())
        r.longTimePattern = "HH:mm:ss";
    return r;
}

RegionalSettings RegionalSettings::fromLocaleName(const QString& name) { return fromLocale(QLocale(name)); }

// The system locale itself, not a locale of the same name: it follows LC_NUMERIC and LC_TIME
// where they differ from LANG, and is not swayed by LANGUAGE (the language of messages).
RegionalSettings RegionalSettings::fromSystem() { return fromLocale(QLocale::system()); }

RegionalSettings RegionalSettings::pointLocale()
{
    RegionalSettings r;
    r.decimalSeparator = '.';
    r.thousandSeparator = ',';
    r.dateSeparator = '/';
    r.shortDatePattern = "dd/MM/yyyy";
    r.shortMonthNames = englishMonths();
    r.longTimePattern = "HH:mm:ss";
    return r;
}

RegionalSettings RegionalSettings::commaLocale()
{
    RegionalSettings r;
    r.decimalSeparator = ',';
    r.thousandSeparator = '.';
    r.dateSeparator = '-';
    r.shortDatePattern = "dd-MM-yyyy";
    r.shortMonthNames = {"jan", "fev", "mar", "abr", "mai", "jun", "jul", "ago", "set", "out", "nov", "dez"};
    r.longTimePattern = "HH:mm:ss";
    return r;
}
