#include "evaluation/engine.h"

#include "evaluation/number_text.h"
#include "evaluation/year_rules.h"

#include <QtNumeric>

#include <algorithm>
#include <cmath>
#include <limits>

using number_text::whole32;

std::variant<MasterData, MasterField> read_master_data(const MasterDataTexts &texts)
{
    // From 2023 a wage is above 0 and a rate or the cost ratio 0 to 100 %;
    // 2022 takes any number, as it always did.
    const bool checked = year_rules::rules_for(texts.year).quarterly;
    const auto within_percent = [](double percent) { return percent >= 0 && percent <= 100; };
    MasterData data;
    data.main_employment = texts.main_employment;
    data.year = texts.year;
    if (checked)
        data.course = texts.course;
    const std::pair<const QString &, MasterField> wholes[]
        = {{texts.minimum_wage, MasterField::MinimumWage},
            {texts.guaranteed_minimum, MasterField::GuaranteedMinimum}};
    qint32 *const whole_values[] = {&data.minimum_wage, &data.guaranteed_minimum};
    for (int i = 0; i < 2; ++i) {
        const auto value = number_text::read_whole32(wholes[i].first, number_text::Kind::Forints);
        if (!value || (checked && *value <= 0))
            return wholes[i].second;
        *whole_values[i] = *value;
    }
    const std::pair<const QString &, MasterField> percents[] = {{texts.szja, MasterField::Szja},
        {texts.tb, MasterField::Tb}, {texts.szocho, MasterField::Szocho}};
    double *const rates[] = {&data.szja_rate, &data.tb_rate, &data.szocho_rate};
    for (int i = 0; i < 3; ++i) {
        const auto percent = number_text::read_number(percents[i].first);
        if (!percent || (checked && !within_percent(*percent)))
            return percents[i].second;
        *rates[i] = *percent / 100;
    }
    // A ratio typed with decimals counts as a whole percent.
    const auto cost_ratio = number_text::read_number(texts.cost_ratio);
    const auto ratio = cost_ratio ? number_text::whole16(*cost_ratio) : std::nullopt;
    if (!ratio || (checked && !within_percent(*ratio)))
        return MasterField::CostRatio;
    data.cost_ratio = *ratio;
    return data;
}

MasterDataTexts table_master_texts(int year)
{
    using number_text::grouped;
    const year_rules::Year &rules = year_rules::rules_for(year);
    const auto wage = [](qint32 figure) { return figure ? grouped(figure, 0) : QString(); };
    return {wage(rules.minimum_wage), wage(rules.guaranteed_minimum),
        grouped(year_rules::szja_percent, 0), grouped(year_rules::tb_percent, 1),
        grouped(year_rules::szocho_percent, 0), QString::number(rules.cost_ratios[0]), true,
        rules.year};
}

MasterDataTexts with_table_figures(MasterDataTexts texts)
{
    const MasterDataTexts table = table_master_texts(texts.year);
    const std::pair<QString *, const QString *> fields[]
        = {{&texts.minimum_wage, &table.minimum_wage},
            {&texts.guaranteed_minimum, &table.guaranteed_minimum}, {&texts.szja, &table.szja},
            {&texts.tb, &table.tb}, {&texts.szocho, &table.szocho},
            {&texts.cost_ratio, &table.cost_ratio}};
    for (const auto &[text, figure] : fields)
        if (text->isEmpty())
            *text = *figure;
    return texts;
}

std::optional<MasterField> negative_cause(const MasterData &data)
{
    const std::pair<bool, MasterField> causes[]
        = {{data.minimum_wage < 0, MasterField::MinimumWage},
            {data.guaranteed_minimum < 0, MasterField::GuaranteedMinimum},
            {data.szja_rate < 0, MasterField::Szja}, {data.tb_rate < 0, MasterField::Tb},
            {data.szocho_rate < 0, MasterField::Szocho},
            {data.cost_ratio > 100, MasterField::CostRatio}};
    for (const auto &[negative, field] : causes)
        if (negative)
            return field;
    return std::nullopt;
}

