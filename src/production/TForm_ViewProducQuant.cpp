#include "production/TForm_ViewProducQuant.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "i18n/ProgramState.h"
#include "production/AnalysisScreens.h"
#include "shell/GridRoutines.h"
#include "shell/InputChecks.h"
#include "shell/MessageBox.h"
#include "shell/ScreenControls.h"
#include "shell/StringGrid.h"
#include "store/Clock.h"
#include "store/DateText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace Production;

namespace {

const QColor Green(0, 128, 0);

} // namespace

TForm_ViewProducQuant::TForm_ViewProducQuant(QWidget* parent) : ScreenForm(parent)
{
    setObjectName(QStringLiteral("TForm_ViewProducQuant"));
    StringGrid18 = Named(new StringGrid(this), "StringGrid18");
    StringGrid18->setColCount(6);
    StringGrid18->setRowCount(2);
    StringGrid18->setCells(0, 0, QStringLiteral("Produto"));
    Label_ViewProducQuantFrom = NewLabel(this, "Label_ViewProducQuantFrom", QStringLiteral("From ..."));
    Edit6 = NewEdit(this, "Edit6", 10);
    Scroll_Edit6 = NewDayBar(this, "Scroll_Edit6");
    Label_ViewProducQuantTo = NewLabel(this, "Label_ViewProducQuantTo", QStringLiteral("To ..."));
    Edit7 = NewEdit(this, "Edit7", 10);
    Scroll_Edit7 = NewDayBar(this, "Scroll_Edit7");
    SetDateKeys(Edit6);
    SetDateKeys(Edit7);
    Button_ViewProducQuantDate = NewButton(this, "Button_ViewProducQuantDate", QStringLiteral("change"));
    Button_ViewProducQuantClose = NewButton(this, "Button_ViewProducQuantClose", Caption::Close());

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 6, 8, 8);
    outer->setSpacing(6);
    auto* top = new QHBoxLayout;
    top->setSpacing(4);
    for (auto [label, box, bar] : {std::tuple{Label_ViewProducQuantFrom, Edit6, Scroll_Edit6},
                                   std::tuple{Label_ViewProducQuantTo, Edit7, Scroll_Edit7}}) {
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 12);
        top->addWidget(label, 0, Qt::AlignVCenter);
        top->addWidget(box, 0, Qt::AlignVCenter);
        top->addWidget(bar, 0, Qt::AlignVCenter);
        top->addSpacing(12);
    }
    top->addWidget(Button_ViewProducQuantDate);
    top->addStretch(1);
    top->addWidget(Button_ViewProducQuantClose);
    outer->addLayout(top);
    outer->addWidget(StringGrid18, 1);

    // Only the product column sorts; the totals row stays last.
    StringGrid18->setSortOnTitleClick(false);
    connect(StringGrid18, &StringGrid::titleClicked, this, &TForm_ViewProducQuant::StringGrid18TitleClick);
    StringGrid18->setCellStyler([this](int col, int row, CellStyle& s) {
        StringGrid* g = StringGrid18;
        const int last = g->RowCount() - 1;
        if (col > 0)
            s.alignment = Qt::AlignHCenter | Qt::AlignTop;
        if (row == 0)
            return;
        if (col == 0 && row != last)
            s.background = g->palette().color(QPalette::Window);
        if (g->Cells(0, 1).isEmpty() && last <= 1)
            return; // an empty table
        if (row == last) {
            s.bold = true;
            s.foreground = col == 0 ? g->palette().color(QPalette::Text) : Green;
        }
        if (col == g->ColCount() - 1 && col > 0) {
            s.bold = true;
            s.foreground = Green;
        }
    });
    setInitialSortColumn(-1);
    setFirstInput(Edit6);

    connect(Button_ViewProducQuantDate, &QAbstractButton::clicked, this,
            &TForm_ViewProducQuant::Button_ViewProducQuantDateClick);
    connect(Scroll_Edit6, &QScrollBar::valueChanged, this, &TForm_ViewProducQuant::Scroll_Edit6Change);
    connect(Scroll_Edit7, &QScrollBar::valueChanged, this, &TForm_ViewProducQuant::Scroll_Edit7Change);
}

QAbstractButton* TForm_ViewProducQuant::CloseButton() const { return Button_ViewProducQuantClose; }

void TForm_ViewProducQuant::ApplyFormLanguage()
{
    SetHeading(StringGrid18, 0, QStringLiteral("label_31"), QStringLiteral("Produto"));
    SetCaption(Label_ViewProducQuantFrom, QStringLiteral("label_datefrom"), QStringLiteral("From ..."));
    SetCaption(Label_ViewProducQuantTo, QStringLiteral("label_dateto"), QStringLiteral("To ..."));
    SetCaption(Button_ViewProducQuantDate, QStringLiteral("button_change"), QStringLiteral("change"));
}

