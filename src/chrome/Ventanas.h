#pragma once
// Sizing, placing and keeping windows, and opening documents through the desktop.
#include <QString>

class Form;
class QWidget;

// Keeps the window above all others and puts it at the screen's top-left corner.
void SiempreVisible(Form* frm);
// 9600 x 7200 twips: the size of every skinned window.
void FijarTamano(Form* frm);
// A window tagged "prin" is centred on the screen; any other over the dictionary window.
// Each difference is rounded to whole twips (halves to even), then halved toward zero. The
// top-left corner stays on the screen: on a screen smaller than the window, centring would put
// the exit button, "Ayuda" and the drag strip above or left of it, out of reach.
void CentrarVentana(Form* frm);
// Opens a document (a file path as the program builds it, a web or "mailto:" address) with the
// program the desktop associates with it, without waiting. When there is none, a small message in
// front of everything (objectName "msgSinPrograma") says so and shows the page's path or the
// address, so the user can open it another way.
void AbrirDocumento(QWidget* frm, const QString& documento);
// The help page, shared by every "Ayuda".
QString DocumentoAyuda();
