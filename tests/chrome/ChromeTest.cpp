#include "Grabadores.h"
#include "chrome/Contraste.h"
#include "chrome/Hostpot.h"
#include "chrome/Imagenes.h"
#include "chrome/Sonidos.h"
#include "chrome/VentanaPiel.h"
#include "chrome/Ventanas.h"
#include "chrome/VerificarDrive.h"
#include "platform/Screen.h"
#include "platform/Twips.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

QPixmap cara(Qt::GlobalColor c) {
    QPixmap p(10, 10);
    p.fill(c);
    return p;
}

bool misma(const QPixmap& a, const QPixmap& b) {
    return a.toImage() == b.toImage();
}

// A skinned window with two tabs side by side and three option words.
class Ventana : public VentanaPiel {
public:
    QList<int> clics, opciones;
    Ventana() : VentanaPiel("Ventana") {
        CrearFondo(60, 0, 8475, 315);
        CrearBoton(1, 6390, 885, 1350, 1395);
        CrearBoton(2, 7725, 885, 1425, 1395);
        FijarCaras(1, cara(Qt::gray), cara(Qt::yellow));
        FijarCaras(2, cara(Qt::gray), cara(Qt::yellow));
        for (int i = 0; i < 3; ++i)
            CrearOpcion(i, QString("op%1").arg(i), 100 + 1000 * i, 60, 555, 225);
        // A black skin, on which the designs' red reads, with a red pill under op1 and a pale
        // one under op2.
        QPixmap fondo(640, 480);
        fondo.fill(Qt::black);
        QPainter p(&fondo);
        p.fillRect(QRect(lblOpciones(1)->geometry()).adjusted(-4, -2, 4, 2), QColor(0xd8, 0x46, 0x5d));
        p.fillRect(QRect(lblOpciones(2)->geometry()).adjusted(-4, -2, 4, 2), QColor(0xe3, 0xe8, 0xf0));
        p.end();
        imgFondo->SetPicture(fondo);
    }
    void pctBoton_Click(int i) override {
        PulsarBoton(this, i);
        clics << i;
    }
    void lblOpciones_Click(int i) override { opciones << i; }
};

class Chrome : public ::testing::Test {
protected:
    void SetUp() override {
        BotonCapturado = false;
        LocalizarDatos();
        w.FijarTamanoYMostrar();
    }
    void TearDown() override { controls::PictureBox::ReleaseCapture(); }
    struct V : Ventana {
        void FijarTamanoYMostrar() {
            FijarTamano(this);
            show();
        }
    };
    EntornoPrueba entorno;
    V w;
};

} // namespace

TEST_F(Chrome, AButtonLightsUpToItsEdgesAndRestsWhenThePointerLeaves) {
    auto* b = w.pctBoton(1);
    ResaltarBoton(&w, 1, 1350, 1395); // the right and bottom edges count as inside
    EXPECT_TRUE(BotonCapturado);
    EXPECT_TRUE(misma(b->Picture(), cara(Qt::yellow)));
    ResaltarBoton(&w, 1, 700, 700); // moving within changes nothing
    EXPECT_TRUE(misma(b->Picture(), cara(Qt::yellow)));
    ResaltarBoton(&w, 1, -1, 700); // one twip left of the left edge is outside
    EXPECT_FALSE(BotonCapturado);
    EXPECT_TRUE(misma(b->Picture(), cara(Qt::gray)));
    ResaltarBoton(&w, 1, 700, 1396);
    EXPECT_FALSE(BotonCapturado);
}

TEST_F(Chrome, PassingStraightFromOneTabToTheNextLightsOneAtATime) {
    ResaltarBoton(&w, 1, 1340, 500);
    // The first move past the edge still goes to the captured tab, which puts itself out.
    ResaltarBoton(&w, 1, 1351, 500);
    EXPECT_TRUE(misma(w.pctBoton(1)->Picture(), cara(Qt::gray)));
    EXPECT_TRUE(misma(w.pctBoton(2)->Picture(), cara(Qt::gray)));
    ResaltarBoton(&w, 2, 5, 500);
    EXPECT_TRUE(misma(w.pctBoton(1)->Picture(), cara(Qt::gray)));
    EXPECT_TRUE(misma(w.pctBoton(2)->Picture(), cara(Qt::yellow)));
    // While one tab holds the capture another cannot light.
    ResaltarBoton(&w, 1, 5, 5);
    EXPECT_TRUE(misma(w.pctBoton(1)->Picture(), cara(Qt::gray)));
}

