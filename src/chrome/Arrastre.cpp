#include "chrome/Arrastre.h"

#include "platform/Form.h"
#include "platform/Twips.h"

void Arrastre::MouseDown(double X, double Y) {
    ArrastreX = static_cast<float>(X);
    ArrastreY = static_cast<float>(Y);
    Arrastrando = true;
}

void Arrastre::MouseMove(Form* ventana, double X, double Y) {
    if (!Arrastrando) return;
    // Single precision, as the window designs compute it.
    const float left = (static_cast<float>(X) + static_cast<float>(ventana->Left())) - ArrastreX;
    const float top = (static_cast<float>(Y) + static_cast<float>(ventana->Top())) - ArrastreY;
    ventana->Move(static_cast<int>(twips::RoundHalfEven(left)), static_cast<int>(twips::RoundHalfEven(top)));
}
