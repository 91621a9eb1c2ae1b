// The dictionary window from the keyboard: each key as a person presses it on the real window,
// the word list's Esc and how it opens again, and the frame around the control with the focus.
#include "VentanasPrueba.h"
#include "chrome/Contraste.h"
#include "chrome/Imagenes.h"
#include "chrome/MarcoFoco.h"
#include "dictionary_window/frmPrincipal.h"
#include "notes/frmPropiedades.h"
#include "platform/SimpleCombo.h"
#include "startup/General.h"
#include "translator/frmTraductor.h"

#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class TecladoDiccionario : public VentanasPrueba {
protected:
    void SetUp() override {
        VentanasPrueba::SetUp();
        w = AbrirActiva<frmPrincipal>(4500, 3000);
    }
    void LlenarDiccionario() override {
        // The first headword sorts before the others, as "a algún lugar" does in the real list.
        db.Insert(0, {Fila("a algún lugar", "somewhere"), Fila("abeja", "bee"), Fila("casa", "house"),
                      Fila("perro", "dog"), Fila("raro", "odd"), Fila("árbol", "tree")});
        db.Insert(1, {Fila("bank", "banco"), Fila("house", "casa")});
        db.Insert(4, {Fila("casa", "maison")});
    }
    void Enter(const QString& palabra) {
        w->txtPalabra->setText(palabra);
        QTest::keyClick(w->txtPalabra, Qt::Key_Return);
    }
    QString Resaltada() const {
        const int i = w->cboLista->ListIndex();
        return i < 0 ? QString() : w->cboLista->List(i);
    }

    frmPrincipal* w = nullptr;
};

} // namespace

TEST_F(TecladoDiccionario, CtrlOneToSixChooseTheDirectionsAsTheirNamesDo) {
    const char* idiomas[][2] = {{"Español", "Inglés"},    {"Inglés", "Español"},  {"Español", "Portugués"},
                                {"Portugués", "Español"}, {"Español", "Francés"}, {"Francés", "Español"}};
    for (int d = 5; d >= 0; --d) {
        Enter("casa");
        Tecla(static_cast<Qt::Key>(Qt::Key_1 + d), Qt::ControlModifier);
        EXPECT_EQ(DiccionarioActual, d);
        EXPECT_EQ(w->lblTPalabra->text(), QString::fromUtf8(idiomas[d][0])) << d;
        EXPECT_EQ(w->lblTTraduccion->text(), QString::fromUtf8(idiomas[d][1])) << d;
        EXPECT_EQ(w->lblTraduccion->text(), "") << "the result is cleared, as a click on the name clears it";
        EXPECT_EQ(w->txtPalabra->text(), "");
    }
    // The digit typed no character anywhere.
    EXPECT_EQ(w->txtPalabra->text(), "");
    Tecla(Qt::Key_5, Qt::ControlModifier);
    Enter("casa");
    EXPECT_EQ(w->lblTraduccion->text(), "maison");
}

