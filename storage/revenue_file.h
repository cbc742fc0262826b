#pragma once

#include "evaluation/engine.h"
#include "storage/text_lines.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// adat.txt: the twelve revenue fields' texts, one a line.
struct RevenueFile {
    enum class State {
        Loaded,
        Created,
        NotCreated,
        // Could not be read and stays as it is: a save must not replace it
        // without the user's say.
        Unreadable,
        // Could not be read; its bytes were moved to `moved_to` and a new
        // empty file took its place.
        MovedAside,
    };
    // A line that is no 32-bit number, and what a month command takes from it.
    struct BadLine {
        int month = 0;
        QString text;
        std::optional<qint32> taken; // nothing: too large, refused
    };
    State state = State::Loaded;
    QStringList texts; // twelve, as read; empty for missing lines
    MonthlyRevenue revenue {}; // their values, 0 where a text is no number
    QList<BadLine> bad_lines;
    std::optional<FileError> error; // why it could not be read or created
    QString moved_to;
};

// Reads the file, or creates it with 36 empty lines when there is none.
RevenueFile load_revenue_file(const QString &path);

// Replaces the file with the twelve texts. A number is written in one form
// (digits, "-", 0xA0 between the groups) whatever blanks the field shows.
std::optional<FileError> save_revenue_file(const QString &path, const QStringList &texts);
