// The program folder of a user of an installation they cannot write into: made from the installed
// folder on the first start, then the user's; program texts follow the installation.
#include "i18n/IniFile.h"
#include "i18n/UserProgramFolder.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTest>

using testsupport::readFile;
using testsupport::TempFolder;
using testsupport::writeFile;

class TestUserProgramFolder : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void madeOnceThenTheUsers()
    {
        TempFolder installed, home;
        writeFile(installed.file("Quorvale.ini"), "[Supliers]\r\nNumber=1\r\nSup1=Test_database\r\n");
        QDir().mkpath(installed.file("Test_database"));
        writeFile(installed.file("Test_database/Produtos.DAT"), "sample products");
        writeFile(installed.file("Test_database/Clientes.DAT"), "sample clients");
        writeFile(installed.file("Quorvale.LNG"), "[English]\r\n");
        writeFile(installed.file("Quorvale.chm"), "help 1");
        writeFile(installed.file("quorvale"), "the program");
        const QString user = home.file("share/Quorvale");

        QCOMPARE(UserProgramFolder::Prepare(installed.path(), user), QString());
        for (const char* f : {"Quorvale.ini", "Test_database/Produtos.DAT", "Test_database/Clientes.DAT", "Quorvale.LNG", "Quorvale.chm"})
            QCOMPARE(readFile(user + "/" + f), readFile(installed.file(f)));
        QVERIFY(!QFile::exists(user + "/quorvale"));
        QVERIFY(!QFile::exists(user + "/Test_database.new"));

        // What the user changed stays; a new help file of the installation replaces the old one.
        writeFile(user + "/Quorvale.ini", "[Options]\r\nNeutralFormat=1\r\nLastSuplier=Mine\r\n");
        writeFile(user + "/Test_database/Produtos.DAT", "converted products");
        writeFile(installed.file("Quorvale.chm"), "help 2, longer");
        QCOMPARE(UserProgramFolder::Prepare(installed.path(), user), QString());
        QCOMPARE(readFile(user + "/Quorvale.ini"), QByteArray("[Options]\r\nNeutralFormat=1\r\nLastSuplier=Mine\r\n"));
        QCOMPARE(readFile(user + "/Test_database/Produtos.DAT"), QByteArray("converted products"));
        QCOMPARE(readFile(user + "/Quorvale.chm"), QByteArray("help 2, longer"));

        // A sample the user deleted comes back fresh and is converted again at the next start.
        QVERIFY(QDir(user + "/Test_database").removeRecursively());
        QCOMPARE(UserProgramFolder::Prepare(installed.path(), user), QString());
        QCOMPARE(readFile(user + "/Test_database/Produtos.DAT"), QByteArray("sample products"));
        IniFile ini(user + "/Quorvale.ini");
        QVERIFY(!ini.ReadBool("Options", "NeutralFormat", true));
        QCOMPARE(ini.ReadString("Options", "LastSuplier", ""), QString("Mine"));
    }

    void aWritableInstallationIsItsOwnProgramFolder()
    {
        TempFolder installed, home;
        writeFile(installed.file("Quorvale.ini"), "");
        const QString folder = installed.path().chopped(1);
        QCOMPARE(UserProgramFolder::Choose(folder, home.file("user")), folder);
        QCOMPARE(UserProgramFolder::Find(folder, home.file("user")), folder); // what the command line takes
        QVERIFY(!QFile::exists(home.file("user")));
        // A user folder that cannot be made leaves the installed folder (the start-up check reports).
        writeFile(home.file("blocked"), "a file, not a folder");
        QVERIFY(!UserProgramFolder::Prepare(installed.path(), home.file("blocked/Quorvale")).isEmpty());
    }
};

QTEST_MAIN(TestUserProgramFolder)
#include "tst_userprogramfolder.moc"
