#include "production/UtilisationIndices.h"

#include "i18n/Language.h"
#include "production/ProductCosts.h"
#include "production/ProductionQuantities.h"
#include "store/DateText.h"
#include "store/DecimalText.h"

#include <QHash>
#include <algorithm>

namespace Production {

namespace {

const QString& keyOf(const ProductionEntry& e, UtilizMode mode)
{
    return mode == UtilizMode::Equipment ? e.equipment : e.product;
}

void addHours(UtilizRow& row, const ProductionEntry& e)
{
    row.production += e.productionAndSetup();
    row.breakdown += e.hours[Breakdown];
    row.stops += e.otherStops();
    for (int h = 0; h < HoursCount; ++h)
        row.hours[size_t(h)] += e.hours[size_t(h)];
    if (!row.earliest.isValid() || e.date < row.earliest)
        row.earliest = e.date;
}

// "P label (share%)" for one part of the chart.
QString chartItem(double hours, const QString& key, const QString& builtIn, double base)
{
    const QString share = base > 0 ? DecimalText::FormatFloat(QStringLiteral("#,##0"), hours / base * 100)
                                   : QStringLiteral("0");
    return DecimalText::FloatToStr(hours) + QLatin1Char(' ') + LangText(key, builtIn) + QStringLiteral(" (") + share
           + QStringLiteral("%)");
}

} // namespace

Utilisation ComputeUtilisation(const std::vector<ProductionEntry>& entries, UtilizMode mode, const QString& filter,
                               const UtilizSettings& settings)
{
    Utilisation out;
    out.from = settings.today;
    out.to = DateBeforeAnyEntry();
    const bool filtered = !filter.isEmpty();
    QHash<QString, size_t> rowOf;
    if (filtered) {
        UtilizRow row;
        row.key = filter;
        row.index = 1;
        out.rows.push_back(row);
        out.keys << filter;
    }
    for (const ProductionEntry& e : entries) {
        const QString& key = keyOf(e, mode);
        size_t r = 0;
        if (filtered) {
            if (key != filter)
                continue;
        } else {
            auto it = rowOf.constFind(key);
            if (it == rowOf.constEnd()) {
                it = rowOf.insert(key, out.rows.size());
                UtilizRow row;
                row.key = key;
                row.index = int(out.rows.size()) + 1;
                out.rows.push_back(row);
                out.keys << key;
            }
            r = it.value();
        }
        UtilizRow& row = out.rows[r];
        // The list of all products counts the units that were produced; one equipment, every
        // equipment and one product count every unit entered.
        const bool countUnits = filtered || mode == UtilizMode::Equipment || !e.operationOnly;
        if (countUnits)
            row.units += e.entered;
        addHours(row, e);
        out.from = std::min(out.from, e.date);
        out.to = std::max(out.to, e.date);
        out.totalUnits += e.producedUnits();
    }

    if (settings.hourStoped) {
        for (UtilizRow& row : out.rows) {
            if (!row.earliest.isValid())
                continue;
            const double days = double(row.earliest.daysTo(settings.today));
            double idle = days * settings.hoursPerDay / 7.0 * settings.daysPerWeek - row.production - row.breakdown - row.stops;
            if (row.earliest == settings.today)
                idle += settings.hoursPerDay;
            row.noWork = row.noWork.value_or(0) + idle;
        }
    }

    out.countsNoWork = mode == UtilizMode::Equipment && settings.hourStoped;
    for (UtilizRow& row : out.rows) {
        row.totalHours = row.production + row.breakdown + row.stops;
        if (out.countsNoWork)
            row.totalHours += row.noWork.value_or(0);
        if (row.production != 0)
            row.cycle = RoundHalfEven(row.units / row.production);
        if (row.totalHours != 0) {
            row.productionShare = row.production / row.totalHours * 100;
            row.breakdownShare = row.breakdown / row.totalHours * 100;
            row.stopsShare = row.stops / row.totalHours * 100;
        }
        if (row.undefined())
            continue;
        out.P += row.production;
        out.A += row.breakdown;
        out.D += row.stops;
        if (out.countsNoWork)
            out.N += row.noWork.value_or(0);
    }

    // A negative part (the no-work estimate of an equipment used more than its timetable) is no
    // slice: the shares are taken of the parts that are not negative, so that they make 100 %.
    const double base = std::max(out.P, 0.0) + std::max(out.A, 0.0) + std::max(out.D, 0.0)
                        + (out.countsNoWork ? std::max(out.N, 0.0) : 0.0);
    out.chartData << chartItem(out.P, QStringLiteral("label_chartProduction"), QString::fromUtf8("Produção"), base)
                  << chartItem(out.A, QStringLiteral("label_chartBreakdowns"), QStringLiteral("Avarias"), base)
                  << chartItem(out.D, QStringLiteral("label_chartMisc"), QStringLiteral("Diversos"), base);
    if (out.countsNoWork)
        out.chartData << chartItem(out.N, QStringLiteral("label_chartNoWork"), QStringLiteral("Sem Trabalho"), base);
    return out;
}

QStringList UtilizRowTexts(const UtilizRow& row)
{
    auto hours = [](double h) { return DecimalText::FormatFloat(QStringLiteral("0.#"), h); };
    auto share = [](const std::optional<double>& s) {
        return s ? DecimalText::FormatFloat(QStringLiteral("#,##0.0"), *s) : UndefinedText();
    };
    QStringList t;
    t.reserve(18);
    t << row.key << DecimalText::FloatToStr(row.units)
      << (row.cycle ? DecimalText::FormatFloat(QStringLiteral("0"), *row.cycle) : UndefinedText())
      << hours(row.production) << share(row.productionShare) << hours(row.breakdown) << share(row.breakdownShare)
      << hours(row.stops) << share(row.stopsShare) << QStringLiteral(" ") << QString::number(row.index);
    for (int h = Setup; h < HoursCount; ++h)
        t << DecimalText::FloatToStr(row.hours[size_t(h)]);
    t << DateText::DateToStr(row.earliest) << (row.noWork ? DecimalText::FloatToStr(*row.noWork) : QString());
    return t;
}

MonthHoursTable HoursByMonth(const std::vector<ProductionEntry>& entries, UtilizMode mode, const QDate& from,
                             const QDate& to)
{
    MonthHoursTable table;
    const std::vector<QDate> months = MonthsOfRange(from, to);
    for (const QDate& m : months)
        table.titles.push_back(MonthTitle(m));
    const int first = months.empty() ? 0 : months.front().year() * 12 + months.front().month() - 1;
    const int count = int(months.size());
    QHash<QString, size_t> rowOf;
    for (const ProductionEntry& e : entries) {
        const QString& key = keyOf(e, mode);
        auto it = rowOf.constFind(key);
        if (it == rowOf.constEnd()) {
            it = rowOf.insert(key, table.rows.size());
            table.rows.push_back({key, std::vector<std::optional<double>>(size_t(count))});
        }
        const int column = e.date.year() * 12 + e.date.month() - 1 - first;
        if (column < 0 || column >= count)
            continue;
        std::optional<double>& cell = table.rows[it.value()].months[size_t(column)];
        cell = cell.value_or(0) + e.productionAndSetup();
    }
    return table;
}

QString MonthHoursText(const std::optional<double>& hours)
{
    return hours ? DecimalText::FormatFixed(*hours, 2) : QStringLiteral(" ");
}

} // namespace Production
