#pragma once

#include <QString>

// A program installed where its user may not write (a system package in /usr/lib/quorvale) keeps
// the user's settings, the sample company and the companies made from it in a program folder of
// the user's own. That folder is made on the first start from the installed one: the settings file
// and the sample company are copied once and then belong to the user; the language file and the
// help file are program text and follow the installed ones at every start.
namespace UserProgramFolder {

// The folder for a user of an installation in a folder they cannot write:
// <the user's data folder>/Quorvale/ (for example ~/.local/share/Quorvale/).
QString DefaultLocation();

// Brings `user` up to date from the installed folder `installed` as said above. Empty on success,
// else the reason (the folder cannot be made or a file cannot be copied).
QString Prepare(const QString& installed, const QString& user);

// The program folder of an executable in `executableFolder`: that folder when the user may write
// there, else the prepared user folder (the executable folder again when that cannot be prepared,
// so that the start-up check tells what is missing).
QString Choose(const QString& executableFolder, const QString& userFolder);

// The program folder that Choose gives, without making or copying anything (for programs that only
// read the settings): the executable folder when the user may write there, else the user folder
// when it holds the settings file, else the executable folder.
QString Find(const QString& executableFolder, const QString& userFolder);

} // namespace UserProgramFolder
