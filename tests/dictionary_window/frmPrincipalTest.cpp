#include "dictionary_window/frmPrincipal.h"
#include "VentanasPrueba.h"
#include "dictionary_data/BaseDatos.h"
#include "dictionary_window/TiraSugerencias.h"
#include "guide/MSAgent.h"
#include "platform/Screen.h"
#include "platform/SimpleCombo.h"

#include <QAccessible>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

esquema::Fila fila(const QString& p, const QString& t, const QString& tipo, const QString& gen,
                   const QString& num, const QString& tipoT, const QString& genT, const QString& numT) {
    esquema::Fila f = Fila(p, t, tipo, gen, num);
    f.tipoT = tipoT;
    f.generoT = genT;
    f.numeroT = numT;
    return f;
}

esquema::Fila conAcepciones(const QString& p, const QString& t, const QVariant& a1, const QVariant& a2) {
    esquema::Fila f = fila(p, t, "n", "", "s", "n", "f", "s");
    f.acepcion1 = a1;
    f.acepcion2 = a2;
    return f;
}

class DictionaryWindow : public VentanasPrueba {
protected:
    void SetUp() override {
        VentanasPrueba::SetUp();
        w = new frmPrincipal;
        w->Load();
        w->show();
    }
    void LlenarDiccionario() override {
        esquema::Fila casa = fila("casa", "house", "n", "f", "s", "n", "", "s");
        casa.pronunciacion = true;
        esquema::Fila perro = fila("perro", "dog", "n", "m", "s", "n", "", "s");
        esquema::Fila raro = fila("raro", "odd", "N", "f ", "x", "aj", "", "");
        db.Insert(0, {casa, fila("casa", "home", "n", "f", "s", "n", "", "s"), perro, raro,
                      fila("árbol", "tree", "n", "m", "s", "n", "", "s"),
                      fila("abeja", "bee", "n", "f", "s", "n", "", "s"),
                      fila("arbolado", "woodland", "n", "m", "s", "n", "", "s")});
        db.Insert(1, {conAcepciones("house", "casa", "cámara", ""),
                      conAcepciones("bank", "banco", "orilla", "ribera"),
                      conAcepciones("cat", "gato", QVariant(), QVariant())});
        db.Insert(2, {fila("casa", "casa", "n", "f", "s", "n", "f", "s")});
    }
    void Enter(const QString& palabra) {
        w->txtPalabra->setText(palabra);
        QTest::keyClick(w->txtPalabra, Qt::Key_Return);
    }
    QStringList Etiquetas() const {
        QStringList out;
        for (auto* l : {w->lblTipo, w->lblGenero, w->lblNumero, w->lblTraduccion, w->lblTipoT, w->lblGeneroT,
                        w->lblNumeroT})
            out << l->text();
        return out;
    }
    bool Visible(QWidget* x) const { return !x->isHidden(); }

    frmPrincipal* w = nullptr;
};

} // namespace

TEST_F(DictionaryWindow, EnterLooksTheWordUpAsTypedAndSelectsItForTheNext) {
    Enter("CASA");
    EXPECT_EQ(Etiquetas(),
              (QStringList{"Sustantivo", "Femenino", "Singular", "house", "Sustantivo", "", "Singular"}));
    EXPECT_EQ(w->lblTraduccion->ForeColor(), controls::vbWhite);
    EXPECT_EQ(w->txtPalabra->selectedText(), "CASA");
    EXPECT_EQ(w->txtPalabra->text(), "CASA"); // the key typed no character
    EXPECT_EQ(Screen::MousePointer(), Screen::vbDefault);
    // A word with spaces is looked up as it stands: no trimming.
    Enter(" casa");
    EXPECT_EQ(w->lblTraduccion->text(), "<Palabra no encontrada>");
}

