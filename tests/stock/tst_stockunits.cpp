// The units behind the stock lists, the movements view and the global view: which records each
// keeps, the texts of their rows and totals, the stock mail link, and damaged records.
#include "i18n/Language.h"
#include "stock/GlobalView.h"
#include "stock/MovementList.h"
#include "stock/StockLists.h"
#include "store/Clock.h"
#include "store/RegionalSettings.h"
#include "stock/StockTestSupport.h"

#include <QTest>

using namespace testsupport;

namespace {

QStringList column(const std::vector<QStringList>& rows, int col)
{
    QStringList texts;
    for (const QStringList& r : rows)
        texts << r.value(col);
    return texts;
}

QStringList column(const std::vector<std::vector<QString>>& rows, int col)
{
    QStringList texts;
    for (const auto& r : rows)
        texts << r[size_t(col)];
    return texts;
}

} // namespace

class TestStockUnits : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        RegionalSettings::setCurrent(RegionalSettings::pointLocale());
        Clock::setFixed(QDateTime(QDate(2026, 3, 15), QTime(10, 0)));
        ResetLanguageTables();
    }
    void cleanupTestCase() { Clock::clearFixed(); }

    void stockListsKeepExactlyTheChosenItem()
    {
        using namespace StockLists;
        const std::vector<StockMateriaRecord> mats{stockMaterial("Resina", "10"), stockMaterial("resina", "2"),
                                                   stockMaterial("Resina ", "3"), stockMaterial("Resina", "4")};
        QCOMPARE(column(MaterialStockRows(mats, ShowAll), MatStock), QStringList({"10", "2", "3", "4"}));
        const auto resina = MaterialStockRows(mats, "Resina");
        QCOMPARE(column(resina, MatStock), QStringList({"10", "4"}));
        QCOMPARE(resina[1], QStringList({"Resina", "4", " ", "0", "0", "01/03/2026", "4"}));
        QCOMPARE(MaterialItems(mats), QStringList({"Resina", "Resina "}));

        const std::vector<StockProdutoRecord> prods{stockProduct("Copo", "Azul", "5", "5"), stockProduct("Copo", "Verde", "1", "-2"),
                                                    stockProduct("copo", "azul", "7", "7")};
        QCOMPARE(ProductItems(prods), QStringList({"Copo\tAzul", "Copo\tVerde"}));
        QCOMPARE(ProductStockRows(prods, ShowAllProducts).size(), size_t(3));
        const auto verde = ProductStockRows(prods, "Copo\tVerde");
        QCOMPARE(verde.size(), size_t(1));
        QCOMPARE(verde[0], QStringList({"Copo Verde", "1", "-2", "0", "02/03/2026", "2"}));
        // A name of 30 characters and a type of 20 make a text of 51.
        QCOMPARE(ProductText(QString(30, 'n'), QString(20, 't')).size(), 51);
        QCOMPARE(ProductText("Copo", "").size(), 5);
    }

    void stockMailLink()
    {
        using namespace StockLists;
        const QStringList lines = StockMailLines({{"Copo Azul", "0"}, {"Tampa Verde", "12"}});
        QCOMPARE(lines, QStringList({"Tampa Verde =  12"}));
        const QDate today(2026, 3, 15);
        // The address cannot add a recipient; every text is encoded, "%0A" breaks the lines.
        QCOMPARE(StockMailLink("a@b.pt?bcc=x@y.com", today, lines, QString()),
                 QString("mailto:a@b.pt%3Fbcc%3Dx@y.com?subject=Stocks%20de%20cx.%20em%2015%2F03%2F2026"
                         "&body=Os%20stocks%20de%20produto%20acabado%20de%20cx.%20s%C3%A3o%3A%20%0A"
                         "%0ATampa%20Verde%20%3D%20%2012&bcc="));
        QCOMPARE(StockMailLink(" cliente@loja.pt ", today, {"A&B #1 =  3", "Caf\u00e9 =  1.5"}, "stocks@acme.pt"),
                 QString("mailto:cliente@loja.pt?subject=Stocks%20de%20cx.%20em%2015%2F03%2F2026"
                         "&body=Os%20stocks%20de%20produto%20acabado%20de%20cx.%20s%C3%A3o%3A%20%0A"
                         "%0AA%26B%20%231%20%3D%20%203%0ACaf%C3%A9%20%3D%20%201.5&From=stocks@acme.pt&bcc="));
        QCOMPARE(ClientRows({}).size(), size_t(0));
    }

    void movementTotalsAndRange()
    {
        using namespace MovementList;
        const QDate today(2026, 3, 15);
        const std::vector<MovimRecord> moves{movementRecord("Resina", "10", "05/01/2026"), movementRecord("Resina", "-4", "20/02/2026", "SS"),
                                             movementRecord("Tinta", "0", "01/04/2026", "AS")};
        const Listing all = List(moves, {}, today);
        QCOMPARE(all.entries, QString("10"));
        QCOMPARE(all.exits, QString("-4"));
        QCOMPARE(all.total, QString("6"));
        QCOMPARE(all.from, QDate(2026, 1, 5));
        QCOMPARE(all.to, QDate(2026, 4, 1));
        QCOMPARE(all.recordsRead, qint64(3));
        QCOMPARE(all.items, QStringList({"Resina", "Tinta"}));
        QCOMPARE(all.rows[1], std::vector<QString>({"Resina", "-4", "SS", "20/02/2026", "20/02/2026", "2026-02-20", "2", ""}));

        // Nothing to list: today and the date before any movement.
        const Listing none = List({}, {}, today);
        QVERIFY(none.rows.empty());
        QCOMPARE(none.entries + none.exits + none.total, QString("000"));
        QCOMPARE(none.from, today);
        QCOMPARE(none.to, QDate(1905, 6, 2));

        // Sums of many decimals are rounded once, not at every step.
        std::vector<MovimRecord> thirds(3, movementRecord("Resina", "0.333", "05/01/2026"));
        QCOMPARE(List(thirds, {}, today).entries, QString("1"));
    }

    void movementFilters()
    {
        using namespace MovementList;
        const QDate today(2026, 3, 15);
        const std::vector<MovimRecord> moves{movementRecord("Resina", "10", "05/01/2026", "SS"), movementRecord("Resina", "-4", "20/02/2026", "S"),
                                             movementRecord("Tinta", "-1", "01/03/2026", "SS"), movementRecord("resina", "2", "01/03/2026", "SS")};
        Filter f;
        f.type = "SS";
        QCOMPARE(column(List(moves, f, today).rows, ColRecord), QStringList({"1", "3", "4"}));
        f.item = "Resina";
        const Listing resinaSS = List(moves, f, today);
        QCOMPARE(column(resinaSS.rows, ColRecord), QStringList({"1"}));
        QCOMPARE(resinaSS.items, QStringList({"Resina", "Tinta"})); // the list keeps every item
        f.collectItems = false;
        QVERIFY(List(moves, f, today).items.isEmpty());
        QCOMPARE(List(moves, f, today).rows.size(), size_t(1));
        // Both ends of the range are kept.
        Filter range;
        range.dateLimit = true;
        range.from = QDate(2026, 2, 20);
        range.to = QDate(2026, 3, 1);
        const Listing limited = List(moves, range, today);
        QCOMPARE(column(limited.rows, ColRecord), QStringList({"2", "3", "4"}));
        QCOMPARE(limited.from, range.from);
        QCOMPARE(limited.to, range.to);
        range.to = QDate(2026, 2, 28);
        QCOMPARE(column(List(moves, range, today).rows, ColRecord), QStringList({"2"}));
    }

    void damagedMovementsAreListedAndNamed()
    {
        using namespace MovementList;
        const QDate today(2026, 3, 15);
        const std::vector<MovimRecord> moves{movementRecord("Resina", "10", "05/01/2026"), movementRecord("Resina", "x1", "31/02/2026"),
                                             movementRecord("Tinta", "3", "")};
        const Listing all = List(moves, {}, today);
        QCOMPARE(all.rows.size(), size_t(3));
        QCOMPARE(all.rows[2][ColSortKey], QString());
        QCOMPARE(all.entries, QString("13")); // "x1" takes no part
        QCOMPARE(all.from, QDate(2026, 1, 5));
        QCOMPARE(all.to, QDate(2026, 1, 5));
        QCOMPARE(all.damaged.size(), size_t(3));
        const QString text = DamagedText(all.damaged);
        QVERIFY(text.contains("record 2 (Resina): quantity 'x1'"));
        QVERIFY(text.contains("record 2 (Resina): movement date '31/02/2026'"));
        QVERIFY(text.contains("record 3 (Tinta): movement date ''"));
        QVERIFY(DamagedText(all.damaged, 1).endsWith("... and 2 more"));
        // A date limit leaves the undated records listed.
        Filter range;
        range.dateLimit = true;
        range.from = range.to = QDate(2026, 1, 6);
        QCOMPARE(column(List(moves, range, today).rows, ColRecord), QStringList({"2", "3"}));
        QVERIFY(DamagedText({}).isEmpty());
    }

    void globalViewLists()
    {
        using namespace GlobalView;
        std::vector<Problem> problems;
        const auto shortfall = ShortfallProducts({stockProduct("Copo", "Azul", "1", "-2.5", "3.5"), stockProduct("Copo", "Verde", "4", "0"),
                                                  stockProduct("Tampa", "Azul", "0", "-1", "1"), stockProduct("Kit", "Festa", "0", "abc")},
                                                 &problems);
        QCOMPARE(shortfall.size(), size_t(2));
        QCOMPARE(shortfall[0], QStringList({"Copo", "Azul", "1", "3.5", "-2.5", "1"}));
        QCOMPARE(shortfall[1][ProdNumber], QString("2"));
        QCOMPARE(problems.size(), size_t(1));
        QCOMPARE(problems[0].record, qint64(4));
        QVERIFY(ProblemText(problems).contains("StockProduto.DAT, record 4 (Kit Festa): 'abc'"));

        problems.clear();
        const auto reserved = ReservedMaterials({stockMaterial("Resina", "1", "0"), stockMaterial("Resina", "1", "3"),
                                                 stockMaterial("Tinta", "3", "3"), stockMaterial("Cola", "1.5", "0.25", "2")},
                                                &problems);
        QCOMPARE(column(reserved, MatName), QStringList({"Resina", "Tinta", "Cola"}));
        QCOMPARE(column(reserved, MatAvailable), QStringList({"-2", "0", "3.25"}));
        QCOMPARE(reserved[2], QStringList({"Cola", "2", "1.5", "0.25", "3.25", "3"}));
        QVERIFY(problems.empty());
    }

    void globalViewDetails()
    {
        using namespace GlobalView;
        const std::vector<EncomProdutoRecord> orders{order("Copo", "Azul", "Loja", "100", "40", OrderActive, kOrderDate),
                                                     order("Copo", "Azul", "Loja", "30", "0", OrderArchived, kOrderDate),
                                                     order("Copo", "Verde", "Loja", "10", "0", OrderActive, kOrderDate),
                                                     order("Copo", "Azul", "Bar", "50", "0", OrderActive, kOrderDate),
                                                     order("Copo", "Azul", "Bar", "20", "0", OrderOnHold, kOrderDate)};
        const auto detail = ProductDetail(orders, "Copo", "Azul", nullptr);
        QCOMPARE(detail.size(), size_t(4));
        QCOMPARE(detail[0], QStringList({"Copo Azul", "Loja", "100", "10/02/2026", "40", "-60", ""}));
        QCOMPARE(detail[1][5], QString("-50"));
        QCOMPARE(detail[2], QStringList(DetailColumns, QString()));
        QCOMPARE(detail[3][4], QString("Total:"));
        QCOMPARE(detail[3][5], QString("110"));
        const auto none = ProductDetail(orders, "Tampa", "Azul", nullptr);
        QCOMPARE(none.size(), size_t(3));
        QCOMPARE(none[0], QStringList(DetailColumns, QString()));
        QCOMPARE(none[2][5], QString("0"));

        const std::vector<ProdutoRecord> composition{compositionLine("Copo", "Azul", "Resina", "0.5"), compositionLine("Copo", "Azul", "Tinta", "1"),
                                                     compositionLine("Tampa", "Azul", "Resina", "2"), compositionLine("Kit", "Festa", "Resina", "1")};
        const std::vector<ListedProduct> listed{{"Tampa", "Azul", "0", "1", "-1"}, {"Copo", "Azul", "1", "3.5", "-2.5"}};
        const auto mat = MaterialDetail(composition, "Resina", listed, nullptr);
        QCOMPARE(mat.size(), size_t(2));
        QCOMPARE(mat[0], QStringList({"Copo Azul", "1", "3.5", "-2.5", "-1.25", "kg", ""}));
        QCOMPARE(mat[1][4], QString("-2"));
        QCOMPARE(MaterialDetail(composition, "Cola", listed, nullptr).size(), size_t(1));
    }

    void hintsFromTheMenuCaptions()
    {
        const GlobalView::Hints h = GlobalView::HintTexts("&Global View", "[ &Plan ]", "Raw Mat. &Stock", "&Orders");
        QCOMPARE(h.label3, QString("To get all updated data for this  '&Global View' you must first re-calculate"));
        QCOMPARE(h.label2, QString("on both those menus:"));
        QCOMPARE(h.label1, QString("[ &Plan ] > Raw Mat. &Stock > Calculate\r[ &Plan ] > &Orders  > Calculate"));
    }
};

QTEST_GUILESS_MAIN(TestStockUnits)
#include "tst_stockunits.moc"
