#pragma once

#include <QDate>
#include <QString>

class fo;

// The last day of the date's month, in the same year.
QDate last_day_of_month(QDate date);

// The text without any "-" or ".".
QString strip_date_separators(const QString &text);

// A month's declaration is made after the month has begun: a month later
// than today's belongs to the previous year.
int period_year(int month, QDate today);

// The first and the last day of the month as eight digits (yyyyMMdd).
struct Period {
    QString first;
    QString last;
};
Period declaration_period(int month, QDate today);

// Command26 "honap": the period of `selected_month` into Text50 and Text51.
void Command26_click(fo &window, QDate today);
