// Staging of the program folder (cmake/StageProgramFolder.cmake, run here as the build runs it):
// what the user has in the program folder is never overwritten, and the settings file's
// NeutralFormat flag always matches the state of the sample company beside it.
#include "i18n/IniFile.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

using testsupport::readFile;
using testsupport::TempFolder;
using testsupport::writeFile;

namespace {

const QString kScript = QStringLiteral(QUORVALE_SOURCE_DIR "/cmake/StageProgramFolder.cmake");
const QByteArray kShippedIni = "[Supliers]\r\nNumber=1\r\nSup1=Test_database\r\n\r\n[Options]\r\nLastSuplier=Test_database\r\n";

// A source folder like build/sample (a small company and the shipped settings) and an empty
// program folder, plus a language file that may or may not be given.
struct Folders {
    TempFolder tmp;
    QString src, dst, lng;
    Folders()
    {
        src = tmp.path() + "src/";
        dst = tmp.path() + "Quorvale/";
        lng = tmp.path() + "Quorvale.LNG";
        QDir().mkpath(src + "Test_database");
        writeFile(src + "Test_database/Produtos.DAT", QByteArray(142, 'p'));
        writeFile(src + "Test_database/Clientes.DAT", QByteArray(266, 'c'));
        writeFile(src + "Quorvale.ini", kShippedIni);
    }
    // Runs the script; returns its exit code; its output goes to *output.
    int stage(QString* output = nullptr, bool withLanguage = true)
    {
        QStringList args = {"-DSRC=" + src, "-DDST=" + dst};
        if (withLanguage)
            args << "-DLNG=" + lng;
        args << "-P" << kScript;
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QStringLiteral(QUORVALE_CMAKE_COMMAND), args);
        if (!p.waitForFinished(60000))
            return -1;
        if (output)
            *output = QString::fromLocal8Bit(p.readAll());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }
    QString ini() const { return dst + "Quorvale.ini"; }
    QString db(const QString& name) const { return dst + "Test_database/" + name; }
};

bool neutralFlag(const QString& iniPath)
{
    return IniFile(iniPath).ReadBool("Options", "NeutralFormat", false);
}

} // namespace

