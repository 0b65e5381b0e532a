#pragma once

#include "store/RecordLayout.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

// The data files as readable text: one UTF-8 CSV file per data file (Produtos.csv for
// Produtos.DAT), comma-separated, a field in double quotes when it holds a comma, a quote or a line
// break (a quote inside doubled), a header row with the record's field names in record order, then
// one row per record. Texts are the stored texts; numbers and dates are the stored texts too; flags
// and order states are their byte values ("0", "1", "2").
//
// Reading checks every field before a record is made: a text must fit its field and have a
// Windows-1252 byte for each character (it is refused, never cut), a number or date must read in the
// format asked for, flags are 0 or 1, order states 0, 1 or 2. Every fault is reported as
// "file:line: field Name: problem" (or "file:line: problem" for the row, "file: problem" for the
// file); a row with a fault gives no record.
namespace CsvRecords {

enum class Format {
    // The sample company's sources: numbers with a point ("-12.5", no exponent), dates dd/mm/yyyy,
    // no control characters in a text.
    Neutral,
    // A company's own files: numbers and dates as the company's readers take them in the regional
    // settings in force (RegionalSettings::current()); any Windows-1252 character in a text.
    Regional,
};

// The records of one data file from its CSV text; `shown` names the file in the problems.
QByteArray ReadRecords(const RecordLayout::File& layout, const QByteArray& csv, const QString& shown, Format format,
                       QStringList& problems);

// The CSV text of the whole records in `records` (the bytes of a data file).
QByteArray WriteRecords(const RecordLayout::File& layout, const QByteArray& records);

// The twelve data files read from <folder>/<Name>.csv, in the order of RecordLayout::Files(): each
// data file's name with its bytes. A source that is missing or unreadable is a problem too; the files
// are to be written only when there is none.
struct FolderContents {
    std::vector<std::pair<QString, QByteArray>> files;
    QStringList problems;
};
FolderContents ReadFolder(const QString& folder, Format format);

// Writes the data files into the folder (created when missing) all at once: every file is written
// to a temporary file first and renamed over its original only when all are written
// (ReplaceFilesContents), so a failure leaves the folder as it was. Throws StoreError.
void WriteDataFiles(const QString& folder, const std::vector<std::pair<QString, QByteArray>>& files);

} // namespace CsvRecords
