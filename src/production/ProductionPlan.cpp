#include "production/ProductionPlan.h"

#include "i18n/Language.h"
#include "i18n/Settings.h"
#include "production/ProductionEntries.h"
#include "store/Clock.h"
#include "store/DateText.h"
#include "store/DecimalText.h"

#include <algorithm>
#include <cmath>

namespace ProductionPlan {

using OrderCalculation::RateProblem;

Settings Settings::FromProgram()
{
    Settings s;
    s.hoursPerDay = ::HoursPerDay;
    s.daysPerWeek = ::DaysPerWeek;
    s.today = Clock::today();
    s.regional = RegionalSettings::current();
    return s;
}

// --- Working days ------------------------------------------------------------------------------

bool IsWorkingDay(const QDate& date, int daysPerWeek) { return date.dayOfWeek() <= daysPerWeek; }

QDate FirstWorkingDay(const QDate& from, int daysPerWeek)
{
    if (daysPerWeek <= 0 || !from.isValid())
        return QDate();
    QDate d = from;
    while (!IsWorkingDay(d, daysPerWeek))
        d = d.addDays(1);
    return d;
}

QDate AddWorkingDays(const QDate& start, qint64 days, int daysPerWeek)
{
    QDate d = FirstWorkingDay(start, std::min(daysPerWeek, 7));
    if (!d.isValid() || days <= 0)
        return d;
    const int perWeek = std::min(daysPerWeek, 7);
    // From a working day, a whole week of working days later is the same day of the next week.
    d = d.addDays(7 * (days / perWeek));
    for (qint64 left = days % perWeek; left > 0; --left)
        d = FirstWorkingDay(d.addDays(1), perWeek);
    return d;
}

std::vector<int> WorkingDayNumbers(const QDate& from, int count, int daysPerWeek)
{
    std::vector<int> numbers(size_t(std::max(count, 0)), -1);
    int next = 0;
    QDate d = from;
    for (int& n : numbers) {
        if (IsWorkingDay(d, daysPerWeek))
            n = next++;
        d = d.addDays(1);
    }
    return numbers;
}

// --- Chart -------------------------------------------------------------------------------------

int WeekNumber(const QDate& date) { return int(QDate(date.year(), 1, 1).daysTo(date) / 7) + 1; }

QStringList DayTitles(const QDate& from, int count)
{
    QStringList titles;
    titles.reserve(count);
    QDate d = from;
    int week = WeekNumber(from);
    for (int i = 0; i < count; ++i) {
        titles << d.toString(QStringLiteral("dd-MM")) + QStringLiteral(" w") + QString::number(week);
        d = d.addDays(1);
        if (d.dayOfWeek() == Qt::Saturday)
            ++week;
    }
    return titles;
}

QString PlanRow::DaysText() const { return days ? QString::number(*days) : QString(); }

PlanChart ComputePlanChart(const std::vector<OrderCalculation::WorkRow>& rows, const std::vector<ProdutoRecord>& products,
                           const Settings& settings)
{
    const ScopedRegionalSettings regional(settings.regional);
    const OrderCalculation::ProductIndex index(products);
    PlanChart chart;
    qint64 longest = -1; // calendar days of the longest bar
    const QDate lastDate(9999, 12, 31);
    for (const OrderCalculation::WorkRow& w : rows) {
        if (!w.IsShort())
            continue;
        PlanRow row;
        row.product = w.product;
        row.type = w.type;
        row.quantityValue = w.openValue - w.stockValue;
        row.quantity = DecimalText::FloatToStr(row.quantityValue);

        auto problem = [&](RateProblem::Reason reason) {
            RateProblem p;
            p.product = w.product;
            p.type = w.type;
            p.reason = reason;
            chart.problems.push_back(p);
        };
        const OrderCalculation::ProductRate rate =
            OrderCalculation::RateOf(index, w.productBytes, w.typeBytes, settings.hoursPerDay);
        if (auto p = OrderCalculation::RateProblemOf(rate, settings.hoursPerDay, w.product, w.type))
            chart.problems.push_back(*p);
        else if (settings.daysPerWeek <= 0)
            problem(RateProblem::NoDays);
        else {
            row.exactDays = row.quantityValue / double(rate.perDay);
            const double rounded = Production::RoundHalfEven(row.exactDays);
            // Beyond the last day a date can name, no day count.
            const double calendar = rounded * 7.0 / std::min(settings.daysPerWeek, 7);
            if (calendar > double(settings.today.daysTo(lastDate)) - 7) {
                problem(RateProblem::TooFar);
            } else {
                row.days = qint64(rounded);
                const QDate end = AddWorkingDays(settings.today, *row.days, settings.daysPerWeek);
                longest = std::max(longest, *row.days > 0 ? settings.today.daysTo(end) : 0);
            }
        }
        chart.rows.push_back(std::move(row));
    }
    chart.dayColumns = int(std::clamp<qint64>(longest + 1, 2, MaxDayColumns));
    return chart;
}

QString ProblemsText(const std::vector<RateProblem>& problems)
{
    return OrderCalculation::RateProblemsText(
        problems, LangText(QStringLiteral("msg_NoPlanDays"), QStringLiteral("No production days can be estimated for:")));
}

// --- Schedule ----------------------------------------------------------------------------------

std::vector<EquipmentPlan> ScheduleByEquipment(const QStringList& equipment, const std::vector<ChartRow>& chart,
                                               const QDate& today, int daysPerWeek)
{
    std::vector<EquipmentPlan> plan;
    plan.reserve(size_t(equipment.size()));
    const QDate first = FirstWorkingDay(today, daysPerWeek);
    for (const QString& name : equipment) {
        EquipmentPlan e;
        e.equipment = name;
        QDate next = first;
        for (const ChartRow& c : chart) {
            if (c.equipment != name)
                continue;
            ScheduledRow s;
            s.product = c.product;
            s.quantity = c.quantity;
            s.days = c.days;
            const auto days = DecimalText::parseInt(c.days);
            if (days && next.isValid()) {
                s.start = next;
                s.end = AddWorkingDays(next, std::max(*days, 0), daysPerWeek);
                next = s.end;
            }
            e.rows.push_back(std::move(s));
        }
        plan.push_back(std::move(e));
    }
    return plan;
}

void AppendPlanList(std::vector<std::vector<QString>>& rows, const std::vector<EquipmentPlan>& plan,
                    const RegionalSettings& regional)
{
    const ScopedRegionalSettings scoped(regional);
    if (rows.empty())
        rows.emplace_back(size_t(PlanListColumns)); // the title row
    auto isEmpty = [](const std::vector<QString>& row) {
        return std::all_of(row.begin(), row.end(), [](const QString& t) { return t.isEmpty(); });
    };
    // Drop the empty rows at the end; what the list held keeps one empty row before the new rows.
    while (rows.size() > 1 && isEmpty(rows.back()))
        rows.pop_back();
    if (rows.size() > 1)
        rows.emplace_back(size_t(PlanListColumns));
    auto date = [](const QDate& d) { return d.isValid() ? DateText::DateToStr(d) : QString(); };
    for (size_t i = 0; i < plan.size(); ++i) {
        if (i > 0)
            rows.emplace_back(size_t(PlanListColumns)); // one empty row between equipments
        std::vector<QString> header(static_cast<size_t>(PlanListColumns));
        header[0] = plan[i].equipment;
        rows.push_back(std::move(header));
        for (const ScheduledRow& s : plan[i].rows)
            rows.push_back({QString(), s.product, s.quantity, s.days, date(s.start), date(s.end)});
    }
    if (rows.size() < 2)
        rows.emplace_back(size_t(PlanListColumns));
}

} // namespace ProductionPlan
