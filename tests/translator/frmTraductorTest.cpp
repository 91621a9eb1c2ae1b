#include "translator/frmTraductor.h"
#include "VentanasPrueba.h"
#include "dictionary_data/BaseDatos.h"
#include "dictionary_window/frmPrincipal.h"
#include "guide/MSAgent.h"
#include "notes/frmPropiedades.h"
#include "platform/Screen.h"

#include "translator/PanelPalabra.h"
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class TranslatorWindow : public VentanasPrueba {
protected:
    void SetUp() override {
        VentanasPrueba::SetUp();
        w = Abrir<frmTraductor>(4500, 3000);
    }
    void LlenarDiccionario() override {
        db.Insert(0, {Fila("La", "The"), Fila("casa", "house"), Fila("casa", "home"), Fila("roja", "red")});
        db.Insert(1, {Fila("house", "casa")});
    }
    QString Traducir(const QString& texto) {
        w->txtTexto->setPlainText(texto);
        w->lblOpciones_Click(3);
        return w->txtTraduccion->toPlainText();
    }
    frmTraductor* w = nullptr;
};

} // namespace

TEST_F(TranslatorWindow, TranslatesWithTheCurrentDirectionsTableFirstRowFirst) {
    EXPECT_EQ(Traducir("La casa, roja.\nxyz"), "The house, red.\n<xyz>");
    EXPECT_EQ(TablaActual, "EspIng");
    EXPECT_EQ(Traducir("La casa, roja.\nxyz"), "The house, red.\n<xyz>"); // twice, the same
    EXPECT_EQ(Screen::MousePointer(), Screen::vbDefault);
    EXPECT_FALSE(w->rsTraduccion);
    DiccionarioActual = 1;
    EXPECT_EQ(Traducir("house casa"), "casa <casa>");
    EXPECT_EQ(TablaActual, "IngEsp");
    EXPECT_EQ(Traducir(""), "");
}

TEST_F(TranslatorWindow, AnEmptyTableBracketsEveryWordAndAMissingOneIsReported) {
    DiccionarioActual = 2; // EspPor holds no rows
    EXPECT_EQ(Traducir("casa roja"), "<casa> <roja>");
    db.Execute("DROP TABLE EspFra");
    DiccionarioActual = 4;
    EXPECT_TRUE(Traducir("casa").startsWith("No se pudo traducir el texto"));
    EXPECT_EQ(Screen::MousePointer(), Screen::vbDefault);
}

TEST_F(TranslatorWindow, TheOutputBoxDescribesUnknownWordsAsTheyAreShown) {
    // A screen-reader user is told how a word the dictionary lacks looks in the output: the
    // example in the description must be what the translator really writes.
    DiccionarioActual = 2; // EspPor holds no rows
    const QString marca = Traducir("palabra");
    EXPECT_EQ(marca, "<palabra>");
    EXPECT_TRUE(w->txtTraduccion->accessibleDescription().contains(marca))
        << w->txtTraduccion->accessibleDescription().toStdString();
    EXPECT_FALSE(w->txtTraduccion->accessibleDescription().contains("corchetes"));
}

TEST_F(TranslatorWindow, CopyTakesTheSelectionOfTheFocusedBoxPasteReplacesOrInserts) {
    w->txtTexto->setPlainText("una casa roja");
    w->txtTexto->setFocus();
    QTextCursor c = w->txtTexto->textCursor();
    c.setPosition(4);
    c.setPosition(8, QTextCursor::KeepAnchor);
    w->txtTexto->setTextCursor(c);
    auto& portapapeles = *entorno.portapapeles;
    w->lblOpciones_Click(1);
    EXPECT_EQ(portapapeles.texto, "casa");

    c.setPosition(0);
    w->txtTexto->setTextCursor(c);
    w->lblOpciones_Click(1);
    // Nothing selected and no translation: what the clipboard held stays.
    EXPECT_EQ(portapapeles.texto, "casa");
    EXPECT_EQ(portapapeles.escrituras, 1);

    portapapeles.texto = "vieja ";
    c.setPosition(4);
    w->txtTexto->setTextCursor(c);
    w->lblOpciones_Click(4);
    EXPECT_EQ(w->txtTexto->toPlainText(), "una vieja casa roja");
    c.setPosition(0);
    c.setPosition(3, QTextCursor::KeepAnchor);
    w->txtTexto->setTextCursor(c);
    w->lblOpciones_Click(4);
    EXPECT_EQ(w->txtTexto->toPlainText(), "vieja  vieja casa roja");
    EXPECT_EQ(portapapeles.esperaPedida, clipboard::kWait);
    EXPECT_TRUE(entorno.avisos->textos.filter("portapapeles").isEmpty());
    // Every option starts with the click.
    EXPECT_EQ(entorno.sonidos->rutas.filter("CLICK.WAV").size(), 4);
}

