// Stock bookings at file level: every kind of booking checked in the bytes of the stock file, the
// order file and the movement file; the refusals; a bad number that writes nothing; and a write
// that fails in the middle of a booking, which names what was written and leaves whole records.
#include "stock/StockBookings.h"
#include "stock/StockTestSupport.h"
#include "store/AccessPatterns.h"
#include "store/RegionalSettings.h"
#include "support/TestSupport.h"

#include <QDir>
#include <cstring>
#include <QTest>

using namespace StockBookings;
using namespace testsupport;

namespace {

const QString kDate = "09/09/2026";  // the booking date, as entered
const QString kToday = "10/09/2026"; // the real date

std::vector<StockMateriaRecord> recordsOf(const QByteArray& bytes)
{
    std::vector<StockMateriaRecord> records(size_t(bytes.size() / 85));
    std::memcpy(static_cast<void*>(records.data()), bytes.constData(), records.size() * 85);
    return records;
}

Booking booking(const QString& item, double entry, double exit, qint64 order = -1, bool correction = false,
                const QString& type = QString())
{
    Booking b;
    b.item = item;
    b.type = type;
    b.entry = entry;
    b.exit = exit;
    b.order = order;
    b.correction = correction;
    b.date = kDate;
    b.today = kToday;
    return b;
}

// A movement as hand-written bytes.
QByteArray movement(const QByteArray& item, const QByteArray& quantity, const QByteArray& code)
{
    return field(40, item) + field(10, quantity) + field(10, kDate.toLatin1()) + field(10, kToday.toLatin1())
           + field(2, code);
}

} // namespace

class TestStockBookings : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TempFolder> m_dir;
    std::unique_ptr<ScopedRegionalSettings> m_regional;
    QString m_folder;
    std::vector<StockMateriaRecord> m_materials;
    std::vector<EncomMateriaRecord> m_purchases;
    std::vector<StockProdutoRecord> m_products;
    std::vector<EncomProdutoRecord> m_orders;

    QByteArray file(const QString& name) const { return readFile(m_folder + name); }
    BookingResult book(const Booking& b, bool product = false)
    {
        const BookingPlan plan = product ? PlanProductBookingIn(m_folder, b) : PlanMaterialBookingIn(m_folder, b);
        if (!plan.ok())
            qWarning("refused: %d", int(plan.refusal));
        return WriteBooking(m_folder, plan);
    }

