// The orders view's calculations on records made here: the rows and filter entries of both order
// files, the filters and the total of the active orders listed (decimal quantities, texts that are
// no number), and the re-activation of an archived order: its plan for both kinds of order and the
// writes in the bytes of the files, in their order, with a failing stock write.
#include "orders/OrderViewFixtures.h"
#include "orders/OrderViews.h"
#include "store/AccessPatterns.h"

#include <QTest>

using namespace OrderViews;
using namespace testsupport;

namespace {

const QString kToday = QStringLiteral("09/12/2026");

std::vector<EncomProdutoRecord> productOrders(const QByteArray& bytes) { return recordsOfBytes<EncomProdutoRecord>(bytes); }

QList<qsizetype> listed(const Selection& s) { return QList<qsizetype>(s.orders.begin(), s.orders.end()); }

} // namespace

class TestOrderViews : public QObject {
    Q_OBJECT
    TempFolder m_dir;

private Q_SLOTS:
    void init() { RegionalSettings::setCurrent(RegionalSettings::pointLocale()); }

    // Two active orders of 10 and 5 and an archived one of 7: 15 under "( show all )", 0 under
    // "(archived only)". An item lists its orders in every state; names that differ in case only
    // are two items.
    void filtersAndTotals()
    {
        const OrderList list = BuildOrderList(productOrders(
            encomProduto("Balde", "Azul", "Ana", "10", "0", OrderActive) + encomProduto("Balde", "Azul", "Rui", "5", "2", OrderActive)
            + encomProduto("Tampa", "Azul", "Ana", "7", "7", OrderArchived) + encomProduto("balde", "azul", "Ana", "3", "0", OrderOnHold)));
        QCOMPARE(list.orders[1].cells, std::vector<QString>({"Balde Azul", "Rui", "5", "02/11/2026", "0", "30/11/2026", "2",
                                                             "E0001", "2026-11-02", "2"}));
        QCOMPARE(list.entries, QStringList({"Balde\tAzul", "Tampa\tAzul", "balde\tazul"}));
        const QStringList fixed = FixedEntries();
        QCOMPARE(fixed, QStringList({"( show all )\t", "(archived only)\t", "(active only)\t", "(on hold only)\t"}));
        struct Case {
            QString filter;
            QList<qsizetype> orders;
            double total;
        };
        for (const Case& c : {Case{fixed[0], {0, 1, 2, 3}, 15}, Case{fixed[1], {2}, 0}, Case{fixed[2], {0, 1}, 15},
                              Case{fixed[3], {3}, 0}, Case{"Balde\tAzul", {0, 1}, 15}, Case{"Tampa\tAzul", {2}, 0},
                              Case{"balde\tazul", {3}, 0}}) {
            const Selection s = SelectOrders(list, c.filter);
            QCOMPARE(listed(s), c.orders);
            QCOMPARE(s.total, c.total);
            QVERIFY(s.bad.empty());
        }
        QCOMPARE(TotalText(15), QString("15"));
        QCOMPARE(TotalText(1234567.5), QString("1,234,567.5"));
        ScopedRegionalSettings comma(RegionalSettings::commaLocale());
        QCOMPARE(TotalText(1234567.5), QString("1.234.567,5"));
    }

    // Decimal quantities are summed as numbers; a text that is no number is named and left out,
    // and its order is still listed. Purchase orders show material and reference.
    void decimalAndBadQuantities()
    {
        const OrderList list = BuildOrderList(recordsOfBytes<EncomMateriaRecord>(
            encomMateria("PP", "PP-H", "Resinas", "12.5", "0", OrderActive) + encomMateria("PP", "", "Resinas", "2.5", "0", OrderActive)
            + encomMateria("Ink", "INK-1", "Cores", "abc", "0", OrderActive) + encomMateria("Ink", "INK-1", "Cores", "x", "0", OrderArchived)));
        QCOMPARE(list.orders[0].cells[ColItem], QString("PP PP-H"));
        QCOMPARE(list.orders[1].cells[ColItem], QString("PP "));
        QCOMPARE(list.entries, QStringList({"PP\tPP-H", "PP\t", "Ink\tINK-1"}));
        const Selection s = SelectOrders(list, FixedEntries()[0]);
        QCOMPARE(s.orders.size(), size_t(4));
        QCOMPARE(s.total, 15.0);
        QCOMPARE(s.bad.size(), size_t(1));
        QCOMPARE(s.bad[0].record, qint64(3));
        QCOMPARE(BadQuantitiesMessage(list.kind, s.bad),
                 QString("These quantities are not numbers and are left out of the total:\rEncomMateria.DAT, record 3, quantity: 'abc'"));
        QVERIFY(BadQuantitiesMessage(list.kind, SelectOrders(list, "PP\tPP-H").bad).isEmpty());
    }

