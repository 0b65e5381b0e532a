#pragma once

// What the global view shows of the stored results of the order calculation and the raw-material
// stock calculation: the products whose stock does not cover their client orders, the raw
// materials that production has reserved, and the detail of either (the active orders behind a
// product's shortfall, the products in shortfall that use a raw material).

#include "store/Records.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace GlobalView {

// Columns of the product list: product, type, stock, ordered, available, running number.
enum ProductColumn { ProdName, ProdType, ProdStock, ProdOrdered, ProdAvailable, ProdNumber, ProductColumns };
// Columns of the raw-material list: material, on order, stock, reserved, available, running number.
enum MaterialColumn { MatName, MatOnOrder, MatStock, MatReserved, MatAvailable, MatNumber, MaterialColumns };
// The detail list has seven columns.
inline constexpr int DetailColumns = 7;

// A record left out because a number of it does not read, for one message naming them.
struct Problem {
    QString file;   // the data file
    qint64 record;  // record number + 1
    QString what;   // the item
    QString text;   // the text that is no number
};

// In file order, the stock records whose available quantity is below 0.
std::vector<QStringList> ShortfallProducts(const std::vector<StockProdutoRecord>& records, std::vector<Problem>* problems);
// In file order, the stock records whose reserved quantity is above 0, with the available
// quantity stock + on order - reserved (general conversion).
std::vector<QStringList> ReservedMaterials(const std::vector<StockMateriaRecord>& records, std::vector<Problem>* problems);

// The product detail: one row per active order of the product and type, in file order (product
// text, client, quantity, date, delivered, delivered - quantity), at least one (empty) row, then
// an empty row and the row with "Total:" in column 4 and, in column 5, the sum of the absolute
// differences ("0" without orders).
std::vector<QStringList> ProductDetail(const std::vector<EncomProdutoRecord>& orders, const QString& product,
                                       const QString& type, std::vector<Problem>* problems);

// A row of the product list as the raw-material detail reads it.
struct ListedProduct {
    QString product, type, stock, ordered, available;
};
// The raw-material detail: for each composition line of the material (in file order), each listed
// product of that line's product and type (in list order): product text, stock, ordered,
// available, available x the line's quantity (general conversion) and the line's unit; at least
// one (empty) row.
std::vector<QStringList> MaterialDetail(const std::vector<ProdutoRecord>& composition, const QString& material,
                                        const std::vector<ListedProduct>& listed, std::vector<Problem>* problems);

// One message naming the problems (at most `shown`), or an empty text when there are none.
QString ProblemText(const std::vector<Problem>& problems, int shown = 15);

// The hints of the screen, from the captions of the menu items as they stand: the global view's
// command, the plan menu and its raw-material stock and orders commands.
struct Hints {
    QString label3, label2, label1;
};
Hints HintTexts(const QString& viewGlobal, const QString& plan, const QString& planStock, const QString& planOrders);

} // namespace GlobalView
