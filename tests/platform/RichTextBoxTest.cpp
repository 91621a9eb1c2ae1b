// The notes box: loading files (native and drive-form paths), its messages for missing or
// non-RTF files, plain text, focus, page keys and the mouse-move report in twips.
#include "platform/RichTextBox.h"
#include "platform/Drives.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextDocument>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QString Escribir(const QTemporaryDir& dir, const QString& nombre, const QByteArray& datos) {
    const QString ruta = dir.filePath(nombre);
    QFile f(ruta);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(datos);
    return ruta;
}

class UnidadC : public drives::Table {
public:
    explicit UnidadC(QString raiz) : raiz_(std::move(raiz)) {}
    std::vector<drives::Drive> All() const override {
        return {{QLatin1Char('C'), raiz_, QStringLiteral("programa")}};
    }

private:
    QString raiz_;
};

} // namespace

TEST(RichTextBox, LoadFileReplacesTheWholeContentAndTextIsPlain) {
    QTemporaryDir dir;
    const QString a =
        Escribir(dir, "a.rtf", "{\\rtf1\\ansi {\\b Negrita} y {\\i cursiva}\\par Segunda l\\'ednea\\par}");
    const QString b = Escribir(dir, "b.rtf", "{\\rtf1 Otro documento}");
    richtext::RichTextBox box;
    EXPECT_TRUE(box.isReadOnly());
    box.LoadFile(a);
    EXPECT_EQ(box.Text(), QString::fromUtf8("Negrita y cursiva\nSegunda línea"));
    box.LoadFile(b);
    EXPECT_EQ(box.Text(), "Otro documento") << "nothing of the first document is left";
    // Pictures leave no placeholder in the plain text.
    const QString c = Escribir(dir, "c.rtf", "{\\rtf1 a{\\pict\\pngblip 89504e470d0a1a0a}b}");
    box.LoadFile(c);
    EXPECT_EQ(box.Text(), "ab");
}

TEST(RichTextBox, MissingOrNonRtfFilesShowAMessage) {
    QTemporaryDir dir;
    richtext::RichTextBox box;
    box.LoadFile(Escribir(dir, "ok.rtf", "{\\rtf1 notas}"));
    box.LoadFile(dir.filePath("no-existe.rtf"));
    EXPECT_EQ(box.Text(), "No se encontraron las notas de este idioma.");
    box.LoadFile(Escribir(dir, "texto.rtf", "Esto no es RTF."));
    EXPECT_EQ(box.Text(), QString::fromUtf8("El archivo de notas no es un documento RTF válido."));
    box.LoadFile(dir.path()); // a folder, not a file
    EXPECT_EQ(box.Text(), "No se encontraron las notas de este idioma.");
    // A huge file is refused before it is read (a sparse file: nothing is written to disk).
    const QString enorme = Escribir(dir, "enorme.rtf", "{\\rtf1 ");
    QFile(enorme).resize(65LL * 1024 * 1024);
    box.LoadFile(enorme);
    EXPECT_EQ(box.Text(), "El archivo de notas es demasiado grande para mostrarlo.");
}

TEST(RichTextBox, AFifoOrADeviceInPlaceOfTheNotesIsNeverRead) {
    // Before, a FIFO froze the window in open() for ever, and a link to /dev/zero (whose size reads
    // 0) grew the program by a gigabyte a second: the 2 MB limit trusted the size the file gave.
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo.rtf");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    richtext::RichTextBox box;
    for (const QString& ruta : {fifo, QString("/dev/zero"), QString("/dev/urandom")}) {
        const QString enlace = dir.filePath(QFileInfo(ruta).fileName() + "-enlace.rtf");
        ASSERT_TRUE(QFile::link(ruta, enlace));
        for (const QString& r : {ruta, enlace}) {
            box.LoadFile(Escribir(dir, "ok.rtf", "{\\rtf1 notas}"));
            box.LoadFile(r);
            EXPECT_EQ(box.Text(), "No se encontraron las notas de este idioma.") << r.toStdString();
        }
    }
}

TEST(RichTextBox, DriveFormPathsGoThroughTheDriveTable) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("Palavrix/PROPIEDADES");
    Escribir(dir, "Palavrix/PROPIEDADES/Prop6.RTF", "{\\rtf1 Notas de espa\\'f1ol}");
    drives::Install(std::make_shared<UnidadC>(dir.path()));
    richtext::RichTextBox box;
    box.LoadFile(QStringLiteral("C:\\Palavrix\\PROPIEDADES\\Prop6.RTF"));
    EXPECT_EQ(box.Text(), QString::fromUtf8("Notas de español"));
    box.LoadFile(QStringLiteral("Q:\\Palavrix\\PROPIEDADES\\Prop6.RTF"));
    EXPECT_EQ(box.Text(), "No se encontraron las notas de este idioma.");
    drives::Install(nullptr);
}

