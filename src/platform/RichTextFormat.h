#pragma once
// Character and paragraph properties as the RTF reader keeps them, the control words that set
// them, and the Qt formats they become; the document's font and colour tables.
#include "platform/RichTextControl.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <array>
#include <cstdint>
#include <vector>

namespace richtext::lectura {

inline constexpr int kMaxTabs = 16;
inline constexpr int kMaxFuentes = 4096;
inline constexpr int kMaxColores = 1024;

// Pseudo code page for fonts with \fcharset2 (Symbol, Wingdings): the few glyphs word processors
// use as list bullets are mapped to their Unicode look-alikes.
inline constexpr int kCpSimbolos = 42;

enum class Posicion : int8_t { Normal, Superindice, Subindice };
enum class Alineacion : uint8_t { Izquierda, Centro, Derecha, Justificada };
enum class TipoTab : uint8_t { Izquierda, Centro, Derecha, Decimal };

// Character properties, saved and restored with each group.
struct Caracter {
    int fuente = -1; // number in the font table; -1 = the document's default font
    int tamano = 24; // half points
    int color = 0;   // index in the colour table; 0 = automatic
    int fondo = 0;
    Posicion posicion = Posicion::Normal;
    bool negrita = false, cursiva = false, subrayado = false, tachado = false, oculto = false;
    bool operator==(const Caracter&) const = default;
};

// Paragraph properties; in RTF they too belong to the group.
struct Parrafo {
    Alineacion alineacion = Alineacion::Izquierda;
    int izquierda = 0, derecha = 0, primera = 0, antes = 0, despues = 0; // twips
    int nivel = -1;                                                      // outline level
    bool enTabla = false;
    TipoTab tipoTab = TipoTab::Izquierda; // kind of the next tab stop
    int8_t nTabs = 0;
    std::array<int, kMaxTabs> tabs{};
    std::array<TipoTab, kMaxTabs> tiposTab{};
};

// A piece of a paragraph: text in one format, or a picture (empty text, a QTextImageFormat).
struct Tramo {
    QString texto;
    QTextCharFormat formato;
};

// A paragraph read to its end, waiting to be written into the document.
struct ParrafoListo {
    QTextBlockFormat bloque;
    QTextCharFormat caracter;
    std::vector<Tramo> tramos;
};

// The effect of a control word of Clase::Caracter, or of Clase::Parrafo.
void AplicarCaracter(Control c, Argumento a, Caracter& car);
void AplicarParrafo(Control c, Argumento a, Parrafo& par);

// Twips of the document to pixels of the notes box.
double Pixeles(int twips);

QTextBlockFormat FormatoBloque(const Parrafo& p);

struct Fuente {
    QString nombre;
    QFont::StyleHint estilo = QFont::AnyStyle;
    int codepage = 0; // 0 = the document's
};

// The document's font and colour tables, and the character formats made from them.
class Formatos {
public:
    // The font used where no \f is given.
    void FuentePorDefecto(int numero);
    // Adds or replaces a font; past kMaxFuentes fonts only replacing is allowed.
    void GuardarFuente(int numero, Fuente f);
    // The code page of the characters' font, or 0 when it has none of its own.
    int Codepage(const Caracter& c) const;

    void VaciarColores();
    // Appends an entry to the colour table; an invalid colour is the automatic one.
    void GuardarColor(const QColor& color);

    // The format of text with these properties. Runs of a document repeat few formats, so the
    // last one is kept.
    QTextCharFormat FormatoCaracter(const Caracter& c);

private:
    const Fuente* FuenteDe(const Caracter& c) const;

    QHash<int, Fuente> fuentes_;
    int deff_ = 0;
    std::vector<QColor> colores_;
    bool cacheValida_ = false;
    Caracter cacheCar_;
    QTextCharFormat cacheFormato_;
};

} // namespace richtext::lectura
