#pragma once

#include "evaluation/engine.h"
#include "evaluation/problem.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

// adat.txt: the twelve revenue fields' texts, one a line.
struct RevenueFile {
    QStringList texts; // twelve, as read; empty for missing lines
    MonthlyRevenue revenue {}; // their values, 0 where a text is no number
    // What the user must know: the file could not be created or read,
    // lines that are no 32-bit number, text after the twelfth line.
    QList<Problem> problems;
    // The file could not be read and stays as it is: a save must not
    // replace it without the user's say.
    bool ask_before_saving = false;
    // The file as it was left by the load; see file_stamp().
    QByteArray stamp;
};

// Reads the file, or creates it with 36 empty lines when there is none. A
// file that cannot be read is moved aside when it can be, never replaced.
RevenueFile load_revenue_file(const QString &path);

// The file's texts and values, read without changing it; why not, when it
// cannot be read.
std::variant<RevenueFile, FileError> read_revenue_file(const QString &path);

// Replaces the file with the twelve texts. A number is written in one form
// (digits, "-", 0xA0 between the groups) whatever blanks the field shows.
// Windows-1250, or UTF-8 when a text has a character Windows-1250 lacks.
std::optional<Problem> save_revenue_file(const QString &path, const QStringList &texts);
