#pragma once

// Printing and previewing of a grid: the grid's visible columns are laid into the report form
// TForm5 and printed, or shown in the preview panel that covers the main window's work area.

#include "report/AlReport.h"

#include <QFrame>
#include <QPointer>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QRadioButton;
class QToolButton;
class StringGrid;
class TForm5;
class TRe2Buttn;
class tAlPreview;

// The printable width in screen pixels of a paper: the paper's width (its height in landscape) at
// PPI, less the two margins taken as plain numbers and 32.
int PrintableWidth(tPapersize paper, TPrinterOrientation orientation, int leftMarginMM, int rightMarginMM);

// The right edge of the printable part of the page, in design pixels from the bands' left edge (the
// left margin): the paper's width less both margins, in millimetres converted.
int PageRight(tPapersize paper, TPrinterOrientation orientation, int leftMarginMM, int rightMarginMM);

// The grid columns the report prints, in order: the shown ones (wider than 1 pixel), at most the
// first nine. A hidden column (a record number, a date key) never prints, wherever it stands.
QList<int> PrintableColumns(const StringGrid* grid);
int PrintableColumnCount(const StringGrid* grid);

// The paper settings in their stored names ("A4", "A5", "Legal", "Letter"; "Portrait", "Landscape").
QString PaperSizeName(int paperSizeIndex);
int PaperSizeIndexOf(const QString& name); // -1 for any other text
// Writes PaperSizeIndex and PaperOrientation to the program settings (section "Options").
void WritePaperSettings();

// Builds the report form for a grid with the paper of the settings (PaperSizeIndex,
// PaperOrientation): columns laid out to the printable width, heading and data rows pushed into
// the fields, title and footer placed.
std::unique_ptr<TForm5> BuildGridReport(const StringGrid* grid);

// The preview panel of the main window (objectName "Panel_ReportPreview"). Created once with the
// main window's work area as parent; it stays hidden until a preview is asked for, then covers its
// parent and hides the hosted screens until it is closed.
class ReportPreviewPanel : public QFrame {
    Q_OBJECT
public:
    explicit ReportPreviewPanel(QWidget* host);
    ~ReportPreviewPanel() override;

    // The panel of the running main window, if there is one.
    static ReportPreviewPanel* current();

    // The panel's texts in the current language.
    void ApplyLanguage();

    // Prints (preview false) or previews (preview true) CurrentGrid.
    void menu_FilePrintClick(bool preview);

    void Button_RepPreviewPrintClick();
    void Button_RepPreviewCloseClick();
    void Button_RepPreviewOptionsClick();
    void Button_RepPreviewOptOkClick();
    void Button_RepPreviewOptCancelClick();
    void ComboBox_ScaleChange();
    void tAlPreview1MouseDown();
    void Button_RepPreviewNextClick();
    void Button_RepPreviewBackClick();
    // The page shown and the page count, "3 / 57" (with " …" while the pages are still being
    // recorded), and "next >" shown while a page follows the one shown.
    void ShowPageNumber();

    // Hides the panel and releases the report without storing anything (the main window closing
    // its screen).
    void Park();
    // Whether the panel covers the work area now.
    bool IsOnScreen() const { return !isHidden(); }

    // The report form while a preview is shown (or a print runs).
    TForm5* ReportForm() const;

    // Called with the help context of the preview (15) when it is shown.
    std::function<void(int)> SetHelpContext;

    // Controls.
    tAlPreview* tAlPreview1;
    QFrame* Panel_RepPreviewTop;
    QLabel* Label122;
    QComboBox* ComboBox_Scale;
    TRe2Buttn* Button_RepPreviewOptions;
    TRe2Buttn* Button_RepPreviewPrint;
    TRe2Buttn* Button_RepPreviewClose;
    TRe2Buttn* Button_RepPreviewBack;
    TRe2Buttn* Button_RepPreviewNext;
    QLabel* Label_RepPreviewPage;
    QFrame* Panel_RepPreviewOptions;
    QLabel* Label129;
    QFrame* Panel3;
    QLabel* Label131;
    QToolButton* SpeedButton1;
    QRadioButton* RadioButton_PaperP;
    QRadioButton* RadioButton_PaperL;
    QComboBox* ComboBox_PaperSize;
    QLabel* Label_Printer;
    QComboBox* ComboBox_Printer;
    TRe2Buttn* Button_RepPreviewOptCancel;
    TRe2Buttn* Button_RepPreviewOptOk;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Hidden by the main window (a screen opens, the panels are parked): the screens it had hidden
    // come back and the report is released.
    void hideEvent(QHideEvent* event) override;

private:
    void BuildControls();
    void ShowOverHost();
    void ParkOptions();
    void ReleaseReport();
    void RestoreScreens();
    // Prints the report on the chosen printer; false when the user cancelled or it failed (the
    // error was shown).
    bool PrintReport();
    void FillPrinters();
    // Builds the report of the shown list and prints it or shows it.
    void ShowList(bool preview);

    QWidget* m_host;
    QPointer<TForm5> m_form;
    // A copy of the grid being previewed: the paper options lay out the same list again, even when
    // its own grid has been emptied or replaced meanwhile (a result list closed, say).
    std::unique_ptr<StringGrid> m_shownList;
    QList<QPointer<QWidget>> m_hiddenScreens;
};

// The print and preview command for whatever CurrentGrid is: through the main window's preview
// panel when there is one; without one a print still runs and a preview does nothing.
void menu_FilePrintClick(bool preview);
