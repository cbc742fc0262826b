#pragma once

#include "evaluation/problem.h"

#include <QString>

#include <optional>

// The tax year the user chose, kept in the data folder beside adat.txt
// (whose format stays) in "pennaro.ini", one line "adoev=<year>".

// The year chosen; nothing when nothing was chosen, or the file cannot be
// read or names a year without rules.
std::optional<int> read_year_choice(const QString &folder);

// Keeps the choice, replacing the file in one step.
std::optional<Problem> save_year_choice(const QString &folder, int year);
