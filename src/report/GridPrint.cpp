#include "report/GridPrint.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/IniFile.h"
#include "i18n/Language.h"
#include "i18n/Settings.h"
#include "report/AlPreview.h"
#include "report/FileDialog.h"
#include "report/TForm5.h"
#include "shell/DesktopServices.h"
#include "shell/Globals.h"
#include "shell/MessageBox.h"
#include "shell/PanelDrag.h"
#include "shell/ScreenForm.h"
#include "shell/StringGrid.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QHideEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QToolButton>

namespace {

// The blank left between a column's text and the next column, in design pixels.
constexpr int kColumnGap = 4;

QPointer<ReportPreviewPanel>& currentPanel()
{
    static QPointer<ReportPreviewPanel> panel;
    return panel;
}

tPapersize paperOfIndex(int index)
{
    return index >= 0 && index <= 3 ? tPapersize(index) : alr_A4;
}

// The zoom in the zoom box, 100 when it is not a number.
int zoomOfText(const QString& text)
{
    bool ok = false;
    const int zoom = text.trimmed().toInt(&ok);
    return ok ? zoom : 100;
}

QString& lastPdfFolder()
{
    static QString folder;
    return folder;
}

// A file name made of a title: the characters file systems refuse become blanks.
QString fileNameOf(const QString& title)
{
    QString name = title.simplified();
    for (QChar& c : name)
        if (QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char(' ');
    name = name.simplified();
    return name.isEmpty() ? QStringLiteral("report") : name;
}

// Prints a built report on the printer name; asks for the file of the "PDF" printer. False when
// the user cancelled or the printer failed (the error is shown).
bool printReportOn(TForm5* form, const QString& printerName, QWidget* dialogParent)
{
    TAlPrinter& printer = AlPrinter();
    printer.PrinterName = printerName.isEmpty() ? TAlPrinter::DefaultPrinterName() : printerName;
    if (printer.PrinterName == TAlPrinter::PdfPrinterName) {
        const QString folder = lastPdfFolder().isEmpty() ? QDir::homePath() : lastPdfFolder();
        const QString suggestion = QDir(folder).filePath(fileNameOf(form->AlReport->ReportTitle) + QStringLiteral(".pdf"));
        QString file = FileDialog::getSaveFileName(dialogParent,
                                                   LangText(QStringLiteral("label_printpdf"), QStringLiteral("Print to PDF")),
                                                   suggestion,
                                                   LangText(QStringLiteral("label_pdffiles"), QStringLiteral("PDF files")) +
                                                       QStringLiteral(" (*.pdf)"));
        if (file.isEmpty())
            return false;
        if (QFileInfo(file).suffix().isEmpty())
            file += QStringLiteral(".pdf");
        lastPdfFolder() = QFileInfo(file).absolutePath();
        printer.OutputFileName = file;
    }
    try {
        Hourglass busy;
        form->AlReport->Print();
    } catch (const ReportError& e) {
        MessageBox::error(e.message());
        return false;
    } catch (const std::exception& e) {
        MessageBox::error(QString::fromUtf8(e.what()));
        return false;
    }
    return true;
}

// What printing reads of a grid (texts, column widths, title), in a grid of its own.
std::unique_ptr<StringGrid> CopyOfGrid(const StringGrid* grid)
{
    auto copy = std::make_unique<StringGrid>();
    GridUpdate update(copy.get());
    copy->setColCount(grid->ColCount());
    for (int c = 0; c < grid->ColCount(); ++c)
        copy->setColWidths(c, grid->ColWidths(c));
    copy->rows() = grid->rows();
    copy->setScreenTitle(grid->ScreenTitle());
    return copy;
}

} // namespace

// =============================================================================================
// Layout of a grid into the report form

int PrintableWidth(tPapersize paper, TPrinterOrientation orientation, int leftMarginMM, int rightMarginMM)
{
    const PaperSizeMM size = PaperSizesMM[paper];
    const int across = orientation == poPortrait ? size.width : size.height;
    return RoundHalfEven(PPI * across / 25.4) - leftMarginMM - rightMarginMM - 32;
}

int PageRight(tPapersize paper, TPrinterOrientation orientation, int leftMarginMM, int rightMarginMM)
{
    const PaperSizeMM size = PaperSizesMM[paper];
    const int across = orientation == poPortrait ? size.width : size.height;
    return RoundHalfEven(PPI * across / 25.4) - RoundHalfEven(PPI * (leftMarginMM + rightMarginMM) / 25.4);
}

QList<int> PrintableColumns(const StringGrid* grid)
{
    QList<int> cols;
    if (!grid)
        return cols;
    // The form has nine columns; a wider grid prints its first nine.
    for (int c = 0; c < grid->ColCount() && cols.size() < TForm5::ColumnCount; ++c)
        if (grid->ColWidths(c) > 1)
            cols << c;
    return cols;
}

int PrintableColumnCount(const StringGrid* grid) { return int(PrintableColumns(grid).size()); }

QString PaperSizeName(int paperSizeIndex)
{
    switch (paperSizeIndex) {
    case 1: return QStringLiteral("A5");
    case 2: return QStringLiteral("Legal");
    case 3: return QStringLiteral("Letter");
    default: return QStringLiteral("A4");
    }
}

int PaperSizeIndexOf(const QString& name)
{
    if (name == QLatin1String("A4"))
        return 0;
    if (name == QLatin1String("A5"))
        return 1;
    if (name == QLatin1String("Legal"))
        return 2;
    if (name == QLatin1String("Letter"))
        return 3;
    return -1;
}

void WritePaperSettings()
{
    if (!ProgramIni)
        return;
    ProgramIni->WriteString(QStringLiteral("Options"), QStringLiteral("Papersize"), PaperSizeName(PaperSizeIndex));
    ProgramIni->WriteString(QStringLiteral("Options"), QStringLiteral("Paperorient"),
                            PaperOrientation == 1 ? QStringLiteral("Landscape") : QStringLiteral("Portrait"));
}

std::unique_ptr<TForm5> BuildGridReport(const StringGrid* grid)
{
    auto form = std::make_unique<TForm5>();
    TAlReport* report = form->AlReport;
    report->setPapersize(paperOfIndex(PaperSizeIndex));
    report->setOrientation(PaperOrientation == 1 ? poLandscape : poPortrait);
    report->ClearFields();
    if (!grid)
        return form;
    report->ReportTitle = grid->ScreenTitle();

    const QList<int> cols = PrintableColumns(grid);
    const int n = int(cols.size());
    int W = 0;
    for (int c : cols)
        W += grid->ColWidths(c);
    const int P = PrintableWidth(report->Papersize(), report->Orientation(), report->LeftMarginMM(),
                                 report->RightMarginMM());
    const double scale = double(P) / (W + 16);

    const QList<tAlControl*> headers = form->AlBand_detailheader->Controls();
    const QList<tAlControl*> details = form->AlBand_detail->Controls();
    QList<int> lefts;
    int left = 16;
    for (int k = 0; k < TForm5::ColumnCount; ++k) {
        if (k >= n)
            left = 1700; // outside the page
        else if (k > 0)
            left += RoundHalfEven(grid->ColWidths(cols[k - 1]) * scale);
        lefts << left;
        if (k < headers.size())
            headers[k]->move(left, headers[k]->y());
        if (k < details.size())
            details[k]->move(left, details[k]->y());
    }
    // Each heading and field prints within the room up to the next column, cut with "…" when
    // longer; the last column has the rest of the page.
    const int pageRight = PageRight(report->Papersize(), report->Orientation(), report->LeftMarginMM(),
                                    report->RightMarginMM());
    for (int k = 0; k < n; ++k) {
        const int room = (k + 1 < n ? lefts[k + 1] - kColumnGap : pageRight) - lefts[k];
        for (const QList<tAlControl*>* band : {&headers, &details})
            if (auto* field = qobject_cast<TAlLabel*>(band->value(k)))
                field->setClipWidth(std::max(1, room));
    }

    for (int k = 0; k < n; ++k)
        report->AddFieldValue(QStringLiteral("AlField") + QString::number(k + 1), grid->Cells(cols[k], 0));
    const auto& rows = grid->rows();
    QString names[TForm5::ColumnCount];
    for (int k = 0; k < n; ++k)
        names[k] = QStringLiteral("AlField") + QString::number(k + TForm5::ColumnCount + 1);
    for (size_t r = 1; r < rows.size(); ++r) {
        const auto& row = rows[r];
        for (int k = 0; k < n; ++k) {
            const size_t c = size_t(cols[k]);
            report->AddFieldValue(names[k], c < row.size() ? row[c] : QString());
        }
    }

    form->AlLabel1->setCaption(QLatin1Char(' ') + grid->ScreenTitle() + QLatin1Char(' '));
    form->AlLabel1->move(P / 2 - form->AlLabel1->AutoWidth() / 2, form->AlLabel1->y());

    form->AlShape1->setGeometry(16, form->AlShape1->y(), P - 48, form->AlShape1->height());
    form->AlSysField2->move(P - form->AlSysField2->width() - 16, form->AlSysField2->y());
    form->AlLabel2->move(form->AlSysField2->x() - (form->AlLabel2->width() + 10), form->AlLabel2->y());
    return form;
}

// =============================================================================================
// The preview panel

ReportPreviewPanel::ReportPreviewPanel(QWidget* host) : QFrame(host), m_host(host)
{
    setObjectName(QStringLiteral("Panel_ReportPreview"));
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
    BuildControls();
    ApplyLanguage();
    hide();
    if (m_host)
        m_host->installEventFilter(this);
    currentPanel() = this;
}

ReportPreviewPanel::~ReportPreviewPanel()
{
    if (currentPanel() == this)
        currentPanel() = nullptr;
    delete m_form.data();
}

ReportPreviewPanel* ReportPreviewPanel::current() { return currentPanel().data(); }

TForm5* ReportPreviewPanel::ReportForm() const { return m_form.data(); }

// The controls get their texts from ApplyLanguage.
void ReportPreviewPanel::BuildControls()
{
    const QColor barColour = BlueTheme ? QColor(240, 247, 255) : palette().color(QPalette::Window);

    Panel_RepPreviewTop = new QFrame(this);
    Panel_RepPreviewTop->setObjectName(QStringLiteral("Panel_RepPreviewTop"));
    Panel_RepPreviewTop->setFrameShape(QFrame::StyledPanel);
    Panel_RepPreviewTop->setAutoFillBackground(true);
    QPalette pal = Panel_RepPreviewTop->palette();
    pal.setColor(QPalette::Window, barColour);
    Panel_RepPreviewTop->setPalette(pal);

    Label122 = new QLabel(Panel_RepPreviewTop);
    Label122->setObjectName(QStringLiteral("Label122"));
    Label122->setGeometry(10, 9, 44, 16);
    ComboBox_Scale = new QComboBox(Panel_RepPreviewTop);
    ComboBox_Scale->setObjectName(QStringLiteral("ComboBox_Scale"));
    ComboBox_Scale->setEditable(true);
    ComboBox_Scale->setInsertPolicy(QComboBox::NoInsert);
    ComboBox_Scale->addItems({"200", "150", "100", "75", "50", "25"});
    ComboBox_Scale->setEditText(QStringLiteral("75"));
    ComboBox_Scale->setGeometry(58, 5, 64, 24);

    auto makeButton = [](QWidget* parent, const char* name, const QString& caption, const QRect& geometry) {
        auto* b = new TRe2Buttn(caption, parent);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(geometry);
        return b;
    };
    Button_RepPreviewOptions = makeButton(Panel_RepPreviewTop, "Button_RepPreviewOptions", QString(),
                                          QRect(130, 4, 75, 25));
    Button_RepPreviewPrint = makeButton(Panel_RepPreviewTop, "Button_RepPreviewPrint", QString(),
                                        QRect(213, 4, 75, 25));
    Button_RepPreviewClose = makeButton(Panel_RepPreviewTop, "Button_RepPreviewClose", QString(),
                                        QRect(296, 4, 75, 25));
    Button_RepPreviewBack = makeButton(Panel_RepPreviewTop, "Button_RepPreviewBack", QString(),
                                       QRect(395, 4, 75, 25));
    Button_RepPreviewNext = makeButton(Panel_RepPreviewTop, "Button_RepPreviewNext", QString(),
                                       QRect(478, 4, 75, 25));
    Button_RepPreviewBack->hide();
    Button_RepPreviewNext->hide();
    Label_RepPreviewPage = new QLabel(Panel_RepPreviewTop);
    Label_RepPreviewPage->setObjectName(QStringLiteral("Label_RepPreviewPage"));
    Label_RepPreviewPage->setGeometry(563, 9, 120, 16);

    tAlPreview1 = new tAlPreview(this);
    tAlPreview1->setObjectName(QStringLiteral("tAlPreview1"));
    tAlPreview1->setFrameShape(QFrame::NoFrame);

    // The paper options, a small panel with a caption bar that can be dragged.
    Panel_RepPreviewOptions = new QFrame(this);
    Panel_RepPreviewOptions->setObjectName(QStringLiteral("Panel_RepPreviewOptions"));
    Panel_RepPreviewOptions->setFrameShape(QFrame::Panel);
    Panel_RepPreviewOptions->setFrameShadow(QFrame::Raised);
    Panel_RepPreviewOptions->setLineWidth(2);
    Panel_RepPreviewOptions->setAutoFillBackground(true);
    pal = Panel_RepPreviewOptions->palette();
    pal.setColor(QPalette::Window, barColour);
    Panel_RepPreviewOptions->setPalette(pal);
    Panel_RepPreviewOptions->setGeometry(307, 48, 265, 215);

    Panel3 = new QFrame(Panel_RepPreviewOptions);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setGeometry(2, 2, 261, 20);
    Panel3->setAutoFillBackground(true);
    pal = Panel3->palette();
    pal.setColor(QPalette::Window, QColor(0, 0, 128));
    pal.setColor(QPalette::WindowText, Qt::white);
    Panel3->setPalette(pal);
    Panel3->setCursor(Qt::SizeAllCursor);
    Label131 = new QLabel(Panel3);
    Label131->setObjectName(QStringLiteral("Label131"));
    Label131->setGeometry(6, 2, 220, 16);
    QFont bold = Label131->font();
    bold.setBold(true);
    Label131->setFont(bold);
    SpeedButton1 = new QToolButton(Panel3);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("x"));
    SpeedButton1->setGeometry(241, 2, 17, 16);
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setStyleSheet(QStringLiteral("QToolButton { color: white; font-weight: bold; border: 0px; }"));
    SpeedButton1->setCursor(Qt::ArrowCursor);

