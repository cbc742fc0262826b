#pragma once

#include "evaluation/problem.h"

#include <QByteArray>
#include <QFileDevice>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QFile;
class QIODevice;

// The lines of a data file, as bytes without their line ends.
struct TextLines {
    QList<QByteArray> lines;
    bool has_nul = false; // a NUL byte: not a text file
    int nul_line = 0; // the number of the first line that holds one
    QList<int> cut_lines; // numbers of the lines longer than the bound, cut
    QList<int> doubled_ends; // numbers of the lines that ended CR CR LF
};

// Opens an existing regular file for reading; why not, when it cannot be.
std::optional<FileError> open_for_reading(QFile &file);

// Reads at most `max_lines` lines; CR LF, CR, LF and CR CR LF each end a
// line. A line longer than `max_line_length` bytes is cut there (never
// inside a UTF-8 character) and its rest skipped, and reading stops after
// 64 MiB, so that a huge or binary file costs neither time nor memory.
TextLines read_lines(QIODevice &device, int max_lines, int max_line_length = 4096);

// Replaces the file with the bytes only when every byte reached the disk;
// an earlier file stays whole when the write fails, and so does a file the
// user made read-only. The bytes go first to a new
// "<path>.pennaro-mentes-XXXXXX"; a link at `path` is replaced, not
// followed. The file gets `mode`, else the mode of the file it replaces,
// else the user's default.
std::optional<FileError> write_file(const QString &path, const QByteArray &bytes,
    std::optional<QFileDevice::Permissions> mode = std::nullopt);

// The lines, each ended by CR LF, written as write_file does.
std::optional<FileError> write_lines(const QString &path, const QList<QByteArray> &lines);

// Moves a file that cannot be used to a free name beside it,
// "<name>_olvashatatlan.<suffix>"; that name, or nothing when it could not
// be moved.
std::optional<QString> move_aside(const QString &path);

// Where a chain of links at `path` ends (the path itself when it is no
// link), whether or not a file is there yet.
QString link_target(const QString &path);

// What went wrong with the file, from its error state.
FileError file_error(const QFileDevice &file);
// The same from a system error number.
FileError errno_error(int code);

// Removes the temporary copies that a save of `names` interrupted by a kill
// left in the folder ("adat.txt.pennaro-mentes-XXXXXX"), and nothing else.
void remove_leftover_copies(const QString &folder, const QStringList &names);

// Makes `path` an empty regular file for a process's error output: what
// lies there that is not one (a FIFO, a device, a link) is removed first,
// and nothing blocks. Why not, when it cannot be (a folder of that name).
std::optional<FileError> prepare_log(const QString &path);

// What tells a file's versions apart: its size, its time and its bytes;
// empty when there is no file. A save compares it with what it last saw.
QByteArray file_stamp(const QString &path);

// The last `count` lines of a text file, read from its last 4 KiB.
QString last_lines(const QString &path, int count);

// "<path>" with the platform's separators, for messages.
QString shown_path(const QString &path);
