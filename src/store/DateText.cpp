#include "store/DateText.h"

#include "store/Clock.h"
#include "store/RegionalSettings.h"
#include "store/StoreError.h"

#include <QStringList>

namespace DateText {

namespace {

// Where day, month and year stand among the numbers of a date, from the pattern's fields (text in
// quotes is no field): "M/yyyy/d" has the month first, the year second and the day last.
struct FieldOrder {
    int day = 0, month = 1, year = 2;
};

FieldOrder fieldOrder(const QString& pattern)
{
    qsizetype first[3] = {-1, -1, -1}; // of d, M and y
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == '\'') {
            quoted = !quoted;
            continue;
        }
        const int field = quoted ? -1 : c == 'd' ? 0 : c == 'M' ? 1 : c == 'y' ? 2 : -1;
        if (field >= 0 && first[field] < 0)
            first[field] = i;
    }
    if (first[0] < 0 || first[1] < 0 || first[2] < 0)
        return {};
    const auto rank = [&](int field) {
        int r = 0;
        for (int other = 0; other < 3; ++other)
            r += first[other] < first[field] ? 1 : 0;
        return r;
    };
    return {rank(0), rank(1), rank(2)};
}

bool readNumber(const QString& s, int& value, int& digits)
{
    const QString t = s.trimmed();
    if (t.isEmpty() || t.size() > 4)
        return false;
    for (const QChar c : t)
        if (c.unicode() < '0' || c.unicode() > '9')
            return false;
    value = t.toInt();
    digits = int(t.size());
    return true;
}

int expandYear(int year, int digits)
{
    if (digits > 2)
        return year;
    const int now = Clock::today().year();
    int y = year + (now / 100) * 100;
    if (y < now - 50)
        y += 100;
    else if (y > now + 50)
        y -= 100;
    return y;
}

} // namespace

std::optional<QDate> parse(const QString& text)
{
    const RegionalSettings& rs = RegionalSettings::current();
    const QStringList parts = text.trimmed().split(rs.dateSeparator);
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    int n[3] = {0, 0, 0}, digits[3] = {0, 0, 0};
    for (qsizetype i = 0; i < parts.size(); ++i)
        if (!readNumber(parts[i], n[i], digits[i]))
            return std::nullopt;
    int day = 0, month = 0, year = 0;
    const FieldOrder order = fieldOrder(rs.shortDatePattern);
    if (parts.size() == 2) {
        // Day and month in the order the pattern gives them, in the current year.
        year = Clock::today().year();
        const bool dayFirst = order.day < order.month;
        day = n[dayFirst ? 0 : 1];
        month = n[dayFirst ? 1 : 0];
        if (digits[0] > 2 || digits[1] > 2)
            return std::nullopt;
    } else {
        day = n[order.day];
        month = n[order.month];
        if (digits[order.day] > 2 || digits[order.month] > 2)
            return std::nullopt;
        const int yearDigits = digits[order.year];
        if (yearDigits == 3)
            return std::nullopt;
        year = expandYear(n[order.year], yearDigits);
    }
    const QDate d(year, month, day);
    if (!d.isValid() || year < 1)
        return std::nullopt;
    return d;
}

QDate StrToDate(const QString& text)
{
    if (const auto d = parse(text))
        return *d;
    throw ConversionError(QStringLiteral("'%1' is not a valid date").arg(text));
}

QString DateToStr(const QDate& date)
{
    if (!date.isValid())
        return QString();
    return date.toString(RegionalSettings::current().shortDatePattern);
}

QString TimeToStr(const QTime& time) { return time.toString(RegionalSettings::current().longTimePattern); }

QString SortKey(const QDate& date)
{
    return QString::asprintf("%.*d-%.*d-%.*d", 4, date.year(), 2, date.month(), 2, date.day());
}

} // namespace DateText
