// The result lists window: panels, export to text, heading sorts, closing, cell colours, resizing,
// the clients pop-up, and its print and copy buttons.

#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "report/AlPreview.h"
#include "report/FileDialog.h"
#include "report/GridPrint.h"
#include "report/TForm2.h"
#include "shell/DesktopServices.h"
#include "shell/Globals.h"
#include "shell/MessageBox.h"
#include "shell/StringGrid.h"
#include "store/Clock.h"
#include "store/CompanyCheck.h"
#include "store/RegionalSettings.h"
#include "support/LayoutCheck.h"
#include "support/ShellTestSupport.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

QStringList exportedLines()
{
    QFile f(TForm2::ExportFilePath());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void setRows(StringGrid* grid, const QList<QStringList>& rows)
{
    GridUpdate update(grid);
    grid->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        grid->setRowTexts(r, rows[r]);
}

QStringList column(StringGrid* grid, int col)
{
    QStringList texts;
    for (int r = 1; r < grid->RowCount(); ++r)
        texts << grid->Cells(col, r);
    return texts;
}

} // namespace

class TestForm2 : public QObject {
    Q_OBJECT

    ScopedRecordingDesktop* m_desktop = nullptr;

private Q_SLOTS:
    void init()
    {
        MessageBox::setTestMode(true);
        MessageBox::clearShown();
        FileDialog::setTestMode(true);
        m_desktop = new ScopedRecordingDesktop;
        Clock::setFixed(QDateTime(QDate(2024, 5, 10), QTime(9, 0)));
        QFile::remove(TForm2::ExportFilePath());
    }
    void cleanup()
    {
        delete m_desktop;
        Clock::clearFixed();
        QFile::remove(TForm2::ExportFilePath());
    }

    void opensWithEveryPanelParked()
    {
        TForm2 form;
        QCOMPARE(form.ShownPanel(), -1);
        for (int p = 0; p < TForm2::PanelCount; ++p) {
            QFrame* panel = form.PanelOf(TForm2::ListPanel(p));
            QVERIFY(panel->isHidden());
            QCOMPARE(panel->x(), 860);
            QVERIFY(form.GridOf(TForm2::ListPanel(p)));
        }
        QCOMPARE(form.GridOf(TForm2::PanelStock)->ColCount(), 9);
        QCOMPARE(form.GridOf(TForm2::PanelEncomenda)->ColCount(), 12);
        QCOMPARE(form.GridOf(TForm2::PanelProducaoPlan)->ColCount(), 8);
        QCOMPARE(form.GridOf(TForm2::PanelGeralView)->ColCount(), 7);
        QCOMPARE(form.width(), TForm2::PanelWidth - 1);
        QCOMPARE(form.height(), form.Panel_Stock->y() + form.Panel_Stock->height() - 1);
        QCOMPARE(form.SpeedButton_Close->text(), QString("r"));
        QCOMPARE(form.findChild<TRe2Buttn*>("Button_StockFile")->toolTip(), QString("Send to TXT file"));
        QCOMPARE(form.findChild<TRe2Buttn*>("Button_GeralViewCopyMem")->toolTip(), QString("Copy to Memory"));
        // The "PDF" printer is always there, so the print buttons are.
        QVERIFY(!form.Button_StockPrint->isHidden());

        form.ShowPanel(TForm2::PanelEncomenda);
        QCOMPARE(form.ShownPanel(), int(TForm2::PanelEncomenda));
        QCOMPARE(form.Panel_Encomenda->x(), 0);
        QVERIFY(form.Panel_Stock->isHidden());
        form.ShowPanel(TForm2::PanelStock);
        QCOMPARE(form.Panel_Encomenda->x(), 860);
        QVERIFY(form.Panel_Encomenda->isHidden());
    }

