#include "stock/TForm_Stock.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
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
#include "stock/StockBookings.h"
#include "stock/StockCalculation.h"
#include "stock/StockScreens.h"
#include "store/Clock.h"
#include "store/DateText.h"
#include "store/DecimalText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include <algorithm>

using StockCalculation::MaterialRow;
using StockCalculation::NeedRow;

namespace {

QString StockFile() { return DataFilePath(DataFile::StockMateria); }

// Where the five pieces of an open purchase order are written in its list.
const QList<int> kOrderPieces{1, 36, 171, 211, 246};

// The needs list: its columns share the list's width (less its frame).
constexpr int kNeedsListWidth = TForm2::GridWidth - 3;

// The least width of the products counted for a material.
constexpr int kProductsWidth = 110;

// Fills the needs list: the titles, then one row per material. The material takes the room its
// texts need (within limits), the figures and the date share the room the products counted leave
// them (FitColumnsToRoom), and the products take what is left; the sort key stays hidden.
void FillNeedsGrid(StringGrid* grid, const QStringList& titles, const std::vector<NeedRow>& needs)
{
    grid->setColCount(NeedRow::ColumnCount);
    std::vector<QStringList> data;
    data.reserve(needs.size());
    for (const NeedRow& n : needs)
        data.push_back(n.cells);
    SetDataRows(grid, data);
    GridUpdate update(grid);
    auto& rows = grid->rows();
    rows[0].assign(titles.begin(), titles.end());

    const QFontMetrics metrics(grid->font());
    int materialWidth = 0;
    for (size_t r = 1; r < rows.size(); ++r)
        if (!rows[r].empty())
            materialWidth = std::max(materialWidth, metrics.horizontalAdvance(rows[r][NeedRow::ColMaterial]) + 8);
    materialWidth = std::clamp(materialWidth, 90, 170);
    QList<ColumnRoom> figures;
    for (int c = NeedRow::ColStock; c <= NeedRow::ColRunOut; ++c)
        figures.append({c, 36});
    const int used = FitColumnsToRoom(grid, figures, kNeedsListWidth - materialWidth - kProductsWidth);
    grid->setColWidths(NeedRow::ColMaterial, materialWidth);
    grid->setColWidths(NeedRow::ColProducts, std::max(kProductsWidth, kNeedsListWidth - materialWidth - used));
    grid->setColWidths(NeedRow::ColRunOutKey, 0);
}

} // namespace

