#include "translator/frmTraductor.h"
#include "VentanasPrueba.h"
#include "dictionary_data/BaseDatos.h"
#include "dictionary_window/frmPrincipal.h"
#include "guide/MSAgent.h"
#include "platform/Screen.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
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
    EXPECT_EQ(portapapeles.texto, ""); // nothing selected: empty text
    EXPECT_EQ(portapapeles.escrituras, 2);

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
