#pragma once

#include "store/FixedString.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <type_traits>

// The record layouts of the twelve data files. Every field is a FixedString (one length byte and
// N bytes of Windows-1252 text) or a single byte; fields lie end to end without padding, so a record
// is read and written as its bytes. Numbers and dates are text (DecimalText, DateText).

// Produtos.DAT: one line of a product's composition (a raw material, or a component product).
struct ProdutoRecord {
    FixedString<30> Produto;      // product name
    FixedString<20> Tipo;         // product type; name and type together identify the product
    FixedString<40> MateriaPrima; // raw material, or on a composite line the component "name type"
    FixedString<10> Quant;        // quantity per unit of product (DecimalText)
    FixedString<5> Un;            // unit of the quantity
    FixedString<5> Ciclo;         // cycles per hour (integer text)
    FixedString<10> QuantDia;     // consumption per day at full production (DecimalText)
    FixedString<2> Moldes;        // moulds working at once (integer text)
    std::uint8_t Composto;        // 1 on a composite line
    FixedString<10> Operacao;     // production operation, matched against the equipment's
};

// MateriasPrimas.DAT: one pair of raw material and supplier.
struct MateriaPrimaRecord {
    FixedString<40> MateriaPrima;
    FixedString<15> Referencia; // the supplier's reference
    FixedString<10> Preco;      // price per unit (DecimalText)
    FixedString<30> Fornecedor; // supplier name; may be empty
    FixedString<5> Un;
};

// Fornecedores.DAT and Clientes.DAT: a supplier or a client.
struct FornecedorRecord {
    FixedString<30> Nome; // the key
    FixedString<15> Contacto;
    FixedString<15> Telefone;
    FixedString<15> Fax;
    FixedString<150> Morada;
    FixedString<35> Email;
};

// Equipamentos.DAT: a machine or work station.
struct EquipamentoRecord {
    FixedString<20> Equipamento; // the key
    FixedString<30> Tipo;
    FixedString<2> Quant;     // identical units, 1 to 98 (integer text)
    FixedString<5> Custo;     // cost per hour (DecimalText)
    FixedString<11> Operacao; // the operation it performs
};

// StockMateria.DAT: running stock of one raw material.
struct StockMateriaRecord {
    FixedString<40> material;
    FixedString<10> stock;
    FixedString<10> reserved; // needed by production not yet made
    FixedString<10> onOrder;  // on open purchase orders
    FixedString<10> date;     // last update (DateText)
};

// StockProduto.DAT: running stock of one product and type.
struct StockProdutoRecord {
    FixedString<30> product;
    FixedString<20> type;
    FixedString<10> stock;
    FixedString<10> available; // stock - ordered; negative is a shortfall
    FixedString<10> ordered;   // on open client orders
    FixedString<10> date;      // last update (DateText)
};

// MovimMateria.DAT and MovimProduto.DAT: one stock movement.
struct MovimRecord {
    FixedString<40> item;         // raw material name, or product text
    FixedString<10> quantity;     // signed: positive enters stock, negative leaves it
    FixedString<10> movementDate; // the date the movement belongs to
    FixedString<10> realDate;     // the date it was recorded
    FixedString<2> type;          // movement type code ("SS", "ES", ...)
};

// The state byte of both order records.
enum OrderState : std::uint8_t { OrderActive = 0, OrderArchived = 1, OrderOnHold = 2 };

// EncomProduto.DAT: one client order of one product and type.
struct EncomProdutoRecord {
    FixedString<30> product;
    FixedString<20> type;
    FixedString<30> client;   // client name, or the production-order marker text
    FixedString<10> quantity; // ordered
    FixedString<10> date;     // order date
    FixedString<10> secondDate;
    FixedString<6> reference;
    FixedString<10> delivered; // delivered so far
    std::uint8_t state;        // OrderState
};

// EncomMateria.DAT: one purchase order of one raw material from one supplier.
struct EncomMateriaRecord {
    FixedString<40> material;
    FixedString<15> materialReference; // the material's Referencia when ordered
    FixedString<30> supplier;
    FixedString<10> quantity; // ordered
    FixedString<10> date;     // order date
    FixedString<10> secondDate;
    FixedString<6> reference;
    FixedString<10> received; // received so far
    FixedString<10> unitCost; // the material's Preco when ordered
    std::uint8_t state;       // OrderState
};

