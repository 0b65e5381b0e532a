#pragma once

#include <QString>

class QWidget;

// What the screens and shared routines ask of the main window. TForm1 implements it; tests may
// install a small host of their own.
class ShellHost {
public:
    virtual ~ShellHost() = default;

    virtual QWidget* MainWindow() = 0;
    // Run by every screen's Close button: resets the toolbar and caption, adds the screen's title
    // to the history list.
    virtual void ScreenClosed() = 0;
    // Runs the main menu command of the item with that objectName ("menu_EditEquip").
    virtual void RunMenuCommand(const QString& menuItemName) = 0;
    // Parks every overlay panel of the main window (out of sight, disabled).
    virtual void ParkOverlayPanels() = 0;
    virtual void SetMenuItemEnabled(const QString& menuItemName, bool enabled) = 0;
};

ShellHost* Shell(); // may be null (no main window, as in some tests)
void SetShell(ShellHost* host);
