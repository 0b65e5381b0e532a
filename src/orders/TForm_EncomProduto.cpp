#include "orders/TForm_EncomProduto.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "orders/OrderCalculation.h"
#include "report/TForm2.h"
#include "shell/DesktopServices.h"
#include "shell/Globals.h"
#include "shell/GridRoutines.h"
#include "shell/InputChecks.h"
#include "shell/ListFillers.h"
#include "shell/MessageBox.h"
#include "shell/RecordEditing.h"
#include "shell/ScreenControls.h"
#include "shell/ShellHost.h"
#include "shell/TForm1.h"
#include "store/Clock.h"
#include "store/DateText.h"
#include "store/DecimalText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>

namespace {

const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);
const QColor Green(0, 128, 0);

QString OrderFile() { return DataFilePath(DataFile::EncomProduto); }

// Width of the quantity field of an order.
constexpr int kQuantityWidth = 10;

// The delivery-dates list: the width its columns share (the list's width less its frame), and
// the width of the clients column, whose picture stands 35 pixels into the cell.
constexpr int kDeliveryListWidth = TForm2::GridWidth - 3;
constexpr int kClientsWidth = 56;

} // namespace

TForm_EncomProduto::TForm_EncomProduto(QWidget* parent, Mode mode) : ScreenForm(parent), m_mode(mode)
{
    setObjectName(QStringLiteral("TForm_EncomProduto"));
    StringGrid6 = Named(new StringGrid(this), "StringGrid6");
    StringGrid6->setColCount(ColumnCount);
    for (int c = ColSecondDate; c < ColumnCount; ++c)
        StringGrid6->setColWidths(c, 0);
    StringGrid6->setTitleSortColumn(ColDate, ColDateKey); // the date sorts by its key

    Label33 = NewLabel(this, "Label33", QStringLiteral("Produto"));
    Label78 = NewLabel(this, "Label78", QStringLiteral("Tipo"));
    Label34 = NewLabel(this, "Label34", QStringLiteral("Cliente"));
    Label35 = NewLabel(this, "Label35", QStringLiteral("Quant/un."));
    Label38 = NewLabel(this, "Label38", QStringLiteral("Date"));
    Label105 = NewLabel(this, "Label105", QString::fromUtf8("Refª. Encom."));
    Label106 = NewLabel(this, "Label106", QStringLiteral("Quant. Exec."));
    Label37 = NewRowLabel(this, "Label37");
    ComboBox_Produto = NewPickList(this, "ComboBox_Produto");
    SetListSorted(ComboBox_Produto);
    ComboBox_ProdutoCor = NewPickList(this, "ComboBox_ProdutoCor");
    ComboBox_EncomendaCliente = NewEditableList(this, "ComboBox_EncomendaCliente", 30, true);
    // Room for a quantity written with leading zeros or trailing decimals; what is stored is the
    // normalised text, at most its field's size.
    Edit_EncomendaQuant = NewEdit(this, "Edit_EncomendaQuant", 2 * kQuantityWidth);
    Edit_EncomendaQuant->setText(QStringLiteral("0"));
    SetQuantityKeys(Edit_EncomendaQuant);
    Edit_EncomendaData = NewEdit(this, "Edit_EncomendaData", 10);
    Edit_EncomendaData->setMinimumWidth(Edit_EncomendaData->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 8);
    SetDateKeys(Edit_EncomendaData);
    Scroll_EncomendaData = NewUpDownBar(this, "Scroll_EncomendaData", -1);
    Scroll_EncomendaData->setRange(-1, 1);
    Scroll_EncomendaData->setValue(0);
    Edit_EncomendaRef = NewEdit(this, "Edit_EncomendaRef", 6);
    Edit_EncomendaRef->setReadOnly(true);
    Edit_EncomendaQuantExec = NewEdit(this, "Edit_EncomendaQuantExec", 10);
    Edit_EncomendaQuantExec->setReadOnly(true);
    Edit_EncomendaQuantExec->setText(QStringLiteral("0"));
    CheckBox_EncomendaDone = Named(new QCheckBox(QStringLiteral("Arquivar Encomenda"), this), "CheckBox_EncomendaDone");
    CheckBox_EncomendaHold = Named(new QCheckBox(QStringLiteral("Parar  Encomenda"), this), "CheckBox_EncomendaHold");
    for (QCheckBox* box : {CheckBox_EncomendaDone, CheckBox_EncomendaHold}) {
        box->setEnabled(false);
        ApplyPanelColour(box, QColor(204, 230, 255));
    }
    Button_EncomendaAdd = NewModeButton(this, "Button_EncomendaAdd");
    Button_EncomendaDelete = NewButton(this, "Button_EncomendaDelete", Caption::Delete());
    Button_EncomendaCalculate = NewButton(this, "Button_EncomendaCalculate", QStringLiteral("Calculate"));
    Button_EncomendaDetail = NewButton(this, "Button_EncomendaDetail", QStringLiteral("Detail ..."));
    Button_EncomendaClose = NewButton(this, "Button_EncomendaClose", Caption::Close());

    // Product, type, client / quantity, date, reference, delivered, archive and hold.
    const EditorLayout layout = BuildEditorLayout(this, StringGrid6);
    auto* date = new QWidget(this);
    auto* dateRow = new QHBoxLayout(date);
    dateRow->setContentsMargins(0, 0, 0, 0);
    dateRow->setSpacing(1);
    dateRow->addWidget(Edit_EncomendaData, 1);
    dateRow->addWidget(Scroll_EncomendaData);
    PlaceInput(layout.inputs, 0, 0, Label33, ComboBox_Produto, 2);
    PlaceInput(layout.inputs, 0, 2, Label78, ComboBox_ProdutoCor, 2);
    PlaceInput(layout.inputs, 0, 4, Label34, ComboBox_EncomendaCliente, 2);
    PlaceInput(layout.inputs, 1, 0, Label35, Edit_EncomendaQuant);
    PlaceInput(layout.inputs, 1, 1, Label38, date);
    PlaceInput(layout.inputs, 1, 2, Label105, Edit_EncomendaRef);
    PlaceInput(layout.inputs, 1, 3, Label106, Edit_EncomendaQuantExec);
    layout.inputs->addWidget(CheckBox_EncomendaDone, 2, 4, 1, 2);
    layout.inputs->addWidget(CheckBox_EncomendaHold, 3, 4, 1, 2);
    for (int col = 0; col < 6; ++col)
        layout.inputs->setColumnStretch(col, 1);
    layout.buttons->addWidget(Button_EncomendaAdd);
    layout.buttons->addWidget(Button_EncomendaDelete);
    layout.buttons->addWidget(Button_EncomendaCalculate);
    layout.buttons->addWidget(Button_EncomendaDetail);
    layout.buttons->addStretch(1);
    layout.buttons->addWidget(Button_EncomendaClose);
    setTabOrder(ComboBox_Produto, ComboBox_ProdutoCor);
    setTabOrder(ComboBox_ProdutoCor, ComboBox_EncomendaCliente);
    setTabOrder(ComboBox_EncomendaCliente, Edit_EncomendaQuant);
    setTabOrder(Edit_EncomendaQuant, Edit_EncomendaData);
    setTabOrder(Edit_EncomendaData, CheckBox_EncomendaDone);
    setTabOrder(CheckBox_EncomendaDone, CheckBox_EncomendaHold);
    setTabOrder(CheckBox_EncomendaHold, Button_EncomendaAdd);

    m_selected = new SelectedRow(Label37, StringGrid6, ColRecord, Button_EncomendaAdd, this);
    setColumnShares({0.27, 0.24, 0.23, 0.14, 0.12});
    setInitialSortColumn(ColDateKey);

    // Archived orders in red, orders on hold in blue, production orders in green.
    StringGrid6->setCellStyler([this](int, int row, CellStyle& s) {
        if (row == 0 || StringGrid6->Cells(ColProduct, 1).isEmpty())
            return;
        const QString state = StringGrid6->Cells(ColState, row);
        if (state == QLatin1String("1"))
            s.foreground = Red;
        else if (state == QLatin1String("2"))
            s.foreground = Blue;
        else if (IsProductionOrder(row))
            s.foreground = Green;
    });

    connect(StringGrid6, &StringGrid::cellClicked, this, [this](int, int row) { StringGrid6Click(row); });
    connect(StringGrid6, &StringGrid::cellDoubleClicked, this, [this](int, int row) { StringGrid6DblClick(row); });
    connect(Scroll_EncomendaData, &QScrollBar::valueChanged, this, &TForm_EncomProduto::Scroll_EncomendaDataChange);
    connect(CheckBox_EncomendaDone, &QCheckBox::clicked, this, &TForm_EncomProduto::CheckBox_EncomendaDoneClick);
    connect(CheckBox_EncomendaHold, &QCheckBox::clicked, this, &TForm_EncomProduto::CheckBox_EncomendaHoldClick);
    connect(Button_EncomendaAdd, &QAbstractButton::clicked, this, &TForm_EncomProduto::Button_EncomendaAddClick);
    connect(Button_EncomendaDelete, &QAbstractButton::clicked, this, &TForm_EncomProduto::Button_EncomendaDeleteClick);
    connect(Button_EncomendaCalculate, &QAbstractButton::clicked, this, &TForm_EncomProduto::Button_EncomendaCalculateClick);
    connect(Button_EncomendaDetail, &QAbstractButton::clicked, this, &TForm_EncomProduto::Button_EncomendaDetailClick);
    Edit_EncomendaQuant->installEventFilter(this);
    SetUpMode();
}

