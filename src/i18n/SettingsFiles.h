#pragma once

#include <QString>

class IniFile;

// The two settings files, both named Quorvale.ini:
//
// ProgramIni, in the program folder:
//   [Options] SavePosition (bool, 0)   restore the main window's place and size at start
//             SavePosLeft (196), SavePosTop (108), SavePosHeight, SavePosWidth (the design size)
//             FormStyle ("fsNormal"; "fsStayOnTop")   WindowState ("wsNormal"; "wsMinimized")
//             BlueTheme (bool, 1)   Papersize ("A4", "A5", "Legal", "Letter")
//             Paperorient ("Portrait", "Landscape")   DataPath (the program folder)
//             Language ("English")   LastSuplier (empty)   Version   NeutralFormat (bool, 0)
//   [<company>] Quorvale ("Manual"; "Auto")   stock movement mode of the company
//
// DataIni, in the data root folder (DataPath):
//   [Supliers] Number (0), Sup1 ... Sup<Number>   the companies in creation order
//   [Options]  LastSuplier                        the company created last
//   [<company>] HourControl (bool, 1)  HourStoped (bool, 1)  HoursPerDay (24)  DaysPerWeek (7)
//               ShiftHours ("081624")  ShiftDefault ("08")
//               StockMailFrom (empty)   the sender of the stock mail to clients
//
// A missing or unreadable file, or a missing key, reads as the default.
namespace Settings {

inline const QString FileName = QStringLiteral("Quorvale.ini");
inline const QString Options = QStringLiteral("Options");
inline const QString Supliers = QStringLiteral("Supliers");

inline constexpr int DefaultLeft = 196;
inline constexpr int DefaultTop = 108;
inline constexpr int DefaultHoursPerDay = 24;
inline constexpr int DefaultDaysPerWeek = 7;
inline const QString DefaultShiftHours = QStringLiteral("081624");
inline const QString DefaultShiftDefault = QStringLiteral("08");

} // namespace Settings

// The program-wide options as read at start-up.
struct ProgramOptions {
    bool savePosition = false;
    int left = Settings::DefaultLeft;
    int top = Settings::DefaultTop;
    int height = 0; // the given design size when not stored
    int width = 0;
    bool stayOnTop = false;
    bool minimized = false;
    bool blueTheme = true;
    int paperSize = 0;        // 0 A4, 1 A5, 2 Legal, 3 Letter
    int paperOrientation = 0; // 0 portrait, 1 landscape
    QString dataRoot;         // ends in "/"
    QString language = QStringLiteral("English");
};

// Reads [Options] of the program settings; designWidth and designHeight are the defaults of the
// stored size. Sets the in-memory settings SavePosition, BlueTheme, PaperSizeIndex,
// PaperOrientation and CurrentLanguage.
ProgramOptions ReadProgramOptions(const IniFile& programIni, const QString& programFolder, int designWidth,
                                  int designHeight);

// The data root: "DataPath" of the program settings (default the program folder), ending in "/".
// A relative path is taken from the program folder.
QString DataRootFolder(const IniFile& programIni, const QString& programFolder);

// Paper settings as stored: index 0..3 <-> "A4", "A5", "Legal", "Letter"; 0..1 <-> "Portrait",
// "Landscape". A text that is none of these gives 0.
int PaperSizeFromText(const QString& text);
QString PaperSizeText(int index);
int PaperOrientationFromText(const QString& text);
QString PaperOrientationText(int orientation);

// The settings of a company, read when it is opened: StockAuto from the program settings, and
// HourControl, HourStoped, HoursPerDay, DaysPerWeek from the data settings.
void ReadCompanySettings(const IniFile& programIni, const IniFile& dataIni, const QString& company);

// The stock movement mode text of a company ("Manual" when not stored).
QString StockModeOf(const IniFile& programIni, const QString& company);

// Shift lengths offered by the production entries ("081624") and the shift used last ("08").
QString ReadShiftHours(const IniFile& dataIni, const QString& company);
QString ReadShiftDefault(const IniFile& dataIni, const QString& company);
void WriteShiftDefault(IniFile& dataIni, const QString& company, const QString& shift);

// The sender address of the company's stock mail to clients (empty: the mail names no sender).
QString ReadStockMailFrom(const IniFile& dataIni, const QString& company);
void WriteStockMailFrom(IniFile& dataIni, const QString& company, const QString& address);
