// Our lists of function words, and their rows made through the direction's real Apertium
// transducers (the Debian packages the build reads).
#include "Funcionales.h"
#include "dictionary_data/Formas.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <gtest/gtest.h>

using namespace generador;

namespace {

const QString kApertium = QStringLiteral("/usr/share/apertium");

const esquema::Fila* De(const std::vector<esquema::Fila>& filas, const QString& palabra) {
    for (const auto& f : filas)
        if (f.palabra == palabra) return &f;
    return nullptr;
}

std::vector<Funcional> Lista(std::initializer_list<const char*> lineas) {
    std::vector<Funcional> lista;
    Funcional f;
    for (const char* l : lineas)
        if (LeerLineaFuncional(QString::fromUtf8(l), f)) lista.push_back(f);
    return lista;
}

} // namespace

TEST(Funcionales, LinesOfTheList) {
    Funcional f;
    EXPECT_FALSE(LeerLineaFuncional(QStringLiteral("   "), f));
    EXPECT_FALSE(LeerLineaFuncional(QStringLiteral("# Artículos"), f));
    ASSERT_TRUE(LeerLineaFuncional(QStringLiteral("el"), f));
    EXPECT_EQ(f.forma, QStringLiteral("el"));
    EXPECT_TRUE(f.categoria.isEmpty() && f.propias.isEmpty());
    ASSERT_TRUE(LeerLineaFuncional(QStringLiteral("  a través de |  pr "), f));
    EXPECT_EQ(f.forma, QStringLiteral("a través de"));
    EXPECT_EQ(f.categoria, QStringLiteral("pr"));
    ASSERT_TRUE(
        LeerLineaFuncional(QStringLiteral("conmigo | prn | eng=with me | por = comigo | fra=avec moi"), f));
    EXPECT_EQ(f.categoria, QStringLiteral("prn"));
    EXPECT_EQ(f.propias.value(QStringLiteral("eng")), QStringLiteral("with me"));
    EXPECT_EQ(f.propias.value(QStringLiteral("por")), QStringLiteral("comigo"));
    EXPECT_EQ(f.propias.size(), 3);
    ASSERT_TRUE(LeerLineaFuncional(QStringLiteral("tem | vblex pri"), f));
    EXPECT_EQ(f.categoria, QStringLiteral("vblex pri"));

    EXPECT_TRUE(EsArticulo(QStringLiteral("el"), QStringLiteral("spa")));
    EXPECT_TRUE(EsArticulo(QStringLiteral("uno"), QStringLiteral("spa")));
    EXPECT_TRUE(EsArticulo(QStringLiteral("The"), QStringLiteral("eng")));
    EXPECT_TRUE(EsArticulo(QStringLiteral("o"), QStringLiteral("por")));
    EXPECT_TRUE(EsArticulo(QStringLiteral("le"), QStringLiteral("fra")));
    EXPECT_FALSE(EsArticulo(QStringLiteral("cierto"), QStringLiteral("spa")));
    EXPECT_FALSE(EsArticulo(QStringLiteral("cada"), QStringLiteral("spa")));
    EXPECT_FALSE(EsArticulo(QStringLiteral("le"), QStringLiteral("spa")));
    EXPECT_EQ(IdiomaOrigen(3), QStringLiteral("por"));
    EXPECT_EQ(IdiomaDestino(3), QStringLiteral("spa"));
    EXPECT_TRUE(IdiomaOrigen(6).isEmpty());
}

