#pragma once

#include "shell/ScreenForm.h"

#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class SelectedRow;
class StringGrid;
class TRe2Buttn;

namespace StockBookings {
struct RecordWrite;
}

// The stock of the products (StockProduto.DAT): one row per product and type with its stock,
// available quantity and quantity on client orders. Books an entry, an exit (optionally against an
// active client order, which it delivers) or a stock correction of one product and type, and
// removes a product that holds nothing.
class TForm_StockProd : public ScreenForm {
    Q_OBJECT
public:
    // Grid columns: five shown, date, record number and three empty ones hidden.
    enum Column { ColProduct, ColType, ColStock, ColAvailable, ColOrdered, ColDate, ColRecord, ColumnCount = 10 };

    explicit TForm_StockProd(QWidget* parent = nullptr);

    QAbstractButton* CloseButton() const override;
    StringGrid* MainGrid() const override { return StringGrid9; }
    void ApplyFormLanguage() override;

    // The manual-stock warning appears at most once per run; tests start a new "run".
    static bool ManualStockWarned();
    static void ResetManualStockWarning();

    // Handlers.
    void StringGrid9Click(int row);
    void StringGrid9DblClick(int row);
    void Edit_StockProdEntradaClick();
    void Edit_StockProdSaidaEnter();
    void Edit_StockProdSaidaExit();
    void Scroll_StockProdDataChange();
    void CheckBox_StockProdCorrectClick();
    void Button_StockProdAddClick();
    void Button_StockProdDeleteClick();

    QLabel* Label50; // product
    QLabel* Label77; // type
    QLabel* Label51; // entry
    QLabel* Label52; // exit
    QLabel* Label82; // exit for an order
    QLabel* Label58; // date
    QLabel* Label54; // selected row (hidden)
    QComboBox* ComboBox_StockProduto;
    QComboBox* ComboBox_StockProdutoCor;
    QLineEdit* Edit_StockProdData;
    QScrollBar* Scroll_StockProdData;
    QLineEdit* Edit_StockProdEntrada;
    QLineEdit* Edit_StockProdSaida;
    QCheckBox* CheckBox_StockProdCorrect;
    QComboBox* ComboBox_StockProdSaidaEncom;
    TRe2Buttn* Button_StockProdAdd;
    TRe2Buttn* Button_StockProdDelete;
    TRe2Buttn* Button_StockProdClose;
    StringGrid* StringGrid9;

protected:
    void LoadData() override;
    void FillLists() override;
    void FormCloseScreen() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Reload();
    void FillOrderList();
    void ChooseNoOrder();
    // The records a booking wrote, shown in their rows and order line (a new product reloads).
    void ShowBooked(const std::vector<StockBookings::RecordWrite>& written);

    SelectedRow* m_selected;
};
