#include "production/TForm_Utiliz.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "i18n/ProgramState.h"
#include "i18n/Settings.h"
#include "production/AnalysisScreens.h"
#include "production/TForm4.h"
#include "report/TForm2.h"
#include "shell/DesktopServices.h"
#include "shell/GridRoutines.h"
#include "shell/InputChecks.h"
#include "shell/ListFillers.h"
#include "shell/MessageBox.h"
#include "shell/PanelDrag.h"
#include "shell/ScreenControls.h"
#include "shell/ShellHost.h"
#include "shell/StringGrid.h"
#include "store/Clock.h"
#include "store/DateText.h"
#include "store/DecimalText.h"

#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

using namespace Production;

namespace {

const QColor Green(0, 128, 0);
const QColor Grey(128, 128, 128);
constexpr int ChooserLeft = 307;

QLineEdit* NewSummaryBox(QWidget* parent, const char* name)
{
    QLineEdit* box = NewEdit(parent, name, 20);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);
    return box;
}

// The bar beside a date box steps the date.
void StepWithBar(QScrollBar* bar, QLineEdit* box, int position)
{
    if (const auto date = SteppedDate(bar, box, position))
        box->setText(DateText::DateToStr(*date));
}

} // namespace

QString TForm_Utiliz::ShowAll() { return LangText(QStringLiteral("label_108"), QStringLiteral("( show all )")); }

