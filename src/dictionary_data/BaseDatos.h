#pragma once
// The open dictionary database and the current direction: process-wide values of the program.
#include "platform/Dao.h"

#include <QString>
#include <cstdint>
#include <memory>

inline dao::Workspace* wsDiccionario = nullptr;
inline std::unique_ptr<dao::Database> dbDiccionario;
// The current direction, 0 ("EspIng") to 5 ("FraEsp"); written only by the direction menu.
inline uint8_t DiccionarioActual = 0;
// The table of the current direction, set by the word list and the translator before use.
inline QString TablaActual;

inline const char* kArchivoBaseDatos = "PALAVRIX.MDB";

// Opens PALAVRIX.MDB beside the executable. Throws dao::DaoError when it cannot, and when the
// file was generated with another version of the text folding (its index would miss words).
void AbrirBaseDatos();
// Throws the engine error a window reports when it needs the dictionary and none is open.
void ExigirBaseAbierta();
// Closes it and releases the workspace; harmless when nothing is open.
void CerrarBaseDatos();
// The full path AbrirBaseDatos opens.
QString RutaBaseDatos();

// What a window shows when the dictionary cannot be read: a short Spanish reason in angle
// brackets, like the lookup's other answers, narrow enough for the translation label; the
// engine's number and description go where the user can reach them with the pointer.
QString ErrorBreve(const dao::DaoError& e);
// "Error 3343: Formato de base de datos no reconocido ..." — the details behind ErrorBreve.
QString ErrorDetallado(const dao::DaoError& e);
// The translator's whole message: what failed, why, and the details, for its output box.
QString ErrorTraduccion(const dao::DaoError& e);
