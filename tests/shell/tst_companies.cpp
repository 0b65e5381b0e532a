// The company list of the data settings and the companies' folders.
#include "i18n/IniFile.h"
#include "shell/Companies.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using testsupport::readFile;
using testsupport::TempFolder;
using testsupport::writeFile;

class TestCompanies : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listKeysAndRenumbering()
    {
        TempFolder dir;
        writeFile(dir.file("Quorvale.ini"), "[Supliers]\r\nNumber=3\r\nSup1=A\r\nSup3=C\r\nSup4=stale\r\n[Acme]\r\nx=1\r\n");
        IniFile ini(dir.file("Quorvale.ini"));
        QCOMPARE(Companies::ReadList(ini), QStringList({"A", "(none)", "C"}));
        Companies::WriteList(ini, {"A", "C"});
        QCOMPARE(ini.ReadSection("Supliers"), QStringList({"Number", "Sup1", "Sup2"}));
        QCOMPARE(ini.ReadInteger("Supliers", "Number", 0), 2);
        QCOMPARE(ini.ReadString("Supliers", "Sup2", ""), QString("C"));
        QCOMPARE(ini.ReadString("Acme", "x", ""), QString("1"));
    }

    void namesAsTheyAreStored()
    {
        QCOMPARE(Companies::Normalize("  fÁBRICA de MOLDES "), QString("Fábrica de moldes"));
        QCOMPARE(Companies::Normalize("x"), QString("X"));
        QCOMPARE(Companies::Normalize("   "), QString());
        QVERIFY(Companies::NameProblem("Café & Filhos, Lda.").isEmpty());
        QVERIFY(Companies::NameProblem("O'Neil").isEmpty());
        for (const char* bad : {"", " ", ".", "..", "a/b", "a\\b", "a|b", "a?", "a<b", "\"q\"", "'q'", "a\tb"})
            QVERIFY2(!Companies::NameProblem(QString::fromLatin1(bad)).isEmpty(), bad);
        QVERIFY(!Companies::NameProblem(QString::fromUtf8("Żabka")).isEmpty()); // no Windows-1252 byte for Ż
        QVERIFY(Companies::ListHolds({"Alfa", "Beta"}, "BETA"));
    }

    void removalKeepsTheData()
    {
        TempFolder dir;
        writeFile(dir.file("Quorvale.ini"), "[Supliers]\r\nNumber=2\r\nSup1=Alfa\r\nSup2=Beta\r\n");
        QDir().mkpath(dir.file("Alfa"));
        writeFile(dir.file("Alfa/Produtos.DAT"), "data");
        IniFile ini(dir.file("Quorvale.ini"));
        const QDateTime when(QDate(2024, 3, 5), QTime(14, 7, 9));
        const Companies::Removal r = Companies::Remove(ini, dir.path(), "Alfa", when);
        QVERIFY(r.removed);
        QCOMPARE(r.movedTo, dir.path() + "_deleted_Alfa_20240305-140709/");
        QCOMPARE(readFile(r.movedTo + "Produtos.DAT"), QByteArray("data"));
        QCOMPARE(Companies::ReadList(ini), QStringList{"Beta"});
        QVERIFY(Companies::RemovedMessage("Alfa", r.movedTo).contains("_deleted_Alfa_20240305-140709"));

        // A company without a folder leaves the list; the same moment twice gets its own folder.
        QDir().mkpath(dir.file("Beta"));
        QDir().mkpath(dir.file("_deleted_Beta_20240305-140709"));
        const Companies::Removal b = Companies::Remove(ini, dir.path(), "Beta", when);
        QCOMPARE(b.movedTo, dir.path() + "_deleted_Beta_20240305-140709-2/");
        QCOMPARE(ini.ReadInteger("Supliers", "Number", -1), 0);
    }

    void aFolderThatCannotMoveStaysListed()
    {
        // The folder's new name would be longer than a file name may be, so the move fails (for the
        // superuser too): the company stays listed and the reason names it.
        TempFolder dir;
        const QString name = QString(240, 'A');
        QVERIFY(QDir().mkpath(dir.file(name)));
        writeFile(dir.file("Quorvale.ini"), "[Supliers]\r\nNumber=1\r\nSup1=" + name.toLatin1() + "\r\n");
        IniFile ini(dir.file("Quorvale.ini"));
        const Companies::Removal r = Companies::Remove(ini, dir.path(), name, QDateTime::currentDateTime());
        QVERIFY(!r.removed);
        QVERIFY2(r.error.contains(name) && r.error.contains("File name too long"), qPrintable(r.error));
        QCOMPARE(Companies::ReadList(ini), QStringList{name});
        QVERIFY(QFileInfo(dir.file(name)).isDir());
    }
};

QTEST_GUILESS_MAIN(TestCompanies)
#include "tst_companies.moc"
