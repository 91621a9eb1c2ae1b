#include "startup/frmVerDrive.h"

#include "chrome/Disenos.h"
#include "chrome/VerificarDrive.h"
#include "platform/Accessible.h"
#include "platform/Controls.h"
#include "platform/Drives.h"
#include "platform/Process.h"
#include "platform/Screen.h"
#include "platform/Twips.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>

namespace {
const QString kTitulo = QStringLiteral("Palavrix");
}

frmVerDrive::frmVerDrive() {
    setObjectName(QStringLiteral("frmVerDrive"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Seleccionar Drive"));
    setFixedSize(twips::ToPixels(4575), twips::ToPixels(2805));
    const QFont fuente = controls::Font(8, false, false, "MS Sans Serif");

    lblInfo = new QLabel(QStringLiteral("Label1"), this);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    controls::Place(lblInfo, 120, 120, 4230, 390);
    lblIndi = new QLabel(QStringLiteral("Label2"), this);
    lblIndi->setObjectName(QStringLiteral("lblIndi"));
    controls::Place(lblIndi, 120, 600, 4200, 585);
    Label3 = new QLabel(QStringLiteral("Drive"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    controls::Place(Label3, 1020, 1560, 375, 195);
    controls::WidenToText(Label3);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    controls::Place(Image1, 420, 1680, 480, 480);
    Image1->setPixmap(Diseno(QStringLiteral("Drive")));
    Drive1 = new QComboBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    controls::Describe(Drive1, QStringLiteral("Unidad donde buscar los datos"),
                       QStringLiteral("Elija la unidad que tiene la carpeta de datos de Palavrix."));
    controls::Place(Drive1, 1020, 1800, 2835, 315);
    cmdAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    cmdAceptar->setObjectName(QStringLiteral("cmdAceptar"));
    cmdAceptar->setDefault(true);
    controls::Place(cmdAceptar, 1080, 2280, 1095, 375);
    cmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));
    controls::Place(cmdCancelar, 2340, 2280, 1095, 375);
    for (QWidget* w :
         std::initializer_list<QWidget*>{lblInfo, lblIndi, Label3, Drive1, cmdAceptar, cmdCancelar})
        w->setFont(fuente);
    lblInfo->setWordWrap(true);
    lblIndi->setWordWrap(true);
    connect(cmdAceptar, &QPushButton::clicked, this, [this] { cmdAceptar_Click(); });
    connect(cmdCancelar, &QPushButton::clicked, this, [this] { cmdCancelar_Click(); });
}

void frmVerDrive::Form_Load() {
    lblInfo->setText(kTitulo + QStringLiteral(" no encuentra la información en el drive especificado."));
    lblIndi->setText(QStringLiteral("Asegúrese que ") + kTitulo +
                     QStringLiteral(" esté buscando en el drive correcto o que el CD-ROM de ") + kTitulo +
                     QStringLiteral(" esté colocado en el siguiente drive."));
    // Start on the first drive that does hold a Palavrix folder, so that a stick or disc just
    // put in is offered; otherwise on the saved one.
    int inicial = -1;
    const auto unidades = drives::All();
    for (size_t i = 0; i < unidades.size(); ++i) {
        Drive1->addItem(drives::DisplayText(unidades[i]));
        if (inicial < 0 && QDir(QDir(unidades[i].root).filePath(QStringLiteral("Palavrix"))).exists())
            inicial = static_cast<int>(i);
    }
    if (inicial < 0) {
        const QString guardada = LeerDrive().left(1).toLower();
        for (int i = 0; i < Drive1->count(); ++i)
            if (Drive1->itemText(i).startsWith(guardada)) inicial = i;
    }
    Drive1->setCurrentIndex(std::max(0, inicial));
    // Centred on the screen.
    move((Screen::Width() / twips::kPerPixel - width()) / 2,
         (Screen::Height() / twips::kPerPixel - height()) / 2);
}

void frmVerDrive::cmdAceptar_Click() {
    const QString texto = Drive1->currentText();
    if (!texto.isEmpty()) GuardarDrive(texto.left(1));
    Unload();
}

void frmVerDrive::cmdCancelar_Click() {
    process::End();
}
