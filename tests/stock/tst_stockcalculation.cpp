// The raw-material stock calculation on records made here: reservations of the products in
// shortfall with the summed daily quantities, the purchase orders, a second calculation that
// counts no product twice, a material appended by the write-back, consumption with StockAuto, the
// run-out dates with their weekend rules, and the bad texts that leave both files as they were.
#include "stock/StockCalculation.h"
#include "stock/StockTestSupport.h"
#include "store/AccessPatterns.h"
#include "store/DateText.h"
#include "support/TestSupport.h"

#include <QTest>

using namespace StockCalculation;
using namespace testsupport;

namespace {

// Thursday 10 September 2026, 10:00.
const QDateTime kNow(QDate(2026, 9, 10), QTime(10, 0));

Settings settings(int days = 7, bool automatic = false, const QDateTime& now = kNow,
                  const RegionalSettings& regional = RegionalSettings::pointLocale())
{
    Settings s;
    s.hoursPerDay = 8;
    s.daysPerWeek = days;
    s.stockAuto = automatic;
    s.now = now;
    s.regional = regional;
    return s;
}

QString cell(const NeedRow& row, int col) { return row.cells.value(col); }

NeedRow need(const QString& stock, const QString& perDay)
{
    QStringList cells(NeedRow::ColumnCount);
    cells[NeedRow::ColMaterial] = "PP";
    cells[NeedRow::ColStock] = stock;
    cells[NeedRow::ColPerDay] = perDay;
    return NeedRow::FromCells(cells);
}

QString runOut(const NeedRow& row, int days, const QDateTime& now = kNow)
{
    std::vector<NeedRow> rows{row};
    ComputeRunOutDates(rows, settings(days, false, now));
    return cell(rows[0], NeedRow::ColRunOut);
}

} // namespace

class TestStockCalculation : public QObject {
    Q_OBJECT
private:
    // Orders of 10 Mesa Pinho and 4 Vaso Verde, nothing in stock: available -10 and -4. Mesa takes
    // 0.5 of PP a unit (20 a day), Vaso 1.25 (30 a day); a line of no daily use and a composite
    // line reserve nothing.
    StockFiles company(const QString& quant = "0.5")
    {
        StockFiles f;
        f.orders.orders = {order("Mesa", "Pinho", "Ana", "10"), order("Vaso", "Verde", "Rui", "4")};
        f.products = {dailyLine("Mesa", "Pinho", "PP", quant, "20"), dailyLine("Mesa", "Pinho", "PE", "2", "0"),
                      dailyLine("Mesa", "Pinho", "Tampa Azul", "1", "5", true), dailyLine("Vaso", "Verde", "PP", "1.25", "30")};
        f.materials = {stockMaterial("PP", "100", "7", "3"), stockMaterial("ABS", "10", "4", "0")};
        f.materialsExisted = true;
        f.purchases = {purchase("PP", "40", "30"), purchase("PP", "99", "0", OrderArchived),
                       purchase("PVC", "5", "0")};
        return f;
    }

private Q_SLOTS:
    // -10 x 0.5 = 5 and -4 x 1.25 = 5 of PP reserved; the active purchase order counts in full;
    // the needs row sums both products' daily quantities. ABS, reserved by nothing, shows what it
    // has: its available follows its reserved quantity going back to 0.
    void reservationsAndDailyQuantity_data()
    {
        QTest::addColumn<bool>("comma");
        QTest::newRow("point") << false;
        QTest::newRow("comma") << true;
    }
    void reservationsAndDailyQuantity()
    {
        QFETCH(bool, comma);
        const RegionalSettings regional = comma ? RegionalSettings::commaLocale() : RegionalSettings::pointLocale();
        StockFiles f = company(comma ? "0,5" : "0.5");
        f.products[3].Quant = comma ? "1,25" : "1.25";
        const StockOutcome out = CalculateStock(f, {}, settings(7, false, kNow, regional));
        QVERIFY(out.ok());
        QCOMPARE(out.rows.size(), size_t(2));
        QCOMPARE(out.rows[0].Cells(), QStringList({"PP", "100", " ", "10", "130", "40", "01/03/2026", "1"}));
        QCOMPARE(out.rows[1].Cells(), QStringList({"ABS", "10", " ", "0", "10", "0", "01/03/2026", "2"}));
        QCOMPARE(out.needs.size(), size_t(1));
        QCOMPARE(out.needs[0].cells, QStringList({"PP", "100", "10", "40", "130", "50", "", " Mesa* Vaso*", ""}));
        QCOMPARE(out.materials[0].reserved.text(), QString("10"));
        QCOMPARE(out.materials[0].onOrder.text(), QString("40"));
        QCOMPARE(out.materials[1].reserved.text(), QString("0"));
        QCOMPARE(out.rewritten, qint64(2));
        QCOMPARE(out.appended, qint64(0));
        // The first half ran: the products' stock records were appended with their shortfalls.
        QCOMPARE(out.totals.stock.size(), size_t(2));
        QCOMPARE(out.totals.stock[0].available.text(), QString("-10"));
    }

