#pragma once

#include "shell/ScreenForm.h"

#include <QHash>
#include <QPointer>
#include <QStringList>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QScrollBar;
class SelectedRow;
class StringGrid;
class TForm2;
class TRe2Buttn;

namespace StockBookings {
struct RecordWrite;
}
namespace StockCalculation {
struct NeedRow;
}

// The stock of the raw materials (StockMateria.DAT): one row per material with its stock, unit,
// reserved quantity, available quantity and quantity on order. Two variants:
// - stock entry: book an entry (optionally against an open purchase order), an exit or a stock
//   correction of one material; remove a material that holds nothing;
// - stock calculation: "Calculate" works out what the products in shortfall reserve, what is on
//   order and available, and shows the needs list with the run-out dates in the result lists
//   window.
class TForm_Stock : public ScreenForm {
    Q_OBJECT
public:
    enum Mode { StockEntry, StockPlanning };
    // Grid columns: six shown, date and record number hidden.
    enum Column { ColMaterial, ColStock, ColUnit, ColReserved, ColAvailable, ColOnOrder, ColDate, ColRecord, ColumnCount };

    TForm_Stock(QWidget* parent, Mode mode);
    ~TForm_Stock() override;

    QAbstractButton* CloseButton() const override;
    StringGrid* MainGrid() const override { return StringGrid5; }
    void ApplyFormLanguage() override;

    Mode ScreenMode() const { return m_mode; }
    // The result lists window of the screen.
    TForm2* ResultWindow() const;

    // Handlers.
    void StringGrid5Click(int row);
    void StringGrid5DblClick(int row);
    void Edit_StockEntradaEnter();
    void Edit_StockEntradaExit();
    void Scroll_StockDataChange();
    void CheckBox_StockCorrectClick();
    void ComboBox_StockMateriaPrimaChange();
    void Button_StockAddClick();
    void Button_StockDeleteClick();
    void Button_StockCalculateClick();
    void Button_StockDetailClick();

    QLabel* Label25;  // raw material
    QLabel* Label_StockRef; // reference
    QLabel* Label26;  // entry
    QLabel* Label27;  // exit
    QLabel* Label101; // entry for an order
    QLabel* Label49;  // date
    QLabel* Label29;  // selected row (hidden)
    QComboBox* ComboBox_StockMateriaPrima;
    QComboBox* ComboBox_StockMateriaPrimaRef;
    QLineEdit* Edit_StockData;
    QScrollBar* Scroll_StockData;
    QLineEdit* Edit_StockEntrada;
    QLineEdit* Edit_StockSaida;
    QCheckBox* CheckBox_StockCorrect;
    QComboBox* ComboBox_StockEntradaEncom;
    TRe2Buttn* Button_StockAdd;
    TRe2Buttn* Button_StockDelete;
    TRe2Buttn* Button_StockCalculate;
    TRe2Buttn* Button_StockDetail;
    TRe2Buttn* Button_StockClose;
    StringGrid* StringGrid5;

protected:
    void LoadData() override;
    void FillLists() override;
    void AfterShow() override;
    void FormCloseScreen() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpMode();
    void Reload();
    void FillOrderList();
    void ChooseNoOrder();
    // The records a booking wrote, shown in their rows and order line (a new material reloads).
    void ShowBooked(const std::vector<StockBookings::RecordWrite>& written);
    // The needs list into the result lists window, and back from it.
    void FillNeedsList(const std::vector<StockCalculation::NeedRow>& needs);
    std::vector<StockCalculation::NeedRow> NeedsOnScreen() const;

    Mode m_mode;
    QGridLayout* m_inputs;
    SelectedRow* m_selected;
    QPointer<TForm2> m_form2;
    QHash<QString, QStringList> m_references; // the suppliers' references of each material
};