    // A product order of 100 with 60 delivered adds 40 to the ordered quantity of the product's first
    // stock record (available := stock - ordered, its date kept) and reserves the product's
    // materials for 40; with 100 delivered it adds 0; with more delivered than ordered nothing
    // changes. A product without a stock record gets stock 0, ordered 40 and available -40.
    void plansProductReactivation()
    {
        StockFiles files;
        files.productStock = recordsOfBytes<StockProdutoRecord>(stockProduto("Balde", "Azul", "50", "25", "25", "01/12/2026")
                                                                + stockProduto("Balde", "Azul", "9", "9", "0", "01/12/2026"));
        files.materialStock = recordsOfBytes<StockMateriaRecord>(stockMateria("PP", "100", "10", "0", "01/12/2026"));
        files.products = recordsOfBytes<ProdutoRecord>(produto("Balde", "Azul", "PP", "0.5", "10"));
        const auto order = [](const QByteArray& product, const QByteArray& delivered) {
            return productOrders(encomProduto(product, "Azul", "Ana", "100", delivered, OrderArchived))[0];
        };

        ReactivationPlan p = PlanReactivation(order("Balde", "60"), 1, files, kToday);
        QVERIFY(p.ok() && p.updatesStock && !p.stockRecordAppended);
        QCOMPARE(p.open, 40.0);
        QCOMPARE(p.stockFiles.size(), size_t(2));
        auto stock = recordsOfBytes<StockProdutoRecord>(p.stockFiles[0].second);
        QCOMPARE(stock[0].ordered.text(), QString("65"));
        QCOMPARE(stock[0].available.text(), QString("-15"));
        QCOMPARE(stock[0].date.text(), QString("01/12/2026"));
        QCOMPARE(stock[1].ordered.text(), QString("0")); // a later record of the product stays
        QCOMPARE(p.stockFiles[1].first, QString("StockMateria.DAT"));
        auto materials = recordsOfBytes<StockMateriaRecord>(p.stockFiles[1].second);
        QCOMPARE(materials[0].reserved.text(), QString("30"));
        QCOMPARE(materials[0].date.text(), kToday);

        p = PlanReactivation(order("Balde", "100"), 1, files, kToday);
        QVERIFY(p.updatesStock);
        QCOMPARE(recordsOfBytes<StockProdutoRecord>(p.stockFiles[0].second)[0].ordered.text(), QString("25"));
        p = PlanReactivation(order("Balde", "120"), 1, files, kToday);
        QVERIFY(p.ok() && !p.updatesStock && p.stockFiles.empty());

        p = PlanReactivation(order("Tampa", "60"), 1, files, kToday);
        QVERIFY(p.stockRecordAppended);
        stock = recordsOfBytes<StockProdutoRecord>(p.stockFiles[0].second);
        QCOMPARE(stock.size(), size_t(3));
        QCOMPARE(stock[2].product.text(), QString("Tampa"));
        QCOMPARE(stock[2].type.text(), QString("Azul"));
        QCOMPARE(stock[2].stock.text(), QString("0"));
        QCOMPARE(stock[2].ordered.text(), QString("40"));
        QCOMPARE(stock[2].available.text(), QString("-40"));
        QCOMPARE(stock[2].date.text(), kToday);
        QCOMPARE(p.stockFiles.size(), size_t(1)); // Tampa has no materials to reserve

        p = PlanReactivation(order("Balde", "6O"), 4, files, kToday);
        QVERIFY(!p.ok());
        QCOMPARE(p.error->file, QString("EncomProduto.DAT"));
        QCOMPARE(p.error->record, qint64(4));
        QCOMPARE(p.error->field, QString("delivered"));
        files.productStock[0].stock = "lots";
        QCOMPARE(PlanReactivation(order("Balde", "60"), 1, files, kToday).error->field, QString("stock"));
    }

    // A purchase order adds its open quantity to the material's quantity on order; a material
    // without a stock record gets one with stock 0, reserved 0, the quantity on order and today.
    void plansPurchaseReactivation()
    {
        StockFiles files;
        files.materialStock = recordsOfBytes<StockMateriaRecord>(stockMateria("PP", "100", "10", "5", "01/12/2026"));
        const auto order = [](const QByteArray& material) {
            return recordsOfBytes<EncomMateriaRecord>(encomMateria(material, "R", "Resinas", "50", "20", OrderArchived))[0];
        };
        ReactivationPlan p = PlanReactivation(order("PP"), 1, files, kToday);
        QCOMPARE(p.stockFiles.size(), size_t(1));
        auto stock = recordsOfBytes<StockMateriaRecord>(p.stockFiles[0].second);
        QCOMPARE(stock[0].onOrder.text(), QString("35"));
        QCOMPARE(stock[0].date.text(), QString("01/12/2026"));
        p = PlanReactivation(order("Ink"), 1, files, kToday);
        stock = recordsOfBytes<StockMateriaRecord>(p.stockFiles[0].second);
        QCOMPARE(stock[1].material.text(), QString("Ink"));
        QCOMPARE(QStringList({stock[1].stock, stock[1].reserved, stock[1].onOrder, stock[1].date}),
                 QStringList({"0", "0", "30", kToday}));
    }

