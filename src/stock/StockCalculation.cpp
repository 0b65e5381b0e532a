#include "stock/StockCalculation.h"

#include "store/AccessPatterns.h"
#include "store/Cp1252.h"
#include "store/DateText.h"
#include "store/DecimalText.h"
#include "store/RecordFile.h"
#include "store/RegionalSettings.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <cmath>
#include <cstring>

namespace StockCalculation {

namespace {

// Width of the quantity fields of StockMateria.DAT.
constexpr int kQuantityWidth = 10;
// Beyond this many days from now no run-out date is written (the last one a four-digit year holds).
constexpr double kMaxDays = 2.9e6;

CalcError Error(CalcError::Kind kind, const QString& file, qint64 record, const char* field, const QString& text)
{
    return CalcError::Make(kind, file, record, field, text);
}

// A running sum kept as the text the general conversion writes and read back from it, as a grid
// cell that is added to again and again.
struct Amount {
    double value = 0;
    QString text = QStringLiteral("0");
    void add(double x)
    {
        value += x;
        text = DecimalText::FloatToStr(value);
        value = DecimalText::parse(text).value_or(value);
    }
};

QString NumberText(double value) { return DecimalText::FloatToStr(value == 0 ? 0.0 : value); }

// The key of a product and type: the length of the name, the name, the type.
QByteArray PairKey(const QByteArray& product, const QByteArray& type)
{
    QByteArray key;
    key.reserve(product.size() + type.size() + 1);
    key.append(char(product.size()));
    key.append(product);
    key.append(type);
    return key;
}

// Days from the start of a date to the moment, with the time of day as a fraction.
double DaysSince(const QDate& date, const QDateTime& now)
{
    return double(date.daysTo(now.date())) + now.time().msecsSinceStartOfDay() / 86400000.0;
}

// The composition lines of each product and type, in file order.
class CompositionLines {
public:
    explicit CompositionLines(const std::vector<ProdutoRecord>& products)
    {
        m_lines.reserve(qsizetype(products.size() / 2 + 1));
        for (size_t i = 0; i < products.size(); ++i)
            m_lines[PairKey(products[i].Produto.bytes(), products[i].Tipo.bytes())].push_back(i);
    }
    const std::vector<size_t>* Of(const QByteArray& product, const QByteArray& type) const
    {
        const auto found = m_lines.constFind(PairKey(product, type));
        return found == m_lines.constEnd() ? nullptr : &*found;
    }

private:
    QHash<QByteArray, std::vector<size_t>> m_lines;
};

// The stock rows being calculated.
struct Row {
    MaterialRow shown;
    Amount reserved;
    Amount onOrder;
    qsizetype need = -1; // its row of the needs list once a reservation touched it
};

// The needs list being updated.
struct Need {
    NeedRow row;
    QSet<QString> counted; // products counted for the material
    Amount perDay;
    qsizetype lastRow = -1; // the stock row of the last update
};

class Calculation {
public:
    Calculation(const StockFiles& files, const Settings& settings, StockOutcome& out)
        : m_files(files), m_settings(settings), m_out(out), m_today(DateText::DateToStr(settings.now.date())),
          m_lines(files.products)
    {
    }

    bool run(const std::vector<NeedRow>& previous);

private:
    bool fail(const CalcError& e)
    {
        m_out.error = e;
        return false;
    }
    bool addOrders();
    bool reserve(const StockProdutoRecord& s, qint64 stockNumber);
    void reserveMaterial(const ProdutoRecord& line, double q, const QString& product, double perDay);
    void updateNeed(size_t row, const QString& product, double perDay);
    bool finish();
    std::optional<double> stockAfterConsumption(size_t row, double perDay);

