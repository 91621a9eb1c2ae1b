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

Insumos En(int direccion, std::vector<Par> pares) {
    Insumos in;
    in.direccion = direccion;
    in.pares = std::move(pares);
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
    const auto filas = ConstruirFilas(IngEsp({{"house<n>", "cámara<n><f>"},
                                              {"house<vblex>", "albergar<vblex>"},
                                              {"house<n>", "casa<n><f>"},
                                              {"bank<vblex>", "amontonar<vblex>"},
                                              {"bank<n>", "orilla<n><f>"},
                                              {"bank<n>", "banco<n><m>"}},
                                             {{"casa<n><f>", "house<n>"},
                                              {"albergar<vblex>", "house<vblex>"},
                                              {"banco<n><m>", "bank<n>"},
                                              {"orilla<n><f>", "bank<n>"}}));
    EXPECT_EQ(Traducciones(filas, "house"), QStringList({"casa", "cámara", "albergar"}));
    // bank<vblex> has only a one-way translation, so the noun reading leads.
    EXPECT_EQ(Traducciones(filas, "bank"), QStringList({"orilla", "banco", "amontonar"}));
    // Headwords are inserted in the list's order, each headword's rows together.
    ASSERT_EQ(filas.size(), 6u);
    EXPECT_EQ(filas.front().palabra, QStringLiteral("bank"));
}

TEST(Filas, ReadingsRankedByAnalyserFirstChoiceAndPartOfSpeech) {
    const std::vector<Par> opuestos = {
        {"horario<adj>", "time<adj>"}, {"tiempo<n>", "time<n>"},           {"carrera<n>", "career<n>"},
        {"carrera<n>", "run<n>"},      {"correr<vblex>", "run<vblex>"},    {"rojo<adj>", "red<adj>"},
        {"rojo<n>", "red<n>"},         {"abrevar<vblex>", "water<vblex>"}, {"agua<n>", "water<n>"},
        {"mejor<adj>", "better<adj>"}, {"mejor<adj>", "good<adj>"},        {"bueno<adj>", "good<adj>"}};
    Insumos in = IngEsp({{"time<adj>", "horario<adj>"},
                         {"time<n>", "tiempo<n><m>"},
                         {"run<n>", "carrera<n><f>"},
                         {"run<vblex>", "correr<vblex>"},
                         {"red<n>", "rojo<n><GD>"},
                         {"red<adj>", "rosso<adj>"},
                         {"red<adj>", "rojo<adj>"},
                         {"water<vblex>", "abrevar<vblex>"},
                         {"water<n>", "agua<n><f>"},
                         {"good<adj><sint><comp>", "mejor<adj>"},
                         {"good<adj><sint>", "bueno<adj>"}},
                        opuestos);
    in.predilectos = ClavesPredilectas(opuestos);
    // The analyser knows "time" as a noun and a verb only.
    in.rasgosOrigen = {{"time", R("", "s", {"n", "vblex"})}};
    const auto filas = ConstruirFilas(in);
    // Not an adjective for the analyser.
    EXPECT_EQ(Traducciones(filas, "time").first(), QStringLiteral("tiempo"));
    // "correr" takes "run" back as its first choice; "carrera" prefers "career".
    EXPECT_EQ(Traducciones(filas, "run").first(), QStringLiteral("correr"));
    // Ties go to the adjective, then the noun, then the verb; comparatives last. The noun keeps
    // its own row though it says the same word.
    EXPECT_EQ(Traducciones(filas, "red"), QStringList({"rojo", "rosso", "rojo"}));
    EXPECT_EQ(Primera(filas, "red")->tipo, QStringLiteral("aj"));
    EXPECT_EQ(Traducciones(filas, "water").first(), QStringLiteral("agua"));
    EXPECT_EQ(Traducciones(filas, "good"), QStringList({"bueno", "mejor"}));
}

