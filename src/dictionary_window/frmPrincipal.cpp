#include "dictionary_window/frmPrincipal.h"

#include "chrome/Disenos.h"
#include "chrome/DisenosNotas.h"
#include "chrome/Hostpot.h"
#include "chrome/Imagenes.h"
#include "chrome/Sonidos.h"
#include "chrome/Ventanas.h"
#include "chrome/VerificarDrive.h"
#include "dictionary_data/BaseDatos.h"
#include "dictionary_data/Consulta.h"
#include "dictionary_data/Decodificadores.h"
#include "dictionary_data/Direcciones.h"
#include "dictionary_data/Formas.h"
#include "dictionary_data/Sugerencias.h"
#include "dictionary_window/Historial.h"
#include "dictionary_window/TiraSugerencias.h"
#include "guide/Explicaciones.h"
#include "guide/MSAgent.h"
#include "platform/Accessible.h"
#include "platform/AgentPlacement.h"
#include "platform/Screen.h"
#include "platform/SimpleCombo.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>

namespace {
constexpr int kTopDiccionarios[] = {540, 900, 1200, 1560, 1920, 2280};
constexpr int kAnchoDiccionarios[] = {1335, 1335, 1710, 1710, 1530, 1530};
// The smallest size a long translation is shrunk to before it is cut: still readable.
constexpr double kPisoTraduccion = 6.5;
const char* const kNombresDiccionarios[] = {"Español / Inglés",    "Inglés / Español",  "Español / Portugués",
                                            "Portugués / Español", "Español / Francés", "Francés / Español"};
// The direction each of those names, spelt out for a screen reader.
const char* const kSentidos[] = {"español a inglés",    "inglés a español",  "español a portugués",
                                 "portugués a español", "español a francés", "francés a español"};
} // namespace

frmPrincipal::frmPrincipal() : VentanaPiel("frmPrincipal") {
    Tag = QStringLiteral("prin");
    setWindowTitle(QStringLiteral("Palavrix"));
    crearControles();
}

