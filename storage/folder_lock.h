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

    // Locks the folder: FolderInUse when another copy holds it, LockNotTaken
    // when the lock cannot be made (a read-only folder, a full disk), which
    // stops nothing: the user is told, and the exit's check that adat.txt
    // did not change on disk stays. A lock that names no process (empty or
    // garbage) is taken over like a crashed copy's.
    std::optional<Problem> take(const QString &folder);

private:
    std::unique_ptr<QLockFile> lock_;
};
