#include "production/ProductionEntrySummary.h"

#include "store/Cp1252.h"
#include "store/DecimalText.h"

namespace Production {

namespace {

template <int P, int T>
OrderCalculation::TextKey KeyOf(const FixedString<P>& product, const FixedString<T>& type)
{
    return OrderCalculation::PairKey(product.data, product.length(), type.data, type.length());
}

const FixedString<6> HorasProducaoRecord::*const kHourFields[HoursCount] = {
    &HorasProducaoRecord::productionHours, &HorasProducaoRecord::setupHours,     &HorasProducaoRecord::breakdownHours,
    &HorasProducaoRecord::materialHours,   &HorasProducaoRecord::personnelHours, &HorasProducaoRecord::otherHours};

} // namespace

QStringList SummaryRow::Cells() const
{
    QStringList c;
    c.reserve(ColumnCount);
    c << product << type;
    if (stock)
        c << *stock;
    else
        c << (entries == 1 ? enteredText : DecimalText::FloatToStr(entered));
    for (int h = 0; h < HoursCount; ++h) {
        if (entries == 0)
            c << QStringLiteral("0");
        else if (entries == 1)
            c << hourTexts[size_t(h)];
        else
            c << DecimalText::FormatFloat(QStringLiteral("0.#"), hours[size_t(h)]);
    }
    c << date << QString::number(number);
    return c;
}

int EntrySummary::Find(const FixedString<30>& product, const FixedString<20>& type) const
{
    return m_index.value(KeyOf(product, type), -1);
}

int EntrySummary::Find(const QString& product, const QString& type) const
{
    const QByteArray p = Cp1252::encode(product).left(30);
    const QByteArray t = Cp1252::encode(type).left(20);
    return m_index.value(OrderCalculation::PairKey(p.constData(), int(p.size()), t.constData(), int(t.size())), -1);
}

int EntrySummary::AddEntry(const HorasProducaoRecord& record, const ProductionEntry& entry)
{
    const OrderCalculation::TextKey key = KeyOf(record.product, record.type);
    auto found = m_index.constFind(key);
    if (found == m_index.constEnd()) {
        SummaryRow row;
        row.product = record.product.text();
        row.type = record.type.text();
        row.number = int(rows.size()) + 1;
        rows.push_back(std::move(row));
        found = m_index.insert(key, int(rows.size()) - 1);
    }
    SummaryRow& row = rows[size_t(*found)];
    if (row.entries == 0) {
        row.enteredText = record.entered.text();
        for (int h = 0; h < HoursCount; ++h)
            row.hourTexts[size_t(h)] = (record.*kHourFields[h]).text();
    }
    ++row.entries;
    row.entered += entry.entered;
    for (int h = 0; h < HoursCount; ++h)
        row.hours[size_t(h)] += entry.hours[size_t(h)];
    row.date = record.date.text();
    return *found;
}

EntrySummary SummariseEntries(const std::vector<HorasProducaoRecord>& entries,
                              const std::optional<std::vector<StockProdutoRecord>>& stock)
{
    EntrySummary summary;
    ProductionEntries read = ReadProductionEntries(entries, ReadEntered | ReadHours);
    summary.bad = std::move(read.bad);
    summary.rows.reserve(read.products.size());
    for (const ProductionEntry& e : read.entries)
        summary.AddEntry(entries[size_t(e.record - 1)], e);
    summary.entryRows = int(summary.rows.size());
    summary.stockFileExisted = stock.has_value();
    if (!stock)
        return summary;

    // The first stock record of each product counts; a product with stock but no entry gets a row.
    std::vector<bool> given(summary.rows.size(), false);
    for (const StockProdutoRecord& s : *stock) {
        int row = summary.Find(s.product, s.type);
        if (row < 0) {
            const QString text = s.stock.text();
            const auto value = DecimalText::parse(text);
            if (value && *value == 0)
                continue;
            SummaryRow r;
            r.product = s.product.text();
            r.type = s.type.text();
            r.date = QStringLiteral(" ");
            r.number = int(summary.rows.size()) + 1;
            summary.rows.push_back(std::move(r));
            given.push_back(false);
            row = int(summary.rows.size()) - 1;
            summary.m_index.insert(KeyOf(s.product, s.type), row);
        }
        if (given[size_t(row)])
            continue;
        given[size_t(row)] = true;
        summary.rows[size_t(row)].stock = s.stock.text();
    }
    return summary;
}

DayHours HoursOnDay(const std::vector<HorasProducaoRecord>& entries, const QString& equipment, const QDate& day)
{
    DayHours out;
    const QByteArray name = Cp1252::encode(equipment);
    std::vector<HorasProducaoRecord> ofEquipment;
    std::vector<qint64> numbers; // record number in the file of each
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].equipment.equals(name)) {
            ofEquipment.push_back(entries[i]);
            numbers.push_back(qint64(i) + 1);
        }
    }
    ProductionEntries read = ReadProductionEntries(ofEquipment, ReadDate | ReadHours);
    for (BadText& b : read.bad)
        b.record = numbers[size_t(b.record - 1)];
    out.bad = std::move(read.bad);
    for (const ProductionEntry& e : read.entries) {
        if (e.date != day)
            continue;
        ++out.entries;
        for (double h : e.hours)
            out.hours += h;
    }
    return out;
}

} // namespace Production
