#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

class IniFile;

// The companies: their list in the data settings ([Supliers] Number and Sup1 ... SupN, in creation
// order) and their folders under the data root (data root + name + "/").
namespace Companies {

// The names of the list; an entry whose key is missing reads "(none)".
QStringList ReadList(const IniFile& dataIni);
// Writes the names as Sup1 ... SupN with Number = N and removes any Sup key beyond N.
void WriteList(IniFile& dataIni, const QStringList& names);

// A typed name as it is stored: blanks around it dropped, the first character in upper case and
// all others in lower case.
QString Normalize(const QString& typed);

// Why a name cannot be a company (its folder name and a section of both settings files): empty,
// "." or "..", a path separator or a character no file name may hold, a character the settings
// files cannot store, or quotes around it. Empty when the name is acceptable.
QString NameProblem(const QString& name);

// The message shown for a refused name.
QString BadNameMessage(const QString& name);
// The message shown when the list already holds the name.
QString ExistsMessage(const QString& name);

// True when the list holds the name in any letter case.
bool ListHolds(const QStringList& list, const QString& name);

// The folder a deleted company's data is moved to: data root + "_deleted_" + name + "_" + the
// moment as yyyyMMdd-hhmmss (a counter is added when that folder exists).
QString DeletedFolderFor(const QString& dataRoot, const QString& name, const QDateTime& when);

struct Removal {
    bool removed = false;  // taken out of the list
    QString movedTo;       // where its folder went; empty when it had none or it was kept
    QString keptAt;        // the folder left in place because the program needs it
    QString error;         // why nothing was done
};
// Takes the company out of the list (the other keys renumbered without gaps) and moves its folder
// aside, never deleting a file. When the folder cannot be moved the list is left as it was. A
// company whose folder is keepFolder (the program folder's sample company, which the installation
// check at start-up looks for) only leaves the list: its folder stays where it is.
Removal Remove(IniFile& dataIni, const QString& dataRoot, const QString& name, const QDateTime& when,
               const QString& keepFolder = QString());

// The message that says where a deleted company's data went (or that its folder stayed).
QString RemovedMessage(const QString& name, const QString& movedTo, const QString& keptAt = QString());

} // namespace Companies
