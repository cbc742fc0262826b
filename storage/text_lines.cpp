#include "storage/text_lines.h"

#include "storage/charset_converter.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

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
    // Read in blocks: the rest of an overlong line is skipped a block at a
    // time, and no file is read past a bound, however large it is.
    constexpr qint64 block_size = 64 * 1024;
    constexpr qint64 max_bytes = 64 * 1024 * 1024;
    QByteArray block;
    for (qint64 total = 0; result.lines.size() < max_lines && total < max_bytes;) {
        block = device.read(block_size);
        if (block.isEmpty())
            break;
        total += block.size();
        const char *c = block.constData();
        const char *const end = c + block.size();
        while (c != end && result.lines.size() < max_lines) {
            if (after_cr && *c == '\n') {
                after_cr = false; // the LF of a CR LF
                ++c;
                continue;
            }
            after_cr = false;
            if (*c == '\r' || *c == '\n') {
                after_cr = *c == '\r';
                end_line();
                ++c;
                continue;
            }
            // The line's bytes up to its end or the block's.
            const char *stop = c;
            while (stop != end && *stop != '\r' && *stop != '\n')
                ++stop;
            in_line = true;
            if (std::find(c, stop, '\0') != stop)
                result.has_nul = true;
            const qsizetype room = max_line_length - line.size();
            if (stop - c > room) {
                cut = true;
                line.append(c, room);
            } else {
                line.append(c, stop - c);
            }
            c = stop;
        }
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
    // Only a regular file: a FIFO would block the start for good, a device
    // such as /dev/zero would never end.
    const QFileInfo info(file.fileName());
    if (info.isDir())
        return FileError::Folder;
    if (info.exists() && !info.isFile())
        return FileError::NotAFile;
    if (!file.open(QIODevice::ReadOnly))
        return file_error(file);
    return std::nullopt;
}

namespace {

// The temporary copy a save writes first; no user names a file so.
const QString copy_suffix = QStringLiteral(".pennaro-mentes");

// Forces the bytes onto the disk before the copy takes the file's place.
bool sync_to_disk(QFile &file)
{
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0;
#else
    return fsync(file.handle()) == 0;
#endif
}

FileError rename_error(const std::error_code &error)
{
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted
        || error == std::errc::read_only_file_system)
        return FileError::NoPermission;
    if (error == std::errc::is_a_directory || error == std::errc::directory_not_empty)
        return FileError::Folder;
    if (error == std::errc::no_space_on_device)
        return FileError::NoSpace;
    if (error == std::errc::no_such_file_or_directory)
        return FileError::NotFound;
    return FileError::Other;
}

} // namespace

std::optional<FileError> write_file(const QString &path, const QByteArray &bytes)
{
    const QFileInfo target(path);
    if (target.isDir())
        return FileError::Folder;
    // A file the user made read-only stays as it is.
    if (target.exists() && !target.isWritable())
        return FileError::NoPermission;

    // The bytes go to a copy first, which then takes the file's place in one
    // step: an earlier file stays whole until every byte reached the disk.
    // Unbuffered, so that every write reports its own failure with the
    // system's reason.
    QFile copy(path + copy_suffix);
    if (!copy.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return file_error(copy);
    const auto fail = [&copy](FileError error) {
        copy.close();
        copy.remove();
        return error;
    };
    for (qsizetype written = 0; written < bytes.size();) {
        // A short write is followed by one that says why.
        const qint64 n = copy.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0)
            return fail(file_error(copy));
        written += n;
    }
    if (!sync_to_disk(copy))
        return fail(FileError::NoSpace);
    copy.close();
    // Replaces the target where QFile::rename would refuse.
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(copy.fileName().toStdU16String()),
        std::filesystem::path(path.toStdU16String()), error);
    if (error)
        return fail(rename_error(error));
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
    for (const QString &name : names)
        QFile::remove(QDir(folder).filePath(name + copy_suffix));
}

QByteArray file_stamp(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArray::number(info.size()) + ' '
        + QByteArray::number(info.lastModified().toMSecsSinceEpoch()) + ' '
        + QByteArray::number(int(info.isFile())));
    QFile file(path);
    // The first MiB is enough for a file of twelve lines.
    if (info.isFile() && file.open(QIODevice::ReadOnly))
        hash.addData(file.read(1 << 20));
    return hash.result();
}

QString last_lines(const QString &path, int count)
{
    QFile file(path);
    if (open_for_reading(file))
        return {};
    file.seek(std::max<qint64>(0, file.size() - 4096));
    const QStringList lines
        = QString::fromLocal8Bit(file.readAll()).trimmed().split(u'\n', Qt::SkipEmptyParts);
    return lines.mid(std::max<qsizetype>(0, lines.size() - count)).join(u'\n').trimmed();
}

QString shown_path(const QString &path)
{
    return QDir::toNativeSeparators(path);
}
