#pragma once
// One running instance per user. The first start holds an advisory lock (flock) on a file in the
// user's own runtime folder for the life of the process; a later start finds it held. The kernel
// drops the lock when its process ends, however it ends, so only a live copy ever holds it: a file
// left behind, empty or old, means nothing.
//
// The folder is $XDG_RUNTIME_DIR when it is a folder of this user's that no one else can enter,
// else "palavrix-<uid>" in the temporary folder, made with mode 0700: in a shared /tmp another user
// could otherwise leave something at the lock's name and stop every start. Anything at the name
// that is not a plain file (a folder, a link, a FIFO) is taken away, with a line on standard error.
//
// A lock that cannot be taken at all (a folder that is missing, full, not writable or another
// user's) says nothing about other copies: the program starts anyway and says why on standard
// error, since a copy that quietly refuses to start looks like a program that does not work.
#include <QString>

namespace single_instance {

enum class Lock {
    Taken,      // this process holds the lock now
    Held,       // a live copy of the program holds it
    Impossible, // the lock file could not be made or locked: nothing is known of other copies
};

// Tries to lock the file at `path` (made if missing) and keeps it locked, when taken, until the
// process ends or another lock is taken. Its folder must exist.
Lock TakeLock(const QString& path);
// The lock file of this user: in $XDG_RUNTIME_DIR when that can be trusted, else in a folder of
// its own in the temporary folder.
QString LockPath();
// Makes the folder LockPath() is in when it is the program's own (mode 0700, this user's),
// replacing what else stands at its name; false, with the reason in `why`, when it cannot.
bool PrepareFolder(const QString& folder, QString* why);

// True when another instance of the program is running. The first call that returns false
// keeps the lock until the process ends; when the lock cannot be made, the reason goes to
// standard error and the answer is false.
bool AnotherInstanceRunning();

} // namespace single_instance
