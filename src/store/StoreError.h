#pragma once

#include <QString>
#include <stdexcept>

// A failure of the file system (open, read, seek, write, rename). The message carries the path and
// the system's own error text; the application's event dispatch shows it in an error box.
class StoreError : public std::runtime_error {
public:
    explicit StoreError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

// A text that does not convert to a number or a date ("'abc' is not a valid floating point value").
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};
