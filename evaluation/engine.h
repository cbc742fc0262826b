#pragma once

#include "evaluation/problem.h"
#include "evaluation/year_course.h"
#include "evaluation/year_rules.h"

#include <QString>

#include <array>
#include <optional>
#include <variant>

// Revenue of months 1 to 12 in forints, at index month - 1.
using MonthlyRevenue = std::array<qint32, 12>;

struct MasterData {
    qint32 minimum_wage = 0; // monthly gross minimum wage of the year
    qint32 guaranteed_minimum = 0; // G, the guaranteed wage minimum
    double szja_rate = 0; // fractions, not percents
    double tb_rate = 0;
    double szocho_rate = 0;
    qint16 cost_ratio = 0; // percent
    bool main_employment = true;
    int year = year_rules::default_year; // whose rules apply
    YearCourse course {}; // from 2023; the whole year in 2022

    friend bool operator==(const MasterData &, const MasterData &) = default;
};

struct MasterDataTexts {
    QString minimum_wage, guaranteed_minimum, szja, tb, szocho, cost_ratio;
    bool main_employment = true;
    int year = year_rules::default_year;
    YearCourse course {};

    friend bool operator==(const MasterDataTexts &, const MasterDataTexts &) = default;
};

// The year's figures from the table as the fields show them; a wage not
// decreed yet is empty.
MasterDataTexts table_master_texts(int year);
// The texts, an empty one taking the table's figure of their year.
MasterDataTexts with_table_figures(MasterDataTexts texts);

// The quarter's TB and Szocho, paid together from 2023 when they are set
// by quarter too.
struct QuarterTotals {
    qint32 tb = 0;
    qint32 szocho = 0;
};

// What is due for the chosen month.
struct Evaluation {
    qint32 szja_amount = 0;
    qint32 tb_amount = 0;
    qint32 szocho_amount = 0;
    qint32 tb_base = 0;
    double szocho_base = 0; // 112.5 % of G may carry decimals
    // At the end of a quarter: the advance payable, and the advance not
    // payable yet, at or under the threshold, carried to a later quarter
    // or, after the fourth, to the annual return.
    std::optional<qint32> quarter_szja;
    qint32 quarter_szja_carried = 0;
    // The same, in quarterly years; nothing in a quarter with no day insured.
    std::optional<QuarterTotals> quarter_totals;
    // The month had a day insured: it has TB and Szocho bases.
    bool insured = true;
};

// What an evaluation was made of. Its results hold only while these do.
struct EvaluationInputs {
    int month = 0;
    MasterData master;
    MonthlyRevenue revenue {}; // the months not taken are 0: they take no part

    friend bool operator==(const EvaluationInputs &, const EvaluationInputs &) = default;
};

// The master data as the fields hold them, or the first field that is not a
// number or out of range: from 2023 a wage must be above 0, a rate or the
// cost ratio 0 to 100 %.
std::variant<MasterData, MasterField> read_master_data(const MasterDataTexts &texts);

// The first master-data figure that makes an amount negative: a negative
// wage or rate, or a cost ratio above 100 %; nothing when there is none.
std::optional<MasterField> negative_cause(const MasterData &data);

// Why the field does not read: empty, no number, or a number out of range.
Problem master_data_problem(const MasterDataTexts &texts, MasterField field);

// The quarter (1-4) of a month.
constexpr int quarter_of(int month)
{
    return (month + 2) / 3;
}

// How many months' revenues an evaluation of `month` takes: the months up
// to it, or in a quarterly year up to the end of its quarter, since the
// law divides the quarter's income among its months.
int months_taken(int year, int month);

// The revenue less the cost ratio, in whole forints, 50 fillér up.
qint64 income_half_up(qint64 revenue, int cost_ratio);

// The year from January up to `month`, by the rules of the data's year;
// nothing when a sum or a rounded product leaves the 32-bit range.
std::optional<Evaluation> evaluate(
    const MasterData &data, const MonthlyRevenue &monthly_revenue, int month);

// Flat-rate taxation holds only while the year's revenue stays within the
// ceiling, pro-rated by the days the business ran from 2023. Where the revenues up to `month` pass
// it: the month they did, their sum then and the ceiling.
struct CeilingExceeded {
    int month = 0;
    qint64 revenue = 0;
    qint64 ceiling = 0;
};
std::optional<CeilingExceeded> revenue_ceiling_exceeded(
    const MasterData &data, const MonthlyRevenue &monthly_revenue, int month);

// The months up to `month`, from 2023 up to its quarter's end, that have
// a revenue though the business ran on none of their days by the year's
// course (outside it, or suspended).
QList<int> revenue_while_not_running(
    const MasterData &data, const MonthlyRevenue &monthly_revenue, int month);

// From 2023 the cost ratio is one the law sets for the year (Szja tv. 53. §
// (1)); another is computed all the same, with a warning. In 2022 any.
bool cost_ratio_of_the_year(const MasterData &data);

// The last month command's evaluation: what it was made of and, unless it
// failed or the results were reset since, what is due.
struct MonthResult {
    EvaluationInputs inputs;
    std::optional<Evaluation> amounts;
};
