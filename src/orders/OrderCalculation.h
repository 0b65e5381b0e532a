#pragma once

// The order calculation: from the active client orders of EncomProduto.DAT, how much of each product
// and type is ordered and how much is available (the ordered and available quantities of
// StockProduto.DAT), and for each ordered product how many production days its open orders need and
// by which date they can be delivered.
//
// The calculation comes in two halves that other calculations build on:
//   1. ComputeOrderTotals: the working table (one row per product and type with active orders, in
//      order of first appearance) and the new StockProduto.DAT records. Nothing is written; a text
//      that is no number comes back as a CalcError and nothing is to be written at all.
//      WriteOrderTotals (or StockProdutoContents, for a caller that replaces several files at once
//      with ReplaceFilesContents) puts the result on disk.
//   2. ComputeDeliveryDates: the rows of the delivery-dates list from the working table.
//
// Every function here is plain: records, settings and the moment "now" in, values out. Nothing reads
// the clock, the company settings or the program's regional formats by itself (Settings carries
// them; FromProgram() takes those in force), and only the file-level functions at the end touch the
// disk. Lookups go through hash indexes built in one pass over each file.
//
// Rules kept from the order screens: products are matched by exact product and type texts; the first
// matching stock record of a product wins and later duplicates are left as they are; records keep
// their place in the file, new ones are appended in order of first appearance; a rewritten record
// keeps the bytes after each new text (as every rewritten record does), and an appended one starts
// from the bytes of the record before it (the store's reused record buffer).

#include "store/Records.h"
#include "store/RegionalSettings.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace OrderCalculation {

// A short text key held in place, so that building and looking one up allocates nothing.
struct TextKey {
    std::array<char, 64> bytes{}; // a header of lengths, then the texts, the rest zero
    int used = 0;                 // bytes in use
    bool operator==(const TextKey& other) const { return bytes == other.bytes; }
};
size_t qHash(const TextKey& key, size_t seed = 0) noexcept;
// The key of a product and type: both lengths, then both texts (at most 30 and 20 bytes, as the
// record fields hold them).
TextKey PairKey(const char* product, int productLength, const char* type, int typeLength);

// What the calculation depends on besides the records.
struct Settings {
    int hoursPerDay = 24;   // working hours per day (company setting HoursPerDay)
    int daysPerWeek = 7;    // working days per week (DaysPerWeek)
    bool stockAuto = false; // stock follows production by itself: the stock is projected to today
    QDateTime now;          // the moment of the calculation; today is now.date()
    // The formats every number and date text is read and written in.
    RegionalSettings regional = RegionalSettings::current();

    // The company in use: HoursPerDay, DaysPerWeek, StockAuto, Clock::now() and the regional
    // settings in force.
    static Settings FromProgram();
};

// A text of a record that the calculation cannot read. Every file is left as it was.
struct CalcError {
    enum Kind { BadNumber, BadDate, TooLarge };
    Kind kind = BadNumber;
    QString file;      // "EncomProduto.DAT"
    qint64 record = 0; // record number, from 1
    QString field;     // "quantity", "delivered", "stock", "available", "date"
    QString text;      // the text found there

    static CalcError Make(Kind kind, const QString& file, qint64 record, const char* field, const QString& text)
    {
        return CalcError{kind, file, record, QLatin1String(field), text};
    }
};
// The message for the user (from the language file), naming file, record and text.
QString ErrorText(const CalcError& error);

// One row of the working table: a product and type with active orders.
struct WorkRow {
    QString product;   // column 0
    QString type;      // column 1
    QString stock;     // column 2: the stock text of its record ("0" for a record appended now)
    QString open;      // column 3: open quantity of its active orders (quantity - delivered, summed)
    QString available; // column 5: stock - open, as written into its record
    QString date;      // column 9: the date its record had before the calculation (today when new)
    double stockValue = 0;
    double openValue = 0;
    double availableValue = 0;
    qint64 stockRecord = -1; // index of its record in OrderTotals::stock
    QStringList clients;     // the clients of its active orders, each once, in file order
    QByteArray productBytes; // the stored texts (Windows-1252), for exact matching
    QByteArray typeBytes;

    // More is ordered than is in stock.
    bool IsShort() const { return openValue > stockValue; }
};

// The first half of the calculation.
struct OrderTotals {
    std::vector<WorkRow> rows;             // the working table, in order of first appearance
    std::vector<StockProdutoRecord> stock; // StockProduto.DAT as it is to be: every old record in
                                           // its place, then the appended ones
    QByteArray stockTail;                  // bytes after the last whole record of the old file, kept
    qint64 stockRecordsBefore = 0;         // whole records the file held
    qint64 rewritten = 0;                  // old records whose bytes change
    qint64 appended = 0;                   // records added at the end
    bool stockFileExisted = false;

    bool changed() const { return rewritten > 0 || appended > 0; }
    bool empty() const { return rows.empty(); }
};

struct TotalsOutcome {
    std::optional<CalcError> error; // set: nothing may be written
    OrderTotals totals;
    bool ok() const { return !error; }
};

