// The calculations behind the production analysis: entries read once with bad texts named, produced
// quantities by month, product costs, utilisation indices with the no-work estimate and the chart
// data, hours by month, and the pie's slices and label places.
#include "i18n/Language.h"
#include "production/ProductionTestSupport.h"
#include "production/PieChartData.h"
#include "production/ProductCosts.h"
#include "production/ProductionQuantities.h"
#include "production/UtilisationIndices.h"
#include "store/RegionalSettings.h"

#include <QTest>
#include <cmath>
#include <numbers>

using namespace Production;

namespace {

using testsupport::productionEntry;

std::vector<ProductionEntry> read(const std::vector<HorasProducaoRecord>& records,
                                  unsigned fields = ReadDate | ReadEntered | ReadHours)
{
    ProductionEntries e = ReadProductionEntries(records, fields);
    if (!e.bad.empty())
        qWarning("unexpected bad texts: %s", qPrintable(BadTextsMessage(e.bad)));
    return e.entries;
}

EquipamentoRecord machine(const QString& name, const QString& cost)
{
    auto r = EmptyRecord<EquipamentoRecord>();
    r.Equipamento = name;
    r.Custo = cost;
    r.Quant = "1";
    return r;
}

ProdutoRecord line(const QString& product, const QString& material, const QString& quantity)
{
    auto r = EmptyRecord<ProdutoRecord>();
    r.Produto = product.section(' ', 0, 0);
    r.Tipo = product.section(' ', 1);
    r.MateriaPrima = material;
    r.Quant = quantity;
    return r;
}

MateriaPrimaRecord material(const QString& name, const QString& price, const QString& supplier = "S")
{
    auto r = EmptyRecord<MateriaPrimaRecord>();
    r.MateriaPrima = name;
    r.Preco = price;
    r.Fornecedor = supplier;
    return r;
}

QStringList monthTexts(const QuantityRow& row)
{
    QStringList t;
    for (const auto& m : row.months)
        t << QuantityCellText(m);
    return t;
}

} // namespace

class TestProductionAnalysis : public QObject {
    Q_OBJECT
    std::unique_ptr<ScopedRegionalSettings> m_point;

private Q_SLOTS:
    void initTestCase()
    {
        ResetLanguageTables();
        m_point = std::make_unique<ScopedRegionalSettings>(RegionalSettings::pointLocale());
    }

    // A text that is no number or date is named (file, record, field, text) and its record left
    // out; a field the screen does not read cannot spoil a record.
    void badTextsAreNamedAndTheirRecordsLeftOut()
    {
        const std::vector<HorasProducaoRecord> records{productionEntry("Tampa Azul", "E1", "1/3/2026", "100"),
                                                       productionEntry("Tampa Azul", "E1", "2/3/2026", "1O0"),
                                                       productionEntry("Tampa Azul", "E1", "31/2/2026", "5", "x 0 0 0 0 0")};
        ProductionEntries all = ReadProductionEntries(records, ReadDate | ReadEntered | ReadHours);
        QCOMPARE(all.entries.size(), size_t(1));
        QCOMPARE(all.bad.size(), size_t(3));
        QCOMPARE(all.bad[0].record, 2);
        QCOMPARE(all.bad[0].text, QString("1O0"));
        QCOMPARE(all.bad[1].field, QString("date"));
        const QString message = BadTextsMessage(all.bad);
        QVERIFY(message.contains("HorasProducao.DAT, record 2, entered: '1O0'"));
        QVERIFY(message.contains("record 3, production hours: 'x'"));
        QCOMPARE(BadTextsMessage({}), QString());
        // The quantities view reads no hours: only the unit text and the date count.
        QCOMPARE(ReadProductionEntries(records, ReadEntered).entries.size(), size_t(2));
        QCOMPARE(ReadProductionEntries({productionEntry("A b", "E", "1/1/2026", "2.5")}, ReadEnteredInteger).bad.size(), size_t(1));
    }

    void monthsOfARangeAndTheirTitles()
    {
        const auto months = MonthsOfRange(QDate(2001, 11, 15), QDate(2002, 2, 10));
        QCOMPARE(months.size(), size_t(4));
        QCOMPARE(months[2], QDate(2002, 1, 1));
        QCOMPARE(MonthTitle(QDate(2001, 11, 15)), QString("Nov-01"));
        {
            ScopedRegionalSettings comma(RegionalSettings::commaLocale());
            QCOMPARE(MonthTitle(QDate(2002, 2, 10)), QString("fev-02"));
        }
        QVERIFY(MonthsOfRange(QDate(2002, 2, 1), QDate(2002, 1, 31)).empty());
    }

