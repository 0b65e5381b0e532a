#include "production/ProductionQuantities.h"

#include "store/RegionalSettings.h"

#include <QHash>

namespace Production {

QDate DateBeforeAnyEntry() { return QDate(1905, 6, 2); }

QString MonthTitle(const QDate& date)
{
    const QStringList& names = RegionalSettings::current().shortMonthNames;
    const QString month = date.month() - 1 < names.size() ? names[date.month() - 1]
                                                           : QString::asprintf("%02d", date.month());
    return month + QLatin1Char('-') + QString::asprintf("%02d", date.year() % 100);
}

namespace {

int monthIndex(const QDate& d) { return d.year() * 12 + d.month() - 1; }

} // namespace

std::vector<QDate> MonthsOfRange(const QDate& from, const QDate& to)
{
    std::vector<QDate> months;
    if (!from.isValid() || !to.isValid())
        return months;
    const int count = monthIndex(to) - monthIndex(from) + 1;
    if (count <= 0)
        return months;
    months.reserve(size_t(count));
    const QDate first(from.year(), from.month(), 1);
    for (int i = 0; i < count; ++i)
        months.push_back(first.addMonths(i));
    return months;
}

DateSpan ProductionDateSpan(const std::vector<ProductionEntry>& entries, const QDate& today)
{
    DateSpan span{today, DateBeforeAnyEntry()};
    for (const ProductionEntry& e : entries) {
        if (e.date < span.earliest)
            span.earliest = e.date;
        if (e.date > span.latest)
            span.latest = e.date;
    }
    if (span.earliest > span.latest)
        span.latest = span.earliest;
    return span;
}

QDate KeepFromInSpan(const QDate& from, const DateSpan& span) { return from < span.earliest ? span.earliest : from; }

QDate KeepToInSpan(const QDate& to, const DateSpan& span)
{
    if (to > span.latest)
        return span.latest;
    if (to < span.earliest)
        return span.earliest;
    return to;
}

QuantityTable ProducedQuantities(const std::vector<ProductionEntry>& entries, const QDate& from, const QDate& to)
{
    QuantityTable table;
    const std::vector<QDate> months = MonthsOfRange(from, to);
    table.monthCount = int(months.size());
    for (const QDate& m : months)
        table.titles.push_back(MonthTitle(m));
    while (table.titles.size() < 3)
        table.titles.emplace_back();
    if (months.empty())
        return table;
    const int firstMonth = monthIndex(months.front());
    QHash<QString, size_t> rowOf;
    for (const ProductionEntry& e : entries) {
        if (e.date < from || e.date > to)
            continue;
        auto it = rowOf.constFind(e.product);
        if (it == rowOf.constEnd()) {
            it = rowOf.insert(e.product, table.rows.size());
            table.rows.push_back({e.product, std::vector<std::optional<qint64>>(size_t(table.monthCount))});
        }
        std::optional<qint64>& cell = table.rows[it.value()].months[size_t(monthIndex(e.date) - firstMonth)];
        cell = cell.value_or(0) + qint64(e.producedUnits());
    }
    return table;
}

QString QuantityCellText(const std::optional<qint64>& units)
{
    return units ? QString::number(*units) : QStringLiteral(" ");
}

} // namespace Production
