#include "production/ProductionEntries.h"

#include "i18n/Language.h"
#include "store/AccessPatterns.h"
#include "store/DateText.h"
#include "store/DecimalText.h"

#include <QHash>
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

// Texts repeat a great deal in a large file (dates, hours in half hours): each distinct stored text
// is converted once.
template <class T>
class ConversionCache {
public:
    template <int N, class Convert>
    std::optional<T> get(const FixedString<N>& field, Convert&& convert)
    {
        const QByteArray key = field.bytes();
        auto it = m_values.constFind(key);
        if (it == m_values.constEnd())
            it = m_values.insert(key, convert(field.text()));
        return it.value();
    }

private:
    QHash<QByteArray, std::optional<T>> m_values;
};

} // namespace

ProductionEntries ReadProductionEntries(const std::vector<HorasProducaoRecord>& records, unsigned fields)
{
    ProductionEntries out;
    out.entries.reserve(records.size());
    ConversionCache<double> numbers;
    ConversionCache<double> integers;
    ConversionCache<QDate> dates;
    // The texts of products and equipment repeat too: one QString per distinct text, shared.
    QHash<QByteArray, QString> keys;
    auto shared = [&keys](const QByteArray& bytes) -> const QString& {
        auto it = keys.constFind(bytes);
        if (it == keys.constEnd())
            it = keys.insert(bytes, Cp1252::decode(bytes));
        return it.value();
    };
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
                if (const auto v = numbers.get(*hourFields[h], number))
                    e.hours[size_t(h)] = *v;
                else
                    bad(hourNames[h], hourFields[h]->text());
            }
        }
        if (!good)
            continue;
        QByteArray productKey = r.product.bytes();
        productKey += ' ';
        productKey += r.type.bytes();
        e.product = shared(productKey);
        e.equipment = shared(r.equipment.bytes());
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
