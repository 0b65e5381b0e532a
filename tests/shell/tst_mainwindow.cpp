// The main window driven through its menu actions and controls: start-up, the company chooser,
// hosting of screens, the history list, captions, keys and shutdown.
#include "accessories/ProgramInfo.h"
#include "accessories/TRe2Buttn.h"
#include "i18n/IniFile.h"
#include "i18n/Language.h"
#include "i18n/Settings.h"
#include "shell/Application.h"
#include "shell/DesktopServices.h"
#include "shell/Globals.h"
#include "shell/GridPrinting.h"
#include "shell/MenuTable.h"
#include "shell/MessageBox.h"
#include "shell/ScreenForm.h"
#include "shell/StringGrid.h"
#include "shell/TForm1.h"
#include "report/TForm2.h"
#include "store/Records.h"
#include "support/ShellTestSupport.h"
#include "support/LayoutCheck.h"
#include "support/ProgramHome.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>
#include <QTimer>
#include <QWheelEvent>

using testsupport::ProgramHome;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

const QByteArray kOneCompany = "[Options]\r\nLastSuplier=Test_database\r\n"
                               "[Supliers]\r\nNumber=1\r\nSup1=Test_database\r\n";

// A hosted screen with a Close button and a grid, as every working screen has.
class TestScreen : public ScreenForm {
public:
    explicit TestScreen(QWidget* parent) : ScreenForm(parent)
    {
        ++created;
        close = new TRe2Buttn(QStringLiteral("Close"), this);
        close->setObjectName(QStringLiteral("Button_TestClose"));
        grid = new StringGrid(this);
        grid->setObjectName(QStringLiteral("StringGrid_Test"));
        grid->setGeometry(0, 30, 300, 200);
        grid->setColCount(3);
        grid->setRowCount(4);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 3; ++c)
                grid->setCells(c, r, QStringLiteral("%1%2").arg(QChar('a' + c)).arg(r));
        connect(close, &QAbstractButton::clicked, this, [this] { CloseScreen(); });
    }
    ~TestScreen() override { ++released; }
    QAbstractButton* CloseButton() const override { return close; }
    StringGrid* MainGrid() const override { return grid; }

    TRe2Buttn* close;
    StringGrid* grid;
    static int created;
    static int released;
};
int TestScreen::created = 0;
int TestScreen::released = 0;

// Installs the test screen as the screen of some menu commands for the lifetime of the object.
class ScopedScreens {
public:
    explicit ScopedScreens(const QStringList& items)
    {
        for (const QString& item : items) {
            MenuCommand* c = FindMenuCommand(item);
            m_saved.append({item, c->factory});
            c->factory = NewScreen<TestScreen>;
        }
    }
    ~ScopedScreens()
    {
        for (const auto& [item, factory] : m_saved)
            FindMenuCommand(item)->factory = factory;
    }

private:
    QList<QPair<QString, ScreenFactory>> m_saved;
};

template <class T>
T* child(QObject* form, const char* name)
{
    T* w = form->findChild<T*>(QString::fromLatin1(name));
    if (!w)
        qFatal("no %s", name);
    return w;
}

QAction* item(TForm1& form, const char* name)
{
    QAction* a = form.MenuItem(QString::fromLatin1(name));
    if (!a)
        qFatal("no menu item %s", name);
    return a;
}

void startCompany(TForm1& form, const QString& company)
{
    auto* combo = child<QComboBox>(&form, "ComboBox_Suplier");
    combo->setCurrentIndex(combo->findText(company));
    emit combo->activated(combo->currentIndex());
    child<TRe2Buttn>(&form, "Button_Suplier")->click();
}

