#pragma once

#include "store/RecordFile.h"
#include "store/StoreError.h"

#include <QFileInfo>
#include <cstring>
#include <functional>
#include <vector>

// The ways every screen reaches the data files. Each begins by opening the file afresh.

// Load all: calls onRecord(k, record) for k = 1, 2, ... in file order and returns the number of
// records. With mayCreate a missing file is first created empty; otherwise it must exist.
template <class R, class F>
qint64 LoadAll(const QString& path, bool mayCreate, F&& onRecord)
{
    if (mayCreate)
        RecordFileBase::EnsureRecordFile(path);
    RecordFile<R> file(path);
    R buffer = EmptyRecord<R>();
    qint64 k = 0;
    while (!file.AtEndOfRecords()) {
        ++k;
        file.ReadNextRecord(buffer);
        onRecord(k, static_cast<const R&>(buffer));
    }
    return k;
}

// Every whole record of the file, read in one pass (the damaged tail, if any, is left out).
template <class R>
std::vector<R> ReadAllRecords(const QString& path)
{
    const QByteArray bytes = ReadFileContents(path);
    const qsizetype n = bytes.size() / qsizetype(sizeof(R));
    std::vector<R> records(size_t(n), EmptyRecord<R>());
    if (n > 0)
        std::memcpy(static_cast<void*>(records.data()), bytes.constData(), size_t(n) * sizeof(R));
    return records;
}

// The same, or nothing when the file does not exist.
template <class R>
std::vector<R> ReadAllRecordsIfExists(const QString& path)
{
    if (!QFileInfo::exists(path))
        return {};
    return ReadAllRecords<R>(path);
}

// Find and replace: the first record for which matches(record) holds is changed by
// change(record) and written back in place. Returns false (and writes nothing) when none matches.
template <class R, class Match, class Change>
bool FindAndReplace(const QString& path, Match&& matches, Change&& change)
{
    RecordFile<R> file(path);
    R buffer = EmptyRecord<R>();
    qint64 k = 0;
    while (!file.AtEndOfRecords()) {
        ++k;
        file.ReadNextRecord(buffer);
        if (matches(static_cast<const R&>(buffer))) {
            change(buffer);
            file.SeekRecord(k - 1);
            file.WriteRecordAt(buffer);
            return true;
        }
    }
    return false;
}

// Update or append (a running total per key): the first matching record is changed by
// change(record); when none matches, fill(record) makes a new one that is appended. The record
// buffer starts from the last record read, as a reused buffer would. Returns true when a record
// was updated, false when one was appended. The file is created when missing.
template <class R, class Match, class Change, class Fill>
bool UpdateOrAppend(const QString& path, Match&& matches, Change&& change, Fill&& fill)
{
    RecordFileBase::EnsureRecordFile(path);
    RecordFile<R> file(path);
    R buffer = EmptyRecord<R>();
    qint64 k = 0;
    bool found = false;
    while (!file.AtEndOfRecords() && !found) {
        ++k;
        file.ReadNextRecord(buffer);
        if (matches(static_cast<const R&>(buffer))) {
            change(buffer);
            --k;
            found = true;
        }
    }
    if (!found)
        fill(buffer);
    file.SeekRecord(k);
    file.WriteRecordAt(buffer);
    return found;
}

// Append: the record goes to the end of the file, which is created when missing.
template <class R>
void AppendOne(const QString& path, const R& record)
{
    RecordFileBase::EnsureRecordFile(path);
    RecordFile<R> file(path);
    file.AppendRecord(record);
    file.CloseRecordFile();
}

// Nested scan on the handle of an outer scan: notes the position, reads the whole file again
// through the same handle, then returns to the noted place.
template <class R, class F>
void NestedScan(RecordFile<R>& file, F&& onRecord)
{
    const qint64 noted = file.RecordPosition();
    const QString path = file.Path();
    file.OpenRecordFile(path);
    R buffer = EmptyRecord<R>();
    while (!file.AtEndOfRecords()) {
        file.ReadNextRecord(buffer);
        onRecord(static_cast<const R&>(buffer));
    }
    file.SeekRecord(noted);
}

// Replaces the whole file by the given records, atomically (temporary file and rename). Bytes of a
// damaged tail after the last whole record of the old file are kept after the new records.
template <class R>
void WriteAllRecords(const QString& path, const std::vector<R>& records, const QByteArray& tail = QByteArray())
{
    QByteArray bytes;
    bytes.resize(qsizetype(records.size() * sizeof(R)));
    if (!records.empty())
        std::memcpy(bytes.data(), static_cast<const void*>(records.data()), records.size() * sizeof(R));
    bytes.append(tail);
    ReplaceFileContents(path, bytes);
}

// Removes every record for which remove(record) holds, keeping the file a dense sequence of
// records, atomically. Returns how many were removed (the file is untouched when none).
template <class R, class Pred>
qint64 RemoveRecordsIf(const QString& path, Pred&& remove)
{
    const QByteArray bytes = ReadFileContents(path);
    const qsizetype n = bytes.size() / qsizetype(sizeof(R));
    QByteArray kept;
    kept.reserve(bytes.size());
    qint64 removed = 0;
    for (qsizetype i = 0; i < n; ++i) {
        R r;
        std::memcpy(static_cast<void*>(&r), bytes.constData() + i * qsizetype(sizeof(R)), sizeof(R));
        if (remove(static_cast<const R&>(r)))
            ++removed;
        else
            kept.append(bytes.constData() + i * qsizetype(sizeof(R)), qsizetype(sizeof(R)));
    }
    if (removed == 0)
        return 0;
    kept.append(bytes.constData() + n * qsizetype(sizeof(R)), bytes.size() - n * qsizetype(sizeof(R)));
    ReplaceFileContents(path, kept);
    return removed;
}

// Removes record number index (from 0), keeping the file dense, atomically.
template <class R>
void RemoveRecordAt(const QString& path, qint64 index)
{
    const QByteArray bytes = ReadFileContents(path);
    const qint64 n = bytes.size() / qint64(sizeof(R));
    if (index < 0 || index >= n)
        throw StoreError(QStringLiteral("No record %1 in \"%2\" (%3 records)").arg(index + 1).arg(path).arg(n));
    QByteArray kept = bytes;
    kept.remove(qsizetype(index * qint64(sizeof(R))), qsizetype(sizeof(R)));
    ReplaceFileContents(path, kept);
}
