#pragma once

// What the production analysis lists share beyond the common grid routines: rows that cannot be
// computed (a cell shows "—") stay after the others however the list is sorted, and a totals row
// stays the last row.

#include <functional>

class StringGrid;

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