    Label129 = new QLabel(Panel_RepPreviewOptions);
    Label129->setObjectName(QStringLiteral("Label129"));
    Label129->setGeometry(14, 32, 100, 16);
    QFont underlined = Label129->font();
    underlined.setUnderline(true);
    Label129->setFont(underlined);
    RadioButton_PaperP = new QRadioButton(Panel_RepPreviewOptions);
    RadioButton_PaperP->setObjectName(QStringLiteral("RadioButton_PaperP"));
    RadioButton_PaperP->setGeometry(20, 54, 120, 20);
    RadioButton_PaperP->setChecked(true);
    RadioButton_PaperL = new QRadioButton(Panel_RepPreviewOptions);
    RadioButton_PaperL->setObjectName(QStringLiteral("RadioButton_PaperL"));
    RadioButton_PaperL->setGeometry(20, 78, 120, 20);
    ComboBox_PaperSize = new QComboBox(Panel_RepPreviewOptions);
    ComboBox_PaperSize->setObjectName(QStringLiteral("ComboBox_PaperSize"));
    ComboBox_PaperSize->setEditable(true);
    ComboBox_PaperSize->setInsertPolicy(QComboBox::NoInsert);
    ComboBox_PaperSize->addItems({"A4", "A5", "Letter", "Legal"});
    ComboBox_PaperSize->setEditText(QStringLiteral("A4"));
    ComboBox_PaperSize->setGeometry(160, 64, 88, 24);