TForm_Stock::TForm_Stock(QWidget* parent, Mode mode) : ScreenForm(parent), m_mode(mode)
{
    setObjectName(QStringLiteral("TForm_Stock"));
    StringGrid5 = Named(new StringGrid(this), "StringGrid5");
    StringGrid5->setColCount(ColumnCount);
    StringGrid5->setColWidths(ColDate, 0);
    StringGrid5->setColWidths(ColRecord, 0);

    Label25 = NewLabel(this, "Label25", QString::fromUtf8("Matéria Prima"));
    Label_StockRef = NewLabel(this, "Label_StockRef", QStringLiteral("Referencia"));
    Label26 = NewLabel(this, "Label26", QStringLiteral("Entrada"));
    Label27 = NewLabel(this, "Label27", QString::fromUtf8("Saída"));
    Label101 = NewLabel(this, "Label101", QStringLiteral("Entrada para a Encomenda ..."));
    Label49 = NewLabel(this, "Label49", QStringLiteral("Date"));
    Label29 = NewRowLabel(this, "Label29");
    ComboBox_StockMateriaPrima = NewPickList(this, "ComboBox_StockMateriaPrima");
    SetListSorted(ComboBox_StockMateriaPrima);
    ComboBox_StockMateriaPrimaRef = NewPickList(this, "ComboBox_StockMateriaPrimaRef");
    ComboBox_StockMateriaPrimaRef->setEnabled(false);
    Edit_StockData = NewEdit(this, "Edit_StockData", 10);
    Edit_StockData->setMinimumWidth(Edit_StockData->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 8);
    SetDateKeys(Edit_StockData);
    Scroll_StockData = NewUpDownBar(this, "Scroll_StockData", -1);
    Scroll_StockData->setRange(-1, 1);
    Scroll_StockData->setValue(0);
    Edit_StockEntrada = NewEdit(this, "Edit_StockEntrada", StockScreens::QuantityBoxLength);
    Edit_StockSaida = NewEdit(this, "Edit_StockSaida", StockScreens::QuantityBoxLength);
    SetQuantityKeys(Edit_StockEntrada);
    SetQuantityKeys(Edit_StockSaida);
    CheckBox_StockCorrect = Named(new QCheckBox(QStringLiteral("Acerto de stock"), this), "CheckBox_StockCorrect");
    ApplyPanelColour(CheckBox_StockCorrect, QColor(204, 230, 255));
    ComboBox_StockEntradaEncom = StockScreens::NewOrderList(this, "ComboBox_StockEntradaEncom", kOrderPieces);
    Button_StockAdd = NewButton(this, "Button_StockAdd", Caption::Add());
    Button_StockDelete = NewButton(this, "Button_StockDelete", Caption::Delete());
    Button_StockCalculate = NewButton(this, "Button_StockCalculate", QStringLiteral("Calculate"));
    Button_StockDetail = NewButton(this, "Button_StockDetail", QStringLiteral("Detail ..."));
    Button_StockClose = NewButton(this, "Button_StockClose", Caption::Close());

    // Material, reference / date, entry, exit, correction / the order of an entry.
    const EditorLayout layout = BuildEditorLayout(this, StringGrid5);
    m_inputs = layout.inputs;
    PlaceInput(layout.inputs, 0, 0, Label25, ComboBox_StockMateriaPrima, 3);
    PlaceInput(layout.inputs, 0, 3, Label_StockRef, ComboBox_StockMateriaPrimaRef, 2);
    PlaceInput(layout.inputs, 1, 0, Label49, NewDateInput(this, Edit_StockData, Scroll_StockData));
    PlaceInput(layout.inputs, 1, 1, Label26, Edit_StockEntrada);
    PlaceInput(layout.inputs, 1, 2, Label27, Edit_StockSaida);
    layout.inputs->addWidget(CheckBox_StockCorrect, 3, 3, 1, 2, Qt::AlignLeft | Qt::AlignVCenter);
    PlaceInput(layout.inputs, 2, 0, Label101, ComboBox_StockEntradaEncom, 5);
    for (int col = 0; col < 5; ++col)
        layout.inputs->setColumnStretch(col, 1);
    layout.buttons->addWidget(Button_StockAdd);
    layout.buttons->addWidget(Button_StockDelete);
    layout.buttons->addWidget(Button_StockCalculate);
    layout.buttons->addWidget(Button_StockDetail);
    layout.buttons->addStretch(1);
    layout.buttons->addWidget(Button_StockClose);
    setTabOrder(ComboBox_StockMateriaPrima, Edit_StockData);
    setTabOrder(Edit_StockData, Edit_StockEntrada);
    setTabOrder(Edit_StockEntrada, Edit_StockSaida);
    setTabOrder(Edit_StockSaida, CheckBox_StockCorrect);
    setTabOrder(CheckBox_StockCorrect, ComboBox_StockEntradaEncom);
    setTabOrder(ComboBox_StockEntradaEncom, Button_StockAdd);

    m_selected = new SelectedRow(Label29, StringGrid5, ColRecord, this);
    setColumnShares({0.41, 0.14, 0.05, 0.14, 0.13, 0.13});
    setInitialSortColumn(ColMaterial);

    // Nothing available in red, the units in grey.
    StringGrid5->setCellStyler([this](int col, int row, CellStyle& s) {
        if (row == 0 || StringGrid5->Cells(ColMaterial, 1).isEmpty())
            return;
        if (col == ColUnit)
            s.foreground = StockScreens::Grey;
        else if (col == ColAvailable && StockScreens::IsNegative(StringGrid5->Cells(col, row)))
            s.foreground = StockScreens::Red;
    });

    connect(StringGrid5, &StringGrid::cellClicked, this, [this](int, int row) { StringGrid5Click(row); });
    connect(StringGrid5, &StringGrid::cellDoubleClicked, this, [this](int, int row) { StringGrid5DblClick(row); });
    connect(Scroll_StockData, &QScrollBar::valueChanged, this, &TForm_Stock::Scroll_StockDataChange);
    connect(CheckBox_StockCorrect, &QCheckBox::clicked, this, &TForm_Stock::CheckBox_StockCorrectClick);
    connect(ComboBox_StockMateriaPrima, &QComboBox::currentIndexChanged, this,
            &TForm_Stock::ComboBox_StockMateriaPrimaChange);
    connect(Button_StockAdd, &QAbstractButton::clicked, this, &TForm_Stock::Button_StockAddClick);
    connect(Button_StockDelete, &QAbstractButton::clicked, this, &TForm_Stock::Button_StockDeleteClick);
    connect(Button_StockCalculate, &QAbstractButton::clicked, this, &TForm_Stock::Button_StockCalculateClick);
    connect(Button_StockDetail, &QAbstractButton::clicked, this, &TForm_Stock::Button_StockDetailClick);
    Edit_StockEntrada->installEventFilter(this);
    SetUpMode();
}

