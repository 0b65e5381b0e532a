#pragma once

#include "shell/StringGrid.h"

#include <QColor>
#include <QRect>
#include <QStyle>
#include <QStyledItemDelegate>
#include <vector>

class QCollator;
class QFontMetrics;
class QComboBox;
class QPainter;
class QPixmap;
class QWidget;

// The grid routines every screen shares: sizing, sorting, drawing, totals, the clipboard and the
// painting of the window background.

// Colours of the blue theme: windows from BlueThemeTop at the top to BlueThemeBottom, panels in
// BlueThemePanel.
inline const QColor BlueThemeTop{197, 228, 252};
inline const QColor BlueThemeBottom{255, 255, 255};
inline const QColor BlueThemePanel{240, 247, 255};

// --- Sizing -----------------------------------------------------------------------------------

// With a non-zero flag, column 0 yields the width of a vertical scroll bar while the grid needs
// one (see StringGrid::FitFirstColumn). Called after every load and every resize.
void FitFirstColumn(StringGrid* grid, int flag = 1);
// With flag 1, when the grid has more data rows than it shows, it becomes 16 pixels wider (room
// for the scroll bar of a list whose width was set for its columns).
void WidenForScrollBar(StringGrid* grid, int flag = 1);

// The data rows of a grid replaced by the given rows (the title row stays); a grid without rows
// keeps one empty data row.
void SetDataRows(StringGrid* grid, const std::vector<QStringList>& rows);

// --- Sorting ----------------------------------------------------------------------------------

// The locale's case-insensitive text comparison (numbers compare as text: "10" before "9"). The
// C locale, which has no language of its own, compares as English.
const QCollator& TextCollator();
int CompareText(const QString& a, const QString& b);

// Sorts the data rows (all rows but row 0) by the text of the column with TextCollator; rows with
// equal keys are ordered by their cells from column 0 on, and rows equal in every cell keep their
// order. Cells are never split or joined, so any character may stand in a key.
void SortGridByColumn(StringGrid* grid, int column);

// --- Drawing ----------------------------------------------------------------------------------

// The common painting of a cell: the background (window colour, the button face with raised
// edges in the title row, or the style's colour), the grid's cell painter (a picture), the text
// 2 pixels in from the left and top in the style's colour and font (bold in the title row), and
// the style's frame. A selected cell looks like an unselected one.
void DrawGridCell(StringGrid* grid, QPainter* painter, int col, int row, const QRect& rect);
void DrawGridCell(StringGrid* grid, QPainter* painter, int col, int row, const QRect& rect, const CellStyle& style);
// Only the text part of DrawGridCell, for a screen's own cell painter. A text longer than the cell
// is cut with "…" at its end (the grid shows the whole text as the cell's tool tip).
void DrawCellText(StringGrid* grid, QPainter* painter, const QRect& rect, const QString& text, const CellStyle& style);
// The font of a cell's text, and the part of the cell's rectangle the text is written in.
QFont CellFont(const StringGrid* grid, const CellStyle& style);
QRect CellTextRect(const QRect& cell, const CellStyle& style);
// The text as one line, as a cell shows it: line breaks become blanks.
QString SingleLineText(const QString& text);
// The text as one line written into the width: line breaks as blanks, cut with "…" when too long.
QString ElidedCellText(const QFontMetrics& metrics, const QString& text, int width);
// A picture in a cell, dx pixels right of the cell's left edge, centred in its height, clipped.
void DrawCellPicture(QPainter* painter, const QRect& rect, const QPixmap& picture, int dx = 0);

// An item of a drop-down list made of a first part, a tab and a second part, drawn in two
// columns: the first part at (left + margin, top + margin), the second `offset` pixels further.
// Selected or focused items take the highlight colours, disabled lists grey text.
void DrawTwoColumnItem(QComboBox* list, QPainter* painter, int index, const QRect& rect, QStyle::State state,
                       int offset, int margin = 1);

