#pragma once

#include "evaluation/engine.h"
#include "evaluation/problem.h"

#include <QString>

#include <optional>

// The choices kept in the data folder beside adat.txt (whose format stays),
// in "pennaro.ini": the tax year, one line "adoev=<year>", and from 2023 the
// master data set for each year, lines "<year>.<field>=<text>".

// The year chosen; nothing when nothing was chosen. When the file cannot
// be read (`error`) or names no year of the table (`text` its line), no
// year either, and the problem says so.
struct YearChoice {
    std::optional<int> year;
    std::optional<Problem> problem;
};
YearChoice read_year_choice(const QString &folder);

// Keeps the choice, replacing the file in one step, and forgets the master
// data kept for that year; the other lines stay.
std::optional<Problem> save_year_choice(const QString &folder, int year);

// The master data kept for the year, as the fields showed them; nothing
// when none were kept. A field not kept comes back empty.
std::optional<MasterDataTexts> read_master_choice(const QString &folder, int year);

// Keeps the master data of `texts.year`, replacing the file in one step.
std::optional<Problem> save_master_choice(const QString &folder, const MasterDataTexts &texts);
