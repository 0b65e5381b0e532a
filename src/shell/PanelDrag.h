#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

// Pop-up panels with a caption bar (the paper options, the date and client choosers) are moved by
// dragging the caption bar with the left button. One drag at a time: Dragging is shared by all of
// them, with the mouse position inside the caption bar at which the drag began.
extern bool Dragging;
extern QPoint DragStart;

// Moves the panel back inside the window's client area (height H, width W) and ends the drag when
// it had to: a top above 0 becomes 1, a top past H - 61 - panel height becomes H - 62 - panel
// height, a left before 0 becomes 1, a left past W - 1 - panel width becomes W - 2 - panel width.
void KeepPanelInside(QWidget* window, QWidget* panel);

// The drag of one panel by its caption bar: a left-button press sets Dragging and notes the
// position, a move while Dragging moves the panel by the mouse's movement and keeps it inside the
// window, the release clears Dragging. The caption bar may be the panel itself.
class PanelDrag : public QObject {
    Q_OBJECT
public:
    // window: whose client area bounds the panel (its parent when null).
    PanelDrag(QWidget* captionBar, QWidget* panel, QWidget* window = nullptr);
    static PanelDrag* attach(QWidget* captionBar, QWidget* panel, QWidget* window = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_caption;
    QWidget* m_panel;
    QWidget* m_window;
};
