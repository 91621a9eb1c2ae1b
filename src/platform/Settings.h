#pragma once
// The program's settings store: a few named values kept between runs (the drive letter of the
// data folder). The real store is the per-user settings file Qt keeps for the program
// (~/.config/Palavrix/Palavrix.conf on Linux); tests install one of their own.
#include <QString>
#include <memory>

namespace settings {

class Store {
public:
    virtual ~Store() = default;
    // The value saved under `key`, or `fallback` when none is.
    virtual QString Value(const QString& key, const QString& fallback) const = 0;
    // Saves `value` under `key` and writes it out at once. False when it could not be written
    // (a file or folder that does not admit writing): the caller tells the user, naming Location().
    virtual bool SetValue(const QString& key, const QString& value) = 0;
    // Where the values are kept, as the user would look for it (a file's native path).
    virtual QString Location() const = 0;
};

// The one in use: the program's settings file unless a test installed another.
Store& Current();
// Installs another (tests install one in memory); nullptr restores the default.
void Install(std::shared_ptr<Store> store);

} // namespace settings