void frmPrincipal::crearControles() {
    CrearFondo(2460, 0, 6075, 315);
    using controls::Label;
    using controls::PictureBox;
    using controls::Place;

    lblSelDic = new Label(this, QStringLiteral("lblSelDic"), QStringLiteral("Seleccione Diccionario"));
    lblSelDic->setFont(controls::Font(9));
    Place(lblSelDic, 180, 120, 1965, 225);
    lblSelDic->setWordWrap(false);
    controls::WidenToText(lblSelDic);
    for (int i = 0; i < 6; ++i) {
        auto* l =
            new Label(this, controls::Name("lblDiccionarios", i), QString::fromUtf8(kNombresDiccionarios[i]));
        l->setFont(controls::Font(9));
        l->setWordWrap(false);
        Place(l, 180, kTopDiccionarios[i], kAnchoDiccionarios[i], 225);
        controls::WidenToText(l);
        l->setCursor(CursorBoton());
        controls::Pressable(
            l, l->text(), QStringLiteral("Elige el diccionario de %1.").arg(QString::fromUtf8(kSentidos[i])));
        connect(l, &Label::MouseMove, this, [this, i] { lblDiccionarios_MouseMove(i); });
        connect(l, &Label::MouseLeave, this, [this, i] {
            if (DiccionarioResaltado == i) Apagar(this, "lblDiccionarios", DiccionarioResaltado);
        });
        connect(l, &Label::Click, this, [this, i] { lblDiccionarios_Click(i); });
    }

    lblTPalabra = new Label(this, QStringLiteral("lblTPalabra"));
    lblTPalabra->setFont(controls::Font(9));
    Place(lblTPalabra, 1020, 3840, 990, 225);

    txtPalabra = new QLineEdit(this);
    txtPalabra->setObjectName(QStringLiteral("txtPalabra"));
    controls::Describe(txtPalabra, QStringLiteral("Palabra a traducir"),
                       QStringLiteral("Escriba la palabra y pulse Intro para ver su traducción."));
    txtPalabra->setFrame(false);
    txtPalabra->setFont(controls::Font(8.25));
    txtPalabra->setStyleSheet(QStringLiteral("QLineEdit { background: black; color: white; border: none; }"));
    Place(txtPalabra, 2110, 3850, 2115, 255);
    txtPalabra->installEventFilter(this);
    // The direction's transducers (a third of a second, tens of megabytes) load while the user
    // types the first word, not at start, so the first form found does not wait for them.
    connect(txtPalabra, &QLineEdit::textEdited, this, [] { formas::Precargar(DiccionarioActual); });

    // Button 5 is made first so that button 4, made after it, starts in front.
    controls::Describe(CrearBoton(5, 4380, 3900, 165, 150), QStringLiteral("Cerrar la lista de palabras"),
                       QStringLiteral("Oculta la lista de palabras del diccionario."));
    controls::Describe(
        CrearBoton(4, 4380, 3900, 165, 150), QStringLiteral("Abrir la lista de palabras"),
        QStringLiteral("Muestra todas las palabras del diccionario elegido para escoger una."));
    FijarCaras(4, Diseno(QStringLiteral("ListaAbrir")), Diseno(QStringLiteral("ListaAbrirLuz")));
    FijarCaras(5, Diseno(QStringLiteral("ListaCerrar")), Diseno(QStringLiteral("ListaCerrarLuz")));

    lblTTraduccion = new Label(this, QStringLiteral("lblTTraduccion"));
    lblTTraduccion->setFont(controls::Font(9));
    Place(lblTTraduccion, 7620, 3840, 990, 225);
    lblTraduccion = new Label(this, QStringLiteral("lblTraduccion"));
    // No fixed name: a reader speaks the translation itself, which is the label's text.
    lblTraduccion->setAccessibleDescription(QStringLiteral("La traducción de la palabra buscada."));
    Place(lblTraduccion, 5160, 3840, 2385, 225);
    // A translation of several words ("look after the pennies and the pounds...") would run out
    // of its one line: it shrinks, and then it is cut, with the whole of it as the tooltip.
    lblTraduccion->FitToWidth(kPisoTraduccion);
    // Under the word box: the headword whose entry a form shows ("plural de «libro»").
    lblForma = new Label(this, QStringLiteral("lblForma"));
    lblForma->setFont(controls::Font(8));
    lblForma->SetForeColor(controls::vbYellow);
    lblForma->setWordWrap(false);
    lblForma->setAccessibleDescription(
        QStringLiteral("De qué palabra del diccionario es forma la palabra buscada."));
    // A few pixels below the word box, so the two do not read as one.
    Place(lblForma, 2110, 4230, 2880, 225);
    // In the same place, for a word not found: two lines, as far as the translation's right edge.
    lblSugerencias = new TiraSugerencias(this);
    Place(lblSugerencias, 2110, 4230, 5430, 480);
    connect(lblSugerencias, &TiraSugerencias::Elegida, this, [this](const QString& palabra) {
        txtPalabra->setText(palabra);
        txtPalabra->setFocus();
        txtPalabra_KeyPress(13);
    });

    const int tops[] = {4860, 5220, 5580};
    Label** izquierda[] = {&lblTipo, &lblGenero, &lblNumero};
    Label** derecha[] = {&lblTipoT, &lblGeneroT, &lblNumeroT};
    const char* nombresIzq[] = {"lblTipo", "lblGenero", "lblNumero"};
    const char* nombresDer[] = {"lblTipoT", "lblGeneroT", "lblNumeroT"};
    for (int i = 0; i < 3; ++i) {
        *izquierda[i] = new Label(this, QLatin1String(nombresIzq[i]));
        Place(*izquierda[i], 60, tops[i], 1545, 225);
        *derecha[i] = new Label(this, QLatin1String(nombresDer[i]));
        Place(*derecha[i], 8040, tops[i], 1545, 225);
    }

    pctAcepciones = new PictureBox(this, QStringLiteral("pctAcepciones"));
    Place(pctAcepciones, 5100, 3495, 1500, 270);
    CrearOpcion(1, QStringLiteral("Acepciones"), 360, 30, 1020, 225, 9, pctAcepciones)
        ->setAccessibleDescription(QStringLiteral("Muestra otras acepciones de la palabra traducida."));
    pctAcepciones->hide();

    // The option word stands just right of its speaker icon, clear of it.
    imgPronun = new PictureBox(this, QStringLiteral("imgPronun"));
    Place(imgPronun, 5100, 4200, 480, 480);
    imgPronun->SetPicture(Diseno(QStringLiteral("Pronun")));
    imgPronun->hide();
    auto* pronunciacion = CrearOpcion(2, QStringLiteral("Pronunciación"), 5640, 4200, 1230, 225);
    pronunciacion->setAccessibleDescription(
        QStringLiteral("Reproduce la pronunciación grabada de la traducción."));
    pronunciacion->hide();

    pctOpcActual = new PictureBox(this, QStringLiteral("pctOpcActual"));
    Place(pctOpcActual, 4980, 885, 1425, 1395);
    CrearSalir();
    CrearPestana(1);
    CrearPestana(2);
    controls::Describe(CrearBoton(6, 9000, 60, 195, 240), QStringLiteral("Mostrar u ocultar el guía"),
                       QStringLiteral("Hace aparecer o desaparecer al genio que explica el programa."));
    FijarCaras(6, Diseno(QStringLiteral("Guia")), Diseno(QStringLiteral("GuiaLuz")));
    CrearAyuda(8340);
    CrearOpcion(3, QStringLiteral("Acerca de ..."), 8460, 6960, 990, 195, 8.25)
        ->setAccessibleDescription(
            QStringLiteral("Muestra quién hizo Palavrix y de dónde vienen sus diccionarios."));

    // The word list and its frame, hidden until opened.
    const struct {
        PictureBox** p;
        const char* nombre;
        const char* diseno;
        int l, t, w, h;
    } marcos[] = {
        {&pctMLTop, "pctMLTop", "MLTop", 2040, 3780, 2235, 75},
        {&pctMLCenter, "pctMLCenter", "MLCenter", 2040, 4080, 2265, 75},
        {&pctMLBottom, "pctMLBottom", "MLBottom", 1970, 7080, 2400, 120},
        {&pctMLLeft, "pctMLLeft", "MLLeft", 1970, 3770, 105, 3435},
        {&pctMLRight, "pctMLRight", "MLRight", 4260, 3770, 105, 3435},
    };
    cboLista = new controls::SimpleCombo(this, QStringLiteral("cboLista"));
    Place(cboLista, 2040, 3810, 2265, 3300);
    cboLista->setFont(controls::Font(8.25));
    cboLista->SetColors(Qt::black, Qt::white, QColor(0x1f, 0x4e, 0x8c));
    cboLista->hide();
    connect(cboLista, &controls::SimpleCombo::Click, this, [this] { cboLista_Click(); });
    connect(cboLista, &controls::SimpleCombo::DblClick, this, [this] { cboLista_DblClick(); });
    connect(cboLista, &controls::SimpleCombo::KeyPress, this, [this](int k) { cboLista_KeyPress(k); });
    // The word box follows the highlight while the user types in the list, as it follows a click.
    connect(cboLista, &controls::SimpleCombo::Highlighted, this,
            [this](int i) { txtPalabra->setText(cboLista->List(i)); });
    for (const auto& m : marcos) {
        *m.p = new PictureBox(this, QLatin1String(m.nombre));
        Place(*m.p, m.l, m.t, m.w, m.h);
        (*m.p)->SetPicture(Diseno(QLatin1String(m.diseno)));
        (*m.p)->SetStretch(true);
        (*m.p)->hide();
    }

    // The meanings panel, with its close button, placed below the window until opened.
    pctContAcep = new PictureBox(this, QStringLiteral("pctContAcep"));
    Place(pctContAcep, 1980, 6300, 4560, 2880);
    pctContAcep->setFocusPolicy(Qt::ClickFocus);
    // The guide steps aside while the meanings are open, rather than standing on them.
    agent::KeepClear(pctContAcep);
    // The panel's picture is shared by both directions of a language pair; the heading is written
    // over it so that it names the direction the user is in.
    lblDireccionAcep = new Label(pctContAcep, QStringLiteral("lblDireccionAcep"));
    Place(lblDireccionAcep, 1740, 45, 2700, 225);
    lblDireccionAcep->setFont(controls::Font(6.5, false, true));
    lblDireccionAcep->SetForeColor(0xB3F0FF);
    lblDireccionAcep->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblTraduccionAcep = new Label(pctContAcep, QStringLiteral("lblTraduccionAcep"));
    Place(lblTraduccionAcep, 120, 350, 2385, 225);
    lblTraduccionAcep->FitToWidth(kPisoTraduccion);
    lblAcepcion1 = new Label(pctContAcep, QStringLiteral("lblAcepcion1"));
    Place(lblAcepcion1, 2820, 1380, 1665, 390);
    lblAcepcion2 = new Label(pctContAcep, QStringLiteral("lblAcepcion2"));
    Place(lblAcepcion2, 2820, 1920, 1665, 390);
    controls::Describe(CrearBoton(3, 4380, 1110, 150, 165, pctContAcep),
                       QStringLiteral("Cerrar las acepciones"),
                       QStringLiteral("Cierra el cuadro de las otras acepciones."));
    pctContAcep->hide();
    connect(pctContAcep, &PictureBox::LostFocus, this, [this] { pctContAcep_LostFocus(); });

    setTabOrder(txtPalabra, lblSugerencias);
    setTabOrder(lblSugerencias, cboLista);
    crearAtajos();
}

