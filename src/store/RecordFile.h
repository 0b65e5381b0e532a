#pragma once

#include "store/Records.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

// A data file of fixed-size records with no header, addressed by record number from 0. Record k
// starts at byte k x record size. Bytes after the last whole record (a damaged tail) are never read,
// counted or overwritten, except that an append writes its record at RecordCount x record size.
//
// Every failure of the file system throws StoreError with the path and the system's text.
// Sequential reads go through a read-ahead buffer, so loading a whole file costs little more
// than reading its bytes.
class RecordFileBase {
public:
    explicit RecordFileBase(int recordSize);
    virtual ~RecordFileBase();
    RecordFileBase(const RecordFileBase&) = delete;
    RecordFileBase& operator=(const RecordFileBase&) = delete;

    // Creates an empty file when none exists at the path; an existing file is not touched.
    static void EnsureRecordFile(const QString& path);
    // Binds the handle to an existing file and opens it for reading and writing at record 0
    // (read-only when the file may not be written; a write then fails with the system's text).
    void OpenRecordFile(const QString& path);
    void CloseRecordFile();

    bool IsOpen() const;
    QString Path() const { return m_path; }
    int RecordSize() const { return m_recordSize; }

    bool AtEndOfRecords() const { return m_position >= m_count; }
    qint64 RecordCount() const { return m_count; }
    qint64 RecordPosition() const { return m_position; }
    // Record n becomes the current one; n = RecordCount is the position for appending.
    void SeekRecord(qint64 n);

    // Reopens every handle bound to the path, keeping its position (after a whole-file replace).
    static void ReopenHandlesOf(const QString& path);

protected:
    void readNextBytes(void* record);
    void writeBytesAt(const void* record);
    void appendBytes(const void* record);

private:
    void reopen();
    void fillCache();
    // Another handle (or this one) wrote record index: keep the count and the read-ahead true.
    void recordWritten(qint64 index, const void* record);
    [[noreturn]] void fail(const QString& what) const;

    int m_recordSize;
    QString m_path;
    QString m_key; // canonical path under which the handle is registered
    std::unique_ptr<QFile> m_file;
    qint64 m_count = 0;
    qint64 m_position = 0;
    QString m_readOnlyReason; // why the file could not be opened for writing; empty when it was
    // Read-ahead: records [m_cacheFirst, m_cacheFirst + m_cacheRecords) are in m_cache.
    QByteArray m_cache;
    qint64 m_cacheFirst = 0;
    qint64 m_cacheRecords = 0;
};

template <class R>
class RecordFile : public RecordFileBase {
    static_assert(IsRecord<R>, "a record is plain bytes");

public:
    RecordFile() : RecordFileBase(int(sizeof(R))) {}
    explicit RecordFile(const QString& path) : RecordFile() { OpenRecordFile(path); }

    // Reads the current record into the buffer and advances by one.
    void ReadNextRecord(R& buffer) { readNextBytes(&buffer); }
    R ReadNextRecord()
    {
        R r = EmptyRecord<R>();
        readNextBytes(&r);
        return r;
    }
    // Writes the buffer at the current position (replacing that record or extending the file by
    // one at the end) and advances by one.
    void WriteRecordAt(const R& buffer) { writeBytesAt(&buffer); }
    // SeekRecord(RecordCount) then WriteRecordAt.
    void AppendRecord(const R& buffer) { appendBytes(&buffer); }
};

// Atomically replaces the whole file with the given bytes: written to a temporary file in the same
// folder and renamed over the original, so a crash leaves either the old or the new file. Open
// handles on the file are re-bound to the new file.
void ReplaceFileContents(const QString& path, const QByteArray& contents);
// The same for several files at once: every temporary file is written before the first rename, so
// a failure while writing (disk full, no permission) leaves all the originals untouched. When given,
// `replaced` receives how many of the files, in their order, took their new contents (all of them
// on success; fewer when a rename failed, which throws too).
void ReplaceFilesContents(const std::vector<std::pair<QString, QByteArray>>& files, size_t* replaced = nullptr);
QByteArray ReadFileContents(const QString& path); // throws StoreError

// For tests: called with each path just before its temporary file is renamed over it, when every
// temporary file of the replace has been written in full (a crash there is what a test makes).
void SetBeforeReplaceRename(std::function<void(const QString& path)> hook);