TForm_Utiliz::TForm_Utiliz(QWidget* parent) : ScreenForm(parent)
{
    setObjectName(QStringLiteral("TForm_Utiliz"));
    StringGrid16 = Named(new StringGrid(this), "StringGrid16");
    StringGrid16->setColCount(ColumnCount);
    StringGrid16->setRowCount(2);
    StringGrid16->setRowTexts(0, {QStringLiteral("Equipamento"), QStringLiteral("quant"), QStringLiteral("cycl."),
                                  QStringLiteral("prod."), QStringLiteral("< %"), QStringLiteral("avaria."),
                                  QStringLiteral("< %"), QStringLiteral("divers."), QStringLiteral("< %")});
    for (int col = ColBlank; col < ColumnCount; ++col)
        StringGrid16->setColWidths(col, 0);
    KeepUndefinedRowsLast(StringGrid16);
    StringGrid16->setCellStyler([this](int col, int row, CellStyle& s) {
        if (col >= ColCycle && col <= ColStopsShare)
            s.alignment = Qt::AlignHCenter | Qt::AlignTop;
        if (row == 0 || StringGrid16->Cells(ColKey, 1).isEmpty())
            return;
        if (col == ColCycle) {
            s.bold = true;
            s.foreground = Green;
        } else if (col == ColProdShare || col == ColBreakdownShare || col == ColStopsShare) {
            s.italic = true;
            s.foreground = Grey;
        }
    });

    RadioButton_UtilizEquip = Named(new QRadioButton(QStringLiteral("Por Equipamento"), this), "RadioButton_UtilizEquip");
    RadioButton_UtilizProduto = Named(new QRadioButton(QStringLiteral("Por Produto"), this), "RadioButton_UtilizProduto");
    Label107 = NewLabel(this, "Label107", QStringLiteral("Produto / Equipamento"));
    ComboBox_PanelUtilizEquip = NewPickList(this, "ComboBox_PanelUtilizEquip");
    ComboBox_PanelUtilizProd = NewPickList(this, "ComboBox_PanelUtilizProd");
    Button_UtilizCalc = NewButton(this, "Button_UtilizCalc", QStringLiteral("by month ..."));
    Button_UtilizChart = NewButton(this, "Button_UtilizChart", QStringLiteral("chart"));
    Button_UtilizClose = NewButton(this, "Button_UtilizClose", Caption::Close());

    Label_UtilizStart = NewLabel(this, "Label_UtilizStart", QStringLiteral("Start date"));
    Edit10 = NewSummaryBox(this, "Edit10");
    Label_UtilizNoWork = NewLabel(this, "Label_UtilizNoWork", QStringLiteral("No Work"));
    Edit9 = NewSummaryBox(this, "Edit9");
    Label_UtilizTotal = NewLabel(this, "Label_UtilizTotal", QStringLiteral("Total"));
    Edit_UtilizQuant = NewSummaryBox(this, "Edit_UtilizQuant");
    Label_UtilizProd = NewLabel(this, "Label_UtilizProd", QStringLiteral("Prod."));
    Edit5 = NewSummaryBox(this, "Edit5");
    Label111 = NewLabel(this, "Label111", QStringLiteral("Arranq."));
    Edit4 = NewSummaryBox(this, "Edit4");
    Label110 = NewLabel(this, "Label110", QStringLiteral("Avaria"));
    Edit3 = NewSummaryBox(this, "Edit3");
    Label109 = NewLabel(this, "Label109", QStringLiteral("F.Pess."));
    Edit2 = NewSummaryBox(this, "Edit2");
    Label108 = NewLabel(this, "Label108", QStringLiteral("Divers."));
    Edit1 = NewSummaryBox(this, "Edit1");

    // On top the mode, the lists and the buttons; the grid; below it the summary of the row.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 6, 8, 8);
    outer->setSpacing(4);
    auto* top = new QGridLayout;
    top->setHorizontalSpacing(8);
    top->setVerticalSpacing(2);
    auto* modes = new QHBoxLayout;
    modes->setSpacing(16);
    modes->addWidget(RadioButton_UtilizEquip);
    modes->addWidget(RadioButton_UtilizProduto);
    modes->addStretch(1);
    top->addLayout(modes, 0, 0, 1, 2);
    top->addWidget(Label107, 1, 0, 1, 2);
    top->addWidget(ComboBox_PanelUtilizEquip, 2, 0);
    top->addWidget(ComboBox_PanelUtilizProd, 2, 1);
    top->setColumnStretch(0, 2);
    top->setColumnStretch(1, 3);
    top->setColumnMinimumWidth(2, 12);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(Button_UtilizCalc);
    buttons->addWidget(Button_UtilizChart);
    buttons->addSpacing(10);
    buttons->addWidget(Button_UtilizClose);
    top->addLayout(buttons, 0, 3, 1, 1, Qt::AlignRight | Qt::AlignTop);
    outer->addLayout(top);
    outer->addSpacing(2);
    outer->addWidget(StringGrid16, 1);
    auto* summary = new QGridLayout;
    summary->setHorizontalSpacing(5);
    summary->setVerticalSpacing(1);
    int col = 0;
    for (auto [label, box] : {std::pair{Label_UtilizStart, Edit10}, std::pair{Label_UtilizNoWork, Edit9},
                              std::pair{Label_UtilizTotal, Edit_UtilizQuant}, std::pair{Label_UtilizProd, Edit5},
                              std::pair{Label111, Edit4}, std::pair{Label110, Edit3}, std::pair{Label109, Edit2},
                              std::pair{Label108, Edit1}}) {
        // The start date needs the room of a date, the hours less.
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(box == Edit10 ? QStringLiteral("00-00-0000")
                                                                                 : QStringLiteral("00000.0"))
                             + 10);
        box->setMaximumWidth(110);
        summary->addWidget(label, 0, col);
        summary->addWidget(box, 1, col);
        ++col;
    }
    summary->setColumnStretch(col, 1);
    outer->addLayout(summary);

    // The date chooser of "by month ...": a small panel with a caption bar to drag it by.
    Panel_UtilizDate = Named(new QFrame(this), "Panel_UtilizDate");
    Panel_UtilizDate->setFrameShape(QFrame::Panel);
    Panel_UtilizDate->setFrameShadow(QFrame::Raised);
    Panel_UtilizDate->setAutoFillBackground(true);
    Label_caption = NewLabel(Panel_UtilizDate, "Label_caption", QStringLiteral("Define 'Date' limits to list .."));
    Label_caption->setAutoFillBackground(true);
    QPalette captionPalette = Label_caption->palette();
    captionPalette.setColor(QPalette::Window, QColor(0, 0, 128));
    captionPalette.setColor(QPalette::WindowText, Qt::white);
    Label_caption->setPalette(captionPalette);
    QFont bold = Label_caption->font();
    bold.setBold(true);
    Label_caption->setFont(bold);
    Label_caption->setContentsMargins(6, 1, 24, 1);
    Label_caption->setCursor(Qt::SizeAllCursor);
    SpeedButton_UtilizDateClose = Named(new QToolButton(Label_caption), "SpeedButton_UtilizDateClose");
    SpeedButton_UtilizDateClose->setText(QStringLiteral("x"));
    SpeedButton_UtilizDateClose->setCursor(Qt::ArrowCursor);
    SpeedButton_UtilizDateClose->setFixedSize(16, 14);
    auto* captionBar = new QHBoxLayout(Label_caption);
    captionBar->setContentsMargins(0, 0, 2, 0);
    captionBar->addStretch(1);
    captionBar->addWidget(SpeedButton_UtilizDateClose, 0, Qt::AlignVCenter);
    Label_UtilizDateFrom = NewLabel(Panel_UtilizDate, "Label_UtilizDateFrom", QStringLiteral("From..."));
    Edit_UtilizDateFrom = NewEdit(Panel_UtilizDate, "Edit_UtilizDateFrom", 10);
    Scroll_UtilizDateFrom = NewDayBar(Panel_UtilizDate, "Scroll_UtilizDateFrom");
    Label_UtilizDateTo = NewLabel(Panel_UtilizDate, "Label_UtilizDateTo", QStringLiteral("To..."));
    Edit_UtilizDateTo = NewEdit(Panel_UtilizDate, "Edit_UtilizDateTo", 10);
    Scroll_UtilizDateTo = NewDayBar(Panel_UtilizDate, "Scroll_UtilizDateTo");
    SetDateKeys(Edit_UtilizDateFrom);
    SetDateKeys(Edit_UtilizDateTo);
    Button_UtilizDateOk = NewButton(Panel_UtilizDate, "Button_UtilizDateOk", Caption::PanelOk());
    Button_UtilizDateCancel = NewButton(Panel_UtilizDate, "Button_UtilizDateCancel", Caption::PanelCancel());
    auto* panel = new QVBoxLayout(Panel_UtilizDate);
    panel->setContentsMargins(2, 2, 2, 8);
    panel->setSpacing(6);
    panel->addWidget(Label_caption);
    auto* dates = new QGridLayout;
    dates->setContentsMargins(10, 2, 10, 0);
    dates->setHorizontalSpacing(2);
    dates->setVerticalSpacing(1);
    dates->addWidget(Label_UtilizDateFrom, 0, 0);
    dates->addWidget(Edit_UtilizDateFrom, 1, 0);
    dates->addWidget(Scroll_UtilizDateFrom, 1, 1);
    dates->setColumnMinimumWidth(2, 14);
    dates->addWidget(Label_UtilizDateTo, 0, 3);
    dates->addWidget(Edit_UtilizDateTo, 1, 3);
    dates->addWidget(Scroll_UtilizDateTo, 1, 4);
    for (QLineEdit* box : {Edit_UtilizDateFrom, Edit_UtilizDateTo})
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 12);
    panel->addLayout(dates);
    auto* panelButtons = new QHBoxLayout;
    panelButtons->setContentsMargins(10, 0, 10, 0);
    panelButtons->addStretch(1);
    panelButtons->addWidget(Button_UtilizDateOk);
    panelButtons->addWidget(Button_UtilizDateCancel);
    panel->addLayout(panelButtons);
    PanelDrag::attach(Label_caption, Panel_UtilizDate, this);
    Panel_UtilizDate->hide();

    setColumnShares({0.34, 0.13, 0.07, 0.10, 0.06, 0.09, 0.06, 0.09, 0.06});
    setFirstInput(ComboBox_PanelUtilizEquip);

    connect(RadioButton_UtilizEquip, &QRadioButton::clicked, this, &TForm_Utiliz::RadioButton_UtilizEquipClick);
    connect(RadioButton_UtilizProduto, &QRadioButton::clicked, this, &TForm_Utiliz::RadioButton_UtilizProdutoClick);
    for (QComboBox* list : {ComboBox_PanelUtilizEquip, ComboBox_PanelUtilizProd})
        connect(list, &QComboBox::currentIndexChanged, this, &TForm_Utiliz::ComboBox_PanelUtilizProdChange);
    connect(StringGrid16, &StringGrid::cellClicked, this, [this](int, int row) { StringGrid16Click(row); });
    connect(StringGrid16, &StringGrid::currentCellChanged, this, [this](int, int row) { StringGrid16Click(row); });
    connect(Button_UtilizCalc, &QAbstractButton::clicked, this, &TForm_Utiliz::Button_UtilizCalcClick);
    connect(Button_UtilizChart, &QAbstractButton::clicked, this, &TForm_Utiliz::Button_UtilizChartClick);
    connect(Button_UtilizDateOk, &QAbstractButton::clicked, this, &TForm_Utiliz::Button_UtilizDateOkClick);
    connect(Button_UtilizDateCancel, &QAbstractButton::clicked, this, &TForm_Utiliz::Button_UtilizDateCancelClick);
    connect(SpeedButton_UtilizDateClose, &QToolButton::clicked, this, &TForm_Utiliz::Button_UtilizDateCancelClick);
    connect(Scroll_UtilizDateFrom, &QScrollBar::valueChanged, this,
            [this](int p) { StepWithBar(Scroll_UtilizDateFrom, Edit_UtilizDateFrom, p); });
    connect(Scroll_UtilizDateTo, &QScrollBar::valueChanged, this,
            [this](int p) { StepWithBar(Scroll_UtilizDateTo, Edit_UtilizDateTo, p); });
}

