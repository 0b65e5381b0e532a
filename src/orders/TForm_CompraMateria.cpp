#include "orders/TForm_CompraMateria.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "orders/OrderColours.h"
#include "shell/Globals.h"
#include "shell/GridRoutines.h"
#include "shell/InputChecks.h"
#include "shell/ListFillers.h"
#include "shell/MessageBox.h"
#include "shell/RecordEditing.h"
#include "shell/ScreenControls.h"
#include "store/Clock.h"
#include "store/DateText.h"
#include "store/DecimalText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>

namespace {

QString OrderFile() { return DataFilePath(DataFile::EncomMateria); }
QString MaterialFile() { return DataFilePath(DataFile::MateriasPrimas); }
QString Today() { return DateText::DateToStr(Clock::today()); }

// Width of the number fields of an order.
constexpr int kNumberWidth = 10;

} // namespace

TForm_CompraMateria::TForm_CompraMateria(QWidget* parent) : ScreenForm(parent)
{
    setObjectName(QStringLiteral("TForm_CompraMateria"));
    StringGrid19 = Named(new StringGrid(this), "StringGrid19");
    StringGrid19->setColCount(ColumnCount);
    for (int c = ColDate + 1; c < ColumnCount; ++c)
        StringGrid19->setColWidths(c, 0);
    StringGrid19->setTitleSortColumn(ColDate, ColDateKey); // the date sorts by its key

    Label130 = NewLabel(this, "Label130", QString::fromUtf8("Matéria Prima"));
    Label140 = NewLabel(this, "Label140", QString::fromUtf8("Refª Produto"));
    Label132 = NewLabel(this, "Label132", QStringLiteral("Fornecedor"));
    Label133 = NewLabel(this, "Label133", QStringLiteral("Quant/un."));
    Label136 = NewLabel(this, "Label136", QStringLiteral("Data"));
    Label138 = NewLabel(this, "Label138", QString::fromUtf8("Refª. Compra"));
    Label106 = NewLabel(this, "Label106", QStringLiteral("Quant. Exec."));
    Label139 = NewLabel(this, "Label139", QStringLiteral("Custo / un."));
    Label135 = NewRowLabel(this, "Label135");
    ComboBox_CompraMateria = NewPickList(this, "ComboBox_CompraMateria");
    SetListSorted(ComboBox_CompraMateria);
    Edit_CompraMateriaRef = NewEdit(this, "Edit_CompraMateriaRef", 15);
    Edit_CompraMateriaRef->setReadOnly(true);
    ComboBox_CompraFornecedor = NewEditableList(this, "ComboBox_CompraFornecedor", 30, true);
    Edit_CompraQuant = NewEdit(this, "Edit_CompraQuant", kNumberWidth);
    Edit_CompraQuant->setText(QStringLiteral("0"));
    SetQuantityKeys(Edit_CompraQuant);
    Edit_CompraData = NewEdit(this, "Edit_CompraData", 10);
    Edit_CompraData->setMinimumWidth(Edit_CompraData->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 8);
    SetDateKeys(Edit_CompraData);
    Scroll_CompraData = NewUpDownBar(this, "Scroll_CompraData", -1);
    Scroll_CompraData->setRange(-1, 1);
    Scroll_CompraData->setValue(0);
    Edit_CompraRef = NewEdit(this, "Edit_CompraRef", 6);
    Edit_CompraRef->setReadOnly(true);
    Edit_CompraQuantExec = NewEdit(this, "Edit_CompraQuantExec", kNumberWidth);
    Edit_CompraQuantExec->setReadOnly(true);
    Edit_CompraQuantExec->setText(QStringLiteral("0"));
    Edit_MateriaCusto = NewEdit(this, "Edit_MateriaCusto", kNumberWidth);
    Edit_MateriaCusto->setReadOnly(true);
    Edit_MateriaCusto->setText(QStringLiteral("0"));
    CheckBox_CompraDone = Named(new QCheckBox(QStringLiteral("Arquivar Encomenda"), this), "CheckBox_CompraDone");
    CheckBox_CompraHold = Named(new QCheckBox(QStringLiteral("Parar  Encomenda"), this), "CheckBox_CompraHold");
    for (QCheckBox* box : {CheckBox_CompraDone, CheckBox_CompraHold}) {
        box->setEnabled(false); // archiving once a row is taken for editing; holding is not done here
        ApplyPanelColour(box, QColor(204, 230, 255));
    }
    Button_CompraAdd = NewModeButton(this, "Button_CompraAdd");
    Button_CompraDelete = NewButton(this, "Button_CompraDelete", Caption::Delete());
    Button_CompraClose = NewButton(this, "Button_CompraClose", Caption::Close());

    // Material, its reference, supplier / quantity, date, purchase reference, received, unit cost /
    // archive and hold.
    const EditorLayout layout = BuildEditorLayout(this, StringGrid19);
    auto* date = new QWidget(this);
    auto* dateRow = new QHBoxLayout(date);
    dateRow->setContentsMargins(0, 0, 0, 0);
    dateRow->setSpacing(1);
    dateRow->addWidget(Edit_CompraData, 1);
    dateRow->addWidget(Scroll_CompraData);
    PlaceInput(layout.inputs, 0, 0, Label130, ComboBox_CompraMateria, 2);
    PlaceInput(layout.inputs, 0, 2, Label140, Edit_CompraMateriaRef);
    PlaceInput(layout.inputs, 0, 3, Label132, ComboBox_CompraFornecedor, 2);
    PlaceInput(layout.inputs, 1, 0, Label133, Edit_CompraQuant);
    PlaceInput(layout.inputs, 1, 1, Label136, date);
    PlaceInput(layout.inputs, 1, 2, Label138, Edit_CompraRef);
    PlaceInput(layout.inputs, 1, 3, Label106, Edit_CompraQuantExec);
    PlaceInput(layout.inputs, 1, 4, Label139, Edit_MateriaCusto);
    layout.inputs->setRowMinimumHeight(4, 26);
    layout.inputs->addWidget(CheckBox_CompraDone, 4, 0, 1, 2);
    layout.inputs->addWidget(CheckBox_CompraHold, 4, 2, 1, 2);
    for (int col = 0; col < 5; ++col)
        layout.inputs->setColumnStretch(col, 1);
    layout.buttons->addWidget(Button_CompraAdd);
    layout.buttons->addWidget(Button_CompraDelete);
    layout.buttons->addStretch(1);
    layout.buttons->addWidget(Button_CompraClose);
    setTabOrder(ComboBox_CompraMateria, ComboBox_CompraFornecedor);
    setTabOrder(ComboBox_CompraFornecedor, Edit_CompraQuant);
    setTabOrder(Edit_CompraQuant, Edit_CompraData);
    setTabOrder(Edit_CompraData, CheckBox_CompraDone);
    setTabOrder(CheckBox_CompraDone, Button_CompraAdd);

    m_selected = new SelectedRow(Label135, StringGrid19, ColRecord, Button_CompraAdd, this);
    setColumnShares({0.41, 0.33, 0.14, 0.12});
    setInitialSortColumn(ColDateKey);
    setFirstInput(Edit_CompraQuant);

    // Archived orders in red, orders on hold in blue, state 3 in green.
    StringGrid19->setCellStyler([this](int, int row, CellStyle& s) {
        if (row == 0 || StringGrid19->Cells(ColMaterial, 1).isEmpty())
            return;
        if (const auto colour = OrderStateColour(StringGrid19->Cells(ColState, row)))
            s.foreground = *colour;
    });

    connect(StringGrid19, &StringGrid::cellClicked, this, [this](int, int row) { StringGrid19Click(row); });
    connect(StringGrid19, &StringGrid::cellDoubleClicked, this, [this](int, int row) { StringGrid19DblClick(row); });
    connect(Scroll_CompraData, &QScrollBar::valueChanged, this, &TForm_CompraMateria::Scroll_CompraDataChange);
    connect(Button_CompraAdd, &QAbstractButton::clicked, this, &TForm_CompraMateria::Button_CompraAddClick);
    connect(Button_CompraDelete, &QAbstractButton::clicked, this, &TForm_CompraMateria::Button_CompraDeleteClick);
    Edit_CompraQuant->installEventFilter(this);
}

