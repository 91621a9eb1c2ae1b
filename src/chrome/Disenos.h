#pragma once
// Pictures designed into the windows instead of loaded from the data folder: the faces of the
// word list, guide and translator arrow buttons, the five pieces of the word list frame, the
// pronunciation and disc icons, and the hand pointer. Each is an SVG resource
// ":/disenos/<nombre>.svg" drawn at its design size in pixels (the width and height of the SVG),
// so a face is exactly as large as the button that shows it. Both functions need the
// application object (they make pixmaps) and belong to the user-interface thread.
#include <QCursor>
#include <QPixmap>
#include <QString>

// The designed picture of that name at its design size, transparent where the design leaves it
// empty. An unknown name gives a null pixmap, which a control shows as no picture at all.
QPixmap Diseno(const QString& nombre);

// The 32 x 32 black-and-white pointing hand shown over bitmap buttons, option words and links,
// with its hot spot at the tip of the index finger, (4, 0).
QCursor CursorMano();
