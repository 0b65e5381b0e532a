#include "shell/InputChecks.h"

#include "i18n/Language.h"
#include "shell/MessageBox.h"
#include "store/DateText.h"
#include "store/DecimalText.h"
#include "store/RegionalSettings.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>

bool CheckNumberEdit(QLineEdit* box)
{
    const QString text = box->text();
    if (text.isEmpty()) {
        box->setText(QStringLiteral("0"));
        return true;
    }
    const auto value = DecimalText::parse(text);
    if (!value) {
        MessageBox::information("'" + text + "'" + LangMsg[4]);
        box->setFocus();
        return false;
    }
    if (*value < 0) {
        MessageBox::information("'" + text + "'" + LangMsg[5]);
        box->setFocus();
        return false;
    }
    return true;
}

namespace {

// Day, month and year as the local pattern orders them, each only digits, the year of four.
bool writtenAsLocalDate(const QString& text)
{
    const RegionalSettings& rs = RegionalSettings::current();
    const QStringList parts = text.split(rs.dateSeparator);
    if (parts.size() != 3)
        return false;
    const qsizetype y = rs.shortDatePattern.indexOf('y');
    const qsizetype d = rs.shortDatePattern.indexOf('d');
    const qsizetype m = rs.shortDatePattern.indexOf('M');
    const int yearPart = (y < d && y < m) ? 0 : 2;
    for (int i = 0; i < 3; ++i) {
        const QString& p = parts[i];
        const qsizetype digits = p.size();
        if (i == yearPart ? digits != 4 : (digits < 1 || digits > 2))
            return false;
        for (const QChar c : p)
            if (c.unicode() < '0' || c.unicode() > '9')
                return false;
    }
    return true;
}

} // namespace

bool CheckDateEdit(QLineEdit* box)
{
    const QString text = box->text();
    if (writtenAsLocalDate(text) && DateText::parse(text))
        return true;
    MessageBox::information("'" + text + "'  " + LangMsg[11]);
    box->setFocus();
    return false;
}

bool HasIllegalCharacters(const QString& text)
{
    static const QString illegal = QStringLiteral("*/:;\\|");
    bool found = false;
    for (const QChar c : text)
        if (illegal.contains(c)) {
            MessageBox::information(LangMsg[50]);
            found = true;
        }
    return found;
}

InputKeyFilter::InputKeyFilter(QWidget* box, Kind kind) : QObject(box), m_kind(kind) {}

InputKeyFilter* InputKeyFilter::install(QWidget* box, Kind kind)
{
    auto* filter = new InputKeyFilter(box, kind);
    box->installEventFilter(filter);
    // An editable list types into its own line edit.
    if (auto* edit = box->findChild<QLineEdit*>())
        edit->installEventFilter(filter);
    return filter;
}

bool InputKeyFilter::accepts(Kind kind, QChar c)
{
    if (c == QChar(8) || c == QChar(12) || c == '.' || (c >= '0' && c <= '9'))
        return true;
    const RegionalSettings& rs = RegionalSettings::current();
    return c == (kind == Quantity ? rs.decimalSeparator : rs.dateSeparator);
}

bool InputKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    // Keys without a printable character (editing keys, shortcuts) are not the filter's business.
    if (text.isEmpty() || key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false;
    for (const QChar c : text)
        if (c.isPrint() && !accepts(m_kind, c))
            return true; // dropped
    return false;
}

void StepDateEdit(QLineEdit* box, int days)
{
    const QDate date = DateText::StrToDate(box->text());
    box->setText(DateText::DateToStr(date.addDays(days)));
}

void StepDateWithBar(QScrollBar* bar, QLineEdit* box)
{
    const int position = bar->value();
    if (position == 0)
        return;
    {
        const QSignalBlocker block(bar);
        bar->setValue(0);
    }
    // The up arrow (-1) steps one day later.
    if (DateText::parse(box->text()))
        StepDateEdit(box, -position);
    else
        CheckDateEdit(box);
}

bool CheckQuantityEdit(QLineEdit* box, int width, double& value)
{
    if (!CheckNumberEdit(box))
        return false;
    const QString typed = box->text();
    const auto number = DecimalText::parse(typed);
    const QString normalised = number ? DecimalText::FloatToStr(*number) : QString();
    if (!number || normalised.size() > width) {
        MessageBox::information(QLatin1Char('\'') + typed + QLatin1Char('\'') + LangMsg[3]);
        box->setFocus();
        return false;
    }
    box->setText(normalised);
    value = *number;
    return true;
}
