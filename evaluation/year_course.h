#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

// How a trader's business went in a tax year: its first and last day in the
// year, and periods within them in which it did not run in the main
// employment state. Days of the business in no period follow the "fő" or
// "mellék" choice of the master data.
struct CoursePeriod {
    enum class Kind {
        Suspended, // szünetel: no insurance (Szocho tv. 9. § (4))
        Benefit, // táppénz, CSED, GYED…: insured, no minimum (Tbj. 40. § (4)-(5))
        Side, // 36-hour employment or full-time study: insured, no minimum
              // (Tbj. 42. § (2), (10); Szocho tv. 9. § (5)-(6))
        Pension, // beside an old-age pension: not insured (Tbj. 6. § (1),
                 // Szocho tv. 5. § (1) a))
    };
    QDate from, to; // both days included
    Kind kind = Kind::Suspended;

    friend bool operator==(const CoursePeriod &, const CoursePeriod &) = default;
};

struct YearCourse {
    // Empty dates stand for the year's first and last day: the default
    // course is the whole year.
    QDate first, last;
    QList<CoursePeriod> periods; // in the order of their first days

    friend bool operator==(const YearCourse &, const YearCourse &) = default;
};

// What a day of the year was: outside the business, suspended, beside a
// pension, on a benefit, in side or in main employment.
enum class DayState { Outside, Suspended, Pension, Benefit, Side, Main };

// The first and last day of the business in `year`.
QDate course_first(const YearCourse &course, int year);
QDate course_last(const YearCourse &course, int year);
bool whole_year(const YearCourse &course, int year);

DayState day_state(const YearCourse &course, bool main_employment, QDate day);

// The days of a month the business ran (not suspended), of them the
// insured ones and of those the ones that owe the minimum, and the month's
// length.
struct MonthCover {
    int running_days = 0;
    int insured_days = 0;
    int minimum_days = 0;
    int days = 0;
};
MonthCover month_cover(const YearCourse &course, int year, bool main_employment, int month);

// The month's minimum base: the whole minimum when every day of the month
// owes it, else a thirtieth of it for each such day (Tbj. 40. § (5),
// Szocho tv. 8. § (3)), rounded once, 50 fillér up.
qint64 part_minimum(double whole_minimum, const MonthCover &cover);

// The days the business ran in the year: its days less the suspended ones
// (Szja tv. 50. § (8)).
int activity_days(const YearCourse &course, int year);

// Why a course cannot be taken: a day outside the year, a last day before
// the first, a period that ends before it starts, reaches outside the
// business's days or overlaps another.
struct CourseFault {
    enum class What {
        FirstOutsideYear,
        LastOutsideYear,
        LastBeforeFirst,
        PeriodReversed,
        PeriodOutside,
        PeriodsOverlap
    };
    What what;
    int period = -1; // the period at fault, from 0
    int other = -1; // the one it overlaps
    friend bool operator==(const CourseFault &, const CourseFault &) = default;
};
std::optional<CourseFault> course_fault(const YearCourse &course, int year);

// The course in one line as kept in the settings:
// "2026-05-15/2026-12-31;2026-07-01/2026-07-31/ellatas"; and back, nothing
// when the text is not one. The whole year reads back as the default course.
QString course_text(const YearCourse &course, int year);
std::optional<YearCourse> read_course_text(const QString &text, int year);

// The course in words, "2026: május 15-től; július 1–31. ellátás"; empty for
// the whole year.
QString course_description(const YearCourse &course, int year);
