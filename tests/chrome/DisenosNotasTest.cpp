// The notes window's designed pictures: every face exists at its design size, faces that sit
// on the background leave the right parts clear, and the background carries what the window
// does not draw itself (flag captions, the dark frame of the notes box).
#include "chrome/DisenosNotas.h"
#include "platform/RichTextBox.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

QImage Imagen(const char* nombre) {
    return DisenoNotas(QString::fromLatin1(nombre)).toImage().convertToFormat(QImage::Format_ARGB32);
}

// Share of opaque pixels in a rectangle.
double Opaco(const QImage& img, const QRect& r) {
    int opacos = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            opacos += qAlpha(img.pixel(x, y)) == 255;
    return double(opacos) / (r.width() * r.height());
}

// Mean lightness of a rectangle.
double Luz(const QImage& img, const QRect& r) {
    double suma = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            suma += QColor(img.pixel(x, y)).lightness();
    return suma / (r.width() * r.height());
}

} // namespace

TEST(DisenosNotas, EveryFaceExistsAtItsDesignSize) {
    const struct {
        const char* nombre;
        QSize tam;
    } caras[] = {
        {"FondoPropiedades", {640, 480}}, {"Salir", {14, 14}},
        {"SalirLuz", {14, 14}},           {"TabTraductor", {90, 93}},
        {"TabTraductorLuz", {90, 93}},    {"TabPropiedades", {95, 93}},
        {"TabDiccionario", {95, 93}},     {"TabDiccionarioLuz", {95, 93}},
        {"PagArriba", {11, 10}},          {"PagArribaLuz", {11, 10}},
        {"PagAbajo", {11, 10}},           {"PagAbajoLuz", {11, 10}},
        {"BanderaEspana", {72, 71}},      {"BanderaEspanaLuz", {72, 71}},
        {"BanderaReinoUnido", {72, 71}},  {"BanderaReinoUnidoLuz", {72, 71}},
        {"BanderaBrasil", {72, 71}},      {"BanderaBrasilLuz", {72, 71}},
        {"BanderaFrancia", {72, 71}},     {"BanderaFranciaLuz", {72, 71}},
    };
    for (const auto& c : caras) {
        const QPixmap p = DisenoNotas(QString::fromLatin1(c.nombre));
        EXPECT_FALSE(p.isNull()) << c.nombre;
        EXPECT_EQ(p.size(), c.tam) << c.nombre;
    }
    EXPECT_TRUE(DisenoNotas("NoExiste").isNull());
    EXPECT_TRUE(DisenoNotas("").isNull());
    EXPECT_TRUE(DisenoNotas("../chrome/Salir").isNull());
}

TEST(DisenosNotas, FacesCoverTheirButtonsAndFlagsLeaveTheCaptionStripClear) {
    // The background, the exit button and the tabs are opaque all over: a tab repeats the shelf
    // behind it, so nothing of a previous face can show through.
    for (const char* n : {"FondoPropiedades", "Salir", "SalirLuz", "TabTraductor", "TabTraductorLuz",
                          "TabPropiedades", "TabDiccionario", "TabDiccionarioLuz"}) {
        const QImage img = Imagen(n);
        EXPECT_DOUBLE_EQ(Opaco(img, img.rect()), 1.0) << n;
    }
    // A flag at rest: the flag itself opaque, the caption strip below it clear.
    for (const char* n : {"BanderaEspana", "BanderaReinoUnido", "BanderaBrasil", "BanderaFrancia"}) {
        const QImage img = Imagen(n);
        EXPECT_DOUBLE_EQ(Opaco(img, QRect(8, 5, 56, 36)), 1.0) << n;
        EXPECT_DOUBLE_EQ(Opaco(img, QRect(0, 50, 72, 17)), 0.0) << n;
        // The lit face draws the caption lit over the background's.
        const QImage luz = Imagen((std::string(n) + "Luz").c_str());
        EXPECT_GT(Opaco(luz, QRect(8, 52, 56, 13)), 0.9) << n;
    }
}

TEST(DisenosNotas, BackgroundShowsCaptionsUnderTheFlagsAndADarkFrameUnderTheBox) {
    const QImage f = Imagen("FondoPropiedades");
    // Captions under the four flags (left 52, tops 81, 151, 221, 291; caption strip 50..66 of
    // each face): light text on the dark column, so the strip is lighter than plain column.
    for (int top : {81, 151, 221, 291}) {
        const QRect leyenda(62, top + 52, 52, 10);
        EXPECT_GT(Luz(f, leyenda), Luz(f, QRect(40, top + 52, 8, 10)) + 10) << top;
    }
    // The notes box (208, 212, 329 x 209) sits on a ground of the box's own colour, so nothing
    // flashes while it is being shown; its frame is dark too.
    const QColor base = richtext::RichTextBox().palette().color(QPalette::Base);
    for (const QPoint p : {QPoint(208, 212), QPoint(372, 316), QPoint(536, 420)})
        EXPECT_EQ(QColor(f.pixel(p)), base);
    EXPECT_LT(Luz(f, QRect(165, 200, 30, 220)), 40);
    // The page buttons' places (553,196 and 553,424, 11 x 10) and "Copiar" (468,444) sit on
    // dark ground, where the white option word and the faces read well.
    EXPECT_LT(Luz(f, QRect(553, 196, 11, 10)), 50);
    EXPECT_LT(Luz(f, QRect(553, 424, 11, 10)), 50);
    EXPECT_LT(Luz(f, QRect(468, 444, 38, 15)), 60);
}
