#include "store/RegionalSettings.h"

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

RegionalSettings RegionalSettings::fromLocaleName(const QString& name)
{
    const QLocale locale(name);
    RegionalSettings r;
    r.decimalSeparator = locale.decimalPoint().isEmpty() ? QChar('.') : locale.decimalPoint().at(0);
    r.thousandSeparator = locale.groupSeparator().isEmpty() ? QChar(' ') : locale.groupSeparator().at(0);
    r.shortDatePattern = numericShortDatePattern(locale.dateFormat(QLocale::ShortFormat));
    for (const QChar c : r.shortDatePattern)
        if (!c.isLetter()) {
            r.dateSeparator = c;
            break;
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

RegionalSettings RegionalSettings::fromSystem()
{
    return fromLocaleName(QLocale::system().name());
}

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
