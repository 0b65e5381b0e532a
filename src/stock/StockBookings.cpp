#include "stock/StockBookings.h"

#include "i18n/Language.h"
#include "store/AccessPatterns.h"
#include "store/DecimalText.h"
#include "store/RecordFile.h"
#include "store/StoreError.h"

#include <QFileInfo>
#include <algorithm>

namespace StockBookings {

namespace {

CalcError Error(CalcError::Kind kind, const QString& file, qint64 record, const char* field, const QString& text)
{
    return CalcError::Make(kind, file, record, field, text);
}

template <int N>
std::optional<double> NumberOf(const FixedString<N>& field)
{
    return DecimalText::parse(field.text());
}

// A number field read for a booking, or the error naming it.
template <int N>
std::optional<CalcError> Read(const FixedString<N>& field, const QString& file, qint64 record, const char* name,
                              double& value)
{
    const auto v = NumberOf(field);
    if (!v)
        return Error(CalcError::BadNumber, file, record, name, field.text());
    value = *v;
    return std::nullopt;
}

// A number to be written into a field of the record, or the error naming it.
std::optional<CalcError> Text(double value, const QString& file, qint64 record, const char* name, QString& text)
{
    const auto t = QuantityText(value);
    if (!t)
        return Error(CalcError::TooLarge, file, record, name, DecimalText::FloatToStr(value));
    text = *t;
    return std::nullopt;
}

RecordWrite StockWrite(const QString& file, qint64 index, const QString& item)
{
    RecordWrite w;
    w.what = RecordWrite::StockRecord;
    w.file = file;
    w.index = index;
    w.item = item;
    return w;
}

template <class R>
void WriteOne(const QString& path, RecordWrite& write, const R& record)
{
    if (write.index < 0) {
        RecordFileBase::EnsureRecordFile(path);
        RecordFile<R> file(path);
        write.index = file.RecordCount();
        file.AppendRecord(record);
        file.CloseRecordFile();
        return;
    }
    RecordFile<R> file(path);
    file.SeekRecord(write.index);
    file.WriteRecordAt(record);
    file.CloseRecordFile();
}

} // namespace

// --- Primitives -------------------------------------------------------------------------------------

QString ProductText(const QString& product, const QString& type) { return product + QLatin1Char(' ') + type; }

std::optional<QString> QuantityText(double value)
{
    if (value == 0)
        value = 0; // never "-0"
    return DecimalText::FloatToStrFitting(value, QuantityWidth);
}

qsizetype FindMaterialStock(const std::vector<StockMateriaRecord>& records, const QString& material)
{
    const QByteArray key = Cp1252::encode(material);
    for (size_t i = 0; i < records.size(); ++i)
        if (records[i].material.equals(key))
            return qsizetype(i);
    return -1;
}

qsizetype FindProductStock(const std::vector<StockProdutoRecord>& records, const QString& product, const QString& type)
{
    const QByteArray p = Cp1252::encode(product);
    const QByteArray t = Cp1252::encode(type);
    for (size_t i = 0; i < records.size(); ++i)
        if (records[i].product.equals(p) && records[i].type.equals(t))
            return qsizetype(i);
    return -1;
}

std::optional<CalcError> ChangeProductStock(StockProdutoRecord& record, qint64 recordNumber, double stockChange,
                                            double orderedDown, const QString& date)
{
    const QString& file = DataFile::StockProduto;
    double stock = 0, ordered = 0;
    if (auto e = Read(record.stock, file, recordNumber, "stock", stock))
        return e;
    if (auto e = Read(record.ordered, file, recordNumber, "ordered", ordered))
        return e;
    const double newStock = stock + stockChange;
    const double newOrdered = orderedDown > 0 ? std::max(0.0, ordered - orderedDown) : ordered;
    QString stockText, orderedText, availableText;
    if (auto e = Text(newStock, file, recordNumber, "stock", stockText))
        return e;
    if (orderedDown > 0)
        if (auto e = Text(newOrdered, file, recordNumber, "ordered", orderedText))
            return e;
    if (auto e = Text(newStock - newOrdered, file, recordNumber, "available", availableText))
        return e;
    record.stock.setText(stockText);
    if (orderedDown > 0)
        record.ordered.setText(orderedText);
    record.available.setText(availableText);
    record.date.setText(date);
    return std::nullopt;
}

std::optional<CalcError> ChangeMaterialStock(StockMateriaRecord& record, qint64 recordNumber, double stockChange,
                                             double onOrderDown, const QString& date)
{
    const QString& file = DataFile::StockMateria;
    double stock = 0, onOrder = 0;
    if (auto e = Read(record.stock, file, recordNumber, "stock", stock))
        return e;
    QString stockText, onOrderText;
    if (auto e = Text(stock + stockChange, file, recordNumber, "stock", stockText))
        return e;
    if (onOrderDown > 0) {
        if (auto e = Read(record.onOrder, file, recordNumber, "on order", onOrder))
            return e;
        if (auto e = Text(std::max(0.0, onOrder - onOrderDown), file, recordNumber, "on order", onOrderText))
            return e;
    }
    record.stock.setText(stockText);
    if (onOrderDown > 0)
        record.onOrder.setText(onOrderText);
    record.date.setText(date);
    return std::nullopt;
}

StockProdutoRecord NewProductStock(const StockProdutoRecord* previous, const QString& product, const QString& type,
                                   const QString& date)
{
    StockProdutoRecord r = previous ? *previous : EmptyRecord<StockProdutoRecord>();
    r.product.setText(product);
    r.type.setText(type);
    r.stock.setText(QStringLiteral("0"));
    r.available.setText(QStringLiteral("0"));
    r.ordered.setText(QStringLiteral("0"));
    r.date.setText(date);
    return r;
}

StockMateriaRecord NewMaterialStock(const StockMateriaRecord* previous, const QString& material, const QString& date)
{
    StockMateriaRecord r = previous ? *previous : EmptyRecord<StockMateriaRecord>();
    r.material.setText(material);
    r.stock.setText(QStringLiteral("0"));
    r.reserved.setText(QStringLiteral("0"));
    r.onOrder.setText(QStringLiteral("0"));
    r.date.setText(date);
    return r;
}

MovimRecord Movement(const QString& item, const QString& quantity, const QString& movementDate, const QString& realDate,
                     const QString& code)
{
    MovimRecord m = EmptyRecord<MovimRecord>();
    m.item.setText(item);
    m.quantity.setText(quantity);
    m.movementDate.setText(movementDate);
    m.realDate.setText(realDate);
    m.type.setText(code);
    return m;
}

RecordWrite MovementWrite(const QString& file, const QString& item, const QString& quantity,
                          const QString& movementDate, const QString& realDate, const QString& code)
{
    RecordWrite w;
    w.what = RecordWrite::MovementRecord;
    w.file = file;
    w.index = -1;
    w.record = Movement(item, quantity, movementDate, realDate, code);
    w.item = item;
    w.code = code;
    w.quantity = quantity;
    return w;
}

void WriteRecord(const QString& folder, RecordWrite& write)
{
    const QString path = folder + write.file;
    std::visit([&](const auto& record) { WriteOne(path, write, record); }, write.record);
}

StockChangeOutcome PlanProductStockChange(const std::vector<StockProdutoRecord>& records, const QString& product,
                                          const QString& type, double stockChange, double orderedDown,
                                          const QString& date)
{
    StockChangeOutcome out;
    const qsizetype found = FindProductStock(records, product, type);
    StockProdutoRecord r = found >= 0 ? records[size_t(found)]
                                      : NewProductStock(records.empty() ? nullptr : &records.back(), product, type, date);
    const qint64 number = found >= 0 ? qint64(found) + 1 : qint64(records.size()) + 1;
    out.error = ChangeProductStock(r, number, stockChange, orderedDown, date);
    out.write = StockWrite(DataFile::StockProduto, found, ProductText(product, type));
    out.write.record = r;
    return out;
}

StockChangeOutcome ChangeProductStockIn(const QString& folder, const QString& product, const QString& type,
                                        double stockChange, double orderedDown, const QString& date)
{
    const QString path = folder + DataFile::StockProduto;
    RecordFileBase::EnsureRecordFile(path);
    StockChangeOutcome out =
        PlanProductStockChange(ReadAllRecords<StockProdutoRecord>(path), product, type, stockChange, orderedDown, date);
    if (out.ok())
        WriteRecord(folder, out.write);
    return out;
}

void AppendMovement(const QString& folder, const QString& file, const MovimRecord& movement)
{
    RecordWrite w;
    w.what = RecordWrite::MovementRecord;
    w.file = file;
    w.record = movement;
    WriteRecord(folder, w);
}

// --- Bookings ---------------------------------------------------------------------------------------

namespace {

// What both kinds of booking share: the stock record is changed step by step in memory, each step
// adding its records to the plan.
template <class R>
struct Planner {
    BookingPlan plan;
    R record;
    qint64 found;  // index of the item's record, -1 when it has none (it is then appended; an exit,
                   // which alone could follow an entry, is refused for an item without a record)
    qint64 number; // its record number (from 1), for the messages
    QString stockFile;

