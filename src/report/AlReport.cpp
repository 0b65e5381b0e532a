#include "report/AlReport.h"

#include "report/AlPrinter.h"
#include "store/Clock.h"
#include "store/DateText.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>

const PaperSizeMM PaperSizesMM[4] = {{210, 297}, {148, 210}, {215, 355}, {215, 279}};

const QString NoValueText = QStringLiteral("~");

QString BandTypeName(tAlBandType type)
{
    switch (type) {
    case alr_Title: return QStringLiteral("Title");
    case alr_PageHeader: return QStringLiteral("PageHeader");
    case alr_DetailHeader: return QStringLiteral("DetailHeader");
    case alr_Detail: return QStringLiteral("Detail");
    case alr_DetailFooter: return QStringLiteral("DetailFooter");
    case alr_PageFooter: return QStringLiteral("PageFooter");
    case alr_ReportFooter: return QStringLiteral("ReportFooter");
    case alr_NewPage: return QStringLiteral("New Page");
    case alr_GroupHeader: return QStringLiteral("GroupHeader");
    case alr_GroupFooter: return QStringLiteral("GroupFooter");
    }
    return {};
}

int RoundHalfEven(double x)
{
    const double f = std::floor(x);
    const double diff = x - f;
    if (diff > 0.5)
        return int(f) + 1;
    if (diff < 0.5)
        return int(f);
    return std::fmod(f, 2.0) == 0.0 ? int(f) : int(f) + 1;
}

bool IntersectRect(TRect& out, const TRect& a, const TRect& b)
{
    out.Left = std::max(a.Left, b.Left);
    out.Top = std::max(a.Top, b.Top);
    out.Right = std::min(a.Right, b.Right);
    out.Bottom = std::min(a.Bottom, b.Bottom);
    if (out.Right <= out.Left || out.Bottom <= out.Top) {
        out = TRect{};
        return false;
    }
    return true;
}

TRect UnionRect(const TRect& a, const TRect& b)
{
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

QCursor MagnifierCursor()
{
    static const QCursor cursor = [] {
        QPixmap pix(32, 32);
        pix.fill(Qt::transparent);
        QPainter p(&pix);
        p.setRenderHint(QPainter::Antialiasing);
        // Handle.
        p.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(18, 18, 28, 28);
        p.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(18, 18, 28, 28);
        // Lens.
        p.setPen(QPen(Qt::black, 2));
        p.setBrush(QColor(255, 255, 255, 200));
        p.drawEllipse(QPointF(11, 11), 8, 8);
        p.end();
        return QCursor(pix, 11, 11);
    }();
    return cursor;
}

// =============================================================================================
// tAlBand

tAlBand::tAlBand(QWidget* form) : QWidget(form)
{
    if (!form || !form->isWindow())
        throw ReportError(QStringLiteral("This component must be placed on a tForm."));
    setAutoFillBackground(false);
    // A new band goes below the bands already aligned to the top.
    int bottom = 0;
    for (tAlBand* other : form->findChildren<tAlBand*>(Qt::FindDirectChildrenOnly))
        if (other != this && other->m_align == alTop)
            bottom = std::max(bottom, other->y() + other->height());
    setGeometry(0, bottom, form->width() > 0 ? form->width() : 810, 40);
}

void tAlBand::setAlign(TAlign align)
{
    m_align = align;
    if (QWidget* form = parentWidget())
        RealignBands(form);
}

void tAlBand::setColor(const QColor& color)
{
    m_color = color;
    update();
}

void tAlBand::setBandType(tAlBandType type)
{
    m_bandType = type;
    update();
}

void tAlBand::setRuler(tAlRulerType ruler)
{
    m_ruler = ruler;
    update();
}

void tAlBand::setDesigning(bool on)
{
    m_designing = on;
    update();
}

QList<tAlControl*> tAlBand::Controls() const
{
    QList<tAlControl*> controls;
    for (QObject* child : children())
        if (auto* c = qobject_cast<tAlControl*>(child))
            controls << c;
    return controls;
}

void tAlBand::RealignBands(QWidget* form)
{
    QList<tAlBand*> bands;
    for (tAlBand* b : form->findChildren<tAlBand*>(Qt::FindDirectChildrenOnly))
        if (b->m_align == alTop)
            bands << b;
    std::stable_sort(bands.begin(), bands.end(), [](tAlBand* a, tAlBand* b) { return a->y() < b->y(); });
    int top = 0;
    for (tAlBand* b : bands) {
        b->move(0, top);
        top += b->height();
    }
}

void tAlBand::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), m_color);
    if (!m_designing || m_ruler == alr_none)
        return;
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(qRound(8.0 * PPI / 72.0));
    p.setFont(f);
    const QFontMetrics fm(f);
    p.setPen(QPen(QColor(192, 192, 192), 1, Qt::DashLine));
    if (m_ruler == alr_cmHV || m_ruler == alr_cmV) {
        for (int n = 1;; ++n) {
            const int x = RoundHalfEven(PPI * n / 2.54);
            if (x >= width())
                break;
            p.drawLine(x, 0, x, height());
            p.drawText(x + 2, fm.ascent(), QString::number(n) + QStringLiteral("cm"));
        }
        p.drawText(2, height() - fm.descent() - 1, BandTypeName(m_bandType));
    }
    if (m_ruler == alr_cmH || m_ruler == alr_cmHV) {
        for (int n = 1;; ++n) {
            const int y = RoundHalfEven(PPI * n / 2.54);
            if (y >= height())
                break;
            p.drawLine(0, y, width(), y);
            p.drawText(2, y - 1, QString::number(n) + QStringLiteral("cm"));
        }
    }
}

