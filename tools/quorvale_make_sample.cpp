// Builds the sample company's twelve data files from their readable sources: one CSV file per data
// file (UTF-8, comma-separated, double quotes around a field that holds a comma or a quote, a header
// row with the record's field names in record order). The data files are written in the neutral
// format the program converts once at its first start: numbers with a point, dates dd/mm/yyyy.
//
// Every field is checked before anything is written: a text must fit its field and be writable in
// Windows-1252 (it is refused, never cut), a number is digits with an optional sign and point, a
// date is dd/mm/yyyy and a real date, flags are 0 or 1 and order states 0, 1 or 2. Any fault is
// reported as "file:line: field Name: problem" and the program ends with status 1, writing nothing.
//
//     quorvale_make_sample <folder of the CSV files> <company folder to write>

#include "store/AccessPatterns.h"
#include "store/Cp1252.h"
#include "store/Records.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

enum class Kind {
    Text,         // any text that fits
    Number,       // -12.5
    Integer,      // 12
    Date,         // dd/mm/yyyy
    OptionalDate, // dd/mm/yyyy or empty
    Flag,         // 0 or 1
    State,        // 0 active, 1 archived, 2 on hold
};

template <class R>
struct Column {
    QString name;
    Kind kind;
    int capacity;
    std::function<void(R&, const QString&)> store;
};

template <class R, int N>
Column<R> col(const char* name, FixedString<N> R::*member, Kind kind = Kind::Text)
{
    return {QString::fromLatin1(name), kind, N, [member](R& r, const QString& v) { (r.*member).setText(v); }};
}

template <class R>
Column<R> byteCol(const char* name, std::uint8_t R::*member, Kind kind)
{
    return {QString::fromLatin1(name), kind, 1, [member](R& r, const QString& v) { r.*member = std::uint8_t(v.toInt()); }};
}

// A problem found in the sources, already phrased as "file:line: ...".
struct Problems {
    QStringList lines;
    void add(const QString& file, int line, const QString& text)
    {
        lines.append(line > 0 ? QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(text)
                              : QStringLiteral("%1: %2").arg(file, text));
    }
};

// One CSV row with the line on which it starts.
struct Row {
    int line = 0;
    QStringList fields;
};

// Splits CSV text into rows: fields separated by commas, a field in double quotes may hold commas,
// line breaks and doubled quotes. Blank lines are skipped.
std::vector<Row> parseCsv(const QString& text, const QString& file, Problems& problems)
{
    std::vector<Row> rows;
    Row row;
    QString field;
    bool quoted = false;      // inside a quoted field
    bool wasQuoted = false;   // the current field was quoted (text after the closing quote is a fault)
    bool rowHasData = false;
    int line = 1;
    row.line = 1;
    auto endField = [&] {
        row.fields.append(field);
        field.clear();
        wasQuoted = false;
    };
    auto endRow = [&] {
        if (rowHasData || !field.isEmpty() || row.fields.size() > 0) {
            endField();
            rows.push_back(row);
        }
        row = Row();
        field.clear();
        rowHasData = false;
        wasQuoted = false;
    };
    qsizetype i = 0;
    if (text.startsWith(QChar(0xFEFF)))
        i = 1;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == '"') {
                if (i + 1 < text.size() && text.at(i + 1) == '"') {
                    field.append('"');
                    ++i;
                } else {
                    quoted = false;
                    wasQuoted = true;
                }
            } else {
                if (c == '\n')
                    ++line;
                field.append(c);
            }
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text.at(i + 1) == '\n')
            continue;
        if (c == '\n' || c == '\r') {
            endRow();
            ++line;
            row.line = line;
            continue;
        }
        rowHasData = true;
        if (c == ',') {
            endField();
        } else if (c == '"' && field.isEmpty() && !wasQuoted) {
            quoted = true;
        } else {
            if (wasQuoted) {
                problems.add(file, line, QStringLiteral("text after a closing quote"));
                wasQuoted = false;
            }
            field.append(c);
        }
    }
    if (quoted)
        problems.add(file, row.line, QStringLiteral("a quoted field is not closed"));
    endRow();
    return rows;
}

