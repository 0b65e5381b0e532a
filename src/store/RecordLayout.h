#pragma once

#include <QString>
#include <vector>

// The fields of every data file described as data: name, byte offset, capacity and what the text
// holds. The record structs of Records.h are the layouts; this table, taken from them, lets one
// routine read, check, export or import any of the twelve files field by field.
namespace RecordLayout {

enum class Kind {
    Text,    // any text
    Number,  // DecimalText
    Integer, // plain decimal digits
    Date,    // DateText
    Flag,    // one byte: 0 or 1
    State,   // one byte: OrderState 0, 1 or 2
};

struct Field {
    QString name;  // the record's field name, also the CSV column heading
    int offset;    // from the start of the record
    int capacity;  // N of a FixedString(N); 1 for a byte
    Kind kind;
    bool optional; // a number or date field the screens may leave empty

    bool isByte() const { return kind == Kind::Flag || kind == Kind::State; }
    // The stored text (clamped to the capacity), as Windows-1252 bytes; a byte field gives none.
    QByteArray bytes(const char* record) const;
    // The length byte as stored (above the capacity in a damaged file).
    int storedLength(const char* record) const { return static_cast<unsigned char>(record[offset]); }
    int byteValue(const char* record) const { return static_cast<unsigned char>(record[offset]); }
};

struct File {
    QString name; // "Produtos.DAT"
    int recordSize;
    std::vector<Field> fields;

    QString csvName() const; // "Produtos.csv"
    const Field* field(const QString& fieldName) const;
};

// The twelve files in the order of DataFile::all().
const std::vector<File>& Files();
const File* Find(const QString& dataFileName);

} // namespace RecordLayout
