#pragma once

// The cost of each product: for every product and type made on every equipment, the rate achieved
// (units per hour of production and setup, from the production entries), the equipment's cost per
// unit at that rate, the raw-material cost per unit from the product's composition and the price of
// the first record of each raw material, and their sum. Reads the four files, writes none.

#include "production/ProductionEntries.h"
#include "store/Records.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace Production {

struct CostRow {
    QString product;   // product + " " + type
    QString equipment;
    // Units per hour: the first entry's rate, then each further entry averaged in with weight one
    // half; an entry without production or setup hours changes nothing. None while no entry had
    // hours.
    std::optional<double> rate;
    // The equipment's cost per hour divided by the rate; none for a rate of 0, no rate, or an
    // equipment that Equipamentos.DAT does not hold.
    std::optional<double> machineCost;
    double materialCost = 0; // per unit, from the composition
    std::optional<double> total; // machine + material; none when the machine cost is none

    // The row cannot be costed (a cell shows "—"): it is listed last and left out of sums.
    bool undefined() const { return !total.has_value(); }
};

struct ProductCostList {
    std::vector<CostRow> rows; // in order of first appearance in HorasProducao.DAT
    QStringList products;      // every product + " " + type of the rows, once, in that order
    std::vector<BadText> bad;  // texts of any of the four files that are no number
};

ProductCostList ProductCosts(const std::vector<HorasProducaoRecord>& entries, const std::vector<EquipamentoRecord>& equipment,
                             const std::vector<ProdutoRecord>& products, const std::vector<MateriaPrimaRecord>& materials);

// The cells of a row: product, equipment, the rate rounded to a whole number (halves to the even
// neighbour), machine cost, material cost and total with two decimals and thousands separators.
QStringList CostRowTexts(const CostRow& row);
// A cost with two decimals and thousands separators ("1,234.50"), or UndefinedText().
QString CostText(const std::optional<double>& value);

} // namespace Production
