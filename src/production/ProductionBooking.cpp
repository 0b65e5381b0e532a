#include "production/ProductionBooking.h"

#include "i18n/Language.h"
#include "orders/OrderCalculation.h"
#include "store/AccessPatterns.h"
#include "store/Cp1252.h"
#include "store/DateText.h"
#include "store/DecimalText.h"
#include "store/StoreError.h"

#include <cmath>

namespace Production {

namespace {

// A thousandth of an hour: below it two sums of hours are the same.
constexpr double kHoursTolerance = 1e-3;
// Width of the quantity fields of StockProduto.DAT and MovimProduto.DAT.
constexpr int kQuantityWidth = 10;

QString Written(const QString& key, const QString& builtIn) { return LangText(key, builtIn); }

} // namespace

// --- Shifts ------------------------------------------------------------------------------------

QStringList ShiftList(const QString& shiftHours)
{
    QStringList list;
    for (qsizetype i = 0; i + 1 < shiftHours.size(); i += 2)
        list << shiftHours.mid(i, 2);
    return list;
}

QString ShiftText(int hours) { return QStringLiteral("%1").arg(hours, 2, 10, QLatin1Char('0')); }

TypedShift ReadTypedShift(const QString& typed, const QStringList& list)
{
    TypedShift t;
    if (list.contains(typed)) {
        t.kind = TypedShift::Listed;
        t.text = typed;
        return t;
    }
    if (typed.trimmed().isEmpty())
        return t;
    if (!DecimalText::parse(typed)) {
        t.kind = TypedShift::NotANumber;
        return t;
    }
    const auto hours = DecimalText::parseInt(typed);
    if (!hours || *hours <= 0) {
        t.kind = TypedShift::NoShift;
        return t;
    }
    t.text = ShiftText(*hours);
    t.kind = list.contains(t.text) ? TypedShift::Listed : TypedShift::New;
    return t;
}

ShiftFit FitShift(double shiftHours, double entryHours)
{
    if (entryHours > shiftHours + kHoursTolerance)
        return ShiftFit::TooMany;
    if (entryHours < shiftHours - kHoursTolerance)
        return ShiftFit::TooFew;
    return ShiftFit::Exact;
}

bool PassesDay(double alreadyEntered, double entryHours, int hoursPerDay)
{
    return alreadyEntered + entryHours > double(hoursPerDay) + kHoursTolerance;
}

// --- The entry ---------------------------------------------------------------------------------

QString EntryNote(int shift, const QString& operatorName)
{
    return (ShiftText(shift) + operatorName.trimmed().left(7)).left(9);
}

HorasProducaoRecord EntryRecord(const EntryInput& input, const QDate& today)
{
    auto r = EmptyRecord<HorasProducaoRecord>();
    r.product = input.product;
    r.type = input.type;
    r.entered = input.entered.trimmed();
    r.rejected = input.rejected.trimmed();
    const auto date = DateText::parse(input.date);
    r.date = date ? DateText::DateToStr(*date) : input.date.trimmed();
    r.secondDate = DateText::DateToStr(today);
    r.note = EntryNote(input.shift, input.operatorName);
    r.operationOnly = input.operationOnly ? 1 : 0;
    r.equipment = input.equipment;
    FixedString<6>* hours[HoursCount] = {&r.productionHours, &r.setupHours,     &r.breakdownHours,
                                         &r.materialHours,   &r.personnelHours, &r.otherHours};
    for (int h = 0; h < HoursCount; ++h)
        hours[h]->setText(input.hours[size_t(h)].trimmed());
    return r;
}

BookingOutcome BookProductionEntry(const QString& folder, const EntryInput& input, bool addEquipment,
                                   const QDate& today, const RegionalSettings& regional)
{
    const ScopedRegionalSettings scoped(regional);
    BookingOutcome out;
    const QString productText = input.product + QLatin1Char(' ') + input.type;

    // Every record is made before the first write.
    const auto entered = DecimalText::parse(input.entered.trimmed().isEmpty() ? QStringLiteral("0") : input.entered);
    const auto rejected = DecimalText::parse(input.rejected.trimmed().isEmpty() ? QStringLiteral("0") : input.rejected);
    const auto production = DecimalText::parse(input.hours[Production].trimmed().isEmpty() ? QStringLiteral("0")
                                                                                             : input.hours[Production]);
    if (!entered || !rejected || !production) {
        const QString bad = !entered ? input.entered : !rejected ? input.rejected : input.hours[Production];
        out.message = QLatin1Char('\'') + bad + QLatin1Char('\'') + LangMsg[4];
        return out;
    }
    const HorasProducaoRecord entry = EntryRecord(input, today);
    const QString todayText = DateText::DateToStr(today);

    struct Movement {
        const char* type;
        double quantity;
    };
    std::vector<Movement> movements;
    if (input.operationOnly) {
        movements.push_back({"HP", *production});
    } else {
        if (*entered != 0)
            movements.push_back({"EP", *entered});
        if (*rejected != 0)
            movements.push_back({"RP", -*rejected});
    }
    std::vector<MovimRecord> movementRecords;
    for (const Movement& m : movements) {
        auto r = EmptyRecord<MovimRecord>();
        r.item = productText;
        const auto text = DecimalText::FloatToStrFitting(m.quantity, kQuantityWidth);
        if (!text) {
            out.message = Written(QStringLiteral("msg_TooLargeForField"), QStringLiteral("'%1' is too large for its field."))
                              .arg(DecimalText::FloatToStr(m.quantity));
            return out;
        }
        r.quantity = *text;
        r.movementDate = entry.date.text();
        r.realDate = todayText;
        r.type = QLatin1String(m.type);
        movementRecords.push_back(r);
    }

    auto failed = [&](const QString& file, const QString& systemText) {
        QString m = Written(QStringLiteral("msg_WriteFailed"), QStringLiteral("%1 could not be written:")).arg(file)
                    + QLatin1Char('\r') + systemText + QStringLiteral("\r\r");
        if (out.written.isEmpty())
            m += Written(QStringLiteral("msg_NothingWritten"), QStringLiteral("Nothing was written."));
        else
            m += Written(QStringLiteral("msg_WrittenBefore"), QStringLiteral("Written before, and kept:"))
                 + QLatin1Char('\r') + out.written.join(QLatin1Char('\r'));
        out.message = m;
        out.ok = false;
        return out;
    };

    // 1. The stock of the product.
    const double net = *entered - *rejected;
    if (!input.operationOnly && net != 0) {
        const QString path = folder + DataFile::StockProduto;
        const QByteArray product = Cp1252::encode(input.product).left(30);
        const QByteArray type = Cp1252::encode(input.type).left(20);
        std::optional<OrderCalculation::CalcError> error;
        QString stockText;
        try {
            qint64 k = 0;
            UpdateOrAppend<StockProdutoRecord>(
                path,
                [&](const StockProdutoRecord& r) {
                    ++k;
                    return r.product.equals(product) && r.type.equals(type);
                },
                [&](StockProdutoRecord& r) {
                    auto bad = [&](OrderCalculation::CalcError::Kind kind, const char* field, const QString& text) {
                        error = OrderCalculation::CalcError{kind, DataFile::StockProduto, k, QLatin1String(field), text};
                    };
                    const QString stockBefore = r.stock.text();
                    const auto stock = DecimalText::parse(stockBefore.trimmed().isEmpty() ? QStringLiteral("0") : stockBefore);
                    if (!stock)
                        return bad(OrderCalculation::CalcError::BadNumber, "stock", stockBefore);
                    const QString orderedText = r.ordered.text();
                    const auto ordered = DecimalText::parse(orderedText.trimmed().isEmpty() ? QStringLiteral("0") : orderedText);
                    if (!ordered)
                        return bad(OrderCalculation::CalcError::BadNumber, "ordered", orderedText);
                    const auto newStock = DecimalText::FloatToStrFitting(*stock + net, kQuantityWidth);
                    const auto available = DecimalText::FloatToStrFitting(*stock + net - *ordered, kQuantityWidth);
                    if (!newStock || !available)
                        return bad(OrderCalculation::CalcError::TooLarge, "stock", stockBefore);
                    // The record is changed only when every text converted.
                    r.stock = *newStock;
                    r.available = *available;
                    r.date = todayText;
                    stockText = *newStock;
                },
                [&](StockProdutoRecord& r) {
                    r = EmptyRecord<StockProdutoRecord>(); // a new record holds nothing of another
                    r.product = input.product;
                    r.type = input.type;
                    stockText = DecimalText::FloatToStrFitting(net, kQuantityWidth).value_or(QStringLiteral("0"));
                    r.stock = stockText;
                    r.available = stockText;
                    r.ordered = QStringLiteral("0");
                    r.date = todayText;
                });
        } catch (const StoreError& e) {
            return failed(DataFile::StockProduto, e.message());
        }
        if (error) {
            out.message = OrderCalculation::ErrorText(*error);
            return out;
        }
        out.stock = stockText;
        out.written << Written(QStringLiteral("msg_WrittenStock"), QStringLiteral("%1: the stock of %2, now %3"))
                           .arg(DataFile::StockProduto, productText, stockText);
    }

    // 2. A new equipment.
    if (addEquipment) {
        auto r = EmptyRecord<EquipamentoRecord>();
        r.Equipamento = input.equipment;
        r.Quant = QStringLiteral("0");
        r.Custo = QStringLiteral("0");
        try {
            AppendOne<EquipamentoRecord>(folder + DataFile::Equipamentos, r);
        } catch (const StoreError& e) {
            return failed(DataFile::Equipamentos, e.message());
        }
        out.written << Written(QStringLiteral("msg_WrittenEquipment"), QStringLiteral("%1: the new equipment %2"))
                           .arg(DataFile::Equipamentos, input.equipment);
    }

    // 3. The entry.
    try {
        AppendOne<HorasProducaoRecord>(folder + DataFile::HorasProducao, entry);
    } catch (const StoreError& e) {
        return failed(DataFile::HorasProducao, e.message());
    }
    out.written << Written(QStringLiteral("msg_WrittenEntry"), QStringLiteral("%1: the production entry of %2 on %3"))
                       .arg(DataFile::HorasProducao, productText, entry.date.text());

    // 4. The movements.
    for (const MovimRecord& m : movementRecords) {
        try {
            AppendOne<MovimRecord>(folder + DataFile::MovimProduto, m);
        } catch (const StoreError& e) {
            return failed(DataFile::MovimProduto, e.message());
        }
        out.written << Written(QStringLiteral("msg_WrittenMovement"), QStringLiteral("%1: the movement %2 of %3"))
                           .arg(DataFile::MovimProduto, m.type.text(), m.quantity.text());
    }
    out.ok = true;
    return out;
}

} // namespace Production
