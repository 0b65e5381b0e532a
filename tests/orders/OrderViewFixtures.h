#pragma once

// Hand-written record bytes for the purchase-order, orders-view and reservation tests: every field
// a length byte, its text and a visible filler ('.') up to its capacity, so that the bytes a writer
// must keep behind a new text are checked too.

#include "store/Records.h"
#include "support/TestSupport.h"

#include <QByteArray>
#include <cstring>
#include <vector>

namespace testsupport {

inline QByteArray f(int capacity, const QByteArray& text) { return field(capacity, text, '.'); }

inline QByteArray produto(const QByteArray& product, const QByteArray& type, const QByteArray& material,
                          const QByteArray& quant, const QByteArray& perDay, char composite = 0)
{
    return f(30, product) + f(20, type) + f(40, material) + f(10, quant) + f(5, "kg") + f(5, "60") + f(10, perDay)
           + f(2, "1") + QByteArray(1, composite) + f(10, "Inj");
}

inline QByteArray materiaPrima(const QByteArray& name, const QByteArray& ref, const QByteArray& price,
                               const QByteArray& supplier, const QByteArray& unit)
{
    return f(40, name) + f(15, ref) + f(10, price) + f(30, supplier) + f(5, unit);
}

inline QByteArray fornecedor(const QByteArray& name)
{
    return f(30, name) + f(15, "") + f(15, "") + f(15, "") + f(150, "") + f(35, "");
}

inline QByteArray stockMateria(const QByteArray& material, const QByteArray& stock, const QByteArray& reserved,
                               const QByteArray& onOrder, const QByteArray& date)
{
    return f(40, material) + f(10, stock) + f(10, reserved) + f(10, onOrder) + f(10, date);
}

inline QByteArray stockProduto(const QByteArray& product, const QByteArray& type, const QByteArray& stock,
                               const QByteArray& available, const QByteArray& ordered, const QByteArray& date)
{
    return f(30, product) + f(20, type) + f(10, stock) + f(10, available) + f(10, ordered) + f(10, date);
}

inline QByteArray encomProduto(const QByteArray& product, const QByteArray& type, const QByteArray& client,
                               const QByteArray& quantity, const QByteArray& delivered, char state,
                               const QByteArray& date = "02/11/2026", const QByteArray& reference = "E0001")
{
    return f(30, product) + f(20, type) + f(30, client) + f(10, quantity) + f(10, date) + f(10, "30/11/2026")
           + f(6, reference) + f(10, delivered) + QByteArray(1, state);
}

inline QByteArray encomMateria(const QByteArray& material, const QByteArray& materialRef, const QByteArray& supplier,
                               const QByteArray& quantity, const QByteArray& received, char state,
                               const QByteArray& date = "02/11/2026", const QByteArray& secondDate = "16/11/2026")
{
    return f(40, material) + f(15, materialRef) + f(30, supplier) + f(10, quantity) + f(10, date) + f(10, secondDate)
           + f(6, "C0001") + f(10, received) + f(10, "1.5") + QByteArray(1, state);
}

// The bytes of a file after a FixedString at `offset` of record `index` was given a new text: the
// length byte and the text; the bytes after it stay.
inline QByteArray put(QByteArray file, int recordSize, int index, int offset, const QByteArray& text)
{
    const qsizetype at = qsizetype(index) * recordSize + offset;
    file[at] = char(text.size());
    file.replace(at + 1, text.size(), text);
    return file;
}

// Offsets of the fields the tests check.
namespace Off {
constexpr int SMreserved = 52, SMonOrder = 63, SMdate = 74, SMstock = 41; // StockMateriaRecord (85)
constexpr int SPstock = 52, SPavailable = 63, SPordered = 74, SPdate = 85; // StockProdutoRecord (96)
constexpr int EPstate = 134; // EncomProdutoRecord (135)
constexpr int EMstate = 150; // EncomMateriaRecord (151)
} // namespace Off

template <class R>
std::vector<R> recordsOfBytes(const QByteArray& bytes)
{
    std::vector<R> records(size_t(bytes.size()) / sizeof(R));
    if (!records.empty())
        std::memcpy(static_cast<void*>(records.data()), bytes.constData(), records.size() * sizeof(R));
    return records;
}

} // namespace testsupport
