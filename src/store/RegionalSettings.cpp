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
    // The format's fields and the literal text between them; text in single quotes is literal and
    // two single quotes stand for one.
    const QString fallback = QStringLiteral("dd-MM-yyyy");
    struct Field {
        QChar letter;
        qsizetype count;
    };
    QList<Field> fields;
    QStringList between{QString()}; // between[k]: the literal text before fields[k]
    const QString f = localeFormat;
    for (qsizetype i = 0; i < f.size();) {
        const QChar c = f[i];
        if (c == '\'') {
            if (i + 1 < f.size() && f[i + 1] == '\'') {
                between.last() += '\'';
                i += 2;
                continue;
            }
            for (++i; i < f.size(); ++i) {
                if (f[i] == '\'') {
                    if (i + 1 < f.size() && f[i + 1] == '\'') {
                        between.last() += '\'';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                between.last() += f[i];
            }
            continue;
        }
        if (c == 'd' || c == 'M' || c == 'y') {
            qsizetype run = 1;
            while (i + run < f.size() && f[i + run] == c)
                ++run;
            fields.append({c, run});
            between.append(QString());
            i += run;
            continue;
        }
        between.last() += c;
        ++i;
    }
    // Day, month and year once each, all numeric.
    if (fields.size() != 3)
        return fallback;
    QString parts[3];
    bool seen[3] = {false, false, false};
    for (qsizetype k = 0; k < 3; ++k) {
        const Field& field = fields[k];
        const int which = field.letter == 'd' ? 0 : field.letter == 'M' ? 1 : 2;
        if (seen[which] || (which < 2 && field.count > 2))
            return fallback;
        seen[which] = true;
        parts[k] = which == 2 ? QStringLiteral("yyyy") : QString(field.count, field.letter);
    }
    // One separator character, the first one the format puts between its fields (text before the
    // first field and after the last is dropped).
    const QString sep = between[1].trimmed().isEmpty() ? between[2].trimmed() : between[1].trimmed();
    if (sep.size() != 1 || sep.at(0).isLetterOrNumber())
        return fallback;
    const QString written = sep == "'" ? QStringLiteral("''") : sep;
    return parts[0] + written + parts[1] + written + parts[2];
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