QAbstractButton* TForm_CompraMateria::CloseButton() const { return Button_CompraClose; }

void TForm_CompraMateria::ApplyFormLanguage()
{
    SetCaption(Label130, QStringLiteral("label_23"), QString::fromUtf8("Matéria Prima"));
    SetCaption(Label132, QStringLiteral("label_19"), QStringLiteral("Fornecedor"));
    SetCaption(Label133, QStringLiteral("label_33"), QStringLiteral("Quant/un."));
    SetCaption(Label136, QStringLiteral("label_11"), QStringLiteral("Data"));
    SetCaption(Label138, QStringLiteral("label_36"), QString::fromUtf8("Refª. Compra"));
    SetCaption(CheckBox_CompraDone, QStringLiteral("label_46"), QStringLiteral("Arquivar Encomenda"));
    SetCaption(CheckBox_CompraHold, QStringLiteral("label_48"), QStringLiteral("Parar  Encomenda"));
    SetCaption(Label106, QStringLiteral("label_70"), QStringLiteral("Quant. Exec."));
    SetCaption(Label140, QStringLiteral("label_37"), QString::fromUtf8("Refª Produto"));
    SetCaption(Label139, QStringLiteral("label_10"), QStringLiteral("Custo / un."));
    SetEditMode(Button_CompraAdd, IsEditMode(Button_CompraAdd)); // the caption of its mode
    Button_CompraDelete->setText(Caption::Delete());
    Button_CompraClose->setText(Caption::Close());
    // The grid's titles are the captions of the inputs.
    StringGrid19->setCells(ColMaterial, 0, Label130->text());
    StringGrid19->setCells(ColSupplier, 0, Label132->text());
    StringGrid19->setCells(ColQuantity, 0, Label133->text());
    StringGrid19->setCells(ColDate, 0, Label136->text());
}

