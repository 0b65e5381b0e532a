// Writes a large company folder for benchmarks: the twelve data files, each with many thousands of
// records whose references hold together (orders name existing products, clients, materials and
// suppliers; stock records cover every product and material; movements and production entries
// name existing items and equipment). The contents follow from the seed alone.
//
//     quorvale_make_bigdb <folder> [--seed N]

#include "store/AccessPatterns.h"
#include "store/Records.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr int kProducts = 5000;          // distinct products (name and type), 4 composition lines each
constexpr int kLinesPerProduct = 4;      // 20,000 Produtos.DAT records
constexpr int kMaterials = 3000;         // distinct raw materials, sold by 2 suppliers each
constexpr int kSuppliersPerMaterial = 2; // 6,000 MateriasPrimas.DAT records
constexpr int kSuppliers = 500;
constexpr int kClients = 2000;
constexpr int kEquipments = 100;
constexpr int kOperations = 20;
constexpr int kProductOrders = 50000;
constexpr int kPurchaseOrders = 20000;
constexpr int kMovements = 200000; // of each kind
constexpr int kProductionEntries = 100000;
constexpr int kDays = 3 * 365; // dates spread over three years ending 31/12/2026

// A small generator whose sequence depends on the seed only (not on the standard library).
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return int(next() % std::uint64_t(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }

private:
    std::uint64_t m_state;
};

// Texts are composed as Windows-1252 bytes and copied straight into the fields.
template <int N>
void put(FixedString<N>& f, const char* text)
{
    const size_t n = std::strlen(text);
    f.len = std::uint8_t(n < size_t(N) ? n : size_t(N));
    std::memcpy(f.data, text, f.len);
}

template <int N, class... Args>
void putf(FixedString<N>& f, const char* format, Args... args)
{
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, args...);
    put(f, buffer);
}

// A number with a point and at most three decimals, without trailing zeros (std::to_chars, as
// printf would write it in the C locale whatever the session's locale).
template <int N>
void putNumber(FixedString<N>& f, double value)
{
    char buffer[400];
    char* end = std::to_chars(buffer, buffer + sizeof buffer - 1, value, std::chars_format::fixed, 3).ptr;
    *end = '\0';
    while (end > buffer && end[-1] == '0')
        *--end = '\0';
    if (end > buffer && end[-1] == '.')
        *--end = '\0';
    if (std::strcmp(buffer, "-0") == 0)
        std::strcpy(buffer, "0");
    put(f, buffer);
}

const char* const kTypes[] = {"Branco", "Azul", "Vermelho", "Preto", "Verde", "Amarelo", "Cinzento", "Natural",
                              "Transparente", "Laranja"};
const char* const kKinds[] = {"Tampa", "Frasco", "Balde", "Caixa", "Cabide", "Pe\xe7" "a T\xe9" "cnica", "Suporte",
                              "Tubo", "Conector", "Bandeja"};
const char* const kPolymers[] = {"Polipropileno", "Polietileno", "Poliestireno", "ABS", "Poliamida",
                                 "Masterbatch", "Policarbonato", "Aditivo UV"};
const char* const kUnits[] = {"kg", "un", "m", "l"};
const char* const kMovementTypes[] = {"SS", "ES", "AS", "SP", "EP", "RP", "HP", "SE", "EE"};

struct Names {
    std::vector<QByteArray> productName, productType, material, supplier, client, equipment, operation;
    std::vector<QByteArray> dates; // dd/mm/yyyy, oldest first
};

