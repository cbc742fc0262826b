#pragma once

#include "evaluation/engine.h"
#include "evaluation/problem.h"

#include <QString>

#include <optional>

// The choices kept in the data folder beside adat.txt (whose format stays),
// in "pennaro.ini": the tax year, one line "adoev=<year>"; the calendar year
// in which the user last chose an earlier tax year, "adoev_valasztva=<year>";
// and from 2023 the master data set for each year, lines
// "<year>.<field>=<text>", the year's course among them
// ("<year>.menet=2026-05-15/2026-12-31;…") when it is not the whole year.

// The year chosen; nothing when nothing was chosen. When the file cannot
// be read (`error`) or names no year of the table (`text` its line), no
// year either, and the problem says so.
struct YearChoice {
    std::optional<int> year;
    std::optional<Problem> problem;
    // The calendar year in which an earlier tax year was chosen: a new
    // calendar year is told until the user chooses in it.
    std::optional<int> chosen_in;
};
YearChoice read_year_choice(const QString &folder);

// Keeps the choice, replacing the file in one step; the other lines stay.
// `chosen_in`, the calendar year of the choice, is kept when given. With
// `forget_master`, the master data kept for the year go: its figures are
// the table's again.
std::optional<Problem> save_year_choice(
    const QString &folder, int year, std::optional<int> chosen_in, bool forget_master);

// Keeps the year when the file names none yet and can be read; the other
// lines stay.
std::optional<Problem> keep_year_if_unset(const QString &folder, int year);

// The master data kept for the year, as the fields showed them; no texts
// when none were kept. A field not kept comes back empty, and so does one
// whose line does not read as its field's figure (or has no "="): the
// problem names those lines.
struct KeptMasterData {
    std::optional<MasterDataTexts> texts;
    std::optional<Problem> problem;
};
KeptMasterData read_master_choice(const QString &folder, int year);

// Keeps the master data of `texts.year`, replacing the file in one step;
// a field empty or not its kind of figure is not kept.
std::optional<Problem> save_master_choice(const QString &folder, const MasterDataTexts &texts);
