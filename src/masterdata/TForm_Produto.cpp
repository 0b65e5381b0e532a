#include "masterdata/TForm_Produto.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "i18n/Settings.h"
#include "shell/Application.h"
#include "shell/DesktopServices.h"
#include "shell/Globals.h"
#include "shell/GridRoutines.h"
#include "shell/InputChecks.h"
#include "shell/ListFillers.h"
#include "shell/MessageBox.h"
#include "shell/RecordEditing.h"
#include "shell/ScreenControls.h"
#include "store/DecimalText.h"
#include "store/StoreError.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSet>

namespace {

QString ProductFile() { return DataFilePath(DataFile::Produtos); }

const QString kTrue = QStringLiteral("True");
const QString kFalse = QStringLiteral("False");
// The moulds field holds two digits.
constexpr int kMaxMoulds = 99;

} // namespace

TForm_Produto::TForm_Produto(QWidget* parent) : ScreenForm(parent)
{
    setObjectName(QStringLiteral("TForm_Produto"));
    StringGrid3 = Named(new StringGrid(this), "StringGrid3");
    StringGrid3->setColCount(ColumnCount);
    for (int col : {ColOperacao, ColCiclo, ColQuantDia, ColMoldes})
        StringGrid3->setColWidths(col, 64);
    for (int col : {int(ColRecord), int(ColListText), int(ColComposto), ColumnCount - 1})
        StringGrid3->setColWidths(col, 0);
    // Components of composite products stand out in red.
    StringGrid3->setCellStyler([this](int col, int row, CellStyle& style) {
        if (row >= 1 && col == ColMateriaPrima && StringGrid3->Cells(ColComposto, row) == kTrue)
            style.foreground = QColor(255, 0, 0);
    });

    Label12 = NewLabel(this, "Label12", QStringLiteral("Produto"));
    Label75 = NewLabel(this, "Label75", QStringLiteral("Tipo"));
    Label13 = NewLabel(this, "Label13", QString::fromUtf8("Matéria Prima"));
    Label14 = NewLabel(this, "Label14", QStringLiteral("Qnt/un."));
    Label15 = NewLabel(this, "Label15", QStringLiteral("un."));
    Label149 = NewLabel(this, "Label149", QString::fromUtf8("Operação"));
    Label67 = NewLabel(this, "Label67", QStringLiteral("Moldes"));
    Label20 = NewLabel(this, "Label20", QString::fromUtf8("Peças/h"));
    Label21 = NewLabel(this, "Label21", QStringLiteral("RawM/dia"));
    Label16 = NewRowLabel(this, "Label16");
    ComboBox_Produto = NewEditableList(this, "ComboBox_Produto", 20, true);
    ComboBox_ProdutoCor = NewEditableList(this, "ComboBox_ProdutoCor", 20, true);
    ComboBox_ProdutoMateria = NewEditableList(this, "ComboBox_ProdutoMateria", 40, true);
    Edit_ProdutoQuant = NewEdit(this, "Edit_ProdutoQuant", 10);
    Edit_ProdutoQuant->setText(QStringLiteral("0"));
    SetQuantityKeys(Edit_ProdutoQuant);
    ComboBox_ProdutoUn = NewEditableList(this, "ComboBox_ProdutoUn", 5, false);
    ComboBox_ProdutoUn->addItems({QStringLiteral("kg"), QStringLiteral("un"), QStringLiteral("m"), QStringLiteral("l")});
    ClearListText(ComboBox_ProdutoUn);
    ComboBox_ProdutoOperacao = NewEditableList(this, "ComboBox_ProdutoOperacao", 10, true);
    CheckBox_ProdutoComposto = Named(new QCheckBox(QStringLiteral(" Produto Composto  por :"), this), "CheckBox_ProdutoComposto");
    ApplyPanelColour(CheckBox_ProdutoComposto, QColor(204, 230, 255));
    ComboBox_ProdutoComposto = NewPickList(this, "ComboBox_ProdutoComposto");
    ComboBox_ProdutoComposto->setEnabled(false);
    Edit_ProdutoMoldes = NewEdit(this, "Edit_ProdutoMoldes", 2);
    Edit_ProdutoMoldes->setReadOnly(true);
    Edit_ProdutoMoldes->setText(QStringLiteral("1"));
    Scroll_ProdutoMoldes = NewUpDownBar(this, "Scroll_ProdutoMoldes", -kMaxMoulds);
    Scroll_ProdutoMoldes->setValue(-1);
    Edit_ProdutoCiclo = NewEdit(this, "Edit_ProdutoCiclo", 5);
    Edit_ProdutoCiclo->setText(QStringLiteral("0"));
    SetQuantityKeys(Edit_ProdutoCiclo);
    Edit_ProdutoQuantDia = NewEdit(this, "Edit_ProdutoQuantDia", 10);
    Edit_ProdutoQuantDia->setReadOnly(true);
    Edit_ProdutoQuantDia->setText(QStringLiteral("0"));
    Button_ProdutoAdd = NewModeButton(this, "Button_ProdutoAdd");
    Button_ProdutoCopy = NewButton(this, "Button_ProdutoCopy", Caption::Duplicate());
    Button_ProdutoDelete = NewButton(this, "Button_ProdutoDelete", Caption::Delete());
    Button_ProdutoClose = NewButton(this, "Button_ProdutoClose", Caption::Close());

    // Product, type, operation / raw material, quantity, unit / composite, moulds, cycles, per day.
    const EditorLayout layout = BuildEditorLayout(this, StringGrid3);
    auto* moulds = new QWidget(this);
    auto* mouldsRow = new QHBoxLayout(moulds);
    mouldsRow->setContentsMargins(0, 0, 0, 0);
    mouldsRow->setSpacing(1);
    mouldsRow->addWidget(Edit_ProdutoMoldes, 1);
    mouldsRow->addWidget(Scroll_ProdutoMoldes);
    PlaceInput(layout.inputs, 0, 0, Label12, ComboBox_Produto, 2);
    PlaceInput(layout.inputs, 0, 2, Label75, ComboBox_ProdutoCor, 2);
    PlaceInput(layout.inputs, 0, 4, Label149, ComboBox_ProdutoOperacao, 2);
    PlaceInput(layout.inputs, 1, 0, Label13, ComboBox_ProdutoMateria, 4);
    PlaceInput(layout.inputs, 1, 4, Label14, Edit_ProdutoQuant);
    PlaceInput(layout.inputs, 1, 5, Label15, ComboBox_ProdutoUn);
    PlaceInput(layout.inputs, 2, 0, CheckBox_ProdutoComposto, ComboBox_ProdutoComposto, 3);
    PlaceInput(layout.inputs, 2, 3, Label67, moulds);
    PlaceInput(layout.inputs, 2, 4, Label20, Edit_ProdutoCiclo);
    PlaceInput(layout.inputs, 2, 5, Label21, Edit_ProdutoQuantDia);
    for (int col = 0; col < 6; ++col)
        layout.inputs->setColumnStretch(col, 1);
    layout.buttons->addWidget(Button_ProdutoAdd);
    layout.buttons->addWidget(Button_ProdutoCopy);
    layout.buttons->addWidget(Button_ProdutoDelete);
    layout.buttons->addStretch(1);
    layout.buttons->addWidget(Button_ProdutoClose);
    setTabOrder(ComboBox_Produto, ComboBox_ProdutoCor);
    setTabOrder(ComboBox_ProdutoCor, ComboBox_ProdutoOperacao);
    setTabOrder(ComboBox_ProdutoOperacao, ComboBox_ProdutoMateria);
    setTabOrder(ComboBox_ProdutoMateria, Edit_ProdutoQuant);
    setTabOrder(Edit_ProdutoQuant, ComboBox_ProdutoUn);
    setTabOrder(ComboBox_ProdutoUn, CheckBox_ProdutoComposto);
    setTabOrder(CheckBox_ProdutoComposto, ComboBox_ProdutoComposto);
    setTabOrder(ComboBox_ProdutoComposto, Edit_ProdutoCiclo);
    setTabOrder(Edit_ProdutoCiclo, Button_ProdutoAdd);

    m_selected = new SelectedRow(Label16, StringGrid3, ColRecord, Button_ProdutoAdd, this);
    setColumnShares({0.27, 0.24, 0.34, 0.10, 0.05});
    setInitialSortColumn(ColListText);
    setFirstInput(ComboBox_Produto);

    connect(StringGrid3, &StringGrid::cellClicked, this, [this](int, int row) { StringGrid3Click(row); });
    connect(StringGrid3, &StringGrid::cellDoubleClicked, this, [this](int, int row) { StringGrid3DblClick(row); });
    connect(CheckBox_ProdutoComposto, &QCheckBox::clicked, this, &TForm_Produto::CheckBox_ProdutoCompostoClick);
    connect(Scroll_ProdutoMoldes, &QScrollBar::valueChanged, this, &TForm_Produto::Scroll_ProdutoMoldesChange);
    for (QLineEdit* box : {Edit_ProdutoQuant, Edit_ProdutoMoldes, Edit_ProdutoCiclo})
        connect(box, &QLineEdit::textChanged, this, &TForm_Produto::RecalculateQuantDia);
    connect(Edit_ProdutoQuant, &QLineEdit::editingFinished, this, &TForm_Produto::Edit_ProdutoQuantExit);
    connect(Edit_ProdutoCiclo, &QLineEdit::editingFinished, this, &TForm_Produto::Edit_ProdutoCicloExit);
    Edit_ProdutoQuant->installEventFilter(this);
    connect(Button_ProdutoAdd, &QAbstractButton::clicked, this, &TForm_Produto::Button_ProdutoAddClick);
    connect(Button_ProdutoCopy, &QAbstractButton::clicked, this, &TForm_Produto::Button_ProdutoCopyClick);
    connect(Button_ProdutoDelete, &QAbstractButton::clicked, this, &TForm_Produto::Button_ProdutoDeleteClick);
}