    // In the files: the order's state byte first, then both stock files whole; an order that is not
    // archived changes nothing; when the stock cannot be written the order stays active and the
    // message names the files.
    void reactivatesInTheFiles()
    {
        const QByteArray orders = encomProduto("Balde", "Azul", "Ana", "100", "0", OrderActive)
                                  + encomProduto("Tampa", "Azul", "Rui", "7", "7", OrderArchived)
                                  + encomProduto("Balde", "Azul", "Rui", "100", "60", OrderArchived);
        QByteArray productStock;
        for (const char* p : {"Balde", "Caixa", "Copo", "Prato", "Jarro"})
            productStock += stockProduto(p, "Azul", "50", "25", "25", "01/12/2026");
        const QByteArray materialStock = stockMateria("PP", "100", "10", "0", "01/12/2026");
        auto writeAll = [&] {
            writeFile(m_dir.file(DataFile::EncomProduto), orders);
            writeFile(m_dir.file(DataFile::StockProduto), productStock);
            writeFile(m_dir.file(DataFile::StockMateria), materialStock);
            writeFile(m_dir.file(DataFile::Produtos), produto("Balde", "Azul", "PP", "0.5", "10"));
        };
        writeAll();
        ReactivationOutcome out = ReactivateOrder(m_dir.path(), Kind::ProductOrders, 2, kToday);
        QVERIFY2(out.complete(), qPrintable(out.Message()));
        QCOMPARE(out.Message(), QString());
        QByteArray active = orders;
        active[2 * 135 + Off::EPstate] = char(OrderActive);
        QCOMPARE(readFile(m_dir.file(DataFile::EncomProduto)), active);
        QByteArray expected = put(productStock, 96, 0, Off::SPordered, "65");
        expected = put(expected, 96, 0, Off::SPavailable, "-15");
        QCOMPARE(readFile(m_dir.file(DataFile::StockProduto)), expected);
        QCOMPARE(readFile(m_dir.file(DataFile::StockMateria)),
                 put(put(materialStock, 85, 0, Off::SMreserved, "30"), 85, 0, Off::SMdate, kToday.toLatin1()));

        // Once active it is not re-activated again.
        const QByteArray afterFirst = readFile(m_dir.file(DataFile::StockProduto));
        out = ReactivateOrder(m_dir.path(), Kind::ProductOrders, 2, kToday);
        QVERIFY(!out.orderWritten());
        QVERIFY(out.Message().contains("not an archived order"));
        QCOMPARE(readFile(m_dir.file(DataFile::StockProduto)), afterFirst);

        // No file may grow past 410 bytes: the order (record 3 ends at byte 405) is written in place,
        // the new StockProduto.DAT (480 bytes) is not.
        writeAll();
        {
            FileSizeLimit limit(410);
            out = ReactivateOrder(m_dir.path(), Kind::ProductOrders, 2, kToday);
        }
        QVERIFY(out.orderWritten() && !out.complete());
        QCOMPARE(readFile(m_dir.file(DataFile::EncomProduto))[2 * 135 + Off::EPstate], char(OrderActive));
        QCOMPARE(readFile(m_dir.file(DataFile::StockProduto)), productStock);
        QCOMPARE(readFile(m_dir.file(DataFile::StockMateria)), materialStock);
        QVERIFY(out.Message().startsWith("The order is active again, but its stock update was not written "
                                         "(StockProduto.DAT, StockMateria.DAT):\r"));

        // A stock text that is no number: nothing at all is written.
        writeAll();
        writeFile(m_dir.file(DataFile::StockProduto), stockProduto("Balde", "Azul", "50", "25", "x", "01/12/2026"));
        out = ReactivateOrder(m_dir.path(), Kind::ProductOrders, 2, kToday);
        QVERIFY(out.error);
        QCOMPARE(out.Message(), QString("'x' is not a valid number (StockProduto.DAT, record 1, ordered). No file was changed."));
        QCOMPARE(readFile(m_dir.file(DataFile::EncomProduto)), orders);
    }
};

QTEST_GUILESS_MAIN(TestOrderViews)
#include "tst_orderviews.moc"