TEST_F(Chrome, AClickSoundsReleasesTheCaptureAndShowsTheRestingFace) {
    ResaltarBoton(&w, 2, 5, 5);
    w.pctBoton_Click(2);
    EXPECT_FALSE(BotonCapturado);
    EXPECT_TRUE(misma(w.pctBoton(2)->Picture(), cara(Qt::gray)));
    ASSERT_EQ(entorno.sonidos->rutas.size(), 1);
    EXPECT_TRUE(entorno.sonidos->rutas[0].endsWith("Palavrix/SONIDOS/CLICK.WAV"));
    ResaltarBoton(&w, 2, 5, 5); // the next move lights it again
    EXPECT_TRUE(misma(w.pctBoton(2)->Picture(), cara(Qt::yellow)));
}

TEST_F(Chrome, OptionWordsLightRedOneAtATimeUntilThePointerReachesTheBackground) {
    EXPECT_EQ(w.OpcionResaltada, -1);
    w.lblOpciones_MouseMove(0);
    EXPECT_EQ(w.lblOpciones(0)->ForeColor(), controls::vbRed);
    w.lblOpciones_MouseMove(0);
    EXPECT_EQ(w.OpcionResaltada, 0);
    w.lblOpciones_MouseMove(2);
    EXPECT_EQ(w.lblOpciones(0)->ForeColor(), controls::vbWhite);
    EXPECT_NE(w.lblOpciones(2)->ForeColor(), controls::vbWhite);
    const uint32_t luz = w.lblOpciones(2)->ForeColor();
    ResaltarBoton(&w, 1, 5, 5); // crossing a button resets nothing
    EXPECT_EQ(w.lblOpciones(2)->ForeColor(), luz);
    w.imgFondo_MouseMove();
    EXPECT_EQ(w.lblOpciones(2)->ForeColor(), controls::vbWhite);
    EXPECT_EQ(w.OpcionResaltada, -1);
}

TEST_F(Chrome, CentringRoundsEachDifferenceThenHalvesTowardZero) {
    EXPECT_EQ(twips::HalfDifference(2401), 1200);
    EXPECT_EQ(twips::HalfDifference(-2401), -1200);
    EXPECT_EQ(twips::HalfDifference(2400.5), 1200);
    EXPECT_EQ(twips::HalfDifference(2401.5), 1201);

    // A window centred over the dictionary window of the same size lands exactly on it.
    Form principal;
    principal.setObjectName("frmPrincipal");
    principal.Load();
    principal.Move(1500, 900);
    FijarTamano(&principal);
    Form otra;
    otra.Load();
    FijarTamano(&otra);
    CentrarVentana(&otra);
    EXPECT_EQ(otra.Left(), 1500);
    EXPECT_EQ(otra.Top(), 900);
    // Tagged "prin": on the screen.
    otra.Tag = "prin";
    CentrarVentana(&otra);
    EXPECT_EQ(otra.Left(), static_cast<int>(twips::HalfDifference(Screen::Width() - 9600)) / 15 * 15);
}

TEST_F(Chrome, DraggingTheStripMovesTheWindowByThePointersTravelWithAnyButton) {
    w.Move(3000, 1500);
    w.imgMMover_MouseMove(0, 0, 500, 100); // passing over without a press
    EXPECT_EQ(w.Left(), 3000);
    w.imgMMover_MouseDown(2, 0, 450, 90); // the right button drags too
    w.imgMMover_MouseMove(2, 0, 750, 240);
    EXPECT_EQ(w.Left(), 3300);
    EXPECT_EQ(w.Top(), 1650);
    // The strip moved with the window: the same point of the strip is under the pointer again.
    w.imgMMover_MouseMove(2, 0, 450, 90);
    EXPECT_EQ(w.Left(), 3300);
    w.imgMMover_MouseUp(2, 0, 450, 90);
    w.imgMMover_MouseMove(0, 0, 900, 900);
    EXPECT_EQ(w.Left(), 3300);
    // No bounds: off the screen is allowed.
    w.imgMMover_MouseDown(1, 0, 0, 0);
    w.imgMMover_MouseMove(1, 0, -90000, -30000);
    EXPECT_EQ(w.Left(), -86700);
}

TEST_F(Chrome, PicturePathsFollowTheFamilyAndDirectionDigits) {
    RutaDatos = "D:\\Palavrix";
    EXPECT_EQ(RutaImagen(DigitoFamilia(3) + "SalirUp"), "D:\\Palavrix\\ENTORNO\\IMAGENES\\2SalirUp.BMP");
    EXPECT_EQ(RutaImagen(DigitoDireccion(3) + "FDic1"), "D:\\Palavrix\\ENTORNO\\IMAGENES\\3FDic1.BMP");
    EXPECT_EQ(DigitoFamilia(0), "0");
    EXPECT_EQ(DigitoFamilia(1), "0");
    EXPECT_EQ(DigitoFamilia(5), "4");
    EXPECT_EQ(DigitoFamilia(9), "0");
    EXPECT_EQ(DigitoDireccion(9), "0");
}

