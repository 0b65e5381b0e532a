#include "stock/MaterialReservation.h"

#include "i18n/Language.h"
#include "store/AccessPatterns.h"
#include "store/Cp1252.h"
#include "store/DecimalText.h"
#include "store/RecordFile.h"

#include <QFileInfo>
#include <cmath>

namespace Stock {

namespace {

// Width of the number fields of StockMateria.DAT.
constexpr int kNumberWidth = 10;

const std::vector<qsizetype> kNoLines;

} // namespace

QString RecordErrorText(const RecordError& error)
{
    const QString text =
        error.kind == RecordError::BadNumber
            ? LangText(QStringLiteral("msg_RecordBadNumber"),
                       QStringLiteral("'%1' is not a valid number (%2, record %3, %4). No file was changed."))
            : LangText(QStringLiteral("msg_RecordTooLarge"),
                       QStringLiteral("%1 does not fit its field (%2, record %3, %4). No file was changed."));
    return text.arg(error.text, error.file, QString::number(error.record), error.field);
}

RecordError RecordErrorOf(RecordError::Kind kind, const QString& file, qint64 record, const char* field, const QString& text)
{
    return RecordError{kind, file, record, QLatin1String(field), text};
}

QByteArray ProductReference(const QByteArray& product, const QByteArray& type)
{
    QByteArray reference = product + ' ';
    reference.truncate(31);
    reference += type;
    reference.truncate(51);
    return reference;
}

QByteArray ProductReference(const ProdutoRecord& line) { return ProductReference(line.Produto.bytes(), line.Tipo.bytes()); }

// --- CompositionIndex ----------------------------------------------------------------------------

CompositionIndex::CompositionIndex(const std::vector<ProdutoRecord>& products) : m_products(&products)
{
    m_lines.reserve(qsizetype(products.size() / 2 + 1));
    for (size_t i = 0; i < products.size(); ++i)
        m_lines[ProductReference(products[i])].push_back(qsizetype(i));
}

const std::vector<qsizetype>& CompositionIndex::LinesOf(const QByteArray& reference) const
{
    const auto it = m_lines.constFind(reference);
    return it == m_lines.constEnd() ? kNoLines : it.value();
}

// --- MaterialStock -------------------------------------------------------------------------------

MaterialStock::MaterialStock(std::vector<StockMateriaRecord> records, QByteArray tail)
    : m_records(std::move(records)), m_tail(std::move(tail)), m_before(qint64(m_records.size()))
{
    m_first.reserve(qsizetype(m_records.size()));
    for (size_t i = m_records.size(); i-- > 0;) // the first record of a name wins
        m_first.insert(m_records[i].material.bytes(), qsizetype(i));
}

qsizetype MaterialStock::Find(const QByteArray& material) const { return m_first.value(material, -1); }

std::optional<RecordError> MaterialStock::Reserve(const QByteArray& material, double x, const QString& today)
{
    const qsizetype i = Find(material);
    double reserved = x;
    if (i >= 0) {
        const auto old = NumberOf(m_records[size_t(i)].reserved);
        if (!old)
            return RecordErrorOf(RecordError::BadNumber, DataFile::StockMateria, i + 1, "reserved",
                         m_records[size_t(i)].reserved.text());
        reserved += *old;
    }
    const QString text = DecimalText::FormatFloat(QStringLiteral("0.###"), reserved);
    if (!std::isfinite(reserved) || text.size() > kNumberWidth)
        return RecordErrorOf(RecordError::TooLarge, DataFile::StockMateria, i >= 0 ? i + 1 : qint64(m_records.size()) + 1,
                     "reserved", text);
    if (i >= 0) {
        StockMateriaRecord& r = m_records[size_t(i)];
        r.reserved = text;
        r.date = today;
        return std::nullopt;
    }
    // A new record, from the bytes of the one before it (the reused record buffer).
    StockMateriaRecord r = m_records.empty() ? EmptyRecord<StockMateriaRecord>() : m_records.back();
    r.material.setBytes(material);
    r.stock = QStringLiteral("0");
    r.reserved = text;
    r.onOrder = QStringLiteral("0");
    r.date = today;
    m_first.insert(material, qsizetype(m_records.size()));
    m_records.push_back(r);
    return std::nullopt;
}

QByteArray MaterialStock::Contents() const
{
    QByteArray bytes;
    bytes.resize(qsizetype(m_records.size() * sizeof(StockMateriaRecord)));
    if (!m_records.empty())
        std::memcpy(bytes.data(), static_cast<const void*>(m_records.data()), m_records.size() * sizeof(StockMateriaRecord));
    bytes.append(m_tail);
    return bytes;
}

// --- The reservation -----------------------------------------------------------------------------

ReservationOutcome ReserveForProduct(MaterialStock& stock, const CompositionIndex& composition,
                                     const QByteArray& product, const QByteArray& type, double q,
                                     const QString& today)
{
    ReservationOutcome out;
    const std::vector<ProdutoRecord>& lines = composition.Records();
    auto add = [&](const ProdutoRecord& line, qsizetype index, double amount, qint64 via) {
        const QByteArray material = line.MateriaPrima.bytes();
        if (auto e = stock.Reserve(material, amount, today)) {
            out.error = e;
            return false;
        }
        out.added.push_back({line.MateriaPrima.text(), amount, qint64(index) + 1, via});
        return true;
    };
    for (const qsizetype i : composition.LinesOf(ProductReference(product, type))) {
        const ProdutoRecord& line = lines[size_t(i)];
        // The reference joins name and type; the product's own lines have both fields equal.
        if (!line.Produto.equals(product) || !line.Tipo.equals(type))
            continue;
        const auto perDay = NumberOf(line.QuantDia);
        if (!perDay) {
            out.error = RecordErrorOf(RecordError::BadNumber, DataFile::Produtos, i + 1, "QuantDia", line.QuantDia.text());
            return out;
        }
        if (!(*perDay > 0))
            continue;
        const auto quant = NumberOf(line.Quant);
        if (!quant) {
            out.error = RecordErrorOf(RecordError::BadNumber, DataFile::Produtos, i + 1, "Quant", line.Quant.text());
            return out;
        }
        if (line.Composto != 1) {
            if (!add(line, i, *quant * q, 0))
                return out;
            continue;
        }
        // A composite line: the plain lines of the component it names.
        for (const qsizetype j : composition.LinesOf(line.MateriaPrima.bytes())) {
            const ProdutoRecord& part = lines[size_t(j)];
            if (part.Composto == 1)
                continue;
            const auto partQuant = NumberOf(part.Quant);
            if (!partQuant) {
                out.error = RecordErrorOf(RecordError::BadNumber, DataFile::Produtos, j + 1, "Quant", part.Quant.text());
                return out;
            }
            if (!add(part, j, *partQuant * *quant * q, qint64(i) + 1))
                return out;
        }
    }
    return out;
}

MaterialReservation ReserveMaterials(const QString& product, const QString& type, double q,
                                     const std::vector<ProdutoRecord>& products,
                                     const std::vector<StockMateriaRecord>& stock, const QString& today,
                                     const RegionalSettings& regional, const QByteArray& stockTail)
{
    const ScopedRegionalSettings settings(regional);
    MaterialReservation out;
    const CompositionIndex composition(products);
    MaterialStock table(stock, stockTail);
    ReservationOutcome r = ReserveForProduct(table, composition, Cp1252::encode(product), Cp1252::encode(type), q, today);
    out.stockRecordsBefore = table.RecordsBefore();
    out.stockTail = stockTail;
    if (r.error) {
        out.error = r.error;
        out.stock = stock;
        return out;
    }
    out.added = std::move(r.added);
    out.appended = table.Appended();
    out.stock = table.Records();
    return out;
}

QByteArray StockMateriaContents(const MaterialReservation& reservation)
{
    return MaterialStock(reservation.stock, reservation.stockTail).Contents();
}

MaterialReservation ReserveMaterialsInFolder(const QString& folder, const QString& product, const QString& type,
                                             double q, const QString& today, const RegionalSettings& regional)
{
    const QString stockPath = folder + DataFile::StockMateria;
    RecordFileBase::EnsureRecordFile(stockPath);
    const QByteArray bytes = ReadFileContents(stockPath);
    const qsizetype whole = bytes.size() / qsizetype(sizeof(StockMateriaRecord));
    std::vector<StockMateriaRecord> stock(size_t(whole), EmptyRecord<StockMateriaRecord>());
    if (whole > 0)
        std::memcpy(static_cast<void*>(stock.data()), bytes.constData(), size_t(whole) * sizeof(StockMateriaRecord));
    const MaterialReservation out =
        ReserveMaterials(product, type, q, ReadAllRecordsIfExists<ProdutoRecord>(folder + DataFile::Produtos), stock,
                         today, regional, bytes.mid(whole * qsizetype(sizeof(StockMateriaRecord))));
    if (out.changed())
        ReplaceFileContents(stockPath, StockMateriaContents(out));
    return out;
}

} // namespace Stock
