// The dictionary window on a word that is no headword: the entry of its lemma, the form's own
// codes, the translation in the same form and a hint of the headword used.
#include "VentanasPrueba.h"
#include "dictionary_data/Formas.h"
#include "dictionary_window/frmPrincipal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>

namespace {

class FormasEnVentana : public VentanasPrueba {
protected:
    void SetUp() override {
        VentanasPrueba::SetUp();
        // The test's own program folder borrows the transducers the build copied.
        ASSERT_TRUE(
            QFile::link(QStringLiteral(PALAVRIX_BUILD_DIR "/Morfologia"), entorno.Carpeta() + "/Morfologia"));
        esquema::Fila libro = Fila("libro", "book", "n", "m", "s");
        libro.tipoT = "n";
        libro.numeroT = "s";
        db.Insert(0, {libro});
        esquema::Fila house = Fila("house", "casa", "n", "", "s");
        house.acepcion1 = QString("hogar");
        house.acepcion2 = QString("");
        db.Insert(1, {house});
        formas::Olvidar();
        w = Abrir<frmPrincipal>();
    }
    void TearDown() override {
        VentanasPrueba::TearDown();
        formas::Olvidar();
    }
    void Buscar(const QString& palabra) {
        w->txtPalabra->setText(palabra);
        QTest::keyClick(w->txtPalabra, Qt::Key_Return);
    }
    frmPrincipal* w = nullptr;
};

} // namespace

TEST_F(FormasEnVentana, AFormShowsItsOwnCodesTheTranslationInTheSameFormAndTheHeadwordUsed) {
    Buscar("libros");
    EXPECT_EQ(w->lblTraduccion->text(), "books");
    EXPECT_EQ(w->lblTipo->text(), "Sustantivo");
    EXPECT_EQ(w->lblGenero->text(), "Masculino");
    EXPECT_EQ(w->lblNumero->text(), "Plural");
    EXPECT_EQ(w->lblTipoT->text(), "Sustantivo");
    EXPECT_EQ(w->lblNumeroT->text(), "Plural");
    EXPECT_EQ(w->lblForma->text(), "plural de «libro»");
    EXPECT_FALSE(w->lblForma->isHidden());
    // The form's pronunciation is offered: there is no recording, so it is spoken live.
    EXPECT_FALSE(w->lblOpciones(2)->isHidden());

    // A headword after a form: the hint goes, the headword's own row shows.
    Buscar("libro");
    EXPECT_EQ(w->lblTraduccion->text(), "book");
    EXPECT_EQ(w->lblNumero->text(), "Singular");
    EXPECT_TRUE(w->lblForma->text().isEmpty());

    // Only a word with no analysis at all is not found, and that clears the hint too.
    Buscar("libros");
    Buscar("xqzwv");
    EXPECT_EQ(w->lblTraduccion->text(), "<Palabra no encontrada>");
    EXPECT_TRUE(w->lblForma->text().isEmpty());
    EXPECT_TRUE(w->lblTipo->text().isEmpty());
}

TEST_F(FormasEnVentana, AFormIntoSpanishOffersItsLemmasFurtherMeanings) {
    w->lblDiccionarios_Click(1);
    Buscar("houses");
    EXPECT_EQ(w->lblTraduccion->text(), "casas");
    EXPECT_EQ(w->lblForma->text(), "plural de «house»");
    EXPECT_FALSE(w->pctAcepciones->isHidden());
    EXPECT_EQ(w->lblAcepcion1->text(), "hogar");
}

TEST_F(FormasEnVentana, PronunciationOfAFormWithNoRecordingIsSpokenLive) {
    Buscar("libros");
    ASSERT_FALSE(w->lblOpciones(2)->isHidden());
    entorno.sonidos->rutas.clear();
    w->lblOpciones_Click(2);
    // The click sound at once; the speech when espeak-ng has made it, as a WAV file of its own.
    const auto hablada = [&] {
        for (const QString& r : entorno.sonidos->rutas)
            if (r.endsWith(".wav") && QFileInfo(r).size() > 1000) return true;
        return false;
    };
    EXPECT_TRUE(QTest::qWaitFor(hablada, 20000)) << entorno.sonidos->rutas.join(", ").toStdString();
    EXPECT_FALSE(entorno.sonidos->rutas.join(' ').contains("PRONUN")) << "no recording was asked for";

    // A headword with a recording plays the recording, as always.
    Buscar("libro");
    entorno.sonidos->rutas.clear();
    w->lblOpciones_Click(2);
    EXPECT_TRUE(entorno.sonidos->rutas.last().endsWith("PRONUN/b/book"));
}

TEST_F(FormasEnVentana, ADamagedAnalyserIsNeverReadTheHeadwordsAnswerAndOneNoticeSaysWhy) {
    // A copy of the transducers in place of the build's, the Spanish analyser cut in half: read by
    // lttoolbox, it ended the program at the first letter typed, when the loading starts.
    const QString carpeta = entorno.Carpeta() + "/Morfologia";
    ASSERT_TRUE(QFile::remove(carpeta));
    ASSERT_TRUE(QDir().mkdir(carpeta));
    const QDir build(QStringLiteral(PALAVRIX_BUILD_DIR "/Morfologia"));
    for (const QString& nombre : build.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(build.filePath(nombre), carpeta + "/" + nombre));
    QFile analizador(carpeta + "/spa-eng.automorf.bin");
    ASSERT_TRUE(analizador.resize(analizador.size() / 2));
    formas::Olvidar();

    w->txtPalabra->clear();
    QTest::keyClicks(w->txtPalabra, "libros");
    QTest::keyClick(w->txtPalabra, Qt::Key_Return);
    EXPECT_EQ(w->lblTraduccion->text(), "<Palabra no encontrada>");
    Buscar("libro");
    EXPECT_EQ(w->lblTraduccion->text(), "book");
    Buscar("libros");
    EXPECT_EQ(w->lblTraduccion->text(), "<Palabra no encontrada>");
    QCoreApplication::processEvents();
    const QStringList avisos = entorno.avisos->textos.filter("spa-eng.automorf.bin");
    ASSERT_EQ(avisos.size(), 1) << entorno.avisos->textos.join('|').toStdString();
    EXPECT_TRUE(avisos[0].contains(QString::fromUtf8("Español → Inglés"))) << avisos[0].toStdString();
}