TEST(RichTextBox, PageKeysScrollByAPageAndSetFocusTakesTheFocus) {
    QTemporaryDir dir;
    QByteArray largo = "{\\rtf1 ";
    for (int k = 0; k < 200; ++k)
        largo += "L\\'ednea " + QByteArray::number(k) + "\\par ";
    largo += "}";
    QWidget ventana;
    ventana.resize(400, 300);
    richtext::RichTextBox box(&ventana);
    box.setGeometry(10, 10, 329, 209);
    QWidget otro(&ventana);
    otro.setFocusPolicy(Qt::StrongFocus);
    ventana.show();
    QApplication::setActiveWindow(&ventana);
    otro.setFocus();
    box.LoadFile(Escribir(dir, "largo.rtf", largo));
    QApplication::processEvents();
    QScrollBar* barra = box.verticalScrollBar();
    ASSERT_GT(barra->maximum(), 0);
    EXPECT_EQ(barra->value(), 0);

    box.SetFocus();
    EXPECT_TRUE(box.hasFocus());
    QKeyEvent abajo(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QApplication::sendEvent(QApplication::focusWidget(), &abajo);
    const int pagina = barra->value();
    EXPECT_EQ(pagina, barra->pageStep());
    QApplication::sendEvent(QApplication::focusWidget(), &abajo);
    EXPECT_EQ(barra->value(), 2 * pagina);
    QKeyEvent arriba(QEvent::KeyPress, Qt::Key_PageUp, Qt::NoModifier);
    QApplication::sendEvent(QApplication::focusWidget(), &arriba);
    EXPECT_EQ(barra->value(), pagina);

    // A new document starts at the top again.
    box.LoadFile(Escribir(dir, "otro.rtf", largo));
    QApplication::processEvents();
    EXPECT_EQ(box.verticalScrollBar()->value(), 0);
}

TEST(RichTextBox, MouseMoveReportsButtonsShiftAndTwips) {
    richtext::RichTextBox box;
    box.resize(329, 209);
    box.show();
    QApplication::processEvents();
    std::vector<std::tuple<int, int, double, double>> vistos;
    QObject::connect(&box, &richtext::RichTextBox::MouseMove,
                     [&](int b, int s, double x, double y) { vistos.emplace_back(b, s, x, y); });
    QMouseEvent mov(QEvent::MouseMove, QPointF(10, 20), box.viewport()->mapToGlobal(QPointF(10, 20)),
                    Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(box.viewport(), &mov);
    ASSERT_EQ(vistos.size(), 1u);
    const QPoint origen = box.viewport()->mapTo(&box, QPoint(0, 0));
    EXPECT_EQ(std::get<0>(vistos[0]), 1);
    EXPECT_EQ(std::get<1>(vistos[0]), 1);
    EXPECT_DOUBLE_EQ(std::get<2>(vistos[0]), (10 + origen.x()) * 15.0);
    EXPECT_DOUBLE_EQ(std::get<3>(vistos[0]), (20 + origen.y()) * 15.0);
}

TEST(RichTextBox, AutomaticColourTextIsLightOnTheDarkBox) {
    richtext::RichTextBox box;
    const QColor fondo = box.palette().color(QPalette::Base);
    const QColor texto = box.palette().color(QPalette::Text);
    EXPECT_LT(fondo.lightness(), 80);
    EXPECT_GT(texto.lightness(), 200);
}

namespace {

// The shapes that cost the most per byte: one long table, and prose.
QByteArray Tabla(qint64 bytes) {
    QByteArray rtf = "{\\rtf1\\ansi ";
    const QByteArray fila = "\\trowd\\cellx2000\\cellx6000\\pard\\intbl uno\\cell dos\\cell\\row\n";
    rtf.reserve(bytes + 64);
    while (rtf.size() < bytes)
        rtf += fila;
    return rtf + "}";
}

QByteArray Prosa(qint64 bytes) {
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}";
    const QByteArray parrafo = "{\\pard\\sa120 Ma\\'f1ana {\\b negrita} y {\\i cursiva}, fin.\\par}\n";
    rtf.reserve(bytes + 64);
    while (rtf.size() < bytes)
        rtf += parrafo;
    return rtf + "}";
}

// How long the box took to take the file and lay it out as shown.
qint64 MilisegundosAlCargar(richtext::RichTextBox& caja, const QString& ruta) {
    QElapsedTimer reloj;
    reloj.start();
    caja.LoadFile(ruta);
    caja.document()->documentLayout()->documentSize(); // the layout the view needs to show it
    QApplication::processEvents();
    return reloj.elapsed();
}

} // namespace

TEST(RichTextBox, HugeNotesFilesAreRefusedWithinAboutTwoSecondsAndSmallOnesShown) {
    QTemporaryDir dir;
    richtext::RichTextBox caja;
    caja.resize(329, 209);
    caja.show();
    // Before, a table of 7 MB kept the window frozen for 41 s and 50 MB of prose for 20 s.
    for (const auto& [nombre, datos] : {std::pair{QString("tabla.rtf"), Tabla(7 * 1024 * 1024)},
                                        std::pair{QString("tabla1MB.rtf"), Tabla(1024 * 1024)},
                                        std::pair{QString("prosa.rtf"), Prosa(50 * 1024 * 1024)}}) {
        const QString ruta = Escribir(dir, nombre, datos);
        EXPECT_LT(MilisegundosAlCargar(caja, ruta), 6000) << nombre.toStdString();
        EXPECT_EQ(caja.Text(), richtext::RichTextBox::TooLargeMessage()) << nombre.toStdString();
        QFile::remove(ruta);
    }
    // A notes file of an ordinary size, even several times the real ones, is shown whole.
    const QString normal = Escribir(dir, "normal.rtf", Prosa(300 * 1024));
    EXPECT_LT(MilisegundosAlCargar(caja, normal), 6000);
    EXPECT_TRUE(caja.Text().startsWith("Mañana negrita y cursiva, fin."))
        << caja.Text().left(80).toStdString();
    const QString tablas = Escribir(dir, "tablas.rtf", Tabla(100 * 1024));
    EXPECT_LT(MilisegundosAlCargar(caja, tablas), 6000);
    EXPECT_TRUE(caja.Text().contains("uno\ndos")) << caja.Text().left(80).toStdString();
}