    void withoutPrintersThePrintButtonsAreHidden()
    {
        (*m_desktop)->printerList.clear();
        TForm2 form;
        QVERIFY(form.Button_StockPrint->isHidden());
        QVERIFY(form.Button_EncomendaPrint->isHidden());
        QVERIFY(form.Button_ProducaoPlanPrint->isHidden());
        QVERIFY(form.Button_UtilizPrint->isHidden());
        QVERIFY(!form.Button_StockFile->isHidden());
        QVERIFY(!form.Button_StockCopyMem->isHidden());
    }

    void exportWritesFixedWidthText()
    {
        StringGrid grid;
        grid.resize(400, 200);
        grid.setColCount(2);
        grid.setColWidths(0, 64);
        grid.setColWidths(1, 100);
        setRows(&grid, {{"Material", "Fornecedor"}, {"Steel", "A supplier with a long name"}, {"Açúcar", "B"}});
        TForm2::ExportGridText(&grid);
        const QStringList lines = exportedLines();
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[0], QString(" Material    Fornecedor          "));
        QCOMPARE(lines[1], QString(33, '-'));
        QCOMPARE(lines[2], QString(" Steel       A supplier with a lo"));
        QCOMPARE(lines[3], QString(" Açúcar      B                   "));
        QCOMPARE(lines[4], QString(33, '-'));
        // The editor gets the file, which stays for it to read.
        QCOMPARE((*m_desktop)->calls, QStringList{"openTextEditor " + TForm2::ExportFilePath()});
        QVERIFY(QFile::exists(TForm2::ExportFilePath()));

