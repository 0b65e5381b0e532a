#include "i18n/LanguageFile.h"

#include "i18n/Language.h"
#include "i18n/ProgramState.h"

#include <QFileInfo>

QString LanguageFilePath() { return ProgramFolder + QStringLiteral("Quorvale.LNG"); }

QStringList OfferedLanguages() { return {QStringLiteral("English"), QStringLiteral("Portuguese")}; }

QString MissingLanguageFileText(const QString& language)
{
    if (language == QLatin1String("English"))
        return QStringLiteral("No language file !  Please reinstall.");
    if (language == QLatin1String("Portuguese"))
        return QStringLiteral("Sem ficheiro de linguagem !  Reinstale, por favor.");
    return QString();
}

bool OpenLanguage(const QString& language, const std::function<void(const QString& text)>& showMissing)
{
    CurrentLanguage = language;
    const QString path = LanguageFilePath();
    const bool present = QFileInfo(path).isFile();
    if (!present) {
        const QString text = MissingLanguageFileText(language);
        if (!text.isEmpty() && showMissing)
            showMissing(text);
    }
    OpenLanguageFile(path);
    LoadLanguageTables();
    return present;
}
