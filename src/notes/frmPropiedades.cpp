#include "notes/frmPropiedades.h"

#include "chrome/DisenosNotas.h"
#include "chrome/Hostpot.h"
#include "chrome/Imagenes.h"
#include "chrome/Sonidos.h"
#include "chrome/Ventanas.h"
#include "chrome/VerificarDrive.h"
#include "dictionary_data/BaseDatos.h"
#include "guide/Explicaciones.h"
#include "guide/MSAgent.h"
#include "platform/Accessible.h"
#include "platform/Clipboard.h"
#include "platform/Drives.h"
#include "platform/RichTextBox.h"
#include "platform/Screen.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>

namespace {
struct Bandera {
    const char* diseno;
    const char* accesible;
    const char* idioma;
};
const Bandera kBanderas[] = {
    {"BanderaEspana", "Notas del español", "español"},
    {"BanderaReinoUnido", "Notas del inglés", "inglés"},
    {"BanderaBrasil", "Notas del portugués", "portugués"},
    {"BanderaFrancia", "Notas del francés", "francés"},
};
const int kTopBanderas[] = {1210, 2270, 3320, 4370};
} // namespace

frmPropiedades::frmPropiedades() : VentanaPiel("frmPropiedades") {
    setWindowTitle(QStringLiteral("Palavrix - Propiedades"));
    CrearFondo(60, 0, 8475, 315);
    imgFondo->SetPicture(DisenoNotas(QStringLiteral("FondoPropiedades")));

    txtTexto = new richtext::RichTextBox(this);
    txtTexto->setObjectName(QStringLiteral("txtTexto"));
    controls::Describe(txtTexto, QStringLiteral("Notas del idioma"),
                       QStringLiteral("Las notas de gramática del idioma elegido con las banderas."));
    controls::Place(txtTexto, 3120, 3180, 4935, 3135);
    connect(txtTexto, &richtext::RichTextBox::MouseMove, this, [this] { imgFondo_MouseMove(); });

    // The skin draws a rail between the page buttons; the bar lives there, in step with the box,
    // instead of a second one inside the box beside it.
    txtTexto->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    barTexto = new QScrollBar(Qt::Vertical, this);
    barTexto->setObjectName(QStringLiteral("barTexto"));
    barTexto->setAccessibleName(QStringLiteral("Desplazamiento de las notas"));
    controls::Place(barTexto, 8310, 3105, 150, 3210);
    barTexto->setStyleSheet(
        QStringLiteral("QScrollBar:vertical { background: transparent; width: 10px; margin: 0; }"
                       "QScrollBar::handle:vertical { background: #5b6b82; border-radius: 4px; min-height: "
                       "24px; margin: 1px; }"
                       "QScrollBar::handle:vertical:hover { background: #7d8ea6; }"
                       "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
                       "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }"));
    QScrollBar* propia = txtTexto->verticalScrollBar();
    connect(propia, &QScrollBar::rangeChanged, barTexto, [this, propia](int min, int max) {
        barTexto->setRange(min, max);
        barTexto->setPageStep(propia->pageStep());
        barTexto->setSingleStep(propia->singleStep());
    });
    connect(propia, &QScrollBar::valueChanged, barTexto, &QScrollBar::setValue);
    connect(barTexto, &QScrollBar::valueChanged, propia, &QScrollBar::setValue);

    CrearSalir();
    FijarCaras(0, DisenoNotas(QStringLiteral("Salir")), DisenoNotas(QStringLiteral("SalirLuz")));
    CrearPestana(1);
    FijarCaras(1, DisenoNotas(QStringLiteral("TabTraductor")),
               DisenoNotas(QStringLiteral("TabTraductorLuz")));
    // This window's own tab: its picture is part of the design and it holds no faces to swap.
    CrearPestana(2, true)->SetPicture(DisenoNotas(QStringLiteral("TabPropiedades")));
    CrearPestana(3);
    FijarCaras(3, DisenoNotas(QStringLiteral("TabDiccionario")),
               DisenoNotas(QStringLiteral("TabDiccionarioLuz")));
    controls::Describe(CrearBoton(4, 8300, 2940, 165, 150), QStringLiteral("Página anterior de las notas"),
                       QStringLiteral("Sube una página en las notas."));
    FijarCaras(4, DisenoNotas(QStringLiteral("PagArriba")), DisenoNotas(QStringLiteral("PagArribaLuz")));
    controls::Describe(CrearBoton(5, 8300, 6360, 165, 150), QStringLiteral("Página siguiente de las notas"),
                       QStringLiteral("Baja una página en las notas."));
    FijarCaras(5, DisenoNotas(QStringLiteral("PagAbajo")), DisenoNotas(QStringLiteral("PagAbajoLuz")));
    for (int i = 0; i < 4; ++i) {
        controls::Describe(CrearBoton(6 + i, 780, kTopBanderas[i], 1080, 1065),
                           QString::fromUtf8(kBanderas[i].accesible),
                           QStringLiteral("Muestra las notas de gramática del %1.")
                               .arg(QString::fromUtf8(kBanderas[i].idioma)));
        FijarCaras(6 + i, DisenoNotas(QLatin1String(kBanderas[i].diseno)),
                   DisenoNotas(QLatin1String(kBanderas[i].diseno) + QStringLiteral("Luz")));
    }
    CrearAyuda(8640);
    CrearOpcion(1, QStringLiteral("Copiar"), 7020, 6660, 570, 225)
        ->setAccessibleDescription(QStringLiteral("Copia al portapapeles el texto de las notas."));
    CrearAtajosComunes();
}

