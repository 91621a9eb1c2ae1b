#include "platform/RichText.h"

#include "platform/RichTextCodepages.h"
#include "platform/RichTextControl.h"
#include "platform/RichTextFormat.h"
#include "platform/RichTextPictures.h"
#include "platform/RichTextTables.h"
#include "platform/RichTextTokens.h"

#include <QTextDocument>
#include <algorithm>
#include <string_view>
#include <vector>

namespace richtext {

namespace {

using namespace lectura;

enum class Destino : uint8_t { Texto, Saltar, Fuentes, Colores, Imagen };

struct Estado {
    Destino destino = Destino::Texto;
    int uc = 1; // fallback characters after \uN
    Caracter car;
    Parrafo par;
};

// Reads one document: the tokens' effect on the group's state, the text in its code page, and the
// finished paragraphs handed to the writer.
class Lector {
public:
    Lector(const QByteArray& rtf, QTextDocument& doc)
        : tokens_(Inicio(rtf)), doc_(doc), escritor_(doc) {}

    // Reads the whole document, or stops when the clock passes `limite`; false when it stopped.
    bool Leer(std::chrono::steady_clock::time_point limite = std::chrono::steady_clock::time_point::max()) {
        const bool conLimite = limite != std::chrono::steady_clock::time_point::max();
        qsizetype pasos = 0;
        for (;;) {
            // The clock is read once every few thousand bytes: a token costs nanoseconds, a clock
            // read tens of them.
            if (conLimite && ++pasos >= 4096) {
                pasos = 0;
                if (std::chrono::steady_clock::now() > limite) return false;
            }
            const Pieza t = tokens_.Siguiente();
            switch (t.tipo) {
            case Token::Fin:
                Terminar();
                return true;
            case Token::AbreGrupo:
                AbrirGrupo();
                break;
            case Token::CierraGrupo:
                if (!CerrarGrupo()) { // the document's own group has ended
                    Terminar();
                    return true;
                }
                break;
            case Token::Palabra:
                Palabra(t);
                break;
            case Token::Simbolo:
                if (!Respaldo()) Simbolo(static_cast<char>(t.byte));
                break;
            case Token::Byte:
                if (!Respaldo()) Byte(t.byte, true);
                break;
            case Token::Texto:
                if (conLimite) pasos += static_cast<qsizetype>(t.texto.size());
                for (const char c : t.texto)
                    if (!Respaldo()) Byte(static_cast<unsigned char>(c), false);
                break;
            }
        }
    }

private:
    // EsRtf has checked that only white space precedes the first brace.
    static std::string_view Inicio(const QByteArray& rtf) {
        const std::string_view datos(rtf.constData(), static_cast<size_t>(rtf.size()));
        const size_t llave = datos.find('{');
        return llave == std::string_view::npos ? std::string_view() : datos.substr(llave);
    }

    // True when the token is one of the fallback characters after "\uN", which are dropped.
    bool Respaldo() {
        if (saltarUc_ <= 0) return false;
        --saltarUc_;
        return true;
    }

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
        if (imagenes_.Abierta() && static_cast<int>(pila_.size()) < imagenes_.Profundidad()) TerminarImagen();
        return !pila_.empty();
    }

    // "\*" then text: a destination nobody names, skipped.
    void ResolverAsterisco() {
        if (asterisco_) {
            asterisco_ = false;
            st_.destino = Destino::Saltar;
        }
    }

    // ---- control words and symbols -------------------------------------------------------------

    void Palabra(const Pieza& t) {
        const Argumento a{t.conParametro, t.parametro};
        const Entrada* e = BuscarControl(t.texto);
        if (Respaldo()) {
            if (e && e->control == Control::Bin && a.conParametro) Binario(a.n, false);
            return;
        }
        // Bytes of a multi-byte code page come as consecutive "\'hh"; a word ends them.
        VaciarBytes();
        if (asterisco_) {
            asterisco_ = false;
            if (!e || !EntendidaConAsterisco(e->control)) {
                st_.destino = Destino::Saltar;
                return;
            }
        }
        if (!e) return; // unknown words are ignored, their text is not
        const Destino dest = st_.destino;
        if (dest == Destino::Saltar) {
            if (e->control == Control::Bin && a.conParametro) Binario(a.n, false);
            return;
        }
        switch (e->clase) {
        case Clase::Documento:
            PalabraDocumento(e->control, a);
            break;
        case Clase::Destino:
            PalabraDestino(e->control);
            break;
        case Clase::Fuentes:
            PalabraFuente(e->control, a);
            break;
        case Clase::Colores:
            if (dest == Destino::Colores) PalabraColor(e->control, a);
            break;
        case Clase::Caracter:
            AplicarCaracter(e->control, a, st_.car);
            break;
        case Clase::Parrafo:
            AplicarParrafo(e->control, a, st_.par);
            break;
        case Clase::Texto:
            PalabraTexto(*e);
            break;
        case Clase::Tabla:
            PalabraTabla(e->control, a);
            break;
        case Clase::Imagen:
            if (dest == Destino::Imagen) imagenes_.Aplicar(e->control, a);
            break;
        }
    }

