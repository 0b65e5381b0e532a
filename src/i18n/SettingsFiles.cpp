#include "i18n/SettingsFiles.h"

#include "i18n/IniFile.h"
#include "i18n/Language.h"
#include "i18n/ProgramState.h"
#include "i18n/Settings.h"

#include <QDir>

namespace {

const QStringList& paperSizes()
{
    static const QStringList names{QStringLiteral("A4"), QStringLiteral("A5"), QStringLiteral("Legal"),
                                   QStringLiteral("Letter")};
    return names;
}

const QStringList& orientations()
{
    static const QStringList names{QStringLiteral("Portrait"), QStringLiteral("Landscape")};
    return names;
}

} // namespace

int PaperSizeFromText(const QString& text)
{
    const int i = int(paperSizes().indexOf(text));
    return i < 0 ? 0 : i;
}

QString PaperSizeText(int index) { return paperSizes().value(index, paperSizes().first()); }

int PaperOrientationFromText(const QString& text)
{
    const int i = int(orientations().indexOf(text));
    return i < 0 ? 0 : i;
}

QString PaperOrientationText(int orientation) { return orientations().value(orientation, orientations().first()); }

QString DataRootFolder(const IniFile& programIni, const QString& programFolder)
{
    QString path = programIni.ReadString(Settings::Options, QStringLiteral("DataPath"), programFolder).trimmed();
    if (path.isEmpty())
        path = programFolder;
    path = QDir::fromNativeSeparators(path);
    if (QDir::isRelativePath(path))
        path = QDir(programFolder).absoluteFilePath(path);
    return WithTrailingSlash(path);
}

ProgramOptions ReadProgramOptions(const IniFile& ini, const QString& programFolder, int designWidth, int designHeight)
{
    const QString& o = Settings::Options;
    ProgramOptions p;
    p.savePosition = ini.ReadBool(o, QStringLiteral("SavePosition"), false);
    p.left = ini.ReadInteger(o, QStringLiteral("SavePosLeft"), Settings::DefaultLeft);
    p.top = ini.ReadInteger(o, QStringLiteral("SavePosTop"), Settings::DefaultTop);
    p.height = ini.ReadInteger(o, QStringLiteral("SavePosHeight"), designHeight);
    p.width = ini.ReadInteger(o, QStringLiteral("SavePosWidth"), designWidth);
    p.stayOnTop = ini.ReadString(o, QStringLiteral("FormStyle"), QStringLiteral("fsNormal")) == QLatin1String("fsStayOnTop");
    p.minimized = ini.ReadString(o, QStringLiteral("WindowState"), QStringLiteral("wsNormal")) == QLatin1String("wsMinimized");
    p.blueTheme = ini.ReadBool(o, QStringLiteral("BlueTheme"), true);
    p.paperSize = PaperSizeFromText(ini.ReadString(o, QStringLiteral("Papersize"), QStringLiteral("A4")));
    p.paperOrientation = PaperOrientationFromText(ini.ReadString(o, QStringLiteral("Paperorient"), QStringLiteral("Portrait")));
    p.dataRoot = DataRootFolder(ini, programFolder);
    p.language = ini.ReadString(o, QStringLiteral("Language"), QStringLiteral("English"));

    SavePosition = p.savePosition;
    BlueTheme = p.blueTheme;
    PaperSizeIndex = p.paperSize;
    PaperOrientation = p.paperOrientation;
    CurrentLanguage = p.language;
    return p;
}

QString StockModeOf(const IniFile& programIni, const QString& company)
{
    return programIni.ReadString(company, QStringLiteral("Quorvale"), QStringLiteral("Manual"));
}

void ReadCompanySettings(const IniFile& programIni, const IniFile& dataIni, const QString& company)
{
    StockAuto = StockModeOf(programIni, company) != QLatin1String("Manual");
    HourControl = dataIni.ReadBool(company, QStringLiteral("HourControl"), true);
    HourStoped = dataIni.ReadBool(company, QStringLiteral("HourStoped"), true);
    HoursPerDay = dataIni.ReadInteger(company, QStringLiteral("HoursPerDay"), Settings::DefaultHoursPerDay);
    DaysPerWeek = dataIni.ReadInteger(company, QStringLiteral("DaysPerWeek"), Settings::DefaultDaysPerWeek);
}

QString ReadShiftHours(const IniFile& dataIni, const QString& company)
{
    return dataIni.ReadString(company, QStringLiteral("ShiftHours"), Settings::DefaultShiftHours);
}

QString ReadShiftDefault(const IniFile& dataIni, const QString& company)
{
    return dataIni.ReadString(company, QStringLiteral("ShiftDefault"), Settings::DefaultShiftDefault);
}

void WriteShiftDefault(IniFile& dataIni, const QString& company, const QString& shift)
{
    dataIni.WriteString(company, QStringLiteral("ShiftDefault"), shift);
}

QString ReadStockMailFrom(const IniFile& dataIni, const QString& company)
{
    return dataIni.ReadString(company, QStringLiteral("StockMailFrom"), QString());
}

void WriteStockMailFrom(IniFile& dataIni, const QString& company, const QString& address)
{
    dataIni.WriteString(company, QStringLiteral("StockMailFrom"), address.trimmed());
}
