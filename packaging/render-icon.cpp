// Renders the application icon's SVG into a square PNG of the given size, for desktops and
// menus that want a bitmap icon beside the scalable one.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "uso: render-icon ICONO.svg SALIDA.png LADO\n");
        return 2;
    }
    // Nothing is shown: the offscreen platform lets this run on machines without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int lado = QByteArray(argv[3]).toInt();
    QSvgRenderer svg{QString::fromLocal8Bit(argv[1])};
    if (!svg.isValid() || lado < 16 || lado > 1024) {
        std::fprintf(stderr, "render-icon: no se puede dibujar %s a %s px\n", argv[1], argv[3]);
        return 1;
    }
    QImage png(lado, lado, QImage::Format_ARGB32_Premultiplied);
    png.fill(Qt::transparent);
    QPainter p(&png);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p);
    p.end();
    if (!png.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "render-icon: no se puede escribir %s\n", argv[2]);
        return 1;
    }
    return 0;
}
