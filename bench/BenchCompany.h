#pragma once

// What the benchmarks on the large company share: their command line ([company folder] [--runs N])
// and, when no folder is given, a large company written into a temporary folder by
// quorvale_make_bigdb (found beside the benchmark, in ../tools/).

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

struct BenchCompany {
    int runs = 5;
    QString folder; // ends in "/"
    QTemporaryDir temporary;
    QStringList options; // further switches the benchmark takes ("--name"); those on the command line land in given
    QStringList given;

    // Reads the arguments and prepares the folder; prints usage or an error and exits on failure.
    void setUp(const char* benchName)
    {
        const QStringList args = QCoreApplication::arguments().mid(1);
        for (int i = 0; i < args.size(); ++i) {
            if (args[i] == "--runs" && i + 1 < args.size()) {
                runs = std::max(1, args[++i].toInt());
            } else if (options.contains(args[i])) {
                given << args[i];
            } else if (args[i] == "--help" || args[i] == "-h") {
                std::printf("Usage: %s [company folder] [--runs N]%s%s\n", benchName, options.isEmpty() ? "" : " ",
                            qPrintable(options.join(' ')));
                std::exit(0);
            } else {
                folder = args[i];
            }
        }
        if (folder.isEmpty()) {
            folder = temporary.path();
            const QString tool = QCoreApplication::applicationDirPath() + "/../tools/quorvale_make_bigdb";
            QProcess p;
            p.setProcessChannelMode(QProcess::ForwardedChannels);
            p.start(tool, {folder});
            if (!p.waitForFinished(600000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
                std::fprintf(stderr, "%s: cannot run %s: %s\n", benchName, qPrintable(tool), qPrintable(p.errorString()));
                std::exit(1);
            }
        }
        folder = QDir(folder).absolutePath() + '/';
    }
};
