#include "report/TForm2.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "i18n/Settings.h"
#include "report/GridPrint.h"
#include "shell/DesktopServices.h"
#include "shell/Globals.h"
#include "shell/GridRoutines.h"
#include "shell/MessageBox.h"
#include "shell/StringGrid.h"
#include "store/Clock.h"
#include "store/DateText.h"
#include "store/DecimalText.h"
#include "store/RecordFile.h"
#include "store/StoreError.h"

#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

namespace {

const QColor Red(255, 0, 0);
const QColor Green(0, 128, 0);

// The columns of the check panel.
enum { ColCheckFile, ColCheckRecord, ColCheckField, ColCheckText, ColCheckSortKey };

// The clients picture: two small figures.
QPixmap clientsPicture()
{
    QPixmap pix(16, 14);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 96), 1));
    p.setBrush(QColor(90, 140, 220));
    p.drawEllipse(QRectF(8, 1, 5, 5));
    p.drawRoundedRect(QRectF(6.5, 6.5, 8, 6.5), 2.5, 2.5);
    p.setBrush(QColor(250, 200, 60));
    p.drawEllipse(QRectF(2.5, 2.5, 5, 5));
    p.drawRoundedRect(QRectF(1, 8, 8, 5.5), 2.5, 2.5);
    return pix;
}

// A small close button showing a cross (its caption stays "r").
class CloseGlyphButton : public QToolButton {
public:
    explicit CloseGlyphButton(QWidget* parent) : QToolButton(parent) { setText(QStringLiteral("r")); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), underMouse() ? QColor(232, 17, 35) : palette().color(QPalette::Button));
        p.setPen(QPen(underMouse() ? Qt::white : Qt::black, 1.6));
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(rect()).adjusted(5, 4, -5, -4);
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomLeft());
        p.setPen(palette().color(QPalette::Dark));
        p.setRenderHint(QPainter::Antialiasing, false);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

bool isNumberAtMost(const QString& text, double limit)
{
    const auto v = DecimalText::parse(text);
    return v && *v <= limit;
}

} // namespace

// =============================================================================================

TGripShape::TGripShape(QWidget* parent) : QWidget(parent)
{
    setCursor(Qt::SizeVerCursor);
}

void TGripShape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(0, 0, width(), 0);
}

void TGripShape::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT pressed(event->globalPosition().toPoint());
}

void TGripShape::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        Q_EMIT dragged(event->globalPosition().toPoint());
}

void TGripShape::mouseReleaseEvent(QMouseEvent*) { Q_EMIT released(); }

// =============================================================================================

