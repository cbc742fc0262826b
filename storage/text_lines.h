#pragma once

#include "evaluation/problem.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QFile;
class QFileDevice;
class QIODevice;

// The lines of a data file, as bytes without their line ends.
struct TextLines {
    QList<QByteArray> lines;
    bool has_nul = false; // a NUL byte: not a text file
};

// Opens an existing data file for reading; why not, when it cannot be.
std::optional<FileError> open_for_reading(QFile &file);

// Reads at most `max_lines` lines; CR LF, CR and LF each end a line. A line
// longer than `max_line_length` bytes is cut there (never inside a UTF-8
// character), so that a huge or binary file costs neither time nor memory.
TextLines read_lines(QIODevice &device, int max_lines, int max_line_length = 4096);

// Replaces the file with the bytes only when every byte reached the disk;
// an earlier file stays whole when the write fails.
std::optional<FileError> write_file(const QString &path, const QByteArray &bytes);

// The lines, each ended by CR LF, written as write_file does.
std::optional<FileError> write_lines(const QString &path, const QList<QByteArray> &lines);

// What went wrong with the file, from its error state.
FileError file_error(const QFileDevice &file);

// Removes the temporary copies that a save of `names` interrupted by a kill
// left in the folder ("adat.txt.Ab12Cd").
void remove_leftover_copies(const QString &folder, const QStringList &names);

// "<path>" with the platform's separators, for messages.
QString shown_path(const QString &path);
