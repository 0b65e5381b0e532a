#include "stock/TForm_MovimView.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "shell/Globals.h"
#include "shell/GridRoutines.h"
#include "shell/InputChecks.h"
#include "shell/ListFillers.h"
#include "shell/MessageBox.h"
#include "shell/ScreenControls.h"
#include "stock/MovementList.h"
#include "stock/StockLists.h"
#include "store/AccessPatterns.h"
#include "store/Clock.h"
#include "store/DateText.h"
#include "store/DecimalText.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>
#include <iterator>

using namespace MovementList;

namespace {

constexpr int kChooserWidth = 280;
constexpr int kChooserHeight = 132;
constexpr int kSideBoxWidth = 100;

// The type filter's items: key and built-in text, "( show all )" first.
struct TypeItem {
    const char* key;
    const char* builtIn;
};
constexpr TypeItem kTypeItems[] = {
    {"label_108", "( show all )"},
    {"label_110", "SS- saida de stock"},
    {"label_111", "ES- entrada em stock"},
    {"label_112", "AS- acerto de stock"},
    {"label_113", "SP- saída para produção"},
    {"label_114", "EP- entrada de produção"},
    {"label_115", "RP- rejeição de produção"},
    {"label_118", "HP- horas de produção"},
    {"label_116", "SE- saida para encomenda"},
    {"label_117", "EE- entrada para encomenda"},
};

// The small bar beside a date box: the up arrow adds a day, the down arrow takes one off.
QScrollBar* NewDayBar(QWidget* parent, const char* name)
{
    auto* bar = Named(new QScrollBar(Qt::Vertical, parent), name);
    bar->setRange(-1, 1);
    bar->setValue(0);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    return bar;
}

QLineEdit* NewReadOnlyBox(QWidget* parent, const char* name)
{
    QLineEdit* box = NewEdit(parent, name, 20);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return box;
}

} // namespace