TForm_Stock::~TForm_Stock() { delete m_form2.data(); }

QAbstractButton* TForm_Stock::CloseButton() const { return Button_StockClose; }

TForm2* TForm_Stock::ResultWindow() const { return m_form2.data(); }

void TForm_Stock::SetUpMode()
{
    const bool entry = m_mode == StockEntry;
    for (QWidget* w : std::initializer_list<QWidget*>{Label49, Edit_StockData, Scroll_StockData, Label26, Edit_StockEntrada,
                                                      Label27, Edit_StockSaida, CheckBox_StockCorrect, Label101,
                                                      ComboBox_StockEntradaEncom, Button_StockAdd, Button_StockDelete})
        w->setVisible(entry);
    Button_StockCalculate->setVisible(!entry);
    Button_StockCalculate->setEnabled(true);
    // Enabled from the end of a calculation until its list closes (the calculation shows it itself).
    Button_StockDetail->setVisible(false);
    Button_StockDetail->setEnabled(false);
    ComboBox_StockEntradaEncom->setEnabled(false);
    // The calculation shows the first line of inputs only: the others take no room.
    if (!entry)
        for (int row = 2; row < m_inputs->rowCount(); ++row)
            m_inputs->setRowMinimumHeight(row, 0);
    setFirstInput(entry ? static_cast<QWidget*>(ComboBox_StockMateriaPrima) : StringGrid5);
}

void TForm_Stock::ApplyFormLanguage()
{
    SetCaption(Label25, QStringLiteral("label_23"), QString::fromUtf8("Matéria Prima"));
    SetCaption(Label_StockRef, QStringLiteral("label_35"), QStringLiteral("Referencia"));
    SetCaption(Label26, QStringLiteral("label_15"), QStringLiteral("Entrada"));
    SetCaption(Label27, QStringLiteral("label_40"), QString::fromUtf8("Saída"));
    SetCaption(Label101, QStringLiteral("label_16"), QStringLiteral("Entrada para a Encomenda ..."));
    SetCaption(Label49, QStringLiteral("label_11"), QStringLiteral("Date"));
    SetCaption(Button_StockDetail, QStringLiteral("label_64"), QStringLiteral("Detail ..."));
    SetCaption(Button_StockCalculate, QStringLiteral("label_65"), QStringLiteral("Calculate"));
    SetCaption(CheckBox_StockCorrect, QStringLiteral("label_50"), QStringLiteral("Acerto de stock"));
    Button_StockAdd->setText(Caption::Add());
    Button_StockDelete->setText(Caption::Delete());
    Button_StockClose->setText(Caption::Close());
    StringGrid5->setCells(ColMaterial, 0, Label25->text());
    StringGrid5->setCells(ColStock, 0, QStringLiteral("Stock"));
    SetHeading(StringGrid5, ColUnit, QStringLiteral("label_unit"), QStringLiteral("un."));
    SetHeading(StringGrid5, ColReserved, QStringLiteral("label_39"), QStringLiteral("Reservado"));
    SetHeading(StringGrid5, ColOnOrder, QStringLiteral("label_14"), QStringLiteral("Encomendas"));
    SetHeading(StringGrid5, ColAvailable, QStringLiteral("label_96"), QStringLiteral("Disponivel"));
}

