#pragma once
// Drive letters on a system that has none. The program names its data folder as a drive letter
// followed by ":\Palavrix" and builds every media path with "\"; this table gives each letter a
// folder: "C:" is the program's own folder (which holds the bundled Palavrix data folder), and
// "D:", "E:", ... are the other mounted volumes, removable media first, then by mount point, so a
// data folder at the root of a USB stick or disc is found as on a system with real drives.
#include <QChar>
#include <QString>
#include <memory>
#include <vector>

namespace drives {

struct Drive {
    QChar letter;  // upper case
    QString root;  // native folder the letter stands for
    QString label; // what the drive list shows in brackets
};

class Table {
public:
    virtual ~Table() = default;
    virtual std::vector<Drive> All() const = 0;
};

// The table of this system.
std::vector<Drive> All();
// Replaces the table (tests); nullptr restores the system's.
void Install(std::shared_ptr<Table> table);

// "D:\Palavrix\SONIDOS\CLICK.WAV" -> the native path on this system. A path without a known
// drive letter comes back with its separators turned, so it names nothing that exists.
QString NativePath(const QString& path);
// The drive list's text for a drive: "c: [programa]".
QString DisplayText(const Drive& d);

} // namespace drives
