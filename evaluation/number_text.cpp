#include "evaluation/number_text.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <limits>

namespace number_text {

namespace {

const QLocale &hungarian()
{
    static const QLocale locale(QLocale::Hungarian, QLocale::Hungary);
    return locale;
}

bool is_group_separator(QChar c)
{
    return c == u' ' || c == QChar(0x00A0) || c == QChar(0x202F);
}

bool is_digit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// A number in the C form; infinite when it is too large for a double.
double c_number(const QByteArray &text)
{
    const char *first = text.constData();
    const char *last = first + text.size();
    const bool negative = first != last && *first == '-';
    if (first != last && (*first == '+' || *first == '-'))
        ++first;
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range) {
        // Too small rounds to zero, too large is infinite.
        const bool tiny = text.contains("e-");
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (error != std::errc() || end != last) {
        value = 0;
    }
    return negative ? -value : value;
}

int hex_digit(QChar c)
{
    if (is_digit(c))
        return c.unicode() - u'0';
    const char16_t lower = c.toLower().unicode();
    return lower >= u'a' && lower <= u'f' ? lower - u'a' + 10 : -1;
}

template<typename Int> std::optional<Int> whole(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // the default mode: half to even
    if (rounded < double(std::numeric_limits<Int>::min())
        || rounded > double(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return Int(rounded);
}

} // namespace

std::optional<double> read_number(QStringView text)
{
    const QStringView s = text.trimmed();
    qsizetype i = 0;
    QByteArray c; // the same number in the C locale's form
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        c += char(s[i++].unicode());
    int digits = 0;
    while (i < s.size()) {
        if (is_digit(s[i])) {
            c += char(s[i++].unicode());
            ++digits;
        } else if (digits > 0 && is_group_separator(s[i]) && i + 1 < s.size()
            && (is_digit(s[i + 1]) || is_group_separator(s[i + 1]))) {
            ++i;
        } else {
            break;
        }
    }
    if (i < s.size() && s[i] == u',') {
        c += '.';
        ++i;
        while (i < s.size() && is_digit(s[i])) {
            c += char(s[i++].unicode());
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
        c += 'e';
        ++i;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
            c += char(s[i++].unicode());
        if (i == s.size() || !is_digit(s[i]))
            return std::nullopt;
        while (i < s.size() && is_digit(s[i]))
            c += char(s[i++].unicode());
    }
    if (i != s.size())
        return std::nullopt;
    const double value = c_number(c);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

double to_amount(QStringView text)
{
    if (const auto value = read_number(text))
        return *value;

    // The leading number, blanks, tabs and line feeds skipped wherever they stand.
    QString s;
    for (QChar ch : text)
        if (ch != u' ' && ch != u'\t' && ch != u'\n')
            s += ch;

    if (s.size() >= 2 && s[0] == u'&') {
        const QChar kind = s[1].toUpper();
        const int base = kind == u'H' ? 16 : kind == u'O' ? 8 : 0;
        if (base != 0) {
            double value = 0;
            for (qsizetype i = 2; i < s.size(); ++i) {
                const int digit = hex_digit(s[i]);
                if (digit < 0 || digit >= base)
                    break;
                value = value * base + digit;
            }
            return value;
        }
    }

    qsizetype i = 0;
    QByteArray c;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        c += char(s[i++].unicode());
    int digits = 0;
    while (i < s.size() && is_digit(s[i])) {
        c += char(s[i++].unicode());
        ++digits;
    }
    if (i < s.size() && s[i] == u'.') {
        c += '.';
        ++i;
        while (i < s.size() && is_digit(s[i])) {
            c += char(s[i++].unicode());
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    if (i + 1 < s.size() && QStringLiteral("eEdD").contains(s[i])) {
        qsizetype j = i + 1;
        QByteArray exponent = "e";
        if (s[j] == u'+' || s[j] == u'-')
            exponent += char(s[j++].unicode());
        if (j < s.size() && is_digit(s[j])) {
            while (j < s.size() && is_digit(s[j]))
                exponent += char(s[j++].unicode());
            c += exponent;
        }
    }
    return c_number(c);
}

std::optional<qint32> whole32(double value)
{
    return whole<qint32>(value);
}

std::optional<qint16> whole16(double value)
{
    return whole<qint16>(value);
}

QString grouped(double value, int decimals)
{
    // Adding 0.0 turns a negative zero into zero, so no "-0" is shown.
    return hungarian().toString(value + 0.0, 'f', decimals);
}

QString plain(double value)
{
    QLocale locale = hungarian();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value + 0.0, 'f', QLocale::FloatingPointShortest);
}

} // namespace number_text
