#pragma once

// A paint device that remembers what is drawn on it instead of drawing: texts with their baseline
// positions and fonts, filled rectangles with their colours, lines. Report pages are played onto
// it to check what a report printed and where.

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPicture>
#include <QTransform>
#include <vector>

namespace testsupport {

struct DrawnText {
    QString text;
    QPointF pos; // baseline start, device pixels
    QFont font;
    QColor color;
};

struct DrawnRect {
    QRectF rect;
    QColor color;
    bool filled;
};

class RecordingEngine : public QPaintEngine {
public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& state) override
    {
        if (state.state() & DirtyPen)
            m_pen = state.pen();
        if (state.state() & DirtyBrush)
            m_brush = state.brush();
        if (state.state() & DirtyTransform)
            m_transform = state.transform();
    }

    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        texts.push_back({item.text(), m_transform.map(p), item.font(), m_pen.color()});
    }

    void drawRects(const QRectF* rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            rectangles.push_back({m_transform.mapRect(rects[i]), m_brush.style() != Qt::NoBrush ? m_brush.color() : m_pen.color(),
                                  m_brush.style() != Qt::NoBrush});
    }
    void drawRects(const QRect* rects, int count) override
    {
        for (int i = 0; i < count; ++i) {
            const QRectF r(rects[i]);
            drawRects(&r, 1);
        }
    }
    void drawLines(const QLineF* lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            this->lines.push_back(m_transform.map(lines[i]));
    }
    void drawLines(const QLine* lines, int count) override
    {
        for (int i = 0; i < count; ++i) {
            const QLineF l(lines[i]);
            drawLines(&l, 1);
        }
    }
    // Filled and outlined shapes (fillRect arrives here too) are kept with their bounding boxes.
    void drawPath(const QPainterPath& path) override { shape(m_transform.map(path).boundingRect()); }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode) override
    {
        QPolygonF polygon;
        for (int i = 0; i < count; ++i)
            polygon << points[i];
        shape(m_transform.map(polygon).boundingRect());
    }
    void shape(const QRectF& bounds)
    {
        paths.push_back(bounds);
        const bool filled = m_brush.style() != Qt::NoBrush;
        rectangles.push_back({bounds, filled ? m_brush.color() : m_pen.color(), filled});
    }
    void drawEllipse(const QRectF& r) override { ellipses.push_back(m_transform.mapRect(r)); }
    void drawPixmap(const QRectF& r, const QPixmap&, const QRectF&) override { images.push_back(m_transform.mapRect(r)); }
    void drawImage(const QRectF& r, const QImage&, const QRectF&, Qt::ImageConversionFlags) override
    {
        images.push_back(m_transform.mapRect(r));
    }

    std::vector<DrawnText> texts;
    std::vector<DrawnRect> rectangles;
    std::vector<QLineF> lines;
    std::vector<QRectF> paths;
    std::vector<QRectF> ellipses;
    std::vector<QRectF> images;

private:
    QPen m_pen;
    QBrush m_brush;
    QTransform m_transform;
};

class RecordingDevice : public QPaintDevice {
public:
    RecordingDevice(int width = 2000, int height = 3000) : m_width(width), m_height(height) {}

    QPaintEngine* paintEngine() const override { return const_cast<RecordingEngine*>(&engine); }

    // Plays a recorded page onto the device.
    void play(const QPicture& picture)
    {
        QPainter p(this);
        p.drawPicture(0, 0, picture);
    }

    // The texts drawn, in drawing order, words of one drawText call joined.
    QStringList textList() const
    {
        QStringList list;
        for (const DrawnText& t : engine.texts)
            list << t.text;
        return list;
    }

    // The first text equal to text, or null.
    const DrawnText* find(const QString& text) const
    {
        for (const DrawnText& t : engine.texts)
            if (t.text == text)
                return &t;
        return nullptr;
    }

    int count(const QString& text) const
    {
        int n = 0;
        for (const DrawnText& t : engine.texts)
            n += t.text == text ? 1 : 0;
        return n;
    }

    RecordingEngine engine;

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return m_width;
        case PdmHeight: return m_height;
        case PdmWidthMM: return m_width * 254 / 960;
        case PdmHeightMM: return m_height * 254 / 960;
        case PdmNumColors: return 1 << 24;
        case PdmDepth: return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 96;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
        }
        return 0;
    }

private:
    int m_width;
    int m_height;
};

} // namespace testsupport
