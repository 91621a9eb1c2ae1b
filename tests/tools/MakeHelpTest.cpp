// The help page: how its template is filled, how one failing screenshot is contained, and the page
// the build generated (headings of every window, the guide's menu, the data's origin, and
// every picture it shows really there).
#include "Capturas.h"
#include "Grabadores.h"
#include "Pagina.h"

#include "about/frmAcercaDe.h"
#include "platform/Form.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// ---- Filling the template -----------------------------------------------------------------

TEST(HelpTemplate, MarksAreReplacedAndTheRestIsKeptAsWritten) {
    ayuda::Datos d;
    d.estilo = QStringLiteral("body { color: red; }");
    d.valores[QStringLiteral("version")] = QStringLiteral("1.2.3");
    d.capturas[QStringLiteral("traductor")] = QSize(640, 480);
    QStringList avisos;
    const QString pagina = ayuda::Componer(QStringLiteral("<style>{{estilo}}</style>\n"
                                                          "<p>v{{valor version}} y {{ valor version }}</p>\n"
                                                          "{{captura traductor|El <em>Traductor</em>.}}\n"
                                                          "<p>fin</p>"),
                                           d, &avisos);
    EXPECT_TRUE(avisos.isEmpty()) << avisos.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(
        pagina.startsWith(QStringLiteral("<style>body { color: red; }</style>\n<p>v1.2.3 y 1.2.3</p>\n")));
    EXPECT_TRUE(pagina.contains(QStringLiteral("<img src=\"img/traductor.png\" width=\"640\" height=\"480\" "
                                               "alt=\"El Traductor.\">")));
    EXPECT_TRUE(pagina.contains(QStringLiteral("<figcaption>El <em>Traductor</em>.</figcaption></figure>")));
    EXPECT_TRUE(pagina.endsWith(QStringLiteral("\n<p>fin</p>")));
    EXPECT_FALSE(pagina.contains(QStringLiteral("{{")));
}

TEST(HelpTemplate, WhatIsMissingIsLeftOutAndReported) {
    ayuda::Datos d;
    d.capturas[QStringLiteral("genio")] = QSize(128, 128);
    QStringList avisos;
    const QString pagina =
        ayuda::Componer(QStringLiteral("a{{captura acercade|Acerca de}}b{{valor nada}}c{{tonteria}}d"
                                       "{{imagen genio|}}e{{imagen falta|x}}f"),
                        d, &avisos);
    // No figure pointing at a picture that was not made, no mark shown to the reader.
    EXPECT_EQ(pagina,
              QStringLiteral("abcd<img src=\"img/genio.png\" width=\"128\" height=\"128\" alt=\"\">ef"));
    ASSERT_EQ(avisos.size(), 4);
    EXPECT_TRUE(avisos[0].contains(QStringLiteral("acercade")));
    EXPECT_TRUE(avisos[1].contains(QStringLiteral("nada")));
    EXPECT_TRUE(avisos[2].contains(QStringLiteral("tonteria")));
    EXPECT_TRUE(avisos[3].contains(QStringLiteral("falta")));
    // A template without marks comes back unchanged, and no list of warnings is needed.
    const QString llano = QStringLiteral("<p>{ llaves } y {solas}</p>");
    EXPECT_EQ(ayuda::Componer(llano, d, nullptr), llano);
}

TEST(HelpTemplate, AlternativeTextIsPlainAndSafe) {
    const QString f =
        ayuda::Figura(QStringLiteral("x"), QSize(1, 2), QStringLiteral("«a» &amp; <b>\"b\"</b> &lt;c&gt;"));
    EXPECT_TRUE(f.contains(QStringLiteral("alt=\"«a» &amp; &quot;b&quot; &lt;c&gt;\""))) << f.toStdString();
    EXPECT_EQ(ayuda::SinMarcas(QStringLiteral("<i>uno</i>\n  dos&nbsp;&amp;lt;")),
              QStringLiteral("uno dos &lt;"));
    EXPECT_EQ(ayuda::Escapar(QStringLiteral("<a href=\"x\">&")),
              QStringLiteral("&lt;a href=&quot;x&quot;&gt;&amp;"));
}

TEST(HelpTemplate, CountsAreWrittenTheSpanishWay) {
    EXPECT_EQ(ayuda::Numero(0), QStringLiteral("0"));
    EXPECT_EQ(ayuda::Numero(999), QStringLiteral("999"));
    EXPECT_EQ(ayuda::Numero(2000), QStringLiteral("2000"));
    EXPECT_EQ(ayuda::Numero(20913), QStringLiteral("20.913"));
    EXPECT_EQ(ayuda::Numero(100000), QStringLiteral("100.000"));
    EXPECT_EQ(ayuda::Numero(1234567), QStringLiteral("1.234.567"));
    EXPECT_EQ(ayuda::Numero(-20913), QStringLiteral("-20.913"));
}