    void PalabraDocumento(Control c, Argumento a) {
        switch (c) {
        case Control::Mac:
            codepage_ = 10000;
            break;
        case Control::Pc:
            codepage_ = 437;
            break;
        case Control::Pca:
            codepage_ = 850;
            break;
        case Control::Ansicpg:
            if (a.conParametro && a.n > 0) codepage_ = a.n;
            break;
        case Control::Deff:
            if (a.conParametro) formatos_.FuentePorDefecto(a.n);
            break;
        case Control::Uc:
            if (a.conParametro) st_.uc = std::clamp(a.n, 0, 16);
            break;
        case Control::U:
            if (!a.conParametro) break;
            if (st_.destino == Destino::Texto) Unidad(static_cast<char16_t>(a.n < 0 ? a.n + 65536 : a.n));
            saltarUc_ = st_.uc;
            break;
        case Control::Bin:
            if (a.conParametro) Binario(a.n, st_.destino == Destino::Imagen);
            break;
        default:
            break; // \rtf, \ansi
        }
    }

    void PalabraDestino(Control c) {
        switch (c) {
        case Control::FontTbl:
            st_.destino = Destino::Fuentes;
            break;
        case Control::ColorTbl:
            st_.destino = Destino::Colores;
            formatos_.VaciarColores();
            ResetColor();
            break;
        case Control::Pict:
            if (st_.destino != Destino::Texto || imagenes_.Abierta()) {
                st_.destino = Destino::Saltar;
                break;
            }
            imagenes_.Empezar(static_cast<int>(pila_.size()));
            st_.destino = Destino::Imagen;
            break;
        case Control::Saltar:
            st_.destino = Destino::Saltar;
            break;
        default:
            break; // results, fields and list text: their text is shown like any other
        }
    }

    void PalabraFuente(Control c, Argumento a) {
        const bool enTabla = st_.destino == Destino::Fuentes;
        switch (c) {
        case Control::F:
            if (!a.conParametro) break;
            if (enTabla) {
                if (fuenteDef_ >= 0 && !nombreDef_.isEmpty()) GuardarFuente();
                fuenteDef_ = a.n;
                nombreDef_.clear();
                estiloDef_ = QFont::AnyStyle;
                cpDef_ = 0;
            } else {
                st_.car.fuente = a.n;
            }
            break;
        case Control::FCharset:
            if (enTabla && a.conParametro) cpDef_ = CodepageDeCharset(a.n);
            break;
        case Control::Cpg:
            if (enTabla && a.conParametro && a.n > 0) cpDef_ = a.n;
            break;
        case Control::FSwiss:
            estiloDef_ = QFont::SansSerif;
            break;
        case Control::FRoman:
            estiloDef_ = QFont::Serif;
            break;
        case Control::FModern:
            estiloDef_ = QFont::TypeWriter;
            break;
        case Control::FScript:
            estiloDef_ = QFont::Cursive;
            break;
        case Control::FDecor:
            estiloDef_ = QFont::Decorative;
            break;
        default:
            break; // \fnil, \ftech: no hint
        }
    }

    void PalabraColor(Control c, Argumento a) {
        const int valor = std::clamp(a.n, 0, 255);
        if (c == Control::Red) rojo_ = valor;
        if (c == Control::Green) verde_ = valor;
        if (c == Control::Blue) azul_ = valor;
        hayColor_ = true;
    }

    void PalabraTexto(const Entrada& e) {
        switch (e.control) {
        case Control::Par:
        case Control::Sect:
            FinParrafo();
            break;
        case Control::Line:
            Unidad(static_cast<char16_t>(QChar::LineSeparator));
            break;
        case Control::Tab:
            Unidad(u'\t');
            break;
        case Control::Caracter:
            Unidad(e.caracter);
            break;
        default:
            break;
        }
    }

    void PalabraTabla(Control c, Argumento a) {
        switch (c) {
        case Control::Cell:
            FinCelda();
            break;
        case Control::Row:
            FinFila();
            break;
        case Control::TRowD:
            escritor_.NuevaFila();
            break;
        case Control::CellX:
            if (a.conParametro) escritor_.BordeCelda(a.n);
            break;
        default:
            break;
        }
    }

