#include "storage/folder_lock.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStorageInfo>

FolderLock::FolderLock() = default;
FolderLock::~FolderLock() = default;

std::optional<Problem> FolderLock::take(const QString &folder)
{
    const QString path = QDir(folder).filePath(QStringLiteral("pennaro.lock"));
    Problem not_taken {Problem::What::LockNotTaken, path};
    if (QFileInfo(path).isDir()) {
        not_taken.error = FileError::Folder;
        return not_taken;
    }
    lock_ = std::make_unique<QLockFile>(path);
    // Stale only when its process is gone, never by its age: the program
    // runs for hours.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0))
        return std::nullopt;
    switch (lock_->error()) {
    case QLockFile::LockFailedError: {
        // A lock that names no process (empty, or garbage) is nobody's,
        // unless a copy starting this very moment is still writing it.
        qint64 pid = 0;
        QString host, application;
        const QDateTime written = QFileInfo(path).lastModified();
        if (!lock_->getLockInfo(&pid, &host, &application)
            && written.secsTo(QDateTime::currentDateTime()) >= 2 && lock_->removeStaleLockFile()
            && lock_->tryLock(0))
            return std::nullopt;
        Problem in_use {Problem::What::FolderInUse, path};
        in_use.count = int(pid); // 0 when the lock names none
        return in_use;
    }
    case QLockFile::PermissionError:
        not_taken.error = FileError::NoPermission;
        break;
    default:
        // Qt says no more; a full disk is the likely reason.
        not_taken.error
            = QStorageInfo(folder).bytesAvailable() == 0 ? FileError::NoSpace : FileError::Other;
        break;
    }
    lock_.reset();
    return not_taken;
}