TForm_EncomProduto::~TForm_EncomProduto() { delete m_form2.data(); }

QAbstractButton* TForm_EncomProduto::CloseButton() const { return Button_EncomendaClose; }

TForm2* TForm_EncomProduto::ResultWindow() const { return m_form2.data(); }

QString TForm_EncomProduto::OrderScreenMode() const
{
    return m_mode == OrderEntry ? QStringLiteral("encomenda") : QStringLiteral("plano");
}

void TForm_EncomProduto::SetUpMode()
{
    const bool entry = m_mode == OrderEntry;
    Button_EncomendaCalculate->setVisible(!entry);
    Button_EncomendaDetail->setVisible(false);
    Button_EncomendaDetail->setEnabled(false);
    for (QWidget* w : std::initializer_list<QWidget*>{Button_EncomendaAdd, Button_EncomendaDelete, CheckBox_EncomendaDone,
                                                      CheckBox_EncomendaHold, Label106, Edit_EncomendaQuantExec})
        w->setVisible(entry);
    for (QWidget* w : std::initializer_list<QWidget*>{ComboBox_EncomendaCliente, Edit_EncomendaQuant, Edit_EncomendaData,
                                                      Scroll_EncomendaData, ComboBox_Produto, ComboBox_ProdutoCor,
                                                      Edit_EncomendaRef})
        w->setEnabled(entry);
    setFirstInput(entry ? static_cast<QWidget*>(Edit_EncomendaQuant) : StringGrid6);
}

