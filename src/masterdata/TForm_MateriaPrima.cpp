#include "masterdata/TForm_MateriaPrima.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "shell/Globals.h"
#include "shell/GridRoutines.h"
#include "shell/InputChecks.h"
#include "shell/ListFillers.h"
#include "shell/MessageBox.h"
#include "shell/RecordEditing.h"
#include "shell/ScreenControls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

QString MaterialFile() { return DataFilePath(DataFile::MateriasPrimas); }

} // namespace

TForm_MateriaPrima::TForm_MateriaPrima(QWidget* parent) : ScreenForm(parent)
{
    setObjectName(QStringLiteral("TForm_MateriaPrima"));
    StringGrid1 = Named(new StringGrid(this), "StringGrid1");
    StringGrid1->setColCount(ColumnCount);
    StringGrid1->setColWidths(ColRecord, 0); // record number + 1
    StringGrid1->setColWidths(ColRecord + 1, 0);

    Label1 = NewLabel(this, "Label1", QString::fromUtf8("Matéria Prima"));
    Label112 = NewLabel(this, "Label112", QStringLiteral("Referencia"));
    Label2 = NewLabel(this, "Label2", QString::fromUtf8("Preço"));
    Label4 = NewLabel(this, "Label4", QStringLiteral("un."));
    Label3 = NewLabel(this, "Label3", QStringLiteral("Fornecedor"));
    Label5 = NewRowLabel(this, "Label5");
    ComboBox_MateriaPrima = NewEditableList(this, "ComboBox_MateriaPrima", 40, true);
    Edit_MatPrimaRef = NewEdit(this, "Edit_MatPrimaRef", 15);
    Edit_MateriaPreco = NewEdit(this, "Edit_MateriaPreco", 10);
    SetQuantityKeys(Edit_MateriaPreco);
    ComboBox_MateriaUn = NewEditableList(this, "ComboBox_MateriaUn", 5, false);
    ComboBox_MateriaUn->addItems({QStringLiteral("kg"), QStringLiteral("un"), QStringLiteral("m"), QStringLiteral("l")});
    ClearListText(ComboBox_MateriaUn);
    ComboBox_MateriaFornecedor = NewEditableList(this, "ComboBox_MateriaFornecedor", 30, true);
    Button_MateriaAdd = NewModeButton(this, "Button_MateriaAdd");
    Button_MateriaDelete = NewButton(this, "Button_MateriaDelete", Caption::Delete());
    Button_MateriaClose = NewButton(this, "Button_MateriaClose", Caption::Close());

    // Raw material, reference / price, unit, supplier.
    const EditorLayout layout = BuildEditorLayout(this, StringGrid1);
    Edit_MateriaPreco->setFixedWidth(90);
    ComboBox_MateriaUn->setFixedWidth(70);
    PlaceInput(layout.inputs, 0, 0, Label1, ComboBox_MateriaPrima, 3);
    PlaceInput(layout.inputs, 0, 3, Label112, Edit_MatPrimaRef);
    PlaceInput(layout.inputs, 1, 0, Label2, Edit_MateriaPreco);
    PlaceInput(layout.inputs, 1, 1, Label4, ComboBox_MateriaUn);
    PlaceInput(layout.inputs, 1, 2, Label3, ComboBox_MateriaFornecedor, 2);
    layout.inputs->setColumnStretch(2, 2);
    layout.inputs->setColumnStretch(3, 2);
    layout.buttons->addWidget(Button_MateriaAdd);
    layout.buttons->addWidget(Button_MateriaDelete);
    layout.buttons->addStretch(1);
    layout.buttons->addWidget(Button_MateriaClose);
    setTabOrder(ComboBox_MateriaPrima, Edit_MatPrimaRef);
    setTabOrder(Edit_MatPrimaRef, Edit_MateriaPreco);
    setTabOrder(Edit_MateriaPreco, ComboBox_MateriaUn);
    setTabOrder(ComboBox_MateriaUn, ComboBox_MateriaFornecedor);
    setTabOrder(ComboBox_MateriaFornecedor, Button_MateriaAdd);

    m_selected = new SelectedRow(Label5, StringGrid1, ColRecord, Button_MateriaAdd, this);
    setColumnShares({0.42, 0.15, 0.09, 0.04, 0.30});
    setInitialSortColumn(ColMateriaPrima);
    setFirstInput(ComboBox_MateriaPrima);

    connect(StringGrid1, &StringGrid::cellClicked, this, [this](int, int row) { StringGrid1Click(row); });
    connect(StringGrid1, &StringGrid::cellDoubleClicked, this, [this](int, int row) { StringGrid1DblClick(row); });
    connect(Button_MateriaAdd, &QAbstractButton::clicked, this, &TForm_MateriaPrima::Button_MateriaAddClick);
    connect(Button_MateriaDelete, &QAbstractButton::clicked, this, &TForm_MateriaPrima::Button_MateriaDeleteClick);
}

QAbstractButton* TForm_MateriaPrima::CloseButton() const { return Button_MateriaClose; }

void TForm_MateriaPrima::ApplyFormLanguage()
{
    SetCaption(Label1, QStringLiteral("label_23"), QString::fromUtf8("Matéria Prima"));
    SetCaption(Label112, QStringLiteral("label_35"), QStringLiteral("Referencia"));
    SetCaption(Label2, QStringLiteral("label_30"), QString::fromUtf8("Preço"));
    SetCaption(Label3, QStringLiteral("label_19"), QStringLiteral("Fornecedor"));
    SetCaption(Label4, QStringLiteral("label_unit"), QStringLiteral("un."));
    // The grid's titles are the captions of the inputs.
    StringGrid1->setCells(ColMateriaPrima, 0, Label1->text());
    StringGrid1->setCells(ColReferencia, 0, Label112->text());
    StringGrid1->setCells(ColPreco, 0, Label2->text());
    StringGrid1->setCells(ColUn, 0, Label4->text());
    StringGrid1->setCells(ColFornecedor, 0, Label3->text());
}

