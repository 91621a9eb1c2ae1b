#pragma once
// The pictures of an RTF document (\pict groups): their data, as hexadecimal digits or \bin
// bytes, and their size words; shown when they are PNG or JPEG within the size limits.
#include "platform/RichTextControl.h"

#include <QByteArray>
#include <QTextImageFormat>
#include <QtGlobal>
#include <cstdint>
#include <optional>
#include <string_view>

class QTextDocument;

namespace richtext::lectura {

enum class FormatoImagen : uint8_t { Desconocido, Otro, Png, Jpeg };

class Imagenes {
public:
    // A \pict group starts at this depth of the group stack.
    void Empezar(int profundidad);
    bool Abierta() const { return profundidad_ >= 0; }
    int Profundidad() const { return profundidad_; }

    // The effect of a control word of Clase::Imagen inside the picture.
    void Aplicar(Control c, Argumento a);
    // A byte of the picture's text: a hexadecimal digit of its data, or nothing.
    void Digito(unsigned char b);
    void Binario(std::string_view bytes);

    // Ends the picture: its resource is added to `doc` and its format returned when it is shown
    // (not for hidden text, unknown formats, damaged data or pictures past the limits).
    std::optional<QTextImageFormat> Terminar(QTextDocument& doc, bool oculta);

private:
    struct Datos {
        FormatoImagen formato = FormatoImagen::Desconocido;
        QByteArray bytes;
        int nibble = -1; // the first digit of a byte whose second has not come yet
        bool demasiado = false;
        int goalw = 0, goalh = 0, escalax = 100, escalay = 100; // twips, percent
    };

    Datos actual_;
    int profundidad_ = -1;
    int numero_ = 0;          // pictures added, for their resource names
    qint64 pixelesDocumento_ = 0;
};

} // namespace richtext::lectura