TForm_MovimView::TForm_MovimView(QWidget* parent, Variant variant) : ScreenForm(parent), m_variant(variant)
{
    setObjectName(QStringLiteral("TForm_MovimView"));
    StringGrid10 = Named(new StringGrid(this), "StringGrid10");
    StringGrid10->setColCount(ColumnCount);
    StringGrid10->setRowTexts(0, {variant == Products ? QStringLiteral("Produto") : QString::fromUtf8("Matéria Prima"),
                                  QStringLiteral("Movimento"), QStringLiteral("*"), QStringLiteral("Data Movim."),
                                  QStringLiteral("Data Real")});
    for (int col : {int(ColSortKey), int(ColRecord), int(ColEmpty)})
        StringGrid10->setColWidths(col, 0);
    // The title row sorts by its own rules (StringGrid10MouseDown).
    StringGrid10->setSortOnTitleClick(false);
    // Exits in red, production hours in teal.
    StringGrid10->setCellStyler([this](int col, int row, CellStyle& style) {
        if (row < 1 || col != ColQuantity || StringGrid10->Cells(0, 1).isEmpty())
            return;
        if (StringGrid10->Cells(ColType, row) == QLatin1String("HP")) {
            style.foreground = QColor(0, 128, 128);
            return;
        }
        const auto value = DecimalText::parse(StringGrid10->Cells(col, row));
        if (value && *value < 0)
            style.foreground = QColor(255, 0, 0);
    });

    Label59 = NewLabel(this, "Label59", variant == Products ? QStringLiteral("Produto") : QString::fromUtf8("Matéria Prima"));
    ComboBox_MovimView = NewPickList(this, "ComboBox_MovimView");
    SetListSorted(ComboBox_MovimView);
    ComboBox_MovimType = NewPickList(this, "ComboBox_MovimType");
    Button_MovimDate = NewButton(this, "Button_MovimDate", QStringLiteral("Limit date ..."));
    Button_MovimDate->setFixedWidth(100);
    Label145 = NewLabel(this, "Label145", QStringLiteral("Entrada"));
    Edit_MovimViewEntradas = NewReadOnlyBox(this, "Edit_MovimViewEntradas");
    Label146 = NewLabel(this, "Label146", QString::fromUtf8("Saída"));
    Edit_MovimViewSaidas = NewReadOnlyBox(this, "Edit_MovimViewSaidas");
    Label98 = NewLabel(this, "Label98", QStringLiteral("Total Movim."));
    Edit_MovimViewTotal = NewReadOnlyBox(this, "Edit_MovimViewTotal");
    Label_MovimViewType = NewLabel(this, "Label_MovimViewType", QStringLiteral("Typ."));
    Edit_MovimViewType = NewReadOnlyBox(this, "Edit_MovimViewType");
    Label60 = NewLabel(this, "Label60", QStringLiteral("Ultimo Movim."));
    Edit_MovimViewDate = NewReadOnlyBox(this, "Edit_MovimViewDate");
    Label_MovimViewRec = NewLabel(this, "Label_MovimViewRec", QStringLiteral("Rec  #"));
    Edit_MovimViewRec = NewReadOnlyBox(this, "Edit_MovimViewRec");
    Button_MovimDelete = NewButton(this, "Button_MovimDelete", Caption::Delete());
    Button_MovimDelete->hide(); // created hidden; nothing shows it
    Button_MovimViewClose = NewButton(this, "Button_MovimViewClose", Caption::Close());

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 6, 8, 8);
    outer->setSpacing(6);
    auto* top = new QGridLayout;
    top->setHorizontalSpacing(10);
    top->setVerticalSpacing(1);
    top->addWidget(Label59, 0, 0);
    top->addWidget(ComboBox_MovimView, 1, 0);
    top->addWidget(ComboBox_MovimType, 1, 1);
    top->addWidget(Button_MovimDate, 1, 2);
    top->setColumnStretch(0, 3);
    top->setColumnStretch(1, 2);
    ComboBox_MovimView->setMinimumWidth(200);
    ComboBox_MovimType->setMinimumWidth(170);
    outer->addLayout(top);
    auto* body = new QHBoxLayout;
    body->setSpacing(10);
    body->addWidget(StringGrid10, 1);
    auto* side = new QVBoxLayout;
    side->setSpacing(1);
    auto pair = [side](QLabel* label, QLineEdit* box) {
        box->setFixedWidth(kSideBoxWidth);
        side->addWidget(label);
        side->addWidget(box);
        side->addSpacing(4);
    };
    pair(Label145, Edit_MovimViewEntradas);
    pair(Label146, Edit_MovimViewSaidas);
    pair(Label98, Edit_MovimViewTotal);
    side->addSpacing(10);
    pair(Label_MovimViewType, Edit_MovimViewType);
    pair(Label60, Edit_MovimViewDate);
    pair(Label_MovimViewRec, Edit_MovimViewRec);
    side->addStretch(1);
    side->addWidget(Button_MovimDelete, 0, Qt::AlignRight);
    side->addSpacing(4);
    side->addWidget(Button_MovimViewClose, 0, Qt::AlignRight);
    body->addLayout(side);
    outer->addLayout(body, 1);

    // The date-range chooser, parked until "Limit date ..." is pressed.
    m_chooser = PopupPanel::Create(this, "Panel_MovimDate", "Panel2", "Label128", "SpeedButton_MovimDateClose",
                                   QStringLiteral("Define 'Date' limits to list .."), QSize(kChooserWidth, kChooserHeight));
    Panel_MovimDate = m_chooser.panel;
    Panel2 = m_chooser.captionBar;
    Label128 = m_chooser.caption;
    SpeedButton_MovimDateClose = m_chooser.closeButton;
    Label_MovimDateFrom = Named(new QLabel(QStringLiteral("From..."), Panel_MovimDate), "Label_MovimDateFrom");
    Label_MovimDateFrom->setGeometry(22, 30, 100, 16);
    Edit_MovimDateFrom = Named(new QLineEdit(Panel_MovimDate), "Edit_MovimDateFrom");
    Edit_MovimDateFrom->setMaxLength(10);
    Edit_MovimDateFrom->setGeometry(22, 48, 88, 22);
    ScrollBar_MovimDateFrom = NewDayBar(Panel_MovimDate, "ScrollBar_MovimDateFrom");
    ScrollBar_MovimDateFrom->setGeometry(111, 48, 16, 22);
    Label_MovimDateTo = Named(new QLabel(QStringLiteral("To..."), Panel_MovimDate), "Label_MovimDateTo");
    Label_MovimDateTo->setGeometry(152, 30, 100, 16);
    Edit_MovimDateTo = Named(new QLineEdit(Panel_MovimDate), "Edit_MovimDateTo");
    Edit_MovimDateTo->setMaxLength(10);
    Edit_MovimDateTo->setGeometry(152, 48, 88, 22);
    ScrollBar_MovimDateTo = NewDayBar(Panel_MovimDate, "ScrollBar_MovimDateTo");
    ScrollBar_MovimDateTo->setGeometry(241, 48, 16, 22);
    SetDateKeys(Edit_MovimDateFrom);
    SetDateKeys(Edit_MovimDateTo);
    Button_MovimDateCancel = Named(new TRe2Buttn(Caption::PanelCancel(), Panel_MovimDate), "Button_MovimDateCancel");
    Button_MovimDateCancel->setGeometry(42, 92, 80, 25);
    Button_MovimDateOk = Named(new TRe2Buttn(Caption::PanelOk(), Panel_MovimDate), "Button_MovimDateOk");
    Button_MovimDateOk->setGeometry(158, 92, 80, 25);

    setColumnShares({0.51, 0.16, 0.06, 0.14, 0.13});
    setInitialSortColumn(ColSortKey);
    setFirstInput(ComboBox_MovimView);

    connect(ComboBox_MovimView, &QComboBox::currentIndexChanged, this, &TForm_MovimView::ComboBox_MovimViewChange);
    connect(ComboBox_MovimType, &QComboBox::currentIndexChanged, this, &TForm_MovimView::ComboBox_MovimViewChange);
    connect(Button_MovimDate, &QAbstractButton::clicked, this, &TForm_MovimView::Button_MovimDateClick);
    connect(Button_MovimDateOk, &QAbstractButton::clicked, this, &TForm_MovimView::Button_MovimDateOkClick);
    connect(Button_MovimDateCancel, &QAbstractButton::clicked, this, &TForm_MovimView::Button_MovimDateCancelClick);
    connect(SpeedButton_MovimDateClose, &QToolButton::clicked, this, &TForm_MovimView::Button_MovimDateCancelClick);
    connect(ScrollBar_MovimDateFrom, &QScrollBar::valueChanged, this, &TForm_MovimView::ScrollBar_MovimDateFromChange);
    connect(ScrollBar_MovimDateTo, &QScrollBar::valueChanged, this, &TForm_MovimView::ScrollBar_MovimDateToChange);
    connect(StringGrid10, &StringGrid::currentCellChanged, this, [this](int, int row) { StringGrid10Click(row); });
    connect(StringGrid10, &StringGrid::cellClicked, this, [this](int, int row) { StringGrid10Click(row); });
    connect(StringGrid10, &StringGrid::titleClicked, this, &TForm_MovimView::StringGrid10MouseDown);
    connect(Button_MovimDelete, &QAbstractButton::clicked, this, &TForm_MovimView::Button_MovimDeleteClick);
}

