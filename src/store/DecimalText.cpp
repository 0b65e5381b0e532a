#include "store/DecimalText.h"

#include "store/RegionalSettings.h"
#include "store/StoreError.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace DecimalText {

namespace {

bool isBlank(QChar c) { return c == ' ' || c == '\t'; }

QString invalidFloat(const QString& text) { return QStringLiteral("'%1' is not a valid floating point value").arg(text); }
QString invalidInt(const QString& text) { return QStringLiteral("'%1' is not a valid integer value").arg(text); }

// Every conversion between numbers and digits below is independent of the C library's locale
// (which the application sets from the session, so strtod and printf would use a comma under a
// Portuguese or German session): text is read with std::from_chars and written with Qt's own
// C-locale conversion, which rounds a tie away from zero ("0.#" gives 7.3 for 7.25).

// Digits of value rounded to `decimals` places, as "123.45".
QString fixedC(double value, int decimals) { return QString::number(value, 'f', decimals); }

// Reads a number written with a point, as the parser below composes it: an optional '-', digits
// with one optional point, an optional exponent. A magnitude too small for a double reads as zero;
// one too large is no number.
std::optional<double> readC(const QByteArray& c)
{
    const char* first = c.constData();
    const char* last = first + c.size();
    double v = 0;
    const auto [stop, ec] = std::from_chars(first, last, v, std::chars_format::general);
    if (stop != last)
        return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        // The decimal exponent of the leading digit tells an underflow from an overflow.
        const qsizetype e = c.indexOf('e');
        const QByteArray mantissa = e < 0 ? c : c.left(e);
        long long exponent = e < 0 ? 0 : c.mid(e + 1).toLongLong();
        const qsizetype point = mantissa.indexOf('.');
        const qsizetype intEnd = point < 0 ? mantissa.size() : point;
        for (qsizetype k = 0; k < mantissa.size(); ++k) {
            const char d = mantissa[k];
            if (d >= '1' && d <= '9') {
                exponent += k < intEnd ? intEnd - k - 1 : intEnd - k;
                break;
            }
        }
        if (exponent >= 0)
            return std::nullopt;
        return c.startsWith('-') ? -0.0 : 0.0;
    }
    if (ec != std::errc() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

QString localise(QString cText)
{
    const QChar dec = RegionalSettings::current().decimalSeparator;
    if (dec != '.')
        cText.replace('.', dec);
    return cText;
}

} // namespace

std::optional<double> parse(const QString& text)
{
    const QChar dec = RegionalSettings::current().decimalSeparator;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    qsizetype end = n;
    while (end > i && isBlank(text[end - 1]))
        --end;
    if (i >= end)
        return std::nullopt;
    QByteArray c;
    c.reserve(end - i);
    if (text[i] == '+')
        ++i;
    else if (text[i] == '-')
        c.append(char(text[i++].unicode()));
    int digits = 0;
    while (i < end && text[i].isDigit() && text[i].unicode() < 128) {
        c.append(char(text[i++].unicode()));
        ++digits;
    }
    if (i < end && text[i] == dec) {
        c.append('.');
        ++i;
        while (i < end && text[i].isDigit() && text[i].unicode() < 128) {
            c.append(char(text[i++].unicode()));
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        c.append('e');
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-'))
            c.append(char(text[i++].unicode()));
        int expDigits = 0;
        while (i < end && text[i].isDigit() && text[i].unicode() < 128) {
            c.append(char(text[i++].unicode()));
            ++expDigits;
        }
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != end)
        return std::nullopt;
    return readC(c);
}

double StrToFloat(const QString& text)
{
    if (const auto v = parse(text))
        return *v;
    throw ConversionError(invalidFloat(text));
}

double StrToFloatDef(const QString& text, double def) { return parse(text).value_or(def); }

std::optional<int> parseInt(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    qsizetype i = 0;
    if (t[0] == '+' || t[0] == '-')
        ++i;
    if (i >= t.size())
        return std::nullopt;
    for (qsizetype k = i; k < t.size(); ++k)
        if (!(t[k].unicode() >= '0' && t[k].unicode() <= '9'))
            return std::nullopt;
    bool ok = false;
    const int v = t.toInt(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

int StrToInt(const QString& text)
{
    if (const auto v = parseInt(text))
        return *v;
    throw ConversionError(invalidInt(text));
}

int StrToIntDef(const QString& text, int def) { return parseInt(text).value_or(def); }

namespace {

// The general form of a finite, non-zero value rounded to `precision` significant digits, with a
// point: plain digits, or mantissa and exponent ("1.5E-7") when the plain form would need more
// digits than the precision or the value is below 0.00001 (or always, when `scientific`).
QString generalC(double value, int precision, bool scientific)
{
    // Mantissa digits and decimal exponent of the value rounded to `precision` significant digits.
    QString e = QString::number(value, 'e', precision - 1); // "-1.23450000000000e+02"
    // Next to the largest double the rounded digits can lie beyond it ("1.79769313486232E308"),
    // where no reader takes them: such a value is written rounded towards zero instead.
    if (std::fabs(value) >= 1e308 && !readC(e.toLatin1())) {
        for (qsizetype k = e.indexOf('e') - 1; k >= 0; --k) {
            if (e[k] == '.')
                continue;
            if (e[k] != '0') {
                e[k] = QChar(e[k].unicode() - 1);
                break;
            }
            e[k] = '9';
        }
    }
    const qsizetype ePos = e.indexOf('e');
    const bool negative = e.startsWith('-');
    QString mantissa = e.mid(negative ? 1 : 0, ePos - (negative ? 1 : 0));
    mantissa.remove('.');
    while (mantissa.size() > 1 && mantissa.endsWith('0'))
        mantissa.chop(1);
    const int exponent = e.mid(ePos + 1).toInt();
    QString out;
    if (scientific || exponent >= precision || std::fabs(value) < 0.00001) {
        out = mantissa.left(1);
        if (mantissa.size() > 1)
            out += '.' + mantissa.mid(1);
        out += 'E' + QString::number(exponent);
    } else if (exponent < 0) {
        out = "0." + QString(-exponent - 1, '0') + mantissa;
    } else {
        if (mantissa.size() <= exponent + 1)
            out = mantissa + QString(exponent + 1 - mantissa.size(), '0');
        else
            out = mantissa.left(exponent + 1) + '.' + mantissa.mid(exponent + 1);
    }
    if (negative)
        out.prepend('-');
    return out;
}

} // namespace

QString FloatToStrPrecision(double value, int precision)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    if (value == 0)
        return "0";
    return localise(generalC(value, std::clamp(precision, 1, 17), false));
}

std::optional<QString> FloatToStrFitting(double value, int width)
{
    if (!std::isfinite(value))
        return std::nullopt;
    if (value == 0)
        return width >= 1 ? std::optional<QString>("0") : std::nullopt;
    for (int precision = 15; precision >= 1; --precision)
        for (const bool scientific : {false, true})
            if (const QString text = generalC(value, precision, scientific); text.size() <= width)
                return localise(text);
    return std::nullopt;
}

QString FloatToStr(double value) { return FloatToStrPrecision(value, 15); }

QString FormatFixed(double value, int decimals)
{
    if (!std::isfinite(value))
        return FloatToStr(value);
    return localise(fixedC(value, decimals < 0 ? 0 : decimals));
}

QString FormatFloat(const QString& pattern, double value)
{
    if (!std::isfinite(value))
        return FloatToStr(value);
    const qsizetype point = pattern.indexOf('.');
    const QString intPart = point < 0 ? pattern : pattern.left(point);
    const QString decPart = point < 0 ? QString() : pattern.mid(point + 1);
    const bool grouping = intPart.contains(',');
    const int minInt = int(intPart.count('0'));
    const int minDec = int(decPart.count('0'));
    const int maxDec = minDec + int(decPart.count('#'));

    QString digits = fixedC(std::fabs(value), maxDec);
    QString ip = digits, dp;
    if (const qsizetype p = digits.indexOf('.'); p >= 0) {
        ip = digits.left(p);
        dp = digits.mid(p + 1);
    }
    while (dp.size() > minDec && dp.endsWith('0'))
        dp.chop(1);
    if (ip == "0" && minInt == 0)
        ip.clear();
    while (ip.size() < minInt)
        ip.prepend('0');
    if (grouping && ip.size() > 3) {
        const QChar sep = RegionalSettings::current().thousandSeparator;
        for (qsizetype k = ip.size() - 3; k > 0; k -= 3)
            ip.insert(k, sep);
    }
    QString out = ip;
    if (!dp.isEmpty())
        out += RegionalSettings::current().decimalSeparator + dp;
    if (out.isEmpty())
        out = "0";
    bool allZero = true;
    for (const QChar c : out)
        if (c.isDigit() && c != '0')
            allZero = false;
    if (value < 0 && !allZero)
        out.prepend('-');
    return out;
}

QString IntToStr(long long value) { return QString::number(value); }

} // namespace DecimalText
