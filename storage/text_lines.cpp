#include "storage/text_lines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QSaveFile>

#include <algorithm>

TextLines read_lines(QIODevice &device, int max_lines, int max_line_length)
{
    TextLines result;
    QByteArray line;
    bool in_line = false; // something of the current line was read
    bool after_cr = false;
    char c = 0;
    while (result.lines.size() < max_lines && device.getChar(&c)) {
        if (c == '\n' && after_cr) {
            after_cr = false; // the LF of a CR LF
            continue;
        }
        after_cr = c == '\r';
        if (c == '\r' || c == '\n') {
            result.lines.append(line);
            line.clear();
            in_line = false;
            continue;
        }
        if (c == '\0')
            result.has_nul = true;
        in_line = true;
        if (line.size() < max_line_length)
            line.append(c);
    }
    if (in_line && result.lines.size() < max_lines)
        result.lines.append(line);
    return result;
}

std::optional<QString> open_for_reading(QFile &file)
{
    if (QFileInfo(file.fileName()).isDir())
        return QStringLiteral("ez egy mappa");
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    return std::nullopt;
}

bool is_utf8(const QList<QByteArray> &lines)
{
    // Invalid bytes come back as U+FFFD, which does not encode to them again.
    return std::all_of(lines.cbegin(), lines.cend(),
        [](const QByteArray &line) { return QString::fromUtf8(line).toUtf8() == line; });
}

std::optional<QString> write_file(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

std::optional<QString> write_lines(const QString &path, const QList<QByteArray> &lines)
{
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + "\r\n";
    return write_file(path, bytes);
}

QString shown_path(const QString &path)
{
    return QDir::toNativeSeparators(path);
}
