#include "production/TPieChart.h"

#include <QPainter>
#include <QPaintEvent>
#include <cmath>
#include <numbers>

TPieChart::TPieChart(QWidget* parent)
    : QWidget(parent),
      m_colours{QColor(255, 224, 224), QColor(255, 255, 224), QColor(224, 255, 224),
                QColor(224, 255, 255), QColor(224, 224, 255), QColor(255, 224, 255)}
{
    setObjectName(QStringLiteral("PieChart"));
    resize(65, 65);
}

void TPieChart::LoadItems(const QStringList& texts, const QList<QVariant>& objects)
{
    m_items = PieChart::LoadItems(texts, objects);
    m_total = PieChart::DrawnTotal(m_items);
    update();
}

void TPieChart::setColour(int n, const QColor& colour)
{
    if (n < 1 || n > PieChart::ColourCount)
        return;
    m_colours[size_t(n - 1)] = colour;
    update();
}

namespace {

// The control's font, then a little smaller twice (not below 7 points): the sizes a label is tried in.
std::vector<QFont> labelFonts(const QFont& font)
{
    std::vector<QFont> fonts{font};
    const double points = font.pointSizeF();
    if (points <= 0)
        return fonts;
    for (const double step : {0.9, 0.8}) {
        if (points * step < 7)
            break;
        QFont smaller = font;
        smaller.setPointSizeF(points * step);
        fonts.push_back(smaller);
    }
    return fonts;
}

} // namespace

std::vector<TPieChart::PlacedLabel> TPieChart::Labels() const
{
    std::vector<PlacedLabel> labels;
    const std::vector<QFont> fonts = labelFonts(font());
    for (const PieChart::Slice& s : PieChart::Slices(m_items, Centre())) {
        if (!s.labelled)
            continue;
        const QString text = PieChart::LabelOf(m_items[size_t(s.item)]);
        for (const QFont& f : fonts) {
            const QFontMetrics metrics(f);
            const int w2 = metrics.horizontalAdvance(text) / 2;
            const int h2 = metrics.height() / 2;
            const QPoint topLeft = PieChart::LabelTopLeft(Centre(), Radius(), s.middle(), w2, h2);
            const QRect box(topLeft, QSize(2 * w2 + 1, 2 * h2 + 1));
            if (PieChart::LabelInsideSlice(Centre(), Radius(), s, box)) {
                labels.push_back({s.item, text, box, f});
                break;
            }
        }
    }
    return labels;
}

QStringList TPieChart::UnlabelledTexts() const
{
    std::vector<bool> placed(m_items.size(), false);
    for (const PlacedLabel& l : Labels())
        placed[size_t(l.item)] = true;
    QStringList texts;
    for (const PieChart::Slice& s : PieChart::Slices(m_items, Centre()))
        if (s.drawn() && !placed[size_t(s.item)] && !PieChart::LabelOf(m_items[size_t(s.item)]).isEmpty())
            texts << PieChart::LabelOf(m_items[size_t(s.item)]);
    return texts;
}

void TPieChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (m_total <= 0)
        return;
    const QPoint c = Centre();
    const int r = Radius();
    // The circle of the control's smaller side, a half pixel in so that its outline is whole.
    const QRectF circle(c.x() - r + 0.5, c.y() - r + 0.5, 2.0 * r - 1, 2.0 * r - 1);
    p.setPen(QPen(Qt::black, 1));
    constexpr double toSixteenths = 180.0 / std::numbers::pi * 16;
    for (const PieChart::Slice& s : PieChart::Slices(m_items, c)) {
        if (!s.drawn())
            continue;
        // Each slice ends where the next one starts, whatever the rounding to sixteenths of a degree.
        const int from = int(std::lround(s.start * toSixteenths));
        const int to = int(std::lround((s.start + s.sweep) * toSixteenths));
        p.setBrush(m_colours[size_t(s.colour)]);
        if (to - from >= 360 * 16)
            p.drawEllipse(circle); // one slice: the whole circle, without an edge from the centre
        else
            p.drawPie(circle, from, to - from);
    }
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    for (const PlacedLabel& label : Labels()) {
        p.setFont(label.font);
        p.drawText(label.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, label.text);
    }
}
