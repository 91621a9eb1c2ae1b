// The translator's sentence mode on the real pipeline the build copied into Morfologia/.
#include "VentanasPrueba.h"
#include "dictionary_window/frmPrincipal.h"
#include "translator/Frases.h"
#include "translator/frmTraductor.h"

#include "translator/PanelPalabra.h"
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class FrasesVentana : public VentanasPrueba {
protected:
    void SetUp() override {
        VentanasPrueba::SetUp();
        QFile::link(QStringLiteral(PALAVRIX_BUILD_DIR "/Morfologia"), entorno.Carpeta() + "/Morfologia");
        w = Abrir<frmTraductor>(4500, 3000);
        w->lblOpciones_Click(6);
    }
    void LlenarDiccionario() override { db.Insert(0, {Fila("perro", "dog")}); }
    QString Traducir(const QString& texto) {
        w->txtTexto->setPlainText(texto);
        w->lblOpciones_Click(3);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !w->frases->Ocupado(); }, 30000));
        return w->txtTraduccion->toPlainText();
    }
    frmTraductor* w = nullptr;
};

// What Apertium's own command makes of the text, unknown words unmarked.
QString Apertium(const QString& par, const QString& texto) {
    QProcess p;
    p.start("apertium", {"-u", "-f", "txt", par});
    p.write(texto.toUtf8());
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString SinMarcas(QString s) {
    return s.remove('<').remove('>');
}

} // namespace

TEST_F(FrasesVentana, TheWindowShowsWhatApertiumsOwnPipelineMakesOfTheText) {
    const QString texto =
        QString::fromUtf8("Los niños no fueron a la escuela ayer porque estaban enfermos.\n\n"
                          "Ella me lo dio en la casa de su madre, xyzzy.");
    const QString nuestra = Traducir(texto);
    EXPECT_EQ(SinMarcas(nuestra), Apertium("spa-eng", texto));
    // The one word the dictionaries do not know is marked as word by word marks it.
    EXPECT_TRUE(nuestra.contains("<xyzzy>")) << nuestra.toStdString();
    EXPECT_EQ(nuestra.count('\n'), 2);
    // Word order and agreement, which word by word cannot give.
    w->lblOpciones_Click(5);
    EXPECT_NE(w->txtTraduccion->toPlainText(), nuestra);
}

TEST_F(FrasesVentana, EveryDirectionGoesThroughItsOwnPipeline) {
    const struct {
        int direccion;
        const char *par, *texto;
    } casos[] = {{1, "eng-spa", "The children did not go to school because they were sick."},
                 {2, "es-pt", "Los niños no fueron a la escuela porque estaban enfermos."},
                 {3, "pt-es", "As crianças não foram à escola porque estavam doentes."},
                 {4, "es-fr", "Los niños no fueron a la escuela porque estaban enfermos."},
                 {5, "fr-es", "Les enfants ne sont pas allés à l'école parce qu'ils étaient malades."}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.par);
        w->ElegirDireccion(c.direccion);
        const QString texto = QString::fromUtf8(c.texto);
        EXPECT_EQ(SinMarcas(Traducir(texto)), Apertium(c.par, texto));
    }
}

TEST_F(FrasesVentana, ASecondRequestCancelsTheFirstAndOnlyItsResultArrives) {
    frases::Traductor t;
    QSignalSpy terminadas(&t, &frases::Traductor::Terminada);
    QString largo;
    for (int i = 0; i < 400; ++i)
        largo += QString::fromUtf8("Los niños no fueron a la escuela ayer porque estaban enfermos.\n\n");
    t.Pedir(0, largo);
    t.Pedir(0, QStringLiteral("La casa."));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !t.Ocupado(); }, 30000));
    QTest::qWait(50);
    ASSERT_EQ(terminadas.size(), 1);
    const auto r = terminadas.at(0).at(0).value<frases::Resultado>();
    EXPECT_TRUE(r.completa);
    EXPECT_EQ(r.texto, "The house.");
}

