#include "masterdata/AddressBookForm.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "shell/Globals.h"
#include "shell/GridRoutines.h"
#include "shell/InputChecks.h"
#include "shell/MessageBox.h"
#include "shell/RecordEditing.h"
#include "shell/ScreenControls.h"
#include "shell/StringGrid.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

// Input limits, in the order of the inputs.
constexpr int kLimits[AddressBookForm::InputCount] = {30, 15, 15, 15, 35, 150};

} // namespace

AddressBookForm::AddressBookForm(const Names& names, QWidget* parent) : ScreenForm(parent), m_names(names)
{
    m_grid = Named(new StringGrid(this), names.grid);
    m_grid->setColCount(ColumnCount);
    m_grid->setColWidths(ColMorada, 320);
    m_grid->setColWidths(ColRecord, 0); // record number + 1

    const QString captions[InputCount] = {QString::fromUtf8(names.nameText), QStringLiteral("Contacto"),
                                          QStringLiteral("Telefone"), QStringLiteral("Fax"), QStringLiteral("Email"),
                                          QStringLiteral("Morada")};
    for (int i = 0; i < InputCount; ++i) {
        m_labels[i] = NewLabel(this, names.labels[i], captions[i]);
        m_edits[i] = NewEdit(this, names.edits[i], kLimits[i]);
        m_labels[i]->setBuddy(m_edits[i]);
    }
    m_rowLabel = NewRowLabel(this, names.rowLabel);
    m_add = NewModeButton(this, names.addButton);
    m_delete = NewButton(this, names.deleteButton, Caption::Delete());
    m_close = NewButton(this, names.closeButton, Caption::Close());

    // Name, contact, telephone / fax, e-mail / address.
    const EditorLayout layout = BuildEditorLayout(this, m_grid);
    PlaceInput(layout.inputs, 0, 0, m_labels[InNome], m_edits[InNome], 2);
    PlaceInput(layout.inputs, 0, 2, m_labels[InContacto], m_edits[InContacto]);
    PlaceInput(layout.inputs, 0, 3, m_labels[InTelefone], m_edits[InTelefone]);
    PlaceInput(layout.inputs, 1, 0, m_labels[InFax], m_edits[InFax]);
    PlaceInput(layout.inputs, 1, 1, m_labels[InEmail], m_edits[InEmail], 3);
    PlaceInput(layout.inputs, 2, 0, m_labels[InMorada], m_edits[InMorada], 4);
    for (int col = 0; col < 4; ++col)
        layout.inputs->setColumnStretch(col, 1);
    layout.buttons->addWidget(m_add);
    layout.buttons->addWidget(m_delete);
    layout.buttons->addStretch(1);
    layout.buttons->addWidget(m_close);
    setTabOrder(m_edits[InNome], m_edits[InContacto]);
    setTabOrder(m_edits[InContacto], m_edits[InTelefone]);
    setTabOrder(m_edits[InTelefone], m_edits[InFax]);
    setTabOrder(m_edits[InFax], m_edits[InEmail]);
    setTabOrder(m_edits[InEmail], m_edits[InMorada]);
    setTabOrder(m_edits[InMorada], m_add);

    m_selected = new SelectedRow(m_rowLabel, m_grid, ColRecord, m_add, this);
    setColumnShares({0.30, 0.18, 0.15, 0.15, 0.22});
    setInitialSortColumn(ColNome);
    setFirstInput(m_edits[InNome]);

    connect(m_grid, &StringGrid::cellDoubleClicked, this, [this](int, int row) { GridDblClick(row); });
    connect(m_add, &QAbstractButton::clicked, this, &AddressBookForm::AddEditClick);
    connect(m_delete, &QAbstractButton::clicked, this, &AddressBookForm::DeleteClick);
}

QAbstractButton* AddressBookForm::CloseButton() const { return m_close; }

QString AddressBookForm::FilePath() const { return DataFilePath(m_names.file); }

void AddressBookForm::ApplyFormLanguage()
{
    SetCaption(m_labels[InNome], QString::fromLatin1(m_names.nameKey), QString::fromUtf8(m_names.nameText));
    SetCaption(m_labels[InContacto], QStringLiteral("label_5"), QStringLiteral("Contacto"));
    SetCaption(m_labels[InTelefone], QStringLiteral("label_42"), QStringLiteral("Telefone"));
    SetCaption(m_labels[InMorada], QStringLiteral("label_25"), QStringLiteral("Morada"));
    SetCaption(m_labels[InFax], QStringLiteral("label_fax"), QStringLiteral("Fax"));
    SetCaption(m_labels[InEmail], QStringLiteral("label_email"), QStringLiteral("Email"));
    // The grid's titles are the captions of the inputs.
    const Input shown[] = {InNome, InContacto, InTelefone, InFax, InEmail, InMorada};
    const Column columns[] = {ColNome, ColContacto, ColTelefone, ColFax, ColEmail, ColMorada};
    for (int i = 0; i < 6; ++i)
        m_grid->setCells(columns[i], 0, m_labels[shown[i]]->text());
}

