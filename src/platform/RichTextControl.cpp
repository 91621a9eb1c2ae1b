#include "platform/RichTextControl.h"

#include <unordered_map>

namespace richtext::reading {

namespace {

struct NamedWord {
    const char* word;
    Control control;
};

constexpr NamedWord kDocument[] = {
    {"rtf", Control::Rtf}, {"ansi", Control::Ansi},       {"mac", Control::Mac},   {"pc", Control::Pc},
    {"pca", Control::Pca}, {"ansicpg", Control::Ansicpg}, {"deff", Control::Deff}, {"uc", Control::Uc},
    {"u", Control::U},     {"bin", Control::Bin},
};

constexpr NamedWord kDestination[] = {
    {"fonttbl", Control::FontTbl}, {"colortbl", Control::ColorTbl}, {"pict", Control::Pict},
    {"shppict", Control::ShpPict}, {"fldrslt", Control::Fldrslt},   {"result", Control::Result},
    {"field", Control::Field},     {"listtext", Control::ListText}, {"pntext", Control::PnText},
};

// Destinations the notes never show: page furniture, notes, document properties, style and list
// definitions, field instructions, alternative pictures and embedded objects' data. Their groups
// are read past without effect.
constexpr const char* kSkip[] = {
    "stylesheet",
    "info",
    "header",
    "headerl",
    "headerr",
    "headerf",
    "footer",
    "footerl",
    "footerr",
    "footerf",
    "footnote",
    "annotation",
    "xe",
    "tc",
    "txe",
    "rxe",
    "pn",
    "fldinst",
    "nonshppict",
    "listtable",
    "listoverridetable",
    "revtbl",
    "rsidtbl",
    "filetbl",
    "colorschememapping",
    "themedata",
    "latentstyles",
    "datastore",
    "xmlnstbl",
    "generator",
    "pgdsctbl",
    "objdata",
    "objclass",
    "objname",
    "background",
    "nonesttables",
    "ftnsep",
    "ftnsepc",
    "ftncn",
    "aftnsep",
    "aftnsepc",
    "aftncn",
    "comment",
    "private",
    "template",
    "userprops",
    "docvar",
    "bkmkstart",
    "bkmkend",
    "picprop",
    "blipuid",
    "shpinst",
    "sp",
    "fontemb",
    "fontfile",
    "falt",
    "panose",
    "pnseclvl",
    "do",
    "formfield",
    "datafield",
    "mhtmltag",
    "htmltag",
    "title",
    "subject",
    "author",
    "operator",
    "keywords",
    "doccomm",
    "company",
    "ud",
    "upr",
    "atnid",
    "atnauthor",
    "mmathPr",
    "wgrffmtfilter",
    "shptxt",
    "shprslt",
    "pxe",
    "fchars",
    "lchars",
    "protusertbl",
    "leveltext",
    "levelnumbers",
    "listname",
    "listpicture",
    "passwordhash",
    "ffdeftext",
};

constexpr NamedWord kFonts[] = {
    {"f", Control::F},
    {"fcharset", Control::FCharset},
    {"cpg", Control::Cpg},
    {"fswiss", Control::FSwiss},
    {"froman", Control::FRoman},
    {"fmodern", Control::FModern},
    {"fscript", Control::FScript},
    {"fdecor", Control::FDecor},
    {"fnil", Control::FNil},
    {"ftech", Control::FTech},
    {"fbidi", Control::FNil},
};

constexpr NamedWord kColors[] = {
    {"red", Control::Red},
    {"green", Control::Green},
    {"blue", Control::Blue},
};

// The many kinds of underline are all shown as the one Qt draws.
constexpr NamedWord kCharacter[] = {
    {"plain", Control::Plain},
    {"fs", Control::Fs},
    {"b", Control::B},
    {"i", Control::I},
    {"ul", Control::Ul},
    {"uld", Control::Ul},
    {"uldb", Control::Ul},
    {"uldash", Control::Ul},
    {"uldashd", Control::Ul},
    {"uldashdd", Control::Ul},
    {"ulth", Control::Ul},
    {"ulw", Control::Ul},
    {"ulwave", Control::Ul},
    {"ulhwave", Control::Ul},
    {"ululdbwave", Control::Ul},
    {"ulthd", Control::Ul},
    {"ulthdash", Control::Ul},
    {"ulldash", Control::Ul},
    {"ulnone", Control::UlNone},
    {"strike", Control::Strike},
    {"striked", Control::Strike},
    {"cf", Control::Cf},
    {"cb", Control::Cb},
    {"chcbpat", Control::Cb},
    {"highlight", Control::Highlight},
    {"super", Control::Super},
    {"sub", Control::Sub},
    {"nosupersub", Control::NoSuperSub},
    {"up", Control::Up},
    {"dn", Control::Dn},
    {"v", Control::V},
};

constexpr NamedWord kParagraph[] = {
    {"pard", Control::Pard},   {"ql", Control::Ql},
    {"qc", Control::Qc},       {"qr", Control::Qr},
    {"qj", Control::Qj},       {"qd", Control::Qj},
    {"li", Control::Li},       {"lin", Control::Li},
    {"ri", Control::Ri},       {"rin", Control::Ri},
    {"fi", Control::Fi},       {"sb", Control::Sb},
    {"sa", Control::Sa},       {"tx", Control::Tx},
    {"tb", Control::Tx},       {"tqc", Control::Tqc},
    {"tqr", Control::Tqr},     {"tqdec", Control::Tqdec},
    {"intbl", Control::InTbl}, {"outlinelevel", Control::OutlineLevel},
};

// Page and column breaks end a paragraph; a nested table's cells and rows are shown as tabs and
// line breaks of the outer cell.
constexpr NamedWord kText[] = {
    {"par", Control::Par},      {"line", Control::Line},  {"softline", Control::Line},
    {"lbr", Control::Line},     {"tab", Control::Tab},    {"sect", Control::Sect},
    {"page", Control::Par},     {"column", Control::Par}, {"nestcell", Control::Tab},
    {"nestrow", Control::Line},
};

struct Special {
    const char* word;
    char16_t character;
};

constexpr Special kSpecialCharacters[] = {
    {"bullet", 0x2022},    {"emdash", 0x2014},    {"endash", 0x2013}, {"emspace", 0x2003},
    {"enspace", 0x2002},   {"qmspace", 0x2005},   {"lquote", 0x2018}, {"rquote", 0x2019},
    {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"zwj", 0x200D},    {"zwnj", 0x200C},
    {"ltrmark", 0x200E},   {"rtlmark", 0x200F},   {"zwbo", 0x200B},   {"zwnbo", 0xFEFF},
};

constexpr NamedWord kTable[] = {
    {"cell", Control::Cell},
    {"row", Control::Row},
    {"trowd", Control::TRowD},
    {"cellx", Control::CellX},
};

// Pictures in formats other than PNG and JPEG are read past.
constexpr NamedWord kPicture[] = {
    {"pngblip", Control::PngBlip},
    {"jpegblip", Control::JpegBlip},
    {"emfblip", Control::OtherPicture},
    {"wmetafile", Control::OtherPicture},
    {"dibitmap", Control::OtherPicture},
    {"wbitmap", Control::OtherPicture},
    {"macpict", Control::OtherPicture},
    {"pmmetafile", Control::OtherPicture},
    {"picw", Control::PicW},
    {"pich", Control::PicH},
    {"picwgoal", Control::PicWGoal},
    {"pichgoal", Control::PicHGoal},
    {"picscalex", Control::PicScaleX},
    {"picscaley", Control::PicScaleY},
};

using Table = std::unordered_map<std::string_view, Entry>;

template <size_t N> void Add(Table& t, Kind kind, const NamedWord (&names)[N]) {
    for (const NamedWord& n : names)
        t.emplace(n.word, Entry{kind, n.control});
}

const Table& Words() {
    static const Table table = [] {
        Table t;
        Add(t, Kind::Document, kDocument);
        Add(t, Kind::Destination, kDestination);
        for (const char* word : kSkip)
            t.emplace(word, Entry{Kind::Destination, Control::Skip});
        Add(t, Kind::Fonts, kFonts);
        Add(t, Kind::Colors, kColors);
        Add(t, Kind::Character, kCharacter);
        Add(t, Kind::Paragraph, kParagraph);
        Add(t, Kind::Text, kText);
        for (const Special& e : kSpecialCharacters)
            t.emplace(e.word, Entry{Kind::Text, Control::Character, e.character});
        Add(t, Kind::Table, kTable);
        Add(t, Kind::Picture, kPicture);
        return t;
    }();
    return table;
}

} // namespace

const Entry* FindControl(std::string_view word) {
    const Table& t = Words();
    const auto it = t.find(word);
    return it == t.end() ? nullptr : &it->second;
}

bool UnderstoodWithAsterisk(Control c) {
    switch (c) {
    case Control::ShpPict:
    case Control::Pict:
    case Control::Fldrslt:
    case Control::Result:
    case Control::Field:
    case Control::ListText:
    case Control::PnText:
        return true;
    default:
        return false;
    }
}

} // namespace richtext::reading
