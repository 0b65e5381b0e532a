#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

class QComboBox;
class QListWidget;
class StringGrid;

// The drop-down lists of the screens and how they are filled from the master files of the company
// in use (DatabaseFolder). Lists keep their items in insertion order unless marked sorted, in which
// case every item goes to its place in the locale's case-insensitive order.

void SetListSorted(QComboBox* list, bool sorted = true);
bool IsListSorted(const QComboBox* list);
// Appends the text (or inserts it in order in a sorted list).
void AddListItem(QComboBox* list, const QString& text);

// Adds the text unless the list already holds an item equal to it ignoring letter case; true when
// it was added.
bool AddUniqueItem(QComboBox* list, const QString& text);
bool AddUniqueItem(QListWidget* list, const QString& text);

// AddUniqueItem for many texts: the list's items are read once, so filling a list from a large
// file costs one pass.
class UniqueItems {
public:
    explicit UniqueItems(QComboBox* list);
    bool add(const QString& text);

private:
    QComboBox* m_list;
    QSet<QString> m_folded;
};

// Fornecedores.DAT (created when missing): the Nome of every record, in file order, duplicates kept.
void FillSupplierList(QComboBox* list);
// The same on Clientes.DAT.
void FillClientList(QComboBox* list);
// MateriasPrimas.DAT (created when missing): every MateriaPrima once.
void FillRawMaterialList(QComboBox* list);
// Produtos.DAT: every Produto once into the name list, every Tipo once into the type list. When the
// file is missing: LangMsg[14], then the file is created empty.
void FillProductLists(QComboBox* names, QComboBox* types);
// Equipamentos.DAT: every Equipamento in file order. When the file is missing the overlay panels of
// the main window are parked and the equipment screen is opened (menu_EditEquip), so that the user
// defines equipment first.
void FillEquipmentList(QComboBox* list);
// Every Operacao once, of Equipamentos.DAT and then of Produtos.DAT (each when it exists).
// callerKind ("Equip" or "Prod") names the screen asking; both files are read either way.
void FillOperationList(QComboBox* list, const QString& callerKind = QString());
// Column `column` of every data row whose column 0 names a raw material receives that material's Un.
// When MateriasPrimas.DAT cannot be read: LangMsg[13] and nothing else.
void FillUnitColumn(StringGrid* grid, int column);

// One line per active order of DatabaseFolder + fileName after an empty line: the reference and a
// tab, product and type formatted as "%-21.21s\t%-20.20s", a tab, the open quantity (quantity -
// delivered), a tab and "un". When the file cannot be read: LangMsg[19].
void FillOpenProductOrders(const QString& fileName, QComboBox* list);
// The same for raw-material orders: purchase reference, material and material reference, quantity -
// received; LangMsg[18] when the file cannot be read.
void FillOpenMaterialOrders(const QString& fileName, QComboBox* list);
// The record (from 0) of the order that line `index` of such a list shows; -1 for the empty line.
qint64 OpenOrderRecord(const QComboBox* list, int index);

// "%-n.ns": the text cut or padded with blanks to exactly n characters.
QString PadOrCut(const QString& text, int n);
// A line of the open-order lists, and its pieces back (empty pieces for the empty line).
QString OpenOrderLine(const QString& reference, const QString& first, const QString& second, double openQuantity);
struct OpenOrderItem {
    QString reference;
    QString first;  // product or material, padded to 21
    QString second; // type or material reference, padded to 20
    QString openQuantity;
};
OpenOrderItem ParseOpenOrderLine(const QString& line);

// True when some record of Produtos.DAT has Produto + " " + Tipo equal to the reference; otherwise
// LangMsg[9] and false.
bool ProductExists(const QString& productReference);
