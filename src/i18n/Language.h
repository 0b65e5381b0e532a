#pragma once

#include <QSet>
#include <QString>

class IniFile;

// The texts the user reads: the message table, the screen-title table and every screen text, each
// with a built-in value that the language file (Quorvale.LNG, one section per language) replaces.

inline constexpr int LangMsgCount = 73;
inline constexpr int LangTitleCount = 24;

extern QString LangMsg[LangMsgCount];     // entry N from key "msg<N+1>"
extern QString LangTitle[LangTitleCount]; // entry N from key "hint<N+1>"
extern QString CurrentLanguage;           // the section of the language file in use

// The value of key in the CurrentLanguage section of the open language file, or the built-in text
// when the file, the section or the key is absent.
QString LangText(const QString& key, const QString& builtIn);

// From now on every key that LangText is asked for goes into keys as well (none: no longer), so that
// a check of the language file can see which keys the open windows read.
void RecordRequestedKeys(QSet<QString>* keys);

// The language file that LangText reads (the program folder's Quorvale.LNG); none = built-ins.
void OpenLanguageFile(const QString& path);
void CloseLanguageFile();
bool LanguageFileIsOpen();

// Built-in texts of both tables.
QString BuiltInMsg(int index);
QString BuiltInTitle(int index);
// Puts the built-in texts into LangMsg and LangTitle.
void ResetLanguageTables();
// Fills LangMsg and LangTitle from the open language file for CurrentLanguage.
void LoadLanguageTables();

// The client text that marks a production order (LangTitle[19], built-in "Produção").
inline const QString& ProductionClient() { return LangTitle[19]; }

// Captions that many windows share, each from its "button_" key of the language file with the
// built-in text given.
namespace Caption {
QString Add();         // "Add"
QString Edit();        // "Edit"
QString Delete();      // "Delete"
QString Close();       // "Close"
QString Duplicate();   // "Duplicate"
QString ToFile();      // "To File"
QString Start();       // "Start"
QString Cancel();      // "Cancel"
QString Send();        // "Send"
QString Print();       // "Print"
QString File();        // "File" (export a list to a text file)
QString Copy();        // "Copy" (a list to the clipboard)
QString PanelOk();     // "ok" of a small panel or dialog
QString PanelCancel(); // "cancel" of a small panel or dialog

// The key of the shared caption that reads `text` in the language in use ("button_close" for
// Close() in English); empty when the text is none of them. A button made with a shared caption
// keeps its key, so that it can take its caption again when the language changes.
QString KeyOf(const QString& text);
// The shared caption of a key, in the language in use; empty for a key that is none of them.
QString OfKey(const QString& key);
} // namespace Caption