TForm_Utiliz::~TForm_Utiliz() = default;

QAbstractButton* TForm_Utiliz::CloseButton() const { return Button_UtilizClose; }

TForm2* TForm_Utiliz::ListWindow() const { return m_list; }

TForm4* TForm_Utiliz::ChartWindow() const { return m_chart; }

void TForm_Utiliz::ApplyFormLanguage()
{
    SetCaption(Label107, QStringLiteral("label_86"), QStringLiteral("Produto / Equipamento"));
    SetCaption(RadioButton_UtilizProduto, QStringLiteral("label_29"), QStringLiteral("Por Produto"));
    SetCaption(RadioButton_UtilizEquip, QStringLiteral("label_28"), QStringLiteral("Por Equipamento"));
    SetCaption(Label_caption, QStringLiteral("label_66"), QStringLiteral("Define 'Date' limits to list .."));
    SetCaption(Button_UtilizCalc, QStringLiteral("label_89"), QStringLiteral("by month ..."));
    SetCaption(Label111, QStringLiteral("label_80"), QStringLiteral("Arranq."));
    SetCaption(Label110, QStringLiteral("label_81"), QStringLiteral("Avaria."));
    SetCaption(Label109, QStringLiteral("label_83"), QStringLiteral("F.Pess."));
    SetCaption(Label108, QStringLiteral("label_90"), QStringLiteral("Divers."));
    SetHeading(StringGrid16, ColKey, QStringLiteral("label_31"), QStringLiteral("Produto"));
    StringGrid16->setCells(ColBreakdown, 0, LangText(QStringLiteral("label_81"), QStringLiteral("Avaria.")).toLower());
    StringGrid16->setCells(ColStops, 0, LangText(QStringLiteral("label_90"), QStringLiteral("Divers.")).toLower());
    // Texts of this screen beyond those.
    SetCaption(Button_UtilizChart, QStringLiteral("button_chart"), QStringLiteral("chart"));
    SetCaption(Label_UtilizStart, QStringLiteral("label_startdate"), QStringLiteral("Start date"));
    SetCaption(Label_UtilizNoWork, QStringLiteral("label_nowork"), QStringLiteral("No Work"));
    SetCaption(Label_UtilizTotal, QStringLiteral("label_total"), QStringLiteral("Total"));
    SetCaption(Label_UtilizProd, QStringLiteral("label_prod"), QStringLiteral("Prod."));
    SetCaption(Label_UtilizDateFrom, QStringLiteral("label_datefrom"), QStringLiteral("From..."));
    SetCaption(Label_UtilizDateTo, QStringLiteral("label_dateto"), QStringLiteral("To..."));
    SetHeading(StringGrid16, ColQuant, QStringLiteral("label_utilquant"), QStringLiteral("quant"));
    SetHeading(StringGrid16, ColCycle, QStringLiteral("label_utilcycle"), QStringLiteral("cycl."));
    SetHeading(StringGrid16, ColProd, QStringLiteral("label_utilprod"), QStringLiteral("prod."));
}