const QRegularExpression& numberPattern()
{
    static const QRegularExpression re(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?$"));
    return re;
}

// Checks one value for its column; returns the problem or an empty text.
template <class R>
QString checkValue(const Column<R>& c, const QString& v)
{
    for (const QChar ch : v)
        if (ch.unicode() < 0x20 || ch.unicode() == 0x7F)
            return QStringLiteral("control character U+%1 in the text").arg(ch.unicode(), 4, 16, QChar('0'));
    switch (c.kind) {
    case Kind::Text: {
        // Every character needs a Windows-1252 byte, or it would be stored as "?".
        for (qsizetype i = 0; i < v.size(); ++i) {
            char32_t cp = v.at(i).unicode();
            if (QChar::isHighSurrogate(cp) && i + 1 < v.size()) {
                cp = QChar::surrogateToUcs4(char16_t(cp), v.at(i + 1).unicode());
                ++i;
            }
            if (cp != U'?' && Cp1252::byteFor(cp) == '?')
                return QStringLiteral("character '%1' (U+%2) cannot be written in Windows-1252")
                    .arg(QString::fromUcs4(&cp, 1)).arg(uint(cp), 4, 16, QChar('0'));
        }
        break;
    }
    case Kind::Number:
        if (!numberPattern().match(v).hasMatch()) {
            if (v.contains(','))
                return QStringLiteral("'%1' is not a number written with a point (write 1.5, not 1,5)").arg(v);
            return QStringLiteral("'%1' is not a number (digits, an optional '-' and one '.')").arg(v);
        }
        break;
    case Kind::Integer:
        if (v.isEmpty() || !std::all_of(v.begin(), v.end(), [](QChar ch) { return ch >= '0' && ch <= '9'; }))
            return QStringLiteral("'%1' is not a whole number").arg(v);
        break;
    case Kind::Date:
    case Kind::OptionalDate: {
        if (v.isEmpty() && c.kind == Kind::OptionalDate)
            break;
        static const QRegularExpression re(QStringLiteral("^([0-9]{2})/([0-9]{2})/([0-9]{4})$"));
        const auto m = re.match(v);
        if (!m.hasMatch())
            return QStringLiteral("'%1' is not a date written dd/mm/yyyy").arg(v);
        if (!QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt()).isValid())
            return QStringLiteral("'%1' is not a valid date").arg(v);
        break;
    }
    case Kind::Flag:
        if (v != "0" && v != "1")
            return QStringLiteral("'%1' is not a flag (0 or 1)").arg(v);
        return {};
    case Kind::State:
        if (v != "0" && v != "1" && v != "2")
            return QStringLiteral("'%1' is not an order state (0 active, 1 archived, 2 on hold)").arg(v);
        return {};
    }
    const int length = int(Cp1252::encode(v).size());
    if (length > c.capacity)
        return QStringLiteral("'%1' has %2 characters; the field holds at most %3").arg(v).arg(length).arg(c.capacity);
    return {};
}

