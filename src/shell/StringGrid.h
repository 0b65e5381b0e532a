#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QHeaderView>
#include <QList>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>
#include <map>
#include <optional>
#include <vector>

class StringGrid;

// The background of the row being edited.
inline const QColor MarkedRowColour{255, 246, 191};

// How one cell is drawn; set by a screen's own cell drawing (red negatives, green production
// orders, centred columns, bold totals). Invalid colours mean the grid's own: the window colour
// for data cells, the button face for the title row.
struct CellStyle {
    QColor foreground;
    QColor background;
    QColor frame;              // a one-pixel frame around the cell when valid
    std::optional<QFont> font; // the grid's font when absent
    bool bold = false;         // true by default in the title row
    bool italic = false;
    // The text sits 2 pixels in from the left and 2 pixels below the top of the cell (centred and
    // right alignments keep the same 2-pixel margins).
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
};

// The model behind a StringGrid: rows of texts; row 0 is the title row, shown as the header.
class StringGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit StringGridModel(StringGrid* grid);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    friend class StringGrid;
    StringGrid* m_grid;
};

// A grid of texts with the semantics of a desktop string grid: Cells(col, row), RowCount and
// ColCount counting the title row, ColWidths (0 hides a column), Row (the current row). Row 0 is
// the title row, drawn as a fixed bold header; a left-button press on it sorts the rows by that
// column (SortGridByColumn) unless switched off. A selected cell is drawn like an unselected one.
// There is no object per cell: the texts live in one vector of rows, so hundreds of thousands of
// rows load and sort quickly. Bulk changes go inside a GridUpdate.
class StringGrid : public QTableView {
    Q_OBJECT
public:
    explicit StringGrid(QWidget* parent = nullptr);
    ~StringGrid() override;

    int RowCount() const { return int(m_rows.size()); }
    void setRowCount(int rows); // at least 1 (the title row)
    int ColCount() const { return m_colCount; }
    void setColCount(int cols);

    QString Cells(int col, int row) const;
    void setCells(int col, int row, const QString& text);
    // All cells of a row (ColCount texts).
    QStringList RowTexts(int row) const;
    void setRowTexts(int row, const QStringList& texts);

    int ColWidths(int col) const;
    void setColWidths(int col, int width); // 0 hides the column
    int DefaultRowHeight() const;
    void setDefaultRowHeight(int height);

    // The current row (1 .. RowCount-1) and column; row 0 when there is no data row.
    int Row() const;
    void setRow(int row);
    int Col() const;
    void setCol(int col);

    // Texts of the data rows in a new order: order[i] is the old row number of new row i + 1.
    void ReorderRows(const std::vector<int>& order);
    // Empties the grid to a title row and one empty data row (titles kept).
    void ClearData();

    // The screen title that the history list, the caption and printing use.
    QString ScreenTitle() const { return m_screenTitle; }
    void setScreenTitle(const QString& title) { m_screenTitle = title; }

    // A screen's own cell drawing: adjusts the style of cell (col, row); row 0 is the title row.
    using CellStyler = std::function<void(int col, int row, CellStyle& style)>;
    void setCellStyler(CellStyler styler);
    // Owner drawing of a data cell (a picture, a bar): runs after the background is filled and
    // before the text; returns true when it painted the whole cell (the text is then not written).
    using CellPainter = std::function<bool(QPainter* painter, const QRect& rect, int col, int row)>;
    void setCellPainter(CellPainter painter);
    const CellPainter& cellPainter() const { return m_painter; }
    void setColumnAlignment(int col, Qt::Alignment alignment);
    CellStyle StyleOf(int col, int row) const;

    // Direct access for a bulk pass inside a GridUpdate (rows are vectors of ColCount or fewer).
    std::vector<std::vector<QString>>& rows() { return m_rows; }
    const std::vector<std::vector<QString>>& rows() const { return m_rows; }

    void beginUpdate();
    void endUpdate();
    // After texts were changed through rows() outside a GridUpdate: redraw, keeping the current cell.
    void CellsChanged();

    StringGridModel* gridModel() const { return m_model; }