QAbstractButton* TForm_Produto::CloseButton() const { return Button_ProdutoClose; }

QString TForm_Produto::ListText(const QString& name, const QString& type)
{
    return (name + QStringLiteral(" \u00B8 ") + type).left(53);
}

void TForm_Produto::ApplyFormLanguage()
{
    SetCaption(Label12, QStringLiteral("label_31"), QStringLiteral("Produto"));
    SetCaption(Label75, QStringLiteral("label_6"), QStringLiteral("Tipo"));
    SetCaption(Label13, QStringLiteral("label_23"), QString::fromUtf8("Matéria Prima"));
    SetCaption(Label14, QStringLiteral("label_33"), QStringLiteral("Qnt/un."));
    SetCaption(CheckBox_ProdutoComposto, QStringLiteral("label_32"), QStringLiteral(" Produto Composto  por :"));
    SetCaption(Label67, QStringLiteral("label_24"), QStringLiteral("Moldes"));
    SetCaption(Label20, QStringLiteral("label_3"), QString::fromUtf8("Peças/h"));
    SetCaption(Label21, QStringLiteral("label_34"), QStringLiteral("RawM/dia"));
    SetCaption(Label149, QStringLiteral("label_87"), QString::fromUtf8("Operação"));
    SetCaption(Label15, QStringLiteral("label_unit"), QStringLiteral("un."));
    // The grid's titles are the captions of the inputs.
    const QList<QPair<int, QLabel*>> titles{{ColProduto, Label12}, {ColTipo, Label75},  {ColMateriaPrima, Label13},
                                            {ColQuant, Label14},   {ColUn, Label15},    {ColOperacao, Label149},
                                            {ColCiclo, Label20},   {ColQuantDia, Label21}, {ColMoldes, Label67}};
    for (const auto& [col, label] : titles)
        StringGrid3->setCells(col, 0, label->text());
}