// HorasProducao.DAT: one production entry.
struct HorasProducaoRecord {
    FixedString<30> product;
    FixedString<20> type;
    FixedString<10> entered;  // units produced
    FixedString<6> rejected;  // units rejected
    FixedString<10> date;     // production date
    FixedString<10> secondDate;
    FixedString<9> note;
    std::uint8_t operationOnly; // 1: hours only, no stock added
    FixedString<10> equipment;
    FixedString<6> productionHours;
    FixedString<6> setupHours;
    FixedString<6> breakdownHours;
    FixedString<6> materialHours;
    FixedString<6> personnelHours;
    FixedString<6> otherHours;
};

// The layouts are the files' byte layouts: sizes and offsets are checked here.
#define QV_CHECK_FIELD(R, f, off) static_assert(offsetof(R, f) == (off), #R "." #f " offset")
static_assert(sizeof(ProdutoRecord) == 142);
QV_CHECK_FIELD(ProdutoRecord, Tipo, 31);
QV_CHECK_FIELD(ProdutoRecord, MateriaPrima, 52);
QV_CHECK_FIELD(ProdutoRecord, Quant, 93);
QV_CHECK_FIELD(ProdutoRecord, Un, 104);
QV_CHECK_FIELD(ProdutoRecord, Ciclo, 110);
QV_CHECK_FIELD(ProdutoRecord, QuantDia, 116);
QV_CHECK_FIELD(ProdutoRecord, Moldes, 127);
QV_CHECK_FIELD(ProdutoRecord, Composto, 130);
QV_CHECK_FIELD(ProdutoRecord, Operacao, 131);
static_assert(sizeof(MateriaPrimaRecord) == 105);
QV_CHECK_FIELD(MateriaPrimaRecord, Referencia, 41);
QV_CHECK_FIELD(MateriaPrimaRecord, Preco, 57);
QV_CHECK_FIELD(MateriaPrimaRecord, Fornecedor, 68);
QV_CHECK_FIELD(MateriaPrimaRecord, Un, 99);
static_assert(sizeof(FornecedorRecord) == 266);
QV_CHECK_FIELD(FornecedorRecord, Contacto, 31);
QV_CHECK_FIELD(FornecedorRecord, Telefone, 47);
QV_CHECK_FIELD(FornecedorRecord, Fax, 63);
QV_CHECK_FIELD(FornecedorRecord, Morada, 79);
QV_CHECK_FIELD(FornecedorRecord, Email, 230);
static_assert(sizeof(EquipamentoRecord) == 73);
QV_CHECK_FIELD(EquipamentoRecord, Tipo, 21);
QV_CHECK_FIELD(EquipamentoRecord, Quant, 52);
QV_CHECK_FIELD(EquipamentoRecord, Custo, 55);
QV_CHECK_FIELD(EquipamentoRecord, Operacao, 61);
static_assert(sizeof(StockMateriaRecord) == 85);
QV_CHECK_FIELD(StockMateriaRecord, stock, 41);
QV_CHECK_FIELD(StockMateriaRecord, reserved, 52);
QV_CHECK_FIELD(StockMateriaRecord, onOrder, 63);
QV_CHECK_FIELD(StockMateriaRecord, date, 74);
static_assert(sizeof(StockProdutoRecord) == 96);
QV_CHECK_FIELD(StockProdutoRecord, type, 31);
QV_CHECK_FIELD(StockProdutoRecord, stock, 52);
QV_CHECK_FIELD(StockProdutoRecord, available, 63);
QV_CHECK_FIELD(StockProdutoRecord, ordered, 74);
QV_CHECK_FIELD(StockProdutoRecord, date, 85);
static_assert(sizeof(MovimRecord) == 77);
QV_CHECK_FIELD(MovimRecord, quantity, 41);
QV_CHECK_FIELD(MovimRecord, movementDate, 52);
QV_CHECK_FIELD(MovimRecord, realDate, 63);
QV_CHECK_FIELD(MovimRecord, type, 74);
static_assert(sizeof(EncomProdutoRecord) == 135);
QV_CHECK_FIELD(EncomProdutoRecord, type, 31);
QV_CHECK_FIELD(EncomProdutoRecord, client, 52);
QV_CHECK_FIELD(EncomProdutoRecord, quantity, 83);
QV_CHECK_FIELD(EncomProdutoRecord, date, 94);
QV_CHECK_FIELD(EncomProdutoRecord, secondDate, 105);
QV_CHECK_FIELD(EncomProdutoRecord, reference, 116);
QV_CHECK_FIELD(EncomProdutoRecord, delivered, 123);
QV_CHECK_FIELD(EncomProdutoRecord, state, 134);
static_assert(sizeof(EncomMateriaRecord) == 151);
QV_CHECK_FIELD(EncomMateriaRecord, materialReference, 41);
QV_CHECK_FIELD(EncomMateriaRecord, supplier, 57);
QV_CHECK_FIELD(EncomMateriaRecord, quantity, 88);
QV_CHECK_FIELD(EncomMateriaRecord, date, 99);
QV_CHECK_FIELD(EncomMateriaRecord, secondDate, 110);
QV_CHECK_FIELD(EncomMateriaRecord, reference, 121);
QV_CHECK_FIELD(EncomMateriaRecord, received, 128);
QV_CHECK_FIELD(EncomMateriaRecord, unitCost, 139);
QV_CHECK_FIELD(EncomMateriaRecord, state, 150);
static_assert(sizeof(HorasProducaoRecord) == 156);
QV_CHECK_FIELD(HorasProducaoRecord, type, 31);
QV_CHECK_FIELD(HorasProducaoRecord, entered, 52);
QV_CHECK_FIELD(HorasProducaoRecord, rejected, 63);
QV_CHECK_FIELD(HorasProducaoRecord, date, 70);
QV_CHECK_FIELD(HorasProducaoRecord, secondDate, 81);
QV_CHECK_FIELD(HorasProducaoRecord, note, 92);
QV_CHECK_FIELD(HorasProducaoRecord, operationOnly, 102);
QV_CHECK_FIELD(HorasProducaoRecord, equipment, 103);
QV_CHECK_FIELD(HorasProducaoRecord, productionHours, 114);
QV_CHECK_FIELD(HorasProducaoRecord, setupHours, 121);
QV_CHECK_FIELD(HorasProducaoRecord, breakdownHours, 128);
QV_CHECK_FIELD(HorasProducaoRecord, materialHours, 135);
QV_CHECK_FIELD(HorasProducaoRecord, personnelHours, 142);
QV_CHECK_FIELD(HorasProducaoRecord, otherHours, 149);
#undef QV_CHECK_FIELD

