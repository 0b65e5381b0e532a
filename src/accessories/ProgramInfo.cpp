#include "accessories/ProgramInfo.h"

#include <QStringList>

// The build defines QUORVALE_SUPPORT_ADDRESS and QUORVALE_FILE_VERSION for this file alone.
#ifndef QUORVALE_SUPPORT_ADDRESS
#define QUORVALE_SUPPORT_ADDRESS "support@quorvale.example"
#endif
#ifndef QUORVALE_FILE_VERSION
#define QUORVALE_FILE_VERSION ""
#endif

QString SupportAddress() { return QStringLiteral(QUORVALE_SUPPORT_ADDRESS); }

QString FormatProgramVersion(const QString& version)
{
    const QStringList parts = version.trimmed().split(QLatin1Char('.'));
    if (version.trimmed().isEmpty() || parts.size() > 4)
        return {};
    QStringList numbers;
    for (const QString& p : parts) {
        bool ok = false;
        const uint n = p.toUInt(&ok);
        if (!ok || n > 65535)
            return {};
        numbers << QString::number(n);
    }
    while (numbers.size() < 4)
        numbers << QStringLiteral("0");
    return numbers.join(QLatin1Char('.'));
}

QString ProgramVersionText() { return FormatProgramVersion(QStringLiteral(QUORVALE_FILE_VERSION)); }