void TForm_Produto::LoadData()
{
    QStringList names, types;
    // The component list: every product once (letter case ignored), in file order, each entry
    // carrying the product's reference.
    QList<QPair<QString, QString>> components;
    QSet<QString> listed;
    const qint64 n = LoadGrid<ProdutoRecord>(StringGrid3, ProductFile(), true, [&](const ProdutoRecord& r, qint64 k) {
        const QString name = r.Produto.text();
        const QString type = r.Tipo.text();
        const QString listText = ListText(name, type);
        names << name;
        types << type;
        if (const QString key = listText.toCaseFolded(); !listed.contains(key)) {
            listed.insert(key);
            components.append({listText, Reference(name, type)});
        }
        return QStringList{name,
                           type,
                           r.MateriaPrima.text(),
                           r.Quant.text(),
                           r.Un.text(),
                           r.Operacao.text(),
                           r.Ciclo.text(),
                           r.QuantDia.text(),
                           QString::number(k),
                           r.Moldes.text(),
                           listText,
                           r.Composto == 1 ? kTrue : kFalse};
    });
    RefillList(ComboBox_Produto, [&](QComboBox* list) { AddUniqueItems(list, names); });
    RefillList(ComboBox_ProdutoCor, [&](QComboBox* list) { AddUniqueItems(list, types); });
    const QString component = ChosenComponent();
    {
        const QSignalBlocker block(ComboBox_ProdutoComposto);
        ComboBox_ProdutoComposto->clear();
        for (const auto& [text, reference] : components)
            ComboBox_ProdutoComposto->addItem(text, reference);
        ComboBox_ProdutoComposto->addItem(QString()); // no component
        const int kept = ComboBox_ProdutoComposto->findData(component);
        ComboBox_ProdutoComposto->setCurrentIndex(kept >= 0 && !component.isEmpty() ? kept
                                                                                   : ComboBox_ProdutoComposto->count() - 1);
    }
    m_selected->Loaded(n);
}

