#include "evaluation/year_course.h"

#include "evaluation/number_text.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

using number_text::month_name;

// The settings' words for the kinds, in the order of CoursePeriod::Kind.
const char *const kind_keys[] = {"szunetel", "ellatas", "mellek", "nyugdijas"};
const char *const kind_words[] = {"szünetel", "ellátás", "mellék", "nyugdíjas"};

// "15-től", "20-tól": by the last number word spoken (tizenöt, húsz).
QString day_from(int day)
{
    static const bool back_units[]
        = {false, false, false, true, false, false, true, false, true, false};
    const bool back = day % 10 ? back_units[day % 10] : day >= 20;
    return QStringLiteral("%1-%2").arg(day).arg(
        back ? QStringLiteral("tól") : QStringLiteral("től"));
}

} // namespace

QDate course_first(const YearCourse &course, int year)
{
    return course.first.isValid() ? course.first : QDate(year, 1, 1);
}

QDate course_last(const YearCourse &course, int year)
{
    return course.last.isValid() ? course.last : QDate(year, 12, 31);
}

bool whole_year(const YearCourse &course, int year)
{
    return course.periods.isEmpty() && course_first(course, year) == QDate(year, 1, 1)
        && course_last(course, year) == QDate(year, 12, 31);
}

DayState day_state(const YearCourse &course, bool main_employment, QDate day)
{
    if (day < course_first(course, day.year()) || day > course_last(course, day.year()))
        return DayState::Outside;
    for (const CoursePeriod &period : course.periods)
        if (day >= period.from && day <= period.to) {
            switch (period.kind) {
            case CoursePeriod::Kind::Suspended:
                return DayState::Suspended;
            case CoursePeriod::Kind::Benefit:
                return DayState::Benefit;
            case CoursePeriod::Kind::Side:
                return DayState::Side;
            case CoursePeriod::Kind::Pension:
                return DayState::Pension;
            }
        }
    return main_employment ? DayState::Main : DayState::Side;
}

MonthCover month_cover(const YearCourse &course, int year, bool main_employment, int month)
{
    MonthCover cover;
    const QDate first(year, month, 1);
    cover.days = first.daysInMonth();
    for (int d = 0; d < cover.days; ++d) {
        const DayState state = day_state(course, main_employment, first.addDays(d));
        if (state != DayState::Outside && state != DayState::Suspended)
            ++cover.running_days;
        if (state == DayState::Benefit || state == DayState::Side || state == DayState::Main)
            ++cover.insured_days;
        if (state == DayState::Main)
            ++cover.minimum_days;
    }
    return cover;
}

qint64 part_minimum(double whole_minimum, const MonthCover &cover)
{
    // The product is a whole number of eighths at most, exact in a double:
    // a half is a true half, and the division by 30 rounds only once.
    const double days = cover.minimum_days == cover.days ? 30 : cover.minimum_days;
    return qint64(std::floor(whole_minimum * days / 30 + 0.5));
}

int activity_days(const YearCourse &course, int year)
{
    int days = 0;
    for (int month = 1; month <= 12; ++month)
        days += month_cover(course, year, true, month).running_days;
    return days;
}

std::optional<CourseFault> course_fault(const YearCourse &course, int year)
{
    using What = CourseFault::What;
    const auto in_year = [year](QDate day) { return day.isValid() && day.year() == year; };
    const QDate first = course_first(course, year), last = course_last(course, year);
    if (!in_year(first))
        return CourseFault {What::FirstOutsideYear};
    if (!in_year(last))
        return CourseFault {What::LastOutsideYear};
    if (last < first)
        return CourseFault {What::LastBeforeFirst};
    for (int i = 0; i < course.periods.size(); ++i) {
        const CoursePeriod &period = course.periods[i];
        if (!period.from.isValid() || !period.to.isValid() || period.to < period.from)
            return CourseFault {What::PeriodReversed, i};
        if (period.from < first || period.to > last)
            return CourseFault {What::PeriodOutside, i};
        for (int j = 0; j < i; ++j)
            if (period.from <= course.periods[j].to && course.periods[j].from <= period.to)
                return CourseFault {What::PeriodsOverlap, i, j};
    }
    return std::nullopt;
}

QString course_text(const YearCourse &course, int year)
{
    const auto iso = [](QDate day) { return day.toString(Qt::ISODate); };
    QStringList parts {iso(course_first(course, year)) + u'/' + iso(course_last(course, year))};
    for (const CoursePeriod &period : course.periods)
        parts << iso(period.from) + u'/' + iso(period.to) + u'/'
                + QString::fromLatin1(kind_keys[int(period.kind)]);
    return parts.join(u';');
}

std::optional<YearCourse> read_course_text(const QString &text, int year)
{
    const QStringList parts = text.split(u';');
    const auto day = [](const QString &iso) { return QDate::fromString(iso, Qt::ISODate); };
    YearCourse course;
    const QStringList business = parts[0].split(u'/');
    if (business.size() != 2)
        return std::nullopt;
    course.first = day(business[0]);
    course.last = day(business[1]);
    if (!course.first.isValid() || !course.last.isValid())
        return std::nullopt;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QStringList fields = parts[i].split(u'/');
        if (fields.size() != 3)
            return std::nullopt;
        const auto key = std::find_if(std::begin(kind_keys), std::end(kind_keys),
            [&](const char *k) { return fields[2] == QLatin1String(k); });
        CoursePeriod period {day(fields[0]), day(fields[1])};
        if (key == std::end(kind_keys) || !period.from.isValid() || !period.to.isValid())
            return std::nullopt;
        period.kind = CoursePeriod::Kind(key - std::begin(kind_keys));
        course.periods.append(period);
    }
    return whole_year(course, year) ? YearCourse() : course;
}

QString course_description(const YearCourse &course, int year)
{
    if (whole_year(course, year))
        return {};
    const QDate first = course_first(course, year), last = course_last(course, year);
    const auto day
        = [](QDate date) { return month_name(date.month()) + u' ' + QString::number(date.day()); };
    QStringList parts;
    const bool starts = first != QDate(year, 1, 1), ends = last != QDate(year, 12, 31);
    if (starts && ends)
        parts << QStringLiteral("%1 %2-ig")
                     .arg(month_name(first.month()) + u' ' + day_from(first.day()), day(last));
    else if (starts)
        parts << month_name(first.month()) + u' ' + day_from(first.day());
    else if (ends)
        parts << day(last) + QStringLiteral("-ig");
    for (const CoursePeriod &period : course.periods) {
        const QString span = period.from.month() == period.to.month()
            ? QStringLiteral("%1–%2.").arg(day(period.from)).arg(period.to.day())
            : QStringLiteral("%1.–%2.").arg(day(period.from), day(period.to));
        parts << span + u' ' + QString::fromUtf8(kind_words[int(period.kind)]);
    }
    return QStringLiteral("%1: %2").arg(year).arg(parts.join(QStringLiteral("; ")));
}
