#pragma once

#include <QPointer>
#include <QString>
#include <memory>

class IniFile;
class QAbstractButton;
class StringGrid;

// State of the application shell, shared by every screen.

// The executable's folder, or the folder named by QUORVALE_HOME; always ends in "/".
QString ComputeProgramFolder();

extern QString ProgramFolder;          // ends in "/"
extern QString DatabaseFolder;         // data root while choosing, else data root + company + "/"
extern QString PreviousDatabaseFolder; // DatabaseFolder when the chooser was last opened
extern QString CurrentCompany;

extern std::unique_ptr<IniFile> ProgramIni; // Quorvale.ini in the program folder
extern std::unique_ptr<IniFile> DataIni;    // Quorvale.ini in the data root

extern QPointer<QAbstractButton> CurrentCloseButton; // Close button of the hosted screen
extern QPointer<StringGrid> CurrentGrid;             // main grid of the hosted screen

// DatabaseFolder + the data file's name.
QString DataFilePath(const QString& fileName);

// A folder text with a trailing "/".
QString WithTrailingSlash(const QString& folder);
