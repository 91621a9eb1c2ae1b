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
#include "platform/AgentPlacement.h"
#include "platform/Clipboard.h"
#include "platform/Notices.h"
#include "platform/Screen.h"
#include "platform/Settings.h"
#include "translator/PanelPalabra.h"
#include "translator/Traduccion.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <functional>

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

// A piece of the skin painted again without what the background picture wrote there: the
// heading over the boxes ("Traducción literal palabra por palabra", which the mode strip
// replaces) and the direction's name in the pill under the logo. Each row of the piece takes
// the colour of the picture at one column known to be free of writing, so the gradient and
// the look (blue, green, red) are the background's own.
class PielSinTexto : public QWidget {
public:
    // `sombra`: how much darker than the skin (0 to 255), so that white and the lit colours read
    // on the lighter looks.
    PielSinTexto(QWidget* padre, const QString& nombre, controls::PictureBox* fondo, int columna, int radio,
                 int sombra = 0)
        : QWidget(padre), fondo_(fondo), columna_(columna), radio_(radio), sombra_(sombra) {
        setObjectName(nombre);
    }
    // The option drawn chosen, with a pill behind it; nullptr for none.
    void Elegir(QWidget* opcion) {
        elegida_ = opcion;
        update();
    }
    std::function<void()> alPulsar;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QImage img = fondo_->Picture().toImage();
        if (!img.isNull()) {
            QImage tira(1, height(), QImage::Format_RGB32);
            const QPoint origen = mapTo(window(), QPoint(0, 0)) - fondo_->mapTo(window(), QPoint(0, 0));
            const int x = std::clamp(columna_, 0, img.width() - 1);
            for (int y = 0; y < height(); ++y)
                tira.setPixel(0, y, img.pixel(x, std::clamp(origen.y() + y, 0, img.height() - 1)));
            QPainterPath forma;
            forma.addRoundedRect(QRectF(rect()), radio_, radio_);
            p.setClipPath(forma);
            p.drawImage(rect(), tira);
            if (sombra_ > 0) p.fillRect(rect(), QColor(0, 0, 0, sombra_));
            p.setClipping(false);
        }
        if (elegida_ && elegida_->isVisible()) {
            // The chosen mode: a dark pill with a light edge and the yellow pointer the
            // "Traducir ahora" pill shows.
            const QRect r = elegida_->geometry().adjusted(-14, 1, 6, -1);
            p.setPen(QPen(QColor(255, 255, 255, 150), 1));
            p.setBrush(QColor(0, 0, 0, 110));
            p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), r.height() / 2.0, r.height() / 2.0);
            const int cy = r.center().y();
            QPainterPath punta;
            punta.moveTo(r.left() + 5, cy - 4);
            punta.lineTo(r.left() + 11, cy);
            punta.lineTo(r.left() + 5, cy + 4);
            punta.closeSubpath();
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 204, 51));
            p.drawPath(punta);
        }
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (alPulsar && e->button() == Qt::LeftButton) alPulsar();
    }