controls::Label* frmPrincipal::lblDiccionarios(int index) const {
    return findChild<controls::Label*>(controls::Name("lblDiccionarios", index));
}

// ---- Life of the window -------------------------------------------------------------------

void frmPrincipal::Form_Load() {
    FijarTamano(this);
    CentrarVentana(this);
    VentanaActiva = 1;
    DiccionarioResaltado = -1;
    OpcionResaltada = -1;
    // Another window sent the reader here to see a word ("Ver en el diccionario"): its direction
    // is chosen before the skin, the language labels and the query follow the current one, which
    // is what a click on that direction does in a window just made (its list not yet filled).
    const std::optional<registro::PalabraPedida> pedida = registro::TomarPalabraPedida();
    if (pedida) DiccionarioActual = static_cast<uint8_t>(pedida->direccion);
    // What the reader left here, in the direction still current (the translator may have
    // changed it meanwhile).
    const std::optional<historial::Vista> vista = historial::TomarVista();
    CargarImagenes();
    MostrarIdiomas();
    ElegirConsulta();
    if (pedida) {
        // As if typed and looked up with Enter: the word stays selected for the next one.
        txtPalabra->setText(pedida->palabra);
        txtPalabra_KeyPress(13);
    } else if (vista && vista->direccion == DiccionarioActual) {
        mostrarOtraVez(vista->palabra, vista->enHistorial);
    }
    Screen::SetMousePointer(Screen::vbDefault);
}