TEST_F(TecladoDiccionario, CtrlTAndCtrlNMoveToTheTranslatorAndTheNotesAndCtrlDStaysHere) {
    Tecla(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(Actual<frmPrincipal>(), w) << "this window's own key does nothing";
    EXPECT_TRUE(entorno.sonidos->rutas.filter("SALIR.WAV").isEmpty());

    Tecla(Qt::Key_T, Qt::ControlModifier);
    auto* t = Actual<frmTraductor>();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(Forms::Find<frmPrincipal>(), nullptr) << "one main window at a time";
    EXPECT_EQ((std::pair{t->Left(), t->Top()}), (std::pair{4500, 3000}));
    EXPECT_EQ(entorno.sonidos->rutas.filter("CLICK.WAV").size(), 1) << "the tab's click";

    Activar(t);
    t->pctBoton_Click(3);
    w = Actual<frmPrincipal>();
    ASSERT_NE(w, nullptr);
    Activar(w);
    Tecla(Qt::Key_N, Qt::ControlModifier);
    EXPECT_NE(Actual<frmPropiedades>(), nullptr);
}

TEST_F(TecladoDiccionario, FOneOpensTheHelpPageAsTheOptionDoes) {
    Tecla(Qt::Key_F1);
    ASSERT_EQ(entorno.documentos->abiertos.size(), 1);
    EXPECT_TRUE(entorno.documentos->abiertos[0].endsWith("\\AYUDA\\PalavrixHelp.htm"))
        << entorno.documentos->abiertos[0].toStdString();
    w->lblOpciones_Click(0);
    EXPECT_EQ(entorno.documentos->abiertos[1], entorno.documentos->abiertos[0]);
}

TEST_F(TecladoDiccionario, FFourAndAltDownOpenTheListEscAndFFourCloseIt) {
    ASSERT_TRUE(w->cboLista->isHidden());
    Tecla(Qt::Key_F4);
    EXPECT_TRUE(w->cboLista->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), w->cboLista->Edit());
    EXPECT_TRUE(w->pctMLTop->isVisible());
    Tecla(Qt::Key_Escape);
    EXPECT_TRUE(w->cboLista->isHidden());
    EXPECT_TRUE(w->pctMLTop->isHidden());
    EXPECT_EQ(QApplication::focusWidget(), w->txtPalabra) << "back to the word box";

    Tecla(Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(w->cboLista->isVisible());
    // Esc from the list itself as well as from its search line.
    w->cboLista->View()->setFocus();
    Tecla(Qt::Key_Escape);
    EXPECT_TRUE(w->cboLista->isHidden());

    Tecla(Qt::Key_F4);
    EXPECT_TRUE(w->cboLista->isVisible());
    Tecla(Qt::Key_F4);
    EXPECT_TRUE(w->cboLista->isHidden());
    EXPECT_EQ(entorno.sonidos->rutas.filter("CLICK.WAV").size(), 6)
        << "each as the list's button, with its click";
}

TEST_F(TecladoDiccionario, EscClosesTheMeaningsPanelBeforeTheListUnderIt) {
    Tecla(Qt::Key_2, Qt::ControlModifier);
    db.Insert(1, {[] {
                  esquema::Fila f = Fila("bat", "murciélago", "n");
                  f.acepcion1 = QString("bate");
                  f.acepcion2 = QString("");
                  return f;
              }()});
    Enter("bat");
    Tecla(Qt::Key_F4);
    w->lblOpciones_Click(1);
    ASSERT_TRUE(w->pctContAcep->isVisible());
    Tecla(Qt::Key_Escape);
    EXPECT_TRUE(w->pctContAcep->isHidden());
    EXPECT_TRUE(w->cboLista->isVisible());
    w->cboLista->setFocus();
    Tecla(Qt::Key_Escape);
    EXPECT_TRUE(w->cboLista->isHidden());
}

TEST_F(TecladoDiccionario, TheReopenedListHighlightsTheLastSearchAndLeavesTheWordBoxAlone) {
    // A search typed in the list, then a word looked up in the word box.
    Tecla(Qt::Key_F4);
    QTest::keyClicks(w->cboLista->Edit(), "ab");
    ASSERT_EQ(Resaltada(), "abeja");
    Tecla(Qt::Key_Escape);
    Enter("perro");
    ASSERT_EQ(w->lblTraduccion->text(), "dog");

    Tecla(Qt::Key_F4);
    EXPECT_EQ(Resaltada(), "perro") << "the word looked up last, not an old row";
    EXPECT_EQ(w->cboLista->Edit()->selectedText(), "perro");
    EXPECT_EQ(w->txtPalabra->text(), "perro");
    EXPECT_EQ(w->lblTraduccion->text(), "dog");
    // Focus moving into the list by Tab, as a keyboard reader moves, changes nothing either.
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w->cboLista->View());
    QCoreApplication::processEvents();
    EXPECT_EQ(Resaltada(), "perro");
    EXPECT_EQ(w->txtPalabra->text(), "perro");
    // Moving in the list does: the next word.
    Tecla(Qt::Key_Down);
    QCoreApplication::processEvents();
    EXPECT_EQ(Resaltada(), "raro");
    EXPECT_EQ(w->txtPalabra->text(), "raro");

    // A search typed and left there is the last search.
    Tecla(Qt::Key_Escape);
    Tecla(Qt::Key_F4);
    QTest::keyClicks(w->cboLista->Edit(), "arb");
    Tecla(Qt::Key_Escape);
    EXPECT_EQ(w->txtPalabra->text(), QString::fromUtf8("árbol"));
    w->txtPalabra->setText("xyz"); // typed, not looked up
    Tecla(Qt::Key_F4);
    EXPECT_EQ(Resaltada(), QString::fromUtf8("árbol"));
    EXPECT_EQ(w->cboLista->Text(), "arb");
    EXPECT_EQ(w->txtPalabra->text(), "xyz");
}

