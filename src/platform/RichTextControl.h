#pragma once
// The control words the RTF reader knows, each with the part of the reader it concerns. A word
// missing here is ignored (its text is not); a destination the notes never show is Saltar.
#include <cstdint>
#include <string_view>

namespace richtext::lectura {

enum class Clase : uint8_t {
    Documento, // character set, default font, Unicode
    Destino,   // a group's destination
    Fuentes,   // the font table (\f also selects a font in text)
    Colores,   // the colour table
    Caracter,  // character formatting
    Parrafo,   // paragraph formatting
    Texto,     // breaks and special characters
    Tabla,     // cells and rows
    Imagen,    // a picture's format and size
};

enum class Control : uint8_t {
    // Documento
    Rtf,
    Ansi,
    Mac,
    Pc,
    Pca,
    Ansicpg,
    Deff,
    Uc,
    U,
    Bin,
    // Destino
    FontTbl,
    ColorTbl,
    Pict,
    ShpPict,
    Fldrslt,
    Result,
    Field,
    ListText,
    PnText,
    Saltar,
    // Fuentes
    F,
    FCharset,
    Cpg,
    FSwiss,
    FRoman,
    FModern,
    FScript,
    FDecor,
    FNil,
    FTech,
    // Colores
    Red,
    Green,
    Blue,
    // Caracter
    Plain,
    Fs,
    B,
    I,
    Ul,
    UlNone,
    Strike,
    Cf,
    Cb,
    Highlight,
    Super,
    Sub,
    NoSuperSub,
    Up,
    Dn,
    V,
    // Parrafo
    Pard,
    Ql,
    Qc,
    Qr,
    Qj,
    Li,
    Ri,
    Fi,
    Sb,
    Sa,
    Tx,
    Tqc,
    Tqr,
    Tqdec,
    InTbl,
    OutlineLevel,
    // Texto
    Par,
    Line,
    Tab,
    Sect,
    Caracter, // a special character: Entrada::caracter
    // Tabla
    Cell,
    Row,
    TRowD,
    CellX,
    // Imagen
    PngBlip,
    JpegBlip,
    OtraImagen,
    PicW,
    PicH,
    PicWGoal,
    PicHGoal,
    PicScaleX,
    PicScaleY,
};

struct Entrada {
    Clase clase;
    Control control;
    char16_t caracter = 0; // for Control::Caracter
};

// A control word's number, when it has one.
struct Argumento {
    bool conParametro = false;
    int n = 0;
    // A toggle such as \b: on without a number or with one other than zero.
    bool Activa() const { return !conParametro || n != 0; }
};

// The entry of a control word, or null when the reader does not know it.
const Entrada* BuscarControl(std::string_view palabra);

// Destinations this reader shows even when a writer marks them with "\*" (which means: skip
// this group if you do not know it).
bool EntendidaConAsterisco(Control c);

} // namespace richtext::lectura
