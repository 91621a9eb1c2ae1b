#include "chrome/DisenosNotas.h"

#include <QFile>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

// Resources in a static library must be named once to be linked in. (Outside any namespace, as
// the macro needs.)
static void AsegurarRecursosNotas() {
    static const bool listo = [] {
        Q_INIT_RESOURCE(chrome_notas);
        return true;
    }();
    (void)listo;
}

QPixmap DisenoNotas(const QString& nombre) {
    // The window is loaded anew on every visit and asks for the same pictures; draw each once.
    static QHash<QString, QPixmap> hechos;
    if (const auto it = hechos.constFind(nombre); it != hechos.cend()) return *it;
    AsegurarRecursosNotas();
    const QString ruta = QStringLiteral(":/notas/%1.svg").arg(nombre);
    if (nombre.isEmpty() || nombre.contains(QLatin1Char('/')) || !QFile::exists(ruta)) return {};
    QSvgRenderer renderer(ruta);
    if (!renderer.isValid()) return {};
    QImage img(renderer.defaultSize(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    renderer.render(&p);
    p.end();
    QPixmap pixmap = QPixmap::fromImage(img);
    hechos.insert(nombre, pixmap);
    return pixmap;
}
