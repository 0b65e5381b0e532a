#pragma once

// The production plan: for every product and type whose stock does not cover its open orders, the
// quantity to produce and the working days that takes at the product's rate (a bar of day cells in
// a chart of days from today), and, once each product is given a main equipment, the products of
// each equipment laid end to end in working days with their start and end dates.
//
// Plain functions: the working table of the order calculation, the composition lines, the company
// settings and today in; rows, dates and texts out. Working days follow DaysPerWeek: the first that
// many days of the week from Monday are worked (7 every day, 6 no Sundays, 5 no Saturdays or
// Sundays), as the delivery dates' weekend rules have it.

#include "orders/OrderCalculation.h"
#include "store/Records.h"
#include "store/RegionalSettings.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace ProductionPlan {

struct Settings {
    int hoursPerDay = 24; // HoursPerDay
    int daysPerWeek = 7;  // DaysPerWeek
    QDate today;
    RegionalSettings regional = RegionalSettings::current();

    // The company in use, Clock::today() and the regional settings in force.
    static Settings FromProgram();
};

// The chart never has more day columns than this; a longer bar runs to its end.
inline constexpr int MaxDayColumns = 1000;

// --- Working days ------------------------------------------------------------------------------

bool IsWorkingDay(const QDate& date, int daysPerWeek);
// The date itself when it is worked, else the next working day; invalid when no day is worked.
QDate FirstWorkingDay(const QDate& from, int daysPerWeek);
// The first working day after `days` working days counted from start on (start included when it is
// worked): where the next product begins. With every day worked it is start + days.
QDate AddWorkingDays(const QDate& start, qint64 days, int daysPerWeek);
// For `count` calendar days from `from`: the number of the working day each one is (0 for the first
// working day), or -1 for a day not worked. A bar of n days is green where 0 <= number < n.
std::vector<int> WorkingDayNumbers(const QDate& from, int count, int daysPerWeek);

// --- Chart -------------------------------------------------------------------------------------

// The week of a date as the plan numbers it: (date - 1 January of its year) div 7 + 1.
int WeekNumber(const QDate& date);
// Titles of `count` day columns from `from`: "dd-mm w<week>", the week counted from WeekNumber(from)
// and raised by one on every Saturday after the first day.
QStringList DayTitles(const QDate& from, int count);

// One row of the chart: a product short of stock.
struct PlanRow {
    QString product;
    QString type;
    QString quantity;                // open orders - stock, shortest decimal text
    double quantityValue = 0;
    std::optional<qint64> days;      // working days, rounded to a whole number; none without a rate
    double exactDays = 0;            // quantity / units per day
    QString DaysText() const;        // the whole number, or empty without a rate
    QString ProductText() const { return product + QLatin1Char(' ') + type; }
};

struct PlanChart {
    std::vector<PlanRow> rows;                             // in the order of the working table
    std::vector<OrderCalculation::RateProblem> problems;   // the rows without a day count, and why
    int dayColumns = 2;                                    // day columns from today (at least 2)
};

// For every row of the working table that is short (open orders above the stock): the quantity to
// produce and the days: quantity / (HoursPerDay x Ciclo x Moldes) of the product's first
// composition line, rounded half to even. A product without a composition line, with no cycles, no
// moulds or no working hours, whose cycles or moulds are no whole number, or when no day of the
// week is worked, gets no day count and is named in problems; the other rows are computed as
// usual. The chart has a day column for every calendar day up to and including the day after the
// longest bar ends (at least 2, at most MaxDayColumns).
PlanChart ComputePlanChart(const std::vector<OrderCalculation::WorkRow>& rows, const std::vector<ProdutoRecord>& products,
                           const Settings& settings);

// The message naming the products without a day count; empty when there is none.
QString ProblemsText(const std::vector<OrderCalculation::RateProblem>& problems);

// --- Schedule ----------------------------------------------------------------------------------

// A row of the chart as the user left it: product text, quantity, days and the equipment chosen.
struct ChartRow {
    QString product;
    QString quantity;
    QString days;
    QString equipment;
};

struct ScheduledRow {
    QString product;
    QString quantity;
    QString days;
    QDate start; // invalid for a product without a day count (it takes no time in the plan)
    QDate end;
};

struct EquipmentPlan {
    QString equipment;
    std::vector<ScheduledRow> rows;
};

// For each equipment in the order given, the chart rows whose equipment is exactly its name, in
// chart order, end to end: the first starts on the first working day from today, each next one
// where the one before ends, and each ends `days` working days after its start. Rows without an
// equipment, or with one not in the list, are not scheduled.
std::vector<EquipmentPlan> ScheduleByEquipment(const QStringList& equipment, const std::vector<ChartRow>& chart,
                                               const QDate& today, int daysPerWeek);

// Column texts of the production plan list (6 columns: equipment, product, quantity, days, start
// date, end date).
inline constexpr int PlanListColumns = 6;

// Appends the schedule below the rows a list holds already (row 0 is its title row): each equipment
// on a header row of its own (its name in column 0), its products on the rows after it, an empty row
// between two equipments and between what the list held and the new rows. Dates in the regional
// settings' format.
void AppendPlanList(std::vector<std::vector<QString>>& rows, const std::vector<EquipmentPlan>& plan,
                    const RegionalSettings& regional);

} // namespace ProductionPlan