// Recalculation of the ordered product quantities (the main window's Button_calcClick):
// 1. For every order whose state is active, its open quantity (quantity - delivered) is added to
//    the row of its product and type; the first order of a product makes its row.
// 2. The first stock record of each row's product and type: stock and date go into the row; when
//    its ordered quantity differs from the row's open quantity, ordered := open, available :=
//    stock - ordered and date := today. A row without a stock record appends one with stock "0".
// 3. Every other stock record (no active order of its product) gets ordered "0" and available :=
//    stock; its date is kept. With no active order at all, that holds for every record.
// Quantities are written with the general number conversion in at most their field's width.
// stockTail: the bytes after the last whole record of the file, kept after the records.
TotalsOutcome ComputeOrderTotals(const std::vector<EncomProdutoRecord>& orders,
                                 const std::vector<StockProdutoRecord>& stock, const Settings& settings,
                                 const QByteArray& stockTail = QByteArray());

// The bytes of StockProduto.DAT as the totals want it (records, then the kept tail).
QByteArray StockProdutoContents(const OrderTotals& totals);

// --- Products ----------------------------------------------------------------------------------

// The first composition line of each product, found by product reference (name, one blank, type,
// compared exactly), built in one pass.
class ProductIndex {
public:
    // The records must outlive the index.
    explicit ProductIndex(const std::vector<ProdutoRecord>& products);
    // The first line whose Produto + " " + Tipo equals product + " " + type; null when none.
    const ProdutoRecord* Find(const QByteArray& product, const QByteArray& type) const;
    const ProdutoRecord* Find(const QString& product, const QString& type) const;
    // Record number (from 1) of that line; 0 when none.
    qint64 RecordNumber(const ProdutoRecord* line) const;

private:
    const std::vector<ProdutoRecord>& m_products;
    QHash<TextKey, qsizetype> m_first;
};

// Units a product makes per day: HoursPerDay x cycles per hour x moulds of its first line.
struct ProductRate {
    enum Status { Ok, UnknownProduct, BadCycles, BadMoulds };
    Status status = Ok;
    qint64 perDay = 0; // 0 or less: no rate (no moulds, no cycles or no working hours)
    int cycles = 0;    // cycles per hour and moulds of the line
    int moulds = 0;
    QString text;      // the cycles or moulds text that is no integer
};
ProductRate RateOf(const ProductIndex& products, const QByteArray& product, const QByteArray& type, int hoursPerDay);

// --- Delivery dates ----------------------------------------------------------------------------

// A product for which no delivery date can be estimated, and why.
struct RateProblem {
    enum Reason { UnknownProduct, NoMoulds, NoCycles, BadCycles, BadMoulds, NoHours, NoDays, TooFar };
    QString product;
    QString type;
    Reason reason = UnknownProduct;
    QString text; // the cycles or moulds text for BadCycles / BadMoulds
};
// Why the rate of a product gives no day count: the product is unknown, its cycles or moulds text
// is no integer, or there are no working hours, moulds or cycles (0 or less); none when it gives one.
std::optional<RateProblem> RateProblemOf(const ProductRate& rate, int hoursPerDay, const QString& product,
                                         const QString& type);
// One message naming every such product and why; empty when there is none.
QString RateProblemsText(const std::vector<RateProblem>& problems);
// The same under another first line ("No production days can be estimated for:").
QString RateProblemsText(const std::vector<RateProblem>& problems, const QString& headline);

// One row of the delivery-dates list (12 columns).
struct DeliveryRow {
    enum Column {
        ColProduct, ColType, ColStock, ColOpen, ColClients, ColAvailable, ColPerDay, ColDays, ColEndDate,
        ColStockDate, ColEndDateKey, ColClientList, ColumnCount
    };
    QStringList cells;      // ColumnCount texts
    bool hasDate = false;   // a delivery date could be estimated
};

struct DeliveryList {
    std::vector<DeliveryRow> rows;
    std::vector<RateProblem> problems; // in the order of the rows
};

// The sort key of a row without a delivery date: after every date.
inline const QString NoDateSortKey = QStringLiteral("9999-99-99");

// For each row of the working table: the stock (with stockAuto, projected by the whole days since
// its record's date at the product's rate), what is still available, units per day, production
// days for the shortfall (one decimal, "0" when none) and the delivery date: now + days x 7 /
// daysPerWeek, a Sunday moved to Monday when fewer than 7 days are worked and a Saturday moved to
// Monday when fewer than 6. A product with a shortfall but no rate gets no days and no date and is
// named in problems.
DeliveryList ComputeDeliveryDates(const std::vector<WorkRow>& rows, const std::vector<ProdutoRecord>& products,
                                  const Settings& settings);

// --- Files -------------------------------------------------------------------------------------

// The records the first half reads, from a company folder (ending in "/").
struct OrderFiles {
    std::vector<EncomProdutoRecord> orders; // empty when the file is missing
    std::vector<StockProdutoRecord> stock;  // empty when the file is missing
    QByteArray stockTail;
    bool stockFileExisted = false;
};
OrderFiles ReadOrderFiles(const QString& folder); // throws StoreError

TotalsOutcome ComputeOrderTotals(const OrderFiles& files, const Settings& settings);

// Replaces StockProduto.DAT of the folder whole (temporary file and rename) when the totals change
// it; nothing is written otherwise.
void WriteOrderTotals(const QString& folder, const OrderTotals& totals); // throws StoreError

// Read, compute and, when everything converted, write: Button_calcClick at file level.
TotalsOutcome RecalculateOrderedQuantities(const QString& folder, const Settings& settings);

} // namespace OrderCalculation