TEST_F(Chrome, AMissingOrUnreadablePictureGivesAStandInAndAPresentOneIsLoaded) {
    LocalizarDatos();
    QDir(entorno.Datos()).mkpath("ENTORNO/IMAGENES");
    QImage img(14, 14, QImage::Format_RGB888);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(entorno.Datos() + "/ENTORNO/IMAGENES/0SalirUp.BMP"));
    {
        QFile roto(entorno.Datos() + "/ENTORNO/IMAGENES/2FTra1.BMP");
        ASSERT_TRUE(roto.open(QIODevice::WriteOnly));
        roto.write("BM" + QByteArray(60, '\xff'));
    }
    controls::PictureBox caja(nullptr, "caja");
    caja.resize(30, 20);
    caja.SetPicture(cara(Qt::blue));
    EXPECT_FALSE(CargarImagen(&caja, "0NoEsta"));
    EXPECT_EQ(caja.Picture().size(), QSize(30, 20));
    EXPECT_FALSE(misma(caja.Picture(), cara(Qt::blue)));
    EXPECT_FALSE(CargarImagen(&caja, "2FTra1", cara(Qt::green)));
    EXPECT_TRUE(misma(caja.Picture(), cara(Qt::green)));
    EXPECT_EQ(ImagenesIlegibles(), (QStringList{RutaImagen("0NoEsta"), RutaImagen("2FTra1")}));
    EXPECT_TRUE(CargarImagen(&caja, "0SalirUp"));
    EXPECT_EQ(caja.Picture().size(), QSize(14, 14));

    // Each look has its own colour, and a background shows its frame.
    const QImage azul = ImagenSustituta("0FDic1", QSize(640, 480)).toImage();
    const QImage verde = ImagenSustituta("2FTra1", QSize(640, 480)).toImage();
    EXPECT_EQ(azul.size(), QSize(640, 480));
    EXPECT_NE(azul.pixel(1, 100), verde.pixel(1, 100));
    EXPECT_NE(azul.pixel(1, 100), azul.pixel(320, 240));

    // Told once, with the first file and the count of the others; later failures say nothing.
    AvisarImagenesIlegibles();
    ASSERT_EQ(entorno.avisos->textos.size(), 1);
    EXPECT_TRUE(entorno.avisos->textos[0].contains(entorno.Datos() + "/ENTORNO/IMAGENES/0NoEsta.BMP"))
        << entorno.avisos->textos[0].toStdString();
    EXPECT_TRUE(entorno.avisos->textos[0].contains("ni otra más")) << entorno.avisos->textos[0].toStdString();
    CargarImagen(&caja, "4NoEsta");
    AvisarImagenesIlegibles();
    EXPECT_EQ(entorno.avisos->textos.size(), 1);
}

TEST_F(Chrome, SoundAndPronunciationPathsAreBuiltAsNamed) {
    RutaDatos = "D:\\Palavrix";
    EXPECT_EQ(RutaSonido("CLICK.WAV"), "D:\\Palavrix\\SONIDOS\\CLICK.WAV");
    EXPECT_EQ(RutaPronunciacion("house"), "D:\\Palavrix\\PRONUN\\h\\house");
    EXPECT_EQ(RutaPronunciacion("House"), "D:\\Palavrix\\PRONUN\\H\\House");
    EXPECT_EQ(RutaPronunciacion(""), "D:\\Palavrix\\PRONUN\\\\");
    EXPECT_EQ(RutaPronunciacion("😀x"), "D:\\Palavrix\\PRONUN\\😀\\😀x");

    LocalizarDatos();
    ReproducirSonido("CLICK.WAV", false);
    ReproducirSonido("SALIR.WAV", false);
    ReproducirPronunciacion("house", false);
    ASSERT_EQ(entorno.sonidos->rutas.size(), 3);
    EXPECT_EQ(entorno.sonidos->rutas[0], entorno.Datos() + "/SONIDOS/CLICK.WAV");
    EXPECT_EQ(entorno.sonidos->rutas[2], entorno.Datos() + "/PRONUN/h/house");
}

TEST_F(Chrome, TheHelpDocumentIsTheSameFromEveryWindow) {
    LocalizarDatos();
    AbrirDocumento(&w, DocumentoAyuda());
    ASSERT_EQ(entorno.documentos->abiertos.size(), 1);
    EXPECT_EQ(entorno.documentos->abiertos[0], "C:\\Palavrix\\AYUDA\\PalavrixHelp.htm");
}

