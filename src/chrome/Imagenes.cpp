#include "chrome/Imagenes.h"

#include "chrome/VerificarDrive.h"
#include "platform/Controls.h"
#include "platform/Drives.h"
#include "platform/Files.h"
#include "platform/Notices.h"

#include <QPainter>
#include <QStringList>
#include <QWidget>

namespace {

// A window's background at 640 x 480 in 32-bit colour is 1.2 MB; no picture of a look is near this.
constexpr qint64 kMaxImagenBytes = 16 * 1024 * 1024;

QStringList& ilegibles() {
    static QStringList rutas;
    return rutas;
}
bool& avisado() {
    static bool ya = false;
    return ya;
}

// The accent of each look, as the skins are drawn: blue for English, green for Portuguese,
// garnet for French.
QColor colorFamilia(const QString& nombre) {
    const QChar d = nombre.isEmpty() ? QLatin1Char('0') : nombre[0];
    if (d == QLatin1Char('2') || d == QLatin1Char('3')) return QColor(0x2f, 0xb3, 0x6d);
    if (d == QLatin1Char('4') || d == QLatin1Char('5')) return QColor(0xd8, 0x46, 0x5d);
    return QColor(0x4f, 0x8c, 0xf0);
}

} // namespace

QString DigitoFamilia(int direccion) {
    switch (direccion) {
    case 2:
    case 3:
        return QStringLiteral("2");
    case 4:
    case 5:
        return QStringLiteral("4");
    default:
        return QStringLiteral("0");
    }
}

QColor ColorAspecto(int direccion) {
    return colorFamilia(DigitoFamilia(direccion));
}

QString DigitoDireccion(int direccion) {
    return (direccion >= 0 && direccion <= 5) ? QString::number(direccion) : QStringLiteral("0");
}

QString RutaImagen(const QString& nombre) {
    return RutaDatos + QStringLiteral("\\ENTORNO\\IMAGENES\\") + nombre + QStringLiteral(".BMP");
}

QPixmap ImagenSustituta(const QString& nombre, const QSize& tamano) {
    if (tamano.isEmpty()) return {};
    const QColor acento = colorFamilia(nombre);
    QPixmap p(tamano);
    p.fill(QColor(0x14, 0x19, 0x23));
    QPainter g(&p);
    const bool fondo = nombre.endsWith(QLatin1String("FDic1")) || nombre.endsWith(QLatin1String("FTra1"));
    if (fondo) {
        // The top strip is where the window is dragged and where its exit button sits.
        g.fillRect(QRect(0, 0, tamano.width(), 21), acento.darker(160));
        g.setPen(QPen(acento, 2));
        g.drawRect(QRect(1, 1, tamano.width() - 2, tamano.height() - 2));
        return p;
    }
    const QColor cara = nombre.endsWith(QLatin1String("Dn")) ? acento.lighter(130) : acento;
    g.fillRect(p.rect(), cara.darker(150));
    g.setPen(QPen(cara.lighter(150), 1));
    g.drawRect(p.rect().adjusted(0, 0, -1, -1));
    return p;
}

bool CargarImagen(controls::PictureBox* control, const QString& nombre, const QPixmap& sustituto) {
    if (!control) return false;
    QPixmap p;
    const QString ruta = RutaImagen(nombre);
    // Only a regular file of a picture's size: a FIFO in its place would hold the window in
    // open() for ever, and a device would be read without end.
    const files::Contents leido = files::ReadRegular(drives::NativePath(ruta), kMaxImagenBytes);
    if (leido.ok() && p.loadFromData(leido.bytes)) {
        control->SetPicture(p);
        return true;
    }
    ilegibles().append(ruta);
    control->SetPicture(sustituto.isNull() ? ImagenSustituta(nombre, control->size()) : sustituto);
    return false;
}

void CargarBoton(QWidget* frm, int index, const QString& reposo, const QString& luz,
                 const QPixmap& sustitutoReposo, const QPixmap& sustitutoLuz) {
    auto* boton = frm->findChild<controls::PictureBox*>(controls::Name("pctBoton", index));
    // The hidden faces are drawn at the button's size, the size they are shown at.
    const QSize tamano = boton ? boton->size() : QSize();
    const QPixmap sr = sustitutoReposo.isNull() ? ImagenSustituta(reposo, tamano) : sustitutoReposo;
    const QPixmap sl = sustitutoLuz.isNull() ? ImagenSustituta(luz, tamano) : sustitutoLuz;
    CargarImagen(boton, reposo, sr);
    CargarImagen(frm->findChild<controls::PictureBox*>(controls::Name("imgBotonSF", index)), reposo, sr);
    CargarImagen(frm->findChild<controls::PictureBox*>(controls::Name("imgBotonCF", index)), luz, sl);
}

void AvisarImagenesIlegibles() {
    QStringList rutas = ilegibles();
    ilegibles().clear();
    rutas.removeDuplicates();
    if (rutas.isEmpty() || avisado()) return;
    avisado() = true;
    QString texto =
        QStringLiteral("No se pudo leer la imagen de la ventana\n%1").arg(drives::NativePath(rutas.first()));
    if (rutas.size() == 2)
        texto += QStringLiteral("\nni otra más de la misma carpeta");
    else if (rutas.size() > 2)
        texto += QStringLiteral("\nni otras %1 de la misma carpeta").arg(rutas.size() - 1);
    texto += QStringLiteral(
        ".\n\nPalavrix muestra en su lugar unas imágenes sencillas; los botones funcionan igual.");
    notices::Notify(texto);
}

QStringList ImagenesIlegibles() {
    return ilegibles();
}

void OlvidarAvisoImagenes() {
    avisado() = false;
    ilegibles().clear();
}