    Label_Printer = new QLabel(Panel_RepPreviewOptions);
    Label_Printer->setObjectName(QStringLiteral("Label_Printer"));
    Label_Printer->setGeometry(14, 110, 100, 16);
    Label_Printer->setFont(underlined);
    ComboBox_Printer = new QComboBox(Panel_RepPreviewOptions);
    ComboBox_Printer->setObjectName(QStringLiteral("ComboBox_Printer"));
    ComboBox_Printer->setGeometry(20, 132, 228, 24);
    FillPrinters();

    Button_RepPreviewOptCancel = makeButton(Panel_RepPreviewOptions, "Button_RepPreviewOptCancel",
                                            QString(), QRect(40, 176, 80, 25));
    Button_RepPreviewOptOk = makeButton(Panel_RepPreviewOptions, "Button_RepPreviewOptOk", QString(),
                                        QRect(145, 176, 80, 25));
    Panel_RepPreviewOptions->hide();

    connect(Button_RepPreviewOptions, &QPushButton::clicked, this, &ReportPreviewPanel::Button_RepPreviewOptionsClick);
    connect(Button_RepPreviewPrint, &QPushButton::clicked, this, &ReportPreviewPanel::Button_RepPreviewPrintClick);
    connect(Button_RepPreviewClose, &QPushButton::clicked, this, &ReportPreviewPanel::Button_RepPreviewCloseClick);
    connect(Button_RepPreviewBack, &QPushButton::clicked, this, &ReportPreviewPanel::Button_RepPreviewBackClick);
    connect(Button_RepPreviewNext, &QPushButton::clicked, this, &ReportPreviewPanel::Button_RepPreviewNextClick);
    connect(Button_RepPreviewOptOk, &QPushButton::clicked, this, &ReportPreviewPanel::Button_RepPreviewOptOkClick);
    connect(Button_RepPreviewOptCancel, &QPushButton::clicked, this,
            &ReportPreviewPanel::Button_RepPreviewOptCancelClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &ReportPreviewPanel::Button_RepPreviewOptCancelClick);
    connect(ComboBox_Scale, &QComboBox::currentTextChanged, this, &ReportPreviewPanel::ComboBox_ScaleChange);
    connect(tAlPreview1, &tAlPreview::MouseDown, this, &ReportPreviewPanel::tAlPreview1MouseDown);
    connect(tAlPreview1, &tAlPreview::PagesRecorded, this, &ReportPreviewPanel::ShowPageNumber);
    connect(tAlPreview1, &tAlPreview::RecordingFailed, this, [](const QString& message) { MessageBox::error(message); });
    // The caption bar drags the options panel, which stays inside the preview; the mouse on its
    // label reaches the bar too.
    PanelDrag::attach(Panel3, Panel_RepPreviewOptions, this);
}

