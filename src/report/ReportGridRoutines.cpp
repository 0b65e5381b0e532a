#include "report/ReportGridRoutines.h"

#include "shell/StringGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QCollator>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace reportgrid {

void SortGridByColumn(StringGrid* grid, int col)
{
    if (!grid || col < 0 || col >= grid->ColCount() || grid->RowCount() < 3)
        return;
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const int rows = grid->RowCount();
    struct Entry {
        QCollatorSortKey key;
        int row;
    };
    std::vector<Entry> entries;
    entries.reserve(size_t(rows - 1));
    for (int r = 1; r < rows; ++r) {
        const QString text = grid->Cells(col, r) + QLatin1Char('@') + grid->RowTexts(r).join(QStringLiteral("\r\n"));
        entries.push_back({collator.sortKey(text), r});
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.key.compare(b.key) < 0; });
    std::vector<int> order;
    order.reserve(entries.size());
    for (const Entry& e : entries)
        order.push_back(e.row);
    grid->ReorderRows(order);
}

int VisibleColCount(const StringGrid* grid)
{
    if (!grid)
        return 0;
    int available = grid->width() - 2 * grid->frameWidth();
    if (!AllRowsVisible(grid))
        available -= grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid);
    int used = 0;
    int count = 0;
    for (int c = 0; c < grid->ColCount(); ++c) {
        used += grid->ColWidths(c);
        if (used > available)
            break;
        ++count;
    }
    return count;
}

bool AllRowsVisible(const StringGrid* grid)
{
    if (!grid)
        return true;
    const int header = grid->horizontalHeader()->isHidden() ? 0 : grid->horizontalHeader()->sizeHint().height();
    const int room = grid->height() - 2 * grid->frameWidth() - header;
    return (grid->RowCount() - 1) * grid->DefaultRowHeight() <= room;
}

void CopyGridToClipboard(StringGrid* grid)
{
    if (!grid)
        return;
    const int cols = VisibleColCount(grid);
    QString text;
    for (int r = 0; r < grid->RowCount(); ++r) {
        for (int c = 0; c < cols; ++c) {
            text += grid->Cells(c, r);
            if (c < cols - 1)
                text += QLatin1Char('\t');
        }
        text += QStringLiteral("\r\n");
    }
    QApplication::clipboard()->setText(text);
}

bool KeepPanelInside(QWidget* window, QWidget* panel)
{
    if (!window || !panel)
        return false;
    const int H = window->height();
    const int W = window->width();
    bool moved = false;
    int top = panel->y();
    int left = panel->x();
    if (top < 0) {
        moved = true;
        top = 1;
    }
    if (top > H - 61 - panel->height()) {
        moved = true;
        top = H - 62 - panel->height();
    }
    if (left < 0) {
        moved = true;
        left = 1;
    }
    if (left > W - 1 - panel->width()) {
        moved = true;
        left = W - 2 - panel->width();
    }
    panel->move(left, top);
    return moved;
}

} // namespace reportgrid