TEST(Funcionales, OurListsAreWellFormed) {
    const QString carpeta = QStringLiteral(PALAVRIX_SOURCE_DIR "/tools/build-dictionary/funcionales");
    const QHash<QString, QStringList> destinos{
        {"spa", {"eng", "por", "fra"}}, {"eng", {"spa"}}, {"por", {"spa"}}, {"fra", {"spa"}}};
    for (auto it = destinos.begin(); it != destinos.end(); ++it) {
        SCOPED_TRACE(it.key().toStdString());
        const auto lista = LeerFuncionales(carpeta + QLatin1Char('/') + it.key() + QStringLiteral(".txt"));
        EXPECT_GE(lista.size(), 150u);
        QSet<QString> vistas;
        for (const Funcional& f : lista) {
            EXPECT_FALSE(vistas.contains(f.forma)) << "repeated: " << f.forma.toStdString();
            vistas.insert(f.forma);
            for (auto p = f.propias.begin(); p != f.propias.end(); ++p)
                EXPECT_TRUE(it.value().contains(p.key()))
                    << f.forma.toStdString() << ": " << p.key().toStdString();
        }
    }
    EXPECT_THROW(LeerFuncionales(carpeta + QStringLiteral("/xxx.txt")), std::runtime_error);
}

TEST(Funcionales, RowsFromTheFormsOwnAnalysis) {
    const QString carpeta = kApertium + QStringLiteral("/apertium-eng-spa");
    if (!QFileInfo::exists(carpeta + QStringLiteral("/spa-eng.automorf.bin")))
        GTEST_SKIP() << "apertium-eng-spa is not installed";
    formas::Morfologia spaEng(carpeta, 0, formas::Origen::Sistema),
        engSpa(carpeta, 1, formas::Origen::Sistema);
    ASSERT_TRUE(spaEng.Disponible());
    const auto lista = Lista({"la | det", "yo", "del | pr", "cierto | det", "se | prn | eng=oneself",
                              "conmigo | prn | eng=with me", "qxzzq"});
    QStringList sinFila;
    const auto filas = FilasFuncionales(
        lista, 0, spaEng, [&](const QString& w) { return engSpa.Lecturas(w); }, &sinFila);
    ASSERT_EQ(filas.size(), 6u);
    // In list order.
    EXPECT_EQ(filas.front().palabra, QStringLiteral("la"));

    const esquema::Fila* la = De(filas, QStringLiteral("la"));
    EXPECT_EQ(la->traduccion, QStringLiteral("the"));
    EXPECT_EQ(la->tipo, QStringLiteral("ar"));
    EXPECT_EQ(la->genero, QStringLiteral("f"));
    EXPECT_EQ(la->numero, QStringLiteral("s"));
    EXPECT_EQ(la->tipoT, QStringLiteral("ar"));
    const esquema::Fila* yo = De(filas, QStringLiteral("yo"));
    EXPECT_EQ(yo->traduccion, QStringLiteral("I"));
    EXPECT_EQ(yo->tipo, QStringLiteral("pro"));
    EXPECT_EQ(De(filas, QStringLiteral("del"))->traduccion, QStringLiteral("of the"));
    // Apertium's <det><ind> for "cierto" is no article.
    EXPECT_NE(De(filas, QStringLiteral("cierto"))->tipo, QStringLiteral("ar"));
    // Our own translation, the codes from each side's analysis or from the list.
    const esquema::Fila* se = De(filas, QStringLiteral("se"));
    EXPECT_EQ(se->traduccion, QStringLiteral("oneself"));
    EXPECT_EQ(se->tipo, QStringLiteral("pro"));
    EXPECT_EQ(De(filas, QStringLiteral("conmigo"))->tipo, QStringLiteral("pro"));
    EXPECT_EQ(sinFila, QStringList({"qxzzq"}));
}

TEST(Funcionales, AFormWithoutPersonTranslatesAsTheInfinitive) {
    const QString carpeta = kApertium + QStringLiteral("/apertium-eng-spa");
    if (!QFileInfo::exists(carpeta + QStringLiteral("/eng-spa.automorf.bin")))
        GTEST_SKIP() << "apertium-eng-spa is not installed";
    formas::Morfologia engSpa(carpeta, 1, formas::Origen::Sistema),
        spaEng(carpeta, 0, formas::Origen::Sistema);
    ASSERT_TRUE(engSpa.Disponible());
    // "can" fixes no person: not "pueden", which the generator would pick, but "poder". A form
    // that fixes one keeps it: "is" is "es".
    const auto filas = FilasFuncionales(Lista({"can | vaux", "is"}), 1, engSpa,
                                        [&](const QString& w) { return spaEng.Lecturas(w); });
    ASSERT_EQ(filas.size(), 2u);
    EXPECT_EQ(De(filas, QStringLiteral("can"))->traduccion, QStringLiteral("poder"));
    EXPECT_EQ(De(filas, QStringLiteral("can"))->tipo, QStringLiteral("v"));
    EXPECT_EQ(De(filas, QStringLiteral("is"))->traduccion, QStringLiteral("es"));
}

