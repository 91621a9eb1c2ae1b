// Which source words each word of a sentence translation came from, on the real pipelines.
#include "platform/SentencePipeline.h"

#include <QString>
#include <gtest/gtest.h>

namespace {

std::unique_ptr<sentences::Pipeline> Cargar(const char* par) {
    QString error;
    auto p = sentences::Pipeline::Load(QStringLiteral(PALAVRIX_BUILD_DIR "/Morfologia"),
                                       QString::fromUtf8(par), &error);
    EXPECT_TRUE(p) << error.toStdString();
    return p;
}

// "palabra de salida -> palabras de origen", one a link, in output order.
QStringList Pares(const QString& texto, const sentences::Pipeline::Alignment& a) {
    QStringList r;
    for (const auto& l : a.links)
        r << a.text.mid(l.outStart, l.outLength) + " -> " + texto.mid(l.srcStart, l.srcLength);
    return r;
}

} // namespace

TEST(Alineacion, EachOutputWordLeadsBackToWhatItWasMadeFromAndTheTextIsTheTranslation) {
    const struct {
        const char *par, *texto;
        QStringList esperados; // pairs that must be there
    } casos[] = {
        {"spa-eng",
         "Los niños no fueron a la escuela, sin embargo, ella me lo dio. El perro grande.",
         {"boys -> niños", "school -> escuela", "however -> sin embargo", "big -> grande", "dog -> perro"}},
        {"eng-spa", "The big dog ate John's food.", {"perro -> dog", "grande -> big", "comida -> food"}},
        {"fr-es", "Les enfants sont allés au marché.", {"niños -> enfants", "mercado -> marché"}},
        {"pt-es", "Ela deu-me o livro.", {"libro -> livro"}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.par);
        auto p = Cargar(c.par);
        ASSERT_TRUE(p);
        const QString texto = QString::fromUtf8(c.texto);
        const auto a = p->Align(texto);
        ASSERT_TRUE(a.complete);
        // The ties change nothing in the words made.
        EXPECT_EQ(a.text, p->Translate(texto).text);
        const QStringList pares = Pares(texto, a);
        for (const QString& e : c.esperados)
            EXPECT_TRUE(pares.contains(e))
                << e.toStdString() << " not in " << pares.join(" | ").toStdString();
        // Every link points inside both texts.
        for (const auto& l : a.links) {
            EXPECT_GE(l.srcStart, 0);
            EXPECT_LE(l.srcStart + l.srcLength, texto.size());
            EXPECT_LE(l.outStart + l.outLength, a.text.size());
        }
    }
}

TEST(Alineacion, ASentenceEndTheDeformatterAddedIsNeverTiedToALaterOne) {
    // No full stop before the blank line: the stream gets one there, which is in no stretch of the
    // text; the real one at the end must still be the last stop's.
    auto p = Cargar("spa-eng");
    ASSERT_TRUE(p);
    const QString texto = QString::fromUtf8("Hola amigo\n\nEl perro.");
    const auto a = p->Align(texto);
    ASSERT_TRUE(a.complete);
    for (const auto& l : a.links) {
        if (texto.mid(l.srcStart, l.srcLength) == ".") {
            EXPECT_EQ(l.srcStart, texto.size() - 1);
        }
    }
    EXPECT_TRUE(Pares(texto, a).contains("dog -> perro"));
}