    const StockFiles& m_files;
    const Settings& m_settings;
    StockOutcome& m_out;
    const QString m_today;
    const CompositionLines m_lines; // built once
    std::vector<Row> m_rows;
    QHash<QByteArray, std::vector<size_t>> m_rowsOf; // material -> its rows
    std::vector<Need> m_needs;
    QHash<QString, size_t> m_needOf; // material -> its (first) needs row
};

bool Calculation::run(const std::vector<NeedRow>& previous)
{
    // The stock rows, nothing reserved or on order yet.
    const auto& materials = m_files.materials;
    m_rows.resize(materials.size());
    m_rowsOf.reserve(qsizetype(materials.size()));
    for (size_t i = 0; i < materials.size(); ++i) {
        const StockMateriaRecord& r = materials[i];
        MaterialRow& shown = m_rows[i].shown;
        shown.material = r.material.text();
        shown.stock = r.stock.text();
        shown.date = r.date.text();
        shown.record = qint64(i) + 1;
        m_rowsOf[r.material.bytes()].push_back(i);
    }

    // The list kept from an earlier calculation.
    for (const NeedRow& p : previous) {
        Need n;
        n.row = p;
        n.row.cells.resize(NeedRow::ColumnCount);
        for (const QString& product : p.Products())
            n.counted.insert(product);
        const QString perDay = n.row.cells[NeedRow::ColPerDay];
        if (!perDay.isEmpty()) {
            n.perDay.text = perDay;
            n.perDay.value = DecimalText::parse(perDay).value_or(0);
        }
        const QString material = n.row.cells[NeedRow::ColMaterial];
        if (!m_needOf.contains(material))
            m_needOf.insert(material, m_needs.size());
        m_needs.push_back(std::move(n));
    }

    if (!addOrders())
        return false;

    // Reservations for the products in shortfall.
    const auto& stock = m_out.totals.stock;
    for (size_t i = 0; i < stock.size(); ++i)
        if (!reserve(stock[i], qint64(i) + 1))
            return false;
    return finish();
}

bool Calculation::addOrders()
{
    const auto& purchases = m_files.purchases;
    for (size_t i = 0; i < purchases.size(); ++i) {
        const EncomMateriaRecord& o = purchases[i];
        if (o.state != OrderActive)
            continue;
        const auto rows = m_rowsOf.constFind(o.material.bytes());
        if (rows == m_rowsOf.constEnd())
            continue;
        const auto quantity = DecimalText::parse(o.quantity.text());
        if (!quantity)
            return fail(Error(CalcError::BadNumber, DataFile::EncomMateria, qint64(i) + 1, "quantity", o.quantity.text()));
        for (size_t r : *rows)
            m_rows[r].onOrder.add(*quantity);
    }
    return true;
}

bool Calculation::reserve(const StockProdutoRecord& s, qint64 stockNumber)
{
    const std::vector<size_t>* lines = m_lines.Of(s.product.bytes(), s.type.bytes());
    if (!lines)
        return true;
    const auto available = DecimalText::parse(s.available.text());
    if (!available)
        return fail(Error(CalcError::BadNumber, DataFile::StockProduto, stockNumber, "available", s.available.text()));
    if (!(*available < 0))
        return true;
    const QString product = s.product.text();
    for (size_t k : *lines) {
        const ProdutoRecord& line = m_files.products[k];
        if (line.Composto == 1)
            continue; // names a component product, not a raw material
        const qint64 number = qint64(k) + 1;
        const auto perDay = DecimalText::parse(line.QuantDia.text());
        if (!perDay)
            return fail(Error(CalcError::BadNumber, DataFile::Produtos, number, "QuantDia", line.QuantDia.text()));
        if (!(*perDay > 0))
            continue;
        const auto quant = DecimalText::parse(line.Quant.text());
        if (!quant)
            return fail(Error(CalcError::BadNumber, DataFile::Produtos, number, "Quant", line.Quant.text()));
        const double exact = std::fabs(*available) * *quant;
        const double q = DecimalText::parse(DecimalText::FormatFloat(QStringLiteral("0.###"), exact)).value_or(exact);
        if (!std::isfinite(q))
            return fail(Error(CalcError::TooLarge, DataFile::Produtos, number, "Quant", line.Quant.text()));
        reserveMaterial(line, q, product, *perDay);
    }
    return true;
}

void Calculation::reserveMaterial(const ProdutoRecord& line, double q, const QString& product, double perDay)
{
    const QByteArray material = line.MateriaPrima.bytes();
    auto found = m_rowsOf.find(material);
    if (found == m_rowsOf.end()) {
        // A material without a stock record: a row of its own, appended to the file.
        Row row;
        row.shown.material = line.MateriaPrima.text();
        row.shown.stock = QStringLiteral("0");
        row.shown.date = m_today;
        row.shown.record = qint64(m_rows.size()) + 1;
        row.shown.added = true;
        m_rows.push_back(std::move(row));
        found = m_rowsOf.insert(material, {m_rows.size() - 1});
    }
    for (size_t r : *found) {
        m_rows[r].reserved.add(q);
        updateNeed(r, product, perDay);
    }
}

void Calculation::updateNeed(size_t row, const QString& product, double perDay)
{
    const QString& material = m_rows[row].shown.material;
    auto found = m_needOf.constFind(material);
    size_t n;
    if (found == m_needOf.constEnd()) {
        n = m_needs.size();
        Need need;
        need.row.cells.resize(NeedRow::ColumnCount);
        need.row.cells[NeedRow::ColMaterial] = material;
        m_needs.push_back(std::move(need));
        m_needOf.insert(material, n);
    } else {
        n = *found;
    }
    Need& need = m_needs[n];
    // Each product counts once for a material (names compared whole, not as a part of another).
    if (!need.counted.contains(product)) {
        need.counted.insert(product);
        need.perDay.add(perDay);
        need.row.cells[NeedRow::ColPerDay] = need.perDay.text;
        need.row.cells[NeedRow::ColProducts] += QLatin1Char(' ') + product + QLatin1Char('*');
    }
    need.lastRow = qsizetype(row);
    m_rows[row].need = qsizetype(n);
}

std::optional<double> Calculation::stockAfterConsumption(size_t row, double perDay)
{
    const MaterialRow& shown = m_rows[row].shown;
    const qint64 number = shown.record;
    const auto stock = DecimalText::parse(shown.stock);
    if (!stock) {
        fail(Error(CalcError::BadNumber, DataFile::StockMateria, number, "stock", shown.stock));
        return std::nullopt;
    }
    if (!m_settings.stockAuto)
        return *stock;
    const auto since = DateText::parse(shown.date);
    if (!since) {
        fail(Error(CalcError::BadDate, DataFile::StockMateria, number, "date", shown.date));
        return std::nullopt;
    }
    // Working days since the stock was booked; a date still to come has consumed nothing.
    const double elapsed = std::max(0.0, DaysSince(*since, m_settings.now));
    const double workingDays = std::trunc(elapsed / 7.0 * m_settings.daysPerWeek);
    return *stock - perDay * workingDays;
}

bool Calculation::finish()
{
    // What each row's record is to hold.
    const auto& materials = m_files.materials;
    m_out.materials = materials;
    m_out.materialsTail = m_files.materialsTail;
    m_out.materialsBefore = qint64(materials.size());
    m_out.materialsExisted = m_files.materialsExisted;
    for (Row& row : m_rows) {
        MaterialRow& shown = row.shown;
        const qint64 number = shown.record;
        const auto reserved = DecimalText::FloatToStrFitting(row.reserved.value, kQuantityWidth);
        if (!reserved)
            return fail(Error(CalcError::TooLarge, DataFile::StockMateria, number, "reserved", row.reserved.text));
        const auto onOrder = DecimalText::FloatToStrFitting(row.onOrder.value, kQuantityWidth);
        if (!onOrder)
            return fail(Error(CalcError::TooLarge, DataFile::StockMateria, number, "on order", row.onOrder.text));
        shown.reserved = *reserved;
        shown.onOrder = *onOrder;
        const double reservedValue = DecimalText::parse(*reserved).value_or(row.reserved.value);
        const double onOrderValue = DecimalText::parse(*onOrder).value_or(row.onOrder.value);
        if (row.need >= 0) {
            const auto s = stockAfterConsumption(size_t(&row - m_rows.data()), m_needs[size_t(row.need)].perDay.value);
            if (!s)
                return false;
            shown.available = NumberText(onOrderValue + *s - reservedValue);
        } else if (const auto stock = DecimalText::parse(shown.stock)) {
            shown.available = NumberText(onOrderValue + *stock - reservedValue);
        } else {
            shown.available.clear(); // shown only; the record keeps its text
        }

        if (!shown.added) {
            StockMateriaRecord& r = m_out.materials[size_t(number - 1)];
            r.reserved.setText(shown.reserved);
            r.onOrder.setText(shown.onOrder);
        } else {
            StockMateriaRecord r = m_out.materials.empty() ? EmptyRecord<StockMateriaRecord>() : m_out.materials.back();
            r.material.setText(shown.material);
            r.stock.setText(shown.stock);
            r.reserved.setText(shown.reserved);
            r.onOrder.setText(shown.onOrder);
            r.date.setText(shown.date);
            m_out.materials.push_back(r);
            ++m_out.appended;
        }
    }
    for (size_t i = 0; i < materials.size(); ++i)
        if (std::memcmp(&m_out.materials[i], &materials[i], sizeof(StockMateriaRecord)) != 0)
            ++m_out.rewritten;

    // The needs rows touched now take the figures of their material's last row.
    for (Need& need : m_needs) {
        if (need.lastRow < 0)
            continue;
        const Row& row = m_rows[size_t(need.lastRow)];
        const auto s = stockAfterConsumption(size_t(need.lastRow), need.perDay.value);
        if (!s)
            return false;
        const double reserved = DecimalText::parse(row.shown.reserved).value_or(0);
        const double onOrder = DecimalText::parse(row.shown.onOrder).value_or(0);
        QStringList& c = need.row.cells;
        c[NeedRow::ColMaterial] = row.shown.material;
        c[NeedRow::ColStock] = NumberText(*s > 0 ? *s : 0);
        c[NeedRow::ColReserved] = row.shown.reserved;
        c[NeedRow::ColOnOrder] = row.shown.onOrder;
        c[NeedRow::ColAvailable] = DecimalText::FormatFloat(QStringLiteral("0.###"), onOrder + *s - reserved);
        c[NeedRow::ColRunOut].clear();
        c[NeedRow::ColRunOutKey].clear();
        need.row.hasRunOut = false;
    }

    m_out.rows.reserve(m_rows.size());
    for (Row& row : m_rows)
        m_out.rows.push_back(std::move(row.shown));
    m_out.needs.reserve(m_needs.size());
    for (Need& need : m_needs)
        m_out.needs.push_back(std::move(need.row));
    return true;
}

} // namespace

// --- Rows ------------------------------------------------------------------------------------------

QStringList MaterialRow::Cells() const
{
    return {material, stock, QStringLiteral(" "), reserved, available, onOrder, date, QString::number(record)};
}

QString AvailableText(const StockMateriaRecord& record)
{
    const auto stock = DecimalText::parse(record.stock.text());
    const auto reserved = DecimalText::parse(record.reserved.text());
    const auto onOrder = DecimalText::parse(record.onOrder.text());
    if (!stock || !reserved || !onOrder)
        return QString();
    return NumberText(*onOrder + *stock - *reserved);
}

MaterialRow LoadedRow(const StockMateriaRecord& record, qint64 recordNumber)
{
    MaterialRow row;
    row.material = record.material.text();
    row.stock = record.stock.text();
    row.reserved = record.reserved.text();
    row.available = AvailableText(record);
    row.onOrder = record.onOrder.text();
    row.date = record.date.text();
    row.record = recordNumber;
    return row;
}

NeedRow NeedRow::FromCells(const QStringList& cells)
{
    NeedRow row;
    row.cells = cells;
    row.cells.resize(ColumnCount);
    row.hasRunOut = !row.cells[ColRunOut].isEmpty();
    return row;
}

QStringList NeedRow::Products() const
{
    // " A* B*": every name stands between a blank and a "*" (a product name holds no "*").
    QStringList names;
    const QString list = cells.value(ColProducts);
    for (QString name : list.split(QLatin1Char('*'), Qt::SkipEmptyParts)) {
        if (name.startsWith(QLatin1Char(' ')))
            name.remove(0, 1);
        names << name;
    }
    return names;
}

// --- Calculation -----------------------------------------------------------------------------------

StockFiles ReadStockFiles(const QString& folder)
{
    StockFiles files;
    files.orders = OrderCalculation::ReadOrderFiles(folder);
    files.purchases = ReadAllRecordsIfExists<EncomMateriaRecord>(folder + DataFile::EncomMateria);
    files.products = ReadAllRecordsIfExists<ProdutoRecord>(folder + DataFile::Produtos);
    const QString materials = folder + DataFile::StockMateria;
    files.materialsExisted = QFileInfo::exists(materials);
    if (files.materialsExisted) {
        const QByteArray bytes = ReadFileContents(materials);
        const qsizetype n = bytes.size() / qsizetype(sizeof(StockMateriaRecord));
        files.materials.assign(size_t(n), EmptyRecord<StockMateriaRecord>());
        if (n > 0)
            std::memcpy(static_cast<void*>(files.materials.data()), bytes.constData(),
                        size_t(n) * sizeof(StockMateriaRecord));
        files.materialsTail = bytes.mid(n * qsizetype(sizeof(StockMateriaRecord)));
    }
    return files;
}

StockOutcome CalculateStock(const StockFiles& files, const std::vector<NeedRow>& previous, const Settings& settings)
{
    const ScopedRegionalSettings regional(settings.regional);
    StockOutcome out;
    if (files.orders.orders.empty()) {
        out.noProductOrders = true;
        return out;
    }
    OrderCalculation::TotalsOutcome totals = OrderCalculation::ComputeOrderTotals(files.orders, settings);
    if (!totals.ok()) {
        out.error = totals.error;
        return out;
    }
    out.totals = std::move(totals.totals);

    Calculation calculation(files, settings, out);
    if (!calculation.run(previous)) {
        StockOutcome failed;
        failed.error = out.error;
        return failed;
    }
    return out;
}

void ComputeRunOutDates(std::vector<NeedRow>& needs, const Settings& settings)
{
    const ScopedRegionalSettings regional(settings.regional);
    const double fromMidnight = settings.now.time().msecsSinceStartOfDay() / 86400000.0;
    for (NeedRow& need : needs) {
        QStringList& c = need.cells;
        c.resize(NeedRow::ColumnCount);
        c[NeedRow::ColRunOut].clear();
        c[NeedRow::ColRunOutKey] = NoRunOutSortKey;
        need.hasRunOut = false;
        const double stock = DecimalText::parse(c[NeedRow::ColStock]).value_or(0);
        const double perDay = DecimalText::parse(c[NeedRow::ColPerDay]).value_or(0);
        // Nothing used a day, or no working day: the stock never runs out.
        if (!(perDay > 0) || settings.daysPerWeek <= 0)
            continue;
        const double days = stock / perDay * 7.0 / settings.daysPerWeek;
        if (!std::isfinite(days) || days > kMaxDays)
            continue;
        QDate date = settings.now.date().addDays(qint64(std::floor(fromMidnight + days - 1.0)));
        if (settings.daysPerWeek < 7 && date.dayOfWeek() == Qt::Sunday)
            date = date.addDays(1);
        if (settings.daysPerWeek < 6 && date.dayOfWeek() == Qt::Saturday)
            date = date.addDays(2);
        if (!date.isValid() || date.year() > 9999)
            continue;
        c[NeedRow::ColRunOut] = DateText::DateToStr(date);
        c[NeedRow::ColRunOutKey] = DateText::SortKey(date);
        need.hasRunOut = true;
    }
}

QByteArray StockMateriaContents(const StockOutcome& outcome)
{
    QByteArray bytes;
    bytes.resize(qsizetype(outcome.materials.size() * sizeof(StockMateriaRecord)));
    if (!outcome.materials.empty())
        std::memcpy(bytes.data(), static_cast<const void*>(outcome.materials.data()),
                    outcome.materials.size() * sizeof(StockMateriaRecord));
    bytes.append(outcome.materialsTail);
    return bytes;
}

Recalculation RecalculateStock(const QString& folder, const Settings& settings, const std::vector<NeedRow>& previous)
{
    Recalculation result;
    result.outcome = CalculateStock(ReadStockFiles(folder), previous, settings);
    const StockOutcome& out = result.outcome;
    if (!out.ok())
        return result;
    FileChange products{DataFile::StockProduto, out.totals.rewritten, out.totals.appended, out.totals.changed()};
    FileChange materials{DataFile::StockMateria, out.rewritten, out.appended, out.materialsChanged()};
    std::vector<std::pair<QString, QByteArray>> writes;
    if (products.written)
        writes.emplace_back(folder + DataFile::StockProduto, OrderCalculation::StockProdutoContents(out.totals));
    if (materials.written)
        writes.emplace_back(folder + DataFile::StockMateria, StockMateriaContents(out));
    if (!writes.empty())
        ReplaceFilesContents(writes);
    result.changes = {products, materials};
    return result;
}

} // namespace StockCalculation
