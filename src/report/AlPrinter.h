#pragma once

// The one printer object of the report engine, AlPrinter(): it either drives a printer (a system
// printer through Qt, or the built-in "PDF" printer writing a file) or records every page as a
// picture for the preview.

#include "report/AlReport.h"

#include <QPicture>
#include <QString>
#include <memory>

class QPainter;
class QPrinter;

// One recorded page: a picture of Width x Height device pixels with a drawing canvas opened on it
// at once.
class TDrawMetaFile : public QPicture {
public:
    TDrawMetaFile(int width, int height);
    ~TDrawMetaFile();

    // The recording canvas while drawing, else null.
    QPainter* Canvas() const { return m_canvas.get(); }
    bool Drawing() const { return m_canvas != nullptr; }
    // False closes the canvas and completes the picture; true opens a new canvas.
    void setDrawing(bool on);

    const int Width;
    const int Height;

private:
    std::unique_ptr<QPainter> m_canvas;
};

class TAlPrinter {
public:
    TAlPrinter();
    ~TAlPrinter();
    TAlPrinter(const TAlPrinter&) = delete;
    TAlPrinter& operator=(const TAlPrinter&) = delete;

    // The name of the built-in printer that writes a PDF file.
    static const QString PdfPrinterName;

    bool Preview = true;
    TDrawMetaFileList* Pages = nullptr; // in preview mode: the list of the preview control
    TDrawMetaFile* CurrentPage = nullptr;
    TPrinterOrientation Orientation = poPortrait;
    tPapersize Papersize = alr_A4;
    QString Title;
    int OffsetX = 0;
    int OffsetY = 0;
    int PageWidthPx = 0;
    int PageHeightPx = 0;
    int DpiY = PPI;
    int DpiX = PPI;

    // The printer the next print job goes to ("PDF" or a system printer) and, for "PDF", the file.
    QString PrinterName;
    QString OutputFileName;
    // The printer chosen when none was: the system's default printer, else "PDF".
    static QString DefaultPrinterName();

    void UpdateMetrics();
    void BeginDoc();
    void EndDoc();
    // Ends a print job that failed half way (printer mode).
    void AbortDoc();
    void NewPage();
    QPainter* Canvas();
    int PageWidth() const;
    int PageHeight() const;
    int PageNumber() const;
    int PageCount() const;
    void SetOrientation(TPrinterOrientation orientation);
    void SetTitle(const QString& title);

    // Forgets a page list that is going away (the preview control that owned it is destroyed).
    void ForgetPages(TDrawMetaFileList* pages);

private:
    QPrinter* Printer();
    void ApplyPageLayout();

    std::unique_ptr<QPrinter> m_printer;
    QString m_printerFor; // PrinterName the QPrinter was made for
    std::unique_ptr<QPainter> m_printerCanvas;
    int m_printerPage = 0;
};

// The one printer object, created on first use and destroyed when the application ends.
TAlPrinter& AlPrinter();