TEST_F(DictionaryWindow, ANotFoundWordClearsTheEntryInRedAndTheNextFoundWordIsWhiteAgain) {
    Enter("casa");
    Enter("xyz");
    EXPECT_EQ(Etiquetas(), (QStringList{"", "", "", "<Palabra no encontrada>", "", "", ""}));
    EXPECT_EQ(w->lblTraduccion->ForeColor(), controls::vbRed);
    EXPECT_FALSE(Visible(w->lblOpciones(2)));
    EXPECT_FALSE(Visible(w->imgPronun));
    Enter("");
    EXPECT_EQ(w->lblTraduccion->text(), "<Palabra no encontrada>");
    Enter("perro");
    EXPECT_EQ(Etiquetas(),
              (QStringList{"Sustantivo", "Masculino", "Singular", "dog", "Sustantivo", "", "Singular"}));
    EXPECT_EQ(w->lblTraduccion->ForeColor(), controls::vbWhite);
}

TEST_F(DictionaryWindow, CodesOutsideTheTablesLeaveOnlyTheirOwnLabelEmpty) {
    Enter("raro");
    EXPECT_EQ(Etiquetas(), (QStringList{"", "", "", "odd", "Adjetivo", "", ""}));
}

TEST_F(DictionaryWindow, PronunciationOptionFollowsTheRecordingFlagInSpanishToEnglish) {
    Enter("casa");
    EXPECT_TRUE(Visible(w->lblOpciones(2)));
    EXPECT_TRUE(Visible(w->imgPronun));
    Enter("perro");
    EXPECT_FALSE(Visible(w->lblOpciones(2)));
    EXPECT_FALSE(Visible(w->imgPronun));
    // The option plays the recording named after the translation on show.
    Enter("casa");
    w->lblOpciones_Click(2);
    ASSERT_GE(entorno.sonidos->rutas.size(), 2);
    EXPECT_TRUE(entorno.sonidos->rutas.last().endsWith("Palavrix/PRONUN/h/house"));
    EXPECT_TRUE(entorno.sonidos->rutas[entorno.sonidos->rutas.size() - 2].endsWith("SONIDOS/CLICK.WAV"));
}

TEST_F(DictionaryWindow, FurtherMeaningsShowForWordsThatHaveThemAndStaleTextsStay) {
    w->lblDiccionarios_Click(1);
    Enter("bank");
    EXPECT_TRUE(Visible(w->pctAcepciones));
    EXPECT_EQ(w->lblAcepcion1->text(), "orilla");
    EXPECT_EQ(w->lblAcepcion2->text(), "ribera");
    Enter("cat"); // Acepcion1 is Null
    EXPECT_FALSE(Visible(w->pctAcepciones));
    EXPECT_EQ(w->lblAcepcion1->text(), "orilla");
    EXPECT_EQ(w->lblAcepcion2->text(), "ribera");

    Enter("house");
    w->lblOpciones_Click(1);
    EXPECT_TRUE(Visible(w->pctContAcep));
    EXPECT_EQ(w->pctContAcep->pos(), QPoint(336, 233));
    EXPECT_EQ(w->lblTraduccionAcep->text(), "casa");
    EXPECT_EQ(w->lblAcepcion1->text(), "cámara");
    Enter("house"); // any lookup closes the panel
    EXPECT_FALSE(Visible(w->pctContAcep));
    w->lblOpciones_Click(1);
    w->pctBoton_Click(3);
    EXPECT_FALSE(Visible(w->pctContAcep));
}

TEST_F(DictionaryWindow, DirectionMenuRefillsTheListOnlyForANewDirection) {
    w->pctBoton_Click(4);
    EXPECT_TRUE(Visible(w->cboLista));
    EXPECT_TRUE(w->ListaCargada);
    EXPECT_EQ(w->cboLista->ListCount(), 6);
    EXPECT_EQ(TablaActual, "EspIng");

    // The same direction: pictures and result cleared, the list closed but kept.
    db.Insert(0, {fila("zorro", "fox", "n", "m", "s", "n", "", "s")});
    w->lblDiccionarios_Click(0);
    EXPECT_FALSE(Visible(w->cboLista));
    EXPECT_TRUE(w->ListaCargada);
    w->pctBoton_Click(4);
    EXPECT_EQ(w->cboLista->ListCount(), 6); // no query: the new word is not there

    w->lblDiccionarios_Click(1);
    EXPECT_FALSE(Visible(w->cboLista));
    EXPECT_FALSE(w->ListaCargada);
    EXPECT_EQ(w->lblTPalabra->text(), "Inglés");
    EXPECT_EQ(w->lblTTraduccion->text(), "Español");
    EXPECT_EQ(w->ConsultaActual, "qryBuscarIngEsp");
    w->pctBoton_Click(4);
    EXPECT_EQ(w->cboLista->ListCount(), 3);
    EXPECT_EQ(w->cboLista->List(0), "bank");
    EXPECT_EQ(TablaActual, "IngEsp");
}

