#include "stock/TForm_GeralView.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "report/TForm2.h"
#include "shell/DesktopServices.h"
#include "shell/Globals.h"
#include "shell/GridRoutines.h"
#include "shell/MessageBox.h"
#include "shell/ScreenControls.h"
#include "shell/ShellHost.h"
#include "stock/GlobalView.h"
#include "store/AccessPatterns.h"
#include "store/Clock.h"
#include "store/DateText.h"
#include "store/DecimalText.h"

#include <QAction>
#include <QLabel>

using namespace GlobalView;

namespace {

constexpr int kMargin = 8;
constexpr int kSideWidth = 96;

// The caption of a main-menu item as it stands, accelerator marks included.
QString MenuCaption(const char* item)
{
    ShellHost* shell = Shell();
    QWidget* main = shell ? shell->MainWindow() : nullptr;
    const QAction* action = main ? main->findChild<QAction*>(QString::fromLatin1(item)) : nullptr;
    return action ? action->text() : QString();
}

// A caption shown as the menu shows it: the letter after "&" underlined, "&&" a single "&";
// every blank shows and a carriage return breaks the line.
QString WithUnderlinedMarks(const QString& text)
{
    QString html;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('&') && i + 1 < text.size()) {
            const QChar next = text[++i];
            html += next == QLatin1Char('&') ? QStringLiteral("&amp;") : QStringLiteral("<u>") + QString(next).toHtmlEscaped() + QStringLiteral("</u>");
        } else if (c == QLatin1Char('\r')) {
            html += QStringLiteral("<br>");
        } else if (c == QLatin1Char(' ')) {
            html += QStringLiteral("&nbsp;"); // blanks count, as in the caption
        } else {
            html += QString(c).toHtmlEscaped();
        }
    }
    return html;
}

// Zero and below in red, in the available column of either list.
void RedWhenNotPositive(StringGrid* grid, int availableColumn)
{
    grid->setCellStyler([grid, availableColumn](int col, int row, CellStyle& style) {
        if (row < 1 || col != availableColumn || grid->Cells(0, 1).isEmpty())
            return;
        const auto value = DecimalText::parse(grid->Cells(col, row));
        if (value && *value <= 0)
            style.foreground = QColor(255, 0, 0);
    });
}

} // namespace

TForm_GeralView::TForm_GeralView(QWidget* parent) : ScreenForm(parent)
{
    setObjectName(QStringLiteral("TForm_GeralView"));
    StringGrid20 = Named(new StringGrid(this), "StringGrid20");
    StringGrid20->setColCount(ProductColumns);
    StringGrid20->setColWidths(ProdNumber, 0);
    StringGrid20->setColumnShares({0.54, 0.12, 0.12, 0.11, 0.11});
    RedWhenNotPositive(StringGrid20, ProdAvailable);
    StringGrid21 = Named(new StringGrid(this), "StringGrid21");
    StringGrid21->setColCount(MaterialColumns);
    StringGrid21->setColWidths(MatNumber, 0);
    StringGrid21->setColumnShares({0.34, 0.32, 0.12, 0.11, 0.11});
    RedWhenNotPositive(StringGrid21, MatAvailable);
    Button_GeralViewDetail = NewButton(this, "Button_GeralViewDetail", QStringLiteral("Detail ..."));
    Button_GeralViewClose = NewButton(this, "Button_GeralViewClose", Caption::Close());
    Label3 = NewLabel(this, "Label3", QString());
    Label2 = NewLabel(this, "Label2", QString());
    Label1 = NewLabel(this, "Label1", QString());
    for (QLabel* l : {Label3, Label2, Label1}) {
        l->setTextFormat(Qt::RichText);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, QColor(0, 0, 128));
        l->setPalette(pal);
    }
    BuildHints();
    setInitialSortColumn(-1); // both lists keep the order of their files

    connect(StringGrid20, &StringGrid::cellClicked, this, [this] { StringGrid20Click(StringGrid20); });
    connect(StringGrid21, &StringGrid::cellClicked, this, [this] { StringGrid20Click(StringGrid21); });
    connect(StringGrid20, &StringGrid::cellDoubleClicked, this, [this](int, int row) {
        if (row >= 1)
            StringGrid20DblClick();
    });
    connect(StringGrid21, &StringGrid::cellDoubleClicked, this, [this](int, int row) {
        if (row >= 1)
            StringGrid21DblClick();
    });
    connect(Button_GeralViewDetail, &QAbstractButton::clicked, this, &TForm_GeralView::Button_GeralViewDetailClick);
}

