// The one rule every platform service follows: the real implementation is made once, when first
// asked for; an installed stand-in is what Current() answers while it is installed; nullptr gives
// the same real one back.
#include "Grabadores.h"
#include "platform/Clipboard.h"
#include "platform/Drives.h"
#include "platform/Locator.h"
#include "platform/Notices.h"
#include "platform/Paths.h"
#include "platform/Settings.h"
#include "platform/Shell.h"
#include "platform/Sound.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <type_traits>
#include <vector>

namespace {

struct Servicio {
    virtual ~Servicio() = default;
    virtual QString Quien() const = 0;
};

std::atomic<int> realesHechos{0};

struct Real : Servicio {
    Real() { ++realesHechos; }
    QString Quien() const override { return QStringLiteral("real"); }
};

struct Sustituto : Servicio {
    QString Quien() const override { return QStringLiteral("sustituto"); }
};

std::shared_ptr<Servicio> HacerReal() {
    return std::make_shared<Real>();
}

// Installs `sustituto` into a service and checks what Current() answers before, during and after.
template <class Instalar, class Actual>
void ComprobarServicio(std::shared_ptr<std::remove_reference_t<std::invoke_result_t<Actual>>> sustituto,
                       Instalar instalar, Actual actual) {
    auto* real = &actual();
    ASSERT_NE(real, sustituto.get());
    instalar(sustituto);
    EXPECT_EQ(&actual(), sustituto.get());
    instalar(nullptr);
    EXPECT_EQ(&actual(), real);
}

} // namespace

TEST(ServiceLocator, TheRealOneIsMadeAtFirstUseOnlyAndComesBackAfterAStandIn) {
    realesHechos = 0;
    platform::Locator<Servicio> l(HacerReal);
    EXPECT_EQ(realesHechos, 0); // nothing is made before it is asked for

    Servicio* real = &l.Current();
    EXPECT_EQ(real->Quien(), "real");
    EXPECT_EQ(&l.Current(), real);

    auto sustituto = std::make_shared<Sustituto>();
    l.Install(sustituto);
    EXPECT_EQ(&l.Current(), sustituto.get());
    EXPECT_EQ(l.Current().Quien(), "sustituto");

    // A second stand-in replaces the first.
    auto otro = std::make_shared<Sustituto>();
    l.Install(otro);
    EXPECT_EQ(&l.Current(), otro.get());

    l.Install(nullptr);
    EXPECT_EQ(&l.Current(), real);
    EXPECT_EQ(realesHechos, 1);
}

TEST(ServiceLocator, AStandInInstalledBeforeAnyUseMeansTheRealOneIsNeverMade) {
    realesHechos = 0;
    platform::Locator<Servicio> l(HacerReal);
    auto sustituto = std::make_shared<Sustituto>();
    l.Install(sustituto);
    EXPECT_EQ(l.Current().Quien(), "sustituto");
    EXPECT_EQ(realesHechos, 0);
    l.Install(nullptr);
    EXPECT_EQ(l.Current().Quien(), "real");
    EXPECT_EQ(realesHechos, 1);
}

TEST(ServiceLocator, ThreadsAskingAtOnceAllGetTheOneRealImplementation) {
    realesHechos = 0;
    platform::Locator<Servicio> l(HacerReal);
    std::vector<Servicio*> vistos(8, nullptr);
    std::vector<std::thread> hilos;
    for (size_t i = 0; i < vistos.size(); ++i)
        hilos.emplace_back([&, i] { vistos[i] = &l.Current(); });
    for (auto& h : hilos)
        h.join();
    EXPECT_EQ(realesHechos, 1);
    for (Servicio* s : vistos)
        EXPECT_EQ(s, vistos[0]);
}

TEST(ServiceLocator, EveryPlatformServiceTakesAStandInAndGivesItsOwnBack) {
    ComprobarServicio(std::make_shared<SonidosGrabados>(), sound::Install, sound::Current);
    ComprobarServicio(std::make_shared<DocumentosGrabados>(), shell::Install, shell::Current);
    ComprobarServicio(std::make_shared<AvisosGrabados>(), notices::Install, notices::Current);
    ComprobarServicio(std::make_shared<PortapapelesEnMemoria>(), clipboard::Install, clipboard::Current);
    ComprobarServicio(std::make_shared<AjustesEnMemoria>(), settings::Install, settings::Current);

    // The drive table answers through its list of drives.
    auto tabla = std::make_shared<TablaPrueba>();
    tabla->unidades.push_back({QLatin1Char('Q'), QStringLiteral("/prueba"), QStringLiteral("PRUEBA")});
    drives::Install(tabla);
    ASSERT_EQ(drives::All().size(), 1u);
    EXPECT_EQ(drives::All()[0].letter, QLatin1Char('Q'));
    drives::Install(nullptr);
    ASSERT_FALSE(drives::All().empty());
    EXPECT_EQ(drives::All()[0].letter, QLatin1Char('C'));
    EXPECT_EQ(drives::All()[0].root, paths::AppPath());
}