void TForm_EncomProduto::ApplyFormLanguage()
{
    SetCaption(Label33, QStringLiteral("label_31"), QStringLiteral("Produto"));
    SetCaption(Label78, QStringLiteral("label_6"), QStringLiteral("Tipo"));
    SetCaption(Label34, QStringLiteral("label_4"), QStringLiteral("Cliente"));
    SetCaption(Label35, QStringLiteral("label_33"), QStringLiteral("Quant/un."));
    SetCaption(Label38, QStringLiteral("label_11"), QStringLiteral("Date"));
    SetCaption(Label105, QStringLiteral("label_36"), QString::fromUtf8("Refª. Encom."));
    SetCaption(CheckBox_EncomendaDone, QStringLiteral("label_46"), QStringLiteral("Arquivar Encomenda"));
    SetCaption(CheckBox_EncomendaHold, QStringLiteral("label_48"), QStringLiteral("Parar  Encomenda"));
    SetCaption(Button_EncomendaDetail, QStringLiteral("label_64"), QStringLiteral("Detail ..."));
    SetCaption(Button_EncomendaCalculate, QStringLiteral("label_65"), QStringLiteral("Calculate"));
    SetCaption(Label106, QStringLiteral("label_70"), QStringLiteral("Quant. Exec."));
    SetEditMode(Button_EncomendaAdd, IsEditMode(Button_EncomendaAdd)); // the caption of its mode
    Button_EncomendaDelete->setText(Caption::Delete());
    Button_EncomendaClose->setText(Caption::Close());
    // The grid's titles are the captions of the inputs.
    StringGrid6->setCells(ColProduct, 0, Label33->text());
    StringGrid6->setCells(ColType, 0, Label78->text());
    StringGrid6->setCells(ColClient, 0, Label34->text());
    StringGrid6->setCells(ColQuantity, 0, Label35->text());
    StringGrid6->setCells(ColDate, 0, Label38->text());
}

