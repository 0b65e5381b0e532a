#pragma once

// What the master-data editors share: the Add/Edit button that holds the mode, the hidden label of
// the selected row, the missing-input message, loading a file into a grid, storing and removing a
// record (files stay dense sequences of whole records), and the layout of an editor: inputs with
// their labels on top, the buttons beside them, the grid below.

#include "shell/StringGrid.h"
#include "store/AccessPatterns.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

class QAbstractButton;
class QBoxLayout;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QScrollBar;
class QWidget;
class TRe2Buttn;

// --- Creating controls -------------------------------------------------------------------------

// Gives the control its objectName and returns it.
template <class W>
W* Named(W* control, const char* name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

QLabel* NewLabel(QWidget* parent, const char* name, const QString& caption);
QLineEdit* NewEdit(QWidget* parent, const char* name, int maxLength);
// An editable drop-down list whose typed text is limited to maxLength; sorted lists keep their
// items in the locale's case-insensitive order.
QComboBox* NewEditableList(QWidget* parent, const char* name, int maxLength, bool sorted);
QComboBox* NewPickList(QWidget* parent, const char* name);
TRe2Buttn* NewButton(QWidget* parent, const char* name, const QString& caption);
// The small up/down bar beside a count box; its range runs from minimum to 0 (the count is minus
// the position, so the up arrow counts up).
QScrollBar* NewUpDownBar(QWidget* parent, const char* name, int minimum);
// A hidden label holding a number (the selected row).
QLabel* NewRowLabel(QWidget* parent, const char* name);

// The editor layout: an input area (a grid of labels over their inputs) with the buttons in a
// column at its right, and the main grid below, filling the rest.
struct EditorLayout {
    QGridLayout* inputs;
    QBoxLayout* buttons;
};
EditorLayout BuildEditorLayout(QWidget* screen, StringGrid* grid);
// The label (or check box) at (row, col) of the input area and its input just below it.
void PlaceInput(QGridLayout* inputs, int row, int col, QWidget* label, QWidget* input, int colSpan = 1);

// --- Inputs ------------------------------------------------------------------------------------

// Puts the text into a line edit, or into a list (selecting the item equal to it, if any).
void SetInputText(QWidget* input, const QString& text);
// Empties a list's typed text and its selection.
void ClearListText(QComboBox* list);
// The item of the list equal to the text (exactly), or -1.
int FindExact(const QComboBox* list, const QString& text);

// Empties the list and fills it again by fill(list), keeping the text typed or chosen in it (lists
// are filled again after every store, so that new names appear and removed ones go).
void RefillList(QComboBox* list, const std::function<void(QComboBox*)>& fill);
// Adds every text that the list does not hold yet (ignoring letter case), in one pass: a sorted
// list is sorted once, not item by item.
void AddUniqueItems(QComboBox* list, const QStringList& texts);

// LangMsg[1] + " :" + two carriage returns + the captions of the missing inputs, one a line.
QString MissingInputText(const QStringList& captions);

// --- Mode --------------------------------------------------------------------------------------

// The Add/Edit button holds the mode in its caption.
inline const QString ModeAdd = QStringLiteral("Add");
inline const QString ModeEdit = QStringLiteral("Edit");
bool IsEditMode(const QAbstractButton* modeButton);
void SetEditMode(QAbstractButton* modeButton, bool edit);

// --- Selected row ------------------------------------------------------------------------------

// The hidden label that holds the number of the grid row last selected. After a load it holds the
// record count, as a counter. The grid's record column holds record number + 1 of every row, so the
// label also names a record: Edit replaces it and Delete removes it. The label remembers that record
// while a selection is held, and follows it when the rows are sorted or reloaded, so an edit never
// lands on another record than the one the user picked.
class SelectedRow : public QObject {
    Q_OBJECT
public:
    SelectedRow(QLabel* label, StringGrid* grid, int recordColumn, QObject* parent = nullptr);

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

private:
    QPointer<QLabel> m_label;
    QPointer<StringGrid> m_grid;
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
