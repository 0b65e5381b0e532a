#pragma once

// What the two stock screens share: the colours of their grids, the owner-drawn list of open
// orders, and how a booking that cannot be made is told to the user.

#include <QColor>
#include <QList>
#include <QString>
#include <functional>

class QComboBox;
class QWidget;
class StringGrid;

namespace StockBookings {
struct BookingPlan;
struct RecordWrite;
}

namespace StockScreens {

inline const QColor Red{255, 0, 0};
inline const QColor Grey{128, 128, 128};

// Room in a quantity box for a quantity typed with leading zeros or trailing decimals; what is
// stored is its shortest text, at most its field's 10 characters.
inline constexpr int QuantityBoxLength = 20;
inline constexpr int QuantityWidth = 10;

// A number below 0 (a text that is no number is not).
bool IsNegative(const QString& text);

// The list of open orders of a booking: chosen from the list only, its tab-separated pieces drawn
// at the given x positions, disabled at start. Its width does not follow its items (a large
// company has thousands of them).
QComboBox* NewOrderList(QWidget* parent, const char* name, const QList<int>& pieces);
// Empties the list and fills it again; the empty first line (no order) is chosen.
void RefillOrderList(QComboBox* list, const std::function<void(QComboBox*)>& fill);

// The data row of the grid whose record column holds index + 1; 0 when there is none.
int RowOfRecord(const StringGrid* grid, int recordColumn, qint64 index);
// After a booking against an order: its line of the list shows what is still open, or goes when
// the order is no longer active.
void ShowOrderBooked(QComboBox* list, const StockBookings::RecordWrite& order);

// Shows why the booking cannot be made and returns false; true when it can. mismatch: the message
// for an order of another item (LangMsg[36] or LangMsg[37]).
bool ShowRefusal(const StockBookings::BookingPlan& plan, const QString& mismatch);

} // namespace StockScreens