UtilizSettings TForm_Utiliz::Settings() const { return {HourStoped, HoursPerDay, DaysPerWeek, Clock::today()}; }

void TForm_Utiliz::FormShow()
{
    Hourglass hourglass;
    ApplyFormLanguage();
    m_list = new TForm2(this);
    KeepTotalsRowLast(m_list->StringGrid16);
    m_chart = new TForm4(this);
    StringGrid16->setRowCount(2);
    // With the blue theme the chooser and the mode buttons take their own colours.
    ApplyPanelColour(Panel_UtilizDate, BlueThemePanel);
    ApplyPanelColour(RadioButton_UtilizEquip, QColor(202, 230, 255));
    ApplyPanelColour(RadioButton_UtilizProduto, QColor(202, 230, 255));
    ShowNoWorkBoxes(HourStoped);
    ParkDateChooser();
    ProductionEntries read =
        ReadProductionEntriesFile(DataFilePath(DataFile::HorasProducao), ReadDate | ReadEntered | ReadHours);
    m_entries = std::move(read.entries);
    {
        const QSignalBlocker block(RadioButton_UtilizEquip);
        RadioButton_UtilizEquip->setChecked(true);
    }
    LoadMode(UtilizMode::Equipment);
    if (FirstInput())
        FirstInput()->setFocus();
    if (!read.bad.empty())
        MessageBox::warning(BadTextsMessage(read.bad));
}

