#pragma once

#include "evaluation/engine.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// adat.txt: the twelve revenue fields' texts, one a line.
struct RevenueFile {
    enum class State { Loaded, Created, Unreadable, NotCreated };
    State state = State::Loaded;
    QStringList texts; // twelve, as read; empty for missing lines
    MonthlyRevenue revenue {}; // their values, 0 where a text is no number
    QList<int> bad_months; // months whose text is no 32-bit number
    QString reason; // why it is unreadable or was not created
};

// Reads the file, or creates it with 36 empty lines when there is none.
RevenueFile load_revenue_file(const QString &path);

// Replaces the file with the twelve texts; the reason on failure.
std::optional<QString> save_revenue_file(const QString &path, const QStringList &texts);
