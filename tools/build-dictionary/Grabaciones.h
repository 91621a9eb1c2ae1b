#pragma once
// Pronunciation recordings of the English translations, made with the espeak-ng library.
//
// A recording lives at PRONUN/<first character>/<translation>: the translation exactly as stored,
// no extension, first character unchanged (the program's player builds the same path). Files are
// WAV, mono, 16-bit, at half espeak's rate (11025 Hz), with the silence around the word cut, so
// twenty thousand of them stay well under 400 MB.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace generador {

// Whether a translation can name a recording: not empty, not "." or "..", no slash, backslash,
// control character or character some file systems refuse (: * ? " < > |), no lone surrogate as
// first character, and short enough for a file name.
bool NombreGrabable(const QString& nombre);

// carpetaPronun + "/" + first character + "/" + nombre.
QString RutaGrabacion(const QString& carpetaPronun, const QString& nombre);

// A complete WAV file from espeak's samples: silence trimmed at both ends, rates above 16000 Hz
// halved through a half-band low-pass filter. Empty when the samples hold no sound.
QByteArray ArmarWav(const std::vector<int16_t>& muestras, int frecuencia);

// The English voice, in-process. One per program: espeak-ng keeps global state.
class Locutor {
public:
    Locutor();
    ~Locutor();
    Locutor(const Locutor&) = delete;
    Locutor& operator=(const Locutor&) = delete;

    bool Disponible() const { return frecuencia_ > 0; }
    // Speaks `texto` into a WAV file at `ruta` (written under a temporary name, then renamed, so
    // an interrupted run leaves no truncated recording). False when nothing was written.
    bool Grabar(const QString& texto, const QString& ruta);

private:
    int frecuencia_ = 0;
};

} // namespace generador
