#pragma once

#include <QByteArray>
#include <QList>

struct ConvertedLines {
    QList<QByteArray> lines; // one byte per character
    QList<int> replaced_lines; // 1-based lines where a character became "?"
};

// UTF-8 lines to single bytes for the form program. Windows-1252 serves
// most letters; ő, Ő, ű and Ű become their ISO-8859-2 bytes, which the form
// program reads, and the other Hungarian letters have the same bytes in
// both. A leading byte-order mark is dropped. Lines that are not valid
// UTF-8 are taken as already single-byte (Windows-1250) and kept as they are.
ConvertedLines charset_converter(QList<QByteArray> lines);
