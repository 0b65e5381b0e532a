// The shared grid routines: sorting, clipboard text, gradient, totals, sizing, two-column list
// items and the drag of pop-up panels.
#include "shell/Globals.h"
#include "shell/GridRoutines.h"
#include "shell/PanelDrag.h"
#include "store/RegionalSettings.h"
#include "support/ShellTestSupport.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace testsupport;

namespace {

void fill(StringGrid& grid, const QList<QStringList>& rows)
{
    grid.setColCount(int(rows.value(0).size()));
    grid.setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        grid.setRowTexts(r, rows[r]);
}

QList<QStringList> contents(const StringGrid& grid)
{
    QList<QStringList> rows;
    for (int r = 0; r < grid.RowCount(); ++r)
        rows << grid.RowTexts(r);
    return rows;
}

void send(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, at, w->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : button, buttons, {});
    QCoreApplication::sendEvent(w, &e);
}

} // namespace

class TestGridRoutines : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sortKeepsKeysAndRowsWhole()
    {
        StringGrid grid;
        // Keys holding the old separator characters stay whole; cells keep their line breaks.
        fill(grid, {{"K", "V"}, {"a@b", "1"}, {"a", "2\r\nx"}, {"A@a", "3"}});
        grid.setRow(2);
        SortGridByColumn(&grid, 0);
        QCOMPARE(contents(grid), QList<QStringList>({{"K", "V"}, {"a", "2\r\nx"}, {"A@a", "3"}, {"a@b", "1"}}));
        QCOMPARE(grid.Row(), 2); // the current row number stays

        // Equal keys (ignoring case) are ordered by the rest of the row, then stay as they were.
        fill(grid, {{"K", "V"}, {"x", "2"}, {"X", "1"}, {"x", "1"}, {"b", "9"}});
        SortGridByColumn(&grid, 0);
        QCOMPARE(contents(grid), QList<QStringList>({{"K", "V"}, {"b", "9"}, {"X", "1"}, {"x", "1"}, {"x", "2"}}));

        // Short rows, a lone data row and a column outside the grid do no harm.
        fill(grid, {{"K", "V"}, {"b"}, {"a", "1"}});
        SortGridByColumn(&grid, 1);
        QCOMPARE(grid.Cells(0, 1), QString("b"));
        SortGridByColumn(&grid, 9);
        grid.setRowCount(2);
        SortGridByColumn(&grid, 0);
        QCOMPARE(grid.Cells(0, 1), QString("b"));
    }

    void copyFormat()
    {
        StringGrid grid;
        fill(grid, {{"a", "b", "c"}, {"d", "e", "f"}});
        CopyGridToClipboard(&grid);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("a\tb\tc\r\nd\te\tf\r\n"));

        // Hidden columns are not copied; Copy to Memory takes the hosted screen's grid.
        grid.setColWidths(1, 0);
        CurrentGrid = &grid;
        CopyToMemory();
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("a\tc\r\nd\tf\r\n"));
        CurrentGrid = nullptr;
        QGuiApplication::clipboard()->setText("kept");
        CopyToMemory();
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("kept"));
    }

    void gradientBands()
    {
        const QColor top(197, 228, 252), white(255, 255, 255);
        auto bands = GradientBands(80, 100, top, white);
        QCOMPARE(int(bands.size()), 101);
        for (int i = 0; i <= 100; ++i)
            QCOMPARE(bands[size_t(i)].rect, QRect(0, 2 * i, 80, 2));
        QCOMPARE(bands.front().color, top);
        QCOMPARE(bands.back().color, white);
        QCOMPARE(bands[50].color, QColor(226, 241, 253));
        // Falling colours truncate towards zero as well.
        bands = GradientBands(10, 100, white, QColor(0, 0, 0));
        QCOMPARE(bands[33].color, QColor(171, 171, 171));

        QVERIFY(GradientBands(80, 0, top, white).empty());
        bands = GradientBands(80, 100, top, white, 8);
        QCOMPARE(int(bands.size()), 51);
        QCOMPARE(bands[1].rect.top(), 3);
        QCOMPARE(int(GradientBands(80, 100, top, white, 4).size()), 5);
        bands = GradientBands(80, 600, top, white);
        QCOMPARE(int(bands.size()), 251);
        QCOMPARE(bands[1].rect.height(), 3);

        // Painting fills the window from the top colour down.
        QWidget window;
        window.resize(40, 100);
        QImage image(40, 100, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        PaintGradient(&window, painter, top, white);
        painter.end();
        QCOMPARE(image.pixelColor(0, 0), top);
        QCOMPARE(image.pixelColor(39, 99), GradientBands(40, 100, top, white)[49].color);
    }

    void totals()
    {
        ScriptedMessages messages;
        StringGrid grid;
        fill(grid, {{"Produto", "Jan"}, {"p1", "2"}, {"p2", " "}, {"p3", "3"}});
        QVERIFY(AddGridTotals(&grid, 0));
        QCOMPARE(contents(grid), QList<QStringList>({{"Produto", "Jan", "Totals"},
                                                     {"p1", "2", "2"},
                                                     {"p2", " ", "0"},
                                                     {"p3", "3", "3"},
                                                     {"Totals  -", "5", "5"}}));

        // Decimals with the local separator; sums are not rounded on the way.
        ScopedRegionalSettings comma(RegionalSettings::commaLocale());
        fill(grid, {{"E", "a", "b"}, {"x", "1,5", "0,004"}, {"y", "2,25", "0,004"}, {"z", " ", "0,004"}});
        QVERIFY(AddGridTotals(&grid, 2));
        QCOMPARE(grid.RowTexts(4), QStringList({"Totals  -", "3,75", "0,01", "3,76"}));
        QCOMPARE(grid.Cells(3, 1), QString("1,50"));
        QCOMPARE(grid.Cells(3, 3), QString("0,00"));
        QCOMPARE(messages.count(), 0);
    }

    void totalsOfABadCellChangeNothing()
    {
        ScriptedMessages messages;
        StringGrid grid;
        for (const QString& bad : {QString("abc"), QString("")}) {
            fill(grid, {{"P", "Jan", "Feb"}, {"p1", "2", "1"}, {"p2", bad, "4"}});
            const auto before = contents(grid);
            QVERIFY(!AddGridTotals(&grid, 0));
            QCOMPARE(contents(grid), before);
            QCOMPARE(grid.ColCount(), 3);
            QCOMPARE(messages.texts().last(), "'" + bad + "' is not a valid floating point value");
            QCOMPARE(MessageBox::shown().last().kind, MessageBox::Error);
        }
    }

    void widenForScrollBar()
    {
        StringGrid grid;
        grid.resize(200, 120);
        grid.setRowCount(3);
        WidenForScrollBar(&grid, 1);
        QCOMPARE(grid.width(), 200);
        grid.setRowCount(50);
        WidenForScrollBar(&grid, 0);
        QCOMPARE(grid.width(), 200);
        WidenForScrollBar(&grid, 1);
        QCOMPARE(grid.width(), 216);
    }

    void repaintOnTabOrAlt()
    {
        QWidget window;
        new QPushButton("b", &window);
        new QCheckBox("c", &window);
        new QRadioButton("r", &window);
        new QLabel("l", &window);
        auto* inner = new QWidget(&window);
        new QPushButton("nested", inner);
        QCOMPARE(RepaintOnTabOrAlt(&window, Qt::Key_Tab), 3);
        QCOMPARE(RepaintOnTabOrAlt(&window, Qt::Key_Alt), 3);
        QCOMPARE(RepaintOnTabOrAlt(&window, Qt::Key_A), 0);
    }

    void twoColumnItems()
    {
        QComboBox list;
        list.addItems({"AB\tCD", "( show all )\t"});
        list.resize(220, 24);
        auto* delegate = SetTwoColumnItems(&list, 100);
        QCOMPARE(list.itemDelegate(), delegate);

        QImage image(220, 20, QImage::Format_RGB32);
        QPainter painter(&image);
        DrawTwoColumnItem(&list, &painter, 0, image.rect(), QStyle::State_Enabled, 100);
        painter.end();
        const QColor base = list.palette().color(QPalette::Base);
        QCOMPARE(image.pixelColor(0, 0), base);
        // Ink of the first part starts at the left, that of the second at the offset.
        auto inkColumns = [&](int from, int to) {
            QList<int> xs;
            for (int x = from; x < to; ++x)
                for (int y = 0; y < image.height(); ++y)
                    if (image.pixelColor(x, y) != base) {
                        xs << x;
                        break;
                    }
            return xs;
        };
        QVERIFY(!inkColumns(0, 40).isEmpty());
        QVERIFY(inkColumns(40, 101).isEmpty());
        QVERIFY(!inkColumns(101, 130).isEmpty());

        // A selected item takes the highlight colour.
        QPainter selected(&image);
        DrawTwoColumnItem(&list, &selected, 1, image.rect(), QStyle::State_Enabled | QStyle::State_Selected, 100);
        selected.end();
        QCOMPARE(image.pixelColor(219, 19), list.palette().color(QPalette::Active, QPalette::Highlight));
    }

    void panelDragStaysInside()
    {
        QWidget window;
        window.resize(400, 300);
        auto* panel = new QWidget(&window);
        panel->setGeometry(50, 50, 100, 50);
        PanelDrag::attach(panel, panel);

        send(panel, QEvent::MouseButtonPress, {10, 10});
        QVERIFY(Dragging);
        send(panel, QEvent::MouseMove, {30, 15});
        QCOMPARE(panel->pos(), QPoint(70, 55));
        // Past the left edge: back at left 1, and the drag is over.
        send(panel, QEvent::MouseMove, {-100, 10});
        QCOMPARE(panel->pos(), QPoint(1, 55));
        QVERIFY(!Dragging);
        send(panel, QEvent::MouseMove, {40, 10});
        QCOMPARE(panel->pos(), QPoint(1, 55));
        // Pressed again it moves; too low lands at H - 62 - height; release ends the drag.
        send(panel, QEvent::MouseButtonPress, {10, 10});
        send(panel, QEvent::MouseMove, {10, 400});
        QCOMPARE(panel->pos(), QPoint(1, 300 - 62 - 50));
        send(panel, QEvent::MouseButtonPress, {10, 10});
        send(panel, QEvent::MouseButtonRelease, {10, 10});
        QVERIFY(!Dragging);

        // Right and top edges.
        panel->move(500, -5);
        KeepPanelInside(&window, panel);
        QCOMPARE(panel->pos(), QPoint(400 - 2 - 100, 1));
    }
};

QTEST_MAIN(TestGridRoutines)
#include "tst_gridroutines.moc"