void frmPrincipal::Form_Activate() {
    if (!SaludoDado) {
        if (AgenteActivo) SaludarAgente();
    } else if (AgenteActivo) {
        UbicarAgente(this, 5000, 4800);
    }
}

void frmPrincipal::Form_Unload() {
    historial::Dejar({DiccionarioActual, palabraMostrada_, enHistorial_});
    ReproducirSonido(QStringLiteral("SALIR.WAV"), false);
}

void frmPrincipal::CargarImagenes() {
    LocalizarDatos();
    Screen::SetMousePointer(Screen::vbHourglass);
    const QString familia = DigitoFamilia(DiccionarioActual);
    pctOpcActual->hide();
    pctBoton(1)->hide();
    pctBoton(2)->hide();
    // A picture that cannot be read gets the notes window's designed face of the same button,
    // or a plain stand-in.
    CargarBoton(this, 0, familia + QStringLiteral("SalirUp"), familia + QStringLiteral("SalirDn"),
                DisenoNotas(QStringLiteral("Salir")), DisenoNotas(QStringLiteral("SalirLuz")));
    CargarImagen(pctOpcActual, familia + QStringLiteral("oDicUp"),
                 DisenoNotas(QStringLiteral("TabDiccionarioLuz")));
    CargarBoton(this, 1, familia + QStringLiteral("oTraDn"), familia + QStringLiteral("oTraUp"),
                DisenoNotas(QStringLiteral("TabTraductor")), DisenoNotas(QStringLiteral("TabTraductorLuz")));
    CargarBoton(this, 2, familia + QStringLiteral("oProDn"), familia + QStringLiteral("oProUp"),
                DisenoNotas(QStringLiteral("TabPropiedades")), DisenoNotas(QStringLiteral("TabPropiedades")));
    CargarImagen(pctAcepciones, familia + QStringLiteral("TAcepciones"));
    CargarImagen(pctContAcep, familia + QStringLiteral("CAcepciones"));
    CargarBoton(this, 3, familia + QStringLiteral("CerAcepUp"), familia + QStringLiteral("CerAcepDn"));
    CargarImagen(imgFondo, DigitoDireccion(DiccionarioActual) + QStringLiteral("FDic1"));
    pctOpcActual->show();
    pctBoton(1)->show();
    pctBoton(2)->show();
    AvisarImagenesIlegibles();
    Screen::SetMousePointer(Screen::vbDefault);
}

