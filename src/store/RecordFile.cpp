#include "store/RecordFile.h"

#include "store/StoreError.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <cstring>

namespace {

constexpr qint64 kReadAheadBytes = 256 * 1024;

QString canonicalKey(const QString& path)
{
    const QString c = QFileInfo(path).canonicalFilePath();
    return c.isEmpty() ? QFileInfo(path).absoluteFilePath() : c;
}

QMultiHash<QString, RecordFileBase*>& openHandles()
{
    static QMultiHash<QString, RecordFileBase*> handles;
    return handles;
}

QString nativePath(const QString& path) { return QDir::toNativeSeparators(path); }

} // namespace

RecordFileBase::RecordFileBase(int recordSize) : m_recordSize(recordSize) {}

RecordFileBase::~RecordFileBase() { CloseRecordFile(); }

void RecordFileBase::EnsureRecordFile(const QString& path)
{
    if (QFileInfo::exists(path))
        return;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        throw StoreError(QStringLiteral("Cannot create \"%1\": %2").arg(nativePath(path), f.errorString()));
    f.close();
}

bool RecordFileBase::IsOpen() const { return m_file && m_file->isOpen(); }

void RecordFileBase::fail(const QString& what) const
{
    throw StoreError(QStringLiteral("%1 \"%2\": %3")
                         .arg(what, nativePath(m_path), m_file ? m_file->errorString() : QString("not open")));
}

void RecordFileBase::OpenRecordFile(const QString& path)
{
    CloseRecordFile();
    m_path = path;
    // ExistingOnly: a missing file is an error with the system's text, never created here.
    const QIODevice::OpenMode existing = QIODevice::Unbuffered | QIODevice::ExistingOnly;
    m_file = std::make_unique<QFile>(path);
    m_readOnlyReason.clear();
    if (!m_file->open(QIODevice::ReadWrite | existing)) {
        const QString rwError = m_file->errorString();
        m_file = std::make_unique<QFile>(path);
        if (!m_file->open(QIODevice::ReadOnly | existing)) {
            m_file.reset();
            throw StoreError(QStringLiteral("Cannot open \"%1\": %2").arg(nativePath(path), rwError));
        }
        m_readOnlyReason = rwError;
    }
    m_count = m_file->size() / m_recordSize;
    m_position = 0;
    m_cacheRecords = 0;
    m_key = canonicalKey(path);
    openHandles().insert(m_key, this);
}

void RecordFileBase::CloseRecordFile()
{
    if (m_file) {
        openHandles().remove(m_key, this);
        m_file->close();
        m_file.reset();
    }
    m_cacheRecords = 0;
    m_count = 0;
    m_position = 0;
}

void RecordFileBase::reopen()
{
    const qint64 position = m_position;
    const QString path = m_path;
    OpenRecordFile(path);
    m_position = position < m_count ? position : m_count;
}

void RecordFileBase::ReopenHandlesOf(const QString& path)
{
    const auto handles = openHandles().values(canonicalKey(path));
    for (RecordFileBase* h : handles)
        h->reopen();
}

void RecordFileBase::SeekRecord(qint64 n)
{
    if (!IsOpen())
        throw StoreError(QStringLiteral("File not open: \"%1\"").arg(nativePath(m_path)));
    if (n < 0 || n > m_count)
        throw StoreError(QStringLiteral("Seek to record %1 of %2 records in \"%3\": Invalid record number")
                             .arg(n).arg(m_count).arg(nativePath(m_path)));
    m_position = n;
}

void RecordFileBase::fillCache()
{
    const qint64 wanted = qMax<qint64>(1, kReadAheadBytes / m_recordSize);
    const qint64 records = qMin(wanted, m_count - m_position);
    const qint64 bytes = records * m_recordSize;
    if (m_cache.size() < bytes)
        m_cache.resize(bytes);
    if (!m_file->seek(m_position * m_recordSize))
        fail(QStringLiteral("Cannot seek in"));
    qint64 got = 0;
    while (got < bytes) {
        const qint64 r = m_file->read(m_cache.data() + got, bytes - got);
        if (r < 0)
            fail(QStringLiteral("Cannot read"));
        if (r == 0)
            break;
        got += r;
    }
    if (got < m_recordSize) {
        m_cacheRecords = 0;
        throw StoreError(QStringLiteral("Read beyond end of file \"%1\"").arg(nativePath(m_path)));
    }
    m_cacheFirst = m_position;
    m_cacheRecords = got / m_recordSize;
}