TEST(Filas, ReadersCommonestPartOfSpeechAndTranslationComeFirst) {
    // Apertium lists the rarer sense first; the counts of running text in each language decide.
    Insumos in = IngEsp({{"die<n>", "dado<n><m>"},
                         {"die<vblex>", "morir<vblex>"},
                         {"stop<n>", "parón<n><m>"},
                         {"stop<vblex>", "parar<vblex>"},
                         {"make<vblex>", "realizar<vblex>"},
                         {"make<vblex>", "hacer<vblex>"},
                         {"watch<vblex>", "velar<vblex>"},
                         {"watch<vblex>", "mirar<vblex>"},
                         {"watch<n>", "reloj<n><m>"}});
    // Without counts, the order of the other rules: the noun before the verb, Apertium's order.
    auto filas = ConstruirFilas(in);
    EXPECT_EQ(Traducciones(filas, "die").first(), QStringLiteral("dado"));
    EXPECT_EQ(Traducciones(filas, "make").first(), QStringLiteral("realizar"));

    in.usosOrigen = {{"die<vblex>", 40},  {"die<n>", 2},        {"stop<vblex>", 25}, {"stop<n>", 6},
                     {"make<vblex>", 90}, {"watch<vblex>", 12}, {"watch<n>", 3}};
    in.usosDestino = {{"morir<vblex>", 30}, {"hacer<vblex>", 400}, {"realizar<vblex>", 35},
                      {"mirar<vblex>", 20}, {"velar<vblex>", 1},   {"dado<n>", 9}};
    filas = ConstruirFilas(in);
    EXPECT_EQ(Traducciones(filas, "die"), QStringList({"morir", "dado"}));
    EXPECT_EQ(Traducciones(filas, "stop"), QStringList({"parar", "parón"}));
    EXPECT_EQ(Traducciones(filas, "make"), QStringList({"hacer", "realizar"}));
    EXPECT_EQ(Traducciones(filas, "watch"), QStringList({"mirar", "velar", "reloj"}));
    EXPECT_EQ(Primera(filas, "die")->tipo, QStringLiteral("v"));

    // Counts about as high as each other (10 and 9 uses) leave the other rules to decide.
    in.usosOrigen = {{"die<vblex>", 10}, {"die<n>", 9}};
    in.usosDestino = {{"hacer<vblex>", 10}, {"realizar<vblex>", 9}};
    filas = ConstruirFilas(in);
    EXPECT_EQ(Traducciones(filas, "die").first(), QStringLiteral("dado"));
    EXPECT_EQ(Traducciones(filas, "make").first(), QStringLiteral("realizar"));
}

TEST(Filas, NounHeadwordIsANounFirstNotTheAdjectiveOfACompound) {
    // "car industry" is "industria automovilística": Apertium files the adjective under the
    // noun, often first. No counts are needed to prefer the translation of the same kind.
    const auto filas = ConstruirFilas(IngEsp({{"car<n>", "automovilístico<adj>"},
                                              {"car<n>", "coche<n><m>"},
                                              {"school<n>", "escolar<adj>"},
                                              {"school<n>", "escuela<n><f>"},
                                              {"police<n>", "policial<adj>"},
                                              {"police<n>", "policía<n><f>"},
                                              {"fast<adj>", "rapidez<n><f>"},
                                              {"fast<adj>", "rápido<adj>"}}));
    EXPECT_EQ(Traducciones(filas, "car"), QStringList({"coche", "automovilístico"}));
    EXPECT_EQ(Traducciones(filas, "school").first(), QStringLiteral("escuela"));
    EXPECT_EQ(Traducciones(filas, "police").first(), QStringLiteral("policía"));
    EXPECT_EQ(Primera(filas, "car")->tipoT, QStringLiteral("n"));

    // Apertium's English reads "student" as an adjective too ("student life", "vida
    // estudiantil"): that is the noun put before another, after the noun itself. An adjective
    // that says what the noun says ("red", "rojo") is the word's own and comes first.
    auto otras = ConstruirFilas(IngEsp({{"student<adj>", "estudiantil<adj>"},
                                        {"student<n>", "estudiante<n><GD>"},
                                        {"red<adj>", "rojo<adj>"},
                                        {"red<n>", "rojo<n><GD>"}}));
    EXPECT_EQ(Traducciones(otras, "student"), QStringList({"estudiante", "estudiantil"}));
    EXPECT_EQ(Primera(otras, "red")->tipo, QStringLiteral("aj"));
    // In Spanish an adjective read as a noun is its own use: "joven" is "young" first.
    otras = ConstruirFilas(En(kEspIng, {{"joven<adj>", "young<adj>"}, {"joven<n>", "youngster<n>"}}));
    EXPECT_EQ(Traducciones(otras, "joven").first(), QStringLiteral("young"));
    // And an adjective headword an adjective.
    EXPECT_EQ(Traducciones(filas, "fast").first(), QStringLiteral("rápido"));
}

