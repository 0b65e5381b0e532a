#include "orders/OrderViews.h"

#include "i18n/Language.h"
#include "orders/OrderRows.h"
#include "store/AccessPatterns.h"
#include "store/DecimalText.h"
#include "store/RecordFile.h"
#include "store/StoreError.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <cmath>

namespace OrderViews {

using Stock::NumberOf;
using Stock::RecordErrorOf;

namespace {

// Width of the number fields of the stock files.
constexpr int kNumberWidth = 10;
// At most this many bad quantities are named in a message.
constexpr int kMaxNamed = 20;

// The shortest text of the number in a number field; none when no text of the width holds it.
std::optional<QString> NumberText(double value) { return DecimalText::FloatToStrFitting(value, kNumberWidth); }

template <class R>
QByteArray RecordBytes(const std::vector<R>& records, const QByteArray& tail)
{
    QByteArray bytes;
    bytes.resize(qsizetype(records.size() * sizeof(R)));
    if (!records.empty())
        std::memcpy(bytes.data(), static_cast<const void*>(records.data()), records.size() * sizeof(R));
    bytes.append(tail);
    return bytes;
}

// Every whole record of a file and the bytes after them; nothing when the file is missing.
template <class R>
std::vector<R> ReadRecords(const QString& path, QByteArray* tail = nullptr)
{
    if (!QFileInfo::exists(path))
        return {};
    const QByteArray bytes = ReadFileContents(path);
    const qsizetype n = bytes.size() / qsizetype(sizeof(R));
    std::vector<R> records(size_t(n), EmptyRecord<R>());
    if (n > 0)
        std::memcpy(static_cast<void*>(records.data()), bytes.constData(), size_t(n) * sizeof(R));
    if (tail)
        *tail = bytes.mid(n * qsizetype(sizeof(R)));
    return records;
}

// The list of either file: item and second part of the filter entry, the row's cells.
template <class R, class Cells>
OrderList BuildList(Kind kind, const std::vector<R>& records, Cells&& cellsOf)
{
    OrderList list;
    list.kind = kind;
    list.orders.resize(records.size());
    QSet<QString> seen;
    QHash<QString, QString> keys; // date text -> sort key: dates repeat, parsing is what costs
    list.entries.reserve(1024);
    for (size_t i = 0; i < records.size(); ++i) {
        const R& r = records[i];
        Order& o = list.orders[i];
        o.state = r.state;
        QString first, second;
        o.cells = cellsOf(r, first, second);
        o.cells[ColState] = OrderRows::StateText(r.state);
        o.cells[ColRecord] = QString::number(i + 1);
        auto key = keys.constFind(o.cells[ColDate]);
        if (key == keys.constEnd())
            key = keys.insert(o.cells[ColDate], OrderRows::DateSortKey(o.cells[ColDate]));
        o.cells[ColDateKey] = key.value();
        o.quantity = DecimalText::parse(o.cells[ColQuantity]);
        o.entry = first + QLatin1Char('\t') + second;
        if (!seen.contains(o.entry)) {
            seen.insert(o.entry);
            list.entries << o.entry;
        }
    }
    return list;
}

} // namespace

QString OrderViewMode(Kind kind) { return kind == Kind::ProductOrders ? QStringLiteral("Produto") : QStringLiteral("MatPrima"); }

QString OrderFileName(Kind kind) { return kind == Kind::ProductOrders ? DataFile::EncomProduto : DataFile::EncomMateria; }

OrderList BuildOrderList(const std::vector<EncomProdutoRecord>& orders)
{
    return BuildList(Kind::ProductOrders, orders, [](const EncomProdutoRecord& r, QString& first, QString& second) {
        first = r.product.text();
        second = r.type.text();
        return std::vector<QString>{first + QLatin1Char(' ') + second, r.client.text(), r.quantity.text(), r.date.text(),
                                    QString(), r.secondDate.text(), QString(), r.reference.text(), QString(),
                                    r.delivered.text()};
    });
}

OrderList BuildOrderList(const std::vector<EncomMateriaRecord>& orders)
{
    return BuildList(Kind::MaterialOrders, orders, [](const EncomMateriaRecord& r, QString& first, QString& second) {
        first = r.material.text();
        second = r.materialReference.text();
        return std::vector<QString>{first + QLatin1Char(' ') + second, r.supplier.text(), r.quantity.text(), r.date.text(),
                                    QString(), r.secondDate.text(), QString(), r.reference.text(), QString(),
                                    r.received.text()};
    });
}

// --- Filter and total --------------------------------------------------------------------------

QStringList FixedEntries()
{
    const QChar tab('\t');
    return {LangText(QStringLiteral("label_108"), QStringLiteral("( show all )")) + tab,
            LangText(QStringLiteral("label_archivedonly"), QStringLiteral("(archived only)")) + tab,
            LangText(QStringLiteral("label_activeonly"), QStringLiteral("(active only)")) + tab,
            LangText(QStringLiteral("label_onholdonly"), QStringLiteral("(on hold only)")) + tab};
}

Selection SelectOrders(const OrderList& list, const QString& filter)
{
    const QStringList fixed = FixedEntries();
    const bool all = filter == fixed[0];
    int state = -1;
    if (filter == fixed[1])
        state = OrderArchived;
    else if (filter == fixed[2])
        state = OrderActive;
    else if (filter == fixed[3])
        state = OrderOnHold;
    Selection s;
    s.orders.reserve(all ? list.orders.size() : 256);
    for (size_t i = 0; i < list.orders.size(); ++i) {
        const Order& o = list.orders[i];
        if (all || int(o.state) == state || o.entry == filter)
            s.orders.push_back(qsizetype(i));
    }
    SumActive(list, s);
    return s;
}

void SumActive(const OrderList& list, Selection& selection)
{
    selection.total = 0;
    selection.bad.clear();
    for (const qsizetype i : selection.orders) {
        const Order& o = list.orders[size_t(i)];
        if (o.state != OrderActive)
            continue;
        if (o.quantity)
            selection.total += *o.quantity;
        else
            selection.bad.push_back({qint64(i) + 1, o.cells[ColQuantity]});
    }
}

QString TotalText(double total) { return DecimalText::FormatFloat(QStringLiteral("#,##0.###"), total); }

QString BadQuantitiesMessage(Kind kind, const std::vector<BadQuantity>& bad)
{
    if (bad.empty())
        return QString();
    QString text = LangText(QStringLiteral("msg_TotalLeavesOut"),
                            QStringLiteral("These quantities are not numbers and are left out of the total:"));
    const QString line = LangText(QStringLiteral("msg_BadRecordText"), QStringLiteral("%1, record %2, %3: '%4'"));
    const QString field = QStringLiteral("quantity");
    for (size_t i = 0; i < bad.size() && i < size_t(kMaxNamed); ++i)
        text += QLatin1Char('\r') + line.arg(OrderFileName(kind), QString::number(bad[i].record), field, bad[i].text);
    if (bad.size() > size_t(kMaxNamed))
        text += QLatin1Char('\r')
                + LangText(QStringLiteral("msg_BadRecordMore"), QStringLiteral("... and %1 more")).arg(bad.size() - kMaxNamed);
    return text;
}

// --- Re-activation -----------------------------------------------------------------------------

namespace {

// open := quantity - done, both read from the order; an error names the field that is no number.
template <class R, int N>
std::optional<RecordError> OpenQuantity(const R& order, const FixedString<N>& done, const char* doneName,
                                        const QString& file, qint64 record, double& open)
{
    const auto quantity = NumberOf(order.quantity);
    if (!quantity)
        return RecordErrorOf(RecordError::BadNumber, file, record, "quantity", order.quantity.text());
    const auto delivered = NumberOf(done);
    if (!delivered)
        return RecordErrorOf(RecordError::BadNumber, file, record, doneName, done.text());
    open = *quantity - *delivered;
    return std::nullopt;
}

} // namespace

ReactivationPlan PlanReactivation(const EncomProdutoRecord& order, qint64 record, const StockFiles& files,
                                  const QString& today, const RegionalSettings& regional)
{
    const ScopedRegionalSettings settings(regional);
    ReactivationPlan plan;
    if (auto e = OpenQuantity(order, order.delivered, "delivered", DataFile::EncomProduto, record, plan.open)) {
        plan.error = e;
        return plan;
    }
    if (!(plan.open >= 0))
        return plan;
    plan.updatesStock = true;

    // The product's stock record: ordered and available.
    std::vector<StockProdutoRecord> stock = files.productStock;
    size_t found = stock.size();
    for (size_t i = 0; i < stock.size(); ++i)
        if (stock[i].product == order.product && stock[i].type == order.type) {
            found = i;
            break;
        }
    const qint64 number = qint64(found) + 1;
    if (found < stock.size()) {
        StockProdutoRecord& r = stock[found];
        const auto ordered = NumberOf(r.ordered);
        if (!ordered) {
            plan.error = RecordErrorOf(RecordError::BadNumber, DataFile::StockProduto, number, "ordered", r.ordered.text());
            return plan;
        }
        const auto inStock = NumberOf(r.stock);
        if (!inStock) {
            plan.error = RecordErrorOf(RecordError::BadNumber, DataFile::StockProduto, number, "stock", r.stock.text());
            return plan;
        }
        const double newOrdered = *ordered + plan.open;
        const auto orderedText = NumberText(newOrdered);
        const auto availableText = NumberText(*inStock - newOrdered);
        if (!orderedText || !availableText) {
            plan.error = RecordErrorOf(RecordError::TooLarge, DataFile::StockProduto, number, orderedText ? "available" : "ordered",
                               DecimalText::FloatToStr(orderedText ? *inStock - newOrdered : newOrdered));
            return plan;
        }
        r.ordered = *orderedText;
        r.available = *availableText;
    } else {
        const auto orderedText = NumberText(plan.open);
        const auto availableText = NumberText(-plan.open);
        if (!orderedText || !availableText) {
            plan.error = RecordErrorOf(RecordError::TooLarge, DataFile::StockProduto, number, "ordered",
                               DecimalText::FloatToStr(plan.open));
            return plan;
        }
        // A new record, from the bytes of the one before it (the reused record buffer).
        StockProdutoRecord r = stock.empty() ? EmptyRecord<StockProdutoRecord>() : stock.back();
        r.product.setBytes(order.product.bytes());
        r.type.setBytes(order.type.bytes());
        r.date = today;
        r.stock = QStringLiteral("0");
        r.ordered = *orderedText;
        r.available = *availableText;
        stock.push_back(r);
        plan.stockRecordAppended = true;
    }

    // The materials of the product, reserved for the open quantity.
    const Stock::CompositionIndex composition(files.products);
    Stock::MaterialStock materials(files.materialStock, files.materialStockTail);
    Stock::ReservationOutcome reservation =
        Stock::ReserveForProduct(materials, composition, order.product.bytes(), order.type.bytes(), plan.open, today);
    if (reservation.error) {
        plan.error = reservation.error;
        return plan;
    }
    plan.reserved = std::move(reservation.added);
    plan.stockFiles.emplace_back(DataFile::StockProduto, RecordBytes(stock, files.productStockTail));
    if (!plan.reserved.empty() || !files.materialStockExists)
        plan.stockFiles.emplace_back(DataFile::StockMateria, materials.Contents());
    return plan;
}

ReactivationPlan PlanReactivation(const EncomMateriaRecord& order, qint64 record, const StockFiles& files,
                                  const QString& today, const RegionalSettings& regional)
{
    const ScopedRegionalSettings settings(regional);
    ReactivationPlan plan;
    if (auto e = OpenQuantity(order, order.received, "received", DataFile::EncomMateria, record, plan.open)) {
        plan.error = e;
        return plan;
    }
    if (!(plan.open >= 0))
        return plan;
    plan.updatesStock = true;

    std::vector<StockMateriaRecord> stock = files.materialStock;
    size_t found = stock.size();
    for (size_t i = 0; i < stock.size(); ++i)
        if (stock[i].material == order.material) {
            found = i;
            break;
        }
    const qint64 number = qint64(found) + 1;
    if (found < stock.size()) {
        StockMateriaRecord& r = stock[found];
        const auto onOrder = NumberOf(r.onOrder);
        if (!onOrder) {
            plan.error = RecordErrorOf(RecordError::BadNumber, DataFile::StockMateria, number, "onOrder", r.onOrder.text());
            return plan;
        }
        const auto text = NumberText(*onOrder + plan.open);
        if (!text) {
            plan.error = RecordErrorOf(RecordError::TooLarge, DataFile::StockMateria, number, "onOrder",
                               DecimalText::FloatToStr(*onOrder + plan.open));
            return plan;
        }
        r.onOrder = *text;
    } else {
        const auto text = NumberText(plan.open);
        if (!text) {
            plan.error = RecordErrorOf(RecordError::TooLarge, DataFile::StockMateria, number, "onOrder",
                               DecimalText::FloatToStr(plan.open));
            return plan;
        }
        StockMateriaRecord r = stock.empty() ? EmptyRecord<StockMateriaRecord>() : stock.back();
        r.material.setBytes(order.material.bytes());
        r.stock = QStringLiteral("0");
        r.reserved = QStringLiteral("0");
        r.onOrder = *text;
        r.date = today;
        stock.push_back(r);
        plan.stockRecordAppended = true;
    }
    plan.stockFiles.emplace_back(DataFile::StockMateria, RecordBytes(stock, files.materialStockTail));
    return plan;
}

QString ReactivationOutcome::Message() const
{
    if (error)
        return Stock::RecordErrorText(*error);
    if (!orderFailure.isEmpty())
        return LangText(QStringLiteral("msg_ReactivateOrderFailed"),
                        QStringLiteral("The order was not re-activated; no file was changed:"))
               + QLatin1Char('\r') + orderFailure;
    if (!stockFailure.isEmpty())
        return LangText(QStringLiteral("msg_ReactivateStockFailed"),
                        QStringLiteral("The order is active again, but its stock update was not written (%1):"))
                   .arg(stockFiles.join(QStringLiteral(", ")))
               + QLatin1Char('\r') + stockFailure;
    return QString();
}

namespace {

template <class R>
ReactivationOutcome Reactivate(const QString& folder, Kind kind, qint64 index, const QString& today,
                               const RegionalSettings& regional)
{
    ReactivationOutcome out;
    const QString path = folder + OrderFileName(kind);
    R order = EmptyRecord<R>();
    StockFiles files;
    try {
        const std::vector<R> orders = ReadRecords<R>(path);
        if (index < 0 || index >= qint64(orders.size()))
            throw StoreError(QStringLiteral("No record %1 in \"%2\" (%3 records)").arg(index + 1).arg(path).arg(orders.size()));
        order = orders[size_t(index)];
        if (order.state != OrderArchived) {
            out.orderFailure = LangText(QStringLiteral("msg_ReactivateNotArchived"),
                                        QStringLiteral("Record %1 of %2 is not an archived order.")).arg(index + 1).arg(OrderFileName(kind));
            return out;
        }
        files.materialStockExists = QFileInfo::exists(folder + DataFile::StockMateria);
        files.materialStock = ReadRecords<StockMateriaRecord>(folder + DataFile::StockMateria, &files.materialStockTail);
        if (kind == Kind::ProductOrders) {
            files.productStock = ReadRecords<StockProdutoRecord>(folder + DataFile::StockProduto, &files.productStockTail);
            files.products = ReadRecords<ProdutoRecord>(folder + DataFile::Produtos);
        }
    } catch (const StoreError& e) {
        out.orderFailure = e.message();
        return out;
    }
    out.plan = PlanReactivation(order, index + 1, files, today, regional);
    if (out.plan.error) {
        out.error = out.plan.error;
        return out;
    }
    // The order first, in place: only its state changes.
    try {
        RecordFile<R> file(path);
        file.SeekRecord(index);
        R r = file.ReadNextRecord();
        r.state = OrderActive;
        file.SeekRecord(index);
        file.WriteRecordAt(r);
        file.CloseRecordFile();
    } catch (const StoreError& e) {
        out.orderFailure = e.message();
        return out;
    }
    if (!out.plan.updatesStock)
        return out;
    std::vector<std::pair<QString, QByteArray>> writes;
    for (const auto& [name, bytes] : out.plan.stockFiles) {
        out.stockFiles << name;
        writes.emplace_back(folder + name, bytes);
    }
    try {
        ReplaceFilesContents(writes);
    } catch (const StoreError& e) {
        out.stockFailure = e.message();
    }
    return out;
}

} // namespace

ReactivationOutcome ReactivateOrder(const QString& folder, Kind kind, qint64 recordIndex, const QString& today,
                                    const RegionalSettings& regional)
{
    if (kind == Kind::ProductOrders)
        return Reactivate<EncomProdutoRecord>(folder, kind, recordIndex, today, regional);
    return Reactivate<EncomMateriaRecord>(folder, kind, recordIndex, today, regional);
}

} // namespace OrderViews
