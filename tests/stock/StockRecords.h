#pragma once

// Records of the stock tests, made field by field (every other byte 0).

#include "orders/OrderRecords.h"
#include "store/Records.h"

#include <QByteArray>
#include <QString>

namespace testsupport {

inline StockMateriaRecord material(const QString& name, const QString& stock, const QString& reserved = "0",
                                   const QString& onOrder = "0", const QString& date = "01/09/2026")
{
    auto r = EmptyRecord<StockMateriaRecord>();
    r.material = name;
    r.stock = stock;
    r.reserved = reserved;
    r.onOrder = onOrder;
    r.date = date;
    return r;
}

inline EncomMateriaRecord purchase(const QString& name, const QString& quantity, const QString& received = "0",
                                   OrderState state = OrderActive, const QString& reference = "C00001")
{
    auto r = EmptyRecord<EncomMateriaRecord>();
    r.material = name;
    r.materialReference = "R-" + name;
    r.supplier = "Plasticos Lda";
    r.quantity = quantity;
    r.date = "01/09/2026";
    r.reference = reference;
    r.received = received;
    r.unitCost = "1.5";
    r.state = state;
    return r;
}

// A composition line: quant of the material per unit, perDay of it a day.
inline ProdutoRecord line(const QString& name, const QString& type, const QString& materialName, const QString& quant,
                          const QString& perDay, bool composite = false)
{
    auto r = product(name, type, "10", "1");
    r.MateriaPrima = materialName;
    r.Quant = quant;
    r.QuantDia = perDay;
    r.Composto = composite ? 1 : 0;
    return r;
}

template <class R>
QByteArray bytesOf(const R& r)
{
    return QByteArray(reinterpret_cast<const char*>(&r), int(sizeof r));
}

template <class R>
QByteArray bytesOf(const std::vector<R>& records)
{
    QByteArray b;
    for (const R& r : records)
        b += bytesOf(r);
    return b;
}

} // namespace testsupport