// Reads and checks one CSV file into records; problems are collected, not thrown.
template <class R>
std::vector<R> readTable(const QString& csvPath, const std::vector<Column<R>>& columns, Problems& problems)
{
    std::vector<R> records;
    const QString shown = QDir::toNativeSeparators(csvPath);
    QFile f(csvPath);
    if (!f.open(QIODevice::ReadOnly)) {
        problems.add(shown, 0, QStringLiteral("cannot be read: %1").arg(f.errorString()));
        return records;
    }
    const QByteArray bytes = f.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (utf8.hasError()) {
        problems.add(shown, 0, QStringLiteral("is not valid UTF-8"));
        return records;
    }
    const std::vector<Row> rows = parseCsv(text, shown, problems);
    QStringList expected;
    for (const auto& c : columns)
        expected.append(c.name);
    if (rows.empty()) {
        problems.add(shown, 1, QStringLiteral("no header row; expected: %1").arg(expected.join(',')));
        return records;
    }
    if (rows.front().fields != expected) {
        problems.add(shown, rows.front().line,
                     QStringLiteral("header is '%1'; expected '%2'").arg(rows.front().fields.join(','), expected.join(',')));
        return records;
    }
    for (size_t k = 1; k < rows.size(); ++k) {
        const Row& row = rows[k];
        if (row.fields.size() != qsizetype(columns.size())) {
            problems.add(shown, row.line, QStringLiteral("%1 fields, expected %2 (%3)")
                                              .arg(row.fields.size()).arg(columns.size()).arg(expected.join(", ")));
            continue;
        }
        R record = EmptyRecord<R>();
        bool ok = true;
        for (size_t i = 0; i < columns.size(); ++i) {
            const QString problem = checkValue(columns[i], row.fields[qsizetype(i)]);
            if (!problem.isEmpty()) {
                problems.add(shown, row.line, QStringLiteral("field %1: %2").arg(columns[i].name, problem));
                ok = false;
                continue;
            }
            columns[i].store(record, row.fields[qsizetype(i)]);
        }
        if (ok)
            records.push_back(record);
    }
    return records;
}

// One data file: its CSV source, its columns and the records read from it.
struct Table {
    QString dataFile;
    std::function<void(const QString& csv, Problems&)> read;
    std::function<void(const QString& out)> write;
};

template <class R>
Table table(const QString& dataFile, std::vector<Column<R>> columns)
{
    auto records = std::make_shared<std::vector<R>>();
    Table t;
    t.dataFile = dataFile;
    t.read = [records, columns](const QString& csv, Problems& p) { *records = readTable<R>(csv, columns, p); };
    t.write = [records](const QString& out) { WriteAllRecords<R>(out, *records); };
    return t;
}

