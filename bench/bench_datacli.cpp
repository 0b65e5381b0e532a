// Timings of quorvale-data's commands on a large company.
//
//     bench_datacli [company folder] [--runs N]
//
// Without a folder, the large company is first written into a temporary folder by
// quorvale_make_bigdb (found beside this program, in ../tools/). The company is listed as "Bench" in
// a temporary data root (a link to its folder), with an empty company "Copy" beside it; the
// commands run in this process as the program runs them, with the neutral formats the large
// company is written in:
//   check    check Bench
//   export   export Bench <temporary folder>
//   import   import <that folder> Copy
//   recalculate  recalculate --dry-run Copy, then recalculate Copy (after the comparison below;
//            its first run rewrites the stock files, the later ones find them up to date)
// Each is timed best of N (the first run too); the peak memory of this process is printed after
// each. The imported company must equal the original byte for byte (its generator leaves no old
// bytes after the texts) and the check must find nothing.

#include "BenchCompany.h"
#include "store/DataCommands.h"
#include "store/Records.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <sys/resource.h>

#include <cstdio>

namespace {

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    BenchCompany company;
    company.setUp("bench_datacli");

    QTemporaryDir root;
    const QString rootPath = root.path() + '/';
    QFile settings(rootPath + "Quorvale.ini");
    if (!settings.open(QIODevice::WriteOnly) || settings.write("[Supliers]\r\nNumber=2\r\nSup1=Bench\r\nSup2=Copy\r\n") < 0)
        return 1;
    settings.close();
    if (!QFile::link(company.folder.chopped(1), rootPath + "Bench") || !QDir().mkpath(rootPath + "Copy"))
        return 1;
    const QString csv = rootPath + "csv";

    qint64 records = 0;
    for (int i = 0; i < DataFile::Count; ++i)
        records += QFileInfo(company.folder + DataFile::all()[i].name).size() / DataFile::all()[i].recordSize;
    std::printf("company %s: %lld records, best of %d runs\n", qPrintable(company.folder), (long long)records, company.runs);

    const QStringList common{"--data-root", rootPath, "--locale", "neutral"};
    const struct {
        const char* name;
        QStringList args;
        int expected;
    } commands[] = {
        {"check", QStringList{"check", "Bench"} + common, 0},
        {"export", QStringList{"export", "Bench", csv} + common, 0},
        {"import", QStringList{"import", csv, "Copy"} + common, 0},
    };
    const auto time = [&](const auto& command) {
        qint64 best = -1, first = -1;
        for (int run = 0; run < company.runs; ++run) {
            QString out, err;
            QTextStream o(&out), e(&err);
            QElapsedTimer t;
            t.start();
            const int status = DataCommands::Run(command.args, o, e);
            const qint64 ms = t.elapsed();
            if (status != command.expected) {
                e.flush();
                std::fprintf(stderr, "%s: status %d\n%s", command.name, status, qPrintable(err));
                return false;
            }
            first = first < 0 ? ms : first;
            best = best < 0 ? ms : std::min(best, ms);
        }
        std::printf("  %-22s best %6lld ms   first %6lld ms   peak memory of the process %7ld KB\n", command.name,
                    (long long)best, (long long)first, peakKilobytes());
        return true;
    };
    for (const auto& command : commands)
        if (!time(command))
            return 1;

    for (int i = 0; i < DataFile::Count; ++i) {
        const QString name = DataFile::all()[i].name;
        if (readAll(company.folder + name) != readAll(rootPath + "Copy/" + name)) {
            std::fprintf(stderr, "the imported %s differs from the original\n", qPrintable(name));
            return 1;
        }
    }
    std::printf("  the imported company equals the original byte for byte\n");

    const struct {
        const char* name;
        QStringList args;
        int expected;
    } calculations[] = {
        {"recalculate --dry-run", QStringList{"recalculate", "--dry-run", "Copy"} + common, 0},
        {"recalculate", QStringList{"recalculate", "Copy"} + common, 0},
    };
    for (const auto& command : calculations)
        if (!time(command))
            return 1;
    return 0;
}
