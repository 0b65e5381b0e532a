#include "store/RecordLayout.h"

#include "store/Records.h"

#include <QFileInfo>
#include <cstddef>
#include <type_traits>

namespace RecordLayout {

namespace {

template <class T>
constexpr int capacityOf()
{
    if constexpr (std::is_same_v<T, std::uint8_t>)
        return 1;
    else
        return T::Capacity;
}

// A field of record R named as its member, with offset and capacity taken from the struct.
#define QV_FIELD(R, member, kind) \
    Field { QStringLiteral(#member), int(offsetof(R, member)), capacityOf<decltype(R::member)>(), Kind::kind, false }
#define QV_OPTIONAL(R, member, kind) \
    Field { QStringLiteral(#member), int(offsetof(R, member)), capacityOf<decltype(R::member)>(), Kind::kind, true }

std::vector<Field> people()
{
    using F = FornecedorRecord;
    return {QV_FIELD(F, Nome, Text),     QV_FIELD(F, Contacto, Text), QV_FIELD(F, Telefone, Text),
            QV_FIELD(F, Fax, Text),      QV_FIELD(F, Morada, Text),   QV_FIELD(F, Email, Text)};
}

std::vector<Field> movements()
{
    using M = MovimRecord;
    return {QV_FIELD(M, item, Text), QV_FIELD(M, quantity, Number), QV_FIELD(M, movementDate, Date),
            QV_FIELD(M, realDate, Date), QV_FIELD(M, type, Text)};
}

std::vector<File> makeFiles()
{
    using P = ProdutoRecord;
    using MP = MateriaPrimaRecord;
    using E = EquipamentoRecord;
    using SM = StockMateriaRecord;
    using SP = StockProdutoRecord;
    using EP = EncomProdutoRecord;
    using EM = EncomMateriaRecord;
    using H = HorasProducaoRecord;
    // Prices and costs may be left empty on their screens (and a purchase order copies the price);
    // every other number and date is always written.
    std::vector<File> files = {
        {DataFile::Produtos, int(sizeof(P)),
         {QV_FIELD(P, Produto, Text), QV_FIELD(P, Tipo, Text), QV_FIELD(P, MateriaPrima, Text),
          QV_FIELD(P, Quant, Number), QV_FIELD(P, Un, Text), QV_FIELD(P, Ciclo, Integer),
          QV_FIELD(P, QuantDia, Number), QV_FIELD(P, Moldes, Integer), QV_FIELD(P, Composto, Flag),
          QV_FIELD(P, Operacao, Text)}},
        {DataFile::MateriasPrimas, int(sizeof(MP)),
         {QV_FIELD(MP, MateriaPrima, Text), QV_FIELD(MP, Referencia, Text), QV_OPTIONAL(MP, Preco, Number),
          QV_FIELD(MP, Fornecedor, Text), QV_FIELD(MP, Un, Text)}},
        {DataFile::Fornecedores, int(sizeof(FornecedorRecord)), people()},
        {DataFile::Clientes, int(sizeof(FornecedorRecord)), people()},
        {DataFile::Equipamentos, int(sizeof(E)),
         {QV_FIELD(E, Equipamento, Text), QV_FIELD(E, Tipo, Text), QV_FIELD(E, Quant, Integer),
          QV_OPTIONAL(E, Custo, Number), QV_FIELD(E, Operacao, Text)}},
        {DataFile::StockMateria, int(sizeof(SM)),
         {QV_FIELD(SM, material, Text), QV_FIELD(SM, stock, Number), QV_FIELD(SM, reserved, Number),
          QV_FIELD(SM, onOrder, Number), QV_FIELD(SM, date, Date)}},
        {DataFile::StockProduto, int(sizeof(SP)),
         {QV_FIELD(SP, product, Text), QV_FIELD(SP, type, Text), QV_FIELD(SP, stock, Number),
          QV_FIELD(SP, available, Number), QV_FIELD(SP, ordered, Number), QV_FIELD(SP, date, Date)}},
        {DataFile::MovimMateria, int(sizeof(MovimRecord)), movements()},
        {DataFile::MovimProduto, int(sizeof(MovimRecord)), movements()},
        {DataFile::EncomProduto, int(sizeof(EP)),
         {QV_FIELD(EP, product, Text), QV_FIELD(EP, type, Text), QV_FIELD(EP, client, Text),
          QV_FIELD(EP, quantity, Number), QV_FIELD(EP, date, Date), QV_OPTIONAL(EP, secondDate, Date),
          QV_FIELD(EP, reference, Text), QV_FIELD(EP, delivered, Number), QV_FIELD(EP, state, State)}},
        {DataFile::EncomMateria, int(sizeof(EM)),
         {QV_FIELD(EM, material, Text), QV_FIELD(EM, materialReference, Text), QV_FIELD(EM, supplier, Text),
          QV_FIELD(EM, quantity, Number), QV_FIELD(EM, date, Date), QV_OPTIONAL(EM, secondDate, Date),
          QV_FIELD(EM, reference, Text), QV_FIELD(EM, received, Number), QV_OPTIONAL(EM, unitCost, Number),
          QV_FIELD(EM, state, State)}},
        {DataFile::HorasProducao, int(sizeof(H)),
         {QV_FIELD(H, product, Text), QV_FIELD(H, type, Text), QV_FIELD(H, entered, Number),
          QV_FIELD(H, rejected, Number), QV_FIELD(H, date, Date), QV_OPTIONAL(H, secondDate, Date),
          QV_FIELD(H, note, Text), QV_FIELD(H, operationOnly, Flag), QV_FIELD(H, equipment, Text),
          QV_FIELD(H, productionHours, Number), QV_FIELD(H, setupHours, Number),
          QV_FIELD(H, breakdownHours, Number), QV_FIELD(H, materialHours, Number),
          QV_FIELD(H, personnelHours, Number), QV_FIELD(H, otherHours, Number)}},
    };
    return files;
}

#undef QV_FIELD
#undef QV_OPTIONAL

} // namespace

QByteArray Field::bytes(const char* record) const
{
    if (isByte())
        return {};
    const int n = storedLength(record);
    return QByteArray(record + offset + 1, n > capacity ? capacity : n);
}

QString File::csvName() const { return QFileInfo(name).completeBaseName() + QStringLiteral(".csv"); }

const Field* File::field(const QString& fieldName) const
{
    for (const Field& f : fields)
        if (f.name == fieldName)
            return &f;
    return nullptr;
}

const std::vector<File>& Files()
{
    static const std::vector<File> files = [] {
        std::vector<File> all = makeFiles();
        // Every byte of every record belongs to exactly one field, in order.
        for (const File& f : all) {
            int next = 0;
            for (const Field& field : f.fields) {
                Q_ASSERT(field.offset == next);
                next = field.offset + (field.isByte() ? 1 : field.capacity + 1);
            }
            Q_ASSERT(next == f.recordSize);
            Q_UNUSED(next);
        }
        return all;
    }();
    return files;
}

const File* Find(const QString& dataFileName)
{
    for (const File& f : Files())
        if (f.name.compare(dataFileName, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

} // namespace RecordLayout
