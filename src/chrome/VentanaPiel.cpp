#include "chrome/VentanaPiel.h"

#include "chrome/Atajos.h"
#include "chrome/Contraste.h"
#include "chrome/Disenos.h"
#include "chrome/Hostpot.h"
#include "chrome/Imagenes.h"
#include "chrome/MarcoFoco.h"
#include "dictionary_data/BaseDatos.h"
#include "platform/Accessible.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>

Form* VentanaPiel::IrA(Destino destino) {
    if (Unloading()) return nullptr;
    Form* nueva = registro::Crear(destino);
    if (!nueva) return nullptr;
    nueva->Load();
    nueva->Move(Left(), Top());
    nueva->Show();
    Unload();
    return nueva;
}

Form* VentanaPiel::VerEnDiccionario(int direccion, const QString& palabra) {
    if (Unloading() || !registro::PedirPalabra(direccion, palabra)) return nullptr;
    Form* diccionario = IrA(Destino::Diccionario);
    // The dictionary window takes the request while it loads, inside IrA. One that did not come
    // (none registered) or did not take it must not leave it for a later, unrelated visit.
    registro::OlvidarPalabraPedida();
    return diccionario;
}

void VentanaPiel::Salir() {
    registro::Salir(this);
}

VentanaPiel::VentanaPiel(const char* nombre) {
    setObjectName(QLatin1String(nombre));
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QString());
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    setAutoFillBackground(true);
    marcoFoco = new MarcoFoco(this, [this] { return ColorFoco(); });
}

QColor VentanaPiel::ColorFoco() const {
    return ColorAspecto(DiccionarioActual);
}

void VentanaPiel::CrearAtajosComunes() {
    atajos::Enlazar(this, QKeySequence(Qt::Key_F1), [this] {
        if (lblOpciones(0)) lblOpciones_Click(0);
    });
    const struct {
        Qt::Key tecla;
        int pestana;
    } pestanas[] = {{Qt::Key_T, 1}, {Qt::Key_N, 2}, {Qt::Key_D, 3}};
    for (const auto& p : pestanas)
        atajos::Enlazar(this, QKeySequence(Qt::CTRL | p.tecla), [this, i = p.pestana] {
            if (pestanas_.count(i) && pctBoton(i)->isEnabled()) pctBoton_Click(i);
        });
}

controls::PictureBox* VentanaPiel::pctBoton(int i) const {
    auto it = botones_.find(i);
    return it == botones_.end() ? nullptr : it->second;
}
controls::PictureBox* VentanaPiel::imgBotonSF(int i) const {
    auto it = sf_.find(i);
    return it == sf_.end() ? nullptr : it->second;
}
controls::PictureBox* VentanaPiel::imgBotonCF(int i) const {
    auto it = cf_.find(i);
    return it == cf_.end() ? nullptr : it->second;
}
controls::Label* VentanaPiel::lblOpciones(int i) const {
    auto it = opciones_.find(i);
    return it == opciones_.end() ? nullptr : it->second;
}

void VentanaPiel::CrearFondo(int l, int t, int w, int h) {
    imgFondo = new controls::PictureBox(this, QStringLiteral("imgFondo"));
    controls::Place(imgFondo, 0, 0, 9600, 7200);
    connect(imgFondo, &controls::PictureBox::MouseMove, this, [this] { imgFondo_MouseMove(); });

    imgMMover = new controls::PictureBox(this, QStringLiteral("imgMMover"));
    controls::Describe(imgMMover, QStringLiteral("Barra para mover la ventana"),
                       QStringLiteral("Arrástrela para llevar la ventana a otro lugar de la pantalla."));
    controls::Place(imgMMover, l, t, w, h);
    imgMMover->setCursor(Qt::SizeAllCursor);
    ConectarArrastre(imgMMover, this);
}

controls::PictureBox* VentanaPiel::CrearBoton(int index, int left, int top, int width, int height,
                                              QWidget* padre) {
    auto* b = new controls::PictureBox(padre ? padre : this, controls::Name("pctBoton", index));
    controls::Place(b, left, top, width, height);
    b->setCursor(CursorBoton());
    // Its name and description come from the window, which knows what the button does.
    controls::Pressable(b, QString(), QString());
    connect(b, &controls::PictureBox::MouseMove, this,
            [this, index](int bt, int s, double x, double y) { pctBoton_MouseMove(index, bt, s, x, y); });
    // A click that was queued while the window was being replaced does nothing: acted on, it
    // would open yet another window, or close the database under the one that replaced it.
    connect(b, &controls::PictureBox::Click, this, [this, index] {
        if (!Unloading()) pctBoton_Click(index);
    });
    auto* sf = new controls::PictureBox(this, controls::Name("imgBotonSF", index));
    auto* cf = new controls::PictureBox(this, controls::Name("imgBotonCF", index));
    sf->hide();
    cf->hide();
    botones_[index] = b;
    sf_[index] = sf;
    cf_[index] = cf;
    return b;
}

controls::Label* VentanaPiel::CrearOpcion(int index, const QString& caption, int left, int top, int width,
                                          int height, double puntos, QWidget* padre) {
    auto* l = new controls::Label(padre ? padre : this, controls::Name("lblOpciones", index), caption);
    l->setFont(controls::Font(puntos));
    l->setWordWrap(false);
    controls::Place(l, left, top, width, height);
    controls::WidenToText(l);
    l->setCursor(CursorBoton());
    controls::Pressable(l, caption, QString());
    connect(l, &controls::Label::MouseMove, this, [this, index] { lblOpciones_MouseMove(index); });
    // The background's mouse move puts the word out only when the pointer crosses the background;
    // off the window's edge or onto the dragging strip it would stay lit.
    connect(l, &controls::Label::MouseLeave, this, [this, index] {
        if (OpcionResaltada == index) Apagar(this, "lblOpciones", OpcionResaltada);
    });
    connect(l, &controls::Label::Click, this, [this, index] {
        if (!Unloading()) lblOpciones_Click(index);
    });
    opciones_[index] = l;
    return l;
}