    void quantitiesByMonth()
    {
        const auto entries = read({productionEntry("Tampa Azul", "E1", "3/11/2001", "100"),
                                   productionEntry("Copo Azul", "E1", "1/3/2002", "40"),
                                   productionEntry("Tampa Azul", "E2", "20/11/2001", "50"),
                                   productionEntry("Tampa Azul", "E1", "5/12/2001", "70", "8 0 0 0 0 0", true),
                                   productionEntry("Tampa Azul", "E1", "9/2/2002", "1"),
                                   productionEntry("Balde Azul", "E1", "11/2/2002", "9")}, // after To
                                  ReadDate | ReadEnteredInteger);
        const QuantityTable t = ProducedQuantities(entries, QDate(2001, 11, 15), QDate(2002, 2, 10));
        QCOMPARE(QStringList(t.titles.begin(), t.titles.end()), QStringList({"Nov-01", "Dec-01", "Jan-02", "Feb-02"}));
        QCOMPARE(t.rows.size(), size_t(1)); // before From, after To: not in the table
        QCOMPARE(monthTexts(t.rows[0]), QStringList({"50", "0", " ", "1"}));

        const QuantityTable all = ProducedQuantities(entries, QDate(2001, 11, 1), QDate(2002, 3, 31));
        QCOMPARE(all.rows[0].product, QString("Tampa Azul"));
        QCOMPARE(monthTexts(all.rows[0]), QStringList({"150", "0", " ", "1", " "}));
        QCOMPARE(monthTexts(all.rows[1]), QStringList({" ", " ", " ", " ", "40"}));

        // One month: the table keeps three month columns, the last two without a title.
        const QuantityTable one = ProducedQuantities(entries, QDate(2002, 3, 1), QDate(2002, 3, 1));
        QCOMPARE(QStringList(one.titles.begin(), one.titles.end()), QStringList({"Mar-02", "", ""}));
        QCOMPARE(one.monthCount, 1);
    }

    void rangeStaysInsideTheEntries()
    {
        const auto entries = read({productionEntry("A b", "E", "10/3/2026", "1"), productionEntry("A b", "E", "2/1/2026", "1")});
        const DateSpan span = ProductionDateSpan(entries, QDate(2026, 12, 1));
        QCOMPARE(span.earliest, QDate(2026, 1, 2));
        QCOMPARE(span.latest, QDate(2026, 3, 10));
        QCOMPARE(KeepFromInSpan(QDate(2025, 12, 31), span), span.earliest);
        QCOMPARE(KeepToInSpan(QDate(2026, 4, 1), span), span.latest);
        QCOMPARE(KeepToInSpan(QDate(2025, 4, 1), span), span.earliest);
        // Only entries after today: the span starts today and ends there too.
        const DateSpan future = ProductionDateSpan(read({productionEntry("A b", "E", "1/6/2027", "1")}), QDate(2026, 12, 1));
        QCOMPARE(future.earliest, QDate(2026, 12, 1));
        QCOMPARE(future.latest, QDate(2027, 6, 1));
        QCOMPARE(ProductionDateSpan({}, QDate(2026, 12, 1)).latest, QDate(2026, 12, 1));
    }

    void ratesAreAveragedWithHalfWeight()
    {
        std::vector<HorasProducaoRecord> h{productionEntry("Tampa Azul", "E1", "1/1/2026", "800"),  // 100/h
                                           productionEntry("Tampa Azul", "E1", "2/1/2026", "360", "5 1 0 0 0 0"), // 60/h
                                           productionEntry("Tampa Azul", "E1", "3/1/2026", "50", "0 0 8 0 0 0")}; // no hours
        ProductCostList c = ProductCosts(h, {}, {}, {});
        QCOMPARE(*c.rows[0].rate, 80.0);
        h.push_back(productionEntry("Tampa Azul", "E1", "4/1/2026", "800"));
        c = ProductCosts(h, {}, {}, {});
        QCOMPARE(*c.rows[0].rate, 90.0);
        // A first entry without production or setup hours leaves no rate until one has hours.
        c = ProductCosts({productionEntry("Copo Azul", "E1", "1/1/2026", "10", "0 0 8 0 0 0")}, {machine("E1", "20")}, {}, {});
        QVERIFY(!c.rows[0].rate && c.rows[0].undefined());
        QCOMPARE(CostRowTexts(c.rows[0]).mid(2), QStringList({UndefinedText(), UndefinedText(), "0.00", UndefinedText()}));
        c = ProductCosts({productionEntry("Copo Azul", "E1", "1/1/2026", "10", "0 0 8 0 0 0"), productionEntry("Copo Azul", "E1", "2/1/2026", "80")},
                         {machine("E1", "20")}, {}, {});
        QCOMPARE(*c.rows[0].rate, 10.0);
        // A rate of 0 gives no machine cost; neither does an equipment that is not defined.
        c = ProductCosts({productionEntry("Copo Azul", "E1", "1/1/2026", "0"), productionEntry("Copo Azul", "E9", "1/1/2026", "8")},
                         {machine("E1", "20")}, {}, {});
        QVERIFY(c.rows[0].undefined() && c.rows[1].undefined());
        QCOMPARE(CostRowTexts(c.rows[1])[2], QString("1"));
    }