// =============================================================================================
// tAlControl

tAlControl::tAlControl(QWidget* band) : QLabel(band)
{
    if (!qobject_cast<tAlBand*>(band))
        throw ReportError(QStringLiteral("This component must be placed on a tAlBand."));
}

void tAlControl::PrintIn(const TRect& rect)
{
    if (visible())
        Draw(rect);
}

void tAlControl::Draw(const TRect&) {}

bool tAlControl::Next() { return false; }

QString tAlControl::GetValue() { return text(); }

tAlBand* tAlControl::Band() const { return qobject_cast<tAlBand*>(parentWidget()); }

QWidget* tAlControl::Form() const
{
    tAlBand* band = Band();
    return band ? band->parentWidget() : nullptr;
}

void tAlControl::setFontColor(const QColor& color)
{
    m_fontColor = color;
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, color);
    setPalette(pal);
}

QFont tAlControl::DeviceFont(int dpi) const
{
    QFont f = font();
    int pixels;
    if (f.pointSizeF() > 0)
        pixels = qRound(f.pointSizeF() * dpi / 72.0);
    else
        pixels = qRound(double(f.pixelSize()) * dpi / PPI);
    f.setPixelSize(std::max(1, pixels));
    return f;
}

// =============================================================================================
// TAlLabel

TAlLabel::TAlLabel(QWidget* band) : tAlControl(band)
{
    QLabel::setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAutoFillBackground(false);
}

void TAlLabel::setCaption(const QString& caption)
{
    setText(caption);
    resizeToCaption();
}

void TAlLabel::setAlignment(TAlignment alignment)
{
    m_alignment = alignment;
    QLabel::setAlignment(Qt::Alignment(textFlags() & Qt::AlignHorizontal_Mask) | Qt::AlignTop);
}

void TAlLabel::setAutoSize(bool on)
{
    m_autoSize = on;
    resizeToCaption();
}

void TAlLabel::setTransparent(bool on)
{
    m_transparent = on;
    setAutoFillBackground(!on);
}

void TAlLabel::setWordWrap(bool on)
{
    m_wordWrap = on;
    QLabel::setWordWrap(on);
    m_measuredText.clear();
    resizeToCaption();
}

void TAlLabel::setColor(const QColor& color)
{
    m_color = color;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
}

