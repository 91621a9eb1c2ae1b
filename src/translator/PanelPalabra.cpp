#include "translator/PanelPalabra.h"

#include "chrome/VentanaPiel.h"
#include "dictionary_data/BaseDatos.h"
#include "dictionary_data/Decodificadores.h"
#include "dictionary_data/Direcciones.h"
#include "platform/Accessible.h"
#include "platform/AgentPlacement.h"
#include "platform/Controls.h"
#include "platform/Screen.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// A little under half the skin's width: room for a long translation on two lines, and for the
// panel beside a word without covering the rest of the line.
constexpr int kAncho = 280;
// From the point the panel is shown at: beside it, clear of the pointer and of the word's line.
constexpr int kHuecoX = 10;
constexpr int kHuecoAbajo = 16;
constexpr int kHuecoArriba = 12;
// The frame and the small headings, in the light blue of the direction menu's edge and of the
// "Acepciones" panel's heading.
const QColor kMarco(0x8a, 0xa4, 0xc8);
constexpr uint32_t kColorTitulos = 0xB3F0FF;

controls::Label* etiqueta(QWidget* padre, const char* nombre, double puntos,
                          uint32_t color = controls::vbWhite) {
    auto* l = new controls::Label(padre, QLatin1String(nombre));
    l->setFont(controls::Font(puntos));
    l->SetForeColor(color);
    return l;
}

} // namespace

PanelPalabra::PanelPalabra(QWidget* padre) : QFrame(padre) {
    setObjectName(QStringLiteral("pnlPalabra"));
    controls::Describe(this, QStringLiteral("Entrada del diccionario"),
                       QStringLiteral("La entrada del diccionario de la palabra señalada en el texto. "
                                      "Esc la cierra."));
    setAutoFillBackground(false);
    setMouseTracking(true);
    // The guide steps aside while the entry is open, rather than standing on it.
    agent::KeepClear(this);

    lblDireccion = etiqueta(this, "lblDireccion", 6.5, kColorTitulos);
    lblDireccion->setAccessibleDescription(QStringLiteral("La dirección en que se buscó la palabra."));
    lblPalabra = etiqueta(this, "lblPalabra", 9.75);
    lblPalabra->setAccessibleDescription(QStringLiteral("La palabra buscada."));
    lblForma = etiqueta(this, "lblForma", 8, controls::vbYellow);
    lblForma->setAccessibleDescription(
        QStringLiteral("De qué palabra del diccionario es forma la palabra buscada."));
    lblTraduccion = etiqueta(this, "lblTraduccion", 9.75);
    // No fixed name: a reader speaks the translation itself, which is the label's text.
    lblTraduccion->setAccessibleDescription(QStringLiteral("La traducción de la palabra buscada."));

    lblIdiomaPalabra = etiqueta(this, "lblIdiomaPalabra", 6.5, kColorTitulos);
    lblIdiomaTraduccion = etiqueta(this, "lblIdiomaTraduccion", 6.5, kColorTitulos);
    lblTipo = etiqueta(this, "lblTipo", 8.25);
    lblGenero = etiqueta(this, "lblGenero", 8.25);
    lblNumero = etiqueta(this, "lblNumero", 8.25);
    lblTipoT = etiqueta(this, "lblTipoT", 8.25);
    lblGeneroT = etiqueta(this, "lblGeneroT", 8.25);
    lblNumeroT = etiqueta(this, "lblNumeroT", 8.25);

    lblAcepciones = etiqueta(this, "lblAcepciones", 6.5, kColorTitulos);
    lblAcepciones->setText(QStringLiteral("Otras acepciones"));
    lblAcepcion1 = etiqueta(this, "lblAcepcion1", 8.25);
    lblAcepcion2 = etiqueta(this, "lblAcepcion2", 8.25);

    cmdVerEnDiccionario = new QPushButton(QStringLiteral("Ver en el diccionario"), this);
    cmdVerEnDiccionario->setObjectName(QStringLiteral("cmdVerEnDiccionario"));
    controls::Describe(cmdVerEnDiccionario, QStringLiteral("Ver en el diccionario"),
                       QStringLiteral("Abre el diccionario con esta palabra buscada en esta dirección."));
    cmdVerEnDiccionario->setFont(controls::Font(8.25));
    cmdVerEnDiccionario->setCursor(CursorBoton());
    cmdVerEnDiccionario->setAutoDefault(false);
    // An option word of the skins, white bold italic and lit yellow, in a thin frame that says it
    // can be pressed; lit too when reached with Tab.
    cmdVerEnDiccionario->setStyleSheet(
        QStringLiteral("QPushButton { color: white; background: black; border: 1px solid #8aa4c8;"
                       " border-radius: 3px; padding: 2px 8px; }"
                       "QPushButton:hover, QPushButton:focus { color: yellow; border-color: yellow; }"
                       "QPushButton:pressed { color: red; border-color: red; }"));
    connect(cmdVerEnDiccionario, &QPushButton::clicked, this, [this] {
        const int direccion = direccion_;
        const QString palabra = palabra_;
        Ocultar();
        emit VerEnDiccionario(direccion, palabra);
    });

    auto* columnas = new QGridLayout;
    columnas->setContentsMargins(0, 4, 0, 0);
    columnas->setHorizontalSpacing(10);
    columnas->setVerticalSpacing(1);
    columnas->addWidget(lblIdiomaPalabra, 0, 0);
    columnas->addWidget(lblIdiomaTraduccion, 0, 1);
    columnas->addWidget(lblTipo, 1, 0);
    columnas->addWidget(lblTipoT, 1, 1);
    columnas->addWidget(lblGenero, 2, 0);
    columnas->addWidget(lblGeneroT, 2, 1);
    columnas->addWidget(lblNumero, 3, 0);
    columnas->addWidget(lblNumeroT, 3, 1);
    columnas->setColumnStretch(0, 1);
    columnas->setColumnStretch(1, 1);

    auto* boton = new QHBoxLayout;
    boton->setContentsMargins(0, 6, 0, 0);
    boton->addStretch();
    boton->addWidget(cmdVerEnDiccionario);

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(9, 5, 9, 8);
    todo->setSpacing(2);
    todo->addWidget(lblDireccion);
    todo->addWidget(lblPalabra);
    todo->addWidget(lblForma);
    todo->addWidget(lblTraduccion);
    todo->addLayout(columnas);
    todo->addSpacing(2);
    todo->addWidget(lblAcepciones);
    todo->addWidget(lblAcepcion1);
    todo->addWidget(lblAcepcion2);
    todo->addLayout(boton);

    hide();
}

