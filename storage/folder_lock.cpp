#include "storage/folder_lock.h"

#include <QDir>
#include <QLockFile>

FolderLock::FolderLock() = default;
FolderLock::~FolderLock() = default;

std::optional<Problem> FolderLock::take(const QString &folder)
{
    lock_ = std::make_unique<QLockFile>(QDir(folder).filePath(QStringLiteral("pennaro.lock")));
    // Stale only when its process is gone, never by its age: the program
    // runs for hours.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0) || lock_->error() != QLockFile::LockFailedError)
        return std::nullopt;
    return Problem {Problem::What::FolderInUse, lock_->fileName()};
}
