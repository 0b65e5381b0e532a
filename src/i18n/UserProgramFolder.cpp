#include "i18n/UserProgramFolder.h"

#include "i18n/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kSettings = QStringLiteral("Quorvale.ini");
const QString kSample = QStringLiteral("Test_database");
const QStringList kProgramText{QStringLiteral("Quorvale.LNG"), QStringLiteral("Quorvale.chm")};

QString CopyReplacing(const QString& from, const QString& to)
{
    const QString temporary = to + QStringLiteral(".new");
    QFile::remove(temporary);
    if (!QFile::copy(from, temporary))
        return QStringLiteral("cannot copy %1 to %2").arg(from, temporary);
    QFile::setPermissions(temporary, QFile::permissions(temporary) | QFileDevice::WriteOwner);
    QFile::remove(to);
    if (!QFile::rename(temporary, to)) {
        QFile::remove(temporary);
        return QStringLiteral("cannot replace %1").arg(to);
    }
    return {};
}

bool SameContents(const QString& a, const QString& b)
{
    QFile fa(a), fb(b);
    if (fa.size() != fb.size() || !fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly))
        return false;
    return fa.readAll() == fb.readAll();
}

// The sample is copied into a temporary folder and renamed into place, so that an interrupted copy
// never leaves half a company that later starts would take for the user's.
QString CopySample(const QString& from, const QString& to)
{
    const QString temporary = to + QStringLiteral(".new");
    QDir(temporary).removeRecursively();
    if (!QDir().mkpath(temporary))
        return QStringLiteral("cannot create %1").arg(temporary);
    const QFileInfoList files = QDir(from).entryInfoList(QDir::Files);
    for (const QFileInfo& f : files) {
        const QString target = temporary + QLatin1Char('/') + f.fileName();
        if (!QFile::copy(f.filePath(), target)) {
            QDir(temporary).removeRecursively();
            return QStringLiteral("cannot copy %1").arg(f.filePath());
        }
        QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
    }
    if (!QDir().rename(temporary, to)) {
        QDir(temporary).removeRecursively();
        return QStringLiteral("cannot create %1").arg(to);
    }
    return {};
}

} // namespace

namespace UserProgramFolder {

QString DefaultLocation()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Quorvale");
}

QString Prepare(const QString& installed, const QString& user)
{
    const QDir from(installed);
    const QDir to(user);
    if (!QDir().mkpath(user))
        return QStringLiteral("cannot create %1").arg(user);
    const bool hadSettings = to.exists(kSettings);
    if (!hadSettings && from.exists(kSettings)) {
        if (QString e = CopyReplacing(from.filePath(kSettings), to.filePath(kSettings)); !e.isEmpty())
            return e;
    }
    if (!to.exists(kSample) && from.exists(kSample)) {
        if (QString e = CopySample(from.filePath(kSample), to.filePath(kSample)); !e.isEmpty())
            return e;
        // A fresh sample next to settings the user already had is converted again at the start.
        if (hadSettings)
            IniFile(to.filePath(kSettings)).WriteString(QStringLiteral("Options"), QStringLiteral("NeutralFormat"), QStringLiteral("0"));
    }
    for (const QString& name : kProgramText) {
        if (!from.exists(name) || SameContents(from.filePath(name), to.filePath(name)))
            continue;
        if (QString e = CopyReplacing(from.filePath(name), to.filePath(name)); !e.isEmpty())
            return e;
    }
    return {};
}

namespace {

bool UsesExecutableFolder(const QString& executableFolder)
{
    const QFileInfo folder(executableFolder);
    const QFileInfo settings(executableFolder + QStringLiteral("/") + kSettings);
    return folder.isWritable() && (!settings.exists() || settings.isWritable());
}

} // namespace

QString Choose(const QString& executableFolder, const QString& userFolder)
{
    if (UsesExecutableFolder(executableFolder))
        return executableFolder;
    if (!Prepare(executableFolder, userFolder).isEmpty())
        return executableFolder;
    return userFolder;
}

QString Find(const QString& executableFolder, const QString& userFolder)
{
    if (UsesExecutableFolder(executableFolder))
        return executableFolder;
    if (QFileInfo(userFolder + QStringLiteral("/") + kSettings).isFile())
        return userFolder;
    return executableFolder;
}

} // namespace UserProgramFolder
