// The translator's word panel on the test dictionary: what it shows against what the dictionary
// window shows, how it is closed, where it goes, and "Ver en el diccionario".
#include "translator/PanelPalabra.h"
#include "TextosEntrada.h"
#include "VentanasPrueba.h"
#include "translator/Traduccion.h"
#include "translator/frmTraductor.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class WordPanel : public VentanasPrueba {
protected:
    void SetUp() override {
        VentanasPrueba::SetUp();
        t = Abrir<frmTraductor>(4500, 3000);
        panel = new PanelPalabra(t);
    }
    void LlenarDiccionario() override {
        esquema::Fila casa = Fila("casa", "house", "n", "f", "s");
        casa.tipoT = "n";
        casa.numeroT = "s";
        esquema::Fila ojo =
            Fila("ojo", "look after the pennies and the pounds will look after themselves", "n");
        db.Insert(0, {casa, Fila("perro", "dog", "n", "m", "s"), ojo, Fila("árbol", "tree", "n", "m", "s")});
        esquema::Fila bank = Fila("bank", "banco", "n", "", "s");
        bank.generoT = "m";
        bank.acepcion1 = QString("orilla");
        bank.acepcion2 = QString("ribera");
        esquema::Fila cat = Fila("cat", "gato", "n");
        cat.acepcion1 = QString("");
        db.Insert(1, {bank, cat, Fila("house", "casa", "n", "", "s")});
    }
    frmTraductor* t = nullptr;
    PanelPalabra* panel = nullptr;
};

std::string Texto(const QRect& r) {
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString();
}

} // namespace

TEST_F(WordPanel, ShowsTheEntryTheDictionaryWindowShowsForTheSameWordAndDirection) {
    auto* w = Abrir<frmPrincipal>(0, 0);
    // Codes on both sides or partly empty, found without its accents, two further meanings and an
    // empty first one that offers none, not found, and a dictionary that cannot be read.
    const std::pair<int, const char*> casos[] = {{0, "casa"}, {0, "perro"}, {0, "arbol"}, {1, "bank"},
                                                 {1, "cat"},  {1, "house"}, {0, "xyz"},   {1, "casa"}};
    for (const auto& [direccion, palabra] : casos) {
        const QStringList diccionario = TextosDiccionario(w, direccion, palabra);
        panel->Ocultar();
        panel->Mostrar(direccion, palabra, QPoint(100, 100));
        EXPECT_EQ(TextosPanel(*panel), diccionario) << palabra;
    }
    // What the comparison rests on, spelt out once.
    panel->Ocultar();
    panel->Mostrar(1, "bank", QPoint(100, 100));
    EXPECT_EQ(TextosPanel(*panel),
              (QStringList{"palabra=bank", "forma=", "traduccion=banco", "color=blanco", "lblTipo=Sustantivo",
                           "lblGenero=", "lblNumero=Singular", "lblTipoT=", "lblGeneroT=Masculino",
                           "lblNumeroT=", "acepciones=orilla | ribera", "direccion=Inglés → Español"}));
    EXPECT_EQ(panel->EstadoActual(), PanelPalabra::Estado::Encontrada);

    db.Execute("DROP TABLE IngEsp");
    const QStringList dañado = TextosDiccionario(w, 1, "bank");
    ASSERT_EQ(w->lblTraduccion->text(), "<Diccionario incompleto>");
    panel->Ocultar();
    EXPECT_NO_THROW(panel->Mostrar(1, "bank", QPoint(50, 50)));
    EXPECT_EQ(TextosPanel(*panel), dañado);
    EXPECT_EQ(panel->EstadoActual(), PanelPalabra::Estado::Error);
    EXPECT_EQ(panel->lblTraduccion->toolTip(), w->lblTraduccion->toolTip());
    EXPECT_TRUE(panel->cmdVerEnDiccionario->isHidden()) << "nothing to see there either";
    EXPECT_EQ(Screen::MousePointer(), Screen::vbDefault);
    // An entry found after an error is white, without the error's details.
    panel->Mostrar(0, "casa", QPoint(50, 50));
    EXPECT_EQ(panel->lblTraduccion->ForeColor(), controls::vbWhite);
    EXPECT_EQ(panel->lblTraduccion->toolTip(), "");
    EXPECT_FALSE(panel->cmdVerEnDiccionario->isHidden());
}