template <class R>
inline constexpr bool IsRecord = std::is_trivially_copyable_v<R> && std::is_standard_layout_v<R>;
static_assert(IsRecord<ProdutoRecord> && IsRecord<HorasProducaoRecord>);

// A record with every byte 0 (every text of length 0, every flag false, state active).
template <class R>
R EmptyRecord()
{
    static_assert(IsRecord<R>);
    R r;
    std::memset(static_cast<void*>(&r), 0, sizeof(R));
    return r;
}

// The twelve data files of a company folder.
namespace DataFile {
inline const QString Produtos = QStringLiteral("Produtos.DAT");
inline const QString MateriasPrimas = QStringLiteral("MateriasPrimas.DAT");
inline const QString Fornecedores = QStringLiteral("Fornecedores.DAT");
inline const QString Clientes = QStringLiteral("Clientes.DAT");
inline const QString Equipamentos = QStringLiteral("Equipamentos.DAT");
inline const QString StockMateria = QStringLiteral("StockMateria.DAT");
inline const QString StockProduto = QStringLiteral("StockProduto.DAT");
inline const QString MovimMateria = QStringLiteral("MovimMateria.DAT");
inline const QString MovimProduto = QStringLiteral("MovimProduto.DAT");
inline const QString EncomProduto = QStringLiteral("EncomProduto.DAT");
inline const QString EncomMateria = QStringLiteral("EncomMateria.DAT");
inline const QString HorasProducao = QStringLiteral("HorasProducao.DAT");

// Every file with its record size, in a fixed order.
struct Info {
    QString name;
    int recordSize;
};
const Info* all(); // 12 entries
inline constexpr int Count = 12;
int recordSizeOf(const QString& fileName); // 0 when not a data file
} // namespace DataFile
