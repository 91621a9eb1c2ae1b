#pragma once
// The data folder: drive letter + ":\Palavrix", found from the saved drive letter.
#include <QString>

// The data folder as the program names it ("D:\Palavrix"), no trailing separator.
inline QString RutaDatos;

// Sets RutaDatos from the saved drive letter (default "C").
void LocalizarDatos();
