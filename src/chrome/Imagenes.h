#pragma once
// The skins' picture files: where they are and how a control takes one.
//
// Three looks, one per language pair: the family digit is "0" for Spanish and English, "2" for
// Spanish and Portuguese, "4" for Spanish and French. The dictionary backgrounds take the
// direction's own digit (0 to 5), every other picture the family digit.
#include <QString>

class QWidget;
namespace controls {
class PictureBox;
}

QString DigitoFamilia(int direccion);
QString DigitoDireccion(int direccion);
// RutaDatos & "\ENTORNO\IMAGENES\" & nombre & ".BMP" (nombre already carries its digit).
QString RutaImagen(const QString& nombre);
// Loads the picture into the control. A missing or unreadable file leaves the control's
// picture as it was; returns whether a picture was loaded.
bool CargarImagen(controls::PictureBox* control, const QString& nombre);
// A bitmap button's three pictures: the resting face to the button and its "imgBotonSF"
// element, the lit face to its "imgBotonCF" element, in that order.
void CargarBoton(QWidget* frm, int index, const QString& reposo, const QString& luz);