void ReportPreviewPanel::ApplyLanguage()
{
    Label122->setText(LangText(QStringLiteral("label_zoom"), QStringLiteral("Zoom :")));
    Button_RepPreviewOptions->setCaption(LangText(QStringLiteral("button_options"), QStringLiteral("Options")));
    Button_RepPreviewPrint->setCaption(Caption::Print());
    Button_RepPreviewClose->setCaption(Caption::Close());
    Button_RepPreviewBack->setCaption(LangText(QStringLiteral("button_back"), QStringLiteral("< back")));
    Button_RepPreviewNext->setCaption(LangText(QStringLiteral("button_next"), QStringLiteral("next >")));
    Label131->setText(LangText(QStringLiteral("label_paperoptions"), QStringLiteral("Define 'Paper' options ..")));
    Label129->setText(LangText(QStringLiteral("label_paper"), QStringLiteral("Paper")));
    RadioButton_PaperP->setText(LangText(QStringLiteral("label_portrait"), QStringLiteral("     Portrait")));
    RadioButton_PaperL->setText(LangText(QStringLiteral("label_landscape"), QStringLiteral("     Landscape")));
    Label_Printer->setText(LangText(QStringLiteral("label_printer"), QStringLiteral("Printer")));
    Button_RepPreviewOptCancel->setCaption(Caption::PanelCancel());
    Button_RepPreviewOptOk->setCaption(Caption::PanelOk());
}

