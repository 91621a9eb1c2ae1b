#pragma once
// What the first window does not need waits until a window of the program is on the screen: the
// start then shows something as early as it can.
#include <functional>

// Runs `tarea` from the event loop once a window of the program has painted after this call, each
// task in its own turn of the loop and in the order they were asked for. Should nothing paint
// within kPlazoPinturaMs of the event loop starting (a window the system never shows), the tasks
// run all the same. Without an application object the task runs at once.
void TrasPrimeraPintura(std::function<void()> tarea);

inline constexpr int kPlazoPinturaMs = 3000;
