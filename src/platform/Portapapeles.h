#pragma once
// The clipboard's text, read with a bounded wait.
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

namespace portapapeles {

// How long "Pegar" waits for the clipboard's owner.
inline constexpr std::chrono::milliseconds kEspera{1000};

class Portapapeles {
public:
    virtual ~Portapapeles() = default;
    // The clipboard's text ("" when it holds none), or nothing when its owner did not answer
    // within `espera`.
    virtual std::optional<QString> Texto(std::chrono::milliseconds espera) = 0;
};

// The one in use: the system's clipboard unless a test installed another.
Portapapeles& Actual();
void Instalar(std::shared_ptr<Portapapeles> portapapeles);

} // namespace portapapeles
