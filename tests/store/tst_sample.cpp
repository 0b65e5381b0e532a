// The sample company that the build generates: every file present and well formed, every reference
// resolvable, the stored quantities consistent with one another, and the conversion to local formats
// clean. Also the builder's refusal of faulty sources.
#include "i18n/IniFile.h"
#include "i18n/Language.h"
#include "store/AccessPatterns.h"
#include "store/DecimalText.h"
#include "store/NeutralFormat.h"
#include "store/Records.h"
#include "store/RegionalSettings.h"
#include "support/TestSupport.h"

#include <QDate>
#include <QDir>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <cmath>

using testsupport::TempFolder;

namespace {

const QString kSample = QStringLiteral(QUORVALE_SAMPLE_DIR "/Test_database/");
const QString kSources = QStringLiteral(QUORVALE_SOURCE_DIR "/data/sample/");
const QString kBuilder = QStringLiteral(QUORVALE_TOOLS_DIR "/quorvale_make_sample");

template <class R>
std::vector<R> load(const QString& file)
{
    return ReadAllRecords<R>(kSample + file);
}

// A number as the sample stores it: digits, an optional sign and one point.
std::optional<double> neutralNumber(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?$"));
    if (!re.match(text).hasMatch())
        return std::nullopt;
    return DecimalText::parse(text);
}

double num(const QString& text)
{
    const auto v = neutralNumber(text);
    return v ? *v : std::nan("");
}

// A date as the sample stores it: dd/mm/yyyy.
QDate neutralDate(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^([0-9]{2})/([0-9]{2})/([0-9]{4})$"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return {};
    return QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
}

bool close(double a, double b) { return std::fabs(a - b) <= 1e-6 * std::max(1.0, std::fabs(b)); }

QString productKey(const QString& name, const QString& type) { return name + ' ' + type; }

struct Company {
    std::vector<ProdutoRecord> produtos;
    std::vector<MateriaPrimaRecord> materias;
    std::vector<FornecedorRecord> fornecedores, clientes;
    std::vector<EquipamentoRecord> equipamentos;
    std::vector<StockMateriaRecord> stockMateria;
    std::vector<StockProdutoRecord> stockProduto;
    std::vector<MovimRecord> movimMateria, movimProduto;
    std::vector<EncomProdutoRecord> encomProduto;
    std::vector<EncomMateriaRecord> encomMateria;
    std::vector<HorasProducaoRecord> horas;

