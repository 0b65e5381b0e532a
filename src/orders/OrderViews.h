#pragma once

// The orders view: every order of one of the two order files, archived ones included, filtered by
// item or by state, with the total of the active orders listed; and "Reactivar Encomenda", which
// makes an archived order active again and puts its open quantity back into the stock bookkeeping.
//
// Plain functions: records and settings in, rows, totals and new file contents out; errors come back
// as values. Only the file-level functions at the end read or write a company folder.

#include "stock/MaterialReservation.h"
#include "store/Records.h"
#include "store/RegionalSettings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace OrderViews {

// Which orders the view shows (the view's OrderViewMode).
enum class Kind { ProductOrders, MaterialOrders };
// "Produto" or "MatPrima".
QString OrderViewMode(Kind kind);
// "EncomProduto.DAT" or "EncomMateria.DAT".
QString OrderFileName(Kind kind);

// The columns of the view's list.
enum Column {
    ColItem,       // product + " " + type, or material + " " + material reference
    ColParty,      // client or supplier
    ColQuantity,
    ColDate,       // order date
    ColState,      // state as text
    ColSecondDate,
    ColRecord,     // record number + 1
    ColReference,  // order or purchase reference
    ColDateKey,    // order date sort key
    ColDone,       // delivered or received
    ColumnCount
};

// One order of the file.
struct Order {
    std::vector<QString> cells; // ColumnCount texts
    QString entry;              // its filter entry: item, a tab, second part (type or material reference)
    std::uint8_t state = 0;
    std::optional<double> quantity; // none for a text that is no number (read in the settings in force)
};

struct OrderList {
    Kind kind = Kind::ProductOrders;
    std::vector<Order> orders; // in file order; order i is record i
    QStringList entries;       // the filter entries of the orders, each once (exactly), sorted
};

OrderList BuildOrderList(const std::vector<EncomProdutoRecord>& orders);
OrderList BuildOrderList(const std::vector<EncomMateriaRecord>& orders);

// --- Filter and total --------------------------------------------------------------------------

// The four fixed entries of the filter (each ends with a tab): "( show all )", "(archived only)",
// "(active only)", "(on hold only)", from the language file.
QStringList FixedEntries();

// A quantity of an active order listed that is not a number: named, and left out of the total.
struct BadQuantity {
    qint64 record = 0; // from 1
    QString text;
};

struct Selection {
    std::vector<qsizetype> orders; // the orders listed, in file order
    double total = 0;              // the quantities of the active ones among them
    std::vector<BadQuantity> bad;  // active orders listed whose quantity is no number
};

// The orders under the filter text (an entry of the filter list): "( show all )" lists every
// order; "(archived only)", "(active only)" and "(on hold only)" the orders of state 1, 0 and 2; an
// item entry every order of that item whatever its state.
Selection SelectOrders(const OrderList& list, const QString& filter);
// The total of the active orders among those listed (numbers read in the settings in force).
void SumActive(const OrderList& list, Selection& selection);

// The total as the view shows it: in the local format, with thousands separators and up to three
// decimals.
QString TotalText(double total);
// The message naming the quantities left out of the total; empty when there is none.
QString BadQuantitiesMessage(Kind kind, const std::vector<BadQuantity>& bad);

// --- Re-activation -----------------------------------------------------------------------------

using Stock::RecordError;

// What re-activating an order changes, computed before anything is written.
struct ReactivationPlan {
    std::optional<RecordError> error; // set: nothing may be written
    double open = 0;                  // quantity - delivered (received)
    bool updatesStock = false;        // open >= 0: the stock files below are to be written
    // The stock files to write, each as its name and whole contents: StockProduto.DAT (product
    // orders; then StockMateria.DAT when the reservation adds anything or the file was missing) or
    // StockMateria.DAT (purchase orders).
    std::vector<std::pair<QString, QByteArray>> stockFiles;
    bool stockRecordAppended = false; // the item had no stock record
    std::vector<Stock::MaterialAmount> reserved; // product orders: what the reservation added

    bool ok() const { return !error; }
};

// The files a plan reads, as they are.
struct StockFiles {
    std::vector<StockProdutoRecord> productStock;
    QByteArray productStockTail;
    std::vector<StockMateriaRecord> materialStock;
    QByteArray materialStockTail;
    bool materialStockExists = true;
    std::vector<ProdutoRecord> products;
};

// A product order (record number `record`, from 1): in StockProduto.DAT the first record of its
// product and type gets ordered := ordered + open and available := stock - ordered (date kept); a
// product without one gets a record appended: product, type, stock "0", available -open, ordered
// open, today. Then the materials of the product are reserved for the open quantity. Numbers are
// written as their shortest text in their field.
ReactivationPlan PlanReactivation(const EncomProdutoRecord& order, qint64 record, const StockFiles& files,
                                  const QString& today, const RegionalSettings& regional = RegionalSettings::current());
// A purchase order: in StockMateria.DAT the first record of its material gets on order := on
// order + open; a material without one gets a record appended: material, stock "0", reserved "0",
// on order open, today.
ReactivationPlan PlanReactivation(const EncomMateriaRecord& order, qint64 record, const StockFiles& files,
                                  const QString& today, const RegionalSettings& regional = RegionalSettings::current());

// What the re-activation did.
struct ReactivationOutcome {
    std::optional<RecordError> error; // the plan could not be made: nothing was written
    QString orderFailure;             // the order could not be written (the system's text): nothing was written
    QString stockFailure;             // the order is active, but its stock update was not written
    QStringList stockFiles;           // the files of the stock update
    ReactivationPlan plan;

    bool orderWritten() const { return !error && orderFailure.isEmpty(); }
    bool complete() const { return orderWritten() && stockFailure.isEmpty(); }
    // The message for the user when something failed; empty when all went through.
    QString Message() const;
};

// At file level, on a company folder (ending in "/"): reads the order file and the stock files,
// makes the plan, writes the order record in place with state 0 (each rewritten field keeps its
// bytes), then the stock files whole and together. Each write is checked.
ReactivationOutcome ReactivateOrder(const QString& folder, Kind kind, qint64 recordIndex, const QString& today,
                                    const RegionalSettings& regional = RegionalSettings::current());

} // namespace OrderViews
