#include "store/CompanyCheck.h"

#include "i18n/Language.h"
#include "store/Cp1252.h"
#include "store/DateText.h"
#include "store/DecimalText.h"
#include "store/RecordFile.h"
#include "store/RecordLayout.h"
#include "store/Records.h"
#include "store/RegionalSettings.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <optional>
#include <cstring>

namespace CompanyCheck {

using RecordLayout::Field;
using RecordLayout::Kind;

namespace {

// A text of the check: from the language file in the program's window, built in on the command line.
// Each is looked up once: a damaged company gives a finding for every record.
class Texts {
public:
    explicit Texts(bool translated) : m_translated(translated) {}
    QString operator()(const char* key, const char* builtIn) const
    {
        const auto known = m_texts.constFind(key);
        if (known != m_texts.cend())
            return *known;
        const QString text = QString::fromUtf8(builtIn);
        return *m_texts.insert(key, m_translated ? LangText(QString::fromLatin1(key), text) : text);
    }

private:
    bool m_translated;
    mutable QHash<const char*, QString> m_texts; // by the key as written in the code
};

// Exact keys of the texts other files refer to.
QByteArray pairKey(const QByteArray& name, const QByteArray& type)
{
    QByteArray key;
    key.reserve(name.size() + type.size() + 1);
    key.append(char(name.size())).append(name).append(type);
    return key;
}

// A product as a 40-character field names it: name, one blank, type, cut to the field.
QByteArray productText(const QByteArray& name, const QByteArray& type, int capacity = 40)
{
    return (name + ' ' + type).left(capacity);
}

QString quoted(const QByteArray& bytes) { return Cp1252::decode(bytes); }

// The damage the record code reads past: a torn last record and length bytes beyond a field.
std::optional<Finding> sizeFinding(const RecordLayout::File& layout, qsizetype bytes, const Texts& t)
{
    const qint64 size = layout.recordSize;
    const qint64 count = bytes / size;
    const qint64 tail = bytes - count * size;
    if (tail == 0)
        return std::nullopt;
    return Finding{layout.name, count + 1, QString(), QStringLiteral("size"),
                   t("msg_CheckFileSize", "%1 bytes after the last whole record: %2 bytes are not a whole number of %3-byte records")
                       .arg(tail).arg(bytes).arg(size)};
}

std::optional<Finding> lengthFinding(const QString& file, qint64 record, const Field& f, const char* bytes, const Texts& t)
{
    if (f.isByte() || f.storedLength(bytes) <= f.capacity)
        return std::nullopt;
    return Finding{file, record, f.name, QStringLiteral("length"),
                   t("msg_CheckLength", "length byte %1 is above the field's capacity of %2").arg(f.storedLength(bytes)).arg(f.capacity)};
}

// The files in the order of RecordLayout::Files().
enum FileIndex {
    Produtos, MateriasPrimas, Fornecedores, Clientes, Equipamentos, StockMateria, StockProduto, MovimMateria,
    MovimProduto, EncomProduto, EncomMateria, HorasProducao
};

class Checker {
public:
    Checker(const QString& folder, bool translated, const std::function<void(const Finding&)>& onFinding)
        : m_folder(folder), m_t(translated), m_onFinding(onFinding) {}

    Result run()
    {
        const QFileInfo info(m_folder);
        if (!info.exists() || !info.isDir()) {
            m_result.error = QStringLiteral("the folder %1 does not exist").arg(QDir::toNativeSeparators(m_folder));
            return m_result;
        }
        if (!info.isReadable()) {
            m_result.error = QStringLiteral("the folder %1 cannot be read").arg(QDir::toNativeSeparators(m_folder));
            return m_result;
        }
        try {
            // The master files first: their names are what every other file refers to.
            std::map<QString, QByteArray> masters;
            for (const QString& name : {DataFile::Produtos, DataFile::MateriasPrimas, DataFile::Fornecedores,
                                        DataFile::Clientes, DataFile::Equipamentos})
                masters[name] = read(name);
            gatherNames(masters);
            for (const RecordLayout::File& layout : RecordLayout::Files()) {
                const auto master = masters.find(layout.name);
                const QByteArray bytes = master != masters.end() ? master->second : read(layout.name);
                checkFile(layout, bytes);
                if (master != masters.end())
                    master->second.clear();
            }
        } catch (const StoreError& e) {
            m_result.error = e.message();
        }
        return m_result;
    }

private:
    QByteArray read(const QString& name)
    {
        const QString path = m_folder + name;
        if (!QFileInfo::exists(path))
            return {};
        ++m_result.files;
        return ReadFileContents(path);
    }

