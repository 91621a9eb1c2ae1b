#pragma once
// The pictures designed into the language notes window: it loads none from the data folder.
// Each is an SVG resource ":/notas/<nombre>.svg" drawn at its design size in pixels:
//   FondoPropiedades (640 x 480), Salir / SalirLuz (14 x 14), TabTraductor / TabTraductorLuz
//   (90 x 93), TabPropiedades (95 x 93, this window's own tab, lit), TabDiccionario /
//   TabDiccionarioLuz (95 x 93), PagArriba / PagArribaLuz / PagAbajo / PagAbajoLuz (11 x 10),
//   BanderaEspana, BanderaReinoUnido, BanderaBrasil, BanderaFrancia and each one's "...Luz"
//   face (72 x 71).
// "Luz" faces are the lit ones. A flag face leaves its lower strip clear so the caption drawn on
// the background shows through; the lit face draws the caption lit over it.
#include <QPixmap>
#include <QString>

// The picture of that name at its design size, transparent where the design leaves it empty.
// An unknown name gives a null pixmap.
QPixmap DisenoNotas(const QString& nombre);