void AddressBookForm::LoadData()
{
    const qint64 n = LoadGrid<FornecedorRecord>(m_grid, FilePath(), true, [](const FornecedorRecord& r, qint64 k) {
        return QStringList{r.Nome.text(),
                           BlankWhenEmpty(r.Contacto.text()),
                           BlankWhenEmpty(r.Telefone.text()),
                           BlankWhenEmpty(r.Fax.text()),
                           BlankWhenEmpty(r.Email.text()),
                           BlankWhenEmpty(r.Morada.text()),
                           QString::number(k)};
    });
    m_selected->Loaded(n);
}

void AddressBookForm::Reload()
{
    LoadData();
    m_grid->FitFirstColumn();
    SortGridByColumn(m_grid, ColNome);
    m_selected->Relocate();
}

void AddressBookForm::GridDblClick(int row)
{
    if (m_grid->Cells(ColNome, 1).isEmpty() || row < 1)
        return;
    m_edits[InNome]->setText(m_grid->Cells(ColNome, row));
    m_edits[InContacto]->setText(m_grid->Cells(ColContacto, row).trimmed());
    m_edits[InTelefone]->setText(m_grid->Cells(ColTelefone, row).trimmed());
    m_edits[InFax]->setText(m_grid->Cells(ColFax, row).trimmed());
    m_edits[InEmail]->setText(m_grid->Cells(ColEmail, row).trimmed());
    m_edits[InMorada]->setText(m_grid->Cells(ColMorada, row).trimmed());
    m_selected->Select(row);
    SetEditMode(m_add, true);
    m_edits[InNome]->setEnabled(false);
}

void AddressBookForm::AddEditClick()
{
    const QString name = m_edits[InNome]->text();
    if (name.trimmed().isEmpty()) {
        MessageBox::information(MissingInputText({m_labels[InNome]->text()}));
        m_edits[InNome]->setFocus();
        return;
    }
    if (HasIllegalCharacters(name))
        return;

    const bool edit = IsEditMode(m_add);
    if (m_names.asksOnDuplicateName && !edit) {
        if (const int row = RowNamed(name)) {
            // The supplier is there already: replace it, or store nothing.
            if (MessageBox::ask("'" + name + "' " + LangMsg[51], MessageBox::OkNo) == MessageBox::Ok) {
                Hourglass hourglass;
                StoreInputs(m_grid->Cells(ColRecord, row).toLongLong() - 1);
                Reload();
            }
            return;
        }
    }
    if (edit && m_selected->RecordIndex() < 0) {
        MessageBox::information(LangMsg[22]);
        return;
    }
    Hourglass hourglass;
    StoreInputs(edit ? m_selected->RecordIndex() : -1);
    ResetInputs();
    Reload();
}

void AddressBookForm::DeleteClick()
{
    const bool edit = IsEditMode(m_add);
    if (!DeleteSelectedRecord<FornecedorRecord>(FilePath(), *m_selected))
        return;
    if (edit)
        ResetInputs(); // the record on show is gone
    Reload();
}

void AddressBookForm::StoreInputs(qint64 index)
{
    StoreRecord<FornecedorRecord>(FilePath(), index, [this](FornecedorRecord& r) {
        r.Nome = m_edits[InNome]->text();
        r.Contacto = m_edits[InContacto]->text();
        r.Telefone = m_edits[InTelefone]->text();
        r.Fax = m_edits[InFax]->text();
        r.Email = m_edits[InEmail]->text();
        r.Morada = m_edits[InMorada]->text();
    });
}

void AddressBookForm::ResetInputs()
{
    SetEditMode(m_add, false);
    m_selected->Forget();
    m_edits[InNome]->setEnabled(true);
    for (QLineEdit* edit : m_edits)
        edit->clear();
    m_edits[InNome]->setFocus();
}

int AddressBookForm::RowNamed(const QString& name) const
{
    for (int row = 1; row < m_grid->RowCount(); ++row)
        if (m_grid->Cells(ColNome, row) == name && !m_grid->Cells(ColRecord, row).isEmpty())
            return row;
    return 0;
}
