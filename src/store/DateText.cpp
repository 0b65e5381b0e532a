#include "store/DateText.h"

#include "store/Clock.h"
#include "store/RegionalSettings.h"
#include "store/StoreError.h"

#include <QStringList>

namespace DateText {

namespace {

enum class Order { DMY, MDY, YMD };

Order dateOrder(const QString& pattern)
{
    for (const QChar c : pattern) {
        if (c == 'd')
            return Order::DMY;
        if (c == 'M')
            return Order::MDY;
        if (c == 'y')
            return Order::YMD;
    }
    return Order::DMY;
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
    int day = 0, month = 0, year = 0, yearDigits = 4;
    const Order order = dateOrder(rs.shortDatePattern);
    if (parts.size() == 2) {
        year = Clock::today().year();
        if (order == Order::MDY) {
            month = n[0];
            day = n[1];
        } else if (order == Order::YMD) {
            month = n[0];
            day = n[1];
        } else {
            day = n[0];
            month = n[1];
        }
        if (digits[0] > 2 || digits[1] > 2)
            return std::nullopt;
    } else {
        int yi = 2;
        switch (order) {
        case Order::DMY: day = n[0]; month = n[1]; year = n[2]; yi = 2; break;
        case Order::MDY: month = n[0]; day = n[1]; year = n[2]; yi = 2; break;
        case Order::YMD: year = n[0]; month = n[1]; day = n[2]; yi = 0; break;
        }
        for (int i = 0; i < 3; ++i)
            if (i != yi && digits[i] > 2)
                return std::nullopt;
        yearDigits = digits[yi];
        if (yearDigits == 3)
            return std::nullopt;
        year = expandYear(year, yearDigits);
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
