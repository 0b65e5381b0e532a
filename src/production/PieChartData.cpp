#include "production/PieChartData.h"

#include "store/DecimalText.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace PieChart {

TStringListWithDouble LoadItems(const QStringList& texts, const QList<QVariant>& objects)
{
    TStringListWithDouble items;
    items.reserve(size_t(texts.size()));
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const QString text = texts[i].trimmed();
        const qsizetype space = text.indexOf(QLatin1Char(' '));
        const auto value = DecimalText::parse(space < 0 ? text : text.left(space));
        if (!value)
            continue;
        items.push_back({text, {i < objects.size() ? objects[i] : QVariant(), *value}});
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const PieChartItem& a, const PieChartItem& b) { return a.data.value > b.data.value; });
    return items;
}

QString LabelOf(const PieChartItem& item)
{
    const qsizetype space = item.text.indexOf(QLatin1Char(' '));
    return space < 0 ? QString() : item.text.mid(space + 1).trimmed();
}

double DrawnTotal(const TStringListWithDouble& items)
{
    double total = 0;
    for (const PieChartItem& i : items)
        if (i.data.value > 0)
            total += i.data.value;
    return total;
}

QPoint PointAt(const QPoint& c, double angle, double distance)
{
    return {c.x() + int(std::nearbyint(distance * std::cos(angle))), c.y() - int(std::nearbyint(distance * std::sin(angle)))};
}

std::vector<Slice> Slices(const TStringListWithDouble& items, const QPoint& c)
{
    std::vector<Slice> slices;
    const double total = DrawnTotal(items);
    if (total <= 0)
        return slices;
    double a = 0;
    int colour = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        Slice s;
        s.item = int(i);
        s.start = a;
        const double value = items[i].data.value;
        if (value < 0) {
            s.negative = true;
            slices.push_back(s);
            continue;
        }
        s.sweep = 2 * std::numbers::pi * value / total;
        const bool samePoint = PointAt(c, a, 1000) == PointAt(c, a + s.sweep, 1000);
        if (!(samePoint && s.sweep <= HiddenSliceSweep)) {
            s.colour = colour;
            colour = (colour + 1) % ColourCount;
        }
        s.labelled = s.sweep > LabelMinimumSweep && !LabelOf(items[i]).isEmpty();
        a += s.sweep;
        slices.push_back(s);
    }
    return slices;
}

QPoint LabelTopLeft(const QPoint& c, int r, double m, int w2, int h2)
{
    const QPoint p = PointAt(c, m, r);
    double farthest = 0;
    for (const int dx : {-w2, w2})
        for (const int dy : {-h2, h2})
            farthest = std::max(farthest, std::hypot(double(p.x() + dx - c.x()), double(p.y() + dy - c.y())));
    const double d = std::nearbyint(farthest);
    const double in = 2.0 * r - d;
    return {c.x() + int(std::nearbyint(in * std::cos(m))) - w2, c.y() - int(std::nearbyint(in * std::sin(m))) - h2};
}

bool LabelInsideSlice(const QPoint& c, int r, const Slice& slice, const QRect& box, double tolerance)
{
    const bool whole = slice.sweep >= 2 * std::numbers::pi - 1e-9;
    for (const QPoint corner : {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()}) {
        const double dx = corner.x() - c.x();
        const double dy = c.y() - corner.y(); // y up
        const double distance = std::hypot(dx, dy);
        if (distance > r + tolerance)
            return false;
        if (whole || distance <= tolerance)
            continue;
        // The angle past either edge, as a distance from that edge.
        const double m = slice.middle();
        double a = std::atan2(dy, dx);
        while (a <= m - std::numbers::pi)
            a += 2 * std::numbers::pi;
        while (a > m + std::numbers::pi)
            a -= 2 * std::numbers::pi;
        const double beyond = std::max(slice.start - a, a - slice.start - slice.sweep);
        if (beyond > 0 && (beyond >= std::numbers::pi / 2 || distance * std::sin(beyond) > tolerance))
            return false;
    }
    return true;
}

QStringList LeftOutTexts(const TStringListWithDouble& items)
{
    QStringList texts;
    for (const PieChartItem& i : items)
        if (i.data.value < 0)
            texts << i.text;
    return texts;
}

} // namespace PieChart
