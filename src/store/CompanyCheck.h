#pragma once

#include "store/RecordLayout.h"

#include <QString>
#include <functional>
#include <vector>

// The check of a company's twelve data files: it reads each file once and reports, one finding per
// fault, with file, record number (from 1, as the screens show it), field and text:
//   size       the file is not a whole number of records (the record number is the torn one's)
//   length     a length byte above its field's capacity
//   number     a number (or whole number) field that does not read in the regional formats in force
//   date       a date field that does not read in them
//   flag       a flag byte other than 0 and 1
//   state      an order state other than 0, 1 and 2
//   duplicate  a second stock record for one raw material, or for one product and type
//   available  a product stock record whose available is not stock - ordered
//   reference  an order, stock record, movement, production entry, raw material (its supplier) or
//              plain composition line naming a product, raw material, supplier, client or equipment
//              that the master files do not hold
//   component  a composite line naming a product that does not exist, or its own product
// The names of the master files are gathered first into hash sets, so every reference is one
// lookup. A missing data file reads as empty (the program creates it when needed). Nothing is
// written.
namespace CompanyCheck {

struct Finding {
    QString file;   // "Produtos.DAT"
    qint64 record;  // from 1
    QString field;  // empty for a finding about the whole file
    QString kind;   // one of the kinds above
    QString text;

    // "Produtos.DAT:3: Quant: '1,5x' is not a number" ("file:record: text" without a field).
    QString line() const;
    // The same as one JSON object on one line: {"file":...,"record":...,"field":...,"kind":...,"text":...}.
    QByteArray json() const;
};

struct Result {
    std::vector<Finding> findings; // in file order, then record order (none kept when handed on)
    qint64 found = 0;              // findings in all
    QString error;                 // why the folder or one of its files could not be read (the check stopped)
    qint64 records = 0;            // records read
    int files = 0;                 // data files present
};

// Checks the company folder with the regional settings in force. Texts in the language of the
// language file when `translated` (the program's window), else in English (the command line).
// With onFinding, each finding is handed to it as it is found and not kept in the result.
Result Check(const QString& folder, bool translated,
             const std::function<void(const Finding&)>& onFinding = std::function<void(const Finding&)>());

// Only the damage of one file's bytes that the record code reads past (kinds size and length): what
// a copy of the file as text could not keep.
std::vector<Finding> Damage(const RecordLayout::File& layout, const QByteArray& bytes, bool translated);

} // namespace CompanyCheck
