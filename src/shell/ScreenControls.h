#pragma once

// Building the controls of a screen and working with its inputs: labelled inputs with their limits,
// the flat buttons, the up/down bar of a count box, the hidden label of the selected row, and the
// editor layout (inputs with their labels on top, the buttons beside them, the grid below).

#include <QString>
#include <QStringList>
#include <functional>

class QBoxLayout;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QScrollBar;
class QWidget;
class StringGrid;
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
// A button made with one of the shared captions (Caption::Close(), ...) follows the language (see
// TRe2Buttn).
TRe2Buttn* NewButton(QWidget* parent, const char* name, const QString& caption);
// The small up/down bar beside a count box; its range runs from minimum to 0 (the count is minus
// the position, so the up arrow counts up).
QScrollBar* NewUpDownBar(QWidget* parent, const char* name, int minimum);
// A hidden label holding a number (the selected row).
QLabel* NewRowLabel(QWidget* parent, const char* name);

// A box (a date box, a list of shifts) with its up/down bar at its right, as one input of the
// editor layout.
QWidget* NewDateInput(QWidget* parent, QWidget* box, QScrollBar* bar);

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
