#include "platform/RichText.h"

#include <QBuffer>
#include <QColor>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QStringDecoder>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace richtext {

namespace {

// Code page 1252, bytes 0x80 to 0x9F; the rest of the page is Latin-1. The five bytes Windows
// leaves undefined keep their C1 control, as MultiByteToWideChar does.
constexpr char16_t kCp1252Alto[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Pseudo code page for fonts with \fcharset2 (Symbol, Wingdings): the few glyphs word processors
// use as list bullets are mapped to their Unicode look-alikes.
constexpr int kCpSimbolos = 42;

// All pictures of one document together, so many big pictures cannot exhaust memory.
constexpr qint64 kMaxPixelesDocumento = 4 * kMaxPixelesImagen;
constexpr int kMaxTabs = 16;
constexpr int kMaxFuentes = 4096;
constexpr int kMaxColores = 1024;
constexpr int kMaxLetrasPalabra = 32;

enum class Destino : uint8_t { Texto, Saltar, Fuentes, Colores, Imagen };

// Character properties, saved and restored with each group.
struct Caracter {
    int fuente = -1; // number in the font table; -1 = the document's default font
    int tamano = 24; // half points
    int color = 0;   // index in the colour table; 0 = automatic
    int fondo = 0;
    int8_t posicion = 0; // 1 superscript, -1 subscript
    bool negrita = false, cursiva = false, subrayado = false, tachado = false, oculto = false;
    bool operator==(const Caracter&) const = default;
};

// Paragraph properties; in RTF they too belong to the group.
struct Parrafo {
    int alineacion = 0; // 0 left, 1 centre, 2 right, 3 justified
    int izquierda = 0, derecha = 0, primera = 0, antes = 0, despues = 0; // twips
    int nivel = -1;                                                      // outline level
    bool enTabla = false;
    int8_t tipoTab = 0; // kind of the next tab stop: 0 left, 1 centre, 2 right, 3 decimal
    int8_t nTabs = 0;
    std::array<int, kMaxTabs> tabs{};
    std::array<int8_t, kMaxTabs> tiposTab{};
};

struct Estado {
    Destino destino = Destino::Texto;
    int uc = 1; // fallback characters after \uN
    Caracter car;
    Parrafo par;
};

struct Fuente {
    QString nombre;
    QFont::StyleHint estilo = QFont::AnyStyle;
    int codepage = 0; // 0 = the document's
};

struct Tramo {
    QString texto;
    QTextCharFormat formato; // a QTextImageFormat when texto is empty
};

struct ParrafoListo {
    QTextBlockFormat bloque;
    QTextCharFormat caracter;
    std::vector<Tramo> tramos;
};

using Celda = std::vector<ParrafoListo>;

struct Imagen {
    int tipo = 0; // 0 unknown or unsupported, 1 PNG, 2 JPEG
    QByteArray datos;
    int nibble = -1;
    bool demasiado = false;
    int picw = 0, pich = 0, goalw = 0, goalh = 0, escalax = 100, escalay = 100;
};

enum class Pal : uint8_t {
    // document
    Rtf,
    Ansi,
    Mac,
    Pc,
    Pca,
    Ansicpg,
    Deff,
    Uc,
    U,
    // destinations
    FontTbl,
    ColorTbl,
    Pict,
    ShpPict,
    Fldrslt,
    Result,
    Field,
    ListText,
    PnText,
    SaltarGrupo,
    // font table
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
    // colour table
    Red,
    Green,
    Blue,
    // characters
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
    // paragraphs
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
    // breaks and special characters
    Par,
    Line,
    Tab,
    Sect,
    Cell,
    Row,
    TRowD,
    CellX,
    Caracter,
    // pictures
    PngBlip,
    JpegBlip,
    OtraImagen,
    PicW,
    PicH,
    PicWGoal,
    PicHGoal,
    PicScaleX,
    PicScaleY,
    Bin,
};

struct Entrada {
    Pal pal;
    char16_t caracter = 0; // for Pal::Caracter
};

const std::unordered_map<std::string_view, Entrada>& Diccionario() {
    static const std::unordered_map<std::string_view, Entrada> d = [] {
        std::unordered_map<std::string_view, Entrada> m;
        const std::pair<const char*, Pal> simples[] = {
            {"rtf", Pal::Rtf},
            {"ansi", Pal::Ansi},
            {"mac", Pal::Mac},
            {"pc", Pal::Pc},
            {"pca", Pal::Pca},
            {"ansicpg", Pal::Ansicpg},
            {"deff", Pal::Deff},
            {"uc", Pal::Uc},
            {"u", Pal::U},
            {"fonttbl", Pal::FontTbl},
            {"colortbl", Pal::ColorTbl},
            {"pict", Pal::Pict},
            {"shppict", Pal::ShpPict},
            {"fldrslt", Pal::Fldrslt},
            {"result", Pal::Result},
            {"field", Pal::Field},
            {"listtext", Pal::ListText},
            {"pntext", Pal::PnText},
            {"f", Pal::F},
            {"fcharset", Pal::FCharset},
            {"cpg", Pal::Cpg},
            {"fswiss", Pal::FSwiss},
            {"froman", Pal::FRoman},
            {"fmodern", Pal::FModern},
            {"fscript", Pal::FScript},
            {"fdecor", Pal::FDecor},
            {"fnil", Pal::FNil},
            {"ftech", Pal::FTech},
            {"fbidi", Pal::FNil},
            {"red", Pal::Red},
            {"green", Pal::Green},
            {"blue", Pal::Blue},
            {"plain", Pal::Plain},
            {"fs", Pal::Fs},
            {"b", Pal::B},
            {"i", Pal::I},
            {"ul", Pal::Ul},
            {"uld", Pal::Ul},
            {"uldb", Pal::Ul},
            {"uldash", Pal::Ul},
            {"uldashd", Pal::Ul},
            {"uldashdd", Pal::Ul},
            {"ulth", Pal::Ul},
            {"ulw", Pal::Ul},
            {"ulwave", Pal::Ul},
            {"ulhwave", Pal::Ul},
            {"ululdbwave", Pal::Ul},
            {"ulthd", Pal::Ul},
            {"ulthdash", Pal::Ul},
            {"ulldash", Pal::Ul},
            {"ulnone", Pal::UlNone},
            {"strike", Pal::Strike},
            {"striked", Pal::Strike},
            {"cf", Pal::Cf},
            {"cb", Pal::Cb},
            {"chcbpat", Pal::Cb},
            {"highlight", Pal::Highlight},
            {"super", Pal::Super},
            {"sub", Pal::Sub},
            {"nosupersub", Pal::NoSuperSub},
            {"up", Pal::Up},
            {"dn", Pal::Dn},
            {"v", Pal::V},
            {"pard", Pal::Pard},
            {"ql", Pal::Ql},
            {"qc", Pal::Qc},
            {"qr", Pal::Qr},
            {"qj", Pal::Qj},
            {"qd", Pal::Qj},
            {"li", Pal::Li},
            {"lin", Pal::Li},
            {"ri", Pal::Ri},
            {"rin", Pal::Ri},
            {"fi", Pal::Fi},
            {"sb", Pal::Sb},
            {"sa", Pal::Sa},
            {"tx", Pal::Tx},
            {"tb", Pal::Tx},
            {"tqc", Pal::Tqc},
            {"tqr", Pal::Tqr},
            {"tqdec", Pal::Tqdec},
            {"intbl", Pal::InTbl},
            {"outlinelevel", Pal::OutlineLevel},
            {"par", Pal::Par},
            {"line", Pal::Line},
            {"softline", Pal::Line},
            {"lbr", Pal::Line},
            {"tab", Pal::Tab},
            {"sect", Pal::Sect},
            {"page", Pal::Par},
            {"column", Pal::Par},
            {"cell", Pal::Cell},
            {"nestcell", Pal::Tab},
            {"row", Pal::Row},
            {"nestrow", Pal::Line},
            {"trowd", Pal::TRowD},
            {"cellx", Pal::CellX},
            {"pngblip", Pal::PngBlip},
            {"jpegblip", Pal::JpegBlip},
            {"emfblip", Pal::OtraImagen},
            {"wmetafile", Pal::OtraImagen},
            {"dibitmap", Pal::OtraImagen},
            {"wbitmap", Pal::OtraImagen},
            {"macpict", Pal::OtraImagen},
            {"pmmetafile", Pal::OtraImagen},
            {"picw", Pal::PicW},
            {"pich", Pal::PicH},
            {"picwgoal", Pal::PicWGoal},
            {"pichgoal", Pal::PicHGoal},
            {"picscalex", Pal::PicScaleX},
            {"picscaley", Pal::PicScaleY},
            {"bin", Pal::Bin},
        };
        for (const auto& [k, v] : simples)
            m.emplace(k, Entrada{v});
        const std::pair<const char*, char16_t> caracteres[] = {
            {"bullet", 0x2022},    {"emdash", 0x2014},    {"endash", 0x2013}, {"emspace", 0x2003},
            {"enspace", 0x2002},   {"qmspace", 0x2005},   {"lquote", 0x2018}, {"rquote", 0x2019},
            {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"zwj", 0x200D},    {"zwnj", 0x200C},
            {"ltrmark", 0x200E},   {"rtlmark", 0x200F},   {"zwbo", 0x200B},   {"zwnbo", 0xFEFF},
        };
        for (const auto& [k, v] : caracteres)
            m.emplace(k, Entrada{Pal::Caracter, v});
        // Destinations the notes never show: page furniture, notes, document properties, style
        // and list definitions, field instructions, alternative pictures and embedded objects'
        // data. Their groups are read past without effect.
        const char* saltar[] = {
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
        for (const char* k : saltar)
            m.emplace(k, Entrada{Pal::SaltarGrupo});
        return m;
    }();
    return d;
}

// Destinations this reader shows even when a writer marks them with "\*" (which means: skip
// this group if you do not know it).
bool EntendidaConAsterisco(Pal p) {
    switch (p) {
    case Pal::ShpPict:
    case Pal::Pict:
    case Pal::Fldrslt:
    case Pal::Result:
    case Pal::Field:
    case Pal::ListText:
    case Pal::PnText:
        return true;
    default:
        return false;
    }
}

// The Windows code page of a font's character set (\fcharsetN); 0 for the document's own.
int CodepageDeCharset(int charset) {
    static constexpr std::pair<int, int> tabla[] = {
        {2, kCpSimbolos}, {77, 10000}, {128, 932},  {129, 949},  {130, 1361}, {134, 936},
        {136, 950},       {161, 1253}, {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256},
        {186, 1257},      {204, 1251}, {222, 874},  {238, 1250}, {254, 437},  {255, 850},
    };
    for (const auto& [cs, cp] : tabla)
        if (cs == charset) return cp;
    return 0;
}

char16_t Simbolo(char16_t c) {
    switch (c & 0xFF) {
    case 0xB7:
        return 0x2022; // Symbol's bullet
    case 0xA7:
        return 0x25AA; // Wingdings' small square
    case 0xD8:
        return 0x27A2; // Wingdings' arrowhead
    case 0xFC:
        return 0x2713; // Wingdings' tick
    default:
        return c;
    }
}

double Pixeles(int twips) {
    return twips / 15.0;
}

class Lector {
public:
    Lector(const QByteArray& rtf, QTextDocument& doc)
        : p_(rtf.constData()), fin_(rtf.constData() + rtf.size()), doc_(doc), cursor_(&doc) {}

    // Reads the whole document, or stops when the clock passes `limite`; false when it stopped.
    bool Leer(std::chrono::steady_clock::time_point limite = std::chrono::steady_clock::time_point::max()) {
        const bool conLimite = limite != std::chrono::steady_clock::time_point::max();
        unsigned pasos = 0;
        while (p_ < fin_ && *p_ != '{')
            ++p_; // EsRtf has checked that only white space precedes
        while (p_ < fin_) {
            // The clock is read once every few thousand tokens: a token costs nanoseconds, a
            // clock read tens of them.
            if (conLimite && (++pasos & 0xfff) == 0 && std::chrono::steady_clock::now() > limite) return false;
            const char c = *p_;
            if (c == '{') {
                ++p_;
                AbrirGrupo();
            } else if (c == '}') {
                ++p_;
                if (!CerrarGrupo()) break; // the document's own group has ended
            } else if (c == '\\') {
                Control();
            } else {
                ++p_;
                if (c == '\r' || c == '\n') continue;
                if (saltarUc_ > 0) {
                    --saltarUc_;
                    continue;
                }
                Byte(static_cast<unsigned char>(c), false);
            }
        }
        Terminar();
        return true;
    }

private:
    // ---- groups --------------------------------------------------------------------------------

    void AbrirGrupo() {
        VaciarBytes();
        saltarUc_ = 0;
        ResolverAsterisco();
        if (static_cast<int>(pila_.size()) >= kMaxProfundidad) {
            ++desborde_;
            return;
        }
        pila_.push_back(st_);
    }

    bool CerrarGrupo() {
        VaciarBytes();
        saltarUc_ = 0;
        asterisco_ = false;
        if (desborde_ > 0) {
            --desborde_;
            return true;
        }
        if (pila_.empty()) return false;
        const Destino saliente = st_.destino;
        st_ = pila_.back();
        pila_.pop_back();
        if (saliente == Destino::Fuentes && fuenteDef_ >= 0) GuardarFuente();
        if (imagenProf_ >= 0 && static_cast<int>(pila_.size()) < imagenProf_) TerminarImagen();
        return !pila_.empty();
    }

    // "\*" then text: a destination nobody names, skipped.
    void ResolverAsterisco() {
        if (asterisco_) {
            asterisco_ = false;
            st_.destino = Destino::Saltar;
        }
    }

    // ---- tokens --------------------------------------------------------------------------------

    void Control() {
        ++p_; // the backslash
        if (p_ >= fin_) return;
        const char c = *p_;
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            const char* inicio = p_;
            while (p_ < fin_ && ((*p_ >= 'a' && *p_ <= 'z') || (*p_ >= 'A' && *p_ <= 'Z')))
                ++p_;
            const std::string_view palabra(
                inicio, static_cast<size_t>(std::min<ptrdiff_t>(p_ - inicio, kMaxLetrasPalabra + 1)));
            bool conParametro = false;
            bool negativo = false;
            long long valor = 0;
            if (p_ < fin_ && *p_ == '-' && p_ + 1 < fin_ && p_[1] >= '0' && p_[1] <= '9') {
                negativo = true;
                ++p_;
            }
            while (p_ < fin_ && *p_ >= '0' && *p_ <= '9') {
                conParametro = true;
                if (valor < 100000000000LL) valor = valor * 10 + (*p_ - '0');
                ++p_;
            }
            if (p_ < fin_ && *p_ == ' ') ++p_;
            if (negativo) valor = -valor;
            const int parametro = static_cast<int>(std::clamp<long long>(valor, INT32_MIN + 1, INT32_MAX));
            if (saltarUc_ > 0) {
                --saltarUc_;
                if (palabra == "bin" && conParametro) Binario(parametro, false);
                return;
            }
            // Bytes of a multi-byte code page come as consecutive "\'hh"; a word ends them.
            VaciarBytes();
            Palabra(palabra, conParametro, parametro);
            return;
        }
        if (c == '\'') {
            ++p_;
            int valor = 0;
            for (int k = 0; k < 2; ++k) {
                const int h = p_ < fin_ ? Hex(*p_) : -1;
                if (h < 0) return; // a broken escape is dropped
                valor = valor * 16 + h;
                ++p_;
            }
            if (saltarUc_ > 0) {
                --saltarUc_;
                return;
            }
            Byte(static_cast<unsigned char>(valor), true);
            return;
        }
        ++p_;
        if (saltarUc_ > 0) {
            --saltarUc_;
            return;
        }
        switch (c) {
        case '\\':
        case '{':
        case '}':
            Byte(static_cast<unsigned char>(c), false);
            break;
        case '~':
            Unidad(0x00A0);
            break;
        case '-':
            Unidad(0x00AD);
            break;
        case '_':
            Unidad(0x2011);
            break;
        case '*':
            VaciarBytes();
            asterisco_ = true;
            break;
        case '\r':
        case '\n':
            VaciarBytes();
            FinParrafo();
            break;
        case '\t':
            Unidad(u'\t');
            break;
        default:
            break; // \: \| and unknown symbols
        }
    }

    static int Hex(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    void Palabra(std::string_view palabra, bool conParametro, int n) {
        const auto& dic = Diccionario();
        const auto it = dic.find(palabra);
        if (asterisco_) {
            asterisco_ = false;
            if (it == dic.end() || !EntendidaConAsterisco(it->second.pal)) {
                st_.destino = Destino::Saltar;
                return;
            }
        }
        if (it == dic.end()) return; // unknown words are ignored, their text is not
        const int on = conParametro ? (n != 0) : 1;
        Caracter& car = st_.car;
        Parrafo& par = st_.par;
        const Destino dest = st_.destino;
        if (dest == Destino::Saltar) {
            if (it->second.pal == Pal::Bin && conParametro) Binario(n, false);
            return;
        }
        switch (it->second.pal) {
        case Pal::Rtf:
        case Pal::Ansi:
            break;
        case Pal::Mac:
            codepage_ = 10000;
            break;
        case Pal::Pc:
            codepage_ = 437;
            break;
        case Pal::Pca:
            codepage_ = 850;
            break;
        case Pal::Ansicpg:
            if (conParametro && n > 0) codepage_ = n;
            break;
        case Pal::Deff:
            if (conParametro) deff_ = n;
            break;
        case Pal::Uc:
            if (conParametro) st_.uc = std::clamp(n, 0, 16);
            break;
        case Pal::U:
            if (!conParametro) break;
            if (dest == Destino::Texto) Unidad(static_cast<char16_t>(n < 0 ? n + 65536 : n));
            saltarUc_ = st_.uc;
            break;

        case Pal::FontTbl:
            st_.destino = Destino::Fuentes;
            break;
        case Pal::ColorTbl:
            st_.destino = Destino::Colores;
            colores_.clear();
            ResetColor();
            cacheValida_ = false;
            break;
        case Pal::Pict:
            if (dest != Destino::Texto || imagenProf_ >= 0) {
                st_.destino = Destino::Saltar;
                break;
            }
            imagen_ = Imagen{};
            imagenProf_ = static_cast<int>(pila_.size());
            st_.destino = Destino::Imagen;
            break;
        case Pal::ShpPict:
        case Pal::Fldrslt:
        case Pal::Result:
        case Pal::Field:
        case Pal::ListText:
        case Pal::PnText:
            break; // their text is shown like any other
        case Pal::SaltarGrupo:
            st_.destino = Destino::Saltar;
            break;

        case Pal::F:
            if (!conParametro) break;
            if (dest == Destino::Fuentes) {
                if (fuenteDef_ >= 0 && !nombreDef_.isEmpty()) GuardarFuente();
                fuenteDef_ = n;
                nombreDef_.clear();
                estiloDef_ = QFont::AnyStyle;
                cpDef_ = 0;
            } else {
                car.fuente = n;
            }
            break;
        case Pal::FCharset:
            if (dest == Destino::Fuentes && conParametro) cpDef_ = CodepageDeCharset(n);
            break;
        case Pal::Cpg:
            if (dest == Destino::Fuentes && conParametro && n > 0) cpDef_ = n;
            break;
        case Pal::FSwiss:
            estiloDef_ = QFont::SansSerif;
            break;
        case Pal::FRoman:
            estiloDef_ = QFont::Serif;
            break;
        case Pal::FModern:
            estiloDef_ = QFont::TypeWriter;
            break;
        case Pal::FScript:
            estiloDef_ = QFont::Cursive;
            break;
        case Pal::FDecor:
            estiloDef_ = QFont::Decorative;
            break;
        case Pal::FNil:
        case Pal::FTech:
            break;

        case Pal::Red:
            if (dest == Destino::Colores) {
                rojo_ = std::clamp(n, 0, 255);
                hayColor_ = true;
            }
            break;
        case Pal::Green:
            if (dest == Destino::Colores) {
                verde_ = std::clamp(n, 0, 255);
                hayColor_ = true;
            }
            break;
        case Pal::Blue:
            if (dest == Destino::Colores) {
                azul_ = std::clamp(n, 0, 255);
                hayColor_ = true;
            }
            break;

        case Pal::Plain:
            car = Caracter{};
            break;
        case Pal::Fs:
            car.tamano = conParametro && n > 0 ? std::clamp(n, 2, 400) : 24;
            break;
        case Pal::B:
            car.negrita = on;
            break;
        case Pal::I:
            car.cursiva = on;
            break;
        case Pal::Ul:
            car.subrayado = on;
            break;
        case Pal::UlNone:
            car.subrayado = false;
            break;
        case Pal::Strike:
            car.tachado = on;
            break;
        case Pal::Cf:
            car.color = conParametro ? n : 0;
            break;
        case Pal::Cb:
        case Pal::Highlight:
            car.fondo = conParametro ? n : 0;
            break;
        case Pal::Super:
            car.posicion = 1;
            break;
        case Pal::Sub:
            car.posicion = -1;
            break;
        case Pal::NoSuperSub:
            car.posicion = 0;
            break;
        case Pal::Up:
            car.posicion = (conParametro && n == 0) ? 0 : 1;
            break;
        case Pal::Dn:
            car.posicion = (conParametro && n == 0) ? 0 : -1;
            break;
        case Pal::V:
            car.oculto = on;
            break;

        case Pal::Pard:
            par = Parrafo{};
            break;
        case Pal::Ql:
            par.alineacion = 0;
            break;
        case Pal::Qc:
            par.alineacion = 1;
            break;
        case Pal::Qr:
            par.alineacion = 2;
            break;
        case Pal::Qj:
            par.alineacion = 3;
            break;
        case Pal::Li:
            if (conParametro) par.izquierda = std::clamp(n, -30000, 30000);
            break;
        case Pal::Ri:
            if (conParametro) par.derecha = std::clamp(n, -30000, 30000);
            break;
        case Pal::Fi:
            if (conParametro) par.primera = std::clamp(n, -30000, 30000);
            break;
        case Pal::Sb:
            if (conParametro) par.antes = std::clamp(n, 0, 30000);
            break;
        case Pal::Sa:
            if (conParametro) par.despues = std::clamp(n, 0, 30000);
            break;
        case Pal::Tqc:
            par.tipoTab = 1;
            break;
        case Pal::Tqr:
            par.tipoTab = 2;
            break;
        case Pal::Tqdec:
            par.tipoTab = 3;
            break;
        case Pal::Tx:
            if (conParametro && par.nTabs < kMaxTabs) {
                par.tabs[par.nTabs] = std::clamp(n, 0, 30000);
                par.tiposTab[par.nTabs] = par.tipoTab;
                ++par.nTabs;
            }
            par.tipoTab = 0;
            break;
        case Pal::InTbl:
            par.enTabla = on;
            break;
        case Pal::OutlineLevel:
            par.nivel = conParametro ? n : -1;
            break;

        case Pal::Par:
        case Pal::Sect:
            FinParrafo();
            break;
        case Pal::Line:
            Unidad(static_cast<char16_t>(QChar::LineSeparator));
            break;
        case Pal::Tab:
            Unidad(u'\t');
            break;
        case Pal::Caracter:
            Unidad(it->second.caracter);
            break;
        case Pal::Cell:
            FinCelda();
            break;
        case Pal::Row:
            FinFila();
            break;
        case Pal::TRowD:
            cellx_.clear();
            break;
        case Pal::CellX:
            if (conParametro && cellx_.size() < static_cast<size_t>(kMaxColumnas)) cellx_.push_back(n);
            break;

        case Pal::PngBlip:
            if (dest == Destino::Imagen) imagen_.tipo = 1;
            break;
        case Pal::JpegBlip:
            if (dest == Destino::Imagen) imagen_.tipo = 2;
            break;
        case Pal::OtraImagen:
            if (dest == Destino::Imagen) imagen_.tipo = -1;
            break;
        case Pal::PicW:
            if (dest == Destino::Imagen) imagen_.picw = n;
            break;
        case Pal::PicH:
            if (dest == Destino::Imagen) imagen_.pich = n;
            break;
        case Pal::PicWGoal:
            if (dest == Destino::Imagen) imagen_.goalw = n;
            break;
        case Pal::PicHGoal:
            if (dest == Destino::Imagen) imagen_.goalh = n;
            break;
        case Pal::PicScaleX:
            if (dest == Destino::Imagen && n > 0) imagen_.escalax = std::min(n, 1000);
            break;
        case Pal::PicScaleY:
            if (dest == Destino::Imagen && n > 0) imagen_.escalay = std::min(n, 1000);
            break;
        case Pal::Bin:
            if (conParametro) Binario(n, dest == Destino::Imagen);
            break;
        }
    }

    // "\binN": N raw bytes follow; picture data inside a picture, skipped anywhere else.
    void Binario(int n, bool datosImagen) {
        if (n <= 0) return;
        const qsizetype cuantos = std::min<qsizetype>(n, fin_ - p_);
        if (datosImagen && !imagen_.demasiado) {
            if (imagen_.datos.size() + cuantos > kMaxBytesImagen)
                imagen_.demasiado = true;
            else
                imagen_.datos.append(p_, cuantos);
        }
        p_ += cuantos;
    }

    // ---- text ----------------------------------------------------------------------------------

    // One byte of text, raw or escaped, in the current destination.
    void Byte(unsigned char b, bool escapado) {
        switch (st_.destino) {
        case Destino::Saltar:
            return;
        case Destino::Imagen: {
            if (imagen_.demasiado) return;
            const int h = Hex(static_cast<char>(b));
            if (h < 0 || escapado) return;
            if (imagen_.nibble < 0) {
                imagen_.nibble = h;
            } else {
                if (imagen_.datos.size() >= kMaxBytesImagen) {
                    imagen_.demasiado = true;
                    return;
                }
                imagen_.datos.append(static_cast<char>(imagen_.nibble * 16 + h));
                imagen_.nibble = -1;
            }
            return;
        }
        case Destino::Colores:
            if (b == ';') GuardarColor();
            return;
        case Destino::Fuentes:
            if (b == ';') {
                if (fuenteDef_ >= 0) GuardarFuente();
            } else if (fuenteDef_ >= 0 && nombreDef_.size() < 256) {
                nombreDef_.append(static_cast<char>(b));
            }
            return;
        case Destino::Texto:
            break;
        }
        ResolverAsterisco();
        if (st_.destino != Destino::Texto) return;
        if (b < 0x80 && !escapado) {
            VaciarBytes();
            if (b == '\t')
                Unidad(u'\t');
            else if (b >= 0x20)
                Unidad(b);
            return;
        }
        const int cp = CodepageActual();
        if (!bytes_.isEmpty() && cp != cpBytes_) VaciarBytes();
        cpBytes_ = cp;
        bytes_.append(static_cast<char>(b));
    }

    int CodepageActual() const {
        const int numero = st_.car.fuente >= 0 ? st_.car.fuente : deff_;
        const auto it = fuentes_.constFind(numero);
        if (it != fuentes_.constEnd() && it->codepage != 0) return it->codepage;
        return codepage_;
    }

    void VaciarBytes() {
        if (bytes_.isEmpty()) return;
        const QString texto = Decodificar(bytes_, cpBytes_);
        bytes_.clear();
        for (const QChar ch : texto)
            Unidad(ch.unicode());
    }

    QString Decodificar(const QByteArray& bytes, int cp) {
        QString out;
        if (cp != 1252 && cp != kCpSimbolos) {
            if (QStringDecoder* d = Decodificador(cp)) {
                d->resetState();
                out = d->decode(bytes);
                if (!d->hasError() || !out.isEmpty()) return out;
                out.clear();
            }
        }
        out.reserve(bytes.size());
        for (const char c : bytes) {
            char16_t u = Cp1252(static_cast<unsigned char>(c)).unicode();
            if (cp == kCpSimbolos) u = Simbolo(u);
            out.append(QChar(u));
        }
        return out;
    }

    // The system's decoder for a Windows code page, or null to read the bytes as 1252.
    QStringDecoder* Decodificador(int cp) {
        auto it = decodificadores_.find(cp);
        if (it != decodificadores_.end()) return it->second.isValid() ? &it->second : nullptr;
        QByteArray nombre;
        switch (cp) {
        case 437:
            nombre = "IBM437";
            break;
        case 850:
            nombre = "IBM850";
            break;
        case 932:
            nombre = "Shift_JIS";
            break;
        case 936:
            nombre = "GBK";
            break;
        case 949:
            nombre = "windows-949";
            break;
        case 950:
            nombre = "Big5";
            break;
        case 10000:
            nombre = "macintosh";
            break;
        case 65001:
            nombre = "UTF-8";
            break;
        default:
            nombre = "windows-" + QByteArray::number(cp);
            break;
        }
        QStringDecoder d(nombre.constData());
        if (!d.isValid()) d = QStringDecoder(("cp" + QByteArray::number(cp)).constData());
        it = decodificadores_.emplace(cp, std::move(d)).first;
        return it->second.isValid() ? &it->second : nullptr;
    }

    // One UTF-16 unit of text for the document, joining surrogate pairs that "\u" gives one
    // half at a time; a half without its partner becomes U+FFFD.
    void Unidad(char16_t u) {
        if (!bytes_.isEmpty()) VaciarBytes();
        if (st_.destino != Destino::Texto) return;
        if (QChar::isHighSurrogate(u)) {
            if (alto_) Anadir(QChar(QChar::ReplacementCharacter));
            alto_ = u;
            return;
        }
        if (QChar::isLowSurrogate(u)) {
            if (alto_) {
                const QChar par[2] = {QChar(alto_), QChar(u)};
                alto_ = 0;
                Anadir(QStringView(par, 2));
            } else {
                Anadir(QChar(QChar::ReplacementCharacter));
            }
            return;
        }
        if (alto_) {
            alto_ = 0;
            Anadir(QChar(QChar::ReplacementCharacter));
        }
        if (u >= 0xF000 && u <= 0xF0FF) u = Simbolo(u); // symbol fonts' private-use bullets
        if (u < 0x20 && u != u'\t') return;             // control characters (and \u10) are not text
        if (u == QChar::ParagraphSeparator) u = static_cast<char16_t>(QChar::LineSeparator);
        Anadir(QChar(u));
    }

    void Anadir(QStringView s) {
        if (st_.car.oculto) return;
        if (!runActivo_ || !(runCar_ == st_.car)) {
            CerrarRun();
            runCar_ = st_.car;
            runActivo_ = true;
        }
        run_.append(s);
    }
    void Anadir(QChar c) { Anadir(QStringView(&c, 1)); }

    void CerrarRun() {
        if (runActivo_ && !run_.isEmpty()) tramos_.push_back({run_, Formato(runCar_)});
        run_.clear();
        runActivo_ = false;
    }

    QTextCharFormat Formato(const Caracter& c) {
        if (cacheValida_ && c == cacheCar_) return cacheFormato_;
        QTextCharFormat f;
        const auto it = fuentes_.constFind(c.fuente >= 0 ? c.fuente : deff_);
        // Symbol fonts' bullets are already turned into Unicode look-alikes, which the symbol
        // font itself (or its stand-in on this system) may not draw.
        if (it != fuentes_.constEnd() && !it->nombre.isEmpty() && it->codepage != kCpSimbolos) {
            f.setFontFamilies(QStringList{it->nombre});
            f.setFontStyleHint(it->estilo);
        }
        f.setFontPointSize(c.tamano / 2.0);
        f.setFontWeight(c.negrita ? QFont::Bold : QFont::Normal);
        f.setFontItalic(c.cursiva);
        f.setFontUnderline(c.subrayado);
        f.setFontStrikeOut(c.tachado);
        if (c.color > 0 && c.color < static_cast<int>(colores_.size()) && colores_[c.color].isValid())
            f.setForeground(colores_[c.color]);
        if (c.fondo > 0 && c.fondo < static_cast<int>(colores_.size()) && colores_[c.fondo].isValid())
            f.setBackground(colores_[c.fondo]);
        if (c.posicion > 0) f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        if (c.posicion < 0) f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        cacheCar_ = c;
        cacheFormato_ = f;
        cacheValida_ = true;
        return f;
    }

    static QTextBlockFormat FormatoBloque(const Parrafo& p) {
        QTextBlockFormat b;
        switch (p.alineacion) {
        case 1:
            b.setAlignment(Qt::AlignHCenter);
            break;
        case 2:
            b.setAlignment(Qt::AlignRight);
            break;
        case 3:
            b.setAlignment(Qt::AlignJustify);
            break;
        default:
            b.setAlignment(Qt::AlignLeft);
            break;
        }
        const int izquierda = std::max(0, p.izquierda);
        b.setLeftMargin(Pixeles(izquierda));
        b.setRightMargin(Pixeles(std::max(0, p.derecha)));
        // A hanging first line cannot start left of the page.
        b.setTextIndent(Pixeles(std::max(p.primera, -izquierda)));
        b.setTopMargin(Pixeles(p.antes));
        b.setBottomMargin(Pixeles(p.despues));
        if (p.nTabs > 0) {
            QList<QTextOption::Tab> tabs;
            for (int k = 0; k < p.nTabs; ++k) {
                QTextOption::TabType tipo = QTextOption::LeftTab;
                if (p.tiposTab[k] == 1) tipo = QTextOption::CenterTab;
                if (p.tiposTab[k] == 2) tipo = QTextOption::RightTab;
                if (p.tiposTab[k] == 3) tipo = QTextOption::DelimiterTab;
                tabs.append(QTextOption::Tab(Pixeles(p.tabs[k]), tipo,
                                             tipo == QTextOption::DelimiterTab ? QChar(u',') : QChar()));
            }
            b.setTabPositions(tabs);
        }
        if (p.nivel >= 0 && p.nivel < 6) b.setHeadingLevel(p.nivel + 1);
        return b;
    }

    // ---- font and colour tables ------------------------------------------------------------------

    void GuardarFuente() {
        if (fuentes_.size() < kMaxFuentes || fuentes_.contains(fuenteDef_)) {
            Fuente f;
            f.codepage = cpDef_;
            f.estilo = estiloDef_;
            f.nombre = Decodificar(nombreDef_, cpDef_ ? cpDef_ : codepage_).trimmed();
            fuentes_.insert(fuenteDef_, f);
        }
        fuenteDef_ = -1;
        nombreDef_.clear();
        cacheValida_ = false;
    }

    void ResetColor() {
        rojo_ = verde_ = azul_ = 0;
        hayColor_ = false;
    }

    void GuardarColor() {
        if (static_cast<int>(colores_.size()) < kMaxColores)
            colores_.push_back(hayColor_ ? QColor(rojo_, verde_, azul_) : QColor()); // invalid = automatic
        ResetColor();
        cacheValida_ = false;
    }

    // ---- pictures ------------------------------------------------------------------------------

    void TerminarImagen() {
        imagenProf_ = -1;
        Imagen im = std::move(imagen_);
        imagen_ = Imagen{};
        if (im.tipo <= 0 || im.demasiado || im.datos.isEmpty() || st_.car.oculto) return;
        // Data that does not even start like its format is not handed to the decoders.
        if (im.tipo == 1 && !im.datos.startsWith("\x89PNG\r\n\x1a\n")) return;
        if (im.tipo == 2 && !im.datos.startsWith("\xFF\xD8\xFF")) return;
        QBuffer buffer(&im.datos);
        buffer.open(QIODevice::ReadOnly);
        QImageReader lector(&buffer, im.tipo == 1 ? "png" : "jpeg");
        const QSize tam = lector.size();
        if (!tam.isValid() || tam.isEmpty()) return;
        const qint64 pixeles = static_cast<qint64>(tam.width()) * tam.height();
        if (pixeles > kMaxPixelesImagen || pixelesDocumento_ + pixeles > kMaxPixelesDocumento) return;
        const QImage img = lector.read();
        if (img.isNull()) return;
        pixelesDocumento_ += pixeles;

        // Shown size: the goal size in twips when given, else the picture's own pixels, scaled.
        double ancho = im.goalw > 0 ? Pixeles(im.goalw) : img.width();
        double alto = im.goalh > 0 ? Pixeles(im.goalh) : img.height();
        if (im.goalw > 0 && im.goalh <= 0) alto = ancho * img.height() / img.width();
        if (im.goalh > 0 && im.goalw <= 0) ancho = alto * img.width() / img.height();
        ancho = std::clamp(ancho * im.escalax / 100.0, 1.0, 4096.0);
        alto = std::clamp(alto * im.escalay / 100.0, 1.0, 4096.0);

        const QUrl nombre(QStringLiteral("rtf-imagen:%1").arg(++imagenes_));
        doc_.addResource(QTextDocument::ImageResource, nombre, img);
        QTextImageFormat f;
        f.setName(nombre.toString());
        f.setWidth(ancho);
        f.setHeight(alto);
        CerrarRun();
        tramos_.push_back({QString(), f});
    }

    // ---- paragraphs and tables -------------------------------------------------------------------

    ParrafoListo TomarParrafo() {
        CerrarRun();
        ParrafoListo p{FormatoBloque(st_.par), Formato(st_.car), std::move(tramos_)};
        tramos_.clear();
        return p;
    }

    void FinParrafo() {
        if (st_.destino != Destino::Texto) return;
        VaciarAlto();
        ParrafoListo p = TomarParrafo();
        if (st_.par.enTabla) {
            celda_.push_back(std::move(p));
            return;
        }
        // A row left without its \row ends where the text leaves the table.
        EscribirFilaPendiente();
        CerrarTabla();
        Escribir(p);
    }

    void EscribirFilaPendiente() {
        if (!celda_.empty()) {
            fila_.push_back(std::move(celda_));
            celda_.clear();
        }
        if (!fila_.empty()) EscribirFila();
    }

    void FinCelda() {
        if (st_.destino != Destino::Texto) return;
        VaciarAlto();
        CerrarRun();
        if (!tramos_.empty()) celda_.push_back(TomarParrafo());
        fila_.push_back(std::move(celda_));
        celda_.clear();
    }

    void FinFila() {
        if (st_.destino != Destino::Texto) return;
        VaciarAlto();
        CerrarRun();
        if (!tramos_.empty() || !celda_.empty()) FinCelda();
        if (!fila_.empty()) EscribirFila();
    }

    void VaciarAlto() {
        if (alto_) {
            alto_ = 0;
            Anadir(QChar(QChar::ReplacementCharacter));
        }
    }

    void Escribir(const ParrafoListo& p) {
        cursor_.movePosition(QTextCursor::End);
        if (reusarBloque_) {
            cursor_.setBlockFormat(p.bloque);
            cursor_.setBlockCharFormat(p.caracter);
            reusarBloque_ = false;
        } else {
            cursor_.insertBlock(p.bloque, p.caracter);
        }
        EscribirTramos(cursor_, p.tramos);
    }

    static void EscribirTramos(QTextCursor& c, const std::vector<Tramo>& tramos) {
        for (const Tramo& t : tramos) {
            if (t.texto.isEmpty())
                c.insertImage(t.formato.toImageFormat());
            else
                c.insertText(t.texto, t.formato);
        }
    }

    // A finished row joins the table being gathered. The table goes into the document in one
    // piece when the text leaves it: Qt rescans every frame of the document after each change to
    // a table's shape, so growing it row by row would cost time quadratic in its rows.
    void EscribirFila() {
        if (filasTabla_.empty()) cellxTabla_ = cellx_;
        filasTabla_.push_back(std::move(fila_));
        fila_.clear();
        if (static_cast<int>(filasTabla_.size()) >= kMaxFilasPorTabla) CerrarTabla();
    }

    void CerrarTabla() {
        if (filasTabla_.empty()) return;
        cursor_.movePosition(QTextCursor::End);
        if (tablas_ >= kMaxTablas)
            EscribirFilasComoParrafos();
        else
            EscribirTabla();
        filasTabla_.clear();
        cursor_.movePosition(QTextCursor::End);
        reusarBloque_ = true; // the empty block Qt keeps after every table
    }

    void EscribirTabla() {
        int columnas = 1;
        for (const auto& fila : filasTabla_)
            columnas = std::max(columnas, std::min<int>(static_cast<int>(fila.size()), kMaxColumnas));
        QTextTableFormat tf;
        tf.setBorder(1);
        tf.setBorderBrush(QColor(0x8a, 0x96, 0xa8));
        tf.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        tf.setBorderCollapse(true);
        tf.setCellPadding(3);
        tf.setCellSpacing(0);
        tf.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        tf.setColumnWidthConstraints(AnchosColumnas(columnas));
        QTextTable* tabla = cursor_.insertTable(static_cast<int>(filasTabla_.size()), columnas, tf);
        ++tablas_;
        for (int r = 0; r < static_cast<int>(filasTabla_.size()); ++r) {
            const auto& fila = filasTabla_[r];
            for (int k = 0; k < static_cast<int>(fila.size()); ++k) {
                // Cells beyond the last column join the last one.
                const int col = std::min(k, columnas - 1);
                QTextCursor c = tabla->cellAt(r, col).lastCursorPosition();
                bool primero = k < columnas;
                for (const ParrafoListo& p : fila[k]) {
                    if (primero) {
                        c.setBlockFormat(p.bloque);
                        c.setBlockCharFormat(p.caracter);
                        primero = false;
                    } else {
                        c.insertBlock(p.bloque, p.caracter);
                    }
                    EscribirTramos(c, p.tramos);
                }
            }
        }
    }

    // Past kMaxTablas tables (every new table makes Qt rescan the whole document), rows are
    // shown as paragraphs with their cells separated by tabs.
    void EscribirFilasComoParrafos() {
        for (auto& fila : filasTabla_) {
            ParrafoListo p;
            bool primero = true;
            for (size_t k = 0; k < fila.size(); ++k) {
                if (k > 0) p.tramos.push_back({QStringLiteral("\t"), QTextCharFormat()});
                for (size_t j = 0; j < fila[k].size(); ++j) {
                    ParrafoListo& q = fila[k][j];
                    if (primero) {
                        p.bloque = q.bloque;
                        p.caracter = q.caracter;
                        primero = false;
                    }
                    if (j > 0) p.tramos.push_back({QStringLiteral(" "), q.caracter});
                    for (Tramo& t : q.tramos)
                        p.tramos.push_back(std::move(t));
                }
            }
            if (reusarBloque_ || !p.tramos.empty()) Escribir(p);
        }
    }

    // Column widths in the proportions of the first row's cell boundaries, as parts of the box's
    // width (the notes box is narrower than the page the document was written for).
    QList<QTextLength> AnchosColumnas(int columnas) const {
        QList<QTextLength> anchos;
        if (static_cast<int>(cellxTabla_.size()) == columnas) {
            int anterior = 0;
            long long total = 0;
            std::vector<int> partes;
            for (int x : cellxTabla_) {
                partes.push_back(std::max(1, x - anterior));
                total += partes.back();
                anterior = x;
            }
            for (int parte : partes)
                anchos.append(QTextLength(QTextLength::PercentageLength, 100.0 * parte / total));
        } else {
            for (int k = 0; k < columnas; ++k)
                anchos.append(QTextLength(QTextLength::PercentageLength, 100.0 / columnas));
        }
        return anchos;
    }

    void Terminar() {
        VaciarBytes();
        while (!pila_.empty() && st_.destino != Destino::Texto)
            CerrarGrupo(); // cut short inside a table or picture
        if (imagenProf_ >= 0) TerminarImagen();
        if (st_.destino != Destino::Texto) return;
        VaciarAlto();
        CerrarRun();
        if (st_.par.enTabla) {
            if (!tramos_.empty()) celda_.push_back(TomarParrafo());
            EscribirFilaPendiente();
            CerrarTabla();
            return;
        }
        const bool texto = !tramos_.empty();
        ParrafoListo p = TomarParrafo();
        EscribirFilaPendiente();
        CerrarTabla();
        if (texto) Escribir(p);
    }

    const char* p_;
    const char* fin_;
    QTextDocument& doc_;
    QTextCursor cursor_;

    Estado st_;
    std::vector<Estado> pila_;
    int desborde_ = 0;
    bool asterisco_ = false;
    int saltarUc_ = 0;
    char16_t alto_ = 0;

    int codepage_ = 1252;
    int deff_ = 0;
    QByteArray bytes_;
    int cpBytes_ = 1252;
    std::map<int, QStringDecoder> decodificadores_;

    QHash<int, Fuente> fuentes_;
    int fuenteDef_ = -1;
    QByteArray nombreDef_;
    QFont::StyleHint estiloDef_ = QFont::AnyStyle;
    int cpDef_ = 0;

    std::vector<QColor> colores_;
    int rojo_ = 0, verde_ = 0, azul_ = 0;
    bool hayColor_ = false;

    bool runActivo_ = false;
    Caracter runCar_;
    QString run_;
    std::vector<Tramo> tramos_;
    bool cacheValida_ = false;
    Caracter cacheCar_;
    QTextCharFormat cacheFormato_;

    bool reusarBloque_ = true;
    std::vector<std::vector<Celda>> filasTabla_;
    std::vector<int> cellxTabla_;
    int tablas_ = 0;
    Celda celda_;
    std::vector<Celda> fila_;
    std::vector<int> cellx_;

    Imagen imagen_;
    int imagenProf_ = -1;
    int imagenes_ = 0;
    qint64 pixelesDocumento_ = 0;
};

} // namespace

QChar Cp1252(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return QChar(kCp1252Alto[byte - 0x80]);
    return QChar(static_cast<char16_t>(byte));
}

bool EsRtf(const QByteArray& datos) {
    qsizetype k = 0;
    if (datos.startsWith("\xEF\xBB\xBF")) k = 3;
    while (k < datos.size() && (datos[k] == ' ' || datos[k] == '\t' || datos[k] == '\r' || datos[k] == '\n'))
        ++k;
    return datos.mid(k, 5) == "{\\rtf";
}

bool LeerRtf(const QByteArray& rtf, QTextDocument& doc, QString* error) {
    return LeerRtf(rtf, doc, error, std::chrono::milliseconds::max(), nullptr);
}

bool LeerRtf(const QByteArray& rtf, QTextDocument& doc, QString* error, std::chrono::milliseconds limite,
             bool* agotado) {
    const auto inicio = std::chrono::steady_clock::now();
    const auto hasta = limite == std::chrono::milliseconds::max() ? std::chrono::steady_clock::time_point::max()
                                                                   : inicio + limite;
    if (agotado) *agotado = false;
    const bool deshacer = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false); // a viewer never undoes; recording every insertion costs memory
    doc.clear();
    if (!EsRtf(rtf)) {
        if (error) *error = QStringLiteral("Los datos no son un documento RTF: no empiezan por «{\\rtf».");
        doc.setUndoRedoEnabled(deshacer);
        return false;
    }
    const bool completo = Lector(rtf, doc).Leer(hasta);
    if (!completo) {
        doc.clear();
        doc.setUndoRedoEnabled(deshacer);
        if (agotado) *agotado = true;
        if (error) *error = QStringLiteral("El documento es demasiado grande: leerlo llevaría demasiado tiempo.");
        return false;
    }
    doc.setUndoRedoEnabled(deshacer);
    if (error) error->clear();
    return true;
}

} // namespace richtext