PanelPalabra::~PanelPalabra() {
    qApp->removeEventFilter(this);
}

void PanelPalabra::Mostrar(int direccion, const QString& palabra, const QPoint& punto) {
    if (!DireccionValida(direccion) || palabra.isEmpty()) {
        Ocultar();
        return;
    }
    if (isVisible() && direccion == direccion_ && palabra == palabra_) return;
    direccion_ = direccion;
    palabra_ = palabra;
    Screen::SetMousePointer(Screen::vbHourglass);
    try {
        ExigirBaseAbierta();
        // Read whole before anything is shown, as the dictionary window reads it.
        entrada_ = consulta::Buscar(*dbDiccionario, direccion, palabra);
        estado_ = entrada_.encontrada ? Estado::Encontrada : Estado::NoEncontrada;
        lblTraduccion->setToolTip(QString());
    } catch (const dao::DaoError& e) {
        entrada_ = consulta::Entrada{};
        entrada_.palabra = palabra;
        estado_ = Estado::Error;
        // The short reason where the translation goes, the engine's own words under the pointer.
        lblTraduccion->setText(ErrorBreve(e));
        lblTraduccion->setToolTip(ErrorDetallado(e));
    }
    Screen::SetMousePointer(Screen::vbDefault);
    llenar();
    ajustarAlto();
    QWidget* padre = parentWidget();
    setGeometry(Ubicar(size(), punto, padre ? padre->size() : size()));
    QWidget* f = window()->focusWidget();
    if (!isVisible()) foco_ = f && !isAncestorOf(f) ? f : nullptr;
    show();
    raise();
}

void PanelPalabra::Ocultar() {
    // Closed from its own button or with Esc after Tab brought the reader in: the focus goes back
    // where it was, not to whatever Qt finds next.
    QWidget* f = window()->focusWidget();
    const bool tieneFoco = f && isAncestorOf(f);
    hide();
    if (tieneFoco && foco_ && foco_->isVisible()) foco_->setFocus();
}

