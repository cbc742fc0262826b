#pragma once

#include "evaluation/engine.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The year at a glance: a row per month, as its month command shows it,
// a row after every quarter and one for the year.
struct OverviewRow {
    enum class Kind { Month, Quarter, Year };
    Kind kind = Kind::Month;
    int number = 0; // the month 1-12 or the quarter 1-4; 0 for the year

    // Why the row has no figures: a revenue that does not fit, or an
    // evaluation past 32 bits (the month, or one month of the sum).
    std::optional<Problem> problem;

    // A month with no day insured by the year's course has no TB and
    // Szocho, rather than zeros.
    bool insured = true;
    qint64 revenue = 0;
    qint64 income = 0; // the revenue less the cost ratio
    qint64 tb_base = 0;
    qint64 tb = 0;
    double szocho_base = 0; // 112,5 % of G may carry decimals
    qint64 szocho = 0;
    qint64 szja_part = 0; // the months' parts of the advance
    // Quarter and year rows: the advance to pay (the quarter's, or the
    // year's quarters together).
    std::optional<qint64> szja_advance;
    // Of a quarter, the advance under the threshold that waits for a later
    // quarter; of the year, what goes to the annual return.
    qint64 szja_carried = 0;
    // When TB and Szocho are due (the month's in a monthly year, the
    // quarter's from 2023) and when the advance is.
    QDate contributions_due;
    QDate szja_due;
};

// The row's figures in the order of its columns, from the revenue to the
// months' parts of the advance.
inline std::array<double, 7> row_figures(const OverviewRow &row)
{
    return {double(row.revenue), double(row.income), double(row.tb_base), double(row.tb),
        row.szocho_base, double(row.szocho), double(row.szja_part)};
}

// The place in row_figures of the first of the four TB and Szocho figures.
constexpr int first_contribution_figure = 2, contribution_figures = 4;
inline bool contribution_figure(int index)
{
    return index >= first_contribution_figure
        && index < first_contribution_figure + contribution_figures;
}

// What the revenue fields hold, read one by one: nothing for a field that
// does not fit 32 bits.
using RevenueFields = std::array<std::optional<qint32>, 12>;
// The same of the twelve texts: a month command's reading of each, the
// number at its start when it is not a number.
RevenueFields revenue_fields(const QStringList &texts);

// The seventeen rows of the year, by the rules of the data's year: each
// month row is the evaluation its month command makes, each quarter row
// the sum of its months, the last the sum of the year.
QList<OverviewRow> year_overview(const MasterData &data, const RevenueFields &revenue);

// "január", "I. negyedév", "Összesen".
QString overview_row_name(const OverviewRow &row);
// What a month with no day insured shows for its TB and Szocho.
QString not_insured_text();
