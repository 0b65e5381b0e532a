#include "report/AlPrinter.h"

#include "i18n/Language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

const QString TAlPrinter::PdfPrinterName = QStringLiteral("PDF");

// ---------------------------------------------------------------------------------------------

TDrawMetaFile::TDrawMetaFile(int width, int height) : Width(width), Height(height)
{
    setDrawing(true);
}

TDrawMetaFile::~TDrawMetaFile() { setDrawing(false); }

void TDrawMetaFile::setDrawing(bool on)
{
    if (on == Drawing())
        return;
    if (on) {
        m_canvas = std::make_unique<QPainter>(this);
    } else {
        m_canvas->end();
        m_canvas.reset();
        setBoundingRect(QRect(0, 0, Width, Height));
    }
}

// ---------------------------------------------------------------------------------------------

namespace {

TAlPrinter*& instanceSlot()
{
    static TAlPrinter* printer = nullptr;
    return printer;
}

void destroyAlPrinter()
{
    delete instanceSlot();
    instanceSlot() = nullptr;
}

QPageSize pageSizeOf(tPapersize size)
{
    switch (size) {
    case alr_A5: return QPageSize(QPageSize::A5);
    case alr_Legal: return QPageSize(QPageSize::Legal);
    case alr_Letter: return QPageSize(QPageSize::Letter);
    case alr_A4: break;
    }
    return QPageSize(QPageSize::A4);
}

} // namespace

TAlPrinter& AlPrinter()
{
    if (!instanceSlot()) {
        instanceSlot() = new TAlPrinter;
        // Printer objects must go before the application's platform services do.
        qAddPostRoutine(destroyAlPrinter);
    }
    return *instanceSlot();
}

TAlPrinter::TAlPrinter() { UpdateMetrics(); }

TAlPrinter::~TAlPrinter()
{
    if (Preview) {
        if (CurrentPage)
            CurrentPage->setDrawing(false);
    } else {
        AbortDoc();
    }
    // The pages belong to the preview control whose list this is; it frees them itself.
    Pages = nullptr;
    CurrentPage = nullptr;
}

QString TAlPrinter::DefaultPrinterName()
{
    const QString name = QPrinterInfo::defaultPrinterName();
    return name.isEmpty() ? PdfPrinterName : name;
}

QPrinter* TAlPrinter::Printer()
{
    if (PrinterName.isEmpty())
        PrinterName = DefaultPrinterName();
    if (!m_printer || m_printerFor != PrinterName) {
        if (m_printerCanvas)
            AbortDoc();
        if (PrinterName == PdfPrinterName) {
            m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            m_printer->setOutputFormat(QPrinter::PdfFormat);
            m_printer->setResolution(600);
        } else {
            m_printer = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(PrinterName), QPrinter::HighResolution);
        }
        m_printerFor = PrinterName;
    }
    return m_printer.get();
}

