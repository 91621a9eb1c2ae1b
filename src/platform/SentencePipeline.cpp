#include "platform/SentencePipeline.h"

#include "platform/SentenceFormat.h"
#include "platform/Transducer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <apertium-lex-tools/lrx_processor.h>
#include <apertium/file_morpho_stream.h>
#include <apertium/hmm.h>
#include <apertium/interchunk.h>
#include <apertium/postchunk.h>
#include <apertium/pretransfer.h>
#include <apertium/tagger_flags.h>
#include <apertium/tagger_word.h>
#include <apertium/transfer.h>
#include <lttoolbox/fst_processor.h>
#include <lttoolbox/input_file.h>
#include <unicode/ustdio.h>

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace sentences {

namespace {

// The description names a few dozen files; anything bigger is not one of ours.
constexpr qint64 kMaxDescription = 64 * 1024;
// The largest file a pair ships is under 2 MB; a "file" far larger is no Apertium file.
constexpr qint64 kMaxFile = 64 * 1024 * 1024;
// A piece of text translated in one pass: large enough that a paragraph is one piece, small
// enough that a second request waits little and memory stays flat on a long text.
constexpr qsizetype kPiece = 8 * 1024;
// Well under the run lttoolbox's analyser can take back when a match fails (its buffer holds
// about two thousand characters; past that it loses text).
constexpr qsizetype kLongestRun = 1000;

// Apertium's tagger keeps the tag list of the model in use in a global (TaggerWord's), so only
// one pipeline runs at a time in the process.
std::mutex& Turno() {
    static std::mutex m;
    return m;
}

// Bytes in memory as a file Apertium can open by name: its transfer readers take paths only.
class ArchivoEnMemoria {
public:
    explicit ArchivoEnMemoria(const QByteArray& bytes) {
        fd_ = memfd_create("palavrix-frases", MFD_CLOEXEC);
        if (fd_ < 0) return;
        qsizetype escrito = 0;
        while (escrito < bytes.size()) {
            const ssize_t r =
                ::write(fd_, bytes.constData() + escrito, static_cast<size_t>(bytes.size() - escrito));
            if (r <= 0) {
                ::close(fd_);
                fd_ = -1;
                return;
            }
            escrito += r;
        }
    }
    ~ArchivoEnMemoria() {
        if (fd_ >= 0) ::close(fd_);
    }
    ArchivoEnMemoria(const ArchivoEnMemoria&) = delete;
    ArchivoEnMemoria& operator=(const ArchivoEnMemoria&) = delete;
    bool Valido() const { return fd_ >= 0; }
    // Opening this path opens the same bytes afresh, from their start.
    std::string Ruta() const { return "/proc/self/fd/" + std::to_string(fd_); }

private:
    int fd_ = -1;
};

// A C stream over bytes in memory, for the readers that take a FILE*.
struct FileDeMemoria {
    explicit FileDeMemoria(QByteArray b) : bytes(std::move(b)) {
        if (bytes.isEmpty()) bytes.append('\0');
        f = fmemopen(bytes.data(), static_cast<size_t>(bytes.size()), "rb");
    }
    ~FileDeMemoria() {
        if (f) std::fclose(f);
    }
    FileDeMemoria(const FileDeMemoria&) = delete;
    FileDeMemoria& operator=(const FileDeMemoria&) = delete;
    QByteArray bytes;
    FILE* f = nullptr;
};

// One run of a stage: the stream in, as lttoolbox's InputFile, and the stream out, into memory.
class Paso {
public:
    explicit Paso(const QByteArray& entrada) : entrada_(entrada) {
        // Each piece ends with the flush character: the stages run in their null-flush mode,
        // which is the one made for being fed piece after piece.
        entrada_.append('\0');
        in_ = fmemopen(entrada_.data(), static_cast<size_t>(entrada_.size()), "r");
        out_ = open_memstream(&buffer_, &size_);
        if (out_) uout_ = u_finit(out_, nullptr, "UTF-8");
        if (in_) input_.wrap(in_);
    }
    ~Paso() {
        if (uout_) u_fclose(uout_);
        if (out_) std::fclose(out_);
        // The input stream belongs to input_, which closes it.
        std::free(buffer_);
    }
    Paso(const Paso&) = delete;
    Paso& operator=(const Paso&) = delete;
    bool Listo() const { return in_ && uout_; }
    InputFile& In() { return input_; }
    UFILE* Out() { return uout_; }
    QByteArray Salida() {
        u_fflush(uout_);
        std::fflush(out_);
        QByteArray r(buffer_, static_cast<qsizetype>(size_));
        r.replace('\0', QByteArray());
        return r;
    }

private:
    QByteArray entrada_;
    InputFile input_;
    FILE* in_ = nullptr;
    FILE* out_ = nullptr;
    UFILE* uout_ = nullptr;
    char* buffer_ = nullptr;
    size_t size_ = 0;
};

struct Etapa {
    QString nombre;
    virtual ~Etapa() = default;
    virtual QByteArray Correr(const QByteArray& entrada) = 0;
};

template <typename F> QByteArray CorrerConPaso(const QByteArray& entrada, F&& f) {
    Paso paso(entrada);
    if (!paso.Listo()) throw std::runtime_error("no stream");
    f(paso.In(), paso.Out());
    return paso.Salida();
}

struct EtapaLt : Etapa {
    enum class Modo { Analisis, Bilingue, Generacion, Postgeneracion } modo = Modo::Analisis;
    GenerationMode generacion = gm_unknown;
    FSTProcessor fst;
    QByteArray Correr(const QByteArray& entrada) override {
        return CorrerConPaso(entrada, [this](InputFile& in, UFILE* out) {
            switch (modo) {
            case Modo::Analisis:
                fst.analysis(in, out);
                break;
            case Modo::Bilingue:
                fst.bilingual(in, out, gm_unknown);
                break;
            case Modo::Generacion:
                fst.generation(in, out, generacion);
                break;
            case Modo::Postgeneracion:
                // lttoolbox's post-generation reads to the end of its input, flush character or
                // not; the piece holds one flush only, at its end.
                fst.postgeneration(in, out);
                break;
            }
        });
    }
};

struct EtapaEtiquetador : Etapa {
    Apertium::TaggerFlags banderas;
    HMM hmm{banderas};
    QByteArray Correr(const QByteArray& entrada) override {
        // The tagger reads its stream by file name only, to its end: each piece is a file of
        // its own, in memory.
        QByteArray limpia = entrada;
        limpia.replace('\0', QByteArray());
        ArchivoEnMemoria archivo(limpia);
        if (!archivo.Valido()) throw std::runtime_error("no memory file");
        TaggerWord::setArrayTags(hmm.getArrayTags());
        TaggerWord::generate_marks = false;
        const std::string ruta = archivo.Ruta();
        FileMorphoStream flujo(ruta.c_str(), false, &hmm.get_tagger_data());
        char* buffer = nullptr;
        size_t size = 0;
        FILE* out = open_memstream(&buffer, &size);
        if (!out) throw std::runtime_error("no stream");
        UFILE* uout = u_finit(out, nullptr, "UTF-8");
        try {
            hmm.tagger(flujo, uout);
        } catch (...) {
            u_fclose(uout);
            std::fclose(out);
            std::free(buffer);
            throw;
        }
        u_fclose(uout);
        std::fclose(out);
        QByteArray r(buffer, static_cast<qsizetype>(size));
        std::free(buffer);
        return r;
    }
};

struct EtapaPretransferencia : Etapa {
    bool formasDeSuperficie = false, separarCompuestos = false;
    QByteArray Correr(const QByteArray& entrada) override {
        return CorrerConPaso(entrada, [this](InputFile& in, UFILE* out) {
            processStream(in, out, true, formasDeSuperficie, separarCompuestos);
        });
    }
};

struct EtapaSeleccion : Etapa {
    LRXProcessor lrx;
    QByteArray Correr(const QByteArray& entrada) override {
        return CorrerConPaso(entrada, [this](InputFile& in, UFILE* out) { lrx.process(in, out); });
    }
};

struct EtapaTransferencia : Etapa {
    Transfer t;
    QByteArray Correr(const QByteArray& entrada) override {
        return CorrerConPaso(entrada, [this](InputFile& in, UFILE* out) { t.transfer(in, out); });
    }
};

struct EtapaIntertrozos : Etapa {
    Interchunk t;
    QByteArray Correr(const QByteArray& entrada) override {
        return CorrerConPaso(entrada, [this](InputFile& in, UFILE* out) { t.interchunk(in, out); });
    }
};

struct EtapaPostrozos : Etapa {
    Postchunk t;
    QByteArray Correr(const QByteArray& entrada) override {
        return CorrerConPaso(entrada, [this](InputFile& in, UFILE* out) { t.postchunk(in, out); });
    }
};

// Copies a blank "[...]" (or a word-bound "[[...]]") starting at `i` and returns where it ends.
qsizetype FinDeBlanco(const QByteArray& f, qsizetype i) {
    const bool doble = i + 1 < f.size() && f[i + 1] == '[';
    for (qsizetype j = i + (doble ? 2 : 1); j < f.size(); ++j) {
        if (f[j] == '\\') {
            ++j;
        } else if (f[j] == ']') {
            if (!doble) return j + 1;
            if (j + 1 < f.size() && f[j + 1] == ']') return j + 2;
        }
    }
    return f.size();
}

// A lexical unit "^...$" from `i` (at its '^'): where it ends.
qsizetype FinDeUnidad(const QByteArray& f, qsizetype i) {
    for (qsizetype j = i + 1; j < f.size(); ++j) {
        if (f[j] == '\\')
            ++j;
        else if (f[j] == '$')
            return j + 1;
    }
    return f.size();
}

// Word-bound blanks ("[[t:i:3]]^...$[[/]]") tie a stretch of the source to the words made from
// it; the translator uses them to show which source words an output word came from (Align).
// Before the tagger each unit takes the word-bound blank around it into itself
// ("[[t:i:3]]^...$"), so that the transfer carries it along; after the transfer each is closed
// again. The text the deformatter makes never holds one, so for it both stages copy the stream.
struct EtapaUnirBlancos : Etapa {
    QByteArray Correr(const QByteArray& f) override {
        if (!f.contains("[[")) return f;
        QByteArray r;
        QByteArray abierto;
        for (qsizetype i = 0; i < f.size();) {
            const char c = f[i];
            if (c == '\\') {
                r += f.mid(i, 2);
                i += 2;
            } else if (c == '[') {
                const qsizetype fin = FinDeBlanco(f, i);
                if (i + 1 < f.size() && f[i + 1] == '[') {
                    const QByteArray dentro = f.mid(i + 2, fin - i - 4);
                    abierto = dentro == "/" ? QByteArray() : dentro;
                } else {
                    r += f.mid(i, fin - i);
                }
                i = fin;
            } else if (c == '^') {
                if (!abierto.isEmpty()) r += "[[" + abierto + "]]";
                const qsizetype fin = FinDeUnidad(f, i);
                r += f.mid(i, fin - i);
                i = fin;
            } else {
                r += c;
                ++i;
            }
        }
        return r;
    }
};

struct EtapaSepararBlancos : Etapa {
    QByteArray Correr(const QByteArray& f) override {
        if (!f.contains("[[")) return f;
        QByteArray r;
        bool ligado = false;
        for (qsizetype i = 0; i < f.size();) {
            const char c = f[i];
            if (c == '\\') {
                r += f.mid(i, 2);
                i += 2;
            } else if (c == '[') {
                const qsizetype fin = FinDeBlanco(f, i);
                ligado = i + 1 < f.size() && f[i + 1] == '[';
                r += f.mid(i, fin - i);
                i = fin;
            } else if (c == '^') {
                const qsizetype fin = FinDeUnidad(f, i);
                r += f.mid(i, fin - i);
                if (ligado) r += "[[/]]";
                ligado = false;
                i = fin;
            } else {
                ligado = false;
                r += c;
                ++i;
            }
        }
        return r;
    }
};

QString Danado(const QString& archivo) {
    return QStringLiteral("El archivo «%1» de la traducción por frases falta o está dañado; vuelva a "
                          "instalar los datos del programa.")
        .arg(archivo);
}

} // namespace

// The words a stream marks unknown ("^*xyzzy$"), as the stream spells them, in order.
QList<QByteArray> Desconocidas(const QByteArray& flujo) {
    QList<QByteArray> r;
    const qsizetype n = flujo.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = flujo[i];
        if (c == '\\') {
            ++i;
        } else if (c == '^' && i + 1 < n && flujo[i + 1] == '*') {
            qsizetype j = i + 2;
            while (j < n && flujo[j] != '$')
                j += flujo[j] == '\\' ? 2 : 1;
            r << flujo.mid(i + 2, std::min(j, n) - i - 2);
            i = j;
        }
    }
    return r;
}

