#include "storage/text_lines.h"

#include "storage/charset_converter.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

TextLines read_lines(QIODevice &device, int max_lines, int max_line_length)
{
    TextLines result;
    QByteArray line;
    bool in_line = false; // something of the current line was read
    // After a CR: one, or two in a row (a CR CR LF, as a Windows file
    // converted twice ends its lines, is one line end).
    int crs = 0;
    bool cut = false;
    const auto end_line = [&] {
        if (cut) {
            charset::drop_split_character(line);
            result.cut_lines.append(int(result.lines.size()) + 1);
        }
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
            if (crs > 0 && *c == '\n') {
                if (crs == 2)
                    result.doubled_ends.append(int(result.lines.size()));
                crs = 0; // the LF of a CR LF or a CR CR LF
                ++c;
                continue;
            }
            if (crs == 1 && *c == '\r') {
                crs = 2; // a CR CR: one line end if an LF follows
                ++c;
                continue;
            }
            if (crs == 2) { // a CR CR without the LF: two line ends
                crs = 0;
                end_line();
                continue;
            }
            crs = 0;
            if (*c == '\r' || *c == '\n') {
                crs = *c == '\r' ? 1 : 0;
                end_line();
                ++c;
                continue;
            }
            // The line's bytes up to its end or the block's.
            const char *stop = c;
            while (stop != end && *stop != '\r' && *stop != '\n')
                ++stop;
            in_line = true;
            if (std::find(c, stop, '\0') != stop && !result.has_nul) {
                result.has_nul = true;
                result.nul_line = int(result.lines.size()) + 1;
            }
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
    if (crs == 2 && result.lines.size() < max_lines)
        end_line();
    if (in_line && result.lines.size() < max_lines)
        end_line();
    return result;
}

namespace {

// What the system's error numbers mean to the user.
constexpr std::pair<int, FileError> errno_meanings[] = {
#ifdef EDQUOT
    {EDQUOT, FileError::NoSpace},
#endif
    {ENOSPC, FileError::NoSpace}, {EFBIG, FileError::NoSpace}, {EACCES, FileError::NoPermission},
    {EPERM, FileError::NoPermission}, {EROFS, FileError::NoPermission},
    {ENOENT, FileError::NotFound}, {ENOTDIR, FileError::NotFound}, {EISDIR, FileError::Folder}};

} // namespace

FileError errno_error(int code)
{
    for (const auto &[known, meaning] : errno_meanings)
        if (code == known)
            return meaning;
    return FileError::Other;
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
    for (const auto &[code, meaning] : errno_meanings)
        if (is({code}))
            return meaning;
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
#ifdef Q_OS_UNIX
    // Checked again on what was opened, without waiting: what the name
    // points to may change between the look and the open.
    const int fd
        = ::open(QFile::encodeName(file.fileName()).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno_error(errno);
    struct stat opened { };
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return S_ISDIR(opened.st_mode) ? FileError::Folder : FileError::NotAFile;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return file_error(file);
    }
    return std::nullopt;
#else
    if (!file.open(QIODevice::ReadOnly))
        return file_error(file);
    return std::nullopt;
#endif
}

namespace {

// The temporary copy a save writes first is "<name>.pennaro-mentes-XXXXXX",
// made anew under a name no one can foresee; no user names a file so. The
// save and the start's clean-up take the name from here alike.
QString copy_name(const QString &path, const QString &random)
{
    return path + QStringLiteral(".pennaro-mentes-") + random;
}

// Forces the bytes onto the disk before the copy takes the file's place.
bool sync_to_disk(QFile &file)
{
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0;
#else
    return fsync(file.handle()) == 0;
#endif
}

// A new file's mode: what the user's umask leaves of rw-rw-rw-.
QFileDevice::Permissions default_mode()
{
    QFileDevice::Permissions mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner
        | QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ReadGroup
        | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
#ifdef Q_OS_UNIX
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (mask & S_IWGRP)
        mode &= ~QFileDevice::WriteGroup;
    if (mask & S_IWOTH)
        mode &= ~QFileDevice::WriteOther;
    if (mask & S_IRGRP)
        mode &= ~QFileDevice::ReadGroup;
    if (mask & S_IROTH)
        mode &= ~QFileDevice::ReadOther;
#endif
    return mode;
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

std::optional<FileError> write_file(
    const QString &path, const QByteArray &bytes, std::optional<QFileDevice::Permissions> mode)
{
    const QFileInfo target(path);
    // A link is replaced, never written through: what it points to may lie
    // outside the folder.
    const bool regular = target.isFile() && !target.isSymLink();
    if (target.isDir() && !target.isSymLink())
        return FileError::Folder;
    // A file the user made read-only stays as it is.
    if (regular && !target.isWritable())
        return FileError::NoPermission;

    // The bytes go to a copy first, which then takes the file's place in one
    // step: an earlier file stays whole until every byte reached the disk.
    // The copy is made exclusively, under a name no one can foresee, so no
    // link laid in its way is followed.
    QTemporaryFile copy(copy_name(path, QStringLiteral("XXXXXX")));
    if (!copy.open())
        return file_error(copy);
    // Straight to the system, so that every write reports its own failure
    // with the system's reason; a short write is followed by one that says why.
    for (qsizetype written = 0; written < bytes.size();) {
#ifdef Q_OS_WIN
        const auto n = ::_write(copy.handle(), bytes.constData() + written,
            unsigned(std::min<qsizetype>(bytes.size() - written, 1 << 30)));
#else
        const auto n
            = ::write(copy.handle(), bytes.constData() + written, size_t(bytes.size() - written));
#endif
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return errno_error(n < 0 ? errno : ENOSPC);
        written += n;
    }
    if (!sync_to_disk(copy))
        return FileError::NoSpace;
    // A save keeps the mode of the file it replaces: a private file stays
    // private.
    if (!copy.setPermissions(mode ? *mode : regular ? target.permissions() : default_mode()))
        return file_error(copy);
    copy.close();
    // Replaces the target where QFile::rename would refuse.
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(copy.fileName().toStdU16String()),
        std::filesystem::path(path.toStdU16String()), error);
    if (error)
        return rename_error(error);
    copy.setAutoRemove(false);
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
    // Compared by hand: a wildcard filter would compile a regular expression
    // at every start. Any case, as a wildcard filter does.
    const auto is_copy = [&names](const QString &file) {
        return std::any_of(names.begin(), names.end(), [&file](const QString &name) {
            const QString prefix = copy_name(name, {});
            return file.size() == prefix.size() + 6 && file.startsWith(prefix, Qt::CaseInsensitive);
        });
    };
    const QDir dir(folder);
    // Links and other odd files of that name go too, never what they point to.
    for (const QString &file : dir.entryList(QDir::Files | QDir::System | QDir::Hidden))
        if (is_copy(file))
            QFile::remove(dir.filePath(file));
}

std::optional<FileError> prepare_log(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink())
        return FileError::Folder;
    // A FIFO would block whoever opens it, a link lead out of the folder.
    if ((info.isSymLink() || (info.exists() && !info.isFile())) && !QFile::remove(path))
        return FileError::NoPermission;
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(),
        O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno_error(errno);
    struct stat opened { };
    const bool regular = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode);
    ::close(fd);
    if (!regular)
        return FileError::NotAFile;
#else
    QFile log(path);
    if (!log.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return file_error(log);
#endif
    return std::nullopt;
}

namespace {

// A free name beside `path` for the bytes of a file that could not be used.
QString aside_path(const QString &path)
{
    const QFileInfo info(path);
    const QString stem = info.dir().filePath(info.completeBaseName() + "_olvashatatlan");
    const QString suffix = u'.' + info.suffix();
    QString candidate = stem + suffix;
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = stem + QStringLiteral("_%1").arg(n) + suffix;
    return candidate;
}

} // namespace

std::optional<QString> move_aside(const QString &path)
{
    const QString aside = aside_path(path);
    if (!QFile::rename(path, aside))
        return std::nullopt;
    return aside;
}

QString link_target(const QString &path)
{
    QString at = path;
    // A loop of links ends where the system's own bound would.
    for (int hops = 0; hops < 40 && QFileInfo(at).isSymLink(); ++hops)
        at = QFileInfo(at).symLinkTarget();
    return at;
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
    // The first MiB is enough for a file of twelve lines. It is read a piece
    // at a time: a buffer of the whole bound would cost every start a MiB
    // for a file of a few hundred bytes.
    if (info.isFile() && file.open(QIODevice::ReadOnly)) {
        char piece[16 * 1024];
        for (qint64 left = 1 << 20, got = 0; left > 0; left -= got) {
            got = file.read(piece, std::min<qint64>(left, sizeof piece));
            if (got <= 0)
                break;
            hash.addData(QByteArrayView(piece, got));
        }
    }
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
