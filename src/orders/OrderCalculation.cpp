#include "orders/OrderCalculation.h"

#include "i18n/Language.h"
#include "i18n/Settings.h"
#include "store/AccessPatterns.h"
#include "store/Clock.h"
#include "store/Cp1252.h"
#include "store/DateText.h"
#include "store/DecimalText.h"
#include "store/RecordFile.h"

#include <QFileInfo>
#include <QSet>
#include <cmath>
#include <cstring>

namespace OrderCalculation {

namespace {

// Width of the quantity fields of StockProduto.DAT.
constexpr int kQuantityWidth = 10;
// Beyond this many days from now no date is written (the last one a four-digit year holds).
constexpr double kMaxDays = 2.9e6;

template <class R>
TextKey PairKeyOf(const R& r)
{
    return PairKey(r.product.data, r.product.length(), r.type.data, r.type.length());
}

// The product reference of the composition file: name, one blank, type (compared as one text).
TextKey ReferenceKey(const char* product, int productLength, const char* type, int typeLength)
{
    TextKey key;
    const int length = productLength + 1 + typeLength;
    key.bytes[0] = char(length);
    std::memcpy(key.bytes.data() + 1, product, size_t(productLength));
    key.bytes[size_t(1 + productLength)] = ' ';
    std::memcpy(key.bytes.data() + 2 + productLength, type, size_t(typeLength));
    key.used = 1 + length;
    return key;
}

// A number field: plain digits (with a minus) are read in place, anything else as the number text
// it is, in the local format.
template <int N>
std::optional<double> NumberOf(const FixedString<N>& field)
{
    const int n = field.length();
    const char* d = field.data;
    if (n > 0 && n <= 15) {
        const bool negative = d[0] == '-';
        int k = negative ? 1 : 0;
        if (k < n) {
            long long v = 0;
            for (; k < n && d[k] >= '0' && d[k] <= '9'; ++k)
                v = v * 10 + (d[k] - '0');
            if (k == n)
                return negative ? -double(v) : double(v);
        }
    }
    return DecimalText::parse(field.text());
}

bool IsWhole(double value) { return std::fabs(value) < 1e15 && value == std::trunc(value); }

// The general number conversion, whole numbers written directly.
QString NumberText(double value)
{
    return IsWhole(value) ? QString::number(qint64(value)) : DecimalText::FloatToStr(value);
}

// The same in at most `width` characters (the nearest text that fits), none when no text fits.
std::optional<QString> NumberTextIn(double value, int width)
{
    if (IsWhole(value)) {
        QString text = QString::number(qint64(value));
        if (text.size() <= width)
            return text;
    }
    return DecimalText::FloatToStrFitting(value, width);
}

// A running sum kept as the text the general conversion writes reads back: the order screens add
// each open quantity to the text of the sum so far. Whole numbers below 10^15 stay as they are.
double AsWritten(double value)
{
    if (IsWhole(value))
        return value;
    return DecimalText::parse(DecimalText::FloatToStr(value)).value_or(value);
}

CalcError Error(CalcError::Kind kind, const QString& file, qint64 record, const char* field, const QString& text)
{
    return CalcError::Make(kind, file, record, field, text);
}

// Days from the start of a date to the moment, with the time of day as a fraction.
double DaysSince(const QDate& date, const QDateTime& now)
{
    return double(date.daysTo(now.date())) + now.time().msecsSinceStartOfDay() / 86400000.0;
}

} // namespace

TextKey PairKey(const char* product, int productLength, const char* type, int typeLength)
{
    TextKey key;
    key.bytes[0] = char(productLength);
    key.bytes[1] = char(typeLength);
    std::memcpy(key.bytes.data() + 2, product, size_t(productLength));
    std::memcpy(key.bytes.data() + 2 + productLength, type, size_t(typeLength));
    key.used = 2 + productLength + typeLength;
    return key;
}

size_t qHash(const TextKey& key, size_t seed) noexcept { return qHashBits(key.bytes.data(), size_t(key.used), seed); }

Settings Settings::FromProgram()
{
    Settings s;
    s.hoursPerDay = ::HoursPerDay;
    s.daysPerWeek = ::DaysPerWeek;
    s.stockAuto = ::StockAuto;
    s.now = Clock::now();
    s.regional = RegionalSettings::current();
    return s;
}

QString ErrorText(const CalcError& error)
{
    QString text;
    switch (error.kind) {
    case CalcError::BadNumber:
        text = LangText(QStringLiteral("msg_CalcBadNumber"),
                        QStringLiteral("'%1' is not a valid number (%2, record %3, %4). No file was changed."));
        break;
    case CalcError::BadDate:
        text = LangText(QStringLiteral("msg_CalcBadDate"),
                        QStringLiteral("'%1' is not a valid date (%2, record %3, %4). No file was changed."));
        break;
    case CalcError::TooLarge:
        text = LangText(QStringLiteral("msg_CalcTooLarge"),
                        QStringLiteral("'%1' makes a quantity too large for its field (%2, record %3, %4). No file "
                                       "was changed."));
        break;
    }
    // The field in the user's words.
    static const struct {
        const char* name;
        const char* key;
        const char* builtIn;
    } fields[] = {{"quantity", "msg_FieldQuantity", "quantity"},     {"delivered", "msg_FieldDelivered", "delivered"},
                  {"stock", "msg_FieldStock", "stock"},              {"available", "msg_FieldAvailable", "available"},
                  {"date", "msg_FieldDate", "date"},                 {"ordered", "msg_FieldOrdered", "ordered"},
                  {"on order", "msg_FieldOnOrder", "on order"},      {"reserved", "msg_FieldReserved", "reserved"},
                  {"received", "msg_FieldReceived", "received"},     {"Quant", "msg_FieldQuant", "quantity per unit"},
                  {"QuantDia", "msg_FieldQuantDia", "daily quantity"}};
    QString field = error.field;
    for (const auto& f : fields)
        if (error.field == QLatin1String(f.name))
            field = LangText(QLatin1String(f.key), QLatin1String(f.builtIn));
    return text.arg(error.text, error.file, QString::number(error.record), field);
}

// --- First half ------------------------------------------------------------------------------

TotalsOutcome ComputeOrderTotals(const std::vector<EncomProdutoRecord>& orders,
                                 const std::vector<StockProdutoRecord>& stock, const Settings& settings,
                                 const QByteArray& stockTail)
{
    const ScopedRegionalSettings regional(settings.regional);
    TotalsOutcome out;
    OrderTotals& t = out.totals;
    std::vector<WorkRow>& rows = t.rows;
    const QString today = DateText::DateToStr(settings.now.date());

    // 1. Open quantities of the active orders, one row per product and type.
    QHash<TextKey, qsizetype> rowOf;
    std::vector<qint64> lastOrder; // record number of the last order added to each row
    QSet<TextKey> clientsSeen;     // row index and client, for the client lists
    for (size_t i = 0; i < orders.size(); ++i) {
        const EncomProdutoRecord& r = orders[i];
        if (r.state != OrderActive)
            continue;
        const qint64 k = qint64(i) + 1;
        const auto quantity = NumberOf(r.quantity);
        if (!quantity) {
            out.error = Error(CalcError::BadNumber, DataFile::EncomProduto, k, "quantity", r.quantity.text());
            return out;
        }
        const auto delivered = NumberOf(r.delivered);
        if (!delivered) {
            out.error = Error(CalcError::BadNumber, DataFile::EncomProduto, k, "delivered", r.delivered.text());
            return out;
        }
        const TextKey key = PairKeyOf(r);
        qsizetype row;
        auto found = rowOf.constFind(key);
        if (found == rowOf.constEnd()) {
            row = qsizetype(rows.size());
            rowOf.insert(key, row);
            WorkRow w;
            w.product = r.product.text();
            w.type = r.type.text();
            w.productBytes = r.product.bytes();
            w.typeBytes = r.type.bytes();
            w.openValue = AsWritten(*quantity - *delivered);
            rows.push_back(std::move(w));
            lastOrder.push_back(k);
        } else {
            row = *found;
            rows[size_t(row)].openValue = AsWritten(rows[size_t(row)].openValue + (*quantity - *delivered));
            lastOrder[size_t(row)] = k;
        }
        if (!std::isfinite(rows[size_t(row)].openValue)) {
            out.error = Error(CalcError::TooLarge, DataFile::EncomProduto, k, "quantity", r.quantity.text());
            return out;
        }
        const qint32 row32 = qint32(row);
        const TextKey clientKey = PairKey(reinterpret_cast<const char*>(&row32), int(sizeof row32), r.client.data,
                                          r.client.length());
        if (!clientsSeen.contains(clientKey)) {
            clientsSeen.insert(clientKey);
            rows[size_t(row)].clients << r.client.text();
        }
    }

    // What each row's record is to hold as ordered quantity.
    std::vector<QString> orderedText(rows.size());
    std::vector<double> orderedValue(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        WorkRow& w = rows[i];
        w.open = NumberText(w.openValue);
        const auto fitted = NumberTextIn(w.openValue, kQuantityWidth);
        if (!fitted) {
            out.error = Error(CalcError::TooLarge, DataFile::EncomProduto, lastOrder[i], "quantity", w.open);
            return out;
        }
        orderedText[i] = *fitted;
        orderedValue[i] = DecimalText::StrToFloatDef(*fitted, w.openValue);
    }

    // 2 and 3. The stock records, in one pass.
    t.stock = stock;
    t.stockTail = stockTail;
    t.stockRecordsBefore = qint64(stock.size());
    std::vector<char> matched(rows.size(), 0);
    for (size_t i = 0; i < t.stock.size(); ++i) {
        StockProdutoRecord& s = t.stock[i];
        const qint64 k = qint64(i) + 1;
        auto found = rowOf.constFind(PairKeyOf(s));
        if (found != rowOf.constEnd() && matched[size_t(*found)])
            continue; // a second record of the product: the first one counts
        const QString stockText = s.stock.text();
        const auto stockValue = NumberOf(s.stock);
        if (!stockValue) {
            out.error = Error(CalcError::BadNumber, DataFile::StockProduto, k, "stock", stockText);
            return out;
        }
        if (found == rowOf.constEnd()) {
            // No active order of this product: nothing is ordered.
            const auto available = NumberTextIn(*stockValue, kQuantityWidth);
            if (!available) {
                out.error = Error(CalcError::TooLarge, DataFile::StockProduto, k, "stock", stockText);
                return out;
            }
            s.ordered.setText(QStringLiteral("0"));
            s.available.setText(*available);
            continue;
        }
        const size_t row = size_t(*found);
        matched[row] = 1;
        WorkRow& w = rows[row];
        w.stock = stockText;
        w.stockValue = *stockValue;
        w.date = s.date.text();
        w.stockRecord = qint64(i);
        if (settings.stockAuto && !DateText::parse(w.date)) {
            // The stock is projected from this date.
            out.error = Error(CalcError::BadDate, DataFile::StockProduto, k, "date", w.date);
            return out;
        }
        if (s.ordered.text() != orderedText[row]) {
            const double availableValue = *stockValue - orderedValue[row];
            const auto available = NumberTextIn(availableValue, kQuantityWidth);
            if (!available) {
                out.error = Error(CalcError::TooLarge, DataFile::StockProduto, k, "stock", stockText);
                return out;
            }
            s.ordered.setText(orderedText[row]);
            s.available.setText(*available);
            s.date.setText(today);
            w.available = *available;
            w.availableValue = DecimalText::StrToFloatDef(*available, availableValue);
        } else {
            w.available = s.available.text();
            const auto availableValue = NumberOf(s.available);
            if (!availableValue) {
                out.error = Error(CalcError::BadNumber, DataFile::StockProduto, k, "available", w.available);
                return out;
            }
            w.availableValue = *availableValue;
        }
    }

    // Products ordered that have no stock record yet: one is appended for each, with stock "0".
    for (size_t row = 0; row < rows.size(); ++row) {
        if (matched[row])
            continue;
        WorkRow& w = rows[row];
        StockProdutoRecord s = t.stock.empty() ? EmptyRecord<StockProdutoRecord>() : t.stock.back();
        const double availableValue = 0 - orderedValue[row];
        const QString available = NumberTextIn(availableValue, kQuantityWidth).value_or(QString());
        s.product.setBytes(w.productBytes);
        s.type.setBytes(w.typeBytes);
        s.stock.setText(QStringLiteral("0"));
        s.ordered.setText(orderedText[row]);
        s.available.setText(available);
        s.date.setText(today);
        w.stock = QStringLiteral("0");
        w.stockValue = 0;
        w.date = today;
        w.available = available;
        w.availableValue = DecimalText::StrToFloatDef(available, availableValue);
        w.stockRecord = qint64(t.stock.size());
        t.stock.push_back(s);
        ++t.appended;
    }

    for (size_t i = 0; i < stock.size(); ++i)
        if (std::memcmp(&t.stock[i], &stock[i], sizeof(StockProdutoRecord)) != 0)
            ++t.rewritten;
    return out;
}

QByteArray StockProdutoContents(const OrderTotals& totals)
{
    QByteArray bytes;
    bytes.resize(qsizetype(totals.stock.size() * sizeof(StockProdutoRecord)));
    if (!totals.stock.empty())
        std::memcpy(bytes.data(), static_cast<const void*>(totals.stock.data()),
                    totals.stock.size() * sizeof(StockProdutoRecord));
    bytes.append(totals.stockTail);
    return bytes;
}

// --- Products ----------------------------------------------------------------------------------

ProductIndex::ProductIndex(const std::vector<ProdutoRecord>& products) : m_products(products)
{
    m_first.reserve(qsizetype(products.size() / 2 + 1));
    // From the last line to the first, so that the first line of each product stays.
    for (size_t i = products.size(); i-- > 0;) {
        const ProdutoRecord& r = products[i];
        m_first.insert(ReferenceKey(r.Produto.data, r.Produto.length(), r.Tipo.data, r.Tipo.length()), qsizetype(i));
    }
}

const ProdutoRecord* ProductIndex::Find(const QByteArray& product, const QByteArray& type) const
{
    if (product.size() + type.size() > 60)
        return nullptr; // longer than any reference of the file
    const auto found = m_first.constFind(ReferenceKey(product.constData(), int(product.size()), type.constData(), int(type.size())));
    return found == m_first.constEnd() ? nullptr : &m_products[size_t(*found)];
}

const ProdutoRecord* ProductIndex::Find(const QString& product, const QString& type) const
{
    return Find(Cp1252::encode(product), Cp1252::encode(type));
}

qint64 ProductIndex::RecordNumber(const ProdutoRecord* line) const
{
    return line ? qint64(line - m_products.data()) + 1 : 0;
}

ProductRate RateOf(const ProductIndex& products, const QByteArray& product, const QByteArray& type, int hoursPerDay)
{
    ProductRate rate;
    const ProdutoRecord* line = products.Find(product, type);
    if (!line) {
        rate.status = ProductRate::UnknownProduct;
        return rate;
    }
    // An empty box is stored as nothing: no cycles, no moulds.
    const QString cyclesText = line->Ciclo.text();
    const auto cycles = cyclesText.trimmed().isEmpty() ? std::optional<int>(0) : DecimalText::parseInt(cyclesText);
    if (!cycles) {
        rate.status = ProductRate::BadCycles;
        rate.text = cyclesText;
        return rate;
    }
    const QString mouldsText = line->Moldes.text();
    const auto moulds = mouldsText.trimmed().isEmpty() ? std::optional<int>(0) : DecimalText::parseInt(mouldsText);
    if (!moulds) {
        rate.status = ProductRate::BadMoulds;
        rate.text = mouldsText;
        return rate;
    }
    rate.cycles = *cycles;
    rate.moulds = *moulds;
    rate.perDay = qint64(hoursPerDay) * *cycles * *moulds;
    return rate;
}

// --- Delivery dates ----------------------------------------------------------------------------

std::optional<RateProblem> RateProblemOf(const ProductRate& rate, int hoursPerDay, const QString& product,
                                         const QString& type)
{
    RateProblem p;
    p.product = product;
    p.type = type;
    switch (rate.status) {
    case ProductRate::UnknownProduct: p.reason = RateProblem::UnknownProduct; return p;
    case ProductRate::BadCycles: p.reason = RateProblem::BadCycles; p.text = rate.text; return p;
    case ProductRate::BadMoulds: p.reason = RateProblem::BadMoulds; p.text = rate.text; return p;
    case ProductRate::Ok: break;
    }
    if (hoursPerDay <= 0)
        p.reason = RateProblem::NoHours;
    else if (rate.moulds <= 0)
        p.reason = RateProblem::NoMoulds;
    else if (rate.cycles <= 0 || rate.perDay <= 0)
        p.reason = RateProblem::NoCycles;
    else
        return std::nullopt;
    return p;
}

QString RateProblemsText(const std::vector<RateProblem>& problems)
{
    return RateProblemsText(problems, LangText(QStringLiteral("msg_NoDeliveryDate"),
                                               QStringLiteral("No delivery date can be estimated for:")));
}

QString RateProblemsText(const std::vector<RateProblem>& problems, const QString& headline)
{
    if (problems.empty())
        return QString();
    QStringList lines;
    for (const RateProblem& p : problems) {
        QString why;
        switch (p.reason) {
        case RateProblem::UnknownProduct:
            why = LangText(QStringLiteral("msg_RateUnknownProduct"), QStringLiteral("not among the products"));
            break;
        case RateProblem::NoMoulds:
            why = LangText(QStringLiteral("msg_RateNoMoulds"), QStringLiteral("no moulds"));
            break;
        case RateProblem::NoCycles:
            why = LangText(QStringLiteral("msg_RateNoCycles"), QStringLiteral("no cycles per hour"));
            break;
        case RateProblem::BadCycles:
            why = LangText(QStringLiteral("msg_RateBadCycles"), QStringLiteral("cycles per hour '%1' is not a whole number"))
                      .arg(p.text);
            break;
        case RateProblem::BadMoulds:
            why = LangText(QStringLiteral("msg_RateBadMoulds"), QStringLiteral("moulds '%1' is not a whole number"))
                      .arg(p.text);
            break;
        case RateProblem::NoHours:
            why = LangText(QStringLiteral("msg_RateNoHours"), QStringLiteral("no working hours per day in the options"));
            break;
        case RateProblem::NoDays:
            why = LangText(QStringLiteral("msg_RateNoDays"), QStringLiteral("no working days per week in the options"));
            break;
        case RateProblem::TooFar:
            why = LangText(QStringLiteral("msg_RateTooFar"), QStringLiteral("the date would fall after the year 9999"));
            break;
        }
        lines << p.product + QLatin1Char(' ') + p.type + QStringLiteral(": ") + why;
    }
    return headline + QStringLiteral("\r\r") + lines.join(QLatin1Char('\r'));
}

DeliveryList ComputeDeliveryDates(const std::vector<WorkRow>& rows, const std::vector<ProdutoRecord>& products,
                                  const Settings& settings)
{
    const ScopedRegionalSettings regional(settings.regional);
    const ProductIndex index(products);
    DeliveryList list;
    list.rows.reserve(rows.size());
    QHash<qint64, std::pair<QString, QString>> dateTexts; // a date and its sort key, by day
    for (const WorkRow& w : rows) {
        DeliveryRow d;
        QStringList& c = d.cells;
        c.resize(DeliveryRow::ColumnCount);
        c[DeliveryRow::ColProduct] = w.product;
        c[DeliveryRow::ColType] = w.type;
        c[DeliveryRow::ColOpen] = w.open;
        c[DeliveryRow::ColClients] = QStringLiteral(" ");
        c[DeliveryRow::ColStockDate] = w.date;
        for (const QString& client : w.clients)
            c[DeliveryRow::ColClientList] += client + QLatin1Char('\r');

        const ProductRate rate = RateOf(index, w.productBytes, w.typeBytes, settings.hoursPerDay);
        const std::optional<RateProblem> rateProblem = RateProblemOf(rate, settings.hoursPerDay, w.product, w.type);
        const bool usable = !rateProblem;
        if (rate.status == ProductRate::Ok)
            c[DeliveryRow::ColPerDay] = QString::number(rate.perDay);

        // The stock, projected to now when production enters it by itself.
        double stock = w.stockValue;
        QString stockText = w.stock;
        if (settings.stockAuto && usable) {
            if (const auto since = DateText::parse(w.date)) {
                const double whole = std::trunc(DaysSince(*since, settings.now));
                stock += whole * double(rate.perDay);
                stockText = NumberText(stock);
            }
        }
        if (stockText.isEmpty())
            stockText = QStringLiteral("0");
        c[DeliveryRow::ColStock] = stockText;

        const double available = stock - w.openValue;
        c[DeliveryRow::ColAvailable] = NumberText(available);

        auto problem = [&](RateProblem::Reason reason) {
            RateProblem p;
            p.product = w.product;
            p.type = w.type;
            p.reason = reason;
            list.problems.push_back(p);
        };

        double days = 0; // production days for the shortfall
        bool dated = true;
        if (available > 0) {
            c[DeliveryRow::ColDays] = QStringLiteral("0");
        } else if (available == 0) {
            c[DeliveryRow::ColDays] = DecimalText::FormatFixed(0, 1);
        } else if (!usable) {
            dated = false;
            list.problems.push_back(*rateProblem);
        } else {
            days = -available / double(rate.perDay);
            c[DeliveryRow::ColDays] = DecimalText::FormatFixed(days, 1);
        }

        if (dated && days > 0 && settings.daysPerWeek <= 0) {
            dated = false;
            problem(RateProblem::NoDays);
        }
        double calendarDays = days > 0 ? days * 7.0 / settings.daysPerWeek : 0;
        if (dated && calendarDays > kMaxDays) {
            dated = false;
            problem(RateProblem::TooFar);
        }
        if (dated) {
            // now + the calendar days; the time of day is dropped.
            const double fromMidnight = settings.now.time().msecsSinceStartOfDay() / 86400000.0 + calendarDays;
            QDate date = settings.now.date().addDays(qint64(std::floor(fromMidnight)));
            if (settings.daysPerWeek < 7 && date.dayOfWeek() == Qt::Sunday)
                date = date.addDays(1);
            if (settings.daysPerWeek < 6 && date.dayOfWeek() == Qt::Saturday)
                date = date.addDays(2);
            if (date.year() > 9999) {
                dated = false;
                problem(RateProblem::TooFar);
            } else {
                auto texts = dateTexts.constFind(date.toJulianDay());
                if (texts == dateTexts.constEnd())
                    texts = dateTexts.insert(date.toJulianDay(), {DateText::DateToStr(date), DateText::SortKey(date)});
                c[DeliveryRow::ColEndDate] = texts->first;
                c[DeliveryRow::ColEndDateKey] = texts->second;
            }
        }
        if (!dated)
            c[DeliveryRow::ColEndDateKey] = NoDateSortKey;
        d.hasDate = dated;
        list.rows.push_back(std::move(d));
    }
    return list;
}

// --- Files -------------------------------------------------------------------------------------

OrderFiles ReadOrderFiles(const QString& folder)
{
    OrderFiles files;
    files.orders = ReadAllRecordsIfExists<EncomProdutoRecord>(folder + DataFile::EncomProduto);
    const QString stockPath = folder + DataFile::StockProduto;
    files.stockFileExisted = QFileInfo::exists(stockPath);
    if (files.stockFileExisted) {
        const QByteArray bytes = ReadFileContents(stockPath);
        const qsizetype n = bytes.size() / qsizetype(sizeof(StockProdutoRecord));
        files.stock.assign(size_t(n), EmptyRecord<StockProdutoRecord>());
        if (n > 0)
            std::memcpy(static_cast<void*>(files.stock.data()), bytes.constData(), size_t(n) * sizeof(StockProdutoRecord));
        files.stockTail = bytes.mid(n * qsizetype(sizeof(StockProdutoRecord)));
    }
    return files;
}

TotalsOutcome ComputeOrderTotals(const OrderFiles& files, const Settings& settings)
{
    TotalsOutcome out = ComputeOrderTotals(files.orders, files.stock, settings, files.stockTail);
    out.totals.stockFileExisted = files.stockFileExisted;
    return out;
}

void WriteOrderTotals(const QString& folder, const OrderTotals& totals)
{
    if (totals.changed())
        ReplaceFileContents(folder + DataFile::StockProduto, StockProdutoContents(totals));
}

TotalsOutcome RecalculateOrderedQuantities(const QString& folder, const Settings& settings)
{
    TotalsOutcome out = ComputeOrderTotals(ReadOrderFiles(folder), settings);
    if (out.ok())
        WriteOrderTotals(folder, out.totals);
    return out;
}

} // namespace OrderCalculation
