#pragma once

#include "evaluation/problem.h"

#include <QString>

#include <memory>
#include <optional>

class QLockFile;

// Only one running copy works on a data folder, so that two never save over
// each other: a lock file in the folder, held while the program runs. The
// lock of a copy that crashed is taken over.
class FolderLock {
public:
    FolderLock();
    ~FolderLock();
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    // Locks the folder; the problem when another copy holds it. A lock that
    // cannot be made at all (a folder no one may write) stops nothing: the
    // saves report their own failures.
    std::optional<Problem> take(const QString &folder);

private:
    std::unique_ptr<QLockFile> lock_;
};