TForm2::TForm2(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("Necessidades de Mat. Primas"));
    Image1 = clientsPicture();

    Panel_caption = new QFrame(this);
    Panel_caption->setObjectName(QStringLiteral("Panel_caption"));
    Panel_caption->setFrameShape(QFrame::StyledPanel);
    Panel_caption->setAutoFillBackground(true);
    Panel_caption->setCursor(Qt::SizeAllCursor);
    QPalette capPal = Panel_caption->palette();
    capPal.setColor(QPalette::Window, QColor(0, 0, 128));
    capPal.setColor(QPalette::WindowText, Qt::white);
    Panel_caption->setPalette(capPal);
    Label_caption = new QLabel(QStringLiteral("Necessidades de Mat. Primas"), Panel_caption);
    Label_caption->setObjectName(QStringLiteral("Label_caption"));
    QFont bold = Label_caption->font();
    bold.setBold(true);
    Label_caption->setFont(bold);
    SpeedButton_Close = new CloseGlyphButton(Panel_caption);
    SpeedButton_Close->setObjectName(QStringLiteral("SpeedButton_Close"));
    SpeedButton_Close->setCursor(Qt::ArrowCursor);
    Panel_caption->installEventFilter(this);
    Label_caption->installEventFilter(this);

    m_panels[PanelStock] = BuildPanel(PanelStock, "Panel_Stock", "StringGrid5", 9, "Stock", "Shape1");
    m_panels[PanelEncomenda] = BuildPanel(PanelEncomenda, "Panel_Encomenda", "StringGrid6", 12, "Encomenda", "Shape2");
    m_panels[PanelProducaoPlan] =
        BuildPanel(PanelProducaoPlan, "Panel_ProducaoPlan", "StringGrid11", 8, "ProducaoPlan", "Shape3");
    m_panels[PanelUtiliz] = BuildPanel(PanelUtiliz, "Panel_Utiliz", "StringGrid16", 9, "Utiliz", "Shape4");
    m_panels[PanelGeralView] = BuildPanel(PanelGeralView, "Panel_GeralView", "StringGrid201", 7, "GeralView", "Shape5");

    const PanelParts& stock = m_panels[PanelStock];
    Panel_Stock = stock.panel;
    StringGrid5 = stock.grid;
    Button_StockClose = stock.close;
    Button_StockPrint = stock.print;
    Button_StockFile = stock.file;
    Button_StockCopyMem = stock.copyMem;
    Label1 = stock.dateLabel;
    Label1->setObjectName(QStringLiteral("Label1"));
    Shape1 = stock.grip;

    const PanelParts& orders = m_panels[PanelEncomenda];
    Panel_Encomenda = orders.panel;
    StringGrid6 = orders.grid;
    Button_EncomendaClose = orders.close;
    Button_EncomendaPrint = orders.print;
    Button_EncomendaFile = orders.file;
    Button_EncomendaCopyMem = orders.copyMem;
    Label4 = orders.dateLabel;
    Label4->setObjectName(QStringLiteral("Label4"));
    Shape2 = orders.grip;
    ListBox_Cliente = new QListWidget(Panel_Encomenda);
    ListBox_Cliente->setObjectName(QStringLiteral("ListBox_Cliente"));
    ListBox_Cliente->setGeometry(300, 60, 150, 60);
    ListBox_Cliente->hide();
    connect(StringGrid6, &StringGrid::mousePressed, this, [this](Qt::MouseButton button, const QPoint& pos, int col, int row) {
        // On the clients picture, 35 pixels into the cell.
        if (button == Qt::LeftButton && col == 4 && row >= 1 && pos.x() >= StringGrid6->CellRect(4, row).left() + 35)
            QTimer::singleShot(0, this, [this, row] { ShowClients(row); });
    });

    const PanelParts& plan = m_panels[PanelProducaoPlan];
    Panel_ProducaoPlan = plan.panel;
    StringGrid11 = plan.grid;
    Button_ProducaoPlanClose = plan.close;
    Button_ProducaoPlanPrint = plan.print;
    Button_ProducaoPlanFile = plan.file;
    Button_ProducaoPlanCopyMem = plan.copyMem;
    Label6 = plan.dateLabel;
    Label6->setObjectName(QStringLiteral("Label6"));
    Label5 = new QLabel(QStringLiteral("Semana # ..."), Panel_ProducaoPlan);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setGeometry(110, 14, 150, 16);
    Shape3 = plan.grip;

    const PanelParts& use = m_panels[PanelUtiliz];
    Panel_Utiliz = use.panel;
    StringGrid16 = use.grid;
    Button_UtilizClose = use.close;
    Button_UtilizPrint = use.print;
    Button_UtilizFile = use.file;
    Button_UtilizCopyMem = use.copyMem;
    Label8 = use.dateLabel;
    Label8->setObjectName(QStringLiteral("Label8"));
    Label11 = new QLabel(Panel_Utiliz);
    Label11->setObjectName(QStringLiteral("Label11"));
    Label11->setGeometry(90, 14, 24, 16);
    Label10 = new QLabel(QStringLiteral("04-08-2001"), Panel_Utiliz);
    Label10->setObjectName(QStringLiteral("Label10"));
    Label10->setGeometry(114, 14, 80, 16);
    Shape4 = use.grip;

    const PanelParts& global = m_panels[PanelGeralView];
    Panel_GeralView = global.panel;
    StringGrid201 = global.grid;
    Button_GeralViewClose = global.close;
    Button_GeralViewPrint = global.print;
    Button_GeralViewFile = global.file;
    Button_GeralViewCopyMem = global.copyMem;
    Label7 = global.dateLabel;
    Label7->setObjectName(QStringLiteral("Label7"));
    Shape5 = global.grip;

    m_panels[PanelCheck] = BuildPanel(PanelCheck, "Panel_Check", "StringGrid_Check", 5, "Check", "Shape6");
    const PanelParts& check = m_panels[PanelCheck];
    Panel_Check = check.panel;
    StringGrid_Check = check.grid;
    Button_CheckClose = check.close;
    Button_CheckPrint = check.print;
    Button_CheckFile = check.file;
    Button_CheckCopyMem = check.copyMem;
    Label_CheckDate = check.dateLabel;
    Label_CheckDate->setObjectName(QStringLiteral("Label_CheckDate"));
    Label_CheckDate->setGeometry(8, 14, 130, 16);
    Label_CheckCount = new QLabel(Panel_Check);
    Label_CheckCount->setObjectName(QStringLiteral("Label_CheckCount"));
    Label_CheckCount->setGeometry(140, 14, 250, 16);
    Shape6 = check.grip;
    StringGrid_Check->setColumnShares({0.19, 0.10, 0.15, 0.56});
    StringGrid_Check->setColWidths(ColCheckSortKey, 0);
    StringGrid_Check->setTitleSortColumn(ColCheckRecord, ColCheckSortKey);

    connect(SpeedButton_Close, &QToolButton::clicked, this, &TForm2::SpeedButton_CloseClick);
    ApplyLanguage();
    SetUpColouring();
    FormCreate();
}

