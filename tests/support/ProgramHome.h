#pragma once

#include "support/TestSupport.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

namespace testsupport {

// A program folder in a temporary directory, named by QUORVALE_HOME for as long as it lives:
// Quorvale.ini with the given text, the sample company's product file (the installation check
// needs it) and the shipped language file, each optional.
class ProgramHome {
public:
    struct Parts {
        bool settings = true;
        bool sample = true;
        bool language = true;
    };

    explicit ProgramHome(const QByteArray& ini = QByteArray()) : ProgramHome(ini, Parts{}) {}
    ProgramHome(const QByteArray& ini, Parts parts)
    {
        m_savedHome = qgetenv("QUORVALE_HOME");
        qputenv("QUORVALE_HOME", QFile::encodeName(dir.path()));
        if (parts.settings)
            writeFile(file("Quorvale.ini"), ini);
        if (parts.sample) {
            QDir().mkpath(file("Test_database"));
            writeFile(file("Test_database/Produtos.DAT"), QByteArray());
        }
        if (parts.language)
            QFile::copy(QStringLiteral(QUORVALE_SOURCE_DIR "/data/Quorvale.LNG"), file("Quorvale.LNG"));
    }
    ~ProgramHome()
    {
        if (m_savedHome.isEmpty())
            qunsetenv("QUORVALE_HOME");
        else
            qputenv("QUORVALE_HOME", m_savedHome);
    }
    ProgramHome(const ProgramHome&) = delete;
    ProgramHome& operator=(const ProgramHome&) = delete;

    QString path() const { return dir.path(); } // ends in "/"
    QString file(const QString& name) const { return dir.file(name); }

private:
    TempFolder dir;
    QByteArray m_savedHome;
};

} // namespace testsupport