TEST_F(TranslatorWindow, CopyWithNothingSelectedTakesTheWholeTranslationInEitherBox) {
    auto& portapapeles = *entorno.portapapeles;
    portapapeles.texto = "lo que el lector tenía";
    EXPECT_EQ(Traducir("La casa,\nroja"), "The house,\nred");
    for (QPlainTextEdit* caja : {w->txtTexto, w->txtTraduccion}) {
        portapapeles.texto = "lo que el lector tenía";
        caja->setFocus();
        caja->moveCursor(QTextCursor::End);
        w->lblOpciones_Click(1);
        EXPECT_EQ(portapapeles.texto, "The house,\nred") << caja->objectName().toStdString();
    }
    // A selection still wins over the whole.
    w->txtTraduccion->setFocus();
    QTextCursor c = w->txtTraduccion->textCursor();
    c.setPosition(4);
    c.setPosition(9, QTextCursor::KeepAnchor);
    w->txtTraduccion->setTextCursor(c);
    w->lblOpciones_Click(1);
    EXPECT_EQ(portapapeles.texto, "house");
}

TEST_F(TranslatorWindow, CopyOfAMultiLineSelectionGivesLineBreaksNotParagraphMarks) {
    w->txtTexto->setPlainText("una\ncasa");
    w->txtTexto->setFocus();
    w->txtTexto->selectAll();
    w->lblOpciones_Click(1);
    EXPECT_EQ(entorno.portapapeles->texto, "una\ncasa");
}

TEST_F(TranslatorWindow, PasteFromAClipboardOwnerThatDoesNotAnswerChangesNothingAndSaysWhy) {
    w->txtTexto->setPlainText("una ");
    w->txtTexto->setFocus();
    w->txtTexto->moveCursor(QTextCursor::End);
    entorno.avisos->textos.clear();
    entorno.portapapeles->texto = "casa";
    entorno.portapapeles->mudo = true;
    w->lblOpciones_Click(4);
    EXPECT_EQ(w->txtTexto->toPlainText(), "una ");
    ASSERT_EQ(entorno.avisos->textos.size(), 1);
    EXPECT_TRUE(entorno.avisos->textos[0].contains("no respondió"))
        << entorno.avisos->textos[0].toStdString();
}

TEST_F(TranslatorWindow, CloseShowsTheDictionaryWindowWhereTheTranslatorWas) {
    w->lblOpciones_Click(2);
    w = nullptr;
    auto* p = Forms::Find<frmPrincipal>();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Left(), 4500);
    EXPECT_EQ(p->Top(), 3000);
    EXPECT_EQ(Forms::Find<frmTraductor>(), nullptr);
    const QStringList sonidos = entorno.sonidos->rutas;
    EXPECT_TRUE(sonidos.first().endsWith("CLICK.WAV"));
    EXPECT_TRUE(sonidos.last().endsWith("SALIR.WAV"));
}

TEST_F(TranslatorWindow, ArrowButtonsMoveTheCaretOfTheirOwnBoxAndLeaveTheFocusThere) {
    w->txtTraduccion->setPlainText("uno\ndos\ntres");
    w->txtTexto->setPlainText("a\nb");
    w->txtTexto->setFocus();
    QTextCursor c = w->txtTraduccion->textCursor();
    c.setPosition(0);
    w->txtTraduccion->setTextCursor(c);
    w->pctBoton_Click(7);
    EXPECT_EQ(w->txtTraduccion->textCursor().blockNumber(), 1);
    EXPECT_EQ(w->focusWidget(), w->txtTraduccion);
    w->pctBoton_Click(6);
    EXPECT_EQ(w->txtTraduccion->textCursor().blockNumber(), 0);
    // Tab goes from one box to the other.
    w->txtTexto->setFocus();
    QTest::keyClick(w->txtTexto, Qt::Key_Tab);
    EXPECT_EQ(w->focusWidget(), w->txtTraduccion);
    EXPECT_EQ(w->txtTexto->toPlainText(), "a\nb");
    // Enter in the input box is a new line, never a translation.
    w->txtTexto->setFocus();
    w->txtTexto->moveCursor(QTextCursor::End);
    QTest::keyClick(w->txtTexto, Qt::Key_Return);
    EXPECT_EQ(w->txtTexto->toPlainText(), "a\nb\n");
    EXPECT_EQ(w->txtTraduccion->toPlainText(), "uno\ndos\ntres");
}

