#include "shell/ListFillers.h"

#include "i18n/Language.h"
#include "shell/Globals.h"
#include "shell/GridRoutines.h"
#include "shell/MessageBox.h"
#include "shell/ShellHost.h"
#include "shell/StringGrid.h"
#include "store/AccessPatterns.h"
#include "store/DecimalText.h"

#include <QCollator>
#include <QComboBox>
#include <QFileInfo>
#include <QHash>
#include <QListWidget>
#include <QSet>

namespace {

const char* const kSortedProperty = "quorvaleSortedList";

QString folded(const QString& text) { return text.toCaseFolded(); }

} // namespace

void SetListSorted(QComboBox* list, bool sorted)
{
    list->setProperty(kSortedProperty, sorted);
    if (sorted && list->count() > 1) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
        const QString current = list->currentText();
        std::stable_sort(items.begin(), items.end(),
                         [](const QString& a, const QString& b) { return CompareText(a, b) < 0; });
        const QSignalBlocker block(list);
        list->clear();
        list->addItems(items);
        list->setCurrentIndex(list->findText(current, Qt::MatchExactly | Qt::MatchCaseSensitive));
    }
}

bool IsListSorted(const QComboBox* list) { return list->property(kSortedProperty).toBool(); }

void AddListItem(QComboBox* list, const QString& text)
{
    if (!IsListSorted(list)) {
        list->addItem(text);
        return;
    }
    // After the last item that does not come after the text.
    int lo = 0, hi = list->count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (CompareText(list->itemText(mid), text) <= 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    list->insertItem(lo, text);
}

bool AddUniqueItem(QComboBox* list, const QString& text)
{
    const QString key = folded(text);
    for (int i = 0; i < list->count(); ++i)
        if (folded(list->itemText(i)) == key)
            return false;
    AddListItem(list, text);
    return true;
}

bool AddUniqueItem(QListWidget* list, const QString& text)
{
    const QString key = folded(text);
    for (int i = 0; i < list->count(); ++i)
        if (folded(list->item(i)->text()) == key)
            return false;
    list->addItem(text);
    return true;
}

UniqueItems::UniqueItems(QComboBox* list) : m_list(list)
{
    for (int i = 0; i < list->count(); ++i)
        m_folded.insert(folded(list->itemText(i)));
}

bool UniqueItems::add(const QString& text)
{
    const QString key = folded(text);
    if (m_folded.contains(key))
        return false;
    m_folded.insert(key);
    AddListItem(m_list, text);
    return true;
}

// --- Fillers --------------------------------------------------------------------------------------

namespace {

void fillNames(const QString& fileName, QComboBox* list)
{
    const QString path = DataFilePath(fileName);
    RecordFileBase::EnsureRecordFile(path);
    for (const FornecedorRecord& r : ReadAllRecords<FornecedorRecord>(path))
        AddListItem(list, r.Nome.text());
}

} // namespace

void FillSupplierList(QComboBox* list) { fillNames(DataFile::Fornecedores, list); }

void FillClientList(QComboBox* list) { fillNames(DataFile::Clientes, list); }

void FillRawMaterialList(QComboBox* list)
{
    const QString path = DataFilePath(DataFile::MateriasPrimas);
    RecordFileBase::EnsureRecordFile(path);
    UniqueItems items(list);
    for (const MateriaPrimaRecord& r : ReadAllRecords<MateriaPrimaRecord>(path))
        items.add(r.MateriaPrima.text());
}

void FillProductLists(QComboBox* names, QComboBox* types)
{
    const QString path = DataFilePath(DataFile::Produtos);
    if (!QFileInfo::exists(path)) {
        MessageBox::information(LangMsg[14]);
        RecordFileBase::EnsureRecordFile(path);
    }
    UniqueItems nameItems(names);
    UniqueItems typeItems(types);
    for (const ProdutoRecord& r : ReadAllRecords<ProdutoRecord>(path)) {
        nameItems.add(r.Produto.text());
        typeItems.add(r.Tipo.text());
    }
}

void FillEquipmentList(QComboBox* list)
{
    const QString path = DataFilePath(DataFile::Equipamentos);
    if (!QFileInfo::exists(path)) {
        // No equipment yet: the user defines it first.
        if (ShellHost* shell = Shell()) {
            shell->ParkOverlayPanels();
            shell->RunMenuCommand(QStringLiteral("menu_EditEquip"));
        }
        return;
    }
    for (const EquipamentoRecord& r : ReadAllRecords<EquipamentoRecord>(path))
        AddListItem(list, r.Equipamento.text());
}

void FillOperationList(QComboBox* list, const QString& callerKind)
{
    Q_UNUSED(callerKind); // both files are read in one pass each, whoever asks
    UniqueItems items(list);
    for (const EquipamentoRecord& r : ReadAllRecordsIfExists<EquipamentoRecord>(DataFilePath(DataFile::Equipamentos)))
        items.add(r.Operacao.text());
    for (const ProdutoRecord& r : ReadAllRecordsIfExists<ProdutoRecord>(DataFilePath(DataFile::Produtos)))
        items.add(r.Operacao.text());
}

void FillUnitColumn(StringGrid* grid, int column)
{
    const QString path = DataFilePath(DataFile::MateriasPrimas);
    std::vector<MateriaPrimaRecord> records;
    try {
        records = ReadAllRecords<MateriaPrimaRecord>(path);
    } catch (const StoreError&) {
        MessageBox::information(LangMsg[13]);
        return;
    }
    // The last record of a material decides, as when every record is laid over the rows in turn.
    QHash<QString, QString> unitOf;
    unitOf.reserve(qsizetype(records.size()));
    for (const MateriaPrimaRecord& r : records)
        unitOf.insert(r.MateriaPrima.text(), r.Un.text());
    if (unitOf.isEmpty() || column < 0 || column >= grid->ColCount())
        return;
    auto& rows = grid->rows();
    for (size_t r = 1; r < rows.size(); ++r) {
        auto& row = rows[r];
        if (row.empty())
            continue;
        const auto it = unitOf.constFind(row[0]);
        if (it == unitOf.constEnd())
            continue;
        if (row.size() <= size_t(column))
            row.resize(size_t(column) + 1);
        row[size_t(column)] = it.value();
    }
    grid->CellsChanged();
}

QString PadOrCut(const QString& text, int n) { return text.left(n).leftJustified(n, ' '); }

QString OpenOrderLine(const QString& reference, const QString& first, const QString& second, double openQuantity)
{
    return reference + '\t' + PadOrCut(first, 21) + '\t' + PadOrCut(second, 20) + '\t' +
           DecimalText::FloatToStr(openQuantity) + '\t' + QStringLiteral("un");
}

OpenOrderItem ParseOpenOrderLine(const QString& line)
{
    const QStringList parts = line.split('\t');
    OpenOrderItem item;
    if (parts.size() >= 4) {
        item.reference = parts[0];
        item.first = parts[1];
        item.second = parts[2];
        item.openQuantity = parts[3];
    }
    return item;
}

template <class R, class Line>
static void fillOpenOrders(const QString& fileName, QComboBox* list, const QString& failure, Line&& line)
{
    std::vector<R> records;
    try {
        records = ReadAllRecords<R>(DataFilePath(fileName));
    } catch (const StoreError&) {
        MessageBox::information(failure);
        return;
    }
    list->addItem(QString());
    for (size_t i = 0; i < records.size(); ++i)
        if (records[i].state == OrderActive)
            list->addItem(line(records[i]), QVariant::fromValue(qint64(i)));
}

void FillOpenProductOrders(const QString& fileName, QComboBox* list)
{
    fillOpenOrders<EncomProdutoRecord>(fileName, list, LangMsg[19], [](const EncomProdutoRecord& r) {
        return OpenOrderLine(r.reference.text(), r.product.text(), r.type.text(),
                             DecimalText::StrToFloat(r.quantity.text()) - DecimalText::StrToFloat(r.delivered.text()));
    });
}

void FillOpenMaterialOrders(const QString& fileName, QComboBox* list)
{
    fillOpenOrders<EncomMateriaRecord>(fileName, list, LangMsg[18], [](const EncomMateriaRecord& r) {
        return OpenOrderLine(r.reference.text(), r.material.text(), r.materialReference.text(),
                             DecimalText::StrToFloat(r.quantity.text()) - DecimalText::StrToFloat(r.received.text()));
    });
}

qint64 OpenOrderRecord(const QComboBox* list, int index)
{
    if (index < 0 || index >= list->count())
        return -1;
    const QVariant record = list->itemData(index);
    return record.isValid() ? record.toLongLong() : -1;
}

bool ProductExists(const QString& productReference)
{
    for (const ProdutoRecord& r : ReadAllRecordsIfExists<ProdutoRecord>(DataFilePath(DataFile::Produtos)))
        if (r.Produto.text() + ' ' + r.Tipo.text() == productReference)
            return true;
    MessageBox::information(LangMsg[9]);
    return false;
}
