// Printing and previewing through the main window: File > Print Grid..., Print Preview... and the
// toolbar buttons, with a hosted screen.

#include "accessories/TRe2Buttn.h"
#include "i18n/IniFile.h"
#include "i18n/Language.h"
#include "i18n/Settings.h"
#include "report/AlPreview.h"
#include "report/FileDialog.h"
#include "report/GridPrint.h"
#include "report/TForm2.h"
#include "report/TForm5.h"
#include "shell/DesktopServices.h"
#include "shell/Globals.h"
#include "shell/MenuTable.h"
#include "shell/MessageBox.h"
#include "shell/ScreenForm.h"
#include "shell/StringGrid.h"
#include "shell/TForm1.h"
#include "support/ProgramHome.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using testsupport::ProgramHome;

namespace {

const QByteArray kOneCompany = "[Options]\r\nLastSuplier=Test_database\r\n"
                               "[Supliers]\r\nNumber=1\r\nSup1=Test_database\r\n";

// A hosted screen with 100 rows in its grid.
class ListScreen : public ScreenForm {
public:
    explicit ListScreen(QWidget* parent) : ScreenForm(parent)
    {
        close = new TRe2Buttn(QStringLiteral("Close"), this);
        grid = new StringGrid(this);
        grid->setGeometry(0, 30, 400, 300);
        GridUpdate update(grid);
        grid->setColCount(3);
        grid->setRowCount(101);
        for (int r = 0; r <= 100; ++r)
            grid->setRowTexts(r, {QString("name%1").arg(r), QString::number(r), QString::number(r * 2)});
        connect(close, &QAbstractButton::clicked, this, [this] { CloseScreen(); });
    }
    QAbstractButton* CloseButton() const override { return close; }
    StringGrid* MainGrid() const override { return grid; }
    TRe2Buttn* close;
    StringGrid* grid;
};

QAction* item(TForm1& form, const char* name) { return form.MenuItem(QString::fromLatin1(name)); }

void startCompany(TForm1& form)
{
    auto* combo = form.findChild<QComboBox*>("ComboBox_Suplier");
    combo->setCurrentIndex(combo->findText("Test_database"));
    emit combo->activated(combo->currentIndex());
    form.findChild<TRe2Buttn*>("Button_Suplier")->click();
}

} // namespace

class TestPrintMenu : public QObject {
    Q_OBJECT

    ProgramHome* m_home = nullptr;
    ScopedRecordingDesktop* m_desktop = nullptr;
    ScreenFactory m_saved;

private Q_SLOTS:
    void init()
    {
        MessageBox::setTestMode(true);
        MessageBox::clearShown();
        FileDialog::setTestMode(true);
        FileDialog::clearAsked();
        m_home = new ProgramHome(kOneCompany);
        m_desktop = new ScopedRecordingDesktop;
        MenuCommand* command = FindMenuCommand("menu_EditFornecedor");
        m_saved = command->factory;
        command->factory = NewScreen<ListScreen>;
    }
    void cleanup()
    {
        FindMenuCommand("menu_EditFornecedor")->factory = m_saved;
        delete m_desktop;
        delete m_home;
        FileDialog::setTestMode(false);
    }

