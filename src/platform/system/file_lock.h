#pragma once
// One exclusive lock that every copy of the game takes around a read-merge-replace of a file, so
// that two copies saving at once follow one another instead of undoing each other's changes.
// The lock lives on a file of its own beside the target (NAME.lock), which outlives the renames
// that replace the target.

struct FileLock {
    int fd = -1; // -1: nothing held
};

// How long a save waits for another copy's lock before it goes on without it.
constexpr int kFileLockWaitMs = 5000;

// Takes the lock for the file at path (the file a chain of links ends at), waiting at most
// kFileLockWaitMs. Where no lock can be had (a folder this user may not write, a file system
// without locks) the save goes on unlocked, as it always could; only a lock that another copy
// holds too long is told on stderr.
FileLock lockFile(const char* path);

// Lets the lock go, leaving errno as it was.
void unlockFile(FileLock& lock);
