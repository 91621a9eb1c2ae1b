// The six scripts, request by request, through the recording character.
#include "GuideFixture.h"
#include "guide/Explicaciones.h"

#include <QComboBox>
#include <QProcess>
#include <QSet>
#include <map>

namespace {

// Dictionary window at pixel (100, 80): home spot (433, 400).
constexpr int kLeft = 1500, kTop = 1200;

// A script's log with each speech reduced to "Speak": the steps, their order, the gestures and the
// spots, which is what the tests compare. The sentences themselves are checked as Spanish below,
// and each must say something.
QStringList Pasos(const QStringList& log) {
    QStringList pasos;
    for (const QString& r : log) {
        if (r.startsWith(QLatin1String("Speak "))) {
            EXPECT_FALSE(r.mid(6).trimmed().isEmpty()) << "a speech with nothing to say";
            pasos << QStringLiteral("Speak");
        } else {
            pasos << r;
        }
    }
    return pasos;
}

// What the guide says in a log, in order. Within one script no sentence is said twice: a
// repeated one is a sentence pasted in place of another.
QStringList Dichos(const QStringList& log) {
    QStringList dichos;
    for (const QString& r : log)
        if (r.startsWith(QLatin1String("Speak "))) dichos << r.mid(6);
    EXPECT_EQ(QSet<QString>(dichos.begin(), dichos.end()).size(), dichos.size())
        << dichos.join(" / ").toStdString();
    return dichos;
}

} // namespace

TEST_F(GuideTest, WelcomeGivesOneOfFourTextsByQuarterOfTheDrawAndEndsIdle) {
    Ventana("frmPrincipal", kLeft, kTop);
    struct Cuarto {
        double desde, hasta;
        int frases;
    };
    // Both ends of each quarter of the draw, and how many sentences its text has.
    const Cuarto cuartos[] = {{0.0, 0.2499, 2}, {0.25, 0.4999, 2}, {0.5, 0.7499, 3}, {0.75, 0.9999, 2}};
    QSet<QString> textos;
    for (const Cuarto& c : cuartos) {
        QStringList esperado{QStringLiteral("MoveTo 433,400"), QStringLiteral("Show")};
        for (int i = 0; i < c.frases; ++i)
            esperado << QStringLiteral("Speak");
        esperado << QStringLiteral("Play idle2_1");
        QStringList primeros;
        for (double r : {c.desde, c.hasta}) {
            SCOPED_TRACE(r);
            Azar(r);
            SaludoDado = false;
            SaludarAgente();
            const QStringList log = Tomar();
            EXPECT_EQ(Pasos(log), esperado);
            EXPECT_TRUE(SaludoDado);
            if (r == c.desde)
                primeros = Dichos(log);
            else
                EXPECT_EQ(Dichos(log), primeros) << "one quarter of the draw, one text";
        }
        textos.insert(primeros.join(QLatin1Char('\n')));
    }
    EXPECT_EQ(textos.size(), 4) << "each quarter of the draw has a text of its own";
}

TEST_F(GuideTest, WelcomeWithTheClockSeededDrawPicksEveryTextAboutAQuarterOfTheTime) {
    Ventana("frmPrincipal", kLeft, kTop);
    std::map<QString, int> veces;
    const int kRondas = 2000;
    for (int i = 0; i < kRondas; ++i) {
        SaludarAgente();
        const QStringList log = Tomar();
        ASSERT_GE(log.size(), 5);
        EXPECT_EQ(log.last(), QStringLiteral("Play idle2_1"));
        ++veces[log[2]];
    }
    ASSERT_EQ(veces.size(), 4u);
    for (const auto& [primera, n] : veces)
        EXPECT_NEAR(n, kRondas / 4, kRondas / 10) << primera.toStdString();
}

TEST_F(GuideTest, DictionaryExplanationPointsAtTheDirectionsAndTheWordBoxThenGoesHome) {
    Ventana("frmPrincipal", kLeft, kTop);
    ExplicarDiccionario();
    const QStringList log = Tomar();
    EXPECT_EQ(Pasos(log), (QStringList{
                              "MoveTo 264,113",
                              "Play GestureRight",
                              "Speak",
                              "Play GestureRightReturn",
                              "MoveTo 264,200",
                              "Play GestureDown",
                              "Speak",
                              "Play Explain",
                              "Speak",
                              "Speak",
                              "Speak",
                              "Speak",
                              "MoveTo 433,400",
                          }));
    Dichos(log);
}