class TestStaging : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The settings file that ships lists the sample as the one company and is not yet converted.
    void shippedSettings()
    {
        const QString path = QStringLiteral(QUORVALE_SOURCE_DIR "/data/Quorvale.ini");
        const QByteArray bytes = readFile(path);
        QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));
        IniFile ini(path);
        QCOMPARE(ini.ReadInteger("Supliers", "Number", 0), 1);
        QCOMPARE(ini.ReadString("Supliers", "Sup1", ""), QString("Test_database"));
        QCOMPARE(ini.ReadString("Options", "LastSuplier", ""), QString("Test_database"));
        QVERIFY(!ini.ValueExists("Options", "NeutralFormat"));
        // The build staged a program folder that passes the start-up check.
        QVERIFY(QFileInfo::exists(QStringLiteral(QUORVALE_PROGRAM_DIR "/Quorvale.ini")));
        QVERIFY(QFileInfo::exists(QStringLiteral(QUORVALE_PROGRAM_DIR "/Test_database/Produtos.DAT")));
    }

    void emptyProgramFolderGetsBoth()
    {
        Folders f;
        QCOMPARE(f.stage(), 0);
        QCOMPARE(readFile(f.ini()), kShippedIni);
        QCOMPARE(readFile(f.db("Produtos.DAT")), QByteArray(142, 'p'));
        QCOMPARE(readFile(f.db("Clientes.DAT")), QByteArray(266, 'c'));
        QVERIFY(!QFileInfo::exists(f.dst + "Test_database.staging"));
    }

    // A rebuild never overwrites settings or data the user (or the first start) changed.
    void userChangesSurviveRebuilds()
    {
        Folders f;
        QCOMPARE(f.stage(), 0);
        const QByteArray userIni = kShippedIni + "NeutralFormat=1\r\nLanguage=Portuguese\r\n";
        writeFile(f.ini(), userIni);
        writeFile(f.db("Produtos.DAT"), QByteArray(284, 'u'));
        QVERIFY(QFile::remove(f.db("Clientes.DAT")));
        // The sources change too (a newer sample).
        writeFile(f.src + "Test_database/Produtos.DAT", QByteArray(142, 'n'));
        writeFile(f.src + "Quorvale.ini", "[Options]\r\n");
        QCOMPARE(f.stage(), 0);
        QCOMPARE(f.stage(), 0);
        QCOMPARE(readFile(f.ini()), userIni);
        QCOMPARE(readFile(f.db("Produtos.DAT")), QByteArray(284, 'u'));
        QVERIFY(!QFileInfo::exists(f.db("Clientes.DAT")));
    }

    // A fresh sample beside settings that say "converted" would never be converted: the flag goes,
    // and nothing else of the user's settings changes.
    void missingSampleClearsTheFlag()
    {
        Folders f;
        QDir().mkpath(f.dst);
        const QByteArray userIni = "[Supliers]\r\nNumber=2\r\nSup1=Test_database\r\nSup2=Moldes Lda\r\n\r\n"
                                   "[options]\r\nLastSuplier=Moldes Lda\r\n neutralformat = 1\r\nLanguage=Portuguese\r\n"
                                   "\r\n[Moldes Lda]\r\nNeutralFormat=1\r\nHoursPerDay=16\r\n";
        writeFile(f.ini(), userIni);
        QCOMPARE(f.stage(), 0);
        QCOMPARE(readFile(f.db("Produtos.DAT")), QByteArray(142, 'p'));
        QByteArray expected = userIni;
        expected.replace(" neutralformat = 1\r\n", "");
        QCOMPARE(readFile(f.ini()), expected);
        QVERIFY(!neutralFlag(f.ini()));
        IniFile ini(f.ini());
        QCOMPARE(ini.ReadString("Moldes Lda", "NeutralFormat", ""), QString("1"));
        QCOMPARE(ini.ReadString("Options", "Language", ""), QString("Portuguese"));
    }

    // Settings lost beside a sample that was most likely converted: the new settings say so.
    void missingSettingsBesideAConvertedSample()
    {
        Folders f;
        QDir().mkpath(f.dst + "Test_database");
        writeFile(f.db("Produtos.DAT"), QByteArray(142, 'k'));
        QString output;
        QCOMPARE(f.stage(&output), 0);
        QVERIFY2(output.contains("NeutralFormat=1"), qPrintable(output));
        QCOMPARE(readFile(f.db("Produtos.DAT")), QByteArray(142, 'k'));
        QVERIFY(neutralFlag(f.ini()));
        IniFile ini(f.ini());
        QCOMPARE(ini.ReadString("Supliers", "Sup1", ""), QString("Test_database"));
        QCOMPARE(ini.ReadString("Options", "LastSuplier", ""), QString("Test_database"));
        const QByteArray bytes = readFile(f.ini());
        QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));
        QCOMPARE(bytes.count("NeutralFormat"), 1);
        // Staging again changes nothing.
        QCOMPARE(f.stage(), 0);
        QCOMPARE(readFile(f.ini()), bytes);
    }

    // Settings without an [Options] section get one.
    void flagAddedWithoutAnOptionsSection()
    {
        Folders f;
        writeFile(f.src + "Quorvale.ini", "[Supliers]\nNumber=1\nSup1=Test_database");
        QDir().mkpath(f.dst + "Test_database");
        QCOMPARE(f.stage(), 0);
        QCOMPARE(readFile(f.ini()), QByteArray("[Supliers]\nNumber=1\nSup1=Test_database\n[Options]\nNeutralFormat=1\n"));
        QVERIFY(neutralFlag(f.ini()));
    }

    // The language file is program text: copied when it exists, refreshed when it changes.
    void languageFileFollowsTheSource()
    {
        Folders f;
        QCOMPARE(f.stage(), 0);
        QVERIFY(!QFileInfo::exists(f.dst + "Quorvale.LNG"));
        writeFile(f.lng, "[English]\r\nmsg1=Missing Data\r\n");
        QCOMPARE(f.stage(), 0);
        QCOMPARE(readFile(f.dst + "Quorvale.LNG"), QByteArray("[English]\r\nmsg1=Missing Data\r\n"));
        writeFile(f.lng, "[English]\r\nmsg1=Missing data... check again\r\n");
        QCOMPARE(f.stage(), 0);
        QCOMPARE(readFile(f.dst + "Quorvale.LNG"), QByteArray("[English]\r\nmsg1=Missing data... check again\r\n"));
        QCOMPARE(f.stage(nullptr, false), 0);
        QVERIFY(QFileInfo::exists(f.dst + "Quorvale.LNG"));
    }

    void missingSourceIsAnError()
    {
        Folders f;
        QDir(f.src + "Test_database").removeRecursively();
        QString output;
        QVERIFY(f.stage(&output) != 0);
        QVERIFY2(output.contains("no sample company"), qPrintable(output));
        QVERIFY(!QFileInfo::exists(f.ini()));
    }
};

QTEST_GUILESS_MAIN(TestStaging)
#include "tst_staging.moc"
