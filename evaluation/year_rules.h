#pragma once

#include <QtGlobal>

#include <array>

// The figures of the flat-rate rules, year by year, and of the declaration
// "2258". A new year is a new row here and new test rows that pin it.
namespace year_rules {

// A day that the minister's decree on the year's working days moved: a
// Saturday made a working day, or a weekday made a day off.
struct MovedDay {
    int month;
    int day;
    bool working;
};

// The figures of one tax year. The master data start from them; the
// window formats them for the fields, and the user may type others.
struct Year {
    int year;
    // Monthly gross minimum wage and G (the guaranteed wage minimum) on 1
    // January; 0 while the year's decree is not published.
    qint32 minimum_wage;
    qint32 guaranteed_minimum;
    // Where the minimums rose within the year: from this month's first day
    // (0: they did not) to these. The allowance keeps the January figures.
    int raised_from_month;
    qint32 raised_minimum_wage;
    qint32 raised_guaranteed_minimum;
    // In main employment the Szocho base is at least the minimum times this.
    double szocho_minimum_factor;
    std::array<qint16, 3> cost_ratios; // percent; the first is the default
    // From 2023 the TB and Szocho bases are set by quarter.
    bool quarterly;
    // The year's moved days, as its decree sets them (an empty list where
    // none was found: see the row's comment).
    std::array<MovedDay, 6> moved_days;
};

// One row a year, each with its sources.
// - Minimum wage and G: government decrees (Korm. rendelet) 703/2021 (2022),
//   573/2022 (2023), 508/2023 (in force from 2023-12-01: 266 800 and
//   326 000 for December 2023, and the figures of 2024), 394/2024 (2025),
//   426/2025 (2026). The minimum of a month is the one in force on its
//   first day (Tbj. 4. § 14.).
// - The Szocho minimum (Szocho tv. 8. § (3)): 112,5 % of the minimum wage,
//   or of G where the main activity needs a qualification, until 2025; from
//   2026 the minimum itself. The window's G field holds whichever applies.
// - The quarterly bases: Tbj. 40. § (2)-(3) (main employment, at least the
//   minimum every month) and 42. § (2) (side employment, no minimum).
// - The cost ratios 40/80/90 %, 45/80/90 % from 2026 (the sole trader's
//   flat-rate rules of the Szja tv. as amended for 2026), 50/80/90 % from
//   2027 (2025. évi LXXXIV. törvény 3. § b), in force by its 35. § (4)).
//   The minimum wage and G of 2027 were not decreed when this row was
//   written: the user types them.
// - The moved days: 2022 the innovation minister's (ITM) decree on 2022's
//   working days (its number not verified here); 2023 none found (no
//   Saturday was a working day that year); 2024 15/2023. (VII. 13.) GFM;
//   2025 11/2024. (IV. 8.) NGM; 2026 10/2025. (IV. 30.) NGM; 2027 no decree
//   found yet.
inline constexpr std::array<Year, 6> years = {{
    {2022, 200000, 260000, 0, 0, 0, 1.125, {40, 80, 90}, false,
        {{{3, 14, false}, {3, 26, true}, {10, 15, true}, {10, 31, false}}}},
    {2023, 232000, 296400, 12, 266800, 326000, 1.125, {40, 80, 90}, true, {}},
    {2024, 266800, 326000, 0, 0, 0, 1.125, {40, 80, 90}, true,
        {{{8, 3, true}, {8, 19, false}, {12, 7, true}, {12, 24, false}, {12, 14, true},
            {12, 27, false}}}},
    {2025, 290800, 348800, 0, 0, 0, 1.125, {40, 80, 90}, true,
        {{{5, 17, true}, {5, 2, false}, {10, 18, true}, {10, 24, false}, {12, 13, true},
            {12, 24, false}}}},
    {2026, 322800, 373200, 0, 0, 0, 1.0, {45, 80, 90}, true,
        {{{1, 10, true}, {1, 2, false}, {8, 8, true}, {8, 21, false}, {12, 12, true},
            {12, 24, false}}}},
    {2027, 0, 0, 0, 0, 0, 1.0, {50, 80, 90}, true, {}},
}};

// The earliest year: a clock before it starts there.
inline constexpr int default_year = 2022;

// The row of the year; the earliest year's when there is none.
constexpr const Year &rules_for(int year)
{
    for (const Year &row : years)
        if (row.year == year)
            return row;
    return years[0];
}

// A data folder that never chose a year starts in today's year when the
// table has it, else in the latest year before it.
constexpr int starting_year(int today_year)
{
    int start = default_year;
    for (const Year &row : years)
        if (row.year <= today_year)
            start = row.year;
    return start;
}

// Public holidays (Mt. 102. § (1)): the fixed ones, as month and day;
// Good Friday, Easter Monday and Whit Monday follow Easter.
inline constexpr std::array<std::pair<int, int>, 8> fixed_holidays
    = {{{1, 1}, {3, 15}, {5, 1}, {8, 20}, {10, 23}, {11, 1}, {12, 25}, {12, 26}}};

// Flat-rate taxation holds while the year's revenue stays within this many
// annual minimum wages (12 times the minimum wage of 1 January): ten, or
// fifty for a trader doing only retail, whose cost ratio is 90 % (Szja tv.
// 52. § (1)-(2), 53. § (1) c)).
inline constexpr int revenue_ceiling_wages = 10;
inline constexpr int retail_revenue_ceiling_wages = 50;
inline constexpr int retail_cost_ratio = 90;

// No SZJA advance is paid while the total since the year's start, or since
// the last quarter that paid one, stays at or under this; it is carried to
// the first quarter above it, or to the annual return (Szja tv. 46. § (9)),
// in every year of the table.
inline constexpr qint32 advance_threshold = 10000;

// The quarter's SZJA advance is due on this day of the month after it, in
// every year of the table: "a negyedévet követő hónap 12-éig" (Szja tv.
// 46. § (9), unchanged since 2010).
inline constexpr int advance_due_day = 12;

// TB and Szocho are due on this day of the month after the month (the
// window's caption in 2022), from 2023 of the month after the quarter,
// with the quarter's return (Art. 50. § (1a)); a due date on a day off
// moves to the next working day (Air. 52. § (4)).
inline constexpr int contributions_due_day = 12;

// The rates, percent, the same in every year of the table.
inline constexpr double szja_percent = 15;
inline constexpr double tb_percent = 18.5;
inline constexpr double szocho_percent = 13;

// The tax-free allowance is this many monthly minimum wages: twelve of them
// halved.
inline constexpr int allowance_wages_per_year = 12;
inline constexpr double allowance_share = 0.5;

// The tax authority's accounts.
inline constexpr const char *szja_account = "10032000-06056353"; // 103
inline constexpr const char *tb_account = "10032000-06055802"; // 406
inline constexpr const char *szocho_account = "10032000-06055912"; // 258

// The declaration: "<yy>58" names the form; its template is
// NAV_<yy>58_*.enyk.
inline constexpr const char *form_number = "58";

// Field codes of the import file.
namespace code {
inline constexpr const char *country = "8131";
inline constexpr const char *szocho_base = "26401[1]";
inline constexpr const char *szocho = "26400[1]";
inline constexpr const char *tb_base = "26413[1]";
inline constexpr const char *tb = "26414[1]";
inline constexpr const char *employment = "26378[1]";
inline constexpr const char *employment_main = "21";
inline constexpr const char *employment_side = "26";
// The taxpayer lines 1 to 23, in order.
inline constexpr std::array<const char *, 23> taxpayer = {"12634", "14361", "21279", "23299",
    "23302", "23328", "23303", "23304", "23305", "23306", "23307", "23308", "23309", "23310",
    "23311", "23313", "23314", "23853", "24026", "24027", "24029", "24030", "24031"};
// Lines 12 to 15 are written only when given.
inline constexpr int first_optional_line = 12;
inline constexpr int last_optional_line = 15;
// The period's first and last day, in the header part and in the sheet.
inline constexpr const char *period_first = "23335";
inline constexpr const char *period_last = "23336";
inline constexpr const char *sheet_period_first = "26384[1]";
inline constexpr const char *sheet_period_last = "26385[1]";
} // namespace code

} // namespace year_rules