TEST_F(GuideTest, ScriptsFollowAWindowTheUserDragged) {
    Form* principal = Ventana("frmPrincipal", kLeft, kTop);
    ExplicarDiccionario();
    Tomar();
    principal->Move(3000, 2400); // pixel (200, 160)
    ExplicarDiccionario();
    const QStringList log = Tomar();
    EXPECT_EQ(log.first(), QStringLiteral("MoveTo 364,193"));
    EXPECT_EQ(log[4], QStringLiteral("MoveTo 364,280"));
    EXPECT_EQ(log.last(), QStringLiteral("MoveTo 533,480"));
    UbicarAgente(principal, puntos::kCasa);
    EXPECT_EQ(Tomar(), QStringList{"MoveTo 533,480"});
}

TEST_F(GuideTest, TranslatorExplanationStaysAtItsSpot) {
    Ventana("frmTraductor", 3000, 1500);
    ExplicarTraductor();
    const QStringList log = Tomar();
    EXPECT_EQ(Pasos(log), (QStringList{
                              "MoveTo 668,353",
                              "Play Announce",
                              "Speak",
                              "Play GestureRight",
                              "Speak",
                              "Play Explain",
                              "Speak",
                              "Play GestureDown",
                              "Speak",
                              "Play GestureDownReturn",
                              "Speak",
                              "Speak",
                              "Play idle2_1",
                          }));
    Dichos(log);
}

TEST_F(GuideTest, NotesExplanationPointsAtTheFlags) {
    Ventana("frmPropiedades", 0, 0);
    ExplicarPropiedades();
    const QStringList log = Tomar();
    EXPECT_EQ(Pasos(log), (QStringList{
                              "MoveTo 120,50",
                              "Speak",
                              "Play GestureDown",
                              "Speak",
                              "Play GestureDownReturn",
                              "Speak",
                              "Play idle2_1",
                          }));
    Dichos(log);
}

TEST_F(GuideTest, EachExplanationNamesTheKeysOfItsWindow) {
    const auto dicho = [this](const char* ventana, void (*guion)()) {
        Ventana(ventana, kLeft, kTop);
        guion();
        return Dichos(Tomar()).join(QLatin1Char(' '));
    };
    const QString diccionario = dicho("frmPrincipal", ExplicarDiccionario);
    for (const char* tecla : {"Control y un número del uno al seis", "F4", "escape", "Alt y las flechas",
                              "Control T", "Control N", "F1"})
        EXPECT_TRUE(diccionario.contains(QString::fromUtf8(tecla))) << tecla;
    const QString traductor = dicho("frmTraductor", ExplicarTraductor);
    for (const char* tecla :
         {"Control y enter", "Control y un número del uno al seis", "Control D", "Control N", "F1"})
        EXPECT_TRUE(traductor.contains(QString::fromUtf8(tecla))) << tecla;
    const QString notas = dicho("frmPropiedades", ExplicarPropiedades);
    for (const char* tecla : {"Control D", "Control T", "F1"})
        EXPECT_TRUE(notas.contains(QString::fromUtf8(tecla))) << tecla;
}

TEST_F(GuideTest, CreditsTourPointsAtTheBrandTheDesignerTheProgrammerAndCreditsTheDataSources) {
    Ventana("frmAcercaDe", kLeft, kTop);
    PresentarCreditos();
    const QStringList log = Tomar();
    EXPECT_EQ(Pasos(log), (QStringList{
                              "MoveTo 453,160",
                              "Play GestureUp",
                              "Speak",
                              "Play Explain",
                              "Speak",
                              "MoveTo 490,247",
                              "Play GestureRight",
                              "Speak",
                              "MoveTo 512,285",
                              "Play GestureRight",
                              "Speak",
                              "Play Congratulate",
                              "Play CongratulateReturn",
                              "Play GestureDown",
                              "Speak",
                              "Play GestureDownReturn",
                              "Play idle2_1",
                          }));
    // The dictionaries' data comes from Apertium's Debian packages, and the tour says so.
    const QStringList dichos = Dichos(log);
    ASSERT_FALSE(dichos.isEmpty());
    EXPECT_TRUE(dichos.last().contains("Apertium")) << dichos.last().toStdString();
    EXPECT_TRUE(dichos.last().contains("Debian")) << dichos.last().toStdString();
}

