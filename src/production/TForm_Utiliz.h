#pragma once

#include "production/UtilisationIndices.h"
#include "shell/ScreenForm.h"

#include <QPointer>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollBar;
class QToolButton;
class StringGrid;
class TForm2;
class TForm4;
class TRe2Buttn;

// Utilisation indices of the equipment or of the products: units, units per production hour, and
// the split of the recorded hours into production, breakdowns and other stops (with the hours an
// equipment did not work, when the company counts them); one equipment or product can be chosen.
// "by month ..." tabulates the production hours by month in the result lists window, "chart" shows
// the split of the whole list as a pie.
class TForm_Utiliz : public ScreenForm {
    Q_OBJECT
public:
    enum Column {
        ColKey,
        ColQuant,
        ColCycle,
        ColProd,
        ColProdShare,
        ColBreakdown,
        ColBreakdownShare,
        ColStops,
        ColStopsShare,
        ColBlank,     // hidden from here on
        ColIndex,     // the row's place in the computed list, from 1
        ColSetup,     // setup, breakdown, material, personnel, other hours
        ColBreakdownHours,
        ColMaterial,
        ColPersonnel,
        ColOther,
        ColStartDate, // earliest production date
        ColNoWork,    // estimated hours without work
        ColumnCount
    };

    explicit TForm_Utiliz(QWidget* parent = nullptr);
    ~TForm_Utiliz() override;

    QAbstractButton* CloseButton() const override;
    StringGrid* MainGrid() const override { return StringGrid16; }
    void ApplyFormLanguage() override;

    // Handlers.
    void RadioButton_UtilizEquipClick();
    void RadioButton_UtilizProdutoClick();
    // The change of either list: "( show all )" loads the mode again, a name filters by it.
    void ComboBox_PanelUtilizProdChange();
    void StringGrid16Click(int row);
    void Button_UtilizCalcClick();
    void Button_UtilizDateOkClick();
    void Button_UtilizDateCancelClick();
    void Button_UtilizChartClick();

    Production::UtilizMode Mode() const { return m_mode; }
    const Production::Utilisation& Result() const { return m_result; }
    // The result lists window (its utilisation panel holds the table by month) and the chart window.
    TForm2* ListWindow() const;
    TForm4* ChartWindow() const;
    // The "( show all )" entry of the lists.
    static QString ShowAll();

    QRadioButton* RadioButton_UtilizEquip;
    QRadioButton* RadioButton_UtilizProduto;
    QLabel* Label107; // "Produto / Equipamento"
    QComboBox* ComboBox_PanelUtilizEquip;
    QComboBox* ComboBox_PanelUtilizProd;
    TRe2Buttn* Button_UtilizCalc;
    TRe2Buttn* Button_UtilizChart;
    TRe2Buttn* Button_UtilizClose;
    StringGrid* StringGrid16;

    // The summary of the selected row.
    QLabel* Label_UtilizStart;
    QLineEdit* Edit10; // start date
    QLabel* Label_UtilizNoWork;
    QLineEdit* Edit9; // no work
    QLabel* Label_UtilizTotal;
    QLineEdit* Edit_UtilizQuant; // total units
    QLabel* Label_UtilizProd;
    QLineEdit* Edit5; // production hours
    QLabel* Label111;
    QLineEdit* Edit4; // setup
    QLabel* Label110;
    QLineEdit* Edit3; // breakdown
    QLabel* Label109;
    QLineEdit* Edit2; // personnel
    QLabel* Label108;
    QLineEdit* Edit1; // other

    // The date chooser of "by month ...".
    QFrame* Panel_UtilizDate;
    QLabel* Label_caption;
    QToolButton* SpeedButton_UtilizDateClose;
    QLabel* Label_UtilizDateFrom;
    QLineEdit* Edit_UtilizDateFrom;
    QScrollBar* Scroll_UtilizDateFrom;
    QLabel* Label_UtilizDateTo;
    QLineEdit* Edit_UtilizDateTo;
    QScrollBar* Scroll_UtilizDateTo;
    TRe2Buttn* Button_UtilizDateOk;
    TRe2Buttn* Button_UtilizDateCancel;

protected:
    void FormShow() override;
    void FormCloseScreen() override;

private:
    void LoadMode(Production::UtilizMode mode);
    void Filter(const QString& key);
    // The computed list into the grid, the date chooser and the chart.
    void ShowResult();
    void ClearSummary();
    void ShowNoWorkBoxes(bool show);
    void ParkDateChooser();
    Production::UtilizSettings Settings() const;

    std::vector<Production::ProductionEntry> m_entries;
    Production::UtilizMode m_mode = Production::UtilizMode::Equipment;
    Production::Utilisation m_result;
    QPointer<TForm2> m_list;
    QPointer<TForm4> m_chart;
};
