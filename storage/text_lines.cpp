#include "storage/text_lines.h"

#include "storage/charset_converter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QSaveFile>

#include <cerrno>

TextLines read_lines(QIODevice &device, int max_lines, int max_line_length)
{
    TextLines result;
    QByteArray line;
    bool in_line = false; // something of the current line was read
    bool after_cr = false;
    bool cut = false;
    const auto end_line = [&] {
        if (cut)
            charset::drop_split_character(line);
        result.lines.append(line);
        line.clear();
        in_line = cut = false;
    };
    char c = 0;
    while (result.lines.size() < max_lines && device.getChar(&c)) {
        if (c == '\n' && after_cr) {
            after_cr = false; // the LF of a CR LF
            continue;
        }
        after_cr = c == '\r';
        if (c == '\r' || c == '\n') {
            end_line();
            continue;
        }
        if (c == '\0')
            result.has_nul = true;
        in_line = true;
        if (line.size() < max_line_length)
            line.append(c);
        else
            cut = true;
    }
    if (in_line && result.lines.size() < max_lines)
        end_line();
    return result;
}

FileError file_error(const QFileDevice &file)
{
    if (QFileInfo(file.fileName()).isDir())
        return FileError::Folder;
    switch (file.error()) {
    case QFileDevice::PermissionsError:
        return FileError::NoPermission;
    case QFileDevice::ResourceError:
        return FileError::NoSpace;
    default:
        break;
    }
    // Qt reports the system's reason only as a text; match it to its code.
    const QString reason = file.errorString();
    const auto is = [&reason](std::initializer_list<int> codes) {
        for (int code : codes)
            if (reason == qt_error_string(code))
                return true;
        return false;
    };
#ifdef Q_OS_WIN
    // Windows' own codes: disk full, handle disk full; access denied, write
    // protected, in use by another program; file or path not found.
    if (is({112, 39}))
        return FileError::NoSpace;
    if (is({5, 19, 32}))
        return FileError::NoPermission;
    if (is({2, 3}))
        return FileError::NotFound;
#endif
#ifdef EDQUOT
    if (is({EDQUOT}))
        return FileError::NoSpace;
#endif
    if (is({ENOSPC, EFBIG}))
        return FileError::NoSpace;
    if (is({EACCES, EPERM, EROFS}))
        return FileError::NoPermission;
    if (is({ENOENT, ENOTDIR}))
        return FileError::NotFound;
    if (is({EISDIR}))
        return FileError::Folder;
    return FileError::Other;
}

std::optional<FileError> open_for_reading(QFile &file)
{
    if (QFileInfo(file.fileName()).isDir())
        return FileError::Folder;
    if (!file.open(QIODevice::ReadOnly))
        return file_error(file);
    return std::nullopt;
}

std::optional<FileError> write_file(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    // Unbuffered, so that every write reports its own failure with the
    // system's reason: a buffered last write that fails (a full disk) is not
    // reported by commit(), which would put a cut file in the old one's place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file_error(file);
    for (qsizetype written = 0; written < bytes.size();) {
        // A short write is followed by one that says why.
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0) {
            const FileError error = file_error(file);
            file.cancelWriting(); // the temporary copy goes with `file`
            return error;
        }
        written += n;
    }
    if (!file.commit())
        return file_error(file);
    return std::nullopt;
}

std::optional<FileError> write_lines(const QString &path, const QList<QByteArray> &lines)
{
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + "\r\n";
    return write_file(path, bytes);
}

void remove_leftover_copies(const QString &folder, const QStringList &names)
{
    // QSaveFile writes into "<name>." and six letters or digits. Matched by
    // hand: a wildcard or a regular expression would cost the start-up more.
    const auto is_copy_of = [](const QString &entry, const QString &name) {
        if (entry.size() != name.size() + 7 || !entry.startsWith(name + u'.'))
            return false;
        for (qsizetype i = name.size() + 1; i < entry.size(); ++i)
            if (entry[i].unicode() > 0x7F || !entry[i].isLetterOrNumber())
                return false;
        return true;
    };
    QDir dir(folder);
    for (const QString &entry : dir.entryList(QDir::Files | QDir::Hidden))
        for (const QString &name : names)
            if (is_copy_of(entry, name))
                dir.remove(entry);
}

QString shown_path(const QString &path)
{
    return QDir::toNativeSeparators(path);
}