TEST_F(GuideTest, WordNotFoundReactionCoversEverySixth) {
    Form* principal = Ventana("frmPrincipal", kLeft, kTop);
    auto* lista = new QComboBox(principal);
    lista->setObjectName(QStringLiteral("cboLista"));
    lista->hide();
    const QStringList sugerencia{
        "Play Suggest", "Speak", "MoveTo 413,307", "Play GestureRight", "Speak", "MoveTo 433,400",
    };
    const std::vector<std::pair<double, QStringList>> casos{
        {0.0, {"Play Decline"}},     {1.0 / 6, {"Play Decline"}}, {2.0 / 6, {"Play Decline"}},
        {0.4999, {"Play Decline"}},  {0.5, sugerencia},           {4.0 / 6, {"Play Sad"}},
        {5.0 / 6, {"Play Idle1_4"}}, {0.99999, {"Play Idle1_4"}},
    };
    for (const auto& [r, esperado] : casos) {
        SCOPED_TRACE(r);
        Azar(r);
        SugerirLista();
        const QStringList log = Tomar();
        EXPECT_EQ(Pasos(log), esperado);
        Dichos(log);
    }
}

TEST_F(GuideTest, SuggestionIssuesNothingWhileTheWordListIsShown) {
    Form* principal = Ventana("frmPrincipal", kLeft, kTop);
    auto* lista = new QComboBox(principal);
    lista->setObjectName(QStringLiteral("cboLista"));
    lista->show();
    Azar(0.5);
    SugerirLista();
    EXPECT_TRUE(Tomar().isEmpty());
    lista->hide();
    SugerirLista();
    EXPECT_EQ(Tomar().size(), 6);
}

TEST_F(GuideTest, EverythingTheGuideSaysPassesASpanishSpellChecker) {
    // Every speech of every script, through hunspell's Spanish dictionary (hunspell-es).
    QStringList dichos;
    const auto tomarDichos = [&] {
        for (const QString& r : Tomar())
            if (r.startsWith("Speak ")) dichos << r.mid(6);
    };
    Form* principal = Ventana("frmPrincipal", kLeft, kTop);
    for (double r : {0.0, 0.25, 0.5, 0.9999}) {
        Azar(r);
        SaludarAgente();
        tomarDichos();
    }
    ExplicarDiccionario();
    tomarDichos();
    auto* lista = new QComboBox(principal);
    lista->setObjectName(QStringLiteral("cboLista"));
    lista->hide();
    Azar(0.5);
    SugerirLista();
    tomarDichos();
    Ventana("frmTraductor", kLeft, kTop);
    ExplicarTraductor();
    tomarDichos();
    Ventana("frmPropiedades", kLeft, kTop);
    ExplicarPropiedades();
    tomarDichos();
    Ventana("frmAcercaDe", kLeft, kTop);
    PresentarCreditos();
    tomarDichos();
    ASSERT_GE(dichos.size(), 20);

    QProcess hunspell;
    hunspell.start("hunspell", {"-d", "es_ES", "-l"});
    ASSERT_TRUE(hunspell.waitForStarted(10000)) << "hunspell and hunspell-es are needed";
    hunspell.write(dichos.join('\n').toUtf8());
    hunspell.closeWriteChannel();
    ASSERT_TRUE(hunspell.waitForFinished(30000));
    QStringList desconocidas =
        QString::fromUtf8(hunspell.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    desconocidas.removeDuplicates();
    // Names, the keys' own names ("F" of "F1"), and "tipear", which the Academy lists and
    // hunspell-es does not.
    for (const char* nombre :
         {"Palavrix", "Norvento", "Programs", "Apertium", "Debian", "enter", "Alt", "F", "T", "tipeando"})
        desconocidas.removeAll(nombre);
    EXPECT_TRUE(desconocidas.isEmpty()) << desconocidas.join(", ").toStdString();
}

TEST_F(GuideTest, IdleWhenAskedOnly) {
    AgenteReposo(true);
    EXPECT_TRUE(Tomar().isEmpty());
    AgenteReposo(false);
    EXPECT_EQ(Tomar(), QStringList{"Play Idle3_2"});
}

TEST(PuntosGuia, RoundEachCoordinateToSixteenBitsTiesToEven) {
    // Home spot of a window at pixel (px, py) is pixel (px + 333, py + 320).
    EXPECT_EQ(puntos::EnPixeles(0, 0, puntos::kCasa, 15, 15), QPoint(333, 320));
    EXPECT_EQ(puntos::EnPixeles(-1500, -1500, puntos::kCasa, 15, 15), QPoint(233, 220));
    // Ties go to the even neighbour.
    EXPECT_EQ(puntos::EnPixeles(1, 3, {0, 0}, 2, 2), QPoint(0, 2));
    EXPECT_EQ(puntos::EnPixeles(5, 7, {0, 0}, 2, 2), QPoint(2, 4));
    // A window far off screen stays within the 16-bit range.
    EXPECT_EQ(puntos::EnPixeles(2000000000, -2000000000, {0, 0}, 15, 15), QPoint(32767, -32768));
}
