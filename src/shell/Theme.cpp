#include "shell/Theme.h"

#include <QPainter>
#include <QWidget>

namespace Theme {

void SetBackground(QWidget* widget, const QColor& color)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, color);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

} // namespace Theme
