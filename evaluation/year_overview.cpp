#include "evaluation/year_overview.h"

#include "evaluation/number_text.h"

#include "evaluation/due_dates.h"

namespace {

OverviewRow month_row(const MasterData &data, const RevenueFields &fields, int month)
{
    OverviewRow row;
    row.number = month;
    row.revenue = fields[month - 1].value_or(0);
    row.income = income_half_up(row.revenue, data.cost_ratio);
    // The month command takes the revenues up to the month, from 2023 up
    // to its quarter's end: each must fit, as there.
    MonthlyRevenue revenue {};
    for (int m = 1; m <= months_taken(data.year, month); ++m) {
        if (!fields[m - 1]) {
            row.problem = Problem {Problem::What::RevenueTooLarge};
            row.problem->month = m;
            return row;
        }
        revenue[m - 1] = *fields[m - 1];
    }
    const auto amounts = evaluate(data, revenue, month);
    if (!amounts) {
        row.problem = Problem {Problem::What::EvaluationOverflow};
        return row;
    }
    row.tb_base = amounts->tb_base;
    row.tb = amounts->tb_amount;
    row.szocho_base = amounts->szocho_base;
    row.szocho = amounts->szocho_amount;
    row.szja_part = amounts->szja_amount;
    if (amounts->quarter_szja)
        row.szja_advance = *amounts->quarter_szja;
    row.szja_carried = amounts->quarter_szja_carried;
    row.insured = amounts->insured;
    if (row.insured)
        row.contributions_due = contributions_due_date(data.year, month);
    return row;
}

// The months' figures added into `sum`; the first problem stands for all.
void add_row(OverviewRow &sum, const OverviewRow &row)
{
    if (row.problem && !sum.problem)
        sum.problem = row.problem;
    sum.revenue += row.revenue;
    sum.income += row.income;
    sum.tb_base += row.tb_base;
    sum.tb += row.tb;
    sum.szocho_base += row.szocho_base;
    sum.szocho += row.szocho;
    sum.szja_part += row.szja_part;
}

} // namespace

RevenueFields revenue_fields(const QStringList &texts)
{
    RevenueFields revenue;
    for (int i = 0; i < 12; ++i)
        revenue[i] = number_text::whole32(
            number_text::to_amount(texts.value(i), number_text::Kind::Forints));
    return revenue;
}

QList<OverviewRow> year_overview(const MasterData &data, const RevenueFields &revenue)
{
    QList<OverviewRow> rows;
    OverviewRow year;
    year.kind = OverviewRow::Kind::Year;
    year.szja_advance = 0;
    for (int quarter = 1; quarter <= 4; ++quarter) {
        OverviewRow sum;
        sum.kind = OverviewRow::Kind::Quarter;
        sum.number = quarter;
        bool insured = false;
        for (int month = quarter * 3 - 2; month <= quarter * 3; ++month) {
            OverviewRow row = month_row(data, revenue, month);
            add_row(sum, row);
            insured = insured || row.insured;
            // The quarter's advance is its last month's, as that month's
            // command shows it.
            sum.szja_advance = std::exchange(row.szja_advance, std::nullopt);
            sum.szja_carried = std::exchange(row.szja_carried, 0);
            rows.append(row);
        }
        if (sum.problem)
            sum.szja_advance.reset();
        const int end = quarter * 3;
        // No TB or Szocho is due for a quarter with no day insured.
        if (year_rules::rules_for(data.year).quarterly && insured)
            sum.contributions_due = contributions_due_date(data.year, end);
        sum.szja_due = szja_due_date(data.year, end);
        add_row(year, sum);
        *year.szja_advance += sum.szja_advance.value_or(0);
        year.szja_carried = sum.szja_carried;
        rows.append(sum);
    }
    if (year.problem)
        year.szja_advance.reset();
    rows.append(year);
    return rows;
}

QString overview_row_name(const OverviewRow &row)
{
    static const char *const quarters[] = {"I.", "II.", "III.", "IV."};
    switch (row.kind) {
    case OverviewRow::Kind::Month:
        return number_text::month_name(row.number);
    case OverviewRow::Kind::Quarter:
        return QString::fromUtf8(quarters[row.number - 1]) + QStringLiteral(" negyedév");
    case OverviewRow::Kind::Year:
        break;
    }
    return QStringLiteral("Összesen");
}

QString not_insured_text()
{
    return QStringLiteral("nem biztosított");
}
