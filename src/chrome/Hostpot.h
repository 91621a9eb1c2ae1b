#pragma once
// Bitmap buttons: a picture that lights while the pointer is over it and clicks with a sound.
//
// A lit button holds the mouse capture, so it receives the first move after the pointer has
// left it and can put its resting face back. One flag for all buttons of all windows.
class QWidget;

inline bool BotonCapturado = false;

// Hover of button Index of frm at X, Y (twips, relative to the button). The edges count as
// inside. Finds "pctBoton(Index)", "imgBotonSF(Index)" and "imgBotonCF(Index)" by name in frm.
void ResaltarBoton(QWidget* frm, int Index, double X, double Y);
// Click feedback: the click sound, the capture released, the resting face back.
void PulsarBoton(QWidget* frm, int Index);
