#pragma once

#include <QString>
#include <optional>

// Numbers as the data files store them: text with the local decimal separator and no thousands
// separator (RegionalSettings). Readers accept any text the writers produce; a text that is not a
// number raises ConversionError naming it. Nothing here depends on the C library's locale.
namespace DecimalText {

// Blanks around the text, a sign, digits, the local decimal separator and an exponent are accepted.
std::optional<double> parse(const QString& text);
double StrToFloat(const QString& text);                // throws ConversionError
double StrToFloatDef(const QString& text, double def); // the default for text that is no number

std::optional<int> parseInt(const QString& text);
int StrToInt(const QString& text);                     // throws ConversionError
int StrToIntDef(const QString& text, int def);

// The general conversion: shortest text with up to 15 significant digits ("1.5", "1E20").
QString FloatToStr(double value);
QString FloatToStrPrecision(double value, int significantDigits);
// The text of at most `width` characters that reads back nearest to the value: the general
// conversion with as many significant digits as fit ("2.37598E18" for 2.3759762399976E18 in 10).
// None for a value that is not finite or that no text of that width can hold.
std::optional<QString> FloatToStrFitting(double value, int width);
// A picture such as "0.###", "0.#", "0.00" or "#,##0.00" with the local separators.
QString FormatFloat(const QString& pattern, double value);
// Exactly `decimals` decimals with the local decimal separator (a tie rounds away from zero).
QString FormatFixed(double value, int decimals);
QString IntToStr(long long value);

} // namespace DecimalText