int TAlLabel::textFlags() const
{
    int flags = Qt::AlignTop | Qt::TextExpandTabs;
    switch (m_alignment) {
    case taLeftJustify: flags |= Qt::AlignLeft; break;
    case taRightJustify: flags |= Qt::AlignRight; break;
    case taCenter: flags |= Qt::AlignHCenter; break;
    }
    if (m_wordWrap)
        flags |= Qt::TextWordWrap;
    return flags;
}

void TAlLabel::PrepareFor(int dpi)
{
    m_deviceFont = DeviceFont(dpi);
    m_preparedDpi = dpi;
    m_measuredText.clear();
    m_measuredBox = QSize();
}

QSize TAlLabel::MeasureValue(const QString& value, const QSize& box, int dpi)
{
    if (m_preparedDpi != dpi)
        PrepareFor(dpi);
    const QString text = value.isEmpty() ? QStringLiteral(" ") : value;
    if (text == m_measuredText && box == m_measuredBox && !m_measuredText.isEmpty())
        return m_measured;
    const QFontMetrics fm(m_deviceFont);
    QSize size;
    const bool simple = !m_wordWrap && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\t'))
        && !text.contains(QLatin1Char('\r'));
    if (simple)
        size = QSize(fm.horizontalAdvance(text), fm.height());
    else
        size = fm.boundingRect(QRect(QPoint(0, 0), box), textFlags(), text).size();
    m_measuredText = text;
    m_measuredBox = box;
    m_measured = size;
    return size;
}

int TAlLabel::AutoWidth() const
{
    const QFontMetrics fm(DeviceFont(PPI));
    const QString t = text().isEmpty() ? QStringLiteral(" ") : text();
    if (!m_wordWrap && !t.contains(QLatin1Char('\n')) && !t.contains(QLatin1Char('\t')))
        return fm.horizontalAdvance(t);
    return fm.boundingRect(QRect(QPoint(0, 0), size()), textFlags(), t).width();
}

void TAlLabel::resizeToCaption()
{
    if (!m_autoSize)
        return;
    const QFontMetrics fm(DeviceFont(PPI));
    resize(AutoWidth(), fm.height());
}

void TAlLabel::PrintIn(const TRect& rect)
{
    if (visible())
        Draw(rect);
}

void TAlLabel::Draw(const TRect& rect)
{
    TAlPrinter& printer = AlPrinter();
    QPainter* canvas = printer.Canvas();
    if (m_preparedDpi != printer.DpiY)
        PrepareFor(printer.DpiY);
    const QRect r = rect.toQRect();
    if (!m_transparent)
        canvas->fillRect(r, m_color);
    if (canvas->font() != m_deviceFont)
        canvas->setFont(m_deviceFont);
    if (canvas->pen().color() != m_fontColor || canvas->pen().style() != Qt::SolidLine)
        canvas->setPen(m_fontColor);
    canvas->setBrush(Qt::NoBrush);
    QString value = GetValue();
    if (m_clipWidth > 0 && !m_wordWrap) {
        const QFontMetrics metrics(m_deviceFont);
        if (metrics.horizontalAdvance(value) > r.width())
            value = metrics.elidedText(value, Qt::ElideRight, r.width());
    }
    canvas->drawText(r, textFlags(), value);
}

// =============================================================================================
// TAlField

TAlField::TAlField(QWidget* band) : TAlLabel(band) {}

TAlField* TAlField::Mirror() const
{
    QString base = objectName();
    if (!base.endsWith(QLatin1Char('_')))
        return nullptr;
    while (base.endsWith(QLatin1Char('_')))
        base.chop(1);
    QWidget* form = Form();
    if (base.isEmpty() || !form)
        return nullptr;
    return qobject_cast<TAlField*>(form->findChild<QObject*>(base));
}

bool TAlField::Next()
{
    const int n = int(Lines.size());
    if (n < 2)
        return false;
    if (Index < n)
        ++Index;
    return Index < n;
}

QString TAlField::GetValue()
{
    const int n = int(Lines.size());
    if (n > 0) {
        if (Index < n)
            return Lines[Index];
        return n == 1 ? Lines[0] : NoValueText;
    }
    if (objectName().endsWith(QLatin1Char('_'))) {
        TAlField* mirror = Mirror();
        return mirror ? mirror->GetValue() : NoValueText;
    }
    return NoValueText;
}