void PanelPalabra::llenar() {
    const consulta::Entrada& e = entrada_;
    const Direccion& d = kDirecciones[static_cast<size_t>(direccion_)];
    lblDireccion->setText(NombreDireccion(direccion_));
    // A word found without its accents is shown as the headword is written, as the dictionary
    // window puts it into its word box.
    lblPalabra->setText(e.sinAcentos ? e.lema : palabra_);
    lblIdiomaPalabra->setText(QString::fromUtf8(d.idiomaPalabra));
    lblIdiomaTraduccion->setText(QString::fromUtf8(d.idiomaTraduccion));

    const bool encontrada = estado_ == Estado::Encontrada;
    if (estado_ == Estado::NoEncontrada) lblTraduccion->setText(consulta::kNoEncontrada);
    if (encontrada) lblTraduccion->setText(e.traduccion);
    lblTraduccion->SetForeColor(encontrada ? controls::vbWhite : controls::vbRed);
    lblForma->setText(encontrada ? e.pista : QString());
    lblTipo->setText(encontrada ? DescribirTipo(e.tipo) : QString());
    lblGenero->setText(encontrada ? DescribirGenero(e.genero) : QString());
    lblNumero->setText(encontrada ? DescribirNumero(e.numero) : QString());
    lblTipoT->setText(encontrada ? DescribirTipo(e.tipoT) : QString());
    lblGeneroT->setText(encontrada ? DescribirGenero(e.generoT) : QString());
    lblNumeroT->setText(encontrada ? DescribirNumero(e.numeroT) : QString());
    const bool acepciones = encontrada && e.tieneAcepciones();
    lblAcepcion1->setText(acepciones ? e.acepcion1.toString() : QString());
    lblAcepcion2->setText(acepciones ? e.acepcion2.toString() : QString());

    // Only what the entry has takes room; a row of the grammar stays when either side has it, so
    // the two columns keep facing each other.
    lblForma->setVisible(!lblForma->text().isEmpty());
    const std::pair<controls::Label*, controls::Label*> filas[] = {
        {lblTipo, lblTipoT}, {lblGenero, lblGeneroT}, {lblNumero, lblNumeroT}};
    bool gramatica = false;
    for (const auto& [izquierda, derecha] : filas) {
        const bool hay = !izquierda->text().isEmpty() || !derecha->text().isEmpty();
        izquierda->setVisible(hay);
        derecha->setVisible(hay);
        gramatica = gramatica || hay;
    }
    lblIdiomaPalabra->setVisible(gramatica);
    lblIdiomaTraduccion->setVisible(gramatica);
    lblAcepciones->setVisible(acepciones);
    lblAcepcion1->setVisible(acepciones);
    lblAcepcion2->setVisible(acepciones && !lblAcepcion2->text().isEmpty());
    // The dictionary window can only show what was found.
    cmdVerEnDiccionario->setVisible(estado_ != Estado::Error);
}

void PanelPalabra::ajustarAlto() {
    QLayout* l = layout();
    l->invalidate();
    l->activate();
    const int alto = l->hasHeightForWidth() ? l->totalHeightForWidth(kAncho) : l->totalSizeHint().height();
    setFixedSize(kAncho, std::max(alto, l->totalMinimumSize().height()));
}

QRect PanelPalabra::Ubicar(const QSize& panel, const QPoint& punto, const QSize& area) {
    int x = punto.x() + kHuecoX;
    if (x + panel.width() > area.width()) x = punto.x() - kHuecoX - panel.width();
    int y = punto.y() + kHuecoAbajo;
    if (y + panel.height() > area.height()) y = punto.y() - kHuecoArriba - panel.height();
    // Neither side has room (a point near the middle of a small area): inside, as close as it goes.
    x = std::clamp(x, 0, std::max(0, area.width() - panel.width()));
    y = std::clamp(y, 0, std::max(0, area.height() - panel.height()));
    return {QPoint(x, y), panel};
}

bool PanelPalabra::eventFilter(QObject* watched, QEvent* event) {
    if (!isVisible() || !watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && w->window() == window()) {
            Ocultar();
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // Where the press is, not which widget it is for: one the panel's labels leave alone goes
        // on to the panel and its window. Not swallowed: the click does what it does, and a click
        // on another word may show the panel again there.
        const QPoint donde = mapFromGlobal(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        if (w->window() != window() || !rect().contains(donde)) Ocultar();
        break;
    }
    default:
        break;
    }
    return false;
}

void PanelPalabra::mousePressEvent(QMouseEvent* e) {
    // A click on the panel is the panel's: the skin under it (the drag strip, a button) never
    // gets it.
    e->accept();
}

void PanelPalabra::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    p.setPen(QPen(kMarco, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void PanelPalabra::showEvent(QShowEvent* e) {
    QFrame::showEvent(e);
    // Esc and a click elsewhere reach whatever widget they are for, not the panel: it watches
    // them while it is shown, and only then.
    qApp->installEventFilter(this);
}

void PanelPalabra::hideEvent(QHideEvent* e) {
    QFrame::hideEvent(e);
    qApp->removeEventFilter(this);
}

int CaracterBajo(const QPlainTextEdit& caja, const QPoint& enVista) {
    const QTextDocument* doc = caja.document();
    // The last position is the end of the text, after every character.
    const int fin = doc->characterCount() - 1;
    const int cerca = caja.cursorForPosition(enVista).position();
    // The nearest cursor position is on one side or the other of the character under the point.
    for (const int k : {cerca - 1, cerca}) {
        if (k < 0 || k >= fin) continue;
        QTextCursor c(const_cast<QTextDocument*>(doc));
        c.setPosition(k);
        const QRect antes = caja.cursorRect(c);
        c.setPosition(k + 1);
        const QRect despues = caja.cursorRect(c);
        // A line break, or the last character of a wrapped line: nothing drawn to hit.
        if (antes.top() != despues.top()) continue;
        const int izquierda = std::min(antes.left(), despues.left());
        const int derecha = std::max(antes.left(), despues.left());
        if (enVista.x() >= izquierda && enVista.x() < derecha && enVista.y() >= antes.top() &&
            enVista.y() <= antes.bottom())
            return k;
    }
    return -1;
}