// ---------------------------------------------------------------------------------------------
// Loading

void TForm_CompraMateria::LoadData()
{
    RecordFileBase::EnsureRecordFile(OrderFile());
    const std::vector<EncomMateriaRecord> records = ReadAllRecords<EncomMateriaRecord>(OrderFile());
    const QString today = Today();
    std::vector<QStringList> rows;
    rows.reserve(records.size());
    for (size_t i = 0; i < records.size(); ++i)
        if (records[i].state != OrderArchived)
            rows.push_back(OrderRows::PurchaseOrderRow(records[i], qint64(i) + 1, today));
    SetDataRows(StringGrid19, rows);
    const qint64 listed = qint64(rows.size());
    m_selected->Loaded(listed);
}

void TForm_CompraMateria::FillLists()
{
    RefillList(ComboBox_CompraMateria, [](QComboBox* list) { FillRawMaterialList(list); });
    RefillList(ComboBox_CompraFornecedor, [](QComboBox* list) { FillSupplierList(list); });
    if (Edit_CompraData->text().isEmpty())
        Edit_CompraData->setText(Today());
}

void TForm_CompraMateria::Reload()
{
    Hourglass hourglass;
    LoadData();
    FillLists();
    StringGrid19->FitFirstColumn();
    SortGridByColumn(StringGrid19, ColDateKey);
    m_selected->Relocate();
}

void TForm_CompraMateria::FormCloseScreen()
{
    CheckBox_CompraDone->setChecked(false);
    CheckBox_CompraDone->setEnabled(false);
}

// ---------------------------------------------------------------------------------------------
// Grid

void TForm_CompraMateria::StringGrid19Click(int row)
{
    if (IsEditMode(Button_CompraAdd) || row < 1)
        return;
    m_selected->Select(row);
    Edit_CompraQuantExec->setText(StringGrid19->Cells(ColReceived, row));
}

