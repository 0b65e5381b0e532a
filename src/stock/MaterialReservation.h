#pragma once

// Reserving the raw materials of a product quantity: for every composition line of the product
// that consumes something per day, the material it names is reserved for the quantity (a composite
// line reserves the materials of its component product's plain lines), in StockMateria.DAT.
//
// The rules kept from the stock bookkeeping:
// - A product's lines are those whose Produto and Tipo equal the product and type exactly, taken in
//   file order; only lines whose QuantDia is greater than 0 reserve anything.
// - A plain line (Composto other than 1) adds Quant x q to the material it names.
// - A composite line (Composto 1) names its component as "name type"; every plain line whose
//   product reference (Produto + " " cut to 31 characters, then Tipo, cut to 51 in all) equals that
//   text adds its Quant x the composite line's Quant x q to its material.
// - Each addition is an update or append keyed by the material name: the first record of the name
//   gets reserved := reserved + x, written with "0.###", and date := today; a material without a
//   record gets one appended: the material, stock "0", reserved x ("0.###"), on order "0", today.
//   An appended record starts from the bytes of the record before it, as a reused record buffer
//   would, and every rewritten field keeps the bytes after its new text.
//
// Everything here is plain: records and settings in, records out; errors come back as values and
// then nothing is to be written. Only ReserveMaterialsInFolder touches the disk. Lookups go through
// hash indexes built in one pass (composition lines by product reference, stock records by name).

#include "store/DecimalText.h"
#include "store/Records.h"
#include "store/RegionalSettings.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>
#include <vector>

namespace Stock {

// A text of a record that cannot be used: a number field that holds no number, or a new number
// that does not fit its field. Every file is then left as it was.
struct RecordError {
    enum Kind { BadNumber, TooLarge };
    Kind kind = BadNumber;
    QString file;      // "Produtos.DAT"
    qint64 record = 0; // record number, from 1
    QString field;     // "Quant", "QuantDia", "reserved", ...
    QString text;      // the text found there (BadNumber), or the number that does not fit (TooLarge)
};
// The message for the user (from the language file), naming text, file, record and field, and
// saying that no file was changed.
QString RecordErrorText(const RecordError& error);
RecordError RecordErrorOf(RecordError::Kind kind, const QString& file, qint64 record, const char* field, const QString& text);

// The number a number field holds (in the regional settings in force); none for a text that is no
// number.
template <int N>
std::optional<double> NumberOf(const FixedString<N>& field)
{
    return DecimalText::parse(field.text());
}

// The product reference of a composition line as composite lines name their components.
QByteArray ProductReference(const QByteArray& product, const QByteArray& type);
QByteArray ProductReference(const ProdutoRecord& line);

// The composition lines of Produtos.DAT by product reference, built in one pass.
class CompositionIndex {
public:
    // The records must outlive the index.
    explicit CompositionIndex(const std::vector<ProdutoRecord>& products);
    // Indexes (into the records) of every line whose product reference equals the text, in file
    // order; empty when none.
    const std::vector<qsizetype>& LinesOf(const QByteArray& reference) const;
    const std::vector<ProdutoRecord>& Records() const { return *m_products; }

private:
    const std::vector<ProdutoRecord>* m_products;
    QHash<QByteArray, std::vector<qsizetype>> m_lines;
};

// StockMateria.DAT in memory with its records found by material name (the first record of a name).
class MaterialStock {
public:
    // tail: the bytes after the last whole record of the file, kept after the records.
    explicit MaterialStock(std::vector<StockMateriaRecord> records, QByteArray tail = QByteArray());

    // The first record of the material; -1 when there is none.
    qsizetype Find(const QByteArray& material) const;
    // Adds x to the reserved quantity of the material (update or append, above). Numbers are read
    // and written in the regional settings in force. On an error nothing is changed.
    std::optional<RecordError> Reserve(const QByteArray& material, double x, const QString& today);

    const std::vector<StockMateriaRecord>& Records() const { return m_records; }
    const QByteArray& Tail() const { return m_tail; }
    qint64 RecordsBefore() const { return m_before; } // records the table started with
    qint64 Appended() const { return qint64(m_records.size()) - m_before; }
    // The bytes of the file as the table holds it (records, then the kept tail).
    QByteArray Contents() const;

private:
    std::vector<StockMateriaRecord> m_records;
    QByteArray m_tail;
    qint64 m_before = 0;
    QHash<QByteArray, qsizetype> m_first;
};

// One addition: x of a material, asked for by a plain line of Produtos.DAT.
struct MaterialAmount {
    QString material;
    double amount = 0;
    qint64 line = 0;    // record number (from 1) of the plain line that names the material
    qint64 via = 0;     // record number of the composite line it came through; 0 for a line of the product
};

struct ReservationOutcome {
    std::optional<RecordError> error; // set: the table is not to be written
    std::vector<MaterialAmount> added; // every addition, in the order made
    bool ok() const { return !error; }
};

// Reserves into the table what q of the product (name and type, Windows-1252) needs. On an error
// the table may hold part of the additions: the caller drops it.
ReservationOutcome ReserveForProduct(MaterialStock& stock, const CompositionIndex& composition,
                                     const QByteArray& product, const QByteArray& type, double q,
                                     const QString& today);

// The reservation of one product quantity, from the records of both files.
struct MaterialReservation {
    std::optional<RecordError> error;      // set: nothing may be written
    std::vector<MaterialAmount> added;     // every addition, in the order made
    std::vector<StockMateriaRecord> stock; // StockMateria.DAT as it is to be (old records in place,
                                           // then the appended ones)
    QByteArray stockTail;                  // bytes after the last whole record of the old file
    qint64 stockRecordsBefore = 0;
    qint64 appended = 0;

    bool ok() const { return !error; }
    bool changed() const { return ok() && !added.empty(); }
};

// today: the date text every touched record gets. Numbers are read and written in `regional`.
MaterialReservation ReserveMaterials(const QString& product, const QString& type, double q,
                                     const std::vector<ProdutoRecord>& products,
                                     const std::vector<StockMateriaRecord>& stock, const QString& today,
                                     const RegionalSettings& regional = RegionalSettings::current(),
                                     const QByteArray& stockTail = QByteArray());

// The bytes of StockMateria.DAT as the reservation wants it.
QByteArray StockMateriaContents(const MaterialReservation& reservation);

// At file level, on a company folder (ending in "/"): Produtos.DAT is read (no line when it is
// missing), StockMateria.DAT is created empty when missing, and when the reservation adds anything
// and every text converted, StockMateria.DAT is replaced whole. Failures of the file system throw
// StoreError.
MaterialReservation ReserveMaterialsInFolder(const QString& folder, const QString& product, const QString& type,
                                             double q, const QString& today,
                                             const RegionalSettings& regional = RegionalSettings::current());

} // namespace Stock
