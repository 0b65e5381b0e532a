#pragma once

// Stock bookings: an entry into or an exit from the stock of a raw material or of a product, or a
// stock correction. A booking writes, in this order and each as one whole record:
//   1. the item's stock record (StockMateria.DAT / StockProduto.DAT), found by update or append on
//      its name (name and type for a product): its stock changes and its date becomes the booking
//      date; a product's record keeps available = stock - ordered;
//   2. the order it is booked against, if any (EncomMateria.DAT / EncomProduto.DAT): received or
//      delivered grows, and the order is archived once all of it came in or went out;
//   3. one movement (MovimMateria.DAT / MovimProduto.DAT): the signed quantity, the date as entered,
//      today as the real date, and its type code ("ES" entry, "SS" exit, "AS" correction).
//
// Everything is worked out first (PlanMaterialBooking, PlanProductBooking): every text the booking
// reads is converted and every new text is checked to fit its field before the first record is
// written, so a bad number writes nothing. WriteBooking then writes the records one by one and
// stops at the first failure; BookingFailureText names what was written and what was not. A record
// is written whole (an append cut short is taken back), so a crash between two writes leaves every
// file a sequence of whole records.
//
// The primitives (changing a stock record, a new record, a movement, writing one record, writing a
// list of records and telling what a failure left) serve every writer of stock: the stock screens
// and the production entries.

#include "orders/OrderCalculation.h"
#include "store/Records.h"

#include <QString>
#include <optional>
#include <variant>
#include <vector>