QAbstractButton* TForm_MovimView::CloseButton() const { return Button_MovimViewClose; }

QString TForm_MovimView::FilePath() const
{
    return DataFilePath(m_variant == Products ? DataFile::MovimProduto : DataFile::MovimMateria);
}

void TForm_MovimView::ApplyFormLanguage()
{
    SetCaption(Button_MovimDate, QStringLiteral("label_20"), QStringLiteral("Limit date ..."));
    SetCaption(Label98, QStringLiteral("label_44"), QStringLiteral("Total Movim."));
    SetCaption(Label60, QStringLiteral("label_45"), QStringLiteral("Ultimo Movim."));
    SetCaption(Label128, QStringLiteral("label_66"), QStringLiteral("Define 'Date' limits to list .."));
    SetCaption(Label145, QStringLiteral("label_15"), QStringLiteral("Entrada"));
    SetCaption(Label146, QStringLiteral("label_40"), QString::fromUtf8("Saída"));
    {
        const QSignalBlocker block(ComboBox_MovimType);
        ComboBox_MovimType->clear();
        for (const TypeItem& t : kTypeItems)
            ComboBox_MovimType->addItem(LangText(QString::fromLatin1(t.key), QString::fromUtf8(t.builtIn)));
    }
    SetCaption(Label_MovimViewType, QStringLiteral("label_MovimViewType"), QStringLiteral("Typ."));
    SetCaption(Label_MovimViewRec, QStringLiteral("label_MovimViewRec"), QStringLiteral("Rec  #"));
    SetCaption(Label_MovimDateFrom, QStringLiteral("label_MovimDateFrom"), QStringLiteral("From..."));
    SetCaption(Label_MovimDateTo, QStringLiteral("label_MovimDateTo"), QStringLiteral("To..."));

    // The texts of the raw-material or the product list.
    if (m_variant == Products) {
        SetCaption(Label59, QStringLiteral("label_31"), QStringLiteral("Produto"));
        SetHeading(StringGrid10, ColItem, QStringLiteral("label_31"), QStringLiteral("Produto"));
    } else {
        SetCaption(Label59, QStringLiteral("label_23"), QString::fromUtf8("Matéria Prima"));
        SetHeading(StringGrid10, ColItem, QStringLiteral("label_23"), QString::fromUtf8("Matéria Prima"));
    }
    SetHeading(StringGrid10, ColQuantity, QStringLiteral("label_26"), QStringLiteral("Movimento"));
    SetHeading(StringGrid10, ColMovementDate, QStringLiteral("label_12"), QStringLiteral("Data Movim."));
    SetHeading(StringGrid10, ColRealDate, QStringLiteral("label_13"), QStringLiteral("Data Real"));
}

