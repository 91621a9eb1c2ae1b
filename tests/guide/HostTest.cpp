// Loading the guide, its menu, its click and its commands.
#include "Grabadores.h"
#include "GuideFixture.h"
#include "chrome/VerificarDrive.h"
#include "guide/Explicaciones.h"
#include "guide/frmAgentServer.h"
#include "platform/Paths.h"
#include "platform/Shell.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

namespace {

class OpenerGrabador : public shell::Opener {
public:
    bool Open(const QString& document) override {
        abiertos << document;
        return hayPrograma;
    }
    QStringList abiertos;
    bool hayPrograma = true;
};

QStringList Entradas(agent::Character* c) {
    QStringList out;
    for (const auto& e : c->Commands().Entries())
        out << e.name + QLatin1Char('|') + e.caption;
    return out;
}

} // namespace

TEST_F(GuideTest, LoadsTheCharacterBesideTheExecutableAndRegistersItsMenu) {
    EXPECT_EQ(guia->control->loadedFrom, paths::AppPath() + QStringLiteral("/Genie.ACS"));
    EXPECT_EQ(Entradas(Personaje),
              (QStringList{"Explicar|Explicar", "Ayuda|Abrir archivo de Ayuda", "Salir|Salir del programa"}));
    for (const auto& e : Personaje->Commands().Entries()) {
        EXPECT_TRUE(e.enabled);
        EXPECT_TRUE(e.visible);
    }
    EXPECT_TRUE(Tomar().isEmpty()) << "loading leaves the character hidden and still";
    ASSERT_NE(Forms::Find<frmAgentServer>(), nullptr);
    EXPECT_FALSE(Forms::Find<frmAgentServer>()->isVisible());
}

TEST_F(GuideTest, LeftClickAndExplicarExplainTheWindowInUse) {
    frmAgentServer* host = Forms::Find<frmAgentServer>();
    ASSERT_NE(host, nullptr);
    // Each window's own script, as it runs when called directly.
    const std::vector<std::pair<int, void (*)()>> casos{
        {1, ExplicarDiccionario}, {2, ExplicarTraductor}, {3, ExplicarPropiedades}};
    QSet<QString> distintos;
    for (const auto& [ventana, guion] : casos) {
        SCOPED_TRACE(ventana);
        guion();
        const QStringList esperado = Tomar();
        ASSERT_FALSE(esperado.isEmpty());
        distintos.insert(esperado.join(QLatin1Char('\n')));
        VentanaActiva = uint8_t(ventana);
        emit host->agtAgente->Click(QStringLiteral("Genie"), 1, 0, 10, 10);
        EXPECT_EQ(Tomar(), esperado);
        emit host->agtAgente->Command(QStringLiteral("Explicar"));
        EXPECT_EQ(Tomar(), esperado);
    }
    // Otherwise a click sent to the wrong window's script could not be told apart.
    EXPECT_EQ(distintos.size(), casos.size());
}

TEST_F(GuideTest, OtherButtonsOtherCommandsAndTheAboutWindowStartNothing) {
    frmAgentServer* host = Forms::Find<frmAgentServer>();
    VentanaActiva = 1;
    host->agtAgente_Click(QStringLiteral("Genie"), 2, 0, 10, 10);
    host->agtAgente_Click(QStringLiteral("Genie"), 4, 0, 10, 10);
    host->agtAgente_Click(QStringLiteral("Genie"), 3, 0, 10, 10);
    host->agtAgente_Command(QStringLiteral("explicar")); // names compare exactly
    host->agtAgente_Command(QStringLiteral("Otra"));
    EXPECT_TRUE(Tomar().isEmpty());
    VentanaActiva = 0; // About window open
    host->agtAgente_Click(QStringLiteral("Genie"), 1, 0, 10, 10);
    host->agtAgente_Command(QStringLiteral("Explicar"));
    EXPECT_TRUE(Tomar().isEmpty());
}

TEST_F(GuideTest, AyudaOpensTheHelpPageFromAnyWindow) {
    auto opener = std::make_shared<OpenerGrabador>();
    shell::Install(opener);
    RutaDatos = QStringLiteral("D:\\Palavrix");
    for (int v : {1, 2, 3}) {
        VentanaActiva = uint8_t(v);
        Forms::Find<frmAgentServer>()->agtAgente_Command(QStringLiteral("Ayuda"));
    }
    shell::Install(nullptr);
    EXPECT_EQ(opener->abiertos, QStringList(3, QStringLiteral("D:\\Palavrix\\AYUDA\\PalavrixHelp.htm")));
    EXPECT_TRUE(Tomar().isEmpty());
}

TEST_F(GuideTest, AyudaFromTheMenuSaysWhereTheHelpPageIsWhenNothingCanOpenIt) {
    auto opener = std::make_shared<OpenerGrabador>();
    opener->hayPrograma = false;
    shell::Install(opener);
    RutaDatos = QStringLiteral("D:\\Palavrix");
    Forms::Find<frmAgentServer>()->agtAgente_Command(QStringLiteral("Ayuda"));
    shell::Install(nullptr);
    const QString aviso = TomarAvisoSinPrograma();
    EXPECT_TRUE(aviso.startsWith("No se pudo abrir la página de ayuda")) << aviso.toStdString();
    EXPECT_TRUE(aviso.contains("PalavrixHelp.htm")) << aviso.toStdString();
}

TEST_F(GuideTest, SalirEndsTheProcessAtOnceEvenDuringAScript) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    VentanaActiva = 1;
    EXPECT_EXIT(
        {
            ExplicarDiccionario();
            Forms::Find<frmAgentServer>()->agtAgente_Command(QStringLiteral("Salir"));
            std::fprintf(stderr, "still running\n");
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(GuideTest, UnloadingHidesTheCharacterAndRemovesTheHost) {
    DescargarAgente();
    Forms::FlushUnloaded();
    EXPECT_EQ(Personaje, nullptr);
    EXPECT_EQ(Forms::Find<frmAgentServer>(), nullptr);
    EXPECT_TRUE(AgenteActivo) << "the program is ending; the flag keeps its value";
}

TEST_F(GuideTest, HidingAndShowingTheExplicarEntry) {
    Personaje->Commands().Command(QStringLiteral("Explicar")).SetVisible(false);
    QStringList visibles;
    for (const auto& e : Personaje->Commands().VisibleEntries())
        visibles << e.name;
    EXPECT_EQ(visibles, (QStringList{"Ayuda", "Salir"}));
    Personaje->Commands().Command(QStringLiteral("Explicar")).SetVisible(true);
    visibles.clear();
    for (const auto& e : Personaje->Commands().VisibleEntries())
        visibles << e.name;
    EXPECT_EQ(visibles, (QStringList{"Explicar", "Ayuda", "Salir"}));
    EXPECT_THROW(Personaje->Commands().Command(QStringLiteral("Nada")), agent::AgentError);
}
