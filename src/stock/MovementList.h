#pragma once

// The movement history of raw materials or products as the movements view lists it: the rows kept
// by the item, type and date filters, the totals of entries and exits, the range of movement
// dates, the items found, and the records whose date or quantity cannot be read.

#include "store/Records.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace MovementList {

// Columns of the list.
enum Column { ColItem, ColQuantity, ColType, ColMovementDate, ColRealDate, ColSortKey, ColRecord, ColEmpty, ColumnCount };

// The date below any movement: the upper end of the range before the first movement widens it.
inline QDate BeforeAnyMovement() { return QDate(1905, 6, 2); }

struct Filter {
    QString item;       // empty: every item; otherwise the item text exactly
    QString type;       // empty: every type; otherwise the type code exactly ("SS")
    bool dateLimit = false;
    QDate from, to;     // with dateLimit: movements dated from .. to, both ends included
    bool collectItems = true; // gather the items of the file (for the item list)
};

// A record that could not be read as it should, for the message that names them.
struct Damaged {
    qint64 record = 0; // record number + 1
    QString item;
    QString field;     // the text that does not convert
    bool date = false; // the movement date (else the quantity)
};

struct Listing {
    // Data rows in file order, ColumnCount texts each: item, quantity, type, movement date, real
    // date, the movement date's sort key (year-month-day; empty when the date cannot be read),
    // record number + 1, and an empty text.
    std::vector<std::vector<QString>> rows;
    qint64 recordsRead = 0;
    // Sums of the quantities listed: entries (above 0) and exits (0 and below), each written with
    // "0.##"; their balance with the general conversion, from the two texts as shown.
    QString entries = QStringLiteral("0"), exits = QStringLiteral("0"), total = QStringLiteral("0");
    // Without a date limit: today, lowered to the earliest movement date listed, and the date
    // before any movement, raised to the latest one. With the limit: the limit's dates.
    QDate from, to;
    // With collectItems, every item of the file once, ignoring letter case (the first spelling
    // kept), in file order.
    QStringList items;
    // Records whose movement date is no date (they are listed, but take no part in the range or
    // the date limit) or whose quantity is no number (listed, left out of the totals).
    std::vector<Damaged> damaged;
};

// Lists the records through the filter. today starts the range when there is no date limit.
Listing List(const std::vector<MovimRecord>& records, const Filter& filter, const QDate& today);

// The movement type codes, in the order of the type filter's items.
QStringList TypeCodes();

// One message naming the damaged records (at most `shown` of them, then how many more), or an
// empty text when there are none.
QString DamagedText(const std::vector<Damaged>& damaged, int shown = 15);

} // namespace MovementList