void TForm_Utiliz::ShowNoWorkBoxes(bool show)
{
    for (QWidget* w : {static_cast<QWidget*>(Label_UtilizStart), static_cast<QWidget*>(Edit10),
                       static_cast<QWidget*>(Label_UtilizNoWork), static_cast<QWidget*>(Edit9)})
        w->setVisible(show);
}

void TForm_Utiliz::ClearSummary()
{
    for (QLineEdit* box : {Edit10, Edit9, Edit_UtilizQuant, Edit5, Edit4, Edit3, Edit2, Edit1})
        box->clear();
}

void TForm_Utiliz::RadioButton_UtilizEquipClick() { LoadMode(UtilizMode::Equipment); }

void TForm_Utiliz::RadioButton_UtilizProdutoClick() { LoadMode(UtilizMode::Product); }

void TForm_Utiliz::LoadMode(UtilizMode mode)
{
    Hourglass hourglass;
    m_mode = mode;
    const bool equipment = mode == UtilizMode::Equipment;
    QComboBox* list = equipment ? ComboBox_PanelUtilizEquip : ComboBox_PanelUtilizProd;
    QComboBox* other = equipment ? ComboBox_PanelUtilizProd : ComboBox_PanelUtilizEquip;
    list->setEnabled(true);
    other->setEnabled(false);
    {
        const QSignalBlocker block(other);
        other->clear();
    }
    ShowNoWorkBoxes(equipment && HourStoped);
    ClearSummary();

    m_result = ComputeUtilisation(m_entries, mode, QString(), Settings());
    // "( show all )" first, then every key in the locale's order.
    QStringList keys = m_result.keys;
    std::sort(keys.begin(), keys.end(), [](const QString& a, const QString& b) { return CompareText(a, b) < 0; });
    {
        const QSignalBlocker block(list);
        list->clear();
        list->addItem(ShowAll());
        list->addItems(keys);
        list->setCurrentIndex(0);
    }
    ShowResult();
}

