#include "translator/frmTraductor.h"

#include "chrome/Disenos.h"
#include "chrome/DisenosNotas.h"
#include "chrome/Hostpot.h"
#include "chrome/Imagenes.h"
#include "chrome/Sonidos.h"
#include "chrome/Ventanas.h"
#include "chrome/VerificarDrive.h"
#include "dictionary_data/BaseDatos.h"
#include "dictionary_data/Direcciones.h"
#include "dictionary_data/Formas.h"
#include "guide/Explicaciones.h"
#include "guide/MSAgent.h"
#include "platform/Accessible.h"
#include "platform/Clipboard.h"
#include "platform/Notices.h"
#include "platform/Screen.h"
#include "translator/Traduccion.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>

namespace {

QPlainTextEdit* crearCaja(QWidget* padre, const QString& nombre, const QString& accesible,
                          const QString& descripcion, int top) {
    auto* caja = new QPlainTextEdit(padre);
    caja->setObjectName(nombre);
    controls::Describe(caja, accesible, descripcion);
    caja->setFont(controls::Font(8.25));
    caja->setFrameShape(QFrame::NoFrame);
    caja->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    caja->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    caja->setStyleSheet(QStringLiteral("QPlainTextEdit { background: black; color: white; border: none; }"));
    caja->viewport()->setMouseTracking(true);
    // Tab moves between the boxes, as in the program's other boxes; a tab inside a text still
    // arrives by pasting.
    caja->setTabChangesFocus(true);
    controls::Place(caja, 780, top, 5535, 1095);
    return caja;
}

} // namespace

frmTraductor::frmTraductor() : VentanaPiel("frmTraductor") {
    setWindowTitle(QStringLiteral("Palavrix - Traductor"));
    CrearFondo(60, 0, 8475, 315);
    txtTexto = crearCaja(this, QStringLiteral("txtTexto"), QStringLiteral("Texto a traducir"),
                         QStringLiteral("Escriba o pegue aquí el texto que quiere traducir."), 3300);
    txtTraduccion =
        crearCaja(this, QStringLiteral("txtTraduccion"), QStringLiteral("Traducción"),
                  QStringLiteral("La traducción palabra por palabra; las palabras que no están en el "
                                 "diccionario aparecen entre ángulos, así: <palabra>."),
                  4920);
    txtTraduccion->setReadOnly(true);
    txtTraduccion->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    txtTexto->viewport()->installEventFilter(this);
    txtTraduccion->viewport()->installEventFilter(this);

    CrearSalir();
    CrearPestana(1, true);
    CrearPestana(2);
    CrearPestana(3);
    const int tops[] = {3300, 4260, 4920, 5880};
    const char* nombres[] = {"Subir en el texto", "Bajar en el texto", "Subir en la traducción",
                             "Bajar en la traducción"};
    const char* descripciones[] = {"Sube una línea en el texto a traducir.",
                                   "Baja una línea en el texto a traducir.",
                                   "Sube una línea en la traducción.", "Baja una línea en la traducción."};
    for (int i = 0; i < 4; ++i) {
        controls::Describe(CrearBoton(4 + i, 6450, tops[i], 165, 150), QString::fromUtf8(nombres[i]),
                           QString::fromUtf8(descripciones[i]));
        const bool arriba = i % 2 == 0;
        FijarCaras(4 + i, Diseno(arriba ? QStringLiteral("FlechaArriba") : QStringLiteral("FlechaAbajo")),
                   Diseno(arriba ? QStringLiteral("FlechaArribaLuz") : QStringLiteral("FlechaAbajoLuz")));
    }
    CrearAyuda(8640);
    CrearOpcion(1, QStringLiteral("Copiar"), 4320, 6360, 570, 225)
        ->setAccessibleDescription(
            QStringLiteral("Copia al portapapeles lo seleccionado en el cuadro activo."));
    CrearOpcion(2, QStringLiteral("Cerrar"), 6000, 6360, 570, 225)
        ->setAccessibleDescription(QStringLiteral("Cierra el traductor y vuelve al diccionario."));
    CrearOpcion(3, QStringLiteral("Traducir ahora"), 4980, 4620, 1260, 225)
        ->setAccessibleDescription(QStringLiteral("Traduce el texto con el diccionario elegido."));
    CrearOpcion(4, QStringLiteral("Pegar"), 5160, 6360, 510, 225)
        ->setAccessibleDescription(QStringLiteral("Pega el texto del portapapeles en el cuadro activo."));
    setTabOrder(txtTexto, txtTraduccion);
}

// ---- Life of the window -------------------------------------------------------------------

void frmTraductor::Form_Load() {
    FijarTamano(this);
    VentanaActiva = 2;
    CargarImagenes();
    Screen::SetMousePointer(Screen::vbDefault);
    txtTexto->setFocus();
    // While the user types or pastes, the direction's transducers load for the forms.
    formas::Precargar(DiccionarioActual);
}

void frmTraductor::Form_Activate() {
    if (AgenteActivo) UbicarAgente(this, 7020, 3800);
}

void frmTraductor::Form_Unload() {
    ReproducirSonido(QStringLiteral("SALIR.WAV"), false);
}