void TForm_CompraMateria::StringGrid19DblClick(int row)
{
    if (row < 1 || StringGrid19->Cells(ColMaterial, 1).isEmpty())
        return;
    ComboBox_CompraMateria->setCurrentIndex(FindExact(ComboBox_CompraMateria, StringGrid19->Cells(ColMaterial, row)));
    SetInputText(ComboBox_CompraFornecedor, StringGrid19->Cells(ColSupplier, row));
    Edit_CompraQuant->setText(StringGrid19->Cells(ColQuantity, row));
    Edit_CompraData->setText(StringGrid19->Cells(ColDate, row));
    Edit_CompraRef->setText(StringGrid19->Cells(ColReference, row));
    Edit_CompraMateriaRef->setText(StringGrid19->Cells(ColMaterialReference, row));
    Edit_MateriaCusto->setText(StringGrid19->Cells(ColUnitCost, row));
    Edit_CompraQuantExec->setText(StringGrid19->Cells(ColReceived, row));
    m_selected->Select(row);
    SetEditMode(Button_CompraAdd, true);
    const QString state = StringGrid19->Cells(ColState, row);
    CheckBox_CompraDone->setEnabled(true);
    CheckBox_CompraDone->setChecked(state == QLatin1String("1"));
    CheckBox_CompraHold->setChecked(state == QLatin1String("2"));
}

// ---------------------------------------------------------------------------------------------
// Inputs

bool TForm_CompraMateria::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving the quantity box for another control of the window checks it (not when a message box
    // or another window takes the focus).
    if (watched == Edit_CompraQuant && event->type() == QEvent::FocusOut && isVisible() && !IsClosing()) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !m_checkingQuantity) {
            m_checkingQuantity = true;
            Edit_CompraQuantExit();
            m_checkingQuantity = false;
        }
    }
    return ScreenForm::eventFilter(watched, event);
}

void TForm_CompraMateria::Edit_CompraQuantExit() { CheckNumberEdit(Edit_CompraQuant); }

void TForm_CompraMateria::Scroll_CompraDataChange()
{
    const int position = Scroll_CompraData->value();
    if (position == 0)
        return;
    {
        const QSignalBlocker block(Scroll_CompraData);
        Scroll_CompraData->setValue(0);
    }
    // The up arrow (-1) steps one day later.
    if (DateText::parse(Edit_CompraData->text()))
        StepDateEdit(Edit_CompraData, -position);
    else
        CheckDateEdit(Edit_CompraData);
}

// ---------------------------------------------------------------------------------------------
// Storing and removing

bool TForm_CompraMateria::MaterialSupplierPair(const QString& material, const QString& supplier)
{
    RecordFileBase::EnsureRecordFile(MaterialFile());
    std::vector<MateriaPrimaRecord> materials = ReadAllRecords<MateriaPrimaRecord>(MaterialFile());
    const qsizetype found = OrderRows::FindMaterialPair(materials, material, supplier);
    if (found >= 0) {
        Edit_CompraMateriaRef->setText(materials[size_t(found)].Referencia.text());
        Edit_MateriaCusto->setText(materials[size_t(found)].Preco.text());
        return true;
    }
    MessageBox::information(LangMsg[60]);
    if (!MessageBox::confirm(LangMsg[34]))
        return false;
    // A line of the material not yet bought from anyone takes the supplier; otherwise a new line.
    // Either way the order takes the reference and price of the pair it names.
    const qsizetype empty = OrderRows::FindPairToFill(materials, material);
    MateriaPrimaRecord pair = EmptyRecord<MateriaPrimaRecord>();
    if (empty >= 0) {
        StoreRecord<MateriaPrimaRecord>(MaterialFile(), empty, [&](MateriaPrimaRecord& r) {
            r.MateriaPrima = material;
            r.Fornecedor = supplier;
            pair = r;
        });
    } else {
        pair = OrderRows::NewMaterialPair(material, supplier);
        AppendOne(MaterialFile(), pair);
    }
    Edit_CompraMateriaRef->setText(pair.Referencia.text());
    Edit_MateriaCusto->setText(pair.Preco.text());
    return true;
}

