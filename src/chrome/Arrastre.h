#pragma once
// Dragging a borderless window by the strip along its top. The strip moves with the window, so
// the point of the strip under the pointer stays under it; no bounds are applied.
#include "platform/Controls.h"

class Form;

struct Arrastre {
    float ArrastreX = 0, ArrastreY = 0; // where the strip was pressed, twips
    bool Arrastrando = false;

    void MouseDown(double X, double Y);
    // X, Y: the pointer relative to the strip, twips. Moves `ventana` while a drag is under way.
    void MouseMove(Form* ventana, double X, double Y);
    void MouseUp() { Arrastrando = false; }
};

// Wires a window's drag strip to the window's own imgMMover_MouseDown/Move/Up handlers.
template <class Ventana> void ConectarArrastre(controls::PictureBox* franja, Ventana* w) {
    QObject::connect(franja, &controls::PictureBox::MouseDown, w,
                     [w](int b, int s, double x, double y) { w->imgMMover_MouseDown(b, s, x, y); });
    QObject::connect(franja, &controls::PictureBox::MouseMove, w,
                     [w](int b, int s, double x, double y) { w->imgMMover_MouseMove(b, s, x, y); });
    QObject::connect(franja, &controls::PictureBox::MouseUp, w,
                     [w](int b, int s, double x, double y) { w->imgMMover_MouseUp(b, s, x, y); });
}
