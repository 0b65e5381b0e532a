#include "accessories/ChmFile.h"

#include "store/Cp1252.h"

#include <QFile>
#include <QRegularExpression>
#include <QtEndian>

#include <chm_lib.h>

struct ChmFile::Handle {
    chmFile* file = nullptr;
};

namespace {

QString DecodeEntities(const QString& text)
{
    if (!text.contains(QLatin1Char('&')))
        return text;
    static const QHash<QString, QString> named{
        {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", QString(QChar(0xA0))},
    };
    static const QRegularExpression entity(QStringLiteral("&(#x[0-9A-Fa-f]+|#[0-9]+|[A-Za-z]+);"));
    QString out;
    qsizetype last = 0;
    auto it = entity.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        out += text.mid(last, m.capturedStart() - last);
        const QString e = m.captured(1);
        bool ok = false;
        uint code = 0;
        if (e.startsWith(QLatin1String("#x")))
            code = e.mid(2).toUInt(&ok, 16);
        else if (e.startsWith(QLatin1Char('#')))
            code = e.mid(1).toUInt(&ok, 10);
        if (ok && code > 0 && code <= 0x10FFFF)
            out += QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
        else if (named.contains(e))
            out += named.value(e);
        else
            out += m.captured(0);
        last = m.capturedEnd();
    }
    out += text.mid(last);
    return out;
}

// A path inside the help file, absolute ("/x.html"); links of other kinds are kept as they are.
QString InsidePath(QString local)
{
    local = local.trimmed();
    if (local.isEmpty() || local.contains(QLatin1String("://")) || local.startsWith(QLatin1String("mailto:")))
        return local;
    while (local.startsWith(QLatin1String("./")))
        local.remove(0, 2);
    if (!local.startsWith(QLatin1Char('/')))
        local.prepend(QLatin1Char('/'));
    return local;
}

// The file named by a path inside the help file, without the anchor ("/a.html#part" -> "/a.html");
// the special files of the format start with "#" ("/#SYSTEM") and keep it.
QString FilePart(const QString& path)
{
    QString file = path;
    const qsizetype hash = file.lastIndexOf(QLatin1Char('#'));
    if (hash > 0 && file.at(hash - 1) != QLatin1Char('/'))
        file.truncate(hash);
    if (!file.startsWith(QLatin1Char('/')))
        file.prepend(QLatin1Char('/'));
    return file;
}

QHash<QString, QString> Attributes(const QString& text)
{
    static const QRegularExpression attr(QStringLiteral("([A-Za-z_:][-A-Za-z0-9_:.]*)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s\"'>]+))"));
    QHash<QString, QString> out;
    auto it = attr.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        QString value = m.captured(2);
        if (!m.captured(3).isNull() && m.capturedLength(3))
            value = m.captured(3);
        if (!m.captured(4).isNull() && m.capturedLength(4))
            value = m.captured(4);
        out.insert(m.captured(1).toLower(), DecodeEntities(value));
    }
    return out;
}

// The text of help files written by the build is UTF-8; files of other origin may be in the
// Windows code page, which invalid UTF-8 gives away.
QString DecodeText(const QByteArray& bytes)
{
    QString text = QString::fromUtf8(bytes);
    if (text.contains(QChar::ReplacementCharacter))
        text = Cp1252::decode(bytes);
    return text;
}

} // namespace

QList<HelpEntry> ParseSitemap(const QByteArray& html)
{
    const QString text = DecodeText(html);
    static const QRegularExpression tag(QStringLiteral("<(/?)([A-Za-z]+)([^>]*)>"));
    QList<HelpEntry> root;
    QList<QList<HelpEntry>*> levels;
    bool inObject = false;
    HelpEntry entry;
    auto it = tag.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        const bool closing = !m.captured(1).isEmpty();
        const QString name = m.captured(2).toLower();
        if (name == QLatin1String("ul")) {
            if (closing) {
                if (!levels.isEmpty())
                    levels.removeLast();
            } else if (levels.isEmpty()) {
                levels.append(&root);
            } else if (!levels.last()->isEmpty()) {
                levels.append(&levels.last()->last().children);
            } else {
                levels.append(levels.last());
            }
        } else if (name == QLatin1String("object")) {
            if (!closing) {
                const auto a = Attributes(m.captured(3));
                inObject = a.value(QStringLiteral("type")).compare(QLatin1String("text/sitemap"), Qt::CaseInsensitive) == 0;
                entry = HelpEntry();
            } else if (inObject) {
                inObject = false;
                if (!entry.name.isEmpty() || !entry.locals.isEmpty())
                    (levels.isEmpty() ? root : *levels.last()).append(entry);
            }
        } else if (name == QLatin1String("param") && inObject) {
            const auto a = Attributes(m.captured(3));
            const QString key = a.value(QStringLiteral("name")).toLower();
            const QString value = a.value(QStringLiteral("value"));
            if (key == QLatin1String("name") && entry.name.isEmpty())
                entry.name = value.simplified();
            else if (key == QLatin1String("local") && !value.trimmed().isEmpty())
                entry.locals << InsidePath(value);
        }
    }
    return root;
}

