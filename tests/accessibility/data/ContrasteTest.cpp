// Every option word reads on the skins the build drew, lit or not.
#include "chrome/Contraste.h"
#include "VentanasPrueba.h"
#include "about/frmAcercaDe.h"
#include "dictionary_window/frmPrincipal.h"
#include "notes/frmPropiedades.h"
#include "platform/Controls.h"
#include "translator/frmTraductor.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>

using Accesibilidad = VentanasPrueba;

namespace {

// The mean luminance of what is painted under a label, the label left out, as the window draws it.
double LuminanciaBajo(controls::Label* l) {
    l->hide();
    const QImage img = l->parentWidget()->grab(l->geometry()).toImage();
    l->show();
    return contraste::LuminanciaMedia(img, img.rect());
}

double ContrasteDe(uint32_t bgr, double fondo) {
    return contraste::Entre(contraste::Luminancia(QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF)),
                            fondo);
}

// Each visible option word (and direction) of a skinned window at rest and lit: at least 4.5:1.
template <class V, class Luz> void comprobarContraste(V* v, const char* arreglo, Luz encender, int d) {
    for (int i = 0; i < 8; ++i) {
        auto* l = v->template findChild<controls::Label*>(controls::Name(arreglo, i));
        if (!l || !l->isVisibleTo(v)) continue;
        const double fondo = LuminanciaBajo(l);
        const std::string donde =
            v->objectName().toStdString() + " " + l->text().toStdString() + " dir " + std::to_string(d);
        EXPECT_GE(ContrasteDe(l->ForeColor(), fondo), contraste::kMinimo) << "at rest: " << donde;
        encender(i);
        EXPECT_NE(l->ForeColor(), controls::vbWhite) << donde;
        EXPECT_GE(ContrasteDe(l->ForeColor(), fondo), contraste::kMinimo) << "lit: " << donde;
        v->imgFondo_MouseMove();
    }
}

} // namespace

TEST_F(Accesibilidad, EveryOptionWordReadsOnItsSkinLitOrNotInEveryLook) {
    // The skins the build drew, in the test's own data folder.
    const QString desde = QStringLiteral(PALAVRIX_BUILD_DIR "/Palavrix/ENTORNO");
    QDirIterator it(desde, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        const QString a = entorno.Datos() + "/ENTORNO/" + QDir(desde).relativeFilePath(f);
        QDir().mkpath(QFileInfo(a).path());
        QFile::copy(f, a);
    }
    ASSERT_TRUE(QFile::exists(entorno.Datos() + "/ENTORNO/IMAGENES/4FDic1.BMP"));
    for (int d = 0; d < 6; ++d) {
        SCOPED_TRACE(d);
        DiccionarioActual = static_cast<uint8_t>(d);
        auto* p = Abrir<frmPrincipal>();
        // A word with a recording and one with further meanings, so those options show too.
        p->txtPalabra->setText(d == 1 ? "bank" : "casa");
        QTest::keyClick(p->txtPalabra, Qt::Key_Return);
        comprobarContraste(
            p, "lblOpciones", [p](int i) { p->lblOpciones_MouseMove(i); }, d);
        comprobarContraste(
            p, "lblDiccionarios", [p](int i) { p->lblDiccionarios_MouseMove(i); }, d);
        p->Unload();
        auto* t = Abrir<frmTraductor>();
        comprobarContraste(
            t, "lblOpciones", [t](int i) { t->lblOpciones_MouseMove(i); }, d);
        t->Unload();
        auto* n = Abrir<frmPropiedades>();
        comprobarContraste(
            n, "lblOpciones", [n](int i) { n->lblOpciones_MouseMove(i); }, d);
        n->Unload();
        Forms::FlushUnloaded();
    }
    // The About window's links light on its own designed background.
    auto* a = Abrir<frmAcercaDe>();
    comprobarContraste(
        a, "lblLink", [a](int i) { a->lblLink_MouseMove(i); }, 0);
}
