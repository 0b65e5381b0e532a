#include "store/Cp1252.h"

#include <array>

namespace {

// Unicode values of the bytes 0x80 to 0x9F; the undefined bytes map to the C1 control of equal value.
constexpr std::array<char16_t, 32> kHighBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

namespace Cp1252 {

QString decode(const char* bytes, int length)
{
    if (length <= 0)
        return QString();
    QString text = QString::fromLatin1(bytes, length);
    // Latin-1 already agrees with Windows-1252 everywhere but in 0x80..0x9F.
    QChar* chars = text.data();
    for (int i = 0; i < length; ++i) {
        const char16_t c = chars[i].unicode();
        if (c >= 0x80 && c <= 0x9F)
            chars[i] = QChar(kHighBlock[c - 0x80]);
    }
    return text;
}

char byteFor(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return char(cp);
    for (int i = 0; i < 32; ++i)
        if (kHighBlock[i] == cp)
            return char(0x80 + i);
    return '?';
}

int encodeInto(const QString& text, char* out, int maxChars)
{
    int n = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size && n < maxChars; ++i) {
        char32_t cp = text.at(i).unicode();
        if (QChar::isHighSurrogate(cp) && i + 1 < size && text.at(i + 1).isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(char16_t(cp), text.at(i + 1).unicode());
            ++i;
        }
        out[n++] = byteFor(cp);
    }
    return n;
}

QByteArray encode(const QString& text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    const int n = encodeInto(text, bytes.data(), int(text.size()));
    bytes.truncate(n);
    return bytes;
}

} // namespace Cp1252