std::vector<Table> tables()
{
    using P = ProdutoRecord;
    using M = MateriaPrimaRecord;
    using F = FornecedorRecord;
    using E = EquipamentoRecord;
    using SM = StockMateriaRecord;
    using SP = StockProdutoRecord;
    using MV = MovimRecord;
    using EP = EncomProdutoRecord;
    using EM = EncomMateriaRecord;
    using H = HorasProducaoRecord;
    const std::vector<Column<F>> people = {
        col("Nome", &F::Nome), col("Contacto", &F::Contacto), col("Telefone", &F::Telefone),
        col("Fax", &F::Fax), col("Morada", &F::Morada), col("Email", &F::Email)};
    const std::vector<Column<MV>> movements = {
        col("item", &MV::item), col("quantity", &MV::quantity, Kind::Number),
        col("movementDate", &MV::movementDate, Kind::Date), col("realDate", &MV::realDate, Kind::Date),
        col("type", &MV::type)};
    return {
        table<P>(DataFile::Produtos,
                 {col("Produto", &P::Produto), col("Tipo", &P::Tipo), col("MateriaPrima", &P::MateriaPrima),
                  col("Quant", &P::Quant, Kind::Number), col("Un", &P::Un), col("Ciclo", &P::Ciclo, Kind::Integer),
                  col("QuantDia", &P::QuantDia, Kind::Number), col("Moldes", &P::Moldes, Kind::Integer),
                  byteCol("Composto", &P::Composto, Kind::Flag), col("Operacao", &P::Operacao)}),
        table<M>(DataFile::MateriasPrimas,
                 {col("MateriaPrima", &M::MateriaPrima), col("Referencia", &M::Referencia),
                  col("Preco", &M::Preco, Kind::Number), col("Fornecedor", &M::Fornecedor), col("Un", &M::Un)}),
        table<F>(DataFile::Fornecedores, people),
        table<F>(DataFile::Clientes, people),
        table<E>(DataFile::Equipamentos,
                 {col("Equipamento", &E::Equipamento), col("Tipo", &E::Tipo), col("Quant", &E::Quant, Kind::Integer),
                  col("Custo", &E::Custo, Kind::Number), col("Operacao", &E::Operacao)}),
        table<SM>(DataFile::StockMateria,
                  {col("material", &SM::material), col("stock", &SM::stock, Kind::Number),
                   col("reserved", &SM::reserved, Kind::Number), col("onOrder", &SM::onOrder, Kind::Number),
                   col("date", &SM::date, Kind::Date)}),
        table<SP>(DataFile::StockProduto,
                  {col("product", &SP::product), col("type", &SP::type), col("stock", &SP::stock, Kind::Number),
                   col("available", &SP::available, Kind::Number), col("ordered", &SP::ordered, Kind::Number),
                   col("date", &SP::date, Kind::Date)}),
        table<MV>(DataFile::MovimMateria, movements),
        table<MV>(DataFile::MovimProduto, movements),
        table<EP>(DataFile::EncomProduto,
                  {col("product", &EP::product), col("type", &EP::type), col("client", &EP::client),
                   col("quantity", &EP::quantity, Kind::Number), col("date", &EP::date, Kind::Date),
                   col("secondDate", &EP::secondDate, Kind::OptionalDate), col("reference", &EP::reference),
                   col("delivered", &EP::delivered, Kind::Number), byteCol("state", &EP::state, Kind::State)}),
        table<EM>(DataFile::EncomMateria,
                  {col("material", &EM::material), col("materialReference", &EM::materialReference),
                   col("supplier", &EM::supplier), col("quantity", &EM::quantity, Kind::Number),
                   col("date", &EM::date, Kind::Date), col("secondDate", &EM::secondDate, Kind::OptionalDate),
                   col("reference", &EM::reference), col("received", &EM::received, Kind::Number),
                   col("unitCost", &EM::unitCost, Kind::Number), byteCol("state", &EM::state, Kind::State)}),
        table<H>(DataFile::HorasProducao,
                 {col("product", &H::product), col("type", &H::type), col("entered", &H::entered, Kind::Number),
                  col("rejected", &H::rejected, Kind::Number), col("date", &H::date, Kind::Date),
                  col("secondDate", &H::secondDate, Kind::OptionalDate), col("note", &H::note),
                  byteCol("operationOnly", &H::operationOnly, Kind::Flag), col("equipment", &H::equipment),
                  col("productionHours", &H::productionHours, Kind::Number),
                  col("setupHours", &H::setupHours, Kind::Number),
                  col("breakdownHours", &H::breakdownHours, Kind::Number),
                  col("materialHours", &H::materialHours, Kind::Number),
                  col("personnelHours", &H::personnelHours, Kind::Number),
                  col("otherHours", &H::otherHours, Kind::Number)}),
    };
}

void printErr(const QString& text) { std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData()); }

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const bool help = args.contains("--help") || args.contains("-h");
    if (args.size() != 2 || help) {
        std::printf("Usage: quorvale_make_sample <csv folder> <company folder>\n"
                    "Writes the twelve data files of the sample company from <csv folder>/<Name>.csv\n"
                    "(e.g. Produtos.csv for Produtos.DAT) in the neutral format: numbers with a point,\n"
                    "dates dd/mm/yyyy. Nothing is written when any source has a fault.\n");
        return help ? 0 : 2;
    }
    const QString csvFolder = QDir(args[0]).absolutePath() + '/';
    const QString outFolder = QDir(args[1]).absolutePath() + '/';

    std::vector<Table> all = tables();
    Problems problems;
    for (Table& t : all) {
        const QString csv = csvFolder + QFileInfo(t.dataFile).completeBaseName() + ".csv";
        t.read(csv, problems);
    }
    if (!problems.lines.isEmpty()) {
        for (const QString& line : problems.lines)
            printErr(line);
        printErr(QStringLiteral("quorvale_make_sample: %1 fault(s) in the sample sources; no data file written")
                     .arg(problems.lines.size()));
        return 1;
    }
    try {
        if (!QDir().mkpath(outFolder))
            throw StoreError(QStringLiteral("Cannot create \"%1\"").arg(QDir::toNativeSeparators(outFolder)));
        for (const Table& t : all)
            t.write(outFolder + t.dataFile);
    } catch (const StoreError& e) {
        printErr(QStringLiteral("quorvale_make_sample: %1").arg(e.message()));
        return 1;
    }
    return 0;
}