QString TAlField::GetNextValue()
{
    const int n = int(Lines.size());
    if (n > 0) {
        if (n > Index + 1)
            return Lines[Index + 1];
        return n == 1 ? Lines[0] : NoValueText;
    }
    if (objectName().endsWith(QLatin1Char('_'))) {
        TAlField* mirror = Mirror();
        return mirror ? mirror->GetNextValue() : NoValueText;
    }
    return Caption();
}

// =============================================================================================
// TAlSysField

TAlSysField::TAlSysField(QWidget* band) : TAlLabel(band)
{
    setColor(Qt::white);
    setTransparent(true);
    setAutoSize(true);
    setDataType(alr_Time);
}

void TAlSysField::setDataType(tAlSysDataType type)
{
    m_dataType = type;
    QString placeholder;
    switch (type) {
    case alr_Time: placeholder = QStringLiteral("#hh:mm:ss#"); break;
    case alr_Date: placeholder = QStringLiteral("#tt.mm.jjjj#"); break;
    case alr_DateTime: placeholder = QStringLiteral("#tt.mm.jjjj hh:mm:ss#"); break;
    case alr_PageNum: placeholder = QStringLiteral("#Page#"); break;
    case alr_Counter: placeholder = QStringLiteral("#Counter#"); break;
    case alr_Count: placeholder = QStringLiteral("#Count#"); break;
    case alr_FormName: {
        QWidget* form = Form();
        placeholder = QLatin1Char('#') + (form ? form->objectName() : QString()) + QLatin1Char('#');
        break;
    }
    }
    setCaption(placeholder);
}

bool TAlSysField::Next()
{
    ++Counter;
    return false;
}

QString TAlSysField::GetValue()
{
    switch (m_dataType) {
    case alr_Time: return DateText::TimeToStr(Clock::now().time());
    case alr_Date: return DateText::DateToStr(Clock::today());
    case alr_DateTime: {
        const QDateTime now = Clock::now();
        return DateText::DateToStr(now.date()) + QLatin1Char(' ') + DateText::TimeToStr(now.time());
    }
    case alr_PageNum: return QString::number(AlPrinter().PageNumber());
    case alr_Counter: return QString::number(Counter + 1);
    case alr_Count: return QStringLiteral("E");
    case alr_FormName: {
        QWidget* form = Form();
        return form ? form->objectName() : QString();
    }
    }
    return {};
}

// =============================================================================================
// TAlShape

TAlShape::TAlShape(QWidget* band) : tAlControl(band)
{
    setText(QString());
    resize(65, 65);
}

void TAlShape::setBrush(const QBrush& brush)
{
    m_brush = brush;
    update();
}

void TAlShape::setPen(const QPen& pen)
{
    m_pen = pen;
    update();
}

void TAlShape::setShape(TShapeType shape)
{
    m_shape = shape;
    update();
}

void TAlShape::PaintFigure(QPainter& painter, const QRect& rect, bool onPrinter) const
{
    QPen pen = m_pen;
    if (onPrinter && pen.width() < 1)
        pen.setWidth(1);
    painter.setPen(pen);
    painter.setBrush(m_brush);
    const int w = rect.width();
    const int h = rect.height();
    const int s = std::min(w, h);
    QRect figure = rect;
    if (m_shape == stSquare || m_shape == stRoundSquare || m_shape == stCircle)
        figure = QRect(rect.left() + (w - s) / 2, rect.top() + (h - s) / 2, s, s);
    const int fw = figure.width();
    const int fh = figure.height();
    switch (m_shape) {
    case stRectangle:
    case stSquare:
        if (fw > 1 && fh > 1)
            painter.drawRect(QRect(figure.left(), figure.top(), fw - 1, fh - 1));
        else if (fw > 1)
            painter.drawLine(figure.left(), figure.top(), figure.left() + fw - 1, figure.top());
        else
            painter.drawLine(figure.left(), figure.top(), figure.left(), figure.top() + fh - 1);
        break;
    case stRoundRect:
    case stRoundSquare:
        painter.drawRoundedRect(QRect(figure.left(), figure.top(), fw - 1, fh - 1), s / 8.0, s / 8.0);
        break;
    case stEllipse:
    case stCircle:
        painter.drawEllipse(QRect(figure.left(), figure.top(), fw - 1, fh - 1));
        break;
    }
}

