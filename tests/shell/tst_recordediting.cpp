// The mark of the edited row that every editing screen shares: it follows its record through sorts
// and reloads, and goes with the edit or the record (the translated mode captions are tested with
// the screens' texts).
#include "accessories/TRe2Buttn.h"
#include "shell/GridRoutines.h"
#include "shell/RecordEditing.h"
#include "shell/ScreenControls.h"

#include <QLabel>
#include <QTest>


class TestRecordEditing : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void markFollowsTheEditedRecord()
    {
        QWidget screen;
        auto* grid = new StringGrid(&screen);
        grid->setColCount(2);
        const auto load = [&](const QList<QStringList>& rows) {
            GridUpdate update(grid);
            grid->rows().resize(size_t(rows.size()) + 1);
            for (int r = 0; r < rows.size(); ++r)
                grid->rows()[size_t(r) + 1].assign(rows[r].begin(), rows[r].end());
        };
        load({{"c", "1"}, {"a", "2"}, {"b", "3"}});
        QLabel* label = NewRowLabel(&screen, "Label5");
        TRe2Buttn* button = NewModeButton(&screen, "Button_Add");
        SelectedRow selected(label, grid, 1, button, &screen);

        selected.Select(1);
        QCOMPARE(grid->MarkedRow(), 0); // selected, not edited
        SetEditMode(button, true);
        QCOMPARE(grid->MarkedRow(), 1);
        QCOMPARE(grid->StyleOf(0, 1).background, MarkedRowColour);
        SortGridByColumn(grid, 0);
        selected.Relocate();
        QCOMPARE(grid->MarkedRow(), 3); // "c" sorts last
        load({{"c", "1"}, {"b", "3"}}); // reloaded: still there, now in row 1
        selected.Loaded(2);
        QCOMPARE(grid->MarkedRow(), 1);
        load({{"b", "2"}}); // reloaded without it
        selected.Loaded(1);
        QCOMPARE(grid->MarkedRow(), 0);
        QCOMPARE(label->text(), QString("0"));

        selected.Select(1);
        QCOMPARE(grid->MarkedRow(), 1);
        SetEditMode(button, false); // the edit ends
        QCOMPARE(grid->MarkedRow(), 0);
        QVERIFY(!grid->StyleOf(0, 1).background.isValid());
    }
};

QTEST_MAIN(TestRecordEditing)
#include "tst_recordediting.moc"
