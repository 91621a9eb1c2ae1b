// Row building: order of a headword's rows, proper nouns, codes, further meanings and their Null
// rules, and the rows going through the program's own schema.
#include "Filas.h"
#include "TempDatabase.h"

#include <gtest/gtest.h>

using namespace generador;

namespace {

constexpr int kEspIng = 0, kIngEsp = 1;

Insumos IngEsp(std::vector<Par> pares, std::vector<Par> opuestos = {}) {
    Insumos in;
    in.direccion = kIngEsp;
    in.pares = std::move(pares);
    in.inversos = ClavesInversas(opuestos);
    return in;
}

QStringList Traducciones(const std::vector<esquema::Fila>& filas, const QString& palabra) {
    QStringList r;
    for (const auto& f : filas)
        if (f.palabra.compare(palabra, Qt::CaseInsensitive) == 0) r << f.traduccion;
    return r;
}

Rasgos R(const char* genero, const char* numero, QStringList tipos = {}, bool articulo = false) {
    return Rasgos{QString::fromLatin1(genero), QString::fromLatin1(numero), std::move(tipos), articulo};
}

const esquema::Fila* Primera(const std::vector<esquema::Fila>& filas, const QString& palabra) {
    for (const auto& f : filas)
        if (f.palabra == palabra) return &f;
    return nullptr;
}

} // namespace

TEST(Filas, DefaultTranslationComesFirst) {
    // cámara is a one-way translation of house (cámara -> camera); casa goes both ways. The verb
    // reading comes after the noun's unrestricted and restricted translations.
    const auto filas = ConstruirFilas(IngEsp(
        {{"house<n>", "cámara<n><f>"}, {"house<vblex>", "albergar<vblex>"}, {"house<n>", "casa<n><f>"},
         {"bank<vblex>", "amontonar<vblex>"}, {"bank<n>", "orilla<n><f>"}, {"bank<n>", "banco<n><m>"}},
        {{"casa<n><f>", "house<n>"}, {"albergar<vblex>", "house<vblex>"}, {"banco<n><m>", "bank<n>"},
         {"orilla<n><f>", "bank<n>"}}));
    EXPECT_EQ(Traducciones(filas, "house"), QStringList({"casa", "cámara", "albergar"}));
    // bank<vblex> has only a one-way translation, so the noun reading leads.
    EXPECT_EQ(Traducciones(filas, "bank"), QStringList({"orilla", "banco", "amontonar"}));
    // Headwords are inserted in the list's order, each headword's rows together.
    ASSERT_EQ(filas.size(), 6u);
    EXPECT_EQ(filas.front().palabra, QStringLiteral("bank"));
}

TEST(Filas, ReadingsRankedByAnalyserFirstChoiceAndPartOfSpeech) {
    Insumos in = IngEsp({{"time<adj>", "horario<adj>"}, {"time<n>", "tiempo<n><m>"},
                         {"run<n>", "carrera<n><f>"}, {"run<vblex>", "correr<vblex>"},
                         {"red<n>", "rojo<n><GD>"}, {"red<adj>", "rosso<adj>"}, {"red<adj>", "rojo<adj>"},
                         {"water<vblex>", "abrevar<vblex>"}, {"water<n>", "agua<n><f>"},
                         {"good<adj><sint><comp>", "mejor<adj>"}, {"good<adj><sint>", "bueno<adj>"}},
                        {{"horario<adj>", "time<adj>"}, {"tiempo<n>", "time<n>"}, {"carrera<n>", "career<n>"},
                         {"carrera<n>", "run<n>"}, {"correr<vblex>", "run<vblex>"}, {"rojo<adj>", "red<adj>"},
                         {"rojo<n>", "red<n>"}, {"abrevar<vblex>", "water<vblex>"}, {"agua<n>", "water<n>"},
                         {"mejor<adj>", "better<adj>"}, {"mejor<adj>", "good<adj>"}, {"bueno<adj>", "good<adj>"}});
    in.predilectos = ClavesPredilectas({{"horario<adj>", "time<adj>"}, {"tiempo<n>", "time<n>"},
                                        {"carrera<n>", "career<n>"}, {"carrera<n>", "run<n>"},
                                        {"correr<vblex>", "run<vblex>"}, {"rojo<adj>", "red<adj>"},
                                        {"rojo<n>", "red<n>"}, {"abrevar<vblex>", "water<vblex>"},
                                        {"agua<n>", "water<n>"}, {"mejor<adj>", "better<adj>"},
                                        {"mejor<adj>", "good<adj>"}, {"bueno<adj>", "good<adj>"}});
    // The analyser knows "time" as a noun and a verb only.
    in.rasgosOrigen = {{"time", R("", "s", {"n", "vblex"})}};
    const auto filas = ConstruirFilas(in);
    // Not an adjective for the analyser.
    EXPECT_EQ(Traducciones(filas, "time").first(), QStringLiteral("tiempo"));
    // "correr" takes "run" back as its first choice; "carrera" prefers "career".
    EXPECT_EQ(Traducciones(filas, "run").first(), QStringLiteral("correr"));
    // Ties go to the adjective, then the noun, then the verb; comparatives last.
    EXPECT_EQ(Traducciones(filas, "red"), QStringList({"rojo", "rosso"}));
    EXPECT_EQ(Primera(filas, "red")->tipo, QStringLiteral("aj"));
    EXPECT_EQ(Traducciones(filas, "water").first(), QStringLiteral("agua"));
    EXPECT_EQ(Traducciones(filas, "good"), QStringList({"bueno", "mejor"}));
}

