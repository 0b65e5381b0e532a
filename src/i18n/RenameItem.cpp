#include "i18n/RenameItem.h"

#include "store/RecordFile.h"
#include "store/Records.h"
#include "store/StoreError.h"

#include <QFileInfo>
#include <cstring>
#include <functional>
#include <vector>

namespace {

// An item as the files store it, each text cut to its field: a product's name and type and its
// "name type" (movements, composite lines); a raw material's name (item).
struct Keys {
    FixedString<30> name{};
    FixedString<20> type{};
    FixedString<40> item{};
};

Keys keysOf(const RenameRequest& r, bool newItem)
{
    const QString& name = newItem ? r.newName : r.oldName;
    Keys k;
    if (r.kind == RenameRequest::Product) {
        k.name.setText(name);
        k.type.setText(newItem ? r.newType : r.oldType);
        k.item.setText(k.name.text() + QLatin1Char(' ') + k.type.text());
    } else {
        k.item.setText(name);
    }
    return k;
}

bool sameItem(const RenameRequest& r, const Keys& a, const Keys& b)
{
    return r.kind == RenameRequest::Product ? a.name == b.name && a.type == b.type : a.item == b.item;
}

// One data file on its way: its bytes, changed in memory.
struct FilePlan {
    QString name;
    QString path;
    QByteArray bytes;
    int changed = 0;
    bool namesNew = false;
};

// A rule tells whether a record names the item of `of`, and when `to` is given renames it there.
// over() runs a rule on every whole record of a file (a damaged tail stays as it is).
using FilePass = std::function<void(FilePlan&, const Keys& from, const Keys& to)>;

template <class R, class Rule>
FilePass over(Rule rule)
{
    return [rule](FilePlan& plan, const Keys& from, const Keys& to) {
        const qsizetype size = qsizetype(sizeof(R));
        const qsizetype n = plan.bytes.size() / size;
        char* data = plan.bytes.data();
        R r;
        for (qsizetype k = 0; k < n; ++k) {
            std::memcpy(static_cast<void*>(&r), data + k * size, size_t(size));
            if (rule(r, to, nullptr))
                plan.namesNew = true;
            if (rule(r, from, &to)) {
                std::memcpy(data + k * size, static_cast<const void*>(&r), size_t(size));
                ++plan.changed;
            }
        }
    };
}

// A text field holding the item key ("name type" of a product, or a raw material's name).
template <int N>
bool itemField(FixedString<N>& field, const Keys& of, const Keys* to)
{
    if (!(field == of.item))
        return false;
    if (to)
        field.setBytes(to->item.bytes());
    return true;
}

// Assigning one FixedString to another of the same capacity keeps the bytes after the new text as
// the record had them, as every writer of a record does.
template <int N>
void assignText(FixedString<N>& field, const FixedString<N>& value)
{
    field.setBytes(value.bytes());
}

struct FileRule {
    const QString* name;
    FilePass pass;
};

std::vector<FileRule> productRules()
{
    auto pair = [](auto& name, auto& type, const Keys& of, const Keys* to) {
        if (!(name == of.name && type == of.type))
            return false;
        if (to) {
            assignText(name, to->name);
            assignText(type, to->type);
        }
        return true;
    };
    return {
        {&DataFile::Produtos, over<ProdutoRecord>([pair](ProdutoRecord& r, const Keys& of, const Keys* to) {
             const bool product = pair(r.Produto, r.Tipo, of, to);
             // A composite line names its component product by "name type".
             const bool component = r.Composto == 1 && itemField(r.MateriaPrima, of, to);
             return product || component;
         })},
        {&DataFile::StockProduto, over<StockProdutoRecord>([pair](StockProdutoRecord& r, const Keys& of, const Keys* to) {
             return pair(r.product, r.type, of, to);
         })},
        {&DataFile::HorasProducao, over<HorasProducaoRecord>([pair](HorasProducaoRecord& r, const Keys& of, const Keys* to) {
             return pair(r.product, r.type, of, to);
         })},
        {&DataFile::EncomProduto, over<EncomProdutoRecord>([pair](EncomProdutoRecord& r, const Keys& of, const Keys* to) {
             return pair(r.product, r.type, of, to);
         })},
        {&DataFile::MovimProduto, over<MovimRecord>([](MovimRecord& r, const Keys& of, const Keys* to) {
             return itemField(r.item, of, to);
         })},
    };
}

std::vector<FileRule> rawMaterialRules()
{
    return {
        {&DataFile::MateriasPrimas, over<MateriaPrimaRecord>([](MateriaPrimaRecord& r, const Keys& of, const Keys* to) {
             return itemField(r.MateriaPrima, of, to);
         })},
        // The products made of it (a composite line names a product instead).
        {&DataFile::Produtos, over<ProdutoRecord>([](ProdutoRecord& r, const Keys& of, const Keys* to) {
             return r.Composto != 1 && itemField(r.MateriaPrima, of, to);
         })},
        {&DataFile::StockMateria, over<StockMateriaRecord>([](StockMateriaRecord& r, const Keys& of, const Keys* to) {
             return itemField(r.material, of, to);
         })},
        {&DataFile::EncomMateria, over<EncomMateriaRecord>([](EncomMateriaRecord& r, const Keys& of, const Keys* to) {
             return itemField(r.material, of, to);
         })},
        {&DataFile::MovimMateria, over<MovimRecord>([](MovimRecord& r, const Keys& of, const Keys* to) {
             return itemField(r.item, of, to);
         })},
    };
}

// Reads and changes every file in memory; the result tells whether the rename can go on (Renamed).
std::vector<FilePlan> planRename(const QString& folder, const RenameRequest& request, RenameResult& result)
{
    const Keys from = keysOf(request, false);
    const Keys to = keysOf(request, true);
    result = RenameResult();
    result.oldItem = from.item.text();
    result.newItem = to.item.text();
    if (RenameHasNothingToChange(request)) {
        result.status = RenameResult::NothingToChange;
        return {};
    }
    if (request.oldName.isEmpty()) {
        result.status = RenameResult::NotFound;
        return {};
    }
    const QString dir = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    std::vector<FilePlan> plans;
    bool exists = false;
    try {
        for (const FileRule& rule : request.kind == RenameRequest::Product ? productRules() : rawMaterialRules()) {
            FilePlan plan;
            plan.name = *rule.name;
            plan.path = dir + plan.name;
            if (!QFileInfo::exists(plan.path))
                continue;
            plan.bytes = ReadFileContents(plan.path);
            rule.pass(plan, from, to);
            exists = exists || plan.namesNew;
            if (plan.changed > 0) {
                result.changes.append({plan.name, plan.changed});
                result.changedRecords += plan.changed;
                plans.push_back(std::move(plan));
            }
        }
    } catch (const StoreError& e) {
        result.status = RenameResult::Failed;
        result.error = e.message();
        return {};
    }
    if (exists) {
        result.status = RenameResult::AlreadyExists;
        result.changes.clear();
        result.changedRecords = 0;
        return {};
    }
    result.status = plans.empty() ? RenameResult::NotFound : RenameResult::Renamed;
    return plans;
}

} // namespace

bool RenameHasNothingToChange(const RenameRequest& request)
{
    if (request.newName.trimmed().isEmpty())
        return true;
    if (request.kind == RenameRequest::Product && request.newType.trimmed().isEmpty())
        return true;
    return sameItem(request, keysOf(request, false), keysOf(request, true));
}

RenameResult CheckRename(const QString& companyFolder, const RenameRequest& request)
{
    RenameResult result;
    planRename(companyFolder, request, result);
    return result;
}

RenameResult RenameItem(const QString& companyFolder, const RenameRequest& request)
{
    RenameResult result;
    const std::vector<FilePlan> plans = planRename(companyFolder, request, result);
    if (result.status != RenameResult::Renamed)
        return result;
    std::vector<std::pair<QString, QByteArray>> files;
    files.reserve(plans.size());
    for (const FilePlan& p : plans)
        files.emplace_back(p.path, p.bytes);
    size_t replaced = 0;
    try {
        ReplaceFilesContents(files, &replaced);
    } catch (const StoreError& e) {
        result.status = RenameResult::Failed;
        result.error = e.message();
        for (size_t i = 0; i < replaced; ++i)
            result.replacedFiles << plans[i].name;
    }
    return result;
}
