#pragma once

#include "shell/ScreenForm.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class SelectedRow;
class StringGrid;
class TRe2Buttn;

// Equipment: edits Equipamentos.DAT, the machines and work stations with their kind, number of
// identical units, cost per hour and the operation they perform.
class TForm_Equipamento : public ScreenForm {
    Q_OBJECT
public:
    // Grid columns.
    enum Column { ColEquipamento, ColCusto, ColTipo, ColQuant, ColOperacao, ColRecord, ColumnCount };

    explicit TForm_Equipamento(QWidget* parent = nullptr);

    QAbstractButton* CloseButton() const override;
    StringGrid* MainGrid() const override { return StringGrid12; }
    void ApplyFormLanguage() override;

    // Handlers.
    void StringGrid12DblClick(int row);
    void Scroll_EquipQuantChange();
    void Button_EquipAddClick();
    void Button_EquipDeleteClick();

    QLabel* Label68;  // name
    QLabel* Label69;  // kind
    QLabel* Label99;  // cost per hour
    QLabel* Label70;  // units
    QLabel* Label149; // operation
    QLabel* Label72;  // selected row (hidden)
    QComboBox* ComboBox_Equip;
    QComboBox* ComboBox_EquipTipo;
    QLineEdit* Edit_EquipCusto;
    QLineEdit* Edit_EquipQuant;
    QScrollBar* Scroll_EquipQuant;
    QComboBox* ComboBox_EquipOperacao;
    TRe2Buttn* Button_EquipAdd;
    TRe2Buttn* Button_EquipDelete;
    TRe2Buttn* Button_EquipClose;
    StringGrid* StringGrid12;

protected:
    void LoadData() override;
    void FillLists() override;

private:
    void Reload();
    void ResetInputs();
    void SetUnits(int units);

    SelectedRow* m_selected;
};
