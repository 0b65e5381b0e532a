#include "stock/MovementList.h"

#include "i18n/Language.h"
#include "store/Cp1252.h"
#include "store/DateText.h"
#include "store/DecimalText.h"

#include <QHash>
#include <QSet>

namespace MovementList {

namespace {

template <int N>
QByteArray RawBytes(const FixedString<N>& f)
{
    return QByteArray::fromRawData(f.data, f.length());
}

// The texts of a field decoded once per distinct content: a large file repeats few items, types
// and dates, and every row then shares one text.
class TextCache {
public:
    // The field's text; *isNew tells whether this content was met for the first time.
    template <int N>
    const QString& text(const FixedString<N>& f, bool* isNew = nullptr)
    {
        const QByteArray raw = RawBytes(f);
        auto it = m_texts.constFind(raw);
        const bool found = it != m_texts.constEnd();
        if (!found)
            it = m_texts.insert(QByteArray(raw.constData(), raw.size()), f.text());
        if (isNew)
            *isNew = !found;
        return it.value();
    }

private:
    QHash<QByteArray, QString> m_texts;
};

// A movement date read once per distinct text, with its sort key.
struct DateInfo {
    QString text;
    QString sortKey; // empty when the text is no date
    QDate date;
};

class DateCache {
public:
    const DateInfo& info(const FixedString<10>& f)
    {
        const QByteArray raw = RawBytes(f);
        auto it = m_dates.constFind(raw);
        if (it == m_dates.constEnd()) {
            DateInfo d;
            d.text = f.text();
            if (const auto parsed = DateText::parse(d.text)) {
                d.date = *parsed;
                d.sortKey = DateText::SortKey(*parsed);
            }
            it = m_dates.insert(QByteArray(raw.constData(), raw.size()), d);
        }
        return it.value();
    }

private:
    QHash<QByteArray, DateInfo> m_dates;
};

} // namespace

QStringList TypeCodes()
{
    return {QStringLiteral("SS"), QStringLiteral("ES"), QStringLiteral("AS"), QStringLiteral("SP"), QStringLiteral("EP"),
            QStringLiteral("RP"), QStringLiteral("HP"), QStringLiteral("SE"), QStringLiteral("EE")};
}

Listing List(const std::vector<MovimRecord>& records, const Filter& filter, const QDate& today)
{
    Listing out;
    out.from = filter.dateLimit ? filter.from : today;
    out.to = filter.dateLimit ? filter.to : BeforeAnyMovement();
    const bool allItems = filter.item.isEmpty();
    const bool allTypes = filter.type.isEmpty();
    const QByteArray item = Cp1252::encode(filter.item);
    const QByteArray type = Cp1252::encode(filter.type);

    TextCache items, types, realDates;
    DateCache dates;
    QSet<QString> foldedItems;
    double entries = 0, exits = 0;
    out.rows.reserve(records.size());
    qint64 k = 0;
    for (const MovimRecord& r : records) {
        ++k;
        // Every item of the file, whatever the filter keeps.
        if (filter.collectItems) {
            bool newItem = false;
            const QString& text = items.text(r.item, &newItem);
            if (newItem && !foldedItems.contains(text.toCaseFolded())) {
                foldedItems.insert(text.toCaseFolded());
                out.items << text;
            }
        }
        if (!allItems && !r.item.equals(item))
            continue;
        if (!allTypes && !r.type.equals(type))
            continue;
        const QString& itemText = items.text(r.item);
        const DateInfo& date = dates.info(r.movementDate);
        const bool dated = date.date.isValid();
        if (filter.dateLimit && dated && (date.date < filter.from || date.date > filter.to))
            continue;

        // Quantities are mostly distinct: read as they come.
        QString quantity = r.quantity.text();
        if (const auto q = DecimalText::parse(quantity)) {
            if (*q > 0)
                entries += *q;
            else
                exits += *q;
        } else {
            out.damaged.push_back({k, itemText, quantity, false});
        }
        if (!dated) {
            out.damaged.push_back({k, itemText, date.text, true});
        } else if (!filter.dateLimit) {
            if (date.date < out.from)
                out.from = date.date;
            if (date.date > out.to)
                out.to = date.date;
        }
        // The cells share the texts of the caches: one allocation for the row and its number.
        std::vector<QString>& row = out.rows.emplace_back();
        row.reserve(ColumnCount);
        row.push_back(itemText);
        row.push_back(std::move(quantity));
        row.push_back(types.text(r.type));
        row.push_back(date.text);
        row.push_back(realDates.text(r.realDate));
        row.push_back(date.sortKey);
        row.push_back(QString::number(k));
        row.emplace_back();
    }
    out.recordsRead = k;
    out.entries = DecimalText::FormatFloat(QStringLiteral("0.##"), entries);
    out.exits = DecimalText::FormatFloat(QStringLiteral("0.##"), exits);
    out.total = DecimalText::FloatToStr(DecimalText::StrToFloatDef(out.entries, 0) + DecimalText::StrToFloatDef(out.exits, 0));
    return out;
}

QString DamagedText(const std::vector<Damaged>& damaged, int shown)
{
    if (damaged.empty())
        return QString();
    QString text = LangText(QStringLiteral("msg_MovimDamaged"),
                            QStringLiteral("Some movements could not be read as they should (a damaged record). They "
                                           "are listed; a movement whose date is not valid takes no part in the date "
                                           "limits, one whose quantity is not a number none in the totals:"));
    const QString dateLine = LangText(QStringLiteral("msg_MovimDamagedDate"), QStringLiteral("record %1 (%2): movement date '%3'"));
    const QString quantityLine = LangText(QStringLiteral("msg_MovimDamagedQuantity"), QStringLiteral("record %1 (%2): quantity '%3'"));
    text += QLatin1Char('\r');
    const int n = int(damaged.size());
    for (int i = 0; i < n && i < shown; ++i) {
        const Damaged& d = damaged[size_t(i)];
        text += QLatin1Char('\r') + (d.date ? dateLine : quantityLine).arg(QString::number(d.record), d.item, d.field);
    }
    if (n > shown)
        text += QLatin1Char('\r')
                + LangText(QStringLiteral("msg_MovimDamagedMore"), QStringLiteral("... and %1 more")).arg(n - shown);
    return text;
}

} // namespace MovementList