// Whether the character of UTF-8 text that starts at `desde` and ends at `hasta` belongs in a word
// as lttoolbox reads words: a letter or a decimal digit ("²" or "Ⅳ" end a word, "٣" does not).
bool DePalabra(const QByteArray& b, qsizetype desde, qsizetype hasta) {
    const QList<uint> c = QString::fromUtf8(b.constData() + desde, hasta - desde).toUcs4();
    return !c.isEmpty() && (QChar::isLetter(c[0]) || QChar::isDigit(c[0]));
}

bool EsContinuacion(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Whether the character just before byte `i` of UTF-8 text (LetraAntes), or the one starting at
// `i` (LetraDesde), belongs in a word. What stands beside an unknown word is often punctuation
// outside ASCII («», “”, ¿, …), which must not hide it.
bool LetraAntes(const QByteArray& b, qsizetype i) {
    if (i <= 0 || i > b.size()) return false;
    qsizetype inicio = i - 1;
    while (inicio > 0 && i - inicio < 4 && EsContinuacion(b[inicio]))
        --inicio;
    return DePalabra(b, inicio, i);
}

bool LetraDesde(const QByteArray& b, qsizetype i) {
    if (i < 0 || i >= b.size()) return false;
    qsizetype fin = i + 1;
    while (fin < b.size() && fin - i < 4 && EsContinuacion(b[fin]))
        ++fin;
    return DePalabra(b, i, fin);
}

// Marks, in the generated stream, the words the generator got as unknown: each is looked for
// after the one before, whole. One the post-generator changed is not found and stays unmarked.
QByteArray MarcarDesconocidas(const QByteArray& flujo, const QList<QByteArray>& palabras) {
    if (palabras.isEmpty()) return flujo;
    static const QByteArray abre = QString(QChar(kMarcaAbre)).toUtf8();
    static const QByteArray cierra = QString(QChar(kMarcaCierra)).toUtf8();
    QByteArray r;
    r.reserve(flujo.size() + palabras.size() * 6);
    qsizetype desde = 0;
    for (const QByteArray& p : palabras) {
        if (p.isEmpty()) continue;
        qsizetype k = flujo.indexOf(p, desde);
        while (k >= 0 && (LetraAntes(flujo, k) || LetraDesde(flujo, k + p.size())))
            k = flujo.indexOf(p, k + 1);
        if (k < 0) continue;
        r += flujo.mid(desde, k - desde);
        r += abre;
        r += p;
        r += cierra;
        desde = k + p.size();
    }
    r += flujo.mid(desde);
    return r;
}

struct Pipeline::Impl {
    std::vector<std::unique_ptr<Etapa>> etapas;
    QStringList nombres;
    // The generator's place in the chain: the words unknown on its way in are marked on the way out.
    int generador = -1;
    // The tagger's place, where Tag stops.
    int etiquetador = -1;

    // Runs the stages from `desde` up to `hasta` (all when -1).
    QByteArray Correr(const QByteArray& entrada, int hasta, QString* error, int desde = 0) {
        QByteArray flujo = entrada;
        const int n = hasta < 0 ? static_cast<int>(etapas.size())
                                : std::min<int>(hasta, static_cast<int>(etapas.size()));
        QList<QByteArray> desconocidas;
        for (int i = desde; i < n; ++i) {
            if (i == generador) desconocidas = Desconocidas(flujo);
            try {
                flujo = etapas[static_cast<size_t>(i)]->Correr(flujo);
            } catch (const std::exception&) {
                if (error)
                    *error = QStringLiteral("La traducción por frases falló en la etapa «%1».")
                                 .arg(etapas[static_cast<size_t>(i)]->nombre);
                return {};
            } catch (...) {
                if (error)
                    *error = QStringLiteral("La traducción por frases falló en la etapa «%1».")
                                 .arg(etapas[static_cast<size_t>(i)]->nombre);
                return {};
            }
        }
        return generador >= 0 && generador < n ? MarcarDesconocidas(flujo, desconocidas) : flujo;
    }
};

namespace {
std::atomic<int> vivas{0};
} // namespace

Pipeline::Pipeline(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {
    ++vivas;
}
Pipeline::~Pipeline() {
    --vivas;
}

int Pipeline::Live() {
    return vivas.load();
}

std::unique_ptr<Pipeline> Pipeline::Load(const QString& folder, const QString& pair, QString* error) {
    auto fallar = [&](const QString& mensaje) -> std::unique_ptr<Pipeline> {
        if (error) *error = mensaje;
        return nullptr;
    };
    const QDir carpeta(folder);
    const QString nombreDescripcion = pair + QStringLiteral(".frases");
    const QFileInfo info(carpeta.filePath(nombreDescripcion));
    if (!info.exists())
        return fallar(
            QStringLiteral("No está instalada la traducción por frases de este diccionario (falta «%1»).")
                .arg(nombreDescripcion));
    const auto leida = lt::ReadRegularFile(info.filePath(), kMaxDescription);
    if (!leida) return fallar(Danado(nombreDescripcion));
    const QByteArray& descripcion = *leida;

    // First every file, checked; only then is any of them handed to Apertium.
    QList<QStringList> lineasEtapa;
    QHash<QString, QByteArray> archivos;
    for (const QByteArray& linea : descripcion.split('\n')) {
        const QStringList campos = QString::fromUtf8(linea).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (campos.isEmpty() || campos[0].startsWith(QLatin1Char('#'))) continue;
        if (campos[0] == QLatin1String("etapa") && campos.size() >= 2) {
            lineasEtapa << campos.mid(1);
        } else if (campos[0] == QLatin1String("archivo") && campos.size() == 4) {
            bool ok = false;
            const qint64 tamano = campos[2].toLongLong(&ok);
            const QString& nombre = campos[1];
            if (!ok || nombre.contains(QLatin1Char('/')) || nombre.startsWith(QLatin1Char('.')))
                return fallar(Danado(nombreDescripcion));
            if (tamano > kMaxFile) return fallar(Danado(nombre));
            const auto bytes =
                lt::ReadVerified(carpeta.filePath(nombre), {tamano, campos[3].toLatin1().toLower()});
            if (!bytes) return fallar(Danado(nombre));
            archivos.insert(nombre, *bytes);
        } else {
            return fallar(Danado(nombreDescripcion));
        }
    }
    if (lineasEtapa.isEmpty()) return fallar(Danado(nombreDescripcion));

    auto impl = std::make_unique<Impl>();
    try {
        for (const QStringList& campos : lineasEtapa) {
            const QString& programa = campos[0];
            QStringList opciones, nombres;
            for (const QString& a : campos.mid(1)) {
                if (a.startsWith(QLatin1Char('-')) || a.startsWith(QLatin1Char('$')))
                    opciones << a;
                else
                    nombres << a;
            }
            for (const QString& n : nombres)
                if (!archivos.contains(n)) return fallar(Danado(nombreDescripcion));
            auto archivo = [&](int i) { return archivos.value(nombres.value(i)); };
            std::unique_ptr<Etapa> etapa;
            if (programa == QLatin1String("lt-proc")) {
                if (nombres.size() != 1) return fallar(Danado(nombreDescripcion));
                auto lt = std::make_unique<EtapaLt>();
                for (const QString& o : opciones) {
                    if (o == QLatin1String("-b"))
                        lt->modo = EtapaLt::Modo::Bilingue;
                    else if (o == QLatin1String("-p"))
                        lt->modo = EtapaLt::Modo::Postgeneracion;
                    else if (o == QLatin1String("-g"))
                        lt->modo = EtapaLt::Modo::Generacion, lt->generacion = gm_unknown;
                    // What `apertium -u` asks for; unknown words are marked by us instead (see
                    // MarcarDesconocidas), so the post-generator still sees them as words.
                    else if (o == QLatin1String("-n") || o == QLatin1String("$1"))
                        lt->modo = EtapaLt::Modo::Generacion, lt->generacion = gm_clean;
                    else if (o == QLatin1String("-w"))
                        lt->fst.setDictionaryCaseMode(true);
                    else if (o == QLatin1String("-c"))
                        lt->fst.setCaseSensitiveMode(true);
                }
                FileDeMemoria in(archivo(0));
                if (!in.f || archivo(0).left(4) != "LTTB") return fallar(Danado(nombres[0]));
                lt->fst.load(in.f);
                lt->fst.setNullFlush(true);
                switch (lt->modo) {
                case EtapaLt::Modo::Analisis:
                    lt->fst.initAnalysis();
                    break;
                case EtapaLt::Modo::Bilingue:
                    lt->fst.initBiltrans();
                    break;
                case EtapaLt::Modo::Generacion:
                    lt->fst.initGeneration();
                    break;
                case EtapaLt::Modo::Postgeneracion:
                    lt->fst.initPostgeneration();
                    break;
                }
                if (!lt->fst.valid()) return fallar(Danado(nombres[0]));
                etapa = std::move(lt);
            } else if (programa == QLatin1String("apertium-tagger")) {
                if (nombres.size() != 1) return fallar(Danado(nombreDescripcion));
                auto e = std::make_unique<EtapaEtiquetador>();
                FileDeMemoria in(archivo(0));
                if (!in.f) return fallar(Danado(nombres[0]));
                e->hmm.deserialise(in.f);
                etapa = std::move(e);
            } else if (programa == QLatin1String("apertium-pretransfer")) {
                auto e = std::make_unique<EtapaPretransferencia>();
                e->separarCompuestos = opciones.contains(QLatin1String("-e"));
                etapa = std::move(e);
            } else if (programa == QLatin1String("lrx-proc")) {
                if (nombres.size() != 1) return fallar(Danado(nombreDescripcion));
                auto e = std::make_unique<EtapaSeleccion>();
                FileDeMemoria in(archivo(0));
                if (!in.f) return fallar(Danado(nombres[0]));
                e->lrx.load(in.f);
                e->lrx.init();
                e->lrx.setNullFlush(true);
                etapa = std::move(e);
            } else if (programa == QLatin1String("apertium-transfer")) {
                auto e = std::make_unique<EtapaTransferencia>();
                const bool desdeBilingue = opciones.contains(QLatin1String("-b"));
                const bool sinBilingue = opciones.contains(QLatin1String("-n"));
                if (desdeBilingue) {
                    e->t.setPreBilingual(true);
                    e->t.setUseBilingual(false);
                } else if (sinBilingue) {
                    e->t.setUseBilingual(false);
                }
                const bool conBilingue = !desdeBilingue && !sinBilingue;
                if (nombres.size() != (conBilingue ? 3 : 2)) return fallar(Danado(nombreDescripcion));
                ArchivoEnMemoria reglas(archivo(0)), datos(archivo(1));
                if (!reglas.Valido() || !datos.Valido()) return fallar(Danado(nombres[0]));
                if (conBilingue) {
                    ArchivoEnMemoria bil(archivo(2));
                    if (!bil.Valido()) return fallar(Danado(nombres[2]));
                    e->t.read(reglas.Ruta(), datos.Ruta(), bil.Ruta());
                } else {
                    e->t.read(reglas.Ruta(), datos.Ruta());
                }
                e->t.setNullFlush(true);
                etapa = std::move(e);
            } else if (programa == QLatin1String("apertium-interchunk") ||
                       programa == QLatin1String("apertium-postchunk")) {
                if (nombres.size() != 2) return fallar(Danado(nombreDescripcion));
                ArchivoEnMemoria reglas(archivo(0)), datos(archivo(1));
                if (!reglas.Valido() || !datos.Valido()) return fallar(Danado(nombres[0]));
                const std::string r = reglas.Ruta(), d = datos.Ruta();
                if (programa == QLatin1String("apertium-interchunk")) {
                    auto e = std::make_unique<EtapaIntertrozos>();
                    e->t.read(r.c_str(), d.c_str());
                    e->t.setNullFlush(true);
                    etapa = std::move(e);
                } else {
                    auto e = std::make_unique<EtapaPostrozos>();
                    e->t.read(r.c_str(), d.c_str());
                    e->t.setNullFlush(true);
                    etapa = std::move(e);
                }
            } else if (programa == QLatin1String("apertium-wblank-attach")) {
                etapa = std::make_unique<EtapaUnirBlancos>();
            } else if (programa == QLatin1String("apertium-wblank-detach")) {
                etapa = std::make_unique<EtapaSepararBlancos>();
            } else {
                return fallar(Danado(nombreDescripcion));
            }
            if (impl->etiquetador < 0 && dynamic_cast<EtapaEtiquetador*>(etapa.get()))
                impl->etiquetador = static_cast<int>(impl->etapas.size());
            if (impl->generador < 0 && dynamic_cast<EtapaLt*>(etapa.get()) &&
                static_cast<EtapaLt*>(etapa.get())->modo == EtapaLt::Modo::Generacion)
                impl->generador = static_cast<int>(impl->etapas.size());
            etapa->nombre = programa;
            impl->nombres << programa;
            impl->etapas.push_back(std::move(etapa));
        }
    } catch (...) {
        return fallar(Danado(nombreDescripcion));
    }
    return std::unique_ptr<Pipeline>(new Pipeline(std::move(impl)));
}

QStringList Pipeline::StageNames() const {
    return impl_->nombres;
}

QString Pipeline::RunStages(const QString& deformatted, int stages) {
    const std::lock_guard<std::mutex> turno(Turno());
    return QString::fromUtf8(impl_->Correr(deformatted.toUtf8(), stages, nullptr));
}

namespace {

// Where a unit the analyser read stands in the text, from `desde` on: the next place it is spelt
// with no letter skipped (blanks, signs, and digits the analyser made no unit of, such as "²").
// When `cerca` is true and it is not there, it is looked for a little further, letters skipped:
// a unit the stream spells otherwise must not lose every unit after it. -1 when not found.
qsizetype Situar(QStringView texto, const QString& forma, qsizetype desde, bool cerca) {
    if (forma.isEmpty()) return -1;
    const qsizetype k = texto.indexOf(forma, desde);
    if (k < 0) return -1;
    bool limpio = true;
    for (qsizetype j = desde; j < k && limpio; ++j)
        limpio = !texto[j].isLetter();
    if (limpio) return k;
    constexpr qsizetype kCerca = 64;
    return cerca && k - desde <= kCerca ? k : -1;
}

} // namespace

Pipeline::Alignment Pipeline::Align(const QString& text) {
    const std::lock_guard<std::mutex> turno(Turno());
    Alignment a;
    if (impl_->etapas.empty() || text.size() > kPiece) return a;
    // A word too long for the analyser leaves the alignment incomplete, as a text too long does.
    const QList<Stretch> tramos = SplitLongWords(text, lt::kLongestWord, kLongestRun);
    if (std::any_of(tramos.begin(), tramos.end(), [](const Stretch& t) { return t.tooLong; })) return a;
    QString error;
    // The analyser first, on the stream as it is, so that it still finds words of several
    // tokens ("sin embargo"); then each unit it made is tied to the stretch of the text it read.
    const QByteArray analizado = impl_->Correr(Deformat(text).toUtf8(), 1, &error);
    if (!error.isEmpty()) return a;
    QByteArray marcado;
    QList<QPair<qsizetype, qsizetype>> fuentes;
    qsizetype pos = 0;
    for (qsizetype i = 0; i < analizado.size();) {
        const char c = analizado[i];
        if (c == '\\') {
            marcado += analizado.mid(i, 2);
            i += 2;
        } else if (c == '[') {
            const qsizetype fin = FinDeBlanco(analizado, i);
            marcado += analizado.mid(i, fin - i);
            i = fin;
        } else if (c == '^') {
            const qsizetype fin = FinDeUnidad(analizado, i);
            const QByteArray unidad = analizado.mid(i, fin - i);
            // The surface form: up to the first unescaped '/'.
            QString forma;
            for (qsizetype j = 1; j < unidad.size() - 1; ++j) {
                if (unidad[j] == '\\') {
                    ++j;
                } else if (unidad[j] == '/') {
                    forma = Reformat(QString::fromUtf8(unidad.mid(1, j - 1)));
                    break;
                }
            }
            // A sentence end the deformatter added has no stretch of its own, and is never matched
            // to a later one.
            const qsizetype k = Situar(text, forma, pos, false);
            if (k >= 0) {
                marcado += "[[t:i:" + QByteArray::number(fuentes.size()) + "]]" + unidad + "[[/]]";
                fuentes.append({k, forma.size()});
                pos = k + forma.size();
            } else {
                marcado += unidad;
            }
            i = fin;
        } else {
            marcado += c;
            ++i;
        }
    }
    const QByteArray salida = impl_->Correr(marcado, -1, &error, 1);
    if (!error.isEmpty()) return a;
    QList<WordBound> ligados;
    a.text = Reformat(QString::fromUtf8(salida), &ligados);
    for (const WordBound& w : ligados) {
        for (const QString& etiqueta : w.tags.split(QLatin1Char(';'))) {
            const QString t = etiqueta.trimmed();
            if (!t.startsWith(QLatin1String("t:i:"))) continue;
            bool ok = false;
            const int id = t.mid(4).toInt(&ok);
            if (!ok || id < 0 || id >= fuentes.size() || w.length <= 0) continue;
            a.links.append({w.start, w.length, fuentes[id].first, fuentes[id].second});
        }
    }
    a.complete = true;
    return a;
}

namespace {

// The units of a stream, in order, each without its '^' and '$'; blanks left out.
QList<QByteArray> Unidades(const QByteArray& flujo) {
    QList<QByteArray> r;
    for (qsizetype i = 0; i < flujo.size();) {
        const char c = flujo[i];
        if (c == '\\') {
            i += 2;
        } else if (c == '[') {
            i = FinDeBlanco(flujo, i);
        } else if (c == '^') {
            const qsizetype fin = FinDeUnidad(flujo, i);
            r << flujo.mid(i + 1, std::max<qsizetype>(0, fin - i - 2));
            i = fin;
        } else {
            ++i;
        }
    }
    return r;
}

// A unit's fields: the surface form, then its readings, split at the '/' no backslash escapes.
QList<QByteArray> Campos(const QByteArray& unidad) {
    QList<QByteArray> r;
    qsizetype desde = 0;
    for (qsizetype j = 0; j < unidad.size(); ++j) {
        if (unidad[j] == '\\') {
            ++j;
        } else if (unidad[j] == '/') {
            r << unidad.mid(desde, j - desde);
            desde = j + 1;
        }
    }
    r << unidad.mid(desde);
    return r;
}

QString SinEscapes(const QByteArray& b) {
    const QString s = QString::fromUtf8(b);
    if (!s.contains(QLatin1Char('\\'))) return s;
    QString r;
    r.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == QLatin1Char('\\') && i + 1 < s.size()) ++i;
        r += s[i];
    }
    return r;
}

} // namespace

