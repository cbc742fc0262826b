#pragma once

#include <QtGlobal>

#include <array>

// The figures of the flat-rate rules, year by year, and of the declaration
// "2258". A new year is a new row here and new test rows that pin it.
namespace year_rules {

// The figures of one tax year. The master data start from them, as the
// fields show them; the user may type others over them.
struct Year {
    int year;
    const char *minimum_wage; // monthly gross on 1 January
    const char *guaranteed_minimum; // G, monthly gross on 1 January
    // Where G rose within the year: from this month's first day (0: it did
    // not) to this. The minimum wage rose with it, but the allowance keeps
    // the figure of 1 January, so no month needs it.
    int raised_from_month;
    qint32 raised_guaranteed_minimum;
    // In main employment the Szocho base is at least G times this.
    double szocho_minimum_factor;
    std::array<const char *, 3> cost_ratios; // the first is the default
    // From 2023 the TB and Szocho bases are set by quarter.
    bool quarterly;
    // The quarter's SZJA advance is due on this day of the month after it.
    int szja_due_day;
};

// One row a year, each with its sources.
// - Minimum wage and G: government decrees (Korm. rendelet) 703/2021 (2022),
//   573/2022 (2023), 508/2023 (in force from 2023-12-01: 266 800 and
//   326 000 for December 2023, and the figures of 2024), 394/2024 (2025),
//   426/2025 (2026).
// - The Szocho minimum: Szocho tv. 8. § (3), 112,5 % of G; from 2026 the
//   minimum itself, the 112,5 % rule repealed (Szocho tv. 6. § (2)).
// - The quarterly bases: Tbj. 40. § (2)-(3) (main employment, at least the
//   minimum every month) and 42. § (2) (side employment, no minimum).
// - The cost ratios 40/80/90 %, and 45/80/90 % from 2026: the sole
//   trader's flat-rate (átalányadó) rules of the Szja tv., as amended for
//   2026 (50 % from 2027 is not here yet).
// - The SZJA advance: by the 20th of the month after the quarter in 2022, as
//   the window has always said; from 2023 by the 12th (Szja tv. 46. § (9)).
// The rates (15 / 18,5 / 13 %) and the allowance (half the annual minimum
// wage of 1 January, Szja tv.) are the same in every year.
inline constexpr std::array<Year, 5> years = {{
    {2022, "200000", "260000", 0, 0, 1.125, {"40", "80", "90"}, false, 20},
    {2023, "232000", "296400", 12, 326000, 1.125, {"40", "80", "90"}, true, 12},
    {2024, "266800", "326000", 0, 0, 1.125, {"40", "80", "90"}, true, 12},
    {2025, "290800", "348800", 0, 0, 1.125, {"40", "80", "90"}, true, 12},
    {2026, "322800", "373200", 0, 0, 1.0, {"45", "80", "90"}, true, 12},
}};

// A data folder that never chose a year starts here.
inline constexpr int default_year = 2022;

// The row of the year; the default year's when there is none.
constexpr const Year &rules_for(int year)
{
    for (const Year &row : years)
        if (row.year == year)
            return row;
    return years[0];
}

// TB and Szocho are due on this day of the month after the month (the
// window's caption in 2022), from 2023 of the month after the quarter,
// with the quarter's return (Art. 50. § (1a)).
inline constexpr int contributions_due_day = 12;

inline constexpr const char *szja_percent = "15";
inline constexpr const char *tb_percent = "18,5";
inline constexpr const char *szocho_percent = "13";

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
