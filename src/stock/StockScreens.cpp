#include "stock/StockScreens.h"

#include "i18n/Language.h"
#include "shell/GridRoutines.h"
#include "shell/MessageBox.h"
#include "shell/ScreenControls.h"
#include "stock/StockBookings.h"
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
