#pragma once

// Grid routines the result lists window and the preview panel need. They follow the main window's
// shared routines of the same names and give way to them once those are in the shell.

class QWidget;
class StringGrid;

namespace reportgrid {

// Sorts the data rows by the text of column col, letter case ignored, the whole row breaking ties.
void SortGridByColumn(StringGrid* grid, int col);

// Puts the text of the grid on the clipboard: rows ending in CR LF, the visible columns separated
// by tabs.
void CopyGridToClipboard(StringGrid* grid);

// The number of columns, from the first, that fit wholly in the grid's window.
int VisibleColCount(const StringGrid* grid);

// Whether every data row fits in the grid's window (no vertical scroll bar needed).
bool AllRowsVisible(const StringGrid* grid);

// Moves a dragged pop-up panel back inside the window's client area; true when it had to, which
// ends the drag.
bool KeepPanelInside(QWidget* window, QWidget* panel);

} // namespace reportgrid