void TForm_Utiliz::ComboBox_PanelUtilizProdChange()
{
    if (ComboBox_PanelUtilizProd->currentText() == ShowAll()) {
        LoadMode(UtilizMode::Product);
        return;
    }
    if (ComboBox_PanelUtilizEquip->currentText() == ShowAll()) {
        LoadMode(UtilizMode::Equipment);
        return;
    }
    const QComboBox* list = m_mode == UtilizMode::Equipment ? ComboBox_PanelUtilizEquip : ComboBox_PanelUtilizProd;
    Filter(list->currentText());
}

void TForm_Utiliz::Filter(const QString& key)
{
    Hourglass hourglass;
    ClearSummary();
    m_result = ComputeUtilisation(m_entries, m_mode, key, Settings());
    ShowResult();
}

void TForm_Utiliz::ShowResult()
{
    {
        GridUpdate update(StringGrid16);
        StringGrid16->setCells(ColKey, 0,
                               m_mode == UtilizMode::Product ? LangText(QStringLiteral("label_31"), QStringLiteral("Produto"))
                                                             : LangText(QStringLiteral("label_18"), QStringLiteral("Equipamento")));
        auto& rows = StringGrid16->rows();
        rows.resize(1);
        rows.reserve(m_result.rows.size() + 1);
        for (const UtilizRow& r : m_result.rows) {
            const QStringList texts = UtilizRowTexts(r);
            rows.emplace_back(texts.begin(), texts.end());
        }
        if (rows.size() == 1)
            rows.emplace_back();
    }
    Edit_UtilizQuant->setText(DecimalText::FloatToStr(m_result.totalUnits));
    Edit_UtilizDateFrom->setText(DateText::DateToStr(m_result.from));
    Edit_UtilizDateTo->setText(DateText::DateToStr(m_result.to));
    StringGrid16->ApplyColumnShares();
    SortGridByColumn(StringGrid16, ColKey);
    MoveUndefinedRowsLast(StringGrid16);
    if (m_chart)
        m_chart->LoadItems(m_result.chartData);
}

void TForm_Utiliz::StringGrid16Click(int row)
{
    if (row < 1 || row >= StringGrid16->RowCount())
        return;
    bool ok = false;
    const int index = StringGrid16->Cells(ColIndex, row).toInt(&ok);
    if (!ok || index < 1 || size_t(index) > m_result.rows.size())
        return;
    const UtilizRow& r = m_result.rows[size_t(index - 1)];
    Edit5->setText(StringGrid16->Cells(ColProd, row));
    Edit4->setText(DecimalText::FloatToStr(r.hours[Setup]));
    Edit3->setText(DecimalText::FloatToStr(r.hours[Breakdown]));
    Edit2->setText(DecimalText::FloatToStr(r.hours[Personnel]));
    Edit1->setText(DecimalText::FloatToStr(r.hours[Other]));
    if (HourStoped) {
        Edit9->setText(r.noWork ? DecimalText::FormatFloat(QStringLiteral("#,##0"), *r.noWork) : QString());
        Edit10->setText(DateText::DateToStr(r.earliest));
    }
}

// --- By month -------------------------------------------------------------------------------------

void TForm_Utiliz::ParkDateChooser()
{
    Panel_UtilizDate->hide();
    for (QWidget* b : {Button_UtilizCalc, Button_UtilizChart, Button_UtilizClose})
        b->setEnabled(true);
}

