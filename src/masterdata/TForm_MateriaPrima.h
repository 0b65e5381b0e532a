#pragma once

#include "shell/ScreenForm.h"

class QComboBox;
class QLabel;
class QLineEdit;
class SelectedRow;
class StringGrid;
class TRe2Buttn;

// Raw materials: edits MateriasPrimas.DAT, one line per pair of raw material and supplier with the
// supplier's reference, the price and the unit.
class TForm_MateriaPrima : public ScreenForm {
    Q_OBJECT
public:
    // Grid columns.
    enum Column { ColMateriaPrima, ColReferencia, ColPreco, ColUn, ColFornecedor, ColRecord, ColumnCount = 7 };

    explicit TForm_MateriaPrima(QWidget* parent = nullptr);

    QAbstractButton* CloseButton() const override;
    StringGrid* MainGrid() const override { return StringGrid1; }
    void ApplyFormLanguage() override;

    // Handlers.
    void StringGrid1Click(int row);
    void StringGrid1DblClick(int row);
    void Button_MateriaAddClick();
    void Button_MateriaDeleteClick();

    QLabel* Label1;   // raw material
    QLabel* Label112; // reference
    QLabel* Label2;   // price
    QLabel* Label4;   // unit
    QLabel* Label3;   // supplier
    QLabel* Label5;   // selected row (hidden)
    QComboBox* ComboBox_MateriaPrima;
    QLineEdit* Edit_MatPrimaRef;
    QLineEdit* Edit_MateriaPreco;
    QComboBox* ComboBox_MateriaUn;
    QComboBox* ComboBox_MateriaFornecedor;
    TRe2Buttn* Button_MateriaAdd;
    TRe2Buttn* Button_MateriaDelete;
    TRe2Buttn* Button_MateriaClose;
    StringGrid* StringGrid1;

protected:
    void LoadData() override;
    void FillLists() override;

private:
    void Reload();
    void ResetInputs();
    void StoreLine(qint64 index);

    SelectedRow* m_selected;
};