    template <class R, class F>
    static void forEach(const QByteArray& bytes, F&& f)
    {
        const qsizetype n = bytes.size() / qsizetype(sizeof(R));
        R r;
        for (qsizetype k = 0; k < n; ++k) {
            std::memcpy(static_cast<void*>(&r), bytes.constData() + k * qsizetype(sizeof(R)), sizeof(R));
            f(static_cast<const R&>(r));
        }
    }

    void gatherNames(const std::map<QString, QByteArray>& masters)
    {
        forEach<ProdutoRecord>(masters.at(DataFile::Produtos), [&](const ProdutoRecord& p) {
            m_productPairs.insert(pairKey(p.Produto.bytes(), p.Tipo.bytes()));
            m_productTexts.insert(productText(p.Produto.bytes(), p.Tipo.bytes()));
        });
        forEach<MateriaPrimaRecord>(masters.at(DataFile::MateriasPrimas),
                                    [&](const MateriaPrimaRecord& m) { m_materials.insert(m.MateriaPrima.bytes()); });
        forEach<FornecedorRecord>(masters.at(DataFile::Fornecedores),
                                  [&](const FornecedorRecord& f) { m_suppliers.insert(f.Nome.bytes()); });
        forEach<FornecedorRecord>(masters.at(DataFile::Clientes),
                                  [&](const FornecedorRecord& f) { m_clients.insert(f.Nome.bytes()); });
        // A production entry holds the first 10 characters of the equipment's name.
        const int entryCapacity = decltype(HorasProducaoRecord::equipment)::Capacity;
        forEach<EquipamentoRecord>(masters.at(DataFile::Equipamentos), [&](const EquipamentoRecord& e) {
            m_equipments.insert(e.Equipamento.bytes().left(entryCapacity));
        });
    }

    void add(const QString& file, qint64 record, const QString& field, const char* kind, const QString& text)
    {
        add(Finding{file, record, field, QString::fromLatin1(kind), text});
    }
    void add(const Finding& f)
    {
        ++m_result.found;
        if (m_onFinding)
            m_onFinding(f);
        else
            m_result.findings.push_back(f);
    }

    // --- Each field by its kind -------------------------------------------------------------------

    bool isNumber(const QByteArray& text) { return DecimalText::parse(Cp1252::decode(text)).has_value(); }

    bool isDate(const QByteArray& text)
    {
        const auto it = m_dates.constFind(text);
        if (it != m_dates.cend())
            return *it;
        const bool ok = DateText::parse(Cp1252::decode(text)).has_value();
        m_dates.insert(text, ok);
        return ok;
    }

    void checkField(const QString& file, qint64 record, const Field& f, const char* bytes)
    {
        if (f.isByte()) {
            const int v = f.byteValue(bytes);
            if (f.kind == Kind::Flag && v > 1)
                add(file, record, f.name, "flag", m_t("msg_CheckFlag", "flag %1 is neither 0 nor 1").arg(v));
            if (f.kind == Kind::State && v > 2)
                add(file, record, f.name, "state",
                    m_t("msg_CheckState", "order state %1 is not 0 (active), 1 (archived) or 2 (on hold)").arg(v));
            return;
        }
        if (auto damaged = lengthFinding(file, record, f, bytes, m_t))
            add(*damaged);
        if (f.kind == Kind::Text)
            return;
        const QByteArray text = f.bytes(bytes);
        if (text.isEmpty() && f.optional)
            return;
        switch (f.kind) {
        case Kind::Number:
            if (!isNumber(text))
                add(file, record, f.name, "number", m_t("msg_CheckNumber", "'%1' is not a number").arg(quoted(text)));
            break;
        case Kind::Integer:
            if (!DecimalText::parseInt(Cp1252::decode(text)))
                add(file, record, f.name, "number",
                    m_t("msg_CheckInteger", "'%1' is not a whole number").arg(quoted(text)));
            break;
        case Kind::Date:
            if (!isDate(text))
                add(file, record, f.name, "date", m_t("msg_CheckDate", "'%1' is not a date").arg(quoted(text)));
            break;
        default:
            break;
        }
    }

    // --- References and the records of each file ----------------------------------------------------

