#include "evaluation/engine.h"
#include "fuzz_input.h"

#include <cmath>
#include <cstring>

namespace {

// The next value of the fuzzer's bytes, 0 when they ran out.
template<typename T> T take(const uint8_t *&data, size_t &size)
{
    T value {};
    const size_t n = std::min(sizeof(T), size);
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}

} // namespace

// Any master data, year of the table, course, month and revenues: the
// evaluation stays within months 1-12, keeps its bases at or above 0 (G not
// negative), none in a month with no day insured, at least the month's part
// of the minimum, each amount its base times its rate within half a forint,
// and a quarter's payments the sum of its months.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    MasterData master;
    const auto &years = year_rules::years;
    master.year = years[take<uint8_t>(data, size) % years.size()].year;
    master.minimum_wage = take<int32_t>(data, size) % 2000000;
    master.guaranteed_minimum = std::abs(take<int32_t>(data, size) % 2000000);
    master.szja_rate = take<uint8_t>(data, size) / 200.0;
    master.tb_rate = take<uint16_t>(data, size) % 1000 / 1000.0;
    master.szocho_rate = take<uint16_t>(data, size) % 1000 / 1000.0;
    master.cost_ratio = qint16(take<uint8_t>(data, size) % 101);
    master.main_employment = take<uint8_t>(data, size) % 2;
    // A course of the year: its first and last day and up to three
    // periods, taken or not.
    const QDate new_year(master.year, 1, 1);
    master.course.first = new_year.addDays(take<uint16_t>(data, size) % 400);
    master.course.last = new_year.addDays(take<uint16_t>(data, size) % 400);
    for (int n = take<uint8_t>(data, size) % 4; n > 0; --n) {
        const QDate from = new_year.addDays(take<uint16_t>(data, size) % 366);
        master.course.periods.append({from, from.addDays(take<uint8_t>(data, size)),
            CoursePeriod::Kind(take<uint8_t>(data, size) % 4)});
    }
    const bool course_taken = !course_fault(master.course, master.year);
    const int month = int(take<uint8_t>(data, size) % 15) - 1;
    MonthlyRevenue revenue {};
    for (qint32 &r : revenue)
        r = take<int32_t>(data, size) % 100000000;

    const auto result = evaluate(master, revenue, month);
    if (month < 1 || month > 12) {
        MUST(!result);
        return 0;
    }
    if (!result || !year_rules::rules_for(master.year).quarterly)
        return 0;
    MUST(result->tb_base >= 0 && result->szocho_base >= 0);
    // A month with no day insured has no base; one with the minimum owed
    // on some days at least their part of it, never above the whole.
    const MonthCover cover = month_cover(master.course, master.year, master.main_employment, month);
    MUST(result->insured == (cover.insured_days > 0));
    if (!result->insured)
        MUST(result->tb_base == 0 && result->szocho_base == 0);
    const qint64 part = part_minimum(master.guaranteed_minimum, cover);
    MUST(part >= 0 && part <= master.guaranteed_minimum);
    MUST(result->tb_base >= part);
    if (course_taken && cover.minimum_days == cover.days)
        MUST(result->tb_base >= master.guaranteed_minimum);
    MUST(std::abs(result->tb_amount - result->tb_base * master.tb_rate) <= 0.5 + 1e-6);
    MUST(std::abs(result->szocho_amount - result->szocho_base * master.szocho_rate) <= 0.5 + 1e-6);
    if (const auto &totals = result->quarter_totals) {
        qint64 tb = 0, szocho = 0;
        for (int m = month - 2; m <= month; ++m) {
            const auto in_quarter = evaluate(master, revenue, m);
            MUST(in_quarter);
            tb += in_quarter->tb_amount;
            szocho += in_quarter->szocho_amount;
        }
        MUST(totals->tb == tb && totals->szocho == szocho);
        MUST(result->quarter_szja >= 0 && result->quarter_szja_carried >= 0);
    }
    return 0;
}
