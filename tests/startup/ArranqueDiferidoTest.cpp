// The start puts off what its first window does not need (the sound back end, the guide's
// character and voice) until that window has painted, without changing what the user sees or
// hears: the splash's sound still plays and the guide still greets.
#include "VentanasPrueba.h"
#include "dictionary_window/frmPrincipal.h"
#include "platform/Sound.h"
#include "startup/General.h"
#include "startup/PrimeraPintura.h"
#include "startup/frmPresentacion.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QTest>
#include <QWidget>

namespace {

// A window that notes whether it has painted.
class Lienzo : public QWidget {
public:
    bool pintado = false;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), Qt::white);
        pintado = true;
    }
};

// Notes, at the first paint of any widget, what the start had already done by then.
class AlPintar : public QObject {
public:
    explicit AlPintar(std::function<void()> nota) : nota_(std::move(nota)) { qApp->installEventFilter(this); }
    ~AlPintar() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint && o->isWidgetType() && !visto) {
            visto = true;
            nota_();
        }
        return false;
    }
    bool visto = false;

private:
    std::function<void()> nota_;
};

} // namespace

TEST(PrimeraPintura, TasksWaitForAWindowToPaintThenRunInTheOrderAsked) {
    QStringList hechas;
    Lienzo ventana;
    bool pintadaAntes = false;
    TrasPrimeraPintura([&] {
        pintadaAntes = ventana.pintado;
        hechas << "sonido";
    });
    TrasPrimeraPintura([&] { hechas << "guía"; });
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    EXPECT_TRUE(hechas.isEmpty()) << "ran with nothing on the screen";

    ventana.resize(100, 100);
    ventana.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return hechas.size() == 2; }, 5000)) << hechas.join(", ").toStdString();
    EXPECT_EQ(hechas, (QStringList{"sonido", "guía"}));
    EXPECT_TRUE(pintadaAntes) << "ran before the window had painted";

    // Asked again later, a task waits for the next paint, not the one that has gone.
    bool otra = false;
    TrasPrimeraPintura([&] { otra = true; });
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    EXPECT_FALSE(otra);
    ventana.update();
    EXPECT_TRUE(QTest::qWaitFor([&] { return otra; }, 5000));
}

TEST(PrimeraPintura, WithNothingPaintedTheTasksRunAfterTheDeadline) {
    bool hecha = false;
    QElapsedTimer reloj;
    reloj.start();
    TrasPrimeraPintura([&] { hecha = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return hecha; }, kPlazoPinturaMs + 5000));
    EXPECT_GE(reloj.elapsed(), kPlazoPinturaMs * 9 / 10); // a coarse timer may fire 5% early
}

TEST(SonidoRetenido, NothingReachesThePlayerUntilResumeAndThenOnlyTheLatestRequest) {
    auto grabados = std::make_shared<SonidosGrabados>();
    sound::Install(grabados);
    sound::Hold();
    EXPECT_TRUE(sound::Held());
    sound::Current().Play("/datos/PRES.WAV", false);
    sound::Current().Play("/datos/CLICK.WAV", true); // returns at once: nothing waits while held
    EXPECT_TRUE(grabados->rutas.isEmpty());
    sound::Resume();
    EXPECT_FALSE(sound::Held());
    EXPECT_EQ(grabados->rutas, QStringList{"/datos/CLICK.WAV"});
    sound::Current().Play("/datos/SALIR.WAV", false);
    EXPECT_EQ(grabados->rutas, (QStringList{"/datos/CLICK.WAV", "/datos/SALIR.WAV"}));

    // Nothing asked while held: Resume plays nothing.
    sound::Hold();
    sound::Resume();
    EXPECT_EQ(grabados->rutas.size(), 2);
    sound::Install(nullptr);
}

class Arranque : public VentanasPrueba {
protected:
    // The program's own steps, but the lock of this test process and the database of the fixture.
    struct Pasos : PasosPrograma {
        bool InstanciaPrevia() override { return false; }
        void AbrirBaseDatos() override {}
    };
    void TearDown() override {
        sound::Resume();
        VentanasPrueba::TearDown();
    }
};

TEST_F(Arranque, TheSplashSoundAndTheGuideComeOnceTheFirstWindowHasPaintedAndHeStillGreets) {
    auto guia = InstalarGuiaGrabadora();
    int sonidosAlPintar = -1;
    bool anfitrionAlPintar = true, agenteAlPintar = true;
    AlPintar primera([&] {
        sonidosAlPintar = int(entorno.sonidos->rutas.size());
        anfitrionAlPintar = guia->control != nullptr;
        agenteAlPintar = AgenteActivo;
    });

    Pasos pasos;
    ASSERT_EQ(Main(pasos), ResultadoMain::Continuar);
    ASSERT_NE(Forms::Find<frmPresentacion>(), nullptr);
    ASSERT_NE(Forms::Find<frmPrincipal>(), nullptr);
    // Nothing of the sound back end or the guide is made while the windows are not yet painted.
    EXPECT_TRUE(entorno.sonidos->rutas.isEmpty()) << entorno.sonidos->rutas.join(", ").toStdString();
    EXPECT_EQ(guia->control, nullptr);
    EXPECT_FALSE(AgenteActivo);

    ASSERT_TRUE(QTest::qWaitFor([&] { return AgenteActivo && !entorno.sonidos->rutas.isEmpty(); }, 10000));
    EXPECT_TRUE(primera.visto);
    EXPECT_EQ(sonidosAlPintar, 0);
    EXPECT_FALSE(anfitrionAlPintar);
    EXPECT_FALSE(agenteAlPintar);
    // The splash's sound, once; and the guide from the program's folder.
    ASSERT_EQ(entorno.sonidos->rutas.size(), 1);
    EXPECT_TRUE(entorno.sonidos->rutas[0].endsWith("/Palavrix/SONIDOS/PRES.WAV"))
        << entorno.sonidos->rutas[0].toStdString();
    ASSERT_NE(guia->control, nullptr);
    EXPECT_EQ(guia->control->loadedFrom, entorno.Carpeta() + "/Genie.ACS");

    // The dictionary window was activated at start: the guide greets, now that he is there.
    auto* principal = Forms::Find<frmPrincipal>();
    ASSERT_TRUE(QTest::qWaitFor([&] { return principal->isActiveWindow(); }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([] { return SaludoDado; }, 5000));
    EXPECT_TRUE(guia->Log().contains("Show")) << guia->Log().join(", ").toStdString();
    EXPECT_EQ(guia->Log().count("Show"), 1) << "greeted twice";
}