TForm2::~TForm2() { GiveBackCurrentGrid(); }

TForm2::PanelParts TForm2::BuildPanel(ListPanel which, const char* panelName, const char* gridName, int columns,
                                      const char* buttonStem, const char* gripName)
{
    PanelParts parts;
    parts.panel = new QFrame(this);
    parts.panel->setObjectName(QLatin1String(panelName));
    parts.panel->setFrameShape(QFrame::StyledPanel);
    parts.panel->setAutoFillBackground(true);
    parts.panel->setGeometry(ParkedLeft, PanelTop, PanelWidth, 241);

    parts.dateLabel = new QLabel(QStringLiteral("04-08-2001"), parts.panel);
    parts.dateLabel->setGeometry(8, 14, 80, 16);

    parts.grid = new StringGrid(parts.panel);
    parts.grid->setObjectName(QLatin1String(gridName));
    parts.grid->setColCount(columns);
    parts.grid->setGeometry(8, 40, GridWidth, 188);

    const QString stem = QLatin1String(buttonStem);
    auto makeButton = [&](const QString& role, const QString& caption, int left) {
        auto* b = new TRe2Buttn(caption, parts.panel);
        b->setObjectName(QStringLiteral("Button_") + stem + role);
        b->setGeometry(left, 8, 62, 24);
        return b;
    };
    parts.print = makeButton(QStringLiteral("Print"), Caption::Print(), 394);
    parts.file = makeButton(QStringLiteral("File"), Caption::File(), 460);
    parts.copyMem = makeButton(QStringLiteral("CopyMem"), Caption::Copy(), 526);
    parts.close = makeButton(QStringLiteral("Close"), Caption::Close(), 603);

    parts.grip = new TGripShape(parts.panel);
    parts.grip->setObjectName(QLatin1String(gripName));
    parts.grip->setGeometry(0, 236, PanelWidth, 4);
    connect(parts.grip, &TGripShape::pressed, this, &TForm2::StartResize);
    connect(parts.grip, &TGripShape::dragged, this, &TForm2::DragResize);
    connect(parts.grip, &TGripShape::released, this, [this] { m_resizing = false; });

    connect(parts.close, &QPushButton::clicked, this, [this, which] { PanelCloseClick(which); });
    connect(parts.print, &QPushButton::clicked, this, [this, which] { PanelPrintClick(which); });
    connect(parts.file, &QPushButton::clicked, this, [this, which] { PanelFileClick(which); });
    connect(parts.copyMem, &QPushButton::clicked, this, [this, which] { PanelCopyMemClick(which); });
    parts.panel->hide();
    return parts;
}

