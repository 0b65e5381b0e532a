#include "stock/TForm_StockProd.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "i18n/Settings.h"
#include "shell/Globals.h"
#include "shell/GridRoutines.h"
#include "shell/InputChecks.h"
#include "shell/ListFillers.h"
#include "shell/MessageBox.h"
#include "shell/RecordEditing.h"
#include "shell/ScreenControls.h"
#include "shell/ShellHost.h"
#include "stock/StockBookings.h"
#include "stock/StockScreens.h"
#include "store/Clock.h"
#include "store/DateText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>

namespace {

QStringList RowTexts(const StockProdutoRecord& r, qint64 k)
{
    return {r.product.text(), r.type.text(), r.stock.text(), r.available.text(), r.ordered.text(), r.date.text(),
            QString::number(k)};
}

QString StockFile() { return DataFilePath(DataFile::StockProduto); }

// Where the five pieces of an open client order are written in its list.
const QList<int> kOrderPieces{1, 36, 121, 211, 246};

// Set once the manual-stock warning has been shown in this run.
bool g_manualStockWarned = false;

} // namespace

bool TForm_StockProd::ManualStockWarned() { return g_manualStockWarned; }
void TForm_StockProd::ResetManualStockWarning() { g_manualStockWarned = false; }

TForm_StockProd::TForm_StockProd(QWidget* parent) : ScreenForm(parent)
{
    setObjectName(QStringLiteral("TForm_StockProd"));
    StringGrid9 = Named(new StringGrid(this), "StringGrid9");
    StringGrid9->setColCount(ColumnCount);
    for (int c = ColDate; c < ColumnCount; ++c)
        StringGrid9->setColWidths(c, 0);

    Label50 = NewLabel(this, "Label50", QStringLiteral("Produto"));
    Label77 = NewLabel(this, "Label77", QStringLiteral("Tipo"));
    Label51 = NewLabel(this, "Label51", QStringLiteral("Entrada"));
    Label52 = NewLabel(this, "Label52", QString::fromUtf8("Saída"));
    Label82 = NewLabel(this, "Label82", QStringLiteral("Saida para a Encomenda ..."));
    Label58 = NewLabel(this, "Label58", QStringLiteral("Date"));
    Label54 = NewRowLabel(this, "Label54");
    ComboBox_StockProduto = NewPickList(this, "ComboBox_StockProduto");
    SetListSorted(ComboBox_StockProduto);
    ComboBox_StockProdutoCor = NewEditableList(this, "ComboBox_StockProdutoCor", 20, true);
    Edit_StockProdData = NewEdit(this, "Edit_StockProdData", 10);
    Edit_StockProdData->setMinimumWidth(Edit_StockProdData->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 8);
    SetDateKeys(Edit_StockProdData);
    Scroll_StockProdData = NewUpDownBar(this, "Scroll_StockProdData", -1);
    Scroll_StockProdData->setRange(-1, 1);
    Scroll_StockProdData->setValue(0);
    Edit_StockProdEntrada = NewEdit(this, "Edit_StockProdEntrada", StockScreens::QuantityBoxLength);
    Edit_StockProdSaida = NewEdit(this, "Edit_StockProdSaida", StockScreens::QuantityBoxLength);
    SetQuantityKeys(Edit_StockProdEntrada);
    SetQuantityKeys(Edit_StockProdSaida);
    CheckBox_StockProdCorrect = Named(new QCheckBox(QStringLiteral("Acerto de stock"), this), "CheckBox_StockProdCorrect");
    ApplyPanelColour(CheckBox_StockProdCorrect, QColor(204, 230, 255));
    ComboBox_StockProdSaidaEncom = StockScreens::NewOrderList(this, "ComboBox_StockProdSaidaEncom", kOrderPieces);
    Button_StockProdAdd = NewButton(this, "Button_StockProdAdd", Caption::Add());
    Button_StockProdDelete = NewButton(this, "Button_StockProdDelete", Caption::Delete());
    Button_StockProdClose = NewButton(this, "Button_StockProdClose", Caption::Close());

    // Product, type / date, entry, exit, correction / the order of an exit.
    const EditorLayout layout = BuildEditorLayout(this, StringGrid9);
    PlaceInput(layout.inputs, 0, 0, Label50, ComboBox_StockProduto, 3);
    PlaceInput(layout.inputs, 0, 3, Label77, ComboBox_StockProdutoCor, 2);
    PlaceInput(layout.inputs, 1, 0, Label58, NewDateInput(this, Edit_StockProdData, Scroll_StockProdData));
    PlaceInput(layout.inputs, 1, 1, Label51, Edit_StockProdEntrada);
    PlaceInput(layout.inputs, 1, 2, Label52, Edit_StockProdSaida);
    layout.inputs->addWidget(CheckBox_StockProdCorrect, 3, 3, 1, 2, Qt::AlignLeft | Qt::AlignVCenter);
    PlaceInput(layout.inputs, 2, 0, Label82, ComboBox_StockProdSaidaEncom, 5);
    for (int col = 0; col < 5; ++col)
        layout.inputs->setColumnStretch(col, 1);
    layout.buttons->addWidget(Button_StockProdAdd);
    layout.buttons->addWidget(Button_StockProdDelete);
    layout.buttons->addStretch(1);
    layout.buttons->addWidget(Button_StockProdClose);
    setTabOrder(ComboBox_StockProduto, ComboBox_StockProdutoCor);
    setTabOrder(ComboBox_StockProdutoCor, Edit_StockProdData);
    setTabOrder(Edit_StockProdData, Edit_StockProdEntrada);
    setTabOrder(Edit_StockProdEntrada, Edit_StockProdSaida);
    setTabOrder(Edit_StockProdSaida, CheckBox_StockProdCorrect);
    setTabOrder(CheckBox_StockProdCorrect, ComboBox_StockProdSaidaEncom);
    setTabOrder(ComboBox_StockProdSaidaEncom, Button_StockProdAdd);

    m_selected = new SelectedRow(Label54, StringGrid9, ColRecord, this);
    setColumnShares({0.32, 0.27, 0.15, 0.13, 0.13});
    setInitialSortColumn(ColProduct);
    setFirstInput(ComboBox_StockProduto);

    // A shortfall (available below 0) in red.
    StringGrid9->setCellStyler([this](int col, int row, CellStyle& s) {
        if (row == 0 || col != ColAvailable || StringGrid9->Cells(ColProduct, 1).isEmpty())
            return;
        if (StockScreens::IsNegative(StringGrid9->Cells(col, row)))
            s.foreground = StockScreens::Red;
    });

    connect(StringGrid9, &StringGrid::cellClicked, this, [this](int, int row) { StringGrid9Click(row); });
    connect(StringGrid9, &StringGrid::cellDoubleClicked, this, [this](int, int row) { StringGrid9DblClick(row); });
    connect(Scroll_StockProdData, &QScrollBar::valueChanged, this, &TForm_StockProd::Scroll_StockProdDataChange);
    connect(CheckBox_StockProdCorrect, &QCheckBox::clicked, this, &TForm_StockProd::CheckBox_StockProdCorrectClick);
    connect(Button_StockProdAdd, &QAbstractButton::clicked, this, &TForm_StockProd::Button_StockProdAddClick);
    connect(Button_StockProdDelete, &QAbstractButton::clicked, this, &TForm_StockProd::Button_StockProdDeleteClick);
    Edit_StockProdEntrada->installEventFilter(this);
    Edit_StockProdSaida->installEventFilter(this);
}