private:
    controls::PictureBox* fondo_;
    int columna_, radio_, sombra_;
    QWidget* elegida_ = nullptr;
};

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
            QStringLiteral("Copia al portapapeles lo seleccionado en el cuadro activo, o toda la "
                           "traducción si no hay nada seleccionado."));
    CrearOpcion(2, QStringLiteral("Cerrar"), 6000, 6360, 570, 225)
        ->setAccessibleDescription(QStringLiteral("Cierra el traductor y vuelve al diccionario."));
    CrearOpcion(3, QStringLiteral("Traducir ahora"), 4980, 4620, 1260, 225)
        ->setAccessibleDescription(QStringLiteral("Traduce el texto con el diccionario elegido."));
    CrearOpcion(4, QStringLiteral("Pegar"), 5160, 6360, 510, 225)
        ->setAccessibleDescription(QStringLiteral("Pega el texto del portapapeles en el cuadro activo."));

    // The two modes, over the panel's heading (the skin's column 440 is plain bar).
    auto* modo = new PielSinTexto(this, QStringLiteral("pctModo"), imgFondo, 440, 0);
    pctModo = modo;
    controls::Place(pctModo, 870, 2490, 5955, 360);
    CrearOpcion(5, QStringLiteral("Palabra por palabra"), 330, 60, 1500, 240, 9, pctModo);
    CrearOpcion(6, QStringLiteral("Frases completas"), 2400, 60, 1300, 240, 9, pctModo);
    // The direction, in the pill under the logo (its column 126 is the pill's own face).
    auto* direccion = new PielSinTexto(this, QStringLiteral("pctDireccion"), imgFondo, 126, 9, 110);
    pctDireccion = direccion;
    controls::Place(pctDireccion, 1740, 1950, 2205, 285);
    direccion->alPulsar = [this] { abrirMenuDirecciones(); };
    CrearOpcion(7, QString(), 0, 15, 2205, 255, 9, pctDireccion)->setAlignment(Qt::AlignCenter);
    lblOpciones(7)->setAccessibleDescription(QStringLiteral("Elige en qué dirección se traduce."));
    frases = std::make_unique<frases::Traductor>();
    connect(frases.get(), &frases::Traductor::Progreso, this,
            [this](int p) { txtTraduccion->setPlainText(QStringLiteral("Traduciendo… %1 %").arg(p)); });
    connect(frases.get(), &frases::Traductor::Terminada, this,
            [this](const frases::Resultado& r) { frasesTerminadas(r); });
    connect(txtTexto, &QPlainTextEdit::textChanged, this, [this] {
        // What was lit belongs to the text as it was.
        if (!txtTexto->extraSelections().isEmpty()) txtTexto->setExtraSelections({});
        // The reader is typing in sentence mode: the pipeline loads meanwhile.
        if (modo_ == traductor::Modo::FrasesCompletas && !precargado_) {
            precargado_ = true;
            frases->Precargar(DiccionarioActual);
        }
    });
    // What the reader reads and works in: the two boxes with their buttons, and the card of hints
    // the background draws on their right ("Cómo se usa" and its three steps). The guide's spot in
    // this window lies on the card, so he stands beside all of it, never on the steps, the boxes
    // or "Traducir ahora".
    zonaComoSeUsa = new QWidget(this);
    zonaComoSeUsa->setObjectName(QStringLiteral("zonaComoSeUsa"));
    zonaComoSeUsa->setAttribute(Qt::WA_TransparentForMouseEvents);
    zonaComoSeUsa->setGeometry(28, 164, 605, 289);
    agent::KeepClear(zonaComoSeUsa);
    panelPalabra = new PanelPalabra(this);
    connect(panelPalabra, &PanelPalabra::VerEnDiccionario, this,
            [this](int direccion, const QString& palabra) { VerEnDiccionario(direccion, palabra); });
    tmrPausa = new QTimer(this);
    tmrPausa->setObjectName(QStringLiteral("tmrPausa"));
    tmrPausa->setSingleShot(true);
    tmrPausa->setInterval(700);
    connect(tmrPausa, &QTimer::timeout, this, [this] { pausaSobrePalabra(); });
    connect(txtTexto, &QPlainTextEdit::textChanged, tmrPausa, qOverload<>(&QTimer::stop));
    // The entry shown belongs to a word where it was: an edit, a new translation or a scroll
    // moves the words away from it.
    for (QPlainTextEdit* caja : {txtTexto, txtTraduccion}) {
        connect(caja, &QPlainTextEdit::textChanged, panelPalabra, &PanelPalabra::Ocultar);
        connect(caja->verticalScrollBar(), &QScrollBar::valueChanged, panelPalabra, &PanelPalabra::Ocultar);
    }
    setTabOrder(txtTexto, txtTraduccion);
    crearAtajos();
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
    modo_ = traductor::ModoGuardado();
    mostrarModo();
    mostrarDireccion();
    // What was here before the reader went to another window.
    traductor::Sesion& sesion = traductor::SesionActual();
    txtTexto->setPlainText(sesion.texto);
    txtTexto->moveCursor(QTextCursor::End);
    txtTraduccion->setPlainText(sesion.traduccion);
    textoTraducido_ = sesion.origen;
    direccionTraducida_ = sesion.direccionOrigen;
    if (sesion.retraducir) {
        sesion.retraducir = false;
        TraducirFrases();
    }
}

