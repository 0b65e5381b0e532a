#pragma once

// The banded report engine: a report form carries one TAlReport and horizontal bands (tAlBand)
// holding printable controls (labels, data fields, system fields, shapes, images). The engine sorts
// the bands from top to bottom, classifies them and flows them down the pages through the one
// AlPrinter (AlPrinter.h), which either drives a real printer or records every page as a picture
// for the preview (AlPreview.h).
//
// Positions and sizes of bands and controls are design pixels at PPI pixels per inch; a report run
// converts them to the pixels of the target device.

#include <QCursor>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QPen>
#include <QBrush>
#include <QHash>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <stdexcept>
#include <vector>

class QPainter;
class TAlDetailLink;
class TAlField;

// A report that cannot run (no canvas, a control on the wrong parent, a printer that fails).
class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

// Design resolution: pixels per inch of the screen the reports are laid out on.
inline constexpr int PPI = 96;

enum tAlBandType {
    alr_Title,
    alr_PageHeader,
    alr_DetailHeader,
    alr_Detail,
    alr_DetailFooter,
    alr_PageFooter,
    alr_ReportFooter,
    alr_NewPage,
    alr_GroupHeader,
    alr_GroupFooter
};
enum tAlRulerType { alr_none, alr_cmH, alr_cmHV, alr_cmV };
enum tClipMode { cm_Clip, cm_Expand, cm_Overwrite };
enum tAlSysDataType { alr_Time, alr_Date, alr_DateTime, alr_PageNum, alr_Counter, alr_Count, alr_FormName };
enum tPapersize { alr_A4, alr_A5, alr_Legal, alr_Letter };
enum TPrinterOrientation { poPortrait, poLandscape };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
enum TAlign { alNone, alTop };

// Display name of a band kind ("Title", "PageHeader", ... "New Page", ...).
QString BandTypeName(tAlBandType type);

// Paper sizes, width x height in whole millimetres, portrait.
struct PaperSizeMM {
    int width;
    int height;
};
extern const PaperSizeMM PaperSizesMM[4];

// The value of a data field that has no value for the current row.
extern const QString NoValueText;

// x rounded to the nearest integer, an exact half to the even neighbour.
int RoundHalfEven(double x);

// A rectangle given by its edges, as the engine computes it (right and bottom are the first pixel
// outside, except for a band rectangle whose bottom is its last line).
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
    QRect toQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
};
bool IntersectRect(TRect& out, const TRect& a, const TRect& b);
TRect UnionRect(const TRect& a, const TRect& b);

// The magnifier cursor of the preview page (the program's "LUPE" cursor).
QCursor MagnifierCursor();

// ---------------------------------------------------------------------------------------------
// A horizontal band of the report form. It may only be placed directly on a form (a window).
class tAlBand : public QWidget {
    Q_OBJECT
public:
    explicit tAlBand(QWidget* form);

    TAlign Align() const { return m_align; }
    void setAlign(TAlign align);
    QColor Color() const { return m_color; }
    void setColor(const QColor& color);
    tAlBandType BandType() const { return m_bandType; }
    void setBandType(tAlBandType type);
    bool AltColor() const { return m_altColor; }
    void setAltColor(bool on) { m_altColor = on; }
    tAlRulerType Ruler() const { return m_ruler; }
    void setRuler(tAlRulerType ruler);
    tClipMode ClipMode() const { return m_clipMode; }
    void setClipMode(tClipMode mode) { m_clipMode = mode; }
    // While designing, the band paints its centimetre ruler on screen.
    bool Designing() const { return m_designing; }
    void setDesigning(bool on);

    // Run-time state: the group number while a report runs, the group link, the shading toggle.
    int Tag = 0;
    TAlDetailLink* Link() const { return m_link; }
    bool AltToggle = false;

    // The band's printable controls in child order.
    QList<class tAlControl*> Controls() const;

    // Stacks the top-aligned bands of a form one below the other in their top order.
    static void RealignBands(QWidget* form);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    friend class TAlDetailLink;
    TAlign m_align = alTop;
    QColor m_color = Qt::white;
    tAlBandType m_bandType = alr_Title;
    bool m_altColor = false;
    tAlRulerType m_ruler = alr_cmHV;
    tClipMode m_clipMode = cm_Clip;
    bool m_designing = false;
    QPointer<TAlDetailLink> m_link;
};

// ---------------------------------------------------------------------------------------------
// The base of every printable control; it may only be placed on a band.
class tAlControl : public QLabel {
    Q_OBJECT
public:
    explicit tAlControl(QWidget* band);

    bool visible() const { return !isHidden(); }

