#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

namespace testsupport {

// One FixedString field as bytes, written by hand: length byte, text bytes (Windows-1252 given as
// a byte string), then filler up to the capacity.
inline QByteArray field(int capacity, const QByteArray& text, char filler = '\0')
{
    QByteArray b;
    b.append(char(text.size()));
    b.append(text);
    b.append(QByteArray(capacity - int(text.size()), filler));
    return b;
}

inline QByteArray readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(f.write(bytes), bytes.size());
}

// A fresh folder per test; path() ends in "/".
class TempFolder {
public:
    TempFolder() { dir.setAutoRemove(true); }
    QString path() const { return dir.path() + '/'; }
    QString file(const QString& name) const { return path() + name; }

private:
    QTemporaryDir dir;
};

// While it lives, no file of this process may grow beyond the given size (root included): the
// write that would cross it fails with "File too large", as a full disk would fail it.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
};

} // namespace testsupport
