#include "evaluation/engine.h"

#include "evaluation/number_text.h"
#include "evaluation/year_rules.h"

#include <QtNumeric>

using number_text::whole32;

std::variant<MasterData, MasterField> read_master_data(const MasterDataTexts &texts)
{
    MasterData data;
    data.main_employment = texts.main_employment;
    const std::pair<const QString &, MasterField> wholes[]
        = {{texts.minimum_wage, MasterField::MinimumWage},
            {texts.guaranteed_minimum, MasterField::GuaranteedMinimum}};
    qint32 *const whole_values[] = {&data.minimum_wage, &data.guaranteed_minimum};
    for (int i = 0; i < 2; ++i) {
        const auto value = number_text::read_whole32(wholes[i].first, number_text::Kind::Forints);
        if (!value)
            return wholes[i].second;
        *whole_values[i] = *value;
    }
    const std::pair<const QString &, MasterField> percents[] = {{texts.szja, MasterField::Szja},
        {texts.tb, MasterField::Tb}, {texts.szocho, MasterField::Szocho}};
    double *const rates[] = {&data.szja_rate, &data.tb_rate, &data.szocho_rate};
    for (int i = 0; i < 3; ++i) {
        const auto percent = number_text::read_number(percents[i].first);
        if (!percent)
            return percents[i].second;
        *rates[i] = *percent / 100;
    }
    // A ratio typed with decimals counts as a whole percent.
    const auto cost_ratio = number_text::read_number(texts.cost_ratio);
    const auto ratio = cost_ratio ? number_text::whole16(*cost_ratio) : std::nullopt;
    if (!ratio)
        return MasterField::CostRatio;
    data.cost_ratio = *ratio;
    return data;
}

std::optional<Evaluation> evaluate(
    const MasterData &data, const MonthlyRevenue &monthly_revenue, int month)
{
    if (month < 1 || month > 12)
        return std::nullopt;
    const qint32 G = data.guaranteed_minimum;

    // Index 0 is unused so that the index is the month.
    std::array<qint32, 13> ytd_revenue {};
    std::array<qint32, 13> monthly_income {};

    qint32 running = 0;
    for (int m = 1; m <= month; ++m) {
        if (qAddOverflow(running, monthly_revenue[m - 1], &running))
            return std::nullopt;
        ytd_revenue[m] = running;
    }

    // Half a year's minimum wages are free of tax.
    qint32 yearly_wage = 0;
    if (qMulOverflow(data.minimum_wage, qint32(year_rules::allowance_wages_per_year), &yearly_wage))
        return std::nullopt;
    const auto tax_free_allowance = whole32(yearly_wage * year_rules::allowance_share);
    if (!tax_free_allowance)
        return std::nullopt;
    const double income_share = 1 - data.cost_ratio / 100.0;

    // Each month carries the growth of the year's income above the allowance.
    qint32 earlier_income = 0;
    for (int m = 1; m <= month; ++m) {
        const auto above = whole32(ytd_revenue[m] * income_share - *tax_free_allowance);
        if (!above)
            return std::nullopt;
        qint32 v = monthly_revenue[m - 1] == 0 ? 0 : *above;
        if (qSubOverflow(v, earlier_income, &v))
            return std::nullopt;
        monthly_income[m] = v > 0 ? v : 0;
        if (qAddOverflow(earlier_income, monthly_income[m], &earlier_income))
            return std::nullopt;
    }

    // No SZJA until the year's income reaches G (main) or the allowance (side).
    const double threshold = data.main_employment ? double(G) : double(*tax_free_allowance);
    auto month_szja = [&](int m) -> std::optional<qint32> {
        const double x = ytd_revenue[m] * income_share;
        if (x < threshold)
            return 0;
        return whole32(monthly_income[m] * data.szja_rate);
    };

    Evaluation result;
    const qint32 I = monthly_income[month];

    const auto szja_amount = month_szja(month);
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
        result.szocho_base = I > G ? double(I) : G * year_rules::szocho_minimum_factor;
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

    // The advance is paid by quarter; each month is rounded on its own.
    if (month % 3 == 0) {
        qint32 quarter = 0;
        for (int m : {month - 1, month - 2, month}) {
            const auto part = month_szja(m);
            if (!part || qAddOverflow(quarter, *part, &quarter))
                return std::nullopt;
        }
        result.quarter_szja = quarter;
    }
    return result;
}
