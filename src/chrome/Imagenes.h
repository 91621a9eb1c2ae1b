#pragma once
// The skins' picture files: where they are and how a control takes one.
//
// Three looks, one per language pair: the family digit is "0" for Spanish and English, "2" for
// Spanish and Portuguese, "4" for Spanish and French. The dictionary backgrounds take the
// direction's own digit (0 to 5), every other picture the family digit.
//
// A picture that cannot be read (missing, cut short, not a picture at all) is replaced by a
// stand-in, so the window never goes black with its exit button and tabs invisible: the window
// may hand a designed face for it, otherwise a plain one is drawn in the look's colours at the
// control's size. The user is told once per run which file could not be read.
#include <QColor>
#include <QPixmap>
#include <QSize>
#include <QString>

class QWidget;
namespace controls {
class PictureBox;
}

QString DigitoFamilia(int direccion);
QString DigitoDireccion(int direccion);
// The accent colour of the look a direction's windows wear (blue, green or garnet), the one the
// stand-in pictures are drawn in.
QColor ColorAspecto(int direccion);
// RutaDatos & "\ENTORNO\IMAGENES\" & nombre & ".BMP" (nombre already carries its digit).
QString RutaImagen(const QString& nombre);
// Loads the picture into the control. A missing or unreadable file gives the control
// `sustituto`, or when that is null the plain stand-in of ImagenSustituta, and is remembered for
// AvisarImagenesIlegibles. Returns whether the file itself was loaded.
bool CargarImagen(controls::PictureBox* control, const QString& nombre, const QPixmap& sustituto = QPixmap());
// A bitmap button's three pictures: the resting face to the button and its "imgBotonSF"
// element, the lit face to its "imgBotonCF" element, in that order; each with its stand-in.
void CargarBoton(QWidget* frm, int index, const QString& reposo, const QString& luz,
                 const QPixmap& sustitutoReposo = QPixmap(), const QPixmap& sustitutoLuz = QPixmap());
// The plain stand-in of a skin picture, `tamano` pixels: for a background ("FDic1", "FTra1") a
// dark ground with a top strip and a frame in the look's colour; for anything else a face in
// the look's colour with a light edge ("Dn" pictures a little lighter, as lit faces are).
QPixmap ImagenSustituta(const QString& nombre, const QSize& tamano);
// When a load since the last call met a picture it could not read, and the user has not been
// told yet in this run: tells, in Spanish, the first such file and how many more there were.
void AvisarImagenesIlegibles();
// The pictures that could not be read since the last AvisarImagenesIlegibles (for tests).
QStringList ImagenesIlegibles();
// Starts the run over as far as the notice goes: nothing told, nothing pending (for tests).
void OlvidarAvisoImagenes();
