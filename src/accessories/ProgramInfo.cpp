#include "accessories/ProgramInfo.h"

QString SupportAddress() { return QStringLiteral("support@quorvale.example"); }

QString ProgramVersionText()
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(QUORVALE_VERSION_MAJOR)
        .arg(QUORVALE_VERSION_MINOR)
        .arg(QUORVALE_VERSION_PATCH)
        .arg(0);
}
