#pragma once

#include "production/ProductionPlan.h"
#include "shell/ScreenForm.h"

#include <QPixmap>
#include <QPointer>

class QComboBox;
class QLabel;
class QLineEdit;
class StringGrid;
class TForm2;
class TRe2Buttn;

// The production plan: every product whose stock does not cover its open orders, with the quantity
// to produce and the working days that takes, as a bar of green day cells in a chart of the days
// from today (days not worked shaded grey). Each product is given a main equipment in the chart;
// "Calculate" lays the products of each equipment end to end and shows their start and end dates
// in the production plan list of the result lists window.
class TForm_ProducaoPlan : public ScreenForm {
    Q_OBJECT
public:
    enum Column { ColProduct, ColQuantity, ColDays, ColEquipment, ColPicture, ColFirstDay };

    explicit TForm_ProducaoPlan(QWidget* parent = nullptr);
    ~TForm_ProducaoPlan() override;

    QAbstractButton* CloseButton() const override;
    StringGrid* MainGrid() const override { return StringGrid11; }
    void ApplyFormLanguage() override;

    // Handlers.
    void StringGrid11MouseDown(Qt::MouseButton button, int col, int row);
    void ComboBox_MainEquipChange(int index);
    void Button_ProducaoPlanCalculateClick();
    void Button_ProducaoPlanDetailClick();

    // The result lists window of the screen.
    TForm2* ResultWindow() const;
    const ProductionPlan::PlanChart& Chart() const { return m_chart; }
    // The first day of the chart (today when it was built).
    QDate FirstDay() const { return m_firstDay; }
    // Whether the day cell (col >= ColFirstDay) of a data row is green, and whether its day is worked.
    bool IsBarCell(int col, int row) const;
    bool IsWorkingDayColumn(int col) const;

    QLabel* Label62; // product
    QLineEdit* Edit_ProducaoPlanProduto; // the product of the selected row
    QLabel* Label73; // main equipment
    QComboBox* ComboBox_MainEquip;
    // An alternative equipment, the client and the final date take no part in the plan yet: shown
    // disabled.
    QLabel* Label74;
    QComboBox* ComboBox_AltEquip;
    QLabel* Label64;
    QLineEdit* Edit_ProducaoPlanCliente;
    QLabel* Label63;
    QLineEdit* Edit_ProducaoPlanDataFinal;
    TRe2Buttn* Button_ProducaoPlanCalculate;
    TRe2Buttn* Button_ProducaoPlanDetail;
    TRe2Buttn* Button_ProducaoPlanClose;
    StringGrid* StringGrid11;
    QPixmap Image1; // the equipment button drawn in column 4

protected:
    void LoadData() override;
    void FillLists() override;
    void AfterShow() override;
    void FormCloseScreen() override;

private:
    void BuildChart();
    void SetChartTitles();
    void FitFixedColumns();
    void FillPlanList(const std::vector<ProductionPlan::EquipmentPlan>& plan);
    void ShowSelectedProduct();

    ProductionPlan::PlanChart m_chart;
    QDate m_firstDay;
    std::vector<int> m_dayNumbers; // working-day number of each day column, -1 when not worked
    int m_daysPerWeek = 7;
    QPointer<TForm2> m_form2;
};