void RecordFileBase::readNextBytes(void* record)
{
    if (!IsOpen())
        throw StoreError(QStringLiteral("File not open: \"%1\"").arg(nativePath(m_path)));
    if (m_position >= m_count)
        throw StoreError(QStringLiteral("Read beyond end of file \"%1\"").arg(nativePath(m_path)));
    if (m_position < m_cacheFirst || m_position >= m_cacheFirst + m_cacheRecords)
        fillCache();
    std::memcpy(record, m_cache.constData() + (m_position - m_cacheFirst) * m_recordSize, size_t(m_recordSize));
    ++m_position;
}

void RecordFileBase::writeBytesAt(const void* record)
{
    if (!IsOpen())
        throw StoreError(QStringLiteral("File not open: \"%1\"").arg(nativePath(m_path)));
    if (!m_readOnlyReason.isEmpty())
        throw StoreError(QStringLiteral("Cannot write \"%1\": %2").arg(nativePath(m_path), m_readOnlyReason));
    if (!m_file->seek(m_position * m_recordSize))
        fail(QStringLiteral("Cannot seek in"));
    const bool extends = m_position >= m_count;
    const qint64 sizeBefore = extends ? m_file->size() : 0;
    const char* bytes = static_cast<const char*>(record);
    for (qint64 done = 0; done < m_recordSize;) {
        // A short write (disk full, size limit) is followed by one that fails with the reason.
        const qint64 n = m_file->write(bytes + done, m_recordSize - done);
        if (n <= 0) {
            const QString error = m_file->errorString();
            // A record appended half-way is taken back, so the file never ends in a torn record.
            if (extends && done > 0)
                m_file->resize(sizeBefore);
            throw StoreError(QStringLiteral("Cannot write \"%1\": %2").arg(nativePath(m_path), error));
        }
        done += n;
    }
    // Every handle on this file (this one included) sees the record as written.
    const auto handles = openHandles().values(m_key);
    for (RecordFileBase* h : handles)
        h->recordWritten(m_position, record);
    ++m_position;
}

void RecordFileBase::recordWritten(qint64 index, const void* record)
{
    if (index >= m_cacheFirst && index < m_cacheFirst + m_cacheRecords)
        std::memcpy(m_cache.data() + (index - m_cacheFirst) * m_recordSize, record, size_t(m_recordSize));
    if (index + 1 > m_count)
        m_count = index + 1;
}

void RecordFileBase::appendBytes(const void* record)
{
    SeekRecord(m_count);
    writeBytesAt(record);
}

QByteArray ReadFileContents(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw StoreError(QStringLiteral("Cannot open \"%1\": %2").arg(nativePath(path), f.errorString()));
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw StoreError(QStringLiteral("Cannot read \"%1\": %2").arg(nativePath(path), f.errorString()));
    return bytes;
}

namespace {

// Writes all of the bytes, or throws with the system's reason (a short write is retried once more,
// which then fails with it).
void writeAll(QSaveFile& f, const QString& path, const QByteArray& contents)
{
    for (qint64 done = 0; done < contents.size();) {
        const qint64 n = f.write(contents.constData() + done, contents.size() - done);
        if (n <= 0)
            throw StoreError(QStringLiteral("Cannot write \"%1\": %2").arg(nativePath(path), f.errorString()));
        done += n;
    }
}

std::function<void(const QString&)>& beforeRename()
{
    static std::function<void(const QString&)> hook;
    return hook;
}

} // namespace

void SetBeforeReplaceRename(std::function<void(const QString& path)> hook) { beforeRename() = std::move(hook); }

void ReplaceFileContents(const QString& path, const QByteArray& contents)
{
    ReplaceFilesContents({{path, contents}});
}

void ReplaceFilesContents(const std::vector<std::pair<QString, QByteArray>>& files, size_t* replaced)
{
    if (replaced)
        *replaced = 0;
    // First every temporary file is written in full; a failure here discards them all (a QSaveFile
    // that is not committed removes its temporary file) and leaves every original as it was.
    std::vector<std::unique_ptr<QSaveFile>> pending;
    for (const auto& [path, contents] : files) {
        auto f = std::make_unique<QSaveFile>(path);
        f->setDirectWriteFallback(false);
        if (!f->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            throw StoreError(QStringLiteral("Cannot write \"%1\": %2").arg(nativePath(path), f->errorString()));
        writeAll(*f, path, contents);
        pending.push_back(std::move(f));
    }
    // Then each is renamed over its original.
    for (size_t i = 0; i < pending.size(); ++i) {
        if (beforeRename())
            beforeRename()(files[i].first);
        if (!pending[i]->commit())
            throw StoreError(QStringLiteral("Cannot write \"%1\": %2")
                                 .arg(nativePath(files[i].first), pending[i]->errorString()));
        if (replaced)
            *replaced = i + 1;
        RecordFileBase::ReopenHandlesOf(files[i].first);
    }
}
