#pragma once

// The small pop-up panels of the screens (the client chooser, the date-range chooser): a raised
// panel with a dark caption bar holding a bold title and a close button; dragging the bar with the
// left button moves the panel, which stays inside the screen (PanelDrag). While parked the panel
// is hidden; showing it places it at its spot above the screen's other controls.

#include <QSize>
#include <QString>

class QFrame;
class QLabel;
class QToolButton;
class QWidget;

struct PopupPanel {
    QFrame* panel = nullptr;
    QFrame* captionBar = nullptr;
    QLabel* caption = nullptr;
    QToolButton* closeButton = nullptr;

    static constexpr int CaptionHeight = 20;

    // The panel (of the given size) as a child of the screen, parked.
    static PopupPanel Create(QWidget* screen, const char* panelName, const char* barName, const char* captionName,
                             const char* closeName, const QString& caption, const QSize& size);

    // At (left, top), moved back inside the screen where it would stand outside.
    void Show(int left, int top) const;
    void Park() const;
    bool IsShown() const;
};
