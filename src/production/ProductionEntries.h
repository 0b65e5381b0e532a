#pragma once

// The production entries of HorasProducao.DAT as the analysis screens read them (quantities by
// month, product costs, utilisation indices): the texts of every record turned into numbers and a
// date once, in one pass, with every text that does not convert named instead of stopping the
// screen. A record with such a text is left out; the others are read as usual.

#include "store/Records.h"

#include <QDate>
#include <QString>
#include <array>
#include <vector>

namespace Production {

// A text of a record that is not the number or the date its field holds.
struct BadText {
    QString file;    // "HorasProducao.DAT"
    qint64 record;   // record number from 1
    QString field;   // the field's name ("entered", "Custo")
    QString text;    // the text as stored
};

// The message that names every bad text (file, record, field and text, at most 20 of them and how
// many more), and says that those records are left out. Empty when there is none.
QString BadTextsMessage(const std::vector<BadText>& bad);

// The cell of a number that would divide by zero: "—".
QString UndefinedText();

// Halves to the even neighbour, as the lists round every whole number.
double RoundHalfEven(double value);

// The hours of an entry, in the order of the record.
enum Hours { Production, Setup, Breakdown, Material, Personnel, Other, HoursCount };

struct ProductionEntry {
    qint64 record = 0;  // record number from 1
    QString product;    // product + " " + type, the key of a product in every file
    QString equipment;
    int productId = 0;   // index of the product in ProductionEntries::products
    int equipmentId = 0; // index of the equipment in ProductionEntries::equipment
    QDate date;                             // read with ReadDate
    double entered = 0;                     // units entered, read with ReadEntered or ReadEnteredInteger
    bool operationOnly = false;             // hours only: the units count as no produced quantity
    std::array<double, HoursCount> hours{}; // read with ReadHours

    // Units that count as produced: the entered ones, none for an entry of hours only.
    double producedUnits() const { return operationOnly ? 0.0 : entered; }
    // Hours producing or setting up (the hours a rate or a cycle is taken over).
    double productionAndSetup() const { return hours[Production] + hours[Setup]; }
    // Hours stopped for lack of material, personnel or other reasons.
    double otherStops() const { return hours[Material] + hours[Personnel] + hours[Other]; }
};

// Which fields a screen needs read; a field that is not read cannot make a record bad.
enum EntryField : unsigned {
    ReadDate = 1,
    ReadEntered = 2,        // a number
    ReadEnteredInteger = 4, // an integer text
    ReadHours = 8,          // all six hour fields
    ReadProductionSetup = 16, // only the production and setup hours
};

struct ProductionEntries {
    std::vector<ProductionEntry> entries; // in file order, bad records left out
    std::vector<BadText> bad;
    // The products and the equipment of the entries, once each, in order of first appearance.
    std::vector<QString> products;
    std::vector<QString> equipment;
};

ProductionEntries ReadProductionEntries(const std::vector<HorasProducaoRecord>& records, unsigned fields);

// The same from a file; a missing file holds no entry. Failures of the file system throw StoreError.
ProductionEntries ReadProductionEntriesFile(const QString& path, unsigned fields);

} // namespace Production