    // --- Sizing -------------------------------------------------------------------------------
    // Column widths as shares of the grid's width (0.41 = 41 %), applied on every resize, each
    // rounded to the nearest pixel, followed by FitFirstColumn. Columns after the shares keep
    // their own widths. An empty list switches the rule off.
    void setColumnShares(const QList<double>& shares);
    QList<double> ColumnShares() const { return m_shares; }
    void ApplyColumnShares();

    // Column 0 yields the width of the vertical scroll bar while the grid needs one. Running it
    // again does not take the width off twice; once the bar is gone the width comes back.
    void FitFirstColumn();
    // Whether the data rows need more height than the grid shows (a vertical scroll bar).
    bool NeedsVerticalScrollBar() const;
    // Data rows fully visible in the grid's height.
    int VisibleRowCount() const;
    // The columns shown (width above 0), in order.
    QList<int> VisibleColumns() const;
    int ScrollBarWidth() const;

    // --- Title-row sorting --------------------------------------------------------------------
    bool SortOnTitleClick() const { return m_sortOnTitleClick; }
    void setSortOnTitleClick(bool on) { m_sortOnTitleClick = on; }
    // A click on the title of titleCol sorts by keyCol (a hidden date sort key).
    void setTitleSortColumn(int titleCol, int keyCol) { m_sortRedirect[titleCol] = keyCol; }
    int SortColumnFor(int titleCol) const;

    // The whole text of a cell that does not fit its column (shown as the cell's tool tip); empty
    // when the text fits.
    QString CellToolTip(int col, int row) const;
    // The width column col needs to show every text of it, the title included, uncut.
    int ContentWidth(int col) const;
    // Fits a shown column to its texts (a double click on the column's right border in the title
    // row does it). Column shares apply again at the grid's next resize.
    void FitColumnToContents(int col);

    // The row whose record is being edited, drawn with a pale background (MarkedRowColour) over the
    // screen's own colours; 0 for none.
    int MarkedRow() const { return m_markedRow; }
    void setMarkedRow(int row);

    // The cell at a point of the grid (widget coordinates); row 0 for the title row, -1 outside.
    void MouseToCell(const QPoint& pos, int& col, int& row) const;
    // The rectangle of cell (col, row) in grid coordinates (row 0: the title cell).
    QRect CellRect(int col, int row) const;

Q_SIGNALS:
    void titleClicked(int col);
    void cellClicked(int col, int row);
    void cellDoubleClicked(int col, int row);
    void currentCellChanged(int col, int row);
    // Any mouse press on the grid: button, position in grid coordinates, and the cell there.
    void mousePressed(Qt::MouseButton button, const QPoint& pos, int col, int row);
    void sorted(int col);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    friend class StringGridModel;
    friend class StringGridDelegate;
    friend class StringGridHeader;
    void applyColumnWidths();
    void applyColumnWidth(int col);
    void rowCountChanged();
    void onTitlePressed(int col);

    StringGridModel* m_model;
    std::vector<std::vector<QString>> m_rows; // m_rows[0] holds the titles
    int m_colCount = 5;
    std::vector<int> m_colWidths;
    std::vector<Qt::Alignment> m_alignments;
    QString m_screenTitle;
    CellStyler m_styler;
    CellPainter m_painter;
    int m_updating = 0;
    QList<double> m_shares;
    int m_firstColumnCut = 0; // width FitFirstColumn took off column 0
    bool m_applyingWidths = false;
    bool m_sortOnTitleClick = true;
    std::map<int, int> m_sortRedirect;
    int m_markedRow = 0;
};

// Bulk change of a grid: signals are held back until the end, then the view is reset once.
class GridUpdate {
public:
    explicit GridUpdate(StringGrid* grid) : m_grid(grid) { m_grid->beginUpdate(); }
    ~GridUpdate() { m_grid->endUpdate(); }
    GridUpdate(const GridUpdate&) = delete;
    GridUpdate& operator=(const GridUpdate&) = delete;

private:
    StringGrid* m_grid;
};

// Draws a data cell with DrawGridCell: no selection highlight, the screen's colours and fonts, a
// dotted frame around the current cell while the grid has the focus.
class StringGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit StringGridDelegate(StringGrid* grid);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    StringGrid* m_grid;
};

// The title row: a fixed row on the button face, bold texts, as high as a data row.
class StringGridHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit StringGridHeader(StringGrid* grid);
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    StringGrid* m_grid;
};
