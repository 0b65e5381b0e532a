#include "shell/MessageBox.h"

#include "i18n/Language.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <deque>

namespace {

struct State {
    bool scripted = false;
    std::deque<MessageBox::Answer> answers;
    QList<MessageBox::Shown> shown;
};

State& state()
{
    static State s;
    return s;
}

MessageBox::Answer acceptingAnswer(MessageBox::Buttons b)
{
    switch (b) {
    case MessageBox::YesCancel:
    case MessageBox::YesNo:
        return MessageBox::Yes;
    default:
        return MessageBox::Ok;
    }
}

bool answerFits(MessageBox::Answer a, MessageBox::Buttons b)
{
    switch (b) {
    case MessageBox::OkOnly: return a == MessageBox::Ok;
    case MessageBox::OkCancel: return a == MessageBox::Ok || a == MessageBox::Cancel;
    case MessageBox::YesCancel: return a == MessageBox::Yes || a == MessageBox::Cancel;
    case MessageBox::OkNo: return a == MessageBox::Ok || a == MessageBox::No;
    case MessageBox::YesNo: return a == MessageBox::Yes || a == MessageBox::No;
    }
    return false;
}

MessageBox::Answer showReal(const QString& text, MessageBox::Buttons buttons, MessageBox::Kind kind)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QApplication::applicationName().isEmpty() ? QStringLiteral("Quorvale")
                                                                 : QApplication::applicationName());
    // The texts break their lines with carriage returns, which a label would not show as breaks.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(shown);
    switch (kind) {
    case MessageBox::Information: box.setIcon(QMessageBox::Information); break;
    case MessageBox::Warning: box.setIcon(QMessageBox::Warning); break;
    case MessageBox::Error: box.setIcon(QMessageBox::Critical); break;
    case MessageBox::Question: box.setIcon(QMessageBox::Question); break;
    }
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    switch (buttons) {
    case MessageBox::OkOnly: ok = box.addButton(QMessageBox::Ok); break;
    case MessageBox::OkCancel: ok = box.addButton(QMessageBox::Ok); cancel = box.addButton(QMessageBox::Cancel); break;
    case MessageBox::YesCancel: yes = box.addButton(QMessageBox::Yes); cancel = box.addButton(QMessageBox::Cancel); break;
    case MessageBox::OkNo: ok = box.addButton(QMessageBox::Ok); no = box.addButton(QMessageBox::No); break;
    case MessageBox::YesNo: yes = box.addButton(QMessageBox::Yes); no = box.addButton(QMessageBox::No); break;
    }
    // The buttons speak the program's language, not the system's.
    const std::pair<QPushButton*, QString> captions[] = {
        {ok, LangText(QStringLiteral("button_msgok"), QStringLiteral("OK"))},
        {cancel, LangText(QStringLiteral("button_msgcancel"), QStringLiteral("Cancel"))},
        {yes, LangText(QStringLiteral("button_msgyes"), QStringLiteral("Yes"))},
        {no, LangText(QStringLiteral("button_msgno"), QStringLiteral("No"))},
    };
    for (const auto& [button, caption] : captions)
        if (button)
            button->setText(caption);
    box.setDefaultButton(ok ? ok : yes);
    if (cancel)
        box.setEscapeButton(cancel);
    else if (no)
        box.setEscapeButton(no);
    box.move(MessageBox::Left, MessageBox::Top);
    // The hourglass must not hide the pointer while the user reads the box.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (busy)
        QApplication::restoreOverrideCursor();
    QAbstractButton* clicked = box.clickedButton();
    if (clicked == ok)
        return MessageBox::Ok;
    if (clicked == yes)
        return MessageBox::Yes;
    if (clicked == no)
        return MessageBox::No;
    if (clicked == cancel || clicked == nullptr)
        return cancel ? MessageBox::Cancel : (no ? MessageBox::No : MessageBox::Ok);
    return MessageBox::Cancel;
}

} // namespace

MessageBox::Answer MessageBox::ask(const QString& text, Buttons buttons, Kind kind)
{
    State& s = state();
    Answer answer;
    if (s.scripted) {
        answer = acceptingAnswer(buttons);
        if (!s.answers.empty()) {
            answer = s.answers.front();
            s.answers.pop_front();
            if (!answerFits(answer, buttons))
                qWarning("MessageBox: scripted answer does not fit the buttons of \"%s\"", qPrintable(text));
        }
    } else {
        answer = showReal(text, buttons, kind);
    }
    s.shown.append({kind, buttons, text, answer});
    return answer;
}

void MessageBox::information(const QString& text) { ask(text, OkOnly, Information); }
void MessageBox::warning(const QString& text) { ask(text, OkOnly, Warning); }
void MessageBox::error(const QString& text) { ask(text, OkOnly, Error); }
bool MessageBox::confirm(const QString& text) { return ask(text, OkCancel, Question) == Ok; }

void MessageBox::setTestMode(bool scripted) { state().scripted = scripted; }
bool MessageBox::testMode() { return state().scripted; }
void MessageBox::setNextAnswer(Answer answer) { state().answers.push_back(answer); }
void MessageBox::clearAnswers() { state().answers.clear(); }
const QList<MessageBox::Shown>& MessageBox::shown() { return state().shown; }

QStringList MessageBox::shownTexts()
{
    QStringList texts;
    for (const auto& s : state().shown)
        texts << s.text;
    return texts;
}

QString MessageBox::lastText() { return state().shown.isEmpty() ? QString() : state().shown.back().text; }
void MessageBox::clearShown() { state().shown.clear(); }

Hourglass::Hourglass() { QApplication::setOverrideCursor(Qt::WaitCursor); }
Hourglass::~Hourglass() { QApplication::restoreOverrideCursor(); }
