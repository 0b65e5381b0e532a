#pragma once

#include <QColor>

class QPainter;
class QWidget;

// The light blue look of the BlueTheme setting.
namespace Theme {

inline const QColor PanelColor{240, 247, 255};   // the main window, its panels and the chooser
inline const QColor DialogColor{205, 235, 255};  // dialogs (Preferences, About)
inline const QColor GradientTop{197, 228, 252};
inline const QColor GradientBottom{255, 255, 255};

// Fills a width x height area from the top with a vertical gradient in bands: N = min(height, 250)
// bands + 1, band i of colour top + (bottom - top) x (i x 100 div N) div 100 (integer steps), at
// y = i x (height div N + 1), each height div N + 1 high. Nothing is painted for a height of 0.
void PaintGradient(QPainter& painter, int width, int height, const QColor& top, const QColor& bottom);

// Gives a widget a solid background colour.
void SetBackground(QWidget* widget, const QColor& color);

} // namespace Theme
