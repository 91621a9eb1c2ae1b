// make-help: writes the help page Palavrix/AYUDA/PalavrixHelp.htm with screenshots of the real
// windows, taken offscreen from the data the build generated.
//
//   make-help --programa <build folder> --plantilla <PalavrixHelp.htm.in> --estilo <ayuda.css>
//             --salida <AYUDA folder> [--version <x.y.z>]
//
// Whatever cannot be made (a window that fails, a missing database or character file) is left
// out of the page and reported; the page is written all the same. The tool fails only when it
// cannot read the template or write the page.
#include "Capturas.h"
#include "Pagina.h"

#include "dictionary_data/BaseDatos.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// The offscreen platform says, for every raise of the splash, that it cannot raise windows:
// true and of no interest here. Everything else gets through.
void mensajesQt(QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto) {
    if (texto.startsWith(QLatin1String("This plugin does not support"))) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(tipo, contexto, texto)));
}

void avisar(const QString& texto) {
    std::fprintf(stderr, "make-help: aviso: %s\n", qPrintable(texto));
}

bool leer(const QString& ruta, QString* texto) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return false;
    *texto = QString::fromUtf8(f.readAll());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // The user's own settings (the saved drive letter) are neither read nor written: the tool
    // keeps its settings in a folder of its own that disappears when it ends.
    QTemporaryDir configuracion;
    if (configuracion.isValid()) qputenv("XDG_CONFIG_HOME", configuracion.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

    qInstallMessageHandler(mensajesQt);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Palavrix"));
    QApplication::setOrganizationName(QStringLiteral("Palavrix"));
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser args;
    const QCommandLineOption programa(QStringLiteral("programa"),
                                      QStringLiteral("Carpeta del programa (unidad C:)."),
                                      QStringLiteral("carpeta"));
    const QCommandLineOption plantilla(QStringLiteral("plantilla"), QStringLiteral("Plantilla de la página."),
                                       QStringLiteral("archivo"));
    const QCommandLineOption estilo(QStringLiteral("estilo"), QStringLiteral("Hoja de estilo."),
                                    QStringLiteral("archivo"));
    const QCommandLineOption salida(QStringLiteral("salida"),
                                    QStringLiteral("Carpeta AYUDA donde escribir la página."),
                                    QStringLiteral("carpeta"));
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Versión del programa."),
                                     QStringLiteral("x.y.z"));
    args.addOptions({programa, plantilla, estilo, salida, version});
    args.addHelpOption();
    args.process(app);
    for (const auto& o : {programa, plantilla, salida})
        if (!args.isSet(o)) {
            std::fprintf(stderr, "make-help: falta --%s\n", qPrintable(o.names().first()));
            return 2;
        }

    ayuda::Datos datos;
    QString textoPlantilla;
    if (!leer(args.value(plantilla), &textoPlantilla)) {
        std::fprintf(stderr, "make-help: no se puede leer la plantilla %s\n",
                     qPrintable(args.value(plantilla)));
        return 1;
    }
    if (args.isSet(estilo) && !leer(args.value(estilo), &datos.estilo))
        avisar(QStringLiteral("no se puede leer la hoja de estilo %1").arg(args.value(estilo)));

    const QDir carpetaPrograma(args.value(programa));
    const QDir carpetaAyuda(args.value(salida));
    const QDir carpetaImagenes(carpetaAyuda.filePath(QStringLiteral("img")));
    if (!QDir().mkpath(carpetaImagenes.path())) {
        std::fprintf(stderr, "make-help: no se puede crear %s\n", qPrintable(carpetaImagenes.path()));
        return 1;
    }

    capturas::PrepararEntorno(carpetaPrograma.absolutePath());
    try {
        AbrirBaseDatos();
    } catch (const dao::DaoError& e) {
        avisar(QStringLiteral("no se pudo abrir %1: error %2, %3")
                   .arg(RutaBaseDatos())
                   .arg(e.Number())
                   .arg(e.Description()));
    }

    const std::vector<long long> palabras = capturas::PalabrasPorDiccionario();
    long long total = 0;
    for (size_t i = 0; i < palabras.size(); ++i) {
        datos.valores[QStringLiteral("palabras-%1").arg(i)] =
            palabras[i] < 0 ? QStringLiteral("—") : ayuda::Numero(palabras[i]);
        if (palabras[i] > 0) total += palabras[i];
    }
    datos.valores[QStringLiteral("palabras-total")] = ayuda::Numero(total);
    datos.valores[QStringLiteral("version")] = ayuda::Escapar(args.value(version));

    std::vector<capturas::Captura> hechas = capturas::TomarTodas();
    CerrarBaseDatos();
    hechas.push_back(capturas::Tomar(QStringLiteral("genio"), [&] {
        return capturas::Genio(carpetaPrograma.filePath(QStringLiteral("Genie.ACS")));
    }));

    QStringList guardadas;
    for (const capturas::Captura& c : hechas) {
        const QString archivo = c.nombre + QStringLiteral(".png");
        if (c.imagen.isNull()) {
            avisar(QStringLiteral("sin captura %1: %2").arg(c.nombre, c.error));
        } else if (!c.imagen.save(carpetaImagenes.filePath(archivo), "PNG")) {
            avisar(QStringLiteral("no se pudo guardar %1").arg(archivo));
        } else {
            datos.capturas[c.nombre] = c.imagen.size();
            guardadas << archivo;
        }
    }
    // Pictures of an earlier build that this one could not make must not linger beside the page.
    for (const QString& viejo : carpetaImagenes.entryList({QStringLiteral("*.png")}, QDir::Files))
        if (!guardadas.contains(viejo)) QFile::remove(carpetaImagenes.filePath(viejo));

    QStringList avisos;
    const QString pagina = ayuda::Componer(textoPlantilla, datos, &avisos);
    for (const QString& a : avisos)
        avisar(a);

    QSaveFile archivo(carpetaAyuda.filePath(QStringLiteral("PalavrixHelp.htm")));
    if (!archivo.open(QIODevice::WriteOnly) || archivo.write(pagina.toUtf8()) < 0 || !archivo.commit()) {
        std::fprintf(stderr, "make-help: no se puede escribir %s\n", qPrintable(archivo.fileName()));
        return 1;
    }
    return 0;
}
