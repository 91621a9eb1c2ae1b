#pragma once
// The words looked up in this run, one list per direction, with back and forward as a browser
// has them; and the word the dictionary window showed when the reader left it.
//
// The window is made anew on every visit, so what it must find again lives here, for the whole
// run (the user-interface thread's only). A word is written down once it was found: a typing
// slip that found nothing would only be one more step to go back over. Looking a word up while
// an earlier one is shown (after going back) drops the words that were ahead of it, as a
// browser drops its forward pages; looking up the word already shown changes nothing.
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace historial {

class Historial {
public:
    // The most words kept per direction; the oldest go first.
    static constexpr int kMaximo = 200;

    // Writes down `palabra`, found in `direccion`, as the word now shown there.
    void Anotar(int direccion, const QString& palabra);
    // The word before (after) the one shown, which becomes the one shown; nothing at either end
    // or for a direction outside 0..5.
    std::optional<QString> Atras(int direccion);
    std::optional<QString> Adelante(int direccion);
    // The word shown in `direccion`'s list, if any.
    std::optional<QString> Actual(int direccion) const;
    // The direction's words, oldest first.
    QStringList Palabras(int direccion) const;

private:
    struct Lista {
        QStringList palabras;
        int posicion = -1; // of the word shown
    };
    std::array<Lista, 6> listas_;
};

// What the dictionary window showed as the reader left it, to show again on return.
struct Vista {
    int direccion = -1;
    QString palabra;
    // The word on show was the one its history stood at (not a word that was not found).
    bool enHistorial = false;
};

// The history of this run.
Historial& Actual();
// The window's last view, handed over once; nothing when the window was left empty.
void Dejar(const Vista& vista);
std::optional<Vista> TomarVista();
// A new run's state: no words, no view (tests start each case from here).
void Olvidar();

} // namespace historial
