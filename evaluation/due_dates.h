#pragma once

#include <QDate>

// The calendar of the law's due dates.

// Whether the day is a working day: no weekend, no public holiday, and as
// the year's decree moved the days.
bool is_working_day(QDate day);

// The day itself, or the first working day after it.
QDate next_working_day(QDate day);

// The day the month's TB and Szocho are due: the 12th of the next month,
// from 2023 of the month after the month's quarter.
QDate contributions_due_date(int year, int month);

// The day the advance of the month's quarter is due, in the month after it.
QDate szja_due_date(int year, int month);