void frmPrincipal::MostrarIdiomas() {
    if (DireccionValida(DiccionarioActual)) {
        const Direccion& d = kDirecciones[DiccionarioActual];
        lblTPalabra->setText(QString::fromUtf8(d.idiomaPalabra));
        lblTTraduccion->setText(QString::fromUtf8(d.idiomaTraduccion));
    }
    txtPalabra->clear();
    txtPalabra->setFocus();
}

void frmPrincipal::ElegirConsulta() {
    if (DireccionValida(DiccionarioActual))
        ConsultaActual = QString::fromUtf8(kDirecciones[DiccionarioActual].consulta);
}

void frmPrincipal::LimpiarResultado() {
    for (controls::Label* l :
         {lblTipo, lblGenero, lblNumero, lblTraduccion, lblTipoT, lblGeneroT, lblNumeroT})
        l->clear();
    lblForma->clear();
    lblForma->setToolTip(QString());
    lblSugerencias->Limpiar();
    lblOpciones(2)->hide();
    imgPronun->hide();
    pctAcepciones->hide();
    pctContAcep->hide();
}

// ---- Lookup -----------------------------------------------------------------------------

void frmPrincipal::TradicirPalabra(const QString& palabra) {
    const std::optional<QString> hallada = mostrarEntrada(palabra, true);
    if (hallada) historial::Actual().Anotar(DiccionarioActual, *hallada);
    palabraMostrada_ = hallada.value_or(palabra);
    enHistorial_ = hallada.has_value();
}

void frmPrincipal::mostrarOtraVez(const QString& palabra, bool enHistorial) {
    mostrarEntrada(palabra, false);
    txtPalabra->setText(palabra);
    txtPalabra->selectAll();
    palabraMostrada_ = palabra;
    enHistorial_ = enHistorial;
}

void frmPrincipal::IrAtras() {
    historial::Historial& h = historial::Actual();
    const std::optional<QString> palabra =
        enHistorial_ ? h.Atras(DiccionarioActual) : h.Actual(DiccionarioActual);
    if (palabra) mostrarOtraVez(*palabra, true);
}

void frmPrincipal::IrAdelante() {
    // Nothing lies ahead of a word that was not found: it stands after the last word found.
    if (!enHistorial_) return;
    if (const std::optional<QString> palabra = historial::Actual().Adelante(DiccionarioActual))
        mostrarOtraVez(*palabra, true);
}