TEST_F(DictionaryWindow, ListClickCopiesDoubleClickLooksUpAndClosesEnterLooksUpAndStays) {
    w->pctBoton_Click(4);
    const int perro = w->cboLista->FindPrefix("perro");
    ASSERT_GE(perro, 0);
    QListView* view = w->cboLista->View();
    view->scrollTo(view->model()->index(perro, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(perro, 0)).center());
    EXPECT_EQ(w->txtPalabra->text(), "perro");
    EXPECT_EQ(w->lblTraduccion->text(), ""); // nothing looked up

    w->cboLista->SetText("casa");
    QTest::keyClick(w->cboLista->Edit(), Qt::Key_Return);
    EXPECT_EQ(w->txtPalabra->text(), "casa");
    EXPECT_EQ(w->lblTraduccion->text(), "house");
    EXPECT_TRUE(Visible(w->cboLista));

    w->cboLista->SetText("perro");
    w->cboLista_DblClick();
    EXPECT_EQ(w->lblTraduccion->text(), "dog");
    EXPECT_FALSE(Visible(w->cboLista));
    EXPECT_EQ(w->txtPalabra->selectedText(), "perro");
}

TEST_F(DictionaryWindow, TypingInTheListHighlightsTheFirstMatchIgnoringAccents) {
    w->pctBoton_Click(4);
    QTest::keyClicks(w->cboLista->Edit(), "arbol");
    ASSERT_GE(w->cboLista->ListIndex(), 0);
    EXPECT_EQ(w->cboLista->List(w->cboLista->ListIndex()), "árbol");
    EXPECT_EQ(w->cboLista->Text(), "arbol"); // what was typed stays
    QTest::keyClick(w->cboLista->Edit(), Qt::Key_Return);
    // Enter looks up the typed text, which is the one headword spelt so without its accent.
    EXPECT_EQ(w->lblTraduccion->text(), "tree");
    EXPECT_EQ(w->txtPalabra->text(), "árbol");
    QTest::keyClick(w->cboLista->Edit(), Qt::Key_Down);
    EXPECT_EQ(w->txtPalabra->text(), "arbolado");
}

TEST_F(DictionaryWindow, TheListsSearchLineIsSelectedOnReopeningAndTheWordBoxFollowsTyping) {
    w->pctBoton_Click(4);
    QTest::keyClicks(w->cboLista->Edit(), "cas");
    EXPECT_EQ(w->txtPalabra->text(), "casa"); // in step with the highlight, as after a click
    w->pctBoton_Click(5);
    ASSERT_FALSE(Visible(w->cboLista));
    w->pctBoton_Click(4);
    EXPECT_EQ(w->cboLista->Edit()->selectedText(), "cas");
    QTest::keyClicks(w->cboLista->Edit(), "arb"); // replaces the old search, never "casarb"
    EXPECT_EQ(w->cboLista->Text(), "arb");
    EXPECT_EQ(w->cboLista->List(w->cboLista->ListIndex()), "árbol");
    EXPECT_EQ(w->txtPalabra->text(), "árbol");
    // Tab from the word box to the list: what is typed there moves both.
    w->pctBoton_Click(5);
    w->pctBoton_Click(4);
    w->txtPalabra->setFocus();
    QTest::keyClick(w->txtPalabra, Qt::Key_Tab);
    ASSERT_EQ(w->focusWidget(), w->cboLista->Edit());
    QTest::keyClicks(w->focusWidget(), "per");
    EXPECT_EQ(w->txtPalabra->text(), "perro");
    // In the list itself a letter jumps and chooses, as the arrows do.
    QTest::keyClicks(w->cboLista->View(), "r");
    QCoreApplication::processEvents();
    EXPECT_EQ(w->cboLista->List(w->cboLista->ListIndex()), "raro");
    EXPECT_EQ(w->txtPalabra->text(), "raro");
}