// ---------------------------------------------------------------------------------------------
// Loading

void TForm_EncomProduto::LoadData()
{
    if (!m_form2)
        m_form2 = new TForm2(window());
    Edit_EncomendaData->setText(DateText::DateToStr(Clock::today()));

    RecordFileBase::EnsureRecordFile(OrderFile());
    const std::vector<EncomProdutoRecord> records = ReadAllRecords<EncomProdutoRecord>(OrderFile());
    const bool entry = m_mode == OrderEntry;
    qint64 listed = 0;
    {
        GridUpdate update(StringGrid6);
        auto& rows = StringGrid6->rows();
        rows.resize(1);
        rows.reserve(records.size() + 1);
        for (size_t i = 0; i < records.size(); ++i) {
            const EncomProdutoRecord& r = records[i];
            if (entry ? r.state == OrderArchived : r.state != OrderActive)
                continue;
            const QString date = r.date.text();
            const auto decoded = DateText::parse(date);
            rows.push_back({r.product.text(), r.type.text(), r.client.text(), r.quantity.text(), date,
                            r.secondDate.text(), QString::number(i + 1), r.reference.text(),
                            decoded ? DateText::SortKey(*decoded) : QString(), QString::number(r.state),
                            r.delivered.text()});
            ++listed;
        }
        if (rows.size() < 2)
            rows.emplace_back();
    }
    m_selected->Loaded(listed);
}

void TForm_EncomProduto::FillLists()
{
    RefillList(ComboBox_Produto, [this](QComboBox*) {
        ComboBox_ProdutoCor->clear();
        FillProductLists(ComboBox_Produto, ComboBox_ProdutoCor);
    });
    ClearListText(ComboBox_ProdutoCor);
    RefillList(ComboBox_EncomendaCliente, [](QComboBox* list) { FillClientList(list); });
}

void TForm_EncomProduto::Reload()
{
    Hourglass hourglass;
    LoadData();
    StringGrid6->FitFirstColumn();
    SortGridByColumn(StringGrid6, ColDateKey);
    m_selected->Relocate();
}

// ---------------------------------------------------------------------------------------------
// Grid

bool TForm_EncomProduto::IsProductionOrder(int row) const
{
    return StringGrid6->Cells(ColClient, row) == ProductionClient();
}

void TForm_EncomProduto::StringGrid6Click(int row)
{
    if (IsEditMode(Button_EncomendaAdd) || row < 1)
        return;
    m_selected->Select(row);
    Edit_EncomendaQuantExec->setText(StringGrid6->Cells(ColDelivered, row));
}

void TForm_EncomProduto::StringGrid6DblClick(int row)
{
    // The planning list is read-only.
    if (m_mode != OrderEntry || row < 1 || StringGrid6->Cells(ColProduct, 1).isEmpty())
        return;
    const bool production = IsProductionOrder(row);
    if (production)
        MessageBox::information(LangMsg[72]);
    ComboBox_Produto->setCurrentIndex(FindExact(ComboBox_Produto, StringGrid6->Cells(ColProduct, row)));
    ComboBox_ProdutoCor->setCurrentIndex(FindExact(ComboBox_ProdutoCor, StringGrid6->Cells(ColType, row)));
    SetInputText(ComboBox_EncomendaCliente, StringGrid6->Cells(ColClient, row));
    Edit_EncomendaQuant->setText(StringGrid6->Cells(ColQuantity, row));
    Edit_EncomendaData->setText(StringGrid6->Cells(ColDate, row));
    Edit_EncomendaRef->setText(StringGrid6->Cells(ColReference, row));
    Edit_EncomendaQuantExec->setText(StringGrid6->Cells(ColDelivered, row));
    ComboBox_EncomendaCliente->setEnabled(!production);
    m_selected->Select(row);
    SetEditMode(Button_EncomendaAdd, true);
    CheckBox_EncomendaDone->setEnabled(true);
    CheckBox_EncomendaHold->setEnabled(true);
    const QString state = StringGrid6->Cells(ColState, row);
    CheckBox_EncomendaDone->setChecked(state == QLatin1String("1"));
    CheckBox_EncomendaHold->setChecked(state == QLatin1String("2"));
}

