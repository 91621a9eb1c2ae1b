// build-dictionary: writes PALAVRIX.MDB (and the English pronunciation recordings) from the
// Apertium bilingual dictionaries installed by Debian.
//
//   build-dictionary --apertium /usr/share/apertium --salida build/PALAVRIX.MDB
//                    [--pronun build/Palavrix/PRONUN] [--marca build/Palavrix/PRONUN/.grabaciones]
//                    [--funcionales tools/build-dictionary/funcionales]
//                    [--muestras build/yardstick]
//
// With --muestras, the report ends with the share of word tokens of real prose each direction
// translates (transducers from Morfologia/ beside the output).
//
// The database is written under a temporary name and renamed at the end, so a failed run never
// leaves half a database behind. Recordings that already exist are kept.
#include "Analizador.h"
#include "Bilingue.h"
#include "Etiquetador.h"
#include "Filas.h"
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

std::string Archivo(const QString& apertium, const char* paquete, const char* nombre, const char* tipo) {
    return QFile::encodeName(QStringLiteral("%1/%2/%3.%4.bin").arg(apertium, QLatin1String(paquete), QLatin1String(nombre), QLatin1String(tipo)))
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

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QString apertium = QStringLiteral("/usr/share/apertium"), salida, pronun, marca, muestras;
    QString funcionales = QStringLiteral(PALAVRIX_FUNCIONALES_DIR);
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--apertium")) apertium = args[i + 1];
        else if (args[i] == QLatin1String("--salida")) salida = args[i + 1];
        else if (args[i] == QLatin1String("--pronun")) pronun = args[i + 1];
        else if (args[i] == QLatin1String("--marca")) marca = args[i + 1];
        else if (args[i] == QLatin1String("--muestras")) muestras = args[i + 1];
        else if (args[i] == QLatin1String("--funcionales")) funcionales = args[i + 1];
    }
    if (salida.isEmpty()) {
        std::fputs("uso: build-dictionary --salida PALAVRIX.MDB [--apertium DIR] [--pronun DIR] [--marca ARCHIVO]\n", stderr);
        return 2;
    }
    const QString temporal = salida + QStringLiteral(".tmp");
    QElapsedTimer reloj;
    reloj.start();
    try {
        // Read every direction first: each table needs the opposite direction to rank its rows.
        std::array<std::vector<Par>, 6> pares;
        for (size_t d = 0; d < kFuentes.size(); ++d)
            pares[d] = LeerBilingue(Archivo(apertium, kFuentes[d].paquete, kFuentes[d].bilingue, "autobil"));

        std::array<std::vector<esquema::Fila>, 6> filas;
        QHash<QString, std::vector<Funcional>> listas;
        for (size_t d = 0; d < kFuentes.size(); ++d) {
            const Fuente& f = kFuentes[d];
            const size_t opuesto = d ^ 1u;
            const QString carpeta = apertium + QLatin1Char('/') + QLatin1String(f.paquete);
            const QString par = QLatin1String(f.bilingue);
            Insumos in;
            in.direccion = static_cast<int>(d);
            in.pares = pares[d];
            in.inversos = ClavesInversas(pares[opuesto]);
            in.predilectos = ClavesPredilectas(pares[opuesto]);
            const QStringList lemas = Lemas(pares[d], false);
            in.rasgosOrigen = Analizador(Archivo(apertium, f.paquete, f.analizadorOrigen, "automorf")).Consultar(lemas);
            in.rasgosDestino = Analizador(Archivo(apertium, f.paquete, f.analizadorDestino, "automorf")).Consultar(Lemas(pares[d], true));
            in.generarDestino = Generador(QStringLiteral("%1/%2.autogen.bin").arg(carpeta, par));
            in.generarOrigen = Generador(QStringLiteral("%1/%2.autogen.bin").arg(carpeta, QLatin1String(f.opuesto)));
            QString aviso;
            in.etiquetado = Etiquetar(lemas, QStringLiteral("%1/%2.automorf.bin").arg(carpeta, par),
                                      QStringLiteral("%1/%2.prob").arg(carpeta, par), &aviso);
            if (!aviso.isEmpty()) Imprimir(QStringLiteral("aviso: %1; las lecturas se ordenan sin el etiquetador").arg(aviso));

            const QString idioma = IdiomaOrigen(static_cast<int>(d));
            if (!listas.contains(idioma)) listas.insert(idioma, LeerFuncionales(QStringLiteral("%1/%2.txt").arg(funcionales, idioma)));
            formas::Morfologia directa(carpeta, static_cast<int>(d)), inversa(carpeta, static_cast<int>(opuesto));
            if (!directa.Disponible()) throw std::runtime_error("faltan los transductores de " + par.toStdString());
            QStringList sinFila;
            in.funcionales = FilasFuncionales(listas.value(idioma), static_cast<int>(d), directa,
                                              [&inversa](const QString& w) { return inversa.Lecturas(w); }, &sinFila);
            if (!sinFila.isEmpty())
                Imprimir(QStringLiteral("%1: sin traducción fuera de contexto: %2").arg(QLatin1String(kDirecciones[d].tabla), sinFila.join(QStringLiteral(", "))));
            filas[d] = ConstruirFilas(in);
        }
        const qint64 msDatos = reloj.elapsed();

        // Recordings of the English translations (Spanish to English).
        qint64 msGrabaciones = 0, bytes = 0;
        int nuevas = 0, fallidas = 0;
        QSet<QString> contadas; // recordings on disk
        if (!pronun.isEmpty()) {
            QElapsedTimer relojGrab;
            relojGrab.start();
            QDir().mkpath(pronun);
            QSet<QString> hechas;
            Locutor locutor;
            if (!locutor.Disponible()) Imprimir(QStringLiteral("aviso: espeak-ng no está disponible; no se graban pronunciaciones"));
            for (const esquema::Fila& fila : filas[0]) {
                const QString& t = fila.traduccion;
                if (hechas.contains(t) || !NombreGrabable(t)) continue;
                hechas.insert(t);
                const QString ruta = RutaGrabacion(pronun, t);
                if (QFileInfo::exists(ruta) || !locutor.Disponible()) continue;
                if (locutor.Grabar(t, ruta)) ++nuevas;
                else ++fallidas;
            }
            MarcarGrabaciones(filas[0], [&](const QString& t) {
                if (!NombreGrabable(t)) return false;
                const QFileInfo archivo(RutaGrabacion(pronun, t));
                if (!archivo.isFile()) return false;
                if (!contadas.contains(t)) {
                    contadas.insert(t);
                    bytes += archivo.size();
                }
                return true;
            });
            msGrabaciones = relojGrab.elapsed();
        }

        QElapsedTimer relojEscritura;
        relojEscritura.start();
        {
            auto db = dao::DBEngine().Workspaces(0).CreateDatabase(temporal);
            esquema::Crear(*db);
            for (size_t d = 0; d < filas.size(); ++d) esquema::Insertar(*db, static_cast<int>(d), filas[d]);
            db->Close();
        }
        std::filesystem::rename(QFile::encodeName(temporal).toStdString(), QFile::encodeName(salida).toStdString());
        const qint64 msEscritura = relojEscritura.elapsed();

        if (!marca.isEmpty()) {
            QFile m(marca);
            if (m.open(QIODevice::WriteOnly | QIODevice::Truncate)) m.write("grabaciones al día\n");
        }

        Imprimir(QStringLiteral("Tabla    Palabras   Filas  con Tipo  sust. con género  con acepciones  con grabación"));
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
        if (!pronun.isEmpty())
            Imprimir(QStringLiteral("Grabaciones en %1: %2 archivos, %3 MB de datos")
                         .arg(pronun)
                         .arg(contadas.size())
                         .arg(bytes / 1e6, 0, 'f', 1));
        Imprimir(QStringLiteral("Tiempo: datos %1 s, grabaciones %2 s (%3 nuevas, %4 fallidas), escritura %5 s")
                     .arg(msDatos / 1000.0, 0, 'f', 1)
                     .arg(msGrabaciones / 1000.0, 0, 'f', 1)
                     .arg(nuevas)
                     .arg(fallidas)
                     .arg(msEscritura / 1000.0, 0, 'f', 1));
        if (!muestras.isEmpty()) {
            const auto medidas = MedirMuestras(salida, QFileInfo(salida).absolutePath(), muestras);
            if (medidas.empty()) Imprimir(QStringLiteral("Texto real: no hay muestras en %1").arg(muestras));
            else Imprimir(QStringLiteral("Texto real  idioma  palabras  traducidas"));
            for (const Medida& m : medidas)
                Imprimir(QStringLiteral("%1      %2 %3 %4").arg(m.tabla, -6).arg(m.idioma, 6).arg(m.palabras, 9)
                             .arg(Porcentaje(static_cast<int>(m.traducidas), static_cast<int>(m.palabras)), 11));
        }
    } catch (const dao::DaoError& e) {
        QFile::remove(temporal);
        std::fprintf(stderr, "build-dictionary: error %d de la base de datos: %s\n", e.Number(), e.Description().toLocal8Bit().constData());
        return 1;
    } catch (const std::exception& e) {
        QFile::remove(temporal);
        std::fprintf(stderr, "build-dictionary: %s\n", e.what());
        return 1;
    }
    return 0;
}