Names makeNames()
{
    Names n;
    char b[128];
    for (int i = 0; i < kProducts; ++i) {
        std::snprintf(b, sizeof b, "%s %05d", kKinds[i % 10], i / 10 + 1);
        n.productName.emplace_back(b);
        n.productType.emplace_back(kTypes[(i / 3) % 10]);
    }
    for (int i = 0; i < kMaterials; ++i) {
        std::snprintf(b, sizeof b, "%s Grau %04d", kPolymers[i % 8], i + 1);
        n.material.emplace_back(b);
    }
    for (int i = 0; i < kSuppliers; ++i) {
        std::snprintf(b, sizeof b, "Fornecedor %03d Lda", i + 1);
        n.supplier.emplace_back(b);
    }
    for (int i = 0; i < kClients; ++i) {
        std::snprintf(b, sizeof b, "Cliente %04d Com\xe9rcio SA", i + 1);
        n.client.emplace_back(b);
    }
    for (int i = 0; i < kEquipments; ++i) {
        std::snprintf(b, sizeof b, "MAQ-%03d", i + 1);
        n.equipment.emplace_back(b);
    }
    for (int i = 0; i < kOperations; ++i) {
        std::snprintf(b, sizeof b, i % 2 ? "Injec\xe7\xe3o%02d" : "Sopro %02d", i + 1);
        n.operation.emplace_back(b);
    }
    const QDate last(2026, 12, 31);
    for (int i = kDays - 1; i >= 0; --i)
        n.dates.push_back(last.addDays(-i).toString("dd/MM/yyyy").toLatin1());
    return n;
}

struct Writer {
    QString folder;
    void operator()(const QString& name, const auto& records, QElapsedTimer& t) const
    {
        WriteAllRecords(folder + name, records);
        std::printf("  %-20s %8zu records  %6lld ms\n", qPrintable(name), records.size(), (long long)t.restart());
    }
};