void TForm_MateriaPrima::LoadData()
{
    QStringList names;
    const qint64 n = LoadGrid<MateriaPrimaRecord>(StringGrid1, MaterialFile(), true,
                                                  [&](const MateriaPrimaRecord& r, qint64 k) {
                                                      names << r.MateriaPrima.text();
                                                      const QString unit = r.Un.text();
                                                      return QStringList{r.MateriaPrima.text(),
                                                                         BlankWhenEmpty(r.Referencia.text()),
                                                                         BlankWhenEmpty(r.Preco.text()),
                                                                         BlankWhenEmpty(unit.trimmed().isEmpty() ? QString() : unit),
                                                                         BlankWhenEmpty(r.Fornecedor.text()),
                                                                         QString::number(k)};
                                                  });
    RefillList(ComboBox_MateriaPrima, [&](QComboBox* list) { AddUniqueItems(list, names); });
    m_selected->Loaded(n);
}

void TForm_MateriaPrima::FillLists()
{
    RefillList(ComboBox_MateriaFornecedor, [](QComboBox* list) { FillSupplierList(list); });
}

void TForm_MateriaPrima::Reload()
{
    LoadData();
    FillLists();
    StringGrid1->FitFirstColumn();
    SortGridByColumn(StringGrid1, ColMateriaPrima);
    m_selected->Relocate();
}

void TForm_MateriaPrima::StringGrid1Click(int row)
{
    if (!IsEditMode(Button_MateriaAdd))
        m_selected->Select(row);
}

void TForm_MateriaPrima::StringGrid1DblClick(int row)
{
    if (StringGrid1->Cells(ColMateriaPrima, 1).isEmpty() || row < 1)
        return;
    SetInputText(ComboBox_MateriaPrima, StringGrid1->Cells(ColMateriaPrima, row).trimmed());
    Edit_MatPrimaRef->setText(StringGrid1->Cells(ColReferencia, row).trimmed());
    Edit_MateriaPreco->setText(StringGrid1->Cells(ColPreco, row).trimmed());
    SetInputText(ComboBox_MateriaUn, StringGrid1->Cells(ColUn, row).trimmed());
    SetInputText(ComboBox_MateriaFornecedor, StringGrid1->Cells(ColFornecedor, row).trimmed());
    m_selected->Select(row);
    SetEditMode(Button_MateriaAdd, true);
    ComboBox_MateriaPrima->setEnabled(false); // the name of a line is kept
}

void TForm_MateriaPrima::Button_MateriaAddClick()
{
    const QString name = ComboBox_MateriaPrima->currentText();
    const QString supplier = ComboBox_MateriaFornecedor->currentText();
    if (name.trimmed().isEmpty() || ComboBox_MateriaUn->currentText().trimmed().isEmpty() ||
        supplier.trimmed().isEmpty()) {
        MessageBox::information(MissingInputText({Label1->text(), Label4->text(), Label3->text()}));
        StringGrid1->setFocus();
        return;
    }
    if (HasIllegalCharacters(name + supplier))
        return;
    // A price is not required, but what is there must be a number: costs and orders compute with it.
    if (!Edit_MateriaPreco->text().isEmpty() && !CheckNumberEdit(Edit_MateriaPreco))
        return;
    const bool edit = IsEditMode(Button_MateriaAdd);
    if (edit && m_selected->RecordIndex() < 0) {
        MessageBox::information(LangMsg[22]);
        return;
    }
    const qint64 index = edit ? m_selected->RecordIndex() : -1;

    if (FindExact(ComboBox_MateriaFornecedor, supplier) >= 0) {
        Hourglass hourglass;
        StoreLine(index);
        ResetInputs();
        Reload();
        return;
    }
    // A supplier not known yet: it becomes a supplier of its own, with its name only.
    if (!MessageBox::confirm(LangMsg[33]))
        return;
    Hourglass hourglass;
    StoreLine(index);
    auto newSupplier = EmptyRecord<FornecedorRecord>();
    newSupplier.Nome = supplier;
    AppendOne(DataFilePath(DataFile::Fornecedores), newSupplier);
    Reload();
}

void TForm_MateriaPrima::StoreLine(qint64 index)
{
    StoreRecord<MateriaPrimaRecord>(MaterialFile(), index, [this](MateriaPrimaRecord& r) {
        r.MateriaPrima = ComboBox_MateriaPrima->currentText();
        r.Referencia = Edit_MatPrimaRef->text();
        r.Preco = Edit_MateriaPreco->text();
        r.Fornecedor = ComboBox_MateriaFornecedor->currentText();
        r.Un = ComboBox_MateriaUn->currentText();
    });
}

void TForm_MateriaPrima::Button_MateriaDeleteClick()
{
    const bool edit = IsEditMode(Button_MateriaAdd);
    if (!DeleteSelectedRecord<MateriaPrimaRecord>(MaterialFile(), *m_selected))
        return;
    if (edit)
        ResetInputs();
    Reload();
}

void TForm_MateriaPrima::ResetInputs()
{
    SetEditMode(Button_MateriaAdd, false);
    m_selected->Forget();
    ComboBox_MateriaPrima->setEnabled(true);
    ClearListText(ComboBox_MateriaPrima);
    Edit_MatPrimaRef->clear();
    Edit_MateriaPreco->clear();
    ClearListText(ComboBox_MateriaFornecedor);
    ComboBox_MateriaPrima->setFocus();
}
