#pragma once

#include "evaluation/problem.h"
#include "storage/revenue_file.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Where each tax year's revenues live, in the format of adat.txt. The year
// in use's are in adat.txt, read at the start and written at the exit;
// every other year's are beside it in a file named for the year,
// "adat_<year>.txt". At rest each year is in exactly one of them.
//
// A change of year replaces whole files in an order that leaves every year
// in a file whenever the program is killed: the year left is written to its
// own file first, and the year in use's own file, when one is left over, is
// its newer copy, which the start takes over adat.txt.

QString revenue_path(const QString &folder);
QString year_revenue_path(const QString &folder, int year);

// The names of every year's file, for the start's clean-up of copies that
// a kill left behind.
QStringList year_revenue_file_names();

// The year in use and its revenues, as the start finds them.
struct YearInUse {
    int year = 0;
    RevenueFile file; // with adat.txt's stamp, which the exit's guard checks
    // The year's own file could not be read: named, kept aside when it can
    // be, and adat.txt read instead.
    std::optional<Problem> own_file_problem;
};
// `chosen` is the year kept in pennaro.ini. A folder that never kept one is
// in the year in which its adat.txt's revenues were last saved, or, when it
// holds none, in today's; either as the table has it.
YearInUse load_year_in_use(const QString &folder, std::optional<int> chosen, int today_year);

// The user chose `chosen` while `left` was in use with `left_texts` in the
// fields: the left year is written to its own file, the chosen year's
// revenues are read from theirs and written to adat.txt, the choice is kept
// in pennaro.ini, and the chosen year's own file goes. `chosen_in` is the
// calendar year of the choice, kept when it is later than the year chosen.
struct YearChange {
    // The chosen year's revenues, as adat.txt now holds them; its problem
    // names a file that could not be read and was moved aside.
    RevenueFile chosen;
    // Why the change stopped: the year in use is still the left one, with
    // its texts safe in its own file. `chosen.stamp` is adat.txt's when it
    // was replaced all the same.
    std::optional<Problem> stopped;
};
YearChange change_year(const QString &folder, int left, const QStringList &left_texts, int chosen,
    std::optional<int> chosen_in);

// After adat.txt was saved: the year in use's own file, left over from a
// change cut short, is no longer needed. The first save of a folder that
// never kept its year keeps it.
std::optional<Problem> settle_year_in_use(const QString &folder, int year);

// A year's revenues read without changing any file, for a look at a year
// not in use: empty texts when it has no file.
struct YearRevenues {
    QStringList texts = QStringList(12, QString());
    std::optional<Problem> problem; // the file cannot be read
};
YearRevenues read_year_revenues(const QString &folder, int year);

// The years of the table whose file holds a revenue.
QList<int> years_with_revenues(const QString &folder);
