#pragma once

// The stock lists of raw materials and of products: their rows, the product list's items, and the
// stock mail to a client (the product lines of its body and the mailto link).

#include "store/Records.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace StockLists {

// The filter item that lists every record.
inline const QString ShowAll = QStringLiteral("( show all )");
// The product list's item that lists every record: ShowAll and a tab (its second column is empty).
inline const QString ShowAllProducts = QStringLiteral("( show all )\t");

// A product as the lists name it: the name and one blank (together at most 31 characters), then
// the type, at most 51 characters in all.
QString ProductText(const QString& name, const QString& type);

// Columns of the raw-material stock list.
enum MaterialColumn { MatMaterial, MatStock, MatUnit, MatReserved, MatOnOrder, MatDate, MatRecord, MaterialColumns };
// Columns of the product stock list.
enum ProductColumn { ProdProduct, ProdStock, ProdAvailable, ProdOrdered, ProdDate, ProdRecord, ProductColumns };

// The rows of the raw-material stock list, in file order: material, stock, " " (the unit, filled
// from the raw materials afterwards), reserved, on order, date, record number + 1. With a material
// given only the records of exactly that material are kept; with ShowAll (or an empty text) every one.
std::vector<QStringList> MaterialStockRows(const std::vector<StockMateriaRecord>& records, const QString& material);
// Every material of the records once, ignoring letter case (the first spelling is kept), in file order.
QStringList MaterialItems(const std::vector<StockMateriaRecord>& records);

// The rows of the product stock list, in file order: product text, stock, available, ordered,
// date, record number + 1. With an item "name<tab>type" only that product and type are kept; with
// ShowAllProducts (or an empty text) every record.
std::vector<QStringList> ProductStockRows(const std::vector<StockProdutoRecord>& records, const QString& item);
// The items of the product list: "name<tab>type" of every record once, ignoring letter case, in file order.
QStringList ProductItems(const std::vector<StockProdutoRecord>& records);

// --- Stock mail ------------------------------------------------------------------------------

struct ListedStock {
    QString product; // the product text of the row
    QString stock;   // the stock text as listed
};
// The product lines of the mail, one for each listed row whose stock text is not exactly "0":
// the product text, " =  " and the stock text.
QStringList StockMailLines(const std::vector<ListedStock>& listed);

// The subject and the heading of the mail (from the language file, with the built-in texts).
QString StockMailSubject(const QDate& today);
QString StockMailHeading();

// The mailto link of the stock mail: "mailto:", the address, "?subject=" and the subject, "&body="
// and the heading, a line break, then a line break before each product line, "&From=" and the
// sender (left out when there is none), and "&bcc=" with nothing after it. The address, the
// sender and every text are percent-encoded; "%0A" are the line breaks.
QString StockMailLink(const QString& address, const QDate& today, const QStringList& lines, const QString& from);

// The client chooser's rows: name, contact and e-mail address of every client, in file order.
std::vector<QStringList> ClientRows(const std::vector<FornecedorRecord>& clients);

} // namespace StockLists
