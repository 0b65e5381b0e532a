// The shipped language file, and the main window taking its texts from a language file.
#include "i18n/IniFile.h"
#include "i18n/Language.h"
#include "shell/Application.h"
#include "shell/MessageBox.h"
#include "shell/TForm1.h"
#include "store/Cp1252.h"
#include "support/ShellTestSupport.h"
#include "support/ProgramHome.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QDirIterator>
#include <QRegularExpression>
#include <QCheckBox>
#include <QSet>
#include <QTest>
#include <QToolButton>

using testsupport::ProgramHome;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

const QString kShipped = QStringLiteral(QUORVALE_SOURCE_DIR "/data/Quorvale.LNG");

// Every key that the main window, the message and title tables and the screens read.
QStringList requiredKeys()
{
    QStringList keys{"main_caption"};
    for (const char* m :
         {"menu_File", "menu_Plan", "menu_View", "menu_Tools", "menu_Help", "menu_FileNew", "menu_FileOpen",
          "menu_FileDelete", "menu_FileOptions", "menu_FileExit", "menu_EditDefinicoes", "menu_EditStocks",
          "menu_EditProducao", "menu_EditEncomendas", "menu_EditMateriaPrima", "menu_EditProduto", "menu_EditFornecedor",
          "menu_EditCliente", "menu_EditEquip", "menu_PlanStockMatPrima", "menu_PlanEncomenda", "menu_PlanProducao",
          "menu_ViewStock", "menu_ViewProduto", "menu_ViewMovimentos", "menu_ViewProducao", "menu_ViewEncomendas",
          "menu_ViewStockMatPrima", "menu_ViewStockProduto", "menu_ViewProdDefinicao", "menu_ViewMovimMatPrima",
          "menu_ViewMovimProduto", "menu_ViewProducIndicesUtil", "menu_ViewProducQuantidades", "menu_ViewEncomMatPrima",
          "menu_ViewEncomProduto", "menu_ToolsCalculator", "menu_ToolsNotepad", "menu_ToolsCustos",
          "menu_ToolsCustosProduto", "menu_ToolsArchive", "menu_ToolsArchiveSave", "menu_FilePrint", "menu_PrintPreview",
          "menu_CopytoMemory", "menu_EditStockMatPrima", "menu_EditStockProduto", "menu_EditProducaoEntradas",
          "menu_EditEncomMatPrima", "menu_EditEncomProduto", "menu_HelpAbout", "menu_FileBackupBackup",
          "menu_FileBackupRevert", "menu_ViewGeneral"})
        keys << QString::fromLatin1(m);
    for (int i = 1; i <= 73; ++i)
        keys << QStringLiteral("msg%1").arg(i);
    for (int i = 1; i <= 24; ++i)
        keys << QStringLiteral("hint%1").arg(i);
    for (int i = 2; i <= 118; ++i)
        if (i != 17 && i != 92 && i != 93 && i != 106 && i != 109)
            keys << QStringLiteral("label_%1").arg(i);
    return keys;
}

} // namespace

class TestLanguageFile : public QObject {
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

