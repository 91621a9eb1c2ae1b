#pragma once
// The keys of the skinned windows, and the mouse's back and forward buttons.
//
// A key bound here acts wherever the focus is in its window, before the control that holds the
// focus sees it (a shortcut of the window), and only while that window is the active one, so a
// modal window over it (About) keeps the keys to itself. What a key does is what the window's
// own button or option of the same meaning does, click sound included: one behaviour to learn
// and to test. Nothing happens once the window is on its way out (a key held down while windows
// replace one another).
#include <QKeySequence>
#include <functional>

class Form;

namespace atajos {

// `teclas` pressed in `ventana` runs `accion`. Held down, the key acts once.
void Enlazar(Form* ventana, const QKeySequence& teclas, std::function<void()> accion);

// The mouse's back and forward buttons (the side buttons of many mice), pressed anywhere over
// `ventana`, run `atras` and `adelante`; the control under the pointer never sees them.
void BotonesRaton(Form* ventana, std::function<void()> atras, std::function<void()> adelante);

} // namespace atajos
