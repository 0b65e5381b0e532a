#pragma once

// Records of the order tests, made field by field (every other byte 0).

#include "store/Records.h"

#include <QString>

namespace testsupport {

inline EncomProdutoRecord order(const QString& product, const QString& type, const QString& client,
                                const QString& quantity, const QString& delivered = "0", OrderState state = OrderActive,
                                const QString& date = "01/09/2026")
{
    auto r = EmptyRecord<EncomProdutoRecord>();
    r.product = product;
    r.type = type;
    r.client = client;
    r.quantity = quantity;
    r.delivered = delivered;
    r.date = date;
    r.state = state;
    return r;
}

inline StockProdutoRecord stock(const QString& product, const QString& type, const QString& stock,
                                const QString& ordered, const QString& available, const QString& date)
{
    auto r = EmptyRecord<StockProdutoRecord>();
    r.product = product;
    r.type = type;
    r.stock = stock;
    r.ordered = ordered;
    r.available = available;
    r.date = date;
    return r;
}

// A composition line of a product with its cycles per hour and moulds.
inline ProdutoRecord product(const QString& name, const QString& type, const QString& cycles, const QString& moulds)
{
    auto r = EmptyRecord<ProdutoRecord>();
    r.Produto = name;
    r.Tipo = type;
    r.MateriaPrima = "PP";
    r.Ciclo = cycles;
    r.Moldes = moulds;
    return r;
}

} // namespace testsupport
