#pragma once

// Helpers of the master-data screen tests: a company folder to work in, the records of a file, and
// pictures of the screens for a person to look at (QUORVALE_SHOTS names the folder).

#include "shell/Globals.h"
#include "shell/StringGrid.h"
#include "store/AccessPatterns.h"
#include "store/RegionalSettings.h"
#include "support/ShellTestSupport.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <memory>

namespace testsupport {

template <class R>
std::vector<R> recordsOf(const QString& path)
{
    return ReadAllRecordsIfExists<R>(path);
}

// The texts of one column of the data rows.
inline QStringList columnTexts(const StringGrid* grid, int col)
{
    QStringList texts;
    for (int r = 1; r < grid->RowCount(); ++r)
        texts << grid->Cells(col, r);
    return texts;
}

// The data row whose column holds the text; 0 when none.
inline int rowWith(const StringGrid* grid, int col, const QString& text)
{
    for (int r = 1; r < grid->RowCount(); ++r)
        if (grid->Cells(col, r) == text)
            return r;
    return 0;
}

// Copies the sample company into the folder (which ends in "/").
inline void copySampleCompany(const QString& folder)
{
    const QDir sample(QStringLiteral(QUORVALE_PROGRAM_DIR "/../sample/Test_database"));
    for (const QString& name : sample.entryList(QDir::Files)) {
        QFile::remove(folder + name);
        QFile::copy(sample.filePath(name), folder + name);
        QFile::setPermissions(folder + name, QFile::ReadOwner | QFile::WriteOwner);
    }
}

// Saves a picture of the widget when QUORVALE_SHOTS names a folder.
inline void saveShot(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("QUORVALE_SHOTS");
    if (!folder.isEmpty())
        widget->grab().save(folder + '/' + name + ".png");
}

// A company folder of its own, message boxes scripted, a point locale, and the screens opened as
// the main window opens them, by their menu command.
class MasterScreens {
public:
    MasterScreens()
    {
        RegionalSettings::setCurrent(RegionalSettings::pointLocale());
        DatabaseFolder = folder.path();
    }
    ~MasterScreens() { DatabaseFolder.clear(); }

    QString path(const QString& fileName) const { return folder.file(fileName); }

    // Opens the screen of the menu command at the main window's smallest size and waits until it
    // is on screen.
    template <class Screen>
    Screen* open(const char* menuItem)
    {
        Q_UNUSED(menuItem);
        auto* screen = new Screen(&shell.window);
        shell.window.resize(640, 400);
        screen->setGeometry(0, 1, 640, 399);
        shell.window.show();
        screen->show();
        if (!QTest::qWaitForWindowActive(&shell.window))
            qWarning("the window did not become active");
        return screen;
    }

    TempFolder folder;
    FakeShell shell;
    ScriptedMessages messages;
};

} // namespace testsupport