    void previewThroughTheMenuAndTheToolbar()
    {
        TForm1 form;
        form.show();
        startCompany(form);
        item(form, "menu_EditFornecedor")->trigger();
        auto* screen = form.findChild<ListScreen*>();
        QVERIFY(screen);
        // The built-in "PDF" printer is always there: the print items are enabled with a screen.
        QVERIFY(item(form, "menu_FilePrint")->isEnabled());
        QVERIFY(item(form, "menu_PrintPreview")->isEnabled());

        item(form, "menu_PrintPreview")->trigger();
        auto* panel = form.findChild<ReportPreviewPanel*>("Panel_ReportPreview");
        QVERIFY(panel);
        QVERIFY(panel->IsOnScreen() && panel->isEnabled());
        QVERIFY(screen->isHidden());
        QCOMPARE(form.HelpContext(), 15);
        QTRY_VERIFY(panel->tAlPreview1->AllPagesKnown());
        QCOMPARE(panel->tAlPreview1->PageCount(), 2);

        QTest::mouseClick(panel->Button_RepPreviewClose, Qt::LeftButton);
        QVERIFY(!panel->IsOnScreen());
        QVERIFY(!screen->isHidden());
        QCOMPARE(ProgramIni->ReadString("Options", "Paperorient", ""), QString("Portrait"));

        // The toolbar's preview button; then another screen opens over the preview.
        auto* button = form.findChild<QToolButton*>("SpeedButton_PrintPreview");
        button->setEnabled(true);
        button->click();
        QVERIFY(panel->IsOnScreen());
        item(form, "menu_EditFornecedor")->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!panel->IsOnScreen());
        QVERIFY(!panel->ReportForm());
        auto* second = form.findChild<ListScreen*>();
        QVERIFY(second && !second->isHidden());
    }

    void printThroughTheMenuToPdf()
    {
        TForm1 form;
        form.show();
        startCompany(form);
        item(form, "menu_EditFornecedor")->trigger();
        testsupport::TempFolder out;
        FileDialog::setNextFileName(out.file("grid.pdf"));
        item(form, "menu_FilePrint")->trigger();
        QVERIFY(testsupport::readFile(out.file("grid.pdf")).startsWith("%PDF"));
        auto* panel = form.findChild<ReportPreviewPanel*>("Panel_ReportPreview");
        QVERIFY(!panel->IsOnScreen());
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(ProgramIni->ReadString("Options", "Papersize", ""), QString("A4"));
    }

    void theResultListsPreviewInTheMainWindow()
    {
        TForm1 form;
        form.show();
        startCompany(form);
        item(form, "menu_EditFornecedor")->trigger();
        TForm2 lists(&form);
        lists.ShowPanel(TForm2::PanelGeralView);
        lists.StringGrid201->setRowTexts(1, {"Cadeira Azul", "Client", "100", "01/05/2024", "40", "-60", ""});
        lists.PlaceBelow(&form);
        QTest::mouseClick(lists.Button_GeralViewPrint, Qt::LeftButton);
        auto* panel = form.findChild<ReportPreviewPanel*>("Panel_ReportPreview");
        QVERIFY(panel->IsOnScreen());
        QCOMPARE(panel->ReportForm()->AlReport->ReportTitle, LangTitle[23]);
        QCOMPARE(CurrentGrid.data(), lists.StringGrid201);

        // Closing the list gives the printing back to the screen (and its title to the history);
        // the preview still shows the list, also after the paper options rebuild it.
        auto* screen = form.findChild<ListScreen*>();
        QTest::mouseClick(lists.Button_GeralViewClose, Qt::LeftButton);
        QCOMPARE(CurrentGrid.data(), screen->grid);
        QVERIFY(lists.StringGrid201->Cells(0, 1).isEmpty());
        panel->Button_RepPreviewOptionsClick();
        panel->RadioButton_PaperL->setChecked(true);
        panel->Button_RepPreviewOptOkClick();
        QCOMPARE(panel->ReportForm()->AlReport->ReportTitle, LangTitle[23]);
        QCOMPARE(panel->ReportForm()->AlField(10)->Lines, QStringList{"Cadeira Azul"});
        panel->Button_RepPreviewCloseClick();
        QTest::mouseClick(lists.Button_GeralViewCopyMem, Qt::LeftButton);
        QCOMPARE(CurrentGrid.data(), lists.StringGrid201);
        lists.SpeedButton_Close->click();
        QCOMPARE(CurrentGrid.data(), screen->grid);
    }
};

QTEST_MAIN(TestPrintMenu)
#include "tst_printmenu.moc"
