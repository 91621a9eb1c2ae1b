#include "about/frmImagen.h"

#include "chrome/VentanaPiel.h"
#include "platform/Accessible.h"
#include "platform/Twips.h"

frmImagen::frmImagen() {
    setObjectName(QStringLiteral("frmImagen"));
    setWindowTitle(QStringLiteral("Palavrix"));
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    setAutoFillBackground(true);
    resize(twips::ToPixels(4680), twips::ToPixels(3195));

    lblImagen = new controls::Label(this, QStringLiteral("lblImagen"), QStringLiteral("Nombre"));
    lblImagen->setFont(controls::Font(8.25, false, false));
    lblImagen->setWordWrap(false);
    controls::Place(lblImagen, 60, 60, 555, 210);
    imgMMover = new controls::PictureBox(this, QStringLiteral("imgMMover"));
    controls::Place(imgMMover, 60, 60, 4275, 195);
    imgMMover->setCursor(Qt::SizeAllCursor);
    lblSalir = new controls::Label(this, QStringLiteral("lblSalir"), QStringLiteral("X"));
    lblSalir->setFont(controls::Font(9, true, false));
    controls::Pressable(lblSalir, QStringLiteral("Cerrar la imagen"), QStringLiteral("Cierra esta ventana."));
    lblSalir->setCursor(CursorBoton());
    controls::Place(lblSalir, 4500, 60, 120, 225);
    imgImagen = new controls::PictureBox(this, QStringLiteral("imgImagen"));
    controls::Place(imgImagen, 40, 300, 4560, 2850);
    imgImagen->SetStretch(true);

    connect(imgImagen, &controls::PictureBox::Click, this, [this] { imgImagen_Click(); });
    connect(lblSalir, &controls::Label::Click, this, [this] { lblSalir_Click(); });
    ConectarArrastre(imgMMover, this);
}

void frmImagen::Mostrar(const QPixmap& imagen, const QString& titulo) {
    imgImagen->SetPicture(imagen);
    lblImagen->SetCaption(titulo);
    lblImagen->adjustSize();
}

void frmImagen::imgMMover_MouseDown(int, int, double X, double Y) {
    arrastre.MouseDown(X, Y);
}
void frmImagen::imgMMover_MouseMove(int, int, double X, double Y) {
    arrastre.MouseMove(this, X, Y);
}
void frmImagen::imgMMover_MouseUp(int, int, double, double) {
    arrastre.MouseUp();
}
