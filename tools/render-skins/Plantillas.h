#pragma once
// Reading the skin catalogue and looks, and filling a template with a look's values.
// Pure text work, kept apart from the drawing so that its rules are easy to follow.
#include <QByteArray>
#include <QDir>
#include <QHash>
#include <QList>
#include <QString>

namespace plantillas {

using Valores = QHash<QString, QString>;

// One picture to draw: catalogue line "NAME TEMPLATE WIDTH HEIGHT LOOK [KEY=VALUE ...]".
struct Dibujo {
    QString nombre;
    QString plantilla;
    int ancho = 0;
    int alto = 0;
    QString aspecto;
    Valores propios; // the line's own values; they win over the look's
};

// Looks by section name, each already merged with the section it is based on.
QHash<QString, Valores> LeerAspectos(const QString& ruta, QString& error);
QList<Dibujo> LeerCatalogo(const QString& ruta, QString& error);

// Replaces {{KEY}} and {{@KEY}} in a text. An unknown key or an include nested too deep is an
// error (a picture with a hole in it is worse than a build that stops and says why).
QString Sustituir(const QString& texto, const Valores& valores, const QDir& fuentes, QString& error,
                  int profundidad = 0);

// The template of a picture filled with its look and its own values (plus WIDTH and HEIGHT).
QByteArray Rellenar(const QDir& fuentes, const Dibujo& dibujo, const QHash<QString, Valores>& aspectos,
                    QString& error);

} // namespace plantillas