void TForm2::FormCreate()
{
    for (const PanelParts& p : m_panels) {
        p.panel->move(ParkedLeft, p.panel->y());
        p.panel->hide();
    }
    Panel_caption->setGeometry(0, 0, Panel_Stock->width() - 1, PanelTop);
    Label_caption->setGeometry(6, 1, Panel_caption->width() - 40, PanelTop - 2);
    SpeedButton_Close->setGeometry(Panel_caption->width() - 20, 1, 17, PanelTop - 2);
    setFixedWidth(Panel_Stock->width() - 1);
    setMinimumHeight(MinimumHeight);
    resize(Panel_Stock->width() - 1, Panel_Stock->y() + Panel_Stock->height() - 1);
    if (BlueTheme) {
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(205, 235, 255));
        setPalette(pal);
        for (const PanelParts& p : m_panels) {
            if (p.panel->height() > 174) {
                QPalette panelPal = p.panel->palette();
                panelPal.setColor(QPalette::Window, QColor(240, 247, 255));
                p.panel->setPalette(panelPal);
            }
        }
    }
    // Without any printer there is nothing to print on.
    if (DesktopServices::instance().printers().isEmpty()) {
        Button_StockPrint->hide();
        Button_EncomendaPrint->hide();
        Button_ProducaoPlanPrint->hide();
        Button_UtilizPrint->hide();
    }
}

void TForm2::SetUpColouring()
{
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;

    // Raw-material needs: a run-out date today or earlier, and no stock or nothing available, in red.
    StringGrid5->setTitleSortColumn(6, 8);
    StringGrid5->setCellStyler([this](int col, int row, CellStyle& s) {
        if (row == 0 || StringGrid5->Cells(0, 1).isEmpty())
            return;
        const QString text = StringGrid5->Cells(col, row);
        if (col == 6) {
            const auto date = DateText::parse(text);
            if (date && *date <= Clock::today())
                s.foreground = Red;
        } else if ((col == 1 || col == 4) && isNumberAtMost(text, 0)) {
            s.foreground = Red;
        }
    });

    // Delivery dates: nothing available in red, the clients picture in column 4.
    StringGrid6->setTitleSortColumn(8, 10);
    StringGrid6->setCellStyler([this](int col, int row, CellStyle& s) {
        if (row == 0 || col != 5 || StringGrid6->Cells(0, 1).isEmpty())
            return;
        const auto v = DecimalText::parse(StringGrid6->Cells(col, row));
        if (v && *v < 1)
            s.foreground = Red;
    });
    StringGrid6->setCellPainter([this](QPainter* painter, const QRect& rect, int col, int) {
        if (col == 4 && !StringGrid6->Cells(0, 1).isEmpty())
            DrawCellPicture(painter, rect, Image1, 35);
        return false;
    });

    // Utilisation by month: the totals row and column bold, in green, all months centred.
    StringGrid16->setCellStyler([this, centred](int col, int row, CellStyle& s) {
        if (StringGrid16->Cells(0, 1).isEmpty())
            return;
        if (col > 0)
            s.alignment = centred;
        if (row == 0)
            return;
        const bool lastRow = row == StringGrid16->RowCount() - 1;
        const bool lastCol = col == StringGrid16->ColCount() - 1;
        if (lastRow) {
            s.bold = true;
            if (col == 0) {
                s.foreground = StringGrid16->palette().color(QPalette::WindowText);
                s.background = StringGrid16->palette().color(QPalette::Button);
            } else {
                s.foreground = Green;
            }
        }
        if (lastCol && col > 0) {
            s.bold = true;
            s.foreground = Green;
        }
    });

    // Week plan: headings on the window colour, columns from 2 on centred, equipment rows framed.
    StringGrid11->setCellStyler([this, centred](int col, int row, CellStyle& s) {
        if (StringGrid11->Cells(0, 1).isEmpty())
            return;
        if (row == 0)
            s.background = StringGrid11->palette().color(QPalette::Base);
        if (col >= 2)
            s.alignment = centred;
        if (row > 0 && col == 0 && !StringGrid11->Cells(0, row).isEmpty()) {
            s.bold = true;
            s.background = StringGrid11->palette().color(QPalette::Button);
            s.frame = Qt::black;
        }
    });

    // Global view: negative differences in red, the "Total:" cell framed.
    StringGrid201->setCellStyler([this](int col, int row, CellStyle& s) {
        if (row == 0 || StringGrid201->Cells(0, 1).isEmpty())
            return;
        const QString text = StringGrid201->Cells(col, row);
        if (col == 5 && !text.isEmpty()) {
            const auto v = DecimalText::parse(text);
            if (v && *v < 0)
                s.foreground = Red;
        }
        if (col == 4 && row == StringGrid201->RowCount() - 1 && text == QLatin1String("Total:")) {
            s.bold = true;
            s.background = StringGrid201->palette().color(QPalette::Button);
            s.frame = Qt::black;
        }
    });
}

