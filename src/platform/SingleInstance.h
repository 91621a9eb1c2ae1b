#pragma once
// One running instance per user: the first start holds a lock file for the life of the process;
// a later start finds it held. A crashed instance leaves a stale lock that QLockFile recognises
// (its process is gone) and takes over.
//
// Only a lock held by a live copy means "already running". A lock that cannot be made at all (a
// temporary folder that is missing, full or not writable) says nothing about other copies: the
// program starts anyway, and says why on standard error, since a copy that quietly refuses to
// start looks like a program that does not work.
#include <QString>

namespace single_instance {

enum class Lock {
    Taken,      // this process holds the lock now
    Held,       // a live copy of the program holds it
    Impossible, // the lock file could not be made or read: nothing is known of other copies
};

// Tries to take the lock file at `path` and keeps it, when taken, until the process ends.
Lock TakeLock(const QString& path);
// The lock file of this user in the system's temporary folder.
QString LockPath();

// True when another instance of the program is running. The first call that returns false
// keeps the lock until the process ends; when the lock cannot be made, the reason goes to
// standard error and the answer is false.
bool AnotherInstanceRunning();

} // namespace single_instance
