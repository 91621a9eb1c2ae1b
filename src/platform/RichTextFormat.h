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

namespace richtext::reading {

inline constexpr int kMaxTabs = 16;
inline constexpr int kMaxFonts = 4096;
inline constexpr int kMaxColors = 1024;

// Pseudo code page for fonts with \fcharset2 (Symbol, Wingdings): the few glyphs word processors
// use as list bullets are mapped to their Unicode look-alikes.
inline constexpr int kCpSymbols = 42;

enum class Position : int8_t { Normal, Superscript, Subscript };
enum class Align : uint8_t { Left, Center, Right, Justified };
enum class TabKind : uint8_t { Left, Center, Right, Decimal };

// Character properties, saved and restored with each group.
struct Character {
    int font = -1; // number in the font table; -1 = the document's default font
    int size = 24; // half points
    int color = 0; // index in the colour table; 0 = automatic
    int background = 0;
    Position position = Position::Normal;
    bool bold = false, italic = false, underline = false, strike = false, hidden = false;
    bool operator==(const Character&) const = default;
};

// Paragraph properties; in RTF they too belong to the group.
struct Paragraph {
    Align alignment = Align::Left;
    int left = 0, right = 0, firstLine = 0, before = 0, after = 0; // twips
    int level = -1;                                                // outline level
    bool inTable = false;
    TabKind tabKind = TabKind::Left; // kind of the next tab stop
    int8_t nTabs = 0;
    std::array<int, kMaxTabs> tabs{};
    std::array<TabKind, kMaxTabs> tabKinds{};
};

// A piece of a paragraph: text in one format, or a picture (empty text, a QTextImageFormat).
struct Run {
    QString text;
    QTextCharFormat format;
};

// A paragraph read to its end, waiting to be written into the document.
struct ReadyParagraph {
    QTextBlockFormat block;
    QTextCharFormat character;
    std::vector<Run> runs;
};

// The effect of a control word of Kind::Character, or of Kind::Paragraph.
void ApplyCharacter(Control c, Argument a, Character& chr);
void ApplyParagraph(Control c, Argument a, Paragraph& par);

// Twips of the document to pixels of the notes box.
double Pixels(int twips);

QTextBlockFormat BlockFormat(const Paragraph& p);

struct Font {
    QString name;
    QFont::StyleHint style = QFont::AnyStyle;
    int codepage = 0; // 0 = the document's
};

// The document's font and colour tables, and the character formats made from them.
class Formats {
public:
    // The font used where no \f is given.
    void SetDefaultFont(int number);
    // Adds or replaces a font; past kMaxFonts fonts only replacing is allowed.
    void AddFont(int number, const Font& f);
    // The code page of the characters' font, or 0 when it has none of its own.
    int Codepage(const Character& c) const;

    void ClearColors();
    // Appends an entry to the colour table; an invalid colour is the automatic one.
    void AddColor(const QColor& color);

    // The format of text with these properties. Runs of a document repeat few formats, so the
    // last one is kept.
    QTextCharFormat CharFormat(const Character& c);

private:
    const Font* FontOf(const Character& c) const;

    QHash<int, Font> fonts_;
    int deff_ = 0;
    std::vector<QColor> colors_;
    bool cacheValida_ = false;
    Character cacheCar_;
    QTextCharFormat cacheFormato_;
};

} // namespace richtext::reading