// ---------------------------------------------------------------------------------------------

void TForm2::ShowPanel(ListPanel panel)
{
    for (int i = 0; i < PanelCount; ++i) {
        QFrame* p = m_panels[i].panel;
        if (i == panel) {
            p->move(0, p->y());
            p->show();
        } else {
            p->move(ParkedLeft, p->y());
            p->hide();
        }
    }
}

int TForm2::ShownPanel() const
{
    for (int i = 0; i < PanelCount; ++i)
        if (m_panels[i].panel->x() == 0 && !m_panels[i].panel->isHidden())
            return i;
    return -1;
}

void TForm2::SetCaption(const QString& caption) { Label_caption->setText(caption); }

void TForm2::PlaceBelow(QWidget* mainWindow)
{
    if (!mainWindow)
        return;
    const QRect main = mainWindow->frameGeometry();
    int left = main.left() + 3;
    int top = main.top() + 293;
    QScreen* screen = mainWindow->screen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        if (left + width() > area.right() + 1)
            left -= left + width() - (area.right() + 1);
        if (top + height() > area.bottom() + 1)
            top -= top + height() - (area.bottom() + 1);
    }
    move(left, top);
}

int TForm2::ShowModal() { return exec(); }

void TForm2::ApplyLanguage()
{
    Label11->setText(LangText(QStringLiteral("label_to"), QStringLiteral("To")));
    for (const PanelParts& parts : m_panels) {
        parts.file->setToolTip(LangText(QStringLiteral("hint_tofile"), QStringLiteral("Send to TXT file")));
        parts.copyMem->setToolTip(LangText(QStringLiteral("label_107"), QStringLiteral("Copy to Memory")));
    }
}

void TForm2::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ApplyLanguage();
    QDialog::changeEvent(event);
}

QString TForm2::PrintTitle(ListPanel panel) const
{
    switch (panel) {
    case PanelStock: return QStringLiteral("Necessidades de Matérias Primas");
    case PanelEncomenda: return QStringLiteral("Datas de Entrega");
    case PanelProducaoPlan: return LangTitle[12].trimmed();
    case PanelUtiliz: return LangTitle[22].trimmed();
    case PanelGeralView: return LangTitle[23];
    case PanelCheck: {
        const QString title = LangText(QStringLiteral("label_CheckTitle"), QStringLiteral("Check of the company files"));
        return m_checkedCompany.isEmpty() ? title : title + QStringLiteral(" - ") + m_checkedCompany;
    }
    }
    return {};
}