// ---- One screenshot failing -----------------------------------------------------------------

TEST(HelpScreenshots, AFailureIsContainedAndLeavesNoWindowOpen) {
    EntornoPrueba entorno;
    const capturas::Captura fallida = capturas::Tomar(QStringLiteral("acercade"), []() -> QImage {
        auto* w = new frmAcercaDe;
        w->Load();
        w->show();
        throw std::runtime_error("se rompió");
    });
    EXPECT_EQ(fallida.nombre, QStringLiteral("acercade"));
    EXPECT_TRUE(fallida.imagen.isNull());
    EXPECT_EQ(fallida.error, QStringLiteral("se rompió"));
    EXPECT_EQ(Forms::Find<frmAcercaDe>(), nullptr);

    const capturas::Captura vacia = capturas::Tomar(QStringLiteral("nada"), [] { return QImage(); });
    EXPECT_TRUE(vacia.imagen.isNull());
    EXPECT_FALSE(vacia.error.isEmpty());

    EXPECT_TRUE(capturas::Genio(entorno.Carpeta() + QStringLiteral("/Genie.ACS")).isNull());
}

// ---- The page the build made ------------------------------------------------------------------

QString leer(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

class GeneratedHelp : public ::testing::Test {
protected:
    const QDir ayuda{QStringLiteral(PALAVRIX_BUILD_DIR "/Palavrix/AYUDA")};
    const QString pagina = leer(ayuda.filePath(QStringLiteral("PalavrixHelp.htm")));
};

TEST_F(GeneratedHelp, IsACompleteSpanishPageWithEveryWindow) {
    ASSERT_FALSE(pagina.isEmpty()) << "no se generó "
                                   << ayuda.filePath(QStringLiteral("PalavrixHelp.htm")).toStdString();
    EXPECT_TRUE(pagina.startsWith(QStringLiteral("<!DOCTYPE html>")));
    EXPECT_TRUE(pagina.contains(QStringLiteral("<html lang=\"es\">")));
    EXPECT_TRUE(pagina.contains(QStringLiteral("<title>Ayuda de Palavrix</title>")));
    EXPECT_TRUE(pagina.trimmed().endsWith(QStringLiteral("</html>")));
    EXPECT_FALSE(pagina.contains(QStringLiteral("{{"))) << "a mark was left in the page";
    // The style sheet was inlined.
    EXPECT_TRUE(pagina.contains(QStringLiteral("figure.captura")));

    // One heading per window and topic, each reachable from the table of contents.
    const struct {
        const char* id;
        const char* titulo;
    } secciones[] = {
        {"inicio", "Al abrir el programa"},
        {"diccionario", "La ventana Diccionarios"},
        {"lista", "La lista de palabras"},
        {"acepciones", "Acepciones"},
        {"pronunciacion", "Pronunciación"},
        {"traductor", "La ventana Traductor"},
        {"propiedades", "La ventana Propiedades"},
        {"acercade", "La ventana Acerca de"},
        {"genio", "Genio, el guía"},
        {"unidad", "La pregunta de la unidad"},
        {"teclado", "El teclado"},
        {"datos", "De dónde vienen los datos"},
    };
    for (const auto& s : secciones) {
        const QRegularExpression encabezado(
            QStringLiteral("<h[23] id=\"%1\">(<span[^>]*>[^<]*</span>)?%2</h[23]>")
                .arg(QLatin1String(s.id), QString::fromUtf8(s.titulo)));
        EXPECT_TRUE(encabezado.match(pagina).hasMatch()) << "heading " << s.id;
        EXPECT_TRUE(pagina.contains(QStringLiteral("<a href=\"#%1\">").arg(QLatin1String(s.id))))
            << "index " << s.id;
    }

    // The words a reader looks for: the guide's menu, the options, the drive letters, the data's
    // origin (wherever the template breaks its lines).
    const QString texto = pagina.simplified();
    for (const char* buscado :
         {"Explicar", "Abrir archivo de Ayuda", "Salir del programa", "Traducir ahora", "Acerca de ...",
          "Seleccionar Drive", "c: [programa]", "apertium-eng-spa", "apertium-es-pt", "apertium-fr-es",
          "espeak-ng", "&lt;Palabra no encontrada&gt;"})
        EXPECT_TRUE(texto.contains(QString::fromUtf8(buscado))) << buscado;

    // Word counts measured from the generated dictionaries, not a placeholder dash.
    const QRegularExpression cuenta(QStringLiteral("<td class=\"numero\">([^<]*)</td>"));
    int cuentas = 0;
    for (auto it = cuenta.globalMatch(pagina); it.hasNext(); ++cuentas) {
        const QString n = it.next().captured(1);
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^[1-9][0-9.]*$")).match(n).hasMatch())
            << n.toStdString();
    }
    EXPECT_EQ(cuentas, 6);
}

TEST_F(GeneratedHelp, ItsTextPassesASpanishSpellChecker) {
    ASSERT_FALSE(pagina.isEmpty());
    // What a reader reads: no comments, style, code or key names; the pictures' alternative text.
    QString texto = pagina;
    texto.remove(
        QRegularExpression(QStringLiteral("<!--.*?-->"), QRegularExpression::DotMatchesEverythingOption));
    texto.remove(QRegularExpression(QStringLiteral("<style[^>]*>.*?</style>"),
                                    QRegularExpression::DotMatchesEverythingOption));
    texto.replace(QRegularExpression(QStringLiteral("<(code|kbd)[^>]*>.*?</\\1>"),
                                     QRegularExpression::DotMatchesEverythingOption),
                  QStringLiteral(" "));
    texto.replace(QRegularExpression(QStringLiteral("<img[^>]*alt=\"([^\"]*)\"[^>]*>")),
                  QStringLiteral(" \\1 "));
    texto.replace(QRegularExpression(QStringLiteral("<[^>]+>")), QStringLiteral(" "));
    texto.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    texto.replace(QStringLiteral("&amp;"), QStringLiteral("&"))
        .replace(QStringLiteral("&middot;"), QStringLiteral("·"));

    QProcess hunspell;
    hunspell.start(QStringLiteral("hunspell"),
                   {QStringLiteral("-d"), QStringLiteral("es_ES"), QStringLiteral("-l")});
    ASSERT_TRUE(hunspell.waitForStarted(10000)) << "hunspell and hunspell-es are needed";
    hunspell.write(texto.toUtf8());
    hunspell.closeWriteChannel();
    ASSERT_TRUE(hunspell.waitForFinished(30000));
    QStringList desconocidas =
        QString::fromUtf8(hunspell.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    desconocidas.removeDuplicates();
    // Names of programs, fonts and licences, letters of drives and keys, what the reader is told to
    // type ("arbol", "cami"), and good Spanish hunspell-es does not list.
    for (const char* aceptada :
         {"Palavrix", "Apertium", "Debian", "GPL", "Liberation", "Sans", "Serif", "SQLite", "Qt", "Drive",
          "X", "F", "c", "arbol", "cami", "recordarle", "flechita", "extraíbles"})
        desconocidas.removeAll(QString::fromUtf8(aceptada));
    EXPECT_TRUE(desconocidas.isEmpty()) << desconocidas.join(QStringLiteral(", ")).toStdString();
}

TEST_F(GeneratedHelp, EveryPictureItShowsIsThereAndDrawn) {
    ASSERT_FALSE(pagina.isEmpty());
    const QRegularExpression img(QStringLiteral("<img src=\"([^\"]+)\" width=\"(\\d+)\" height=\"(\\d+)\""));
    QSet<QString> vistas;
    for (auto it = img.globalMatch(pagina); it.hasNext();) {
        const auto m = it.next();
        const QString ruta = ayuda.filePath(m.captured(1));
        SCOPED_TRACE(ruta.toStdString());
        vistas << QFileInfo(ruta).completeBaseName();
        ASSERT_TRUE(QFileInfo::exists(ruta));
        EXPECT_GT(QFileInfo(ruta).size(), 2000);
        const QImage imagen(ruta);
        ASSERT_FALSE(imagen.isNull());
        EXPECT_EQ(imagen.width(), m.captured(2).toInt());
        EXPECT_EQ(imagen.height(), m.captured(3).toInt());
        // A grab of a window whose pictures failed to load is one flat colour.
        QSet<QRgb> colores;
        for (int y = 0; y < imagen.height(); y += 7)
            for (int x = 0; x < imagen.width(); x += 7)
                colores << imagen.pixel(x, y);
        EXPECT_GT(colores.size(), 16);
    }
    // The build has everything these need, so each must have been made.
    for (const char* nombre : {"presentacion", "principal-casa", "principal-no-encontrada", "principal-lista",
                               "principal-acepciones", "traductor", "propiedades-espanol",
                               "propiedades-frances", "acercade", "verdrive", "genio"})
        EXPECT_TRUE(vistas.contains(QLatin1String(nombre))) << nombre;
}

} // namespace
