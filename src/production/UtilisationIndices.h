#pragma once

// Utilisation indices of the equipment or of the products: units produced, units per production
// hour, and how the recorded hours split into production (with setup), breakdowns and other stops,
// as hours and as shares of all hours; optionally the hours in which an equipment did not work at
// all. Also the production hours by month and the data of the pie chart.

#include "production/ProductionEntries.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace Production {

enum class UtilizMode { Equipment, Product };

// The company's timetable settings and today.
struct UtilizSettings {
    bool hourStoped = false; // count the hours an equipment did not work (no-work estimate)
    int hoursPerDay = 24;
    int daysPerWeek = 7;
    QDate today;
};

struct UtilizRow {
    QString key;             // equipment, or product + " " + type
    double units = 0;        // entered units (see Utilisation)
    double production = 0;   // production + setup hours
    double breakdown = 0;
    double stops = 0;        // material + personnel + other hours
    std::array<double, HoursCount> hours{}; // each kind of hours summed
    QDate earliest;          // earliest production date
    int index = 0;           // place of the row when it was made, from 1
    std::optional<double> noWork; // estimated hours without work (with hourStoped)

    // The indices.
    double totalHours = 0;          // production + breakdown + stops (+ no work in equipment mode)
    std::optional<double> cycle;    // units per production hour, whole; none without production hours
    std::optional<double> productionShare, breakdownShare, stopsShare; // % of the total; none for 0 hours

    // A row with no hours at all: its shares are undefined; it is listed last and enters no sum.
    bool undefined() const { return totalHours == 0; }
};

struct Utilisation {
    std::vector<UtilizRow> rows; // in order of each key's first entry
    QStringList keys;            // the keys, once each, for the mode's list
    // The range the date chooser offers: from today or the earliest entry, to the latest entry.
    QDate from, to;
    double totalUnits = 0;       // entered units of every entry that is not hours only
    // Sums over the rows that are not undefined: production, breakdowns, other stops, no work.
    double P = 0, A = 0, D = 0, N = 0;
    bool countsNoWork = false;   // N is one of the parts (equipment mode with hourStoped)
    // The texts of the pie chart: each the hours, a space and the label with the share of all the
    // parts that are not negative.
    QStringList chartData;
};

// The indices of every key of the mode from the entries (read with ReadDate, ReadEntered and
// ReadHours). In product mode an entry of hours only adds its hours and not its units; with a
// filter (the key of one equipment or product), only the entries of that key make the one row,
// and every entry adds its units.
Utilisation ComputeUtilisation(const std::vector<ProductionEntry>& entries, UtilizMode mode, const QString& filter,
                               const UtilizSettings& settings);

// The cells of the list (18 columns): key, units, cycle, production hours, share, breakdown hours,
// share, other stops, share, " ", index, the five hours after production, the earliest date and the
// no-work hours (empty without hourStoped). A cell that would divide by zero shows UndefinedText().
QStringList UtilizRowTexts(const UtilizRow& row);

// Production + setup hours per key and calendar month from the month of `from` to the month of
// `to`; every entry counts whatever its date, in the column of its month when there is one. A key
// whose entries all fall outside the months still has its row.
struct MonthHoursRow {
    QString key;
    std::vector<std::optional<double>> months; // none: no hours in that month (a single blank)
};
struct MonthHoursTable {
    std::vector<QString> titles; // "mmm-yy" of each month
    std::vector<MonthHoursRow> rows;
};
MonthHoursTable HoursByMonth(const std::vector<ProductionEntry>& entries, UtilizMode mode, const QDate& from,
                             const QDate& to);
// A month cell: the hours with two decimals, or " ".
QString MonthHoursText(const std::optional<double>& hours);

} // namespace Production
