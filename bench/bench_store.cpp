// Loading speed of the record store on a large company.
//
//     bench_store [company folder] [--runs N]
//
// Without a folder, the large company is first written into a temporary folder by
// quorvale_make_bigdb (found beside this program, in ../tools/). For every data file it measures,
// best of N runs with the file in the system's cache:
//   read    - the whole file in one QFile::readAll (the floor: what the bytes cost);
//   load    - Load all, record by record through RecordFile (LoadAll), touching each record;
//   decode  - Load all and every text field of every record turned into a QString.
// and prints records per second and the ratio of each to the plain read.

#include "store/AccessPatterns.h"
#include "store/Records.h"
#include "BenchCompany.h"
#include "store/RegionalSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

// Every text field of a record, decoded; returns the total length so nothing is optimised away.
qsizetype decodeAll(const ProdutoRecord& r)
{
    return r.Produto.text().size() + r.Tipo.text().size() + r.MateriaPrima.text().size() + r.Quant.text().size()
         + r.Un.text().size() + r.Ciclo.text().size() + r.QuantDia.text().size() + r.Moldes.text().size()
         + r.Operacao.text().size() + r.Composto;
}
qsizetype decodeAll(const MateriaPrimaRecord& r)
{
    return r.MateriaPrima.text().size() + r.Referencia.text().size() + r.Preco.text().size()
         + r.Fornecedor.text().size() + r.Un.text().size();
}
qsizetype decodeAll(const FornecedorRecord& r)
{
    return r.Nome.text().size() + r.Contacto.text().size() + r.Telefone.text().size() + r.Fax.text().size()
         + r.Morada.text().size() + r.Email.text().size();
}
qsizetype decodeAll(const EquipamentoRecord& r)
{
    return r.Equipamento.text().size() + r.Tipo.text().size() + r.Quant.text().size() + r.Custo.text().size()
         + r.Operacao.text().size();
}
qsizetype decodeAll(const StockMateriaRecord& r)
{
    return r.material.text().size() + r.stock.text().size() + r.reserved.text().size() + r.onOrder.text().size()
         + r.date.text().size();
}
qsizetype decodeAll(const StockProdutoRecord& r)
{
    return r.product.text().size() + r.type.text().size() + r.stock.text().size() + r.available.text().size()
         + r.ordered.text().size() + r.date.text().size();
}
qsizetype decodeAll(const MovimRecord& r)
{
    return r.item.text().size() + r.quantity.text().size() + r.movementDate.text().size()
         + r.realDate.text().size() + r.type.text().size();
}
qsizetype decodeAll(const EncomProdutoRecord& r)
{
    return r.product.text().size() + r.type.text().size() + r.client.text().size() + r.quantity.text().size()
         + r.date.text().size() + r.secondDate.text().size() + r.reference.text().size()
         + r.delivered.text().size() + r.state;
}
qsizetype decodeAll(const EncomMateriaRecord& r)
{
    return r.material.text().size() + r.materialReference.text().size() + r.supplier.text().size()
         + r.quantity.text().size() + r.date.text().size() + r.secondDate.text().size() + r.reference.text().size()
         + r.received.text().size() + r.unitCost.text().size() + r.state;
}
qsizetype decodeAll(const HorasProducaoRecord& r)
{
    return r.product.text().size() + r.type.text().size() + r.entered.text().size() + r.rejected.text().size()
         + r.date.text().size() + r.secondDate.text().size() + r.note.text().size() + r.equipment.text().size()
         + r.productionHours.text().size() + r.setupHours.text().size() + r.breakdownHours.text().size()
         + r.materialHours.text().size() + r.personnelHours.text().size() + r.otherHours.text().size()
         + r.operationOnly;
}

volatile qsizetype g_sink = 0;

// Best time in milliseconds of `runs` calls.
double best(int runs, const std::function<void()>& fn)
{
    double bestMs = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        fn();
        bestMs = std::min(bestMs, t.nsecsElapsed() / 1e6);
    }
    return bestMs;
}

struct Result {
    QString name;
    qint64 records = 0;
    double readMs = 0, loadMs = 0, decodeMs = 0;
};

template <class R>
Result measure(const QString& folder, const QString& name, int runs)
{
    const QString path = folder + name;
    Result res;
    res.name = name;
    res.readMs = best(runs, [&] {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            qFatal("cannot open %s", qPrintable(path));
        g_sink = g_sink + f.readAll().size();
    });
    res.loadMs = best(runs, [&] {
        qsizetype s = 0;
        res.records = LoadAll<R>(path, false, [&](qint64, const R& r) { s += reinterpret_cast<const unsigned char*>(&r)[0]; });
        g_sink = g_sink + s;
    });
    res.decodeMs = best(runs, [&] {
        qsizetype s = 0;
        LoadAll<R>(path, false, [&](qint64, const R& r) { s += decodeAll(r); });
        g_sink = g_sink + s;
    });
    return res;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    RegionalSettings::setCurrent(RegionalSettings::pointLocale());
    BenchCompany company;
    company.setUp("bench_store");
    const QString folder = company.folder;
    const int runs = company.runs;

    std::vector<Result> results = {
        measure<ProdutoRecord>(folder, DataFile::Produtos, runs),
        measure<MateriaPrimaRecord>(folder, DataFile::MateriasPrimas, runs),
        measure<FornecedorRecord>(folder, DataFile::Fornecedores, runs),
        measure<FornecedorRecord>(folder, DataFile::Clientes, runs),
        measure<EquipamentoRecord>(folder, DataFile::Equipamentos, runs),
        measure<StockMateriaRecord>(folder, DataFile::StockMateria, runs),
        measure<StockProdutoRecord>(folder, DataFile::StockProduto, runs),
        measure<MovimRecord>(folder, DataFile::MovimMateria, runs),
        measure<MovimRecord>(folder, DataFile::MovimProduto, runs),
        measure<EncomProdutoRecord>(folder, DataFile::EncomProduto, runs),
        measure<EncomMateriaRecord>(folder, DataFile::EncomMateria, runs),
        measure<HorasProducaoRecord>(folder, DataFile::HorasProducao, runs),
    };

    std::printf("\nBest of %d runs per figure (ms); rates in records per second; x = times the plain read\n\n", runs);
    std::printf("%-20s %8s %8s %9s %12s %6s %9s %12s %6s\n", "file", "records", "read", "load", "load rec/s",
                "x", "decode", "decode rec/s", "x");
    for (const Result& r : results) {
        auto rate = [&](double ms) { return ms > 0 ? r.records / (ms / 1000.0) : 0.0; };
        std::printf("%-20s %8lld %8.2f %9.2f %12.0f %6.1f %9.2f %12.0f %6.1f\n", qPrintable(r.name),
                    (long long)r.records, r.readMs, r.loadMs, rate(r.loadMs), r.loadMs / r.readMs, r.decodeMs,
                    rate(r.decodeMs), r.decodeMs / r.readMs);
    }
    for (const Result& r : results)
        if (r.name == DataFile::MovimProduto || r.name == DataFile::MovimMateria)
            std::printf("\n%s, %lld movements: load %.2f ms (%.1fx the plain read, target <= 5x), "
                        "load and decode %.2f ms (target < 150 ms)",
                        qPrintable(r.name), (long long)r.records, r.loadMs, r.loadMs / r.readMs, r.decodeMs);
    std::printf("\n");
    return 0;
}
