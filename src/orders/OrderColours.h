#pragma once

// The colours of the order lists: archived orders in red, orders on hold in blue, production
// orders (and, in the purchase order list, state 3) in green.

#include <QColor>
#include <QString>
#include <optional>

inline const QColor ArchivedOrderColour{255, 0, 0};
inline const QColor OnHoldOrderColour{0, 0, 255};
inline const QColor ProductionOrderColour{0, 128, 0};

// The text colour of an order by the state text of its row: red for "1", blue for "2", green for
// "3"; none (the grid's own) for any other.
inline std::optional<QColor> OrderStateColour(const QString& stateText)
{
    if (stateText == QLatin1String("1"))
        return ArchivedOrderColour;
    if (stateText == QLatin1String("2"))
        return OnHoldOrderColour;
    if (stateText == QLatin1String("3"))
        return ProductionOrderColour;
    return std::nullopt;
}
