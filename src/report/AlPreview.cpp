#include "report/AlPreview.h"

#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>

#include <limits>

namespace {
// A recording step from the event loop takes about this long, so that the window stays responsive.
constexpr int kRecordStepMs = 20;
} // namespace

TAlPaintBox::TAlPaintBox(tAlPreview* preview, QWidget* parent) : QWidget(parent), m_preview(preview)
{
    setObjectName(QStringLiteral("PaintBox"));
    setCursor(MagnifierCursor());
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TAlPaintBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    TDrawMetaFile* page = m_preview->ShownPage();
    if (!page || page->Width <= 0 || page->Height <= 0)
        return;
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(double(width()) / page->Width, double(height()) / page->Height);
    p.drawPicture(0, 0, *page);
}

void TAlPaintBox::mousePressEvent(QMouseEvent* event) { m_preview->PageMousePress(event); }

void TAlPaintBox::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }

tAlPreview::tAlPreview(QWidget* parent) : QScrollArea(parent)
{
    m_sheet = new QWidget;
    m_sheet->setObjectName(QStringLiteral("PreviewSheet"));
    m_paintBox = new TAlPaintBox(this, m_sheet);
    m_paintBox->setGeometry(15, 15, 823, 1164);
    m_sheet->resize(823 + 30, 1164 + 30);
    setWidget(m_sheet);
    setWidgetResizable(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_recordTimer.setSingleShot(true);
    m_recordTimer.setInterval(0);
    connect(&m_recordTimer, &QTimer::timeout, this, &tAlPreview::RecordStep);
}

tAlPreview::~tAlPreview()
{
    StopRecording();
    // The printer must not keep drawing into pages that are going away.
    AlPrinter().ForgetPages(&Pages);
}

TDrawMetaFile* tAlPreview::ShownPage() const
{
    if (m_pageIndex >= 1 && m_pageIndex <= PageCount())
        return Pages[size_t(m_pageIndex - 1)].get();
    return nullptr;
}

QSize tAlPreview::PageAreaSize() const
{
    // The size of the pages this preview holds (the printer may be printing meanwhile).
    int w = 0;
    int h = 0;
    if (!Pages.empty()) {
        const TDrawMetaFile* page = ShownPage() ? ShownPage() : Pages.front().get();
        w = page->Width;
        h = page->Height;
    } else {
        const TAlPrinter& printer = AlPrinter();
        if (!printer.Preview)
            return m_paintBox->size();
        w = printer.PageWidth();
        h = printer.PageHeight();
    }
    return QSize(RoundHalfEven(w * m_zoom / 100.0), RoundHalfEven(h * m_zoom / 100.0));
}

void tAlPreview::Repaint()
{
    const QSize area = PageAreaSize();
    if (m_paintBox->size() != area)
        m_paintBox->resize(area);
    const QSize sheet(area.width() + 30, area.height() + 30);
    if (m_sheet->size() != sheet)
        m_sheet->resize(sheet);
    m_paintBox->update();
}

void tAlPreview::showEvent(QShowEvent* event)
{
    QScrollArea::showEvent(event);
    Repaint();
}

void tAlPreview::Record(TAlReport* report)
{
    StopRecording();
    if (!report)
        return;
    m_report = report;
    m_recording = true;
    try {
        report->BeginPreview(Pages);
    } catch (const ReportError& e) {
        FinishRecording();
        Q_EMIT RecordingFailed(e.message());
        return;
    }
    if (RecordUpTo(1) && m_recording)
        m_recordTimer.start();
}

void tAlPreview::RecordAll() { RecordUpTo(std::numeric_limits<int>::max()); }

void tAlPreview::StopRecording()
{
    m_recordTimer.stop();
    if (m_recording && m_report)
        m_report->AbandonPreview();
    m_recording = false;
    m_report = nullptr;
}

void tAlPreview::FinishRecording()
{
    m_recordTimer.stop();
    m_recording = false;
    m_report = nullptr;
}

bool tAlPreview::RecordUpTo(int n)
{
    if (!m_recording || PageCount() >= n)
        return true;
    const int before = PageCount();
    // The report gone, or its run completed (by a print) or replaced elsewhere: nothing more to add.
    if (!m_report || !m_report->PreviewPending(&Pages)) {
        FinishRecording();
    } else {
        try {
            if (m_report->ContinuePreview(n))
                FinishRecording();
        } catch (const ReportError& e) {
            FinishRecording();
            Q_EMIT PagesRecorded();
            Q_EMIT RecordingFailed(e.message());
            return false;
        }
    }
    if (PageCount() != before || !m_recording)
        Q_EMIT PagesRecorded();
    return true;
}

void tAlPreview::RecordStep()
{
    QElapsedTimer step;
    step.start();
    while (m_recording && step.elapsed() < kRecordStepMs)
        if (!RecordUpTo(PageCount() + 1))
            return;
    if (m_recording)
        m_recordTimer.start();
}

void tAlPreview::SetPage(int n)
{
    if (n > PageCount())
        RecordUpTo(n);
    if (n >= 1 && n <= PageCount()) {
        m_pageIndex = n;
        Repaint();
    }
}

void tAlPreview::First() { SetPage(1); }

void tAlPreview::Next()
{
    RecordUpTo(m_pageIndex + 1);
    if (PageCount() > m_pageIndex) {
        ++m_pageIndex;
        Repaint();
    }
}

void tAlPreview::Prior()
{
    if (m_pageIndex > 1) {
        --m_pageIndex;
        Repaint();
    }
}

void tAlPreview::SetZoom(int z)
{
    if (z == m_zoom || z < 25 || z > 200)
        return;
    m_zoom = z;
    Repaint();
}

int tAlPreview::LadderStep(int zoom, Qt::MouseButton button)
{
    static const int ladder[] = {50, 75, 100, 150, 200};
    constexpr int last = int(std::size(ladder)) - 1;
    for (int i = 0; i <= last; ++i) {
        if (ladder[i] != zoom)
            continue;
        if (button == Qt::LeftButton)
            return ladder[std::min(i + 1, last)];
        if (button == Qt::RightButton)
            return ladder[std::max(i - 1, 0)];
        return zoom;
    }
    return zoom;
}

void tAlPreview::PageMousePress(QMouseEvent* event)
{
    SetZoom(LadderStep(m_zoom, event->button()));
    Q_EMIT MouseDown(event->button(), event->modifiers(), event->position().toPoint());
}
