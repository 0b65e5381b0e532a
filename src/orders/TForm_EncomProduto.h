#pragma once

#include "shell/ScreenForm.h"

#include <QPointer>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class SelectedRow;
class StringGrid;
class TForm2;
class TRe2Buttn;

namespace OrderCalculation {
struct DeliveryList;
}

// Client orders of products (EncomProduto.DAT), in two variants:
// - order entry: enter, edit, archive, hold and remove orders; archived orders are not listed;
// - order planning: the active orders, read-only, and "Calculate", which brings the ordered and
//   available quantities of StockProduto.DAT up to date and shows the delivery dates of every
//   ordered product in the result lists window.
class TForm_EncomProduto : public ScreenForm {
    Q_OBJECT
public:
    enum Mode { OrderEntry, OrderPlanning };
    // Grid columns: five shown, the others hidden.
    enum Column {
        ColProduct, ColType, ColClient, ColQuantity, ColDate, ColSecondDate, ColRecord, ColReference, ColDateKey,
        ColState, ColDelivered, ColumnCount = 13
    };

    TForm_EncomProduto(QWidget* parent, Mode mode);
    ~TForm_EncomProduto() override;

    QAbstractButton* CloseButton() const override;
    StringGrid* MainGrid() const override { return StringGrid6; }
    void ApplyFormLanguage() override;

    Mode ScreenMode() const { return m_mode; }
    // "encomenda" (order entry) or "plano" (order planning).
    QString OrderScreenMode() const;
    // The result lists window of the screen.
    TForm2* ResultWindow() const;

    // Handlers.
    void StringGrid6Click(int row);
    void StringGrid6DblClick(int row);
    void Edit_EncomendaQuantExit();
    void Scroll_EncomendaDataChange();
    void CheckBox_EncomendaDoneClick();
    void CheckBox_EncomendaHoldClick();
    void Button_EncomendaAddClick();
    void Button_EncomendaDeleteClick();
    void Button_EncomendaCalculateClick();
    void Button_EncomendaDetailClick();

    QLabel* Label33;  // product
    QLabel* Label78;  // type
    QLabel* Label34;  // client
    QLabel* Label35;  // quantity
    QLabel* Label38;  // date
    QLabel* Label105; // reference
    QLabel* Label106; // delivered
    QLabel* Label37;  // selected row (hidden)
    QComboBox* ComboBox_Produto;
    QComboBox* ComboBox_ProdutoCor;
    QComboBox* ComboBox_EncomendaCliente;
    QLineEdit* Edit_EncomendaQuant;
    QLineEdit* Edit_EncomendaData;
    QScrollBar* Scroll_EncomendaData;
    QLineEdit* Edit_EncomendaRef;
    QLineEdit* Edit_EncomendaQuantExec;
    QCheckBox* CheckBox_EncomendaDone;
    QCheckBox* CheckBox_EncomendaHold;
    TRe2Buttn* Button_EncomendaAdd;
    TRe2Buttn* Button_EncomendaDelete;
    TRe2Buttn* Button_EncomendaCalculate;
    TRe2Buttn* Button_EncomendaDetail;
    TRe2Buttn* Button_EncomendaClose;
    StringGrid* StringGrid6;

protected:
    void LoadData() override;
    void FillLists() override;
    void FormCloseScreen() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpMode();
    void Reload();
    void ResetInputs();
    void StoreOrder(qint64 index);
    bool IsProductionOrder(int row) const;
    // The delivery-dates list into the result lists window.
    void FillDeliveryList(const OrderCalculation::DeliveryList& list);

    Mode m_mode;
    SelectedRow* m_selected;
    QPointer<TForm2> m_form2;
    QString m_rateProblems; // shown once the delivery list is on screen
    bool m_checkingQuantity = false;
};
