#include "shell/RecordEditing.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "shell/MessageBox.h"
#include "shell/ScreenControls.h"

#include <QAbstractButton>
#include <QDynamicPropertyChangeEvent>
#include <QEvent>
#include <QLabel>

namespace {

// The button's dynamic property that holds the mode.
constexpr char kEditMode[] = "editMode";

} // namespace

TRe2Buttn* NewModeButton(QWidget* parent, const char* name)
{
    TRe2Buttn* button = NewButton(parent, name, Caption::Add());
    button->setSharedCaptionKey(QString()); // its caption follows the mode
    SetEditMode(button, false);
    return button;
}

bool IsEditMode(const QAbstractButton* modeButton) { return modeButton->property(kEditMode).toBool(); }

void SetEditMode(QAbstractButton* modeButton, bool edit)
{
    modeButton->setText(edit ? Caption::Edit() : Caption::Add());
    modeButton->setProperty(kEditMode, edit);
}

void ApplyModeCaptions(QWidget* root)
{
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>())
        if (button->property(kEditMode).isValid())
            SetEditMode(button, IsEditMode(button));
}

// --- SelectedRow -------------------------------------------------------------------------------------

SelectedRow::SelectedRow(QLabel* label, StringGrid* grid, int recordColumn, QObject* parent)
    : SelectedRow(label, grid, recordColumn, nullptr, parent)
{
}

SelectedRow::SelectedRow(QLabel* label, StringGrid* grid, int recordColumn, QAbstractButton* modeButton, QObject* parent)
    : QObject(parent), m_label(label), m_grid(grid), m_modeButton(modeButton), m_recordColumn(recordColumn)
{
    connect(grid, &StringGrid::sorted, this, &SelectedRow::Relocate);
    // The mode is a property of the button: its change arrives as an event.
    if (modeButton)
        modeButton->installEventFilter(this);
}

bool SelectedRow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_modeButton && event->type() == QEvent::DynamicPropertyChange
        && static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName() == kEditMode)
        UpdateMark();
    return QObject::eventFilter(watched, event);
}

void SelectedRow::UpdateMark()
{
    if (!m_grid)
        return;
    const bool editing = m_modeButton && IsEditMode(m_modeButton) && m_record > 0;
    m_grid->setMarkedRow(editing ? Row() : 0);
}

int SelectedRow::Row() const { return m_label ? m_label->text().toInt() : 0; }

void SelectedRow::Select(int row)
{
    m_label->setText(QString::number(row));
    m_record = (row >= 1 && row < m_grid->RowCount()) ? m_grid->Cells(m_recordColumn, row).toLongLong() : 0;
    UpdateMark();
}

void SelectedRow::Loaded(qint64 count)
{
    if (m_record > 0)
        Relocate();
    else
        m_label->setText(QString::number(count));
    UpdateMark();
}

void SelectedRow::Forget()
{
    m_record = 0;
    UpdateMark();
}

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
            UpdateMark();
            return;
        }
    // The record is gone: nothing is selected any more.
    m_record = 0;
    m_label->setText(QStringLiteral("0"));
    UpdateMark();
}

bool ConfirmDeletable(const SelectedRow& selected)
{
    if (selected.IsCurrentRow() && selected.RecordIndex() >= 0)
        return true;
    MessageBox::information(LangMsg[22]);
    return false;
}
