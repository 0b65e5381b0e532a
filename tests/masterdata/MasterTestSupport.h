#pragma once

// Helpers of the master-data screen tests: a company folder to work in, the records of a file, the
// program started on it.

#include "shell/Globals.h"
#include "shell/StringGrid.h"
#include "store/AccessPatterns.h"
#include "store/RegionalSettings.h"
#include "i18n/Language.h"
#include "shell/TForm1.h"
#include "support/ProgramHome.h"
#include "support/ShellTestSupport.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
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

// The program as a user starts it: a program folder of its own (QUORVALE_HOME) with one company,
// the main window at its smallest size with that company open, message boxes scripted and a point
// locale. Screens are opened by their menu commands.
class MasterScreens {
public:
    // options: further lines of the [Options] section of the settings file ("Language=Portuguese").
    explicit MasterScreens(const QByteArray& options = QByteArray())
        : home("[Options]\r\nLastSuplier=Firma\r\n" + options + "[Supliers]\r\nNumber=1\r\nSup1=Firma\r\n"
               "[Firma]\r\nHoursPerDay=24\r\n")
    {
        QApplication::setQuitOnLastWindowClosed(false);
        TForm1::SetProgramEndHandler({});
        CurrentLanguage = QStringLiteral("English");
        RegionalSettings::setCurrent(RegionalSettings::pointLocale());
        form = std::make_unique<TForm1>();
        form->resize(form->minimumSize());
        form->show();
        if (!QTest::qWaitForWindowActive(form.get()))
            qWarning("the main window did not become active");
        auto* companies = form->findChild<QComboBox*>(QStringLiteral("ComboBox_Suplier"));
        companies->setCurrentIndex(companies->findText(QStringLiteral("Firma")));
        form->findChild<QAbstractButton*>(QStringLiteral("Button_Suplier"))->click();
        messages.clear();
    }
    ~MasterScreens()
    {
        form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The company's folder (ends in "/") and a file in it.
    QString companyFolder() const { return DatabaseFolder; }
    QString path(const QString& fileName) const { return DatabaseFolder + fileName; }

    // Runs the menu command and returns the screen it opened (null when it opened none).
    template <class Screen>
    Screen* open(const char* menuItem)
    {
        form->MenuItem(QString::fromLatin1(menuItem))->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return qobject_cast<Screen*>(form->CurrentScreen());
    }

    ScriptedMessages messages; // before the main window, whose start-up may show boxes
    ProgramHome home;
    std::unique_ptr<TForm1> form;
};

} // namespace testsupport