TEST_F(WordPanel, IsAFramedBlackChildDrawnOverTheWindowThatTheSameWordLeavesWhereItIs) {
    panel->Mostrar(0, "casa", QPoint(100, 100));
    EXPECT_FALSE(panel->isWindow());
    EXPECT_EQ(t->children().last(), panel);
    const QImage imagen = panel->grab().toImage();
    EXPECT_EQ(QColor(imagen.pixel(panel->width() / 2, panel->height() - 3)), QColor(Qt::black));
    EXPECT_NE(QColor(imagen.pixel(0, panel->height() / 2)), QColor(Qt::black)) << "a frame";
    EXPECT_TRUE(panel->lblTraduccion->font().bold() && panel->lblTraduccion->font().italic());
    EXPECT_EQ(panel->geometry().topLeft(), QPoint(110, 116));
    // A pointer resting on the word does not make it jump; another word, or another direction, is
    // another lookup at the new place; an empty word or a direction out of range hides it.
    panel->Mostrar(0, "casa", QPoint(130, 104));
    EXPECT_EQ(panel->geometry().topLeft(), QPoint(110, 116));
    panel->Mostrar(1, "casa", QPoint(130, 104));
    EXPECT_EQ(panel->geometry().topLeft(), QPoint(140, 120));
    EXPECT_EQ(panel->lblTraduccion->text(), "<Palabra no encontrada>");
    for (const auto& [direccion, palabra] : {std::pair{0, ""}, std::pair{6, "casa"}, std::pair{-1, "casa"}}) {
        panel->Mostrar(0, "perro", QPoint(100, 100));
        panel->Mostrar(direccion, palabra, QPoint(100, 100));
        EXPECT_FALSE(panel->isVisible()) << direccion;
    }
}