TEST_F(DictionaryWindow, AWordTypedWithoutItsAccentsShowsTheOnlyHeadwordSpeltSoAndPutsItInTheBox) {
    for (const char* tecleada : {"arbol", "ARBOL", "arból"}) {
        Enter(QString::fromUtf8(tecleada));
        EXPECT_EQ(w->lblTraduccion->text(), "tree") << tecleada;
        EXPECT_EQ(w->lblTipo->text(), "Sustantivo") << tecleada;
        EXPECT_EQ(w->txtPalabra->text(), "árbol") << tecleada;
        EXPECT_EQ(w->txtPalabra->selectedText(), "árbol") << tecleada; // typing replaces it
        EXPECT_EQ(w->lblForma->text(), "") << tecleada;
    }
    // An exact match keeps its priority; two headwords spelt alike leave the word unfound.
    db.Insert(0, {fila("papa", "potato", "n", "f", "s", "n", "", "s"),
                  fila("papá", "dad", "n", "m", "s", "n", "", "s"),
                  fila("té", "tea", "n", "m", "s", "n", "", "s"),
                  fila("tè", "te", "n", "m", "s", "n", "", "s")});
    Enter("papa");
    EXPECT_EQ(w->lblTraduccion->text(), "potato");
    EXPECT_EQ(w->txtPalabra->text(), "papa");
    Enter("te");
    EXPECT_EQ(w->lblTraduccion->text(), "<Palabra no encontrada>");
    EXPECT_EQ(w->txtPalabra->text(), "te");
}

TEST_F(DictionaryWindow, AyudaSaysWhereTheHelpPageIsWhenNothingCanOpenIt) {
    entorno.documentos->hayPrograma = false;
    w->lblOpciones_Click(0);
    EXPECT_TRUE(TomarAvisoSinPrograma().endsWith(
        QDir::toNativeSeparators(entorno.Datos() + "/AYUDA/PalavrixHelp.htm")));
    entorno.documentos->hayPrograma = true;
    w->lblOpciones_Click(0);
    EXPECT_EQ(TomarAvisoSinPrograma(), "");
    EXPECT_EQ(entorno.documentos->abiertos.size(), 2);
}

TEST_F(DictionaryWindow, ALongTranslationShrinksThenIsCutWithTheWholeOfItAsTooltip) {
    const QString larga = "take care of the pennies and the pounds will take care of themselves";
    const QString media = "look after the pennies and pounds";
    db.Insert(0, {fila("ahorrar", larga, "v", "", "", "v", "", ""),
                  fila("cuidar", media, "v", "", "", "v", "", "")});
    controls::Label* l = w->lblTraduccion;
    const int ancho = l->contentsRect().width();
    QFont piso = l->font();
    piso.setPixelSize(controls::Font(6.5).pixelSize());

    Enter("ahorrar");
    EXPECT_EQ(l->text(), larga);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(l)->text(QAccessible::Name), larga);
    EXPECT_EQ(l->toolTip(), larga);
    EXPECT_EQ(l->FittedFont().pixelSize(), piso.pixelSize());
    EXPECT_TRUE(l->FittedText().endsWith(QChar(0x2026))) << l->FittedText().toStdString();
    EXPECT_LE(QFontMetrics(l->FittedFont()).horizontalAdvance(l->FittedText()), ancho);

    // Too long at the label's size, short enough at a smaller one: smaller, and whole.
    ASSERT_GT(QFontMetrics(l->font()).horizontalAdvance(media), ancho);
    ASSERT_LT(QFontMetrics(piso).horizontalAdvance(media), ancho);
    Enter("cuidar");
    EXPECT_EQ(l->FittedText(), media);
    EXPECT_LT(l->FittedFont().pixelSize(), l->font().pixelSize());
    EXPECT_GE(l->FittedFont().pixelSize(), piso.pixelSize());
    EXPECT_EQ(l->toolTip(), media);

    Enter("casa");
    EXPECT_EQ(l->FittedText(), "house");
    EXPECT_EQ(l->FittedFont().pixelSize(), l->font().pixelSize());
    EXPECT_EQ(l->toolTip(), "");
}