void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        testsupport::PrepareMainWindowTests();
    }
    void init()
    {
        MessageBox::clearShown();
        MessageBox::clearAnswers();
        CurrentLanguage = QStringLiteral("English");
    }

    void installationAndLanguageFileChecks()
    {
        {
            ProgramHome home("", {false, true, true});
            TForm1 form;
            QVERIFY(form.TerminateRequested());
            QCOMPARE(MessageBox::shownTexts(), QStringList{TForm1::InstallationMessage()});
        }
        MessageBox::clearShown();
        {
            ProgramHome home("", {true, false, true});
            TForm1 form;
            QVERIFY(form.TerminateRequested());
        }
        // A missing language file: the box of the language, the program ends, built-in texts meanwhile.
        const QList<QPair<QByteArray, QString>> cases{
            {"English", "No language file !  Please reinstall."},
            {"Portuguese", "Sem ficheiro de linguagem !  Reinstale, por favor."},
            {"Klingon", QString()}};
        for (const auto& [language, text] : cases) {
            MessageBox::clearShown();
            ProgramHome home("[Options]\r\nLanguage=" + language + "\r\n", {true, true, false});
            TForm1 form;
            QVERIFY(form.TerminateRequested());
            QCOMPARE(MessageBox::shownTexts(), text.isEmpty() ? QStringList() : QStringList{text});
            QCOMPARE(form.windowTitle(), QString("Quorvale"));
            QCOMPARE(item(form, "menu_File")->text(), QString("&File"));
            QCOMPARE(LangMsg[22], QString("No record selected !"));
        }
    }

    void menusToolbarAndPanels()
    {
        ProgramHome home(kOneCompany);
        TForm1 form;
        QVERIFY(!form.TerminateRequested());
        const QStringList names{
            "menu_File", "menu_FileNew", "menu_FileOpen", "menu_FileDelete", "menu_FileOptions", "menu_FilePrint",
            "menu_PrintPreview", "menu_CopytoMemory", "menu_FileExit", "menu_N1", "menu_N2", "menu_N3",
            "menu_EditDefinicoes", "menu_EditMateriaPrima", "menu_EditProduto", "menu_EditFornecedor",
            "menu_EditCliente", "menu_EditEquip", "menu_EditTools", "menu_EditStocks", "menu_EditStockMatPrima",
            "menu_EditStockProduto", "menu_EditProducao", "menu_EditProducaoEntradas", "menu_EditEncomendas",
            "menu_EditEncomMatPrima", "menu_EditEncomProduto", "menu_Plan", "menu_PlanStockMatPrima",
            "menu_PlanEncomenda", "menu_PlanProducao", "menu_ViewGlobal", "menu_View", "menu_ViewStock",
            "menu_ViewStockMatPrima", "menu_ViewStockProduto", "menu_ViewProduto", "menu_ViewProdDefinicao",
            "menu_ViewMovimentos", "menu_ViewMovimMatPrima", "menu_ViewMovimProduto", "menu_ViewEncomendas",
            "menu_ViewEncomMatPrima", "menu_ViewEncomProduto", "menu_ViewProducao", "menu_ViewProducIndicesUtil",
            "menu_ViewProducQuantidades", "menu_ToolsCustos", "menu_ToolsCustosProduto", "menu_Tools",
            "menu_ToolsCalculator", "menu_ToolsNotepad", "menu_ToolsBackup", "menu_ToolsBackupBackup",
            "menu_ToolsBackupRevert", "menu_ToolsRename", "menu_ToolsCheckFiles", "menu_ToolsArchive", "menu_ToolsArchiveSave", "menu_ToolsCalc",
            "menu_Help", "menu_HelpContents", "menu_HelpKeywordSearch", "menu_HelpTopic", "menu_HelpFeedback",
            "menu_HelpAbout"};
        for (const QString& n : names)
            QVERIFY2(form.findChild<QAction*>(n) == form.MenuItem(n) && form.MenuItem(n), qPrintable(n));
        QCOMPARE(form.findChild<QMenu*>("menu_Plan")->title(), QString("[ &Plan ]"));
        QCOMPARE(item(form, "menu_N2")->text(), QString("|"));
        // Moldes and calc are disabled and hidden, Archive disabled.
        QVERIFY(!item(form, "menu_EditTools")->isEnabled() && !item(form, "menu_EditTools")->isVisible());
        QVERIFY(!item(form, "menu_ToolsCalc")->isEnabled() && !item(form, "menu_ToolsCalc")->isVisible());
        QVERIFY(!item(form, "menu_ToolsArchive")->isEnabled() && item(form, "menu_ToolsArchive")->isVisible());
        // Every menu command that opens a screen has a menu item.
        for (const MenuCommand& c : MenuTable())
            QVERIFY2(form.MenuItem(c.item), qPrintable(c.item));

        QCOMPARE(child<QToolButton>(&form, "SpeedButton_OpenSupplier")->toolTip(), QString("Open Company"));
        QCOMPARE(child<QToolButton>(&form, "SpeedButton_Print")->toolTip(), QString("Print - preview"));
        QCOMPARE(child<QToolButton>(&form, "SpeedButton_HelpContext")->toolTip(), QString("Help..."));
        QVERIFY(form.findChild<QFrame*>("Panel_Toolbar"));
        auto* history = child<QComboBox>(&form, "ComboBox_Historic");
        QCOMPARE(history->count(), 2);
        QCOMPARE(history->itemText(1), QString("( clean list )"));
        QCOMPARE(child<QLabel>(&form, "Label61")->text(), QString("Quorvale"));
        for (const char* p : {"Panel_Suplier", "Panel_ReportPreview", "Panel_EncomProduto_temp"})
            QVERIFY(child<QWidget>(&form, p)->isHidden());
        QCOMPARE(form.minimumSize(), QSize(640, 460));
        form.resize(300, 200);
        QVERIFY(form.width() >= 640 && form.height() >= 460);
    }

    void firstShowShowsTheChooser()
    {
        ProgramHome home(kOneCompany);
        TForm1 form;
        form.show();
        QVERIFY(form.ChooserOnScreen());
        QVERIFY(!form.ChooserInAddMode());
        QVERIFY(form.MessageHookInstalled());
        QCOMPARE(form.HelpContext(), 12);
        QCOMPARE(child<QLabel>(&form, "Label66")->text(), LangMsg[30]);
        QCOMPARE(child<TRe2Buttn>(&form, "Button_Suplier")->text(), QString("Start"));
        auto* combo = child<QComboBox>(&form, "ComboBox_Suplier");
        QVERIFY(!combo->isEditable());
        QCOMPARE(combo->currentText(), QString("Test_database"));
        QVERIFY(child<QCheckBox>(&form, "CheckBox_SuplierCopy")->isHidden());
        for (const char* n : {"menu_File", "menu_EditDefinicoes", "menu_EditStocks", "menu_EditProducao",
                              "menu_EditEncomendas", "menu_Plan", "menu_View", "menu_Tools", "menu_HelpContents",
                              "menu_HelpFeedback"})
            QVERIFY2(!item(form, n)->isEnabled(), n);
        QVERIFY(item(form, "menu_Help")->isEnabled() && item(form, "menu_HelpAbout")->isEnabled());
        QVERIFY(!child<QToolButton>(&form, "SpeedButton_Feedback")->isEnabled());
        for (const char* n : {"menu_FilePrint", "menu_PrintPreview", "menu_CopytoMemory"})
            QVERIFY(!item(form, n)->isEnabled());
        QCOMPARE(form.windowTitle(), QString("Quorvale"));
        QCOMPARE(DatabaseFolder, home.path());
        // The sample company was converted once.
        QCOMPARE(IniFile(home.file("Quorvale.ini")).ReadBool("Options", "NeutralFormat", false), true);
    }

    void startOpensTheCompany()
    {
        ProgramHome home(kOneCompany + "[Test_database]\r\nQuorvale=Auto\r\n");
        TForm1 form;
        form.show();
        startCompany(form, "Test_database");
        QVERIFY(!form.ChooserOnScreen());
        QCOMPARE(form.windowTitle(), QString("Quorvale - Test_database"));
        QCOMPARE(DatabaseFolder, home.path() + "Test_database/");
        QVERIFY(QFileInfo(home.file("Test_database")).isDir());
        QVERIFY(item(form, "menu_File")->isEnabled() && item(form, "menu_HelpFeedback")->isEnabled());
        QVERIFY(child<QToolButton>(&form, "SpeedButton_Feedback")->isEnabled());
        QVERIFY(StockAuto);
        QVERIFY(!item(form, "menu_EditProducaoEntradas")->isEnabled()); // automatic stock: no entries
        QCOMPARE(IniFile(home.file("Quorvale.ini")).ReadString("Options", "LastSuplier", ""), QString("Test_database"));

        // Opening again in manual mode with hour control enables the production entries.
        IniFile(home.file("Quorvale.ini")).WriteString("Test_database", "Quorvale", "Manual");
        item(form, "menu_FileOpen")->trigger();
        QVERIFY(form.ChooserOnScreen());
        QCOMPARE(DatabaseFolder, home.path());
        QTest::keyClick(child<QComboBox>(&form, "ComboBox_Suplier"), Qt::Key_Return);
        QVERIFY(!form.ChooserOnScreen());
        QVERIFY(item(form, "menu_EditProducaoEntradas")->isEnabled());
        QCOMPARE(form.windowTitle(), QString("Quorvale - Test_database"));
    }

    void startWithoutChoiceAsksForOne()
    {
        ProgramHome home("[Supliers]\r\nNumber=2\r\nSup1=Alfa\r\nSup2=Beta\r\n");
        TForm1 form;
        form.show();
        QCOMPARE(child<QComboBox>(&form, "ComboBox_Suplier")->currentIndex(), -1);
        child<TRe2Buttn>(&form, "Button_Suplier")->click();
        QCOMPARE(MessageBox::shownTexts(), QStringList{LangMsg[40]});
        QVERIFY(form.ChooserOnScreen());
        QVERIFY(!QFileInfo::exists(home.file("Alfa")));
    }

    void addModeNormalisesAndNumbers()
    {
        ProgramHome home(kOneCompany);
        TForm1 form;
        form.show();
        startCompany(form, "Test_database");
        writeFile(home.file("Test_database/Produtos.DAT"), "products");
        writeFile(home.file("Test_database/Clientes.DAT"), "clients");

        item(form, "menu_FileNew")->trigger();
        QVERIFY(form.ChooserInAddMode());
        QCOMPARE(child<QLabel>(&form, "Label66")->text(), LangMsg[31]);
        QCOMPARE(child<TRe2Buttn>(&form, "Button_Suplier")->text(), QString("Add"));
        auto* copy = child<QCheckBox>(&form, "CheckBox_SuplierCopy");
        QVERIFY(!copy->isHidden() && copy->isEnabled());
        QCOMPARE(copy->text(), QString("Copy main definition files from Test_database"));
        copy->setChecked(true);
        auto* combo = child<QComboBox>(&form, "ComboBox_Suplier");
        QVERIFY(combo->isEditable());
        combo->setEditText("  nEW compANY ");
        child<TRe2Buttn>(&form, "Button_Suplier")->click();

        QCOMPARE(MessageBox::shownTexts(), QStringList());
        IniFile data(home.file("Quorvale.ini"));
        QCOMPARE(data.ReadInteger("Supliers", "Number", 0), 2);
        QCOMPARE(data.ReadString("Supliers", "Sup2", ""), QString("New company"));
        QCOMPARE(data.ReadString("Options", "LastSuplier", ""), QString("New company"));
        QVERIFY(QFileInfo(home.file("New company")).isDir());
        QCOMPARE(DatabaseFolder, home.path() + "New company/");
        QCOMPARE(form.windowTitle(), QString("Quorvale - New company"));
        // The master files that exist were copied; the others are not made up.
        QCOMPARE(readFile(home.file("New company/Produtos.DAT")), QByteArray("products"));
        QCOMPARE(readFile(home.file("New company/Clientes.DAT")), QByteArray("clients"));
        QVERIFY(!QFileInfo::exists(home.file("New company/Fornecedores.DAT")));

        // A typed name is taken as typed, not completed to a company that starts the same way.
        item(form, "menu_FileNew")->trigger();
        QTest::keyClicks(combo->lineEdit(), "te");
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        QCOMPARE(data.ReadString("Supliers", "Sup3", ""), QString("Te"));
        QCOMPARE(form.windowTitle(), QString("Quorvale - Te"));
    }

    void addRefusesNamesThatCannotBeFolders_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("silentlyEmpty");
        QTest::newRow("blank") << "   " << true;
        QTest::newRow("slash") << "a/b" << false;
        QTest::newRow("backslash") << "a\\b" << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("dot") << " . " << false;
        QTest::newRow("colon") << "x:y" << false;
        QTest::newRow("star") << "x*" << false;
        QTest::newRow("bracket") << "[x]" << false;
        QTest::newRow("not Windows-1252") << QString::fromUtf8("工厂") << false;
        QTest::newRow("existing, other case") << "test_DATABASE" << false;
    }
    void addRefusesNamesThatCannotBeFolders()
    {
        QFETCH(QString, typed);
        QFETCH(bool, silentlyEmpty);
        ProgramHome home(kOneCompany);
        TForm1 form;
        form.show();
        startCompany(form, "Test_database");
        const QStringList before = QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        item(form, "menu_FileNew")->trigger();
        child<QComboBox>(&form, "ComboBox_Suplier")->setEditText(typed);
        child<TRe2Buttn>(&form, "Button_Suplier")->click();
        QCOMPARE(MessageBox::shown().size(), 1);
        if (silentlyEmpty)
            QCOMPARE(MessageBox::lastText(), LangMsg[39]);
        else
            QVERIFY(MessageBox::lastText().startsWith("'"));
        QVERIFY(form.ChooserOnScreen() && form.ChooserInAddMode());
        QCOMPARE(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QCOMPARE(IniFile(home.file("Quorvale.ini")).ReadInteger("Supliers", "Number", 0), 1);
    }

    void cancelAtTheFirstChooserEndsTheProgram()
    {
        ProgramHome home(kOneCompany);
        TForm1 form;
        form.show();
        QTest::keyClick(child<QComboBox>(&form, "ComboBox_Suplier"), Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        // Shutdown wrote the settings.
        IniFile ini(home.file("Quorvale.ini"));
        QCOMPARE(ini.ReadString("Options", "Version", ""), QString("1.0.0.0"));
        QCOMPARE(ini.ReadString("Options", "LastSuplier", ""), QString("Test_database"));
    }

    void cancelWithACompanyOpenReopensIt()
    {
        ProgramHome home(kOneCompany + "Sup2=Beta\r\n");
        IniFile(home.file("Quorvale.ini")).WriteInteger("Supliers", "Number", 2);
        TForm1 form;
        form.show();
        startCompany(form, "Test_database");
        item(form, "menu_FileOpen")->trigger();
        child<TRe2Buttn>(&form, "Button_SuplierCancel")->click();
        QVERIFY(form.isVisible());
        QVERIFY(!form.ChooserOnScreen());
        QCOMPARE(DatabaseFolder, home.path() + "Test_database/");
        QCOMPARE(form.windowTitle(), QString("Quorvale - Test_database"));

        // Picking another company and then cancelling ends the program.
        item(form, "menu_FileOpen")->trigger();
        auto* combo = child<QComboBox>(&form, "ComboBox_Suplier");
        combo->setCurrentIndex(combo->findText("Beta"));
        emit combo->activated(combo->currentIndex());
        QCOMPARE(CurrentCompany, QString("Beta"));
        child<TRe2Buttn>(&form, "Button_SuplierCancel")->click();
        QVERIFY(!form.isVisible());
    }

    void noCompanyLeadsToAddAndCancelEnds()
    {
        ProgramHome home("");
        TForm1 form;
        form.show();
        QCOMPARE(MessageBox::shownTexts(), QStringList{LangMsg[24]});
        QVERIFY(form.ChooserInAddMode());
        QVERIFY(!child<QCheckBox>(&form, "CheckBox_SuplierCopy")->isEnabled()); // nothing to copy from
        child<TRe2Buttn>(&form, "Button_SuplierCancel")->click();
        QCOMPARE(MessageBox::lastText(), LangMsg[6]);
        QVERIFY(!form.isVisible());
    }

    void deleteMovesTheFolderAsideAndRenumbers()
    {
        ProgramHome home("[Options]\r\nLastSuplier=Beta\r\n[Supliers]\r\nNumber=3\r\nSup1=Alfa\r\nSup2=Beta\r\nSup3=Gama\r\n");
        TForm1 form;
        form.show();
        startCompany(form, "Beta");
        writeFile(home.file("Beta/Produtos.DAT"), "keep me");

        MessageBox::setNextAnswer(MessageBox::Cancel);
        item(form, "menu_FileDelete")->trigger();
        QVERIFY(QFileInfo::exists(home.file("Beta/Produtos.DAT")));
        QCOMPARE(IniFile(home.file("Quorvale.ini")).ReadInteger("Supliers", "Number", 0), 3);

        MessageBox::clearShown();
        item(form, "menu_FileDelete")->trigger();
        QCOMPARE(MessageBox::shown().first().text, LangMsg[32] + "\r\rBeta");
        IniFile data(home.file("Quorvale.ini"));
        QCOMPARE(data.ReadInteger("Supliers", "Number", 0), 2);
        QCOMPARE(data.ReadString("Supliers", "Sup1", ""), QString("Alfa"));
        QCOMPARE(data.ReadString("Supliers", "Sup2", ""), QString("Gama"));
        QVERIFY(!data.ValueExists("Supliers", "Sup3"));
        QVERIFY(!QFileInfo::exists(home.file("Beta")));
        const QStringList aside = QDir(home.path()).entryList({"_deleted_Beta_*"}, QDir::Dirs);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(readFile(home.file(aside.first() + "/Produtos.DAT")), QByteArray("keep me"));
        QVERIFY(MessageBox::shownTexts().at(1).contains(aside.first()));
        // The chooser offers the remaining companies.
        QVERIFY(form.ChooserOnScreen() && !form.ChooserInAddMode());
        QCOMPARE(child<QComboBox>(&form, "ComboBox_Suplier")->count(), 2);
        QCOMPARE(form.windowTitle(), QString("Quorvale"));
    }

    void deletingTheSampleCompanyKeepsItsFolder()
    {
        // The program's own sample company leaves the list, but its folder stays: the installation
        // check of the next start looks for it.
        ProgramHome home(kOneCompany);
        TForm1 form;
        form.show();
        startCompany(form, "Test_database");
        item(form, "menu_FileDelete")->trigger();
        QCOMPARE(IniFile(home.file("Quorvale.ini")).ReadInteger("Supliers", "Number", -1), 0);
        QVERIFY(QFileInfo::exists(home.file("Test_database/Produtos.DAT")));
        QVERIFY(QDir(home.path()).entryList({"_deleted_*"}, QDir::Dirs).isEmpty());
        QVERIFY(TForm1::InstallationComplete(home.path()));
        QVERIFY(MessageBox::shownTexts().at(1).contains(QDir::toNativeSeparators(home.file("Test_database/"))));
        QCOMPARE(MessageBox::shownTexts().at(2), LangMsg[24]); // no company left: create one
    }

    void screensHistoryAndCaption()
    {
        ProgramHome home(kOneCompany);
        ScopedScreens screens({"menu_EditMateriaPrima", "menu_EditProduto", "menu_ViewStockMatPrima"});
        TForm1 form;
        form.show();
        startCompany(form, "Test_database");
        TestScreen::created = TestScreen::released = 0;

        item(form, "menu_EditMateriaPrima")->trigger();
        QCOMPARE(TestScreen::created, 1);
        auto* first = dynamic_cast<TestScreen*>(form.CurrentScreen());
        QVERIFY(first);
        QCOMPARE(CurrentGrid.data(), first->grid);
        QCOMPARE(CurrentCloseButton.data(), first->close);
        QCOMPARE(first->grid->ScreenTitle(), LangTitle[0]);
        QCOMPARE(form.windowTitle(), "Quorvale - Test_database : " + LangTitle[0]);
        QCOMPARE(form.HelpContext(), 211);
        QCOMPARE(first->geometry(), QRect(0, 1, form.ClientArea()->width(), form.ClientArea()->height() - 1));
        for (const char* n : {"menu_FilePrint", "menu_PrintPreview", "menu_CopytoMemory"})
            QVERIFY(item(form, n)->isEnabled());
        for (const char* n : {"SpeedButton_CopytoMemory", "SpeedButton_Print", "SpeedButton_PrintPreview"})
            QVERIFY2(child<QToolButton>(&form, n)->isEnabled(), n);

        // Copy to Memory: the visible columns, tab-separated, CR LF per row.
        first->grid->setColWidths(2, 0);
        item(form, "menu_CopytoMemory")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("a0\tb0\r\na1\tb1\r\na2\tb2\r\na3\tb3\r\n"));

        // Another command closes the screen first; its title goes to the history once.
        for (int i = 0; i < 2; ++i) {
            item(form, "menu_EditProduto")->trigger();
            item(form, "menu_EditMateriaPrima")->trigger();
        }
        item(form, "menu_EditProduto")->trigger();
        flushDeletes();
        QCOMPARE(TestScreen::created, 6);
        QCOMPARE(TestScreen::released, 5);
        auto* history = child<QComboBox>(&form, "ComboBox_Historic");
        QCOMPARE(history->count(), 4);
        QCOMPARE(history->itemText(2), LangTitle[0]);
        QCOMPARE(history->itemText(3), LangTitle[1]);
        QCOMPARE(form.windowTitle(), "Quorvale - Test_database : " + LangTitle[1]);

        // Choosing a history entry re-opens that screen; the list shows its empty line again.
        history->setCurrentIndex(2);
        emit history->activated(2);
        QCOMPARE(CurrentGrid->ScreenTitle(), LangTitle[0]);
        QCOMPARE(history->currentIndex(), 0);

        // The screen's own Close button: no screen, the caption loses the title, print items off.
        CurrentCloseButton->click();
        flushDeletes();
        QVERIFY(!form.CurrentScreen());
        QCOMPARE(form.windowTitle(), QString("Quorvale - Test_database"));
        QVERIFY(!item(form, "menu_FilePrint")->isEnabled());
        for (const char* n : {"SpeedButton_HelpContext", "SpeedButton_Print", "SpeedButton_PrintPreview"})
            QVERIFY2(!child<QToolButton>(&form, n)->isEnabled(), n);

        // "( clean list )" empties the history.
        history->setCurrentIndex(1);
        emit history->activated(1);
        QCOMPARE(history->count(), 2);
    }

    // Tools > Check company files ...: the findings of the open company in the result lists window,
    // or a message when there are none; the caption in the language of the settings.
    void checkCompanyFilesCommand()
    {
        ProgramHome home("[Options]\r\nLanguage=Portuguese\r\nLastSuplier=Test_database\r\n"
                         "[Supliers]\r\nNumber=1\r\nSup1=Test_database\r\n");
        TForm1 form;
        form.show();
        QCOMPARE(item(form, "menu_ToolsCheckFiles")->text(), QString("&Verificar ficheiros da empresa ..."));
        startCompany(form, "Test_database");
        item(form, "menu_ToolsCheckFiles")->trigger();
        QCOMPARE(MessageBox::shownTexts().value(0),
                 QString("Não foram encontrados problemas nos 0 registos dos ficheiros da empresa."));
        writeFile(home.file("Test_database/StockMateria.DAT"), QByteArray(3, '\0'));
        QStringList shown;
        QTimer::singleShot(0, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* lists = qobject_cast<TForm2*>(w); lists && lists->isVisible()) {
                    shown << lists->Label_caption->text();
                    for (int r = 1; r < lists->StringGrid_Check->RowCount(); ++r)
                        shown << lists->StringGrid_Check->RowTexts(r).mid(0, 4).join('|');
                    lists->SpeedButton_Close->click();
                }
        });
        item(form, "menu_ToolsCheckFiles")->trigger();
        QCOMPARE(shown, QStringList({"Verificação dos ficheiros da empresa - Test_database",
                                     "StockMateria.DAT|1||3 bytes depois do último registo completo: 3 bytes não são "
                                     "um número inteiro de registos de 85 bytes"}));
        CurrentLanguage = QStringLiteral("English");
    }

    void printCommandsGoToTheGridPrinting()
    {
        ProgramHome home(kOneCompany);
        ScopedScreens screens({"menu_EditFornecedor"});
        QList<bool> calls;
        SetGridPrintHandler([&](bool preview) { calls << preview; });
        TForm1 form;
        form.show();
        startCompany(form, "Test_database");
        item(form, "menu_EditFornecedor")->trigger();
        item(form, "menu_FilePrint")->trigger();
        item(form, "menu_PrintPreview")->trigger();
        // The toolbar buttons run the same commands.
        child<QToolButton>(&form, "SpeedButton_Print")->click();
        child<QToolButton>(&form, "SpeedButton_PrintPreview")->click();
        QCOMPARE(calls, QList<bool>({false, true, false, true}));
        // Opening a screen hides a preview that was left on screen.
        auto* preview = child<QWidget>(&form, "Panel_ReportPreview");
        preview->setEnabled(true);
        preview->show();
        item(form, "menu_EditFornecedor")->trigger();
        QVERIFY(preview->isHidden() && !preview->isEnabled());
        SetGridPrintHandler({});
    }

    void historyGrowsItsDropDown()
    {
        ProgramHome home(kOneCompany);
        QStringList items;
        QSet<QString> titles;
        for (const MenuCommand& c : MenuTable()) {
            if (!c.needsRecord && c.requiredFiles.isEmpty()) {
                items << c.item;
                titles.insert(c.ScreenTitle());
            }
        }
        ScopedScreens screens(items);
        TForm1 form;
        form.show();
        startCompany(form, "Test_database");
        for (const QString& i : items)
            form.RunMenuCommand(i);
        form.CloseCurrentScreen();
        auto* history = child<QComboBox>(&form, "ComboBox_Historic");
        QCOMPARE(history->count(), 2 + int(titles.size()));
        QVERIFY(history->count() > 8);
        QCOMPARE(history->maxVisibleItems(), history->count());
    }

    void viewPreconditions()
    {
        ProgramHome home(kOneCompany);
        ScopedScreens screens({"menu_EditMateriaPrima", "menu_ViewStockMatPrima", "menu_ViewProducQuantidades",
                               "menu_ToolsCustosProduto"});
        TForm1 form;
        form.show();
        startCompany(form, "Test_database");
        item(form, "menu_EditMateriaPrima")->trigger();
        // A missing file: the message, and the current screen stays.
        item(form, "menu_ViewStockMatPrima")->trigger();
        QCOMPARE(MessageBox::lastText(), LangMsg[17]);
        QCOMPARE(CurrentGrid->ScreenTitle(), LangTitle[0]);
        item(form, "menu_ToolsCustosProduto")->trigger();
        QCOMPARE(MessageBox::lastText(), LangMsg[46] + "\r" + LangMsg[47]);
        // An empty production-hours file: the message after the current screen was closed.
        writeFile(DataFilePath(DataFile::HorasProducao), QByteArray());
        item(form, "menu_ViewProducQuantidades")->trigger();
        QCOMPARE(MessageBox::lastText(), LangMsg[27]);
        QVERIFY(!CurrentGrid);
        // With its file present the view opens, titled "(view)".
        writeFile(DataFilePath(DataFile::StockMateria), QByteArray());
        item(form, "menu_ViewStockMatPrima")->trigger();
        QCOMPARE(CurrentGrid->ScreenTitle(), LangTitle[5] + " (view)");
        QCOMPARE(form.HelpContext(), 411);
        writeFile(DataFilePath(DataFile::HorasProducao), QByteArray(sizeof(HorasProducaoRecord), '\0'));
        item(form, "menu_ViewProducQuantidades")->trigger();
        QCOMPARE(CurrentGrid->ScreenTitle(), LangTitle[17]);
    }

    void noPrinterKeepsPrintingOff()
    {
        ProgramHome home(kOneCompany);
        ScopedRecordingDesktop desktop;
        desktop->printerList.clear();
        ScopedScreens screens({"menu_EditCliente"});
        TForm1 form;
        form.show();
        startCompany(form, "Test_database");
        item(form, "menu_EditCliente")->trigger();
        QVERIFY(CurrentGrid);
        for (const char* n : {"menu_FilePrint", "menu_PrintPreview", "menu_CopytoMemory"})
            QVERIFY(!item(form, n)->isEnabled());
    }

    void wheelAndHelpKey()
    {
        ProgramHome home(kOneCompany);
        ScopedRecordingDesktop desktop;
        ScopedScreens screens({"menu_EditEquip"});
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        startCompany(form, "Test_database");
        item(form, "menu_EditEquip")->trigger();
        StringGrid* grid = CurrentGrid.data();
        grid->setFocus();
        grid->setRow(2);
        auto wheel = [&](int delta) {
            const QPointF at(10, 40);
            QWheelEvent e(at, grid->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(grid->viewport(), &e);
        };
        wheel(120); // away from the user: one row up
        QCOMPARE(grid->Row(), 1);
        wheel(-120);
        wheel(-120);
        QCOMPARE(grid->Row(), 3);

        QTest::keyClick(grid, Qt::Key_F1);
        QCOMPARE(desktop->calls, QStringList{"showHelp " + home.path() + "Quorvale.chm Context 215"});
        // Not while a message box is the active window.
        {
            QMessageBox box;
            box.show();
            QApplication::setActiveWindow(&box);
            QTest::keyClick(&box, Qt::Key_F1);
            QCOMPARE(desktop->calls.size(), 1);
        }

        // The help context button and the help menu.
        desktop->calls.clear();
        child<QToolButton>(&form, "SpeedButton_HelpContext")->click();
        QCOMPARE(desktop->calls.size(), 1);
        item(form, "menu_HelpContents")->trigger();
        QCOMPARE(MessageBox::lastText(), LangMsg[29]);
        writeFile(home.file("Quorvale.chm"), "help");
        item(form, "menu_HelpKeywordSearch")->trigger();
        QCOMPARE(desktop->calls.last(), "showHelp " + home.path() + "Quorvale.chm Index 0");
    }

    void enterMovesOnLikeTab()
    {
        ProgramHome home(kOneCompany);
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        startCompany(form, "Test_database");
        auto* a = new QLineEdit(form.ClientArea());
        auto* b = new QLineEdit(form.ClientArea());
        a->show();
        b->show();
        form.activateWindow();
        a->setFocus();
        QTest::keyClick(a, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), b);
    }

    void toolsAndFeedback()
    {
        ProgramHome home(kOneCompany);
        ScopedRecordingDesktop desktop;
        TForm1 form;
        form.show();
        startCompany(form, "Test_database");
        desktop->result = false;
        item(form, "menu_ToolsCalculator")->trigger();
        item(form, "menu_ToolsNotepad")->trigger();
        QCOMPARE(MessageBox::shownTexts(),
                 QStringList({LangText("msg_NoCalculator", "Windows 'Calculator' not found !"),
                              LangText("msg_NoNotepad", "Windows 'Notepad' not found !")}));
        QVERIFY(MessageBox::shownTexts().at(0) != MessageBox::shownTexts().at(1));
        desktop->result = true;
        desktop->calls.clear();

        item(form, "menu_HelpFeedback")->trigger();
        QCOMPARE(form.HelpContext(), 63);
        auto* memo = child<QPlainTextEdit>(&form, "Memo1");
        memo->setPlainText("   ");
        child<TRe2Buttn>(&form, "Button_FeedbackSend")->click();
        QCOMPARE(MessageBox::lastText(), LangMsg[1]);
        memo->setPlainText("a\nR&D asked #2");
        child<TRe2Buttn>(&form, "Button_FeedbackSend")->click();
        QCOMPARE(desktop->calls, QStringList{"openUrl mailto:" + SupportAddress()
                                             + "?subject=Quorvale%20%20FEEDBACK%20from&body=%0Aa%0AR%26D%20asked%20%232&bcc="});
        QVERIFY(!CurrentCloseButton);
        flushDeletes();
        QVERIFY(!form.CurrentScreen());
    }

    void portugueseTextsAndShutdownPosition()
    {
        ProgramHome home("[Options]\r\nLanguage=Portuguese\r\nSavePosition=1\r\nSavePosLeft=50\r\nSavePosTop=60\r\n"
                         "SavePosWidth=700\r\nSavePosHeight=500\r\n[Supliers]\r\nNumber=1\r\nSup1=Test_database\r\n");
        TForm1 form;
        QCOMPARE(form.pos(), QPoint(50, 60));
        QCOMPARE(form.size(), QSize(700, 500));
        QCOMPARE(item(form, "menu_File")->text(), QString("&Ficheiro"));
        QCOMPARE(item(form, "menu_ViewGlobal")->text(), QString("Vista &Global"));
        QCOMPARE(item(form, "menu_ToolsBackupBackup")->text(), QString("&Guardar cópia"));
        QCOMPARE(LangTitle[0], QString("Definições de Matéria Prima"));
        QCOMPARE(ProductionClient(), QString("Produção"));
        QCOMPARE(LangMsg[22], QString("Nenhum registo seleccionado !"));
        QCOMPARE(child<QToolButton>(&form, "SpeedButton_Exit")->toolTip(), QString("Fechar Programa"));
        // Access keys stay unique within every menu.
        for (QMenu* menu : form.findChildren<QMenu*>()) {
            QSet<QChar> keys;
            for (QAction* a : menu->actions()) {
                const qsizetype amp = a->text().indexOf('&');
                if (a->isSeparator() || !a->isVisible() || amp < 0)
                    continue;
                const QChar key = a->text().at(amp + 1).toLower();
                QVERIFY2(!keys.contains(key), qPrintable(menu->objectName() + ": " + a->text()));
                keys.insert(key);
            }
        }
        form.show();
        startCompany(form, "Test_database");
        form.move(70, 80);
        form.close();
        IniFile ini(home.file("Quorvale.ini"));
        QCOMPARE(ini.ReadInteger("Options", "SavePosLeft", 0), form.pos().x());
        QCOMPARE(ini.ReadInteger("Options", "SavePosWidth", 0), form.width());
    }

    // The main window as a user sees it in both languages at both sizes: the chooser in both of
    // its modes and the window with a company open, every control inside, none over another, no
    // caption cut, every menu on the menu bar.
    void mainWindowFitsInBothLanguages()
    {
        for (const QByteArray language : {"English", "Portuguese"}) {
            ProgramHome home("[Options]\r\nLastSuplier=Test_database\r\nLanguage=" + language
                             + "\r\n[Supliers]\r\nNumber=1\r\nSup1=Test_database\r\n");
            TForm1 form;
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            auto check = [&](const char* what) {
                for (const QSize& size : {testsupport::kLargeWindow, testsupport::kSmallWindow}) {
                    form.resize(size);
                    QCoreApplication::processEvents();
                    const QStringList problems = testsupport::LayoutProblems(&form) + testsupport::MenuBarProblems(form.menuBar());
                    QVERIFY2(problems.isEmpty(), qPrintable(QStringLiteral("%1, %2, %3 x %4: ").arg(language, what).arg(size.width()).arg(size.height())
                                                            + problems.join('\n')));
                }
            };
            check("chooser");
            startCompany(form, "Test_database");
            check("company open");
            item(form, "menu_FileNew")->trigger();
            check("new company");
        }
    }
};

int main(int argc, char** argv)
{
    Application app(argc, argv);
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindow.moc"
