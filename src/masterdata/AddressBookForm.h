#pragma once

#include "shell/ScreenForm.h"

class QLabel;
class QLineEdit;
class SelectedRow;
class StringGrid;
class TRe2Buttn;

// The address-book screens: suppliers (TForm_Fornecedor) and clients (TForm_Cliente) edit files of
// the same records in the same way. Each names its own file and controls; only the supplier screen
// asks before adding a name that is already there.
class AddressBookForm : public ScreenForm {
    Q_OBJECT
public:
    // The names that make one address book.
    struct Names {
        QString file;          // data file
        const char* grid;      // main grid
        const char* rowLabel;  // hidden label of the selected row
        const char* edits[6];  // Nome, Contacto, Telefone, Fax, Email, Morada inputs
        const char* labels[6]; // their labels, in the same order
        const char* nameKey;   // language key and built-in caption of the name label
        const char* nameText;
        const char* addButton;
        const char* deleteButton;
        const char* closeButton;
        bool asksOnDuplicateName;
    };

    // Grid columns.
    enum Column { ColNome, ColContacto, ColTelefone, ColFax, ColEmail, ColMorada, ColRecord, ColumnCount };
    // Inputs, in the order of Names::edits.
    enum Input { InNome, InContacto, InTelefone, InFax, InEmail, InMorada, InputCount };

    AddressBookForm(const Names& names, QWidget* parent);

    QAbstractButton* CloseButton() const override;
    StringGrid* MainGrid() const override { return m_grid; }
    void ApplyFormLanguage() override;

    // Handlers.
    void GridDblClick(int row);
    void AddEditClick();
    void DeleteClick();

protected:
    void LoadData() override;

private:
    QString FilePath() const;
    void Reload();
    void ResetInputs();
    // Stores the inputs into record `index` (-1: a new record).
    void StoreInputs(qint64 index);
    // The first data row whose name equals the text exactly; 0 when none.
    int RowNamed(const QString& name) const;

    Names m_names;
    QLineEdit* m_edits[InputCount];
    QLabel* m_labels[InputCount];
    QLabel* m_rowLabel;
    StringGrid* m_grid;
    TRe2Buttn* m_add;
    TRe2Buttn* m_delete;
    TRe2Buttn* m_close;
    SelectedRow* m_selected;
};
