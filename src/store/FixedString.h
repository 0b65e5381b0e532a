#pragma once

#include "store/Cp1252.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstring>

// A text field of capacity N as stored in the data files: one length byte, then N bytes of
// Windows-1252 text. Bytes after the text have no meaning; a write leaves them as they were (so a
// record rewritten after reading a longer value keeps the old tail) and a read never looks past the
// length. A length byte above N, found in a damaged file, is read as N.
template <int N>
struct FixedString {
    static_assert(N >= 1 && N <= 255, "a length byte holds at most 255");
    static constexpr int Capacity = N;

    std::uint8_t len;
    char data[N];

    int length() const { return len > N ? N : len; }
    bool isEmpty() const { return len == 0; }
    QString text() const { return Cp1252::decode(data, length()); }
    QByteArray bytes() const { return QByteArray(data, length()); }
    operator QString() const { return text(); }

    // Stores the first N characters of the text; the rest is dropped.
    void setText(const QString& value) { len = std::uint8_t(Cp1252::encodeInto(value, data, N)); }
    void setBytes(const QByteArray& value)
    {
        const int n = value.size() < N ? int(value.size()) : N;
        std::memcpy(data, value.constData(), size_t(n));
        len = std::uint8_t(n);
    }
    FixedString& operator=(const QString& value) { setText(value); return *this; }
    // Length 0; the old bytes stay behind it.
    void clear() { len = 0; }

    // Exact equality: same length and same bytes (case and blanks significant).
    bool equals(const QByteArray& encoded) const
    {
        return encoded.size() == length() && std::memcmp(data, encoded.constData(), size_t(length())) == 0;
    }
    bool equals(const QString& value) const { return equals(Cp1252::encode(value)); }
    template <int M>
    bool operator==(const FixedString<M>& other) const
    {
        return length() == other.length() && std::memcmp(data, other.data, size_t(length())) == 0;
    }
};