void frmTraductor::Form_Activate() {
    if (AgenteActivo) UbicarAgente(this, 7020, 3800);
}

void frmTraductor::Form_Unload() {
    traductor::Sesion& sesion = traductor::SesionActual();
    sesion.texto = txtTexto->toPlainText();
    sesion.retraducir = frases->Ocupado();
    frases->Cancelar();
    sesion.traduccion = sesion.retraducir ? QString() : txtTraduccion->toPlainText();
    sesion.origen = textoTraducido_;
    sesion.direccionOrigen = direccionTraducida_;
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
    // The word-by-word translation reads the text with the same pipeline a sentence translation
    // may still hold: that one stops at its next piece instead of finishing first.
    frases->Cancelar();
    Screen::SetMousePointer(Screen::vbHourglass);
    if (DireccionValida(DiccionarioActual))
        TablaActual = QString::fromUtf8(kDirecciones[DiccionarioActual].tabla);
    try {
        ExigirBaseAbierta();
        rsTraduccion = std::make_unique<traduccion::Buscador>(*dbDiccionario, DiccionarioActual);
        // Built whole and set once: a long text never redraws the box word by word.
        const QString salida = rsTraduccion->TraducirTexto(txtTexto->toPlainText());
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

void frmTraductor::Traducir() {
    if (modo_ == traductor::Modo::FrasesCompletas)
        TraducirFrases();
    else
        TraducirTexto();
}

void frmTraductor::TraducirFrases() {
    const QString texto = txtTexto->toPlainText();
    if (texto.isEmpty()) {
        frases->Cancelar();
        txtTraduccion->clear();
        return;
    }
    txtTraduccion->setPlainText(QStringLiteral("Traduciendo…"));
    textoTraducido_ = texto;
    direccionTraducida_ = DiccionarioActual;
    frases->Pedir(DiccionarioActual, texto);
}

QList<frases::Tramo> frmTraductor::ResaltarOrigen(qsizetype posicion) {
    QList<frases::Tramo> tramos;
    if (modo_ == traductor::Modo::FrasesCompletas && !frases->Ocupado() &&
        txtTexto->toPlainText() == textoTraducido_ && direccionTraducida_ == DiccionarioActual)
        tramos = frases::Origen(DiccionarioActual, textoTraducido_, txtTraduccion->toPlainText(), posicion);
    QList<QTextEdit::ExtraSelection> marcas;
    for (const frases::Tramo& t : tramos) {
        QTextEdit::ExtraSelection m;
        m.cursor = QTextCursor(txtTexto->document());
        m.cursor.setPosition(static_cast<int>(t.inicio));
        m.cursor.setPosition(static_cast<int>(t.inicio + t.largo), QTextCursor::KeepAnchor);
        // The skin's yellow, as the dictionary window lights a direction.
        m.format.setBackground(QColor(255, 204, 51));
        m.format.setForeground(Qt::black);
        marcas << m;
    }
    txtTexto->setExtraSelections(marcas);
    return tramos;
}

void frmTraductor::frasesTerminadas(const frases::Resultado& r) {
    // A failure says so in one line; what was done before it stays above the line.
    if (!r.error.isEmpty())
        txtTraduccion->setPlainText(r.texto.isEmpty() ? r.error : r.texto + QStringLiteral("\n\n") + r.error);
    else
        txtTraduccion->setPlainText(r.texto);
}

void frmTraductor::ElegirModo(traductor::Modo modo) {
    const bool cambia = modo != modo_;
    panelPalabra->Ocultar();
    modo_ = modo;
    if (!traductor::GuardarModo(modo))
        notices::Notify(
            QStringLiteral("No se pudo guardar el modo de traducción en %1; se usa en esta sesión.")
                .arg(settings::Current().Location()));
    mostrarModo();
    if (modo_ == traductor::Modo::PalabraPorPalabra) frases->Cancelar();
    // A translation on the screen is made again in the mode chosen.
    if (cambia && !txtTraduccion->toPlainText().isEmpty()) Traducir();
}

void frmTraductor::mostrarModo() {
    const bool frasesElegidas = modo_ == traductor::Modo::FrasesCompletas;
    static_cast<PielSinTexto*>(pctModo)->Elegir(lblOpciones(frasesElegidas ? 6 : 5));
    lblOpciones(5)->setAccessibleDescription(
        frasesElegidas
            ? QStringLiteral("Traduce cada palabra por separado, con su significado principal.")
            : QStringLiteral("Elegido: traduce cada palabra por separado, con su significado principal."));
    lblOpciones(6)->setAccessibleDescription(
        frasesElegidas
            ? QStringLiteral("Elegido: traduce frases enteras, con concordancia y orden de palabras.")
            : QStringLiteral("Traduce frases enteras, con concordancia y orden de palabras."));
    txtTraduccion->setAccessibleDescription(
        frasesElegidas ? QStringLiteral("La traducción por frases completas; las palabras que no están en el "
                                        "diccionario aparecen entre ángulos, así: <palabra>.")
                       : QStringLiteral("La traducción palabra por palabra; las palabras que no están en el "
                                        "diccionario aparecen entre ángulos, así: <palabra>."));
}

void frmTraductor::mostrarDireccion() {
    controls::Label* l = lblOpciones(7);
    l->setFont(controls::Font(9));
    l->setText(NombreDireccion(DiccionarioActual) + QStringLiteral(" ▾"));
    // The longest names ("Portugués → Español") take a smaller letter rather than leave the pill.
    l->FitToWidth(7);
    l->setAccessibleName(QStringLiteral("Dirección: %1").arg(NombreDireccion(DiccionarioActual)));
}

void frmTraductor::abrirMenuDirecciones() {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("mnuDirecciones"));
    menu.setFont(controls::Font(9));
    menu.setStyleSheet(QStringLiteral("QMenu { background: black; border: 1px solid #8aa4c8; padding: 2px; }"
                                      "QMenu::item { color: white; padding: 3px 16px 3px 20px; }"
                                      "QMenu::item:selected { color: red; background: black; }"
                                      "QMenu::indicator { width: 10px; left: 4px; }"));
    for (int d = 0; d < static_cast<int>(kDirecciones.size()); ++d) {
        QAction* a = menu.addAction(NombreDireccion(d));
        a->setCheckable(true);
        a->setChecked(d == DiccionarioActual);
        a->setData(d);
    }
    // The direction chosen, however the menu was answered (pointer, keys or a screen reader).
    int elegida = -1;
    connect(&menu, &QMenu::triggered, this, [&elegida](QAction* a) { elegida = a->data().toInt(); });
    menu.exec(pctDireccion->mapToGlobal(QPoint(0, pctDireccion->height() + 2)));
    if (elegida >= 0) ElegirDireccion(elegida);
}

void frmTraductor::ElegirDireccion(int direccion) {
    if (!DireccionValida(direccion) || direccion == DiccionarioActual) return;
    panelPalabra->Ocultar();
    DiccionarioActual = static_cast<uint8_t>(direccion);
    precargado_ = false;
    // The skin follows the languages (blue, green, red), as in the dictionary window.
    CargarImagenes();
    mostrarDireccion();
    pctModo->update();
    pctDireccion->update();
    // Only the chosen direction is kept in memory.
    formas::SoloDireccion(DiccionarioActual);
    formas::Precargar(DiccionarioActual);
    if (!txtTraduccion->toPlainText().isEmpty()) Traducir();
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
    case 1: {
        QString texto;
        if (QPlainTextEdit* c = controlActivo())
            texto = c->textCursor().selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        // Nothing selected means the translation, the thing the reader came for; with no
        // translation either, whatever the clipboard held stays there.
        if (texto.isEmpty()) texto = txtTraduccion->toPlainText();
        if (!texto.isEmpty()) clipboard::Current().SetText(texto);
        break;
    }
    case 2:
        IrA(Destino::Diccionario);
        break;
    case 3:
        Traducir();
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
    case 5:
        ElegirModo(traductor::Modo::PalabraPorPalabra);
        break;
    case 6:
        ElegirModo(traductor::Modo::FrasesCompletas);
        break;
    case 7:
        abrirMenuDirecciones();
        break;
    default:
        break;
    }
}

