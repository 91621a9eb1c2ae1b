#include "chrome/Ventanas.h"

#include "chrome/VerificarDrive.h"
#include "platform/Drives.h"
#include "platform/Form.h"
#include "platform/Screen.h"
#include "platform/Shell.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <algorithm>

void SiempreVisible(Form* frm) {
    frm->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    frm->Move(0, 0);
}

void FijarTamano(Form* frm) {
    frm->SetHeight(7200);
    frm->SetWidth(9600);
}

void CentrarVentana(Form* frm) {
    long long left = 0, top = 0;
    if (frm->Tag == QLatin1String("prin")) {
        left = twips::HalfDifference(Screen::Width() - frm->Width());
        top = twips::HalfDifference(Screen::Height() - frm->Height());
    } else {
        Form* p = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* f = qobject_cast<Form*>(w);
                f && f->Loaded() && f->objectName() == QLatin1String("frmPrincipal"))
                p = f;
        if (!p) return; // nothing to centre over: the window keeps its place
        left = p->Left() + twips::HalfDifference(p->Width() - frm->Width());
        top = p->Top() + twips::HalfDifference(p->Height() - frm->Height());
    }
    // Within [0, screen size - one pixel]: at least the corner itself shows.
    const auto enPantalla = [](long long v, int tamano) {
        return std::clamp<long long>(v, 0, std::max(0, tamano - twips::kPerPixel));
    };
    left = enPantalla(left, Screen::Width());
    top = enPantalla(top, Screen::Height());
    frm->Move(static_cast<int>(left), static_cast<int>(top));
}

void AbrirDocumento(QWidget* frm, const QString& documento) {
    if (shell::Current().Open(documento)) return;
    QString texto;
    if (documento.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        texto = QStringLiteral("No hay ningún programa de correo para escribir a:\n%1").arg(documento.mid(7));
    else if (documento.startsWith(QLatin1String("http"), Qt::CaseInsensitive))
        texto = QStringLiteral("No hay ningún navegador para abrir la dirección:\n%1").arg(documento);
    else
        texto = QStringLiteral("No se pudo abrir la página de ayuda. Ábrala con su navegador; está en:\n%1")
                    .arg(QDir::toNativeSeparators(drives::NativePath(documento)));
    // Not modal: the program goes on, and the text can be selected and copied. Without a window
    // manager nothing would raise it over the skinned windows, so it asks to stay on top.
    auto* aviso = new QMessageBox(QMessageBox::Information, QStringLiteral("Palavrix"), texto,
                                  QMessageBox::Ok, frm && frm->isVisible() ? frm->window() : nullptr);
    aviso->setObjectName(QStringLiteral("msgSinPrograma"));
    aviso->setAttribute(Qt::WA_DeleteOnClose);
    aviso->setWindowModality(Qt::NonModal);
    aviso->setWindowFlag(Qt::WindowStaysOnTopHint);
    aviso->setTextInteractionFlags(Qt::TextSelectableByMouse);
    aviso->show();
    aviso->raise();
}

QString DocumentoAyuda() {
    return RutaDatos + QStringLiteral("\\AYUDA\\") + QStringLiteral("PalavrixHelp.htm");
}