    // Renders onto AlPrinter's canvas inside rect (device pixels) when the control is visible.
    virtual void PrintIn(const TRect& rect);
    // Renders onto AlPrinter's canvas; the base draws nothing.
    virtual void Draw(const TRect& rect);
    // Advances to the next data row; true when the control has a value for another row.
    virtual bool Next();
    // The text to print; the base gives the caption.
    virtual QString GetValue();

    tAlBand* Band() const;
    QWidget* Form() const;

    // The colour of the control's font.
    QColor FontColor() const { return m_fontColor; }
    void setFontColor(const QColor& color);

    // The control's font for a device of dpi pixels per inch (the point size kept).
    QFont DeviceFont(int dpi) const;

protected:
    QColor m_fontColor = Qt::black;
};

// A fixed text.
class TAlLabel : public tAlControl {
    Q_OBJECT
public:
    explicit TAlLabel(QWidget* band);

    QString Caption() const { return text(); }
    void setCaption(const QString& caption);
    TAlignment Alignment() const { return m_alignment; }
    void setAlignment(TAlignment alignment);
    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool on);
    bool Transparent() const { return m_transparent; }
    void setTransparent(bool on);
    bool WordWrap() const { return m_wordWrap; }
    void setWordWrap(bool on);
    QColor Color() const { return m_color; }
    void setColor(const QColor& color);

    void PrintIn(const TRect& rect) override;
    void Draw(const TRect& rect) override;

    // Size in device pixels of the value as it prints within a rectangle of the given size.
    QSize MeasureValue(const QString& value, const QSize& box, int dpi);
    // Width of the caption on screen (design pixels), as the label sizes itself.
    int AutoWidth() const;

    // Prepares the device font for a run at dpi (called once per run for speed).
    void PrepareFor(int dpi);

    // The widest the label prints, in design pixels (0: as wide as its value): a longer value is
    // cut and ends in "…", so that it never runs into what stands to its right.
    int ClipWidth() const { return m_clipWidth; }
    void setClipWidth(int width) { m_clipWidth = qMax(0, width); }

protected:
    int textFlags() const;
    void resizeToCaption();

    TAlignment m_alignment = taLeftJustify;
    bool m_autoSize = true;
    bool m_transparent = true;
    bool m_wordWrap = false;
    QColor m_color = Qt::white;
    int m_clipWidth = 0;

    int m_preparedDpi = -1;
    QFont m_deviceFont;
    QString m_measuredText;
    QSize m_measuredBox;
    QSize m_measured;
};

// A data field: one value per data row, pushed in by the caller.
class TAlField : public TAlLabel {
    Q_OBJECT
public:
    explicit TAlField(QWidget* band);

    QStringList Lines;
    int Index = 0;

    virtual void Reset() { Index = 0; }
    virtual void Clear()
    {
        Lines.clear();
        Index = 0;
    }
    bool Next() override;
    QString GetValue() override;
    // The value of the next row (group footers look ahead).
    QString GetNextValue();

private:
    TAlField* Mirror() const;
};

// A system field: time, date, page number, counter, form name.
class TAlSysField : public TAlLabel {
    Q_OBJECT
public:
    explicit TAlSysField(QWidget* band);

    tAlSysDataType DataType() const { return m_dataType; }
    void setDataType(tAlSysDataType type);

    int Counter = 0;

    bool Next() override;
    QString GetValue() override;

private:
    tAlSysDataType m_dataType = alr_Time;
};

// A shape: rectangle, square, rounded, ellipse, circle.
class TAlShape : public tAlControl {
    Q_OBJECT
public:
    explicit TAlShape(QWidget* band);

    QBrush Brush() const { return m_brush; }
    void setBrush(const QBrush& brush);
    QPen Pen() const { return m_pen; }
    void setPen(const QPen& pen);
    TShapeType Shape() const { return m_shape; }
    void setShape(TShapeType shape);

    void Draw(const TRect& rect) override;
    // Paints the figure into rect on any painter (the printer, a page, the screen).
    void PaintFigure(QPainter& painter, const QRect& rect, bool onPrinter) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QBrush m_brush{Qt::white, Qt::SolidPattern};
    QPen m_pen{Qt::black, 1};
    TShapeType m_shape = stRectangle;
};

// A picture.
class tAlImage : public tAlControl {
    Q_OBJECT
public:
    explicit tAlImage(QWidget* band);

    bool Autosize() const { return m_autosize; }
    void setAutosize(bool on);
    bool Center() const { return m_center; }
    void setCenter(bool on);
    bool Stretch() const { return m_stretch; }
    void setStretch(bool on);
    QImage Picture() const { return m_picture; }
    void setPicture(const QImage& picture);

    void Draw(const TRect& rect) override;
    void PaintPicture(QPainter& painter, const QRect& rect) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_autosize = false;
    bool m_center = true;
    bool m_stretch = true;
    QImage m_picture;
    QPen m_outline{Qt::black};
};