bool frmTraductor::MostrarPalabra(QPlainTextEdit* caja, qsizetype posicion) {
    const QString texto = caja->toPlainText();
    const traduccion::Tramo t = traduccion::PalabraEn(texto, posicion);
    if (t.Vacio()) return false;
    const auto cualCaja = caja == txtTexto ? traduccion::Caja::Texto : traduccion::Caja::Traduccion;
    // Beside the word: under its first letter.
    QTextCursor c(caja->document());
    c.setPosition(static_cast<int>(t.inicio));
    const QPoint punto = caja->viewport()->mapTo(this, caja->cursorRect(c).bottomLeft());
    panelPalabra->Mostrar(traduccion::DireccionDeCaja(DiccionarioActual, cualCaja), t.De(texto), punto);
    return true;
}

void frmTraductor::apartarDe(const QList<frases::Tramo>& tramos) {
    if (!panelPalabra->isVisible() || tramos.isEmpty()) return;
    // The source words just lit: the panel moves to the other side of the window rather than
    // cover them.
    QRect lit;
    for (const frases::Tramo& t : tramos) {
        QTextCursor c(txtTexto->document());
        for (qsizetype k = t.inicio; k <= t.inicio + t.largo; ++k) {
            c.setPosition(static_cast<int>(k));
            lit |= QRect(txtTexto->viewport()->mapTo(this, txtTexto->cursorRect(c).topLeft()),
                         txtTexto->cursorRect(c).size());
        }
    }
    QRect g = panelPalabra->geometry();
    if (!g.intersects(lit)) return;
    const int margen = 6;
    g.moveLeft(lit.center().x() < width() / 2 ? width() - g.width() - margen : margen);
    if (!g.intersects(lit)) panelPalabra->move(g.topLeft());
}

