#pragma once

// Helpers for screen tests: a main window stand-in that records what screens ask of it, scripted
// message boxes, and ways to find controls by name, type into them and click them.

#include "shell/MessageBox.h"
#include "shell/ShellHost.h"

#include <QAbstractButton>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <functional>

class StringGrid;

namespace testsupport {

// A ShellHost that records every call as a line ("ScreenClosed", "RunMenuCommand menu_EditEquip",
// "ParkOverlayPanels", "SetMenuItemEnabled menu_FilePrint 1") and installs itself while it lives.
class FakeShell : public ShellHost {
public:
    FakeShell();
    ~FakeShell() override;

    QWidget* MainWindow() override { return &window; }
    void ScreenClosed() override;
    void RunMenuCommand(const QString& menuItemName) override;
    void ParkOverlayPanels() override;
    void SetMenuItemEnabled(const QString& menuItemName, bool enabled) override;

    int count(const QString& call) const { return int(calls.count(call)); }

    QStringList calls;
    // What a menu command does in the test (open a screen, close one ...).
    std::function<void(const QString&)> onMenuCommand;
    QWidget window;

private:
    ShellHost* m_previous;
};

// Message boxes scripted for the lifetime of the object: nothing is shown, every text is recorded,
// answers come from answer() (the accepting button when none is left).
class ScriptedMessages {
public:
    ScriptedMessages();
    ~ScriptedMessages();
    ScriptedMessages& answer(MessageBox::Answer a);
    QStringList texts() const { return MessageBox::shownTexts(); }
    int count() const { return int(MessageBox::shown().size()); }
    void clear() { MessageBox::clearShown(); }

private:
    bool m_previous;
};

// The child of root with that objectName and type; fails the test (returns null) when missing.
template <class T>
T* control(QWidget* root, const QString& name)
{
    T* found = root->findChild<T*>(name);
    if (!found)
        QTest::qFail(qPrintable("no control " + name), __FILE__, __LINE__);
    return found;
}

// Focuses the control and types the text key by key (key filters apply).
void typeInto(QWidget* control, const QString& text);
// Empties a line edit (or the edit of an editable list), then types.
void replaceText(QWidget* control, const QString& text);
void click(QAbstractButton* button);
// A left-button press on the title of a column, as the user sorts.
void pressTitle(StringGrid* grid, int col);
void clickCell(StringGrid* grid, int col, int row);
void doubleClickCell(StringGrid* grid, int col, int row);

// For tests that run the main window: message boxes are scripted, closing the last window does not
// quit the test, and a requested end of the program is only recorded.
void PrepareMainWindowTests();

} // namespace testsupport
