#pragma once

// What the screen benchmarks share: the main window as far as the screens ask for it (BenchShell.h),
// best and worst of several runs, one line per measure with its target, and a change timed until
// the screen has painted it.

#include "BenchShell.h"
#include "shell/StringGrid.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <type_traits>

struct Timing {
    double bestMs = 1e300;
    double worstMs = 0;
    int rows = 0;
    void add(double ms)
    {
        bestMs = std::min(bestMs, ms);
        worstMs = std::max(worstMs, ms);
    }
};

inline double elapsedMs(const QElapsedTimer& clock) { return clock.nsecsElapsed() / 1e6; }

// Prints the line of the measure; false when its worst run missed the target.
inline bool report(const char* name, const Timing& t, double limitMs)
{
    const bool met = t.worstMs < limitMs;
    std::printf("%-44s %7d rows  best %7.1f ms  worst %7.1f ms  (target < %.0f ms: %s)\n", name, t.rows, t.bestMs,
                t.worstMs, limitMs, met ? "met" : "NOT MET");
    return met;
}

// The same with a note after the figures; a limit of 0 is no target (always met).
inline bool report(const char* name, const Timing& t, double limitMs, const QString& note)
{
    const bool met = limitMs <= 0 || t.worstMs < limitMs;
    const QString target =
        limitMs > 0 ? QStringLiteral("(target < %1 ms: %2)").arg(limitMs).arg(met ? "met" : "NOT MET") : QString();
    std::printf("%-40s best %8.1f ms  worst %8.1f ms  %-26s %s\n", name, t.bestMs, t.worstMs, qPrintable(target),
                qPrintable(note));
    return met;
}

// Shows the screen in a host of the main window's client size and waits for its first paint.
template <class Screen>
Screen* showScreen(QWidget& host, Screen* screen)
{
    screen->setGeometry(0, 1, host.width(), host.height() - 1);
    screen->show();
    QCoreApplication::processEvents();
    return screen;
}

// Runs the change and waits until it is painted.
inline double timed(const std::function<void()>& change)
{
    QElapsedTimer clock;
    clock.start();
    change();
    QCoreApplication::processEvents();
    return elapsedMs(clock);
}

// Opens the screen in a host of the main window's client size until it is painted; then runs
// `after` on it (each step timed by the caller) and releases it. make creates the screen (by
// default Screen(parent)).
template <class Screen>
void withScreen(QWidget& host, Timing& open, const std::function<void(Screen*)>& after = {},
                const std::function<Screen*(QWidget*)>& make = {})
{
    QElapsedTimer clock;
    clock.start();
    Screen* screen = nullptr;
    if (make)
        screen = make(&host);
    else if constexpr (std::is_constructible_v<Screen, QWidget*>)
        screen = new Screen(&host);
    showScreen(host, screen);
    open.add(elapsedMs(clock));
    open.rows = screen->MainGrid()->RowCount() - 1;
    if (after)
        after(screen);
    delete screen;
    QCoreApplication::processEvents();
}
