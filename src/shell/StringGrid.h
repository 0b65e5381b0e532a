#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>
#include <vector>

class StringGrid;

// How one cell is drawn; set by a screen's own cell drawing (red negatives, green production
// orders, centred columns). Invalid colours mean the grid's own.
struct CellStyle {
    QColor foreground;
    QColor background;
    bool bold = false;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
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
// the title row, drawn as a fixed bold header; a click on it emits titleClicked. A selected cell is
// drawn like an unselected one. There is no object per cell: the texts live in one vector of rows,
// so hundreds of thousands of rows load and sort quickly. Bulk changes go inside a GridUpdate.
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

    // A screen's own cell drawing: adjusts the style of cell (col, row), row >= 1.
    using CellStyler = std::function<void(int col, int row, CellStyle& style)>;
    void setCellStyler(CellStyler styler);
    // Owner drawing of a cell (a picture); returns true when it painted the whole cell.
    using CellPainter = std::function<bool(QPainter* painter, const QRect& rect, int col, int row)>;
    void setCellPainter(CellPainter painter);
    void setColumnAlignment(int col, Qt::Alignment alignment);
    CellStyle StyleOf(int col, int row) const;

    // Direct access for a bulk pass inside a GridUpdate (rows are vectors of ColCount or fewer).
    std::vector<std::vector<QString>>& rows() { return m_rows; }
    const std::vector<std::vector<QString>>& rows() const { return m_rows; }

    void beginUpdate();
    void endUpdate();

    StringGridModel* gridModel() const { return m_model; }

Q_SIGNALS:
    void titleClicked(int col);
    void cellClicked(int col, int row);
    void cellDoubleClicked(int col, int row);
    void currentCellChanged(int col, int row);

private:
    friend class StringGridModel;
    friend class StringGridDelegate;
    void applyColumnWidths();

    StringGridModel* m_model;
    std::vector<std::vector<QString>> m_rows; // m_rows[0] holds the titles
    int m_colCount = 5;
    std::vector<int> m_colWidths;
    std::vector<Qt::Alignment> m_alignments;
    QString m_screenTitle;
    CellStyler m_styler;
    CellPainter m_painter;
    int m_updating = 0;
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

// Draws a cell like a string grid: no selection highlight, the text 2 pixels in from the left,
// the screen's colours and alignment.
class StringGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit StringGridDelegate(StringGrid* grid);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    StringGrid* m_grid;
};
