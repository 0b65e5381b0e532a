#pragma once

#include <QColor>

class QPainter;
class QWidget;

// The light blue look of the BlueTheme setting.
namespace Theme {

inline const QColor PanelColor{240, 247, 255};   // the main window, its panels and the chooser
inline const QColor DialogColor{205, 235, 255};  // dialogs (Preferences, About)
// The window gradient itself is PaintGradient (shell/GridRoutines.h), from BlueThemeTop to white.

// Gives a widget a solid background colour.
void SetBackground(QWidget* widget, const QColor& color);

} // namespace Theme
