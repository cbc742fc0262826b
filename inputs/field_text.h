#pragma once

#include "evaluation/number_text.h"

#include <QString>
#include <QStringView>

// A revenue as the user types it: a number is shown grouped, whole (pattern
// "#,##0", halves away from zero) unless it has a decimal comma, whose
// fraction stays as typed; anything else stays as it is.
QString regrouped_revenue(QStringView text);

// A revenue when its field is left: empty unless it is a number; a fraction
// is rounded to whole forints, halves away from zero.
QString revenue_on_leaving(QStringView text);

// A master-data field on leaving: the number the text starts with, shown
// with exactly `decimals` decimals and grouped; 0 when there is none.
QString normalised_master(
    QStringView text, int decimals, number_text::Kind kind = number_text::Kind::Number);
