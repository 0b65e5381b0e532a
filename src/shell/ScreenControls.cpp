#include "shell/ScreenControls.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "shell/GridRoutines.h"
#include "shell/ListFillers.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSet>
#include <QSignalBlocker>

namespace {

constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 25;
constexpr int kInputHeight = 22;

} // namespace

QLabel* NewLabel(QWidget* parent, const char* name, const QString& caption)
{
    auto* label = Named(new QLabel(caption, parent), name);
    label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    return label;
}

QLineEdit* NewEdit(QWidget* parent, const char* name, int maxLength)
{
    auto* edit = Named(new QLineEdit(parent), name);
    edit->setMaxLength(maxLength);
    edit->setFixedHeight(kInputHeight);
    return edit;
}

QComboBox* NewEditableList(QWidget* parent, const char* name, int maxLength, bool sorted)
{
    auto* list = Named(new QComboBox(parent), name);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setCompleter(nullptr); // typed text is never completed to another item
    list->lineEdit()->setMaxLength(maxLength);
    list->setFixedHeight(kInputHeight);
    list->setMaxVisibleItems(16);
    if (sorted)
        SetListSorted(list);
    return list;
}

QComboBox* NewPickList(QWidget* parent, const char* name)
{
    auto* list = Named(new QComboBox(parent), name);
    list->setFixedHeight(kInputHeight);
    list->setMaxVisibleItems(16);
    return list;
}

TRe2Buttn* NewButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = Named(new TRe2Buttn(caption, parent), name);
    button->setFixedSize(kButtonWidth, kButtonHeight);
    return button;
}

QScrollBar* NewUpDownBar(QWidget* parent, const char* name, int minimum)
{
    auto* bar = Named(new QScrollBar(Qt::Vertical, parent), name);
    bar->setRange(minimum, 0);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    bar->setFixedSize(16, kInputHeight);
    return bar;
}

QLabel* NewRowLabel(QWidget* parent, const char* name)
{
    auto* label = Named(new QLabel(QStringLiteral("0"), parent), name);
    label->hide();
    return label;
}

QWidget* NewDateInput(QWidget* parent, QWidget* box, QScrollBar* bar)
{
    auto* input = new QWidget(parent);
    auto* row = new QHBoxLayout(input);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    row->addWidget(box, 1);
    row->addWidget(bar);
    return input;
}

EditorLayout BuildEditorLayout(QWidget* screen, StringGrid* grid)
{
    auto* outer = new QVBoxLayout(screen);
    outer->setContentsMargins(8, 6, 8, 8);
    outer->setSpacing(8);
    auto* top = new QHBoxLayout;
    top->setSpacing(12);
    auto* inputs = new QGridLayout;
    inputs->setHorizontalSpacing(8);
    inputs->setVerticalSpacing(1);
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(5);
    top->addLayout(inputs, 1);
    top->addLayout(buttons);
    outer->addLayout(top);
    outer->addWidget(grid, 1);
    return {inputs, buttons};
}

void PlaceInput(QGridLayout* inputs, int row, int col, QWidget* label, QWidget* input, int colSpan)
{
    inputs->addWidget(label, 2 * row, col, 1, colSpan);
    inputs->addWidget(input, 2 * row + 1, col, 1, colSpan);
    if (row > 0)
        inputs->setRowMinimumHeight(2 * row, 20); // a little air above each further line of labels
}

void SetInputText(QWidget* input, const QString& text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(input)) {
        edit->setText(text);
    } else if (auto* list = qobject_cast<QComboBox*>(input)) {
        if (list->isEditable()) {
            const int i = FindExact(list, text);
            list->setCurrentIndex(i);
            list->setEditText(text);
        } else {
            list->setCurrentIndex(FindExact(list, text));
        }
    }
}

void ClearListText(QComboBox* list)
{
    list->setCurrentIndex(-1);
    if (list->isEditable())
        list->clearEditText();
}

int FindExact(const QComboBox* list, const QString& text)
{
    return list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void RefillList(QComboBox* list, const std::function<void(QComboBox*)>& fill)
{
    const QString text = list->currentText();
    const QSignalBlocker block(list);
    list->clear();
    fill(list);
    SetInputText(list, text);
}

void AddUniqueItems(QComboBox* list, const QStringList& texts)
{
    QSet<QString> held;
    for (int i = 0; i < list->count(); ++i)
        held.insert(list->itemText(i).toCaseFolded());
    QStringList added;
    for (const QString& text : texts) {
        const QString key = text.toCaseFolded();
        if (held.contains(key))
            continue;
        held.insert(key);
        added << text;
    }
    if (added.isEmpty())
        return;
    if (IsListSorted(list)) {
        for (int i = 0; i < list->count(); ++i)
            added << list->itemText(i);
        std::stable_sort(added.begin(), added.end(), [](const QString& a, const QString& b) { return CompareText(a, b) < 0; });
        const QString text = list->currentText();
        const QSignalBlocker block(list);
        list->clear();
        list->addItems(added);
        SetInputText(list, text);
    } else {
        list->addItems(added);
    }
}

QString MissingInputText(const QStringList& captions)
{
    return LangMsg[1] + QStringLiteral(" :") + QStringLiteral("\r\r") + captions.join(QLatin1Char('\r'));
}
