#pragma once

#include "production/ProductCosts.h"
#include "shell/ScreenForm.h"

class QComboBox;
class QLabel;
class QLineEdit;
class StringGrid;
class TRe2Buttn;

// The cost of each product made on each equipment: the rate achieved, the equipment's cost per
// unit, the raw-material cost per unit and their total; read only. The list shows every product or
// the one chosen; a click on a row shows its unit cost.
class TForm_Custo : public ScreenForm {
    Q_OBJECT
public:
    enum Column {
        ColProduto,
        ColEquip,
        ColCycle,    // units per hour
        ColMachine,  // equipment cost per unit
        ColMaterial, // raw-material cost per unit
        ColTotal,
        ColIndex,    // hidden: the row's place in the computed list
        ColumnCount
    };

    explicit TForm_Custo(QWidget* parent = nullptr);

    QAbstractButton* CloseButton() const override;
    StringGrid* MainGrid() const override { return StringGrid17; }
    void ApplyFormLanguage() override;

    // Handlers.
    void StringGrid17Click(int row);
    void ComboBox_CustoProdutoChange();

    const Production::ProductCostList& Costs() const { return m_costs; }

    QLabel* Label114; // product
    QComboBox* ComboBox_CustoProduto;
    QLabel* Label115; // unit cost
    QLineEdit* Edit_CustoProduto;
    TRe2Buttn* Button_CustoClose;
    StringGrid* StringGrid17;

protected:
    void FormShow() override;

private:
    // Lists the rows of the product (every row for an empty text or "( show all )").
    void ListRows(const QString& product);

    Production::ProductCostList m_costs;
    std::vector<std::vector<QString>> m_rowTexts; // the cells of each computed row, made once
};
