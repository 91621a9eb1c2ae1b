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

using TecladoNotas = VentanasPrueba;

TEST_F(TecladoNotas, CtrlDAndCtrlTMoveOnCtrlNStaysAndFOneOpensTheHelp) {
    auto* w = AbrirActiva<frmPropiedades>(4500, 3000);
    w->txtTexto->setFocus(); // in the notes, where a reader's keys usually are
    Tecla(Qt::Key_N, Qt::ControlModifier, w);
    EXPECT_EQ(Actual<frmPropiedades>(), w);
    Tecla(Qt::Key_F1, Qt::NoModifier, w);
    ASSERT_EQ(entorno.documentos->abiertos.size(), 1);
    EXPECT_TRUE(entorno.documentos->abiertos[0].endsWith("\\AYUDA\\PalavrixHelp.htm"));
    Tecla(Qt::Key_D, Qt::ControlModifier, w);
    auto* d = Actual<frmPrincipal>();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ((std::pair{d->Left(), d->Top()}), (std::pair{4500, 3000}));
    d->pctBoton_Click(2);
    w = Actual<frmPropiedades>();
    ASSERT_NE(w, nullptr);
    Activar(w);
    Tecla(Qt::Key_T, Qt::ControlModifier, w);
    EXPECT_NE(Actual<frmTraductor>(), nullptr);
}

TEST_F(TecladoNotas, TheNotesAreFramedInTheBlueLookWhateverTheDirection) {
    DiccionarioActual = 5;
    auto* w = AbrirActiva<frmPropiedades>();
    w->txtTexto->setFocus();
    EXPECT_EQ(w->marcoFoco->Control(), w->txtTexto);
    EXPECT_EQ(w->marcoFoco->Color(), ColorAspecto(0));
    EXPECT_NE(w->marcoFoco->Color(), ColorAspecto(5));
}