// ---------------------------------------------------------------------------------------------
// Loading

void TForm_Stock::LoadData()
{
    if (!m_form2)
        m_form2 = new TForm2(window());
    Edit_StockData->setText(DateText::DateToStr(Clock::today()));
    const qint64 n = LoadGrid<StockMateriaRecord>(StringGrid5, StockFile(), true, [](const StockMateriaRecord& r, qint64 k) {
        return StockCalculation::LoadedRow(r, k).Cells();
    });
    m_selected->Loaded(n);
}

void TForm_Stock::FillLists()
{
    RefillList(ComboBox_StockMateriaPrima, [](QComboBox* list) { FillRawMaterialList(list); });
    m_references.clear();
    for (const MateriaPrimaRecord& r : ReadAllRecordsIfExists<MateriaPrimaRecord>(DataFilePath(DataFile::MateriasPrimas)))
        m_references[r.MateriaPrima.text()] << r.Referencia.text();
    ComboBox_StockMateriaPrimaChange();
    FillOrderList();
}

void TForm_Stock::FillOrderList()
{
    StockScreens::RefillOrderList(ComboBox_StockEntradaEncom,
                                  [](QComboBox* list) { FillOpenMaterialOrders(DataFile::EncomMateria, list); });
    ComboBox_StockEntradaEncom->setEnabled(false);
}

void TForm_Stock::AfterShow() { FillUnitColumn(StringGrid5, ColUnit); }

void TForm_Stock::Reload()
{
    Hourglass hourglass;
    LoadData();
    StringGrid5->FitFirstColumn();
    SortGridByColumn(StringGrid5, ColMaterial);
    FillUnitColumn(StringGrid5, ColUnit);
    m_selected->Relocate();
}

// ---------------------------------------------------------------------------------------------
// Grid and inputs

void TForm_Stock::StringGrid5Click(int row)
{
    if (row >= 1)
        m_selected->Select(row);
}

void TForm_Stock::StringGrid5DblClick(int row)
{
    if (row < 1 || StringGrid5->Cells(ColMaterial, 1).isEmpty())
        return;
    ComboBox_StockMateriaPrima->setCurrentIndex(FindExact(ComboBox_StockMateriaPrima, StringGrid5->Cells(ColMaterial, row)));
    m_selected->Select(row);
}

void TForm_Stock::ComboBox_StockMateriaPrimaChange()
{
    ComboBox_StockMateriaPrimaRef->clear();
    ComboBox_StockMateriaPrimaRef->addItems(m_references.value(ComboBox_StockMateriaPrima->currentText()));
    ComboBox_StockMateriaPrimaRef->setCurrentIndex(ComboBox_StockMateriaPrimaRef->count() > 0 ? 0 : -1);
}

bool TForm_Stock::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit_StockEntrada && isVisible() && !IsClosing()) {
        if (event->type() == QEvent::FocusIn)
            Edit_StockEntradaEnter();
        else if (event->type() == QEvent::FocusOut)
            Edit_StockEntradaExit();
    }
    return ScreenForm::eventFilter(watched, event);
}

void TForm_Stock::Edit_StockEntradaEnter()
{
    if (!CheckBox_StockCorrect->isChecked())
        ComboBox_StockEntradaEncom->setEnabled(true);
}

void TForm_Stock::Edit_StockEntradaExit()
{
    if (Edit_StockEntrada->text().trimmed().isEmpty())
        ChooseNoOrder();
}

void TForm_Stock::ChooseNoOrder()
{
    ComboBox_StockEntradaEncom->setCurrentIndex(0);
    ComboBox_StockEntradaEncom->setEnabled(false);
}

void TForm_Stock::CheckBox_StockCorrectClick()
{
    if (CheckBox_StockCorrect->isChecked())
        ChooseNoOrder();
    else if (!Edit_StockEntrada->text().trimmed().isEmpty())
        ComboBox_StockEntradaEncom->setEnabled(true);
}

void TForm_Stock::Scroll_StockDataChange() { StepDateWithBar(Scroll_StockData, Edit_StockData); }

