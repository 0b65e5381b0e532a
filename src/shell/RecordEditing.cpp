#include "shell/RecordEditing.h"

#include "i18n/Language.h"
#include "shell/MessageBox.h"

#include <QAbstractButton>
#include <QLabel>

bool IsEditMode(const QAbstractButton* modeButton) { return modeButton->text() == ModeEdit; }

void SetEditMode(QAbstractButton* modeButton, bool edit) { modeButton->setText(edit ? ModeEdit : ModeAdd); }

// --- SelectedRow -------------------------------------------------------------------------------------

SelectedRow::SelectedRow(QLabel* label, StringGrid* grid, int recordColumn, QObject* parent)
    : QObject(parent), m_label(label), m_grid(grid), m_recordColumn(recordColumn)
{
    connect(grid, &StringGrid::sorted, this, &SelectedRow::Relocate);
}

int SelectedRow::Row() const { return m_label ? m_label->text().toInt() : 0; }

void SelectedRow::Select(int row)
{
    m_label->setText(QString::number(row));
    m_record = (row >= 1 && row < m_grid->RowCount()) ? m_grid->Cells(m_recordColumn, row).toLongLong() : 0;
}

void SelectedRow::Loaded(qint64 count)
{
    if (m_record > 0)
        Relocate();
    else
        m_label->setText(QString::number(count));
}

void SelectedRow::Forget() { m_record = 0; }

qint64 SelectedRow::RecordIndex() const
{
    const int row = Row();
    if (row < 1 || row >= m_grid->RowCount())
        return -1;
    bool ok = false;
    const qint64 number = m_grid->Cells(m_recordColumn, row).toLongLong(&ok);
    return ok && number >= 1 ? number - 1 : -1;
}

bool SelectedRow::IsCurrentRow() const { return Row() == m_grid->Row(); }

void SelectedRow::Relocate()
{
    if (m_record <= 0)
        return;
    const QString wanted = QString::number(m_record);
    for (int row = 1; row < m_grid->RowCount(); ++row)
        if (m_grid->Cells(m_recordColumn, row) == wanted) {
            m_label->setText(QString::number(row));
            return;
        }
    // The record is gone: nothing is selected any more.
    m_record = 0;
    m_label->setText(QStringLiteral("0"));
}

bool ConfirmDeletable(const SelectedRow& selected)
{
    if (selected.IsCurrentRow() && selected.RecordIndex() >= 0)
        return true;
    MessageBox::information(LangMsg[22]);
    return false;
}
