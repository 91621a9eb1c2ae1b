// The skin pictures written by render-skins into the build's data folder, and the tool itself.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

const QString kImagenes = QStringLiteral(PALAVRIX_BUILD_DIR "/Palavrix/ENTORNO/IMAGENES/");
const QString kHerramienta = QStringLiteral(PALAVRIX_BUILD_DIR "/tools/render-skins/render-skins");

struct Imagen {
    const char* nombre;
    int ancho, alto;
};
// The pictures every family digit needs, at the size of the control each one fills.
const Imagen kPorFamilia[] = {
    {"SalirUp", 14, 14},      {"SalirDn", 14, 14},       {"oDicUp", 95, 93},    {"oDicDn", 95, 93},
    {"oTraUp", 90, 93},       {"oTraDn", 90, 93},        {"oProUp", 95, 93},    {"oProDn", 95, 93},
    {"TAcepciones", 100, 18}, {"CAcepciones", 304, 192}, {"CerAcepUp", 10, 11}, {"CerAcepDn", 10, 11},
    {"FTra1", 640, 480},
};
const char kFamilias[] = {'0', '2', '4'};

QImage Cargar(const QString& nombre) {
    return QImage(kImagenes + nombre + ".BMP");
}

// Bits per pixel and size as the BMP header states them.
struct Cabecera {
    bool bmp = false;
    int bits = 0, ancho = 0, alto = 0;
};
Cabecera LeerCabecera(const QString& ruta) {
    QFile f(ruta);
    Cabecera c;
    if (!f.open(QIODevice::ReadOnly)) return c;
    const QByteArray h = f.read(30);
    if (h.size() < 30) return c;
    c.bmp = h.startsWith("BM");
    c.ancho = qFromLittleEndian<qint32>(h.constData() + 18);
    c.alto = std::abs(qFromLittleEndian<qint32>(h.constData() + 22));
    c.bits = qFromLittleEndian<quint16>(h.constData() + 28);
    return c;
}

double Gris(const QImage& img, const QRect& r) {
    double suma = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            suma += qGray(img.pixel(x, y));
    return suma / (r.width() * r.height());
}

bool Parecidos(QRgb a, QRgb b, int tolerancia = 6) {
    return std::abs(qRed(a) - qRed(b)) <= tolerancia && std::abs(qGreen(a) - qGreen(b)) <= tolerancia &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerancia;
}

// A control's place in twips, as the designs give it, to pixels.
QRect Pixeles(int left, int top, int width, int height) {
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

} // namespace

TEST(RenderSkins, EveryPictureIsA24BitBmpOfItsControlsSize) {
    QStringList todas;
    for (int d = 0; d < 6; ++d)
        todas << QStringLiteral("%1FDic1").arg(d);
    for (char f : kFamilias)
        for (const auto& i : kPorFamilia)
            todas << QString(QChar(f)) + i.nombre;
    for (const QString& nombre : todas) {
        const Cabecera c = LeerCabecera(kImagenes + nombre + ".BMP");
        EXPECT_TRUE(c.bmp) << nombre.toStdString();
        EXPECT_EQ(c.bits, 24) << nombre.toStdString();
    }
    for (int d = 0; d < 6; ++d) {
        const QImage img = Cargar(QStringLiteral("%1FDic1").arg(d));
        EXPECT_EQ(img.size(), QSize(640, 480)) << d;
    }
    for (char f : kFamilias)
        for (const auto& i : kPorFamilia) {
            const QImage img = Cargar(QString(QChar(f)) + i.nombre);
            EXPECT_EQ(img.size(), QSize(i.ancho, i.alto)) << f << i.nombre;
        }
}

TEST(RenderSkins, FacesChangeWithStateAndLooksWithFamily) {
    for (char f : kFamilias) {
        const QString p{QChar(f)};
        for (const char* par : {"Salir", "oDic", "oTra", "oPro", "CerAcep"})
            EXPECT_NE(Cargar(p + par + "Up"), Cargar(p + par + "Dn")) << f << par;
    }
    EXPECT_NE(Cargar("0oDicUp"), Cargar("2oDicUp"));
    EXPECT_NE(Cargar("2FTra1"), Cargar("4FTra1"));
    for (int a = 0; a < 6; ++a)
        for (int b = a + 1; b < 6; ++b)
            EXPECT_NE(Cargar(QStringLiteral("%1FDic1").arg(a)), Cargar(QStringLiteral("%1FDic1").arg(b)));
}

TEST(RenderSkins, EachDictionaryBackgroundMarksItsOwnRowOfTheDirectionMenu) {
    const int filas[] = {36, 60, 80, 104, 128, 152}; // tops of the direction labels, in pixels
    for (int d = 0; d < 6; ++d) {
        const QImage img = Cargar(QStringLiteral("%1FDic1").arg(d));
        for (int fila = 0; fila < 6; ++fila) {
            const QRgb marca = img.pixel(7, filas[fila] + 7);
            const bool dorada = qRed(marca) > 200 && qGreen(marca) > 150 && qBlue(marca) < 140;
            EXPECT_EQ(dorada, fila == d) << "fondo " << d << " fila " << fila;
        }
    }
}

