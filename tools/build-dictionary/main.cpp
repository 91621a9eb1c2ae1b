// build-dictionary: writes PALAVRIX.MDB (and the English pronunciation recordings) from the
// Apertium bilingual dictionaries installed by Debian.
//
//   build-dictionary --apertium /usr/share/apertium --salida build/PALAVRIX.MDB
//                    [--pronun build/Palavrix/PRONUN] [--marca build/Palavrix/PRONUN/.grabaciones]
//                    [--funcionales tools/build-dictionary/funcionales]
//                    [--muestras build/yardstick] [--frecuencias build/frecuencias]
//
// With --frecuencias, each language's text there (<idioma>.txt, from scripts/frequency-text) is
// counted by lemma and part of speech (cached beside it as <idioma>.cuentas) to rank the rows.
// With --muestras, the report ends with the share of word tokens of real prose each direction
// translates (transducers from Morfologia/ beside the output).
//
// An unknown option, or an option without its value, is an error (exit status 2), as is a
// missing --salida.
//
// The database is written under a temporary name and renamed at the end, so a failed run never
// leaves half a database behind. Recordings that already exist are kept.
#include "Analizador.h"
#include "Bilingue.h"
#include "Etiquetador.h"
#include "Filas.h"
#include "Frecuencias.h"
#include "Funcionales.h"
#include "Grabaciones.h"
#include "Muestras.h"
#include "dictionary_data/Esquema.h"
#include "dictionary_data/Formas.h"
#include "platform/Dao.h"
#include "platform/Transducer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <array>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>

using namespace generador;

