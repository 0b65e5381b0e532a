#include "i18n/ProgramState.h"

#include "i18n/IniFile.h"
#include "i18n/UserProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

QString ProgramFolder;
QString DatabaseFolder;
QString PreviousDatabaseFolder;
QString CurrentCompany;

std::unique_ptr<IniFile> ProgramIni;
std::unique_ptr<IniFile> DataIni;

QString WithTrailingSlash(const QString& folder)
{
    QString f = QDir::fromNativeSeparators(folder);
    if (!f.endsWith('/'))
        f += '/';
    return f;
}

QString ComputeProgramFolder()
{
    const QByteArray home = qgetenv("QUORVALE_HOME");
    if (!home.isEmpty())
        return WithTrailingSlash(QDir(QString::fromLocal8Bit(home)).absolutePath());
    // Installed where the user may not write: the user's own program folder, made from it.
    return WithTrailingSlash(UserProgramFolder::Choose(QCoreApplication::applicationDirPath(), UserProgramFolder::DefaultLocation()));
}

QString DataFilePath(const QString& fileName) { return DatabaseFolder + fileName; }
