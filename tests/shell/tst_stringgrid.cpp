// The string grid: cells, title-row sorting, column sizing and the drawing of cells.
#include "shell/GridRoutines.h"
#include "shell/StringGrid.h"
#include "report/RecordingDevice.h"
#include "support/ShellTestSupport.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

using namespace testsupport;
using testsupport::RecordingDevice;

namespace {

// A grid of the given rows (row 0 the titles), shown at a fixed size.
std::unique_ptr<StringGrid> makeGrid(const QList<QStringList>& rows, QSize size = {300, 200})
{
    auto grid = std::make_unique<StringGrid>();
    grid->setColCount(int(rows.value(0).size()));
    grid->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        grid->setRowTexts(r, rows[r]);
    grid->resize(size);
    return grid;
}

QStringList column(const StringGrid& grid, int col)
{
    QStringList texts;
    for (int r = 1; r < grid.RowCount(); ++r)
        texts << grid.Cells(col, r);
    return texts;
}

} // namespace

class TestStringGrid : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cellsRowsAndColumns()
    {
        StringGrid grid;
        QCOMPARE(grid.RowCount(), 2);
        grid.setColCount(3);
        grid.setCells(2, 4, "far"); // writing past the end grows the grid
        QCOMPARE(grid.RowCount(), 5);
        QCOMPARE(grid.Cells(2, 4), QString("far"));
        QCOMPARE(grid.Cells(1, 4), QString());
        QCOMPARE(grid.Cells(7, 1), QString()); // outside: empty, no crash
        QCOMPARE(grid.model()->rowCount(), 4);  // the title row is the header, not a model row
        grid.setCells(0, 0, "Produto");
        QCOMPARE(grid.model()->headerData(0, Qt::Horizontal).toString(), QString("Produto"));

        grid.setColWidths(1, 0);
        QVERIFY(grid.isColumnHidden(1));
        QCOMPARE(grid.VisibleColumns(), QList<int>({0, 2}));
        grid.setColWidths(1, 40);
        QVERIFY(!grid.isColumnHidden(1));
        QCOMPARE(grid.columnWidth(1), 40);

        QCOMPARE(grid.Row(), 1); // no current cell yet: the first data row
        grid.setRow(3);
        QCOMPARE(grid.Row(), 3);
        grid.setRowCount(0); // never below the title row
        QCOMPARE(grid.RowCount(), 1);
        QCOMPARE(grid.Row(), 0);
    }

    void titlePressSortsCaseInsensitively()
    {
        auto grid = makeGrid({{"Name", "Qty"}, {"b", "1"}, {"A", "2"}, {"c", "3"}});
        grid->show();
        QSignalSpy sorted(grid.get(), &StringGrid::sorted);
        clickCell(grid.get(), 0, 2); // a data row does not sort
        QCOMPARE(column(*grid, 0), QStringList({"b", "A", "c"}));
        pressTitle(grid.get(), 0);
        QCOMPARE(column(*grid, 0), QStringList({"A", "b", "c"}));
        QCOMPARE(column(*grid, 1), QStringList({"2", "1", "3"})); // rows move whole
        QCOMPARE(sorted.count(), 1);

        // Numbers sort as text.
        grid->setRowTexts(1, {"x", "9"});
        grid->setRowTexts(2, {"y", "10"});
        grid->setRowTexts(3, {"z", "100"});
        pressTitle(grid.get(), 1);
        QCOMPARE(column(*grid, 1), QStringList({"10", "100", "9"}));

        // A title can sort by a hidden key column; the sort can be switched off.
        grid->setTitleSortColumn(0, 1);
        grid->setRowTexts(1, {"a", "3"});
        grid->setRowTexts(2, {"b", "2"});
        grid->setRowTexts(3, {"c", "1"});
        pressTitle(grid.get(), 0);
        QCOMPARE(column(*grid, 0), QStringList({"c", "b", "a"}));
        grid->setSortOnTitleClick(false);
        pressTitle(grid.get(), 1);
        QCOMPARE(column(*grid, 0), QStringList({"c", "b", "a"}));
    }

    void mousePressReportsTheCell()
    {
        auto grid = makeGrid({{"A", "B"}, {"1", "2"}, {"3", "4"}});
        grid->show();
        QSignalSpy pressed(grid.get(), &StringGrid::mousePressed);
        clickCell(grid.get(), 1, 2);
        pressTitle(grid.get(), 0);
        QCOMPARE(pressed.count(), 2);
        QCOMPARE(pressed[0][2].toInt(), 1);
        QCOMPARE(pressed[0][3].toInt(), 2);
        QCOMPARE(pressed[1][2].toInt(), 0);
        QCOMPARE(pressed[1][3].toInt(), 0);
        int col, row;
        grid->MouseToCell(pressed[0][1].toPoint(), col, row);
        QCOMPARE(QPoint(col, row), QPoint(1, 2));
        QVERIFY(grid->CellRect(1, 2).contains(pressed[0][1].toPoint()));
    }

    void columnSharesAndFirstColumnFit()
    {
        auto grid = makeGrid({{"A", "B", "C", "D"}, {"1", "2", "3", "4"}}, {404, 200});
        grid->setColWidths(3, 30);
        const int inner = grid->width() - 2 * grid->frameWidth();
        grid->setColumnShares({0.41, 0.14, 0.45});
        QCOMPARE(grid->ColWidths(0), qRound(inner * 0.41));
        QCOMPARE(grid->ColWidths(1), qRound(inner * 0.14));
        QCOMPARE(grid->ColWidths(3), 30); // after the shares: its own width
        QVERIFY(grid->ColWidths(0) + grid->ColWidths(1) + grid->ColWidths(2) <= inner);
        const int full = grid->ColWidths(0);

        // Enough rows for a scroll bar: column 0 yields its width, once however often it is fitted.
        grid->setRowCount(200);
        QVERIFY(grid->NeedsVerticalScrollBar());
        QCOMPARE(grid->ColWidths(0), full - grid->ScrollBarWidth());
        FitFirstColumn(grid.get(), 1);
        FitFirstColumn(grid.get(), 1);
        QCOMPARE(grid->ColWidths(0), full - grid->ScrollBarWidth());
        // The rows go, the width comes back.
        grid->setRowCount(2);
        QCOMPARE(grid->ColWidths(0), full);

        // A resize applies the shares again.
        grid->show();
        grid->resize(604, 200);
        QCOMPARE(grid->ColWidths(0), qRound((604 - 2 * grid->frameWidth()) * 0.41));
    }

    void visibleRowsAndScrollBar()
    {
        auto grid = makeGrid({{"A"}, {"1"}}, {200, 0});
        const int rh = grid->DefaultRowHeight();
        const int chrome = 2 * grid->frameWidth() + grid->horizontalHeader()->sizeHint().height();
        grid->resize(100, chrome + 5 * rh);
        grid->setColWidths(0, 50);
        QCOMPARE(grid->VisibleRowCount(), 5);
        grid->setRowCount(6); // 5 data rows fit
        QVERIFY(!grid->NeedsVerticalScrollBar());
        grid->setRowCount(7);
        QVERIFY(grid->NeedsVerticalScrollBar());
    }

    void drawingCells()
    {
        auto grid = makeGrid({{"Produto", "Stock", "Un"}, {"Parafuso", "-5", "kg"}, {"Porca", "12", "un"}}, {260, 100});
        grid->setColWidths(0, 100);
        grid->setColWidths(1, 70);
        grid->setColWidths(2, 60);
        grid->setCellStyler([&](int col, int row, CellStyle& s) {
            if (row >= 1 && col == 1 && grid->Cells(1, row).startsWith('-'))
                s.foreground = QColor(255, 0, 0);
            if (row >= 1 && col == 2)
                s.background = QColor(0, 200, 0);
            if (row == 0 && col == 2) {
                s.alignment = Qt::AlignHCenter | Qt::AlignTop;
                s.bold = false;
            }
        });
        QPixmap picture(8, 8);
        picture.fill(QColor(0, 0, 255));
        grid->setCellPainter([&](QPainter* p, const QRect& rect, int col, int row) {
            if (row >= 1 && col == 0)
                DrawCellPicture(p, rect, picture, rect.width() - 10);
            return false; // the text is written too
        });
        grid->show();
        grid->setFocus();
        grid->setRow(1); // selected and current
        QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
        const QImage image = grid->grab().toImage();

        auto cellPixel = [&](int col, int row, int dx, int dy) {
            const QRect r = grid->CellRect(col, row);
            return image.pixelColor(r.left() + dx, r.top() + dy);
        };
        // A selected cell looks like an unselected one: the window colour behind it.
        QCOMPARE(cellPixel(1, 1, 4, grid->DefaultRowHeight() - 3), grid->palette().color(QPalette::Base));
        // The coloured column, the picture and the red negative.
        QCOMPARE(cellPixel(2, 1, 1, 1), QColor(0, 200, 0));
        QCOMPARE(cellPixel(2, 2, 1, 1), QColor(0, 200, 0));
        QCOMPARE(cellPixel(0, 1, grid->ColWidths(0) - 7, grid->DefaultRowHeight() / 2), QColor(0, 0, 255));
        bool red = false;
        const QRect negative = grid->CellRect(1, 1);
        for (int x = negative.left(); x < negative.right(); ++x)
            for (int y = negative.top(); y < negative.bottom(); ++y)
                red = red || image.pixelColor(x, y) == QColor(255, 0, 0);
        QVERIFY(red);
        // Title cells on the button face.
        QCOMPARE(cellPixel(1, 0, 5, grid->DefaultRowHeight() - 3), grid->palette().color(QPalette::Button));
    }

    // A text longer than its column is drawn cut with "…" and shown whole as the cell's tool tip; a
    // double click on the column's border in the title row fits the column, until the next resize
    // applies the shares again.
    void longTextsAreElidedAndFitOnDemand()
    {
        const QString name = "Caixa Organizadora Transparente";
        auto grid = makeGrid({{"Produto", "Quant/un."}, {name, "1"}, {"Balde", "2"}}, {240, 120});
        grid->setColumnShares({0.25, 0.25});
        grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
        const int shared = grid->ColWidths(0);
        auto drawn = [&] {
            RecordingDevice device(240, 120);
            grid->render(&device);
            return device.textList();
        };
        QStringList texts = drawn();
        const auto cut = std::find_if(texts.begin(), texts.end(), [](const QString& t) { return t.startsWith("Caixa"); });
        QVERIFY(cut != texts.end());
        QVERIFY2(cut->endsWith(QChar(0x2026)) && cut->size() < name.size(), qPrintable(*cut));
        QVERIFY(QFontMetrics(grid->font()).horizontalAdvance(*cut) <= grid->ColWidths(0) - 4);
        QVERIFY(texts.contains("Balde") && texts.contains("1"));
        QCOMPARE(grid->CellToolTip(0, 1), name);
        QCOMPARE(grid->gridModel()->data(grid->gridModel()->index(0, 0), Qt::ToolTipRole).toString(), name);
        QVERIFY(grid->CellToolTip(0, 2).isEmpty());
        QVERIFY(!grid->gridModel()->data(grid->gridModel()->index(1, 0), Qt::ToolTipRole).isValid());

        // The pointer resting on the cell shows the tool tip.
        const QRect cell = grid->visualRect(grid->gridModel()->index(0, 0));
        QHelpEvent help(QEvent::ToolTip, cell.center(), grid->viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(grid->viewport(), &help);
        QTRY_COMPARE(QToolTip::text(), name);
        QToolTip::hideText();

        // A double click on the right border of the title of column 0.
        QHeaderView* header = grid->horizontalHeader();
        const QPoint border(header->sectionViewportPosition(0) + header->sectionSize(0) - 1, header->height() / 2);
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, border);
        QCOMPARE(grid->ColWidths(0), grid->ContentWidth(0));
        QVERIFY(grid->ColWidths(0) > QFontMetrics(grid->font()).horizontalAdvance(name));
        QVERIFY(grid->CellToolTip(0, 1).isEmpty());
        QVERIFY(drawn().contains(name));
        QCOMPARE(column(*grid, 0), QStringList({name, "Balde"})); // the press on the border did not sort

        grid->resize(241, 120);
        QVERIFY(qAbs(grid->ColWidths(0) - shared) <= 1);
    }

    void boldTitlesAndStyles()
    {
        StringGrid grid;
        grid.setColCount(2);
        grid.setColumnAlignment(1, Qt::AlignRight | Qt::AlignTop);
        QVERIFY(grid.StyleOf(0, 0).bold);
        QVERIFY(!grid.StyleOf(0, 1).bold);
        QCOMPARE(grid.StyleOf(1, 1).alignment, Qt::AlignRight | Qt::AlignTop);
        QCOMPARE(grid.StyleOf(1, 0).alignment, Qt::AlignLeft | Qt::AlignTop); // titles keep theirs
    }
};

QTEST_MAIN(TestStringGrid)
#include "tst_stringgrid.moc"
