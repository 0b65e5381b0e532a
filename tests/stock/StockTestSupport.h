#pragma once

// Records of the stock screens' tests, written as the program writes them (point locale).

#include "orders/OrderRecords.h" // order(): a client order
#include "store/Records.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace testsupport {

// The date of the tests' product orders (order() of the order tests).
inline const QString kOrderDate = QStringLiteral("10/02/2026");

inline StockMateriaRecord stockMaterial(const QString& name, const QString& stock, const QString& reserved = "0",
                                        const QString& onOrder = "0", const QString& date = "01/03/2026")
{
    auto r = EmptyRecord<StockMateriaRecord>();
    r.material = name;
    r.stock = stock;
    r.reserved = reserved;
    r.onOrder = onOrder;
    r.date = date;
    return r;
}

inline StockProdutoRecord stockProduct(const QString& name, const QString& type, const QString& stock,
                                       const QString& available, const QString& ordered = "0",
                                       const QString& date = "02/03/2026")
{
    auto r = EmptyRecord<StockProdutoRecord>();
    r.product = name;
    r.type = type;
    r.stock = stock;
    r.available = available;
    r.ordered = ordered;
    r.date = date;
    return r;
}

inline MovimRecord movementRecord(const QString& item, const QString& quantity, const QString& date,
                                  const QString& type = "ES", const QString& realDate = QString())
{
    auto r = EmptyRecord<MovimRecord>();
    r.item = item;
    r.quantity = quantity;
    r.movementDate = date;
    r.realDate = realDate.isEmpty() ? date : realDate;
    r.type = type;
    return r;
}

inline FornecedorRecord client(const QString& name, const QString& contact, const QString& email)
{
    auto r = EmptyRecord<FornecedorRecord>();
    r.Nome = name;
    r.Contacto = contact;
    r.Email = email;
    return r;
}

inline ProdutoRecord compositionLine(const QString& name, const QString& type, const QString& material,
                                     const QString& quant, const QString& unit = "kg")
{
    auto r = EmptyRecord<ProdutoRecord>();
    r.Produto = name;
    r.Tipo = type;
    r.MateriaPrima = material;
    r.Quant = quant;
    r.Un = unit;
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

// A composition line that uses perDay of its material a day (a composite line names a product).
inline ProdutoRecord dailyLine(const QString& name, const QString& type, const QString& material, const QString& quant,
                               const QString& perDay, bool composite = false)
{
    auto r = compositionLine(name, type, material, quant);
    r.QuantDia = perDay;
    r.Composto = composite ? 1 : 0;
    return r;
}

// A record's bytes, or the bytes of records one after another.
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