void TForm_Produto::FillLists()
{
    RefillList(ComboBox_ProdutoMateria, [](QComboBox* list) { FillRawMaterialList(list); });
    RefillList(ComboBox_ProdutoOperacao, [](QComboBox* list) { FillOperationList(list, QStringLiteral("Prod")); });
}

void TForm_Produto::Reload()
{
    LoadData();
    FillLists();
    StringGrid3->FitFirstColumn();
    SortGridByColumn(StringGrid3, ColListText);
    m_selected->Relocate();
}

QString TForm_Produto::ChosenComponent() const { return ComboBox_ProdutoComposto->currentData().toString(); }

bool TForm_Produto::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit_ProdutoQuant && event->type() == QEvent::MouseButtonDblClick)
        Edit_ProdutoQuantDblClick();
    return ScreenForm::eventFilter(watched, event);
}

void TForm_Produto::Edit_ProdutoQuantDblClick() { StartToolOrWarn(DesktopServices::Tool::Calculator); }

void TForm_Produto::Edit_ProdutoQuantExit() { CheckNumberEdit(Edit_ProdutoQuant); }

void TForm_Produto::Edit_ProdutoCicloExit() { CheckNumberEdit(Edit_ProdutoCiclo); }

void TForm_Produto::CheckBox_ProdutoCompostoClick()
{
    const bool composite = CheckBox_ProdutoComposto->isChecked();
    ComboBox_ProdutoComposto->setEnabled(composite);
    ComboBox_ProdutoMateria->setEnabled(!composite);
}