void TForm_CompraMateria::Button_CompraAddClick()
{
    const QString material = ComboBox_CompraMateria->currentText();
    const QString supplier = ComboBox_CompraFornecedor->currentText();
    const QString quantity = Edit_CompraQuant->text();
    if (material.trimmed().isEmpty() || supplier.trimmed().isEmpty() || quantity.trimmed().isEmpty()
        || Edit_CompraData->text().trimmed().isEmpty()) {
        MessageBox::information(MissingInputText({Label130->text(), Label132->text(), Label133->text(), Label136->text()}));
        Edit_CompraQuant->setFocus();
        return;
    }
    if (!CheckDateEdit(Edit_CompraData))
        return;
    // A quantity is a number, and an order does not take back what was bought.
    const auto value = DecimalText::parse(quantity);
    if (!value || *value < 0) {
        MessageBox::information(QLatin1Char('\'') + quantity + QLatin1Char('\'') + LangMsg[3]);
        Edit_CompraQuant->setText(QStringLiteral("0"));
        Edit_CompraQuant->setFocus();
        return;
    }
    const bool edit = IsEditMode(Button_CompraAdd);
    if (edit && m_selected->RecordIndex() < 0) {
        MessageBox::information(LangMsg[22]);
        return;
    }
    const qint64 index = edit ? m_selected->RecordIndex() : -1;
    Hourglass hourglass;
    if (!MaterialSupplierPair(material, supplier))
        return;
    if (FindExact(ComboBox_CompraFornecedor, supplier) < 0) {
        // A supplier not known yet: it becomes a supplier of its own, with its name only.
        if (!MessageBox::confirm(LangMsg[33]))
            return;
        auto newSupplier = EmptyRecord<FornecedorRecord>();
        newSupplier.Nome = supplier;
        AppendOne(DataFilePath(DataFile::Fornecedores), newSupplier);
    }
    StoreOrder(index);
    ResetInputs();
    Reload();
}

void TForm_CompraMateria::StoreOrder(qint64 index)
{
    const std::uint8_t state = CheckBox_CompraDone->isChecked()   ? OrderArchived
                               : CheckBox_CompraHold->isChecked() ? OrderOnHold
                                                                  : OrderActive;
    StoreRecord<EncomMateriaRecord>(OrderFile(), index, [&](EncomMateriaRecord& r) {
        r.material = ComboBox_CompraMateria->currentText();
        r.materialReference = Edit_CompraMateriaRef->text();
        r.supplier = ComboBox_CompraFornecedor->currentText();
        r.quantity = Edit_CompraQuant->text();
        r.date = Edit_CompraData->text();
        r.reference = Edit_CompraRef->text();
        // A new order has received nothing yet (the box may show a clicked row's quantity).
        r.received = index < 0 ? QStringLiteral("0") : Edit_CompraQuantExec->text();
        r.unitCost = Edit_MateriaCusto->text();
        r.state = state;
    });
}

void TForm_CompraMateria::ResetInputs()
{
    SetEditMode(Button_CompraAdd, false);
    m_selected->Forget();
    ClearListText(ComboBox_CompraFornecedor);
    Edit_CompraQuant->setText(QStringLiteral("0"));
    Edit_CompraRef->clear();
    Edit_CompraMateriaRef->clear();
    Edit_MateriaCusto->setText(QStringLiteral("0"));
    Edit_CompraQuantExec->setText(QStringLiteral("0"));
    for (QCheckBox* box : {CheckBox_CompraDone, CheckBox_CompraHold}) {
        box->setChecked(false);
        box->setEnabled(false);
    }
    Edit_CompraQuant->setFocus();
}

void TForm_CompraMateria::Button_CompraDeleteClick()
{
    if (!ConfirmDeletable(*m_selected))
        return;
    const int row = m_selected->Row();
    if (StringGrid19->Cells(ColState, row) == QLatin1String("0")) {
        MessageBox::information(LangMsg[59]);
        return;
    }
    const QString question =
        LangText(QStringLiteral("msg_DeleteFromFile"), QStringLiteral("Delete record # %1 from file %2"))
            .arg(StringGrid19->Cells(ColRecord, row), DataFile::EncomMateria)
        + QLatin1Char('\r')
        + LangText(QStringLiteral("msg_DeleteGridLine"), QStringLiteral(" and line %1 from grid %2"))
              .arg(QString::number(row), StringGrid19->objectName());
    if (!MessageBox::confirm(question))
        return;
    const bool edit = IsEditMode(Button_CompraAdd);
    RemoveRecordAt<EncomMateriaRecord>(OrderFile(), m_selected->RecordIndex());
    m_selected->Forget();
    if (edit)
        ResetInputs();
    Reload();
}
