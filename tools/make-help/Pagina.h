#pragma once
// The help page from its template: the style sheet, a few values measured at build time and the
// screenshots are put in their places. Pure text work, testable without any window.
//
// Marks in the template, each on one line or inside one:
//   {{estilo}}                  the style sheet, inlined so that the page is one file
//   {{valor NOMBRE}}            a value the tool measured (version, words of a dictionary)
//   {{captura NOMBRE|Pie}}      a figure with img/NOMBRE.png and its caption; nothing at all
//                               when that picture could not be made, so the page never points
//                               at a missing picture
//   {{imagen NOMBRE|Texto}}     the same picture alone, with Texto as its alternative text
// A mark the tool does not know is dropped and reported, so a typing mistake in the template
// shows up in the build output and not as "{{" on the user's screen.
#include <QSize>
#include <QString>
#include <QStringList>
#include <map>

namespace ayuda {

struct Datos {
    QString estilo;
    std::map<QString, QString> valores; // already HTML
    std::map<QString, QSize> capturas;  // the pictures made, by name, with their size
};

// The page: the template with every mark replaced. Each problem found is appended to `avisos`.
QString Componer(const QString& plantilla, const Datos& datos, QStringList* avisos);

// The figure of one screenshot. The caption may hold inline markup; the picture's alternative
// text is the caption without it.
QString Figura(const QString& nombre, const QSize& tamano, const QString& pie);

// The picture alone, for a picture that decorates (the alternative text may be empty).
QString Imagen(const QString& nombre, const QSize& tamano, const QString& alternativo);

// Text made safe inside HTML text and attribute values.
QString Escapar(const QString& texto);
// The text of a piece of HTML without its tags and with the character references that Escapar
// writes turned back, for an alternative text.
QString SinMarcas(const QString& html);
// A count as a Spanish reader writes it: "20.913".
QString Numero(long long n);
// Where a screenshot lies, relative to the page.
QString RutaCaptura(const QString& nombre);

} // namespace ayuda
