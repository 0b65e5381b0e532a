// The order calculation on records made here: open quantities per product, the rewritten stock
// records (in place, first match, appended ones, untouched duplicates and tails), the delivery
// dates with their weekend rules in a point and a comma locale, the projected stock, one line per
// client, and the bad texts and missing rates that must leave every file as it was.
#include "orders/OrderCalculation.h"
#include "orders/OrderRecords.h"
#include "store/AccessPatterns.h"
#include "store/DateText.h"
#include "support/TestSupport.h"

#include <QTest>

using namespace OrderCalculation;
using namespace testsupport;

namespace {

// Thursday 10 September 2026, 10:00.
const QDateTime kNow(QDate(2026, 9, 10), QTime(10, 0));

Settings settings(int hours = 8, int days = 7, bool automatic = false,
                  const RegionalSettings& regional = RegionalSettings::pointLocale(), const QDateTime& now = kNow)
{
    Settings s;
    s.hoursPerDay = hours;
    s.daysPerWeek = days;
    s.stockAuto = automatic;
    s.now = now;
    s.regional = regional;
    return s;
}

QString cell(const DeliveryRow& row, int col) { return row.cells.value(col); }

} // namespace

class TestOrderCalculation : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Orders of 100 (30 delivered) and 50 make one row with 120 open; with 200 in stock 80 are
    // available, no days are needed and the date is today. Archived and held orders do not count.
    void openQuantitiesAndAvailable()
    {
        const std::vector<EncomProdutoRecord> orders{
            order("Mesa", "Pinho", "Ana", "100", "30"), order("Mesa", "Pinho", "Rui", "500", "0", OrderArchived),
            order("Mesa", "Pinho", "Rui", "50"), order("Mesa", "Pinho", "Rui", "70", "0", OrderOnHold)};
        const std::vector<StockProdutoRecord> before{stock("Mesa", "Pinho", "200", "3", "197", "01/08/2026")};
        const TotalsOutcome out = ComputeOrderTotals(orders, before, settings());
        QVERIFY(out.ok());
        const OrderTotals& t = out.totals;
        QCOMPARE(t.rows.size(), size_t(1));
        QCOMPARE(t.rows[0].open, QString("120"));
        QCOMPARE(t.rows[0].stock, QString("200"));
        QCOMPARE(t.rows[0].available, QString("80"));
        QCOMPARE(t.rows[0].date, QString("01/08/2026")); // the date before the update
        QCOMPARE(t.stock[0].ordered.text(), QString("120"));
        QCOMPARE(t.stock[0].available.text(), QString("80"));
        QCOMPARE(t.stock[0].date.text(), QString("10/09/2026"));
        QCOMPARE(t.rewritten, qint64(1));
        QCOMPARE(t.rows[0].clients, QStringList({"Ana", "Rui"}));

        const DeliveryList list = ComputeDeliveryDates(t.rows, {product("Mesa", "Pinho", "10", "1")}, settings());
        QCOMPARE(cell(list.rows[0], DeliveryRow::ColDays), QString("0"));
        QCOMPARE(cell(list.rows[0], DeliveryRow::ColEndDate), QString("10/09/2026"));
        QCOMPARE(cell(list.rows[0], DeliveryRow::ColAvailable), QString("80"));
        QCOMPARE(cell(list.rows[0], DeliveryRow::ColPerDay), QString("80"));
        QVERIFY(list.problems.empty());

        // Nothing left to change: a second calculation rewrites nothing.
        const TotalsOutcome again = ComputeOrderTotals(orders, t.stock, settings());
        QVERIFY(again.ok());
        QVERIFY(!again.totals.changed());
    }

    // 20 in stock, 1620 open, 2 moulds of 50 cycles for 8 hours: 800 a day, 2.0 days (with the
    // local decimal separator), the day after tomorrow.
    void productionDaysAndDateInBothLocales_data()
    {
        QTest::addColumn<bool>("comma");
        QTest::newRow("point") << false;
        QTest::newRow("comma") << true;
    }
    void productionDaysAndDateInBothLocales()
    {
        QFETCH(bool, comma);
        const RegionalSettings regional = comma ? RegionalSettings::commaLocale() : RegionalSettings::pointLocale();
        const Settings s = settings(8, 7, false, regional);
        const QString date = comma ? "01-08-2026" : "01/08/2026";
        const TotalsOutcome out = ComputeOrderTotals({order("Cadeira", "Azul", "Ana", "1620")},
                                                     {stock("Cadeira", "Azul", "20", "0", "20", date)}, s);
        QVERIFY(out.ok());
        const DeliveryList list = ComputeDeliveryDates(out.totals.rows, {product("Cadeira", "Azul", "50", "2")}, s);
        const DeliveryRow& row = list.rows[0];
        QCOMPARE(cell(row, DeliveryRow::ColPerDay), QString("800"));
        QCOMPARE(cell(row, DeliveryRow::ColAvailable), QString("-1600"));
        QCOMPARE(cell(row, DeliveryRow::ColDays), QString(comma ? "2,0" : "2.0"));
        QCOMPARE(cell(row, DeliveryRow::ColEndDate), QString(comma ? "12-09-2026" : "12/09/2026"));
        QCOMPARE(cell(row, DeliveryRow::ColEndDateKey), QString("2026-09-12"));
        QCOMPARE(cell(row, DeliveryRow::ColStockDate), date);
        QCOMPARE(cell(row, DeliveryRow::ColClients), QString(" "));
        QCOMPARE(out.totals.stock[0].available.text(), QString("-1600"));

        // Decimal quantities are summed as their texts read back, in the local format.
        const QString half = comma ? "0,5" : "0.5";
        const TotalsOutcome sums = ComputeOrderTotals(
            {order("Cadeira", "Azul", "Ana", half), order("Cadeira", "Azul", "Rui", comma ? "0,25" : "0.25")}, {}, s);
        QCOMPARE(sums.totals.rows[0].open, QString(comma ? "0,75" : "0.75"));
        QCOMPARE(sums.totals.stock[0].available.text(), QString(comma ? "-0,75" : "-0.75"));
    }

    // With 5 working days a Saturday and a Sunday both become the Monday after; with 7 they stay.
    void weekendsMoveToMonday()
    {
        // 500 units a day (5 hours x 50 cycles x 2 moulds); from Friday 10:00.
        const QDateTime friday(QDate(2026, 9, 11), QTime(10, 0));
        const std::vector<ProdutoRecord> products{product("Caixa", "Azul", "50", "2")};
        auto endDate = [&](const QString& open, int daysPerWeek) {
            const Settings s = settings(5, daysPerWeek, false, RegionalSettings::pointLocale(), friday);
            const TotalsOutcome out = ComputeOrderTotals({order("Caixa", "Azul", "Ana", open)}, {}, s);
            return cell(ComputeDeliveryDates(out.totals.rows, products, s).rows[0], DeliveryRow::ColEndDate);
        };
        QCOMPARE(endDate("500", 5), QString("14/09/2026")); // 1 day, 1.4 calendar days: a Saturday
        QCOMPARE(endDate("750", 5), QString("14/09/2026")); // 1.5 days, 2.1 calendar days: a Sunday
        QCOMPARE(endDate("500", 6), QString("12/09/2026")); // Saturdays are worked
        QCOMPARE(endDate("750", 6), QString("14/09/2026")); // Sundays are not
        QCOMPARE(endDate("750", 7), QString("12/09/2026"));
    }

    // A stock record without active orders: nothing ordered, all of it available, its date kept.
    // New products are appended in order of first appearance with stock "0", starting from the
    // bytes of the record before them; a second record of a product is left alone; records keep
    // their places and the damaged tail of the file stays after them.
    void stockRecordsInPlaceAppendedAndKept()
    {
        std::vector<StockProdutoRecord> before{
            stock("Vaso", "Verde", "35", "12", "23", "02/02/2026"),
            stock("Mesa", "Pinho", "10", "0", "10", "03/03/2026"),
            stock("Mesa", "Pinho", "99", "7", "92", "04/04/2026"),
            stock("Longo Nome De Produto", "Tipo Longo", "5", "0", "5", "05/05/2026")};
        // The last record's ordered text was longer once: its stale bytes are still there.
        before[3].ordered.setText("123456");
        before[3].ordered.setText("0");
        const std::vector<EncomProdutoRecord> orders{order("Cubo", "Azul", "Ana", "40"), order("Mesa", "Pinho", "Ana", "4"),
                                                     order("Arca", "Rosa", "Rui", "7.5")};
        const QByteArray tail("\x05Vas", 4);
        const TotalsOutcome out = ComputeOrderTotals(orders, before, settings(), tail);
        QVERIFY(out.ok());
        const OrderTotals& t = out.totals;
        QCOMPARE(t.stock.size(), size_t(6));
        QCOMPARE(t.stock[0].ordered.text(), QString("0"));
        QCOMPARE(t.stock[0].available.text(), QString("35"));
        QCOMPARE(t.stock[0].date.text(), QString("02/02/2026"));
        QCOMPARE(t.stock[1].ordered.text(), QString("4"));
        QCOMPARE(t.stock[1].available.text(), QString("6"));
        QCOMPARE(std::memcmp(&t.stock[2], &before[2], sizeof(StockProdutoRecord)), 0); // the duplicate
        QCOMPARE(t.stock[4].product.text(), QString("Cubo"));
        QCOMPARE(t.stock[4].stock.text(), QString("0"));
        QCOMPARE(t.stock[4].ordered.text(), QString("40"));
        QCOMPARE(t.stock[4].available.text(), QString("-40"));
        QCOMPARE(t.stock[4].date.text(), QString("10/09/2026"));
        // Behind the shorter texts lie the bytes of the record before it.
        QCOMPARE(QByteArray(t.stock[4].ordered.data + 2, 4), QByteArray("3456"));
        QCOMPARE(QByteArray(t.stock[4].product.data + 4, 17), QByteArray("o Nome De Produto"));
        QCOMPARE(t.stock[5].product.text(), QString("Arca"));
        QCOMPARE(t.stock[5].available.text(), QString("-7.5"));
        QCOMPARE(t.rows[0].stockRecord, qint64(4));
        QCOMPARE(t.rows[1].stockRecord, qint64(1));
        QCOMPARE(t.rows[0].stock, QString("0"));
        QCOMPARE(t.rewritten, qint64(2)); // Vaso and the first Mesa; the last record already held 0 and 5
        QCOMPARE(t.appended, qint64(2));
        const QByteArray bytes = StockProdutoContents(t);
        QCOMPARE(bytes.size(), qsizetype(6 * sizeof(StockProdutoRecord)) + tail.size());
        QVERIFY(bytes.endsWith(tail));

        // With no active order at all every record is brought to nothing ordered.
        const TotalsOutcome none = ComputeOrderTotals({order("Mesa", "Pinho", "Ana", "4", "0", OrderArchived)}, before, settings());
        QVERIFY(none.totals.empty());
        QCOMPARE(none.totals.stock[1].ordered.text(), QString("0"));
        QCOMPARE(none.totals.stock.size(), before.size());
    }

    // Each client once, also when one name is part of another.
    void eachClientOnce()
    {
        const TotalsOutcome out = ComputeOrderTotals({order("Mesa", "Pinho", "Mariana", "1"), order("Mesa", "Pinho", "Ana", "2"),
                                                      order("Mesa", "Pinho", "Mariana", "3"), order("Vaso", "Verde", "Ana", "1")},
                                                     {}, settings());
        QCOMPARE(out.totals.rows[0].clients, QStringList({"Mariana", "Ana"}));
        const DeliveryList list = ComputeDeliveryDates(out.totals.rows, {}, settings());
        QCOMPARE(cell(list.rows[0], DeliveryRow::ColClientList), QString("Mariana\rAna\r"));
        QCOMPARE(cell(list.rows[1], DeliveryRow::ColClientList), QString("Ana\r"));
    }

    // With stock entered by production the stock grows by the rate for every whole day since the
    // stock record's date.
    void projectedStock()
    {
        const Settings s = settings(8, 7, true);
        const TotalsOutcome out = ComputeOrderTotals({order("Cadeira", "Azul", "Ana", "5000")},
                                                     {stock("Cadeira", "Azul", "20", "5000", "-4980", "07/09/2026")}, s);
        QVERIFY(out.ok());
        QVERIFY(!out.totals.changed());
        const DeliveryRow row = ComputeDeliveryDates(out.totals.rows, {product("Cadeira", "Azul", "50", "2")}, s).rows[0];
        QCOMPARE(cell(row, DeliveryRow::ColStock), QString("2420")); // 20 + 3 x 800
        QCOMPARE(cell(row, DeliveryRow::ColAvailable), QString("-2580"));
        QCOMPARE(cell(row, DeliveryRow::ColDays), QString("3.2"));
        // Without the setting the stock is the record's.
        const DeliveryRow manual = ComputeDeliveryDates(out.totals.rows, {product("Cadeira", "Azul", "50", "2")}, settings()).rows[0];
        QCOMPARE(cell(manual, DeliveryRow::ColStock), QString("20"));

        // A stock date that is no date stops the calculation before anything is written.
        const TotalsOutcome bad = ComputeOrderTotals({order("Cadeira", "Azul", "Ana", "5000")},
                                                     {stock("Cadeira", "Azul", "20", "5000", "-4980", "ontem")}, s);
        QVERIFY(!bad.ok());
        QCOMPARE(bad.error->kind, CalcError::BadDate);
        QCOMPARE(bad.error->text, QString("ontem"));
    }

    // A text that is no number stops the calculation naming file, record and text, and the files
    // stay byte for byte as they were.
    void badNumbersChangeNoFile_data()
    {
        QTest::addColumn<QString>("orderQuantity");
        QTest::addColumn<QString>("stockText");
        QTest::addColumn<QString>("file");
        QTest::addColumn<qint64>("record");
        QTest::addColumn<QString>("text");
        QTest::newRow("order quantity") << "12a" << "5" << "EncomProduto.DAT" << qint64(2) << "12a";
        QTest::newRow("stock of an ordered product") << "12" << "x5" << "StockProduto.DAT" << qint64(2) << "x5";
    }
    void badNumbersChangeNoFile()
    {
        QFETCH(QString, orderQuantity);
        QFETCH(QString, stockText);
        TempFolder folder;
        ScopedRegionalSettings point(RegionalSettings::pointLocale());
        WriteAllRecords(folder.file(DataFile::EncomProduto),
                        std::vector<EncomProdutoRecord>{order("Vaso", "Verde", "Ana", "3"), order("Mesa", "Pinho", "Ana", orderQuantity)});
        WriteAllRecords(folder.file(DataFile::StockProduto),
                        std::vector<StockProdutoRecord>{stock("Vaso", "Verde", "1", "0", "1", "01/01/2026"),
                                                        stock("Mesa", "Pinho", stockText, "0", "5", "01/01/2026")},
                        QByteArray("tail"));
        const QByteArray before = readFile(folder.file(DataFile::StockProduto));
        const TotalsOutcome out = RecalculateOrderedQuantities(folder.path(), settings());
        QVERIFY(!out.ok());
        QTEST(out.error->file, "file");
        QTEST(out.error->record, "record");
        QTEST(out.error->text, "text");
        QCOMPARE(readFile(folder.file(DataFile::StockProduto)), before);
        const QString message = ErrorText(*out.error);
        QVERIFY(message.contains(out.error->file) && message.contains(out.error->text));

        // Mended, the files are written whole, the tail kept.
        WriteAllRecords(folder.file(DataFile::EncomProduto),
                        std::vector<EncomProdutoRecord>{order("Vaso", "Verde", "Ana", "3"), order("Mesa", "Pinho", "Ana", "12")});
        WriteAllRecords(folder.file(DataFile::StockProduto),
                        std::vector<StockProdutoRecord>{stock("Vaso", "Verde", "1", "0", "1", "01/01/2026"),
                                                        stock("Mesa", "Pinho", "5", "0", "5", "01/01/2026")},
                        QByteArray("tail"));
        QVERIFY(RecalculateOrderedQuantities(folder.path(), settings()).ok());
        const auto after = ReadAllRecords<StockProdutoRecord>(folder.file(DataFile::StockProduto));
        QCOMPARE(after[1].available.text(), QString("-7"));
        QVERIFY(readFile(folder.file(DataFile::StockProduto)).endsWith("tail"));
    }

    // No moulds, no cycles, a bad cycles text or no product at all: no days, no date, sorted last
    // and named in one message; products in stock still get today. A stock file that is up to date
    // stays byte for byte as it was.
    void productsWithoutRate()
    {
        const std::vector<EncomProdutoRecord> orders{order("Sem", "Moldes", "A", "10"), order("Sem", "Ciclos", "A", "10"),
                                                     order("Mau", "Ciclo", "A", "10"), order("Nada", "X", "A", "10"),
                                                     order("Tem", "Stock", "A", "10")};
        const std::vector<ProdutoRecord> products{product("Sem", "Moldes", "50", "0"), product("Sem", "Ciclos", "", "2"),
                                                  product("Mau", "Ciclo", "5x", "2"), product("Tem", "Stock", "0", "0")};
        TempFolder folder;
        WriteAllRecords(folder.file(DataFile::EncomProduto), orders);
        const QString d = "01/09/2026";
        const std::vector<StockProdutoRecord> upToDate{
            stock("Sem", "Moldes", "0", "10", "-10", d), stock("Sem", "Ciclos", "0", "10", "-10", d),
            stock("Mau", "Ciclo", "0", "10", "-10", d), stock("Nada", "X", "0", "10", "-10", d),
            stock("Tem", "Stock", "50", "10", "40", d)};
        WriteAllRecords(folder.file(DataFile::StockProduto), upToDate);
        const QByteArray before = readFile(folder.file(DataFile::StockProduto));
        const TotalsOutcome out = RecalculateOrderedQuantities(folder.path(), settings());
        QVERIFY(out.ok());
        QCOMPARE(readFile(folder.file(DataFile::StockProduto)), before);
        const DeliveryList list = ComputeDeliveryDates(out.totals.rows, products, settings());
        QCOMPARE(list.rows.size(), size_t(5));
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(cell(list.rows[i], DeliveryRow::ColDays), QString());
            QCOMPARE(cell(list.rows[i], DeliveryRow::ColEndDate), QString());
            QCOMPARE(cell(list.rows[i], DeliveryRow::ColEndDateKey), NoDateSortKey);
        }
        QCOMPARE(cell(list.rows[0], DeliveryRow::ColPerDay), QString("0"));
        QCOMPARE(cell(list.rows[3], DeliveryRow::ColPerDay), QString());
        QCOMPARE(cell(list.rows[4], DeliveryRow::ColEndDate), QString("10/09/2026"));
        QCOMPARE(list.problems.size(), size_t(4));
        QCOMPARE(list.problems[0].reason, RateProblem::NoMoulds);
        QCOMPARE(list.problems[1].reason, RateProblem::NoCycles);
        QCOMPARE(list.problems[2].reason, RateProblem::BadCycles);
        QCOMPARE(list.problems[3].reason, RateProblem::UnknownProduct);
        const QString text = RateProblemsText(list.problems);
        QVERIFY(text.contains("Sem Moldes") && text.contains("'5x'") && text.contains("Nada X"));

        // No working hours or days at all: still no division by zero.
        const DeliveryList noHours = ComputeDeliveryDates(out.totals.rows, products, settings(0, 0));
        QCOMPARE(noHours.problems.size(), size_t(4));
        const DeliveryList noDays = ComputeDeliveryDates(
            ComputeOrderTotals({order("X", "Y", "A", "10")}, {}, settings()).totals.rows, {product("X", "Y", "5", "1")},
            settings(8, 0));
        QCOMPARE(noDays.problems.at(0).reason, RateProblem::NoDays);
        // A rate of one a day for a huge shortfall gives no date past 9999.
        const DeliveryList far = ComputeDeliveryDates(
            ComputeOrderTotals({order("X", "Y", "A", "9999999999")}, {}, settings()).totals.rows,
            {product("X", "Y", "1", "1")}, settings(1));
        QCOMPARE(far.problems.at(0).reason, RateProblem::TooFar);
    }
};

QTEST_GUILESS_MAIN(TestOrderCalculation)
#include "tst_ordercalculation.moc"
