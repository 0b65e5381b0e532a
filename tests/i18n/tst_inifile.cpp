// Settings files with the desktop's private-profile rules.
#include "i18n/IniFile.h"
#include "i18n/Language.h"
#include "store/StoreError.h"
#include "support/TestSupport.h"

#include <QTest>
#include <unistd.h>

using testsupport::readFile;
using testsupport::TempFolder;
using testsupport::writeFile;

class TestIniFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readingRules()
    {
        TempFolder dir;
        const QString path = dir.file("Quorvale.ini");
        writeFile(path, "; a comment\r\n[Options]\r\n  SavePosition = 1 \r\nLanguage=\"  Portuguese \"\r\n"
                        "Quoted='x'\r\nHalf=\"x\r\nNumber=abc\r\nHex=0x10\r\n[Supliers]\nNumber=2\nSup1=Caf\xe9\n");
        IniFile ini(path);
        QCOMPARE(ini.ReadBool("options", "SAVEPOSITION", false), true);
        QCOMPARE(ini.ReadString("Options", "Language", ""), QString("  Portuguese "));
        QCOMPARE(ini.ReadString("Options", "Quoted", ""), QString("x"));
        QCOMPARE(ini.ReadString("Options", "Half", ""), QString("\"x"));
        QCOMPARE(ini.ReadInteger("Options", "Number", 7), 7);
        QCOMPARE(ini.ReadInteger("Options", "Hex", 0), 16);
        QCOMPARE(ini.ReadInteger("Supliers", "Number", 0), 2); // LF-only lines read too
        QCOMPARE(ini.ReadString("Supliers", "Sup1", ""), QString::fromUtf8("Café"));
        QCOMPARE(ini.ReadString("Missing", "Sup1", "(none)"), QString("(none)"));
        QCOMPARE(ini.ReadSection("Supliers"), QStringList({"Number", "Sup1"}));
        QCOMPARE(ini.ReadSections(), QStringList({"Options", "Supliers"}));
        QVERIFY(ini.ValueExists("OPTIONS", "quoted"));

        // A missing file reads as empty.
        IniFile none(dir.file("none.ini"));
        QCOMPARE(none.ReadBool("Options", "BlueTheme", true), true);
        QVERIFY(!QFileInfo::exists(dir.file("none.ini")));
    }

    void writesKeepEveryOtherLine()
    {
        TempFolder dir;
        const QString path = dir.file("Quorvale.ini");
        const QByteArray original = "; keep me\r\n[Options]\r\nLanguage = English   \r\nBlueTheme=1\r\n\r\n[Company A]\r\nQuorvale=Manual\r\n";
        writeFile(path, original);
        IniFile ini(path);
        ini.WriteString("options", "LANGUAGE", "Portuguese");
        QCOMPARE(readFile(path), QByteArray("; keep me\r\n[Options]\r\nLANGUAGE=Portuguese\r\nBlueTheme=1\r\n\r\n"
                                            "[Company A]\r\nQuorvale=Manual\r\n"));
        ini.WriteBool("Options", "NeutralFormat", true);
        QCOMPARE(readFile(path), QByteArray("; keep me\r\n[Options]\r\nLANGUAGE=Portuguese\r\nBlueTheme=1\r\nNeutralFormat=1\r\n\r\n"
                                            "[Company A]\r\nQuorvale=Manual\r\n"));
        ini.WriteInteger(QString::fromUtf8("Fábrica"), "HoursPerDay", 16);
        QVERIFY(readFile(path).endsWith("Quorvale=Manual\r\n[F\xe1" "brica]\r\nHoursPerDay=16\r\n"));
        QCOMPARE(ini.ReadInteger(QString::fromUtf8("FÁBRICA"), "hoursperday", 24), 16);
        ini.DeleteKey("Company A", "Quorvale");
        QVERIFY(!ini.ValueExists("Company A", "Quorvale"));
        ini.EraseSection("Company A");
        QVERIFY(!ini.SectionExists("Company A"));
        QVERIFY(readFile(path).startsWith("; keep me\r\n[Options]"));
    }

    void newFileAndSharedView()
    {
        TempFolder dir;
        const QString path = dir.file("new.ini");
        IniFile a(path);
        IniFile b(path);
        a.WriteString("Supliers", "Number", "1");
        QCOMPARE(readFile(path), QByteArray("[Supliers]\r\nNumber=1\r\n")); // on disk at once
        QCOMPARE(b.ReadInteger("Supliers", "Number", 0), 1);
        // A line break in a value cannot start a section of its own.
        a.WriteString("Supliers", "Sup1", "A\r\n[Options]\nNumber=9");
        QCOMPARE(a.ReadString("Supliers", "Sup1", ""), QString("A  [Options] Number=9"));
        QCOMPARE(a.ReadSections(), QStringList({"Supliers"}));
        a.DeleteKey("Supliers", "Sup1");
        // A change by another program is picked up.
        writeFile(path, "[Supliers]\nNumber=3\nextra=1\n");
        QCOMPARE(a.ReadInteger("Supliers", "Number", 0), 3);
        a.WriteString("Supliers", "Sup1", "X");
        QCOMPARE(readFile(path), QByteArray("[Supliers]\nNumber=3\nextra=1\nSup1=X\n"));
    }

    void firstSectionAndFirstKeyOfANameCount()
    {
        TempFolder dir;
        const QString path = dir.file("Quorvale.LNG");
        writeFile(path, "Lost=1\r\n[English]\r\nhint1=First\r\nHINT1=Second\r\n[Portuguese]\r\nhint1=Primeiro\r\n"
                        "[english]\r\nhint1=Later\r\nhint2=Only later\r\n");
        IniFile ini(path);
        QCOMPARE(ini.ReadString("ENGLISH", "Hint1", ""), QString("First"));
        QCOMPARE(ini.ReadString("English", "hint2", "none"), QString("none")); // only the first [English] counts
        QCOMPARE(ini.ReadString("Portuguese", "hint1", ""), QString("Primeiro"));
        QCOMPARE(ini.ReadString("", "Lost", "none"), QString("none")); // before any section
        // Every write is seen by the next read: a new key, a key deleted, a section erased.
        ini.WriteString("Portuguese", "hint2", "Segundo");
        QCOMPARE(ini.ReadString("portuguese", "HINT2", ""), QString("Segundo"));
        ini.DeleteKey("English", "hint1");
        QCOMPARE(ini.ReadString("English", "hint1", ""), QString("Second"));
        ini.EraseSection("English");
        QCOMPARE(ini.ReadString("English", "hint2", ""), QString("Only later")); // the later one is now the first
        QCOMPARE(ini.ReadString("Portuguese", "hint2", ""), QString("Segundo"));
    }

    void keysWithAStrayCarriageReturnAreWrittenBack()
    {
        TempFolder dir;
        const QString path = dir.file("Quorvale.ini");
        writeFile(path, "[Options]\r\nSave\rPos=1\r\n\r=old\r\nLast=x\r\n");
        IniFile ini(path);
        const QStringList keys = ini.ReadSection("Options");
        QCOMPARE(keys, QStringList({"Save\rPos", "\r", "Last"}));
        for (const QString& key : keys)
            ini.WriteString("Options", key, "new");
        QCOMPARE(readFile(path), QByteArray("[Options]\r\nSave\rPos=new\r\n\r=new\r\nLast=new\r\n"));
        // A new key named by a line break alone would be a line that is no key: refused.
        QVERIFY_THROWS_EXCEPTION(StoreError, ini.WriteString("Options", "\n", "v"));
        QCOMPARE(ini.ReadSection("Options"), keys);
    }

    void unwritableFileThrowsWithTheSystemText()
    {
        TempFolder dir;
        IniFile ini(dir.path() + "missing-folder/Quorvale.ini");
        QVERIFY_THROWS_EXCEPTION(StoreError, ini.WriteString("Options", "x", "1"));

        // A file that no longer fits (as on a full disk) is left as it was, not cut short.
        const QString path = dir.file("Quorvale.ini");
        const QByteArray original = "[Options]\r\n; " + QByteArray(2000, 'x') + "\r\nLanguage=English\r\n";
        writeFile(path, original);
        IniFile full(path);
        try {
            testsupport::FileSizeLimit limit(1000);
            full.WriteString("Options", "Language", "Portuguese");
            QFAIL("wrote beyond the limit");
        } catch (const StoreError& e) {
            QVERIFY2(e.message().contains("File too large"), qPrintable(e.message()));
        }
        QCOMPARE(readFile(path), original);
    }

    void languageLookupFallsBackToBuiltIns()
    {
        TempFolder dir;
        const QString path = dir.file("Quorvale.LNG");
        writeFile(path, "[Portuguese]\r\nMSG23=\"  Nenhum registo seleccionado !\"\r\nmsg4=  sem aspas\r\n");
        CurrentLanguage = "Portuguese";
        OpenLanguageFile(path);
        LoadLanguageTables();
        QCOMPARE(LangMsg[22], QString("  Nenhum registo seleccionado !"));
        QCOMPARE(LangMsg[3], QString("sem aspas"));
        QCOMPARE(LangMsg[0], QString("New data file !"));
        QCOMPARE(LangTitle[19], QString::fromUtf8("Produção"));
        QCOMPARE(ProductionClient(), QString::fromUtf8("Produção"));
        CurrentLanguage = "Klingon";
        LoadLanguageTables();
        QCOMPARE(LangMsg[22], QString("No record selected !"));
        QCOMPARE(LangText("label_31", QString::fromUtf8("Produto")), QString::fromUtf8("Produto"));
        CloseLanguageFile();
        CurrentLanguage = "English";
        ResetLanguageTables();
        QCOMPARE(LangMsg[72], QString("Can't edit 'production' orders."));
        QCOMPARE(LangMsg[50], QString("Ilegal characters in product designation * : / | \\ ;"));
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
