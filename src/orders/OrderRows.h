#pragma once

// What every order list shows of an order record besides its fields: the state as text (the lists'
// hidden state column, which the screens compare) and the sort key of the order date. Shared by the
// product-order, purchase-order and orders-view screens; their colours are in OrderColours.h.

#include "store/Records.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace OrderRows {

// The state byte as decimal text: "0" active, "1" archived, "2" on hold (any other value as its
// number).
QString StateText(std::uint8_t state);

// The hidden sort key of an order date: four-digit year, two-digit month and day joined by "-", so
// that the text sorts by date; empty for a text that is no date.
QString DateSortKey(const QString& dateText);

// The row of a purchase order in the purchase order list, record number k (from 1): material,
// supplier, quantity, order date, " ", second date (today when empty), k, purchase reference, date
// key, state, received, material reference (" " when empty), unit cost.
enum PurchaseColumn {
    PurMaterial, PurSupplier, PurQuantity, PurDate, PurBlank, PurSecondDate, PurRecord, PurReference, PurDateKey,
    PurState, PurReceived, PurMaterialReference, PurUnitCost, PurchaseColumnCount = 14
};
QStringList PurchaseOrderRow(const EncomMateriaRecord& order, qint64 k, const QString& today);

} // namespace OrderRows

namespace OrderRows {

// --- Material-supplier pairs of MateriasPrimas.DAT ------------------------------------------------

// The first record whose MateriaPrima equals the material and whose Fornecedor equals the supplier
// (exactly); -1 when none.
qsizetype FindMaterialPair(const std::vector<MateriaPrimaRecord>& materials, const QString& material,
                           const QString& supplier);
// The first record of the material whose Fornecedor is empty or blank (a material not yet bought
// from anyone), which a new pair fills in; -1 when none.
qsizetype FindPairToFill(const std::vector<MateriaPrimaRecord>& materials, const QString& material);
// The record of a new pair: the material, Referencia " ", Preco "0", the supplier, Un "un".
MateriaPrimaRecord NewMaterialPair(const QString& material, const QString& supplier);

} // namespace OrderRows