void TForm_Utiliz::Button_UtilizCalcClick()
{
    for (QWidget* b : {Button_UtilizCalc, Button_UtilizChart, Button_UtilizClose})
        b->setEnabled(false);
    Panel_UtilizDate->adjustSize();
    Panel_UtilizDate->move(std::min(ChooserLeft, std::max(1, width() - Panel_UtilizDate->width() - 2)), 60);
    Panel_UtilizDate->show();
    Panel_UtilizDate->raise();
    Edit_UtilizDateFrom->setFocus();
}

void TForm_Utiliz::Button_UtilizDateCancelClick() { ParkDateChooser(); }

void TForm_Utiliz::Button_UtilizDateOkClick()
{
    if (!CheckDateEdit(Edit_UtilizDateFrom) || !CheckDateEdit(Edit_UtilizDateTo))
        return;
    const QDate from = DateText::StrToDate(Edit_UtilizDateFrom->text());
    const QDate to = DateText::StrToDate(Edit_UtilizDateTo->text());
    if (to < from) {
        MessageBox::information(LangMsg[10]);
        return;
    }
    TForm2* w = m_list;
    {
        Hourglass hourglass;
        w->setProperty("HelpContext", 441);
        w->Label8->setText(Edit_UtilizDateFrom->text());
        w->Label10->setText(Edit_UtilizDateTo->text());
        w->SetCaption(LangTitle[22]);
        const MonthHoursTable table = HoursByMonth(m_entries, m_mode, from, to);
        StringGrid* g = w->StringGrid16;
        const int months = int(table.titles.size());
        {
            GridUpdate update(g);
            g->setColCount(1 + months);
            auto& rows = g->rows();
            rows.assign(1, std::vector<QString>(size_t(1 + months)));
            rows[0][0] = m_mode == UtilizMode::Product ? LangText(QStringLiteral("label_31"), QStringLiteral("Produto"))
                                                       : LangText(QStringLiteral("label_18"), QStringLiteral("Equipamento"));
            for (int c = 0; c < months; ++c)
                rows[0][size_t(1 + c)] = table.titles[size_t(c)];
            rows.reserve(table.rows.size() + 2);
            for (const MonthHoursRow& r : table.rows) {
                std::vector<QString> cells;
                cells.reserve(size_t(1 + months));
                cells.push_back(r.key);
                for (const auto& m : r.months)
                    cells.push_back(MonthHoursText(m));
                rows.push_back(std::move(cells));
            }
        }
        AddGridTotals(g, 2);
        // The names as wide as they need (within reason), the months sharing what is left.
        const QFontMetrics metrics(g->font());
        int widest = metrics.horizontalAdvance(g->Cells(0, 0));
        for (const MonthHoursRow& r : table.rows)
            widest = std::max(widest, metrics.horizontalAdvance(r.key));
        const int first = std::clamp(widest + 12, 120, 260);
        const int rest = TForm2::GridWidth - first - g->ScrollBarWidth() - 4;
        g->setColWidths(0, first);
        for (int c = 1; c < g->ColCount(); ++c)
            g->setColWidths(c, std::max(64, rest / std::max(1, g->ColCount() - 1)));
        WidenForScrollBar(g);
        ParkDateChooser();
    }
    DesktopServices::instance().beep();
    w->ShowPanel(TForm2::PanelUtiliz);
    if (ShellHost* shell = Shell())
        w->PlaceBelow(shell->MainWindow());
    w->ShowModal();
}

// --- Chart and close ------------------------------------------------------------------------------

void TForm_Utiliz::Button_UtilizChartClick()
{
    m_chart->LoadItems(m_result.chartData);
    if (ShellHost* shell = Shell())
        if (QWidget* main = shell->MainWindow())
            m_chart->move(main->x() + 313, main->y() + 126);
    m_chart->exec();
}

void TForm_Utiliz::FormCloseScreen()
{
    if (m_list)
        m_list->close();
    if (m_chart)
        m_chart->close();
    m_entries.clear();
}