void ReportPreviewPanel::FillPrinters()
{
    const QString chosen = ComboBox_Printer->currentText();
    ComboBox_Printer->clear();
    ComboBox_Printer->addItems(DesktopServices::instance().printers());
    int index = ComboBox_Printer->findText(chosen.isEmpty() ? TAlPrinter::DefaultPrinterName() : chosen);
    if (index < 0)
        index = ComboBox_Printer->findText(TAlPrinter::DefaultPrinterName());
    ComboBox_Printer->setCurrentIndex(std::max(index, 0));
}

bool ReportPreviewPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_host && event->type() == QEvent::Resize && !isHidden())
        setGeometry(m_host->rect());
    return QFrame::eventFilter(watched, event);
}

void ReportPreviewPanel::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    Panel_RepPreviewTop->setGeometry(0, 0, width(), 33);
    Label_RepPreviewPage->resize(std::clamp(width() - 567, 0, 120), 16);
    tAlPreview1->setGeometry(0, 33, width(), std::max(0, height() - 33));
}

void ReportPreviewPanel::ShowOverHost()
{
    if (m_host)
        setGeometry(m_host->rect());
    // The main window disables the panel while it is parked.
    setEnabled(true);
    show();
    raise();
    // The hosted screens step aside while the preview covers the work area.
    if (m_host) {
        for (ScreenForm* screen : m_host->findChildren<ScreenForm*>()) {
            if (!screen->isHidden()) {
                screen->hide();
                m_hiddenScreens << screen;
            }
        }
    }
}

