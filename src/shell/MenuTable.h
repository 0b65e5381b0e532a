#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QWidget;
class ScreenForm;

// Creates a hosted screen with the given parent (the main window's client area).
using ScreenFactory = std::function<ScreenForm*(QWidget* parent)>;

template <class Screen>
ScreenForm* NewScreen(QWidget* parent)
{
    return new Screen(parent);
}

// One main-menu command that opens a screen: the screen class, its title (an entry of LangTitle,
// or that entry followed by " (view)"), the help context, and the data files it needs.
struct MenuCommand {
    QString item;              // objectName of the menu item
    ScreenFactory factory;     // the screen; empty while its class does not exist (the command does nothing)
    int title = 0;             // LangTitle entry
    bool view = false;         // the title gets " (view)"
    int helpContext = 0;
    QStringList requiredFiles; // in the company folder; checked before the hosted screen is closed
    QList<int> missingMessage; // LangMsg entries joined by CR, shown when a required file is missing
    bool needsRecord = false;  // the check runs after the hosted screen was closed and also
                               // requires the (first) file to hold at least one record

    QString ScreenTitle() const;
    QString MissingText() const;
};

// The commands of the main menu that open screens, in menu order. A screen class joins the program
// by naming its factory in its line of MenuTable.cpp.
std::vector<MenuCommand>& MenuTable();
MenuCommand* FindMenuCommand(const QString& item);
