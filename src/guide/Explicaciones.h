#pragma once
// The guide's scripts: the welcome, the three explanations, the credits tour and the reaction to
// a word not found. Each only queues requests on Personaje and returns; none tests AgenteActivo
// (every caller does).
//
// The character is placed at spots: an offset in twips from the top-left corner of a window,
// read again at every placement so a window the user has dragged is followed.
#include <QPoint>

class Form;

namespace puntos {

struct Punto {
    int dx, dy;
};
// The dictionary window's home spot, where the guide rests between explanations.
inline constexpr Punto kCasa{5000, 4800};
inline constexpr Punto kDiccionarios{2460, 500};
inline constexpr Punto kPalabra{2460, 1800};
inline constexpr Punto kLista{4700, 3400};
inline constexpr Punto kTraductor{7020, 3800};
inline constexpr Punto kPropiedades{1800, 750};
inline constexpr Punto kCreditosMarca{5300, 1200};
inline constexpr Punto kCreditosDiseno{5850, 2500};
inline constexpr Punto kCreditosProgramacion{6180, 3080};

// The screen pixel for a spot of a window whose corner is at (left, top) twips: each coordinate
// divided by the twips per pixel in floating point, then rounded to a 16-bit integer, ties to even.
QPoint EnPixeles(int left, int top, Punto spot, int twipsPorPixelX, int twipsPorPixelY);

} // namespace puntos

// Moves the guide to a spot of window `w` (its current position); nothing when `w` is null.
void UbicarAgente(const Form* w, int dx, int dy);
inline void UbicarAgente(const Form* w, puntos::Punto p) {
    UbicarAgente(w, p.dx, p.dy);
}

void SaludarAgente();
void ExplicarDiccionario();
void ExplicarTraductor();
void ExplicarPropiedades();
void PresentarCreditos();
void SugerirLista();