// ---- Modes, direction, and what stays across visits ------------------------------------------

namespace {

// Waits for the window's sentence translation to come back (it runs on another thread).
bool EsperarFrases(frmTraductor* w) {
    return QTest::qWaitFor([w] { return !w->frases->Ocupado(); }, 20000);
}

frmTraductor* VolverAlTraductor() {
    auto* p = Forms::Find<frmPrincipal>();
    if (!p) return nullptr;
    p->pctBoton_Click(1);
    return Forms::Find<frmTraductor>();
}

} // namespace

TEST_F(TranslatorWindow, WordByWordUntilTheReaderChoosesAndTheChoiceIsKeptForTheNextRun) {
    EXPECT_EQ(w->Modo(), traductor::Modo::PalabraPorPalabra);
    w->lblOpciones_Click(6);
    EXPECT_EQ(w->Modo(), traductor::Modo::FrasesCompletas);
    EXPECT_EQ(entorno.ajustes->valores.value("Traductor/Modo"), "frases");
    EXPECT_TRUE(entorno.sonidos->rutas.last().endsWith("CLICK.WAV"));
    // A new run reads the store: the fixture's reset forgets this run's choice.
    traductor::Olvidar();
    w->lblOpciones_Click(2);
    w = VolverAlTraductor();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Modo(), traductor::Modo::FrasesCompletas);
    w->lblOpciones_Click(5);
    EXPECT_EQ(entorno.ajustes->valores.value("Traductor/Modo"), "palabras");
    EXPECT_EQ(Traducir("La casa"), "The house");
}

TEST_F(TranslatorWindow, AModeThatCannotBeSavedHoldsForTheRunAndTheReaderIsTold) {
    entorno.ajustes->soloLectura = true;
    w->lblOpciones_Click(6);
    const QStringList sobreElModo = entorno.avisos->textos.filter("modo de traducción");
    ASSERT_EQ(sobreElModo.size(), 1);
    EXPECT_TRUE(sobreElModo[0].contains("/prueba/ajustes/Palavrix.conf"));
    w->lblOpciones_Click(2);
    w = VolverAlTraductor();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Modo(), traductor::Modo::FrasesCompletas);
}

TEST_F(TranslatorWindow, WithoutThePipelineSentenceModeSaysSoInOneLineAndWordByWordStillWorks) {
    // The test's program folder has no Morfologia folder at all.
    w->lblOpciones_Click(6);
    w->txtTexto->setPlainText("La casa roja");
    w->lblOpciones_Click(3);
    ASSERT_TRUE(EsperarFrases(w));
    const QString mensaje = w->txtTraduccion->toPlainText();
    EXPECT_TRUE(mensaje.contains("traducción por frases")) << mensaje.toStdString();
    EXPECT_FALSE(mensaje.contains('\n'));
    EXPECT_EQ(w->txtTexto->toPlainText(), "La casa roja");
    // Choosing word by word translates what is on the screen again, in that mode.
    w->lblOpciones_Click(5);
    EXPECT_EQ(w->txtTraduccion->toPlainText(), "The house red");
}