void TForm2::ShowCheckFindings(const CompanyCheck::Result& result, const QString& company)
{
    StringGrid* grid = StringGrid_Check;
    {
        GridUpdate update(grid);
        grid->setRowCount(int(std::max<size_t>(2, result.findings.size() + 1)));
        grid->setRowTexts(0, {LangText(QStringLiteral("label_CheckFile"), QStringLiteral("File")),
                              LangText(QStringLiteral("label_CheckRecord"), QStringLiteral("Record")),
                              LangText(QStringLiteral("label_CheckField"), QStringLiteral("Field")),
                              LangText(QStringLiteral("label_CheckProblem"), QStringLiteral("Problem")), QString()});
        auto& rows = grid->rows();
        for (size_t i = 0; i < result.findings.size(); ++i) {
            const CompanyCheck::Finding& f = result.findings[i];
            // Records sort by their numbers.
            const QString key = QStringLiteral("%1").arg(f.record, 12, 10, QChar('0'));
            rows[i + 1] = {f.file, QString::number(f.record), f.field, f.text, key};
        }
    }
    const QString count = LangText(QStringLiteral("label_CheckCount"), QStringLiteral("%1 problem(s) in %2 records"))
                              .arg(result.findings.size())
                              .arg(result.records);
    Label_CheckCount->setText(count);
    Label_CheckDate->setText(DateText::DateToStr(Clock::today()) + QLatin1Char(' ') + DateText::TimeToStr(Clock::now().time()));
    m_checkedCompany = company;
    SetCaption(PrintTitle(PanelCheck));
    grid->setScreenTitle(PrintTitle(PanelCheck));
    ShowPanel(PanelCheck);
}

// ---------------------------------------------------------------------------------------------
// Buttons

void TForm2::PanelCloseClick(ListPanel panel)
{
    PanelParts& p = m_panels[panel];
    StringGrid* grid = p.grid;
    if (panel == PanelEncomenda) {
        // The order boxes its filler put on the grid go with the list.
        const int rows = grid->RowCount();
        for (int k = 1; k <= rows; ++k)
            for (QComboBox* box : findChildren<QComboBox*>(QStringLiteral("ComboBox_C") + QString::number(k)))
                delete box;
        ListBox_Cliente->hide();
    }
    grid->ClearData();
    grid->resize(GridWidth, grid->height());
    p.panel->move(ParkedLeft, p.panel->y());
    p.panel->hide();
    accept();
}

void TForm2::PanelPrintClick(ListPanel panel)
{
    StringGrid* grid = m_panels[panel].grid;
    TakeCurrentGrid(grid);
    grid->setScreenTitle(PrintTitle(panel));
    menu_FilePrintClick(true);
}

void TForm2::PanelFileClick(ListPanel panel) { ExportGridText(m_panels[panel].grid); }

void TForm2::PanelCopyMemClick(ListPanel panel)
{
    TakeCurrentGrid(m_panels[panel].grid);
    CopyGridToClipboard(CurrentGrid.data());
}

void TForm2::SpeedButton_CloseClick() { accept(); }

void TForm2::done(int result)
{
    GiveBackCurrentGrid();
    QDialog::done(result);
}

bool TForm2::OwnsGrid(const StringGrid* grid) const
{
    if (!grid)
        return false;
    for (const PanelParts& p : m_panels)
        if (p.grid == grid)
            return true;
    return false;
}

void TForm2::TakeCurrentGrid(StringGrid* grid)
{
    if (!OwnsGrid(CurrentGrid.data()))
        m_screenGrid = CurrentGrid;
    CurrentGrid = grid;
}

void TForm2::GiveBackCurrentGrid()
{
    if (OwnsGrid(CurrentGrid.data()))
        CurrentGrid = m_screenGrid;
}

// ---------------------------------------------------------------------------------------------
// Export

QString TForm2::ExportFilePath() { return QDir::tempPath() + QStringLiteral("/stocks.txt"); }

void TForm2::ExportGridText(StringGrid* grid)
{
    if (!grid)
        return;
    const QString path = ExportFilePath();
    // The columns shown, as the copy to memory takes them.
    const QList<int> cols = grid->VisibleColumns();
    const int last = grid->RowCount() - 1;
    QString text;
    QString line = QStringLiteral(" ");
    for (int r = 0; r <= last; ++r) {
        for (int c : cols) {
            const int w = grid->ColWidths(c) / 5;
            line += grid->Cells(c, r).leftJustified(w, QLatin1Char(' '), true);
        }
        text += line + QLatin1Char('\n');
        if (r == 0)
            text += QString(line.size(), QLatin1Char('-')) + QLatin1Char('\n');
        if (r != last)
            line = QStringLiteral(" ");
    }
    text += QString(line.size(), QLatin1Char('-')) + QLatin1Char('\n');

    // Written whole or not at all (temporary file and rename, every byte checked); the editor of a
    // previous export may still have the old one open.
    ReplaceFileContents(path, text.toUtf8());
    // The file stays: the editor reads it after it has started, and the next export replaces it.
    if (!DesktopServices::instance().openTextEditor(path))
        MessageBox::warning(LangText(QStringLiteral("msg_NoTextEditor"), QStringLiteral("No text editor could be started. The list is in:"))
                            + QLatin1Char('\r') + QDir::toNativeSeparators(path));
}