// ---------------------------------------------------------------------------------------------
// Inputs

bool TForm_EncomProduto::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving the quantity box for another control of the window checks it (not when a message box
    // or another window takes the focus, which would check it again and again).
    if (watched == Edit_EncomendaQuant && event->type() == QEvent::FocusOut && isVisible() && !IsClosing()
        && Edit_EncomendaQuant->isEnabled()) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !m_checkingQuantity) {
            m_checkingQuantity = true;
            Edit_EncomendaQuantExit();
            m_checkingQuantity = false;
        }
    }
    return ScreenForm::eventFilter(watched, event);
}

void TForm_EncomProduto::Edit_EncomendaQuantExit() { CheckNumberEdit(Edit_EncomendaQuant); }

void TForm_EncomProduto::Scroll_EncomendaDataChange()
{
    const int position = Scroll_EncomendaData->value();
    if (position == 0)
        return;
    {
        const QSignalBlocker block(Scroll_EncomendaData);
        Scroll_EncomendaData->setValue(0);
    }
    // The up arrow (-1) steps one day later.
    if (DateText::parse(Edit_EncomendaData->text()))
        StepDateEdit(Edit_EncomendaData, -position);
    else
        CheckDateEdit(Edit_EncomendaData);
}

void TForm_EncomProduto::CheckBox_EncomendaDoneClick()
{
    if (CheckBox_EncomendaDone->isChecked())
        CheckBox_EncomendaHold->setChecked(false);
}

void TForm_EncomProduto::CheckBox_EncomendaHoldClick()
{
    if (CheckBox_EncomendaHold->isChecked())
        CheckBox_EncomendaDone->setChecked(false);
}

// ---------------------------------------------------------------------------------------------
// Storing and removing

void TForm_EncomProduto::Button_EncomendaAddClick()
{
    const QString product = ComboBox_Produto->currentText();
    const QString type = ComboBox_ProdutoCor->currentText();
    const QString client = ComboBox_EncomendaCliente->currentText();
    if (product.trimmed().isEmpty() || type.trimmed().isEmpty() || client.trimmed().isEmpty()
        || Edit_EncomendaQuant->text().trimmed().isEmpty() || Edit_EncomendaData->text().trimmed().isEmpty()) {
        MessageBox::information(
            MissingInputText({Label33->text(), Label78->text(), Label34->text(), Label35->text(), Label38->text()}));
        Edit_EncomendaQuant->setFocus();
        return;
    }
    if (!CheckDateEdit(Edit_EncomendaData))
        return;
    // The quantity is stored as its shortest text; a negative one, or one longer than its field,
    // is no quantity an order can hold.
    const QString typed = Edit_EncomendaQuant->text();
    const auto quantity = DecimalText::parse(typed);
    const QString normalised = quantity ? DecimalText::FloatToStr(*quantity) : QString();
    if (!quantity || *quantity < 0 || normalised.size() > kQuantityWidth) {
        MessageBox::information(QLatin1Char('\'') + typed + QLatin1Char('\'') + LangMsg[3]);
        Edit_EncomendaQuant->setText(QStringLiteral("0"));
        Edit_EncomendaQuant->setFocus();
        return;
    }
    Edit_EncomendaQuant->setText(normalised);
    if (!ProductExists(product + QLatin1Char(' ') + type))
        return;
    const bool edit = IsEditMode(Button_EncomendaAdd);
    if (edit && m_selected->RecordIndex() < 0) {
        MessageBox::information(LangMsg[22]);
        return;
    }
    const qint64 index = edit ? m_selected->RecordIndex() : -1;

    Hourglass hourglass;
    const bool known = client == ProductionClient() || FindExact(ComboBox_EncomendaCliente, client) >= 0;
    if (!known && !MessageBox::confirm(LangMsg[35]))
        return;
    StoreOrder(index);
    ResetInputs();
    Reload();
}