    void shippedFileHoldsEveryKeyInBothLanguages()
    {
        const IniFile lng(kShipped);
        QCOMPARE(lng.ReadSections(), QStringList({"English", "Portuguese"}));
        const QStringList required = requiredKeys();
        QCOMPARE(required.size(), 1 + 54 + 73 + 24 + 112);
        for (const QString language : {"English", "Portuguese"}) {
            const QStringList present = lng.ReadSection(language);
            QCOMPARE(QSet<QString>(present.begin(), present.end()).size(), present.size()); // no key twice
            for (const QString& key : required)
                QVERIFY2(!lng.ReadString(language, key, QString()).trimmed().isEmpty(),
                         qPrintable(language + " " + key));
        }
        // Every key the code names, numbered or not ("label_31", "msg_RenameExists", "help_index"),
        // wherever a screen, a panel or the shell reads it.
        QSet<QString> named;
        const QRegularExpression key(QStringLiteral("\"((?:button|label|msg|hint|help|about)_[A-Za-z0-9_]+)\""));
        for (QDirIterator it(QStringLiteral(QUORVALE_SOURCE_DIR "/src"), {"*.cpp", "*.h"}, QDir::Files,
                             QDirIterator::Subdirectories);
             it.hasNext();) {
            QFile source(it.next());
            QVERIFY(source.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(source.readAll());
            for (auto m = key.globalMatch(text); m.hasNext();)
                named.insert(m.next().captured(1));
        }
        QVERIFY2(named.size() > 40, qPrintable(QString::number(named.size())));
        for (const QString language : {"English", "Portuguese"})
            for (const QString& k : named)
                QVERIFY2(!lng.ReadString(language, k, QString()).trimmed().isEmpty(), qPrintable(language + " " + k));
        // The client text of production orders must not change with the language.
        QCOMPARE(lng.ReadString("English", "hint20", ""), QString("Produção"));
        QCOMPARE(lng.ReadString("Portuguese", "hint20", ""), QString("Produção"));
        // The lists compare their "show all" entry, and the movement types are told by their code.
        QCOMPARE(lng.ReadString("Portuguese", "label_108", ""), QString("( show all )"));
        for (int i = 110; i <= 118; ++i) {
            const QString key = QStringLiteral("label_%1").arg(i);
            QCOMPARE(lng.ReadString("Portuguese", key, "").left(4), lng.ReadString("English", key, "").left(4));
        }
        // Texts whose blanks at either end matter keep them.
        QCOMPARE(lng.ReadString("English", "msg4", ""), QString("  is not a valid quantity ..!  Please correct."));
        QVERIFY(lng.ReadString("Portuguese", "msg2", "").endsWith(' '));
        QVERIFY(lng.ReadString("Portuguese", "hint21", "").startsWith(' '));
        QVERIFY(lng.ReadString("Portuguese", "label_49", "").endsWith(' '));
        // Translated: the two sections differ in most of their texts.
        int same = 0;
        for (const QString& key : required)
            same += lng.ReadString("English", key, "") == lng.ReadString("Portuguese", key, "");
        QVERIFY2(same < 25, qPrintable(QString::number(same)));
    }

    void shippedFileIsWindows1252WithCrLf()
    {
        const QByteArray bytes = readFile(kShipped);
        QVERIFY(!bytes.isEmpty());
        QVERIFY(bytes.contains("hint20=Produ\xe7\xe3o\r\n")); // one byte per accented letter
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        QCOMPARE(Cp1252::encode(Cp1252::decode(bytes)), bytes);
    }

    void mainWindowTakesItsTextsFromTheFile()
    {
        ProgramHome home("[Options]\r\nLanguage=Portuguese\r\n", {true, true, false});
        writeFile(home.file("Quorvale.LNG"), "[portuguese]\r\nMAIN_CAPTION=Quorvale PT\r\nMenu_File=\"  &Ficheiro \"\r\n"
                                             "msg23=Nada\r\nlabel_63=Abrir\r\nlabel_49=Copiar de\r\n"
                                             "menu_ViewGeneral=Vista &Geral\r\n[English]\r\nmsg23=Nothing\r\n");
        TForm1 form;
        QVERIFY(!form.TerminateRequested());
        QCOMPARE(MessageBox::shown().size(), 0);
        QCOMPARE(form.windowTitle(), QString("Quorvale PT"));
        QCOMPARE(form.MenuItem("menu_File")->text(), QString("  &Ficheiro "));
        QCOMPARE(form.MenuItem("menu_ViewGlobal")->text(), QString("Vista &Geral"));
        QCOMPARE(form.MenuItem("menu_FileNew")->text(), QString("&New Company...")); // absent: built in
        QCOMPARE(LangMsg[22], QString("Nada"));
        QCOMPARE(LangMsg[23], QString("No 'Orders' to chart !"));
        QCOMPARE(form.findChild<QToolButton*>("SpeedButton_OpenSupplier")->toolTip(), QString("Abrir"));
        QCOMPARE(form.findChild<QToolButton*>("SpeedButton_Exit")->toolTip(), QString("Close Program"));
        QCOMPARE(form.findChild<QCheckBox*>("CheckBox_SuplierCopy")->text(), QString("Copiar de"));
    }

    void aLanguageWithoutSectionUsesTheBuiltInTexts()
    {
        ProgramHome home("[Options]\r\nLanguage=Deutsch\r\n");
        TForm1 form;
        QVERIFY(!form.TerminateRequested());
        QCOMPARE(MessageBox::shown().size(), 0);
        QCOMPARE(form.MenuItem("menu_Plan")->text(), QString("[ &Plan ]"));
        QCOMPARE(form.MenuItem("menu_ToolsBackupRevert")->text(), QString("&Revert  (open)"));
        QCOMPARE(LangTitle[0], QString("Definições de Matéria Prima"));
        QCOMPARE(LangMsg[50], QString("Ilegal characters in product designation * : / | \\ ;"));
    }
};

int main(int argc, char** argv)
{
    Application app(argc, argv);
    TestLanguageFile test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_languagefile.moc"
