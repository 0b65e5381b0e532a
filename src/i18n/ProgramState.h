#pragma once

#include <QString>
#include <memory>

class IniFile;

// The state of the program that the shell, the settings and the calculations share: its folders,
// the company in use and the two settings files (see SettingsFiles for their keys).

// The executable's folder, or the folder named by QUORVALE_HOME; always ends in "/".
QString ComputeProgramFolder();

extern QString ProgramFolder;          // ends in "/"
extern QString DatabaseFolder;         // data root while choosing, else data root + company + "/"
extern QString PreviousDatabaseFolder; // DatabaseFolder when the chooser was last opened
extern QString CurrentCompany;

extern std::unique_ptr<IniFile> ProgramIni; // Quorvale.ini in the program folder
extern std::unique_ptr<IniFile> DataIni;    // Quorvale.ini in the data root

// DatabaseFolder + the data file's name.
QString DataFilePath(const QString& fileName);

// A folder text with a trailing "/".
QString WithTrailingSlash(const QString& folder);