namespace {

struct Fuente {
    const char* paquete;
    const char* bilingue;         // this direction
    const char* opuesto;          // the other direction of the same package
    const char* analizadorOrigen; // headword language
    const char* analizadorDestino;
};

// Indexed like kDirecciones.
constexpr std::array<Fuente, 6> kFuentes{{
    {"apertium-eng-spa", "spa-eng", "eng-spa", "spa-eng", "eng-spa"},
    {"apertium-eng-spa", "eng-spa", "spa-eng", "eng-spa", "spa-eng"},
    {"apertium-es-pt", "es-pt", "pt-es", "es-pt", "pt-es"},
    {"apertium-es-pt", "pt-es", "es-pt", "pt-es", "es-pt"},
    {"apertium-fr-es", "es-fr", "fr-es", "es-fr", "fr-es"},
    {"apertium-fr-es", "fr-es", "es-fr", "fr-es", "es-fr"},
}};

// The pair whose analyser and tagger model read running text of each language.
struct Lector {
    const char* idioma;
    const char* paquete;
    const char* par;
};
constexpr std::array<Lector, 4> kLectores{{
    {"spa", "apertium-eng-spa", "spa-eng"},
    {"eng", "apertium-eng-spa", "eng-spa"},
    {"por", "apertium-es-pt", "pt-es"},
    {"fra", "apertium-fr-es", "fr-es"},
}};

std::string Archivo(const QString& apertium, const char* paquete, const char* nombre, const char* tipo) {
    return QFile::encodeName(
               QStringLiteral("%1/%2/%3.%4.bin")
                   .arg(apertium, QLatin1String(paquete), QLatin1String(nombre), QLatin1String(tipo)))
        .toStdString();
}

// A generator as a function for the row builder; none when the file is missing.
std::function<QString(const QString&)> Generador(const QString& archivo) {
    std::shared_ptr<lt::Transducer> t = lt::Transducer::Load(archivo, lt::Mode::Generation);
    if (!t) return {};
    return [t](const QString& lectura) { return t->Generate(lectura); };
}

void Imprimir(const QString& s) {
    std::fputs(s.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

QString Porcentaje(int parte, int todo) {
    return todo ? QString::number(100.0 * parte / todo, 'f', 1) + QLatin1Char('%') : QStringLiteral("-");
}

constexpr const char* kUso =
    "uso: build-dictionary --salida PALAVRIX.MDB [--apertium DIR] [--pronun DIR] [--marca ARCHIVO]\n"
    "                      [--muestras DIR] [--frecuencias DIR] [--funcionales DIR]\n";

struct Opciones {
    QString apertium = QStringLiteral("/usr/share/apertium");
    QString salida, pronun, marca, muestras, frecuencias;
    QString funcionales = QStringLiteral(PALAVRIX_FUNCIONALES_DIR);
};

// The options of the command line (after the program's name). An unknown option, or one
// without its value, is an error with a message naming it: a mistyped option silently ignored
// would leave out what it asked for (no recordings, no report) and the run would still succeed.
std::optional<Opciones> LeerOpciones(const QStringList& args, QString* error) {
    Opciones o;
    const std::pair<const char*, QString*> conocidas[] = {
        {"--apertium", &o.apertium},       {"--salida", &o.salida},
        {"--pronun", &o.pronun},           {"--marca", &o.marca},
        {"--muestras", &o.muestras},       {"--funcionales", &o.funcionales},
        {"--frecuencias", &o.frecuencias},
    };
    for (qsizetype i = 0; i < args.size(); i += 2) {
        QString* valor = nullptr;
        for (const auto& [nombre, destino] : conocidas)
            if (args[i] == QLatin1String(nombre)) valor = destino;
        if (!valor) {
            *error = QStringLiteral("opción desconocida: %1").arg(args[i]);
            return std::nullopt;
        }
        if (i + 1 >= args.size()) {
            *error = QStringLiteral("falta el valor de %1").arg(args[i]);
            return std::nullopt;
        }
        *valor = args[i + 1];
    }
    if (o.salida.isEmpty()) {
        error->clear();
        return std::nullopt;
    }
    return o;
}

// The uses of each language's lemmas in its text under --frecuencias, by language code; a
// language without text or programs is left out, with a notice.
QHash<QString, Frecuencias> ContarIdiomas(const Opciones& o) {
    QHash<QString, Frecuencias> usos;
    if (o.frecuencias.isEmpty()) return usos;
    for (const Lector& l : kLectores) {
        const QString carpeta = o.apertium + QLatin1Char('/') + QLatin1String(l.paquete);
        const QString idioma = QLatin1String(l.idioma);
        QString aviso;
        Frecuencias f = ContarTexto(QStringLiteral("%1/%2.txt").arg(o.frecuencias, idioma),
                                    QStringLiteral("%1/%2.automorf.bin").arg(carpeta, QLatin1String(l.par)),
                                    QStringLiteral("%1/%2.prob").arg(carpeta, QLatin1String(l.par)),
                                    QStringLiteral("%1/%2.cuentas").arg(o.frecuencias, idioma), &aviso);
        if (!aviso.isEmpty())
            Imprimir(
                QStringLiteral("aviso: %1; las filas de %2 se ordenan sin frecuencias").arg(aviso, idioma));
        qint64 total = 0;
        for (int n : std::as_const(f))
            total += n;
        Imprimir(
            QStringLiteral("Frecuencias de %1: %2 usos de %3 lemas").arg(idioma).arg(total).arg(f.size()));
        usos.insert(idioma, std::move(f));
    }
    return usos;
}

// The rows of one direction's table, from its Apertium files and our function word lists.
std::vector<esquema::Fila> FilasDireccion(const Opciones& o, size_t d,
                                          const std::array<std::vector<Par>, 6>& pares,
                                          QHash<QString, std::vector<Funcional>>& listas,
                                          const QHash<QString, Frecuencias>& usos) {
    const Fuente& f = kFuentes[d];
    const size_t opuesto = d ^ 1u;
    const QString carpeta = o.apertium + QLatin1Char('/') + QLatin1String(f.paquete);
    const QString par = QLatin1String(f.bilingue);
    Insumos in;
    in.direccion = static_cast<int>(d);
    in.pares = pares[d];
    in.inversos = ClavesInversas(pares[opuesto]);
    in.predilectos = ClavesPredilectas(pares[opuesto]);
    in.usosOrigen = usos.value(IdiomaOrigen(static_cast<int>(d)));
    in.usosDestino = usos.value(IdiomaDestino(static_cast<int>(d)));
    const QStringList lemas = Lemas(pares[d], false);
    in.rasgosOrigen =
        Analizador(Archivo(o.apertium, f.paquete, f.analizadorOrigen, "automorf")).Consultar(lemas);
    Analizador destino(Archivo(o.apertium, f.paquete, f.analizadorDestino, "automorf"));
    in.rasgosDestino = destino.Consultar(Lemas(pares[d], true));
    // Single words the headword language's analyser does not know, asked of the other's.
    QStringList desconocidas;
    for (const QString& l : lemas)
        if (!l.contains(QLatin1Char(' ')) && !in.rasgosOrigen.contains(l)) desconocidas << l;
    const QHash<QString, Rasgos> otras = destino.Consultar(desconocidas);
    for (auto it = otras.cbegin(); it != otras.cend(); ++it)
        in.ajenas.insert(it.key());
    in.generarDestino = Generador(QStringLiteral("%1/%2.autogen.bin").arg(carpeta, par));
    in.generarOrigen = Generador(QStringLiteral("%1/%2.autogen.bin").arg(carpeta, QLatin1String(f.opuesto)));
    QString aviso;
    in.etiquetado = Etiquetar(lemas, QStringLiteral("%1/%2.automorf.bin").arg(carpeta, par),
                              QStringLiteral("%1/%2.prob").arg(carpeta, par), &aviso);
    if (!aviso.isEmpty())
        Imprimir(QStringLiteral("aviso: %1; las lecturas se ordenan sin el etiquetador").arg(aviso));

    const QString idioma = IdiomaOrigen(static_cast<int>(d));
    if (!listas.contains(idioma))
        listas.insert(idioma, LeerFuncionales(QStringLiteral("%1/%2.txt").arg(o.funcionales, idioma)));
    // Debian's own folders, which hold no description of the files.
    formas::Morfologia directa(carpeta, static_cast<int>(d), formas::Origen::Sistema),
        inversa(carpeta, static_cast<int>(opuesto), formas::Origen::Sistema);
    if (!directa.Disponible()) throw std::runtime_error("faltan los transductores de " + par.toStdString());
    QStringList sinFila;
    in.funcionales = FilasFuncionales(
        listas.value(idioma), static_cast<int>(d), directa,
        [&inversa](const QString& w) { return inversa.Lecturas(w); }, &sinFila);
    if (!sinFila.isEmpty())
        Imprimir(QStringLiteral("%1: sin traducción fuera de contexto: %2")
                     .arg(QLatin1String(kDirecciones[d].tabla), sinFila.join(QStringLiteral(", "))));
    return ConstruirFilas(in);
}

std::array<std::vector<esquema::Fila>, 6> FilasTablas(const Opciones& o) {
    // Read every direction first: each table needs the opposite direction to rank its rows.
    std::array<std::vector<Par>, 6> pares;
    for (size_t d = 0; d < kFuentes.size(); ++d)
        pares[d] = LeerBilingue(Archivo(o.apertium, kFuentes[d].paquete, kFuentes[d].bilingue, "autobil"));
    std::array<std::vector<esquema::Fila>, 6> filas;
    QHash<QString, std::vector<Funcional>> listas;
    const QHash<QString, Frecuencias> usos = ContarIdiomas(o);
    for (size_t d = 0; d < kFuentes.size(); ++d)
        filas[d] = FilasDireccion(o, d, pares, listas, usos);
    return filas;
}

struct Grabado {
    int nuevas = 0, fallidas = 0;
    QSet<QString> contadas; // recordings on disk
    qint64 bytes = 0;
};

// Records the English translations (Spanish to English) that have no recording yet, and marks
// the rows whose translation has one.
Grabado Grabar(const QString& pronun, std::vector<esquema::Fila>& filas) {
    Grabado g;
    QDir().mkpath(pronun);
    QSet<QString> hechas;
    Locutor locutor;
    if (!locutor.Disponible())
        Imprimir(QStringLiteral("aviso: espeak-ng no está disponible; no se graban pronunciaciones"));
    for (const esquema::Fila& fila : filas) {
        const QString& t = fila.traduccion;
        if (hechas.contains(t) || !NombreGrabable(t)) continue;
        hechas.insert(t);
        const QString ruta = RutaGrabacion(pronun, t);
        if (QFileInfo::exists(ruta) || !locutor.Disponible()) continue;
        if (locutor.Grabar(t, ruta))
            ++g.nuevas;
        else
            ++g.fallidas;
    }
    MarcarGrabaciones(filas, [&](const QString& t) {
        if (!NombreGrabable(t)) return false;
        const QFileInfo archivo(RutaGrabacion(pronun, t));
        if (!archivo.isFile()) return false;
        if (!g.contadas.contains(t)) {
            g.contadas.insert(t);
            g.bytes += archivo.size();
        }
        return true;
    });
    return g;
}

// Writes the database under `temporal`, then gives it its name: a failed run leaves no half
// database behind.
void EscribirBase(const std::array<std::vector<esquema::Fila>, 6>& filas, const QString& temporal,
                  const QString& salida) {
    {
        auto db = dao::DBEngine().Workspaces(0).CreateDatabase(temporal);
        esquema::Crear(*db);
        for (size_t d = 0; d < filas.size(); ++d)
            esquema::Insertar(*db, static_cast<int>(d), filas[d]);
        db->Close();
    }
    std::filesystem::rename(QFile::encodeName(temporal).toStdString(),
                            QFile::encodeName(salida).toStdString());
}

void ImprimirTablas(const std::array<std::vector<esquema::Fila>, 6>& filas) {
    Imprimir(QStringLiteral(
        "Tabla    Palabras   Filas  con Tipo  sust. con género  con acepciones  con grabación"));
    for (size_t d = 0; d < filas.size(); ++d) {
        const Resumen r = Resumir(filas[d]);
        Imprimir(QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                     .arg(QLatin1String(kDirecciones[d].tabla), -6)
                     .arg(r.palabras, 10)
                     .arg(r.filas, 7)
                     .arg(Porcentaje(r.conTipo, r.filas), 9)
                     .arg(Porcentaje(r.sustantivosConGenero, r.sustantivos), 17)
                     .arg(r.conAcepciones, 15)
                     .arg(r.conPronunciacion, 14));
    }
}

// The share of real prose each direction translates, measured on the database just written.
void ImprimirMuestras(const QString& salida, const QString& muestras) {
    const auto medidas = MedirMuestras(salida, QFileInfo(salida).absolutePath(), muestras);
    if (medidas.empty())
        Imprimir(QStringLiteral("Texto real: no hay muestras en %1").arg(muestras));
    else
        Imprimir(QStringLiteral("Texto real  idioma  palabras  traducidas"));
    for (const Medida& m : medidas)
        Imprimir(QStringLiteral("%1      %2 %3 %4")
                     .arg(m.tabla, -6)
                     .arg(m.idioma, 6)
                     .arg(m.palabras, 9)
                     .arg(Porcentaje(static_cast<int>(m.traducidas), static_cast<int>(m.palabras)), 11));
}

void Generar(const Opciones& o, const QString& temporal) {
    QElapsedTimer reloj;
    reloj.start();
    std::array<std::vector<esquema::Fila>, 6> filas = FilasTablas(o);
    const qint64 msDatos = reloj.elapsed();

    qint64 msGrabaciones = 0;
    Grabado grabado;
    if (!o.pronun.isEmpty()) {
        QElapsedTimer relojGrab;
        relojGrab.start();
        grabado = Grabar(o.pronun, filas[0]);
        msGrabaciones = relojGrab.elapsed();
    }

    QElapsedTimer relojEscritura;
    relojEscritura.start();
    EscribirBase(filas, temporal, o.salida);
    const qint64 msEscritura = relojEscritura.elapsed();

    if (!o.marca.isEmpty()) {
        QFile m(o.marca);
        if (m.open(QIODevice::WriteOnly | QIODevice::Truncate)) m.write("grabaciones al día\n");
    }

    ImprimirTablas(filas);
    if (!o.pronun.isEmpty())
        Imprimir(QStringLiteral("Grabaciones en %1: %2 archivos, %3 MB de datos")
                     .arg(o.pronun)
                     .arg(grabado.contadas.size())
                     .arg(grabado.bytes / 1e6, 0, 'f', 1));
    Imprimir(QStringLiteral("Tiempo: datos %1 s, grabaciones %2 s (%3 nuevas, %4 fallidas), escritura %5 s")
                 .arg(msDatos / 1000.0, 0, 'f', 1)
                 .arg(msGrabaciones / 1000.0, 0, 'f', 1)
                 .arg(grabado.nuevas)
                 .arg(grabado.fallidas)
                 .arg(msEscritura / 1000.0, 0, 'f', 1));
    if (!o.muestras.isEmpty()) ImprimirMuestras(o.salida, o.muestras);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QString error;
    const std::optional<Opciones> opciones = LeerOpciones(app.arguments().mid(1), &error);
    if (!opciones) {
        if (!error.isEmpty()) std::fprintf(stderr, "build-dictionary: %s\n", error.toLocal8Bit().constData());
        std::fputs(kUso, stderr);
        return 2;
    }
    const QString temporal = opciones->salida + QStringLiteral(".tmp");
    try {
        Generar(*opciones, temporal);
    } catch (const dao::DaoError& e) {
        QFile::remove(temporal);
        std::fprintf(stderr, "build-dictionary: error %d de la base de datos: %s\n", e.Number(),
                     e.Description().toLocal8Bit().constData());
        return 1;
    } catch (const std::exception& e) {
        QFile::remove(temporal);
        std::fprintf(stderr, "build-dictionary: %s\n", e.what());
        return 1;
    }
    return 0;
}
