#include "production/ProductionEntries.h"

#include "i18n/Language.h"
#include "store/AccessPatterns.h"
#include "store/DateText.h"
#include "store/DecimalText.h"

#include <QHash>
#include <algorithm>
#include <cstring>
#include <QStringList>
#include <cmath>
#include <optional>

namespace Production {

QString UndefinedText() { return QString(QChar(0x2014)); }

double RoundHalfEven(double value) { return std::nearbyint(value); }

QString BadTextsMessage(const std::vector<BadText>& bad)
{
    if (bad.empty())
        return QString();
    constexpr size_t shown = 20;
    QStringList lines;
    lines << LangText(QStringLiteral("msg_BadRecordTexts"),
                      QStringLiteral("These records hold a text that is not a number or a date and are left out:"));
    lines << QString();
    const QString line = LangText(QStringLiteral("msg_BadRecordText"), QStringLiteral("%1, record %2, %3: '%4'"));
    for (size_t i = 0; i < bad.size() && i < shown; ++i)
        lines << line.arg(bad[i].file).arg(bad[i].record).arg(bad[i].field, bad[i].text);
    if (bad.size() > shown)
        lines << LangText(QStringLiteral("msg_BadRecordMore"), QStringLiteral("... and %1 more"))
                     .arg(qulonglong(bad.size() - shown));
    return lines.join(QLatin1Char('\r'));
}

namespace {

// A stored text of at most N bytes, compared and hashed as bytes (no allocation per record).
template <int N>
struct RawText {
    std::uint8_t len = 0;
    char data[N];

    template <int M>
    void append(const FixedString<M>& f)
    {
        const int n = std::min(f.length(), N - len);
        std::memcpy(data + len, f.data, size_t(n));
        len = std::uint8_t(len + n);
    }
    void append(char c)
    {
        if (len < N)
            data[len++] = c;
    }
    bool operator==(const RawText& o) const { return len == o.len && std::memcmp(data, o.data, len) == 0; }
    QByteArray bytes() const { return QByteArray(data, len); }
};

template <int N>
size_t qHash(const RawText<N>& t, size_t seed = 0)
{
    return qHashBits(t.data, t.len, seed);
}

// Texts repeat a great deal in a large file (dates, hours in half hours): each distinct stored text
// is converted once.
template <class T, int N>
class ConversionCache {
public:
    template <class Convert>
    std::optional<T> get(const FixedString<N>& field, Convert&& convert)
    {
        RawText<N> key;
        key.append(field);
        auto it = m_values.constFind(key);
        if (it == m_values.constEnd())
            it = m_values.insert(key, convert(field.text()));
        return it.value();
    }

private:
    QHash<RawText<N>, std::optional<T>> m_values;
};

// Distinct texts numbered in order of first appearance.
template <int N>
class Numbering {
public:
    explicit Numbering(std::vector<QString>& texts) : m_texts(texts) {}
    int idOf(const RawText<N>& key)
    {
        auto it = m_ids.constFind(key);
        if (it == m_ids.constEnd()) {
            it = m_ids.insert(key, int(m_texts.size()));
            m_texts.push_back(Cp1252::decode(key.bytes()));
        }
        return it.value();
    }

private:
    std::vector<QString>& m_texts;
    QHash<RawText<N>, int> m_ids;
};

} // namespace

ProductionEntries ReadProductionEntries(const std::vector<HorasProducaoRecord>& records, unsigned fields)
{
    ProductionEntries out;
    out.entries.reserve(records.size());
    ConversionCache<double, 10> numbers;
    ConversionCache<double, 10> integers;
    ConversionCache<double, 6> hourNumbers;
    ConversionCache<QDate, 10> dates;
    Numbering<51> products(out.products);
    Numbering<10> equipment(out.equipment);
    const QString file = DataFile::HorasProducao;
    auto number = [](const QString& t) { return DecimalText::parse(t); };
    auto integer = [](const QString& t) -> std::optional<double> {
        if (const auto v = DecimalText::parseInt(t))
            return double(*v);
        return std::nullopt;
    };
    auto date = [](const QString& t) { return DateText::parse(t); };

    static const char* const hourNames[HoursCount] = {"production hours", "setup hours",     "breakdown hours",
                                                       "material hours",   "personnel hours", "other hours"};
    qint64 k = 0;
    for (const HorasProducaoRecord& r : records) {
        ++k;
        ProductionEntry e;
        e.record = k;
        bool good = true;
        auto bad = [&](const char* field, const QString& text) {
            out.bad.push_back({file, k, QLatin1String(field), text});
            good = false;
        };
        if (fields & ReadDate) {
            if (const auto d = dates.get(r.date, date))
                e.date = *d;
            else
                bad("date", r.date.text());
        }
        if (fields & (ReadEntered | ReadEnteredInteger)) {
            const auto v = (fields & ReadEnteredInteger) ? integers.get(r.entered, integer) : numbers.get(r.entered, number);
            if (v)
                e.entered = *v;
            else
                bad("entered", r.entered.text());
        }
        if (fields & (ReadHours | ReadProductionSetup)) {
            const FixedString<6>* hourFields[HoursCount] = {&r.productionHours, &r.setupHours,     &r.breakdownHours,
                                                            &r.materialHours,   &r.personnelHours, &r.otherHours};
            const int read = (fields & ReadHours) ? int(HoursCount) : Setup + 1;
            for (int h = 0; h < read; ++h) {
                if (const auto v = hourNumbers.get(*hourFields[h], number))
                    e.hours[size_t(h)] = *v;
                else
                    bad(hourNames[h], hourFields[h]->text());
            }
        }
        if (!good)
            continue;
        RawText<51> productKey;
        productKey.append(r.product);
        productKey.append(' ');
        productKey.append(r.type);
        RawText<10> equipmentKey;
        equipmentKey.append(r.equipment);
        e.productId = products.idOf(productKey);
        e.equipmentId = equipment.idOf(equipmentKey);
        e.product = out.products[size_t(e.productId)];
        e.equipment = out.equipment[size_t(e.equipmentId)];
        e.operationOnly = r.operationOnly != 0; // units count as produced only when the flag is 0
        out.entries.push_back(std::move(e));
    }
    return out;
}

ProductionEntries ReadProductionEntriesFile(const QString& path, unsigned fields)
{
    return ReadProductionEntries(ReadAllRecordsIfExists<HorasProducaoRecord>(path), fields);
}

} // namespace Production
