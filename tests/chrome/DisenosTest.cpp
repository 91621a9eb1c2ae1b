#include "chrome/Disenos.h"

#include <QImage>
#include <QSize>
#include <gtest/gtest.h>

namespace {

struct Cara {
    const char* nombre;
    QSize tamano;
};

// Each face is shown unscaled on a control of this size in pixels.
const Cara kCaras[] = {
    {"ListaAbrir", {11, 10}},    {"ListaAbrirLuz", {11, 10}},
    {"ListaCerrar", {11, 10}},   {"ListaCerrarLuz", {11, 10}},
    {"Guia", {13, 16}},          {"GuiaLuz", {13, 16}},
    {"FlechaArriba", {11, 10}},  {"FlechaArribaLuz", {11, 10}},
    {"FlechaAbajo", {11, 10}},   {"FlechaAbajoLuz", {11, 10}},
    {"MLTop", {149, 5}},         {"MLCenter", {151, 5}},
    {"MLBottom", {160, 8}},      {"MLLeft", {7, 229}},
    {"MLRight", {7, 229}},       {"Pronun", {32, 32}},
    {"Drive", {32, 32}},         {"Presenta", {121, 32}},
    {"FondoAcerca", {640, 480}}, {"Logo", {133, 74}},
};

int PixelesOpacos(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += qAlpha(img.pixel(x, y)) > 0;
    return n;
}

// Light pixels in the upper and the lower half: where an arrow's wide end is.
std::pair<int, int> ClarosArribaAbajo(const QImage& img) {
    int arriba = 0, abajo = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (qAlpha(c) > 128 && qGray(c) > 190) (y < img.height() / 2 ? arriba : abajo)++;
        }
    return {arriba, abajo};
}

} // namespace

TEST(Disenos, EveryFaceHasItsDesignSizeAndSomethingDrawn) {
    for (const auto& cara : kCaras) {
        const QPixmap p = Diseno(cara.nombre);
        ASSERT_FALSE(p.isNull()) << cara.nombre;
        EXPECT_EQ(p.size(), cara.tamano) << cara.nombre;
        const QImage img = p.toImage();
        EXPECT_GT(PixelesOpacos(img), img.width() * img.height() / 8) << cara.nombre;
    }
}

TEST(Disenos, SplashFramesAreNineStepsOfOneGrowingPicture) {
    QImage anterior;
    int opacosAntes = -1;
    for (int n = 0; n < 9; ++n) {
        const QPixmap p = Diseno(QStringLiteral("PresFrame%1").arg(n));
        ASSERT_EQ(p.size(), QSize(298, 132)) << n;
        const QImage img = p.toImage();
        EXPECT_NE(img, anterior) << n;
        // The splash stage is black: the frames are drawn on black, and the logo only grows.
        EXPECT_EQ(img.pixel(0, 0), qRgb(0, 0, 0)) << n;
        int claros = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                claros += qGray(img.pixel(x, y)) > 60;
        EXPECT_GT(claros, opacosAntes) << n;
        opacosAntes = claros;
        anterior = img;
    }
    EXPECT_TRUE(Diseno("PresFrame9").isNull());
}

TEST(Disenos, LitFacesDifferFromTheirRestingFaces) {
    for (const char* nombre : {"ListaAbrir", "ListaCerrar", "Guia", "FlechaArriba", "FlechaAbajo"}) {
        const QImage reposo = Diseno(nombre).toImage();
        const QImage luz = Diseno(QString::fromLatin1(nombre) + "Luz").toImage();
        EXPECT_NE(reposo, luz) << nombre;
    }
    EXPECT_NE(Diseno("ListaAbrir").toImage(), Diseno("ListaCerrar").toImage());
}

TEST(Disenos, ArrowsPointTheWayTheirButtonsMove) {
    // A down arrow is wide at the top; an up arrow at the bottom.
    for (const char* abajo : {"ListaAbrir", "FlechaAbajo"}) {
        const auto [arriba, bajo] = ClarosArribaAbajo(Diseno(abajo).toImage());
        EXPECT_GT(arriba, bajo) << abajo;
    }
    for (const char* sube : {"ListaCerrar", "FlechaArriba"}) {
        const auto [arriba, bajo] = ClarosArribaAbajo(Diseno(sube).toImage());
        EXPECT_LT(arriba, bajo) << sube;
    }
}

TEST(Disenos, UnknownNameGivesNoPictureAndRepeatedCallsGiveTheSamePicture) {
    EXPECT_TRUE(Diseno("NoExiste").isNull());
    EXPECT_TRUE(Diseno("").isNull());
    EXPECT_EQ(Diseno("Pronun").toImage(), Diseno("Pronun").toImage());
}

TEST(Disenos, HandPointerIsBlackAndWhiteWithTheFingertipOnItsHotSpot) {
    const QCursor mano = CursorMano();
    EXPECT_EQ(mano.hotSpot(), QPoint(4, 0));
    const QImage img = mano.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(img.size(), QSize(32, 32));
    int negros = 0, blancos = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QRgb c = img.pixel(x, y);
            if (qAlpha(c) == 0) continue;
            ASSERT_EQ(qAlpha(c), 255) << x << "," << y;
            const bool negro = c == qRgb(0, 0, 0), blanco = c == qRgb(255, 255, 255);
            ASSERT_TRUE(negro || blanco) << x << "," << y;
            (negro ? negros : blancos)++;
        }
    EXPECT_GT(negros, 40);   // the outline
    EXPECT_GT(blancos, 150); // the hand
    // The tip of the finger touches the top edge at the hot spot; the corners around it are clear.
    EXPECT_GT(qAlpha(img.pixel(4, 0)) + qAlpha(img.pixel(4, 1)), 0);
    EXPECT_EQ(qAlpha(img.pixel(31, 0)), 0);
    EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
}