namespace StockBookings {

using OrderCalculation::CalcError;

// Movement type codes of the bookings.
inline const QString EntryCode = QStringLiteral("ES");
inline const QString ExitCode = QStringLiteral("SS");
inline const QString CorrectionCode = QStringLiteral("AS");
// And of the production entries: units entered, units rejected, hours of an operation only.
inline const QString ProductionEntryCode = QStringLiteral("EP");
inline const QString ProductionRejectCode = QStringLiteral("RP");
inline const QString ProductionHoursCode = QStringLiteral("HP");

// Width of the quantity fields of stock records, orders and movements.
inline constexpr int QuantityWidth = 10;

// --- Primitives on records -----------------------------------------------------------------------

// The item of a product's movements: name, one blank, type (the field keeps 40 characters).
QString ProductText(const QString& product, const QString& type);

// A quantity as the stock files write it: the general number conversion in at most 10 characters
// (the nearest text that fits); none when no text of that width holds it.
std::optional<QString> QuantityText(double value);

// The first stock record of the item (texts compared exactly); -1 when there is none.
qsizetype FindMaterialStock(const std::vector<StockMateriaRecord>& records, const QString& material);
qsizetype FindProductStock(const std::vector<StockProdutoRecord>& records, const QString& product, const QString& type);

// A product's stock record changed by a booking: stock := stock + stockChange; ordered := ordered -
// orderedDown, not below 0 (an orderedDown of 0 leaves it as it is); available := stock - ordered;
// date := date. recordNumber (from 1) names the record in an error; on an error the record is left
// as it was.
std::optional<CalcError> ChangeProductStock(StockProdutoRecord& record, qint64 recordNumber, double stockChange,
                                            double orderedDown, const QString& date);
// A raw material's: stock := stock + stockChange; on order := on order - onOrderDown, not below 0;
// date := date. The reserved quantity is not touched.
std::optional<CalcError> ChangeMaterialStock(StockMateriaRecord& record, qint64 recordNumber, double stockChange,
                                             double onOrderDown, const QString& date);

// The record appended for an item that has none: its key, stock "0" (and ordered and available,
// or reserved and on order, "0"), the date. It starts from the bytes of `previous` (the last record
// of the file, as a reused record buffer would) or from zero bytes when the file is empty.
StockProdutoRecord NewProductStock(const StockProdutoRecord* previous, const QString& product, const QString& type,
                                   const QString& date);
StockMateriaRecord NewMaterialStock(const StockMateriaRecord* previous, const QString& material, const QString& date);

// A movement record (every byte after the texts 0).
MovimRecord Movement(const QString& item, const QString& quantity, const QString& movementDate, const QString& realDate,
                     const QString& code);

// --- Records to write ------------------------------------------------------------------------------

// One record of a booking and where it goes. A production entry also appends its new equipment
// and the entry itself.
struct RecordWrite {
    enum What { StockRecord, OrderRecord, MovementRecord, EquipmentRecord, EntryRecord };
    What what = StockRecord;
    QString file;      // data file name ("StockMateria.DAT")
    qint64 index = -1; // record (from 0) it replaces; -1: appended (set to its place once written)
    std::variant<StockMateriaRecord, StockProdutoRecord, EncomMateriaRecord, EncomProdutoRecord, MovimRecord,
                 EquipamentoRecord, HorasProducaoRecord>
        record;
    // For the messages: the item (material, product text, order reference, equipment name) and, for
    // a movement, its code and quantity; for an order its reference and for an entry its date in code.
    QString item;
    QString code;
    QString quantity;
};

// A movement (Movement above) as a record to append to `file` (MovimMateria.DAT or MovimProduto.DAT).
RecordWrite MovementWrite(const QString& file, const QString& item, const QString& quantity,
                          const QString& movementDate, const QString& realDate, const QString& code);

// Writes the record whole into the company folder (ending in "/"): in place, or appended at the
// end of the file (which is created when missing). Sets the index of an appended record. A failure
// of the file system throws StoreError.
void WriteRecord(const QString& folder, RecordWrite& write);

// A product's stock change as a record to write: the first record of the product changed, or a
// new one appended (NewProductStock, then the change). Nothing is written.
struct StockChangeOutcome {
    std::optional<CalcError> error;
    RecordWrite write;
    bool ok() const { return !error; }
};
StockChangeOutcome PlanProductStockChange(const std::vector<StockProdutoRecord>& records, const QString& product,
                                          const QString& type, double stockChange, double orderedDown,
                                          const QString& date);

// At file level: StockProduto.DAT (created when missing) is read, the change planned and, when
// every text converted, the record written. Throws StoreError.
StockChangeOutcome ChangeProductStockIn(const QString& folder, const QString& product, const QString& type,
                                        double stockChange, double orderedDown, const QString& date);
// Appends one movement to MovimMateria.DAT or MovimProduto.DAT of the folder (created when missing).
void AppendMovement(const QString& folder, const QString& file, const MovimRecord& movement);

// --- Bookings of the stock screens -----------------------------------------------------------------

// What the user asked for. Quantities are not negative; with both an entry and an exit (and no
// correction) the entry is booked first, then the exit, each as a booking of its own.
struct Booking {
    QString item;         // the raw material, or the product's name
    QString type;         // the product's type (product bookings)
    double entry = 0;
    double exit = 0;
    bool correction = false; // one correction of entry - exit
    qint64 order = -1;       // record (from 0) of the order booked against: a purchase order takes
                             // the entry of a raw material, a client order the exit of a product
    QString date;            // the booking date, as entered
    QString today;           // the real date of the movements
};

struct BookingPlan {
    enum Refusal {
        NoRefusal,
        NothingToBook,  // no entry, no exit and no correction
        NotEnoughStock, // the exit is larger than the stock (an item without a record has none)
        OrderMismatch,  // the order is of another material, or of another product or type
        OrderNotOpen,   // the order is missing or no longer active
    };
    Refusal refusal = NoRefusal;
    std::optional<CalcError> error; // a text that does not convert, or a number too long
    std::vector<RecordWrite> writes; // in the order they are to be written
    bool ok() const { return refusal == NoRefusal && !error; }
};

// The bookings worked out from the records (nothing is written). order: the record at
// booking.order, or null when there is none.
BookingPlan PlanMaterialBooking(const Booking& booking, const std::vector<StockMateriaRecord>& stock,
                                const EncomMateriaRecord* order);
BookingPlan PlanProductBooking(const Booking& booking, const std::vector<StockProdutoRecord>& stock,
                               const EncomProdutoRecord* order);

// The same from the files of a company folder (ending in "/"). Throws StoreError.
BookingPlan PlanMaterialBookingIn(const QString& folder, const Booking& booking);
BookingPlan PlanProductBookingIn(const QString& folder, const Booking& booking);

struct BookingResult {
    std::vector<RecordWrite> written; // in the order written
    std::vector<RecordWrite> notWritten;
    QString failure;                  // the system's text of the write that failed; empty when all went
    bool ok() const { return failure.isEmpty(); }
};

// Writes the records in order; at the first failure the rest is not written.
BookingResult WriteBooking(const QString& folder, const std::vector<RecordWrite>& writes);
inline BookingResult WriteBooking(const QString& folder, const BookingPlan& plan)
{
    return WriteBooking(folder, plan.writes);
}

// For the user: the failure, what was written and what was not (from the language file).
QString BookingFailureText(const BookingResult& result);

} // namespace StockBookings
