#pragma once

// A production entry and what it books, and the rules of the entry screen's figures that need no
// window: the shift list, a typed shift, the shift against the entry's hours.
//
// What an entry books, in this order, each as one whole record:
//   1. unless "operation only": the product's stock in StockProduto.DAT (its first record, or a new
//      one appended), changed as the stock bookings change it: stock + (entered - rejected),
//      available = stock - ordered, date = today;
//   2. a new equipment when the user confirmed one: an EquipamentoRecord with the name, Quant and
//      Custo "0" and the other texts empty, appended to Equipamentos.DAT;
//   3. the entry: one HorasProducaoRecord appended to HorasProducao.DAT with every field (the
//      second date is the day it was recorded, the note the shift in two digits and the operator);
//   4. the movements of MovimProduto.DAT, each dated with the entry's date and recorded today:
//      "EP" with +entered and "RP" with -rejected (each when not 0), so that they sum to the stock
//      change; with "operation only" one "HP" with the production hours instead.
// Every record is made first (PlanProductionEntry): a stock text that is no number, or a number
// too long for its field, writes nothing. The records are then written as the stock bookings write
// theirs: a write that fails stops there, and the message names what was and was not written.

#include "production/ProductionEntries.h"
#include "stock/StockBookings.h"
#include "store/Records.h"
#include "store/RegionalSettings.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace Production {

// --- Shifts ------------------------------------------------------------------------------------

// The shifts of the ShiftHours text: each consecutive pair of characters ("081624": 08, 16, 24).
QStringList ShiftList(const QString& shiftHours);
// A shift as stored: at least two digits ("%.*d" with precision 2).
QString ShiftText(int hours);

// What a text typed into the shift box means.
struct TypedShift {
    enum Kind {
        Listed,     // an entry of the list, or a number whose two digits are one
        Empty,      // nothing typed (yet)
        NotANumber, // the message "'text'" + LangMsg[4]
        NoShift,    // a number but no whole number of hours above 0: nothing happens
        New,        // a shift to add: `text` (two digits) joins the list and ShiftHours
    };
    Kind kind = Empty;
    QString text;
};
TypedShift ReadTypedShift(const QString& typed, const QStringList& list);

// The entry's hours against the shift (a difference below a thousandth of an hour is none).
enum class ShiftFit { Exact, TooFew, TooMany };
ShiftFit FitShift(double shiftHours, double entryHours);
// Whether hours already entered on a day plus an entry's hours pass the working hours of a day.
bool PassesDay(double alreadyEntered, double entryHours, int hoursPerDay);

// --- The entry ---------------------------------------------------------------------------------

// What the user entered, as the screen checked it: numbers in the local format, a valid date.
struct EntryInput {
    QString product;
    QString type;
    QString entered;  // units produced
    QString rejected; // units rejected, not more than entered
    QString date;     // production date
    QString equipment;
    std::array<QString, HoursCount> hours; // production, setup, breakdown, material, personnel, other
    bool operationOnly = false;
    int shift = 0;
    QString operatorName; // at most 7 characters are kept
};

// The note of an entry: the shift in two digits, then the operator (the 9 characters the field holds).
QString EntryNote(int shift, const QString& operatorName);
// The entry's record: every field from the input (the date written in the local format, the
// texts trimmed), the second date = today, the note as above, the flag of "operation only".
HorasProducaoRecord EntryRecord(const EntryInput& input, const QDate& today);

// The records of the entry, in the order they are to be written (nothing is written). stock: the
// records of StockProduto.DAT (read only when the entry changes stock). A refusal comes back as
// the message for the user.
struct EntryPlan {
    QString refusal;
    std::vector<StockBookings::RecordWrite> writes;
    bool ok() const { return refusal.isEmpty(); }
};
EntryPlan PlanProductionEntry(const EntryInput& input, bool addEquipment,
                              const std::vector<StockProdutoRecord>& stock, const QDate& today);

struct BookingOutcome {
    bool ok = false;
    QString message;                              // why it failed, and what was and was not written
    std::optional<QString> stock;                 // the product's new stock text, when it was booked
    std::vector<StockBookings::RecordWrite> written; // in the order written
};

// Books the entry into the company folder (ending in "/"), as listed at the top.
BookingOutcome BookProductionEntry(const QString& folder, const EntryInput& input, bool addEquipment,
                                   const QDate& today, const RegionalSettings& regional);

} // namespace Production
