// render-skins: turns the skin templates of art/skins into the BMP pictures the windows load.
//
//   render-skins <templates folder> <output folder>
//
// The templates folder holds catalogo.txt (one picture per line: output name, SVG template, width,
// height, look, and optional KEY=VALUE pairs), estilos.txt (the looks: sections of KEY = VALUE,
// a section may start from another with "base = name") and the SVG templates themselves.
// In a template, {{KEY}} is replaced by the value of KEY and {{@KEY}} by the content of the file
// that KEY names (a shared fragment such as a tab icon), itself filled in the same way.
// Every picture is drawn over black and written as a 24-bit BMP named "<output name>.BMP", the
// upper-case extension the program builds its paths with.
#include "Plantillas.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>
#include <cstdio>

namespace {

bool Renderizar(const QByteArray& svg, QSize size, const QString& destino, QString& error) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        error = QStringLiteral("SVG no válido");
        return false;
    }
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::black);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    // Qt writes RGB32 images as 24-bit BMP files, the depth the skins are made in.
    if (!img.save(destino, "BMP")) {
        error = QStringLiteral("no se pudo escribir ") + destino;
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // Rendering needs fonts, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 3) {
        err << "uso: render-skins <carpeta de plantillas> <carpeta de salida>\n";
        return 2;
    }
    const QDir fuentes(QString::fromLocal8Bit(argv[1]));
    const QDir salida(QString::fromLocal8Bit(argv[2]));
    if (!QDir().mkpath(salida.absolutePath())) {
        err << "render-skins: no se pudo crear " << salida.absolutePath() << "\n";
        return 1;
    }

    QString error;
    const auto aspectos = plantillas::LeerAspectos(fuentes.filePath("estilos.txt"), error);
    if (!error.isEmpty()) {
        err << "render-skins: " << error << "\n";
        return 1;
    }
    const auto catalogo = plantillas::LeerCatalogo(fuentes.filePath("catalogo.txt"), error);
    if (!error.isEmpty()) {
        err << "render-skins: " << error << "\n";
        return 1;
    }

    int fallos = 0;
    for (const auto& dibujo : catalogo) {
        QString e;
        const QByteArray svg = plantillas::Rellenar(fuentes, dibujo, aspectos, e);
        const QString destino = salida.filePath(dibujo.nombre + QStringLiteral(".BMP"));
        if (e.isEmpty()) Renderizar(svg, QSize(dibujo.ancho, dibujo.alto), destino, e);
        if (!e.isEmpty()) {
            err << "render-skins: " << dibujo.nombre << ": " << e << "\n";
            ++fallos;
        }
    }
    return fallos == 0 ? 0 : 1;
}
