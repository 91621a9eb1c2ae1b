#pragma once
// The clipboard's text: written at once, read with a bounded wait.
//
// On X11 the clipboard belongs to whichever program copied last, and reading it means asking
// that program and waiting for its answer. Qt waits up to five seconds per question and asks
// several, so a program that hangs or quits badly froze "Pegar" for fifteen seconds. Here the
// text is asked for once, on a connection of our own, and given up after the wait the caller
// allows. Elsewhere (or when this program owns the clipboard) Qt's clipboard answers at once.
#include <QString>
#include <chrono>
#include <memory>
#include <optional>

namespace clipboard {

// How long "Pegar" waits for the clipboard's owner.
inline constexpr std::chrono::milliseconds kWait{1000};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // The clipboard's text ("" when it holds none), or nothing when its owner did not answer
    // within `wait`.
    virtual std::optional<QString> Text(std::chrono::milliseconds wait) = 0;
    // Puts `text` on the clipboard in place of whatever it held ("" leaves it holding no text).
    virtual void SetText(const QString& text) = 0;
};

// The one in use: the system's clipboard unless a test installed another.
Clipboard& Current();
// Installs another (tests install one in memory); nullptr restores the system's.
void Install(std::shared_ptr<Clipboard> clipboard);

} // namespace clipboard
