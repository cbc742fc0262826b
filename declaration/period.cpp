#include "declaration/period.h"

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

Period declaration_period(int year, int month)
{
    const QDate first(year, month, 1);
    // The year-first form with dots, as in 2026.03.31.
    const QString last = last_day_of_month(first).toString(QStringLiteral("yyyy.MM.dd."));
    return {year, first.toString(QStringLiteral("yyyyMMdd")), strip_date_separators(last)};
}