QList<Pipeline::Unit> Pipeline::Tag(const QString& text, QString* error) {
    const std::lock_guard<std::mutex> turno(Turno());
    QList<Unit> r;
    if (impl_->etiquetador < 0) {
        if (error)
            *error = QStringLiteral("La traducción por frases de este diccionario no tiene etiquetador.");
        return r;
    }
    for (const Stretch& tramo : SplitLongWords(text, lt::kLongestWord, kLongestRun)) {
        if (tramo.tooLong) {
            Unit u;
            u.surface = text.mid(tramo.start, tramo.length);
            u.start = tramo.start;
            u.length = tramo.length;
            r << u;
            continue;
        }
        if (!TagStretch(QStringView(text).mid(tramo.start, tramo.length), tramo.start, r, error)) return {};
    }
    return r;
}

bool Pipeline::TagStretch(QStringView text, qsizetype base, QList<Unit>& r, QString* error) {
    auto* etiquetador =
        static_cast<EtapaEtiquetador*>(impl_->etapas[static_cast<size_t>(impl_->etiquetador)].get());
    for (const QStringView pieza : Pieces(text, kPiece)) {
        QString fallo;
        // Lemmas as the dictionary writes them ("il", not "Il", at a sentence's start): the
        // tagger's model then reads the sentence as it was trained to ("Ils sont" is "ser").
        auto* analizador = dynamic_cast<EtapaLt*>(impl_->etapas.front().get());
        if (analizador) analizador->fst.setDictionaryCaseMode(true);
        const QByteArray analizado = impl_->Correr(Deformat(pieza).toUtf8(), 1, &fallo);
        if (analizador) analizador->fst.setDictionaryCaseMode(false);
        QByteArray etiquetado;
        if (fallo.isEmpty()) {
            // With each unit's surface form, so that the tagger's units are matched to the
            // analyser's by more than their order.
            etiquetador->hmm.set_show_sf(true);
            etiquetado = impl_->Correr(analizado, impl_->etiquetador + 1, &fallo, 1);
            etiquetador->hmm.set_show_sf(false);
        }
        if (!fallo.isEmpty()) {
            if (error) *error = fallo;
            return false;
        }
        const QList<QByteArray> analisis = Unidades(analizado), elegidas = Unidades(etiquetado);
        qsizetype pos = 0, j = 0;
        for (const QByteArray& unidad : analisis) {
            const QList<QByteArray> campos = Campos(unidad);
            Unit u;
            u.surface = Reformat(QString::fromUtf8(campos[0]));
            const bool desconocida = campos.size() < 2 || campos[1].startsWith('*');
            if (!desconocida)
                for (qsizetype k = 1; k < campos.size(); ++k)
                    u.readings << SinEscapes(campos[k]);
            if (j < elegidas.size()) {
                const QList<QByteArray> elegida = Campos(elegidas[j]);
                if (elegida[0] == campos[0]) {
                    ++j;
                    if (!desconocida && elegida.size() > 1) u.chosen = SinEscapes(elegida[1]);
                }
            }
            if (u.chosen.isEmpty() && !u.readings.isEmpty()) u.chosen = u.readings.first();
            const qsizetype k = Situar(pieza, u.surface, pos, true);
            if (k >= 0) {
                u.start = base + k;
                u.length = u.surface.size();
                pos = k + u.surface.size();
            }
            r << u;
        }
        base += pieza.size();
    }
    return true;
}

Pipeline::Result Pipeline::Translate(const QString& text, const Progress& progress) {
    const std::lock_guard<std::mutex> turno(Turno());
    Result r;
    const qsizetype total = text.size();
    qsizetype hecho = 0;
    for (const Stretch& tramo : SplitLongWords(text, lt::kLongestWord, kLongestRun)) {
        const QStringView parte = QStringView(text).mid(tramo.start, tramo.length);
        if (tramo.tooLong) {
            // Marked the way the pipeline marks a word it does not know.
            r.text += QLatin1Char('<');
            r.text += parte;
            r.text += QLatin1Char('>');
            hecho += parte.size();
            continue;
        }
        for (const QStringView pieza : Pieces(parte, kPiece)) {
            if (progress && !progress(hecho, total)) return r;
            const QByteArray salida = impl_->Correr(Deformat(pieza).toUtf8(), -1, &r.error);
            if (!r.error.isEmpty()) return r;
            r.text += Reformat(QString::fromUtf8(salida));
            hecho += pieza.size();
        }
    }
    if (progress) progress(total, total);
    r.complete = true;
    return r;
}

} // namespace sentences
