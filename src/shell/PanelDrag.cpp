#include "shell/PanelDrag.h"

#include <QMouseEvent>
#include <QWidget>

bool Dragging = false;
QPoint DragStart;

void KeepPanelInside(QWidget* window, QWidget* panel)
{
    if (!window || !panel)
        return;
    const int h = window->height();
    const int w = window->width();
    int top = panel->y();
    int left = panel->x();
    if (top < 0) {
        Dragging = false;
        top = 1;
    }
    if (top > h - 61 - panel->height()) {
        Dragging = false;
        top = h - 62 - panel->height();
    }
    if (left < 0) {
        Dragging = false;
        left = 1;
    }
    if (left > w - 1 - panel->width()) {
        Dragging = false;
        left = w - 2 - panel->width();
    }
    if (top != panel->y() || left != panel->x())
        panel->move(left, top);
}

PanelDrag::PanelDrag(QWidget* captionBar, QWidget* panel, QWidget* window)
    : QObject(captionBar), m_caption(captionBar), m_panel(panel), m_window(window)
{
    captionBar->installEventFilter(this);
}

PanelDrag* PanelDrag::attach(QWidget* captionBar, QWidget* panel, QWidget* window)
{
    return new PanelDrag(captionBar, panel, window);
}

bool PanelDrag::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_caption)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton) {
            Dragging = true;
            DragStart = e->position().toPoint();
        }
        break;
    }
    case QEvent::MouseMove: {
        if (!Dragging)
            break;
        auto* e = static_cast<QMouseEvent*>(event);
        const QPoint at = e->position().toPoint();
        m_panel->move(m_panel->x() - DragStart.x() + at.x(), m_panel->y() - DragStart.y() + at.y());
        KeepPanelInside(m_window ? m_window : m_panel->parentWidget(), m_panel);
        break;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            Dragging = false;
        break;
    default:
        break;
    }
    return false;
}