void TForm_MovimView::ListMovements(bool atShow)
{
    Filter filter;
    const QString item = ComboBox_MovimView->currentText();
    if (!atShow && !item.isEmpty() && item != StockLists::ShowAll)
        filter.item = item;
    if (!atShow && ComboBox_MovimType->currentIndex() > 0)
        filter.type = ComboBox_MovimType->currentText().left(2);
    filter.dateLimit = m_dateLimit;
    filter.from = m_from;
    filter.to = m_to;
    filter.collectItems = atShow;

    Listing listing = List(ReadAllRecordsIfExists<MovimRecord>(FilePath()), filter, Clock::today());
    {
        GridUpdate update(StringGrid10);
        auto& cells = StringGrid10->rows();
        cells.resize(1);
        cells.reserve(listing.rows.size() + 1);
        cells.insert(cells.end(), std::make_move_iterator(listing.rows.begin()), std::make_move_iterator(listing.rows.end()));
        if (cells.size() < 2)
            cells.emplace_back(); // one empty data row
    }
    Edit_MovimViewEntradas->setText(listing.entries);
    Edit_MovimViewSaidas->setText(listing.exits);
    Edit_MovimViewTotal->setText(listing.total);
    Edit_MovimViewType->clear();
    m_from = listing.from;
    m_to = listing.to;
    Edit_MovimViewDate->setText(DateText::DateToStr(m_to));
    if (atShow) {
        Edit_MovimViewRec->setText(QString::number(listing.recordsRead));
        m_items = listing.items;
        m_damaged = DamagedText(listing.damaged);
    } else {
        StringGrid10->FitFirstColumn();
        SortGridByColumn(StringGrid10, ColSortKey);
    }
    m_dateLimit = false;
}

void TForm_MovimView::LoadData()
{
    m_chooser.Park();
    m_dateLimit = false;
    ListMovements(true);
}

void TForm_MovimView::FillLists()
{
    const QSignalBlocker blockItems(ComboBox_MovimView);
    const QSignalBlocker blockTypes(ComboBox_MovimType);
    ComboBox_MovimView->clear();
    AddUniqueItems(ComboBox_MovimView, m_items);
    AddListItem(ComboBox_MovimView, StockLists::ShowAll);
    ComboBox_MovimView->setCurrentIndex(ComboBox_MovimView->findText(StockLists::ShowAll));
    ComboBox_MovimType->setCurrentIndex(0);
}

void TForm_MovimView::AfterShow()
{
    // A damaged record is named once; the list still shows it.
    if (!m_damaged.isEmpty())
        MessageBox::warning(m_damaged);
}