private Q_SLOTS:
    void init()
    {
        m_regional = std::make_unique<ScopedRegionalSettings>(RegionalSettings::pointLocale());
        m_dir = std::make_unique<TempFolder>();
        m_folder = m_dir->path();
        m_materials = {stockMaterial("PP", "100", "5", "50"), stockMaterial("PE", "4")};
        m_purchases = {purchase("PP", "30", "10", OrderActive, "C00001"), purchase("PE", "8", "0", OrderActive, "C00002"),
                       purchase("PP", "5", "0", OrderArchived, "C00003")};
        m_products = {stock("Mesa", "Pinho", "20", "30", "-10", "01/09/2026"), stock("Vaso", "Verde", "5", "0", "5", "01/09/2026")};
        m_orders = {order("Mesa", "Pinho", "Ana", "30", "10"), order("Mesa", "Carvalho", "Rui", "30", "0")};
        m_orders[0].reference = "E00001";
        WriteAllRecords(m_folder + DataFile::StockMateria, m_materials);
        WriteAllRecords(m_folder + DataFile::EncomMateria, m_purchases);
        WriteAllRecords(m_folder + DataFile::StockProduto, m_products);
        WriteAllRecords(m_folder + DataFile::EncomProduto, m_orders);
    }
    void cleanup()
    {
        m_dir.reset();
        m_regional.reset();
    }

    // Raw materials: an entry against a purchase order, an exit, a correction.
    void rawMaterialBookings()
    {
        const QByteArray purchasesBefore = file(DataFile::EncomMateria);
        // Entry of 25 for order C00001 (30 ordered, 10 received): stock 125, on order 50 - 25, the
        // booking date; the order has all of it now and is archived; ES +25.
        QVERIFY(book(booking("PP", 25, 0, 0)).ok());
        QByteArray stock = field(40, "PP") + field(10, "125") + field(10, "5") + field(10, "25") + field(10, kDate.toLatin1());
        QCOMPARE(file(DataFile::StockMateria), stock + bytesOf(m_materials[1]));
        EncomMateriaRecord archived = m_purchases[0];
        archived.received = "35";
        archived.state = OrderArchived;
        QCOMPARE(file(DataFile::EncomMateria), bytesOf(archived) + purchasesBefore.mid(151));
        QByteArray movements = movement("PP", "25", "ES");
        QCOMPARE(file(DataFile::MovimMateria), movements);

        // Exit of 4 from a stock of 4 (the whole of it): stock "0", SS -4; no order is touched.
        const QByteArray purchasesNow = file(DataFile::EncomMateria);
        QVERIFY(book(booking("PE", 0, 4, 1)).ok()); // an order takes an entry only
        QCOMPARE(file(DataFile::StockMateria).mid(85), field(40, "PE") + field(10, "0") + field(10, "0") + field(10, "0")
                                                           + field(10, kDate.toLatin1()));
        QCOMPARE(file(DataFile::EncomMateria), purchasesNow);
        movements += movement("PE", "-4", "SS");
        QCOMPARE(file(DataFile::MovimMateria), movements);

        // Correction of +10 -13: stock 125 - 3 = 122, AS with the signed difference.
        QVERIFY(book(booking("PP", 10, 13, 0, true)).ok());
        stock.replace(42, 3, "122");
        QCOMPARE(file(DataFile::StockMateria).left(85), stock);
        QCOMPARE(file(DataFile::EncomMateria), purchasesNow);
        movements += movement("PP", "-3", "AS");
        QCOMPARE(file(DataFile::MovimMateria), movements);

        // A partial entry keeps the order active: 3 of the 8 of C00002; on order never below 0.
        QVERIFY(book(booking("PE", 3, 0, 1)).ok());
        QCOMPARE(file(DataFile::StockMateria).mid(85 + 41, 33), field(10, "3") + field(10, "0") + field(10, "0"));
        EncomMateriaRecord partial = m_purchases[1];
        partial.received = "3";
        QCOMPARE(file(DataFile::EncomMateria).mid(151, 151), bytesOf(partial));
    }

    // Products: an entry, an exit against a client order, one without, a correction; available
    // is kept as stock - ordered. (Each rewritten field keeps the bytes behind a shorter text.)
    void productBookings()
    {
        QByteArray movements;
        // Entry of 5: stock 25, available 25 - 30, ordered as it was.
        QVERIFY(book(booking("Mesa", 5, 0, -1, false, "Pinho"), true).ok());
        StockProdutoRecord mesa = m_products[0];
        mesa.stock = "25";
        mesa.available = "-5";
        mesa.date = kDate;
        QCOMPARE(file(DataFile::StockProduto), bytesOf(mesa) + bytesOf(m_products[1]));
        QCOMPARE(file(DataFile::StockProduto).mid(63, 4), QByteArray("\x02-50", 4)); // "-10" became "-5"
        QCOMPARE(file(DataFile::EncomProduto), bytesOf(m_orders));
        movements += movement("Mesa Pinho", "5", "ES");
        QCOMPARE(file(DataFile::MovimProduto), movements);

        // Exit of 15 for order E00001 (30 ordered, 10 delivered): stock 10, ordered 15, available
        // -5; delivered 25, still active; SS -15.
        QVERIFY(book(booking("Mesa", 0, 15, 0, false, "Pinho"), true).ok());
        mesa.stock = "10";
        mesa.ordered = "15";
        QCOMPARE(file(DataFile::StockProduto).left(96), bytesOf(mesa));
        EncomProdutoRecord delivered = m_orders[0];
        delivered.delivered = "25";
        QCOMPARE(file(DataFile::EncomProduto), bytesOf(delivered) + bytesOf(m_orders[1]));
        movements += movement("Mesa Pinho", "-15", "SS");
        QCOMPARE(file(DataFile::MovimProduto), movements);

        // The last 5 of it: the order is archived; ordered goes down by the exit.
        QVERIFY(book(booking("Mesa", 0, 5, 0, false, "Pinho"), true).ok());
        delivered.delivered = "30";
        delivered.state = OrderArchived;
        QCOMPARE(file(DataFile::EncomProduto), bytesOf(delivered) + bytesOf(m_orders[1]));
        mesa.stock = "5";
        mesa.ordered = "10";
        QCOMPARE(file(DataFile::StockProduto).left(96), bytesOf(mesa));
        movements += movement("Mesa Pinho", "-5", "SS");

        // An exit without an order leaves ordered alone: stock 3, available 3 - 0.
        QVERIFY(book(booking("Vaso", 0, 2, -1, false, "Verde"), true).ok());
        StockProdutoRecord vaso = m_products[1];
        vaso.stock = "3";
        vaso.available = "3";
        vaso.date = kDate;
        QCOMPARE(file(DataFile::StockProduto).mid(96), bytesOf(vaso));
        movements += movement("Vaso Verde", "-2", "SS");

        // A correction of +0 -1: stock 2, AS -1.
        QVERIFY(book(booking("Vaso", 0, 1, -1, true, "Verde"), true).ok());
        vaso.stock = "2";
        vaso.available = "2";
        QCOMPARE(file(DataFile::StockProduto), bytesOf(mesa) + bytesOf(vaso));
        movements += movement("Vaso Verde", "-1", "AS");
        QCOMPARE(file(DataFile::MovimProduto), movements);
        QCOMPARE(file(DataFile::EncomProduto), bytesOf(delivered) + bytesOf(m_orders[1]));
    }

    // An entry and an exit together are two bookings, the entry first; a material without a
    // record gets one appended, which starts from the bytes of the record before it.
    void entryAndExitTogetherAndANewItem()
    {
        QVERIFY(book(booking("PE", 7, 2)).ok());
        // 4, then 11, then 9: the "1" of 11 stays behind the shorter text.
        QCOMPARE(file(DataFile::StockMateria).mid(85 + 41, 11), QByteArray("\x01" "91") + QByteArray(8, '\0'));
        QCOMPARE(file(DataFile::MovimMateria), movement("PE", "7", "ES") + movement("PE", "-2", "SS"));

        QVERIFY(book(booking("PVC", 7, 0)).ok());
        StockMateriaRecord added = recordsOf(file(DataFile::StockMateria))[1];
        added.material = "PVC";
        added.stock = "7";
        added.reserved = "0";
        added.onOrder = "0";
        QCOMPARE(file(DataFile::StockMateria).mid(2 * 85), bytesOf(added));
        QCOMPARE(file(DataFile::MovimMateria).mid(2 * 77), movement("PVC", "7", "ES"));
    }

    // What is refused writes nothing: an exit larger than the stock (5 from 4; none without a
    // record), an order of another material or type, an order no longer active, nothing to book.
    void refusals()
    {
        const QByteArray before = file(DataFile::StockMateria) + file(DataFile::EncomMateria) + file(DataFile::StockProduto);
        QCOMPARE(PlanMaterialBookingIn(m_folder, booking("PE", 0, 5)).refusal, BookingPlan::NotEnoughStock);
        QCOMPARE(PlanMaterialBookingIn(m_folder, booking("PE", 9, 5, -1, true)).refusal, BookingPlan::NotEnoughStock);
        QCOMPARE(PlanMaterialBookingIn(m_folder, booking("ABS", 0, 1)).refusal, BookingPlan::NotEnoughStock);
        QVERIFY(PlanMaterialBookingIn(m_folder, booking("PE", 0, 4)).ok());
        QCOMPARE(PlanMaterialBookingIn(m_folder, booking("PE", 5, 0, 0)).refusal, BookingPlan::OrderMismatch);
        QCOMPARE(PlanMaterialBookingIn(m_folder, booking("PP", 5, 0, 2)).refusal, BookingPlan::OrderNotOpen);
        QCOMPARE(PlanMaterialBookingIn(m_folder, booking("PP", 5, 0, 9)).refusal, BookingPlan::OrderNotOpen);
        QCOMPARE(PlanMaterialBookingIn(m_folder, booking("PP", 0, 0)).refusal, BookingPlan::NothingToBook);
        QCOMPARE(PlanProductBookingIn(m_folder, booking("Mesa", 0, 21, -1, false, "Pinho")).refusal,
                 BookingPlan::NotEnoughStock);
        // Order 1 is of the same product in another type.
        QCOMPARE(PlanProductBookingIn(m_folder, booking("Mesa", 0, 1, 1, false, "Pinho")).refusal,
                 BookingPlan::OrderMismatch);
        QVERIFY(PlanProductBookingIn(m_folder, booking("Mesa", 0, 20, 0, false, "Pinho")).ok());
        QCOMPARE(file(DataFile::StockMateria) + file(DataFile::EncomMateria) + file(DataFile::StockProduto), before);
        QVERIFY(!QFileInfo::exists(m_folder + DataFile::MovimMateria));
    }

    // A text that is no number stops the booking before anything is written, naming it.
    void badNumberWritesNothing()
    {
        m_purchases[0].received = "1O";
        WriteAllRecords(m_folder + DataFile::EncomMateria, m_purchases);
        const QByteArray before = file(DataFile::StockMateria);
        const BookingPlan plan = PlanMaterialBookingIn(m_folder, booking("PP", 5, 0, 0));
        QVERIFY(plan.error);
        QVERIFY(plan.writes.empty());
        QCOMPARE(plan.error->file, DataFile::EncomMateria);
        QCOMPARE(plan.error->record, qint64(1));
        QCOMPARE(plan.error->text, QString("1O"));
        QVERIFY(WriteBooking(m_folder, plan).ok());
        QCOMPARE(file(DataFile::StockMateria), before);
        QVERIFY(!QFileInfo::exists(m_folder + DataFile::MovimMateria));
    }

    // A write that fails in the middle: the records before it stay written, the message names
    // them and what was not written; no file ends in a torn record.
    void failedWriteInTheMiddle()
    {
        // The movement file is a folder: stock record and order are written, the movement is not.
        QVERIFY(QDir(m_folder).mkdir(DataFile::MovimMateria));
        BookingResult result = book(booking("PP", 20, 0, 0));
        QVERIFY(!result.ok());
        QCOMPARE(result.written.size(), size_t(2));
        QCOMPARE(result.notWritten.size(), size_t(1));
        QCOMPARE(file(DataFile::StockMateria).mid(41, 11), field(10, "120"));
        QCOMPARE(file(DataFile::EncomMateria).at(150), char(OrderArchived));
        const QString text = BookingFailureText(result);
        QVERIFY2(text.contains("Written:\r  the stock record of PP (StockMateria.DAT, record 1)\r"
                               "  the order C00001 of PP (EncomMateria.DAT, record 1)\r\rNot written:\r"
                               "  the movement ES 20 of PP (MovimMateria.DAT)"),
                 qPrintable(text));
        QVERIFY(text.contains(result.failure) && !result.failure.isEmpty());
        QVERIFY(QDir(m_folder).rmdir(DataFile::MovimMateria));

        // Nothing may be written from byte 400 on: the stock record (at 0) is rewritten, the order
        // (record 4, at 453) is not, nor the movement after it.
        m_purchases.insert(m_purchases.begin(), 3, purchase("PE", "1", "1", OrderArchived));
        WriteAllRecords(m_folder + DataFile::EncomMateria, m_purchases);
        const QByteArray purchases = file(DataFile::EncomMateria);
        {
            FileSizeLimit limit(400);
            result = book(booking("PP", 2, 0, 3));
        }
        QCOMPARE(result.written.size(), size_t(1));
        QCOMPARE(result.notWritten.size(), size_t(2));
        QCOMPARE(file(DataFile::StockMateria).mid(41, 11), field(10, "122"));
        QCOMPARE(file(DataFile::EncomMateria), purchases);
        QVERIFY(!QFileInfo::exists(m_folder + DataFile::MovimMateria));
        QVERIFY(BookingFailureText(result).contains("Not written:\r  the order C00001 of PP (EncomMateria.DAT, record 4)"));

        // A movement appended half-way is taken back: the file keeps its whole records.
        writeFile(m_folder + DataFile::MovimProduto, QByteArray(3 * 77, 'x'));
        {
            FileSizeLimit limit(3 * 77 + 20);
            result = book(booking("Vaso", 1, 0, -1, false, "Verde"), true);
        }
        QCOMPARE(result.written.size(), size_t(1));
        QCOMPARE(file(DataFile::MovimProduto), QByteArray(3 * 77, 'x'));
        QCOMPARE(file(DataFile::StockProduto).mid(96 + 52, 11), field(10, "6"));
    }

    // The primitive the production entries share: update or append with available = stock -
    // ordered, and a movement appended.
    void productStockPrimitive()
    {
        StockChangeOutcome out = ChangeProductStockIn(m_folder, "Caixa", "Azul", 12, 0, kDate);
        QVERIFY(out.ok());
        QCOMPARE(out.write.index, qint64(2));
        out = ChangeProductStockIn(m_folder, "Caixa", "Azul", -2, 0, kDate);
        QCOMPARE(out.write.index, qint64(2));
        QCOMPARE(file(DataFile::StockProduto).mid(2 * 96 + 52, 33), field(10, "10") + field(10, "10") + field(10, "0"));
        AppendMovement(m_folder, DataFile::MovimProduto, Movement("Caixa Azul", "12", kDate, kToday, "EP"));
        QCOMPARE(file(DataFile::MovimProduto), movement("Caixa Azul", "12", "EP"));
    }
};

QTEST_GUILESS_MAIN(TestStockBookings)
#include "tst_stockbookings.moc"
