#include "VentanasPrueba.h"
#include "about/frmAcercaDe.h"
#include "dictionary_window/frmPrincipal.h"
#include "guide/Explicaciones.h"
#include "notes/frmPropiedades.h"
#include "platform/SimpleCombo.h"
#include "translator/frmTraductor.h"

#include <QLineEdit>
#include <QTest>

using GuiaEnVentanas = VentanasPrueba;

TEST_F(GuiaEnVentanas, TheWelcomeComesOnceAndLaterActivationsOnlySendTheGuideHome) {
    auto guia = ConGuia();
    auto* w = Abrir<frmPrincipal>(3000, 1500);
    InstalarAzar([] { return 0.0; });
    w->Form_Activate();
    ASSERT_TRUE(SaludoDado);
    const QStringList saludo = guia->Log();
    EXPECT_EQ(saludo.first(), "MoveTo 533,420"); // (3000 + 5000) / 15, (1500 + 4800) / 15
    // The welcome script itself, with the same draw.
    guia->Clear();
    SaludarAgente();
    EXPECT_EQ(guia->Log(), saludo);
    guia->Clear();
    w->Move(4500, 3000);
    w->Form_Activate();
    EXPECT_EQ(guia->Log(), QStringList{"MoveTo 633,520"});
}

TEST_F(GuiaEnVentanas, WithoutTheGuideNothingIsAskedOfItAndTheGuideButtonOnlyClicks) {
    auto guia = InstalarGuiaGrabadora(true);
    CargarAgente("Genie");
    EXPECT_FALSE(AgenteActivo);
    auto* w = Abrir<frmPrincipal>();
    w->Form_Activate();
    EXPECT_FALSE(SaludoDado);
    w->pctBoton_Click(6);
    EXPECT_EQ(entorno.sonidos->rutas.filter("CLICK.WAV").size(), 1);
    w->txtPalabra->setText("xyz");
    QTest::keyClick(w->txtPalabra, Qt::Key_Return);
    EXPECT_EQ(w->lblTraduccion->text(), "<Palabra no encontrada>");
    EXPECT_EQ(guia->Log(), QStringList());
}

TEST_F(GuiaEnVentanas, AWordNotFoundDrawsTheGuidesReaction) {
    auto guia = ConGuia();
    auto* w = Abrir<frmPrincipal>();
    InstalarAzar([] { return 0.7; }); // n = 4 of 6: the sad face
    w->txtPalabra->setText("xyz");
    QTest::keyClick(w->txtPalabra, Qt::Key_Return);
    EXPECT_EQ(guia->Log(), QStringList{"Play Sad"});
}

TEST_F(GuiaEnVentanas, TheGuideIdlesOnceWhenTheWordListIsFirstFilled) {
    auto guia = ConGuia();
    auto* w = Abrir<frmPrincipal>();
    w->pctBoton_Click(4);
    w->pctBoton_Click(5);
    w->pctBoton_Click(4);
    EXPECT_EQ(guia->Log(), QStringList{"Play Idle3_2"});
}

TEST_F(GuiaEnVentanas, TheGuideButtonWavesAndHidesThenShowsAndGreets) {
    auto guia = ConGuia();
    auto* w = Abrir<frmPrincipal>();
    guia->Character()->SetVisible(true);
    w->pctBoton_Click(6);
    w->pctBoton_Click(6);
    EXPECT_EQ(guia->Log(), (QStringList{"Play Wave", "Hide", "Show", "Play Greet", "Play GreetReturn"}));
}

TEST_F(GuiaEnVentanas, PronunciationAsksForTheListeningPoseAndPlaysTheRecording) {
    auto guia = ConGuia();
    auto* w = Abrir<frmPrincipal>();
    w->txtPalabra->setText("casa");
    QTest::keyClick(w->txtPalabra, Qt::Key_Return);
    w->lblOpciones_Click(2);
    EXPECT_EQ(guia->Log(), QStringList{"Play Hear_3"});
    EXPECT_TRUE(entorno.sonidos->rutas.last().endsWith("PRONUN/h/house"));
}

TEST_F(GuiaEnVentanas, TranslatorAndNotesWindowsCallTheGuideToTheirSpots) {
    auto guia = ConGuia();
    auto* t = Abrir<frmTraductor>(1500, 750);
    EXPECT_EQ(VentanaActiva, 2);
    t->Form_Activate();
    EXPECT_EQ(guia->Log(),
              QStringList{"MoveTo 568,303"}); // (1500 + 7020) / 15 = 568, (750 + 3800) / 15 = 303.3
    guia->Clear();
    auto* n = Abrir<frmPropiedades>(1500, 750);
    EXPECT_EQ(VentanaActiva, 3);
    n->Form_Activate();
    EXPECT_EQ(guia->Log(), (QStringList{"MoveTo 220,100", "Play Read", "Play ReadReturn"}));
}

TEST_F(GuiaEnVentanas, TheAboutWindowHidesExplainWhileOpenAndToursTheCredits) {
    auto guia = ConGuia();
    auto* w = Abrir<frmPrincipal>();
    auto* a = new frmAcercaDe;
    a->Load();
    EXPECT_EQ(VentanaActiva, 0);
    EXPECT_FALSE(Personaje->Commands().Command("Explicar").Visible());
    EXPECT_EQ(a->Left(), w->Left());
    EXPECT_EQ(a->Top(), w->Top());
    a->Form_Activate();
    const QStringList gira = guia->Log();
    guia->Clear();
    PresentarCreditos();
    EXPECT_EQ(gira, guia->Log()) << "the credits tour, as its script runs it";
    a->Unload();
    EXPECT_EQ(VentanaActiva, 1);
    EXPECT_TRUE(Personaje->Commands().Command("Explicar").Visible());
}

TEST_F(GuiaEnVentanas, TheExitButtonPutsTheGuideAwayAndClosesTheDatabase) {
    ConGuia();
    auto* w = Abrir<frmPrincipal>();
    w->pctBoton_Click(0);
    EXPECT_EQ(Personaje, nullptr);
    EXPECT_EQ(dbDiccionario, nullptr);
    EXPECT_FALSE(w->Loaded());
    EXPECT_TRUE(entorno.sonidos->rutas.last().endsWith("SALIR.WAV"));
}