void TForm_MovimView::ComboBox_MovimViewChange()
{
    Hourglass hourglass;
    ListMovements(false);
}

void TForm_MovimView::SetChooserControls(bool enabled)
{
    for (QWidget* w : {static_cast<QWidget*>(Button_MovimDate), static_cast<QWidget*>(Button_MovimDelete),
                       static_cast<QWidget*>(Button_MovimViewClose), static_cast<QWidget*>(ComboBox_MovimView)})
        w->setEnabled(enabled);
}

void TForm_MovimView::Button_MovimDateClick()
{
    Edit_MovimDateFrom->setText(DateText::DateToStr(m_from));
    Edit_MovimDateTo->setText(DateText::DateToStr(m_to));
    m_chooser.Show(ChooserLeft, ChooserTop);
    SetChooserControls(false);
    Edit_MovimDateFrom->setFocus();
}

void TForm_MovimView::Button_MovimDateOkClick()
{
    if (!CheckDateEdit(Edit_MovimDateFrom) || !CheckDateEdit(Edit_MovimDateTo))
        return;
    const QDate from = DateText::StrToDate(Edit_MovimDateFrom->text());
    const QDate to = DateText::StrToDate(Edit_MovimDateTo->text());
    if (to < from) {
        MessageBox::information(LangMsg[10]);
        return;
    }
    Hourglass hourglass;
    m_dateLimit = true;
    m_from = from;
    m_to = to;
    ListMovements(false);
    Button_MovimDateCancelClick();
}

void TForm_MovimView::Button_MovimDateCancelClick()
{
    m_chooser.Park();
    SetChooserControls(true);
}

void TForm_MovimView::StepDate(QLineEdit* box, QScrollBar* bar, int position)
{
    if (position == 0)
        return;
    if (const auto date = DateText::parse(box->text()))
        box->setText(DateText::DateToStr(date->addDays(-position)));
    const QSignalBlocker block(bar);
    bar->setValue(0);
}

void TForm_MovimView::ScrollBar_MovimDateFromChange(int position) { StepDate(Edit_MovimDateFrom, ScrollBar_MovimDateFrom, position); }
void TForm_MovimView::ScrollBar_MovimDateToChange(int position) { StepDate(Edit_MovimDateTo, ScrollBar_MovimDateTo, position); }

void TForm_MovimView::StringGrid10Click(int row)
{
    if (row < 1 || row >= StringGrid10->RowCount() || StringGrid10->Cells(ColItem, row).isEmpty())
        return;
    Edit_MovimViewDate->setText(StringGrid10->Cells(ColRealDate, row));
    Edit_MovimViewType->setText(StringGrid10->Cells(ColType, row));
    Edit_MovimViewRec->setText(StringGrid10->Cells(ColRecord, row));
}

void TForm_MovimView::StringGrid10MouseDown(int col)
{
    if (col == ColRealDate)
        return; // the real date does not sort
    Hourglass hourglass;
    // The movement dates sort in date order, by their hidden key: the rows sorted by the dates'
    // texts and then by the key end in the order of the key alone (ties go by the row's cells).
    SortGridByColumn(StringGrid10, col == ColMovementDate ? int(ColSortKey) : col);
}

void TForm_MovimView::Button_MovimDeleteClick()
{
    const int row = StringGrid10->Row();
    if (row < 1 || StringGrid10->Cells(ColItem, row).isEmpty())
        return;
    const qint64 record = StringGrid10->Cells(ColRecord, row).toLongLong();
    if (record < 1)
        return;
    const QString file = m_variant == Products ? DataFile::MovimProduto : DataFile::MovimMateria;
    const QString question =
        LangText(QStringLiteral("msg_DeleteRecord"), QStringLiteral("Delete record # %1 from data file %2"))
            .arg(QString::number(record), file)
        + QLatin1Char('\r') + LangText(QStringLiteral("msg_DeleteRecordLine"), QStringLiteral("(line %1 from grid)")).arg(row);
    if (!MessageBox::confirm(question))
        return;
    Hourglass hourglass;
    RemoveRecordAt<MovimRecord>(FilePath(), record - 1);
    ListMovements(false);
}
