#pragma once

#include "orders/OrderViews.h"
#include "shell/ScreenForm.h"

class QComboBox;
class QLabel;
class QLineEdit;
class StringGrid;
class TRe2Buttn;
class TwoColumnItemDelegate;

// The orders view: every order of EncomProduto.DAT or of EncomMateria.DAT, archived ones included,
// filtered by item or by state, with the total of the active orders listed and the date, reference
// and delivered (received) quantity of the clicked row. An archived order can be made active again
// ("Reactivar Encomenda"), which puts its open quantity back into the stock bookkeeping, and an
// inactive order can be removed.
class TForm_EncomendaView : public ScreenForm {
    Q_OBJECT
public:
    using Kind = OrderViews::Kind;
    enum Column {
        ColItem = OrderViews::ColItem,
        ColParty = OrderViews::ColParty,
        ColQuantity = OrderViews::ColQuantity,
        ColDate = OrderViews::ColDate,
        ColState = OrderViews::ColState,
        ColSecondDate = OrderViews::ColSecondDate,
        ColRecord = OrderViews::ColRecord,
        ColReference = OrderViews::ColReference,
        ColDateKey = OrderViews::ColDateKey,
        ColDone = OrderViews::ColDone,
        ColumnCount = OrderViews::ColumnCount
    };

    TForm_EncomendaView(QWidget* parent, Kind kind);

    QAbstractButton* CloseButton() const override;
    StringGrid* MainGrid() const override { return StringGrid15; }
    // The texts of the screen, then those of its kind of orders.
    void ApplyFormLanguage() override;

    Kind ViewKind() const { return m_kind; }
    // "Produto" or "MatPrima".
    QString OrderViewMode() const { return OrderViews::OrderViewMode(m_kind); }
    const OrderViews::OrderList& Orders() const { return m_list; }
    // The offset of the second column of the filter's items.
    int FilterOffset() const;

    // Handlers.
    void ComboBox_EncomendaViewChange();
    void StringGrid15Click(int row);
    void Button_EncomendaViewUndoneClick();
    void Button_EncomendaViewDeleteClick();

    QLabel* Label102; // the filter: product or raw material
    QComboBox* ComboBox_EncomendaView;
    QLabel* Label120; // total
    QLineEdit* Edit_EncomendaViewQuant;
    QLabel* Label103; // date of the row
    QLineEdit* Edit_EncomendaViewDate;
    QLabel* Label104; // reference of the row
    QLineEdit* Edit_EncomendaViewRef;
    QLabel* Label106; // delivered or received
    QLineEdit* Edit_EncomendaViewQuantExec;
    TRe2Buttn* Button_EncomendaViewUndone;
    TRe2Buttn* Button_EncomendaViewDelete;
    TRe2Buttn* Button_EncomendaViewClose;
    StringGrid* StringGrid15;

protected:
    void FormShow() override;
    void FormCloseScreen() override;

private:
    // Reads the order file and fills the filter list; the entry shown stays chosen when it is
    // still there, otherwise "( show all )".
    void LoadOrders();
    // The orders under the chosen filter entry into the list, sorted by date (SortGridByColumn on the
    // date key, done once for every order).
    void ListOrders();
    void ShowTotal();
    QString OrderPath() const;

    Kind m_kind;
    OrderViews::OrderList m_list;
    OrderViews::Selection m_selection;
    std::vector<qsizetype> m_sorted; // every order (its index), in the order the list shows them by date
    TwoColumnItemDelegate* m_itemDelegate = nullptr;
};