Problem master_data_problem(const MasterDataTexts &texts, MasterField field)
{
    const QString *const shown[] = {&texts.minimum_wage, &texts.guaranteed_minimum, &texts.szja,
        &texts.tb, &texts.szocho, &texts.cost_ratio};
    const QString &text = *shown[int(field)];
    const number_text::Kind kind = field <= MasterField::GuaranteedMinimum
        ? number_text::Kind::Forints
        : number_text::Kind::Number;
    Problem problem {text.trimmed().isEmpty()      ? Problem::What::MasterDataEmpty
            : number_text::read_number(text, kind) ? Problem::What::MasterDataOutOfRange
                                                   : Problem::What::MasterDataNotNumber};
    problem.field = field;
    return problem;
}

int months_taken(int year, int month)
{
    return year_rules::rules_for(year).quarterly ? quarter_of(month) * 3 : month;
}

namespace {

// a / b rounded down, for any sign of a; b > 0.
qint64 floor_div(qint64 a, qint64 b)
{
    return a / b - (a % b != 0 && a < 0 ? 1 : 0);
}

std::optional<qint32> fits32(qint64 value)
{
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(value);
}

// Whole forints, 50 fillér up.
std::optional<qint32> half_up(double value)
{
    return std::isfinite(value) ? whole32(std::floor(value + 0.5)) : std::nullopt;
}

// base × rate in whole forints, 50 fillér up. A rate of whole tenths of a
// percent, as the fields hold it, is applied in whole numbers, so that no
// binary neighbour of a half decides the forint.
std::optional<qint32> amount_half_up(qint64 base, double rate)
{
    const double tenths = rate * 1000;
    const double whole_tenths = std::nearbyint(tenths);
    if (std::abs(tenths - whole_tenths) < 1e-6 && std::abs(whole_tenths) < 1e9)
        return fits32(floor_div(base * qint64(whole_tenths) + 500, 1000));
    return half_up(double(base) * rate);
}

// What the monthly and the quarterly rules share: the revenue and the income
// of each month, the allowance and the share.
struct YearToDate {
    std::array<qint32, 13> ytd_revenue {}; // index 0 unused: the index is the month
    std::array<qint32, 13> monthly_income {};
    qint32 allowance = 0;
    double income_share = 0;
};

// The year-to-date revenue up to `taken`, and the monthly income up to
// `month`: each month carries the growth of the year's income above the
// allowance, rounded by `round`.
std::optional<YearToDate> year_to_month(const MasterData &data,
    const MonthlyRevenue &monthly_revenue, int month, int taken,
    std::optional<qint32> (*round)(double))
{
    YearToDate y;
    qint32 running = 0;
    for (int m = 1; m <= taken; ++m) {
        if (qAddOverflow(running, monthly_revenue[m - 1], &running))
            return std::nullopt;
        y.ytd_revenue[m] = running;
    }

    // Half a year's minimum wages are free of tax.
    qint32 yearly_wage = 0;
    if (qMulOverflow(data.minimum_wage, qint32(year_rules::allowance_wages_per_year), &yearly_wage))
        return std::nullopt;
    const auto tax_free_allowance = round(yearly_wage * year_rules::allowance_share);
    if (!tax_free_allowance)
        return std::nullopt;
    y.allowance = *tax_free_allowance;
    y.income_share = 1 - data.cost_ratio / 100.0;

    qint32 earlier_income = 0;
    for (int m = 1; m <= month; ++m) {
        const auto above = round(y.ytd_revenue[m] * y.income_share - y.allowance);
        if (!above)
            return std::nullopt;
        qint32 v = monthly_revenue[m - 1] == 0 ? 0 : *above;
        if (qSubOverflow(v, earlier_income, &v))
            return std::nullopt;
        y.monthly_income[m] = v > 0 ? v : 0;
        if (qAddOverflow(earlier_income, y.monthly_income[m], &earlier_income))
            return std::nullopt;
    }
    return y;
}

// The month's SZJA: none until the year's income reaches G (main) or the
// allowance (side).
std::optional<qint32> month_szja(
    const MasterData &data, const YearToDate &y, int m, std::optional<qint32> (*round)(double))
{
    const double threshold
        = data.main_employment ? double(data.guaranteed_minimum) : double(y.allowance);
    if (y.ytd_revenue[m] * y.income_share < threshold)
        return 0;
    return round(y.monthly_income[m] * data.szja_rate);
}

// The SZJA advance at the end of the quarter closing with `quarter_end`, by
// the advance due from the year's start to each quarter's end
// (`due_to(end)`): what it adds to the advances already paid is paid once
// it passes the threshold, else carried (Szja tv. 46. § (9)). A drop is
// not refunded: what was paid counts until the advance due passes it again.
struct AdvanceDue {
    qint32 payable = 0;
    qint32 carried = 0;
};
template<typename DueTo>
std::optional<AdvanceDue> quarter_advance(const DueTo &due_to, int quarter_end)
{
    qint64 paid = 0;
    AdvanceDue result;
    for (int end = 3; end <= quarter_end; end += 3) {
        const std::optional<qint64> due = due_to(end);
        if (!due)
            return std::nullopt;
        const auto pending = fits32(std::max<qint64>(0, *due - paid));
        if (!pending)
            return std::nullopt;
        const bool payable = *pending > year_rules::advance_threshold;
        result.payable = payable ? *pending : 0;
        result.carried = payable ? 0 : *pending;
        if (payable)
            paid += *pending;
    }
    return result;
}

// The rules of 2022: every month on its own income, at least G in main
// employment, ties to the even forint.
std::optional<Evaluation> evaluate_monthly(
    const MasterData &data, const MonthlyRevenue &monthly_revenue, int month)
{
    const auto year = year_to_month(data, monthly_revenue, month, month, whole32);
    if (!year)
        return std::nullopt;
    const qint32 G = data.guaranteed_minimum;
    const year_rules::Year &rules = year_rules::rules_for(data.year);

    Evaluation result;
    const qint32 I = year->monthly_income[month];

    const auto szja_amount = month_szja(data, *year, month, whole32);
    if (!szja_amount)
        return std::nullopt;
    result.szja_amount = *szja_amount;

    // Main employment pays at least on G; the Szocho floor is 112.5 % of G,
    // but an income just above G is its own base.
    std::optional<qint32> tb_amount = 0;
    std::optional<qint32> szocho_amount = 0;
    if (data.main_employment) {
        result.tb_base = I > G ? I : G;
        tb_amount = whole32(result.tb_base * data.tb_rate);
        result.szocho_base = I > G ? double(I) : G * rules.szocho_minimum_factor;
        szocho_amount = whole32(result.szocho_base * data.szocho_rate);
    } else if (I > 0) {
        result.tb_base = I;
        tb_amount = whole32(I * data.tb_rate);
        result.szocho_base = I;
        szocho_amount = whole32(I * data.szocho_rate);
    }
    // The declaration carries the base as a whole number.
    if (!tb_amount || !szocho_amount || !whole32(result.szocho_base))
        return std::nullopt;
    result.tb_amount = *tb_amount;
    result.szocho_amount = *szocho_amount;

    // The advance is paid by quarter, each month rounded on its own: the
    // advance due so far is the sum of the months' parts.
    if (month % 3 == 0) {
        std::array<qint64, 13> parts_to {};
        for (int m = 1; m <= month; ++m) {
            const auto part = month_szja(data, *year, m, whole32);
            if (!part)
                return std::nullopt;
            parts_to[m] = parts_to[m - 1] + *part;
        }
        const auto advance = quarter_advance([&](int end) { return parts_to[end]; }, month);
        if (!advance)
            return std::nullopt;
        result.quarter_szja = advance->payable;
        result.quarter_szja_carried = advance->carried;
    }
    return result;
}

// The rules from 2023 (Tbj. 40. § (2)-(3), 42. § (2)): each insured month
// of a quarter takes an equal part of the year's SZJA-liable income up to
// the quarter's end, or the insurance's end within it, less the bases of
// the earlier quarters, divided among the quarter's months with a day
// insured; on the days that owe it, at least the minimum. A month with no
// day insured has no base. Whole forints, 50 fillér up.
std::optional<Evaluation> evaluate_quarterly(
    const MasterData &data, const MonthlyRevenue &monthly_revenue, int month)
{
    const year_rules::Year &rules = year_rules::rules_for(data.year);
    const int quarter_end = months_taken(data.year, month);
    const auto year = year_to_month(data, monthly_revenue, month, quarter_end, half_up);
    if (!year)
        return std::nullopt;

    // The SZJA-liable income from 1 January to the end of month m: the
    // income above the allowance.
    const auto liable = [&](int m) -> qint64 {
        if (m == 0)
            return 0;
        const qint64 income = income_half_up(year->ytd_revenue[m], data.cost_ratio);
        return std::max<qint64>(0, income - year->allowance);
    };

    // The month's minimums: as the field holds it; where it holds the
    // year's G or minimum wage of 1 January, the one in force on the
    // month's first day (Tbj. 4. § 14.).
    const auto minimum = [&](int m) -> qint64 {
        if (rules.raised_from_month == 0 || m < rules.raised_from_month)
            return data.guaranteed_minimum;
        if (data.guaranteed_minimum == rules.guaranteed_minimum)
            return rules.raised_guaranteed_minimum;
        if (data.guaranteed_minimum == rules.minimum_wage)
            return rules.raised_minimum_wage;
        return data.guaranteed_minimum;
    };

    std::array<MonthCover, 13> cover {};
    for (int m = 1; m <= quarter_end; ++m)
        cover[m] = month_cover(data.course, data.year, data.main_employment, m);
    std::array<qint64, 13> tb_base {}, szocho_base {};
    qint64 tb_earlier = 0, szocho_earlier = 0;
    for (int end = 3; end <= quarter_end; end += 3) {
        int insured = 0, last_insured = 0;
        for (int m = end - 2; m <= end; ++m)
            if (cover[m].insured_days > 0) {
                ++insured;
                last_insured = m;
            }
        if (insured == 0)
            continue;
        // An equal part of what the quarter adds, rounded to whole forints.
        const auto share = [&](qint64 earlier) {
            return floor_div(2 * (liable(last_insured) - earlier) + insured, 2 * insured);
        };
        const qint64 tb_share = share(tb_earlier), szocho_share = share(szocho_earlier);
        for (int m = end - 2; m <= end; ++m) {
            if (cover[m].insured_days == 0)
                continue;
            const double szocho_minimum = double(minimum(m)) * rules.szocho_minimum_factor;
            tb_base[m] = std::max(tb_share, part_minimum(double(minimum(m)), cover[m]));
            szocho_base[m] = std::max(szocho_share, part_minimum(szocho_minimum, cover[m]));
        }
        tb_earlier += tb_base[end - 2] + tb_base[end - 1] + tb_base[end];
        szocho_earlier += szocho_base[end - 2] + szocho_base[end - 1] + szocho_base[end];
    }

    Evaluation result;
    const auto tb_month = fits32(tb_base[month]);
    const auto szocho_month = fits32(szocho_base[month]);
    const auto szja_amount = month_szja(data, *year, month, half_up);
    if (!tb_month || !szocho_month || !szja_amount)
        return std::nullopt;
    result.tb_base = *tb_month;
    result.szocho_base = *szocho_month;
    result.szja_amount = *szja_amount;
    const auto tb_amount = amount_half_up(*tb_month, data.tb_rate);
    const auto szocho_amount = amount_half_up(*szocho_month, data.szocho_rate);
    if (!tb_amount || !szocho_amount)
        return std::nullopt;
    result.tb_amount = *tb_amount;
    result.szocho_amount = *szocho_amount;
    result.insured = cover[month].insured_days > 0;

    // At the quarter's end: the advance on the liable income so far, and
    // the quarter's three payments, where a day of it was insured.
    if (month == quarter_end) {
        const auto advance = quarter_advance(
            [&](int end) { return amount_half_up(liable(end), data.szja_rate); }, quarter_end);
        if (!advance)
            return std::nullopt;
        result.quarter_szja = advance->payable;
        result.quarter_szja_carried = advance->carried;
        QuarterTotals totals;
        for (int m = month - 2; m <= month; ++m) {
            const auto tb = amount_half_up(tb_base[m], data.tb_rate);
            const auto szocho = amount_half_up(szocho_base[m], data.szocho_rate);
            if (!tb || !szocho || qAddOverflow(totals.tb, *tb, &totals.tb)
                || qAddOverflow(totals.szocho, *szocho, &totals.szocho))
                return std::nullopt;
        }
        if (cover[month - 2].insured_days + cover[month - 1].insured_days
                + cover[month].insured_days
            > 0)
            result.quarter_totals = totals;
    }
    return result;
}

} // namespace

