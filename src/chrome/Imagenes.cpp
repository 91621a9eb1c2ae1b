#include "chrome/Imagenes.h"

#include "platform/Controls.h"
#include "platform/Drives.h"
#include "startup/VerificarDrive.h"

#include <QPixmap>
#include <QWidget>

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

QString DigitoDireccion(int direccion) {
    return (direccion >= 0 && direccion <= 5) ? QString::number(direccion) : QStringLiteral("0");
}

QString RutaImagen(const QString& nombre) {
    return RutaDatos + QStringLiteral("\\ENTORNO\\IMAGENES\\") + nombre + QStringLiteral(".BMP");
}

bool CargarImagen(controls::PictureBox* control, const QString& nombre) {
    if (!control) return false;
    QPixmap p;
    if (!p.load(drives::RutaNativa(RutaImagen(nombre)))) return false;
    control->SetPicture(p);
    return true;
}

void CargarBoton(QWidget* frm, int index, const QString& reposo, const QString& luz) {
    auto* boton = frm->findChild<controls::PictureBox*>(controls::Nombre("pctBoton", index));
    CargarImagen(boton, reposo);
    CargarImagen(frm->findChild<controls::PictureBox*>(controls::Nombre("imgBotonSF", index)), reposo);
    CargarImagen(frm->findChild<controls::PictureBox*>(controls::Nombre("imgBotonCF", index)), luz);
}