    // A second calculation while the list stays open: the same reservations (not added to the
    // first ones) and each product's daily quantity counted once. Product names count whole:
    // "Box" is not taken for a part of "BigBox".
    void secondCalculationCountsNoProductTwice()
    {
        StockFiles f = company();
        f.orders.orders.push_back(order("BigBox", "Azul", "Ana", "1"));
        f.orders.orders.push_back(order("Box", "Azul", "Ana", "1"));
        f.products.push_back(dailyLine("BigBox", "Azul", "PP", "1", "3"));
        f.products.push_back(dailyLine("Box", "Azul", "PP", "1", "4"));
        const StockOutcome first = CalculateStock(f, {}, settings());
        QVERIFY(first.ok());
        QCOMPARE(cell(first.needs[0], NeedRow::ColPerDay), QString("57"));
        QCOMPARE(cell(first.needs[0], NeedRow::ColProducts), QString(" Mesa* Vaso* BigBox* Box*"));

        f.materials = first.materials;
        f.orders.stock = first.totals.stock;
        const StockOutcome second = CalculateStock(f, first.needs, settings());
        QVERIFY(second.ok());
        QCOMPARE(second.needs.size(), size_t(1));
        QCOMPARE(second.needs[0].cells, first.needs[0].cells);
        QCOMPARE(second.rows[0].reserved, QString("12"));
        QCOMPARE(second.rewritten, qint64(0));
        QCOMPARE(second.totals.rewritten, qint64(0));
    }

    // A material needed but without a stock record: a row with stock 0 dated today, appended by
    // the write-back (from the bytes of the record before it), written with StockProduto.DAT.
    void missingMaterialAppendedByTheWriteBack()
    {
        const RegionalSettings point = RegionalSettings::pointLocale();
        const ScopedRegionalSettings regional(point);
        TempFolder dir;
        const StockFiles f = company();
        WriteAllRecords(dir.file(DataFile::EncomProduto), f.orders.orders);
        std::vector<ProdutoRecord> products = f.products;
        products.push_back(dailyLine("Vaso", "Verde", "Tinta", "0.1", "2"));
        WriteAllRecords(dir.file(DataFile::Produtos), products);
        WriteAllRecords(dir.file(DataFile::StockMateria), f.materials);
        WriteAllRecords(dir.file(DataFile::EncomMateria), f.purchases);

        const Recalculation done = RecalculateStock(dir.path(), settings());
        QVERIFY(done.ok());
        StockMateriaRecord pp = f.materials[0];
        pp.reserved = "10";
        pp.onOrder = "40";
        StockMateriaRecord abs = f.materials[1];
        abs.reserved = "0";
        StockMateriaRecord paint = abs;
        paint.material = "Tinta";
        paint.stock = "0";
        paint.reserved = "0.4";
        paint.onOrder = "0";
        paint.date = "10/09/2026";
        QCOMPARE(readFile(dir.file(DataFile::StockMateria)), bytesOf(pp) + bytesOf(abs) + bytesOf(paint));
        QCOMPARE(readFile(dir.file(DataFile::StockProduto)), OrderCalculation::StockProdutoContents(done.outcome.totals));
        QCOMPARE(done.outcome.rows[2].Cells(), QStringList({"Tinta", "0", " ", "0.4", "-0.4", "0", "10/09/2026", "3"}));
        QCOMPARE(done.changes.size(), size_t(2));
        QCOMPARE(done.changes[0].file, DataFile::StockProduto);
        QCOMPARE(done.changes[0].appended, qint64(2));
        QCOMPARE(done.changes[1].rewritten, qint64(2));
        QCOMPARE(done.changes[1].appended, qint64(1));

        // Again: nothing changes, nothing is written.
        const Recalculation again = RecalculateStock(dir.path(), settings());
        QCOMPARE(again.changes[0].written || again.changes[1].written, false);
    }

