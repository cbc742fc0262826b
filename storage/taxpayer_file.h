#pragma once

#include "storage/text_lines.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// Entries 0 to 30; 1 to 24 hold the lines of the taxpayer data file as the
// ISO-8859-2 bytes the declaration is written with.
using TaxpayerLines = QList<QByteArray>;

// The value of each line: cut at the first apostrophe, trailing spaces removed.
TaxpayerLines taxpayer_entries(const QList<QByteArray> &lines);

// Command22: converts adat2.txt into its single-byte copy adat22.txt.
struct Conversion {
    QList<QByteArray> lines; // the converted lines, also when the copy failed
    QList<int> replaced_lines;
    std::optional<FileError> read_error;
    std::optional<FileError> copy_error;
};
Conversion Command22_click(const QString &folder);