TEST_F(TranslatorWindow, TheDirectionIsShownAndChangedInPlaceKeepingTheText) {
    EXPECT_EQ(w->lblOpciones(7)->text(), QString::fromUtf8("Español → Inglés ▾"));
    EXPECT_EQ(Traducir("casa house"), "house <house>");
    // The pill opens the six directions; the second is English to Spanish.
    QStringList vistas;
    QTimer::singleShot(0, [&vistas, this] {
        auto* menu = w->findChild<QMenu*>("mnuDirecciones");
        ASSERT_NE(menu, nullptr);
        for (QAction* a : menu->actions())
            vistas << a->text() + (a->isChecked() ? "*" : "");
        menu->actions().at(1)->trigger();
        menu->close();
    });
    w->lblOpciones_Click(7);
    EXPECT_EQ(vistas,
              QStringList({QString::fromUtf8("Español → Inglés*"), QString::fromUtf8("Inglés → Español"),
                           QString::fromUtf8("Español → Portugués"), QString::fromUtf8("Portugués → Español"),
                           QString::fromUtf8("Español → Francés"), QString::fromUtf8("Francés → Español")}));
    EXPECT_EQ(DiccionarioActual, 1);
    EXPECT_EQ(w->lblOpciones(7)->text(), QString::fromUtf8("Inglés → Español ▾"));
    EXPECT_EQ(w->txtTexto->toPlainText(), "casa house");
    // The translation on the screen was made again in the new direction.
    EXPECT_EQ(w->txtTraduccion->toPlainText(), "<casa> casa");
    // The dictionary window opens on the direction chosen here.
    w->pctBoton_Click(3);
    auto* p = Forms::Find<frmPrincipal>();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(DiccionarioActual, 1);
}

TEST_F(TranslatorWindow, TheTextAndItsTranslationSurviveAVisitToTheOtherWindows) {
    EXPECT_EQ(Traducir("La casa roja"), "The house red");
    w->pctBoton_Click(2); // the notes
    w = nullptr;
    ASSERT_EQ(Forms::Find<frmTraductor>(), nullptr);
    // From the notes to the dictionary, then back to the translator.
    auto* notas = Forms::Find<frmPropiedades>();
    ASSERT_NE(notas, nullptr);
    notas->IrA(Destino::Diccionario);
    w = VolverAlTraductor();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->txtTexto->toPlainText(), "La casa roja");
    EXPECT_EQ(w->txtTraduccion->toPlainText(), "The house red");
}

// ---- The word panel over the boxes ---------------------------------------------------------

namespace {

// The point of a box's viewport over the middle of the first letter of `palabra`.
QPoint SobrePalabra(QPlainTextEdit* caja, const QString& palabra) {
    QTextCursor c(caja->document());
    c.setPosition(static_cast<int>(caja->toPlainText().indexOf(palabra)));
    return caja->cursorRect(c).center() + QPoint(3, 0);
}

} // namespace

TEST_F(TranslatorWindow, APointerRestingOnAWordOfTheTextShowsItsEntryAndTypingHidesIt) {
    w->txtTexto->setPlainText("La casa roja");
    QTest::mouseMove(w->txtTexto->viewport(), SobrePalabra(w->txtTexto, "casa"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return w->panelPalabra->isVisible(); }, 5000));
    EXPECT_EQ(w->panelPalabra->PalabraActual(), "casa");
    EXPECT_EQ(w->panelPalabra->DireccionActual(), 0);
    EXPECT_EQ(w->panelPalabra->lblTraduccion->text(), "house");
    // The reader goes on typing: the entry no longer stands beside its word.
    QTest::keyClicks(w->txtTexto, " x");
    EXPECT_FALSE(w->panelPalabra->isVisible());
}

TEST_F(TranslatorWindow, AClickOnAWordOfTheTranslationLooksItUpTheOtherWayAndLeadsToTheDictionary) {
    Traducir("La casa");
    QTest::mouseClick(w->txtTraduccion->viewport(), Qt::LeftButton, {},
                      SobrePalabra(w->txtTraduccion, "house"));
    ASSERT_TRUE(w->panelPalabra->isVisible());
    EXPECT_EQ(w->panelPalabra->PalabraActual(), "house");
    EXPECT_EQ(w->panelPalabra->DireccionActual(), 1);
    EXPECT_EQ(w->panelPalabra->lblTraduccion->text(), "casa");
    // Word by word there is no source to light.
    EXPECT_TRUE(w->txtTexto->extraSelections().isEmpty());
    QTest::mouseClick(w->panelPalabra->cmdVerEnDiccionario, Qt::LeftButton);
    w = nullptr;
    auto* p = Forms::Find<frmPrincipal>();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(DiccionarioActual, 1);
    EXPECT_EQ(p->txtPalabra->text(), "house");
    EXPECT_EQ(p->lblTraduccion->text(), "casa");
}