void TAlPrinter::ApplyPageLayout()
{
    QPrinter* printer = Printer();
    printer->setPageSize(pageSizeOf(Papersize));
    printer->setPageOrientation(Orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    // A PDF page has no unprintable border: the whole sheet is the printable area.
    if (PrinterName == PdfPrinterName)
        printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void TAlPrinter::UpdateMetrics()
{
    if (Preview) {
        DpiX = DpiY = PPI;
        OffsetX = OffsetY = 0;
        const PaperSizeMM paper = PaperSizesMM[Papersize];
        const int w = RoundHalfEven(paper.width * PPI / 25.4);
        const int h = RoundHalfEven(paper.height * PPI / 25.4);
        PageWidthPx = Orientation == poPortrait ? w : h;
        PageHeightPx = Orientation == poPortrait ? h : w;
        return;
    }
    ApplyPageLayout();
    QPrinter* printer = Printer();
    DpiY = printer->logicalDpiY();
    DpiX = printer->logicalDpiX();
    const QRect paper = printer->paperRect(QPrinter::DevicePixel).toRect();
    const QRect page = printer->pageRect(QPrinter::DevicePixel).toRect();
    OffsetX = page.left() - paper.left();
    OffsetY = page.top() - paper.top();
    PageWidthPx = paper.width();
    PageHeightPx = paper.height();
}

void TAlPrinter::BeginDoc()
{
    if (Preview) {
        if (CurrentPage)
            CurrentPage->setDrawing(false);
        CurrentPage = nullptr;
        if (Pages)
            Pages->clear();
        return;
    }
    ApplyPageLayout();
    QPrinter* printer = Printer();
    printer->setDocName(Title);
    if (PrinterName == PdfPrinterName) {
        if (OutputFileName.isEmpty())
            throw ReportError(QStringLiteral("No file was named for the \"PDF\" printer."));
        // Find out now, with the system's own words, whether the file can be written.
        QFile probe(OutputFileName);
        const bool existed = probe.exists();
        if (!probe.open(QIODevice::WriteOnly | QIODevice::Append))
            throw ReportError(LangText(QStringLiteral("msg_CannotPrintTo"), QStringLiteral("Cannot print to the file:"))
                              + QLatin1Char('\r') + QDir::toNativeSeparators(OutputFileName) + QLatin1Char('\r')
                              + probe.errorString());
        probe.close();
        if (!existed)
            probe.remove();
        printer->setOutputFileName(OutputFileName);
    } else {
        printer->setOutputFileName(QString());
    }
    m_printerCanvas = std::make_unique<QPainter>();
    if (!m_printerCanvas->begin(printer)) {
        m_printerCanvas.reset();
        throw ReportError(LangText(QStringLiteral("msg_PrinterFailed"), QStringLiteral("The printer could not start the print job:"))
                          + QLatin1Char('\r') + PrinterName);
    }
    m_printerPage = 1;
}

void TAlPrinter::EndDoc()
{
    if (Preview) {
        if (CurrentPage)
            CurrentPage->setDrawing(false);
        CurrentPage = nullptr;
        return;
    }
    if (m_printerCanvas) {
        m_printerCanvas->end();
        m_printerCanvas.reset();
    }
}

void TAlPrinter::AbortDoc()
{
    if (!m_printerCanvas)
        return;
    if (m_printer && m_printer->outputFormat() == QPrinter::NativeFormat)
        m_printer->abort();
    m_printerCanvas->end();
    m_printerCanvas.reset();
}

void TAlPrinter::NewPage()
{
    if (!Preview) {
        if (m_printer && m_printerCanvas) {
            m_printer->newPage();
            ++m_printerPage;
        }
        return;
    }
    if (CurrentPage)
        CurrentPage->setDrawing(false);
    CurrentPage = nullptr;
    if (!Pages)
        return;
    Pages->push_back(std::make_unique<TDrawMetaFile>(PageWidthPx, PageHeightPx));
    CurrentPage = Pages->back().get();
}

QPainter* TAlPrinter::Canvas()
{
    if (!Preview) {
        if (!m_printerCanvas)
            throw ReportError(QStringLiteral("AlPrinter could not assign the Canvas"));
        return m_printerCanvas.get();
    }
    if (!CurrentPage)
        NewPage();
    if (!CurrentPage)
        throw ReportError(QStringLiteral("AlPrinter could not assign the Canvas"));
    return CurrentPage->Canvas();
}

int TAlPrinter::PageWidth() const
{
    if (Preview || !m_printer)
        return PageWidthPx;
    return int(m_printer->pageRect(QPrinter::DevicePixel).width());
}

int TAlPrinter::PageHeight() const
{
    if (Preview || !m_printer)
        return PageHeightPx;
    return int(m_printer->pageRect(QPrinter::DevicePixel).height());
}

int TAlPrinter::PageNumber() const
{
    if (!Preview)
        return m_printerPage;
    return Pages ? int(Pages->size()) : 0;
}

int TAlPrinter::PageCount() const
{
    if (!Preview)
        return 0;
    return Pages ? int(Pages->size()) : 0;
}

void TAlPrinter::SetOrientation(TPrinterOrientation orientation)
{
    Orientation = orientation;
    UpdateMetrics();
}

void TAlPrinter::SetTitle(const QString& title)
{
    Title = title;
    if (!Preview && m_printer)
        m_printer->setDocName(title);
}

void TAlPrinter::ForgetPages(TDrawMetaFileList* pages)
{
    if (Pages != pages)
        return;
    if (CurrentPage)
        CurrentPage->setDrawing(false);
    CurrentPage = nullptr;
    Pages = nullptr;
}