TEST_F(Chrome, WhenNothingCanOpenADocumentAMessageSaysSoWithItsPathOrAddress) {
    LocalizarDatos();
    AbrirDocumento(&w, DocumentoAyuda());
    EXPECT_EQ(TomarAvisoSinPrograma(), "") << "opened: nothing to say";
    entorno.documentos->hayPrograma = false;
    AbrirDocumento(&w, DocumentoAyuda());
    const QString ayuda = TomarAvisoSinPrograma();
    EXPECT_TRUE(ayuda.startsWith("No se pudo abrir la página de ayuda")) << ayuda.toStdString();
    EXPECT_TRUE(ayuda.contains(QDir::toNativeSeparators(entorno.Datos() + "/AYUDA/PalavrixHelp.htm")))
        << ayuda.toStdString();
    AbrirDocumento(&w, "https://www.norvento-programs.com");
    EXPECT_TRUE(TomarAvisoSinPrograma().endsWith("\nhttps://www.norvento-programs.com"));
    AbrirDocumento(&w, "mailto:soporte@norvento-programs.com");
    EXPECT_TRUE(TomarAvisoSinPrograma().endsWith("\nsoporte@norvento-programs.com"));
}

TEST_F(Chrome, TheDesktopNeverTakesAMissingPageOrAnAddressWithoutSchemeForAFile) {
    shell::Install(nullptr); // the real desktop
    EXPECT_FALSE(shell::Current().Open(entorno.Datos() + "/AYUDA/PalavrixHelp.htm")) << "no such page";
    EXPECT_FALSE(shell::Current().Open("www.norvento-programs.com"));
    shell::Install(entorno.documentos);
}

TEST_F(Chrome, ALitOptionReadsOnThePillUnderItRedWhereRedReads) {
    const auto contrasteLuz = [&](int i) {
        const QImage fondo = w.imgFondo->Picture().toImage();
        const double bajo = contraste::LuminanciaMedia(fondo, w.lblOpciones(i)->geometry());
        const uint32_t c = w.lblOpciones(i)->ForeColor();
        return contraste::Entre(contraste::Luminancia(QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF)),
                                bajo);
    };
    w.lblOpciones_MouseMove(0);
    EXPECT_EQ(w.lblOpciones(0)->ForeColor(), controls::vbRed) << "red reads on the dark skin";
    EXPECT_GE(contrasteLuz(0), 4.5);
    w.lblOpciones_MouseMove(1);
    EXPECT_NE(w.lblOpciones(1)->ForeColor(), controls::vbRed) << "red on a red pill";
    EXPECT_GE(contrasteLuz(1), 4.5);
    w.lblOpciones_MouseMove(2);
    EXPECT_GE(contrasteLuz(2), 4.5);
}

TEST(Contraste, TheWcagMeasureOfKnownPairs) {
    EXPECT_NEAR(contraste::Entre(contraste::Luminancia(Qt::white), contraste::Luminancia(Qt::black)), 21.0,
                1e-9);
    EXPECT_NEAR(
        contraste::Entre(contraste::Luminancia(QColor(0x76, 0x76, 0x76)), contraste::Luminancia(Qt::white)),
        4.54, 0.01);
    EXPECT_NEAR(contraste::Entre(contraste::Luminancia(Qt::red), contraste::Luminancia(Qt::white)), 4.0,
                0.01);
    EXPECT_EQ(contraste::ColorLegible(controls::vbRed, contraste::Luminancia(Qt::black)), controls::vbRed);
    const double granate = contraste::Luminancia(QColor(0xd8, 0x46, 0x5d));
    const uint32_t c = contraste::ColorLegible(controls::vbRed, granate);
    EXPECT_GE(
        contraste::Entre(contraste::Luminancia(QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF)), granate),
        4.5);
}

TEST(Placement, OnAScreenSmallerThanTheWindowItsTopLeftCornerStaysOnTheScreen) {
    Form principal;
    principal.setObjectName("frmPrincipal");
    principal.Tag = "prin";
    principal.Load();
    FijarTamano(&principal);
    const struct {
        int ancho, alto, left, top;
    } casos[] = {
        {800, 400, 1200, 0}, // lower than 480 pixels: centred across, at the top
        {600, 400, 0, 0},    // smaller both ways
        {640, 480, 0, 0},    // exactly the window's size
        {1024, 768, 2880, 2160},
    };
    for (const auto& c : casos) {
        Screen::Simulate(c.ancho, c.alto);
        CentrarVentana(&principal);
        EXPECT_EQ(principal.Left(), c.left) << c.ancho << "x" << c.alto;
        EXPECT_EQ(principal.Top(), c.top) << c.ancho << "x" << c.alto;
    }
    // A window centred over a dictionary window dragged above and left of the screen.
    Screen::Simulate(1024, 768);
    principal.Move(-3000, -1500);
    Form otra;
    otra.Load();
    FijarTamano(&otra);
    CentrarVentana(&otra);
    EXPECT_EQ(otra.Left(), 0);
    EXPECT_EQ(otra.Top(), 0);
    Screen::Simulate(0, 0);
}