// ---------------------------------------------------------------------------------------------
// Booking and removing

void TForm_Stock::Button_StockAddClick()
{
    const QString material = ComboBox_StockMateriaPrima->currentText();
    if (material.trimmed().isEmpty()
        || (Edit_StockEntrada->text().trimmed().isEmpty() && Edit_StockSaida->text().trimmed().isEmpty())) {
        MessageBox::information(LangMsg[1]);
        Edit_StockEntrada->setFocus();
        return;
    }
    StockBookings::Booking booking;
    if (!CheckDateEdit(Edit_StockData) || !CheckQuantityEdit(Edit_StockEntrada, StockScreens::QuantityWidth, booking.entry)
        || !CheckQuantityEdit(Edit_StockSaida, StockScreens::QuantityWidth, booking.exit))
        return;
    booking.correction = CheckBox_StockCorrect->isChecked();
    if (booking.entry == 0 && booking.exit == 0 && !booking.correction) {
        MessageBox::information(LangMsg[1]); // nothing to book
        Edit_StockEntrada->setFocus();
        return;
    }
    if (Edit_StockEntrada->text() == QLatin1String("0"))
        ComboBox_StockEntradaEncom->setCurrentIndex(0);

    Hourglass hourglass;
    const int chosen = ComboBox_StockEntradaEncom->currentIndex();
    booking.order = booking.correction ? -1 : OpenOrderRecord(ComboBox_StockEntradaEncom, chosen);
    if (booking.order >= 0) {
        // The order's material, as its line shows it, must be the material booked.
        const OpenOrderItem item = ParseOpenOrderLine(ComboBox_StockEntradaEncom->itemText(chosen));
        if (item.first != PadOrCut(material, 21)) {
            MessageBox::information(LangMsg[36]);
            return;
        }
    }
    booking.item = material;
    booking.date = Edit_StockData->text();
    booking.today = DateText::DateToStr(Clock::today());
    const StockBookings::BookingPlan plan = StockBookings::PlanMaterialBookingIn(DatabaseFolder, booking);
    if (!StockScreens::ShowRefusal(plan, LangMsg[36]))
        return;
    const StockBookings::BookingResult result = StockBookings::WriteBooking(DatabaseFolder, plan);

    // What was written is shown in any case.
    Button_StockAdd->setText(Caption::Add());
    Edit_StockEntrada->clear();
    Edit_StockSaida->clear();
    ShowBooked(result.written);
    ChooseNoOrder();
    if (!result.ok())
        MessageBox::error(StockBookings::BookingFailureText(result));
}

void TForm_Stock::ShowBooked(const std::vector<StockBookings::RecordWrite>& written)
{
    bool reload = false;
    for (const StockBookings::RecordWrite& w : written) {
        if (w.what == StockBookings::RecordWrite::OrderRecord) {
            StockScreens::ShowOrderBooked(ComboBox_StockEntradaEncom, w);
        } else if (w.what == StockBookings::RecordWrite::StockRecord) {
            const int row = StockScreens::RowOfRecord(StringGrid5, ColRecord, w.index);
            if (row == 0) {
                reload = true; // a new material: it takes its place in the sorted rows
                continue;
            }
            QStringList cells = StockCalculation::LoadedRow(std::get<StockMateriaRecord>(w.record), w.index + 1).Cells();
            cells[ColUnit] = StringGrid5->Cells(ColUnit, row);
            StringGrid5->setRowTexts(row, cells);
        }
    }
    if (reload)
        Reload();
}

void TForm_Stock::Button_StockDeleteClick()
{
    if (!ConfirmDeletable(*m_selected))
        return;
    const int row = m_selected->Row();
    if (StringGrid5->Cells(ColStock, row) != QLatin1String("0") || StringGrid5->Cells(ColOnOrder, row) != QLatin1String("0")) {
        MessageBox::information(LangMsg[38]);
        return;
    }
    Hourglass hourglass;
    RemoveRecordAt<StockMateriaRecord>(StockFile(), m_selected->RecordIndex());
    m_selected->Forget();
    Reload();
}

// ---------------------------------------------------------------------------------------------
// Stock calculation and the needs list

