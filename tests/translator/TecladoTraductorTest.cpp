// The translator from the keyboard: each key as a person presses it on the real window.
#include "VentanasPrueba.h"
#include "chrome/Imagenes.h"
#include "chrome/MarcoFoco.h"
#include "dictionary_window/frmPrincipal.h"
#include "notes/frmPropiedades.h"
#include "startup/General.h"
#include "translator/frmTraductor.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TecladoTraductor : public VentanasPrueba {
protected:
    void SetUp() override {
        VentanasPrueba::SetUp();
        w = AbrirActiva<frmTraductor>(4500, 3000);
    }
    void LlenarDiccionario() override {
        db.Insert(0, {Fila("casa", "house"), Fila("roja", "red")});
        db.Insert(1, {Fila("house", "casa")});
        db.Insert(4, {Fila("casa", "maison")});
    }
    frmTraductor* w = nullptr;
};

} // namespace

TEST_F(TecladoTraductor, CtrlEnterTranslatesAsTheOptionDoesAndEnterAloneStartsALine) {
    ASSERT_EQ(QApplication::focusWidget(), w->txtTexto);
    QTest::keyClicks(w->txtTexto, "casa roja");
    Tecla(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(w->txtTexto->toPlainText(), "casa roja") << "no line was added to the text";
    EXPECT_EQ(w->txtTraduccion->toPlainText(), "house red");
    EXPECT_EQ(entorno.sonidos->rutas.filter("CLICK.WAV").size(), 1) << "the option's click";
    // The keypad's Enter, and from the translation box too.
    w->txtTexto->setPlainText("roja casa");
    Tecla(Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(w->txtTraduccion->toPlainText(), "red house");
    w->txtTraduccion->setFocus();
    w->txtTexto->setPlainText("casa");
    Tecla(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(w->txtTraduccion->toPlainText(), "house");
    // Enter alone is still a new line.
    w->txtTexto->setFocus();
    w->txtTexto->moveCursor(QTextCursor::End);
    Tecla(Qt::Key_Return);
    EXPECT_EQ(w->txtTexto->toPlainText(), "casa\n");
    EXPECT_EQ(w->txtTraduccion->toPlainText(), "house");
}

TEST_F(TecladoTraductor, CtrlOneToSixChooseTheDirectionAndTranslateTheTextAgain) {
    w->txtTexto->setPlainText("casa");
    Tecla(Qt::Key_Return, Qt::ControlModifier);
    ASSERT_EQ(w->txtTraduccion->toPlainText(), "house");
    Tecla(Qt::Key_5, Qt::ControlModifier);
    EXPECT_EQ(DiccionarioActual, 4);
    EXPECT_EQ(w->lblOpciones(7)->text(), QString::fromUtf8("Español → Francés ▾"));
    EXPECT_EQ(w->txtTraduccion->toPlainText(), "maison");
    EXPECT_EQ(w->txtTexto->toPlainText(), "casa") << "the digit typed nothing";
    for (int d = 0; d < 6; ++d) {
        Tecla(static_cast<Qt::Key>(Qt::Key_1 + d), Qt::ControlModifier);
        EXPECT_EQ(DiccionarioActual, d);
        EXPECT_EQ(w->lblOpciones(7)->text(), NombreDireccion(d) + QString::fromUtf8(" ▾"));
        EXPECT_EQ(w->marcoFoco->Color(), ColorAspecto(d)) << "the focus ring follows the look";
    }
}

TEST_F(TecladoTraductor, CtrlDAndCtrlNMoveToTheDictionaryAndTheNotesAndCtrlTStaysHere) {
    w->txtTexto->setPlainText("casa roja");
    Tecla(Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(Actual<frmTraductor>(), w) << "this window's own key does nothing";
    EXPECT_TRUE(entorno.sonidos->rutas.isEmpty());

    Tecla(Qt::Key_N, Qt::ControlModifier);
    auto* n = Actual<frmPropiedades>();
    ASSERT_NE(n, nullptr);
    EXPECT_EQ((std::pair{n->Left(), n->Top()}), (std::pair{4500, 3000}));
    Activar(n);
    QTest::keyClick(n, Qt::Key_T, Qt::ControlModifier);
    w = Actual<frmTraductor>();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->txtTexto->toPlainText(), "casa roja") << "the text waited for the reader";
    Activar(w);
    Tecla(Qt::Key_D, Qt::ControlModifier);
    EXPECT_NE(Actual<frmPrincipal>(), nullptr);
    EXPECT_EQ(Forms::Find<frmTraductor>(), nullptr);
}

TEST_F(TecladoTraductor, FOneOpensTheHelpPageAndTheFocusedBoxIsFramed) {
    Tecla(Qt::Key_F1);
    ASSERT_EQ(entorno.documentos->abiertos.size(), 1);
    EXPECT_TRUE(entorno.documentos->abiertos[0].endsWith("\\AYUDA\\PalavrixHelp.htm"));
    EXPECT_EQ(w->marcoFoco->Control(), w->txtTexto);
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(w->marcoFoco->Control(), w->txtTraduccion);
    const QRect caja(w->txtTraduccion->mapTo(w, QPoint(0, 0)), w->txtTraduccion->size());
    EXPECT_TRUE(w->marcoFoco->geometry().contains(caja));
    EXPECT_EQ(w->grab().toImage().pixelColor(w->marcoFoco->geometry().topLeft() + QPoint(40, 0)),
              ColorAspecto(0));
}
