// The guide, the engine we build playing the Genie we build, steps aside from what the program
// opens where he stands (the further meanings of the dictionary window, the message that nothing
// can open an address, the About window) and comes back when it closes; the credits tour ends
// when the About window closes.
#include "VentanasPrueba.h"
#include "about/frmAcercaDe.h"
#include "dictionary_window/frmPrincipal.h"
#include "guide/Explicaciones.h"
#include "platform/AgentEngine.h"
#include "translator/frmTraductor.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>

namespace {

// The engine, reading the character the build made whatever folder the test program runs from;
// quick, quiet and without idle gestures.
class MotorDePrueba : public agent::EngineControl {
public:
    void CharactersLoad(const QString& id, const QString&) override {
        EngineControl::CharactersLoad(id, QStringLiteral(PALAVRIX_BUILD_DIR "/Genie.ACS"));
        agent::EngineCharacter* c = Engine(id);
        c->SetTimeScale(0);
        c->SetIdleEnabled(false);
        c->SetVoiceEnabled(false);
    }
};

class Apartarse : public VentanasPrueba {
protected:
    agent::EngineCharacter* ConGuiaReal() {
        InstalarFabricaAgente([] { return std::make_unique<MotorDePrueba>(); });
        CargarAgente(QStringLiteral("Genie"));
        EXPECT_TRUE(AgenteActivo);
        return AgenteActivo ? dynamic_cast<agent::EngineCharacter*>(Personaje) : nullptr;
    }
    static bool Esperar(agent::EngineCharacter* c) {
        return QTest::qWaitFor([c] { return c->Pending() == 0; }, 20000);
    }
    static QRect Marco(const agent::EngineCharacter* c) { return QRect(c->Position(), c->Window()->size()); }
    static QRect EnPantalla(const QWidget* w) { return QRect(w->mapToGlobal(QPoint(0, 0)), w->size()); }
    // The real guide shown, then slowed enough to close a window in the middle of what he says;
    // `dichos` gathers each line as he starts to say it.
    agent::EngineCharacter* GuiaLenta(QStringList& dichos) {
        agent::EngineCharacter* c = ConGuiaReal();
        if (!c) return nullptr;
        Personaje->Show();
        if (!Esperar(c)) return nullptr;
        c->SetTimeScale(0.05);
        QObject::connect(c, &agent::EngineCharacter::RequestStarted, [&dichos](const QString& r) {
            if (r.startsWith("Speak ")) dichos << r;
        });
        return c;
    }
};

} // namespace

TEST_F(Apartarse, TheFurtherMeaningsPanelIsNeverUnderTheGuideWhoReturnsHomeWhenItCloses) {
    agent::EngineCharacter* c = ConGuiaReal();
    ASSERT_NE(c, nullptr);
    auto* w = Abrir<frmPrincipal>(3000, 1500);
    w->lblDiccionarios_Click(1);
    w->txtPalabra->setText("bank");
    QTest::keyClick(w->txtPalabra, Qt::Key_Return);
    Personaje->Show();
    UbicarAgente(w, puntos::kCasa);
    ASSERT_TRUE(Esperar(c));
    const QPoint casa = c->Position();
    EXPECT_EQ(casa, QPoint(533, 420));
    w->lblOpciones_Click(1);
    ASSERT_TRUE(w->pctContAcep->isVisible());
    // The panel covers his home spot: he stands beside it.
    ASSERT_TRUE(QRect(casa, c->Window()->size()).intersects(EnPantalla(w->pctContAcep)));
    QTest::qWait(20);
    EXPECT_FALSE(Marco(c).intersects(EnPantalla(w->pctContAcep)));
    // An explanation sending him home meanwhile lands beside the panel too.
    UbicarAgente(w, puntos::kCasa);
    ASSERT_TRUE(Esperar(c));
    EXPECT_FALSE(Marco(c).intersects(EnPantalla(w->pctContAcep)));
    w->pctContAcep->hide();
    QTest::qWait(20);
    EXPECT_EQ(c->Position(), casa);
}

