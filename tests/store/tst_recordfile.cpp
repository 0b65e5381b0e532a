// The record-file operations, the access patterns, removal, and damaged or unwritable files.
#include "store/AccessPatterns.h"
#include "store/RecordFile.h"
#include "support/TestSupport.h"

#include <QFileInfo>
#include <QTest>
#include <sys/wait.h>
#include <unistd.h>

using testsupport::field;
using testsupport::readFile;
using testsupport::TempFolder;
using testsupport::writeFile;

namespace {

MovimRecord movim(const QString& item, const QString& qty)
{
    MovimRecord r = EmptyRecord<MovimRecord>();
    r.item = item;
    r.quantity = qty;
    r.movementDate = "01/03/2026";
    r.realDate = "02/03/2026";
    r.type = "ES";
    return r;
}

QByteArray movimBytes(const QByteArray& item, const QByteArray& qty)
{
    return field(40, item) + field(10, qty) + field(10, "01/03/2026") + field(10, "02/03/2026") + field(2, "ES");
}

StockMateriaRecord stock(const QString& material, const QString& reserved)
{
    StockMateriaRecord r = EmptyRecord<StockMateriaRecord>();
    r.material = material;
    r.stock = "0";
    r.reserved = reserved;
    r.onOrder = "0";
    r.date = "01/03/2026";
    return r;
}

} // namespace

class TestRecordFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ensureCreatesOnlyWhenMissing()
    {
        TempFolder dir;
        const QString path = dir.file(DataFile::MovimMateria);
        RecordFileBase::EnsureRecordFile(path);
        QVERIFY(QFileInfo::exists(path));
        QCOMPARE(QFileInfo(path).size(), 0);
        writeFile(path, movimBytes("A", "1"));
        RecordFileBase::EnsureRecordFile(path);
        QCOMPARE(QFileInfo(path).size(), 77);

        // An empty file loads nothing and counts 0.
        const QString empty = dir.file("Empty.DAT");
        qint64 seen = LoadAll<MovimRecord>(empty, true, [](qint64, const MovimRecord&) {});
        QCOMPARE(seen, 0);
    }

    void readWriteSeekAndAppend()
    {
        TempFolder dir;
        const QString path = dir.file(DataFile::MovimProduto);
        writeFile(path, movimBytes("A", "1") + movimBytes("B", "2") + movimBytes("C", "3"));
        RecordFile<MovimRecord> f(path);
        QCOMPARE(f.RecordCount(), 3);
        QCOMPARE(f.RecordPosition(), 0);
        MovimRecord r = f.ReadNextRecord();
        QCOMPARE(r.item.text(), QString("A"));
        QCOMPARE(f.RecordPosition(), 1);
        f.SeekRecord(2);
        r = f.ReadNextRecord();
        QCOMPARE(r.item.text(), QString("C"));
        QVERIFY(f.AtEndOfRecords());
        QVERIFY_THROWS_EXCEPTION(StoreError, f.ReadNextRecord());
        QVERIFY_THROWS_EXCEPTION(StoreError, f.SeekRecord(4));

        // Replace record 1 in place: the new shorter text keeps the old bytes behind it.
        f.SeekRecord(1);
        MovimRecord b = f.ReadNextRecord();
        b.item = "";
        f.SeekRecord(1);
        f.WriteRecordAt(b);
        QCOMPARE(f.RecordPosition(), 2);
        f.AppendRecord(movim("D", "4"));
        QCOMPARE(f.RecordCount(), 4);
        f.CloseRecordFile();

        const QByteArray bytes = readFile(path);
        QCOMPARE(bytes.size(), 4 * 77);
        QCOMPARE(bytes.mid(77, 2), QByteArray("\0B", 2)); // length 0, the old "B" still there
        QCOMPARE(bytes.mid(3 * 77, 77), movimBytes("D", "4"));
        const auto all = ReadAllRecords<MovimRecord>(path);
        QCOMPARE(all[1].item.text(), QString());
        QCOMPARE(all[3].quantity.text(), QString("4"));
    }

    void damagedTailIsNeverReadButAppendOverwritesIt()
    {
        TempFolder dir;
        const QString path = dir.file(DataFile::Produtos);
        QByteArray three;
        for (int i = 0; i < 3; ++i)
            three += field(30, "P" + QByteArray::number(i)) + QByteArray(111, 'x');
        writeFile(path, three + QByteArray(50, 'T'));
        QStringList seen;
        const qint64 k = LoadAll<ProdutoRecord>(path, false, [&](qint64, const ProdutoRecord& r) { seen << r.Produto.text(); });
        QCOMPARE(k, 3);
        QCOMPARE(seen, QStringList({"P0", "P1", "P2"}));

        // An in-place rewrite of record 2 leaves the tail alone.
        FindAndReplace<ProdutoRecord>(path, [](const ProdutoRecord& r) { return r.Produto.equals(QString("P2")); },
                                      [](ProdutoRecord& r) { r.Produto = "Q2"; });
        QCOMPARE(readFile(path).right(50), QByteArray(50, 'T'));

        // Removal keeps the tail after the remaining records.
        RemoveRecordAt<ProdutoRecord>(path, 0);
        QCOMPARE(readFile(path).size(), 2 * 142 + 50);
        QCOMPARE(readFile(path).right(50), QByteArray(50, 'T'));

        // An append writes at RecordCount x size, over the tail.
        ProdutoRecord p = EmptyRecord<ProdutoRecord>();
        p.Produto = "New";
        AppendOne(path, p);
        const QByteArray after = readFile(path);
        QCOMPARE(after.size(), 3 * 142);
        QCOMPARE(ReadAllRecords<ProdutoRecord>(path)[2].Produto.text(), QString("New"));
    }

    void updateOrAppend()
    {
        TempFolder dir;
        const QString path = dir.file(DataFile::StockMateria);
        // No record yet: one is appended.
        bool updated = UpdateOrAppend<StockMateriaRecord>(
            path, [](const StockMateriaRecord& r) { return r.material.equals(QString("ABS")); },
            [](StockMateriaRecord& r) { r.reserved = "x"; },
            [](StockMateriaRecord& r) { r = stock("ABS", "2.5"); });
        QVERIFY(!updated);
        QCOMPARE(QFileInfo(path).size(), 85);
        AppendOne(path, stock("PP", "1"));
        // A match rewrites that record; the length is unchanged.
        updated = UpdateOrAppend<StockMateriaRecord>(
            path, [](const StockMateriaRecord& r) { return r.material.equals(QString("ABS")); },
            [](StockMateriaRecord& r) { r.reserved = "3.75"; }, [](StockMateriaRecord&) { QFAIL("no new record"); });
        QVERIFY(updated);
        QCOMPARE(QFileInfo(path).size(), 2 * 85);
        const auto all = ReadAllRecords<StockMateriaRecord>(path);
        QCOMPARE(all[0].reserved.text(), QString("3.75"));
        QCOMPARE(all[1].material.text(), QString("PP"));

        // Keys differing only in case or a trailing blank are different keys.
        updated = UpdateOrAppend<StockMateriaRecord>(
            path, [](const StockMateriaRecord& r) { return r.material.equals(QString("abs")); },
            [](StockMateriaRecord&) {}, [](StockMateriaRecord& r) { r = stock("abs", "1"); });
        QVERIFY(!updated);
        updated = UpdateOrAppend<StockMateriaRecord>(
            path, [](const StockMateriaRecord& r) { return r.material.equals(QString("PP ")); },
            [](StockMateriaRecord&) {}, [](StockMateriaRecord& r) { r = stock("PP ", "1"); });
        QVERIFY(!updated);
        QCOMPARE(QFileInfo(path).size(), 4 * 85);
    }

    void nestedScanReturnsToItsPlace()
    {
        TempFolder dir;
        const QString path = dir.file(DataFile::MovimMateria);
        writeFile(path, movimBytes("A", "1") + movimBytes("B", "2") + movimBytes("C", "3"));
        RecordFile<MovimRecord> f(path);
        QStringList order;
        while (!f.AtEndOfRecords()) {
            const MovimRecord outer = f.ReadNextRecord();
            int inner = 0;
            NestedScan(f, [&](const MovimRecord&) { ++inner; });
            QCOMPARE(inner, 3);
            order << outer.item.text();
        }
        QCOMPARE(order, QStringList({"A", "B", "C"}));
    }

    void removalIsAtomicAndRebindsOpenHandles()
    {
        TempFolder dir;
        const QString path = dir.file(DataFile::MovimMateria);
        writeFile(path, movimBytes("A", "1") + movimBytes("B", "2") + movimBytes("C", "3"));
        RecordFile<MovimRecord> open(path); // a screen's handle left open
        const qint64 removed = RemoveRecordsIf<MovimRecord>(path, [](const MovimRecord& r) { return r.item.equals(QString("B")); });
        QCOMPARE(removed, 1);
        QCOMPARE(readFile(path), movimBytes("A", "1") + movimBytes("C", "3"));
        // No temporary file is left behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
        // The open handle now sees the new file, so a write through it is not lost.
        QCOMPARE(open.RecordCount(), 2);
        open.AppendRecord(movim("D", "4"));
        QCOMPARE(ReadAllRecords<MovimRecord>(path).size(), size_t(3));
    }

    void failedRewriteLeavesTheOriginalIntact()
    {
        // The temporary file cannot be written in full (as on a full disk): the original stays.
        TempFolder dir;
        const QString path = dir.file(DataFile::MovimMateria);
        const QByteArray original = movimBytes("A", "1") + movimBytes("B", "2") + movimBytes("C", "3");
        writeFile(path, original);
        try {
            testsupport::FileSizeLimit limit(100);
            RemoveRecordAt<MovimRecord>(path, 0);
            QFAIL("the rewrite did not fit");
        } catch (const StoreError& e) {
            QVERIFY2(e.message().contains("File too large"), qPrintable(e.message()));
        }
        QCOMPARE(readFile(path), original);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({DataFile::MovimMateria}));
    }

    void crashBeforeRenameLeavesTheOriginal()
    {
        // A child process removes a record through the whole-file replace and dies the moment its
        // temporary file is written, before the rename: the original stays whole, and no stray
        // file is left beside it.
        TempFolder dir;
        const QString path = dir.file(DataFile::MovimMateria);
        const QByteArray original = movimBytes("A", "1") + movimBytes("B", "2") + movimBytes("C", "3");
        writeFile(path, original);
        const pid_t child = ::fork();
        if (child == 0) {
            SetBeforeReplaceRename([](const QString&) { ::_exit(3); });
            RemoveRecordAt<MovimRecord>(path, 0);
            ::_exit(0);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 3); // died at the rename, not before and not after
        QCOMPARE(readFile(path), original);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({DataFile::MovimMateria}));
        QCOMPARE(ReadAllRecords<MovimRecord>(path).size(), size_t(3));
    }

    void errorsCarryTheSystemText()
    {
        TempFolder dir;
        try {
            RecordFile<MovimRecord> f(dir.path() + "missing/" + DataFile::MovimMateria);
            QFAIL("opened a missing file");
        } catch (const StoreError& e) {
            QVERIFY(e.message().contains("No such file or directory"));
            QVERIFY(e.message().contains("missing"));
        }
        try {
            RecordFileBase::EnsureRecordFile(dir.path() + "no/such/folder/x.DAT");
            QFAIL("created in a missing folder");
        } catch (const StoreError& e) {
            QVERIFY(e.message().contains("No such file or directory"));
        }
        {
            // An append that does not fit takes back what it wrote and reports the system's reason.
            const QString path = dir.file("full.DAT");
            const QByteArray two = movimBytes("A", "1") + movimBytes("B", "2");
            writeFile(path, two);
            RecordFile<MovimRecord> f(path);
            try {
                testsupport::FileSizeLimit limit(two.size() + 30);
                f.AppendRecord(movim("C", "3"));
                QFAIL("appended beyond the limit");
            } catch (const StoreError& e) {
                QVERIFY2(e.message().contains("File too large"), qPrintable(e.message()));
            }
            QCOMPARE(readFile(path), two);
            QCOMPARE(f.RecordCount(), 2);
            f.AppendRecord(movim("C", "3"));
            QCOMPARE(f.RecordCount(), 3);
        }
        {
            // A record that cannot be written in place (here beyond a file-size limit, which binds
            // the superuser too) fails with the reason and leaves the file and the handle as they were.
            const QString path = dir.file("in place.DAT");
            const QByteArray two = movimBytes("A", "1") + movimBytes("B", "2");
            writeFile(path, two);
            RecordFile<MovimRecord> f(path);
            f.SeekRecord(1);
            try {
                testsupport::FileSizeLimit limit(77);
                f.WriteRecordAt(movim("X", "9"));
                QFAIL("wrote beyond the limit");
            } catch (const StoreError& e) {
                QVERIFY2(e.message().contains("File too large") && e.message().contains("in place.DAT"), qPrintable(e.message()));
            }
            QCOMPARE(readFile(path), two);
            f.SeekRecord(1);
            QCOMPARE(f.ReadNextRecord().item.text(), QString("B"));
        }
    }

    void largeFileSequentialRead()
    {
        // Reading through the read-ahead buffer crosses its boundaries correctly.
        TempFolder dir;
        const QString path = dir.file(DataFile::MovimMateria);
        QByteArray bytes;
        const int n = 10000;
        for (int i = 0; i < n; ++i)
            bytes += movimBytes("M" + QByteArray::number(i), QByteArray::number(i));
        writeFile(path, bytes);
        qint64 sum = 0;
        const qint64 k = LoadAll<MovimRecord>(path, false, [&](qint64 k, const MovimRecord& r) {
            QCOMPARE(r.item.text(), QString("M%1").arg(k - 1));
            sum += r.quantity.text().toLongLong();
        });
        QCOMPARE(k, n);
        QCOMPARE(sum, qint64(n) * (n - 1) / 2);
        // A write in the middle of a buffered region is seen by the next read of that record.
        RecordFile<MovimRecord> f(path);
        f.ReadNextRecord();
        f.SeekRecord(5);
        f.WriteRecordAt(movim("changed", "0"));
        f.SeekRecord(5);
        QCOMPARE(f.ReadNextRecord().item.text(), QString("changed"));
        // So is a write or an append through another handle on the same file.
        RecordFile<MovimRecord> other(path);
        other.SeekRecord(6);
        other.WriteRecordAt(movim("by other", "0"));
        other.AppendRecord(movim("last", "0"));
        f.SeekRecord(6);
        QCOMPARE(f.ReadNextRecord().item.text(), QString("by other"));
        QCOMPARE(f.RecordCount(), n + 1);
    }
};

QTEST_GUILESS_MAIN(TestRecordFile)
#include "tst_recordfile.moc"
