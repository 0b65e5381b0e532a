#include "shell/MailtoText.h"

#include <QUrl>

QString MailtoText(const QString& text) { return QString::fromLatin1(QUrl::toPercentEncoding(text)); }

QString MailtoAddress(const QString& address)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(address, QByteArrayLiteral("@")));
}