void ReportPreviewPanel::RestoreScreens()
{
    for (const QPointer<QWidget>& screen : std::as_const(m_hiddenScreens)) {
        auto* form = qobject_cast<ScreenForm*>(screen.data());
        if (screen && !(form && form->IsClosing()))
            screen->show();
    }
    m_hiddenScreens.clear();
}

void ReportPreviewPanel::hideEvent(QHideEvent* event)
{
    QFrame::hideEvent(event);
    if (event->spontaneous())
        return; // the main window was minimized
    Dragging = false;
    ParkOptions();
    tAlPreview1->show();
    RestoreScreens();
    ReleaseReport();
    m_shownList.reset();
}

void ReportPreviewPanel::ParkOptions() { Panel_RepPreviewOptions->hide(); }

void ReportPreviewPanel::ReleaseReport()
{
    tAlPreview1->StopRecording();
    if (m_form) {
        m_form->deleteLater();
        m_form = nullptr;
    }
}

void ReportPreviewPanel::menu_FilePrintClick(bool preview)
{
    StringGrid* grid = CurrentGrid.data();
    if (!grid)
        return;
    {
        Hourglass busy;
        m_shownList = CopyOfGrid(grid);
    }
    ShowList(preview);
}

void ReportPreviewPanel::ShowList(bool preview)
{
    if (!m_shownList)
        return;
    ReleaseReport();
    {
        Hourglass busy;
        m_form = BuildGridReport(m_shownList.get()).release();
    }
    if (!preview) {
        Button_RepPreviewPrintClick();
        return;
    }
    if (SetHelpContext)
        SetHelpContext(15);
    ParkOptions();
    ShowOverHost();
    {
        // The first page now, the others from the event loop (a failure is shown by
        // RecordingFailed).
        Hourglass busy;
        tAlPreview1->Record(m_form->AlReport);
    }
    tAlPreview1->SetZoom(zoomOfText(ComboBox_Scale->currentText()));
    tAlPreview1->show();
    tAlPreview1->First();
    Button_RepPreviewBack->hide();
    ShowPageNumber();
}