QAbstractButton* TForm_StockProd::CloseButton() const { return Button_StockProdClose; }

void TForm_StockProd::ApplyFormLanguage()
{
    SetCaption(Label50, QStringLiteral("label_31"), QStringLiteral("Produto"));
    SetCaption(Label77, QStringLiteral("label_6"), QStringLiteral("Tipo"));
    SetCaption(Label51, QStringLiteral("label_15"), QStringLiteral("Entrada"));
    SetCaption(Label52, QStringLiteral("label_40"), QString::fromUtf8("Saída"));
    SetCaption(Label82, QStringLiteral("label_41"), QStringLiteral("Saida para a Encomenda ..."));
    SetCaption(Label58, QStringLiteral("label_11"), QStringLiteral("Date"));
    SetCaption(CheckBox_StockProdCorrect, QStringLiteral("label_50"), QStringLiteral("Acerto de stock"));
    SetHeading(StringGrid9, ColAvailable, QStringLiteral("label_96"), QStringLiteral("Disponivel"));
    SetHeading(StringGrid9, ColOrdered, QStringLiteral("label_14"), QStringLiteral("Encomendas"));
    StringGrid9->setCells(ColProduct, 0, Label50->text());
    StringGrid9->setCells(ColType, 0, Label77->text());
    StringGrid9->setCells(ColStock, 0, QStringLiteral("Stock"));
    Button_StockProdAdd->setText(Caption::Add());
    Button_StockProdDelete->setText(Caption::Delete());
    Button_StockProdClose->setText(Caption::Close());
    Edit_StockProdData->setText(DateText::DateToStr(Clock::today()));
}