TForm_GeralView::~TForm_GeralView() { delete m_form2.data(); }

QAbstractButton* TForm_GeralView::CloseButton() const { return Button_GeralViewClose; }

TForm2* TForm_GeralView::ListWindow() const { return m_form2.data(); }

void TForm_GeralView::BuildHints()
{
    // Built once, from the menu captions as they stand when the screen is made.
    const Hints h = HintTexts(MenuCaption("menu_ViewGlobal"), MenuCaption("menu_Plan"), MenuCaption("menu_PlanStockMatPrima"),
                              MenuCaption("menu_PlanEncomenda"));
    Label3->setText(WithUnderlinedMarks(h.label3));
    Label2->setText(WithUnderlinedMarks(h.label2));
    Label1->setText(WithUnderlinedMarks(h.label1));
}

void TForm_GeralView::ApplyFormLanguage()
{
    SetCaption(Button_GeralViewDetail, QStringLiteral("label_64"), QStringLiteral("Detail ..."));
    StringGrid20->setRowTexts(0, {LangText(QStringLiteral("label_31"), QStringLiteral("Produto")),
                                  LangText(QStringLiteral("label_6"), QStringLiteral("Tipo")), QStringLiteral("Stock"),
                                  LangText(QStringLiteral("label_39"), QStringLiteral("Reservado")),
                                  LangText(QStringLiteral("label_96"), QStringLiteral("Disponivel"))});
    StringGrid21->setRowTexts(0, {LangText(QStringLiteral("label_23"), QString::fromUtf8("Matéria Prima")),
                                  LangText(QStringLiteral("label_14"), QStringLiteral("Encomendas")),
                                  StringGrid20->Cells(ProdStock, 0), StringGrid20->Cells(ProdOrdered, 0),
                                  StringGrid20->Cells(ProdAvailable, 0)});
}

void TForm_GeralView::LoadData()
{
    m_form2 = new TForm2(Shell() ? Shell()->MainWindow() : window());
    std::vector<Problem> problems;
    const auto products = ShortfallProducts(ReadAllRecordsIfExists<StockProdutoRecord>(DataFilePath(DataFile::StockProduto)), &problems);
    const auto materials = ReservedMaterials(ReadAllRecordsIfExists<StockMateriaRecord>(DataFilePath(DataFile::StockMateria)), &problems);
    SetDataRows(StringGrid20, products);
    SetDataRows(StringGrid21, materials);
    StringGrid21->FitFirstColumn();
    m_problems = ProblemText(problems);
}

void TForm_GeralView::AfterShow()
{
    // Printing and the history name the lower list by the screen's title too.
    StringGrid21->setScreenTitle(StringGrid20->ScreenTitle());
    Button_GeralViewDetail->setEnabled(false);
    if (!m_problems.isEmpty())
        MessageBox::warning(m_problems);
}

void TForm_GeralView::FormResize()
{
    const int h = height();
    const int gridWidth = std::max(0, width() - 3 * kMargin - kSideWidth);
    const int upper = std::max(0, (h - 99) / 2);
    const int lower = std::max(0, (h - 67) / 2);
    StringGrid20->setGeometry(kMargin, kMargin, gridWidth, upper);
    StringGrid21->setGeometry(kMargin, kMargin + upper + 6, gridWidth, lower);
    const int hintsTop = kMargin + upper + 6 + lower + 4;
    const int line = fontMetrics().height();
    const int hintWidth = std::max(0, width() - 2 * kMargin);
    Label3->setGeometry(kMargin, hintsTop, hintWidth, line + 2);
    Label2->setGeometry(kMargin, hintsTop + line + 2, hintWidth, line + 2);
    Label1->setGeometry(kMargin + 16, hintsTop + 2 * (line + 2), hintWidth - 16, 2 * line + 4);
    const int side = kMargin + gridWidth + kMargin;
    Button_GeralViewDetail->move(side, kMargin);
    Button_GeralViewClose->move(side, kMargin + upper + 6 + lower - Button_GeralViewClose->height());
    StringGrid20->FitFirstColumn();
    StringGrid21->FitFirstColumn();
}

void TForm_GeralView::FormCloseScreen()
{
    if (m_form2)
        m_form2->close();
    Button_GeralViewDetail->setEnabled(false);
}

void TForm_GeralView::StringGrid20Click(StringGrid* grid)
{
    Button_GeralViewDetail->setEnabled(true);
    CurrentGrid = grid;
}