std::vector<NeedRow> TForm_Stock::NeedsOnScreen() const
{
    std::vector<NeedRow> needs;
    if (!m_form2)
        return needs;
    const StringGrid* grid = m_form2->StringGrid5;
    if (grid->Cells(0, 1).isEmpty())
        return needs;
    for (int r = 1; r < grid->RowCount(); ++r)
        needs.push_back(NeedRow::FromCells(grid->RowTexts(r)));
    return needs;
}

void TForm_Stock::Button_StockCalculateClick()
{
    const QString orders = DataFilePath(DataFile::EncomProduto);
    if (QFileInfo(orders).size() < qint64(sizeof(EncomProdutoRecord))) {
        MessageBox::information(LangMsg[19]);
        return;
    }
    {
        Hourglass hourglass;
        const StockCalculation::Recalculation done = StockCalculation::RecalculateStock(
            DatabaseFolder, OrderCalculation::Settings::FromProgram(), NeedsOnScreen());
        const StockCalculation::StockOutcome& out = done.outcome;
        if (out.noProductOrders) {
            MessageBox::information(LangMsg[19]);
            return;
        }
        if (out.error) {
            Reload(); // nothing was written: the rows as they are stored
            MessageBox::error(OrderCalculation::ErrorText(*out.error));
            return;
        }
        // The working table, as the order calculation leaves it.
        if (ShellHost* shell = Shell())
            shell->KeepWorkingTable(out.totals);

        std::vector<QStringList> rows;
        rows.reserve(out.rows.size());
        for (const MaterialRow& row : out.rows)
            rows.push_back(row.Cells());
        SetDataRows(StringGrid5, rows);
        m_selected->Loaded(qint64(out.rows.size()));
        StringGrid5->FitFirstColumn();
        SortGridByColumn(StringGrid5, ColMaterial);
        FillUnitColumn(StringGrid5, ColUnit);
        FillNeedsList(out.needs);
        Button_StockCalculate->setEnabled(false);
        Button_StockDetail->setEnabled(true);
    }
    Button_StockDetailClick();
}

void TForm_Stock::FillNeedsList(const std::vector<NeedRow>& needs)
{
    if (!m_form2)
        m_form2 = new TForm2(window());
    StringGrid* grid = m_form2->StringGrid5;
    const QStringList titles{Label25->text(),
                             QStringLiteral("Stock"),
                             LangText(QStringLiteral("label_39"), QStringLiteral("Reservado")),
                             LangText(QStringLiteral("label_95"), QStringLiteral("Encomenda")),
                             LangText(QStringLiteral("label_96"), QStringLiteral("Disponivel")),
                             LangText(QStringLiteral("label_97"), QStringLiteral("Quant/dia")),
                             Label49->text(),
                             QString(),
                             QString()};
    FillNeedsGrid(grid, titles, needs);
}

void TForm_Stock::Button_StockDetailClick()
{
    if (!m_form2)
        return;
    TForm2* form2 = m_form2;
    if (auto* main = qobject_cast<TForm1*>(window()))
        main->SetHelpContext(31);
    form2->setProperty("HelpContext", 31);
    form2->ShowPanel(TForm2::PanelStock);
    form2->Label1->setText(DateText::DateToStr(Clock::today()));
    form2->SetCaption(LangTitle[20]);
    form2->PlaceBelow(window());
    // The run-out dates, from the stock and the daily quantity of every row.
    std::vector<NeedRow> needs = NeedsOnScreen();
    StockCalculation::ComputeRunOutDates(needs, OrderCalculation::Settings::FromProgram());
    FillNeedsList(needs);
    WidenForScrollBar(form2->StringGrid5);
    DesktopServices::instance().beep();
    QPointer<TForm_Stock> self(this);
    form2->ShowModal();
    if (!self)
        return;
    CurrentGrid = StringGrid5;
    Button_StockCalculate->setEnabled(true);
    Button_StockDetail->setEnabled(false);
}

void TForm_Stock::FormCloseScreen()
{
    if (m_form2) {
        m_form2->close();
        m_form2->deleteLater();
    }
    m_selected->Forget();
    Button_StockDetail->setEnabled(false);
    Button_StockCalculate->setEnabled(true);
}