TEST_F(DictionaryWindow, TheMeaningsPanelNamesTheCurrentDirection) {
    w->lblDiccionarios_Click(1);
    Enter("house");
    w->lblOpciones_Click(1);
    ASSERT_TRUE(Visible(w->pctContAcep));
    EXPECT_EQ(w->lblDireccionAcep->text(), "Inglés → Español");
    EXPECT_TRUE(Visible(w->lblDireccionAcep));
}

TEST_F(DictionaryWindow, TheDirectionsAreNamedWithTheirAccents) {
    QStringList nombres;
    for (int i = 0; i < 6; ++i)
        nombres << w->lblDiccionarios(i)->text();
    EXPECT_EQ(nombres, (QStringList{"Español / Inglés", "Inglés / Español", "Español / Portugués",
                                    "Portugués / Español", "Español / Francés", "Francés / Español"}));
}

TEST_F(DictionaryWindow, AReloadedWindowKeepsTheDirectionAndShowsItsLastWordAgain) {
    w->lblDiccionarios_Click(2);
    w->Unload();
    Forms::FlushUnloaded();
    w = new frmPrincipal;
    w->Load();
    EXPECT_EQ(DiccionarioActual, 2);
    EXPECT_EQ(w->txtPalabra->text(), "") << "left empty, it comes back empty";
    EXPECT_EQ(w->lblTPalabra->text(), "Español");
    EXPECT_EQ(w->lblTTraduccion->text(), "Portugués");
    Enter("casa");
    w->Unload();
    Forms::FlushUnloaded();
    w = new frmPrincipal;
    w->Load();
    EXPECT_EQ(DiccionarioActual, 2);
    EXPECT_EQ(w->txtPalabra->text(), "casa");
    EXPECT_EQ(w->lblTraduccion->text(), "casa");
    EXPECT_EQ(w->lblTipo->text(), "Sustantivo");
    EXPECT_FALSE(w->ListaCargada);
    EXPECT_FALSE(Visible(w->cboLista));
    EXPECT_EQ(entorno.sonidos->rutas.filter("SALIR.WAV").size(), 2);
}

TEST_F(DictionaryWindow, ADictionaryThatCannotBeReadSaysSoAndLeavesNoHourglass) {
    db.Execute("DELETE FROM QueryDefs WHERE Name = 'qryBuscarEspIng'");
    Enter("casa");
    EXPECT_EQ(w->lblTraduccion->text(), "<Diccionario incompleto>");
    EXPECT_EQ(Screen::MousePointer(), Screen::vbDefault);
    db.Execute("DROP TABLE IngEsp");
    w->lblDiccionarios_Click(1);
    w->pctBoton_Click(4);
    EXPECT_EQ(w->cboLista->ListCount(), 0);
    EXPECT_FALSE(w->ListaCargada);
    EXPECT_EQ(Screen::MousePointer(), Screen::vbDefault);
    CerrarBaseDatos();
    Enter("casa");
    EXPECT_EQ(w->lblTraduccion->text(), "<Error del diccionario>");
}

TEST_F(DictionaryWindow, TheDataFolderGoneMeansTheDriveQuestionBeforeTheNextDirection) {
    // The data is on a stick plugged in as D:, with the background of the English direction.
    const QString imagenes = entorno.OtraUnidad('D') + "/ENTORNO/IMAGENES";
    ASSERT_TRUE(QDir().mkpath(imagenes));
    QImage fondo(640, 480, QImage::Format_RGB32);
    fondo.fill(QColor(0, 128, 64));
    ASSERT_TRUE(fondo.save(imagenes + "/1FDic1.BMP", "BMP"));

    QDir(entorno.Datos()).removeRecursively();
    RespuestaDrive respuesta("D");
    w->lblDiccionarios_Click(1);
    EXPECT_EQ(respuesta.preguntas, 1);
    EXPECT_EQ(RutaDatos, "D:\\Palavrix");
    EXPECT_EQ(w->imgFondo->Picture().toImage().pixelColor(10, 10), QColor(0, 128, 64));
    EXPECT_EQ(DiccionarioActual, 1);
    EXPECT_EQ(w->lblTPalabra->text(), "Inglés");
    EXPECT_EQ(Screen::MousePointer(), Screen::vbDefault);

    // With the folder found, the next change asks nothing, and lookups go on.
    w->lblDiccionarios_Click(1);
    EXPECT_EQ(respuesta.preguntas, 1);
    Enter("bank");
    EXPECT_EQ(w->lblTraduccion->text(), "banco");
}