    QSet<QString> products() const
    {
        QSet<QString> s;
        for (const auto& p : produtos)
            s.insert(productKey(p.Produto, p.Tipo));
        return s;
    }
    QSet<QString> materialNames() const
    {
        QSet<QString> s;
        for (const auto& m : materias)
            s.insert(m.MateriaPrima);
        return s;
    }
};

Company loadCompany()
{
    Company c;
    c.produtos = load<ProdutoRecord>(DataFile::Produtos);
    c.materias = load<MateriaPrimaRecord>(DataFile::MateriasPrimas);
    c.fornecedores = load<FornecedorRecord>(DataFile::Fornecedores);
    c.clientes = load<FornecedorRecord>(DataFile::Clientes);
    c.equipamentos = load<EquipamentoRecord>(DataFile::Equipamentos);
    c.stockMateria = load<StockMateriaRecord>(DataFile::StockMateria);
    c.stockProduto = load<StockProdutoRecord>(DataFile::StockProduto);
    c.movimMateria = load<MovimRecord>(DataFile::MovimMateria);
    c.movimProduto = load<MovimRecord>(DataFile::MovimProduto);
    c.encomProduto = load<EncomProdutoRecord>(DataFile::EncomProduto);
    c.encomMateria = load<EncomMateriaRecord>(DataFile::EncomMateria);
    c.horas = load<HorasProducaoRecord>(DataFile::HorasProducao);
    return c;
}

// Runs the sample builder; returns its exit code and puts its error output in *err.
int runBuilder(const QString& sources, const QString& out, QString* err)
{
    QProcess p;
    p.start(kBuilder, {sources, out});
    if (!p.waitForFinished(60000))
        return -1;
    if (err)
        *err = QString::fromLocal8Bit(p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

// Copies the CSV sources into a folder, with one line of one file replaced.
void copySources(const QString& to, const QString& file = {}, int line = 0, const QString& replacement = {})
{
    const QStringList names = QDir(kSources).entryList({"*.csv"}, QDir::Files);
    QVERIFY(names.size() == DataFile::Count);
    for (const QString& n : names) {
        QByteArray bytes = testsupport::readFile(kSources + n);
        if (n == file) {
            QList<QByteArray> lines = bytes.split('\n');
            QVERIFY(line >= 1 && line <= lines.size());
            lines[line - 1] = replacement.toUtf8();
            bytes = lines.join('\n');
        }
        testsupport::writeFile(to + n, bytes);
    }
}

QString sourceLine(const QString& file, int line)
{
    return QString::fromUtf8(testsupport::readFile(kSources + file).split('\n').value(line - 1));
}

} // namespace

class TestSample : public QObject {
    Q_OBJECT
    Company c;
    ScopedRegionalSettings* point = nullptr;

private Q_SLOTS:
    void initTestCase()
    {
        point = new ScopedRegionalSettings(RegionalSettings::pointLocale());
        ResetLanguageTables();
        for (int i = 0; i < DataFile::Count; ++i) {
            const auto& f = DataFile::all()[i];
            const QFileInfo info(kSample + f.name);
            QVERIFY2(info.exists(), qPrintable(info.filePath() + " is missing"));
            QVERIFY2(info.size() > 0 && info.size() % f.recordSize == 0, qPrintable(f.name + " is not whole records"));
        }
        c = loadCompany();
    }
    void cleanupTestCase() { delete point; }

    // Enough of everything for a new user to find something on every screen.
    void companyHasEnoughOfEverything()
    {
        const QSet<QString> products = c.products();
        QVERIFY(products.size() >= 8);

        QMap<QString, int> linesPerProduct;
        QSet<QString> composites;
        for (const auto& p : c.produtos) {
            linesPerProduct[productKey(p.Produto, p.Tipo)]++;
            if (p.Composto == 1)
                composites.insert(productKey(p.Produto, p.Tipo));
        }
        QVERIFY(!composites.isEmpty());
        bool threeMaterials = false;
        for (auto it = linesPerProduct.cbegin(); it != linesPerProduct.cend(); ++it)
            threeMaterials |= it.value() == 3 && !composites.contains(it.key());
        QVERIFY2(threeMaterials, "no product made of three raw materials");

        QVERIFY(c.materialNames().size() >= 10);
        QMap<QString, QSet<QString>> suppliersOf;
        for (const auto& m : c.materias)
            suppliersOf[m.MateriaPrima].insert(m.Fornecedor);
        QVERIFY(std::any_of(suppliersOf.cbegin(), suppliersOf.cend(), [](const auto& s) { return s.size() >= 2; }));

        QCOMPARE(int(c.fornecedores.size()), 4);
        QCOMPARE(int(c.clientes.size()), 5);
        int withoutFax = 0;
        for (const auto& cl : c.clientes) {
            QVERIFY(!cl.Contacto.isEmpty() && !cl.Telefone.isEmpty() && !cl.Morada.isEmpty());
            QVERIFY(cl.Email.text().contains('@'));
            withoutFax += cl.Fax.isEmpty();
        }
        QVERIFY(withoutFax >= 1 && withoutFax < 5);
        QCOMPARE(int(c.equipamentos.size()), 4);

        QVERIFY(c.encomProduto.size() >= 15);
        QSet<int> states;
        bool productionOrder = false;
        for (const auto& o : c.encomProduto) {
            states.insert(o.state);
            productionOrder |= o.client.equals(ProductionClient());
        }
        QCOMPARE(states, QSet<int>({OrderActive, OrderArchived, OrderOnHold}));
        QVERIFY2(productionOrder, "no production order");
        QVERIFY(c.encomMateria.size() >= 8);

        // Three months of production on several equipments, some entries of hours only.
        QSet<QString> equipments;
        QSet<int> months;
        int operationOnly = 0;
        for (const auto& h : c.horas) {
            equipments.insert(h.equipment);
            months.insert(neutralDate(h.date).month());
            operationOnly += h.operationOnly == 1;
        }
        QVERIFY(equipments.size() >= 3);
        QVERIFY(months.size() >= 3);
        QVERIFY(operationOnly >= 2);

        // Every movement type occurs, materials and products both with several.
        QSet<QString> all, ofMaterials, ofProducts;
        for (const auto& m : c.movimMateria)
            ofMaterials.insert(m.type);
        for (const auto& m : c.movimProduto)
            ofProducts.insert(m.type);
        all = ofMaterials + ofProducts;
        QCOMPARE(all, QSet<QString>({"SS", "ES", "AS", "SP", "EP", "RP", "HP", "SE", "EE"}));
        QVERIFY(ofMaterials.size() >= 4 && ofProducts.size() >= 4);
    }

    // Numbers with a point, dates dd/mm/yyyy in the autumn of 2026, flags and states in range.
    void everyFieldIsNeutral()
    {
        QStringList bad;
        auto number = [&](const char* what, const QString& t) {
            if (!neutralNumber(t))
                bad << QStringLiteral("%1 '%2' is not a neutral number").arg(what, t);
        };
        auto date = [&](const char* what, const QString& t, bool optional = false) {
            if (optional && t.isEmpty())
                return;
            const QDate d = neutralDate(t);
            if (!d.isValid())
                bad << QStringLiteral("%1 '%2' is not dd/mm/yyyy").arg(what, t);
            else if (d < QDate(2026, 9, 1) || d > QDate(2026, 12, 31))
                bad << QStringLiteral("%1 '%2' is outside September to December 2026").arg(what, t);
        };
        for (const auto& p : c.produtos) {
            number("Quant", p.Quant);
            number("Ciclo", p.Ciclo);
            number("QuantDia", p.QuantDia);
            number("Moldes", p.Moldes);
            if (p.Composto > 1)
                bad << "Composto flag";
        }
        for (const auto& m : c.materias)
            number("Preco", m.Preco);
        for (const auto& e : c.equipamentos) {
            number("Custo", e.Custo);
            number("Quant", e.Quant);
        }
        for (const auto& s : c.stockMateria) {
            number("stock", s.stock);
            number("reserved", s.reserved);
            number("onOrder", s.onOrder);
            date("date", s.date);
        }
        for (const auto& s : c.stockProduto) {
            number("stock", s.stock);
            number("available", s.available);
            number("ordered", s.ordered);
            date("date", s.date);
        }
        for (const auto* movs : {&c.movimMateria, &c.movimProduto})
            for (const auto& m : *movs) {
                number("quantity", m.quantity);
                date("movementDate", m.movementDate);
                date("realDate", m.realDate);
            }
        for (const auto& o : c.encomProduto) {
            number("quantity", o.quantity);
            number("delivered", o.delivered);
            date("date", o.date);
            date("secondDate", o.secondDate, true);
            if (o.state > 2)
                bad << "state";
        }
        for (const auto& o : c.encomMateria) {
            number("quantity", o.quantity);
            number("received", o.received);
            number("unitCost", o.unitCost);
            date("date", o.date);
            date("secondDate", o.secondDate, true);
            if (o.state > 2)
                bad << "state";
        }
        for (const auto& h : c.horas) {
            number("entered", h.entered);
            number("rejected", h.rejected);
            for (const auto* f : {&h.productionHours, &h.setupHours, &h.breakdownHours, &h.materialHours,
                                  &h.personnelHours, &h.otherHours})
                number("hours", *f);
            date("date", h.date);
            date("secondDate", h.secondDate, true);
            if (h.operationOnly > 1)
                bad << "operationOnly flag";
        }
        QVERIFY2(bad.isEmpty(), qPrintable(bad.join('\n')));
    }

    // Every name that one file uses for a record of another file is found there.
    void everyReferenceResolves()
    {
        const QSet<QString> products = c.products();
        const QSet<QString> materials = c.materialNames();
        QSet<QString> suppliers, clients, equipments, operations;
        for (const auto& f : c.fornecedores)
            suppliers.insert(f.Nome);
        for (const auto& f : c.clientes)
            clients.insert(f.Nome);
        for (const auto& e : c.equipamentos) {
            equipments.insert(e.Equipamento);
            operations.insert(e.Operacao);
        }
        QStringList bad;
        for (const auto& p : c.produtos) {
            const QString line = productKey(p.Produto, p.Tipo) + " / " + p.MateriaPrima.text();
            if (p.Composto == 1 && !products.contains(p.MateriaPrima))
                bad << "component is no product: " + line;
            if (p.Composto == 0 && !materials.contains(p.MateriaPrima))
                bad << "material is no raw material: " + line;
            if (!operations.contains(p.Operacao))
                bad << "no equipment performs " + p.Operacao.text();
        }
        for (const auto& m : c.materias)
            if (!suppliers.contains(m.Fornecedor))
                bad << "unknown supplier " + m.Fornecedor.text();
        for (const auto& o : c.encomProduto) {
            if (!products.contains(productKey(o.product, o.type)))
                bad << "order of unknown product " + productKey(o.product, o.type);
            if (!clients.contains(o.client) && !o.client.equals(ProductionClient()))
                bad << "order of unknown client " + o.client.text();
        }
        for (const auto& o : c.encomMateria) {
            const auto pair = std::find_if(c.materias.begin(), c.materias.end(), [&](const MateriaPrimaRecord& m) {
                return m.MateriaPrima == o.material && m.Fornecedor == o.supplier;
            });
            if (pair == c.materias.end())
                bad << "purchase of an unknown material and supplier: " + o.material.text();
            else if (!(pair->Referencia == o.materialReference) || !(pair->Preco == o.unitCost))
                bad << "purchase reference or cost differs from the material's: " + o.material.text();
        }
        for (const auto& h : c.horas) {
            if (!products.contains(productKey(h.product, h.type)))
                bad << "production of unknown product " + productKey(h.product, h.type);
            if (!equipments.contains(h.equipment))
                bad << "production on unknown equipment " + h.equipment.text();
        }
        for (const auto& m : c.movimMateria)
            if (!materials.contains(m.item))
                bad << "movement of unknown material " + m.item.text();
        for (const auto& m : c.movimProduto)
            if (!products.contains(m.item))
                bad << "movement of unknown product " + m.item.text();

        // Exactly one stock record per product and per raw material, and none for anything else.
        QMap<QString, int> productStock, materialStock;
        for (const auto& s : c.stockProduto)
            productStock[productKey(s.product, s.type)]++;
        for (const auto& s : c.stockMateria)
            materialStock[s.material]++;
        QCOMPARE(QSet<QString>(productStock.keyBegin(), productStock.keyEnd()), products);
        QCOMPARE(QSet<QString>(materialStock.keyBegin(), materialStock.keyEnd()), materials);
        for (int n : productStock.values() + materialStock.values())
            QCOMPARE(n, 1);

        // Order references are unique and look like E0001 and C0001.
        QSet<QString> refs;
        static const QRegularExpression ep(QStringLiteral("^E[0-9]{4}$")), cp(QStringLiteral("^C[0-9]{4}$"));
        for (const auto& o : c.encomProduto) {
            QVERIFY(ep.match(o.reference.text()).hasMatch());
            refs.insert(o.reference);
        }
        for (const auto& o : c.encomMateria) {
            QVERIFY(cp.match(o.reference.text()).hasMatch());
            refs.insert(o.reference);
        }
        QCOMPARE(refs.size(), int(c.encomProduto.size() + c.encomMateria.size()));
        QVERIFY2(bad.isEmpty(), qPrintable(bad.join('\n')));
    }

    // The stored quantities agree with one another as the program computes them.
    void quantitiesAreConsistent()
    {
        // Raw material per day at full production, with 24 working hours a day.
        for (const auto& p : c.produtos) {
            const double expected = num(p.Moldes) * num(p.Quant) * num(p.Ciclo) * 24;
            QVERIFY2(close(num(p.QuantDia), expected),
                     qPrintable(productKey(p.Produto, p.Tipo) + ": QuantDia " + p.QuantDia.text()));
        }

        // Ordered = open quantities of the active client orders; available = stock - ordered.
        QMap<QString, double> open;
        for (const auto& o : c.encomProduto) {
            QVERIFY(num(o.delivered) <= num(o.quantity));
            if (o.state == OrderArchived && !o.client.equals(ProductionClient()))
                QVERIFY2(close(num(o.delivered), num(o.quantity)), qPrintable("archived order not delivered: " + o.reference.text()));
            if (o.state == OrderActive)
                open[productKey(o.product, o.type)] += num(o.quantity) - num(o.delivered);
        }
        int shortfalls = 0;
        for (const auto& s : c.stockProduto) {
            const QString key = productKey(s.product, s.type);
            QVERIFY2(close(num(s.ordered), open.value(key)), qPrintable(key + " ordered " + s.ordered.text()));
            QVERIFY2(close(num(s.available), num(s.stock) - num(s.ordered)), qPrintable(key + " available"));
            shortfalls += num(s.available) < 0;
        }
        QVERIFY2(shortfalls >= 2, "the planning screens need products in shortfall");

        // On order = quantities of the active purchase orders; reserved = the materials of the
        // products in shortfall, as the stock calculation reserves them.
        QMap<QString, double> onOrder, reserved;
        for (const auto& o : c.encomMateria) {
            QVERIFY(num(o.received) <= num(o.quantity));
            if (o.state == OrderActive)
                onOrder[o.material] += num(o.quantity);
        }
        for (const auto& s : c.stockProduto) {
            const double available = num(s.available);
            if (available >= 0)
                continue;
            for (const auto& p : c.produtos)
                if (p.Produto == s.product && p.Tipo == s.type && p.Composto != 1 && num(p.QuantDia) > 0)
                    reserved[p.MateriaPrima] += num(DecimalText::FormatFloat("0.###", -available * num(p.Quant)));
        }
        for (const auto& s : c.stockMateria) {
            QVERIFY2(close(num(s.onOrder), onOrder.value(s.material)), qPrintable(s.material.text() + " on order"));
            QVERIFY2(close(num(s.reserved), reserved.value(s.material)), qPrintable(s.material.text() + " reserved"));
        }

        // Stock = the sum of the movements (production hours move no stock).
        auto checkMovements = [](const auto& stock, const std::vector<MovimRecord>& movements, auto keyOf) {
            QMap<QString, double> sum;
            for (const auto& m : movements)
                if (!m.type.equals(QStringLiteral("HP")))
                    sum[m.item] += num(m.quantity);
            for (const auto& s : stock) {
                const QString key = keyOf(s);
                QVERIFY2(close(num(s.stock), sum.value(key)),
                         qPrintable(QStringLiteral("%1: stock %2, movements %3").arg(key, s.stock.text()).arg(sum.value(key))));
                QVERIFY(num(s.stock) >= 0);
            }
        };
        checkMovements(c.stockProduto, c.movimProduto,
                       [](const StockProdutoRecord& s) { return productKey(s.product, s.type); });
        checkMovements(c.stockMateria, c.movimMateria, [](const StockMateriaRecord& s) { return s.material.text(); });

        // Each production entry is one 8-hour shift and never rejects more than it made.
        for (const auto& h : c.horas) {
            const double total = num(h.productionHours) + num(h.setupHours) + num(h.breakdownHours)
                               + num(h.materialHours) + num(h.personnelHours) + num(h.otherHours);
            QVERIFY2(close(total, 8), qPrintable(QStringLiteral("%1 on %2: %3 hours").arg(h.product.text(), h.date.text()).arg(total)));
            QVERIFY(num(h.rejected) <= num(h.entered));
            QVERIFY(h.equipment.length() <= 10);
        }
    }

    // The one-time conversion turns the sample into a comma locale without a single problem.
    void convertsToLocalFormats()
    {
        TempFolder tmp;
        for (int i = 0; i < DataFile::Count; ++i)
            QVERIFY(QFile::copy(kSample + DataFile::all()[i].name, tmp.file(DataFile::all()[i].name)));
        IniFile ini(tmp.file("Quorvale.ini"));
        std::vector<double> quantDia;
        for (const auto& p : c.produtos)
            quantDia.push_back(num(p.QuantDia));
        ScopedRegionalSettings comma(RegionalSettings::commaLocale());
        const NeutralConversion result = ConvertNeutralFormat(ini, tmp.path());
        QVERIFY(result.ran);
        QVERIFY2(result.problems.isEmpty(), qPrintable(result.problems.join('\n')));
        const auto produtos = ReadAllRecords<ProdutoRecord>(tmp.file(DataFile::Produtos));
        QCOMPARE(produtos.size(), c.produtos.size());
        for (size_t i = 0; i < produtos.size(); ++i)
            QCOMPARE(DecimalText::StrToFloat(produtos[i].QuantDia), quantDia[i]);
        const auto horas = ReadAllRecords<HorasProducaoRecord>(tmp.file(DataFile::HorasProducao));
        QCOMPARE(horas.front().date.text(), c.horas.front().date.text().replace('/', '-'));
    }

    // The builder is deterministic: building the sources again gives the same bytes.
    void builderIsDeterministic()
    {
        TempFolder tmp;
        QString err;
        QCOMPARE(runBuilder(kSources, tmp.path() + "out", &err), 0);
        for (int i = 0; i < DataFile::Count; ++i) {
            const QString name = DataFile::all()[i].name;
            QVERIFY2(testsupport::readFile(tmp.path() + "out/" + name) == testsupport::readFile(kSample + name),
                     qPrintable(name));
        }
    }

    // A fault in a source stops the build with the file, the line and the field, and nothing is written.
    void builderRefusesFaultySources_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("expected");
        QTest::newRow("comma number") << "Produtos.csv" << 2 << ",0.0025," << ",\"0,0025\","
                                      << "Produtos.csv:2: field Quant: '0,0025' is not a number written with a point";
        QTest::newRow("text too long") << "Clientes.csv" << 3 << "Dra. Inês Lobo" << "Dra. Inês Lobo Cardoso"
                                       << "Clientes.csv:3: field Contacto: 'Dra. Inês Lobo Cardoso' has 22 characters; "
                                          "the field holds at most 15";
        QTest::newRow("date order") << "EncomProduto.csv" << 4 << "09/09/2026" << "2026-09-09"
                                    << "EncomProduto.csv:4: field date: '2026-09-09' is not a date written dd/mm/yyyy";
        QTest::newRow("no such day") << "MovimMateria.csv" << 2 << "01/09/2026,01/09/2026" << "31/09/2026,01/09/2026"
                                     << "MovimMateria.csv:2: field movementDate: '31/09/2026' is not a valid date";
        QTest::newRow("state") << "EncomMateria.csv" << 2 << ",1.42,1" << ",1.42,3"
                               << "EncomMateria.csv:2: field state: '3' is not an order state";
        QTest::newRow("flag") << "HorasProducao.csv" << 2 << ",0,Engel" << ",yes,Engel"
                              << "HorasProducao.csv:2: field operationOnly: 'yes' is not a flag";
        QTest::newRow("whole number") << "Equipamentos.csv" << 2 << ",1,18.5" << ",1.5,18.5"
                                      << "Equipamentos.csv:2: field Quant: '1.5' is not a whole number";
        QTest::newRow("column count") << "StockProduto.csv" << 3 << ",Azul," << ",Azul,Claro,"
                                      << "StockProduto.csv:3: 7 fields, expected 6";
        QTest::newRow("header") << "Fornecedores.csv" << 1 << "Nome," << "Name,"
                                << "Fornecedores.csv:1: header is 'Name,Contacto";
        QTest::newRow("not Windows-1252") << "MateriasPrimas.csv" << 2 << "PP-H 500N" << "PP-H 500N ≥"
                                          << "MateriasPrimas.csv:2: field Referencia: character '≥' (U+2265) cannot be "
                                             "written in Windows-1252";
    }
    void builderRefusesFaultySources()
    {
        QFETCH(QString, file);
        QFETCH(int, line);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, expected);
        const QString original = sourceLine(file, line);
        QVERIFY2(original.contains(from), qPrintable(original));
        TempFolder tmp;
        copySources(tmp.path(), file, line, QString(original).replace(from, to));
        QString err;
        QCOMPARE(runBuilder(tmp.path(), tmp.path() + "out", &err), 1);
        QVERIFY2(err.contains(expected), qPrintable(err));
        QVERIFY(err.contains("no data file written"));
        QVERIFY(!QFileInfo::exists(tmp.path() + "out"));
    }

    void builderNeedsEverySource()
    {
        TempFolder tmp;
        copySources(tmp.path());
        QVERIFY(QFile::remove(tmp.file("Clientes.csv")));
        QString err;
        QCOMPARE(runBuilder(tmp.path(), tmp.path() + "out", &err), 1);
        QVERIFY2(err.contains("Clientes.csv: cannot be read"), qPrintable(err));
        QVERIFY(!QFileInfo::exists(tmp.path() + "out"));
    }
};

QTEST_GUILESS_MAIN(TestSample)
#include "tst_sample.moc"