TEST(Filas, OneRowPerPairAndProperNouns) {
    const auto filas = ConstruirFilas(IngEsp({
        {"red<adj>", "rojo<adj>"},
        {"red<n>", "rojo<n><GD>"},        // same pair again: one row
        {"Turkey<np><loc>", "Turquía<np><loc>"},
        {"turkey<n>", "pavo<n><m>"},
        {"Paris<np><loc>", "París<np><loc>"},
        {"Madrid<np><loc>", "Madrid<np><loc>"}, // a name that stays the same: left out
        {"(<lpar>", "(<lpar>"},                  // punctuation: left out
    }));
    EXPECT_EQ(Traducciones(filas, "red"), QStringList({"rojo"}));
    EXPECT_EQ(Primera(filas, "red")->tipo, QStringLiteral("aj"));
    // The common noun leads the case-insensitive headword "turkey"; the country follows.
    EXPECT_EQ(Traducciones(filas, "turkey"), QStringList({"pavo", "Turquía"}));
    EXPECT_EQ(Traducciones(filas, "Paris"), QStringList({"París"}));
    EXPECT_TRUE(Traducciones(filas, "Madrid").isEmpty());
    EXPECT_TRUE(Traducciones(filas, "(").isEmpty());
}

TEST(Filas, CodesComeFromTagsThenFromTheAnalyser) {
    Insumos in;
    in.direccion = kEspIng;
    in.pares = {{"perro<n>", "dog<n>"}, {"casa<n><f>", "house<n>"}, {"estudiante<n><mf>", "student<n>"},
                {"correr<vblex>", "run<vblex>"}, {"tijeras<n><f>", "scissors<n><pl>"}};
    in.pares.push_back({"el<det>", "the<det>"});
    in.pares.push_back({"este<det>", "this<det>"});
    in.rasgosOrigen = {{"perro", R("m", "s")},   {"casa", R("f", "s")},
                       {"estudiante", R("m", "s")}, {"tijeras", R("f", "p")},
                       {"el", R("", "", {"det"}, true)}, {"este", R("", "", {"det"})}};
    in.rasgosDestino = {{"dog", R("", "s")}, {"house", R("", "s")}, {"scissors", R("", "s")}};
    const auto filas = ConstruirFilas(in);

    const esquema::Fila* perro = Primera(filas, "perro");
    ASSERT_TRUE(perro);
    EXPECT_EQ(perro->tipo, QStringLiteral("n"));
    EXPECT_EQ(perro->genero, QStringLiteral("m"));
    EXPECT_EQ(perro->numero, QStringLiteral("s"));
    EXPECT_EQ(perro->tipoT, QStringLiteral("n"));
    EXPECT_EQ(perro->generoT, QString());
    EXPECT_EQ(perro->numeroT, QStringLiteral("s"));
    EXPECT_EQ(Primera(filas, "casa")->genero, QStringLiteral("f"));
    // Common gender stays common even when the analyser's first reading says otherwise.
    EXPECT_EQ(Primera(filas, "estudiante")->genero, QString());
    // The entry's own number tag wins over the analyser.
    EXPECT_EQ(Primera(filas, "tijeras")->numeroT, QStringLiteral("p"));
    EXPECT_EQ(Primera(filas, "tijeras")->numero, QStringLiteral("p"));
    // A bare determiner is an article when the analyser reads it as one.
    EXPECT_EQ(Primera(filas, "el")->tipo, QStringLiteral("ar"));
    EXPECT_EQ(Primera(filas, "este")->tipo, QString());
    const esquema::Fila* correr = Primera(filas, "correr");
    EXPECT_EQ(correr->tipo, QStringLiteral("v"));
    EXPECT_TRUE(correr->genero.isEmpty() && correr->numero.isEmpty());
}