TEST_F(DictionaryWindow, AWordLitUnderThePointerGoesOutWhenThePointerLeavesItWhereverItGoes) {
    // "Ayuda" by the dragging strip, "Acerca de ..." by the window's bottom edge, a direction by
    // its left edge: the pointer can leave them without crossing the background.
    const auto salir = [](QWidget* l) {
        QEvent fuera(QEvent::Leave);
        QApplication::sendEvent(l, &fuera);
    };
    for (int i : {0, 3}) {
        controls::Label* l = w->lblOpciones(i);
        w->lblOpciones_MouseMove(i);
        ASSERT_NE(l->ForeColor(), controls::vbWhite) << i;
        salir(l);
        EXPECT_EQ(l->ForeColor(), controls::vbWhite) << i;
        EXPECT_EQ(w->OpcionResaltada, -1);
        // Lit again by the next pass of the pointer.
        w->lblOpciones_MouseMove(i);
        EXPECT_NE(l->ForeColor(), controls::vbWhite) << i;
        salir(l);
    }
    // Leaving a word that is not the lit one leaves the lit one alone.
    w->lblOpciones_MouseMove(3);
    salir(w->lblOpciones(0));
    EXPECT_NE(w->lblOpciones(3)->ForeColor(), controls::vbWhite);
    auto* direccion = w->findChild<controls::Label*>("lblDiccionarios(2)");
    ASSERT_NE(direccion, nullptr);
    w->lblDiccionarios_MouseMove(2);
    ASSERT_NE(direccion->ForeColor(), controls::vbWhite);
    salir(direccion);
    EXPECT_EQ(direccion->ForeColor(), controls::vbWhite);
}

TEST_F(DictionaryWindow, ThePronunciationWordAndTheHintUnderTheWordBoxStandClearOfTheirNeighbours) {
    Enter("casa");
    ASSERT_TRUE(Visible(w->lblOpciones(2)));
    EXPECT_FALSE(w->lblOpciones(2)->geometry().intersects(w->imgPronun->geometry()));
    EXPECT_GE(w->lblForma->geometry().top() - w->txtPalabra->geometry().bottom(), 5);
}

TEST_F(DictionaryWindow, AWordNotFoundOffersTheClosestWordsAndEnterAgainTakesTheFirst) {
    Enter("arboles");
    EXPECT_EQ(w->lblTraduccion->text(), "<Palabra no encontrada>");
    // Accents and case aside, closest first, as the dictionary writes them.
    EXPECT_EQ(w->lblSugerencias->Palabras(), (QStringList{"árbol", "arbolado"}));
    EXPECT_TRUE(Visible(w->lblSugerencias));
    EXPECT_TRUE(w->lblSugerencias->text().startsWith("¿Quiso decir: "))
        << w->lblSugerencias->text().toStdString();
    EXPECT_TRUE(w->lblSugerencias->text().contains(">árbol</a>"));
    EXPECT_EQ(w->txtPalabra->selectedText(), "arboles");
    // Enter on the same word takes the first.
    QTest::keyClick(w->txtPalabra, Qt::Key_Return);
    EXPECT_EQ(w->txtPalabra->text(), "árbol");
    EXPECT_EQ(w->lblTraduccion->text(), "tree");
    EXPECT_FALSE(Visible(w->lblSugerencias));
    EXPECT_TRUE(w->lblSugerencias->Palabras().isEmpty());
    // Another word typed over it is looked up as typed.
    Enter("csaa");
    EXPECT_EQ(w->lblSugerencias->Palabras(), (QStringList{"casa"}));
    Enter("abja");
    EXPECT_EQ(w->lblTraduccion->text(), "<Palabra no encontrada>");
    EXPECT_EQ(w->lblSugerencias->Palabras(), (QStringList{"abeja"}));
}