// ---------------------------------------------------------------------------------------------
// Loading

void TForm_StockProd::LoadData()
{
    const qint64 n = LoadGrid<StockProdutoRecord>(StringGrid9, StockFile(), true, RowTexts);
    m_selected->Loaded(n);
}

void TForm_StockProd::FillLists()
{
    RefillList(ComboBox_StockProduto, [this](QComboBox* list) {
        ComboBox_StockProdutoCor->clear();
        FillProductLists(list, ComboBox_StockProdutoCor);
    });
    ClearListText(ComboBox_StockProdutoCor);
    FillOrderList();
}

void TForm_StockProd::FillOrderList()
{
    StockScreens::RefillOrderList(ComboBox_StockProdSaidaEncom,
                                  [](QComboBox* list) { FillOpenProductOrders(DataFile::EncomProduto, list); });
    ComboBox_StockProdSaidaEncom->setEnabled(false);
}

void TForm_StockProd::Reload()
{
    Hourglass hourglass;
    LoadData();
    StringGrid9->FitFirstColumn();
    SortGridByColumn(StringGrid9, ColProduct);
    m_selected->Relocate();
}

// ---------------------------------------------------------------------------------------------
// Grid and inputs

void TForm_StockProd::StringGrid9Click(int row)
{
    if (row >= 1)
        m_selected->Select(row);
}

void TForm_StockProd::StringGrid9DblClick(int row)
{
    if (row < 1 || StringGrid9->Cells(ColProduct, 1).isEmpty())
        return;
    ComboBox_StockProduto->setCurrentIndex(FindExact(ComboBox_StockProduto, StringGrid9->Cells(ColProduct, row)));
    SetInputText(ComboBox_StockProdutoCor, StringGrid9->Cells(ColType, row));
    m_selected->Select(row);
}

