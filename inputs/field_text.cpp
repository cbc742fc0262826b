#include "inputs/field_text.h"

#include "evaluation/number_text.h"

#include <cmath>

using namespace number_text;

QString regrouped_revenue(QStringView text)
{
    const auto value = read_number(text);
    return value ? grouped(*value, 0) : text.toString();
}

QString normalised_master(QStringView text, int decimals)
{
    double value = to_amount(text);
    if (!std::isfinite(value))
        value = 0; // a number too large for any field is no number at all
    // Through the plain form first, as the field shows it in between.
    const auto back = read_number(plain(value));
    return grouped(back ? *back : 0.0, decimals);
}
