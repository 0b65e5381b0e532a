// quorvale-data: the check on hand-made companies holding each kind of fault and on the sample, the
// export and import round trips, the import's refusals, the company's resolution and the program's
// command line and exit status.
#include "i18n/IniFile.h"
#include "i18n/Language.h"
#include "store/AccessPatterns.h"
#include "store/CompanyCheck.h"
#include "store/DataCommands.h"
#include "store/NeutralFormat.h"
#include "store/RecordLayout.h"
#include "store/Records.h"
#include "store/RegionalSettings.h"
#include "support/ProgramHome.h"
#include "support/TestSupport.h"

#include <QDirIterator>
#include <QProcess>
#include <QTest>
#include <QTextStream>

using testsupport::readFile;
using testsupport::TempFolder;
using testsupport::writeFile;

namespace {

const QString kSample = QStringLiteral(QUORVALE_SAMPLE_DIR "/Test_database/");

template <int N>
void set(FixedString<N>& f, const char* text)
{
    f.setText(QString::fromUtf8(text));
}

struct Output {
    int status = -1;
    QStringList out, err;
};

// Runs quorvale-data in this process.
Output runCli(const QStringList& args)
{
    QString out, err;
    QTextStream o(&out), e(&err);
    Output r;
    r.status = DataCommands::Run(args, o, e);
    o.flush();
    e.flush();
    r.out = out.split('\n', Qt::SkipEmptyParts);
    r.err = err.split('\n', Qt::SkipEmptyParts);
    return r;
}

// A data root holding the companies Acme and Copy (listed in its settings) and a program folder;
// Acme is a small company without a fault, in neutral formats.
class Companies {
public:
    Companies() : home("[Options]\r\nNeutralFormat=1\r\n")
    {
        writeFile(root.file("Quorvale.ini"), "[Supliers]\r\nNumber=2\r\nSup1=Acme\r\nSup2=Copy\r\n");
        QDir().mkpath(acme());
        QDir().mkpath(copy());
        writeCleanCompany();
    }
    QString acme() const { return root.path() + "Acme/"; }
    QString copy() const { return root.path() + "Copy/"; }

    // Runs quorvale-data with this data root and neutral formats.
    Output run(QStringList args, bool withRoot = true) const
    {
        if (withRoot)
            args << "--data-root" << root.path() << "--locale" << "neutral";
        return runCli(args);
    }
    Output check() const { return run({"check", "Acme"}); }

    template <class R>
    void write(const QString& file, const std::vector<R>& records) const
    {
        WriteAllRecords(acme() + file, records);
    }
    template <class R, class F>
    void change(const QString& file, int index, F&& f) const
    {
        auto records = ReadAllRecords<R>(acme() + file);
        f(records[size_t(index)]);
        write(file, records);
    }
    template <class R>
    void append(const QString& file, const R& record) const
    {
        auto records = ReadAllRecords<R>(acme() + file);
        records.push_back(record);
        write(file, records);
    }
    QByteArray bytesOf(const QString& folder) const
    {
        QByteArray all;
        for (int i = 0; i < DataFile::Count; ++i)
            all += DataFile::all()[i].name.toUtf8() + ':' + readFile(folder + DataFile::all()[i].name);
        return all;
    }