TEST(Filas, FurtherMeaningsAndTheirNullRules) {
    const auto filas = ConstruirFilas(IngEsp({{"house<n>", "casa<n><f>"}, {"house<n>", "cámara<n><f>"},
                                              {"house<vblex>", "albergar<vblex>"}, {"house<vblex>", "alojar<vblex>"},
                                              {"bank<n>", "banco<n><m>"}, {"bank<n>", "orilla<n><f>"},
                                              {"dog<n>", "perro<n><GD>"}}));
    for (const auto& f : filas) {
        // Acepcion2 is never Null once Acepcion1 says something.
        if (!f.acepcion1.isNull() && !f.acepcion1.toString().isEmpty()) {
            EXPECT_FALSE(f.acepcion2.isNull());
        }
        if (f.palabra == QLatin1String("house")) {
            EXPECT_EQ(f.acepcion1.toString(), QStringLiteral("cámara"));
            EXPECT_EQ(f.acepcion2.toString(), QStringLiteral("albergar"));
        } else if (f.palabra == QLatin1String("bank")) {
            EXPECT_EQ(f.acepcion1.toString(), QStringLiteral("orilla"));
            ASSERT_FALSE(f.acepcion2.isNull());
            EXPECT_TRUE(f.acepcion2.toString().isEmpty());
        } else {
            EXPECT_TRUE(f.acepcion1.isNull());
            EXPECT_TRUE(f.acepcion2.isNull());
        }
    }
    // A direction away from Spanish has no further meanings at all.
    Insumos esp;
    esp.direccion = kEspIng;
    esp.pares = {{"casa<n><f>", "house<n>"}, {"casa<n><f>", "home<n>"}, {"casa<n><f>", "household<n>"}};
    for (const auto& f : ConstruirFilas(esp)) EXPECT_TRUE(f.acepcion1.isNull() && f.acepcion2.isNull());

    const Resumen r = Resumir(filas);
    EXPECT_EQ(r.palabras, 3);
    EXPECT_EQ(r.filas, 7);
    EXPECT_EQ(r.conAcepciones, 6);
}

TEST(Filas, RecordingsFlagAndTheSchemaAcceptsTheRows) {
    Insumos in;
    in.direccion = kEspIng;
    in.pares = {{"casa<n><f>", "house<n>"}, {"barra<n><f>", "slash/bar<n>"}};
    auto filas = ConstruirFilas(in);
    MarcarGrabaciones(filas, [](const QString& t) { return t == QLatin1String("house"); });
    EXPECT_TRUE(Primera(filas, "casa")->pronunciacion);
    EXPECT_FALSE(Primera(filas, "barra")->pronunciacion);

    TempDatabase db;
    db.Insert(kEspIng, filas);
    db.Insert(kIngEsp, ConstruirFilas(IngEsp({{"bank<n>", "banco<n><m>"}, {"bank<n>", "orilla<n><f>"}, {"dog<n>", "perro<n>"}})));
    auto abierta = db.Open();
    auto q = abierta->QueryDefs(QStringLiteral("qryBuscarIngEsp"));
    q->Parameters(QStringLiteral("ptroPalabra")).SetValue(QStringLiteral("BANK"));
    auto rs = q->OpenRecordset(dao::dbOpenForwardOnly);
    ASSERT_FALSE(rs->Eof());
    EXPECT_EQ(rs->Fields("Traduccion").Value().toString(), QStringLiteral("banco"));
    EXPECT_EQ(rs->Fields("Acepcion1").Value().toString(), QStringLiteral("orilla"));
    EXPECT_FALSE(rs->Fields("Acepcion2").IsNull());
    rs->Close();

    q->Parameters(QStringLiteral("ptroPalabra")).SetValue(QStringLiteral("dog"));
    rs = q->OpenRecordset(dao::dbOpenForwardOnly);
    ASSERT_FALSE(rs->Eof());
    EXPECT_TRUE(rs->Fields("Acepcion1").IsNull());
    rs->Close();
}
