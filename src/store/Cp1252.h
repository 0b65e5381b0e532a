#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, the character set of every text field and of the settings and language files.
// Decoding maps the five bytes that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// to the control characters of the same value, so that any byte sequence survives a round trip.
// Encoding writes "?" for a character that has no Windows-1252 byte (one per code point).
namespace Cp1252 {

QString decode(const char* bytes, int length);
inline QString decode(const QByteArray& bytes) { return decode(bytes.constData(), int(bytes.size())); }

// Encodes up to maxChars characters of text into out; returns the number of bytes written.
int encodeInto(const QString& text, char* out, int maxChars);
QByteArray encode(const QString& text);

// The byte for one Unicode code point, or '?' when Windows-1252 has none.
char byteFor(char32_t codePoint);

} // namespace Cp1252