void frmTraductor::pausaSobrePalabra() {
    // The pointer left the box meanwhile: Leave stopped the timer.
    QPlainTextEdit* caja = cajaBajoPuntero_;
    if (!caja) return;
    const int i = CaracterBajo(*caja, puntoBajoPuntero_);
    if (i >= 0) MostrarPalabra(caja, i);
}

bool frmTraductor::eventFilter(QObject* watched, QEvent* event) {
    const bool enCaja = watched == txtTexto->viewport() || watched == txtTraduccion->viewport();
    if (event->type() == QEvent::MouseMove && enCaja) {
        imgFondo_MouseMove();
        // The pointer resting on a word for a moment shows the word's entry; pressing a button
        // (selecting, placing the caret) does not.
        auto* m = static_cast<QMouseEvent*>(event);
        cajaBajoPuntero_ = watched == txtTexto->viewport() ? txtTexto : txtTraduccion;
        puntoBajoPuntero_ = m->position().toPoint();
        if (m->buttons() == Qt::NoButton)
            tmrPausa->start();
        else
            tmrPausa->stop();
    }
    if ((event->type() == QEvent::Leave || event->type() == QEvent::KeyPress) && enCaja) tmrPausa->stop();
    // A click on a word of the translation shows its entry and, in sentence mode, where it came
    // from. (In the input box a click places the caret for editing; the pause is enough there.)
    if (event->type() == QEvent::MouseButtonRelease && watched == txtTraduccion->viewport()) {
        auto* m = static_cast<QMouseEvent*>(event);
        if (m->button() == Qt::LeftButton && !txtTraduccion->textCursor().hasSelection()) {
            tmrPausa->stop();
            // The word under the pointer, if any: the entry and the source are both of it.
            const int i = CaracterBajo(*txtTraduccion, m->position().toPoint());
            const traduccion::Tramo t = traduccion::PalabraEn(txtTraduccion->toPlainText(), i);
            const QList<frases::Tramo> origen = ResaltarOrigen(t.Vacio() ? -1 : t.inicio);
            if (!t.Vacio()) MostrarPalabra(txtTraduccion, i);
            apartarDe(origen);
        }
    }
    return VentanaPiel::eventFilter(watched, event);
}