    void needName(const QString& file, qint64 record, const char* field, const QByteArray& name,
                  const QSet<QByteArray>& names, const QString& master, const char* key, const char* builtIn)
    {
        if (!names.contains(name))
            add(file, record, QString::fromLatin1(field), "reference", m_t(key, builtIn).arg(quoted(name), master));
    }
    void needMaterial(const QString& file, qint64 record, const char* field, const QByteArray& name)
    {
        needName(file, record, field, name, m_materials, DataFile::MateriasPrimas, "msg_CheckMaterial", "no raw material '%1' in %2");
    }
    void needSupplier(const QString& file, qint64 record, const char* field, const QByteArray& name)
    {
        // A raw material may have no supplier, and its purchase orders then have none either.
        if (!name.isEmpty())
            needName(file, record, field, name, m_suppliers, DataFile::Fornecedores, "msg_CheckSupplier", "no supplier '%1' in %2");
    }
    void needProduct(const QString& file, qint64 record, const QByteArray& name, const QByteArray& type)
    {
        if (!m_productPairs.contains(pairKey(name, type)))
            add(file, record, QStringLiteral("product"), "reference",
                m_t("msg_CheckProduct", "no product '%1' of type '%2' in %3")
                    .arg(quoted(name), quoted(type), DataFile::Produtos));
    }

    // available = stock - ordered, within what the texts can hold: half a unit of the last place
    // written (a text cut at its field's end loses digits) and the error of the subtraction.
    static double halfUnitOfLastPlace(const QByteArray& text, int capacity)
    {
        if (text.size() < capacity)
            return 0.0005;
        const QChar separator = RegionalSettings::current().decimalSeparator;
        const qsizetype point = Cp1252::decode(text).indexOf(separator);
        const qsizetype decimals = point < 0 ? 0 : text.size() - point - 1;
        return std::max(0.0005, 0.5 * std::pow(10.0, -double(decimals)));
    }

    void checkAvailable(const QString& file, qint64 record, const StockProdutoRecord& s)
    {
        const auto stock = DecimalText::parse(s.stock.text());
        const auto available = DecimalText::parse(s.available.text());
        const auto ordered = DecimalText::parse(s.ordered.text());
        if (!stock || !available || !ordered)
            return; // told as numbers already
        const double expected = *stock - *ordered;
        const int cap = decltype(s.stock)::Capacity;
        const double tolerance =
            std::max({halfUnitOfLastPlace(s.available.bytes(), cap), halfUnitOfLastPlace(s.stock.bytes(), cap),
                      halfUnitOfLastPlace(s.ordered.bytes(), cap)})
            + 1e-9 * std::max({1.0, std::fabs(*stock), std::fabs(*ordered)});
        if (std::fabs(*available - expected) > tolerance)
            add(file, record, QStringLiteral("available"), "available",
                m_t("msg_CheckAvailable", "available %1 is not stock %2 - ordered %3 (%4)")
                    .arg(s.available.text(), s.stock.text(), s.ordered.text(), DecimalText::FloatToStr(expected)));
    }

    void checkDuplicate(QHash<QByteArray, qint64>& first, const QString& file, qint64 record, const char* field,
                        const QByteArray& key, const QString& shown)
    {
        const auto it = first.constFind(key);
        if (it == first.cend()) {
            first.insert(key, record);
            return;
        }
        add(file, record, QString::fromLatin1(field), "duplicate",
            m_t("msg_CheckDuplicate", "a second stock record of '%1' (the first is record %2)").arg(shown).arg(*it));
    }

    template <class R>
    static R as(const char* bytes)
    {
        R r;
        std::memcpy(static_cast<void*>(&r), bytes, sizeof r);
        return r;
    }

