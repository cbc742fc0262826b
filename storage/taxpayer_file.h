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

// The taxpayer data in the data folder: adat2.txt read line by line and
// converted for the form program.
struct TaxpayerData {
    bool present = false; // adat2.txt exists: the export can be used
    TaxpayerLines lines = TaxpayerLines(31);
    // The converted lines, the bytes of adat22.txt; nothing when adat2.txt
    // cannot be read, and adat22.txt stays as it is.
    std::optional<QByteArray> copy;
    QList<Problem> problems; // what the user must know, in order
    QFileDevice::Permissions mode; // adat2.txt's, for its copy
};
TaxpayerData read_taxpayer_data(const QString &folder);

// Writes adat22.txt with `mode`, only when it does not hold these bytes
// with that mode already. Its owner may always read and write it.
std::optional<Problem> write_taxpayer_copy(
    const QString &folder, const QByteArray &copy, QFileDevice::Permissions mode);
