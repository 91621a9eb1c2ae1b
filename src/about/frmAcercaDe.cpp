#include "about/frmAcercaDe.h"

#include "about/Creditos.h"
#include "chrome/Disenos.h"
#include "chrome/Sonidos.h"
#include "chrome/VentanaPiel.h"
#include "chrome/Ventanas.h"
#include "guide/Explicaciones.h"
#include "guide/MSAgent.h"
#include "platform/Accessible.h"
#include "platform/AgentPlacement.h"
#include "platform/Screen.h"
#include "platform/Twips.h"

#include <QKeyEvent>
#include <QPushButton>

namespace {

controls::Label* etiqueta(QWidget* padre, const char* nombre, const QString& texto, int left, int top,
                          bool negrita) {
    auto* l = new controls::Label(padre, QLatin1String(nombre), texto);
    l->setFont(controls::Font(8.25, negrita, false));
    l->setWordWrap(false);
    l->adjustSize();
    l->move(twips::ToPixels(left), twips::ToPixels(top));
    return l;
}

} // namespace

frmAcercaDe::frmAcercaDe() {
    setObjectName(QStringLiteral("frmAcercaDe"));
    setWindowTitle(QStringLiteral("Acerca de"));
    // The guide presents the credits from beside the window, never over its addresses.
    agent::KeepClear(this);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    setAutoFillBackground(true);

    imgFondo = new controls::PictureBox(this, QStringLiteral("imgFondo"));
    controls::Place(imgFondo, 0, 0, 9600, 7200);
    imgFondo->SetPicture(Diseno(QStringLiteral("FondoAcerca")));
    connect(imgFondo, &controls::PictureBox::Click, this, [this] { imgFondo_Click(); });
    connect(imgFondo, &controls::PictureBox::MouseMove, this, [this] { imgFondo_MouseMove(); });

    Image1 = new controls::PictureBox(this, QStringLiteral("Image1"));
    controls::Place(Image1, 3840, 315, 1995, 1110);
    Image1->SetPicture(Diseno(QStringLiteral("Logo")));

    using namespace creditos;
    const struct {
        int index;
        const char* texto;
        int left, top;
        bool negrita;
    } enlaces[] = {{1, kWeb, 4140, 1440, true},
                   {0, kSoporte, 4080, 1680, false},
                   {2, kCorreoProgramador, 4320, 3600, false}};
    for (const auto& e : enlaces) {
        const QString nombre = controls::Name("lblLink", e.index);
        auto* l = etiqueta(this, nombre.toLatin1().constData(), QString::fromUtf8(e.texto), e.left, e.top,
                           e.negrita);
        l->setCursor(CursorBoton());
        controls::Pressable(l, l->text(),
                            e.index == 1 ? QStringLiteral("Abre la página web de Palavrix en el navegador.")
                                         : QStringLiteral("Escribe un correo a esta dirección."),
                            QAccessible::Link);
        const int i = e.index;
        connect(l, &controls::Label::Click, this, [this, i] { lblLink_Click(i); });
        connect(l, &controls::Label::MouseMove, this, [this, i] { lblLink_MouseMove(i); });
    }
    etiqueta(this, "Label3", QStringLiteral("Diseño:"), 3900, 2640, true);
    etiqueta(this, "Label4", QString::fromUtf8(kDisenadora), 4380, 2820, false);
    etiqueta(this, "Label5", QStringLiteral("Programación:"), 3900, 3240, true);
    etiqueta(this, "Label6", QString::fromUtf8(kProgramador), 4320, 3420, false);
    etiqueta(this, "Label7", QStringLiteral("Diccionarios:"), 3900, 4020, true);
    etiqueta(this, "Label8", QString::fromUtf8(kDatos1), 5070, 4200, false);
    etiqueta(this, "Label2", QString::fromUtf8(kDatos2), 4815, 4440, false);
    etiqueta(this, "Label1", QString::fromUtf8(kDerechos), 3900, 6060, false);
    etiqueta(this, "Label9", QStringLiteral("Genio"), 4740, 6600, true);
    etiqueta(this, "lblAgent", QString::fromUtf8(kAgente), 3000, 6840, false);

    // The cancel button lies outside the window: never seen, but Esc reaches it.
    cmdSalir = new QPushButton(QStringLiteral("C"), this);
    cmdSalir->setObjectName(QStringLiteral("cmdSalir"));
    controls::Describe(cmdSalir, QStringLiteral("Cerrar"),
                       QStringLiteral("Cierra esta ventana y vuelve a la anterior."));
    controls::Place(cmdSalir, 9840, 2280, 375, 375);
    connect(cmdSalir, &QPushButton::clicked, this, [this] { cmdSalir_Click(); });
}

controls::Label* frmAcercaDe::lblLink(int index) const {
    return findChild<controls::Label*>(controls::Name("lblLink", index));
}

void frmAcercaDe::Form_Load() {
    FijarTamano(this);
    CentrarVentana(this);
    EnlaceResaltado = -1;
    VentanaActiva = 0;
    if (AgenteActivo && Personaje)
        Personaje->Commands().Command(QStringLiteral("Explicar")).SetVisible(false);
    Screen::SetMousePointer(Screen::vbDefault);
}

void frmAcercaDe::Form_Activate() {
    if (!AgenteActivo || !Personaje) return;
    // The tour speaks of this window: closing it ends the tour.
    Personaje->TieRequests(this);
    PresentarCreditos();
    Personaje->TieRequests(nullptr);
}

void frmAcercaDe::Form_Unload() {
    ReproducirSonido(QStringLiteral("SALIR.WAV"), false);
    VentanaActiva = 1;
    if (AgenteActivo && Personaje) Personaje->Commands().Command(QStringLiteral("Explicar")).SetVisible(true);
}

void frmAcercaDe::cmdSalir_Click() {
    Unload();
}
void frmAcercaDe::imgFondo_Click() {
    Unload();
}

void frmAcercaDe::lblLink_Click(int Index) {
    controls::Label* l = lblLink(Index);
    if (!l) return;
    // The caption reads as people write a web address; the desktop needs its scheme to know it
    // is one, and without it takes the text for a file name.
    if (Index == 1)
        AbrirDocumento(this, QStringLiteral("https://") + l->Caption());
    else
        AbrirDocumento(this, QStringLiteral("mailto:") + l->Caption());
}

void frmAcercaDe::lblLink_MouseMove(int Index) {
    if (EnlaceResaltado == Index) return;
    if (EnlaceResaltado != -1)
        if (auto* anterior = lblLink(EnlaceResaltado)) {
            anterior->SetForeColor(controls::vbWhite);
            anterior->SetUnderline(false);
        }
    if (auto* l = lblLink(Index)) {
        l->SetForeColor(controls::vbRed);
        l->SetUnderline(true);
    }
    EnlaceResaltado = Index;
}

void frmAcercaDe::imgFondo_MouseMove() {
    if (EnlaceResaltado != -1)
        if (auto* l = lblLink(EnlaceResaltado)) {
            l->SetForeColor(controls::vbWhite);
            l->SetUnderline(false);
        }
    EnlaceResaltado = -1;
}

void frmAcercaDe::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        cmdSalir->click();
        return;
    }
    Form::keyPressEvent(e);
}
