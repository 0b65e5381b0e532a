#pragma once

// What the production entry screen shows and checks of HorasProducao.DAT: one summary row per
// product and type (the entered units and the six kinds of hours summed, with the product's stock
// from StockProduto.DAT), and the hours already entered for an equipment on a day. Both read the
// entries through ReadProductionEntries, so a record with a text that is no number or no date is
// named and left out.

#include "orders/OrderCalculation.h"
#include "production/ProductionEntries.h"
#include "store/Records.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace Production {

class EntrySummary;
EntrySummary SummariseEntries(const std::vector<HorasProducaoRecord>& entries,
                              const std::optional<std::vector<StockProdutoRecord>>& stock);

// One row of the summary.
struct SummaryRow {
    // Columns of the screen's list: 9 shown, the last two hidden.
    enum Column { ColProduct, ColType, ColStock, ColProd, ColSetup, ColBreakdown, ColMaterial, ColPersonnel, ColOther,
                  ColDate, ColRowNumber, ColumnCount };

    QString product;
    QString type;
    int entries = 0;                         // entries summed (0: a product with stock only)
    double entered = 0;                      // units entered, summed
    std::array<double, HoursCount> hours{};  // hours of each kind, summed
    QString enteredText;                     // the texts of the first entry, as stored
    std::array<QString, HoursCount> hourTexts;
    QString date;                            // date of the last entry read, as stored; " " for stock only
    std::optional<QString> stock;            // the stock of its first StockProduto.DAT record
    int number = 0;                          // the row's number, from 1

    // The 11 cells: product, type, the stock (or the entered units summed when the product has no
    // stock record), the hours (one entry's texts as stored, sums with "0.#"), date, number.
    QStringList Cells() const;
};

class EntrySummary {
public:
    std::vector<SummaryRow> rows; // entries' products in order of first appearance, then stock-only ones
    std::vector<BadText> bad;     // records left out
    int entryRows = 0;            // rows made by entries
    bool stockFileExisted = false;

    // Adds one entry (its record, and the figures read from it) to the row of its product and type,
    // or to a new row; returns the row's index.
    int AddEntry(const HorasProducaoRecord& record, const ProductionEntry& entry);
    // The stock of a product and type booked now.
    void SetStock(int row, const QString& stock) { rows[size_t(row)].stock = stock; }
    // The row of a product and type; -1 when none.
    int Find(const QString& product, const QString& type) const;

private:
    friend EntrySummary SummariseEntries(const std::vector<HorasProducaoRecord>&,
                                         const std::optional<std::vector<StockProdutoRecord>>&);
    int Find(const FixedString<30>& product, const FixedString<20>& type) const;
    QHash<OrderCalculation::TextKey, int> m_index;
};

// The summary of the entries; with stock (the records of StockProduto.DAT, or none when the file
// does not exist): every row gets the stock of its product's first record, and every product with a
// stock other than 0 and no entry gets a row of its own with zero hours.
EntrySummary SummariseEntries(const std::vector<HorasProducaoRecord>& entries,
                              const std::optional<std::vector<StockProdutoRecord>>& stock);

// The hours of the entries of one equipment (exact name) dated on one day, summed over the six
// kinds; the equipment's records whose date or hours cannot be read are named in bad and not counted.
struct DayHours {
    double hours = 0;
    int entries = 0;
    std::vector<BadText> bad;
};
DayHours HoursOnDay(const std::vector<HorasProducaoRecord>& entries, const QString& equipment, const QDate& day);

} // namespace Production
