#pragma once
// The control words the RTF reader knows, each with the part of the reader it concerns. A word
// missing here is ignored (its text is not); a destination the notes never show is Skip.
#include <cstdint>
#include <string_view>

namespace richtext::reading {

enum class Kind : uint8_t {
    Document,    // character set, default font, Unicode
    Destination, // a group's destination
    Fonts,       // the font table (\f also selects a font in text)
    Colors,      // the colour table
    Character,   // character formatting
    Paragraph,   // paragraph formatting
    Text,        // breaks and special characters
    Table,       // cells and rows
    Picture,     // a picture's format and size
};

enum class Control : uint8_t {
    // Document
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
    // Destination
    FontTbl,
    ColorTbl,
    Pict,
    ShpPict,
    Fldrslt,
    Result,
    Field,
    ListText,
    PnText,
    Skip,
    // Fonts
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
    // Colors
    Red,
    Green,
    Blue,
    // Character
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
    // Paragraph
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
    // Text
    Par,
    Line,
    Tab,
    Sect,
    Character, // a special character: Entry::character
    // Table
    Cell,
    Row,
    TRowD,
    CellX,
    // Picture
    PngBlip,
    JpegBlip,
    OtherPicture,
    PicW,
    PicH,
    PicWGoal,
    PicHGoal,
    PicScaleX,
    PicScaleY,
};

struct Entry {
    Kind kind;
    Control control;
    char16_t character = 0; // for Control::Character
};

// A control word's number, when it has one.
struct Argument {
    bool hasParameter = false;
    int n = 0;
    // A toggle such as \b: on without a number or with one other than zero.
    bool IsOn() const { return !hasParameter || n != 0; }
};

// The entry of a control word, or null when the reader does not know it.
const Entry* FindControl(std::string_view word);

// Destinations this reader shows even when a writer marks them with "\*" (which means: skip
// this group if you do not know it).
bool UnderstoodWithAsterisk(Control c);

} // namespace richtext::reading
