// Reserving the materials of a product quantity, checked in the bytes of StockMateria.DAT: plain
// lines, a composite line through its component's plain lines, lines that consume nothing per day,
// the first of two records of a material, a material without a record, the local separator, a
// damaged tail, and the bad texts that must leave the file as it was.
#include "orders/OrderViewFixtures.h"
#include "stock/MaterialReservation.h"
#include "store/AccessPatterns.h"

#include <QTest>

using namespace Stock;
using namespace testsupport;

namespace {

const QString kToday = QStringLiteral("09/12/2026");

// Kit Red: two boxes (a composite line), a lid that consumes nothing per day, half a label. Box Red:
// 0.4 of PP and a handle, and a composite line of its own that a component does not pass on.
QByteArray composition(const QByteArray& labelPerDay = "5", const QByteArray& blueQuant = "9")
{
    return produto("Box", "Red", "PP", "0.4", "0") + produto("Box", "Red", "Handle", "1", "30")
           + produto("Box", "Red", "Screw Kit", "1", "30", 1) + produto("Kit", "Red", "Box Red", "2", "10", 1)
           + produto("Kit", "Red", "Lid Red", "1", "0", 1) + produto("Kit", "Red", "Label", "0.5", labelPerDay)
           + produto("Kit", "Blue", "PP", blueQuant, "5") + produto("Lid", "Red", "PP", "0.1", "3");
}

QByteArray stockFile(const QByteArray& labelReserved = "1.5")
{
    return stockMateria("PP", "100", "10", "0", "01/12/2026") + stockMateria("Label", "5", labelReserved, "0", "01/12/2026")
           + stockMateria("PP", "7", "3", "0", "01/12/2026");
}

} // namespace

class TestMaterialReservation : public QObject {
    Q_OBJECT
    TempFolder m_dir;

private Q_SLOTS:
    void init()
    {
        RegionalSettings::setCurrent(RegionalSettings::pointLocale());
        QFile::remove(m_dir.file(DataFile::StockMateria));
        writeFile(m_dir.file(DataFile::Produtos), composition());
    }

    // 40 kits: the box line reserves 0.4 x 2 x 40 = 32 of PP and 2 x 40 = 80 handles, the label line
    // 20 labels; the first PP record takes it, the handle gets a record of its own, written from the
    // bytes of the record before it.
    void reservesPlainAndCompositeLines()
    {
        const QByteArray before = stockFile();
        writeFile(m_dir.file(DataFile::StockMateria), before);
        const MaterialReservation r = ReserveMaterialsInFolder(m_dir.path(), "Kit", "Red", 40, kToday);
        QVERIFY(r.ok());
        QCOMPARE(r.added.size(), size_t(3));
        QCOMPARE(r.added[0].material, QString("PP"));
        QCOMPARE(r.added[0].amount, 32.0);
        QCOMPARE(r.added[0].line, qint64(1));
        QCOMPARE(r.added[0].via, qint64(4));
        QCOMPARE(r.added[1].material, QString("Handle"));
        QCOMPARE(r.added[2].material, QString("Label"));
        QCOMPARE(r.added[2].via, qint64(0));
        QCOMPARE(r.appended, qint64(1));

        QByteArray expected = put(before, 85, 0, Off::SMreserved, "42");
        expected = put(expected, 85, 0, Off::SMdate, kToday.toLatin1());
        expected = put(expected, 85, 1, Off::SMreserved, "21.5");
        expected = put(expected, 85, 1, Off::SMdate, kToday.toLatin1());
        QByteArray handle = before.mid(2 * 85, 85);
        handle = put(handle, 85, 0, 0, "Handle");
        handle = put(handle, 85, 0, Off::SMstock, "0");
        handle = put(handle, 85, 0, Off::SMreserved, "80");
        handle = put(handle, 85, 0, Off::SMonOrder, "0");
        handle = put(handle, 85, 0, Off::SMdate, kToday.toLatin1());
        QCOMPARE(readFile(m_dir.file(DataFile::StockMateria)), expected + handle);

        // Kit Blue and Lid Red reserve only their own lines; a product without lines nothing.
        const MaterialReservation none = ReserveMaterialsInFolder(m_dir.path(), "Kit", "Green", 40, kToday);
        QVERIFY(none.ok() && !none.changed());
        QCOMPARE(readFile(m_dir.file(DataFile::StockMateria)), expected + handle);
    }

