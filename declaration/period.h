#pragma once

#include <QDate>
#include <QString>

// The last day of the date's month, in the same year.
QDate last_day_of_month(QDate date);

// The text without any "-" or ".".
QString strip_date_separators(const QString &text);

// A month's declaration is made after the month has begun: a month later
// than today's belongs to the previous year.
int period_year(int month, QDate today);

// The first and the last day of the declared month as eight digits
// (yyyyMMdd), and the year whose form it is.
struct Period {
    int year = 0;
    QString first;
    QString last;
};
Period declaration_period(int month, QDate today);

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