void ReportPreviewPanel::ShowPageNumber()
{
    const int index = tAlPreview1->PageIndex();
    const int count = tAlPreview1->PageCount();
    const bool known = tAlPreview1->AllPagesKnown();
    // While the pages are being recorded, a next page always follows the last one recorded.
    Button_RepPreviewNext->setVisible(index < count || !known);
    if (count == 0) {
        Label_RepPreviewPage->clear();
        return;
    }
    Label_RepPreviewPage->setText(QStringLiteral("%1 / %2").arg(index).arg(count)
                                  + (known ? QString() : QStringLiteral(" …")));
}

bool ReportPreviewPanel::PrintReport()
{
    if (!m_form)
        return false;
    return printReportOn(m_form, ComboBox_Printer->currentText(), window());
}

void ReportPreviewPanel::Button_RepPreviewPrintClick()
{
    const bool printed = PrintReport();
    // A print from the preview that was cancelled or failed leaves the preview as it was.
    if (printed || isHidden())
        Button_RepPreviewCloseClick();
}

void ReportPreviewPanel::Button_RepPreviewCloseClick()
{
    Park();
    WritePaperSettings();
}

void ReportPreviewPanel::Park()
{
    hide();
    // A print runs without showing the panel, which then has nothing to hide.
    RestoreScreens();
    ReleaseReport();
    m_shownList.reset();
}

void ReportPreviewPanel::Button_RepPreviewOptionsClick()
{
    if (!m_form)
        return;
    ComboBox_PaperSize->setEditText(PaperSizeName(m_form->AlReport->Papersize()));
    if (m_form->AlReport->Orientation() == poPortrait)
        RadioButton_PaperP->setChecked(true);
    else
        RadioButton_PaperL->setChecked(true);
    FillPrinters();
    tAlPreview1->hide();
    Panel_RepPreviewOptions->move(307, Panel_RepPreviewOptions->y());
    KeepPanelInside(this, Panel_RepPreviewOptions);
    Panel_RepPreviewOptions->show();
    Panel_RepPreviewOptions->raise();
}

void ReportPreviewPanel::Button_RepPreviewOptOkClick()
{
    if (m_form) {
        TAlReport* report = m_form->AlReport;
        if (RadioButton_PaperP->isChecked())
            report->setOrientation(poPortrait);
        if (RadioButton_PaperL->isChecked())
            report->setOrientation(poLandscape);
        PaperOrientation = report->Orientation() == poLandscape ? 1 : 0;
        const int size = PaperSizeIndexOf(ComboBox_PaperSize->currentText());
        if (size >= 0)
            report->setPapersize(tPapersize(size));
        PaperSizeIndex = int(report->Papersize());
    }
    tAlPreview1->show();
    ParkOptions();
    ShowList(true);
}

void ReportPreviewPanel::Button_RepPreviewOptCancelClick()
{
    Dragging = false;
    tAlPreview1->show();
    ParkOptions();
}

void ReportPreviewPanel::ComboBox_ScaleChange()
{
    tAlPreview1->SetZoom(zoomOfText(ComboBox_Scale->currentText()));
    tAlPreview1->Repaint();
}

void ReportPreviewPanel::tAlPreview1MouseDown()
{
    ComboBox_Scale->setEditText(QString::number(tAlPreview1->Zoom()));
}

void ReportPreviewPanel::Button_RepPreviewNextClick()
{
    tAlPreview1->Next();
    Button_RepPreviewBack->show();
    ShowPageNumber();
}

void ReportPreviewPanel::Button_RepPreviewBackClick()
{
    tAlPreview1->Prior();
    Button_RepPreviewBack->setVisible(tAlPreview1->PageIndex() > 1);
    ShowPageNumber();
}

// =============================================================================================

void menu_FilePrintClick(bool preview)
{
    if (ReportPreviewPanel* panel = ReportPreviewPanel::current()) {
        panel->menu_FilePrintClick(preview);
        return;
    }
    if (preview || !CurrentGrid)
        return;
    std::unique_ptr<TForm5> form;
    {
        Hourglass busy;
        form = BuildGridReport(CurrentGrid.data());
    }
    printReportOn(form.get(), TAlPrinter::DefaultPrinterName(), nullptr);
    WritePaperSettings();
}
