#include "inputs/field_text.h"

#include "evaluation/number_text.h"

#include <cmath>

using namespace number_text;

namespace {

// The part before the decimal comma, its digits regrouped and its sign kept.
QString regrouped_whole_part(QStringView head)
{
    const QStringView trimmed = head.trimmed();
    const bool negative = trimmed.startsWith(u'-');
    const auto value = read_number(trimmed, Kind::Forints);
    if (!value)
        return trimmed.toString(); // a lone sign, or nothing
    const QString digits = grouped(*value, 0);
    return negative && !digits.startsWith(u'-') ? u'-' + digits : digits;
}

} // namespace

QString regrouped_revenue(QStringView text)
{
    const auto value = read_number(text, Kind::Forints);
    if (!value)
        return text.toString();
    // A fraction stays as typed, so that the next digit goes after the comma;
    // it is rounded when the field is left.
    const qsizetype comma = text.indexOf(u',');
    if (comma >= 0)
        return regrouped_whole_part(text.left(comma)) + text.mid(comma).toString();
    return grouped(*value, 0);
}

QString revenue_on_leaving(QStringView text)
{
    const auto value = read_number(text, Kind::Forints);
    if (!value)
        return {};
    // A fraction is rounded, a unit dropped; a whole number stays as typed.
    if (text.contains(u',') || without_currency(text) != text.trimmed())
        return grouped(*value, 0);
    return text.toString();
}

QString normalised_master(QStringView text, int decimals, Kind kind)
{
    double value = to_amount(text, kind);
    if (!std::isfinite(value))
        value = 0; // a number too large for any field is no number at all
    // Through the plain form first, as the field shows it in between.
    const auto back = read_number(plain(value));
    return grouped(back ? *back : 0.0, decimals);
}
