// The words looked up in a run: the history itself, back and forward on the dictionary window by
// keys and by the mouse's side buttons, and the window finding its word again after a visit to
// the other windows.
#include "dictionary_window/Historial.h"
#include "VentanasPrueba.h"
#include "dictionary_window/frmPrincipal.h"
#include "notes/frmPropiedades.h"
#include "startup/General.h"
#include "translator/frmTraductor.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using historial::Historial;

TEST(Historial, BackAndForwardWalkTheWordsOfOneDirectionInTheOrderTheyWereFound) {
    Historial h;
    EXPECT_FALSE(h.Atras(0));
    EXPECT_FALSE(h.Actual(0));
    for (const char* p : {"casa", "perro", "árbol"})
        h.Anotar(0, QString::fromUtf8(p));
    EXPECT_EQ(h.Actual(0), QString::fromUtf8("árbol"));
    EXPECT_EQ(h.Atras(0), "perro");
    EXPECT_EQ(h.Atras(0), "casa");
    EXPECT_FALSE(h.Atras(0)) << "nothing before the first word";
    EXPECT_EQ(h.Actual(0), "casa");
    EXPECT_EQ(h.Adelante(0), "perro");
    EXPECT_EQ(h.Adelante(0), QString::fromUtf8("árbol"));
    EXPECT_FALSE(h.Adelante(0)) << "nothing after the last word";
    EXPECT_EQ(h.Palabras(0), (QStringList{"casa", "perro", QString::fromUtf8("árbol")}));
}

TEST(Historial, EachDirectionKeepsItsOwnWordsAndPlace) {
    Historial h;
    h.Anotar(0, "casa");
    h.Anotar(0, "perro");
    h.Anotar(1, "house");
    h.Anotar(1, "dog");
    EXPECT_EQ(h.Atras(1), "house");
    EXPECT_EQ(h.Actual(0), "perro") << "going back in one direction moves no other";
    EXPECT_EQ(h.Atras(0), "casa");
    EXPECT_EQ(h.Actual(1), "house");
    EXPECT_TRUE(h.Palabras(2).isEmpty());
    // Directions outside 0..5 hold nothing and take nothing.
    h.Anotar(6, "x");
    h.Anotar(-1, "x");
    EXPECT_FALSE(h.Actual(6));
    EXPECT_FALSE(h.Atras(-1));
    EXPECT_FALSE(h.Adelante(7));
    EXPECT_TRUE(h.Palabras(6).isEmpty());
}