controls::PictureBox* VentanaPiel::CrearSalir() {
    auto* b = CrearBoton(0, 9300, 60, 210, 210);
    controls::Describe(b, QStringLiteral("Salir del programa"), QStringLiteral("Cierra Palavrix."));
    return b;
}

controls::PictureBox* VentanaPiel::CrearPestana(int index, bool propia) {
    const struct {
        int left, width;
        const char* nombre;
        const char* descripcion;
        const char* nombrePropia;
        const char* descripcionPropia;
    } pestanas[] = {
        {6390, 1350, "Ir al traductor", "Abre el traductor, que traduce un texto palabra por palabra.",
         "Traductor (ventana actual)", "Esta es la ventana del traductor."},
        {7725, 1425, "Ir a las propiedades de los idiomas",
         "Abre las notas de gramática de los cuatro idiomas.", "Propiedades (ventana actual)",
         "Esta es la ventana de las notas de gramática."},
        // The dictionary window shows its own tab as a picture, not as a button.
        {4980, 1425, "Ir al diccionario", "Vuelve al diccionario para buscar una palabra.", nullptr, nullptr},
    };
    const auto& p = pestanas[index - 1];
    auto* b = CrearBoton(index, p.left, 885, p.width, 1395);
    controls::Describe(b, QString::fromUtf8(propia ? p.nombrePropia : p.nombre),
                       QString::fromUtf8(propia ? p.descripcionPropia : p.descripcion));
    if (propia) b->setEnabled(false);
    pestanas_.insert(index);
    return b;
}

controls::Label* VentanaPiel::CrearAyuda(int left) {
    auto* l = CrearOpcion(0, QStringLiteral("Ayuda"), left, 60, 555, 225);
    l->setAccessibleDescription(QStringLiteral("Abre la ayuda de Palavrix."));
    return l;
}

void VentanaPiel::FijarCaras(int index, const QPixmap& reposo, const QPixmap& luz) {
    if (auto* b = pctBoton(index)) b->SetPicture(reposo);
    if (auto* sf = imgBotonSF(index)) sf->SetPicture(reposo);
    if (auto* cf = imgBotonCF(index)) cf->SetPicture(luz);
}

void VentanaPiel::pctBoton_MouseMove(int Index, int, int, double X, double Y) {
    ResaltarBoton(this, Index, X, Y);
}

void VentanaPiel::lblOpciones_MouseMove(int Index) {
    Resaltar(this, "lblOpciones", OpcionResaltada, Index, controls::vbRed);
}

void VentanaPiel::imgFondo_MouseMove() {
    Apagar(this, "lblOpciones", OpcionResaltada);
}

void VentanaPiel::Resaltar(QWidget* frm, const char* arreglo, int& resaltada, int index, uint32_t color) {
    if (resaltada == index) return;
    if (resaltada != -1)
        if (auto* anterior = frm->findChild<controls::Label*>(controls::Name(arreglo, resaltada)))
            anterior->SetForeColor(controls::vbWhite);
    resaltada = index;
    if (auto* l = frm->findChild<controls::Label*>(controls::Name(arreglo, index)))
        l->SetForeColor(contraste::ColorLegible(color, LuminanciaBajo(l)));
}

double VentanaPiel::LuminanciaBajo(controls::Label* l) {
    // What is painted under the word, without the word: its text is made see-through for the
    // moment of the grab, which draws the skin and the pill beneath.
    QWidget* padre = l->parentWidget();
    if (!padre) return 0;
    const QPalette antes = l->palette();
    QPalette sinTexto = antes;
    sinTexto.setColor(QPalette::WindowText, Qt::transparent);
    l->setPalette(sinTexto);
    const QImage fondo = padre->grab(l->geometry()).toImage();
    l->setPalette(antes);
    return contraste::LuminanciaMedia(fondo, fondo.rect());
}

void VentanaPiel::Apagar(QWidget* frm, const char* arreglo, int& resaltada) {
    if (resaltada == -1) return;
    if (auto* l = frm->findChild<controls::Label*>(controls::Name(arreglo, resaltada)))
        l->SetForeColor(controls::vbWhite);
    resaltada = -1;
}

void VentanaPiel::EnviarTecla(QWidget* caja, int tecla) {
    caja->setFocus();
    QKeyEvent pulsar(QEvent::KeyPress, tecla, Qt::NoModifier);
    QApplication::sendEvent(caja, &pulsar);
    QKeyEvent soltar(QEvent::KeyRelease, tecla, Qt::NoModifier);
    QApplication::sendEvent(caja, &soltar);
}

void VentanaPiel::imgMMover_MouseDown(int, int, double X, double Y) {
    arrastre.MouseDown(X, Y);
}
void VentanaPiel::imgMMover_MouseMove(int, int, double X, double Y) {
    arrastre.MouseMove(this, X, Y);
}
void VentanaPiel::imgMMover_MouseUp(int, int, double, double) {
    arrastre.MouseUp();
}

QCursor CursorBoton() {
    return CursorMano();
}
