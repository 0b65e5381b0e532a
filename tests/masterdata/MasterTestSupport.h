#pragma once

// Helpers of the master-data screen tests: a company folder to work in, the records of a file, and
// pictures of the screens for a person to look at (QUORVALE_SHOTS names the folder).

#include "shell/StringGrid.h"
#include "store/AccessPatterns.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QWidget>

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

} // namespace testsupport
