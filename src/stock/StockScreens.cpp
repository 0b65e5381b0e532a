#include "stock/StockScreens.h"

#include "i18n/Language.h"
#include "shell/GridRoutines.h"
#include "shell/ListFillers.h"
#include "shell/MessageBox.h"
#include "shell/ScreenControls.h"
#include "stock/StockBookings.h"
#include "shell/StringGrid.h"
#include "store/DecimalText.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace StockScreens {

bool IsNegative(const QString& text)
{
    const auto v = DecimalText::parse(text);
    return v && *v < 0;
}

QComboBox* NewOrderList(QWidget* parent, const char* name, const QList<int>& pieces)
{
    QComboBox* list = NewPickList(parent, name);
    SetTabbedItems(list, pieces);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(20);
    list->setEnabled(false);
    return list;
}

void RefillOrderList(QComboBox* list, const std::function<void(QComboBox*)>& fill)
{
    const QSignalBlocker block(list);
    list->clear();
    fill(list);
    list->setCurrentIndex(list->count() > 0 ? 0 : -1);
}

int RowOfRecord(const StringGrid* grid, int recordColumn, qint64 index)
{
    const QString record = QString::number(index + 1);
    const auto& rows = grid->rows();
    for (size_t r = 1; r < rows.size(); ++r)
        if (size_t(recordColumn) < rows[r].size() && rows[r][size_t(recordColumn)] == record)
            return int(r);
    return 0;
}

namespace {

template <class R>
void ShowOrder(QComboBox* list, int line, const R& order, const QString& first, const QString& second,
               const QString& received)
{
    if (order.state != OrderActive) {
        list->removeItem(line);
        return;
    }
    const double open = DecimalText::StrToFloatDef(order.quantity.text(), 0) - DecimalText::StrToFloatDef(received, 0);
    list->setItemText(line, OpenOrderLine(order.reference.text(), first, second, open));
}

} // namespace

void ShowOrderBooked(QComboBox* list, const StockBookings::RecordWrite& order)
{
    int line = -1;
    for (int i = 1; i < list->count() && line < 0; ++i)
        if (OpenOrderRecord(list, i) == order.index)
            line = i;
    if (line < 0)
        return;
    const QSignalBlocker block(list);
    if (const auto* o = std::get_if<EncomMateriaRecord>(&order.record))
        ShowOrder(list, line, *o, o->material.text(), o->materialReference.text(), o->received.text());
    else if (const auto* p = std::get_if<EncomProdutoRecord>(&order.record))
        ShowOrder(list, line, *p, p->product.text(), p->type.text(), p->delivered.text());
}

bool ShowRefusal(const StockBookings::BookingPlan& plan, const QString& mismatch)
{
    using StockBookings::BookingPlan;
    if (plan.error) {
        MessageBox::error(OrderCalculation::ErrorText(*plan.error));
        return false;
    }
    switch (plan.refusal) {
    case BookingPlan::NoRefusal: return true;
    case BookingPlan::NothingToBook: MessageBox::information(LangMsg[1]); break;
    case BookingPlan::NotEnoughStock: MessageBox::information(LangMsg[58]); break;
    case BookingPlan::OrderMismatch: MessageBox::information(mismatch); break;
    case BookingPlan::OrderNotOpen:
        MessageBox::information(LangText(QStringLiteral("msg_OrderNotOpen"),
                                         QStringLiteral("This 'Order' is no longer open: choose it again from the list.")));
        break;
    }
    return false;
}

} // namespace StockScreens
