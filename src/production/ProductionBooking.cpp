#include "production/ProductionBooking.h"

#include "i18n/Language.h"
#include "orders/OrderCalculation.h"
#include "store/AccessPatterns.h"
#include "store/DateText.h"
#include "store/DecimalText.h"
#include "store/StoreError.h"

#include <cmath>

namespace Production {

namespace {

// A thousandth of an hour: below it two sums of hours are the same.
constexpr double kHoursTolerance = 1e-3;

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

EntryPlan PlanProductionEntry(const EntryInput& input, bool addEquipment,
                              const std::vector<StockProdutoRecord>& stock, const QDate& today)
{
    using StockBookings::RecordWrite;
    EntryPlan plan;
    const QString productText = StockBookings::ProductText(input.product, input.type);
    auto number = [](const QString& text) {
        return DecimalText::parse(text.trimmed().isEmpty() ? QStringLiteral("0") : text);
    };
    const auto entered = number(input.entered);
    const auto rejected = number(input.rejected);
    const auto production = number(input.hours[Production]);
    if (!entered || !rejected || !production) {
        const QString bad = !entered ? input.entered : !rejected ? input.rejected : input.hours[Production];
        plan.refusal = QLatin1Char('\'') + bad + QLatin1Char('\'') + LangMsg[4];
        return plan;
    }
    const HorasProducaoRecord entry = EntryRecord(input, today);
    const QString todayText = DateText::DateToStr(today);
    auto refuse = [&](const OrderCalculation::CalcError& error) {
        plan.refusal = OrderCalculation::ErrorText(error);
        plan.writes.clear();
        return plan;
    };

    // 1. The stock of the product.
    const double net = *entered - *rejected;
    if (!input.operationOnly && net != 0) {
        StockBookings::StockChangeOutcome change =
            StockBookings::PlanProductStockChange(stock, input.product, input.type, net, 0, todayText);
        if (change.error)
            return refuse(*change.error);
        plan.writes.push_back(change.write);
    }

    // 2. A new equipment.
    if (addEquipment) {
        auto r = EmptyRecord<EquipamentoRecord>();
        r.Equipamento = input.equipment;
        r.Quant = QStringLiteral("0");
        r.Custo = QStringLiteral("0");
        RecordWrite w;
        w.what = RecordWrite::EquipmentRecord;
        w.file = DataFile::Equipamentos;
        w.record = r;
        w.item = input.equipment;
        plan.writes.push_back(w);
    }

    // 3. The entry.
    {
        RecordWrite w;
        w.what = RecordWrite::EntryRecord;
        w.file = DataFile::HorasProducao;
        w.record = entry;
        w.item = productText;
        w.code = entry.date.text();
        plan.writes.push_back(w);
    }

    // 4. The movements.
    struct Movement {
        const QString& code;
        double quantity;
    };
    std::vector<Movement> movements;
    if (input.operationOnly) {
        movements.push_back({StockBookings::ProductionHoursCode, *production});
    } else {
        if (*entered != 0)
            movements.push_back({StockBookings::ProductionEntryCode, *entered});
        if (*rejected != 0)
            movements.push_back({StockBookings::ProductionRejectCode, -*rejected});
    }
    for (const Movement& m : movements) {
        const auto quantity = StockBookings::QuantityText(m.quantity);
        if (!quantity)
            return refuse(OrderCalculation::CalcError::Make(OrderCalculation::CalcError::TooLarge,
                                                            DataFile::MovimProduto, 0, "quantity",
                                                            DecimalText::FloatToStr(m.quantity)));
        plan.writes.push_back(StockBookings::MovementWrite(DataFile::MovimProduto, productText, *quantity,
                                                           entry.date.text(), todayText, m.code));
    }
    return plan;
}

BookingOutcome BookProductionEntry(const QString& folder, const EntryInput& input, bool addEquipment,
                                   const QDate& today, const RegionalSettings& regional)
{
    const ScopedRegionalSettings scoped(regional);
    BookingOutcome out;
    EntryPlan plan;
    try {
        const auto stock = input.operationOnly
                               ? std::vector<StockProdutoRecord>()
                               : ReadAllRecordsIfExists<StockProdutoRecord>(folder + DataFile::StockProduto);
        plan = PlanProductionEntry(input, addEquipment, stock, today);
    } catch (const StoreError& e) {
        out.message = e.message(); // nothing was written
        return out;
    }
    if (!plan.ok()) {
        out.message = plan.refusal;
        return out;
    }
    StockBookings::BookingResult result = StockBookings::WriteBooking(folder, plan.writes);
    for (const StockBookings::RecordWrite& w : result.written)
        if (w.what == StockBookings::RecordWrite::StockRecord)
            out.stock = std::get<StockProdutoRecord>(w.record).stock.text();
    out.ok = result.ok();
    if (!out.ok)
        out.message = StockBookings::BookingFailureText(result);
    out.written = std::move(result.written);
    return out;
}

} // namespace Production
