// The settings files as the program reads them, and the Preferences dialog run from the main window.
#include "accessories/TRe2Buttn.h"
#include "i18n/IniFile.h"
#include "i18n/Language.h"
#include "i18n/Settings.h"
#include "i18n/SettingsFiles.h"
#include "i18n/RenameItemPanel.h"
#include "i18n/TFormOptions.h"
#include "masterdata/TForm_Produto.h"
#include "shell/StringGrid.h"
#include "shell/Application.h"
#include "shell/Globals.h"
#include "shell/MessageBox.h"
#include "shell/TForm1.h"
#include "store/AccessPatterns.h"
#include "store/RegionalSettings.h"
#include "support/LayoutCheck.h"
#include "support/ShellTestSupport.h"
#include "support/ProgramHome.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <functional>

using testsupport::ProgramHome;
using testsupport::readFile;
using testsupport::TempFolder;
using testsupport::writeFile;

namespace {

const QByteArray kCompany = "[Options]\r\nLastSuplier=Acme\r\n[Supliers]\r\nNumber=1\r\nSup1=Acme\r\n";

template <class T>
T* child(QObject* o, const char* name)
{
    T* w = o->findChild<T*>(QString::fromLatin1(name));
    if (!w)
        qFatal("no %s", name);
    return w;
}

void openCompany(TForm1& form)
{
    form.show();
    child<TRe2Buttn>(&form, "Button_Suplier")->click();
    QVERIFY(!form.ChooserOnScreen());
}

// Runs the menu command of the dialog (File > Options... unless named), lets act work on the dialog
// while it is shown, and returns when it closed.
bool runPreferences(TForm1& form, const std::function<void(TFormOptions&)>& act, const char* item = "menu_FileOptions")
{
    bool seen = false;
    QTimer::singleShot(0, &form, [&] {
        auto* dialog = form.findChild<TFormOptions*>();
        if (!dialog)
            return;
        seen = true;
        act(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    form.MenuItem(item)->trigger();
    return seen;
}

ProdutoRecord product(const QString& name, const QString& ciclo, const QString& quant, const QString& moldes)
{
    ProdutoRecord r = EmptyRecord<ProdutoRecord>();
    r.Produto = name;
    r.Tipo = QStringLiteral("T");
    r.Ciclo = ciclo;
    r.Quant = quant;
    r.Moldes = moldes;
    r.QuantDia = QStringLiteral("old");
    return r;
}

} // namespace

class TestPreferences : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        testsupport::PrepareMainWindowTests();
    }
    void init()
    {
        MessageBox::clearShown();
        CurrentLanguage = QStringLiteral("English");
    }

    void programOptionsAndTheirDefaults()
    {
        TempFolder dir;
        const IniFile none(dir.file("none.ini"));
        ProgramOptions o = ReadProgramOptions(none, dir.path(), 700, 460);
        QVERIFY(!o.savePosition && !o.stayOnTop && !o.minimized && o.blueTheme);
        QCOMPARE(o.left, 196);
        QCOMPARE(o.top, 108);
        QCOMPARE(QSize(o.width, o.height), QSize(700, 460));
        QCOMPARE(o.paperSize, 0);
        QCOMPARE(o.paperOrientation, 0);
        QCOMPARE(o.dataRoot, dir.path());
        QCOMPARE(o.language, QString("English"));

        writeFile(dir.file("p.ini"), "[options]\r\nSAVEPOSITION=2\r\nSavePosLeft=x\r\nFormStyle=fsStayOnTop\r\n"
                                     "WindowState=wsMinimized\r\nBlueTheme=0\r\nPapersize=Letter\r\nPaperorient=Sideways\r\n"
                                     "DataPath=data\r\nLanguage=Portuguese\r\n");
        o = ReadProgramOptions(IniFile(dir.file("p.ini")), dir.path(), 700, 460);
        QVERIFY(o.savePosition && o.stayOnTop && o.minimized && !o.blueTheme);
        QCOMPARE(o.left, 196); // not a number: the default
        QCOMPARE(o.paperSize, 3);
        QCOMPARE(o.paperOrientation, 0); // not a known orientation: portrait
        QCOMPARE(o.dataRoot, dir.path() + "data/"); // relative to the program folder
        QCOMPARE(CurrentLanguage, QString("Portuguese"));
        QVERIFY(SavePosition && !BlueTheme && PaperSizeIndex == 3);
        SavePosition = false;
        BlueTheme = true;
        PaperSizeIndex = 0;

        QCOMPARE(PaperSizeText(2), QString("Legal"));
        QCOMPARE(PaperOrientationText(1), QString("Landscape"));
    }

    void companySettings()
    {
        TempFolder dir;
        writeFile(dir.file("p.ini"), "[Acme]\r\nQuorvale=Auto\r\n[Beta]\r\nQuorvale=manual\r\n");
        writeFile(dir.file("d.ini"), "[Acme]\r\nHourControl=0\r\nHourStoped=0\r\nHoursPerDay=16\r\nDaysPerWeek=5\r\n"
                                     "ShiftHours=0812\r\n");
        const IniFile p(dir.file("p.ini")), d(dir.file("d.ini"));
        ReadCompanySettings(p, d, "acme");
        QVERIFY(StockAuto && !HourControl && !HourStoped);
        QCOMPARE(HoursPerDay, 16);
        QCOMPARE(DaysPerWeek, 5);
        QCOMPARE(ReadShiftHours(d, "Acme"), QString("0812"));
        QCOMPARE(ReadShiftDefault(d, "Acme"), QString("08"));
        ReadCompanySettings(p, d, "Beta"); // only "Manual" itself is the manual mode
        QVERIFY(StockAuto && HourControl && HourStoped);
        QCOMPARE(HoursPerDay, 24);
        QCOMPARE(DaysPerWeek, 7);
        ReadCompanySettings(p, d, "New");
        QVERIFY(!StockAuto);
    }

    void freshInstallationDefaults()
    {
        ProgramHome home("");
        TForm1 form;
        QVERIFY(!form.TerminateRequested());
        QCOMPARE(form.pos(), QPoint(196, 108));
        QVERIFY(!(form.windowFlags() & Qt::WindowStaysOnTopHint));
        QVERIFY(!(form.windowState() & Qt::WindowMinimized));
        QVERIFY(BlueTheme);
        QCOMPARE(form.palette().color(QPalette::Window), QColor(240, 247, 255));
        QCOMPARE(PaperSizeIndex, 0);
        QCOMPARE(PaperOrientation, 0);
        QCOMPARE(DatabaseFolder, home.path());
        QCOMPARE(CurrentLanguage, QString("English"));
        QCOMPARE(form.windowTitle(), QString("Quorvale"));
    }

    void preferencesLoadAndStore()
    {
        ProgramHome home(kCompany + "[Acme]\r\nQuorvale=Auto\r\nHoursPerDay=20\r\nDaysPerWeek=5\r\nHourStoped=0\r\n"
                                    "StockMailFrom=stocks@acme.pt\r\n");
        TForm1 form;
        openCompany(form);
        const bool seen = runPreferences(form, [&](TFormOptions& d) {
            QCOMPARE(d.windowTitle(), QString("Acme"));
            QCOMPARE(d.OptionsCompany(), QString("Acme"));
            QVERIFY(d.Panel_Options->isVisible() && d.Panel_Options->pos() == QPoint(0, 0));
            QVERIFY(d.Panel_Rename->isHidden() && d.Panel_Rename->pos() == QPoint(360, 0));
            QCOMPARE(d.size(), QSize(274, 204));
            QCOMPARE(form.HelpContext(), 14);
            QVERIFY(child<QRadioButton>(&d, "RadioButton1")->isChecked());
            QVERIFY(child<QCheckBox>(&d, "CheckBox4")->isChecked());
            QVERIFY(!child<QCheckBox>(&d, "CheckBox6")->isChecked());
            QVERIFY(child<QCheckBox>(&d, "CheckBox5")->isChecked());
            QCOMPARE(child<QComboBox>(&d, "ComboBox_Lang")->currentText(), QString("English"));
            QCOMPARE(child<QLineEdit>(&d, "Edit1")->text(), QString("20"));
            QCOMPARE(child<QLineEdit>(&d, "Edit2")->text(), QString("5"));
            // The bars run from 24 (and 7) at the top down to 0.
            auto* hours = child<QScrollBar>(&d, "ScrollBar1");
            QCOMPARE(hours->value(), 4);
            hours->setValue(0);
            QCOMPARE(child<QLineEdit>(&d, "Edit1")->text(), QString("24"));
            hours->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            QCOMPARE(child<QLineEdit>(&d, "Edit1")->text(), QString("23"));
            hours->setValue(24);
            QCOMPARE(child<QLineEdit>(&d, "Edit1")->text(), QString("0"));
            child<QScrollBar>(&d, "ScrollBar2")->setValue(1);
            auto* sender = child<QLineEdit>(&d, "Edit_StockMailFrom");
            QCOMPARE(sender->text(), QString("stocks@acme.pt"));
            sender->setText("  vendas@acme.pt ");
            child<QRadioButton>(&d, "RadioButton2")->setChecked(true);
            child<QCheckBox>(&d, "CheckBox1")->setChecked(true);
            child<QCheckBox>(&d, "CheckBox2")->setChecked(true);
            child<QCheckBox>(&d, "CheckBox5")->setChecked(false);
            child<TRe2Buttn>(&d, "Re2Buttn1")->click();
            QCOMPARE(MessageBox::lastText(), LangMsg[66] + "\r" + LangMsg[67]);
            child<TRe2Buttn>(&d, "Button_ok")->click();
        });
        QVERIFY(seen);
        const IniFile ini(home.file("Quorvale.ini"));
        QCOMPARE(ini.ReadString("Acme", "Quorvale", ""), QString("Manual"));
        QCOMPARE(ini.ReadString("Options", "FormStyle", ""), QString("fsStayOnTop"));
        QCOMPARE(ini.ReadString("Options", "WindowState", ""), QString("wsNormal"));
        QCOMPARE(ini.ReadString("Options", "SavePosition", ""), QString("1"));
        QCOMPARE(ini.ReadString("Options", "BlueTheme", ""), QString("0"));
        QCOMPARE(ini.ReadString("Options", "Language", ""), QString("English"));
        QCOMPARE(ini.ReadString("Acme", "HourControl", ""), QString("1"));
        QCOMPARE(ini.ReadString("Acme", "HourStoped", ""), QString("0"));
        QCOMPARE(ini.ReadInteger("Acme", "HoursPerDay", -1), 0);
        QCOMPARE(ini.ReadInteger("Acme", "DaysPerWeek", -1), 6);
        QCOMPARE(ini.ReadString("Acme", "StockMailFrom", ""), QString("vendas@acme.pt"));
        QCOMPARE(HoursPerDay, 0);
        QCOMPARE(DaysPerWeek, 6);
        QCOMPARE(form.windowTitle(), QString("Quorvale - Acme"));
        // The window settings take effect at the next start.
        QVERIFY(BlueTheme);
    }

    void cancelWritesNothingButTheHourControlActsAtOnce()
    {
        ProgramHome home(kCompany);
        TForm1 form;
        openCompany(form);
        QVERIFY(form.MenuItem("menu_EditProducaoEntradas")->isEnabled());
        const QByteArray before = readFile(home.file("Quorvale.ini"));
        runPreferences(form, [&](TFormOptions& d) {
            auto* control = child<QCheckBox>(&d, "CheckBox4");
            control->click();
            QVERIFY(!control->isChecked());
            QVERIFY(!form.MenuItem("menu_EditProducaoEntradas")->isEnabled());
            child<TRe2Buttn>(&d, "Button_cancel")->click();
        });
        QCOMPARE(readFile(home.file("Quorvale.ini")), before);
        QVERIFY(!form.MenuItem("menu_EditProducaoEntradas")->isEnabled());
        QCOMPARE(IniFile(home.file("Quorvale.ini")).ReadBool("Acme", "HourControl", true), true);
    }

    void choosingPortugueseSwitchesAtOnce()
    {
        ProgramHome home(kCompany);
        TForm1 form;
        openCompany(form);
        runPreferences(form, [&](TFormOptions& d) {
            child<QComboBox>(&d, "ComboBox_Lang")->setCurrentText("Portuguese");
            child<TRe2Buttn>(&d, "Button_ok")->click();
            QCOMPARE(child<QLabel>(&d, "Label1")->text(), QString("Língua :"));
        });
        QCOMPARE(CurrentLanguage, QString("Portuguese"));
        QCOMPARE(form.MenuItem("menu_File")->text(), QString("&Ficheiro"));
        QCOMPARE(form.findChild<QMenu*>("menu_File")->title(), QString("&Ficheiro"));
        QCOMPARE(LangMsg[39], QString("Sem nome. Verifique, por favor !"));
        QCOMPARE(LangTitle[23], QString("Vista Global"));
        QCOMPARE(form.windowTitle(), QString("Quorvale - Acme"));
        QCOMPARE(IniFile(home.file("Quorvale.ini")).ReadString("Options", "Language", ""), QString("Portuguese"));
    }

    void changedHoursRewriteEveryProduct()
    {
        ScopedRegionalSettings comma(RegionalSettings::commaLocale());
        ProgramHome home(kCompany);
        TForm1 form;
        openCompany(form);
        const QString path = DataFilePath(DataFile::Produtos);
        WriteAllRecords<ProdutoRecord>(path, {product("P", "10", "0,5", "2"), product("Q", "", "1,25", "1"),
                                              product("Bad", "x", "1", "1"), product("R", "3", "0,1", "1")},
                                       QByteArray("tail"));
        runPreferences(form, [&](TFormOptions& d) {
            child<QScrollBar>(&d, "ScrollBar1")->setValue(8); // 16 hours
            child<TRe2Buttn>(&d, "Button_ok")->click();
        });
        const auto records = ReadAllRecords<ProdutoRecord>(path);
        QCOMPARE(records.size(), size_t(4));
        QCOMPARE(records[0].QuantDia.text(), QString("160"));
        QCOMPARE(records[1].QuantDia.text(), QString("0"));
        QCOMPARE(records[2].QuantDia.text(), QString("old"));
        QCOMPARE(records[3].QuantDia.text(), QString("4,8"));
        QVERIFY(readFile(path).endsWith("tail"));
        QCOMPARE(MessageBox::shown().size(), 1);
        QVERIFY(MessageBox::lastText().contains("'Bad T'"));
        QCOMPARE(HoursPerDay, 16);

        // Unchanged hours leave the file alone.
        const QByteArray before = readFile(path);
        runPreferences(form, [&](TFormOptions& d) { child<TRe2Buttn>(&d, "Button_ok")->click(); });
        QCOMPARE(readFile(path), before);
    }

    // Preferences leave the hosted screen open (its help context comes back); when the hours change,
    // a screen is opened again after the products are rewritten, so it shows their new quantities.
    void anOpenScreenStaysOrOpensAgain()
    {
        ScopedRegionalSettings point(RegionalSettings::pointLocale());
        ProgramHome home(kCompany);
        TForm1 form;
        openCompany(form);
        WriteAllRecords<ProdutoRecord>(DataFilePath(DataFile::Produtos), {product("P", "10", "0.5", "2")});
        form.MenuItem("menu_EditProduto")->trigger();
        auto* screen = qobject_cast<TForm_Produto*>(form.CurrentScreen());
        QVERIFY(screen);
        QCOMPARE(screen->StringGrid3->Cells(TForm_Produto::ColQuantDia, 1), QString("old"));
        runPreferences(form, [&](TFormOptions& d) {
            QCOMPARE(form.HelpContext(), 14);
            child<TRe2Buttn>(&d, "Button_ok")->click();
        });
        QCOMPARE(form.CurrentScreen(), screen);
        QCOMPARE(form.HelpContext(), 212);
        runPreferences(form, [&](TFormOptions& d) {
            child<QScrollBar>(&d, "ScrollBar1")->setValue(14); // 10 hours
            child<TRe2Buttn>(&d, "Button_ok")->click();
        });
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        screen = qobject_cast<TForm_Produto*>(form.CurrentScreen());
        QVERIFY(screen);
        QCOMPARE(screen->StringGrid3->Cells(TForm_Produto::ColQuantDia, 1), QString("100"));
        QCOMPARE(form.windowTitle(), "Quorvale - Acme : " + LangTitle[1]);
    }

    // The daily quantity gets the nearest text its 10 characters hold, never one cut inside its
    // digits or its exponent; one that no such text holds is left as it was and named.
    void dailyQuantityFitsItsField()
    {
        ScopedRegionalSettings point(RegionalSettings::pointLocale());
        TempFolder dir;
        const QString path = dir.file("Produtos.DAT");
        WriteAllRecords<ProdutoRecord>(path, {product("P", "7", "0.3333333", "3"), product("Big", "99999", "9999999999", "99"),
                                              product("Huge", "1E200", "1E200", "1")});
        const QStringList problems = TFormOptions::RewriteDailyQuantities(path, 24);
        const auto records = ReadAllRecords<ProdutoRecord>(path);
        QCOMPARE(records[0].QuantDia.text(), QString("167.999983")); // of 167.9999832
        QCOMPARE(records[1].QuantDia.text(), QString("2.37598E18")); // of 2.37597623976240E18
        QCOMPARE(records[2].QuantDia.text(), QString("old"));
        QCOMPARE(problems, QStringList({"'Huge T': the daily quantity was left as it was (INF does not fit its field)"}));
    }

    // Preferences, renaming (products and raw materials) and backup as a user sees them in both
    // languages: every control inside the dialog, none over another, no caption cut.
    void dialogFitsInBothLanguages()
    {
        for (const QByteArray language : {"English", "Portuguese"}) {
            ProgramHome home(kCompany + "[Acme]\r\nHoursPerDay=16\r\nDaysPerWeek=5\r\n");
            IniFile(home.file("Quorvale.ini")).WriteString("Options", "Language", QString::fromLatin1(language));
            TForm1 form;
            openCompany(form);
            writeFile(DataFilePath("_BaK_" + DataFile::Fornecedores), "a backup");
            for (const char* item : {"menu_FileOptions", "menu_ToolsRename", "menu_ToolsBackupRevert"}) {
                QStringList problems;
                QString cancel;
                QVERIFY(runPreferences(form, [&](TFormOptions& d) {
                    QCoreApplication::processEvents();
                    problems = testsupport::LayoutProblems(&d);
                    if (d.Use() == TFormOptions::RenamePanel) {
                        child<QRadioButton>(&d, "RadioButton4")->click();
                        QCoreApplication::processEvents();
                        problems << testsupport::LayoutProblems(&d);
                    }
                    for (auto* b : d.findChildren<TRe2Buttn*>())
                        if (b->isVisible() && b->objectName().startsWith("Button_cancel"))
                            cancel = b->text();
                }, item));
                QVERIFY2(problems.isEmpty(), qPrintable(language + " " + item + ": " + problems.join('\n')));
                QCOMPARE(cancel, QString(language == "Portuguese" ? "cancelar" : "cancel"));
            }
        }
    }
};

int main(int argc, char** argv)
{
    Application app(argc, argv);
    TestPreferences test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_preferences.moc"
