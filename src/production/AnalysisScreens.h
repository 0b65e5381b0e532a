#pragma once

// What the production analysis screens share beyond the common routines: rows that cannot be
// computed (a cell shows "—") stay after the others however the list is sorted, a totals row stays
// the last row, and the small bar that steps a date box by one day.

#include <QDate>
#include <functional>
#include <optional>

class QLineEdit;
class QScrollBar;
class QWidget;
class StringGrid;

// The bar beside a date box: the up arrow gives a day later, the down arrow a day earlier.
QScrollBar* NewDayBar(QWidget* parent, const char* name);
// On a move of the bar to `position`: the bar goes back to 0, and the box's date stepped by the
// move is returned (none when the bar is at 0 or the box holds no date).
std::optional<QDate> SteppedDate(QScrollBar* bar, const QLineEdit* box, int position);

// Moves the data rows for which last(row) holds after the others, both groups in their order.
void MoveRowsLast(StringGrid* grid, const std::function<bool(int row)>& last);

// Rows showing "—" in any cell go after the others.
void MoveUndefinedRowsLast(StringGrid* grid);

// After every sort by a title click, the rows showing "—" go last again.
void KeepUndefinedRowsLast(StringGrid* grid);

// Sorts the data rows by the column, the last row (the totals) staying last.
void SortAboveTotals(StringGrid* grid, int column);

// After every sort by a title click, the totals row ("Totals  -" in column 0) goes back to the end.
void KeepTotalsRowLast(StringGrid* grid);
