// Backup and revert of a company's data files, and the backup panel run from the Tools menu.
#include "accessories/TRe2Buttn.h"
#include "i18n/Backup.h"
#include "i18n/BackupRevertPanel.h"
#include "i18n/TFormOptions.h"
#include "masterdata/MasterTestSupport.h"
#include "shell/MessageBox.h"
#include "store/DateText.h"

#include <QCheckBox>
#include <QLabel>
#include <QTimer>

using namespace testsupport;

namespace {

// Every data file but the equipment, each holding its own name.
void fill(const QString& folder)
{
    for (int kind = 0; kind < Backup::KindCount; ++kind)
        for (const QString& f : Backup::DataFilesOf(kind))
            writeFile(folder + f, "data of " + f.toLatin1());
    writeFile(folder + DataFile::Equipamentos, "machines");
}

QStringList backupFiles(const QString& folder)
{
    return QDir(folder).entryList({Backup::Prefix + "*"}, QDir::Files, QDir::Name);
}

} // namespace

class TestBackup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void backupAndRevert()
    {
        TempFolder dir;
        const QString f = dir.path();
        fill(f);
        QFile::remove(f + DataFile::MovimMateria);
        // Only "Movimentos": the movement file that exists is copied, nothing else.
        Backup::Outcome o = Backup::Copy(f, {Backup::Movements}, Backup::Save);
        QCOMPARE(o.copied, 1);
        QVERIFY(o.failures.isEmpty());
        QCOMPARE(backupFiles(f), QStringList({"_BaK_MovimProduto.DAT"}));
        QCOMPARE(readFile(f + "_BaK_MovimProduto.DAT"), QByteArray("data of MovimProduto.DAT"));
        writeFile(f + DataFile::MovimMateria, "new movements");
        QCOMPARE(Backup::Copy(f, {Backup::Movements, Backup::ProductDefinitions}, Backup::Save).copied, 3);
        QCOMPARE(readFile(f + "_BaK_MovimMateria.DAT"), QByteArray("new movements"));

        // Revert: what has a backup comes back; a kind without one changes nothing.
        writeFile(f + DataFile::Produtos, "changed");
        writeFile(f + DataFile::EncomProduto, "orders now");
        o = Backup::Copy(f, {Backup::ProductDefinitions, Backup::ProductOrders}, Backup::Revert);
        QCOMPARE(o.copied, 1);
        QCOMPARE(o.copiedFiles, QStringList({DataFile::Produtos}));
        QCOMPARE(readFile(f + DataFile::Produtos), QByteArray("data of Produtos.DAT"));
        QCOMPARE(readFile(f + DataFile::EncomProduto), QByteArray("orders now"));
        QVERIFY(QFileInfo::exists(f + "_BaK_Produtos.DAT")); // a revert keeps the backup
    }

    // A file that cannot be copied is named with the system's reason, and its target is as it was;
    // the others are still copied.
    void failuresAreReportedAndChangeNothing()
    {
        TempFolder dir;
        const QString f = dir.path();
        fill(f);
        QCOMPARE(Backup::Copy(f, {Backup::ProductStocks}, Backup::Save).copied, 1);
        writeFile(f + DataFile::StockProduto, QByteArray(5000, 's'));
        {
            FileSizeLimit limit(4000);
            const Backup::Outcome o = Backup::Copy(f, {Backup::ClientDefinitions, Backup::ProductStocks}, Backup::Save);
            QCOMPARE(o.copied, 1);
            QCOMPARE(o.failures.size(), 1);
            QVERIFY2(o.failures[0].contains("_BaK_StockProduto.DAT") && o.failures[0].contains("File too large"),
                     qPrintable(o.failures[0]));
        }
        QCOMPARE(readFile(f + "_BaK_StockProduto.DAT"), QByteArray("data of StockProduto.DAT")); // the old backup
        // A data file that cannot be written (a folder in its place).
        QFile::remove(f + DataFile::Clientes);
        QDir(f).mkdir(DataFile::Clientes);
        const Backup::Outcome o = Backup::Copy(f, {Backup::ClientDefinitions, Backup::ProductStocks}, Backup::Revert);
        QCOMPARE(o.copied, 1);
        QCOMPARE(o.failures.size(), 1);
        QVERIFY2(o.failures[0].contains("Clientes.DAT") && o.failures[0].contains("directory"), qPrintable(o.failures[0]));
        QVERIFY(QFileInfo(f + DataFile::Clientes).isDir());
        QCOMPARE(backupFiles(f).size(), 2);
    }

    void backupTimes()
    {
        TempFolder dir;
        fill(dir.path());
        QVERIFY(Backup::BackupTimes(dir.path(), Backup::Movements).isEmpty());
        Backup::Copy(dir.path(), {Backup::Movements}, Backup::Save);
        const QDateTime older(QDate(2024, 5, 12), QTime(14, 32, 5));
        auto setTime = [&](const QString& name, const QDateTime& t) {
            QFile file(dir.file(name));
            QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(t, QFileDevice::FileModificationTime));
        };
        setTime("_BaK_MovimMateria.DAT", older);
        setTime("_BaK_MovimProduto.DAT", older.addSecs(20)); // one backup
        QCOMPARE(Backup::BackupTimes(dir.path(), Backup::Movements), QList<QDateTime>({older}));
        setTime("_BaK_MovimProduto.DAT", older.addDays(3)); // two
        QCOMPARE(Backup::BackupTimes(dir.path(), Backup::Movements), QList<QDateTime>({older, older.addDays(3)}));
    }

    // Tools > Backup and Revert: the check boxes, the dates beside them, the question, the report.
    void backupPanel()
    {
        MasterScreens app;
        fill(app.companyFolder());
        auto run = [&](const char* item, const std::function<void(TFormOptions&, BackupRevertPanel&)>& act) {
            bool open = false;
            QTimer::singleShot(0, app.form.get(), [&] {
                auto* d = app.form->findChild<TFormOptions*>();
                act(*d, *d->Panel_Backup);
                open = d->isVisible();
                if (open)
                    d->reject();
            });
            app.form->MenuItem(item)->trigger();
            return open;
        };
        QVERIFY(!run("menu_ToolsBackupBackup", [&](TFormOptions& d, BackupRevertPanel& p) {
            QCOMPARE(d.windowTitle(), QString("Firma"));
            QVERIFY(p.isVisible() && p.pos() == QPoint(0, 0) && d.size() == p.size());
            QCOMPARE(p.Button_Backup->text(), QString("Backup ..."));
            QCOMPARE(p.CheckBox[Backup::Movements]->objectName(), QString("CheckBox20"));
            QCOMPARE(p.DateLabel[Backup::Movements]->text(), QString("no backup"));
            p.Button_Backup->click(); // nothing ticked: nothing happens
            QVERIFY(d.isVisible() && MessageBox::shown().isEmpty());
            QCOMPARE(backupFiles(app.companyFolder()), QStringList());
            p.CheckBox[Backup::Movements]->setChecked(true);
            p.Button_Backup->click();
        }));
        QCOMPARE(MessageBox::lastText(), QString("Files copied: 2"));
        QCOMPARE(backupFiles(app.companyFolder()), QStringList({"_BaK_MovimMateria.DAT", "_BaK_MovimProduto.DAT"}));

        writeFile(app.path(DataFile::MovimProduto), "later");
        QVERIFY(!run("menu_ToolsBackupRevert", [&](TFormOptions&, BackupRevertPanel& p) {
            QCOMPARE(p.Button_Backup->text(), QString("Revert ..."));
            const QDateTime t = Backup::BackupTimes(app.companyFolder(), Backup::Movements).value(0);
            QCOMPARE(p.DateLabel[Backup::Movements]->text(), DateText::DateToStr(t.date()) + " " + DateText::TimeToStr(t.time()));
            QCOMPARE(p.DateLabel[Backup::ProductOrders]->text(), QString("no backup"));
            p.CheckBox[Backup::Movements]->setChecked(true);
            MessageBox::setNextAnswer(MessageBox::Cancel);
            p.Button_Backup->click();
        }));
        QCOMPARE(MessageBox::lastText(), QString("Sure to Replace actual DataFile\rwith BackUp file ??"));
        QCOMPARE(readFile(app.path(DataFile::MovimProduto)), QByteArray("later"));

        QVERIFY(!run("menu_ToolsBackupRevert", [&](TFormOptions&, BackupRevertPanel& p) {
            p.CheckBox[Backup::Movements]->setChecked(true);
            p.CheckBox[Backup::ProductOrders]->setChecked(true); // no backup: skipped
            p.Button_Backup->click();
        }));
        QCOMPARE(MessageBox::lastText(), QString("Files copied: 2"));
        QCOMPARE(readFile(app.path(DataFile::MovimProduto)), QByteArray("data of MovimProduto.DAT"));
    }
};

QTEST_MAIN(TestBackup)
#include "tst_backup.moc"
