#include "production/TForm_ProducaoPlan.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "i18n/ProgramState.h"
#include "i18n/Settings.h"
#include "report/TForm2.h"
#include "shell/DesktopServices.h"
#include "shell/Globals.h"
#include "shell/GridRoutines.h"
#include "shell/ListFillers.h"
#include "shell/MessageBox.h"
#include "shell/ScreenControls.h"
#include "shell/ShellHost.h"
#include "shell/StringGrid.h"
#include "shell/TForm1.h"
#include "store/AccessPatterns.h"
#include "store/Clock.h"
#include "store/DateText.h"
#include "store/DecimalText.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QSignalBlocker>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QVBoxLayout>

using namespace ProductionPlan;

namespace {

const QColor BarGreen(0, 255, 0);
const QColor NotWorkedGrey(208, 208, 208);

// Widths of the first columns of the chart.
constexpr int kFixedWidths[] = {154, 50, 32, 64, 13};

// The equipment button of a row: a small raised square with an arrow down.
QPixmap EquipmentPicture()
{
    QPixmap pix(11, 11);
    pix.fill(QColor(212, 208, 200));
    QPainter p(&pix);
    p.setPen(Qt::white);
    p.drawLine(0, 0, 10, 0);
    p.drawLine(0, 0, 0, 10);
    p.setPen(QColor(128, 128, 128));
    p.drawLine(10, 1, 10, 10);
    p.drawLine(1, 10, 10, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    const QPointF arrow[] = {QPointF(2.5, 4), QPointF(8.5, 4), QPointF(5.5, 7.5)};
    p.setRenderHint(QPainter::Antialiasing);
    p.drawPolygon(arrow, 3);
    return pix;
}

QString OrderFile() { return DataFilePath(DataFile::EncomProduto); }

} // namespace

TForm_ProducaoPlan::TForm_ProducaoPlan(QWidget* parent) : ScreenForm(parent)
{
    setObjectName(QStringLiteral("TForm_ProducaoPlan"));
    Image1 = EquipmentPicture();
    StringGrid11 = Named(new StringGrid(this), "StringGrid11");
    StringGrid11->setColCount(2);
    StringGrid11->setRowCount(2);

    Label62 = NewLabel(this, "Label62", QStringLiteral("Produto"));
    Edit_ProducaoPlanProduto = NewEdit(this, "Edit_ProducaoPlanProduto", 51);
    Edit_ProducaoPlanProduto->setReadOnly(true);
    Edit_ProducaoPlanProduto->setFocusPolicy(Qt::ClickFocus);
    Label73 = NewLabel(this, "Label73", QStringLiteral("Maq. Principal"));
    ComboBox_MainEquip = NewPickList(this, "ComboBox_MainEquip");
    Label74 = NewLabel(this, "Label74", QStringLiteral("Maq. Alternativa"));
    ComboBox_AltEquip = NewPickList(this, "ComboBox_AltEquip");
    Label64 = NewLabel(this, "Label64", QStringLiteral("Cliente"));
    Edit_ProducaoPlanCliente = NewEdit(this, "Edit_ProducaoPlanCliente", 30);
    Label63 = NewLabel(this, "Label63", QStringLiteral("Data Final"));
    Edit_ProducaoPlanDataFinal = NewEdit(this, "Edit_ProducaoPlanDataFinal", 10);
    for (QWidget* w : {static_cast<QWidget*>(ComboBox_AltEquip), static_cast<QWidget*>(Edit_ProducaoPlanCliente),
                       static_cast<QWidget*>(Edit_ProducaoPlanDataFinal)}) {
        w->setEnabled(false);
        w->setFocusPolicy(Qt::NoFocus);
    }
    Button_ProducaoPlanCalculate = NewButton(this, "Button_ProducaoPlanCalculate", QStringLiteral("Calculate"));
    Button_ProducaoPlanDetail = NewButton(this, "Button_ProducaoPlanDetail", QStringLiteral("Detail ..."));
    Button_ProducaoPlanDetail->setEnabled(false);
    Button_ProducaoPlanDetail->hide(); // "Calculate" shows the list itself
    Button_ProducaoPlanClose = NewButton(this, "Button_ProducaoPlanClose", Caption::Close());

    // The selected product and its main equipment, the buttons, then the chart.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 6, 8, 8);
    outer->setSpacing(8);
    auto* top = new QHBoxLayout;
    top->setSpacing(8);
    auto* inputs = new QGridLayout;
    inputs->setHorizontalSpacing(8);
    inputs->setVerticalSpacing(1);
    inputs->addWidget(Label62, 0, 0);
    inputs->addWidget(Edit_ProducaoPlanProduto, 1, 0);
    inputs->addWidget(Label73, 0, 1);
    inputs->addWidget(ComboBox_MainEquip, 1, 1);
    inputs->addWidget(Label74, 0, 2);
    inputs->addWidget(ComboBox_AltEquip, 1, 2);
    inputs->addWidget(Label64, 0, 3);
    inputs->addWidget(Edit_ProducaoPlanCliente, 1, 3);
    inputs->addWidget(Label63, 0, 4);
    inputs->addWidget(Edit_ProducaoPlanDataFinal, 1, 4);
    inputs->setColumnStretch(0, 3);
    inputs->setColumnStretch(1, 2);
    inputs->setColumnStretch(2, 2);
    inputs->setColumnStretch(3, 2);
    inputs->setColumnStretch(4, 1);
    top->addLayout(inputs, 1);
    top->addSpacing(4);
    top->addWidget(Button_ProducaoPlanCalculate, 0, Qt::AlignBottom);
    top->addWidget(Button_ProducaoPlanDetail, 0, Qt::AlignBottom);
    top->addWidget(Button_ProducaoPlanClose, 0, Qt::AlignBottom);
    outer->addLayout(top);
    outer->addWidget(StringGrid11, 1);

    setInitialSortColumn(ColProduct);
    setFirstInput(StringGrid11);

    // Columns 0-4 on the window colour, quantities and days centred, titles centred and plain;
    // each product's days green from today on the days worked, the days not worked grey.
    StringGrid11->setCellStyler([this](int col, int row, CellStyle& s) {
        if (row == 0) {
            if (col > 0) {
                s.alignment = Qt::AlignHCenter | Qt::AlignTop;
                s.bold = false;
            }
            return;
        }
        if (col == ColQuantity || col == ColDays)
            s.alignment = Qt::AlignHCenter | Qt::AlignTop;
        if (col < ColFirstDay) {
            s.background = StringGrid11->palette().color(QPalette::Window);
        } else if (!StringGrid11->Cells(ColProduct, 1).isEmpty()) {
            if (IsBarCell(col, row))
                s.background = BarGreen;
            else if (!IsWorkingDayColumn(col))
                s.background = NotWorkedGrey;
        }
    });
    StringGrid11->setCellPainter([this](QPainter* painter, const QRect& rect, int col, int) {
        if (col == ColPicture && !StringGrid11->Cells(ColProduct, 1).isEmpty())
            DrawCellPicture(painter, rect, Image1, 1);
        return false;
    });

    connect(StringGrid11, &StringGrid::mousePressed, this,
            [this](Qt::MouseButton button, const QPoint&, int col, int row) { StringGrid11MouseDown(button, col, row); });
    connect(StringGrid11, &StringGrid::currentCellChanged, this, [this](int, int) { ShowSelectedProduct(); });
    connect(ComboBox_MainEquip, &QComboBox::activated, this, &TForm_ProducaoPlan::ComboBox_MainEquipChange);
    connect(Button_ProducaoPlanCalculate, &QAbstractButton::clicked, this,
            &TForm_ProducaoPlan::Button_ProducaoPlanCalculateClick);
    connect(Button_ProducaoPlanDetail, &QAbstractButton::clicked, this, &TForm_ProducaoPlan::Button_ProducaoPlanDetailClick);
}

TForm_ProducaoPlan::~TForm_ProducaoPlan() { delete m_form2.data(); }

QAbstractButton* TForm_ProducaoPlan::CloseButton() const { return Button_ProducaoPlanClose; }

TForm2* TForm_ProducaoPlan::ResultWindow() const { return m_form2.data(); }

void TForm_ProducaoPlan::ApplyFormLanguage()
{
    SetCaption(Label62, QStringLiteral("label_31"), QStringLiteral("Produto"));
    SetCaption(Label73, QStringLiteral("label_22"), QStringLiteral("Maq. Principal"));
    SetCaption(Label74, QStringLiteral("label_21"), QStringLiteral("Maq. Alternativa"));
    SetCaption(Label64, QStringLiteral("label_4"), QStringLiteral("Cliente"));
    SetCaption(Label63, QStringLiteral("label_47"), QStringLiteral("Data Final"));
    SetCaption(Button_ProducaoPlanDetail, QStringLiteral("label_64"), QStringLiteral("Detail ..."));
    SetCaption(Button_ProducaoPlanCalculate, QStringLiteral("label_65"), QStringLiteral("Calculate"));
    Button_ProducaoPlanClose->setText(Caption::Close());
    if (StringGrid11->ColCount() > ColEquipment)
        SetChartTitles();
}

void TForm_ProducaoPlan::SetChartTitles()
{
    StringGrid11->setCells(ColProduct, 0,
                           Label62->text() + QLatin1Char('=') + LangText(QStringLiteral("label_quantity"), QStringLiteral("Quant."))
                               + QStringLiteral(" / ") + LangText(QStringLiteral("label_99"), QStringLiteral("Days")));
    SetHeading(StringGrid11, ColQuantity, QStringLiteral("label_quantity"), QStringLiteral("Quant."));
    SetHeading(StringGrid11, ColDays, QStringLiteral("label_99"), QStringLiteral("Dias"));
    SetHeading(StringGrid11, ColEquipment, QStringLiteral("label_18"), QStringLiteral("Equipment"));
}

// ---------------------------------------------------------------------------------------------
// The chart

void TForm_ProducaoPlan::LoadData()
{
    if (!m_form2)
        m_form2 = new TForm2(window());
    Button_ProducaoPlanDetail->setEnabled(false);
    BuildChart();
}

void TForm_ProducaoPlan::BuildChart()
{
    const Settings settings = Settings::FromProgram();
    m_firstDay = settings.today;
    m_daysPerWeek = settings.daysPerWeek;
    m_chart = PlanChart();
    {
        GridUpdate update(StringGrid11);
        StringGrid11->setColCount(ColFirstDay + m_chart.dayColumns);
        StringGrid11->setRowCount(2);
        StringGrid11->rows()[1].clear();
    }

    // The shortfalls come from the order calculation.
    const bool anyOrder = QFileInfo(OrderFile()).size() >= qint64(sizeof(EncomProdutoRecord));
    ShellHost* shell = Shell();
    if (anyOrder && shell) {
        if (const auto error = shell->Button_calcClick()) {
            MessageBox::error(OrderCalculation::ErrorText(*error));
        } else if (shell->WorkingTable().empty()) {
            MessageBox::information(LangMsg[23]);
        } else {
            m_chart = ComputePlanChart(shell->WorkingTable().rows,
                                       ReadAllRecordsIfExists<ProdutoRecord>(DataFilePath(DataFile::Produtos)), settings);
        }
        shell->Button_clsClick();
    } else {
        MessageBox::information(LangMsg[23]);
    }

    m_dayNumbers = WorkingDayNumbers(m_firstDay, m_chart.dayColumns, m_daysPerWeek);
    std::vector<QStringList> chartRows;
    chartRows.reserve(m_chart.rows.size());
    for (const PlanRow& r : m_chart.rows)
        chartRows.push_back({r.ProductText(), r.quantity, r.DaysText(), QString(), QString()});
    GridUpdate update(StringGrid11);
    StringGrid11->setColCount(ColFirstDay + m_chart.dayColumns);
    SetDataRows(StringGrid11, chartRows);
    auto& rows = StringGrid11->rows();
    rows[0].assign(size_t(StringGrid11->ColCount()), QString());
    SetChartTitles();
    const QStringList titles = DayTitles(m_firstDay, m_chart.dayColumns);
    for (int i = 0; i < titles.size(); ++i)
        rows[0][size_t(ColFirstDay + i)] = titles[i];
    FitFixedColumns();
    const int dayWidth = StringGrid11->fontMetrics().horizontalAdvance(QStringLiteral("00-00 w00")) + 10;
    for (int c = ColFirstDay; c < StringGrid11->ColCount(); ++c)
        StringGrid11->setColWidths(c, dayWidth);
}

void TForm_ProducaoPlan::FitFixedColumns()
{
    // The design widths, or what the titles, products and equipment names need (within limits).
    QFont bold = StringGrid11->font();
    bold.setBold(true);
    const QFontMetrics titleMetrics(bold);
    const QFontMetrics metrics(StringGrid11->font());
    const auto& rows = StringGrid11->rows();
    for (int c = 0; c < ColFirstDay; ++c) {
        int width = kFixedWidths[c];
        if (c != ColPicture) {
            const QString title = rows.empty() || rows[0].size() <= size_t(c) ? QString() : rows[0][size_t(c)];
            width = std::max(width, (c == ColProduct ? titleMetrics : metrics).horizontalAdvance(title) + 10);
        }
        if (c == ColProduct || c == ColQuantity) {
            for (size_t r = 1; r < rows.size(); ++r)
                if (rows[r].size() > size_t(c))
                    width = std::max(width, metrics.horizontalAdvance(rows[r][size_t(c)]) + 10);
        } else if (c == ColEquipment) {
            for (int i = 1; i < ComboBox_MainEquip->count(); ++i)
                width = std::max(width, metrics.horizontalAdvance(ComboBox_MainEquip->itemText(i)) + 10);
        }
        StringGrid11->setColWidths(c, std::min(width, c == ColProduct ? 260 : 120));
    }
}

void TForm_ProducaoPlan::FillLists()
{
    const QSignalBlocker block(ComboBox_MainEquip);
    ComboBox_MainEquip->clear();
    ComboBox_MainEquip->addItem(QString());
    FillEquipmentList(ComboBox_MainEquip);
}

void TForm_ProducaoPlan::AfterShow()
{
    FitFixedColumns();
    ShowSelectedProduct();
    if (!m_chart.problems.empty())
        MessageBox::information(ProblemsText(m_chart.problems));
}

bool TForm_ProducaoPlan::IsWorkingDayColumn(int col) const
{
    const int day = col - ColFirstDay;
    return day >= 0 && size_t(day) < m_dayNumbers.size() && m_dayNumbers[size_t(day)] >= 0;
}

bool TForm_ProducaoPlan::IsBarCell(int col, int row) const
{
    const int day = col - ColFirstDay;
    if (day < 0 || size_t(day) >= m_dayNumbers.size() || row < 1)
        return false;
    const auto days = DecimalText::parseInt(StringGrid11->Cells(ColDays, row));
    const int number = m_dayNumbers[size_t(day)];
    return days && number >= 0 && number < *days;
}

void TForm_ProducaoPlan::ShowSelectedProduct()
{
    const int row = StringGrid11->Row();
    Edit_ProducaoPlanProduto->setText(row >= 1 ? StringGrid11->Cells(ColProduct, row) : QString());
    Edit_ProducaoPlanProduto->setCursorPosition(0);
}

void TForm_ProducaoPlan::StringGrid11MouseDown(Qt::MouseButton button, int col, int row)
{
    if (row < 1)
        return;
    StringGrid11->setRow(row);
    ShowSelectedProduct();
    if (button != Qt::LeftButton || (col != ColEquipment && col != ColPicture)
        || StringGrid11->Cells(ColProduct, 1).isEmpty())
        return;
    // The equipment list drops down for the row, its empty entry first.
    ComboBox_MainEquip->setCurrentIndex(0);
    ComboBox_MainEquip->showPopup();
}

void TForm_ProducaoPlan::ComboBox_MainEquipChange(int index)
{
    const int row = StringGrid11->Row();
    if (row < 1 || StringGrid11->Cells(ColProduct, 1).isEmpty() || index < 0)
        return;
    StringGrid11->setCells(ColEquipment, row, ComboBox_MainEquip->itemText(index));
}

// ---------------------------------------------------------------------------------------------
// The schedule

void TForm_ProducaoPlan::Button_ProducaoPlanCalculateClick()
{
    if (!m_form2)
        m_form2 = new TForm2(window());
    QStringList equipment;
    for (int i = 1; i < ComboBox_MainEquip->count(); ++i)
        equipment << ComboBox_MainEquip->itemText(i);
    std::vector<ChartRow> chart;
    if (!StringGrid11->Cells(ColProduct, 1).isEmpty()) {
        for (int r = 1; r < StringGrid11->RowCount(); ++r)
            chart.push_back({StringGrid11->Cells(ColProduct, r), StringGrid11->Cells(ColQuantity, r),
                             StringGrid11->Cells(ColDays, r), StringGrid11->Cells(ColEquipment, r)});
    }
    FillPlanList(ScheduleByEquipment(equipment, chart, Clock::today(), ::DaysPerWeek));
    Button_ProducaoPlanCalculate->setEnabled(false);
    Button_ProducaoPlanDetail->setEnabled(true);
    Button_ProducaoPlanDetailClick();
}

void TForm_ProducaoPlan::FillPlanList(const std::vector<EquipmentPlan>& plan)
{
    StringGrid* grid = m_form2->StringGrid11;
    GridUpdate update(grid);
    auto& rows = grid->rows();
    if (rows.size() > 1 && std::all_of(rows.begin() + 1, rows.end(), [](const std::vector<QString>& row) {
            return std::all_of(row.begin(), row.end(), [](const QString& t) { return t.isEmpty(); });
        }))
        rows.resize(1); // an empty list holds nothing to keep
    AppendPlanList(rows, plan, RegionalSettings::current());
    rows[0] = {QString(),
               Label62->text() + QLatin1Char(' '),
               StringGrid11->Cells(ColQuantity, 0),
               StringGrid11->Cells(ColDays, 0),
               LangText(QStringLiteral("label_startdate"), QStringLiteral("Start date")),
               LangText(QStringLiteral("label_enddate"), QStringLiteral("End date"))};

    // The equipment and the product as wide as their texts within limits, the figures as their
    // titles, the dates as a date; the product takes what is left.
    QFont bold = grid->font();
    bold.setBold(true);
    const QFontMetrics titles(bold);
    const QFontMetrics texts(grid->font());
    auto widest = [&](int col, int least) {
        int w = std::max(least, titles.horizontalAdvance(rows[0][size_t(col)]) + 10);
        for (size_t r = 1; r < rows.size(); ++r)
            if (size_t(col) < rows[r].size())
                w = std::max(w, (col == 0 ? titles : texts).horizontalAdvance(rows[r][size_t(col)]) + 10);
        return w;
    };
    const int dateWidth = texts.horizontalAdvance(QStringLiteral("00/00/0000")) + 12;
    const int equipmentWidth = std::min(widest(0, 70), 150);
    const int quantityWidth = std::min(widest(2, 50), 90);
    const int daysWidth = std::min(widest(3, 40), 70);
    const int startWidth = std::max(dateWidth, std::min(widest(4, dateWidth), 110));
    const int endWidth = std::max(dateWidth, std::min(widest(5, dateWidth), 110));
    const int room = TForm2::GridWidth - 3 - equipmentWidth - quantityWidth - daysWidth - startWidth - endWidth;
    grid->setColWidths(0, equipmentWidth);
    grid->setColWidths(1, std::max(room, 120));
    grid->setColWidths(2, quantityWidth);
    grid->setColWidths(3, daysWidth);
    grid->setColWidths(4, startWidth);
    grid->setColWidths(5, endWidth);
    for (int c = PlanListColumns; c < grid->ColCount(); ++c)
        grid->setColWidths(c, 0);
}

void TForm_ProducaoPlan::Button_ProducaoPlanDetailClick()
{
    if (!m_form2)
        return;
    TForm2* form2 = m_form2;
    if (auto* main = qobject_cast<TForm1*>(window()))
        main->SetHelpContext(33);
    form2->setProperty("HelpContext", 33);
    form2->ShowPanel(TForm2::PanelProducaoPlan);
    const QDate today = Clock::today();
    form2->Label6->setText(DateText::DateToStr(today));
    form2->SetCaption(LangTitle[12]);
    form2->Label5->setText(LangText(QStringLiteral("label_100"), QStringLiteral("Semana")) + QStringLiteral(" #")
                           + QString::number(WeekNumber(today)));
    form2->PlaceBelow(window());
    WidenForScrollBar(form2->StringGrid11);
    DesktopServices::instance().beep();
    CurrentGrid = StringGrid11;
    StringGrid11->setScreenTitle(LangTitle[12]);
    QPointer<TForm_ProducaoPlan> self(this);
    form2->ShowModal();
    if (!self)
        return;
    Button_ProducaoPlanCalculate->setEnabled(true);
    Button_ProducaoPlanDetail->setEnabled(false);
}

void TForm_ProducaoPlan::FormCloseScreen()
{
    if (m_form2) {
        m_form2->close();
        m_form2->deleteLater();
    }
    GridUpdate update(StringGrid11);
    StringGrid11->setRowCount(2);
    StringGrid11->setColCount(2);
}
