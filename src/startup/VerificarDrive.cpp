#include "startup/VerificarDrive.h"

void LocalizarDatos() { RutaDatos = QStringLiteral("C:\\Palavrix"); }