    testsupport::ProgramHome home;
    TempFolder root;

private:
    void writeCleanCompany() const
    {
        ProdutoRecord balde = EmptyRecord<ProdutoRecord>(), kit = balde;
        for (auto [p, name, material, quant, un, ciclo, dia, composite, op] :
             {std::tuple{&balde, "Balde", "PP", "0.5", "kg", "60", "720", 0, "Injecção"},
              std::tuple{&kit, "Kit", "Balde Azul", "2", "un", "10", "480", 1, "Montagem"}}) {
            set(p->Produto, name), set(p->Tipo, "Azul"), set(p->MateriaPrima, material), set(p->Quant, quant);
            set(p->Un, un), set(p->Ciclo, ciclo), set(p->QuantDia, dia), set(p->Moldes, "1"), set(p->Operacao, op);
            p->Composto = std::uint8_t(composite);
        }
        write(DataFile::Produtos, std::vector{balde, kit});
        MateriaPrimaRecord pp = EmptyRecord<MateriaPrimaRecord>(), pe = pp;
        set(pp.MateriaPrima, "PP"), set(pp.Referencia, "R1"), set(pp.Preco, "1.5"), set(pp.Fornecedor, "Plast"), set(pp.Un, "kg");
        set(pe.MateriaPrima, "PE"), set(pe.Un, "kg"); // no price and no supplier: allowed
        write(DataFile::MateriasPrimas, std::vector{pp, pe});
        FornecedorRecord plast = EmptyRecord<FornecedorRecord>(), loja = plast;
        set(plast.Nome, "Plast"), set(loja.Nome, "Loja Central");
        write(DataFile::Fornecedores, std::vector{plast});
        write(DataFile::Clientes, std::vector{loja});
        EquipamentoRecord injectora = EmptyRecord<EquipamentoRecord>();
        set(injectora.Equipamento, "Injectora 80T"), set(injectora.Quant, "1"), set(injectora.Custo, "18.5");
        write(DataFile::Equipamentos, std::vector{injectora});
        StockMateriaRecord sm = EmptyRecord<StockMateriaRecord>();
        set(sm.material, "PP"), set(sm.stock, "100"), set(sm.reserved, "10"), set(sm.onOrder, "0"), set(sm.date, "01/09/2026");
        write(DataFile::StockMateria, std::vector{sm});
        StockProdutoRecord sb = EmptyRecord<StockProdutoRecord>(), sk = sb;
        set(sb.product, "Balde"), set(sb.type, "Azul"), set(sb.stock, "50"), set(sb.available, "20"), set(sb.ordered, "30");
        set(sk.product, "Kit"), set(sk.type, "Azul"), set(sk.stock, "1.0004"), set(sk.available, "1"), set(sk.ordered, "0");
        set(sb.date, "01/09/2026"), set(sk.date, "02/09/2026");
        write(DataFile::StockProduto, std::vector{sb, sk});
        MovimRecord mm = EmptyRecord<MovimRecord>(), mp = mm;
        set(mm.item, "PP"), set(mp.item, "Balde Azul");
        for (MovimRecord* m : {&mm, &mp})
            set(m->quantity, "-5"), set(m->movementDate, "01/09/2026"), set(m->realDate, "02/09/2026"), set(m->type, "SS");
        write(DataFile::MovimMateria, std::vector{mm});
        write(DataFile::MovimProduto, std::vector{mp});
        EncomProdutoRecord order = EmptyRecord<EncomProdutoRecord>(), production = order;
        set(order.product, "Balde"), set(order.type, "Azul"), set(order.client, "Loja Central"), set(order.quantity, "40");
        set(order.date, "01/09/2026"), set(order.reference, "E0001"), set(order.delivered, "10");
        production = order;
        set(production.client, "Produção"), set(production.reference, "E0002"), production.state = OrderOnHold;
        write(DataFile::EncomProduto, std::vector{order, production});
        EncomMateriaRecord purchase = EmptyRecord<EncomMateriaRecord>();
        set(purchase.material, "PP"), set(purchase.materialReference, "R1"), set(purchase.supplier, "Plast");
        set(purchase.quantity, "100"), set(purchase.date, "01/09/2026"), set(purchase.secondDate, "15/09/2026");
        set(purchase.reference, "C0001"), set(purchase.received, "0"), set(purchase.unitCost, "1.5");
        write(DataFile::EncomMateria, std::vector{purchase});
        HorasProducaoRecord entry = EmptyRecord<HorasProducaoRecord>();
        set(entry.product, "Balde"), set(entry.type, "Azul"), set(entry.entered, "100"), set(entry.rejected, "2");
        set(entry.date, "01/09/2026"), set(entry.note, "J.Silva");
        set(entry.equipment, "Injectora 80T"); // kept as its first 10 characters
        for (auto* h : {&entry.productionHours, &entry.setupHours, &entry.breakdownHours, &entry.materialHours,
                        &entry.personnelHours, &entry.otherHours})
            set(*h, h == &entry.productionHours ? "7.5" : "0");
        set(entry.otherHours, "0.5");
        write(DataFile::HorasProducao, std::vector{entry});
    }
};

// The records of the imported company are those of the original, field by field, with nothing
// after the texts (the original's old bytes there are not kept).
void compareRecords(const QString& original, const QString& imported)
{
    for (const RecordLayout::File& f : RecordLayout::Files()) {
        const QByteArray before = readFile(original + f.name), after = readFile(imported + f.name);
        QCOMPARE(after.size(), before.size());
        for (qsizetype k = 0; k < before.size() / f.recordSize; ++k)
            for (const RecordLayout::Field& field : f.fields) {
                const char* a = before.constData() + k * f.recordSize;
                const char* b = after.constData() + k * f.recordSize;
                QCOMPARE(field.bytes(b), field.bytes(a));
                QCOMPARE(field.byteValue(b), field.byteValue(a));
                if (!field.isByte()) {
                    const int unused = field.capacity - int(field.bytes(b).size());
                    QCOMPARE(QByteArray(b + field.offset + 1 + field.bytes(b).size(), unused), QByteArray(unused, '\0'));
                }
            }
    }
}

} // namespace

