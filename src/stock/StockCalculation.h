#pragma once

// The raw-material stock calculation: how much of each raw material is reserved by the products in
// shortfall, how much is on order, what is available, and when each needed material runs out.
//
//   1. The first half of the order calculation brings the ordered and available quantities of
//      StockProduto.DAT up to date (OrderCalculation::ComputeOrderTotals).
//   2. Every raw material of StockMateria.DAT starts with nothing reserved and nothing on order;
//      each active purchase order of EncomMateria.DAT adds its full quantity (not what is still
//      to come) to every row of its material.
//   3. For each product stock record (in file order) whose available quantity is below 0, each
//      plain composition line of that product and type (in file order) whose daily quantity is
//      above 0 reserves |available| x its quantity per unit (rounded to three decimals) of its
//      material: on every row of that material, or on a row added for it (stock 0, dated today)
//      when it has none, which the write-back appends to the file.
//   4. Each reservation updates the material's row of the needs list: its figures, and the daily
//      quantity ("Quant/dia") of the products counted for it, each product (by name) once. A list
//      kept from an earlier calculation (the screen stays open) is updated, not counted again.
//   5. Stock after consumption: with StockAuto, stock - daily quantity x the working days since the
//      row's date (whole days, DaysPerWeek of every 7); the row's available := on order + that
//      stock - reserved.
//   6. Run-out dates (the Detail of the list): now + stock / daily quantity (in working days) - 1
//      day, a Sunday moved to Monday when fewer than 7 days are worked and a Saturday when fewer
//      than 6. A material with no daily quantity has no run-out date.
//
// Everything is computed before anything is written: a text that is no number (or no date where
// one is needed) comes back as a CalcError naming file, record and text, and then no file is to be
// changed. Recalculate writes StockProduto.DAT and StockMateria.DAT together (ReplaceFilesContents)
// when everything converted: exactly what the screen's "Calculate" writes.
//
// Lookups go through hash indexes built once: the composition lines by product and type, the stock
// rows by material, the needs rows by material.

#include "orders/OrderCalculation.h"
#include "store/Records.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace StockCalculation {

using OrderCalculation::CalcError;
using OrderCalculation::Settings;

// One row of the raw-material stock (the grid of the stock screen): a record of StockMateria.DAT,
// or a material added by the calculation.
struct MaterialRow {
    enum Column { ColMaterial, ColStock, ColUnit, ColReserved, ColAvailable, ColOnOrder, ColDate, ColRecord, ColumnCount };
    QString material;
    QString stock;
    QString reserved;
    QString available; // on order + stock - reserved (after consumption, once calculated)
    QString onOrder;
    QString date;
    qint64 record = 0; // record number + 1
    bool added = false; // a material the calculation added

    // The grid's texts; the unit is " " (the screen fills it from the raw materials).
    QStringList Cells() const;
};

// The row of a record as the screen shows it when loaded: available := on order + stock -
// reserved, empty when one of the three is no number.
MaterialRow LoadedRow(const StockMateriaRecord& record, qint64 recordNumber);
QString AvailableText(const StockMateriaRecord& record);

// One row of the raw-material needs list (the Panel_Stock list of the result lists window).
struct NeedRow {
    enum Column {
        ColMaterial, ColStock, ColReserved, ColOnOrder, ColAvailable, ColPerDay, ColRunOut, ColProducts, ColRunOutKey,
        ColumnCount
    };
    QStringList cells; // ColumnCount texts; ColProducts holds " " + product + "*" for each product counted
    bool hasRunOut = false;

    // A row as the list holds it (restored from its cells).
    static NeedRow FromCells(const QStringList& cells);
    // The names of the products counted in it.
    QStringList Products() const;
};

// The sort key of a row without a run-out date: after every date.
inline const QString NoRunOutSortKey = OrderCalculation::NoDateSortKey;

// The records the calculation reads, from a company folder (ending in "/").
struct StockFiles {
    OrderCalculation::OrderFiles orders;   // EncomProduto.DAT and StockProduto.DAT
    std::vector<EncomMateriaRecord> purchases;
    std::vector<ProdutoRecord> products;
    std::vector<StockMateriaRecord> materials;
    QByteArray materialsTail; // bytes after the last whole record, kept
    bool materialsExisted = false;
};
StockFiles ReadStockFiles(const QString& folder); // throws StoreError

struct StockOutcome {
    std::optional<CalcError> error; // set: nothing may be written
    bool noProductOrders = false;   // EncomProduto.DAT is missing or holds no record: nothing done
    OrderCalculation::OrderTotals totals; // the first half: StockProduto.DAT as it is to be

    std::vector<StockMateriaRecord> materials; // StockMateria.DAT as it is to be (records in place,
                                               // then the appended ones)
    QByteArray materialsTail;
    qint64 materialsBefore = 0; // whole records the file held
    qint64 rewritten = 0;       // of those, records whose bytes change
    qint64 appended = 0;
    bool materialsExisted = false;

    std::vector<MaterialRow> rows; // the stock rows, in file order
    std::vector<NeedRow> needs;    // the needs list (run-out dates not yet set)

    bool ok() const { return !error && !noProductOrders; }
    bool materialsChanged() const { return rewritten > 0 || appended > 0 || !materialsExisted; }
};

// Steps 1 to 5 on the records. previous: the needs list of an earlier calculation still on screen
// (empty for a first one).
StockOutcome CalculateStock(const StockFiles& files, const std::vector<NeedRow>& previous, const Settings& settings);

// Step 6: the run-out date and its sort key of every row.
void ComputeRunOutDates(std::vector<NeedRow>& needs, const Settings& settings);

// The bytes of StockMateria.DAT as the outcome wants it (records, then the kept tail).
QByteArray StockMateriaContents(const StockOutcome& outcome);

// What a calculation changed in one file.
struct FileChange {
    QString file;
    qint64 rewritten = 0; // records whose bytes changed
    qint64 appended = 0;  // records added at the end
    bool written = false;
};

// The screen's "Calculate" at file level: read, calculate and, when everything converted, replace
// StockProduto.DAT and StockMateria.DAT together (each only when it changes; StockMateria.DAT is
// created when missing). changes: one entry per file, StockProduto.DAT first.
struct Recalculation {
    StockOutcome outcome;
    std::vector<FileChange> changes;
    bool ok() const { return outcome.ok(); }
};
Recalculation RecalculateStock(const QString& folder, const Settings& settings,
                               const std::vector<NeedRow>& previous = {}); // throws StoreError

} // namespace StockCalculation