// The item delegate that draws a list's items with DrawTwoColumnItem, both in the drop-down and
// in the closed list.
class TwoColumnItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TwoColumnItemDelegate(QComboBox* list, int offset, int margin = 1);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    int Offset() const { return m_offset; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* m_list;
    int m_offset;
    int m_margin;
};

// Makes a drop-down list draw its items in two columns, the second at `offset` pixels.
TwoColumnItemDelegate* SetTwoColumnItems(QComboBox* list, int offset, int margin = 1);

// An item of a drop-down list made of pieces separated by tabs, piece i written at (left + x[i],
// top + margin), each cut short 2 pixels before the next one that is written; pieces beyond the
// positions are written with the last one. Colours as DrawTwoColumnItem.
void DrawTabbedItem(QComboBox* list, QPainter* painter, int index, const QRect& rect, QStyle::State state,
                    const QList<int>& positions, int margin = 1);

// The item delegate that draws a list's items with DrawTabbedItem, in the drop-down and in the
// closed list. The positions are those of the design font, whose digits are 5 pixels wide; a
// larger font widens them alike, so that each piece keeps room for as many characters.
class TabbedItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TabbedItemDelegate(QComboBox* list, const QList<int>& positions, int margin = 1);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QList<int> Positions() const { return m_positions; }
    // The positions in the list's font.
    QList<int> PixelPositions() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* m_list;
    QList<int> m_positions;
    int m_margin;
};
TabbedItemDelegate* SetTabbedItems(QComboBox* list, const QList<int>& positions, int margin = 1);

// --- Clipboard --------------------------------------------------------------------------------

// The grid's text: every row, the cells of the shown columns separated by tabs, each row ending
// in CR LF.
QString GridText(const StringGrid* grid);
void CopyGridToClipboard(const StringGrid* grid);
// The Copy to Memory command: the hosted screen's main grid (CurrentGrid) to the clipboard.
void CopyToMemory();

// --- Window background ------------------------------------------------------------------------

struct GradientBand {
    QRect rect;
    QColor color;
};
// The bands of the vertical gradient for a window of the given size and colour depth (bits per
// pixel): N = the height but at most 250 (50 at 8 bits, 4 below 8), N + 1 bands of height
// H div N + 1 from the top; bands may reach past the bottom. None for a window of no height.
std::vector<GradientBand> GradientBands(int width, int height, const QColor& top, const QColor& bottom, int depth = 32);
// Fills the window's client area with the gradient (inside its paint event).
void PaintGradient(QWidget* window, QPainter& painter, const QColor& top, const QColor& bottom);
void PaintGradient(QWidget* window, const QColor& top, const QColor& bottom);
// The blue theme's gradient when the BlueTheme setting is on; false (nothing painted) when off.
bool PaintBlueTheme(QWidget* window, QPainter& painter);
// With the blue theme a panel (or check box) is filled with the given colour.
void ApplyPanelColour(QWidget* panel, const QColor& colour = BlueThemePanel);

// After Tab or Alt is released, the push buttons, radio buttons and check boxes directly on the
// window are repainted (their focus and accelerator marks). Returns how many were.
int RepaintOnTabOrAlt(QWidget* window, int key);

// --- Totals -----------------------------------------------------------------------------------

// Appends a totals row ("Totals  -") holding the sum of each column from 1 on, and a totals
// column ("Totals") holding the sum of each row, the bottom-right cell the grand total; sums are
// written with `decimals` decimals, cells holding " " are skipped. A cell that is not a number
// is named in an error message and the grid stays as it was (returns false).
bool AddGridTotals(StringGrid* grid, int decimals);

// --- Column widths of a list -------------------------------------------------------------------

// A column that shares the room of a list, and the least width it takes.
struct ColumnRoom {
    int col;
    int minimum = 24;
};
// Sets the widths of the columns so that together they take at most `room` pixels where they can:
// each as wide as its title and its texts, never narrower than its texts or its minimum; short of
// room the widest titles yield first (a title cut short shows whole as its tool tip). Returns the
// width the columns take together.
int FitColumnsToRoom(StringGrid* grid, const QList<ColumnRoom>& columns, int room);