int generate(const QString& folder, std::uint64_t seed)
{
    Random rnd(seed);
    const Names n = makeNames();
    const Writer write{folder};
    QElapsedTimer all, t;
    all.start();
    t.start();
    auto date = [&](int from = 0) { return n.dates[size_t(rnd.between(from, kDays - 1))].constData(); };

    // Products: every tenth product is composite (4 components among the plain products).
    std::vector<ProdutoRecord> produtos(size_t(kProducts * kLinesPerProduct), EmptyRecord<ProdutoRecord>());
    for (int p = 0; p < kProducts; ++p) {
        const bool composite = p % 10 == 9;
        const int ciclo = rnd.between(20, 400);
        const int moldes = rnd.between(1, 16);
        const char* op = n.operation[size_t(rnd.below(kOperations))].constData();
        for (int k = 0; k < kLinesPerProduct; ++k) {
            ProdutoRecord& r = produtos[size_t(p * kLinesPerProduct + k)];
            put(r.Produto, n.productName[size_t(p)].constData());
            put(r.Tipo, n.productType[size_t(p)].constData());
            double quant;
            if (composite) {
                int c = rnd.below(kProducts);
                if (c % 10 == 9)
                    --c;
                putf(r.MateriaPrima, "%s %s", n.productName[size_t(c)].constData(), n.productType[size_t(c)].constData());
                quant = rnd.between(1, 4);
                put(r.Un, "un");
            } else {
                put(r.MateriaPrima, n.material[size_t(rnd.below(kMaterials))].constData());
                quant = rnd.between(1, 5000) / 1000.0;
                put(r.Un, kUnits[rnd.below(4)]);
            }
            putNumber(r.Quant, quant);
            putf(r.Ciclo, "%d", ciclo);
            putNumber(r.QuantDia, moldes * quant * ciclo * 24);
            putf(r.Moldes, "%d", moldes);
            r.Composto = composite ? 1 : 0;
            put(r.Operacao, op);
        }
    }
    write(DataFile::Produtos, produtos, t);

    std::vector<MateriaPrimaRecord> materias(size_t(kMaterials * kSuppliersPerMaterial), EmptyRecord<MateriaPrimaRecord>());
    for (size_t i = 0; i < materias.size(); ++i) {
        MateriaPrimaRecord& r = materias[i];
        const size_t m = i / kSuppliersPerMaterial;
        put(r.MateriaPrima, n.material[m].constData());
        putf(r.Referencia, "REF-%05zu-%zu", m + 1, i % kSuppliersPerMaterial + 1);
        putNumber(r.Preco, rnd.between(50, 9000) / 100.0);
        put(r.Fornecedor, n.supplier[(m * 7 + i % kSuppliersPerMaterial * 131) % kSuppliers].constData());
        put(r.Un, m % 8 == 5 ? "kg" : kUnits[m % 4]);
    }
    write(DataFile::MateriasPrimas, materias, t);

    auto people = [&](const std::vector<QByteArray>& names, const char* domain) {
        std::vector<FornecedorRecord> v(names.size(), EmptyRecord<FornecedorRecord>());
        for (size_t i = 0; i < v.size(); ++i) {
            put(v[i].Nome, names[i].constData());
            putf(v[i].Contacto, "Contacto %zu", i + 1);
            putf(v[i].Telefone, "2%02d %03d %03d", rnd.below(100), rnd.below(1000), rnd.below(1000));
            if (i % 3)
                putf(v[i].Fax, "2%02d %03d %03d", rnd.below(100), rnd.below(1000), rnd.below(1000));
            putf(v[i].Morada, "Rua da Ind\xfastria, %d, Zona Industrial, %04d-%03d Vila Nova de Famalic\xe3o",
                 rnd.between(1, 400), rnd.between(1000, 9999), rnd.below(1000));
            putf(v[i].Email, "geral%zu@%s.pt", i + 1, domain);
        }
        return v;
    };
    write(DataFile::Fornecedores, people(n.supplier, "fornecedor"), t);
    write(DataFile::Clientes, people(n.client, "cliente"), t);

    std::vector<EquipamentoRecord> equipamentos(size_t(kEquipments), EmptyRecord<EquipamentoRecord>());
    for (int i = 0; i < kEquipments; ++i) {
        EquipamentoRecord& r = equipamentos[size_t(i)];
        put(r.Equipamento, n.equipment[size_t(i)].constData());
        putf(r.Tipo, "Injectora %d toneladas", rnd.between(5, 50) * 10);
        putf(r.Quant, "%d", rnd.between(1, 4));
        putNumber(r.Custo, rnd.between(80, 600) / 10.0);
        put(r.Operacao, n.operation[size_t(i % kOperations)].constData());
    }
    write(DataFile::Equipamentos, equipamentos, t);

    std::vector<StockMateriaRecord> stockMateria(size_t(kMaterials), EmptyRecord<StockMateriaRecord>());
    for (int i = 0; i < kMaterials; ++i) {
        StockMateriaRecord& r = stockMateria[size_t(i)];
        put(r.material, n.material[size_t(i)].constData());
        putNumber(r.stock, rnd.between(0, 2000000) / 100.0);
        putNumber(r.reserved, rnd.between(0, 500000) / 100.0);
        putNumber(r.onOrder, rnd.below(4) ? 0 : rnd.between(100, 20000));
        put(r.date, date(kDays - 60));
    }
    write(DataFile::StockMateria, stockMateria, t);

    // Product orders first, so that the stock records carry what is ordered.
    std::vector<EncomProdutoRecord> encomProduto(size_t(kProductOrders), EmptyRecord<EncomProdutoRecord>());
    std::vector<double> ordered(size_t(kProducts), 0.0);
    for (int i = 0; i < kProductOrders; ++i) {
        EncomProdutoRecord& r = encomProduto[size_t(i)];
        const int p = rnd.below(kProducts);
        put(r.product, n.productName[size_t(p)].constData());
        put(r.type, n.productType[size_t(p)].constData());
        if (rnd.below(20) == 0)
            put(r.client, "Produ\xe7\xe3o");
        else
            put(r.client, n.client[size_t(rnd.below(kClients))].constData());
        const int quantity = rnd.between(1, 200) * 50;
        const int state = rnd.below(10) < 6 ? OrderArchived : (rnd.below(5) ? OrderActive : OrderOnHold);
        const int delivered = state == OrderArchived ? quantity : rnd.below(3) * quantity / 4;
        putf(r.quantity, "%d", quantity);
        const int d = rnd.below(kDays - 30);
        put(r.date, n.dates[size_t(d)].constData());
        put(r.secondDate, n.dates[size_t(d + 30)].constData());
        putf(r.reference, "E%05d", i % 100000);
        putf(r.delivered, "%d", delivered);
        r.state = std::uint8_t(state);
        if (state == OrderActive)
            ordered[size_t(p)] += quantity - delivered;
    }

    std::vector<StockProdutoRecord> stockProduto(size_t(kProducts), EmptyRecord<StockProdutoRecord>());
    for (int p = 0; p < kProducts; ++p) {
        StockProdutoRecord& r = stockProduto[size_t(p)];
        put(r.product, n.productName[size_t(p)].constData());
        put(r.type, n.productType[size_t(p)].constData());
        const double stock = rnd.between(0, 5000) * 10;
        putNumber(r.stock, stock);
        putNumber(r.available, stock - ordered[size_t(p)]);
        putNumber(r.ordered, ordered[size_t(p)]);
        put(r.date, date(kDays - 60));
    }
    write(DataFile::StockProduto, stockProduto, t);

    auto movements = [&](bool ofProducts) {
        std::vector<MovimRecord> v(size_t(kMovements), EmptyRecord<MovimRecord>());
        for (int i = 0; i < kMovements; ++i) {
            MovimRecord& r = v[size_t(i)];
            if (ofProducts) {
                const int p = rnd.below(kProducts);
                putf(r.item, "%s %s", n.productName[size_t(p)].constData(), n.productType[size_t(p)].constData());
            } else {
                put(r.item, n.material[size_t(rnd.below(kMaterials))].constData());
            }
            static const int materialTypes[] = {0, 1, 2, 3, 8}; // SS ES AS SP EE
            const char* type = kMovementTypes[ofProducts ? rnd.below(9) : materialTypes[rnd.below(5)]];
            const bool exit = type[0] == 'S' || type[0] == 'R' || (type[0] == 'A' && rnd.below(2));
            putNumber(r.quantity, (exit ? -1 : 1) * rnd.between(1, 100000) / 10.0);
            // Recorded in date order, a movement now and then dated a few days back.
            const int day = std::min(kDays - 1, int(qint64(i) * kDays / kMovements));
            const int back = rnd.below(8) == 0 ? rnd.between(1, 5) : 0;
            put(r.movementDate, n.dates[size_t(std::max(0, day - back))].constData());
            put(r.realDate, n.dates[size_t(day)].constData());
            put(r.type, type);
        }
        return v;
    };
    write(DataFile::MovimMateria, movements(false), t);
    write(DataFile::MovimProduto, movements(true), t);
    write(DataFile::EncomProduto, encomProduto, t);

    std::vector<EncomMateriaRecord> encomMateria(size_t(kPurchaseOrders), EmptyRecord<EncomMateriaRecord>());
    for (int i = 0; i < kPurchaseOrders; ++i) {
        EncomMateriaRecord& r = encomMateria[size_t(i)];
        const MateriaPrimaRecord& m = materias[size_t(rnd.below(int(materias.size())))];
        r.material = m.MateriaPrima;
        r.materialReference = m.Referencia;
        r.supplier = m.Fornecedor;
        r.unitCost = m.Preco;
        const int quantity = rnd.between(1, 100) * 25;
        const int state = rnd.below(10) < 7 ? OrderArchived : (rnd.below(5) ? OrderActive : OrderOnHold);
        putf(r.quantity, "%d", quantity);
        const int d = rnd.below(kDays - 14);
        put(r.date, n.dates[size_t(d)].constData());
        if (i % 7)
            put(r.secondDate, n.dates[size_t(d + 14)].constData());
        putf(r.reference, "C%05d", i % 100000);
        putf(r.received, "%d", state == OrderArchived ? quantity : 0);
        r.state = std::uint8_t(state);
    }
    write(DataFile::EncomMateria, encomMateria, t);

    std::vector<HorasProducaoRecord> horas(size_t(kProductionEntries), EmptyRecord<HorasProducaoRecord>());
    for (int i = 0; i < kProductionEntries; ++i) {
        HorasProducaoRecord& r = horas[size_t(i)];
        const int p = rnd.below(kProducts);
        put(r.product, n.productName[size_t(p)].constData());
        put(r.type, n.productType[size_t(p)].constData());
        const int day = std::min(kDays - 1, int(qint64(i) * kDays / kProductionEntries));
        put(r.date, n.dates[size_t(day)].constData());
        put(r.secondDate, n.dates[size_t(day)].constData());
        putf(r.note, "Op.%03d", rnd.below(200));
        r.operationOnly = rnd.below(25) == 0 ? 1 : 0;
        put(r.equipment, n.equipment[size_t(rnd.below(kEquipments))].constData());
        // An 8-hour shift: production and the stops, in half hours.
        int halves = 16;
        int stops[5];
        for (int& s : stops) {
            s = rnd.below(6) == 0 ? std::min(halves - 1, rnd.between(1, 3)) : 0;
            halves -= s;
        }
        putNumber(r.productionHours, halves / 2.0);
        putNumber(r.setupHours, stops[0] / 2.0);
        putNumber(r.breakdownHours, stops[1] / 2.0);
        putNumber(r.materialHours, stops[2] / 2.0);
        putNumber(r.personnelHours, stops[3] / 2.0);
        putNumber(r.otherHours, stops[4] / 2.0);
        const int entered = rnd.between(50, 20000);
        putf(r.entered, "%d", entered);
        putf(r.rejected, "%d", rnd.below(3) ? 0 : rnd.below(entered / 50 + 1));
    }
    write(DataFile::HorasProducao, horas, t);
    std::printf("  written in %lld ms\n", (long long)all.elapsed());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    std::uint64_t seed = 1;
    QString folder;
    bool ok = true;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            folder.clear();
            ok = false;
            break;
        }
        if (args[i] == "--seed" && i + 1 < args.size()) {
            seed = args[++i].toULongLong(&ok);
            if (!ok)
                break;
        } else if (folder.isEmpty() && !args[i].startsWith("--")) {
            folder = args[i];
        } else {
            ok = false;
        }
    }
    if (!ok || folder.isEmpty()) {
        std::printf(
            "Usage: quorvale_make_bigdb <folder> [--seed N]\n"
            "Writes a large company into <folder> for benchmarks: 20,000 product lines (5,000\n"
            "products), 6,000 raw-material lines (3,000 materials), 500 suppliers, 2,000 clients,\n"
            "100 equipments, 5,000 product and 3,000 material stock records, 50,000 product orders,\n"
            "20,000 purchase orders, 200,000 movements of raw materials and 200,000 of products and\n"
            "100,000 production entries. The same seed (default 1) gives the same files.\n"
            "The files are in the neutral format, not the machine's: numbers with a point and dates\n"
            "dd/mm/yyyy; read them with point-decimal regional settings.\n");
        return args.contains("--help") || args.contains("-h") ? 0 : 2;
    }
    try {
        const QString path = QDir(folder).absolutePath() + '/';
        if (!QDir().mkpath(path))
            throw StoreError(QStringLiteral("Cannot create \"%1\"").arg(QDir::toNativeSeparators(path)));
        std::printf("Writing the large company (seed %llu) into %s\n", (unsigned long long)seed,
                    qPrintable(QDir::toNativeSeparators(path)));
        return generate(path, seed);
    } catch (const StoreError& e) {
        std::fprintf(stderr, "quorvale_make_bigdb: %s\n", qPrintable(e.message()));
        return 1;
    }
}