    void costsPerUnit()
    {
        ScopedRegionalSettings comma(RegionalSettings::commaLocale());
        const std::vector<HorasProducaoRecord> h{productionEntry("Tampa Azul", "Engel", "1/1/2026", "640"), // 80/h
                                                 productionEntry("Tampa Azul", "Krauss", "1/1/2026", "4000", "7 1 0 0 0 0"),
                                                 productionEntry("Copo Verde", "Engel", "1/1/2026", "8", "7,5 0,5 0 0 0 0")};
        const std::vector<ProdutoRecord> p{line("Tampa Azul", "PP", "0,5"), line("Copo Verde", "PS", "1000"),
                                           line("Tampa Azul", "MB", "3"), line("Tampa Azul", "Tampa Base", "1"),
                                           line("Outro Azul", "PP", "x")};
        const std::vector<MateriaPrimaRecord> m{material("PP", "2"), material("MB", "0,1"), material("PP", "9", "T"),
                                                material("PS", "1,2345")};
        const ProductCostList c = ProductCosts(h, {machine("Engel", "20"), machine("Krauss", "30")}, p, m);
        QVERIFY2(c.bad.empty(), qPrintable(BadTextsMessage(c.bad))); // products without entries are not read
        QCOMPARE(c.rows.size(), size_t(3));
        QCOMPARE(c.products, QStringList({"Tampa Azul", "Copo Verde"}));
        // 20 an hour at 80 units an hour; 0.5 x 2 + 3 x 0.1 (the first PP record's price), the
        // component product adds nothing; the same material cost on both equipments.
        QCOMPARE(CostRowTexts(c.rows[0]), QStringList({"Tampa Azul", "Engel", "80", "0,25", "1,30", "1,55"}));
        QCOMPARE(CostRowTexts(c.rows[1]), QStringList({"Tampa Azul", "Krauss", "500", "0,06", "1,30", "1,36"}));
        // Totals of 1000 and more come from the numbers, written with thousands separators.
        QCOMPARE(CostRowTexts(c.rows[2]), QStringList({"Copo Verde", "Engel", "1", "20,00", "1.234,50", "1.254,50"}));
        QCOMPARE(*c.rows[2].total, 1254.5);
    }

    void badCostTextsAreNamed()
    {
        const ProductCostList c =
            ProductCosts({productionEntry("Tampa Azul", "E1", "1/1/2026", "80"), productionEntry("Copo Azul", "E2", "1/1/2026", "8")},
                         {machine("E1", "2O"), machine("E2", "8")},
                         {line("Tampa Azul", "PP", "2"), line("Copo Azul", "PP", "1,5"), line("Copo Azul", "MB", "1")},
                         {material("PP", ""), material("PP", "3"), material("MB", "1")});
        QCOMPARE(c.bad.size(), size_t(3));
        QCOMPARE(c.bad[0].file, QString("Equipamentos.DAT"));
        QCOMPARE(c.bad[1].file, QString("MateriasPrimas.DAT")); // its next record of PP comes first instead
        QCOMPARE(c.bad[2].file, QString("Produtos.DAT"));
        QCOMPARE(c.bad[2].record, 2);
        QVERIFY(c.rows[0].undefined()); // its equipment's cost was left out
        QCOMPARE(c.rows[0].materialCost, 6.0);
        QCOMPARE(c.rows[1].materialCost, 1.0);
    }