class TestDataCli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ResetLanguageTables(); }

    // --- check: a clean company, then one kind of fault at a time ---------------------------------

    void cleanCompanyHasNoFinding()
    {
        Companies c;
        const Output r = c.check();
        QCOMPARE(r.out, QStringList());
        QCOMPARE(r.status, 0);
        QVERIFY2(r.err.value(0).startsWith("quorvale-data check: Acme: 0 finding(s) in 16 records of 12 data files"),
                 qPrintable(r.err.join('\n')));
    }

    void fileOfPartRecords()
    {
        Companies c;
        writeFile(c.acme() + DataFile::StockMateria, readFile(c.acme() + DataFile::StockMateria) + QByteArray(40, 'x'));
        const Output r = c.check();
        QCOMPARE(r.out, QStringList{"StockMateria.DAT:2: 40 bytes after the last whole record: 125 bytes are not a "
                                    "whole number of 85-byte records"});
        QCOMPARE(r.status, 1);
    }

    void lengthByteAboveCapacity()
    {
        Companies c;
        c.change<ProdutoRecord>(DataFile::Produtos, 0, [](ProdutoRecord& p) { p.Un.len = 9; });
        const Output r = c.check();
        QCOMPARE(r.out, QStringList{"Produtos.DAT:1: Un: length byte 9 is above the field's capacity of 5"});
        QCOMPARE(r.status, 1);
    }

    void numbersThatDoNotRead()
    {
        Companies c;
        c.change<ProdutoRecord>(DataFile::Produtos, 0, [](ProdutoRecord& p) { set(p.Quant, "0,5"), set(p.Moldes, "1."); });
        c.change<EquipamentoRecord>(DataFile::Equipamentos, 0, [](EquipamentoRecord& e) { e.Custo.clear(); }); // may be empty
        c.change<MovimRecord>(DataFile::MovimMateria, 0, [](MovimRecord& m) { m.quantity.clear(); });
        const Output r = c.check();
        QCOMPARE(r.out, QStringList({"Produtos.DAT:1: Quant: '0,5' is not a number",
                                     "Produtos.DAT:1: Moldes: '1.' is not a whole number",
                                     "MovimMateria.DAT:1: quantity: '' is not a number"}));
        QCOMPARE(r.status, 1);
        // The same text reads in a comma locale, where the point does not.
        const Output comma = c.run({"check", "Acme", "--data-root", c.root.path(), "--locale", "pt_PT"}, false);
        QVERIFY(!comma.out.contains("Produtos.DAT:1: Quant: '0,5' is not a number"));
        QVERIFY(comma.out.contains("MateriasPrimas.DAT:1: Preco: '1.5' is not a number"));
    }

    void datesThatDoNotRead()
    {
        Companies c;
        c.change<StockMateriaRecord>(DataFile::StockMateria, 0, [](StockMateriaRecord& s) { set(s.date, "31/02/2026"); });
        c.change<EncomProdutoRecord>(DataFile::EncomProduto, 0, [](EncomProdutoRecord& o) { set(o.secondDate, "2026-09-01"); });
        const Output r = c.check();
        QCOMPARE(r.out, QStringList({"StockMateria.DAT:1: date: '31/02/2026' is not a date",
                                     "EncomProduto.DAT:1: secondDate: '2026-09-01' is not a date"}));
        QCOMPARE(r.status, 1);
    }

    void flagsOtherThanZeroAndOne()
    {
        Companies c;
        c.change<HorasProducaoRecord>(DataFile::HorasProducao, 0, [](HorasProducaoRecord& h) { h.operationOnly = 2; });
        const Output r = c.check();
        QCOMPARE(r.out, QStringList{"HorasProducao.DAT:1: operationOnly: flag 2 is neither 0 nor 1"});
        QCOMPARE(r.status, 1);
    }

    void orderStatesOutOfRange()
    {
        Companies c;
        c.change<EncomMateriaRecord>(DataFile::EncomMateria, 0, [](EncomMateriaRecord& o) { o.state = 3; });
        const Output r = c.check();
        QCOMPARE(r.out, QStringList{"EncomMateria.DAT:1: state: order state 3 is not 0 (active), 1 (archived) or 2 (on hold)"});
        QCOMPARE(r.status, 1);
    }

    void twoStockRecordsForOneItem()
    {
        Companies c;
        c.append(DataFile::StockMateria, ReadAllRecords<StockMateriaRecord>(c.acme() + DataFile::StockMateria)[0]);
        auto kit = ReadAllRecords<StockProdutoRecord>(c.acme() + DataFile::StockProduto)[1];
        c.append(DataFile::StockProduto, kit);
        set(kit.type, "Azul "); // another type: another product (which Produtos.DAT lacks)
        c.append(DataFile::StockProduto, kit);
        const Output r = c.check();
        QCOMPARE(r.out, QStringList({"StockMateria.DAT:2: material: a second stock record of 'PP' (the first is record 1)",
                                     "StockProduto.DAT:3: product: a second stock record of 'Kit Azul' (the first is record 2)",
                                     "StockProduto.DAT:4: product: no product 'Kit' of type 'Azul ' in Produtos.DAT"}));
        QCOMPARE(r.status, 1);
    }

    void availableThatIsNotStockMinusOrdered()
    {
        Companies c; // Kit: stock 1.0004, ordered 0 and available 1, as "0.###" writes it: no finding
        c.change<StockProdutoRecord>(DataFile::StockProduto, 0, [](StockProdutoRecord& s) { set(s.available, "25"); });
        const Output r = c.check();
        QCOMPARE(r.out, QStringList{"StockProduto.DAT:1: available: available 25 is not stock 50 - ordered 30 (20)"});
        QCOMPARE(r.status, 1);
    }

    void namesTheMasterFilesDoNotHold()
    {
        Companies c;
        c.change<ProdutoRecord>(DataFile::Produtos, 0, [](ProdutoRecord& p) { set(p.MateriaPrima, "PVC"); });
        c.change<MateriaPrimaRecord>(DataFile::MateriasPrimas, 1, [](MateriaPrimaRecord& m) { set(m.Fornecedor, "Nobody"); });
        c.change<StockMateriaRecord>(DataFile::StockMateria, 0, [](StockMateriaRecord& s) { set(s.material, "pp"); });
        c.change<MovimRecord>(DataFile::MovimProduto, 0, [](MovimRecord& m) { set(m.item, "Balde  Azul"); });
        c.change<EncomProdutoRecord>(DataFile::EncomProduto, 0, [](EncomProdutoRecord& o) { set(o.client, "Loja"); });
        c.change<EncomMateriaRecord>(DataFile::EncomMateria, 0, [](EncomMateriaRecord& o) { set(o.supplier, "Plastic"); });
        c.change<HorasProducaoRecord>(DataFile::HorasProducao, 0, [](HorasProducaoRecord& h) {
            set(h.type, "Verde"), set(h.equipment, "Injectora");
        });
        const Output r = c.check();
        QCOMPARE(r.out, QStringList({"Produtos.DAT:1: MateriaPrima: no raw material 'PVC' in MateriasPrimas.DAT",
                                     "MateriasPrimas.DAT:2: Fornecedor: no supplier 'Nobody' in Fornecedores.DAT",
                                     "StockMateria.DAT:1: material: no raw material 'pp' in MateriasPrimas.DAT",
                                     "MovimProduto.DAT:1: item: no product 'Balde  Azul' in Produtos.DAT",
                                     "EncomProduto.DAT:1: client: no client 'Loja' in Clientes.DAT",
                                     "EncomMateria.DAT:1: supplier: no supplier 'Plastic' in Fornecedores.DAT",
                                     "HorasProducao.DAT:1: product: no product 'Balde' of type 'Verde' in Produtos.DAT",
                                     "HorasProducao.DAT:1: equipment: no equipment 'Injectora' in Equipamentos.DAT"}));
        QCOMPARE(r.status, 1);
    }

    void compositeLinesNamingNoProduct()
    {
        Companies c;
        auto kit = ReadAllRecords<ProdutoRecord>(c.acme() + DataFile::Produtos)[1];
        c.change<ProdutoRecord>(DataFile::Produtos, 1, [](ProdutoRecord& p) { set(p.MateriaPrima, "Balde Verde"); });
        set(kit.MateriaPrima, "Kit Azul");
        c.append(DataFile::Produtos, kit);
        const Output r = c.check();
        QCOMPARE(r.out, QStringList({"Produtos.DAT:2: MateriaPrima: the component 'Balde Verde' is no product of Produtos.DAT",
                                     "Produtos.DAT:3: MateriaPrima: the component 'Kit Azul' is the product itself"}));
        QCOMPARE(r.status, 1);
    }

    void findingsAsJsonLines()
    {
        Companies c;
        c.change<MovimRecord>(DataFile::MovimMateria, 0, [](MovimRecord& m) { set(m.item, "P\"P\\"); });
        const Output r = c.run({"check", "--json", "Acme"});
        QCOMPARE(r.out, QStringList{R"({"file":"MovimMateria.DAT","record":1,"field":"item","kind":"reference",)"
                                    R"("text":"no raw material 'P\"P\\' in MateriasPrimas.DAT"})"});
        QCOMPARE(r.status, 1);
    }

    // The sample company as the build makes it, not yet converted: its neutral formats are taken.
    void sampleCompanyIsClean()
    {
        testsupport::ProgramHome home("[Supliers]\r\nNumber=1\r\nSup1=Test_database\r\n");
        for (int i = 0; i < DataFile::Count; ++i) {
            QFile::remove(home.file("Test_database/" + DataFile::all()[i].name));
            QVERIFY(QFile::copy(kSample + DataFile::all()[i].name, home.file("Test_database/" + DataFile::all()[i].name)));
        }
        const Output r = runCli({"check", "Test_database"});
        QVERIFY2(r.out.isEmpty(), qPrintable(r.out.join('\n')));
        QCOMPARE(r.status, 0);
        QVERIFY2(r.err.value(0).contains("neutral formats: the program has not converted the sample yet"), qPrintable(r.err.join('\n')));
        // Converted once into a comma locale, as the program does at its first start: still clean.
        ScopedRegionalSettings comma(RegionalSettings::commaLocale());
        IniFile settings(home.file("Quorvale.ini"));
        QVERIFY(ConvertNeutralFormat(settings, home.file("Test_database")).problems.isEmpty());
        const CompanyCheck::Result converted = CompanyCheck::Check(home.file("Test_database"), false);
        QStringList lines;
        for (const CompanyCheck::Finding& f : converted.findings)
            lines << f.line();
        QVERIFY2(lines.isEmpty(), qPrintable(lines.join('\n')));
    }

    // --- What cannot be read ----------------------------------------------------------------------

    void unreadableCompaniesAreRefused()
    {
        Companies c;
        Output r = c.run({"check", "Other"});
        QCOMPARE(r.status, 2);
        QCOMPARE(r.err, QStringList{"quorvale-data check: 'Other' is not a company of " + QDir::toNativeSeparators(c.root.file("Quorvale.ini"))
                                    + " (it lists: Acme, Copy)"});
        QVERIFY(QDir(c.copy()).removeRecursively());
        r = c.run({"export", "Copy", c.root.file("out")});
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.value(0).endsWith("of the company 'Copy' does not exist"));
        QVERIFY(!QFileInfo::exists(c.root.file("out")));
        // A data file that is a folder cannot be read.
        QVERIFY(QFile::remove(c.acme() + DataFile::Clientes));
        QVERIFY(QDir().mkpath(c.acme() + DataFile::Clientes));
        r = c.check();
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.value(0).contains("Clientes.DAT"), qPrintable(r.err.join('\n')));
    }

    // --- Export and import ------------------------------------------------------------------------

    void sampleExportsAsItsSourcesAndImportsBack()
    {
        TempFolder out;
        Companies c;
        for (int i = 0; i < DataFile::Count; ++i)
            writeFile(c.acme() + DataFile::all()[i].name, readFile(kSample + DataFile::all()[i].name));
        Output r = c.run({"export", c.acme(), out.path()}); // by the folder's path
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out.size(), DataFile::Count);
        for (const RecordLayout::File& f : RecordLayout::Files())
            QVERIFY2(readFile(out.file(f.csvName())) == readFile(QUORVALE_SOURCE_DIR "/data/sample/" + f.csvName()),
                     qPrintable(f.csvName()));
        r = c.run({"import", out.path(), "--company", "Copy"});
        QCOMPARE(r.status, 0);
        QCOMPARE(c.bytesOf(c.copy()), c.bytesOf(c.acme()));
    }

    // Texts with letters of Windows-1252, quotes, commas and line breaks, and old bytes after them:
    // the same records come back, without the old bytes.
    void windows1252RoundTrip()
    {
        Companies c;
        c.change<FornecedorRecord>(DataFile::Clientes, 0, [](FornecedorRecord& f) {
            set(f.Morada, "Rua da Alegria, 12 \"B\"\r\n4000-001 Porto – 3º Esq.");
            set(f.Contacto, "Œuvre €"), set(f.Fax, " "), set(f.Email, "x@y.pt");
            set(f.Telefone, "22 123 456 789"); // 14 of 15
            f.Telefone.setText("22"); // the rest of the old text stays behind the length
        });
        c.change<ProdutoRecord>(DataFile::Produtos, 1, [](ProdutoRecord& p) {
            p.Un.data[4] = char(0x81);
            p.Operacao.setBytes("Mont\x81" "agem"); // a byte Windows-1252 leaves undefined
        });
        TempFolder out;
        QCOMPARE(c.run({"export", "Acme", out.path()}).status, 0);
        QVERIFY(readFile(out.file("Clientes.csv")).contains("\"Rua da Alegria, 12 \"\"B\"\"\r\n4000-001 Porto – 3º Esq.\""));
        QCOMPARE(c.run({"import", out.path(), "Copy"}).status, 0);
        compareRecords(c.acme(), c.copy());
        QCOMPARE(ReadAllRecords<FornecedorRecord>(c.copy() + DataFile::Clientes)[0].Contacto.text(), QString("Œuvre €"));
    }

    // A fault anywhere: every fault named with file, line and field, and not a byte written.
    void importRefusesFaultySources_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("expected");
        QTest::newRow("too long") << "Fornecedores.csv" << "Plast" << "Plastiquímica e Filhos Limitada"
                                  << "Fornecedores.csv:2: field Nome: 'Plastiquímica e Filhos Limitada' has 31 "
                                     "characters; the field holds at most 30";
        QTest::newRow("number") << "StockMateria.csv" << ",100," << ",1e,"
                                << "StockMateria.csv:2: field stock: '1e' is not a number in the company's format "
                                   "(decimal separator '.')";
        QTest::newRow("date") << "EncomMateria.csv" << "15/09/2026" << "15.09.2026"
                              << "EncomMateria.csv:2: field secondDate: '15.09.2026' is not a date in the company's "
                                 "format (dd/MM/yyyy)";
        QTest::newRow("flag") << "Produtos.csv" << ",0,Inj" << ",2,Inj" << "Produtos.csv:2: field Composto: '2' is not a flag";
        QTest::newRow("state") << "EncomProduto.csv" << ",2\n" << ",x\n" << "EncomProduto.csv:3: field state: 'x' is not an order state";
        QTest::newRow("Windows-1252") << "Clientes.csv" << "Loja" << "Loja ✓"
                                      << "Clientes.csv:2: field Nome: character '✓' (U+2713) cannot be written in Windows-1252";
        QTest::newRow("fields") << "MovimMateria.csv" << ",SS" << ",SS,x" << "MovimMateria.csv:2: 6 fields, expected 5";
        QTest::newRow("quote") << "Equipamentos.csv" << "Injectora" << "\"Injectora" << "Equipamentos.csv:2: a quoted field is not closed";
    }
    void importRefusesFaultySources()
    {
        QFETCH(QString, file);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, expected);
        Companies c;
        TempFolder csv;
        QCOMPARE(c.run({"export", "Acme", csv.path()}).status, 0);
        QCOMPARE(c.run({"import", csv.path(), "Copy"}).status, 0);
        const QByteArray before = c.bytesOf(c.copy());
        QString text = QString::fromUtf8(readFile(csv.file(file)));
        QVERIFY2(text.contains(from), qPrintable(text));
        writeFile(csv.file(file), text.replace(text.indexOf(from), from.size(), to).toUtf8());
        const Output r = c.run({"import", csv.path(), "Copy"});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.value(0).startsWith("quorvale-data import: " + QDir::toNativeSeparators(csv.file(expected))),
                 qPrintable(r.err.join('\n')));
        QVERIFY(r.err.last().endsWith("nothing written"));
        QCOMPARE(c.bytesOf(c.copy()), before);
        QCOMPARE(QDir(c.copy()).entryList(QDir::Files).size(), DataFile::Count); // no temporary file left
    }

    void importWritesAllFilesOrNone()
    {
        Companies c;
        TempFolder csv;
        QCOMPARE(c.run({"export", "Acme", csv.path()}).status, 0);
        QVERIFY(QFile::remove(csv.file("HorasProducao.csv")));
        Output r = c.run({"import", csv.path(), "Copy"});
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.value(0).contains("HorasProducao.csv: cannot be read"));
        QCOMPARE(QDir(c.copy()).entryList(QDir::Files), QStringList());
        QCOMPARE(c.run({"export", "Acme", csv.path()}).status, 0);
        QCOMPARE(c.run({"import", "--dry-run", csv.path(), "Copy"}).status, 0);
        QCOMPARE(QDir(c.copy()).entryList(QDir::Files), QStringList());
        {
            testsupport::FileSizeLimit limit(200); // a temporary file cannot be written in full
            r = c.run({"import", csv.path(), "Copy"});
        }
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.value(0).contains("File too large"), qPrintable(r.err.join('\n')));
        QCOMPARE(QDir(c.copy()).entryList(QDir::Files), QStringList());
        QCOMPARE(c.run({"import", csv.path(), "Copy"}).status, 0);
        compareRecords(c.acme(), c.copy());
    }

    void exportRefusesDamagedFiles()
    {
        Companies c;
        c.change<ProdutoRecord>(DataFile::Produtos, 0, [](ProdutoRecord& p) { p.Un.len = 9; });
        TempFolder out;
        const Output r = c.run({"export", "Acme", out.file("csv")});
        QCOMPARE(r.status, 2);
        QCOMPARE(r.err, QStringList({"quorvale-data export: Produtos.DAT:1: Un: length byte 9 is above the field's capacity of 5",
                                     "quorvale-data export: 1 damaged field(s) or file(s); nothing written"}));
        QVERIFY(!QFileInfo::exists(out.file("csv")));
    }

    // --- The command line -------------------------------------------------------------------------

    void commandLine()
    {
        Companies c;
        Output r = c.run({"--help"}, false);
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.contains("  check COMPANY"));
        QVERIFY(r.out.contains("  import CSVDIR COMPANY"));
        for (const DataCommands::Command& command : DataCommands::Commands()) {
            r = c.run({command.name, "--help"}, false);
            QCOMPARE(r.status, 0);
            QCOMPARE(r.out.value(0), "Usage: " + command.usage());
            QCOMPARE(c.run({"help", command.name}, false).out, r.out);
        }
        QCOMPARE(c.run({}, false).status, 2);
        r = c.run({"frobnicate"});
        QCOMPARE(r.status, 2);
        QCOMPARE(r.err.value(0), QString("quorvale-data: unknown command 'frobnicate'"));
        r = c.run({"export", "Acme", "--json", "out"});
        QCOMPARE(r.status, 2);
        QCOMPARE(r.err.value(0), QString("quorvale-data export: unknown option '--json'"));
        QCOMPARE(c.run({"export", "Acme"}).err.value(0), QString("quorvale-data export: expects COMPANY OUTDIR, got 1 operand(s)"));
        QCOMPARE(c.run({"check", "Acme", "--data-root", c.root.path(), "--locale", "xx_YY"}, false).err.value(0),
                 QString("quorvale-data check: unknown locale 'xx_YY'"));
        // By --company, by the folder's path (any letter case of the name), and from the program
        // settings' data root.
        QCOMPARE(c.run({"check", "--company", "acme"}).status, 0);
        QCOMPARE(c.run({"check", c.acme()}).status, 0);
        writeFile(c.home.file("Quorvale.ini"), "[Options]\r\nDataPath=" + c.root.path().toUtf8() + "\r\n");
        QCOMPARE(c.run({"check", "Acme", "--locale", "neutral"}, false).status, 0);
        QCOMPARE(c.run({"check", c.home.path() + "Test_database"}, false).status, 2); // not listed
    }

    // recalculate prints what changes per file and, with --dry-run, writes nothing; a second run
    // finds nothing to change; a text that is no number stops it before any file is written.
    void recalculate()
    {
        Companies c;
        c.change<StockMateriaRecord>(DataFile::StockMateria, 0, [](auto& r) { set(r.onOrder, "7"); });
        const QByteArray before = c.bytesOf(c.acme());
        Output r = c.run({"recalculate", "Acme", "--dry-run"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QStringList({"StockProduto.DAT: 1 records to rewrite, 0 appended",
                                     "StockMateria.DAT: 1 records to rewrite, 0 appended", "dry run: nothing written"}));
        QCOMPARE(c.bytesOf(c.acme()), before);
        r = c.run({"recalculate", "Acme"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QStringList({"StockProduto.DAT: 1 records rewritten, 0 appended",
                                     "StockMateria.DAT: 1 records rewritten, 0 appended"}));
        QCOMPARE(ReadAllRecords<StockMateriaRecord>(c.acme() + DataFile::StockMateria)[0].onOrder.text(), QString("100"));
        QCOMPARE(c.run({"recalculate", "Acme"}).out, QStringList({"StockProduto.DAT: unchanged", "StockMateria.DAT: unchanged"}));

        c.change<EncomProdutoRecord>(DataFile::EncomProduto, 0, [](auto& o) { set(o.quantity, "4x"); });
        const QByteArray damaged = c.bytesOf(c.acme());
        r = c.run({"recalculate", "Acme"});
        QCOMPARE(r.status, 2);
        QCOMPARE(r.err, QStringList({"quorvale-data recalculate: '4x' is not a valid number (EncomProduto.DAT, record 1, "
                                     "quantity). No file was changed."}));
        QCOMPARE(c.bytesOf(c.acme()), damaged);
    }

    // The program itself: its exit status and its output.
    void executable()
    {
        Companies c;
        c.change<EncomMateriaRecord>(DataFile::EncomMateria, 0, [](EncomMateriaRecord& o) { o.state = 7; });
        QProcess p;
        p.start(QStringLiteral(QUORVALE_PROGRAM_DIR "/quorvale-data"),
                {"check", "Acme", "--data-root", c.root.path(), "--locale", "neutral"});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 1);
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()),
                 QString("EncomMateria.DAT:1: state: order state 7 is not 0 (active), 1 (archived) or 2 (on hold)\n"));
        p.start(QStringLiteral(QUORVALE_PROGRAM_DIR "/quorvale-data"), {"check", "Nobody", "--data-root", c.root.path()});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 2);
    }

    // Every byte of every record belongs to one field of the table, in the files' order.
    void layoutCoversEveryRecord()
    {
        QCOMPARE(int(RecordLayout::Files().size()), DataFile::Count);
        for (int i = 0; i < DataFile::Count; ++i) {
            const RecordLayout::File& f = RecordLayout::Files()[size_t(i)];
            QCOMPARE(f.name, DataFile::all()[i].name);
            QCOMPARE(f.recordSize, DataFile::all()[i].recordSize);
            int next = 0;
            for (const RecordLayout::Field& field : f.fields) {
                QCOMPARE(field.offset, next);
                next += field.isByte() ? 1 : field.capacity + 1;
            }
            QCOMPARE(next, f.recordSize);
        }
    }
};

QTEST_GUILESS_MAIN(TestDataCli)
#include "tst_datacli.moc"