void TAlShape::Draw(const TRect& rect)
{
    TAlPrinter& printer = AlPrinter();
    QPainter* canvas = printer.Canvas();
    canvas->save();
    PaintFigure(*canvas, rect.toQRect(), !printer.Preview);
    canvas->restore();
}

void TAlShape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintFigure(p, rect(), false);
}

// =============================================================================================
// tAlImage

tAlImage::tAlImage(QWidget* band) : tAlControl(band)
{
    setText(QString());
    resize(100, 100);
}

void tAlImage::setAutosize(bool on)
{
    m_autosize = on;
    if (on && !m_picture.isNull())
        resize(m_picture.size());
}

void tAlImage::setCenter(bool on)
{
    m_center = on;
    update();
}

void tAlImage::setStretch(bool on)
{
    m_stretch = on;
    update();
}

void tAlImage::setPicture(const QImage& picture)
{
    m_picture = picture;
    if (m_autosize && !picture.isNull())
        resize(picture.size());
    update();
}

void tAlImage::PaintPicture(QPainter& painter, const QRect& rect) const
{
    if (m_picture.isNull())
        return;
    if (m_stretch) {
        painter.drawImage(rect, m_picture);
        return;
    }
    QImage canvas(std::max(1, width()), std::max(1, height()), QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter p(&canvas);
        const QPoint at = m_center ? QPoint((width() - m_picture.width()) / 2, (height() - m_picture.height()) / 2)
                                   : QPoint(0, 0);
        p.drawImage(at, m_picture);
    }
    painter.drawImage(rect, canvas);
}

void tAlImage::Draw(const TRect& rect)
{
    PaintPicture(*AlPrinter().Canvas(), rect.toQRect());
}