std::optional<QString> frmPrincipal::mostrarEntrada(const QString& palabra, bool reaccionar) {
    std::optional<QString> hallada;
    Screen::SetMousePointer(Screen::vbHourglass);
    try {
        ExigirBaseAbierta();
        // Read whole before anything changes, so an entry the lookup cannot read leaves the
        // window as it was and ends in the message below.
        const consulta::Entrada e = consulta::Buscar(*dbDiccionario, DiccionarioActual, palabra);
        pctContAcep->hide();
        // The details of an earlier error do not belong to this entry.
        lblTraduccion->setToolTip(QString());
        if (!e.encontrada) {
            LimpiarResultado();
            if (AgenteActivo && reaccionar) SugerirLista();
            lblTraduccion->SetForeColor(controls::vbRed);
            lblTraduccion->setText(consulta::kNoEncontrada);
            lblSugerencias->Mostrar(palabra,
                                    sugerencias::Sugerir(*dbDiccionario, DiccionarioActual, palabra));
        } else {
            hallada = e.sinAcentos ? e.lema : palabra;
            lblSugerencias->Limpiar();
            lblTraduccion->SetForeColor(controls::vbWhite);
            lblTipo->setText(DescribirTipo(e.tipo));
            lblGenero->setText(DescribirGenero(e.genero));
            lblNumero->setText(DescribirNumero(e.numero));
            lblTraduccion->setText(e.traduccion);
            lblTipoT->setText(DescribirTipo(e.tipoT));
            lblGeneroT->setText(DescribirGenero(e.generoT));
            lblNumeroT->setText(DescribirNumero(e.numeroT));
            // Which headword a form was found under: "libros" shows the entry of "libro".
            lblForma->setText(e.pista);
            lblForma->setToolTip(e.pista);
            // Found without its accents: the word box shows how the headword is written.
            if (e.sinAcentos) {
                txtPalabra->setText(e.lema);
                txtPalabra->selectAll();
            }
            if (DiccionarioActual == 0) {
                lblOpciones(2)->setVisible(e.pronunciacion);
                imgPronun->setVisible(e.pronunciacion);
            }
            if (DiccionarioActual == 1 || DiccionarioActual == 3 || DiccionarioActual == 5) {
                if (e.tieneAcepciones()) {
                    pctAcepciones->show();
                    lblAcepcion1->setText(e.acepcion1.toString());
                    lblAcepcion2->setText(e.acepcion2.toString());
                } else {
                    pctAcepciones->hide();
                }
            }
        }
    } catch (const dao::DaoError& e) {
        // The dictionary could not be read (a query or column missing, a damaged file): say so
        // where the translation goes and keep the window usable.
        LimpiarResultado();
        lblTraduccion->SetForeColor(controls::vbRed);
        lblTraduccion->setText(ErrorBreve(e));
        lblTraduccion->setToolTip(ErrorDetallado(e));
    }
    // The word list, opened next, starts from the word looked up last; while it is open its
    // search line is the reader's own.
    if (cboLista->isHidden()) cboLista->SetText(hallada.value_or(palabra));
    Screen::SetMousePointer(Screen::vbDefault);
    return hallada;
}

// ---- Events -----------------------------------------------------------------------------

void frmPrincipal::lblDiccionarios_Click(int Index) {
    if (Index != DiccionarioActual) ListaCargada = false;
    palabraMostrada_.clear();
    enHistorial_ = false;
    cboLista->SetText(QString());
    DiccionarioActual = static_cast<uint8_t>(Index);
    // Only the chosen direction is kept in memory.
    formas::SoloDireccion(Index);
    CargarImagenes();
    MostrarIdiomas();
    LimpiarResultado();
    ElegirConsulta();
    pctBoton_Click(5);
}

void frmPrincipal::lblDiccionarios_MouseMove(int Index) {
    Resaltar(this, "lblDiccionarios", DiccionarioResaltado, Index, controls::vbYellow);
}

