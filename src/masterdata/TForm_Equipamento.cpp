#include "masterdata/TForm_Equipamento.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "shell/Globals.h"
#include "shell/GridRoutines.h"
#include "shell/InputChecks.h"
#include "shell/ListFillers.h"
#include "shell/MessageBox.h"
#include "shell/RecordEditing.h"
#include "shell/ScreenControls.h"
#include "store/DecimalText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace {

QString EquipmentFile() { return DataFilePath(DataFile::Equipamentos); }

// The units run from 1 to 98: the bar's position is minus the units.
constexpr int kMaxUnits = 98;

} // namespace

TForm_Equipamento::TForm_Equipamento(QWidget* parent) : ScreenForm(parent)
{
    setObjectName(QStringLiteral("TForm_Equipamento"));
    StringGrid12 = Named(new StringGrid(this), "StringGrid12");
    StringGrid12->setColCount(ColumnCount);
    StringGrid12->setColWidths(ColRecord, 0); // record number + 1

    Label68 = NewLabel(this, "Label68", QStringLiteral("Equipamento"));
    Label69 = NewLabel(this, "Label69", QStringLiteral("Tipo"));
    Label99 = NewLabel(this, "Label99", QStringLiteral("Custo/h"));
    Label70 = NewLabel(this, "Label70", QStringLiteral("Quant."));
    Label149 = NewLabel(this, "Label149", QString::fromUtf8("Operação"));
    Label72 = NewRowLabel(this, "Label72");
    ComboBox_Equip = NewEditableList(this, "ComboBox_Equip", 10, true);
    ComboBox_EquipTipo = NewEditableList(this, "ComboBox_EquipTipo", 30, true);
    Edit_EquipCusto = NewEdit(this, "Edit_EquipCusto", 5);
    SetQuantityKeys(Edit_EquipCusto);
    Edit_EquipQuant = NewEdit(this, "Edit_EquipQuant", 2);
    Edit_EquipQuant->setReadOnly(true);
    Edit_EquipQuant->setText(QStringLiteral("1"));
    Scroll_EquipQuant = NewUpDownBar(this, "Scroll_EquipQuant", -999);
    Scroll_EquipQuant->setValue(-1);
    ComboBox_EquipOperacao = NewEditableList(this, "ComboBox_EquipOperacao", 10, true);
    Button_EquipAdd = NewModeButton(this, "Button_EquipAdd");
    Button_EquipDelete = NewButton(this, "Button_EquipDelete", Caption::Delete());
    Button_EquipClose = NewButton(this, "Button_EquipClose", Caption::Close());

    // Name, kind, operation / cost, units.
    const EditorLayout layout = BuildEditorLayout(this, StringGrid12);
    auto* units = new QWidget(this);
    auto* unitsRow = new QHBoxLayout(units);
    unitsRow->setContentsMargins(0, 0, 0, 0);
    unitsRow->setSpacing(1);
    unitsRow->addWidget(Edit_EquipQuant);
    unitsRow->addWidget(Scroll_EquipQuant);
    unitsRow->addStretch(1);
    Edit_EquipQuant->setFixedWidth(40);
    Edit_EquipCusto->setFixedWidth(70);
    PlaceInput(layout.inputs, 0, 0, Label68, ComboBox_Equip, 2);
    PlaceInput(layout.inputs, 0, 2, Label69, ComboBox_EquipTipo, 2);
    PlaceInput(layout.inputs, 1, 0, Label99, Edit_EquipCusto);
    PlaceInput(layout.inputs, 1, 1, Label70, units);
    PlaceInput(layout.inputs, 1, 2, Label149, ComboBox_EquipOperacao);
    layout.inputs->setColumnStretch(0, 1);
    layout.inputs->setColumnStretch(1, 1);
    layout.inputs->setColumnStretch(2, 2);
    layout.inputs->setColumnStretch(3, 2);
    layout.buttons->addWidget(Button_EquipAdd);
    layout.buttons->addWidget(Button_EquipDelete);
    layout.buttons->addStretch(1);
    layout.buttons->addWidget(Button_EquipClose);
    setTabOrder(ComboBox_Equip, ComboBox_EquipTipo);
    setTabOrder(ComboBox_EquipTipo, Edit_EquipCusto);
    setTabOrder(Edit_EquipCusto, ComboBox_EquipOperacao);
    setTabOrder(ComboBox_EquipOperacao, Button_EquipAdd);

    m_selected = new SelectedRow(Label72, StringGrid12, ColRecord, Button_EquipAdd, this);
    setColumnShares({0.30, 0.10, 0.36, 0.10, 0.14});
    setInitialSortColumn(ColEquipamento);
    setFirstInput(ComboBox_Equip);

    connect(StringGrid12, &StringGrid::cellDoubleClicked, this, [this](int, int row) { StringGrid12DblClick(row); });
    connect(Scroll_EquipQuant, &QScrollBar::valueChanged, this, &TForm_Equipamento::Scroll_EquipQuantChange);
    connect(Button_EquipAdd, &QAbstractButton::clicked, this, &TForm_Equipamento::Button_EquipAddClick);
    connect(Button_EquipDelete, &QAbstractButton::clicked, this, &TForm_Equipamento::Button_EquipDeleteClick);
}

QAbstractButton* TForm_Equipamento::CloseButton() const { return Button_EquipClose; }

