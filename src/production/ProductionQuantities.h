#pragma once

// Produced quantities by month: for a date range, the units of each product and type produced in
// each calendar month (entries of hours only count as none), with the month columns and the range
// rules of the quantities view.

#include "production/ProductionEntries.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace Production {

// A date before any entry (2 June 1905): the latest date of a search that found none yet.
QDate DateBeforeAnyEntry();

// The first day of the month formatted "mmm-yy": the local short month name, "-", the two-digit year.
QString MonthTitle(const QDate& date);

// The first day of every calendar month from the month of `from` to the month of `to`, in order;
// none when `to` lies in an earlier month.
std::vector<QDate> MonthsOfRange(const QDate& from, const QDate& to);

// The earliest and latest date of the entries: earliest starts at today and latest at
// DateBeforeAnyEntry(); each entry lowers or raises them; a latest before the earliest becomes the
// earliest. These are the bounds of the range boxes.
struct DateSpan {
    QDate earliest;
    QDate latest;
};
DateSpan ProductionDateSpan(const std::vector<ProductionEntry>& entries, const QDate& today);

// The rules of the range boxes against the bounds: a From before the earliest becomes the earliest;
// a To after the latest becomes the latest, and one before the earliest the earliest.
QDate KeepFromInSpan(const QDate& from, const DateSpan& span);
QDate KeepToInSpan(const QDate& to, const DateSpan& span);

// One row of the table: a product and type, and its units per month column (none: nothing
// produced in that month, shown as a single blank).
struct QuantityRow {
    QString product;
    std::vector<std::optional<qint64>> months;
};

struct QuantityTable {
    // Titles of the columns after the product column: one per month of the range, then empty
    // titles up to three columns when the range has fewer months.
    std::vector<QString> titles;
    int monthCount = 0;
    // In order of each product's first entry in the range.
    std::vector<QuantityRow> rows;
};

// The units produced per product and month by the entries dated from `from` to `to` inclusive
// (entries read with ReadDate and ReadEnteredInteger). A month with only entries of hours shows 0.
QuantityTable ProducedQuantities(const std::vector<ProductionEntry>& entries, const QDate& from, const QDate& to);

// The text of a month cell: the units, or " " when nothing was entered in that month.
QString QuantityCellText(const std::optional<qint64>& units);

} // namespace Production