        // A grid with only its heading row; the next export replaces the file.
        grid.setRowCount(1);
        TForm2::ExportGridText(&grid);
        QCOMPARE(exportedLines(), QStringList({" Material    Fornecedor          ", QString(33, '-'), QString(33, '-')}));
    }

    void exportTakesTheShownColumns()
    {
        // Hidden key columns stay out; columns scrolled out of the window are kept.
        StringGrid grid;
        grid.resize(150, 200);
        grid.setColCount(4);
        grid.setColWidths(0, 60);
        grid.setColWidths(1, 0);
        grid.setColWidths(2, 60);
        grid.setColWidths(3, 60);
        setRows(&grid, {{"a", "key", "b", "c"}});
        TForm2::ExportGridText(&grid);
        QCOMPARE(exportedLines().first(),
                 " " + QString("a").leftJustified(12) + QString("b").leftJustified(12) + QString("c").leftJustified(12));
    }

    void anEditorThatCannotStartIsReported()
    {
        (*m_desktop)->result = false;
        StringGrid grid;
        TForm2::ExportGridText(&grid);
        QCOMPARE(MessageBox::shown().size(), 1);
        QVERIFY(MessageBox::lastText().contains(TForm2::ExportFilePath()));
    }

    void headingClicksSortAndDatesSortByTheirKeys()
    {
        ScopedRegionalSettings point(RegionalSettings::pointLocale());
        TForm2 form;
        StringGrid* needs = form.StringGrid5;
        setRows(needs, {{"Mat", "Stock", "", "", "", "", "Date", "", ""},
                        {"b", "1", "", "", "", "", "02/01/2025", "", "2025-01-02"},
                        {"A", "2", "", "", "", "", "15/12/2024", "", "2024-12-15"},
                        {"c", "3", "", "", "", "", "01/03/2024", "", "2024-03-01"}});
        form.GridTitleClick(TForm2::PanelStock, 0);
        QCOMPARE(column(needs, 0), QStringList({"A", "b", "c"}));
        form.GridTitleClick(TForm2::PanelStock, 6);
        QCOMPARE(column(needs, 0), QStringList({"c", "A", "b"}));
        // Through the heading itself.
        emit needs->horizontalHeader()->sectionPressed(1);
        QCOMPARE(column(needs, 1), QStringList({"1", "2", "3"}));
        emit needs->horizontalHeader()->sectionPressed(6);
        QCOMPARE(column(needs, 0), QStringList({"c", "A", "b"}));

        StringGrid* dates = form.StringGrid6;
        QStringList heading(12), one(12), two(12);
        heading[8] = "Data Final";
        one[0] = "P1";
        one[8] = "03/01/2025";
        one[10] = "2025-01-03";
        two[0] = "P2";
        two[8] = "04/12/2024";
        two[10] = "2024-12-04";
        setRows(dates, {heading, one, two});
        emit dates->horizontalHeader()->sectionPressed(8);
        QCOMPARE(column(dates, 0), QStringList({"P2", "P1"}));
    }

    void closingEmptiesTheListAndRemovesTheOrderBoxes()
    {
        TForm2 form;
        form.ShowPanel(TForm2::PanelEncomenda);
        StringGrid* dates = form.StringGrid6;
        dates->setRowCount(6);
        for (int r = 1; r <= 5; ++r) {
            dates->setCells(0, r, QString("P%1").arg(r));
            auto* box = new QComboBox(dates);
            box->setObjectName(QString("ComboBox_C%1").arg(r));
        }
        auto* other = new QComboBox(dates);
        other->setObjectName("ComboBox_Other");
        dates->resize(673, dates->height());
        form.ListBox_Cliente->show();
        QTest::mouseClick(form.Button_EncomendaClose, Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(dates->RowCount(), 2);
        QVERIFY(dates->Cells(0, 1).isEmpty());
        QCOMPARE(dates->width(), 657);
        QCOMPARE(form.Panel_Encomenda->x(), 860);
        QVERIFY(form.ListBox_Cliente->isHidden());
        for (int r = 1; r <= 5; ++r)
            QVERIFY(!form.findChild<QComboBox*>(QString("ComboBox_C%1").arg(r)));
        QVERIFY(form.findChild<QComboBox*>("ComboBox_Other"));

        // The caption's close button closes without emptying.
        form.ShowPanel(TForm2::PanelStock);
        form.StringGrid5->setCells(0, 1, "kept");
        QTest::mouseClick(form.SpeedButton_Close, Qt::LeftButton);
        QCOMPARE(form.StringGrid5->Cells(0, 1), QString("kept"));
    }

    void cellColours()
    {
        ScopedRegionalSettings point(RegionalSettings::pointLocale());
        TForm2 form;
        const QColor red(255, 0, 0);
        StringGrid* needs = form.StringGrid5;
        setRows(needs, {{"Mat", "Stock", "Res", "Enc", "Disp", "Qd", "Date", "", ""},
                        {"M1", "0", "1", "0", "-1", "2", "10/05/2024", "", ""},
                        {"M2", "5", "1", "0", "4", "2", "11/05/2024", "", ""},
                        {"M3", "x", "1", "0", "4", "2", "not a date", "", ""}});
        QCOMPARE(needs->StyleOf(1, 1).foreground, red);
        QCOMPARE(needs->StyleOf(4, 1).foreground, red);
        QCOMPARE(needs->StyleOf(6, 1).foreground, red); // today
        QVERIFY(!needs->StyleOf(1, 2).foreground.isValid());
        QVERIFY(!needs->StyleOf(6, 2).foreground.isValid()); // tomorrow
        QVERIFY(!needs->StyleOf(1, 3).foreground.isValid()); // not a number: no colour, no error
        QVERIFY(!needs->StyleOf(6, 3).foreground.isValid());
        needs->setCells(0, 1, "");
        QVERIFY(!needs->StyleOf(1, 1).foreground.isValid()); // an empty list has no colours

        StringGrid* dates = form.StringGrid6;
        setRows(dates, {QStringList(12), {"P", "T", "5", "10", " ", "-5", "", "", "", "", "", ""},
                        {"Q", "T", "5", "1", " ", "4", "", "", "", "", "", ""}});
        QCOMPARE(dates->StyleOf(5, 1).foreground, red);
        QVERIFY(!dates->StyleOf(5, 2).foreground.isValid());

        StringGrid* use = form.StringGrid16;
        use->setColCount(4);
        setRows(use, {{"Equip", "jan-24", "feb-24", "Totals"}, {"E1", "1.00", "2.00", "3.00"},
                      {"Totals  -", "1.00", "2.00", "3.00"}});
        QVERIFY(use->StyleOf(3, 1).bold);
        QCOMPARE(use->StyleOf(3, 1).foreground, QColor(0, 128, 0));
        QVERIFY(!use->StyleOf(1, 1).bold);
        QVERIFY(use->StyleOf(1, 2).bold);
        QCOMPARE(use->StyleOf(1, 2).foreground, QColor(0, 128, 0));
        QVERIFY(use->StyleOf(0, 2).bold);
        QCOMPARE(use->StyleOf(1, 1).alignment & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(use->StyleOf(0, 1).alignment & Qt::AlignHorizontal_Mask, Qt::AlignLeft);

        StringGrid* plan = form.StringGrid11;
        setRows(plan, {QStringList(8), {"Press 1", "", "", "", "", "", "", ""},
                       {"", "Prod T", "100", "2", "10/05/2024", "12/05/2024", "", ""}});
        QCOMPARE(plan->StyleOf(2, 2).alignment & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(plan->StyleOf(1, 2).alignment & Qt::AlignHorizontal_Mask, Qt::AlignLeft);

        StringGrid* global = form.StringGrid201;
        setRows(global, {QStringList(7), {"P T", "C", "100", "01/05/2024", "40", "-60", ""},
                         {"P T", "C", "50", "01/05/2024", "0", "", ""},
                         {"", "", "", "", "Total:", "110", ""}});
        QCOMPARE(global->StyleOf(5, 1).foreground, red);
        QVERIFY(!global->StyleOf(5, 2).foreground.isValid());
        QVERIFY(!global->StyleOf(5, 3).foreground.isValid());
    }

    void resizingFollowsTheWindowHeight()
    {
        TForm2 form;
        form.ShowPanel(TForm2::PanelStock);
        // Filled before it shows: the grid makes room for its scroll bar at once.
        form.StringGrid5->setRowCount(200);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.StringGrid5->width(), 673);
        form.StringGrid5->setRowCount(2);
        form.resize(form.width(), 400);
        QCOMPARE(form.Panel_Stock->height(), 383);
        QCOMPARE(form.StringGrid5->height(), 331);
        QCOMPARE(form.StringGrid5->width(), 657); // all rows fit
        QCOMPARE(form.Shape1->y(), 379);
        // Hidden panels follow too, so that any of them fits when it is shown.
        QCOMPARE(form.Panel_Utiliz->height(), 383);

        form.StringGrid5->setRowCount(200);
        form.resize(form.width(), 300);
        QCOMPARE(form.StringGrid5->width(), 673); // room for the scroll bar
        QCOMPARE(form.StringGrid5->height(), 231);

        // Dragging the grip: never below 192 pixels.
        const QPoint start = form.Shape1->mapToGlobal(QPoint(5, 1));
        QTest::mousePress(form.Shape1, Qt::LeftButton, {}, QPoint(5, 1));
        QMouseEvent up(QEvent::MouseMove, QPointF(5, -400), QPointF(start) + QPointF(0, -401), Qt::NoButton,
                       Qt::LeftButton, {});
        QCoreApplication::sendEvent(form.Shape1, &up);
        QCOMPARE(form.height(), TForm2::MinimumHeight);
        QMouseEvent down(QEvent::MouseMove, QPointF(5, -48), QPointF(start) + QPointF(0, -49), Qt::NoButton,
                         Qt::LeftButton, {});
        QCoreApplication::sendEvent(form.Shape1, &down);
        QCOMPARE(form.height(), 300 - 49);
        QTest::mouseRelease(form.Shape1, Qt::LeftButton);
        const int width = form.width();
        form.resize(width + 50, form.height());
        QCOMPARE(form.width(), width); // the width is fixed
    }

    void clientsOfAnOrderPopUpForAMoment()
    {
        TForm2 form;
        form.ShowPanel(TForm2::PanelEncomenda);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        StringGrid* dates = form.StringGrid6;
        QStringList row(12);
        row[0] = "P";
        row[4] = " ";
        row[11] = "Client A\rClient B\r";
        setRows(dates, {QStringList(12), row});
        bool shownWhileWaiting = false;
        int lines = 0;
        QTimer::singleShot(300, this, [&] {
            shownWhileWaiting = !form.ListBox_Cliente->isHidden();
            lines = form.ListBox_Cliente->count();
        });
        const QRect cell = dates->visualRect(dates->gridModel()->index(0, 4));
        QTest::mouseClick(dates->viewport(), Qt::LeftButton, {}, QPoint(cell.left() + 40, cell.center().y()));
        QTRY_VERIFY_WITH_TIMEOUT(shownWhileWaiting, 1000);
        QCOMPARE(lines, 2);
        QCOMPARE(form.ListBox_Cliente->item(1)->text(), QString("Client B"));
        QTRY_VERIFY_WITH_TIMEOUT(form.ListBox_Cliente->isHidden(), 3000);
        // A click left of the picture shows nothing.
        QTest::mouseClick(dates->viewport(), Qt::LeftButton, {}, QPoint(cell.left() + 10, cell.center().y()));
        QTest::qWait(50);
        QVERIFY(form.ListBox_Cliente->isHidden());
    }

    void printAndCopyButtonsWorkOnTheirList()
    {
        QWidget host;
        host.resize(800, 600);
        ReportPreviewPanel panel(&host);
        TForm2 form;
        form.ShowPanel(TForm2::PanelUtiliz);
        StringGrid* use = form.StringGrid16;
        use->setColCount(3);
        use->setColWidths(0, 120);
        use->setColWidths(1, 80);
        use->setColWidths(2, 80);
        setRows(use, {{"Equipamento", "jan-24", "Totals"}, {"E1", "1.00", "1.00"}, {"Totals  -", "1.00", "1.00"}});
        use->resize(657, 188);
        QTest::mouseClick(form.Button_UtilizPrint, Qt::LeftButton);
        QCOMPARE(CurrentGrid.data(), use);
        QCOMPARE(use->ScreenTitle(), LangTitle[22].trimmed());
        QVERIFY(panel.IsOnScreen());
        QCOMPARE(panel.tAlPreview1->PageCount(), 1);
        panel.Button_RepPreviewCloseClick();

        form.ShowPanel(TForm2::PanelStock);
        QTest::mouseClick(form.Button_StockPrint, Qt::LeftButton);
        QCOMPARE(CurrentGrid.data(), form.StringGrid5);
        QCOMPARE(form.StringGrid5->ScreenTitle(), QString("Necessidades de Matérias Primas"));

        QTest::mouseClick(form.Button_UtilizCopyMem, Qt::LeftButton);
        QCOMPARE(CurrentGrid.data(), use);
        QCOMPARE(QApplication::clipboard()->text(),
                 QString("Equipamento\tjan-24\tTotals\r\nE1\t1.00\t1.00\r\nTotals  -\t1.00\t1.00\r\n"));

        QTest::mouseClick(form.Button_UtilizFile, Qt::LeftButton);
        QCOMPARE(exportedLines().first(), " " + QString("Equipamento").leftJustified(24) + QString("jan-24").leftJustified(16)
                                              + QString("Totals").leftJustified(16));
    }

    // The findings of the check: one row each, the record column sorting by number, the count, the
    // moment and the company in the labels and the title; the list prints, exports and copies as
    // every list, in both languages without a cut text.
    void checkPanelListsTheFindings()
    {
        ScopedRegionalSettings point(RegionalSettings::pointLocale());
        CompanyCheck::Result result;
        result.records = 1204;
        result.findings = {{"StockMateria.DAT", 10, "date", "date", "'31/02/2026' is not a date"},
                           {"StockMateria.DAT", 9, "material", "reference", "no raw material 'PVC' in MateriasPrimas.DAT"},
                           {"Produtos.DAT", 120, "", "size", "40 bytes after the last whole record"}};
        for (const QString language : {"English", "Portuguese"}) {
            CurrentLanguage = language;
            OpenLanguageFile(QStringLiteral(QUORVALE_SOURCE_DIR "/data/Quorvale.LNG"));
            TForm2 form;
            form.ShowCheckFindings(result, "Acme");
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            QCOMPARE(form.ShownPanel(), int(TForm2::PanelCheck));
            StringGrid* grid = form.StringGrid_Check;
            QCOMPARE(grid->RowCount(), 4);
            const bool english = language == "English";
            QCOMPARE(grid->RowTexts(0).mid(0, 4), english ? QStringList({"File", "Record", "Field", "Problem"})
                                                          : QStringList({"Ficheiro", "Registo", "Campo", "Problema"}));
            QCOMPARE(grid->RowTexts(2).mid(0, 4),
                     QStringList({"StockMateria.DAT", "9", "material", "no raw material 'PVC' in MateriasPrimas.DAT"}));
            QCOMPARE(grid->ColWidths(4), 0);
            QCOMPARE(form.Label_CheckCount->text(), english ? QString("3 problem(s) in 1204 records")
                                                            : QString("3 problema(s) em 1204 registos"));
            QCOMPARE(form.Label_CheckDate->text(), "10/05/2024 09:00:00");
            const QString title = english ? "Check of the company files - Acme" : "Verificação dos ficheiros da empresa - Acme";
            QCOMPARE(form.Label_caption->text(), title);
            QCOMPARE(form.PrintTitle(TForm2::PanelCheck), title);
            const QStringList problems = testsupport::LayoutProblems(&form);
            QVERIFY2(problems.isEmpty(), qPrintable(language + ": " + problems.join('\n')));

            testsupport::pressTitle(grid, 1);
            QCOMPARE(QStringList({grid->Cells(1, 1), grid->Cells(1, 2), grid->Cells(1, 3)}), QStringList({"9", "10", "120"}));
            QTest::mouseClick(form.Button_CheckFile, Qt::LeftButton);
            QVERIFY(exportedLines().value(2).startsWith(" StockMateria.DAT"));
            QTest::mouseClick(form.Button_CheckCopyMem, Qt::LeftButton);
            QVERIFY(QApplication::clipboard()->text().contains("StockMateria.DAT\t10\tdate\t'31/02/2026' is not a date\r\n"));
            QTest::mouseClick(form.Button_CheckClose, Qt::LeftButton);
            QVERIFY(form.Panel_Check->isHidden());
            CloseLanguageFile();
        }
        CurrentLanguage = QStringLiteral("English");
    }

    // Every panel as a user sees it in both languages, filled with a list: every control inside
    // the window, none over another, no caption cut.
    void everyPanelFitsInBothLanguages()
    {
        ScopedRegionalSettings point(RegionalSettings::pointLocale());
        for (const QString language : {"English", "Portuguese"}) {
            CurrentLanguage = language;
            OpenLanguageFile(QStringLiteral(QUORVALE_SOURCE_DIR "/data/Quorvale.LNG"));
            TForm2 form;
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            for (int panel = 0; panel < TForm2::PanelCount; ++panel) {
                form.ShowPanel(TForm2::ListPanel(panel));
                form.SetCaption(LangTitle[21]);
                QCoreApplication::processEvents();
                const QStringList problems = testsupport::LayoutProblems(&form);
                QVERIFY2(problems.isEmpty(), qPrintable(QStringLiteral("%1, panel %2: ").arg(language).arg(panel) + problems.join('\n')));
            }
            CloseLanguageFile();
        }
        CurrentLanguage = QStringLiteral("English");
    }
};

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