    Planner(const std::vector<R>& stock, qint64 index, const R& fresh, const QString& file)
        : record(index >= 0 ? stock[size_t(index)] : fresh), found(index),
          number(index >= 0 ? index + 1 : qint64(stock.size()) + 1), stockFile(file)
    {
    }

    // The stock record as it now is, to be written next.
    void stockWrite(const QString& item)
    {
        RecordWrite w = StockWrite(stockFile, found, item);
        w.record = record;
        plan.writes.push_back(w);
    }
};

bool Fails(BookingPlan& plan, std::optional<CalcError> error)
{
    if (!error)
        return false;
    plan.error = error;
    plan.writes.clear();
    return true;
}

// Whether an exit of q takes more than a record of the item holds (every record of it is checked;
// an item without a record holds nothing): then the plan is refused, or holds the error of a stock
// text that does not read.
template <class R, class IsItem>
bool ExceedsStock(BookingPlan& plan, const std::vector<R>& stock, const QString& file, double q, IsItem isItem)
{
    bool any = false;
    for (size_t i = 0; i < stock.size(); ++i) {
        if (!isItem(stock[i]))
            continue;
        any = true;
        double held = 0;
        if (Fails(plan, Read(stock[i].stock, file, qint64(i) + 1, "stock", held)))
            return true;
        if (held < q) {
            plan.refusal = BookingPlan::NotEnoughStock;
            return true;
        }
    }
    if (!any)
        plan.refusal = BookingPlan::NotEnoughStock;
    return !any;
}

// The order booked against, q further on: its received or delivered quantity (`done`) + q, archived
// once that reaches the quantity ordered; false (and the plan's error set) when a text does not read
// or the new quantity does not fit.
template <class Order, int N>
bool PlanOrderWrite(BookingPlan& plan, Order o, FixedString<N> Order::*done, const char* doneName, const QString& orderFile,
                    qint64 index, double q, const QString& item)
{
    const qint64 number = index + 1;
    double doneValue = 0, ordered = 0;
    QString doneText;
    if (Fails(plan, Read(o.*done, orderFile, number, doneName, doneValue))
        || Fails(plan, Read(o.quantity, orderFile, number, "quantity", ordered))
        || Fails(plan, Text(doneValue + q, orderFile, number, doneName, doneText)))
        return false;
    (o.*done).setText(doneText);
    if (doneValue + q >= ordered)
        o.state = OrderArchived;
    RecordWrite w;
    w.what = RecordWrite::OrderRecord;
    w.file = orderFile;
    w.index = index;
    w.record = o;
    w.item = item;
    w.code = o.reference.text();
    plan.writes.push_back(w);
    return true;
}

} // namespace

BookingPlan PlanMaterialBooking(const Booking& b, const std::vector<StockMateriaRecord>& stock,
                                const EncomMateriaRecord* order)
{
    const QString& file = DataFile::StockMateria;
    const QString& orderFile = DataFile::EncomMateria;
    const QString& movements = DataFile::MovimMateria;
    BookingPlan refused;
    if (!b.correction && b.entry <= 0 && b.exit <= 0) {
        refused.refusal = BookingPlan::NothingToBook;
        return refused;
    }

    const QByteArray key = Cp1252::encode(b.item);
    // The purchase order takes the entry.
    const bool againstOrder = b.order >= 0 && b.entry > 0 && !b.correction;
    if (againstOrder) {
        if (!order || order->state != OrderActive) {
            refused.refusal = BookingPlan::OrderNotOpen;
            return refused;
        }
        if (!order->material.equals(key)) {
            refused.refusal = BookingPlan::OrderMismatch;
            return refused;
        }
    }

    if (b.exit > 0 && ExceedsStock(refused, stock, file, b.exit, [&](const StockMateriaRecord& r) {
            return r.material.equals(key);
        }))
        return refused;

    const qsizetype index = FindMaterialStock(stock, b.item);
    Planner<StockMateriaRecord> p(stock, index,
                                  NewMaterialStock(stock.empty() ? nullptr : &stock.back(), b.item, b.date), file);
    BookingPlan& plan = p.plan;
    QString quantity;

    if (b.correction) {
        const double change = b.entry - b.exit;
        if (Fails(plan, ChangeMaterialStock(p.record, p.number, change, 0, b.date))
            || Fails(plan, Text(change, movements, 0, "quantity", quantity)))
            return plan;
        p.stockWrite(b.item);
        plan.writes.push_back(MovementWrite(movements, b.item, quantity, b.date, b.today, CorrectionCode));
        return plan;
    }

    if (b.entry > 0) {
        if (Fails(plan, ChangeMaterialStock(p.record, p.number, b.entry, againstOrder ? b.entry : 0, b.date))
            || Fails(plan, Text(b.entry, movements, 0, "quantity", quantity)))
            return plan;
        p.stockWrite(b.item);
        if (againstOrder && !PlanOrderWrite(plan, *order, &EncomMateriaRecord::received, "received", orderFile, b.order,
                                            b.entry, b.item))
            return plan;
        plan.writes.push_back(MovementWrite(movements, b.item, quantity, b.date, b.today, EntryCode));
    }
    if (b.exit > 0) {
        if (Fails(plan, ChangeMaterialStock(p.record, p.number, -b.exit, 0, b.date))
            || Fails(plan, Text(-b.exit, movements, 0, "quantity", quantity)))
            return plan;
        p.stockWrite(b.item);
        plan.writes.push_back(MovementWrite(movements, b.item, quantity, b.date, b.today, ExitCode));
    }
    return plan;
}

BookingPlan PlanProductBooking(const Booking& b, const std::vector<StockProdutoRecord>& stock,
                               const EncomProdutoRecord* order)
{
    const QString& file = DataFile::StockProduto;
    const QString& orderFile = DataFile::EncomProduto;
    const QString& movements = DataFile::MovimProduto;
    const QString item = ProductText(b.item, b.type);
    BookingPlan refused;
    if (!b.correction && b.entry <= 0 && b.exit <= 0) {
        refused.refusal = BookingPlan::NothingToBook;
        return refused;
    }

    const QByteArray productKey = Cp1252::encode(b.item);
    const QByteArray typeKey = Cp1252::encode(b.type);
    // The client order takes the exit.
    const bool againstOrder = b.order >= 0 && b.exit > 0 && !b.correction;
    if (againstOrder) {
        if (!order || order->state != OrderActive) {
            refused.refusal = BookingPlan::OrderNotOpen;
            return refused;
        }
        if (!order->product.equals(productKey) || !order->type.equals(typeKey)) {
            refused.refusal = BookingPlan::OrderMismatch;
            return refused;
        }
    }

    if (b.exit > 0 && ExceedsStock(refused, stock, file, b.exit, [&](const StockProdutoRecord& r) {
            return r.product.equals(productKey) && r.type.equals(typeKey);
        }))
        return refused;

    const qsizetype index = FindProductStock(stock, b.item, b.type);
    Planner<StockProdutoRecord> p(stock, index,
                                  NewProductStock(stock.empty() ? nullptr : &stock.back(), b.item, b.type, b.date), file);
    BookingPlan& plan = p.plan;
    QString quantity;

    if (b.correction) {
        const double change = b.entry - b.exit;
        if (Fails(plan, ChangeProductStock(p.record, p.number, change, 0, b.date))
            || Fails(plan, Text(change, movements, 0, "quantity", quantity)))
            return plan;
        p.stockWrite(item);
        plan.writes.push_back(MovementWrite(movements, item, quantity, b.date, b.today, CorrectionCode));
        return plan;
    }

    if (b.entry > 0) {
        if (Fails(plan, ChangeProductStock(p.record, p.number, b.entry, 0, b.date))
            || Fails(plan, Text(b.entry, movements, 0, "quantity", quantity)))
            return plan;
        p.stockWrite(item);
        plan.writes.push_back(MovementWrite(movements, item, quantity, b.date, b.today, EntryCode));
    }
    if (b.exit > 0) {
        if (Fails(plan, ChangeProductStock(p.record, p.number, -b.exit, againstOrder ? b.exit : 0, b.date))
            || Fails(plan, Text(-b.exit, movements, 0, "quantity", quantity)))
            return plan;
        p.stockWrite(item);
        if (againstOrder && !PlanOrderWrite(plan, *order, &EncomProdutoRecord::delivered, "delivered", orderFile, b.order,
                                            b.exit, item))
            return plan;
        plan.writes.push_back(MovementWrite(movements, item, quantity, b.date, b.today, ExitCode));
    }
    return plan;
}

namespace {

// The record at index of an order file; none when the file or the record is missing.
template <class R>
std::optional<R> ReadOrder(const QString& path, qint64 index)
{
    if (index < 0 || !QFileInfo::exists(path))
        return std::nullopt;
    RecordFile<R> file(path);
    if (index >= file.RecordCount())
        return std::nullopt;
    file.SeekRecord(index);
    return file.ReadNextRecord();
}

} // namespace

BookingPlan PlanMaterialBookingIn(const QString& folder, const Booking& booking)
{
    const auto stock = ReadAllRecordsIfExists<StockMateriaRecord>(folder + DataFile::StockMateria);
    const auto order = ReadOrder<EncomMateriaRecord>(folder + DataFile::EncomMateria, booking.order);
    return PlanMaterialBooking(booking, stock, order ? &*order : nullptr);
}

BookingPlan PlanProductBookingIn(const QString& folder, const Booking& booking)
{
    const auto stock = ReadAllRecordsIfExists<StockProdutoRecord>(folder + DataFile::StockProduto);
    const auto order = ReadOrder<EncomProdutoRecord>(folder + DataFile::EncomProduto, booking.order);
    return PlanProductBooking(booking, stock, order ? &*order : nullptr);
}

BookingResult WriteBooking(const QString& folder, const std::vector<RecordWrite>& writes)
{
    BookingResult result;
    for (size_t i = 0; i < writes.size(); ++i) {
        RecordWrite w = writes[i];
        try {
            WriteRecord(folder, w);
        } catch (const StoreError& e) {
            result.failure = e.message();
            result.notWritten.assign(writes.begin() + qsizetype(i), writes.end());
            return result;
        }
        result.written.push_back(w);
    }
    return result;
}

QString BookingFailureText(const BookingResult& result)
{
    auto place = [](const RecordWrite& w) {
        QString text = w.file;
        if (w.index >= 0)
            text += QStringLiteral(", ")
                    + LangText(QStringLiteral("msg_BookingRecord"), QStringLiteral("record %1")).arg(w.index + 1);
        return text;
    };
    auto line = [&](const RecordWrite& w) {
        switch (w.what) {
        case RecordWrite::StockRecord:
            return LangText(QStringLiteral("msg_BookingStockRecord"), QStringLiteral("the stock record of %1 (%2)"))
                .arg(w.item, place(w));
        case RecordWrite::OrderRecord:
            return LangText(QStringLiteral("msg_BookingOrderRecord"), QStringLiteral("the order %1 of %2 (%3)"))
                .arg(w.code, w.item, place(w));
        case RecordWrite::MovementRecord:
            return LangText(QStringLiteral("msg_BookingMovement"), QStringLiteral("the movement %1 %2 of %3 (%4)"))
                .arg(w.code, w.quantity, w.item, place(w));
        case RecordWrite::EquipmentRecord:
            return LangText(QStringLiteral("msg_BookingEquipmentRecord"), QStringLiteral("the new equipment %1 (%2)"))
                .arg(w.item, place(w));
        case RecordWrite::EntryRecord:
            return LangText(QStringLiteral("msg_BookingEntryRecord"),
                            QStringLiteral("the production entry of %1 on %2 (%3)"))
                .arg(w.item, w.code, place(w));
        }
        return QString();
    };
    auto lines = [&](const std::vector<RecordWrite>& writes) {
        QStringList out;
        for (const RecordWrite& w : writes)
            out << QStringLiteral("  ") + line(w);
        return out.join(QLatin1Char('\r'));
    };
    QString text = LangText(QStringLiteral("msg_BookingFailed"), QStringLiteral("The booking could not be completed:"))
                   + QLatin1Char('\r') + result.failure + QStringLiteral("\r\r");
    if (result.written.empty())
        return text + LangText(QStringLiteral("msg_BookingNothingWritten"), QStringLiteral("Nothing was written."));
    return text + LangText(QStringLiteral("msg_BookingWritten"), QStringLiteral("Written:")) + QLatin1Char('\r')
           + lines(result.written) + QStringLiteral("\r\r")
           + LangText(QStringLiteral("msg_BookingNotWritten"), QStringLiteral("Not written:")) + QLatin1Char('\r')
           + lines(result.notWritten) + QStringLiteral("\r\r")
           + LangText(QStringLiteral("msg_BookingCorrect"),
                      QStringLiteral("Please complete what was not written, or correct what was."));
}

} // namespace StockBookings
