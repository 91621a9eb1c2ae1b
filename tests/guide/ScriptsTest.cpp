// The six scripts, request by request, through the recording character.
#include "GuideFixture.h"
#include "guide/Explicaciones.h"

#include <QComboBox>
#include <QProcess>
#include <map>

namespace {

// Dictionary window at pixel (100, 80): home spot (433, 400).
constexpr int kLeft = 1500, kTop = 1200;

} // namespace

TEST_F(GuideTest, WelcomeGivesEachOfItsFourTextsAndEndsIdle) {
    Ventana("frmPrincipal", kLeft, kTop);
    const QStringList comun{QStringLiteral("MoveTo 433,400"), QStringLiteral("Show")};
    const std::map<double, QStringList> textos{
        {0.0, {"Speak ¡Hola!", "Speak Mi nombre es Genio, si necesitas ayuda, haz clic sobre mí."}},
        {0.2499, {"Speak ¡Hola!", "Speak Mi nombre es Genio, si necesitas ayuda, haz clic sobre mí."}},
        {0.25,
         {"Speak ¡Bienvenidos a Palavrix!",
          "Speak Si haces clic sobre mí, te enseñaré a utilizar el diccionario."}},
        {0.5,
         {"Speak ¡Hola! Bienvenido.", "Speak Recuerda que si necesitas ayuda, podrás hacer clic sobre mí.",
          "Speak No dudes en hacerlo."}},
        {0.9999,
         {"Speak ¡Hola!, mi nombre es Genio, yo seré tu guía para utilizar el programa correctamente.",
          "Speak Cuando necesites ayuda haz clic sobre mí."}},
    };
    for (const auto& [r, speech] : textos) {
        SCOPED_TRACE(r);
        Azar(r);
        SaludoDado = false;
        SaludarAgente();
        EXPECT_EQ(Tomar(), comun + speech + QStringList{QStringLiteral("Play idle2_1")});
        EXPECT_TRUE(SaludoDado);
    }
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
    EXPECT_EQ(Tomar(), (QStringList{
                           "MoveTo 264,113",
                           "Play GestureRight",
                           "Speak Abre el diccionario de tu interés seleccionándolo aquí.",
                           "Play GestureRightReturn",
                           "MoveTo 264,200",
                           "Play GestureDown",
                           "Speak Luego, escribe aquí la palabra que desees traducir.",
                           "Play Explain",
                           "Speak Presiona la tecla enter y obtendrás la traducción.",
                           "MoveTo 433,400",
                       }));
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
    EXPECT_EQ(Tomar(), (QStringList{
                           "MoveTo 668,353",
                           "Play Announce",
                           "Speak Para traducir un texto o varias palabras,",
                           "Play GestureRight",
                           "Speak deberás escribirlas en el recuadro superior.",
                           "Play Explain",
                           "Speak Luego haz clic sobre 'Traducir ahora'",
                           "Play GestureDown",
                           "Speak y obtendrás la traducción en el recuadro de abajo.",
                           "Play GestureDownReturn",
                           "Play idle2_1",
                       }));
}

TEST_F(GuideTest, NotesExplanationPointsAtTheFlags) {
    Ventana("frmPropiedades", 0, 0);
    ExplicarPropiedades();
    EXPECT_EQ(Tomar(),
              (QStringList{
                  "MoveTo 120,50",
                  "Speak Aquí obtendrás información detallada sobre las características de cada lengua.",
                  "Play GestureDown",
                  "Speak Haz clic sobre las banderas para seleccionar el idioma de tu interés.",
                  "Play GestureDownReturn",
                  "Play idle2_1",
              }));
}

TEST_F(GuideTest, CreditsTourNamesTheDesignerTheProgrammerAndTheDataSources) {
    Ventana("frmAcercaDe", kLeft, kTop);
    PresentarCreditos();
    EXPECT_EQ(Tomar(),
              (QStringList{
                  "MoveTo 453,160",
                  "Play GestureUp",
                  "Speak Norvento Programs...",
                  "Play Explain",
                  "Speak De aquí salen los mejores programas.",
                  "MoveTo 490,247",
                  "Play GestureRight",
                  "Speak Ella es Lucía, la diseñadora de Palavrix.",
                  "MoveTo 512,285",
                  "Play GestureRight",
                  "Speak Y él es Martín, el programador de Palavrix y mi gran amigo.",
                  "Play Congratulate",
                  "Play CongratulateReturn",
                  "Play GestureDown",
                  "Speak La información de los diccionarios fue aportada por el proyecto Apertium y los "
                  "paquetes de Debian.",
                  "Play GestureDownReturn",
                  "Play idle2_1",
              }));
}

TEST_F(GuideTest, WordNotFoundReactionCoversEverySixth) {
    Form* principal = Ventana("frmPrincipal", kLeft, kTop);
    auto* lista = new QComboBox(principal);
    lista->setObjectName(QStringLiteral("cboLista"));
    lista->hide();
    const QStringList sugerencia{
        "Play Suggest",
        "Speak Recuerde que para ver una lista con todas las palabras que contiene el diccionario...",
        "MoveTo 413,307",
        "Play GestureRight",
        "Speak ...podrá hacer clic aquí, y buscar la palabra tipeando las primeras letras.",
        "MoveTo 433,400",
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
        EXPECT_EQ(Tomar(), esperado);
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
    QStringList desconocidas = QString::fromUtf8(hunspell.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    desconocidas.removeDuplicates();
    // Names, the key's own name, and "tipear", which the Academy lists and hunspell-es does not.
    for (const char* nombre : {"Palavrix", "Norvento", "Programs", "Apertium", "Debian", "enter", "tipeando"})
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