    // In a comma locale numbers are read and written with a comma; every addition is written with
    // at most three decimals.
    void commaLocale()
    {
        const std::vector<ProdutoRecord> products = recordsOfBytes<ProdutoRecord>(
            produto("Cup", "White", "PP", "0,5", "2") + produto("Cup", "White", "Ink", "1", "2"));
        const std::vector<StockMateriaRecord> stock = recordsOfBytes<StockMateriaRecord>(
            stockMateria("PP", "3", "1,25", "0", "01-12-2026"));
        const MaterialReservation r =
            ReserveMaterials("Cup", "White", 1.0 / 3.0, products, stock, "09-12-2026", RegionalSettings::commaLocale());
        QVERIFY(r.ok());
        QCOMPARE(r.stock[0].reserved.text(), QString("1,417"));
        QCOMPARE(r.stock[1].material.text(), QString("Ink"));
        QCOMPARE(r.stock[1].reserved.text(), QString("0,333"));
        QCOMPARE(r.stock[1].date.text(), QString("09-12-2026"));
    }

    // A daily quantity or a reserved quantity that is no number, or a reserved quantity that grows
    // past its field: named, and the file stays as it was. A bad text of another product is not
    // read.
    void badTextsChangeNothing()
    {
        struct Case {
            QByteArray products, stock;
            RecordError::Kind kind;
            QString file;
            qint64 record;
            QString field, text;
        };
        const Case cases[] = {
            {composition("x", "?"), stockFile(), RecordError::BadNumber, "Produtos.DAT", 6, "QuantDia", "x"},
            {composition("5", "?"), stockFile("abc"), RecordError::BadNumber, "StockMateria.DAT", 2, "reserved", "abc"},
            {composition("5", "?"), stockFile("9999999990"), RecordError::TooLarge, "StockMateria.DAT", 2, "reserved",
             "10000000010"},
        };
        for (const Case& c : cases) {
            writeFile(m_dir.file(DataFile::Produtos), c.products);
            writeFile(m_dir.file(DataFile::StockMateria), c.stock);
            const MaterialReservation r = ReserveMaterialsInFolder(m_dir.path(), "Kit", "Red", 40, kToday);
            QVERIFY(!r.ok());
            QCOMPARE(r.error->kind, c.kind);
            QCOMPARE(r.error->file, c.file);
            QCOMPARE(r.error->record, c.record);
            QCOMPARE(r.error->field, c.field);
            QCOMPARE(r.error->text, c.text);
            QVERIFY(RecordErrorText(*r.error).contains(c.text));
            QCOMPARE(readFile(m_dir.file(DataFile::StockMateria)), c.stock);
        }
    }

    // A missing StockMateria.DAT is created: empty when nothing is reserved, with the new records
    // otherwise (the first from an empty buffer). A damaged tail stays after the records.
    void missingFileAndDamagedTail()
    {
        QFile::remove(m_dir.file(DataFile::Produtos));
        QVERIFY(ReserveMaterialsInFolder(m_dir.path(), "Kit", "Red", 40, kToday).ok());
        QCOMPARE(readFile(m_dir.file(DataFile::StockMateria)), QByteArray());

        writeFile(m_dir.file(DataFile::Produtos), produto("Lid", "Red", "PP", "0.1", "3"));
        QVERIFY(ReserveMaterialsInFolder(m_dir.path(), "Lid", "Red", 40, kToday).ok());
        const QByteArray first = field(40, "PP") + field(10, "0") + field(10, "4") + field(10, "0") + field(10, kToday.toLatin1());
        QCOMPARE(readFile(m_dir.file(DataFile::StockMateria)), first);

        writeFile(m_dir.file(DataFile::StockMateria), first + "DAMAGED");
        QVERIFY(ReserveMaterialsInFolder(m_dir.path(), "Lid", "Red", 5, kToday).ok());
        QCOMPARE(readFile(m_dir.file(DataFile::StockMateria)), put(first, 85, 0, Off::SMreserved, "4.5") + "DAMAGED");
    }

    void productReference()
    {
        QCOMPARE(ProductReference("Box", "Red"), QByteArray("Box Red"));
        QCOMPARE(ProductReference(QByteArray(30, 'n'), QByteArray(20, 't')).size(), 51);
        QCOMPARE(ProductReference(QByteArray(34, 'n'), "t"), QByteArray(31, 'n') + "t");
    }
};

QTEST_GUILESS_MAIN(TestMaterialReservation)
#include "tst_materialreservation.moc"