void TForm_GeralView::Button_GeralViewDetailClick()
{
    if (CurrentGrid.data() == StringGrid21)
        StringGrid21DblClick();
    else
        StringGrid20DblClick();
}

void TForm_GeralView::ShowDetail(const QStringList& titles, const std::vector<QStringList>& rows, const QList<int>& widths,
                                 StringGrid* owner)
{
    TForm2* form = m_form2;
    if (!form)
        return;
    form->setProperty("HelpContext", 0);
    form->ShowPanel(TForm2::PanelGeralView);
    StringGrid* list = form->StringGrid201;
    list->setRowTexts(0, titles);
    SetDataRows(list, rows);
    for (int c = 0; c < widths.size() && c < list->ColCount(); ++c)
        list->setColWidths(c, widths[c]);
    form->Label7->setText(DateText::DateToStr(Clock::today()));
    form->SetCaption(LangTitle[23]);
    form->PlaceBelow(Shell() ? Shell()->MainWindow() : window());
    WidenForScrollBar(list);
    Button_GeralViewClose->setEnabled(false);
    DesktopServices::instance().beep();
    form->ShowModal();
    if (m_form2) {
        CurrentGrid = owner;
        Button_GeralViewClose->setEnabled(true);
    }
}

void TForm_GeralView::StringGrid20DblClick()
{
    const int row = StringGrid20->Row();
    if (StringGrid20->Cells(ProdName, 1).isEmpty() || row < 1)
        return;
    if (StringGrid20->Cells(ProdOrdered, row) == QLatin1String("0")) {
        MessageBox::information(LangMsg[19]);
        return;
    }
    std::vector<QStringList> rows;
    std::vector<Problem> problems;
    {
        Hourglass hourglass;
        rows = ProductDetail(ReadAllRecordsIfExists<EncomProdutoRecord>(DataFilePath(DataFile::EncomProduto)),
                             StringGrid20->Cells(ProdName, row), StringGrid20->Cells(ProdType, row), &problems);
    }
    if (!problems.empty())
        MessageBox::warning(ProblemText(problems));
    const QStringList titles{StringGrid20->Cells(ProdName, 0),
                             LangText(QStringLiteral("label_4"), QStringLiteral("Cliente")),
                             StringGrid21->Cells(MatOnOrder, 0),
                             LangText(QStringLiteral("label_11"), QStringLiteral("Date")),
                             LangText(QStringLiteral("label_70"), QStringLiteral("Quant. Exec.")),
                             QStringLiteral(" (dif.)"),
                             QString()};
    ShowDetail(titles, rows, {200, 140, 70, 82, 82, 70, 0}, StringGrid20);
}

void TForm_GeralView::StringGrid21DblClick()
{
    const int row = StringGrid21->Row();
    if (StringGrid21->Cells(MatName, 1).isEmpty() || row < 1)
        return;
    if (StringGrid21->Cells(MatReserved, row) == QLatin1String("0")) {
        MessageBox::information(LangMsg[19]);
        return;
    }
    std::vector<ListedProduct> listed;
    for (int r = 1; r < StringGrid20->RowCount(); ++r)
        if (!StringGrid20->Cells(ProdName, r).isEmpty())
                listed.push_back({StringGrid20->Cells(ProdName, r), StringGrid20->Cells(ProdType, r),
                              StringGrid20->Cells(ProdStock, r), StringGrid20->Cells(ProdOrdered, r),
                              StringGrid20->Cells(ProdAvailable, r)});
    std::vector<QStringList> rows;
    std::vector<Problem> problems;
    {
        Hourglass hourglass;
        rows = MaterialDetail(ReadAllRecordsIfExists<ProdutoRecord>(DataFilePath(DataFile::Produtos)),
                              StringGrid21->Cells(MatName, row), listed, &problems);
    }
    if (!problems.empty())
        MessageBox::warning(ProblemText(problems));
    // The quantity of the material needed under its own heading, its unit beside it.
    const QStringList titles{StringGrid20->Cells(ProdName, 0),
                             StringGrid21->Cells(MatStock, 0),
                             StringGrid21->Cells(MatReserved, 0),
                             StringGrid21->Cells(MatAvailable, 0),
                             LangText(QStringLiteral("label_101"), QStringLiteral("Mat. Prima")),
                             QStringLiteral("un."),
                             QStringLiteral(" ")};
    ShowDetail(titles, rows, {240, 80, 80, 80, 90, 70, 0}, StringGrid21);
}
