#pragma once

#include <QDate>
#include <QString>

// The last day of the date's month, in the same year.
QDate last_day_of_month(QDate date);

// The text without any "-" or ".".
QString strip_date_separators(const QString &text);

// The first and the last day of the declared month as eight digits
// (yyyyMMdd), and the year whose form it is: the month of the tax year
// whose rules computed its figures.
struct Period {
    int year = 0;
    QString first;
    QString last;
};
Period declaration_period(int year, int month);
