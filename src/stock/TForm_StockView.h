#pragma once

#include "shell/ScreenForm.h"

class QComboBox;
class QLabel;
class QLineEdit;
class StringGrid;
class TRe2Buttn;

// The raw-material stock list, read only: every record of StockMateria.DAT or those of one
// material chosen in the list, with the unit of each material and the date of the clicked row.
class TForm_StockView : public ScreenForm {
    Q_OBJECT
public:
    explicit TForm_StockView(QWidget* parent = nullptr);

    QAbstractButton* CloseButton() const override;
    StringGrid* MainGrid() const override { return StringGrid7; }
    void ApplyFormLanguage() override;

    // Handlers.
    void ComboBox_MateriaViewChange();
    void StringGrid7Click(int row);
    void Button_StockViewFileClick();

    QLabel* Label39; // material
    QLabel* Label40; // last movement
    QComboBox* ComboBox_MateriaView;
    QLineEdit* Edit_StockViewDate;
    TRe2Buttn* Button_StockViewFile;
    TRe2Buttn* Button_StockViewClose;
    StringGrid* StringGrid7;

protected:
    void LoadData() override;
    void FillLists() override;
    void AfterShow() override;

private:
    // Lists the records of the material (every record for the show-all item); the materials of
    // the file are noted for the list.
    void ListRecords(const QString& material);

    QStringList m_materials;
};
