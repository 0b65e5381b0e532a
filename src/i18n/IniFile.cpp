#include "i18n/IniFile.h"

#include "store/Cp1252.h"
#include "store/StoreError.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <optional>
#include <vector>

struct IniFile::Data {
    QString path;
    std::vector<QByteArray> lines; // each with its own line ending, exactly as in the file
    bool exists = false;
    qint64 size = -1;
    QDateTime modified;
    // Where the first section of each name starts, and the first line of each key in it (by their
    // case-folded names, section and key joined by a NUL): built at the first read after the lines
    // changed, so that a read does not parse the whole file.
    bool indexed = false;
    QHash<QString, int> sectionLines;
    QHash<QString, int> keyLines;

    struct Parsed {
        enum Kind { Other, Section, Key } kind = Other;
        QString name;  // section or key name
        QString value; // key value, unquoted
    };

    void refresh();
    void load();
    void buildIndex();
    void save();
    static Parsed parse(const QByteArray& line);
    // Index of the first line of the section header, or -1.
    int findSection(const QString& section);
    // [begin, end) lines after the header up to the next section.
    int sectionEnd(int header) const;
    int findKey(int header, const QString& key);
    QByteArray newline() const;
};

namespace {

QString cacheKey(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

QHash<QString, std::weak_ptr<IniFile::Data>>& registry()
{
    static QHash<QString, std::weak_ptr<IniFile::Data>> files;
    return files;
}

QByteArray chompLine(const QByteArray& line)
{
    qsizetype n = line.size();
    while (n > 0 && (line[n - 1] == '\n' || line[n - 1] == '\r'))
        --n;
    return line.left(n);
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// A name or value written to the file is one line: a line break in it would end the entry and
// make the rest a line of its own (even a section header), so breaks are written as blanks.
QByteArray oneLine(const QString& text)
{
    QByteArray bytes = Cp1252::encode(text);
    bytes.replace('\r', ' ').replace('\n', ' ');
    return bytes;
}

QByteArray trimBlanks(const QByteArray& s)
{
    qsizetype a = 0, b = s.size();
    while (a < b && isBlank(s[a]))
        ++a;
    while (b > a && isBlank(s[b - 1]))
        --b;
    return s.mid(a, b - a);
}

} // namespace

IniFile::Data::Parsed IniFile::Data::parse(const QByteArray& raw)
{
    Parsed p;
    const QByteArray line = trimBlanks(chompLine(raw));
    if (line.isEmpty() || line[0] == ';')
        return p;
    if (line[0] == '[') {
        const qsizetype close = line.indexOf(']');
        if (close > 0) {
            p.kind = Parsed::Section;
            p.name = Cp1252::decode(trimBlanks(line.mid(1, close - 1)));
        }
        return p;
    }
    const qsizetype eq = line.indexOf('=');
    if (eq <= 0)
        return p;
    p.kind = Parsed::Key;
    p.name = Cp1252::decode(trimBlanks(line.left(eq)));
    QByteArray value = trimBlanks(line.mid(eq + 1));
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        value = value.mid(1, value.size() - 2);
    p.value = Cp1252::decode(value);
    return p;
}

void IniFile::Data::load()
{
    indexed = false;
    lines.clear();
    QFile f(path);
    const QFileInfo info(path);
    exists = info.exists();
    size = exists ? info.size() : -1;
    modified = exists ? info.lastModified() : QDateTime();
    if (!exists || !f.open(QIODevice::ReadOnly))
        return;
    const QByteArray all = f.readAll();
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype nl = all.indexOf('\n', start);
        if (nl < 0)
            nl = all.size() - 1;
        lines.push_back(all.mid(start, nl - start + 1));
        start = nl + 1;
    }
}

void IniFile::Data::refresh()
{
    const QFileInfo info(path);
    const bool nowExists = info.exists();
    if (nowExists != exists || (nowExists && (info.size() != size || info.lastModified() != modified)))
        load();
}

QByteArray IniFile::Data::newline() const
{
    for (const auto& l : lines)
        if (l.endsWith('\n'))
            return l.endsWith("\r\n") ? QByteArray("\r\n") : QByteArray("\n");
    return "\r\n";
}

void IniFile::Data::save()
{
    indexed = false; // the lines have changed
    QByteArray all;
    for (const auto& l : lines)
        all += l;
    QSaveFile f(path);
    f.setDirectWriteFallback(true);
    // Unbuffered: a short write (disk full) shows here with its reason. Buffered, it would only
    // happen in the final flush, which does not stop the commit of a cut file.
    bool ok = f.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    for (qint64 done = 0; ok && done < all.size();) {
        const qint64 n = f.write(all.constData() + done, all.size() - done);
        ok = n > 0;
        done += n;
    }
    if (!ok || !f.commit())
        throw StoreError(QStringLiteral("Cannot write \"%1\": %2").arg(QDir::toNativeSeparators(path), f.errorString()));
    const QFileInfo info(path);
    exists = true;
    size = info.size();
    modified = info.lastModified();
}

void IniFile::Data::buildIndex()
{
    sectionLines.clear();
    keyLines.clear();
    QString current; // the section whose keys count: null before the first and in a repeated header
    for (int i = 0; i < int(lines.size()); ++i) {
        const Parsed p = parse(lines[size_t(i)]);
        if (p.kind == Parsed::Section) {
            const QString name = p.name.toCaseFolded();
            if (sectionLines.contains(name)) {
                current = QString();
                continue;
            }
            sectionLines.insert(name, i);
            current = name + QChar(0);
        } else if (p.kind == Parsed::Key && !current.isNull()) {
            const QString key = current + p.name.toCaseFolded();
            if (!keyLines.contains(key))
                keyLines.insert(key, i);
        }
    }
    indexed = true;
}

int IniFile::Data::findSection(const QString& section)
{
    if (!indexed)
        buildIndex();
    return sectionLines.value(section.toCaseFolded(), -1);
}

int IniFile::Data::sectionEnd(int header) const
{
    int i = header + 1;
    while (i < int(lines.size()) && parse(lines[size_t(i)]).kind != Parsed::Section)
        ++i;
    return i;
}

int IniFile::Data::findKey(int header, const QString& key)
{
    if (!indexed)
        buildIndex();
    const QString name = parse(lines[size_t(header)]).name.toCaseFolded();
    if (sectionLines.value(name, -1) == header)
        return keyLines.value(name + QChar(0) + key.toCaseFolded(), -1);
    // A later header of a name already seen: its own lines.
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        const Parsed p = parse(lines[size_t(i)]);
        if (p.kind == Parsed::Key && p.name.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

IniFile::IniFile(const QString& path)
{
    const QString key = cacheKey(path);
    auto& files = registry();
    d = files.value(key).lock();
    if (!d) {
        d = std::make_shared<Data>();
        d->path = path;
        d->load();
        files.insert(key, d);
    }
}

IniFile::~IniFile() = default;

QString IniFile::FileName() const { return d->path; }

QString IniFile::ReadString(const QString& section, const QString& key, const QString& def) const
{
    d->refresh();
    const int header = d->findSection(section);
    if (header < 0)
        return def;
    const int line = d->findKey(header, key);
    if (line < 0)
        return def;
    return Data::parse(d->lines[size_t(line)]).value;
}

int IniFile::ReadInteger(const QString& section, const QString& key, int def) const
{
    const QString text = ReadString(section, key, QString()).trimmed();
    if (text.isEmpty())
        return def;
    bool ok = false;
    int value = 0;
    if (text.startsWith("0x", Qt::CaseInsensitive))
        value = text.mid(2).toInt(&ok, 16);
    else
        value = text.toInt(&ok, 10);
    return ok ? value : def;
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    d->refresh();
    const QByteArray nl = d->newline();
    // A new key needs a name that reads back as one; a blank one would make a line that is no key.
    const auto newEntry = [&] {
        if (trimBlanks(oneLine(key)).isEmpty())
            throw StoreError(QStringLiteral("Cannot write \"%1\": a key needs a name").arg(QDir::toNativeSeparators(d->path)));
        return oneLine(key) + '=' + oneLine(value);
    };
    int header = d->findSection(section);
    if (header < 0) {
        const QByteArray entry = newEntry();
        if (!d->lines.empty() && !d->lines.back().endsWith('\n'))
            d->lines.back() += nl;
        d->lines.push_back('[' + oneLine(section) + ']' + nl);
        d->lines.push_back(entry + nl);
    } else {
        const int line = d->findKey(header, key);
        if (line >= 0) {
            // A name read from the file may hold what a written name cannot (a stray carriage
            // return); such a key keeps its name as the file spells it, so it still names this line.
            QByteArray& old = d->lines[size_t(line)];
            const QByteArray ending = old.mid(chompLine(old).size());
            const QByteArray name = oneLine(key) == Cp1252::encode(key) ? oneLine(key) : Cp1252::encode(Data::parse(old).name);
            old = name + '=' + oneLine(value) + ending;
        } else {
            const QByteArray entry = newEntry();
            // After the last non-blank line of the section.
            int at = d->sectionEnd(header);
            while (at > header + 1 && trimBlanks(chompLine(d->lines[size_t(at - 1)])).isEmpty())
                --at;
            if (!d->lines[size_t(at - 1)].endsWith('\n'))
                d->lines[size_t(at - 1)] += nl;
            d->lines.insert(d->lines.begin() + at, entry + nl);
        }
    }
    d->save();
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void IniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

bool IniFile::SectionExists(const QString& section) const
{
    d->refresh();
    return d->findSection(section) >= 0;
}

bool IniFile::ValueExists(const QString& section, const QString& key) const
{
    d->refresh();
    const int header = d->findSection(section);
    return header >= 0 && d->findKey(header, key) >= 0;
}

QStringList IniFile::ReadSection(const QString& section) const
{
    d->refresh();
    QStringList keys;
    const int header = d->findSection(section);
    if (header < 0)
        return keys;
    const int end = d->sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        const Data::Parsed p = Data::parse(d->lines[size_t(i)]);
        if (p.kind == Data::Parsed::Key)
            keys << p.name;
    }
    return keys;
}

QStringList IniFile::ReadSections() const
{
    d->refresh();
    QStringList names;
    for (const auto& l : d->lines) {
        const Data::Parsed p = Data::parse(l);
        if (p.kind == Data::Parsed::Section)
            names << p.name;
    }
    return names;
}

void IniFile::DeleteKey(const QString& section, const QString& key)
{
    d->refresh();
    const int header = d->findSection(section);
    if (header < 0)
        return;
    const int line = d->findKey(header, key);
    if (line < 0)
        return;
    d->lines.erase(d->lines.begin() + line);
    d->save();
}

void IniFile::EraseSection(const QString& section)
{
    d->refresh();
    const int header = d->findSection(section);
    if (header < 0)
        return;
    const int end = d->sectionEnd(header);
    d->lines.erase(d->lines.begin() + header, d->lines.begin() + end);
    d->save();
}
