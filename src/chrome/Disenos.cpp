#include "chrome/Disenos.h"

#include <QFile>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

// The resources live in the static core library; naming them keeps the linker from leaving them
// out of programs that never mention them otherwise. (Outside any namespace, as the macro needs.)
static void AsegurarRecursos() {
    static const bool listo = [] {
        Q_INIT_RESOURCE(chrome_disenos);
        return true;
    }();
    (void)listo;
}

namespace {

QImage Dibujar(const QString& nombre, bool suavizado) {
    AsegurarRecursos();
    const QString ruta = QStringLiteral(":/disenos/%1.svg").arg(nombre);
    if (nombre.isEmpty() || !QFile::exists(ruta)) return {};
    QSvgRenderer renderer(ruta);
    if (!renderer.isValid()) return {};
    QImage img(renderer.defaultSize(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, suavizado);
    renderer.render(&p);
    return img;
}

} // namespace

QPixmap Diseno(const QString& nombre) {
    // Windows ask for the same faces on every visit; drawing each once is enough.
    static QHash<QString, QPixmap> hechos;
    auto it = hechos.constFind(nombre);
    if (it != hechos.cend()) return *it;
    const QImage img = Dibujar(nombre, true);
    QPixmap pixmap = img.isNull() ? QPixmap() : QPixmap::fromImage(img);
    if (!pixmap.isNull()) hechos.insert(nombre, pixmap);
    return pixmap;
}

QCursor CursorMano() {
    // A pointer is crisp black and white: every pixel is made opaque black, opaque white or clear.
    QImage img = Dibujar(QStringLiteral("CursorMano"), false).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (qAlpha(c) < 128)
                img.setPixel(x, y, qRgba(0, 0, 0, 0));
            else
                img.setPixel(x, y, qGray(c) < 128 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
    return QCursor(QPixmap::fromImage(img), 4, 0);
}
