#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

// The single-byte code pages the data files use, from the program's own
// tables: no named codec, so a build without ICU converts the same.
namespace charset {

// A line of a data file as text. UTF-8 when it holds a valid multi-byte
// UTF-8 sequence or no byte above 0x7F, each invalid byte then U+FFFD (a
// "?" for the form program); otherwise Windows-1250, as a line without any
// UTF-8 sequence is. A byte-order mark is dropped wherever it stands.
QString decode_line(QByteArrayView line);

QString from_windows1250(QByteArrayView bytes);
// "?" for a character Windows-1250 lacks, which sets `replaced`.
QByteArray to_windows1250(QStringView text, bool *replaced = nullptr);

QString from_iso8859_2(QByteArrayView bytes);
// For the form program, which reads ISO-8859-2: typographic double quotes
// become ", dashes -, the ellipsis ...; any other character without a byte
// becomes "?" and sets `replaced`.
QByteArray to_iso8859_2(QStringView text, bool *replaced = nullptr);

// A line of the length cap, cut off so that no UTF-8 character is split.
void drop_split_character(QByteArray &line);

} // namespace charset

struct ConvertedLines {
    QList<QByteArray> lines; // ISO-8859-2
    QList<int> replaced_lines; // 1-based lines whose value lost a character to "?"
};

// The taxpayer lines, UTF-8 or Windows-1250 each, to the form program's
// ISO-8859-2. Only a replacement in what reaches the declaration counts:
// the value of lines 1 to 23, not a comment and not a later line.
ConvertedLines charset_converter(const QList<QByteArray> &lines);