void frmPrincipal::imgFondo_MouseMove() {
    if (DiccionarioResaltado == -1 && OpcionResaltada == -1) return;
    Apagar(this, "lblDiccionarios", DiccionarioResaltado);
    Apagar(this, "lblOpciones", OpcionResaltada);
}

bool frmPrincipal::txtPalabra_KeyPress(int KeyAscii) {
    if (KeyAscii != 13) return false;
    // Enter again on a word not found takes the first word it may have meant.
    if (!lblSugerencias->Palabras().isEmpty() && lblSugerencias->Buscada() == txtPalabra->text())
        txtPalabra->setText(lblSugerencias->Palabras().first());
    TradicirPalabra(txtPalabra->text());
    txtPalabra->setSelection(0, static_cast<int>(txtPalabra->text().size()));
    return true;
}

bool frmPrincipal::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtPalabra && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) return txtPalabra_KeyPress(13);
    }
    return VentanaPiel::eventFilter(watched, event);
}

void frmPrincipal::keyPressEvent(QKeyEvent* e) {
    // Esc closes what opens over the rest: the meanings panel, then the word list.
    if (e->key() == Qt::Key_Escape && !pctContAcep->isHidden()) {
        pctContAcep->hide();
        txtPalabra->setFocus();
        return;
    }
    if (e->key() == Qt::Key_Escape && !cboLista->isHidden()) {
        pctBoton_Click(5);
        return;
    }
    VentanaPiel::keyPressEvent(e);
}

void frmPrincipal::pctContAcep_LostFocus() {
    // Focus moving to the panel's own close button is not leaving the panel.
    QWidget* f = QApplication::focusWidget();
    if (f && pctContAcep->isAncestorOf(f)) return;
    pctContAcep->hide();
}

void frmPrincipal::pctBoton_Click(int Index) {
    PulsarBoton(this, Index);
    switch (Index) {
    case 0:
        Salir();
        break;
    case 1:
        IrA(Destino::Traductor);
        break;
    case 2:
        IrA(Destino::Notas);
        break;
    case 3:
        pctContAcep->hide();
        break;
    case 4:
        pctBoton(5)->raise();
        MostrarLista(true);
        break;
    case 5:
        pctBoton(4)->raise();
        MostrarLista(false);
        txtPalabra->setFocus();
        txtPalabra->setSelection(0, static_cast<int>(txtPalabra->text().size()));
        break;
    case 6:
        if (AgenteActivo && Personaje) {
            try {
                if (Personaje->Visible()) {
                    Personaje->Play(QStringLiteral("Wave"));
                    Personaje->Hide();
                } else {
                    Personaje->Show();
                    Personaje->Play(QStringLiteral("Greet"));
                    Personaje->Play(QStringLiteral("GreetReturn"));
                }
            } catch (...) {
            }
        }
        break;
    default:
        break;
    }
    Screen::SetMousePointer(Screen::vbDefault);
}

void frmPrincipal::lblOpciones_Click(int Index) {
    ReproducirSonido(QStringLiteral("CLICK.WAV"), false);
    switch (Index) {
    case 0:
        AbrirDocumento(this, DocumentoAyuda());
        break;
    case 1:
        pctContAcep->move(twips::ToPixels(5040), twips::ToPixels(3495));
        pctContAcep->show();
        pctContAcep->raise();
        lblTraduccionAcep->setText(lblTraduccion->text());
        if (DireccionValida(DiccionarioActual)) lblDireccionAcep->setText(NombreDireccion(DiccionarioActual));
        pctContAcep->setFocus();
        break;
    case 2:
        if (!PuedeSonar()) break;
        if (AgenteActivo && Personaje) Personaje->Play(QStringLiteral("Hear_3"));
        // A form has no recording of its own unless it happens to be a headword's translation too.
        if (lblForma->text().isEmpty())
            ReproducirPronunciacion(lblTraduccion->text(), false);
        else
            PronunciarForma(lblTraduccion->text());
        break;
    case 3:
        if (Form* acerca = registro::Crear(Destino::AcercaDe)) acerca->ShowModal();
        break;
    default:
        break;
    }
}
