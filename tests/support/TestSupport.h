#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <clocale>
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

// While it lives, the C library works in the named locale, as the application sets it at start in
// a session of that locale (strtod, printf and their kin then read and write a decimal comma). The
// locale comes from the build folder, where the build generates pt_PT.UTF-8.
class SessionLocale {
public:
    explicit SessionLocale(const char* name)
    {
        const char* current = std::setlocale(LC_ALL, nullptr);
        m_saved = current ? current : "C";
#ifdef QUORVALE_TEST_LOCALE_DIR
        m_savedPath = qgetenv("LOCPATH");
        m_hadPath = qEnvironmentVariableIsSet("LOCPATH");
        qputenv("LOCPATH", QUORVALE_TEST_LOCALE_DIR);
#endif
        m_ok = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~SessionLocale()
    {
        std::setlocale(LC_ALL, m_saved.constData());
#ifdef QUORVALE_TEST_LOCALE_DIR
        if (m_hadPath)
            qputenv("LOCPATH", m_savedPath);
        else
            qunsetenv("LOCPATH");
#endif
    }
    bool ok() const { return m_ok; }
    SessionLocale(const SessionLocale&) = delete;
    SessionLocale& operator=(const SessionLocale&) = delete;

private:
    QByteArray m_saved, m_savedPath;
    bool m_hadPath = false, m_ok = false;
};

} // namespace testsupport
