#pragma once

#include <QString>
#include <QStringView>

// A revenue as the user types it: a number is shown whole and grouped
// (pattern "#,##0", halves away from zero); anything else stays as it is.
QString regrouped_revenue(QStringView text);

// A master-data field on leaving: the number the text starts with, shown
// with exactly `decimals` decimals and grouped; 0 when there is none.
QString normalised_master(QStringView text, int decimals);