void TForm_Produto::Scroll_ProdutoMoldesChange()
{
    const int position = Scroll_ProdutoMoldes->value();
    if (position == 0) {
        Scroll_ProdutoMoldes->setValue(-1); // never fewer than one mould
        return;
    }
    Edit_ProdutoMoldes->setText(QString::number(-position));
}

bool TForm_Produto::ReadNumbers(int& cycles, double& quantity, bool quiet) const
{
    try {
        cycles = DecimalText::StrToInt(Edit_ProdutoCiclo->text().trimmed());
        quantity = DecimalText::StrToFloat(Edit_ProdutoQuant->text());
        return true;
    } catch (const ConversionError& e) {
        if (!quiet)
            ShowErrorOf(e);
        return false;
    }
}

void TForm_Produto::RecalculateQuantDia()
{
    if (m_recalculating)
        return;
    const QScopedValueRollback guard(m_recalculating, true);
    // An emptied box reads "0", selected, so that what is typed next replaces it.
    for (QLineEdit* box : {Edit_ProdutoCiclo, Edit_ProdutoQuant})
        if (box->text().isEmpty()) {
            box->setText(QStringLiteral("0"));
            box->selectAll();
        }
    int cycles = 0;
    double quantity = 0;
    if (!ReadNumbers(cycles, quantity))
        return; // the message told what is wrong; the last figure stays
    const int moulds = DecimalText::StrToIntDef(Edit_ProdutoMoldes->text(), 1);
    // As many digits as the box (and the field behind it) holds, never a text cut in its exponent.
    const double perDay = moulds * quantity * cycles * HoursPerDay;
    Edit_ProdutoQuantDia->setText(
        DecimalText::FloatToStrFitting(perDay, Edit_ProdutoQuantDia->maxLength()).value_or(DecimalText::FloatToStr(perDay)));
}

void TForm_Produto::StringGrid3Click(int row)
{
    if (!IsEditMode(Button_ProdutoAdd))
        m_selected->Select(row);
}

void TForm_Produto::StringGrid3DblClick(int row)
{
    if (StringGrid3->Cells(ColProduto, 1).isEmpty() || row < 1)
        return;
    SetInputText(ComboBox_Produto, StringGrid3->Cells(ColProduto, row));
    SetInputText(ComboBox_ProdutoCor, StringGrid3->Cells(ColTipo, row));
    SetInputText(ComboBox_ProdutoOperacao, StringGrid3->Cells(ColOperacao, row));
    if (StringGrid3->Cells(ColComposto, row) != kFalse) {
        CheckBox_ProdutoComposto->setChecked(true);
        const int i = ComboBox_ProdutoComposto->findData(StringGrid3->Cells(ColMateriaPrima, row));
        ComboBox_ProdutoComposto->setCurrentIndex(i >= 0 ? i : ComboBox_ProdutoComposto->count() - 1);
        ClearListText(ComboBox_ProdutoMateria);
    } else {
        CheckBox_ProdutoComposto->setChecked(false);
        SetInputText(ComboBox_ProdutoMateria, StringGrid3->Cells(ColMateriaPrima, row));
        ComboBox_ProdutoComposto->setCurrentIndex(ComboBox_ProdutoComposto->count() - 1);
    }
    CheckBox_ProdutoCompostoClick();
    Edit_ProdutoQuant->setText(StringGrid3->Cells(ColQuant, row));
    SetInputText(ComboBox_ProdutoUn, StringGrid3->Cells(ColUn, row));
    Edit_ProdutoCiclo->setText(StringGrid3->Cells(ColCiclo, row));
    Edit_ProdutoQuantDia->setText(StringGrid3->Cells(ColQuantDia, row));
    const int moulds = qBound(1, DecimalText::StrToIntDef(StringGrid3->Cells(ColMoldes, row).trimmed(), 1), kMaxMoulds);
    Scroll_ProdutoMoldes->setValue(-moulds);
    Edit_ProdutoMoldes->setText(QString::number(moulds));
    m_selected->Select(row);
    SetEditMode(Button_ProdutoAdd, true);
}

