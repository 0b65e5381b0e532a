#include "shell/Theme.h"

#include <QPainter>
#include <QWidget>

namespace Theme {

void PaintGradient(QPainter& painter, int width, int height, const QColor& top, const QColor& bottom)
{
    const int n = qMin(height, 250);
    if (n <= 0 || width <= 0)
        return;
    const int band = height / n + 1;
    auto step = [](int from, int to, int p) { return from + (to - from) * p / 100; };
    for (int i = 0; i <= n; ++i) {
        const int p = i * 100 / n;
        const QColor c(step(top.red(), bottom.red(), p), step(top.green(), bottom.green(), p),
                       step(top.blue(), bottom.blue(), p));
        painter.fillRect(0, i * band, width, band, c);
    }
}

void SetBackground(QWidget* widget, const QColor& color)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, color);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

} // namespace Theme
