#include "production/AnalysisScreens.h"

#include "production/ProductionEntries.h"
#include "shell/GridRoutines.h"
#include "shell/ScreenControls.h"
#include "shell/StringGrid.h"
#include "store/DateText.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <vector>

QScrollBar* NewDayBar(QWidget* parent, const char* name)
{
    QScrollBar* bar = NewUpDownBar(parent, name, -1);
    bar->setRange(-1, 1);
    bar->setValue(0);
    return bar;
}

std::optional<QDate> SteppedDate(QScrollBar* bar, const QLineEdit* box, int position)
{
    if (position == 0)
        return std::nullopt;
    {
        const QSignalBlocker block(bar);
        bar->setValue(0);
    }
    // The date := the date - the position: up (-1) is a day later.
    if (const auto date = DateText::parse(box->text()))
        return date->addDays(-position);
    return std::nullopt;
}

void MoveRowsLast(StringGrid* grid, const std::function<bool(int row)>& last)
{
    std::vector<int> order, after;
    for (int r = 1; r < grid->RowCount(); ++r)
        (last(r) ? after : order).push_back(r);
    if (after.empty())
        return;
    order.insert(order.end(), after.begin(), after.end());
    grid->ReorderRows(order);
}

void MoveUndefinedRowsLast(StringGrid* grid)
{
    const QString undefined = Production::UndefinedText();
    MoveRowsLast(grid, [grid, &undefined](int r) {
        for (const QString& cell : grid->rows()[size_t(r)])
            if (cell == undefined)
                return true;
        return false;
    });
}

void KeepUndefinedRowsLast(StringGrid* grid)
{
    QObject::connect(grid, &StringGrid::sorted, grid, [grid] { MoveUndefinedRowsLast(grid); });
}

void SortAboveTotals(StringGrid* grid, int column)
{
    if (grid->RowCount() < 4) // a title, at most one data row and the totals
        return;
    GridUpdate update(grid);
    auto& rows = grid->rows();
    std::vector<QString> totals = std::move(rows.back());
    rows.pop_back();
    SortGridByColumn(grid, column);
    rows.push_back(std::move(totals));
}

void KeepTotalsRowLast(StringGrid* grid)
{
    grid->setSortOnTitleClick(false);
    QObject::connect(grid, &StringGrid::titleClicked, grid, [grid](int col) {
        SortAboveTotals(grid, grid->SortColumnFor(col));
    });
}