    void utilisationIndices()
    {
        ScopedRegionalSettings comma(RegionalSettings::commaLocale());
        const auto entries = read({productionEntry("Tampa Azul", "Engel", "2-3-2026", "50", "4 1 2 1 0 0"),
                                   productionEntry("Copo Azul", "Engel", "1-3-2026", "30", "2 1 2 2 1 4", true),
                                   productionEntry("Copo Azul", "Krauss", "5-3-2026", "0", "0 0 8 0 0 0"),
                                   productionEntry("Copo Azul", "Sopro", "5-3-2026", "0", "0 0 0 0 0 0")});
        const UtilizSettings settings{false, 24, 7, QDate(2026, 3, 10)};
        const Utilisation u = ComputeUtilisation(entries, UtilizMode::Equipment, QString(), settings);
        QCOMPARE(u.keys, QStringList({"Engel", "Krauss", "Sopro"}));
        QCOMPARE(UtilizRowTexts(u.rows[0]).mid(0, 11),
                 QStringList({"Engel", "80", "10", "8", "40,0", "4", "20,0", "8", "40,0", " ", "1"}));
        QCOMPARE(UtilizRowTexts(u.rows[0]).mid(11), QStringList({"2", "4", "3", "1", "4", "01-03-2026", ""}));
        // Breakdown only: no cycle; no hours at all: nothing can be divided.
        QCOMPARE(UtilizRowTexts(u.rows[1]).mid(2, 3), QStringList({UndefinedText(), "0", "0,0"}));
        QVERIFY(u.rows[2].undefined());
        QCOMPARE(UtilizRowTexts(u.rows[2])[4], UndefinedText());
        QCOMPARE(u.totalUnits, 50.0); // hours only: no units produced
        QCOMPARE(u.from, QDate(2026, 3, 1));
        QCOMPARE(u.to, QDate(2026, 3, 5));
        QCOMPARE(u.chartData, QStringList({QString::fromUtf8("8 Produção (29%)"), "12 Avarias (43%)", "8 Diversos (29%)"}));
    }

    void operationOnlyUnitsInProductModeAndTheFilter()
    {
        const auto entries = read({productionEntry("Copo Azul", "E1", "1/3/2026", "30", "2 0 0 0 0 0", true),
                                   productionEntry("Copo Azul", "E2", "2/3/2026", "50", "5 0 0 0 0 0")});
        const UtilizSettings settings{false, 24, 7, QDate(2026, 3, 10)};
        const Utilisation all = ComputeUtilisation(entries, UtilizMode::Product, QString(), settings);
        QCOMPARE(all.rows[0].units, 50.0);
        QCOMPARE(all.rows[0].production, 7.0);
        const Utilisation one = ComputeUtilisation(entries, UtilizMode::Product, "Copo Azul", settings);
        QCOMPARE(one.rows.size(), size_t(1));
        QCOMPARE(one.rows[0].units, 80.0);
        QCOMPARE(one.totalUnits, 50.0);
        QCOMPARE(ComputeUtilisation(entries, UtilizMode::Equipment, QString(), settings).rows[0].units, 30.0);
        const Utilisation e2 = ComputeUtilisation(entries, UtilizMode::Equipment, "E2", settings);
        QCOMPARE(e2.rows[0].key, QString("E2"));
        QCOMPARE(*e2.rows[0].cycle, 10.0);
    }

    void noWorkEstimate()
    {
        const auto entries = read({productionEntry("Copo Azul", "E1", "10/3/2026", "8", "6 0 0 0 0 0"),
                                   productionEntry("Copo Azul", "E3", "9/3/2026", "8", "8 8 8 0 0 0")});
        const UtilizSettings settings{true, 16, 5, QDate(2026, 3, 10)};
        const Utilisation u = ComputeUtilisation(entries, UtilizMode::Equipment, QString(), settings);
        QCOMPARE(*u.rows[0].noWork, 16.0 - 6.0);        // first entered today: one full day
        QCOMPARE(*u.rows[1].noWork, 16 / 7.0 * 5 - 24); // negative: more hours than the timetable
        QCOMPARE(u.rows[0].totalHours, 16.0);
        QCOMPARE(UtilizRowTexts(u.rows[0])[4], QString("37.5"));
        // The negative part is no slice: the other parts make 100 %.
        QVERIFY(u.N < 0);
        QCOMPARE(u.chartData.size(), 4);
        QVERIFY(u.chartData[0].endsWith("(73%)")); // 22 of 22 + 8
        QVERIFY(u.chartData[3].startsWith("-"));
        // A week of 5 days of 16 hours.
        const Utilisation week = ComputeUtilisation(read({productionEntry("Copo Azul", "E2", "3/3/2026", "8")}), UtilizMode::Equipment,
                                                    QString(), settings);
        QCOMPARE(*week.rows[0].noWork, 7 * 16 / 7.0 * 5 - 8);
        // Product mode estimates too, but its totals leave the estimate out.
        const Utilisation p = ComputeUtilisation(entries, UtilizMode::Product, QString(), settings);
        QVERIFY(p.rows[0].noWork && !p.countsNoWork);
        QCOMPARE(p.rows[0].totalHours, 30.0);
        QCOMPARE(p.chartData.size(), 3);
    }