void tAlImage::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintPicture(p, rect());
    p.setPen(QPen(m_outline.color(), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

// =============================================================================================
// TAlDetailLink

TAlDetailLink::TAlDetailLink(QObject* owner) : QObject(owner) {}

void TAlDetailLink::setGroupBand(tAlBand* band)
{
    if (m_groupBand && m_groupBand->m_link == this)
        m_groupBand->m_link = nullptr;
    m_groupBand = band;
    if (band)
        band->m_link = this;
}

bool TAlDetailLink::CheckGroup(CheckMode mode)
{
    if (!DataSource)
        return false;
    if (mode == Before) {
        const QString value = DataSource->GetValue();
        const bool changed = LastValue != value;
        LastValue = value;
        return changed;
    }
    return LastValue != DataSource->GetNextValue();
}

// =============================================================================================
// TAlReport

TAlReport::TAlReport(QWidget* form) : QObject(form), m_form(form) {}

void TAlReport::setOrientation(TPrinterOrientation orientation)
{
    m_orientation = orientation;
    AlPrinter().SetOrientation(orientation);
}

void TAlReport::setPapersize(tPapersize size)
{
    m_papersize = size;
    TAlPrinter& printer = AlPrinter();
    printer.Papersize = size;
    if (printer.Preview)
        printer.UpdateMetrics();
}

void TAlReport::setLeftMarginMM(int mm)
{
    if (mm >= 0 && mm < PaperSizesMM[m_papersize].width)
        m_leftMarginMM = mm;
}

void TAlReport::setRightMarginMM(int mm)
{
    if (mm >= 0 && mm < PaperSizesMM[m_papersize].width)
        m_rightMarginMM = mm;
}

QList<TAlField*> TAlReport::Fields() const { return m_form->findChildren<TAlField*>(); }

void TAlReport::AddFieldValue(const QString& name, const QString& value)
{
    const QString key = name.toLower();
    auto it = m_fieldByName.constFind(key);
    if (it != m_fieldByName.constEnd() && it.value() && it.value()->objectName().compare(name, Qt::CaseInsensitive) == 0) {
        it.value()->Lines.append(value);
        return;
    }
    for (TAlField* field : Fields()) {
        if (field->objectName().compare(name, Qt::CaseInsensitive) == 0) {
            m_fieldByName.insert(key, field);
            field->Lines.append(value);
            return;
        }
    }
}

void TAlReport::ResetFields()
{
    for (TAlField* field : Fields())
        field->Reset();
}

void TAlReport::ClearFields()
{
    m_fieldByName.clear();
    for (TAlField* field : Fields())
        field->Clear();
}

int TAlReport::ToDeviceX(int v) { return RoundHalfEven(double(v) * AlPrinter().DpiX / PPI + 0.5); }

int TAlReport::ToDeviceY(int v) { return RoundHalfEven(double(v) * AlPrinter().DpiY / PPI + 0.5); }

void TAlReport::Print()
{
    // The fields hold the row a waiting preview run stands at: finish that run before this one
    // resets them.
    if (m_previewPages)
        ContinuePreview(std::numeric_limits<int>::max());
    TAlPrinter& printer = AlPrinter();
    printer.Preview = false;
    printer.Papersize = m_papersize;
    printer.SetOrientation(m_orientation);
    printer.SetTitle(ReportTitle);
    printer.BeginDoc();
    printer.UpdateMetrics();
    ResetFields();
    try {
        Execute();
    } catch (...) {
        EndRun();
        printer.AbortDoc();
        throw;
    }
    printer.EndDoc();
}

void TAlReport::Preview(TDrawMetaFileList& pages)
{
    BeginPreview(pages);
    ContinuePreview(std::numeric_limits<int>::max());
}

void TAlReport::BeginPreview(TDrawMetaFileList& pages)
{
    AbandonPreview();
    TAlPrinter& printer = AlPrinter();
    printer.Preview = true;
    printer.Papersize = m_papersize;
    printer.SetOrientation(m_orientation);
    printer.UpdateMetrics();
    printer.Pages = &pages;
    printer.BeginDoc();
    ResetFields();
    BeginRun();
    m_previewPages = &pages;
}

void TAlReport::ResumePreviewPrinter()
{
    // Between two steps the printer may have printed or recorded another report.
    TAlPrinter& printer = AlPrinter();
    printer.Preview = true;
    printer.Papersize = m_papersize;
    printer.SetOrientation(m_orientation);
    printer.Pages = m_previewPages;
    printer.CurrentPage = nullptr;
}

bool TAlReport::ContinuePreview(int pageGoal)
{
    if (!m_previewPages)
        return true;
    ResumePreviewPrinter();
    TAlPrinter& printer = AlPrinter();
    bool ended = false;
    try {
        ended = RunUntil(pageGoal);
    } catch (...) {
        EndRun();
        m_previewPages = nullptr;
        printer.EndDoc();
        throw;
    }
    // Close the last page recorded, so that the preview may show it until the next step.
    printer.EndDoc();
    if (ended)
        m_previewPages = nullptr;
    return ended;
}

bool TAlReport::PreviewPending(const TDrawMetaFileList* pages) const
{
    return m_previewPages && (!pages || pages == m_previewPages);
}

void TAlReport::AbandonPreview()
{
    if (!m_previewPages)
        return;
    EndRun();
    TAlPrinter& printer = AlPrinter();
    if (printer.Preview && printer.Pages == m_previewPages)
        printer.EndDoc();
    m_previewPages = nullptr;
}

void TAlReport::Execute()
{
    BeginRun();
    RunUntil(std::numeric_limits<int>::max());
}

void TAlReport::BeginRun()
{
    TAlPrinter& printer = AlPrinter();

    // 1. The bands of the form from top to bottom (equal tops keep their order).
    tAlBand::RealignBands(m_form);
    QList<tAlBand*> bands = m_form->findChildren<tAlBand*>(Qt::FindDirectChildrenOnly);
    std::stable_sort(bands.begin(), bands.end(), [](tAlBand* a, tAlBand* b) { return a->y() < b->y(); });

    // 2. Classify them; a detail header, the detail right after it and the detail footer right
    // after that share one group number.
    EndRun();
    for (tAlBand* band : bands) {
        band->Tag = 0;
        band->AltToggle = false;
        if (band->Link())
            band->Link()->LastValue.clear();
    }
    int g = 0;
    bool hasPrevious = false;
    tAlBandType previous = alr_Title;
    for (int i = 0; i < bands.size(); ++i) {
        tAlBand* band = bands[i];
        const int position = i + 1;
        switch (band->BandType()) {
        case alr_Title: m_titles << band; break;
        case alr_PageHeader: m_pageHeaders << band; break;
        case alr_PageFooter: m_pageFooters << band; break;
        case alr_ReportFooter: m_reportFooters << band; break;
        case alr_DetailHeader:
            g = position;
            band->Tag = g;
            m_detailHeaders << band;
            break;
        case alr_Detail:
            if (!(hasPrevious && previous == alr_DetailHeader))
                g = position;
            band->Tag = g;
            m_details << band;
            break;
        case alr_DetailFooter:
            if (hasPrevious && previous == alr_Detail)
                band->Tag = g;
            m_detailFooters << band;
            break;
        case alr_NewPage: m_details << band; break;
        case alr_GroupHeader:
        case alr_GroupFooter: break;
        }
        previous = band->BandType();
        hasPrevious = true;
    }

    // Fonts for the target device, once per run.
    for (TAlLabel* label : m_form->findChildren<TAlLabel*>())
        label->PrepareFor(printer.DpiY);

    // 3., 4.
    PageBottom = printer.PageHeight();
    for (tAlBand* footer : m_pageFooters)
        PageBottom -= ToDeviceY(footer->height());
    CurY = 99999;
    FirstPage = true;
    m_pageOpen = false;
    m_stage = RunStage::Titles;
}

bool TAlReport::RunUntil(int pageGoal)
{
    m_pageGoal = pageGoal;
    m_bandDepth = 0;
    // 5.-7.
    if (m_stage == RunStage::Titles) {
        for (tAlBand* band : m_titles)
            PrintBand(band);
        m_stage = RunStage::Details;
        m_detailIndex = 0;
    }
    if (m_stage != RunStage::Details)
        return true;
    for (; m_detailIndex < m_details.size(); ++m_detailIndex) {
        tAlBand* band = m_details[m_detailIndex];
        // A band resumed at its page break has printed its group headers already.
        if (!m_resumeAtBreak)
            PrintGroupHeaders(band);
        if (!PrintBand(band))
            return false;
        if (band->Tag != 0)
            for (tAlBand* footer : m_detailFooters)
                if (footer->Tag == band->Tag)
                    PrintBand(footer);
    }
    for (tAlBand* band : m_reportFooters)
        PrintBand(band);

    // 8., 9.
    EndPage();
    EndRun();
    return true;
}

void TAlReport::EndRun()
{
    m_titles.clear();
    m_pageHeaders.clear();
    m_detailHeaders.clear();
    m_details.clear();
    m_detailFooters.clear();
    m_pageFooters.clear();
    m_reportFooters.clear();
    m_stage = RunStage::Idle;
    m_detailIndex = 0;
    m_resumeAtBreak = false;
    m_bandDepth = 0;
}

void TAlReport::PrintGroupHeaders(tAlBand* band)
{
    if (band->Tag == 0)
        return;
    for (tAlBand* header : m_detailHeaders)
        if (header->Tag == band->Tag)
            PrintBand(header);
}

bool TAlReport::PrintBand(tAlBand* band)
{
    if (band->BandType() == alr_NewPage) {
        EndPage();
        return true;
    }
    const bool detail = band->BandType() == alr_Detail;
    TAlDetailLink* link = band->Link();
    // A detail band printed by the run itself may stop at a page break, between two rows.
    struct Depth {
        int& depth;
        explicit Depth(int& d) : depth(d) { ++depth; }
        ~Depth() { --depth; }
    } depth(m_bandDepth);
    const bool mayStop = detail && m_bandDepth == 1;
    for (;;) {
        const int h = ToDeviceY(band->height());
        const bool resumed = mayStop && m_resumeAtBreak;
        m_resumeAtBreak = false;
        if (resumed || CurY + h > PageBottom) {
            if (!resumed) {
                EndPage();
                if (mayStop && AlPrinter().Preview && AlPrinter().PageCount() >= m_pageGoal) {
                    m_resumeAtBreak = true;
                    return false;
                }
            }
            StartPage();
            if (detail) {
                PrintGroupHeaders(band);
                if (link) {
                    link->CheckGroup(TAlDetailLink::Before);
                    if (link->GroupHeader)
                        PrintBand(link->GroupHeader);
                }
            }
        }
        if (link && link->CheckGroup(TAlDetailLink::Before) && link->GroupHeader)
            PrintBand(link->GroupHeader);
        RenderBand(band);
        if (link && link->CheckGroup(TAlDetailLink::After) && link->GroupFooter)
            PrintBand(link->GroupFooter);
        if (!detail)
            break;
        bool more = false;
        for (tAlControl* control : band->Controls())
            more = control->Next() || more;
        if (!more)
            break;
    }
    return true;
}

void TAlReport::StartPage()
{
    TAlPrinter& printer = AlPrinter();
    if (!FirstPage)
        printer.NewPage();
    FirstPage = false;
    // The page exists from its start, even when nothing is drawn on it.
    printer.Canvas();
    CurY = 0;
    m_pageOpen = true;
    for (tAlBand* header : m_pageHeaders)
        RenderBand(header);
}

void TAlReport::EndPage()
{
    CurY = PageBottom;
    // The footers close a page once; before the first page and after a forced page break there is
    // no open page to close.
    if (!m_pageOpen)
        return;
    m_pageOpen = false;
    for (tAlBand* footer : m_pageFooters)
        RenderBand(footer);
}

void TAlReport::RenderBand(tAlBand* band)
{
    TAlPrinter& printer = AlPrinter();
    const int h = ToDeviceY(band->height());
    TRect R;
    R.Left = ToDeviceX(band->x()) + RoundHalfEven(printer.DpiX * m_leftMarginMM / 25.4 + 0.5) - printer.OffsetX;
    R.Top = CurY;
    R.Right = ToDeviceX(band->width()) - RoundHalfEven(printer.DpiX * m_rightMarginMM / 25.4 + 0.5);
    R.Bottom = CurY + h - 1;

    if (band->AltColor()) {
        if (band->AltToggle)
            printer.Canvas()->fillRect(R.toQRect(), band->Color());
        band->AltToggle = !band->AltToggle;
    }

    for (tAlControl* control : band->Controls()) {
        TRect C{ToDeviceX(control->x()), ToDeviceY(control->y()), ToDeviceX(control->x() + control->width()),
                ToDeviceY(control->y() + control->height())};
        auto* label = qobject_cast<TAlLabel*>(control);
        if (label && label->AutoSize()) {
            const QSize size = label->MeasureValue(label->GetValue(), QSize(C.Width(), C.Height()), printer.DpiY);
            int width = size.width();
            if (label->ClipWidth() > 0)
                width = std::min(width, ToDeviceX(label->ClipWidth()));
            if (label->Alignment() == taRightJustify)
                C.Left = C.Right - width;
            else
                C.Right = C.Left + width;
            C.Bottom = C.Top + size.height();
        }
        C.Left += R.Left;
        C.Right += R.Left;
        C.Top += R.Top;
        C.Bottom += R.Top;
        switch (band->ClipMode()) {
        case cm_Clip: {
            TRect visible;
            if (IntersectRect(visible, C, R))
                control->PrintIn(visible);
            break;
        }
        case cm_Expand:
            R = UnionRect(R, C);
            control->PrintIn(C);
            break;
        case cm_Overwrite: control->PrintIn(C); break;
        }
    }
    CurY = R.Bottom + 1;
}
