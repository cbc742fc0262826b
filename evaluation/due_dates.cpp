#include "evaluation/due_dates.h"

#include "evaluation/engine.h"
#include "evaluation/year_rules.h"

namespace {

// Easter Sunday of the Gregorian calendar (the anonymous algorithm).
QDate easter(int year)
{
    const int a = year % 19, b = year / 100, c = year % 100, d = b / 4, e = b % 4;
    const int f = (b + 8) / 25, g = (b - f + 1) / 3, h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4, l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31, day = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(year, month, day);
}

} // namespace

bool is_working_day(QDate day)
{
    const year_rules::Year &rules = year_rules::rules_for(day.year());
    if (rules.year == day.year())
        for (const year_rules::MovedDay &moved : rules.moved_days)
            if (moved.month == day.month() && moved.day == day.day())
                return moved.working;
    if (day.dayOfWeek() >= Qt::Saturday)
        return false;
    for (const auto &[month, day_of_month] : year_rules::fixed_holidays)
        if (day.month() == month && day.day() == day_of_month)
            return false;
    const QDate sunday = easter(day.year());
    // Good Friday, Easter Monday, Whit Monday.
    for (int from_easter : {-2, 1, 50})
        if (day == sunday.addDays(from_easter))
            return false;
    return true;
}

QDate next_working_day(QDate day)
{
    while (!is_working_day(day))
        day = day.addDays(1);
    return day;
}

QDate contributions_due_date(int year, int month)
{
    // The month's own, or from 2023 its quarter's last.
    const int last = months_taken(year, month);
    return next_working_day(QDate(year, last, year_rules::contributions_due_day).addMonths(1));
}

QDate szja_due_date(int year, int month)
{
    return next_working_day(
        QDate(year, quarter_of(month) * 3, year_rules::advance_due_day).addMonths(1));
}