TEST(Historial, ANewWordAfterGoingBackDropsTheWordsAheadAndTheWordShownIsNotWrittenTwice) {
    Historial h;
    for (const char* p : {"a", "b", "c"})
        h.Anotar(0, p);
    h.Atras(0);
    h.Atras(0);
    h.Anotar(0, "a"); // the word shown, looked up again: nothing changes
    EXPECT_EQ(h.Palabras(0), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(h.Adelante(0), "b");
    h.Anotar(0, "d");
    EXPECT_EQ(h.Palabras(0), (QStringList{"a", "b", "d"}));
    EXPECT_FALSE(h.Adelante(0));
    h.Anotar(0, "d");
    h.Anotar(0, "");
    EXPECT_EQ(h.Palabras(0), (QStringList{"a", "b", "d"}));
}

TEST(Historial, KeepsTheNewestWordsUpToItsBound) {
    Historial h;
    for (int i = 0; i < Historial::kMaximo + 5; ++i)
        h.Anotar(3, QString::number(i));
    const QStringList p = h.Palabras(3);
    ASSERT_EQ(p.size(), Historial::kMaximo);
    EXPECT_EQ(p.first(), "5");
    EXPECT_EQ(p.last(), QString::number(Historial::kMaximo + 4));
    int pasos = 0;
    while (h.Atras(3))
        ++pasos;
    EXPECT_EQ(pasos, Historial::kMaximo - 1);
    EXPECT_EQ(h.Actual(3), "5");
}

TEST(Historial, TheViewLeftBehindIsTakenOnceAndAnEmptyOneIsNone) {
    historial::Olvidar();
    historial::Dejar({1, "bank", true});
    const auto v = historial::TomarVista();
    ASSERT_TRUE(v);
    EXPECT_EQ(v->direccion, 1);
    EXPECT_EQ(v->palabra, "bank");
    EXPECT_TRUE(v->enHistorial);
    EXPECT_FALSE(historial::TomarVista());
    historial::Dejar({1, "bank", true});
    historial::Dejar({0, "", false});
    EXPECT_FALSE(historial::TomarVista()) << "a window left empty has nothing to show again";
    historial::Dejar({9, "casa", true});
    EXPECT_FALSE(historial::TomarVista());
    historial::Actual().Anotar(0, "casa");
    historial::Olvidar();
    EXPECT_FALSE(historial::Actual().Actual(0));
}

namespace {

class HistorialVentana : public VentanasPrueba {
protected:
    void SetUp() override {
        VentanasPrueba::SetUp();
        w = AbrirActiva<frmPrincipal>(4500, 3000);
    }
    void LlenarDiccionario() override {
        esquema::Fila casa = Fila("casa", "house", "n", "f", "s");
        casa.pronunciacion = true;
        db.Insert(0, {casa, Fila("perro", "dog", "n", "m", "s"), Fila("gato", "cat", "n", "m", "s"),
                      Fila("árbol", "tree", "n", "m", "s")});
        esquema::Fila bank = Fila("bank", "banco", "n", "", "s");
        bank.acepcion1 = QString("orilla");
        bank.acepcion2 = QString("");
        db.Insert(1, {bank, Fila("dog", "perro", "n", "", "s")});
    }
    void Enter(const QString& palabra) {
        w->txtPalabra->setText(palabra);
        QTest::keyClick(w->txtPalabra, Qt::Key_Return);
    }
    // The word box and the entry on show.
    QStringList Vista() const {
        return {w->txtPalabra->text(), w->lblTraduccion->text(), w->lblTipo->text(), w->lblGenero->text()};
    }

    frmPrincipal* w = nullptr;
};

} // namespace

TEST_F(HistorialVentana, AltLeftAndAltRightGoBackAndForwardThroughTheWordsFound) {
    Enter("casa");
    Enter("perro");
    Enter("arbol"); // found as "árbol": written down as the box shows it
    Enter("xyz");   // not found: not written down
    EXPECT_EQ(historial::Actual().Palabras(0), (QStringList{"casa", "perro", QString::fromUtf8("árbol")}));

    // Back from a word not found is the last word found, then the one before it.
    Tecla(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Vista(), (QStringList{QString::fromUtf8("árbol"), "tree", "Sustantivo", "Masculino"}));
    Tecla(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Vista(), (QStringList{"perro", "dog", "Sustantivo", "Masculino"}));
    EXPECT_EQ(w->txtPalabra->selectedText(), "perro") << "the next word typed replaces it";
    Tecla(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Vista(), (QStringList{"casa", "house", "Sustantivo", "Femenino"}));
    EXPECT_TRUE(w->lblOpciones(2)->isVisibleTo(w)) << "the entry comes back whole, its recording too";
    Tecla(Qt::Key_Left, Qt::AltModifier); // nothing before the first
    EXPECT_EQ(Vista()[0], "casa");
    Tecla(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(Vista(), (QStringList{"perro", "dog", "Sustantivo", "Masculino"}));

    // A new word from there drops the ones ahead.
    Enter("gato");
    Tecla(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(Vista()[1], "cat");
    EXPECT_EQ(historial::Actual().Palabras(0), (QStringList{"casa", "perro", "gato"}));
    Tecla(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Vista()[1], "dog");
}

TEST_F(HistorialVentana, TheMouseSideButtonsGoBackAndForwardWhereverThePointerIs) {
    Enter("casa");
    Enter("perro");
    // Over the word box, the result and the background alike.
    QTest::mouseClick(w->txtPalabra, Qt::BackButton);
    EXPECT_EQ(Vista()[1], "house");
    QTest::mouseClick(w->lblTraduccion, Qt::ForwardButton);
    EXPECT_EQ(Vista()[1], "dog");
    QTest::mouseClick(w->imgFondo, Qt::BackButton);
    EXPECT_EQ(Vista()[1], "house");
    // A quick second press reaches the window as a double click: one more step.
    QTest::mouseClick(w->imgFondo, Qt::ForwardButton);
    Enter("gato");
    QTest::mouseClick(w->imgFondo, Qt::BackButton);
    EXPECT_EQ(Vista()[1], "dog");
    QTest::mouseDClick(w->imgFondo, Qt::BackButton);
    EXPECT_EQ(Vista()[1], "house");
}

TEST_F(HistorialVentana, EachDirectionGoesBackThroughItsOwnWords) {
    Enter("casa");
    Enter("perro");
    QTest::keyClick(w->txtPalabra, Qt::Key_2, Qt::ControlModifier); // Inglés / Español
    ASSERT_EQ(DiccionarioActual, 1);
    EXPECT_EQ(Vista()[0], "") << "a direction chosen starts empty";
    Tecla(Qt::Key_Left, Qt::AltModifier); // nothing found in this direction yet
    EXPECT_EQ(Vista(), (QStringList{"", "", "", ""}));
    Enter("bank");
    Enter("dog");
    Tecla(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Vista()[1], "banco");
    QTest::keyClick(w->txtPalabra, Qt::Key_1, Qt::ControlModifier);
    // Back from the emptied window shows the direction's word it stood at, then the one before.
    Tecla(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Vista()[1], "dog");
    Tecla(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Vista()[1], "house");
    QTest::keyClick(w->txtPalabra, Qt::Key_2, Qt::ControlModifier);
    Tecla(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Vista()[1], "banco") << "the other direction kept its place";
    Tecla(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(Vista()[1], "perro");
}

TEST_F(HistorialVentana, TheWordAndItsEntryAreThereAgainAfterAVisitToTheTranslatorAndTheNotes) {
    Enter("casa");
    Enter("perro");
    ASSERT_EQ(Vista(), (QStringList{"perro", "dog", "Sustantivo", "Masculino"}));
    w->pctBoton_Click(1);
    auto* t = Actual<frmTraductor>();
    ASSERT_NE(t, nullptr);
    t->pctBoton_Click(2);
    auto* n = Actual<frmPropiedades>();
    ASSERT_NE(n, nullptr);
    n->pctBoton_Click(3);
    w = Actual<frmPrincipal>();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(Vista(), (QStringList{"perro", "dog", "Sustantivo", "Masculino"}));
    EXPECT_EQ(w->txtPalabra->selectedText(), "perro");
    EXPECT_EQ((std::pair{w->Left(), w->Top()}), (std::pair{4500, 3000}));
    // The history came along: back is the word before.
    Activar(w);
    Tecla(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Vista()[1], "house");
    // Left on a word found by going back, the window comes back on that word, with the history
    // still standing there.
    w->pctBoton_Click(1);
    Actual<frmTraductor>()->pctBoton_Click(3);
    w = Actual<frmPrincipal>();
    EXPECT_EQ(Vista()[1], "house");
    Activar(w);
    Tecla(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(Vista()[1], "dog");
}

TEST_F(HistorialVentana, AWordNotFoundComesBackNotFoundWithoutTheGuideReactingAgain) {
    auto guia = ConGuia();
    Enter("casa");
    Enter("xyz");
    guia->Clear();
    w->pctBoton_Click(1);
    Actual<frmTraductor>()->pctBoton_Click(3);
    w = Actual<frmPrincipal>();
    EXPECT_EQ(Vista(), (QStringList{"xyz", "<Palabra no encontrada>", "", ""}));
    for (const QString& r : guia->Log())
        EXPECT_FALSE(r.startsWith("Play Decline") || r.startsWith("Play Sad") ||
                     r.startsWith("Play Suggest") || r.startsWith("Play Idle1_4"))
            << r.toStdString();
    Activar(w);
    Tecla(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Vista()[1], "house");
}

TEST_F(HistorialVentana, ADirectionChangedInTheTranslatorOpensTheWindowEmptyInIt) {
    Enter("casa");
    w->pctBoton_Click(1);
    auto* t = Actual<frmTraductor>();
    t->ElegirDireccion(1);
    t->pctBoton_Click(3);
    w = Actual<frmPrincipal>();
    EXPECT_EQ(DiccionarioActual, 1);
    EXPECT_EQ(Vista(), (QStringList{"", "", "", ""}));
    // A word the translator sent the reader to see wins over the one left here.
    w->pctBoton_Click(1);
    Actual<frmTraductor>()->VerEnDiccionario(0, "perro");
    w = Actual<frmPrincipal>();
    EXPECT_EQ(Vista()[1], "dog");
    EXPECT_EQ(historial::Actual().Palabras(0), (QStringList{"casa", "perro"}));
}