TEST_F(WordPanel, EscHidesItAndNothingElseAClickOutsideItHidesItTheFocusStaysWithTheReader) {
    // Counts the Esc presses that reach the text box.
    struct Contador : QObject {
        int esc = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            esc += e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape;
            return false;
        }
    } contador;
    t->txtTexto->installEventFilter(&contador);
    t->txtTexto->setFocus();
    panel->Mostrar(0, "casa", QPoint(100, 100));
    QTest::keyClicks(t->txtTexto, "ab");
    EXPECT_TRUE(panel->isVisible()) << "typing goes on under the panel";
    EXPECT_EQ(t->focusWidget(), t->txtTexto);
    QTest::keyClick(t->txtTexto, Qt::Key_Escape);
    EXPECT_FALSE(panel->isVisible());
    QTest::keyClick(t->txtTexto, Qt::Key_Escape);
    EXPECT_EQ(contador.esc, 1) << "only the Esc that found no panel";
    EXPECT_EQ(t->txtTexto->toPlainText(), "ab");

    // Reached with Tab and closed with Esc: the focus goes back to the box it came from.
    panel->Mostrar(0, "perro", QPoint(100, 100));
    panel->cmdVerEnDiccionario->setFocus();
    QTest::keyClick(panel->cmdVerEnDiccionario, Qt::Key_Escape);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(t->focusWidget(), t->txtTexto);

    // A click on it, wherever it lies, is its own; one beside it is not.
    panel->Mostrar(0, "casa", QPoint(100, 100));
    QTest::mouseClick(panel->lblTraduccion, Qt::LeftButton);
    const QRect caja(t->txtTexto->viewport()->mapTo(t, QPoint(0, 0)), t->txtTexto->viewport()->size());
    const QRect debajo = panel->geometry() & caja;
    ASSERT_FALSE(debajo.isEmpty());
    QTest::mouseClick(t->txtTexto->viewport(), Qt::LeftButton, {},
                      t->txtTexto->viewport()->mapFrom(t, debajo.center()));
    EXPECT_TRUE(panel->isVisible());
    QTest::mouseClick(t->txtTexto->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(panel->isVisible());
    panel->Mostrar(0, "casa", QPoint(100, 100));
    QTest::mouseClick(t->imgFondo, Qt::LeftButton, {}, QPoint(5, 400));
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(WordPanel, NearEveryEdgeItStaysInsideTheWindowBesideThePoint) {
    const QSize area = t->size();
    ASSERT_EQ(area, QSize(640, 480));
    // The tallest entry of the test dictionary and the longest translation, at the corners, the
    // edges and the middle.
    for (const char* palabra : {"bank", "ojo"}) {
        for (const QPoint punto : {QPoint(0, 0), QPoint(639, 0), QPoint(0, 479), QPoint(639, 479),
                                   QPoint(320, 478), QPoint(638, 240), QPoint(320, 240)}) {
            panel->Ocultar();
            panel->Mostrar(palabra == std::string("bank") ? 1 : 0, palabra, punto);
            SCOPED_TRACE(palabra + (" at " + Texto(QRect(punto, QSize(1, 1)))));
            EXPECT_TRUE(QRect(QPoint(0, 0), area).contains(panel->geometry())) << Texto(panel->geometry());
            EXPECT_FALSE(panel->geometry().contains(punto));
            for (QWidget* hijo : panel->findChildren<QWidget*>()) {
                if (!hijo->isHidden()) {
                    EXPECT_TRUE(panel->rect().contains(hijo->geometry())) << Texto(hijo->geometry());
                }
            }
        }
    }
    // The long translation is whole, on more than one line.
    EXPECT_GT(panel->lblTraduccion->height(), panel->lblTraduccion->fontMetrics().height() * 3 / 2);

    // The rule: below and to the right; flipped to the side with room; inside when neither has.
    const QSize p(280, 150);
    EXPECT_EQ(PanelPalabra::Ubicar(p, {100, 100}, area).topLeft(), QPoint(110, 116));
    EXPECT_EQ(PanelPalabra::Ubicar(p, {400, 400}, area).topLeft(), QPoint(110, 238));
    EXPECT_EQ(PanelPalabra::Ubicar(p, {275, 100}, QSize(560, 240)).topLeft(), QPoint(0, 0));
    EXPECT_EQ(PanelPalabra::Ubicar(p, {50, 50}, QSize(200, 100)).topLeft(), QPoint(0, 0));
}

TEST_F(WordPanel, VerEnElDiccionarioOpensTheDictionaryWindowOnAWordOfTheTranslationInTheOppositeDirection) {
    QSignalSpy pedidas(panel, &PanelPalabra::VerEnDiccionario);
    panel->Mostrar(0, "perro", QPoint(100, 100));
    panel->cmdVerEnDiccionario->setFocus();
    QTest::keyClick(panel->cmdVerEnDiccionario, Qt::Key_Space);
    ASSERT_EQ(pedidas.size(), 1);
    EXPECT_EQ(pedidas.at(0), (QVariantList{0, QString("perro")}));
    EXPECT_FALSE(panel->isVisible());

    // The reader translates from Spanish to English and points at "house" in the translation.
    t->txtTexto->setPlainText("casa");
    t->lblOpciones_Click(3);
    const QString salida = t->txtTraduccion->toPlainText();
    ASSERT_EQ(salida, "house");
    QObject::connect(panel, &PanelPalabra::VerEnDiccionario, t,
                     [this](int d, const QString& p) { t->VerEnDiccionario(d, p); });
    panel->Mostrar(traduccion::DireccionDeCaja(DiccionarioActual, traduccion::Caja::Traduccion),
                   traduccion::PalabraEn(salida, 2).De(salida), QPoint(100, 100));
    QTest::mouseClick(panel->cmdVerEnDiccionario, Qt::LeftButton);
    Forms::FlushUnloaded();
    auto* w = Forms::Find<frmPrincipal>();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(Forms::Find<frmTraductor>(), nullptr);
    EXPECT_EQ(DiccionarioActual, 1);
    EXPECT_EQ((QStringList{w->lblTPalabra->text(), w->txtPalabra->text(), w->lblTraduccion->text()}),
              (QStringList{"Inglés", "house", "casa"}));
}

TEST_F(WordPanel, TheCharacterUnderThePointIsFoundOnlyOverACharacter) {
    QPlainTextEdit* caja = t->txtTexto;
    caja->setPlainText("La casa <xyz>\nroja");
    const QString texto = caja->toPlainText();
    const auto centro = [&](int k) {
        QTextCursor c(caja->document());
        c.setPosition(k);
        const QRect a = caja->cursorRect(c);
        c.setPosition(k + 1);
        return QPoint((a.left() + caja->cursorRect(c).left()) / 2, a.center().y());
    };
    for (int k = 0; k < texto.size(); ++k) {
        if (texto[k] != '\n') {
            EXPECT_EQ(CaracterBajo(*caja, centro(k)), k) << k;
        }
    }
    EXPECT_EQ(traduccion::PalabraEn(texto, CaracterBajo(*caja, centro(9))).De(texto), "xyz");
    // Past the end of a line, below the last line, in an empty box: no character.
    EXPECT_EQ(CaracterBajo(*caja, centro(12) + QPoint(60, 0)), -1);
    EXPECT_EQ(CaracterBajo(*caja, centro(15) + QPoint(0, 40)), -1);
    caja->clear();
    EXPECT_EQ(CaracterBajo(*caja, QPoint(5, 5)), -1);
}