void TForm_ViewProducQuant::FormShow()
{
    Hourglass hourglass;
    ApplyFormLanguage();
    ProductionEntries read = ReadProductionEntriesFile(DataFilePath(DataFile::HorasProducao), ReadDate | ReadEnteredInteger);
    m_entries = std::move(read.entries);
    m_span = ProductionDateSpan(m_entries, Clock::today());
    Edit6->setText(DateText::DateToStr(m_span.earliest));
    Edit7->setText(DateText::DateToStr(m_span.latest));
    BuildTable(m_span.earliest, m_span.latest);
    if (FirstInput())
        FirstInput()->setFocus();
    if (!read.bad.empty())
        MessageBox::warning(BadTextsMessage(read.bad));
}

void TForm_ViewProducQuant::BuildTable(const QDate& from, const QDate& to)
{
    Hourglass hourglass;
    const QuantityTable table = ProducedQuantities(m_entries, from, to);
    const int monthColumns = int(table.titles.size());
    {
        GridUpdate update(StringGrid18);
        StringGrid18->setColCount(1 + monthColumns);
        auto& rows = StringGrid18->rows();
        rows.resize(1);
        rows[0].resize(size_t(1 + monthColumns));
        for (int c = 0; c < monthColumns; ++c)
            rows[0][size_t(1 + c)] = table.titles[size_t(c)];
        rows.reserve(table.rows.size() + 2);
        for (const QuantityRow& q : table.rows) {
            std::vector<QString> cells;
            cells.reserve(size_t(1 + monthColumns));
            cells.push_back(q.product);
            for (int c = 0; c < monthColumns; ++c)
                cells.push_back(c < table.monthCount ? QuantityCellText(q.months[size_t(c)]) : QStringLiteral(" "));
            rows.push_back(std::move(cells));
        }
        // No entry in the range: one row of blanks, so that the totals read 0.
        if (rows.size() == 1)
            rows.emplace_back(size_t(1 + monthColumns), QStringLiteral(" ")).front().clear();
    }
    AddGridTotals(StringGrid18, 0);
    // The product column as wide as its texts, the months as wide as their figures.
    const QFontMetrics metrics(StringGrid18->font());
    int widest = metrics.horizontalAdvance(StringGrid18->Cells(0, 0)) + 12;
    for (const QuantityRow& q : table.rows)
        widest = std::max(widest, metrics.horizontalAdvance(q.product) + 12);
    StringGrid18->setColWidths(0, std::min(std::max(widest, 120), 330));
    for (int c = 1; c < StringGrid18->ColCount(); ++c)
        StringGrid18->setColWidths(c, std::max(64, metrics.horizontalAdvance(StringGrid18->Cells(c, StringGrid18->RowCount() - 1)) + 16));
}

std::optional<QDate> TForm_ViewProducQuant::DateIn(QLineEdit* box)
{
    if (!CheckDateEdit(box))
        return std::nullopt;
    return DateText::parse(box->text());
}

void TForm_ViewProducQuant::Button_ViewProducQuantDateClick()
{
    const auto from = DateIn(Edit6);
    if (!from)
        return;
    const auto to = DateIn(Edit7);
    if (!to)
        return;
    const QDate f = KeepFromInSpan(*from, m_span);
    const QDate t = KeepToInSpan(*to, m_span);
    Edit6->setText(DateText::DateToStr(f));
    Edit7->setText(DateText::DateToStr(t));
    if (t < f) {
        MessageBox::information(LangText(QStringLiteral("msg_DatesWrongOrder"), QStringLiteral("Dates with wrong order - please correct...")));
        return;
    }
    BuildTable(f, t);
}

void TForm_ViewProducQuant::Scroll_Edit6Change(int position)
{
    if (const auto from = SteppedDate(Scroll_Edit6, Edit6, position))
        Edit6->setText(DateText::DateToStr(KeepFromInSpan(*from, m_span)));
}

void TForm_ViewProducQuant::Scroll_Edit7Change(int position)
{
    if (const auto to = SteppedDate(Scroll_Edit7, Edit7, position))
        Edit7->setText(DateText::DateToStr(KeepToInSpan(*to, m_span)));
}

void TForm_ViewProducQuant::StringGrid18TitleClick(int col)
{
    if (col == 0)
        SortAboveTotals(StringGrid18, 0);
}

void TForm_ViewProducQuant::FormResize()
{
    // The columns keep their widths; column 0 does not yield to the scroll bar.
}

void TForm_ViewProducQuant::FormCloseScreen()
{
    StringGrid18->setColCount(6);
    StringGrid18->setRowCount(2);
    m_entries.clear();
}