TEST_F(DictionaryWindow, ASuggestionIsReachedByTheKeyboardAndLooksItUpAsIfTyped) {
    Enter("arboles");
    ASSERT_EQ(w->lblSugerencias->Palabras().size(), 2);
    // Focus moves only in the active window, as the user's is.
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    // Tab from the word box reaches the strip; inside it Tab goes from link to link.
    QTest::keyClick(w->txtPalabra, Qt::Key_Tab);
    EXPECT_EQ(w->focusWidget(), w->lblSugerencias);
    // Arriving, the first word is in focus.
    EXPECT_EQ(w->lblSugerencias->selectedText(), "árbol");
    QTest::keyClick(w->lblSugerencias, Qt::Key_Tab);
    EXPECT_EQ(w->focusWidget(), w->lblSugerencias);
    EXPECT_EQ(w->lblSugerencias->selectedText(), "arbolado");
    QTest::keyClick(w->lblSugerencias, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(w->txtPalabra->text(), "arbolado");
    EXPECT_EQ(w->lblTraduccion->text(), "woodland");
    EXPECT_FALSE(Visible(w->lblSugerencias));
    EXPECT_EQ(w->txtPalabra->selectedText(), "arbolado");
}

TEST_F(DictionaryWindow, ClickingASuggestionLooksItUp) {
    Enter("arboles");
    ASSERT_TRUE(Visible(w->lblSugerencias));
    // The first link lies right after the question's opening words.
    const QFontMetrics fm(w->lblSugerencias->font());
    const int x = fm.horizontalAdvance("¿Quiso decir: ") + fm.horizontalAdvance("ár") +
                  w->lblSugerencias->contentsMargins().left() + w->lblSugerencias->margin();
    QTest::mouseClick(w->lblSugerencias, Qt::LeftButton, {}, QPoint(x, fm.height() / 2 + 1));
    QApplication::processEvents();
    EXPECT_EQ(w->txtPalabra->text(), "árbol");
    EXPECT_EQ(w->lblTraduccion->text(), "tree");
}

TEST_F(DictionaryWindow, NoSuggestionsForAWordWithNothingCloseAndNoneLeftAfterADirectionChange) {
    Enter("xqzwv");
    EXPECT_EQ(w->lblTraduccion->text(), "<Palabra no encontrada>");
    EXPECT_FALSE(Visible(w->lblSugerencias));
    EXPECT_TRUE(w->lblSugerencias->text().isEmpty());
    Enter("x");
    EXPECT_FALSE(Visible(w->lblSugerencias));
    Enter("pero");
    EXPECT_EQ(w->lblSugerencias->Palabras(), (QStringList{"perro", "raro"}));
    w->lblDiccionarios_Click(1);
    EXPECT_FALSE(Visible(w->lblSugerencias));
    // English to Spanish suggests from its own table.
    Enter("hous");
    EXPECT_EQ(w->lblSugerencias->Palabras(), (QStringList{"house"}));
    Enter("house");
    EXPECT_FALSE(Visible(w->lblSugerencias));
}

TEST_F(DictionaryWindow, PronunciationWithoutASoundDeviceSaysSoInANoticeOnce) {
    entorno.sonidos->dispositivo = false;
    Enter("casa");
    ASSERT_TRUE(Visible(w->lblOpciones(2)));
    entorno.avisos->textos.clear();
    w->lblOpciones_Click(2);
    EXPECT_TRUE(entorno.sonidos->rutas.filter("PRONUN").isEmpty());
    ASSERT_EQ(entorno.avisos->textos.size(), 1);
    EXPECT_TRUE(entorno.avisos->textos.first().contains("dispositivo de sonido"))
        << entorno.avisos->textos.first().toStdString();
    EXPECT_FALSE(entorno.avisos->textos.first().contains('\n'));
    // Not a box after every click.
    w->lblOpciones_Click(2);
    EXPECT_EQ(entorno.avisos->textos.size(), 1);
    // With a device, the recording plays and nothing is said.
    entorno.sonidos->dispositivo = true;
    w->lblOpciones_Click(2);
    EXPECT_TRUE(entorno.sonidos->rutas.last().endsWith("Palavrix/PRONUN/h/house"));
    EXPECT_EQ(entorno.avisos->textos.size(), 1);
}