TEST_F(FrasesVentana, LeavingDuringATranslationLosesNothing) {
    QString largo;
    for (int i = 0; i < 200; ++i)
        largo += QString::fromUtf8("El perro grande come en la casa.\n");
    w->txtTexto->setPlainText(largo);
    w->lblOpciones_Click(3);
    w->pctBoton_Click(3); // to the dictionary, while it translates
    w = nullptr;
    auto* p = Forms::Find<frmPrincipal>();
    ASSERT_NE(p, nullptr);
    p->pctBoton_Click(1);
    w = Forms::Find<frmTraductor>();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->txtTexto->toPlainText(), largo);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !w->frases->Ocupado(); }, 30000));
    EXPECT_EQ(w->txtTraduccion->toPlainText().count("The big dog eats in the house."), 200);
}

TEST_F(FrasesVentana, AClickOnAnOutputWordLightsTheSourceWordsItCameFrom) {
    const QString texto = QString::fromUtf8("Hola.\nEl perro grande come en la casa, sin embargo.");
    const QString salida = Traducir(texto);
    const auto origenDe = [&](const QString& palabra) {
        const qsizetype en = salida.indexOf(palabra);
        EXPECT_GE(en, 0) << palabra.toStdString() << " in " << salida.toStdString();
        QStringList r;
        for (const auto& t : w->ResaltarOrigen(en + 1))
            r << texto.mid(t.inicio, t.largo);
        return r;
    };
    // Reordered ("perro grande" -> "big dog"), on the second line, and a phrase of two words.
    EXPECT_EQ(origenDe("dog"), QStringList{"perro"});
    EXPECT_EQ(origenDe("big"), QStringList{"grande"});
    EXPECT_EQ(origenDe("house"), QStringList{"casa"});
    EXPECT_EQ(origenDe("however"), QStringList{"sin embargo"});
    // What is lit is what the reader sees lit.
    ASSERT_EQ(w->txtTexto->extraSelections().size(), 1);
    EXPECT_EQ(w->txtTexto->extraSelections()[0].cursor.selectedText(), "sin embargo");
    // Once the input changes, the translation on the screen no longer tells where a word came from.
    w->txtTexto->appendPlainText("Otra línea.");
    EXPECT_TRUE(w->txtTexto->extraSelections().isEmpty());
    EXPECT_TRUE(w->ResaltarOrigen(salida.indexOf("dog") + 1).isEmpty());
    // Nor does word by word.
    w->txtTexto->setPlainText(texto);
    w->lblOpciones_Click(5);
    EXPECT_TRUE(w->ResaltarOrigen(1).isEmpty());
}

TEST_F(FrasesVentana, TheEntryOfAClickedWordNeverCoversTheSourceWordsLit) {
    Traducir(QString::fromUtf8("El perro grande de mi hermana no quiere comer porque tiene miedo del gato."));
    for (const char* palabra : {"dog", "cat", "sister"}) {
        SCOPED_TRACE(palabra);
        QTextCursor c(w->txtTraduccion->document());
        c.setPosition(static_cast<int>(w->txtTraduccion->toPlainText().indexOf(palabra)));
        QTest::mouseClick(w->txtTraduccion->viewport(), Qt::LeftButton, {},
                          w->txtTraduccion->cursorRect(c).center() + QPoint(3, 0));
        ASSERT_TRUE(w->panelPalabra->isVisible());
        const auto lit = w->txtTexto->extraSelections();
        ASSERT_EQ(lit.size(), 1);
        QTextCursor inicio = lit[0].cursor, fin = lit[0].cursor;
        inicio.setPosition(lit[0].cursor.selectionStart());
        fin.setPosition(lit[0].cursor.selectionEnd());
        const QRect enCaja = w->txtTexto->cursorRect(inicio).united(w->txtTexto->cursorRect(fin));
        const QRect enVentana(w->txtTexto->viewport()->mapTo(w, enCaja.topLeft()), enCaja.size());
        EXPECT_FALSE(w->panelPalabra->geometry().intersects(enVentana));
        EXPECT_TRUE(w->rect().contains(w->panelPalabra->geometry()));
    }
}
