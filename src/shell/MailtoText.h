#pragma once

#include <QString>

// The parts of a mailto link. Each text is percent-encoded as UTF-8, so that a "?", "&", "#" or "%"
// in it cannot add recipients or cut the message short; the user's mail program decodes it and
// shows the text as it was. Line breaks of a body are written between the encoded parts as "%0A".

// Text for the subject or the body: every character but letters, digits and "-._~" encoded.
QString MailtoText(const QString& text);
// An address: the same, but "@" stays as it is ("a@b.pt?bcc=x@y.com" becomes
// "a@b.pt%3Fbcc%3Dx@y.com", one address however odd, never a second recipient).
QString MailtoAddress(const QString& address);
