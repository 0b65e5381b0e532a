// quorvale-data: a company's data files from the command line (check, export, import). The
// commands live in the library (store/DataCommands); this is only their process.
#include "store/DataCommands.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorvale-data"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = DataCommands::Run(app.arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return status;
}
