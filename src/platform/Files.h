#pragma once
// Reading the files the program finds on disk (notes, skin pictures, the guide's character, the
// settings, the dictionary's data) as if any of them could be something else: a FIFO, whose
// opening waits for a writer for ever; a device such as /dev/zero, which reports no size and never
// ends; a link to either; or a file far bigger than any the program writes. Only a regular file is
// read, never blocking, and never past a limit counted in the bytes actually read.
#include <QByteArray>
#include <QString>

namespace files {

enum class Status {
    Ok,
    Missing,    // nothing at the path, or a link to nothing
    NotRegular, // a folder, FIFO, device or socket (or a link to one)
    TooLarge,   // more than the limit asked for
    Unreadable, // no permission, or a read failed, or it changed while it was read
};

struct Contents {
    Status status = Status::Missing;
    QByteArray bytes; // the whole file when status is Ok
    bool ok() const { return status == Status::Ok; }
};

// The whole of `path` when it is a regular file (links followed) of at most `maxBytes` bytes.
// The kind is checked before opening and again on what was opened, so a name swapped in between
// is never read; a file that grows while it is read is refused.
Contents ReadRegular(const QString& path, qint64 maxBytes);

// True when `path` is a regular file (links followed), of at most `maxBytes` bytes when that is
// not negative: what to check before handing a path to a library that opens it itself.
bool IsRegular(const QString& path, qint64 maxBytes = -1);

} // namespace files