void TForm_EncomProduto::StoreOrder(qint64 index)
{
    const std::uint8_t state = CheckBox_EncomendaDone->isChecked()   ? OrderArchived
                               : CheckBox_EncomendaHold->isChecked() ? OrderOnHold
                                                                     : OrderActive;
    StoreRecord<EncomProdutoRecord>(OrderFile(), index, [&](EncomProdutoRecord& r) {
        r.product = ComboBox_Produto->currentText();
        r.type = ComboBox_ProdutoCor->currentText();
        r.client = ComboBox_EncomendaCliente->currentText();
        r.quantity = Edit_EncomendaQuant->text();
        r.date = Edit_EncomendaData->text();
        r.reference = Edit_EncomendaRef->text();
        // A new order has delivered nothing (the box may show the delivered quantity of the row
        // last clicked).
        r.delivered = index < 0 ? QStringLiteral("0") : Edit_EncomendaQuantExec->text();
        r.state = state;
    });
}

void TForm_EncomProduto::ResetInputs()
{
    SetEditMode(Button_EncomendaAdd, false);
    m_selected->Forget();
    ComboBox_EncomendaCliente->setEnabled(true);
    ClearListText(ComboBox_EncomendaCliente);
    Edit_EncomendaQuant->setText(QStringLiteral("0"));
    Edit_EncomendaRef->clear();
    Edit_EncomendaQuantExec->setText(QStringLiteral("0"));
    for (QCheckBox* box : {CheckBox_EncomendaDone, CheckBox_EncomendaHold}) {
        box->setChecked(false);
        box->setEnabled(false);
    }
    Edit_EncomendaQuant->setFocus();
}

void TForm_EncomProduto::Button_EncomendaDeleteClick()
{
    if (!ConfirmDeletable(*m_selected))
        return;
    const int row = m_selected->Row();
    if (IsProductionOrder(row))
        MessageBox::information(LangMsg[72]);
    if (StringGrid6->Cells(ColState, row) == QLatin1String("0")) {
        MessageBox::information(LangMsg[59]);
        return;
    }
    const QString question =
        LangText(QStringLiteral("msg_DeleteRecord"), QStringLiteral("Delete record # %1 from data file %2"))
            .arg(StringGrid6->Cells(ColRecord, row), DataFile::EncomProduto)
        + QLatin1Char('\r')
        + LangText(QStringLiteral("msg_DeleteRecordLine"), QStringLiteral("(line %1 from grid)")).arg(row);
    if (!MessageBox::confirm(question))
        return;
    const bool edit = IsEditMode(Button_EncomendaAdd);
    RemoveRecordAt<EncomProdutoRecord>(OrderFile(), m_selected->RecordIndex());
    m_selected->Forget();
    if (edit)
        ResetInputs();
    Reload();
}

// ---------------------------------------------------------------------------------------------
// Order calculation and delivery dates

void TForm_EncomProduto::Button_EncomendaCalculateClick()
{
    if (StringGrid6->Cells(ColProduct, 1).isEmpty()) {
        MessageBox::information(LangMsg[19]);
        return;
    }
    OrderCalculation::DeliveryList list;
    {
        Hourglass hourglass;
        ShellHost* shell = Shell();
        if (!shell)
            return;
        // The first half brings StockProduto.DAT up to date and leaves the working table.
        if (const auto error = shell->Button_calcClick()) {
            MessageBox::error(OrderCalculation::ErrorText(*error));
            return;
        }
        const auto settings = OrderCalculation::Settings::FromProgram();
        list = OrderCalculation::ComputeDeliveryDates(
            shell->WorkingTable().rows, ReadAllRecordsIfExists<ProdutoRecord>(DataFilePath(DataFile::Produtos)),
            settings);
        shell->Button_clsClick();
        FillDeliveryList(list);
        m_rateProblems = OrderCalculation::RateProblemsText(list.problems);
        Button_EncomendaCalculate->setEnabled(false);
        Button_EncomendaDetail->setEnabled(true);
    }
    Button_EncomendaDetailClick();
}