// ---------------------------------------------------------------------------------------------
// Sorting and the clients of an order

void TForm2::GridTitleClick(ListPanel panel, int col)
{
    StringGrid* grid = m_panels[panel].grid;
    SortGridByColumn(grid, grid->SortColumnFor(col));
}

void TForm2::ShowClients(int row)
{
    if (row < 1 || row >= StringGrid6->RowCount())
        return;
    QString clients = StringGrid6->Cells(11, row);
    QStringList lines = clients.split(QLatin1Char('\r'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString& l : lines)
        if (l.startsWith(QLatin1Char('\n')))
            l.remove(0, 1);
    ListBox_Cliente->clear();
    ListBox_Cliente->addItems(lines);

    const QRect cell = StringGrid6->CellRect(4, row);
    const QPoint cellTopRight = StringGrid6->mapTo(Panel_Encomenda, QPoint(cell.right() + 1, cell.top()));
    const int itemHeight = ListBox_Cliente->sizeHintForRow(0) > 0 ? ListBox_Cliente->sizeHintForRow(0)
                                                                  : ListBox_Cliente->fontMetrics().height() + 2;
    const int height = std::min(itemHeight * int(lines.size()) + 5, StringGrid6->height());
    ListBox_Cliente->setGeometry(cellTopRight.x() + 45 - ListBox_Cliente->width(), cellTopRight.y(),
                                 ListBox_Cliente->width(), height);
    ListBox_Cliente->show();
    ListBox_Cliente->raise();

    // Shown for a moment while the program keeps running.
    QPointer<QListWidget> box = ListBox_Cliente;
    QEventLoop wait;
    QTimer::singleShot(1200, &wait, &QEventLoop::quit);
    wait.exec();
    if (box)
        box->hide();
}

bool TForm2::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Panel_caption || watched == Label_caption) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (mouse->button() == Qt::LeftButton) {
                m_moving = true;
                m_moveStart = mouse->globalPosition().toPoint();
                m_moveWindowStart = pos();
            }
            return true;
        case QEvent::MouseMove:
            if (m_moving)
                move(m_moveWindowStart + mouse->globalPosition().toPoint() - m_moveStart);
            return true;
        case QEvent::MouseButtonRelease: m_moving = false; return true;
        default: break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Sizing

int TForm2::MaximumHeightOnScreen() const
{
    const QScreen* s = screen();
    if (!s)
        return QWIDGETSIZE_MAX;
    return std::max(MinimumHeight, s->geometry().bottom() + 1 - 20 - y());
}

void TForm2::StartResize(const QPoint& globalPosition)
{
    m_resizing = true;
    m_resizeStartY = globalPosition.y();
    m_resizeStartHeight = height();
}

void TForm2::DragResize(const QPoint& globalPosition)
{
    if (!m_resizing)
        return;
    const int h = std::clamp(m_resizeStartHeight + globalPosition.y() - m_resizeStartY, MinimumHeight,
                             MaximumHeightOnScreen());
    resize(width(), h);
}

void TForm2::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The list was filled before the window shows: its grid makes room for the scroll bar now.
    FormResize();
}

void TForm2::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (isVisible())
        FormResize();
}

void TForm2::FormResize()
{
    const int clientHeight = height();
    for (const PanelParts& p : m_panels) {
        if (p.panel->height() > 174)
            p.panel->resize(p.panel->width(), clientHeight - 17);
        if (p.grid->height() > 122) {
            p.grid->resize(p.grid->width(), clientHeight - 69);
            p.grid->resize(p.grid->NeedsVerticalScrollBar() ? GridWidthWithScrollBar : GridWidth, p.grid->height());
        }
        p.grip->move(p.grip->x(), clientHeight - 21);
    }
}
