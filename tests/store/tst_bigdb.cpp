// The large benchmark company: the promised sizes, references that hold together, neutral numbers
// and dates, and the same bytes for the same seed.
#include "i18n/Language.h"
#include "store/AccessPatterns.h"
#include "store/DateText.h"
#include "store/DecimalText.h"
#include "store/Records.h"
#include "store/RegionalSettings.h"
#include "support/TestSupport.h"

#include <QHash>
#include <QProcess>
#include <QSet>
#include <QTest>

using testsupport::TempFolder;

namespace {

int runGenerator(const QString& folder, const QString& seed)
{
    QProcess p;
    p.start(QStringLiteral(QUORVALE_TOOLS_DIR "/quorvale_make_bigdb"), {folder, "--seed", seed});
    if (!p.waitForFinished(120000))
        return -1;
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

QString key(const QString& name, const QString& type) { return name + ' ' + type; }

} // namespace

class TestBigDb : public QObject {
    Q_OBJECT
    TempFolder tmp;
    QString dir;

private Q_SLOTS:
    void initTestCase()
    {
        ResetLanguageTables();
        dir = tmp.path() + "big/";
        QCOMPARE(runGenerator(dir, "3"), 0);
    }

    void sizes()
    {
        const QHash<QString, int> expected = {
            {DataFile::Produtos, 20000},      {DataFile::MateriasPrimas, 6000}, {DataFile::Fornecedores, 500},
            {DataFile::Clientes, 2000},       {DataFile::Equipamentos, 100},    {DataFile::StockMateria, 3000},
            {DataFile::StockProduto, 5000},   {DataFile::MovimMateria, 200000}, {DataFile::MovimProduto, 200000},
            {DataFile::EncomProduto, 50000},  {DataFile::EncomMateria, 20000},  {DataFile::HorasProducao, 100000}};
        for (int i = 0; i < DataFile::Count; ++i) {
            const auto& f = DataFile::all()[i];
            QCOMPARE(QFileInfo(dir + f.name).size(), qint64(expected.value(f.name)) * f.recordSize);
        }
    }

    void referencesAndFormats()
    {
        ScopedRegionalSettings point(RegionalSettings::pointLocale());
        const auto produtos = ReadAllRecords<ProdutoRecord>(dir + DataFile::Produtos);
        const auto materias = ReadAllRecords<MateriaPrimaRecord>(dir + DataFile::MateriasPrimas);
        QSet<QString> products, materials, suppliers, clients, equipments, pairs;
        for (const auto& p : produtos)
            products.insert(key(p.Produto, p.Tipo));
        for (const auto& m : materias) {
            materials.insert(m.MateriaPrima);
            pairs.insert(m.MateriaPrima.text() + '\t' + m.Fornecedor.text());
        }
        for (const auto& f : ReadAllRecords<FornecedorRecord>(dir + DataFile::Fornecedores))
            suppliers.insert(f.Nome);
        for (const auto& f : ReadAllRecords<FornecedorRecord>(dir + DataFile::Clientes))
            clients.insert(f.Nome);
        for (const auto& e : ReadAllRecords<EquipamentoRecord>(dir + DataFile::Equipamentos))
            equipments.insert(e.Equipamento);
        QCOMPARE(products.size(), 5000);
        QCOMPARE(materials.size(), 3000);

        for (const auto& p : produtos) {
            QVERIFY(p.Composto == 1 ? products.contains(p.MateriaPrima) : materials.contains(p.MateriaPrima));
            const double expected = DecimalText::StrToInt(p.Moldes) * DecimalText::StrToFloat(p.Quant)
                                  * DecimalText::StrToInt(p.Ciclo) * 24;
            QVERIFY(std::fabs(DecimalText::StrToFloat(p.QuantDia) - expected) < 0.001);
        }
        for (const auto& m : materias)
            QVERIFY(suppliers.contains(m.Fornecedor));

        QHash<QString, double> open;
        for (const auto& o : ReadAllRecords<EncomProdutoRecord>(dir + DataFile::EncomProduto)) {
            QVERIFY(products.contains(key(o.product, o.type)));
            QVERIFY(clients.contains(o.client) || o.client.equals(ProductionClient()));
            QVERIFY(DateText::StrToDate(o.date) <= DateText::StrToDate(o.secondDate));
            if (o.state == OrderActive)
                open[key(o.product, o.type)] += DecimalText::StrToFloat(o.quantity) - DecimalText::StrToFloat(o.delivered);
        }
        QSet<QString> stocked;
        for (const auto& s : ReadAllRecords<StockProdutoRecord>(dir + DataFile::StockProduto)) {
            stocked.insert(key(s.product, s.type));
            QCOMPARE(DecimalText::StrToFloat(s.ordered), open.value(key(s.product, s.type)));
            QCOMPARE(DecimalText::StrToFloat(s.available), DecimalText::StrToFloat(s.stock) - DecimalText::StrToFloat(s.ordered));
        }
        QCOMPARE(stocked, products);
        QSet<QString> stockedMaterials;
        for (const auto& s : ReadAllRecords<StockMateriaRecord>(dir + DataFile::StockMateria)) {
            stockedMaterials.insert(s.material);
            DecimalText::StrToFloat(s.reserved);
        }
        QCOMPARE(stockedMaterials, materials);
        for (const auto& o : ReadAllRecords<EncomMateriaRecord>(dir + DataFile::EncomMateria)) {
            QVERIFY(pairs.contains(o.material.text() + '\t' + o.supplier.text()));
            DecimalText::StrToFloat(o.unitCost);
            if (!o.secondDate.isEmpty())
                DateText::StrToDate(o.secondDate);
        }
        for (const auto& m : ReadAllRecords<MovimRecord>(dir + DataFile::MovimMateria)) {
            QVERIFY(materials.contains(m.item));
            DecimalText::StrToFloat(m.quantity);
        }
        for (const auto& m : ReadAllRecords<MovimRecord>(dir + DataFile::MovimProduto)) {
            QVERIFY(products.contains(m.item));
            QVERIFY(DateText::StrToDate(m.movementDate) <= DateText::StrToDate(m.realDate));
        }
        for (const auto& h : ReadAllRecords<HorasProducaoRecord>(dir + DataFile::HorasProducao)) {
            QVERIFY(products.contains(key(h.product, h.type)));
            QVERIFY(equipments.contains(h.equipment));
            double total = 0;
            for (const QString& t : {h.productionHours.text(), h.setupHours.text(), h.breakdownHours.text(),
                                    h.materialHours.text(), h.personnelHours.text(), h.otherHours.text()})
                total += DecimalText::StrToFloat(t);
            QCOMPARE(total, 8.0);
            QVERIFY(DecimalText::StrToFloat(h.rejected) <= DecimalText::StrToFloat(h.entered));
        }
    }

    void sameSeedSameBytes()
    {
        const QString again = tmp.path() + "again/";
        QCOMPARE(runGenerator(again, "3"), 0);
        for (int i = 0; i < DataFile::Count; ++i) {
            const QString name = DataFile::all()[i].name;
            QVERIFY2(testsupport::readFile(dir + name) == testsupport::readFile(again + name), qPrintable(name));
        }
    }
};

QTEST_GUILESS_MAIN(TestBigDb)
#include "tst_bigdb.moc"
