#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

// Every message and question of the program goes through here. A real box is shown at the screen
// position 280, 170 with the application's title. Tests switch to scripted mode: nothing is shown,
// every text is recorded, and the answers come from setNextAnswer (the accepting button when none
// is scripted).
class MessageBox {
public:
    enum Kind { Information, Warning, Error, Question };
    enum Buttons { OkOnly, OkCancel, YesCancel, OkNo, YesNo };
    enum Answer { Ok, Cancel, Yes, No };

    static void information(const QString& text);
    static void warning(const QString& text);
    static void error(const QString& text);
    // OK and Cancel; true for OK.
    static bool confirm(const QString& text);
    static Answer ask(const QString& text, Buttons buttons, Kind kind = Question);

    // Test hooks.
    struct Shown {
        Kind kind;
        Buttons buttons;
        QString text;
        Answer answer;
    };
    static void setTestMode(bool scripted);
    static bool testMode();
    static void setNextAnswer(Answer answer); // queued, first in first out
    static void clearAnswers();
    static const QList<Shown>& shown();
    static QStringList shownTexts();
    static QString lastText();
    static void clearShown();

    static constexpr int Left = 280;
    static constexpr int Top = 170;
};

// The hourglass cursor for the lifetime of the object.
class Hourglass {
public:
    Hourglass();
    ~Hourglass();
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;
};
