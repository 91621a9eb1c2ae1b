#include "platform/Transductor.h"

#include <QFile>
#include <lttoolbox/fst_processor.h>
#include <lttoolbox/input_file.h>
#include <unicode/ustdio.h>

#include <cstdio>
#include <cstdlib>

namespace lt {

namespace {

// lttoolbox reads and writes C streams; one call runs over a string in memory both ways.
class Flujo {
public:
    explicit Flujo(const QByteArray& entrada) : entrada_(entrada) {
        in_ = fmemopen(entrada_.data(), static_cast<size_t>(entrada_.size()), "r");
        out_ = open_memstream(&buffer_, &tam_);
        if (out_) uout_ = u_finit(out_, nullptr, "UTF-8");
        if (in_) input_.wrap(in_);
    }
    ~Flujo() {
        if (uout_) u_fclose(uout_);
        if (out_) std::fclose(out_);
        // The input stream belongs to input_, which closes it.
        std::free(buffer_);
    }
    Flujo(const Flujo&) = delete;
    Flujo& operator=(const Flujo&) = delete;
    bool Listo() const { return in_ && uout_; }
    InputFile& Entrada() { return input_; }
    UFILE* Salida() { return uout_; }
    QString Texto() {
        u_fflush(uout_);
        std::fflush(out_);
        return QString::fromUtf8(buffer_, static_cast<qsizetype>(tam_));
    }

private:
    QByteArray entrada_;
    InputFile input_;
    FILE* in_ = nullptr;
    FILE* out_ = nullptr;
    UFILE* uout_ = nullptr;
    char* buffer_ = nullptr;
    size_t tam_ = 0;
};

} // namespace

QString Escapar(const QString& texto) {
    static const QString reservados = QStringLiteral("^$/\\@*[]{}<>#~+");
    QString r;
    r.reserve(texto.size() + 4);
    for (QChar c : texto) {
        if (reservados.contains(c)) r += QLatin1Char('\\');
        // A line break would end the word early; nobody looks up a word that holds one.
        r += (c == QLatin1Char('\n') || c == QLatin1Char('\r')) ? QLatin1Char(' ') : c;
    }
    return r;
}

QStringList Lecturas(const QString& unidad) {
    const qsizetype inicio = unidad.indexOf(QLatin1Char('^'));
    if (inicio < 0) return {};
    QStringList partes{QString()};
    for (qsizetype i = inicio + 1; i < unidad.size(); ++i) {
        const QChar c = unidad[i];
        if (c == QLatin1Char('\\') && i + 1 < unidad.size()) {
            partes.last() += c;
            partes.last() += unidad[++i];
        } else if (c == QLatin1Char('$')) {
            break;
        } else if (c == QLatin1Char('/')) {
            partes << QString();
        } else {
            partes.last() += c;
        }
    }
    partes.removeFirst();
    QStringList lecturas;
    for (const QString& p : partes)
        if (!p.isEmpty() && !p.startsWith(QLatin1Char('*')) && !p.startsWith(QLatin1Char('@')) &&
            !p.startsWith(QLatin1Char('#')))
            lecturas << p;
    return lecturas;
}

std::unique_ptr<Transductor> Transductor::Cargar(const QString& archivo, Modo modo) {
    FILE* f = std::fopen(QFile::encodeName(archivo).constData(), "rb");
    if (!f) return nullptr;
    auto fst = std::make_unique<FSTProcessor>();
    try {
        fst->load(f);
    } catch (...) {
        std::fclose(f);
        return nullptr;
    }
    std::fclose(f);
    try {
        switch (modo) {
        case Modo::Analisis:
            fst->setDictionaryCaseMode(true);
            fst->initAnalysis();
            break;
        case Modo::Bilingue:
            fst->initBiltrans();
            break;
        case Modo::Generacion:
            fst->initGeneration();
            break;
        case Modo::Postgeneracion:
            fst->initPostgeneration();
            break;
        }
    } catch (...) {
        return nullptr;
    }
    if (!fst->valid()) return nullptr;
    return std::unique_ptr<Transductor>(new Transductor(std::move(fst), modo));
}

Transductor::Transductor(std::unique_ptr<FSTProcessor> fst, Modo modo) : fst_(std::move(fst)), modo_(modo) {}
Transductor::~Transductor() = default;

QString Transductor::Procesar(const QString& entrada) {
    // The processor keeps what it read ahead between calls; input that ends on a blank leaves
    // nothing behind for the next word.
    Flujo flujo(entrada.toUtf8() + '\n');
    if (!flujo.Listo()) return {};
    try {
        switch (modo_) {
        case Modo::Analisis:
            fst_->analysis(flujo.Entrada(), flujo.Salida());
            break;
        case Modo::Bilingue:
            fst_->bilingual(flujo.Entrada(), flujo.Salida());
            break;
        case Modo::Generacion:
            fst_->generation(flujo.Entrada(), flujo.Salida(), gm_unknown);
            break;
        case Modo::Postgeneracion:
            fst_->postgeneration(flujo.Entrada(), flujo.Salida());
            break;
        }
    } catch (...) {
        return {};
    }
    return flujo.Texto();
}

QStringList Transductor::Analizar(const QString& palabra) {
    if (modo_ != Modo::Analisis || palabra.isEmpty()) return {};
    return Lecturas(Procesar(Escapar(palabra)));
}

QStringList Transductor::Traducir(const QString& lectura) {
    if (modo_ != Modo::Bilingue || lectura.isEmpty()) return {};
    return Lecturas(Procesar(QLatin1Char('^') + lectura + QLatin1Char('$')));
}

QString Transductor::Generar(const QString& lectura) {
    if (modo_ != Modo::Generacion || lectura.isEmpty()) return {};
    const QString r = Procesar(QLatin1Char('^') + lectura + QLatin1Char('$')).trimmed();
    if (r.isEmpty() || r.contains(QLatin1Char('#')) || r.contains(QLatin1Char('@')) || r.contains(QLatin1Char('<')))
        return {};
    // Escapes in the output ("\/") are the stream's, not the word's.
    QString limpio;
    for (qsizetype i = 0; i < r.size(); ++i) {
        if (r[i] == QLatin1Char('\\') && i + 1 < r.size()) ++i;
        limpio += r[i];
    }
    return limpio;
}

QString Transductor::Postgenerar(const QString& texto) {
    if (modo_ != Modo::Postgeneracion || texto.isEmpty()) return texto;
    if (!texto.contains(QLatin1Char('~'))) return texto;
    // A marked word joins the next only when a blank and something more follow it: "~de ~o" at
    // the end of the text stays apart, "~de ~o ." becomes "do .". Those are added for it and taken
    // off again.
    QString r = Procesar(texto + QLatin1String(" ."));
    if (r.endsWith(QLatin1Char('\n'))) r.chop(1);
    if (r.endsWith(QLatin1String(" ."))) r.chop(2);
    QString limpio = r.isEmpty() ? texto : r;
    limpio.remove(QLatin1Char('~'));
    return limpio;
}

} // namespace lt
