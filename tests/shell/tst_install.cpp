// Installation under a prefix: the program folder, the link in bin, the desktop entry and the icons.
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

using testsupport::readFile;
using testsupport::TempFolder;

class TestInstall : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void installsUnderAPrefix()
    {
        TempFolder prefix;
        const QString root = prefix.path() + "my prefix";
        QProcess install;
        install.start(QStringLiteral(QUORVALE_CMAKE_COMMAND),
                      {"--install", QStringLiteral(QUORVALE_BINARY_DIR), "--prefix", root});
        QVERIFY(install.waitForFinished(120000));
        QVERIFY2(install.exitCode() == 0, install.readAllStandardError().constData());

        const QString program = root + "/lib/quorvale/";
        for (const char* f : {"quorvale", "quorvale-data", "Quorvale.ini", "Quorvale.LNG", "Quorvale.chm", "Test_database/Produtos.DAT"})
            QVERIFY2(QFileInfo::exists(program + f), f);
        QVERIFY(QFileInfo(program + "quorvale").isExecutable());
        // The shipped settings and language file, byte for byte; the sample as built.
        QCOMPARE(readFile(program + "Quorvale.LNG"), readFile(QUORVALE_SOURCE_DIR "/data/Quorvale.LNG"));
        QCOMPARE(readFile(program + "Quorvale.ini"), readFile(QUORVALE_SOURCE_DIR "/data/Quorvale.ini"));
        QCOMPARE(QDir(program + "Test_database").entryList(QDir::Files).size(), 12);

        for (const QString name : {"quorvale", "quorvale-data"}) {
            const QFileInfo link(root + "/bin/" + name);
            QVERIFY(link.isSymLink());
            QCOMPARE(link.canonicalFilePath(), QFileInfo(program + name).canonicalFilePath());
        }
        // The command line, started through its link, finds its program folder and the sample.
        QProcess check;
        check.start(root + "/bin/quorvale-data", {"check", "Test_database"});
        QVERIFY(check.waitForFinished(30000));
        QVERIFY2(check.exitCode() == 0, check.readAllStandardError().constData());

        const QString entry = QString::fromUtf8(readFile(root + "/share/applications/quorvale.desktop"));
        QVERIFY(entry.startsWith("[Desktop Entry]\n"));
        QVERIFY(entry.contains("\nExec=" + root + "/bin/quorvale\n"));
        QVERIFY(entry.contains("\nIcon=quorvale\n"));
        for (const char* size : {"16x16", "32x32", "48x48", "256x256"})
            QVERIFY2(QFileInfo::exists(root + "/share/icons/hicolor/" + size + "/apps/quorvale.png"), size);
        QVERIFY(QFileInfo::exists(root + "/share/icons/hicolor/scalable/apps/quorvale.svg"));
    }
};

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