    void Simbolo(char c) {
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

    // "\binN": N raw bytes follow; picture data inside a picture, skipped anywhere else.
    void Binario(int n, bool datosImagen) {
        if (n <= 0) return;
        const std::string_view bytes = tokens_.Binario(n);
        if (datosImagen) imagenes_.Binario(bytes);
    }

    // ---- text ----------------------------------------------------------------------------------

    // One byte of text, raw or escaped, in the current destination.
    void Byte(unsigned char b, bool escapado) {
        switch (st_.destino) {
        case Destino::Saltar:
            return;
        case Destino::Imagen:
            if (!escapado) imagenes_.Digito(b);
            return;
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
        const int propio = formatos_.Codepage(st_.car);
        return propio != 0 ? propio : codepage_;
    }

    void VaciarBytes() {
        if (bytes_.isEmpty()) return;
        const QString texto = decodificador_.Decodificar(bytes_, cpBytes_);
        bytes_.clear();
        for (const QChar ch : texto)
            Unidad(ch.unicode());
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
        if (u >= 0xF000 && u <= 0xF0FF) u = lectura::Simbolo(u); // symbol fonts' private-use bullets
        if (u < 0x20 && u != u'\t') return;                        // control characters (and \u10) are not text
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
        if (runActivo_ && !run_.isEmpty()) tramos_.push_back({run_, formatos_.FormatoCaracter(runCar_)});
        run_.clear();
        runActivo_ = false;
    }

    // ---- font and colour tables ----------------------------------------------------------------

    void GuardarFuente() {
        Fuente f;
        f.codepage = cpDef_;
        f.estilo = estiloDef_;
        f.nombre = decodificador_.Decodificar(nombreDef_, cpDef_ ? cpDef_ : codepage_).trimmed();
        formatos_.GuardarFuente(fuenteDef_, std::move(f));
        fuenteDef_ = -1;
        nombreDef_.clear();
    }

    void ResetColor() {
        rojo_ = verde_ = azul_ = 0;
        hayColor_ = false;
    }

    void GuardarColor() {
        formatos_.GuardarColor(hayColor_ ? QColor(rojo_, verde_, azul_) : QColor()); // invalid = automatic
        ResetColor();
    }

    // ---- pictures, paragraphs and tables -------------------------------------------------------

    void TerminarImagen() {
        if (auto f = imagenes_.Terminar(doc_, st_.car.oculto)) {
            CerrarRun();
            tramos_.push_back({QString(), *f});
        }
    }

    ParrafoListo TomarParrafo() {
        CerrarRun();
        ParrafoListo p{FormatoBloque(st_.par), formatos_.FormatoCaracter(st_.car), std::move(tramos_)};
        tramos_.clear();
        return p;
    }

    void FinParrafo() {
        if (st_.destino != Destino::Texto) return;
        VaciarAlto();
        ParrafoListo p = TomarParrafo();
        if (st_.par.enTabla)
            escritor_.ParrafoDeCelda(std::move(p));
        else
            escritor_.Parrafo(p);
    }

    void FinCelda() {
        if (st_.destino != Destino::Texto) return;
        VaciarAlto();
        CerrarRun();
        if (!tramos_.empty()) escritor_.ParrafoDeCelda(TomarParrafo());
        escritor_.FinCelda();
    }

    void FinFila() {
        if (st_.destino != Destino::Texto) return;
        VaciarAlto();
        CerrarRun();
        if (!tramos_.empty() || escritor_.CeldaEmpezada()) FinCelda();
        escritor_.FinFila();
    }

    void VaciarAlto() {
        if (alto_) {
            alto_ = 0;
            Anadir(QChar(QChar::ReplacementCharacter));
        }
    }

    void Terminar() {
        VaciarBytes();
        while (!pila_.empty() && st_.destino != Destino::Texto)
            CerrarGrupo(); // cut short inside a table or picture
        if (imagenes_.Abierta()) TerminarImagen();
        if (st_.destino != Destino::Texto) return;
        VaciarAlto();
        CerrarRun();
        if (st_.par.enTabla) {
            if (!tramos_.empty()) escritor_.ParrafoDeCelda(TomarParrafo());
            escritor_.Terminar();
            return;
        }
        const bool texto = !tramos_.empty();
        const ParrafoListo p = TomarParrafo();
        if (texto)
            escritor_.Parrafo(p);
        else
            escritor_.Terminar();
    }

    Tokenizador tokens_;
    QTextDocument& doc_;
    Escritor escritor_;
    Formatos formatos_;
    Imagenes imagenes_;
    Decodificador decodificador_;

    Estado st_;
    std::vector<Estado> pila_;
    int desborde_ = 0;
    bool asterisco_ = false;
    int saltarUc_ = 0;
    char16_t alto_ = 0;

    int codepage_ = 1252;
    QByteArray bytes_;
    int cpBytes_ = 1252;

    // The font table's entry being read.
    int fuenteDef_ = -1;
    QByteArray nombreDef_;
    QFont::StyleHint estiloDef_ = QFont::AnyStyle;
    int cpDef_ = 0;

    // The colour table's entry being read.
    int rojo_ = 0, verde_ = 0, azul_ = 0;
    bool hayColor_ = false;

    // The text of the paragraph being read: its finished runs and the run being gathered.
    bool runActivo_ = false;
    Caracter runCar_;
    QString run_;
    std::vector<Tramo> tramos_;
};

} // namespace

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