void TForm_EncomProduto::FillDeliveryList(const OrderCalculation::DeliveryList& list)
{
    using OrderCalculation::DeliveryRow;
    if (!m_form2)
        m_form2 = new TForm2(window());
    StringGrid* grid = m_form2->StringGrid6;
    GridUpdate update(grid);
    grid->setColCount(DeliveryRow::ColumnCount);
    auto& rows = grid->rows();
    rows.resize(1);
    rows[0] = {Label33->text(),
               Label78->text(),
               LangText(QStringLiteral("label_StockNew"), QStringLiteral("Stock (new)")),
               LangText(QStringLiteral("label_39"), QStringLiteral("Reservado")),
               LangText(QStringLiteral("label_98"), QStringLiteral("Clientes")),
               LangText(QStringLiteral("label_96"), QStringLiteral("Disponivel")),
               LangText(QStringLiteral("label_97"), QStringLiteral("Quant/dia")),
               LangText(QStringLiteral("label_99"), QStringLiteral("Dias")),
               LangText(QStringLiteral("label_47"), QStringLiteral("Data Final")),
               QString(),
               QString(),
               QString()};
    rows.reserve(list.rows.size() + 1);
    for (const DeliveryRow& r : list.rows)
        rows.emplace_back(r.cells.begin(), r.cells.end());
    if (rows.size() < 2)
        rows.emplace_back();

    // Product and type take the room their texts need, within limits; the figures share the rest,
    // each as wide as its title and texts. Short of room the longest titles yield first (a title
    // shows whole as its tool tip); a figure's texts are never cut.
    const QFontMetrics metrics(grid->font());
    auto textWidth = [&](int c) {
        int width = 0;
        for (size_t r = 1; r < rows.size(); ++r)
            if (size_t(c) < rows[r].size())
                width = std::max(width, metrics.horizontalAdvance(rows[r][size_t(c)]) + 8);
        return width;
    };
    const int productWidth = std::clamp(textWidth(DeliveryRow::ColProduct), 90, 190);
    const int typeWidth = std::clamp(textWidth(DeliveryRow::ColType), 60, 120);
    const int room = kDeliveryListWidth - productWidth - typeWidth;
    QList<ColumnRoom> figures;
    for (int c = DeliveryRow::ColStock; c <= DeliveryRow::ColEndDate; ++c)
        figures.append({c, c == DeliveryRow::ColClients ? kClientsWidth : 24});
    const int used = FitColumnsToRoom(grid, figures, room);
    // What is left goes to the product.
    grid->setColWidths(DeliveryRow::ColProduct, std::max(productWidth, kDeliveryListWidth - used - typeWidth));
    grid->setColWidths(DeliveryRow::ColType, typeWidth);
    for (int c = DeliveryRow::ColStockDate; c < DeliveryRow::ColumnCount; ++c)
        grid->setColWidths(c, 0);
}

void TForm_EncomProduto::Button_EncomendaDetailClick()
{
    if (!m_form2)
        return;
    TForm2* form2 = m_form2;
    if (auto* main = qobject_cast<TForm1*>(window()))
        main->SetHelpContext(32);
    form2->setProperty("HelpContext", 32);
    form2->ShowPanel(TForm2::PanelEncomenda);
    form2->Label4->setText(DateText::DateToStr(Clock::today()));
    form2->SetCaption(LangTitle[21]);
    form2->PlaceBelow(window());
    WidenForScrollBar(form2->StringGrid6);
    DesktopServices::instance().beep();

    // The products without a delivery date are named once the list is on screen.
    if (!m_rateProblems.isEmpty()) {
        const QString problems = m_rateProblems;
        m_rateProblems.clear();
        QTimer::singleShot(0, form2, [problems] { MessageBox::information(problems); });
    }
    CurrentGrid = StringGrid6;
    StringGrid6->setScreenTitle(LangTitle[11]);
    QPointer<TForm_EncomProduto> self(this);
    form2->ShowModal();
    if (!self)
        return;
    Button_EncomendaCalculate->setEnabled(true);
    Button_EncomendaDetail->setEnabled(false);
}

void TForm_EncomProduto::FormCloseScreen()
{
    if (m_form2) {
        m_form2->close();
        m_form2->deleteLater();
    }
    m_selected->Forget();
}
