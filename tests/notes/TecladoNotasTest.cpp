// The notes window from the keyboard.
#include "VentanasPrueba.h"
#include "chrome/Imagenes.h"
#include "chrome/MarcoFoco.h"
#include "dictionary_window/frmPrincipal.h"
#include "notes/frmPropiedades.h"
#include "platform/RichTextBox.h"
#include "startup/General.h"
#include "translator/frmTraductor.h"

#include <QDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TecladoNotas : public VentanasPrueba {
protected:
    void SetUp() override {
        VentanasPrueba::SetUp();
        RegistrarVentanas();
    }
    // A key where a person's key goes: to the control with the focus.
    static void Tecla(QWidget* w, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QWidget* foco = QApplication::focusWidget();
        QTest::keyClick(foco ? foco : w, k, m);
    }
    template <class T> T* Actual() {
        Forms::FlushUnloaded();
        return Forms::Find<T>();
    }
};

} // namespace

TEST_F(TecladoNotas, CtrlDAndCtrlTMoveOnCtrlNStaysAndFOneOpensTheHelp) {
    auto* w = Abrir<frmPropiedades>(4500, 3000);
    Activar(w);
    w->txtTexto->setFocus(); // in the notes, where a reader's keys usually are
    Tecla(w, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(Actual<frmPropiedades>(), w);
    Tecla(w, Qt::Key_F1);
    ASSERT_EQ(entorno.documentos->abiertos.size(), 1);
    EXPECT_TRUE(entorno.documentos->abiertos[0].endsWith("\\AYUDA\\PalavrixHelp.htm"));
    Tecla(w, Qt::Key_D, Qt::ControlModifier);
    auto* d = Actual<frmPrincipal>();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ((std::pair{d->Left(), d->Top()}), (std::pair{4500, 3000}));
    d->pctBoton_Click(2);
    w = Actual<frmPropiedades>();
    ASSERT_NE(w, nullptr);
    Activar(w);
    Tecla(w, Qt::Key_T, Qt::ControlModifier);
    EXPECT_NE(Actual<frmTraductor>(), nullptr);
}

TEST_F(TecladoNotas, TheNotesAreFramedInTheBlueLookWhateverTheDirection) {
    DiccionarioActual = 5;
    auto* w = Abrir<frmPropiedades>();
    Activar(w);
    w->txtTexto->setFocus();
    EXPECT_EQ(w->marcoFoco->Control(), w->txtTexto);
    EXPECT_EQ(w->marcoFoco->Color(), ColorAspecto(0));
    EXPECT_NE(w->marcoFoco->Color(), ColorAspecto(5));
}