TEST_F(TecladoDiccionario, AListOpenedWithNothingSearchedHighlightsNothingAndTheArrowStartsAtTheTop) {
    Tecla(Qt::Key_F4);
    EXPECT_EQ(Resaltada(), "");
    EXPECT_EQ(w->txtPalabra->text(), "");
    Tecla(Qt::Key_Down);
    EXPECT_EQ(Resaltada(), QString::fromUtf8("a algún lugar"));
    // A new direction empties the search with the result.
    Tecla(Qt::Key_Escape);
    Enter("casa");
    Tecla(Qt::Key_2, Qt::ControlModifier);
    Tecla(Qt::Key_F4);
    EXPECT_EQ(w->cboLista->Text(), "");
    EXPECT_EQ(Resaltada(), "");
}

TEST_F(TecladoDiccionario, KeysWaitWhileTheAboutWindowIsOpenOverTheWindow) {
    // The About window is modal: it runs its own loop, so the keys are pressed from inside it.
    bool probado = false;
    QTimer::singleShot(0, [&] {
        QWidget* acerca = QApplication::activeModalWidget();
        ASSERT_NE(acerca, nullptr);
        ASSERT_NE(acerca, w);
        EXPECT_TRUE(QTest::qWaitForWindowActive(acerca));
        QTest::keyClick(acerca, Qt::Key_T, Qt::ControlModifier);
        QTest::keyClick(acerca, Qt::Key_3, Qt::ControlModifier);
        probado = true;
        QTest::keyClick(acerca, Qt::Key_Escape);
    });
    w->lblOpciones_Click(3);
    ASSERT_TRUE(probado);
    EXPECT_EQ(Actual<frmPrincipal>(), w);
    EXPECT_EQ(DiccionarioActual, 0);
}

TEST_F(TecladoDiccionario, TheControlWithTheFocusIsFramedInTheLooksColour) {
    MarcoFoco* marco = w->marcoFoco;
    ASSERT_NE(marco, nullptr);
    w->txtPalabra->setFocus();
    EXPECT_EQ(marco->Control(), w->txtPalabra);
    EXPECT_TRUE(marco->isVisible());
    const QRect caja(w->txtPalabra->mapTo(w, QPoint(0, 0)), w->txtPalabra->size());
    EXPECT_TRUE(marco->geometry().contains(caja));
    EXPECT_TRUE(marco->testAttribute(Qt::WA_TransparentForMouseEvents));

    // Drawn in each look's colour, and seen: the ring's pixels are that colour on the window.
    const QColor colores[] = {ColorAspecto(0), ColorAspecto(2), ColorAspecto(4)};
    EXPECT_NE(colores[0], colores[1]);
    EXPECT_NE(colores[1], colores[2]);
    for (int d : {0, 2, 4}) {
        SCOPED_TRACE(d);
        QTest::keyClick(w->txtPalabra, static_cast<Qt::Key>(Qt::Key_1 + d), Qt::ControlModifier);
        ASSERT_EQ(marco->Control(), w->txtPalabra);
        EXPECT_EQ(marco->Color(), ColorAspecto(d));
        // It stands out on the black box it frames (3:1 for what is not text).
        EXPECT_GE(contraste::Entre(contraste::Luminancia(marco->Color()), 0), 3.0);
        const QImage imagen = w->grab().toImage();
        const QPoint borde = marco->geometry().topLeft() + QPoint(marco->width() / 2, 0);
        EXPECT_EQ(imagen.pixelColor(borde), ColorAspecto(d)) << "the top edge of the ring";
        EXPECT_EQ(imagen.pixelColor(caja.center()), Qt::black) << "the box itself is not covered";
    }

    // It follows the focus into the list, over the list's own frame, and hides with it.
    QTest::keyClick(w->txtPalabra, Qt::Key_F4);
    EXPECT_EQ(marco->Control(), w->cboLista->Edit());
    const QRect linea(w->cboLista->Edit()->mapTo(w, QPoint(0, 0)), w->cboLista->Edit()->size());
    EXPECT_TRUE(marco->geometry().contains(linea));
    const QPoint arriba = marco->geometry().topLeft() + QPoint(marco->width() / 2, 1);
    ASSERT_TRUE(w->pctMLTop->geometry().contains(arriba)) << "where the list's frame picture lies";
    EXPECT_EQ(w->grab().toImage().pixelColor(arriba), ColorAspecto(4)) << "the ring is drawn over it";
    QTest::keyClick(w->cboLista->Edit(), Qt::Key_Tab);
    EXPECT_EQ(marco->Control(), w->cboLista->View());
    QTest::keyClick(w->cboLista->View(), Qt::Key_Escape);
    EXPECT_EQ(marco->Control(), w->txtPalabra);

    // A panel that takes the focus only to know when it loses it gets no frame.
    w->pctContAcep->show();
    w->pctContAcep->setFocus();
    EXPECT_EQ(marco->Control(), nullptr);
    EXPECT_FALSE(marco->isVisible());
}