void TForm_Equipamento::ApplyFormLanguage()
{
    SetCaption(Label68, QStringLiteral("label_18"), QStringLiteral("Equipamento"));
    SetCaption(Label99, QStringLiteral("label_7"), QStringLiteral("Custo/h"));
    SetCaption(Label69, QStringLiteral("label_43"), QStringLiteral("Tipo"));
    SetCaption(Label149, QStringLiteral("label_87"), QString::fromUtf8("Operação"));
    SetCaption(Label70, QStringLiteral("label_quantity"), QStringLiteral("Quant."));
    SetHeading(StringGrid12, ColQuant, QStringLiteral("label_33"), QStringLiteral("Qnt/un."));
    StringGrid12->setCells(ColEquipamento, 0, Label68->text());
    StringGrid12->setCells(ColCusto, 0, Label99->text());
    StringGrid12->setCells(ColTipo, 0, Label69->text());
    StringGrid12->setCells(ColOperacao, 0, Label149->text());
}

void TForm_Equipamento::LoadData()
{
    QStringList names, kinds;
    const qint64 n = LoadGrid<EquipamentoRecord>(StringGrid12, EquipmentFile(), true,
                                                 [&](const EquipamentoRecord& r, qint64 k) {
                                                     names << r.Equipamento.text();
                                                     kinds << r.Tipo.text();
                                                     return QStringList{r.Equipamento.text(), r.Custo.text(),
                                                                        r.Tipo.text(), r.Quant.text(),
                                                                        r.Operacao.text(), QString::number(k)};
                                                 });
    RefillList(ComboBox_Equip, [&](QComboBox* list) { AddUniqueItems(list, names); });
    RefillList(ComboBox_EquipTipo, [&](QComboBox* list) { AddUniqueItems(list, kinds); });
    m_selected->Loaded(n);
}

void TForm_Equipamento::FillLists()
{
    RefillList(ComboBox_EquipOperacao, [](QComboBox* list) { FillOperationList(list, QStringLiteral("Equip")); });
}

void TForm_Equipamento::Reload()
{
    LoadData();
    FillLists();
    StringGrid12->FitFirstColumn();
    SortGridByColumn(StringGrid12, ColEquipamento);
    m_selected->Relocate();
}

void TForm_Equipamento::Scroll_EquipQuantChange()
{
    const int position = Scroll_EquipQuant->value();
    if (position == 0) {
        Scroll_EquipQuant->setValue(-1); // never fewer than one unit
        return;
    }
    if (-position > kMaxUnits) {
        Scroll_EquipQuant->setValue(0); // past 98 the units start again at 1
        return;
    }
    Edit_EquipQuant->setText(QString::number(-position));
}

void TForm_Equipamento::SetUnits(int units)
{
    units = qBound(1, units, kMaxUnits);
    Scroll_EquipQuant->setValue(-units);
    Edit_EquipQuant->setText(QString::number(units));
}

void TForm_Equipamento::StringGrid12DblClick(int row)
{
    if (StringGrid12->Cells(ColEquipamento, 1).isEmpty() || row < 1)
        return;
    SetInputText(ComboBox_Equip, StringGrid12->Cells(ColEquipamento, row));
    SetInputText(ComboBox_EquipTipo, StringGrid12->Cells(ColTipo, row));
    Edit_EquipCusto->setText(StringGrid12->Cells(ColCusto, row));
    SetUnits(DecimalText::StrToIntDef(StringGrid12->Cells(ColQuant, row).trimmed(), 1));
    SetInputText(ComboBox_EquipOperacao, StringGrid12->Cells(ColOperacao, row));
    SetEditMode(Button_EquipAdd, true);
    m_selected->Select(row);
}

void TForm_Equipamento::Button_EquipAddClick()
{
    const QString name = ComboBox_Equip->currentText();
    const QString kind = ComboBox_EquipTipo->currentText();
    const QString operation = ComboBox_EquipOperacao->currentText();
    if (name.trimmed().isEmpty() || kind.trimmed().isEmpty() || operation.trimmed().isEmpty()) {
        MessageBox::information(MissingInputText({Label68->text(), Label69->text(), Label149->text()}));
        ComboBox_Equip->setFocus();
        return;
    }
    if (HasIllegalCharacters(name + kind + operation))
        return;
    // A cost is not required, but what is there must be a number: the cost screens compute with it.
    if (!Edit_EquipCusto->text().isEmpty() && !CheckNumberEdit(Edit_EquipCusto))
        return;
    const bool edit = IsEditMode(Button_EquipAdd);
    if (edit && m_selected->RecordIndex() < 0) {
        MessageBox::information(LangMsg[22]);
        return;
    }

    Hourglass hourglass;
    StoreRecord<EquipamentoRecord>(EquipmentFile(), edit ? m_selected->RecordIndex() : -1,
                                   [&](EquipamentoRecord& r) {
                                       r.Equipamento = name;
                                       r.Tipo = kind;
                                       r.Quant = Edit_EquipQuant->text();
                                       r.Custo = Edit_EquipCusto->text();
                                       r.Operacao = operation;
                                   });
    ResetInputs();
    Reload();
}

void TForm_Equipamento::Button_EquipDeleteClick()
{
    const bool edit = IsEditMode(Button_EquipAdd);
    if (!DeleteSelectedRecord<EquipamentoRecord>(EquipmentFile(), *m_selected))
        return;
    if (edit)
        ResetInputs();
    Reload();
}

void TForm_Equipamento::ResetInputs()
{
    SetEditMode(Button_EquipAdd, false);
    m_selected->Forget();
    ClearListText(ComboBox_Equip);
    Edit_EquipCusto->clear();
    ClearListText(ComboBox_EquipTipo);
    Scroll_EquipQuant->setValue(0); // and so one unit
    Edit_EquipQuant->setText(QStringLiteral("1"));
    ClearListText(ComboBox_EquipOperacao);
    ComboBox_Equip->setFocus();
}