void TForm_Produto::Button_ProdutoAddClick()
{
    const QString name = ComboBox_Produto->currentText();
    const QString type = ComboBox_ProdutoCor->currentText();
    const QString material = ComboBox_ProdutoMateria->currentText();
    const QString operation = ComboBox_ProdutoOperacao->currentText();
    const bool composite = CheckBox_ProdutoComposto->isChecked();
    const QString component = ChosenComponent();
    const QString cycles = Edit_ProdutoCiclo->text().trimmed();
    if (name.trimmed().isEmpty() || type.trimmed().isEmpty() || (material.trimmed().isEmpty() && !composite) ||
        (component.isEmpty() && composite) || Edit_ProdutoQuant->text().trimmed().isEmpty() ||
        ComboBox_ProdutoUn->currentText().trimmed().isEmpty() || cycles.isEmpty() ||
        DecimalText::StrToIntDef(cycles, -1) == 0 || operation.trimmed().isEmpty()) {
        MessageBox::information(MissingInputText({Label12->text(), Label75->text(),
                                                  composite ? CheckBox_ProdutoComposto->text() : Label13->text(),
                                                  Label14->text(), Label15->text(), Label20->text(), Label149->text()}));
        return;
    }
    if (composite && component == Reference(name, type)) {
        MessageBox::information(LangMsg[2]);
        return;
    }
    if (HasIllegalCharacters(name + type))
        return;
    // The numbers must read as such: a quantity, and whole cycles per hour.
    if (!CheckNumberEdit(Edit_ProdutoQuant) || !CheckNumberEdit(Edit_ProdutoCiclo))
        return;
    int cyclesPerHour = 0;
    double quantity = 0;
    if (!ReadNumbers(cyclesPerHour, quantity))
        return;
    const bool edit = IsEditMode(Button_ProdutoAdd);
    if (edit && m_selected->RecordIndex() < 0) {
        MessageBox::information(LangMsg[22]);
        return;
    }
    RecalculateQuantDia();

    // A new operation is asked first, then a new raw material; each becomes known once the line
    // is stored.
    bool asked = false;
    const bool newOperation = ComboBox_ProdutoOperacao->findText(operation, Qt::MatchFixedString) < 0;
    if (newOperation) {
        if (!MessageBox::confirm(LangMsg[57]))
            return;
        asked = true;
    }
    const bool newMaterial = !composite && FindExact(ComboBox_ProdutoMateria, material) < 0;
    if (newMaterial) {
        if (!MessageBox::confirm(LangMsg[34]))
            return;
        asked = true;
    }

    Hourglass hourglass;
    StoreLine(edit ? m_selected->RecordIndex() : -1);
    if (newMaterial) {
        // The raw material becomes a line of its own, named, in the unit of this product line; the
        // supplier, reference and price are for the raw-material screen to fill.
        auto r = EmptyRecord<MateriaPrimaRecord>();
        r.MateriaPrima = material;
        r.Preco = QStringLiteral("0");
        r.Un = ComboBox_ProdutoUn->currentText();
        AppendOne(DataFilePath(DataFile::MateriasPrimas), r);
    }
    if (!asked)
        ResetInputs();
    Reload();
}

void TForm_Produto::StoreLine(qint64 index)
{
    const bool composite = CheckBox_ProdutoComposto->isChecked();
    StoreRecord<ProdutoRecord>(ProductFile(), index, [&](ProdutoRecord& r) {
        r.Produto = ComboBox_Produto->currentText();
        r.Tipo = ComboBox_ProdutoCor->currentText();
        r.MateriaPrima = composite ? ChosenComponent() : ComboBox_ProdutoMateria->currentText();
        r.Quant = Edit_ProdutoQuant->text();
        r.Un = ComboBox_ProdutoUn->currentText();
        r.Ciclo = Edit_ProdutoCiclo->text();
        r.QuantDia = Edit_ProdutoQuantDia->text();
        r.Moldes = Edit_ProdutoMoldes->text();
        r.Composto = composite ? 1 : 0;
        r.Operacao = ComboBox_ProdutoOperacao->currentText();
    });
}