bool TForm_StockProd::eventFilter(QObject* watched, QEvent* event)
{
    if (isVisible() && !IsClosing()) {
        if (watched == Edit_StockProdEntrada && event->type() == QEvent::MouseButtonPress
            && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            QTimer::singleShot(0, this, &TForm_StockProd::Edit_StockProdEntradaClick);
        else if (watched == Edit_StockProdSaida && event->type() == QEvent::FocusIn)
            Edit_StockProdSaidaEnter();
        else if (watched == Edit_StockProdSaida && event->type() == QEvent::FocusOut)
            Edit_StockProdSaidaExit();
    }
    return ScreenForm::eventFilter(watched, event);
}

void TForm_StockProd::Edit_StockProdEntradaClick()
{
    // Products made here should come in through the production entries, which book them.
    if (StockAuto || !HourControl || g_manualStockWarned)
        return;
    g_manualStockWarned = true;
    const QString text = LangMsg[70] + QStringLiteral("\r\r") + LangMsg[7] + QLatin1Char('\r') + LangMsg[8];
    if (MessageBox::ask(text, MessageBox::OkCancel, MessageBox::Information) != MessageBox::Ok)
        return;
    if (ShellHost* shell = Shell())
        shell->RunMenuCommand(QStringLiteral("menu_EditProducaoEntradas")); // closes this screen
}

void TForm_StockProd::Edit_StockProdSaidaEnter()
{
    if (!CheckBox_StockProdCorrect->isChecked())
        ComboBox_StockProdSaidaEncom->setEnabled(true);
}

void TForm_StockProd::Edit_StockProdSaidaExit()
{
    if (Edit_StockProdSaida->text().trimmed().isEmpty())
        ChooseNoOrder();
}

void TForm_StockProd::ChooseNoOrder()
{
    ComboBox_StockProdSaidaEncom->setCurrentIndex(0);
    ComboBox_StockProdSaidaEncom->setEnabled(false);
}

void TForm_StockProd::CheckBox_StockProdCorrectClick()
{
    if (CheckBox_StockProdCorrect->isChecked())
        ChooseNoOrder();
    else if (!Edit_StockProdSaida->text().trimmed().isEmpty())
        ComboBox_StockProdSaidaEncom->setEnabled(true);
}

void TForm_StockProd::Scroll_StockProdDataChange() { StepDateWithBar(Scroll_StockProdData, Edit_StockProdData); }

// ---------------------------------------------------------------------------------------------
// Booking and removing

void TForm_StockProd::Button_StockProdAddClick()
{
    const QString product = ComboBox_StockProduto->currentText();
    const QString type = ComboBox_StockProdutoCor->currentText();
    if (product.trimmed().isEmpty() || type.trimmed().isEmpty()
        || (Edit_StockProdEntrada->text().trimmed().isEmpty() && Edit_StockProdSaida->text().trimmed().isEmpty())) {
        MessageBox::information(LangMsg[1]);
        setFocus();
        return;
    }
    StockBookings::Booking booking;
    if (!CheckDateEdit(Edit_StockProdData) || !ProductExists(product + QLatin1Char(' ') + type)
        || !CheckQuantityEdit(Edit_StockProdEntrada, StockScreens::QuantityWidth, booking.entry)
        || !CheckQuantityEdit(Edit_StockProdSaida, StockScreens::QuantityWidth, booking.exit))
        return;
    booking.correction = CheckBox_StockProdCorrect->isChecked();
    if (booking.entry == 0 && booking.exit == 0 && !booking.correction) {
        MessageBox::information(LangMsg[1]); // nothing to book
        setFocus();
        return;
    }
    if (Edit_StockProdSaida->text() == QLatin1String("0"))
        ComboBox_StockProdSaidaEncom->setCurrentIndex(0);

    Hourglass hourglass;
    const int chosen = ComboBox_StockProdSaidaEncom->currentIndex();
    booking.order = booking.correction ? -1 : OpenOrderRecord(ComboBox_StockProdSaidaEncom, chosen);
    if (booking.order >= 0) {
        // The order's product and type, as its line shows them, must be those booked.
        const OpenOrderItem item = ParseOpenOrderLine(ComboBox_StockProdSaidaEncom->itemText(chosen));
        if (item.first != PadOrCut(product, 21) || item.second != PadOrCut(type, 20)) {
            MessageBox::information(LangMsg[37]);
            return;
        }
    }
    booking.item = product;
    booking.type = type;
    booking.date = Edit_StockProdData->text();
    booking.today = DateText::DateToStr(Clock::today());
    const StockBookings::BookingPlan plan = StockBookings::PlanProductBookingIn(DatabaseFolder, booking);
    if (!StockScreens::ShowRefusal(plan, LangMsg[37]))
        return;
    const StockBookings::BookingResult result = StockBookings::WriteBooking(DatabaseFolder, plan);

    // What was written is shown in any case.
    Button_StockProdAdd->setText(Caption::Add());
    Edit_StockProdEntrada->clear();
    Edit_StockProdSaida->clear();
    CheckBox_StockProdCorrect->setChecked(false);
    ShowBooked(result.written);
    ChooseNoOrder();
    if (!result.ok())
        MessageBox::error(StockBookings::BookingFailureText(result));
}

void TForm_StockProd::ShowBooked(const std::vector<StockBookings::RecordWrite>& written)
{
    bool reload = false;
    for (const StockBookings::RecordWrite& w : written) {
        if (w.what == StockBookings::RecordWrite::OrderRecord) {
            StockScreens::ShowOrderBooked(ComboBox_StockProdSaidaEncom, w);
        } else if (w.what == StockBookings::RecordWrite::StockRecord) {
            const int row = StockScreens::RowOfRecord(StringGrid9, ColRecord, w.index);
            if (row == 0)
                reload = true; // a new product: it takes its place in the sorted rows
            else
                StringGrid9->setRowTexts(row, RowTexts(std::get<StockProdutoRecord>(w.record), w.index + 1));
        }
    }
    if (reload)
        Reload();
}

void TForm_StockProd::Button_StockProdDeleteClick()
{
    if (!ConfirmDeletable(*m_selected))
        return;
    const int row = m_selected->Row();
    if (StringGrid9->Cells(ColStock, row) != QLatin1String("0") || StringGrid9->Cells(ColOrdered, row) != QLatin1String("0")) {
        MessageBox::information(LangMsg[38]);
        return;
    }
    Hourglass hourglass;
    RemoveRecordAt<StockProdutoRecord>(StockFile(), m_selected->RecordIndex());
    m_selected->Forget();
    Reload();
}

void TForm_StockProd::FormCloseScreen() { m_selected->Forget(); }