TEST_F(Apartarse, TheMessageThatNothingCanOpenTheAddressIsBesideTheGuideNotUnderHim) {
    agent::EngineCharacter* c = ConGuiaReal();
    ASSERT_NE(c, nullptr);
    entorno.documentos->hayPrograma = false;
    auto* w = Abrir<frmPrincipal>(3000, 1500);
    Personaje->Show();
    ASSERT_TRUE(Esperar(c));
    QMessageBox* aviso = nullptr;
    // Wherever he stands over the window, the message that opens there leaves him beside it.
    for (const QPoint spot :
         {QPoint(5000, 4800), QPoint(2460, 1800), QPoint(4700, 3400), QPoint(4000, 2400)}) {
        UbicarAgente(w, spot.x(), spot.y());
        ASSERT_TRUE(Esperar(c));
        const QPoint antes = c->Position();
        w->lblOpciones_Click(0); // "Ayuda", with no program to open the page
        for (QWidget* x : QApplication::topLevelWidgets())
            if (auto* m = qobject_cast<QMessageBox*>(x); m && m->isVisible()) aviso = m;
        ASSERT_NE(aviso, nullptr);
        QTest::qWait(20);
        EXPECT_FALSE(Marco(c).intersects(aviso->frameGeometry()))
            << "spot " << spot.x() << "," << spot.y() << ": guide at " << c->Position().x() << ","
            << c->Position().y();
        EXPECT_FALSE(TomarAvisoSinPrograma().isEmpty());
        QTest::qWait(20);
        EXPECT_EQ(c->Position(), antes) << "back where he was once the message is closed";
        aviso = nullptr;
    }
}

TEST_F(Apartarse, TheCreditsTourStopsWhenTheAboutWindowCloses) {
    QStringList dichos;
    agent::EngineCharacter* c = GuiaLenta(dichos);
    ASSERT_NE(c, nullptr);
    // Room beside it on the test's 800 x 600 screen.
    auto* acerca = Abrir<frmAcercaDe>(3000, 1800);
    acerca->Form_Activate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dichos.isEmpty(); }, 20000));
    const int pedidos = c->PendingTiedTo(acerca);
    EXPECT_GT(pedidos, 10);
    // He never stands on the window he presents.
    EXPECT_FALSE(Marco(c).intersects(acerca->frameGeometry()));
    acerca->Unload();
    QCoreApplication::processEvents();
    EXPECT_FALSE(c->Balloon()->isVisible());
    c->SetTimeScale(0);
    ASSERT_TRUE(Esperar(c));
    EXPECT_EQ(dichos.size(), 1) << dichos.join(" | ").toStdString();
}

TEST_F(Apartarse, InTheTranslatorHeStandsBesideTheBoxesAndTheStepsOfHowToUseIt) {
    // His spot in this window lies on the card of hints; he stood on its three steps.
    agent::EngineCharacter* c = ConGuiaReal();
    ASSERT_NE(c, nullptr);
    auto* t = Abrir<frmTraductor>(3000, 1500);
    Personaje->Show();
    t->Form_Activate();
    ASSERT_TRUE(Esperar(c));
    QTest::qWait(20);
    const QRect pasos(t->mapToGlobal(QPoint(476, 164)), QSize(157, 289));
    EXPECT_FALSE(Marco(c).intersects(pasos)) << Marco(c).x() << "," << Marco(c).y();
    EXPECT_FALSE(Marco(c).intersects(EnPantalla(t->txtTexto)));
    EXPECT_FALSE(Marco(c).intersects(EnPantalla(t->txtTraduccion)));
    // Back in the dictionary window he stands at home again.
    auto* w = Abrir<frmPrincipal>(3000, 1500);
    t->hide();
    UbicarAgente(w, puntos::kCasa);
    ASSERT_TRUE(Esperar(c));
    QTest::qWait(20);
    EXPECT_EQ(c->Position(), QPoint(533, 420));
}

TEST_F(Apartarse, TheExplanationOfAWindowStopsWhenTheReaderLeavesIt) {
    QStringList dichos;
    agent::EngineCharacter* c = GuiaLenta(dichos);
    ASSERT_NE(c, nullptr);
    auto* t = Abrir<frmTraductor>(3000, 1500);
    ExplicarTraductor();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dichos.isEmpty(); }, 20000));
    EXPECT_GT(c->PendingTiedTo(t), 3);
    // Before, he went on explaining the translator over whatever window came next.
    t->Unload();
    QCoreApplication::processEvents();
    c->SetTimeScale(0);
    ASSERT_TRUE(Esperar(c));
    EXPECT_EQ(dichos.size(), 1) << dichos.join(" | ").toStdString();
}