bool TForm_Produto::ProductExists(const QString& name, const QString& type) const
{
    for (int row = 1; row < StringGrid3->RowCount(); ++row)
        if (StringGrid3->Cells(ColProduto, row) == name && StringGrid3->Cells(ColTipo, row) == type &&
            !StringGrid3->Cells(ColRecord, row).isEmpty())
            return true;
    return false;
}

// Duplicate: every line of the product of the selected row is copied under the name and type in the
// inputs, which must not name a product yet.
void TForm_Produto::Button_ProdutoCopyClick()
{
    const qint64 index = m_selected->RecordIndex();
    if (!m_selected->HoldsRecord() || index < 0) {
        MessageBox::information(LangMsg[22]);
        return;
    }
    const QString name = ComboBox_Produto->currentText();
    const QString type = ComboBox_ProdutoCor->currentText();
    if (name.trimmed().isEmpty() || type.trimmed().isEmpty()) {
        MessageBox::information(MissingInputText({Label12->text(), Label75->text()}));
        return;
    }
    if (HasIllegalCharacters(name + type))
        return;
    if (ProductExists(name, type)) {
        MessageBox::information("'" + Reference(name, type) + "' "
                                + LangText(QStringLiteral("msg_ProductExists"), QStringLiteral("already exists.")));
        return;
    }

    Hourglass hourglass;
    const QString path = ProductFile();
    const std::vector<ProdutoRecord> records = ReadAllRecords<ProdutoRecord>(path);
    if (size_t(index) >= records.size())
        return;
    const ProdutoRecord& shown = records[size_t(index)];
    std::vector<ProdutoRecord> copies;
    for (const ProdutoRecord& r : records)
        if (r.Produto == shown.Produto && r.Tipo == shown.Tipo) {
            ProdutoRecord copy = r;
            copy.Produto = name;
            copy.Tipo = type;
            if (copy.Composto == 1 && copy.MateriaPrima.text() == Reference(copy.Produto.text(), copy.Tipo.text())) {
                MessageBox::information(LangMsg[2]); // the copy would be made of itself
                return;
            }
            copies.push_back(copy);
        }
    RecordFile<ProdutoRecord> file(path);
    for (const ProdutoRecord& copy : copies)
        file.AppendRecord(copy);
    file.CloseRecordFile();
    ResetInputs();
    Reload();
}

void TForm_Produto::Button_ProdutoDeleteClick()
{
    const bool edit = IsEditMode(Button_ProdutoAdd);
    if (!DeleteSelectedRecord<ProdutoRecord>(ProductFile(), *m_selected))
        return;
    if (edit)
        ResetInputs();
    Reload();
}

void TForm_Produto::ResetInputs()
{
    SetEditMode(Button_ProdutoAdd, false);
    m_selected->Forget();
    for (QComboBox* list : {ComboBox_Produto, ComboBox_ProdutoCor, ComboBox_ProdutoMateria, ComboBox_ProdutoOperacao,
                            ComboBox_ProdutoUn})
        ClearListText(list);
    ComboBox_ProdutoComposto->setCurrentIndex(ComboBox_ProdutoComposto->count() - 1);
    Edit_ProdutoQuant->setText(QStringLiteral("0"));
    Edit_ProdutoCiclo->setText(QStringLiteral("0"));
    Scroll_ProdutoMoldes->setValue(-1);
    Edit_ProdutoMoldes->setText(QStringLiteral("1"));
    Edit_ProdutoQuantDia->setText(QStringLiteral("0"));
    CheckBox_ProdutoComposto->setChecked(false);
    CheckBox_ProdutoCompostoClick();
    ComboBox_Produto->setFocus();
}