    // StockAuto with 5 working days: 100 booked 14 days ago, 10 a day, 10 x Int(14 / 7 x 5) = 100
    // used, so nothing is left (and the list shows 0, never less); a date still to come uses none.
    void consumptionWithStockAuto()
    {
        StockFiles f = company();
        f.products = {dailyLine("Mesa", "Pinho", "PP", "1", "10")};
        f.materials[0].date = "27/08/2026";
        StockOutcome out = CalculateStock(f, {}, settings(5, true));
        QVERIFY(out.ok());
        QCOMPARE(cell(out.needs[0], NeedRow::ColStock), QString("0"));
        QCOMPARE(cell(out.needs[0], NeedRow::ColAvailable), QString("30")); // 40 + 0 - 10
        QCOMPARE(out.rows[0].available, QString("30"));
        QCOMPARE(out.materials[0].stock.text(), QString("100")); // the record keeps its stock

        f.materials[0].date = "20/08/2026"; // 21 days: 150 used, the list shows 0
        out = CalculateStock(f, {}, settings(5, true));
        QCOMPARE(cell(out.needs[0], NeedRow::ColStock), QString("0"));
        QCOMPARE(cell(out.needs[0], NeedRow::ColAvailable), QString("-20"));

        f.materials[0].date = "20/09/2026";
        out = CalculateStock(f, {}, settings(5, true));
        QCOMPARE(cell(out.needs[0], NeedRow::ColStock), QString("100"));
    }

    // now + stock / daily quantity (in working days) - 1 day: no stock is yesterday, half a day is
    // today after noon and yesterday before; a Saturday moves to Monday with 5 working days, not
    // with 7; nothing used a day gives no date.
    void runOutDates()
    {
        QCOMPARE(runOut(need("0", "10"), 7), QString("09/09/2026"));
        QCOMPARE(runOut(need("5", "10"), 7), QString("09/09/2026"));
        QCOMPARE(runOut(need("5", "10"), 7, QDateTime(kNow.date(), QTime(14, 0))), QString("10/09/2026"));
        QCOMPARE(runOut(need("20", "10"), 5), QString("14/09/2026")); // 2.8 days: Saturday 12
        QCOMPARE(runOut(need("28", "10"), 7), QString("12/09/2026"));
        QCOMPARE(runOut(need("35", "10"), 6), QString("14/09/2026")); // Sunday 13 with 6 days
        QCOMPARE(runOut(need("25", "10"), 6), QString("12/09/2026")); // a Saturday is worked
        std::vector<NeedRow> rows{need("20", "0"), need("20", "")};
        ComputeRunOutDates(rows, settings());
        for (const NeedRow& r : rows) {
            QCOMPARE(cell(r, NeedRow::ColRunOut), QString());
            QCOMPARE(cell(r, NeedRow::ColRunOutKey), NoRunOutSortKey);
            QVERIFY(!r.hasRunOut);
        }
        rows = {need("20", "10")};
        ComputeRunOutDates(rows, settings());
        QCOMPARE(cell(rows[0], NeedRow::ColRunOutKey), QString("2026-09-11"));
    }

    // A text that is no number stops the calculation naming file, record and text; neither file
    // is changed. No product orders: nothing is done.
    void badTextsChangeNoFile()
    {
        const ScopedRegionalSettings regional(RegionalSettings::pointLocale());
        TempFolder dir;
        StockFiles f = company();
        f.products[3].QuantDia = "3O";
        WriteAllRecords(dir.file(DataFile::EncomProduto), f.orders.orders);
        WriteAllRecords(dir.file(DataFile::Produtos), f.products);
        WriteAllRecords(dir.file(DataFile::StockMateria), f.materials);
        WriteAllRecords(dir.file(DataFile::EncomMateria), f.purchases);
        const QByteArray materials = readFile(dir.file(DataFile::StockMateria));
        Recalculation done = RecalculateStock(dir.path(), settings());
        QVERIFY(done.outcome.error);
        QCOMPARE(done.outcome.error->file, DataFile::Produtos);
        QCOMPARE(done.outcome.error->record, qint64(4));
        QCOMPARE(done.outcome.error->text, QString("3O"));
        QVERIFY(OrderCalculation::ErrorText(*done.outcome.error).contains("daily quantity"));
        QVERIFY(!QFileInfo::exists(dir.file(DataFile::StockProduto)));
        QCOMPARE(readFile(dir.file(DataFile::StockMateria)), materials);

        f = company();
        f.purchases[0].quantity = "4 0";
        StockOutcome out = CalculateStock(f, {}, settings());
        QCOMPARE(out.error->file, DataFile::EncomMateria);
        QCOMPARE(out.error->text, QString("4 0"));
        f.purchases[0].quantity = "40";
        f.purchases[2].quantity = "x"; // of a material without a stock row: never read
        QVERIFY(CalculateStock(f, {}, settings()).ok());

        f.orders.orders.clear();
        out = CalculateStock(f, {}, settings());
        QVERIFY(out.noProductOrders && !out.error);
    }
};

QTEST_GUILESS_MAIN(TestStockCalculation)
#include "tst_stockcalculation.moc"
