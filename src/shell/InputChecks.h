#pragma once

#include <QObject>
#include <QString>

class QLineEdit;
class QScrollBar;
class QWidget;

// Checks of what the user typed. Each shows its own message (through MessageBox) and leaves the
// decision to the caller.

// True when the box holds a valid non-negative number in the local format; an empty box becomes
// "0" and is valid. Otherwise the message "'text'" + LangMsg[4] (not a number) or LangMsg[5]
// (negative), the box gets the focus, false.
bool CheckNumberEdit(QLineEdit* box);

// True when the box holds a date as the local short date format writes it: day, month and a
// four-digit year in the local order, separated by the local date separator. Otherwise the message
// "'text'  " + LangMsg[11], the box gets the focus, false. The box is not changed.
bool CheckDateEdit(QLineEdit* box);

// True when the text holds one of * / : ; \ | (characters that file names and reports cannot
// take); LangMsg[50] is shown once for every such character.
bool HasIllegalCharacters(const QString& text);

// The keys a quantity or date box accepts: digits, ".", the local decimal separator (quantity) or
// the local date separator (date), backspace and character 12. Every other character typed is
// dropped; editing and shortcut keys (arrows, Delete, Ctrl+C ...) pass.
class InputKeyFilter : public QObject {
    Q_OBJECT
public:
    enum Kind { Quantity, Date };

    InputKeyFilter(QWidget* box, Kind kind);
    // Installs the filter on a line edit (or a widget holding one, such as an editable list).
    static InputKeyFilter* install(QWidget* box, Kind kind);
    static bool accepts(Kind kind, QChar c);

    Kind kind() const { return m_kind; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Kind m_kind;
};

inline InputKeyFilter* SetQuantityKeys(QWidget* box) { return InputKeyFilter::install(box, InputKeyFilter::Quantity); }
inline InputKeyFilter* SetDateKeys(QWidget* box) { return InputKeyFilter::install(box, InputKeyFilter::Date); }

// Steps the date in the box by the given number of days (the small scroll bar beside a date box);
// a text that is no date raises ConversionError.
void StepDateEdit(QLineEdit* box, int days);

// The small up/down bar beside a date box was moved: the date steps one day (the up arrow a day
// later) and the bar goes back to its middle; a box that holds no date shows CheckDateEdit's message.
void StepDateWithBar(QScrollBar* bar, QLineEdit* box);

// CheckNumberEdit, then the quantity as it is stored: its shortest text, which the box then holds.
// A quantity whose shortest text is longer than `width` (its field) is refused with "'text'" +
// LangMsg[3]. value := the number.
bool CheckQuantityEdit(QLineEdit* box, int width, double& value);