// Groups the rows of a detail band by the value of a data field, with a header and footer band.
class TAlDetailLink : public QObject {
    Q_OBJECT
public:
    explicit TAlDetailLink(QObject* owner);

    tAlBand* GroupHeader = nullptr;
    tAlBand* GroupFooter = nullptr;
    TAlField* DataSource = nullptr;
    QString LastValue;

    tAlBand* GroupBand() const { return m_groupBand; }
    void setGroupBand(tAlBand* band);

    enum CheckMode { Before, After };
    // Before a row: whether the group value changed (and remembers it); after a row: whether the
    // next row starts another group.
    bool CheckGroup(CheckMode mode);

private:
    tAlBand* m_groupBand = nullptr;
};

// ---------------------------------------------------------------------------------------------
// The report of a form: flows the form's bands down the pages of AlPrinter.
class TDrawMetaFile;
using TDrawMetaFileList = std::vector<std::unique_ptr<TDrawMetaFile>>;

class TAlReport : public QObject {
    Q_OBJECT
public:
    explicit TAlReport(QWidget* form);

    TPrinterOrientation Orientation() const { return m_orientation; }
    void setOrientation(TPrinterOrientation orientation);
    tPapersize Papersize() const { return m_papersize; }
    void setPapersize(tPapersize size);
    int LeftMarginMM() const { return m_leftMarginMM; }
    void setLeftMarginMM(int mm);
    int RightMarginMM() const { return m_rightMarginMM; }
    void setRightMarginMM(int mm);
    QString ReportTitle;

    QWidget* Form() const { return m_form; }

    // Appends value to the first data field of the form named name (letter case ignored); names
    // that match no field are ignored.
    void AddFieldValue(const QString& name, const QString& value);
    void ResetFields();
    void ClearFields();

    // Runs the report on the printer. A preview run still recording is completed first: the
    // report's rows can run only one way at a time.
    void Print();
    // Runs the report into the pages of a preview, every page.
    void Preview(TDrawMetaFileList& pages);

    // A preview run recorded in steps, so that the first page can be shown before the rest is laid
    // out: BeginPreview frees the pages of the list and starts the run without recording anything;
    // each ContinuePreview records on until at least `pageGoal` pages are complete (or the report
    // ends) and stops at the next page break. A step that stops leaves no page open, so every page in
    // the list may be shown between steps. The pages are the same as those of one Preview run. The
    // list must outlive the run, or the run be abandoned first.
    void BeginPreview(TDrawMetaFileList& pages);
    // True when the report has ended (every page recorded) or there was no run.
    bool ContinuePreview(int pageGoal);
    // Whether a run into pages (any list when null) is waiting for its next step.
    bool PreviewPending(const TDrawMetaFileList* pages = nullptr) const;
    // Ends a waiting run where it stands: the pages recorded so far stay, no more are added.
    void AbandonPreview();

    // Design length to device pixels of the current target.
    static int ToDeviceX(int v);
    static int ToDeviceY(int v);

    // Run state, readable after a run.
    int CurY = 0;
    int PageBottom = 0;
    bool FirstPage = true;

private:
    void Execute();
    // Classifies the bands and sets up the page state of a run.
    void BeginRun();
    // Runs the bands on from where the run stands; false when it stopped at a page break because
    // pageGoal pages are complete (only in preview mode), true when the report ended.
    bool RunUntil(int pageGoal);
    // Puts AlPrinter back into the preview of the waiting run.
    void ResumePreviewPrinter();
    void EndRun();
    // False when the run stopped at a page break inside the band (a detail band printed from the
    // run itself).
    bool PrintBand(tAlBand* band);
    void StartPage();
    void EndPage();
    void RenderBand(tAlBand* band);
    void PrintGroupHeaders(tAlBand* band);
    QList<TAlField*> Fields() const;

    QWidget* m_form;
    TPrinterOrientation m_orientation = poPortrait;
    tPapersize m_papersize = alr_A4;
    int m_leftMarginMM = 0;
    int m_rightMarginMM = 0;

    QList<tAlBand*> m_titles, m_pageHeaders, m_detailHeaders, m_details, m_detailFooters, m_pageFooters,
        m_reportFooters;
    bool m_pageOpen = false;

    // Where a run stands between the steps of a preview.
    enum class RunStage { Idle, Titles, Details };
    RunStage m_stage = RunStage::Idle;
    int m_detailIndex = 0;          // the band of the details list being printed
    bool m_resumeAtBreak = false;   // stopped at a page break of that band, before the next page
    int m_pageGoal = 0;             // a step stops once this many pages are complete
    int m_bandDepth = 0;            // PrintBand calls open (1: printed from the run itself)
    TDrawMetaFileList* m_previewPages = nullptr; // the list of a waiting preview run
    QHash<QString, QPointer<TAlField>> m_fieldByName;
};
