#pragma once
// Dragging a borderless window by the strip along its top. The strip moves with the window, so
// the point of the strip under the pointer stays under it; no bounds are applied.
class Form;

struct Arrastre {
    float ArrastreX = 0, ArrastreY = 0; // where the strip was pressed, twips
    bool Arrastrando = false;

    void MouseDown(double X, double Y);
    // X, Y: the pointer relative to the strip, twips. Moves `ventana` while a drag is under way.
    void MouseMove(Form* ventana, double X, double Y);
    void MouseUp() { Arrastrando = false; }
};
