#pragma once

#include "platform/platform.h"
#include "storage/text_lines.h"

#include <QList>

#include <optional>

class fo;

// A file error as the user reads it, in a message's brackets.
QString file_reason(FileError error);

// Command16 "torol": empties the twelve revenue fields.
void Command16_click(fo &window);

// Command18 "adat_be": puts the saved revenues into the fields and into
// `monthly_revenue`, or creates the file. What the user must know of it.
std::optional<Notice> Command18_click(fo &window);

// Command17 "adat_ki": saves the revenue fields. The message on failure.
std::optional<Notice> Command17_click(fo &window);

// Enables the export when adat2.txt exists and reads the taxpayer data.
QList<Notice> read_taxpayer_data(fo &window);

// The revenue fields differ from what adat.txt holds.
bool revenues_changed(const fo &window);
