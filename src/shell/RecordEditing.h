#pragma once

// Editing the records of a file through a grid, as every editing screen does: the Add/Edit button
// that holds the mode, the hidden label of the selected row (which names the record to edit or
// delete), loading a file into a grid, storing and removing a record (files stay dense sequences of
// whole records).

#include "shell/StringGrid.h"
#include "store/AccessPatterns.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QAbstractButton;
class QLabel;
class QWidget;
class TRe2Buttn;

// --- Mode --------------------------------------------------------------------------------------

// The Add/Edit button of an editing screen. The mode is a flag of the button (its caption is only
// what the user reads, from the language file: "Add" or "Edit" by default), so a translated
// caption never changes the mode.
TRe2Buttn* NewModeButton(QWidget* parent, const char* name);
bool IsEditMode(const QAbstractButton* modeButton);
void SetEditMode(QAbstractButton* modeButton, bool edit);
// Every mode button under root takes the caption of its mode again, in the language in use.
void ApplyModeCaptions(QWidget* root);

// --- Selected row ------------------------------------------------------------------------------

// The hidden label that holds the number of the grid row last selected. After a load it holds the
// record count, as a counter. The grid's record column holds record number + 1 of every row, so the
// label also names a record: Edit replaces it and Delete removes it. The label remembers that record
// while a selection is held, and follows it when the rows are sorted or reloaded, so an edit never
// lands on another record than the one the user picked.
//
// Given the screen's mode button, the row of the record taken for editing is drawn with a pale
// background (StringGrid::setMarkedRow) for as long as the button is in Edit mode and the record is
// in the grid; it follows the record when the rows are sorted or reloaded.
class SelectedRow : public QObject {
    Q_OBJECT
public:
    SelectedRow(QLabel* label, StringGrid* grid, int recordColumn, QObject* parent = nullptr);
    SelectedRow(QLabel* label, StringGrid* grid, int recordColumn, QAbstractButton* modeButton, QObject* parent);

    int Row() const;
    // The label := row; the row's record is remembered.
    void Select(int row);
    // After the grid was (re)loaded with `count` records: the label follows the remembered record,
    // or holds the count when none is remembered.
    void Loaded(qint64 count);
    // The remembered record is let go (the mode went back to Add, the record was removed).
    void Forget();
    bool HoldsRecord() const { return m_record > 0; }

    // Record number (from 0) of the row in the label; -1 when that row shows no record.
    qint64 RecordIndex() const;
    // The label names the grid's current row.
    bool IsCurrentRow() const;
    // After the rows were reordered: the label moves to the row of the remembered record.
    void Relocate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Draws the edited row, or takes the mark away.
    void UpdateMark();

    QPointer<QLabel> m_label;
    QPointer<StringGrid> m_grid;
    QPointer<QAbstractButton> m_modeButton;
    int m_recordColumn;
    qint64 m_record = 0; // record number + 1 of the selection, 0 for none
};

// --- Files -------------------------------------------------------------------------------------

// Load all into a grid: every record of the file (created empty first when mayCreate) becomes data
// row k = 1, 2, ... with the texts rowTexts(record, k) gives; the grid gets k + 1 rows and at least
// 2 (a title row and one empty row when the file is empty). Returns the record count.
template <class R, class RowTexts>
qint64 LoadGrid(StringGrid* grid, const QString& path, bool mayCreate, RowTexts&& rowTexts)
{
    if (mayCreate)
        RecordFileBase::EnsureRecordFile(path);
    const std::vector<R> records = ReadAllRecords<R>(path);
    const qint64 n = qint64(records.size());
    GridUpdate update(grid);
    auto& rows = grid->rows();
    rows.resize(size_t(std::max<qint64>(n, 1)) + 1);
    rows[1].clear();
    for (qint64 k = 1; k <= n; ++k) {
        const QStringList texts = rowTexts(records[size_t(k - 1)], k);
        rows[size_t(k)].assign(texts.begin(), texts.end());
    }
    return n;
}

// Stores a record: with index -1 a new record filled by fill(record) from an empty one is appended;
// otherwise record `index` is read, changed by fill(record) and written back in place (its bytes
// after each new text stay as they were, as for every rewritten record).
template <class R, class Fill>
void StoreRecord(const QString& path, qint64 index, Fill&& fill)
{
    if (index < 0) {
        R record = EmptyRecord<R>();
        fill(record);
        AppendOne<R>(path, record);
        return;
    }
    RecordFile<R> file(path);
    file.SeekRecord(index);
    R record = file.ReadNextRecord();
    fill(record);
    file.SeekRecord(index);
    file.WriteRecordAt(record);
    file.CloseRecordFile();
}

// Delete: when the selected row is the grid's current row and shows a record, that record is
// removed (the file stays dense) and true is returned; otherwise LangMsg[22] and false.
bool ConfirmDeletable(const SelectedRow& selected);
template <class R>
bool DeleteSelectedRecord(const QString& path, SelectedRow& selected)
{
    if (!ConfirmDeletable(selected))
        return false;
    RemoveRecordAt<R>(path, selected.RecordIndex());
    selected.Forget();
    return true;
}

// A field shown in a grid: a single blank for an empty text.
inline QString BlankWhenEmpty(const QString& text) { return text.isEmpty() ? QStringLiteral(" ") : text; }
