// palavrix-cli: the dictionary from a terminal or a script, with no window and no display.
//
//   palavrix-cli buscar DIRECCION PALABRA    the entry the dictionary window would show
//   palavrix-cli traducir DIRECCION          standard input translated word by word to standard output
//   palavrix-cli traducir --frases DIRECCION standard input translated sentence by sentence, through
//                                            the direction's whole Apertium pipeline
//   palavrix-cli --help                      the usage, on standard output
//
// DIRECCION is EspIng, IngEsp, EspPor, PorEsp, EspFra or FraEsp. It reads the same PALAVRIX.MDB
// and transducers beside it as the program, through the same code, and takes no single-instance
// lock: it runs beside an open window without either waiting for the other.
// A word not found is followed by a "Sugerencias:" line with the words it may have been meant for.
// Exit: 0 done (buscar: found, --help), 1 not found, 2 a usage error, or an input, output or dictionary that
// cannot be read.
#include "dictionary_data/BaseDatos.h"
#include "dictionary_data/Consulta.h"
#include "dictionary_data/Decodificadores.h"
#include "dictionary_data/Direcciones.h"
#include "dictionary_data/Sugerencias.h"
#include "platform/Notices.h"
#include "translator/Buscador.h"
#include "translator/Frases.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void Escribir(FILE* f, const QString& s) {
    const QByteArray b = s.toUtf8();
    std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), f);
}

int Error(const QString& mensaje) {
    Escribir(stderr, QStringLiteral("palavrix-cli: %1\n").arg(mensaje));
    return 2;
}

// What the window would show in a notice (a direction's forms that cannot be read) goes to standard
// error, one line each, and the answer still goes out.
struct AvisosEnError : notices::Notifier {
    void Notify(const QString& texto) override {
        Escribir(stderr, QStringLiteral("palavrix-cli: %1\n")
                             .arg(QString(texto).replace(QLatin1Char('\n'), QLatin1Char(' '))));
    }
    void CloseAll() override {}
};

// The exit code, once what was written has reached standard output: a full disk or a closed file
// must not pass for a lookup or a translation done.
int Salir(int codigo) {
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return Error(QStringLiteral("no se puede escribir la salida estándar"));
    return codigo;
}

const QString kUso =
    QStringLiteral("uso: palavrix-cli buscar DIRECCIÓN PALABRA | palavrix-cli traducir [--frases] "
                   "DIRECCIÓN (DIRECCIÓN: EspIng, IngEsp, EspPor, PorEsp, EspFra o FraEsp)");

int Uso() {
    return Error(kUso);
}

// Asked for: the usage is the answer, on standard output, and nothing went wrong.
int Ayuda() {
    Escribir(stdout, QStringLiteral("%1\n\n"
                                    "  buscar DIRECCIÓN PALABRA    la entrada de la palabra, una línea "
                                    "«campo: valor» por dato;\n"
                                    "                              sin ella, las palabras parecidas en "
                                    "una línea «Sugerencias:»\n"
                                    "  traducir DIRECCIÓN          la entrada estándar traducida palabra "
                                    "por palabra\n"
                                    "  traducir --frases DIRECCIÓN la entrada estándar traducida frase "
                                    "por frase\n"
                                    "  -h, --help                  esta ayuda\n\n"
                                    "Salida: 0 hecho (buscar: encontrada), 1 no encontrada, 2 uso "
                                    "incorrecto o datos ilegibles.\n")
                         .arg(kUso));
    return Salir(0);
}

