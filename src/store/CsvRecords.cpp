#include "store/CsvRecords.h"

#include "store/Cp1252.h"
#include "store/DateText.h"
#include "store/DecimalText.h"
#include "store/RecordFile.h"
#include "store/RegionalSettings.h"
#include "store/StoreError.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QHash>
#include <array>
#include <cstring>

namespace CsvRecords {

using RecordLayout::Field;
using RecordLayout::Kind;

namespace {

QString located(const QString& shown, int line, const QString& text)
{
    return line > 0 ? QStringLiteral("%1:%2: %3").arg(shown).arg(line).arg(text) : QStringLiteral("%1: %2").arg(shown, text);
}

// --- CSV rows ----------------------------------------------------------------------------------

// Splits CSV bytes into rows, one at a time: fields separated by commas, a field in double quotes
// may hold commas, line breaks and doubled quotes; CR LF, LF and CR end a row; blank lines are
// skipped. The fields are UTF-8 bytes (quotes, commas and line breaks are single bytes in UTF-8).
class CsvReader {
public:
    CsvReader(const QByteArray& bytes, const QString& shown, QStringList& problems)
        : m_p(bytes.constData()), m_end(bytes.constData() + bytes.size()), m_shown(shown), m_problems(problems)
    {
        if (m_end - m_p >= 3 && std::memcmp(m_p, "\xEF\xBB\xBF", 3) == 0)
            m_p += 3;
    }

    // The next row into fields (which keep their storage from row to row); false at the end.
    bool next(std::vector<QByteArray>& fields, int& count, int& rowLine)
    {
        count = 0;
        rowLine = m_line;
        bool rowHasData = false;
        bool quoted = false, wasQuoted = false;
        QByteArray* field = &take(fields, count);
        auto endField = [&] {
            ++count;
            field = &take(fields, count);
            wasQuoted = false;
        };
        while (m_p < m_end) {
            const char c = *m_p++;
            if (quoted) {
                if (c == '"') {
                    if (m_p < m_end && *m_p == '"') {
                        field->append('"');
                        ++m_p;
                    } else {
                        quoted = false;
                        wasQuoted = true;
                    }
                } else {
                    if (c == '\n')
                        ++m_line;
                    // The run of ordinary characters up to the next quote or line break at once.
                    const char* run = m_p;
                    while (m_p < m_end && *m_p != '"' && *m_p != '\n')
                        ++m_p;
                    field->append(c).append(run, m_p - run);
                }
                continue;
            }
            if (c == '\r' && m_p < m_end && *m_p == '\n')
                continue;
            if (c == '\n' || c == '\r') {
                ++m_line;
                if (rowHasData || !field->isEmpty() || count > 0) {
                    ++count;
                    return true;
                }
                rowLine = m_line;
                continue;
            }
            rowHasData = true;
            if (c == ',') {
                endField();
            } else if (c == '"' && field->isEmpty() && !wasQuoted) {
                quoted = true;
            } else {
                if (wasQuoted) {
                    m_problems.append(located(m_shown, m_line, QStringLiteral("text after a closing quote")));
                    wasQuoted = false;
                }
                // The run of ordinary characters up to the next separator, quote or line break.
                const char* run = m_p;
                while (m_p < m_end && *m_p != ',' && *m_p != '"' && *m_p != '\n' && *m_p != '\r')
                    ++m_p;
                field->append(c).append(run, m_p - run);
            }
        }
        if (quoted)
            m_problems.append(located(m_shown, rowLine, QStringLiteral("a quoted field is not closed")));
        if (rowHasData || !field->isEmpty() || count > 0) {
            ++count;
            return true;
        }
        return false;
    }

private:
    static QByteArray& take(std::vector<QByteArray>& fields, int index)
    {
        if (size_t(index) >= fields.size())
            fields.resize(size_t(index) + 1);
        fields[size_t(index)].resize(0);
        return fields[size_t(index)];
    }

