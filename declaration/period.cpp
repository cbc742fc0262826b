#include "declaration/period.h"

#include "ui_fo.h"
#include "window/fo.h"

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
    const QDate first(period_year(month, today), month, 1);
    // The year-first form with dots, as in 2026.03.31.
    const QString last = last_day_of_month(first).toString(QStringLiteral("yyyy.MM.dd."));
    return {first.toString(QStringLiteral("yyyyMMdd")), strip_date_separators(last)};
}

void Command26_click(fo &window, QDate today)
{
    const Period period = declaration_period(window.selected_month, today);
    window.form().Text50->setText(period.first);
    window.form().Text51->setText(period.last);
}