TEST(Filas, OneRowPerPairAndProperNouns) {
    const auto filas = ConstruirFilas(IngEsp({
        {"red<adj>", "rojo<adj>"},
        {"red<adj><sint>", "rojo<adj>"}, // same pair and part of speech again: one row
        {"red<n>", "rojo<n><GD>"},       // the same words as nouns: a row of their own
        {"Turkey<np><loc>", "Turquía<np><loc>"},
        {"turkey<n>", "pavo<n><m>"},
        {"Paris<np><loc>", "París<np><loc>"},
        {"Madrid<np><loc>", "Madrid<np><loc>"}, // a name that stays the same: left out
        {"(<lpar>", "(<lpar>"},                 // punctuation: left out
    }));
    EXPECT_EQ(Traducciones(filas, "red"), QStringList({"rojo", "rojo"}));
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
    in.pares = {{"perro<n>", "dog<n>"},
                {"casa<n><f>", "house<n>"},
                {"estudiante<n><mf>", "student<n>"},
                {"correr<vblex>", "run<vblex>"},
                {"tijeras<n><f>", "scissors<n><pl>"}};
    in.pares.push_back({"el<det>", "the<det>"});
    in.pares.push_back({"este<det>", "this<det>"});
    in.rasgosOrigen = {{"perro", R("m", "s")},           {"casa", R("f", "s")},
                       {"estudiante", R("m", "s")},      {"tijeras", R("f", "p")},
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
    const auto filas = ConstruirFilas(IngEsp({{"house<n>", "casa<n><f>"},
                                              {"house<n>", "cámara<n><f>"},
                                              {"house<vblex>", "albergar<vblex>"},
                                              {"house<vblex>", "alojar<vblex>"},
                                              {"bank<n>", "banco<n><m>"},
                                              {"bank<n>", "orilla<n><f>"},
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
    for (const auto& f : ConstruirFilas(esp))
        EXPECT_TRUE(f.acepcion1.isNull() && f.acepcion2.isNull());

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
    db.Insert(kIngEsp,
              ConstruirFilas(
                  IngEsp({{"bank<n>", "banco<n><m>"}, {"bank<n>", "orilla<n><f>"}, {"dog<n>", "perro<n>"}})));
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

namespace {

// A generator that knows a few readings, as lttoolbox's would.
std::function<QString(const QString&)> Generador(QHash<QString, QString> formas) {
    return [formas = std::move(formas)](const QString& lectura) { return formas.value(lectura); };
}

} // namespace

TEST(Filas, InternalNamesAndJunkHeadwordsAreLeftOut) {
    const auto filas = ConstruirFilas(
        En(kIngEsp, {
                        {"myself<prn><ref>", "prpers<prn><ref>"},
                        {"Pole_person<n>", "polaco<n><m>"},
                        {"non-fulfilment<n>", "não_cumprimento<n><m>"},
                        {"‘Soldier Idoia Rodríguez, women in the Armed Forces' Award<np>",
                         "Premio Soldado Idoia Rodríguez<np>"},
                        {"when in Rome do as the Romans do<n>", "donde fueres haz lo que vieres<n>"},
                        {"take off<vblex>", "despegar<vblex>"},
                        {"according to<pr>", "según<pr>"},
                        {"sundae<n>", "copa de helado con frutas y nueces<n><f>"},
                    }));
    for (const auto& f : filas) {
        EXPECT_FALSE(f.traduccion.contains(QLatin1String("prpers")) ||
                     f.traduccion.contains(QLatin1Char('_')) || f.palabra.contains(QLatin1Char('_')))
            << f.palabra.toStdString() << " -> " << f.traduccion.toStdString();
    }
    EXPECT_TRUE(Traducciones(filas, "myself").isEmpty());
    EXPECT_TRUE(Traducciones(filas, "non-fulfilment").isEmpty());
    EXPECT_TRUE(Traducciones(filas, "when in Rome do as the Romans do").isEmpty());
    // Ordinary multiword entries stay, and a long translation is no reason to drop its headword.
    EXPECT_EQ(Traducciones(filas, "take off"), QStringList({"despegar"}));
    EXPECT_EQ(Traducciones(filas, "according to"), QStringList({"según"}));
    EXPECT_EQ(Traducciones(filas, "sundae"), QStringList({"copa de helado con frutas y nueces"}));
    EXPECT_EQ(filas.size(), 3u);

    EXPECT_TRUE(EsCabezaValida(QStringLiteral("a través de")));
    EXPECT_TRUE(EsCabezaValida(QStringLiteral("aujourd'hui")));
    EXPECT_FALSE(EsCabezaValida(QStringLiteral("¿qué tal?")));
    EXPECT_FALSE(EsCabezaValida(QStringLiteral("«Le Monde»")));
    EXPECT_FALSE(EsCabezaValida(QStringLiteral("rojo (color)")));
    EXPECT_FALSE(EsCabezaValida(QStringLiteral("uno dos tres cuatro cinco")));
}

TEST(Filas, FunctionWordRowsLeadTheirHeadword) {
    Insumos in = En(
        kEspIng, {{"la<n><m>", "A<n>"}, {"el<det><def>", "the<det><def>"}, {"él<prn><tn>", "he<prn><tn>"}});
    esquema::Fila la;
    la.palabra = QStringLiteral("la");
    la.traduccion = QStringLiteral("the");
    la.tipo = QStringLiteral("ar");
    la.genero = QStringLiteral("f");
    la.numero = QStringLiteral("s");
    esquema::Fila el = la;
    el.palabra = QStringLiteral("el");
    el.genero = QStringLiteral("m");
    esquema::Fila yo = la;
    yo.palabra = QStringLiteral("yo");
    yo.traduccion = QStringLiteral("I");
    yo.tipo = QStringLiteral("pro");
    yo.genero.clear();
    in.funcionales = {la, el, yo};
    const auto filas = ConstruirFilas(in);
    // The article before the musical note; a headword of its own for a form the pairs never name.
    EXPECT_EQ(Traducciones(filas, "la"), QStringList({"the", "A"}));
    EXPECT_EQ(Primera(filas, "la")->genero, QStringLiteral("f"));
    EXPECT_EQ(Traducciones(filas, "yo"), QStringList({"I"}));
    // The lemma row that says what the function word's row says is not repeated.
    EXPECT_EQ(Traducciones(filas, "el"), QStringList({"the"}));
    EXPECT_EQ(Primera(filas, "el")->genero, QStringLiteral("m"));
    // Still in the word list's order.
    QStringList orden;
    for (const auto& f : filas)
        if (orden.isEmpty() || orden.last() != f.palabra) orden << f.palabra;
    EXPECT_EQ(orden, QStringList({"el", "él", "la", "yo"}));
}

TEST(Filas, LowerCaseArticleAndTaggerRankFirst) {
    // "who" is a pronoun before it is the WHO; "may" a verb before the month.
    auto filas = ConstruirFilas(En(kIngEsp, {{"WHO<n><acr>", "OMS<n><acr><f>"},
                                             {"who<prn><itg>", "quién<prn><itg>"},
                                             {"May<n>", "mayo<n><m>"},
                                             {"may<vaux>", "poder<vbmod>"}}));
    EXPECT_EQ(Traducciones(filas, "who"), QStringList({"quién", "OMS"}));
    EXPECT_EQ(Traducciones(filas, "may"), QStringList({"poder", "mayo"}));

    // French "le" is the article first.
    constexpr int kFraEsp = 5;
    filas = ConstruirFilas(En(kFraEsp, {{"le<prn><pro>", "lo<prn><pro>"}, {"le<det><def>", "el<det><def>"}}));
    EXPECT_EQ(Traducciones(filas, "le"), QStringList({"el", "lo"}));
    EXPECT_EQ(Primera(filas, "le")->tipo, QStringLiteral("ar"));

    // The tagger's pick between a noun and an adverb, and between a noun and a verb that say the
    // same word: the verb keeps its row.
    Insumos in = En(kEspIng, {{"bien<n>", "sake<n>"},
                              {"bien<adv>", "well<adv>"},
                              {"poder<n>", "can<n>"},
                              {"poder<vbmod>", "can<vaux>"},
                              {"rojo<n>", "red<n>"},
                              {"rojo<adj>", "red<adj>"}});
    EXPECT_EQ(Traducciones(ConstruirFilas(in), "bien").first(), QStringLiteral("sake"));
    in.etiquetado = {{"bien", "adv"}, {"poder", "vbmod"}, {"rojo", "n"}};
    filas = ConstruirFilas(in);
    EXPECT_EQ(Traducciones(filas, "bien").first(), QStringLiteral("well"));
    ASSERT_EQ(Traducciones(filas, "poder"), QStringList({"can", "can"}));
    EXPECT_EQ(Primera(filas, "poder")->tipo, QStringLiteral("v"));
    // Alone, an adjective looks like a noun to the tagger: that pick does not count.
    EXPECT_EQ(Primera(filas, "rojo")->tipo, QStringLiteral("aj"));
}

TEST(Filas, GenderSpecificSensesAndFormsComeFromTheGenerator) {
    Insumos in = En(kEspIng, {{"hijo<n><m>", "son<n>"},
                              {"hijo<n><f>", "daughter<n>"},
                              {"amigo<n>", "friend<n>"},
                              {"abad<n>", "abbot<n>"},
                              {"abad<n><f>", "abbess<n>"},
                              {"gente<n><f>", "person<n><pl>"},
                              {"mejor<adj>", "good<adj><sint><comp>"},
                              {"premio<n><m><pl>", "prize<n><pl>"}});
    in.rasgosOrigen = {{"hijo", R("m", "s", {"n"})},
                       {"amigo", R("m", "s", {"n"})},
                       {"abad", R("m", "s", {"n"})},
                       {"gente", R("f", "s", {"n"})},
                       {"premio", R("m", "s", {"n"})}};
    in.generarOrigen = Generador({{"hijo<n><f><sg>", "hija"},
                                  {"amigo<n><f><sg>", "amiga"},
                                  {"abad<n><f><sg>", "abadesa"},
                                  {"premio<n><m><pl>", "premios"}});
    in.generarDestino = Generador({{"person<n><pl>", "people"}, {"good<adj><sint><comp>", "better"}});
    const auto filas = ConstruirFilas(in);
    EXPECT_EQ(Traducciones(filas, "hijo"), QStringList({"son"}));
    EXPECT_EQ(Traducciones(filas, "hija"), QStringList({"daughter"}));
    EXPECT_EQ(Primera(filas, "hija")->genero, QStringLiteral("f"));
    // An entry of open gender gives the feminine a headword too, unless the lemma has its own
    // feminine entries.
    EXPECT_EQ(Traducciones(filas, "amigo"), QStringList({"friend"}));
    EXPECT_EQ(Traducciones(filas, "amiga"), QStringList({"friend"}));
    EXPECT_EQ(Primera(filas, "amiga")->genero, QStringLiteral("f"));
    EXPECT_EQ(Traducciones(filas, "abadesa"), QStringList({"abbess"}));
    EXPECT_EQ(Traducciones(filas, "abad"), QStringList({"abbot"}));
    // Translations in the form their tags ask for; headwords stay singular.
    EXPECT_EQ(Traducciones(filas, "gente"), QStringList({"people"}));
    EXPECT_EQ(Primera(filas, "gente")->numeroT, QStringLiteral("p"));
    EXPECT_EQ(Traducciones(filas, "mejor"), QStringList({"better"}));
    EXPECT_EQ(Traducciones(filas, "premio"), QStringList({"prize"}));
    EXPECT_TRUE(Traducciones(filas, "premios").isEmpty());

    // Without a generator the lemmas stand.
    in.generarOrigen = {};
    in.generarDestino = {};
    const auto sin = ConstruirFilas(in);
    EXPECT_EQ(Traducciones(sin, "gente"), QStringList({"person"}));
    EXPECT_TRUE(Traducciones(sin, "amiga").isEmpty());
}

TEST(Filas, GenderNumberAndArticleOnlyWhereTheyBelong) {
    constexpr int kEspFra = 4;
    Insumos in = En(kEspFra, {{"rojo<adj><m><sg>", "rouge<adj><mf><sg>"},
                              {"cierto<det><ind><m><sg>", "certain<det><ind><m><sg>"},
                              {"un<det><ind><m><sg>", "un<det><ind><m><sg>"},
                              {"arroz<n><m><pl>", "riz<n><m><sp>"},
                              {"arroz<n><m><sg>", "riz<n><m><sp>"}});
    const auto filas = ConstruirFilas(in);
    const esquema::Fila* rojo = Primera(filas, "rojo");
    ASSERT_TRUE(rojo);
    EXPECT_EQ(rojo->tipo, QStringLiteral("aj"));
    EXPECT_TRUE(rojo->genero.isEmpty() && rojo->numero.isEmpty() && rojo->generoT.isEmpty() &&
                rojo->numeroT.isEmpty());
    EXPECT_EQ(Primera(filas, "cierto")->tipo, QString());
    EXPECT_TRUE(Primera(filas, "cierto")->genero.isEmpty());
    EXPECT_EQ(Primera(filas, "un")->tipo, QStringLiteral("ar"));
    EXPECT_EQ(Primera(filas, "un")->generoT, QStringLiteral("m"));
    // One row, singular, though the entry was walked in the plural first.
    EXPECT_EQ(Traducciones(filas, "arroz"), QStringList({"riz"}));
    EXPECT_EQ(Primera(filas, "arroz")->numero, QStringLiteral("s"));
}

TEST(Filas, AbbreviationsAreNeitherHeadwordsNorTranslations) {
    constexpr int kEspPor = 2, kEspFra = 4, kFraEsp = 5;
    auto filas = ConstruirFilas(En(kEspPor, {{"uk.<n><m>", "uk.<n><m>"}, {"casa<n><f>", "casa<n><f>"}}));
    EXPECT_TRUE(Traducciones(filas, "uk.").isEmpty());
    EXPECT_EQ(Traducciones(filas, "casa"), QStringList({"casa"}));
    filas = ConstruirFilas(En(kEspFra, {{"Ayto.<n><m>", "mairie<n><f>"},
                                        {"ayuntamiento<n><m>", "mairie<n><f>"},
                                        {"señor<n><m>", "M<abbr>"},
                                        {"señor<n><m>", "monsieur<n><m>"}}));
    EXPECT_TRUE(Traducciones(filas, "Ayto.").isEmpty());
    EXPECT_EQ(Traducciones(filas, "ayuntamiento"), QStringList({"mairie"}));
    EXPECT_EQ(Traducciones(filas, "señor"), QStringList({"monsieur"}));
    filas = ConstruirFilas(
        En(kFraEsp, {{"mairie<n><f>", "Ayto.<n><m>"}, {"mairie<n><f>", "ayuntamiento<n><m>"}}));
    EXPECT_EQ(Traducciones(filas, "mairie"), QStringList({"ayuntamiento"}));
}

TEST(Filas, WordsOfTheOtherLanguageInTheHeadwordColumnAreLeftOut) {
    constexpr int kPorEsp = 3;
    // "buscar" and "sustituto" are Spanish: the Portuguese analyser does not know them, the
    // Spanish one does (Insumos::ajenas), and Portuguese text never has them.
    Insumos in = En(kPorEsp, {{"buscar<vblex>", "buscar<vblex>"},
                              {"sustituto<adj>", "sustituto<adj>"},
                              {"substituto<adj>", "sustituto<adj>"},
                              {"renderizar<vblex>", "renderizar<vblex>"}});
    in.ajenas = {"buscar", "sustituto", "renderizar"};
    // Text has "renderizar", which its analyser does not know: the word is Portuguese all the same.
    in.usosOrigen = {{"*renderizar", 3}, {"substituto<adj>", 4}};
    const auto filas = ConstruirFilas(in);
    EXPECT_TRUE(Traducciones(filas, "buscar").isEmpty());
    EXPECT_TRUE(Traducciones(filas, "sustituto").isEmpty());
    EXPECT_EQ(Traducciones(filas, "substituto"), QStringList({"sustituto"}));
    EXPECT_EQ(Traducciones(filas, "renderizar"), QStringList({"renderizar"}));
}

TEST(Filas, AnAdjectiveIsNoTranslationOfANoun) {
    constexpr int kEspFra = 4;
    // "vulgaridad" is made from "vulgar", which the dictionary translates "vulgaire": that is the
    // adjective, whatever the noun entry says. "pauvre" is no noun to the French analyser.
    Insumos in = En(kEspFra, {{"vulgar<adj>", "vulgaire<adj>"},
                              {"vulgaridad<n><f>", "vulgaire<n><m>"},
                              {"vulgaridad<n><f>", "vulgarité<n><f>"},
                              {"pobreza<n><f>", "pauvre<n><m>"},
                              {"pobreza<n><f>", "pauvreté<n><f>"},
                              {"extranjero<n><m>", "étranger<n><m>"},
                              {"rojo<adj>", "rouge<adj>"},
                              {"rojo<n><m>", "rouge<n><m>"}});
    in.rasgosOrigen = {{"pobreza", R("f", "s", {"n"})}, {"extranjero", R("m", "s", {"adj"})}};
    in.rasgosDestino = {
        {"pauvre", R("", "s", {"adj"})}, {"pauvreté", R("f", "s", {"n"})}, {"étranger", R("m", "s", {"n"})}};
    const auto filas = ConstruirFilas(in);
    EXPECT_EQ(Traducciones(filas, "vulgaridad"), QStringList({"vulgarité", "vulgaire"}));
    EXPECT_EQ(Traducciones(filas, "pobreza"), QStringList({"pauvreté", "pauvre"}));
    // A headword with nothing else keeps it.
    EXPECT_EQ(Traducciones(filas, "extranjero"), QStringList({"étranger"}));
    // The noun of the same word as the adjective is no noun made from it.
    EXPECT_EQ(Traducciones(filas, "rojo"), QStringList({"rouge", "rouge"}));
}

TEST(Filas, FrenchEndingsFixTheGender) {
    constexpr int kEspFra = 4, kFraEsp = 5;
    // Apertium's entries (and its French analyser) give these the wrong gender.
    Insumos in = En(kEspFra, {{"reacción<n><f>", "réaction<n><m>"},
                              {"integración<n><f>", "intégration<n><m>"},
                              {"sociedad<n><f>", "société<n><m>"},
                              {"seísmo<n><m>", "séisme<n><f>"},
                              {"acercamiento<n><m>", "rapprochement<n><f>"},
                              {"queso<n><m>", "fromage<n><f>"},
                              {"imagen<n><f>", "image<n><f>"},
                              {"casa<n><f>", "maison<n><f>"},
                              {"artista<n><mf>", "artiste<n><mf>"},
                              {"comité<n><m>", "comité<n><m>"},
                              {"verano<n><m>", "été<n><m>"}});
    in.rasgosDestino = {{"séisme", R("f", "s", {"n"})}, {"réaction", R("m", "s", {"n"})}};
    auto filas = ConstruirFilas(in);
    const std::pair<const char*, const char*> esperados[] = {
        {"reacción", "f"},     {"integración", "f"}, {"sociedad", "f"}, {"seísmo", "m"},
        {"acercamiento", "m"}, {"queso", "m"},       {"imagen", "f"},   {"casa", "f"},
        {"artista", ""},       {"comité", "m"},      {"verano", "m"}};
    for (const auto& [palabra, genero] : esperados) {
        const esquema::Fila* f = Primera(filas, palabra);
        ASSERT_TRUE(f) << palabra;
        EXPECT_EQ(f->generoT, QString::fromLatin1(genero)) << palabra;
    }
    // As headwords too.
    filas = ConstruirFilas(
        En(kFraEsp, {{"réaction<n><m>", "reacción<n><f>"}, {"alcoolisme<n><f>", "alcoholismo<n><m>"}}));
    EXPECT_EQ(Primera(filas, "réaction")->genero, QStringLiteral("f"));
    EXPECT_EQ(Primera(filas, "alcoolisme")->genero, QStringLiteral("m"));
}
