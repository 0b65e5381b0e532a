// Builds the sample company's twelve data files from their readable sources: one CSV file per data
// file (UTF-8, comma-separated, double quotes around a field that holds a comma or a quote, a header
// row with the record's field names in record order). The data files are written in the neutral
// format the program converts once at its first start: numbers with a point, dates dd/mm/yyyy.
//
// Every field is checked before anything is written: a text must fit its field and be writable in
// Windows-1252 (it is refused, never cut), a number is digits with an optional sign and point, a
// date is dd/mm/yyyy and a real date, flags are 0 or 1 and order states 0, 1 or 2. Any fault is
// reported as "file:line: field Name: problem" and the program ends with status 1, writing nothing.
// The reading is that of `quorvale-data import` (store/CsvRecords), in the neutral format.
//
//     quorvale_make_sample <folder of the CSV files> <company folder to write>

#include "store/CsvRecords.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

#include <cstdio>

namespace {

void printErr(const QString& text) { std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData()); }

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const bool help = args.contains("--help") || args.contains("-h");
    if (args.size() != 2 || help) {
        std::printf("Usage: quorvale_make_sample <csv folder> <company folder>\n"
                    "Writes the twelve data files of the sample company from <csv folder>/<Name>.csv\n"
                    "(e.g. Produtos.csv for Produtos.DAT) in the neutral format: numbers with a point,\n"
                    "dates dd/mm/yyyy. Nothing is written when any source has a fault.\n");
        return help ? 0 : 2;
    }
    const CsvRecords::FolderContents sources =
        CsvRecords::ReadFolder(QDir(args[0]).absolutePath(), CsvRecords::Format::Neutral);
    if (!sources.problems.isEmpty()) {
        for (const QString& line : sources.problems)
            printErr(line);
        printErr(QStringLiteral("quorvale_make_sample: %1 fault(s) in the sample sources; no data file written")
                     .arg(sources.problems.size()));
        return 1;
    }
    try {
        CsvRecords::WriteDataFiles(QDir(args[1]).absolutePath(), sources.files);
    } catch (const StoreError& e) {
        printErr(QStringLiteral("quorvale_make_sample: %1").arg(e.message()));
        return 1;
    }
    return 0;
}
