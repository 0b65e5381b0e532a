#pragma once

#include <QString>
#include <QStringList>

class IniFile;

// The one-time conversion of the sample company, delivered with point decimals and dates as
// dd?mm?yyyy, to the machine's number and date formats. It runs while the program settings do not
// hold Options/NeutralFormat=1. Every file is converted completely in memory first and then
// written whole (temporary files, all renamed once all are written); the flag is set when every
// file is done. A failure of the file system throws StoreError and leaves the sample unconverted. A field that
// cannot be converted is left as it is and named in the problems. An empty field needs nothing.
struct NeutralConversion {
    bool ran = false;      // false when the flag was already set
    QStringList problems;  // one line per field left unconverted
};

NeutralConversion ConvertNeutralFormat(IniFile& programIni, const QString& sampleFolder);

// The conversion of one file's bytes (records of the named data file); used by the above.
QByteArray ConvertNeutralFile(const QString& fileName, const QByteArray& contents, QStringList* problems);
