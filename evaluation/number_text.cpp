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

// Any blank between digit groups: the plain one, the no-break ones, the
// typographic spaces.
bool is_group_separator(QChar c)
{
    return c.category() == QChar::Separator_Space;
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

// Walks over a number, copying it into the C form.
struct Scanner {
    explicit Scanner(QStringView text)
        : s(text)
    {
    }

    QStringView s;
    qsizetype i = 0;
    QByteArray c;
    int digits = 0;

    bool at_end() const { return i == s.size(); }
    bool at(QChar ch) const { return i < s.size() && s[i] == ch; }
    bool at_digit() const { return i < s.size() && is_digit(s[i]); }
    void take() { c += char(s[i++].unicode()); }

    void sign()
    {
        if (at(u'+') || at(u'-'))
            take();
    }
    // A dot with exactly three digits after it.
    bool at_dot_group() const
    {
        if (!at(u'.') || i + 3 >= s.size())
            return false;
        for (qsizetype k = i + 1; k <= i + 3; ++k)
            if (!is_digit(s[k]))
                return false;
        return i + 4 == s.size() || !is_digit(s[i + 4]);
    }
    // Group separators count only between digits.
    void integer_digits(bool grouped, bool dot_groups = false)
    {
        while (i < s.size()) {
            if (at_digit()) {
                take();
                ++digits;
            } else if (grouped && digits > 0 && is_group_separator(s[i]) && i + 1 < s.size()
                && (is_digit(s[i + 1]) || is_group_separator(s[i + 1]))) {
                ++i;
            } else if (dot_groups && digits > 0 && at_dot_group()) {
                ++i;
            } else {
                break;
            }
        }
    }
    void fraction(QChar point)
    {
        if (!at(point))
            return;
        c += '.';
        ++i;
        for (; at_digit(); ++digits)
            take();
    }
    enum class Exponent { None, Complete, Dangling };
    // A letter, an optional sign and digits; a dangling letter is left unread.
    Exponent exponent(QStringView letters)
    {
        if (i >= s.size() || !letters.contains(s[i]))
            return Exponent::None;
        qsizetype j = i + 1;
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-'))
            ++j;
        if (j == s.size() || !is_digit(s[j]))
            return Exponent::Dangling;
        c += 'e';
        ++i;
        sign();
        while (at_digit())
            take();
        return Exponent::Complete;
    }
};

} // namespace

QStringView without_currency(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    for (QStringView unit : {QStringView(u"Ft"), QStringView(u"HUF")})
        if (trimmed.size() > unit.size() && trimmed.endsWith(unit, Qt::CaseInsensitive))
            return trimmed.chopped(unit.size()).trimmed();
    return trimmed;
}

std::optional<double> read_number(QStringView text, Kind kind)
{
    Scanner scan {kind == Kind::Forints ? without_currency(text) : text.trimmed()};
    scan.sign();
    scan.integer_digits(true, kind == Kind::Forints);
    scan.fraction(u',');
    if (scan.digits == 0 || scan.exponent(u"eE") == Scanner::Exponent::Dangling || !scan.at_end())
        return std::nullopt;
    const double value = c_number(scan.c);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

double to_amount(QStringView text, Kind kind)
{
    if (const auto value = read_number(text, kind))
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

    Scanner scan {s};
    scan.sign();
    scan.integer_digits(false);
    scan.fraction(u'.');
    if (scan.digits == 0)
        return 0.0;
    scan.exponent(u"eEdD"); // a letter without digits ends the number
    return c_number(scan.c);
}

std::optional<qint32> whole32(double value)
{
    return whole<qint32>(value);
}

std::optional<qint16> whole16(double value)
{
    return whole<qint16>(value);
}

std::optional<qint32> read_whole32(QStringView text, Kind kind)
{
    const auto number = read_number(text, kind);
    return number ? whole32(*number) : std::nullopt;
}

QString year_accusative(int year)
{
    // By the last digit spoken: egyet, kettőt, hármat, négyet, ötöt, hatot,
    // hetet, nyolcat, kilencet; after a round ten: tizet, húszat, harmincat,
    // negyvenet, ötvenet, hatvanat, hetvenet, nyolcvanat, kilencvenet; after
    // a round hundred or thousand: százat, ezret.
    static const char *const units[] = {"", "et", "t", "at", "et", "öt", "ot", "et", "at", "et"};
    static const char *const tens[] = {"", "et", "at", "at", "et", "et", "at", "et", "at", "et"};
    const int last = year % 10, ten = year / 10 % 10;
    const char *suffix = last ? units[last] : ten ? tens[ten] : year % 1000 ? "at" : "et";
    return QStringLiteral("%1-%2").arg(year).arg(QString::fromUtf8(suffix));
}

QString month_name(int month)
{
    static const char *const names[] = {"január", "február", "március", "április", "május",
        "június", "július", "augusztus", "szeptember", "október", "november", "december"};
    return QString::fromUtf8(names[month - 1]);
}

QString grouped(double value, int decimals)
{
    if (!std::isfinite(value))
        return hungarian().toString(value);
    // Round the decimal number the value stands for (its shortest form, which
    // is what was typed), not its binary neighbour: 18,45 is 18,5, not 18,4.
    char buffer[512];
    const auto written
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    QByteArray text(buffer, written.ptr - buffer);
    const bool negative = text.startsWith('-');
    if (negative)
        text.remove(0, 1);
    const qsizetype point = text.indexOf('.');
    QByteArray digits = point < 0 ? text : text.left(point) + text.mid(point + 1);
    qsizetype integer_digits = point < 0 ? text.size() : point;

    const qsizetype kept = integer_digits + decimals;
    const bool round_up = digits.size() > kept && digits[kept] >= '5'; // halves away from zero
    digits.resize(kept, '0');
    if (round_up) {
        qsizetype i = kept - 1;
        for (; i >= 0 && digits[i] == '9'; --i)
            digits[i] = '0';
        if (i >= 0) {
            ++digits[i];
        } else {
            digits.prepend('1');
            ++integer_digits;
        }
    }

    const QString group = hungarian().groupSeparator();
    QString result;
    for (qsizetype i = 0; i < integer_digits; ++i) {
        if (i > 0 && (integer_digits - i) % 3 == 0)
            result += group;
        result += QLatin1Char(digits[i]);
    }
    if (decimals > 0)
        result += hungarian().decimalPoint() + QLatin1StringView(digits.mid(integer_digits));
    // No "-0": a value that rounds to zero has no sign.
    if (negative && digits.count('0') != digits.size())
        result.prepend(u'-');
    return result;
}

QString plain(double value)
{
    QLocale locale = hungarian();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value + 0.0, 'f', QLocale::FloatingPointShortest);
}

QString bare_digits(QStringView text)
{
    QString digits;
    for (QChar c : text)
        if (!is_group_separator(c))
            digits += c;
    return digits;
}

} // namespace number_text
