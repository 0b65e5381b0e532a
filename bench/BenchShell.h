#pragma once

// The main window as far as the screens of a benchmark ask for it.

#include "shell/ShellHost.h"

#include <QString>
#include <QWidget>

// The main window of the screens: a plain widget they are shown in.
class BenchShell : public ShellHost {
public:
    QWidget* MainWindow() override { return &window; }
    void ScreenClosed() override {}
    void RunMenuCommand(const QString&) override {}
    void ParkOverlayPanels() override {}
    void SetMenuItemEnabled(const QString&, bool) override {}
    QWidget window;
};
