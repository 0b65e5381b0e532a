#pragma once

#include "shell/ScreenForm.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class SelectedRow;
class StringGrid;
class TRe2Buttn;

// Products and their composition: edits Produtos.DAT, one line per raw material (or per component
// product of a composite product) with the production data of the product: moulds, cycles per
// hour, the raw material consumed per day and the operation that makes it.
class TForm_Produto : public ScreenForm {
    Q_OBJECT
public:
    // Grid columns.
    enum Column {
        ColProduto,
        ColTipo,
        ColMateriaPrima, // raw material, or the component's reference "name type"
        ColQuant,
        ColUn,
        ColOperacao,
        ColCiclo,
        ColQuantDia,
        ColRecord, // record number + 1
        ColMoldes,
        ColListText, // "name ¸ type", the product as the component list shows it
        ColComposto, // "True" on a composite line
        ColumnCount = 13
    };

    explicit TForm_Produto(QWidget* parent = nullptr);

    QAbstractButton* CloseButton() const override;
    StringGrid* MainGrid() const override { return StringGrid3; }
    void ApplyFormLanguage() override;

    // The product as the component list shows it, and as a composite line names it.
    static QString ListText(const QString& name, const QString& type);
    static QString Reference(const QString& name, const QString& type) { return name + ' ' + type; }

    // Handlers.
    void StringGrid3Click(int row);
    void StringGrid3DblClick(int row);
    void CheckBox_ProdutoCompostoClick();
    void Scroll_ProdutoMoldesChange();
    // Raw material per day, after every change of quantity, moulds or cycles.
    void RecalculateQuantDia();
    void Edit_ProdutoQuantExit();
    void Edit_ProdutoCicloExit();
    void Edit_ProdutoQuantDblClick();
    void Button_ProdutoAddClick();
    void Button_ProdutoCopyClick();
    void Button_ProdutoDeleteClick();

    QLabel* Label12;  // product
    QLabel* Label75;  // type
    QLabel* Label13;  // raw material
    QLabel* Label14;  // quantity
    QLabel* Label15;  // unit
    QLabel* Label149; // operation
    QLabel* Label67;  // moulds
    QLabel* Label20;  // cycles per hour
    QLabel* Label21;  // raw material per day
    QLabel* Label16;  // selected row (hidden)
    QComboBox* ComboBox_Produto;
    QComboBox* ComboBox_ProdutoCor;
    QComboBox* ComboBox_ProdutoMateria;
    QLineEdit* Edit_ProdutoQuant;
    QComboBox* ComboBox_ProdutoUn;
    QComboBox* ComboBox_ProdutoOperacao;
    QCheckBox* CheckBox_ProdutoComposto;
    QComboBox* ComboBox_ProdutoComposto;
    QLineEdit* Edit_ProdutoMoldes;
    QScrollBar* Scroll_ProdutoMoldes;
    QLineEdit* Edit_ProdutoCiclo;
    QLineEdit* Edit_ProdutoQuantDia;
    TRe2Buttn* Button_ProdutoAdd;
    TRe2Buttn* Button_ProdutoCopy;
    TRe2Buttn* Button_ProdutoDelete;
    TRe2Buttn* Button_ProdutoClose;
    StringGrid* StringGrid3;

protected:
    void LoadData() override;
    void FillLists() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Reload();
    void ResetInputs();
    // The component chosen in the list ("name type"), empty when none.
    QString ChosenComponent() const;
    // Cycles and quantity as numbers; on a text that is not one, its message and false.
    bool ReadNumbers(int& cycles, double& quantity, bool quiet = false) const;
    void StoreLine(qint64 index);
    bool ProductExists(const QString& name, const QString& type) const;

    SelectedRow* m_selected;
    bool m_recalculating = false;
};
