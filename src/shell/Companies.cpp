#include "shell/Companies.h"

#include "i18n/IniFile.h"
#include "i18n/Language.h"
#include "i18n/SettingsFiles.h"
#include "i18n/ProgramState.h"
#include "store/Cp1252.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace Companies {

namespace {
const QString kNumber = QStringLiteral("Number");
QString supKey(int k) { return QStringLiteral("Sup%1").arg(k); }
} // namespace

QStringList ReadList(const IniFile& dataIni)
{
    const int n = dataIni.ReadInteger(Settings::Supliers, kNumber, 0);
    QStringList names;
    for (int k = 1; k <= n; ++k)
        names << dataIni.ReadString(Settings::Supliers, supKey(k), QStringLiteral("(none)"));
    return names;
}

void WriteList(IniFile& dataIni, const QStringList& names)
{
    for (int k = 1; k <= int(names.size()); ++k)
        dataIni.WriteString(Settings::Supliers, supKey(k), names[k - 1]);
    // Keys beyond the new count (left by a removal, or by a hand-edited file) go.
    const QStringList keys = dataIni.ReadSection(Settings::Supliers);
    for (const QString& key : keys) {
        if (!key.startsWith(QLatin1String("Sup"), Qt::CaseInsensitive))
            continue;
        bool ok = false;
        const int k = key.mid(3).toInt(&ok);
        if (ok && k > int(names.size()))
            dataIni.DeleteKey(Settings::Supliers, key);
    }
    dataIni.WriteInteger(Settings::Supliers, kNumber, int(names.size()));
}

QString Normalize(const QString& typed)
{
    const QString t = typed.trimmed();
    if (t.isEmpty())
        return t;
    return t.left(1).toUpper() + t.mid(1).toLower();
}

QString NameProblem(const QString& name)
{
    const QString t = name.trimmed();
    if (t.isEmpty())
        return QStringLiteral("empty");
    if (t == QLatin1String(".") || t == QLatin1String(".."))
        return QStringLiteral("\".\" or \"..\"");
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|[]");
    for (const QChar c : t) {
        if (forbidden.contains(c))
            return QStringLiteral("character %1").arg(c);
        if (c.unicode() < 32 || c.unicode() == 127)
            return QStringLiteral("control character");
    }
    // The settings files are Windows-1252: a name they cannot hold would no longer name its folder.
    if (Cp1252::decode(Cp1252::encode(t)) != t)
        return QStringLiteral("character outside Windows-1252");
    if (t.size() >= 2 && t.front() == QLatin1Char('\'') && t.back() == QLatin1Char('\''))
        return QStringLiteral("quoted");
    return QString();
}

QString BadNameMessage(const QString& name)
{
    return "'" + name + "'\r\r"
           + LangText(QStringLiteral("msg_BadCompanyName"),
                      QStringLiteral("A company name is also a folder name: it may not be empty, \".\" or \"..\", "
                                     "nor hold any of the characters  \\ / : * ? \" < > | [ ]  or characters "
                                     "outside the Western European set."));
}

QString ExistsMessage(const QString& name)
{
    return "'" + name + "'\r\r"
           + LangText(QStringLiteral("msg_CompanyExists"), QStringLiteral("There is already a company of this name."));
}

bool ListHolds(const QStringList& list, const QString& name)
{
    for (const QString& entry : list)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString DeletedFolderFor(const QString& dataRoot, const QString& name, const QDateTime& when)
{
    const QString base = dataRoot + QStringLiteral("_deleted_") + name + "_" + when.toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString candidate = base;
    for (int k = 2; QFileInfo::exists(candidate); ++k)
        candidate = base + QStringLiteral("-%1").arg(k);
    return candidate + "/";
}

Removal Remove(IniFile& dataIni, const QString& dataRoot, const QString& name, const QDateTime& when,
               const QString& keepFolder)
{
    Removal r;
    QStringList list = ReadList(dataIni);
    const QString folder = dataRoot + name;
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (!name.isEmpty() && !canonical.isEmpty() && !keepFolder.isEmpty()
        && canonical == QFileInfo(keepFolder).canonicalFilePath()) {
        r.keptAt = WithTrailingSlash(folder);
    } else if (!name.isEmpty() && QFileInfo(folder).isDir()) {
        const QString target = DeletedFolderFor(dataRoot, name, when);
        const QString to = target.left(target.size() - 1);
        const QByteArray fromBytes = QFile::encodeName(folder);
        const QByteArray toBytes = QFile::encodeName(to);
        if (std::rename(fromBytes.constData(), toBytes.constData()) != 0) {
            r.error = LangText(QStringLiteral("msg_CannotMoveFolder"), QStringLiteral("Cannot move the folder:")) + "\r"
                      + QDir::toNativeSeparators(folder) + "\r-> " + QDir::toNativeSeparators(to) + "\r"
                      + QString::fromLocal8Bit(std::strerror(errno));
            return r;
        }
        r.movedTo = target;
    }
    list.removeAll(name);
    WriteList(dataIni, list);
    r.removed = true;
    return r;
}

QString RemovedMessage(const QString& name, const QString& movedTo, const QString& keptAt)
{
    QString text = "'" + name + "'\r\r"
                   + LangText(QStringLiteral("msg_CompanyRemoved"),
                              QStringLiteral("The company was taken out of the list; none of its data was deleted."));
    if (!movedTo.isEmpty())
        text += "\r" + LangText(QStringLiteral("msg_CompanyMovedTo"), QStringLiteral("Its folder is now:")) + "\r"
                + QDir::toNativeSeparators(movedTo);
    if (!keptAt.isEmpty())
        text += "\r"
                + LangText(QStringLiteral("msg_CompanyFolderKept"),
                           QStringLiteral("Its folder stays where it is: the program needs its sample company."))
                + "\r" + QDir::toNativeSeparators(keptAt);
    return text;
}

} // namespace Companies
