#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// The language file Quorvale.LNG in the program folder: one section per language ([English],
// [Portuguese]), key=value lines read with the settings-file rules.

QString LanguageFilePath(); // ProgramFolder + "Quorvale.LNG"

// The languages offered in Preferences.
QStringList OfferedLanguages();

// The box shown when the language file is missing, by language name; empty for a language that
// has none (no box is shown then).
QString MissingLanguageFileText(const QString& language);

// Makes language the CurrentLanguage, opens the language file (it stays open; a missing file
// leaves every text at its built-in value) and fills LangMsg and LangTitle. Returns false when the
// file is missing, after handing the missing-file text of the language (when it has one) to
// showMissing, which shows it before the tables are filled; the caller ends the program.
bool OpenLanguage(const QString& language, const std::function<void(const QString& text)>& showMissing);