    // The checks across fields and files of one record of the file in `which`.
    void checkRecord(int which, const QString& file, qint64 k, const char* bytes)
    {
        if (which == Produtos) {
            const auto p = as<ProdutoRecord>(bytes);
            const QByteArray line = p.MateriaPrima.bytes();
            if (p.Composto == 1) {
                if (line == productText(p.Produto.bytes(), p.Tipo.bytes()))
                    add(file, k, QStringLiteral("MateriaPrima"), "component",
                        m_t("msg_CheckSelf", "the component '%1' is the product itself").arg(quoted(line)));
                else if (!m_productTexts.contains(line))
                    add(file, k, QStringLiteral("MateriaPrima"), "component",
                        m_t("msg_CheckComponent", "the component '%1' is no product of %2").arg(quoted(line), DataFile::Produtos));
            } else {
                needMaterial(file, k, "MateriaPrima", line);
            }
        } else if (which == MateriasPrimas) {
            const auto m = as<MateriaPrimaRecord>(bytes);
            needSupplier(file, k, "Fornecedor", m.Fornecedor.bytes());
        } else if (which == StockMateria) {
            const auto s = as<StockMateriaRecord>(bytes);
            needMaterial(file, k, "material", s.material.bytes());
            checkDuplicate(m_stockMaterials, file, k, "material", s.material.bytes(), s.material.text());
        } else if (which == StockProduto) {
            const auto s = as<StockProdutoRecord>(bytes);
            needProduct(file, k, s.product.bytes(), s.type.bytes());
            checkDuplicate(m_stockProducts, file, k, "product", pairKey(s.product.bytes(), s.type.bytes()),
                           s.product.text() + ' ' + s.type.text());
            checkAvailable(file, k, s);
        } else if (which == MovimMateria) {
            const auto m = as<MovimRecord>(bytes);
            needMaterial(file, k, "item", m.item.bytes());
        } else if (which == MovimProduto) {
            const auto m = as<MovimRecord>(bytes);
            needName(file, k, "item", m.item.bytes(), m_productTexts, DataFile::Produtos, "msg_CheckProductText", "no product '%1' in %2");
        } else if (which == EncomProduto) {
            const auto o = as<EncomProdutoRecord>(bytes);
            needProduct(file, k, o.product.bytes(), o.type.bytes());
            if (!o.client.equals(ProductionClient()))
                needName(file, k, "client", o.client.bytes(), m_clients, DataFile::Clientes, "msg_CheckClient", "no client '%1' in %2");
        } else if (which == EncomMateria) {
            const auto o = as<EncomMateriaRecord>(bytes);
            needMaterial(file, k, "material", o.material.bytes());
            needSupplier(file, k, "supplier", o.supplier.bytes());
        } else if (which == HorasProducao) {
            const auto h = as<HorasProducaoRecord>(bytes);
            needProduct(file, k, h.product.bytes(), h.type.bytes());
            needName(file, k, "equipment", h.equipment.bytes(), m_equipments, DataFile::Equipamentos, "msg_CheckEquipment",
                     "no equipment '%1' in %2");
        }
    }

    void checkFile(const RecordLayout::File& layout, const QByteArray& bytes)
    {
        const qint64 size = layout.recordSize;
        const qint64 count = bytes.size() / size;
        m_result.records += count;
        if (auto torn = sizeFinding(layout, bytes.size(), m_t))
            add(*torn);
        const int which = int(&layout - RecordLayout::Files().data());
        for (qint64 k = 0; k < count; ++k) {
            const char* record = bytes.constData() + k * size;
            for (const Field& f : layout.fields)
                checkField(layout.name, k + 1, f, record);
            checkRecord(which, layout.name, k + 1, record);
        }
    }

    QString m_folder;
    Texts m_t;
    const std::function<void(const Finding&)>& m_onFinding;
    Result m_result;
    QSet<QByteArray> m_productPairs, m_productTexts, m_materials, m_suppliers, m_clients, m_equipments;
    QHash<QByteArray, qint64> m_stockMaterials, m_stockProducts;
    QHash<QByteArray, bool> m_dates;
};

void appendJsonString(QByteArray& out, const QString& text)
{
    out.append('"');
    for (const char c : text.toUtf8()) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out.append('\\').append(c);
        } else if (u < 0x20) {
            switch (c) {
            case '\n': out.append("\\n"); break;
            case '\r': out.append("\\r"); break;
            case '\t': out.append("\\t"); break;
            default: out.append(QByteArray("\\u00") + QByteArray::number(u, 16).rightJustified(2, '0'));
            }
        } else {
            out.append(c);
        }
    }
    out.append('"');
}

} // namespace

QString Finding::line() const
{
    if (field.isEmpty())
        return QStringLiteral("%1:%2: %3").arg(file).arg(record).arg(text);
    return QStringLiteral("%1:%2: %3: %4").arg(file).arg(record).arg(field, text);
}

QByteArray Finding::json() const
{
    QByteArray out("{\"file\":");
    appendJsonString(out, file);
    out.append(",\"record\":").append(QByteArray::number(record)).append(",\"field\":");
    appendJsonString(out, field);
    out.append(",\"kind\":");
    appendJsonString(out, kind);
    out.append(",\"text\":");
    appendJsonString(out, text);
    out.append('}');
    return out;
}

std::vector<Finding> Damage(const RecordLayout::File& layout, const QByteArray& bytes, bool translated)
{
    const Texts t(translated);
    std::vector<Finding> found;
    if (auto torn = sizeFinding(layout, bytes.size(), t))
        found.push_back(*torn);
    const qsizetype count = bytes.size() / layout.recordSize;
    for (qsizetype k = 0; k < count; ++k)
        for (const Field& f : layout.fields)
            if (auto damaged = lengthFinding(layout.name, k + 1, f, bytes.constData() + k * layout.recordSize, t))
                found.push_back(*damaged);
    return found;
}

Result Check(const QString& folder, bool translated, const std::function<void(const Finding&)>& onFinding)
{
    const QString f = folder.endsWith('/') ? folder : folder + '/';
    return Checker(f, translated, onFinding).run();
}

} // namespace CompanyCheck
