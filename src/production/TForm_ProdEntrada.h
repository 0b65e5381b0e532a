#pragma once

#include "production/ProductionEntrySummary.h"
#include "shell/ScreenForm.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class StringGrid;
class TRe2Buttn;

// Production entries: what was produced on an equipment during a shift (units entered and rejected,
// and how the shift's hours were spent). Each entry is checked against the shift and the hours the
// equipment still has that day, and books the product's stock and movements (see
// ProductionBooking). The list shows one row per product and type: its stock and the hours summed.
class TForm_ProdEntrada : public ScreenForm {
    Q_OBJECT
public:
    using Column = Production::SummaryRow::Column;

    explicit TForm_ProdEntrada(QWidget* parent = nullptr);
    ~TForm_ProdEntrada() override;

    QAbstractButton* CloseButton() const override;
    StringGrid* MainGrid() const override { return StringGrid14; }
    void ApplyFormLanguage() override;

    // Handlers.
    void ComboBox_ProdEntrShiftChange(const QString& text);
    void ScrollBar_ProdEntrShiftChange(int position);
    void Scroll_ProdEntrDataChange(int position);
    void CheckBox_ProdEntrOperationClick();
    void StringGrid14Click(int row);
    void StringGrid14DblClick(int row);
    void Button_ProdEntradaAddClick();

    const Production::EntrySummary& Summary() const { return m_summary; }

    QLabel* Label83; // product
    QLabel* Label92; // type
    QLabel* Label89; // operator
    QLabel* Label88; // shifts
    QLabel* Label90; // equipment
    QLabel* Label91; // date
    QLabel* Label84; // entered
    QLabel* Label85; // rejected
    QLabel* Label93; // production hours
    QLabel* Label94; // setup
    QLabel* Label81; // breakdown
    QLabel* Label96; // material
    QLabel* Label97; // personnel
    QLabel* Label95; // other
    QLabel* Label87; // selected row (hidden)
    QComboBox* ComboBox_ProdEntrProduto;
    QComboBox* ComboBox_ProdEntrProdutoCor;
    QLineEdit* Edit_ProdEntrOp;
    QComboBox* ComboBox_ProdEntrShift;
    QScrollBar* ScrollBar_ProdEntrShift;
    QComboBox* ComboBox_ProdEntrRecurso;
    QLineEdit* Edit_ProdEntrData;
    QScrollBar* Scroll_ProdEntrData;
    QLineEdit* Edit_ProdEntrEntrada;
    QLineEdit* Edit_ProdEntrSaida;
    QLineEdit* Edit_ProdEntrHProd;
    QLineEdit* Edit_ProdEntrHArranq;
    QLineEdit* Edit_ProdEntrHAvaria;
    QLineEdit* Edit_ProdEntrHMater;
    QLineEdit* Edit_ProdEntrHPess;
    QLineEdit* Edit_ProdEntrHOutros;
    QCheckBox* CheckBox_ProdEntrOperation;
    QWidget* Shape_ProdEntrHours; // the frame around the hours
    TRe2Buttn* Button_ProdEntradaAdd;
    TRe2Buttn* Button_ProdEntradaDelete;
    TRe2Buttn* Button_ProdEntradaClose;
    StringGrid* StringGrid14;

protected:
    void LoadData() override;
    void FillLists() override;
    void AfterShow() override;
    void FormCloseScreen() override;
    void paintEvent(QPaintEvent* event) override;

private:
    void LoadShifts();
    // HorasProducao.DAT and StockProduto.DAT into the list.
    void LoadSummary();
    void ShowSummary();
    // The six hour boxes, in the order of the record.
    QList<QLineEdit*> HourBoxes() const;
    // After a booking: the entry joins its row of the list (or a new one) with the stock booked.
    void ShowBookedEntry(const HorasProducaoRecord& record, const std::optional<QString>& stock);
    void UpdateOperationCaption();

    Production::EntrySummary m_summary;
    bool m_addingShift = false;
};
