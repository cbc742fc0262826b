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

// The taxpayer data beside the program. adat2.txt is read line by line,
// converted for the form program and copied into adat22.txt.
struct TaxpayerData {
    bool present = false; // adat2.txt exists: the export can be used
    TaxpayerLines lines = TaxpayerLines(31);
    QList<Problem> problems; // what the user must know, in order
};
TaxpayerData read_taxpayer_data(const QString &folder);