QString TopicTitle(const QByteArray& html)
{
    static const QRegularExpression title(QStringLiteral("<title[^>]*>(.*?)</title>"),
                                          QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const auto m = title.match(DecodeText(html));
    return m.hasMatch() ? DecodeEntities(m.captured(1)).simplified() : QString();
}

QHash<int, QString> ParseContextMap(const QByteArray& text)
{
    QHash<int, QString> map;
    for (const QByteArray& raw : text.split('\n')) {
        const QByteArray line = raw.trimmed();
        const int eq = line.indexOf('=');
        if (eq <= 0 || line.startsWith('#') || line.startsWith(';'))
            continue;
        bool ok = false;
        const int context = line.left(eq).trimmed().toInt(&ok);
        const QString topic = QString::fromUtf8(line.mid(eq + 1).trimmed());
        if (ok && !topic.isEmpty() && !map.contains(context))
            map.insert(context, InsidePath(topic));
    }
    return map;
}

ChmFile::~ChmFile()
{
    if (m_handle) {
        if (m_handle->file)
            chm_close(m_handle->file);
        delete m_handle;
    }
}

std::unique_ptr<ChmFile> ChmFile::open(const QString& path)
{
    if (!QFile::exists(path))
        return nullptr;
    chmFile* file = chm_open(QFile::encodeName(path).constData());
    if (!file)
        return nullptr;
    std::unique_ptr<ChmFile> chm(new ChmFile);
    chm->m_handle = new Handle{file};
    chm->readSystemFile();
    if (chm->m_contentsFile.isEmpty() || !chm->contains(chm->m_contentsFile))
        chm->m_contentsFile = QStringLiteral("/Quorvale.hhc");
    if (chm->m_indexFile.isEmpty() || !chm->contains(chm->m_indexFile))
        chm->m_indexFile = QStringLiteral("/Quorvale.hhk");
    chm->m_contents = ParseSitemap(chm->read(chm->m_contentsFile));
    chm->m_index = ParseSitemap(chm->read(chm->m_indexFile));
    chm->m_contexts = ParseContextMap(chm->read(QString::fromLatin1(ContextMapName)));
    if (chm->m_defaultTopic.isEmpty() && !chm->m_contents.isEmpty() && !chm->m_contents.first().locals.isEmpty())
        chm->m_defaultTopic = chm->m_contents.first().locals.first();
    return chm;
}

QByteArray ChmFile::read(const QString& path) const
{
    if (!m_handle || path.isEmpty())
        return {};
    const QString inside = FilePart(path);
    chmUnitInfo info;
    if (chm_resolve_object(m_handle->file, inside.toUtf8().constData(), &info) != CHM_RESOLVE_SUCCESS)
        return {};
    QByteArray data;
    if (info.length == 0)
        return QByteArray("");
    if (info.length > 64 * 1024 * 1024)
        return {};
    data.resize(qsizetype(info.length));
    const LONGINT64 got = chm_retrieve_object(m_handle->file, &info, reinterpret_cast<unsigned char*>(data.data()), 0,
                                              LONGINT64(info.length));
    if (got <= 0)
        return {};
    data.resize(qsizetype(got));
    return data;
}

bool ChmFile::contains(const QString& path) const
{
    if (!m_handle || path.isEmpty())
        return false;
    const QString inside = FilePart(path);
    chmUnitInfo info;
    return chm_resolve_object(m_handle->file, inside.toUtf8().constData(), &info) == CHM_RESOLVE_SUCCESS;
}

// The #SYSTEM file: a version word, then records of a 16-bit code, a 16-bit length and the data.
// Code 0 names the contents file, 1 the index file, 2 the default topic and 3 the title.
void ChmFile::readSystemFile()
{
    const QByteArray system = read(QStringLiteral("/#SYSTEM"));
    qsizetype at = 4;
    while (at + 4 <= system.size()) {
        const quint16 code = qFromLittleEndian<quint16>(system.constData() + at);
        const quint16 length = qFromLittleEndian<quint16>(system.constData() + at + 2);
        at += 4;
        if (at + length > system.size())
            break;
        QByteArray value = system.mid(at, length);
        at += length;
        const int nul = value.indexOf('\0');
        if (nul >= 0)
            value.truncate(nul);
        const QString text = DecodeText(value);
        switch (code) {
        case 0: m_contentsFile = InsidePath(text); break;
        case 1: m_indexFile = InsidePath(text); break;
        case 2: m_defaultTopic = InsidePath(text); break;
        case 3: m_title = text; break;
        default: break;
        }
    }
}
