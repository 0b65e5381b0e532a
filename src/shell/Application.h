#pragma once

#include <QApplication>

// The application object. Its event dispatch catches what a user action throws (a file-system
// failure, a text that is not a number) and shows the error text in an error box; the program goes
// on running.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Runs fn and shows any error it throws in an error box; returns false when it threw.
template <class F>
bool RunGuarded(F&& fn);

void ShowErrorOf(const std::exception& e);

template <class F>
bool RunGuarded(F&& fn)
{
    try {
        fn();
        return true;
    } catch (const std::exception& e) {
        ShowErrorOf(e);
        return false;
    }
}