TEST(RenderSkins, TabsAndButtonsBlendIntoTheBackgroundBehindThem) {
    struct Lugar {
        const char* cara;
        int x, y, ancho;
    };
    const Lugar lugares[] = {{"oDicUp", 332, 59, 95}, {"oDicDn", 332, 59, 95}, {"oTraUp", 426, 59, 90},
                             {"oTraDn", 426, 59, 90}, {"oProUp", 515, 59, 95}, {"oProDn", 515, 59, 95},
                             {"SalirUp", 620, 4, 14}, {"SalirDn", 620, 4, 14}};
    for (char f : kFamilias) {
        const QString p{QChar(f)};
        const int direccion = f - '0';
        for (const QImage& fondo : {Cargar(QString::number(direccion) + "FDic1"),
                                    Cargar(QString::number(direccion + 1) + "FDic1"), Cargar(p + "FTra1")})
            for (const auto& l : lugares) {
                const QImage cara = Cargar(p + l.cara);
                ASSERT_FALSE(cara.isNull()) << l.cara;
                // A tab's outer columns are backdrop only and must match top to bottom; a round
                // button's backdrop shows at its corners.
                const bool pestana = cara.height() == 93;
                for (int x : {0, l.ancho - 1})
                    for (int y : pestana ? QList<int>{0, 10, 20, 30, 40, 50, 60, 70, 80, 92}
                                         : QList<int>{0, cara.height() - 1})
                        ASSERT_TRUE(Parecidos(cara.pixel(x, y), fondo.pixel(l.x + x, l.y + y), 4))
                            << f << " " << l.cara << " x=" << x << " y=" << y;
            }
    }
}

TEST(RenderSkins, WhiteLabelsSitOnDarkGround) {
    // Dictionary window: direction menu, word row captions, results, options.
    const QRect dic[] = {
        Pixeles(180, 120, 1965, 225),   Pixeles(180, 540, 1335, 225),  Pixeles(180, 2280, 1530, 225),
        Pixeles(1020, 3840, 990, 225),  Pixeles(7620, 3840, 990, 225), Pixeles(5160, 3840, 2385, 225),
        Pixeles(60, 4860, 1545, 225),   Pixeles(60, 5580, 1545, 225),  Pixeles(8040, 4860, 1545, 225),
        Pixeles(8040, 5580, 1545, 225), Pixeles(8340, 60, 555, 225),   Pixeles(8460, 6960, 990, 195),
        Pixeles(5640, 4200, 1230, 225)};
    const QRect tra[] = {Pixeles(8640, 60, 555, 225),    Pixeles(4320, 6360, 570, 225),
                         Pixeles(5160, 6360, 510, 225),  Pixeles(6000, 6360, 570, 225),
                         Pixeles(4980, 4620, 1260, 225), Pixeles(780, 3300, 5535, 1095),
                         Pixeles(780, 4920, 5535, 1095)};
    // The meanings panel: its title and the two meanings, relative to the panel.
    const QRect acep[] = {Pixeles(120, 350, 2385, 225), Pixeles(2820, 1380, 1665, 390),
                          Pixeles(2820, 1920, 1665, 390)};
    for (int d = 0; d < 6; ++d) {
        const QImage img = Cargar(QStringLiteral("%1FDic1").arg(d));
        for (const QRect& r : dic)
            EXPECT_LT(Gris(img, r), 110) << d << " " << r.x() << "," << r.y();
    }
    for (char f : kFamilias) {
        const QImage img = Cargar(QString(QChar(f)) + "FTra1");
        for (const QRect& r : tra)
            EXPECT_LT(Gris(img, r), 110) << f << " " << r.x() << "," << r.y();
        const QImage panel = Cargar(QString(QChar(f)) + "CAcepciones");
        for (const QRect& r : acep)
            EXPECT_LT(Gris(panel, r), 110) << f << " " << r.x() << "," << r.y();
        const QImage tira = Cargar(QString(QChar(f)) + "TAcepciones");
        EXPECT_LT(Gris(tira, Pixeles(360, 30, 1020, 225)), 140) << f;
    }
}

TEST(RenderSkins, ToolFillsTemplatesAndRefusesOneWithAMissingValue) {
    QTemporaryDir fuentes, salida;
    ASSERT_TRUE(fuentes.isValid() && salida.isValid());
    auto escribir = [&](const QString& nombre, const QByteArray& texto) {
        QFile f(fuentes.filePath(nombre));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(texto);
    };
    escribir("estilos.txt", "[base]\nCOLOR = #ff0000\n[hijo]\nbase = base\nOTRO = {{COLOR}}\n");
    escribir("cuadro.svg", "<svg xmlns='http://www.w3.org/2000/svg' width='{{WIDTH}}' height='{{HEIGHT}}' "
                           "viewBox='0 0 {{WIDTH}} {{HEIGHT}}'>{{@PIEZA}}</svg>");
    escribir("pieza.frag", "<rect x='0' y='0' width='{{WIDTH}}' height='{{HEIGHT}}' fill='{{OTRO}}'/>");
    escribir("catalogo.txt", "# prueba\n7Cuadro cuadro.svg 12 9 hijo PIEZA=pieza.frag\n");
    QProcess tool;
    tool.start(kHerramienta, {fuentes.path(), salida.path()});
    ASSERT_TRUE(tool.waitForFinished(60000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    const QImage img(salida.filePath("7Cuadro.BMP"));
    ASSERT_EQ(img.size(), QSize(12, 9));
    EXPECT_EQ(img.pixel(6, 4), qRgb(255, 0, 0));
    EXPECT_EQ(LeerCabecera(salida.filePath("7Cuadro.BMP")).bits, 24);

    escribir("catalogo.txt", "8Roto cuadro.svg 12 9 hijo\n"); // PIEZA has no value
    tool.start(kHerramienta, {fuentes.path(), salida.path()});
    ASSERT_TRUE(tool.waitForFinished(60000));
    EXPECT_NE(tool.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(tool.readAllStandardError()).contains("PIEZA"));
    EXPECT_FALSE(QFile::exists(salida.filePath("8Roto.BMP")));
}
