#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class QFile;
class QIODevice;

// The lines of a data file, as bytes without their line ends.
struct TextLines {
    QList<QByteArray> lines;
    bool has_nul = false; // a NUL byte: not a text file
};

// Opens an existing data file for reading; why not, when it cannot be.
std::optional<QString> open_for_reading(QFile &file);

// Reads at most `max_lines` lines; CR LF, CR and LF each end a line. A line
// longer than `max_line_length` bytes is cut there, so that a huge or binary
// file costs neither time nor memory.
TextLines read_lines(QIODevice &device, int max_lines, int max_line_length = 4096);

// Every line is valid UTF-8.
bool is_utf8(const QList<QByteArray> &lines);

// Replaces the file with the bytes only when every byte is written; the
// reason on failure. An earlier file stays whole when the write fails.
std::optional<QString> write_file(const QString &path, const QByteArray &bytes);

// The lines, each ended by CR LF, written as write_file does.
std::optional<QString> write_lines(const QString &path, const QList<QByteArray> &lines);

// "<path>" with the platform's separators, for messages.
QString shown_path(const QString &path);