TEST(Funcionales, ContractionsAndArticlesIntoSpanish) {
    const QString carpeta = kApertium + QStringLiteral("/apertium-es-pt");
    if (!QFileInfo::exists(carpeta + QStringLiteral("/pt-es.automorf.bin")))
        GTEST_SKIP() << "apertium-es-pt is not installed";
    formas::Morfologia ptEs(carpeta, 3, formas::Origen::Sistema), esPt(carpeta, 2, formas::Origen::Sistema);
    ASSERT_TRUE(ptEs.Disponible());
    const auto filas = FilasFuncionales(
        Lista({"o | det", "a | det", "do | pr", "ao | pr", "você | prn | spa=usted", "tem | vblex pri"}), 3,
        ptEs, [&](const QString& w) { return esPt.Lecturas(w); });
    ASSERT_EQ(filas.size(), 6u);
    EXPECT_EQ(De(filas, QStringLiteral("o"))->traduccion, QStringLiteral("el"));
    EXPECT_EQ(De(filas, QStringLiteral("o"))->tipo, QStringLiteral("ar"));
    EXPECT_EQ(De(filas, QStringLiteral("a"))->traduccion, QStringLiteral("la"));
    EXPECT_EQ(De(filas, QStringLiteral("a"))->genero, QStringLiteral("f"));
    // The post-generator joins what Spanish joins.
    EXPECT_EQ(De(filas, QStringLiteral("do"))->traduccion, QStringLiteral("del"));
    EXPECT_EQ(De(filas, QStringLiteral("ao"))->traduccion, QStringLiteral("al"));
    const esquema::Fila* voce = De(filas, QStringLiteral("você"));
    EXPECT_EQ(voce->traduccion, QStringLiteral("usted"));
    EXPECT_EQ(voce->tipoT, QStringLiteral("pro"));
    // The present, not the imperative of the same spelling.
    EXPECT_EQ(De(filas, QStringLiteral("tem"))->traduccion, QStringLiteral("tiene"));
}

TEST(Funcionales, ElidedFormsAreFiledWithoutTheirApostrophe) {
    const QString carpeta = kApertium + QStringLiteral("/apertium-fr-es");
    if (!QFileInfo::exists(carpeta + QStringLiteral("/fr-es.automorf.bin")))
        GTEST_SKIP() << "apertium-fr-es is not installed";
    formas::Morfologia frEs(carpeta, 5, formas::Origen::Sistema), esFr(carpeta, 4, formas::Origen::Sistema);
    ASSERT_TRUE(frEs.Disponible());
    const auto filas = FilasFuncionales(Lista({"l' | det", "d' | pr", "n' | adv"}), 5, frEs,
                                        [&](const QString& w) { return esFr.Lecturas(w); });
    ASSERT_EQ(filas.size(), 3u);
    // "l'eau" reaches the dictionary as "l" and "eau".
    EXPECT_EQ(De(filas, QStringLiteral("l"))->traduccion, QStringLiteral("el"));
    EXPECT_EQ(De(filas, QStringLiteral("l"))->tipo, QStringLiteral("ar"));
    EXPECT_EQ(De(filas, QStringLiteral("d"))->traduccion, QStringLiteral("de"));
    EXPECT_EQ(De(filas, QStringLiteral("n"))->traduccion, QStringLiteral("no"));
    EXPECT_EQ(De(filas, QStringLiteral("l'")), nullptr);
}
