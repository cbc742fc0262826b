#pragma once

#include <array>

// The figures of the flat-rate rules the program implements (2022) and of
// the declaration "2258". A new year's figures change here and in the test
// rows that pin them.
namespace year_rules {

// The master data every run starts from, as the fields show them.
inline constexpr const char *minimum_wage = "200000"; // monthly gross
inline constexpr const char *guaranteed_minimum = "260000"; // G, monthly gross
inline constexpr const char *szja_percent = "15";
inline constexpr const char *tb_percent = "18,5";
inline constexpr const char *szocho_percent = "13";
inline constexpr std::array<const char *, 3> cost_ratios = {"40", "80", "90"};

// The tax-free allowance is this many monthly minimum wages: twelve of them
// halved.
inline constexpr int allowance_wages_per_year = 12;
inline constexpr double allowance_share = 0.5;
// In main employment the Szocho base is at least 112.5 % of G.
inline constexpr double szocho_minimum_factor = 1.125;

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