void frmTraductor::CargarImagenes() {
    LocalizarDatos();
    Screen::SetMousePointer(Screen::vbHourglass);
    const QString familia = DigitoFamilia(DiccionarioActual);
    pctBoton(3)->hide();
    pctBoton(1)->hide();
    pctBoton(2)->hide();
    // A picture that cannot be read gets the notes window's designed face of the same button,
    // or a plain stand-in.
    CargarBoton(this, 0, familia + QStringLiteral("SalirUp"), familia + QStringLiteral("SalirDn"),
                DisenoNotas(QStringLiteral("Salir")), DisenoNotas(QStringLiteral("SalirLuz")));
    CargarBoton(this, 3, familia + QStringLiteral("oDicDn"), familia + QStringLiteral("oDicUp"),
                DisenoNotas(QStringLiteral("TabDiccionario")),
                DisenoNotas(QStringLiteral("TabDiccionarioLuz")));
    // This window's own tab stands lit; its resting face is kept all the same.
    CargarImagen(pctBoton(1), familia + QStringLiteral("oTraUp"),
                 DisenoNotas(QStringLiteral("TabTraductorLuz")));
    CargarImagen(imgBotonSF(1), familia + QStringLiteral("oTraDn"),
                 DisenoNotas(QStringLiteral("TabTraductor")));
    CargarImagen(imgBotonCF(1), familia + QStringLiteral("oTraUp"),
                 DisenoNotas(QStringLiteral("TabTraductorLuz")));
    CargarBoton(this, 2, familia + QStringLiteral("oProDn"), familia + QStringLiteral("oProUp"),
                DisenoNotas(QStringLiteral("TabPropiedades")), DisenoNotas(QStringLiteral("TabPropiedades")));
    CargarImagen(imgFondo, familia + QStringLiteral("FTra1"));
    pctBoton(3)->show();
    pctBoton(1)->show();
    pctBoton(2)->show();
    AvisarImagenesIlegibles();
    Screen::SetMousePointer(Screen::vbDefault);
}

// ---- Translation --------------------------------------------------------------------------

void frmTraductor::TraducirTexto() {
    Screen::SetMousePointer(Screen::vbHourglass);
    if (DireccionValida(DiccionarioActual))
        TablaActual = QString::fromUtf8(kDirecciones[DiccionarioActual].tabla);
    try {
        ExigirBaseAbierta();
        rsTraduccion = std::make_unique<traduccion::Buscador>(*dbDiccionario, DiccionarioActual);
        // Built whole and set once: a long text never redraws the box word by word.
        const QString salida = traduccion::Traducir(txtTexto->toPlainText(),
                                                    [this](const QString& p) { return BuscarTraduccion(p); });
        txtTraduccion->setPlainText(salida);
    } catch (const dao::DaoError& e) {
        txtTraduccion->setPlainText(ErrorTraduccion(e));
    }
    rsTraduccion.reset();
    Screen::SetMousePointer(Screen::vbDefault);
}

QString frmTraductor::BuscarTraduccion(const QString& palabra) {
    return rsTraduccion->BuscarTraduccion(palabra);
}

// ---- Events -------------------------------------------------------------------------------

void frmTraductor::pctBoton_Click(int Index) {
    PulsarBoton(this, Index);
    switch (Index) {
    case 0:
        Salir();
        break;
    case 2:
        IrA(Destino::Notas);
        break;
    case 3:
        IrA(Destino::Diccionario);
        break;
    case 4:
        EnviarTecla(txtTexto, Qt::Key_Up);
        break;
    case 5:
        EnviarTecla(txtTexto, Qt::Key_Down);
        break;
    case 6:
        EnviarTecla(txtTraduccion, Qt::Key_Up);
        break;
    case 7:
        EnviarTecla(txtTraduccion, Qt::Key_Down);
        break;
    default:
        break;
    }
    Screen::SetMousePointer(Screen::vbDefault);
}

QPlainTextEdit* frmTraductor::controlActivo() const {
    QWidget* f = QApplication::focusWidget();
    if (!f) f = focusWidget();
    if (f == txtTexto) return txtTexto;
    if (f == txtTraduccion) return txtTraduccion;
    return nullptr;
}

void frmTraductor::lblOpciones_Click(int Index) {
    ReproducirSonido(QStringLiteral("CLICK.WAV"), false);
    switch (Index) {
    case 0:
        AbrirDocumento(this, DocumentoAyuda());
        break;
    case 1:
        if (QPlainTextEdit* c = controlActivo()) {
            clipboard::Current().SetText(
                c->textCursor().selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n')));
        }
        break;
    case 2:
        IrA(Destino::Diccionario);
        break;
    case 3:
        TraducirTexto();
        break;
    case 4:
        if (QPlainTextEdit* c = controlActivo()) {
            // The program that holds the clipboard may not answer: the window waits a second at
            // most, then says why nothing came.
            if (const auto texto = clipboard::Current().Text(clipboard::kWait))
                c->textCursor().insertText(*texto);
            else
                notices::Notify(
                    QStringLiteral("El programa que tiene el portapapeles no respondió; no se pegó nada.\n\n"
                                   "Vuelva a copiar el texto y pruebe otra vez."));
        }
        break;
    default:
        break;
    }
}

bool frmTraductor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove &&
        (watched == txtTexto->viewport() || watched == txtTraduccion->viewport()))
        imgFondo_MouseMove();
    return VentanaPiel::eventFilter(watched, event);
}
