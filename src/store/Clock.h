#pragma once

#include <QDate>
#include <QDateTime>

// "Today" and "now" for the whole program. Tests fix the moment; when the environment variable
// QUORVALE_NOW holds an ISO date-time the program runs at that moment (reproducible runs).
class Clock {
public:
    static QDate today();
    static QDateTime now();
    static void setFixed(const QDateTime& moment);
    static void clearFixed();
};
