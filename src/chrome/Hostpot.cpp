#include "chrome/Hostpot.h"

#include "chrome/Sonidos.h"
#include "platform/Controls.h"
#include "platform/Twips.h"

#include <QWidget>

namespace {
controls::PictureBox* elemento(QWidget* frm, const char* nombre, int index) {
    return frm->findChild<controls::PictureBox*>(controls::Name(nombre, index));
}
} // namespace

void ResaltarBoton(QWidget* frm, int Index, double X, double Y) {
    controls::PictureBox* b = elemento(frm, "pctBoton", Index);
    if (!b) return;
    const double ancho = twips::FromPixels(b->width());
    const double alto = twips::FromPixels(b->height());
    const bool dentro = X >= 0 && X <= ancho && Y >= 0 && Y <= alto;
    if (dentro) {
        if (BotonCapturado) return;
        b->SetCapture();
        BotonCapturado = true;
        if (auto* luz = elemento(frm, "imgBotonCF", Index)) b->SetPicture(luz->Picture());
    } else {
        if (!BotonCapturado) return;
        controls::PictureBox::ReleaseCapture();
        BotonCapturado = false;
        if (auto* reposo = elemento(frm, "imgBotonSF", Index)) b->SetPicture(reposo->Picture());
    }
}

void PulsarBoton(QWidget* frm, int Index) {
    ReproducirSonido(QStringLiteral("CLICK.WAV"), false);
    if (BotonCapturado) {
        controls::PictureBox::ReleaseCapture();
        BotonCapturado = false;
    }
    controls::PictureBox* b = elemento(frm, "pctBoton", Index);
    controls::PictureBox* reposo = elemento(frm, "imgBotonSF", Index);
    if (b && reposo) b->SetPicture(reposo->Picture());
}