int DireccionDe(const QString& nombre) {
    for (size_t i = 0; i < kDirecciones.size(); ++i)
        if (nombre.compare(QLatin1String(kDirecciones[i].tabla), Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

int Buscar(int direccion, const QString& palabra) {
    const consulta::Entrada e = consulta::Buscar(*dbDiccionario, direccion, palabra);
    const auto linea = [](const char* campo, const QString& valor) {
        Escribir(stdout, QStringLiteral("%1: %2\n").arg(QLatin1String(campo), valor));
    };
    linea("Palabra", palabra);
    if (!e.encontrada) {
        linea("Traduccion", consulta::kNoEncontrada);
        // What the reader may have meant, when anything is close: a script that reads the
        // entry's fields still gets exit code 1.
        const QStringList sugeridas = sugerencias::Sugerir(*dbDiccionario, direccion, palabra);
        if (!sugeridas.isEmpty()) linea("Sugerencias", sugeridas.join(QStringLiteral(", ")));
        return 1;
    }
    linea("Lema", e.lema);
    linea("Tipo", DescribirTipo(e.tipo));
    linea("Genero", DescribirGenero(e.genero));
    linea("Numero", DescribirNumero(e.numero));
    linea("Traduccion", e.traduccion);
    linea("TipoT", DescribirTipo(e.tipoT));
    linea("GeneroT", DescribirGenero(e.generoT));
    linea("NumeroT", DescribirNumero(e.numeroT));
    linea("Acepcion1", e.acepcion1.toString());
    linea("Acepcion2", e.acepcion2.toString());
    linea("Pronunciacion", e.pronunciacion ? QStringLiteral("sí") : QStringLiteral("no"));
    return 0;
}

// Whether standard input was closed when the program started. Checked before anything else opens
// a file: the first file opened afterwards takes descriptor 0, and reading "standard input" would
// then read that file, or wait on it for ever.
bool entradaCerrada = false;

std::optional<QString> LeerEntrada() {
    const auto ilegible = [] {
        Error(QStringLiteral("no se puede leer la entrada estándar"));
        return std::nullopt;
    };
    // A closed standard input or a folder in its place reads as nothing at all: a script would
    // take the empty translation for its text's.
    struct stat info {};
    if (entradaCerrada || ::fstat(STDIN_FILENO, &info) != 0 || S_ISDIR(info.st_mode)) return ilegible();
    // Read with the system's own calls to the end: Qt's reader of a pipe switches it to
    // non-blocking, and a writer that pauses (a program writing its text in pieces) then looked
    // like a failed read.
    QByteArray bytes;
    char bloque[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(STDIN_FILENO, bloque, sizeof bloque);
        if (n > 0) {
            bytes.append(bloque, n);
        } else if (n == 0) {
            break;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            // Standard input handed over non-blocking: wait for more, or for its end.
            pollfd espera{STDIN_FILENO, POLLIN, 0};
            if (::poll(&espera, 1, -1) < 0 && errno != EINTR) return ilegible();
        } else if (errno != EINTR) {
            return ilegible();
        }
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString texto = utf8.decode(bytes);
    if (utf8.hasError()) {
        Error(QStringLiteral("la entrada no es texto UTF-8 válido"));
        return std::nullopt;
    }
    return texto;
}

int Traducir(int direccion) {
    const auto texto = LeerEntrada();
    if (!texto) return 2;
    Escribir(stdout, traduccion::TraducirTexto(*dbDiccionario, direccion, *texto));
    return Salir(0);
}

// Needs no dictionary: only the pipeline's own files.
int TraducirFrases(int direccion) {
    const auto texto = LeerEntrada();
    if (!texto) return 2;
    const frases::Resultado r = frases::Traducir(direccion, *texto);
    if (!r.error.isEmpty()) return Error(r.error);
    Escribir(stdout, r.texto);
    return Salir(0);
}

} // namespace

int main(int argc, char** argv) {
    if (::fcntl(STDIN_FILENO, F_GETFD) == -1 && errno == EBADF) {
        entradaCerrada = true;
        // Descriptor 0 held by nothing readable, so that no file the program opens takes it.
        const int nulo = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (nulo > STDIN_FILENO) ::close(nulo);
    }
    QCoreApplication app(argc, argv);
    notices::Install(std::make_shared<AvisosEnError>());
    QStringList args = app.arguments();
    if (args.size() == 2 && (args[1] == QLatin1String("--help") || args[1] == QLatin1String("-h")))
        return Ayuda();
    // "--frases" may stand anywhere after the command.
    const bool porFrases = args.size() > 2 && args.indexOf(QStringLiteral("--frases"), 2) >= 0;
    if (porFrases) args.removeAt(args.indexOf(QStringLiteral("--frases"), 2));
    if (args.size() < 3) return Uso();
    const QString& orden = args[1];
    const int direccion = DireccionDe(args[2]);
    const bool buscar = orden == QLatin1String("buscar") && args.size() == 4;
    const bool traducir = orden == QLatin1String("traducir") && args.size() == 3;
    if ((!buscar && !traducir) || (porFrases && !traducir)) return Uso();
    if (direccion < 0)
        return Error(
            QStringLiteral("dirección desconocida: %1 (use EspIng, IngEsp, EspPor, PorEsp, EspFra o FraEsp)")
                .arg(args[2]));
    if (porFrases) return TraducirFrases(direccion);
    if (!QFileInfo(RutaBaseDatos()).isFile())
        return Error(QStringLiteral("no se encuentra el diccionario %1")
                         .arg(QDir::toNativeSeparators(RutaBaseDatos())));
    try {
        AbrirBaseDatos();
        const int r = buscar ? Buscar(direccion, args[3]) : Traducir(direccion);
        CerrarBaseDatos();
        return Salir(r);
    } catch (const dao::DaoError& e) {
        CerrarBaseDatos();
        return Error(QStringLiteral("no se puede leer el diccionario: error %1, %2")
                         .arg(e.Number())
                         .arg(e.Description()));
    }
}
