#pragma once

#include <QDate>
#include <QString>
#include <optional>

// Dates as the data files store them: text in the local short date format (RegionalSettings).
namespace DateText {

// Reads a date in the order of the local short date pattern: day, month and year separated by the
// local date separator, one or two digits for day and month, two or four for the year (a two-digit
// year falls within 50 years of today); two numbers alone take the current year.
std::optional<QDate> parse(const QString& text);
QDate StrToDate(const QString& text); // throws ConversionError "'x' is not a valid date"

QString DateToStr(const QDate& date);
QString TimeToStr(const QTime& time);

// The hidden sort key beside a date: four-digit year, two-digit month, two-digit day joined by "-".
QString SortKey(const QDate& date);

} // namespace DateText