    void hoursByMonth()
    {
        const auto entries = read({productionEntry("Tampa Azul", "E1", "20/11/2001", "1", "6 1.5 1 0 0 0"),
                                   productionEntry("Copo Azul", "E2", "1/6/2001", "1"),
                                   productionEntry("Tampa Azul", "E2", "9/2/2002", "1", "2.25 0 0 0 0 0"),
                                   productionEntry("Tampa Azul", "E1", "25/11/2001", "1", "0.5 0 0 0 0 0")});
        for (int run = 0; run < 2; ++run) {
            const MonthHoursTable t = HoursByMonth(entries, UtilizMode::Product, QDate(2001, 11, 15), QDate(2002, 2, 10));
            QCOMPARE(QStringList(t.titles.begin(), t.titles.end()), QStringList({"Nov-01", "Dec-01", "Jan-02", "Feb-02"}));
            QCOMPARE(t.rows.size(), size_t(2));
            QStringList cells;
            for (const auto& m : t.rows[0].months)
                cells << MonthHoursText(m);
            QCOMPARE(cells, QStringList({"8.00", " ", " ", "2.25"}));
            QCOMPARE(t.rows[1].key, QString("Copo Azul")); // its month has no column: a row of blanks
            QVERIFY(!t.rows[1].months[0] && !t.rows[1].months[3]);
        }
        QCOMPARE(HoursByMonth(entries, UtilizMode::Equipment, QDate(2001, 11, 1), QDate(2001, 11, 30)).rows.size(), size_t(2));
    }

    void pieSlicesAndLabels()
    {
        const TStringListWithDouble items = PieChart::LoadItems({"1 one", "  2 two (50%) ", "x three", "1 four", "5,5 five"});
        QCOMPARE(items.size(), size_t(3)); // "x" and "5,5" are no numbers here
        QCOMPARE(items[0].text, QString("2 two (50%)"));
        QCOMPARE(PieChart::LabelOf(items[0]), QString("two (50%)"));
        const auto slices = PieChart::Slices(items, QPoint(50, 50));
        QCOMPARE(slices[0].start, 0.0);
        QCOMPARE(slices[0].sweep, std::numbers::pi);
        QCOMPARE(slices[1].sweep, std::numbers::pi / 2);
        QCOMPARE(slices[0].colour, 0);
        QCOMPARE(slices[2].colour, 2);

        // Seven slices cycle the six colours; a narrow slice keeps its colour but loses its label;
        // a text without a space has no label; negative values are left out and named.
        const auto seven = PieChart::Slices(PieChart::LoadItems({"9 a", "9 b", "9 c", "9 d", "9 e", "9 f", "9 g", "0.5 h", "3",
                                                                 "-4 i", "0 j"}),
                                            QPoint(0, 0));
        QCOMPARE(seven[6].colour, 0);
        QVERIFY(seven[7].drawn() && !seven[7].labelled); // "3"
        QVERIFY(seven[8].drawn() && !seven[8].labelled && seven[8].sweep < PieChart::LabelMinimumSweep);
        QVERIFY(!seven[9].drawn()); // the 0
        QVERIFY(seven[10].negative && !seven[10].drawn());
        double sum = 0;
        for (const auto& s : seven)
            sum += s.sweep;
        QCOMPARE(sum, 2 * std::numbers::pi);
        QCOMPARE(PieChart::LeftOutTexts(PieChart::LoadItems({"-4 i", "3 a"})), QStringList({"-4 i"}));
        QVERIFY(PieChart::Slices(PieChart::LoadItems({"0 a", "0 b"}), QPoint(0, 0)).empty());

        // A label at 0 degrees is pulled in so that its outer corner lies on the circle.
        const QPoint tl = PieChart::LabelTopLeft(QPoint(100, 100), 50, 0, 20, 5);
        QCOMPARE(tl, QPoint(100 + (100 - 70) - 20, 100 - 5));
        QVERIFY(std::hypot(tl.x() + 40 - 100.0, tl.y() - 100.0) <= 51);
    }
};

QTEST_GUILESS_MAIN(TestProductionAnalysis)
#include "tst_productionanalysis.moc"