QColor frmPropiedades::ColorFoco() const {
    return ColorAspecto(0);
}

int frmPropiedades::BanderaInicial(int direccion) {
    switch (direccion) {
    case 1:
        return 7;
    case 3:
        return 8;
    case 5:
        return 9;
    default:
        return 6;
    }
}

QString frmPropiedades::RutaNotas(int n) {
    return RutaDatos + QStringLiteral("\\PROPIEDADES\\") + QStringLiteral("Prop") + QString::number(n) +
           QStringLiteral(".RTF");
}

// ---- Life of the window -------------------------------------------------------------------

void frmPropiedades::Form_Load() {
    FijarTamano(this);
    VentanaActiva = 3;
    CargarPropiedades(BanderaInicial(DiccionarioActual));
    Screen::SetMousePointer(Screen::vbDefault);
}

void frmPropiedades::Form_Activate() {
    if (!AgenteActivo || !Personaje) return;
    UbicarAgente(this, 1800, 750);
    Personaje->Play(QStringLiteral("Read"));
    Personaje->Play(QStringLiteral("ReadReturn"));
}

void frmPropiedades::Form_Unload() {
    ReproducirSonido(QStringLiteral("SALIR.WAV"), false);
}

void frmPropiedades::CargarPropiedades(int n) {
    LocalizarDatos();
    if (auto* anterior = pctBoton(BanderaActual)) {
        anterior->setEnabled(true);
        if (auto* reposo = imgBotonSF(BanderaActual)) anterior->SetPicture(reposo->Picture());
    }
    if (auto* bandera = pctBoton(n)) {
        bandera->setEnabled(false);
        if (auto* luz = imgBotonCF(n)) bandera->SetPicture(luz->Picture());
    }
    txtTexto->LoadFile(drives::NativePath(RutaNotas(n)));
    BanderaActual = n;
}

// ---- Events -------------------------------------------------------------------------------

void frmPropiedades::pctBoton_Click(int Index) {
    PulsarBoton(this, Index);
    switch (Index) {
    case 0:
        Salir();
        break;
    case 1:
        IrA(Destino::Traductor);
        break;
    case 3:
        IrA(Destino::Diccionario);
        break;
    case 4:
        EnviarTecla(txtTexto, Qt::Key_PageUp);
        break;
    case 5:
        EnviarTecla(txtTexto, Qt::Key_PageDown);
        break;
    case 6:
    case 7:
    case 8:
    case 9:
        CargarPropiedades(Index);
        break;
    default:
        break;
    }
    Screen::SetMousePointer(Screen::vbDefault);
}

void frmPropiedades::lblOpciones_Click(int Index) {
    ReproducirSonido(QStringLiteral("CLICK.WAV"), false);
    if (Index == 0)
        AbrirDocumento(this, DocumentoAyuda());
    else if (Index == 1)
        clipboard::Current().SetText(txtTexto->Text());
}
