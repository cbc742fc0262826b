#include "declaration/period.h"

#include "evaluation/year_rules.h"

QDate last_day_of_month(QDate date)
{
    const QDate first(date.year(), date.month(), 1);
    return first.addMonths(1).addDays(-1);
}

QString strip_date_separators(const QString &text)
{
    QString kept = text;
    kept.remove(u'-');
    kept.remove(u'.');
    return kept;
}

int period_year(int month, QDate today)
{
    return month > today.month() ? today.year() - 1 : today.year();
}

Period declaration_period(int month, QDate today)
{
    const int year = period_year(month, today);
    const QDate first(year, month, 1);
    // The year-first form with dots, as in 2026.03.31.
    const QString last = last_day_of_month(first).toString(QStringLiteral("yyyy.MM.dd."));
    return {year, first.toString(QStringLiteral("yyyyMMdd")), strip_date_separators(last)};
}

QDate contributions_due_date(int year, int month)
{
    const year_rules::Year &rules = year_rules::rules_for(year);
    const int last = rules.quarterly ? (month + 2) / 3 * 3 : month;
    return QDate(year, last, year_rules::contributions_due_day).addMonths(1);
}

QDate szja_due_date(int year, int month)
{
    const int quarter_end = (month + 2) / 3 * 3;
    return QDate(year, quarter_end, year_rules::rules_for(year).szja_due_day).addMonths(1);
}