qint64 income_half_up(qint64 revenue, int cost_ratio)
{
    return floor_div(revenue * (100 - cost_ratio) + 50, 100);
}

std::optional<CeilingExceeded> revenue_ceiling_exceeded(
    const MasterData &data, const MonthlyRevenue &monthly_revenue, int month)
{
    const int wages = data.cost_ratio == year_rules::retail_cost_ratio
        ? year_rules::retail_revenue_ceiling_wages
        : year_rules::revenue_ceiling_wages;
    const qint64 whole = qint64(data.minimum_wage) * year_rules::allowance_wages_per_year * wages;
    // A business that ran only some days of the year has a ceiling by
    // their share (Szja tv. 50. § (8)): rounded down, which compares with a
    // whole revenue as the exact share does.
    const int days_of_year = QDate(data.year, 1, 1).daysInYear();
    const qint64 ceiling = floor_div(whole * activity_days(data.course, data.year), days_of_year);
    // As far as the month's figures take the revenues: from 2023 to its
    // quarter's end.
    const int last = month < 1 ? 0 : months_taken(data.year, std::min(month, 12));
    std::array<qint64, 13> running {};
    for (int m = 1; m <= last; ++m)
        running[m] = running[m - 1] + monthly_revenue[m - 1];
    if (last < 1 || running[last] <= ceiling)
        return std::nullopt;
    // The month from which the revenue stayed above it.
    int first = last;
    while (first > 1 && running[first - 1] > ceiling)
        --first;
    return CeilingExceeded {first, running[first], ceiling};
}

QList<int> revenue_while_not_running(
    const MasterData &data, const MonthlyRevenue &monthly_revenue, int month)
{
    QList<int> months;
    const int last = month < 1 ? 0 : months_taken(data.year, std::min(month, 12));
    for (int m = 1; m <= last; ++m) {
        if (monthly_revenue[m - 1] != 0
            && month_cover(data.course, data.year, true, m).running_days == 0)
            months << m;
    }
    return months;
}

bool cost_ratio_of_the_year(const MasterData &data)
{
    const year_rules::Year &rules = year_rules::rules_for(data.year);
    return !rules.quarterly
        || std::find(rules.cost_ratios.begin(), rules.cost_ratios.end(), data.cost_ratio)
        != rules.cost_ratios.end();
}

std::optional<Evaluation> evaluate(
    const MasterData &data, const MonthlyRevenue &monthly_revenue, int month)
{
    if (month < 1 || month > 12)
        return std::nullopt;
    if (year_rules::rules_for(data.year).quarterly)
        return evaluate_quarterly(data, monthly_revenue, month);
    return evaluate_monthly(data, monthly_revenue, month);
}