    const char* m_p;
    const char* m_end;
    int m_line = 1;
    const QString& m_shown;
    QStringList& m_problems;
};

// --- Texts ---------------------------------------------------------------------------------------

// The code point of the UTF-8 sequence at p (advancing p), or -1 when the bytes are not UTF-8.
long nextCodePoint(const unsigned char*& p, const unsigned char* end)
{
    const unsigned char b = *p++;
    if (b < 0x80)
        return b;
    int more = 0;
    long cp = 0;
    long minimum = 0;
    if ((b & 0xE0) == 0xC0) {
        more = 1, cp = b & 0x1F, minimum = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        more = 2, cp = b & 0x0F, minimum = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        more = 3, cp = b & 0x07, minimum = 0x10000;
    } else {
        return -1;
    }
    if (end - p < more)
        return -1;
    for (int i = 0; i < more; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return -1;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    p += more;
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return -1;
    return cp;
}

QString hex4(long cp) { return QStringLiteral("%1").arg(qulonglong(cp), 4, 16, QChar('0')); }

// The Windows-1252 bytes of a UTF-8 text; on a fault, the problem (and false).
bool toCp1252(const QByteArray& utf8, bool refuseControls, QByteArray& out, QString& problem)
{
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.constData());
    const auto* end = p + utf8.size();
    // Plain ASCII (most texts) is its own Windows-1252.
    bool ascii = true;
    for (const auto* q = p; q < end && ascii; ++q)
        ascii = *q < 0x80 && !(refuseControls && (*q < 0x20 || *q == 0x7F));
    if (ascii) {
        // Copied into the buffer's own storage: sharing the field's would cost a copy at its next use.
        out.resize(0);
        out.append(utf8);
        return true;
    }
    out.resize(0);
    while (p < end) {
        const long cp = nextCodePoint(p, end);
        if (cp < 0) {
            problem = QStringLiteral("the text is not valid UTF-8");
            return false;
        }
        if (refuseControls && (cp < 0x20 || cp == 0x7F)) {
            problem = QStringLiteral("control character U+%1 in the text").arg(hex4(cp));
            return false;
        }
        const char byte = Cp1252::byteFor(char32_t(cp));
        if (byte == '?' && cp != '?') {
            const char32_t c32 = char32_t(cp);
            problem = QStringLiteral("character '%1' (U+%2) cannot be written in Windows-1252")
                          .arg(QString::fromUcs4(&c32, 1), hex4(cp));
            return false;
        }
        out.append(byte);
    }
    return true;
}

// The UTF-8 form of every Windows-1252 byte.
const std::array<QByteArray, 256>& utf8Of()
{
    static const std::array<QByteArray, 256> table = [] {
        std::array<QByteArray, 256> t;
        for (int b = 0; b < 256; ++b) {
            const char c = char(b);
            t[size_t(b)] = Cp1252::decode(&c, 1).toUtf8();
        }
        return t;
    }();
    return table;
}

// --- Values --------------------------------------------------------------------------------------

bool isNeutralNumber(const QByteArray& v)
{
    // -?[0-9]+(\.[0-9]+)?
    qsizetype i = 0;
    const qsizetype n = v.size();
    if (i < n && v[i] == '-')
        ++i;
    const qsizetype digitsFrom = i;
    while (i < n && v[i] >= '0' && v[i] <= '9')
        ++i;
    if (i == digitsFrom)
        return false;
    if (i < n && v[i] == '.') {
        const qsizetype decimalsFrom = ++i;
        while (i < n && v[i] >= '0' && v[i] <= '9')
            ++i;
        if (i == decimalsFrom)
            return false;
    }
    return i == n;
}

bool allDigits(const QByteArray& v)
{
    if (v.isEmpty())
        return false;
    for (const char c : v)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// The problem of a date written dd/mm/yyyy, or none.
QString neutralDateProblem(const QByteArray& v)
{
    const bool shape = v.size() == 10 && v[2] == '/' && v[5] == '/' && allDigits(v.left(2)) && allDigits(v.mid(3, 2))
                       && allDigits(v.mid(6, 4));
    if (!shape)
        return QStringLiteral("'%1' is not a date written dd/mm/yyyy").arg(QString::fromUtf8(v));
    if (!QDate(v.mid(6, 4).toInt(), v.mid(3, 2).toInt(), v.left(2).toInt()).isValid())
        return QStringLiteral("'%1' is not a valid date").arg(QString::fromUtf8(v));
    return {};
}

class FieldChecker {
public:
    explicit FieldChecker(Format format) : m_format(format) {}

    // The problem of the CSV value of field f, or none; the bytes to store go to `stored`.
    QString check(const Field& f, const QByteArray& value, QByteArray& stored)
    {
        QString problem;
        const bool neutral = m_format == Format::Neutral;
        if (!toCp1252(value, neutral, stored, problem)) {
            // A number, date, flag or state holding such a character is malformed in any case.
            if (f.kind == Kind::Text || problem.startsWith(QLatin1String("control")))
                return problem;
        }
        if (f.kind == Kind::Text)
            return lengthProblem(f, value, stored);
        const QString text = QString::fromUtf8(value);
        switch (f.kind) {
        case Kind::Text:
            break;
        case Kind::Number:
            if (value.isEmpty() && f.optional)
                break;
            if (neutral && !isNeutralNumber(value)) {
                if (value.contains(','))
                    return QStringLiteral("'%1' is not a number written with a point (write 1.5, not 1,5)").arg(text);
                return QStringLiteral("'%1' is not a number (digits, an optional '-' and one '.')").arg(text);
            }
            if (!neutral && !DecimalText::parse(text))
                return QStringLiteral("'%1' is not a number in the company's format (decimal separator '%2')")
                    .arg(text, RegionalSettings::current().decimalSeparator);
            break;
        case Kind::Integer:
            if (value.isEmpty() && f.optional)
                break;
            if (neutral ? !allDigits(value) : !DecimalText::parseInt(text))
                return QStringLiteral("'%1' is not a whole number").arg(text);
            break;
        case Kind::Date:
            if (value.isEmpty() && f.optional)
                break;
            if (neutral) {
                if (const QString p = neutralDateProblem(value); !p.isEmpty())
                    return p;
            } else if (!isRegionalDate(value, text)) {
                return QStringLiteral("'%1' is not a date in the company's format (%2)")
                    .arg(text, RegionalSettings::current().shortDatePattern);
            }
            break;
        case Kind::Flag:
            if (value != "0" && value != "1")
                return QStringLiteral("'%1' is not a flag (0 or 1)").arg(text);
            return {};
        case Kind::State:
            if (value != "0" && value != "1" && value != "2")
                return QStringLiteral("'%1' is not an order state (0 active, 1 archived, 2 on hold)").arg(text);
            return {};
        }
        return lengthProblem(f, value, stored);
    }

private:
    static QString lengthProblem(const Field& f, const QByteArray& value, const QByteArray& stored)
    {
        if (stored.size() > f.capacity)
            return QStringLiteral("'%1' has %2 characters; the field holds at most %3")
                .arg(QString::fromUtf8(value)).arg(stored.size()).arg(f.capacity);
        return {};
    }

    // Dates repeat: each distinct text is read once.
    bool isRegionalDate(const QByteArray& value, const QString& text)
    {
        const auto it = m_dates.constFind(value);
        if (it != m_dates.cend())
            return *it;
        const bool ok = DateText::parse(text).has_value();
        m_dates.insert(value, ok);
        return ok;
    }

    Format m_format;
    QHash<QByteArray, bool> m_dates;
};

void store(const Field& f, char* record, const QByteArray& stored)
{
    if (f.isByte()) {
        record[f.offset] = char(stored.toInt());
        return;
    }
    record[f.offset] = char(stored.size());
    std::memcpy(record + f.offset + 1, stored.constData(), size_t(stored.size()));
}

} // namespace

QByteArray ReadRecords(const RecordLayout::File& layout, const QByteArray& csv, const QString& shown, Format format,
                       QStringList& problems)
{
    QByteArray records;
    CsvReader reader(csv, shown, problems);
    std::vector<QByteArray> values;
    int count = 0, line = 0;
    QStringList expected;
    for (const Field& f : layout.fields)
        expected.append(f.name);
    if (!reader.next(values, count, line)) {
        problems.append(located(shown, 1, QStringLiteral("no header row; expected: %1").arg(expected.join(','))));
        return records;
    }
    QStringList header;
    for (int i = 0; i < count; ++i)
        header.append(QString::fromUtf8(values[size_t(i)]));
    if (header != expected) {
        problems.append(located(shown, line, QStringLiteral("header is '%1'; expected '%2'").arg(header.join(','), expected.join(','))));
        return records;
    }
    const int columns = int(layout.fields.size());
    const qsizetype size = layout.recordSize;
    records.reserve(csv.count('\n') * size); // about one record a line
    FieldChecker checker(format);
    QByteArray stored;
    QByteArray record(size, '\0');
    while (reader.next(values, count, line)) {
        if (count != columns) {
            problems.append(located(shown, line, QStringLiteral("%1 fields, expected %2 (%3)")
                                                     .arg(count).arg(columns).arg(expected.join(QStringLiteral(", ")))));
            continue;
        }
        std::memset(record.data(), 0, size_t(size));
        bool ok = true;
        for (int i = 0; i < columns; ++i) {
            const Field& f = layout.fields[size_t(i)];
            const QString problem = checker.check(f, values[size_t(i)], stored);
            if (!problem.isEmpty()) {
                problems.append(located(shown, line, QStringLiteral("field %1: %2").arg(f.name, problem)));
                ok = false;
                continue;
            }
            store(f, record.data(), stored);
        }
        if (ok)
            records.append(record);
    }
    return records;
}

QByteArray WriteRecords(const RecordLayout::File& layout, const QByteArray& records)
{
    const auto& utf8 = utf8Of();
    const qsizetype n = records.size() / layout.recordSize;
    QByteArray out;
    out.reserve(n * layout.recordSize + 256);
    for (size_t i = 0; i < layout.fields.size(); ++i) {
        if (i > 0)
            out.append(',');
        out.append(layout.fields[i].name.toUtf8());
    }
    out.append('\n');
    for (qsizetype k = 0; k < n; ++k) {
        const char* record = records.constData() + k * layout.recordSize;
        for (size_t i = 0; i < layout.fields.size(); ++i) {
            const Field& f = layout.fields[i];
            if (i > 0)
                out.append(',');
            if (f.isByte()) {
                out.append(QByteArray::number(f.byteValue(record)));
                continue;
            }
            const int length = std::min(f.storedLength(record), f.capacity);
            const char* text = record + f.offset + 1;
            bool quote = false;
            for (int j = 0; j < length && !quote; ++j)
                quote = text[j] == ',' || text[j] == '"' || text[j] == '\n' || text[j] == '\r';
            if (quote)
                out.append('"');
            for (int j = 0; j < length; ++j) {
                const unsigned char b = static_cast<unsigned char>(text[j]);
                if (b < 0x80) {
                    if (b == '"')
                        out.append('"');
                    out.append(char(b));
                } else {
                    out.append(utf8[b]);
                }
            }
            if (quote)
                out.append('"');
        }
        out.append('\n');
    }
    return out;
}

FolderContents ReadFolder(const QString& folder, Format format)
{
    FolderContents contents;
    const QString base = folder.endsWith('/') ? folder : folder + '/';
    for (const RecordLayout::File& layout : RecordLayout::Files()) {
        const QString path = base + layout.csvName();
        const QString shown = QDir::toNativeSeparators(path);
        QFile f(path);
        QByteArray bytes;
        if (!f.open(QIODevice::ReadOnly) || (bytes = f.readAll(), f.error() != QFileDevice::NoError)) {
            contents.problems.append(located(shown, 0, QStringLiteral("cannot be read: %1").arg(f.errorString())));
            continue;
        }
        contents.files.emplace_back(layout.name, ReadRecords(layout, bytes, shown, format, contents.problems));
    }
    return contents;
}

void WriteDataFiles(const QString& folder, const std::vector<std::pair<QString, QByteArray>>& files)
{
    const QString base = folder.endsWith('/') ? folder : folder + '/';
    if (!QDir().mkpath(base))
        throw StoreError(QStringLiteral("Cannot create \"%1\"").arg(QDir::toNativeSeparators(base)));
    std::vector<std::pair<QString, QByteArray>> paths;
    paths.reserve(files.size());
    for (const auto& [name, bytes] : files)
        paths.emplace_back(base + name, bytes);
    ReplaceFilesContents(paths);
}

} // namespace CsvRecords
