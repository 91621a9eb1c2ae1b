#pragma once
// Notices to the user: something went wrong that the user should know of, but the program goes
// on (a setting that could not be saved, a picture that could not be read). A notice never
// waits for an answer, so no window freezes behind it, and it never outlives the program: the
// exit sequence closes whatever notice is still open.
#include <QString>
#include <memory>

namespace notices {

class Notifier {
public:
    virtual ~Notifier() = default;
    // Shows `text` (Spanish, one or two sentences) and returns at once.
    virtual void Notify(const QString& text) = 0;
    // Closes every notice still shown.
    virtual void CloseAll() = 0;
};

// The one in use: a small warning window on top of the program's, unless a test installed another.
Notifier& Current();
// Installs another (tests install a recording one); nullptr restores the default.
void Install(std::shared_ptr<Notifier> notifier);

inline void Notify(const QString& text) {
    Current().Notify(text);
}
inline void CloseAll() {
    Current().CloseAll();
}

} // namespace notices
