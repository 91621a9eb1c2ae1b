#include "dictionary_data/BaseDatos.h"

#include "platform/Paths.h"

#include <QDir>

QString RutaBaseDatos() { return QDir(paths::AppPath()).filePath(QLatin1String(kArchivoBaseDatos)); }

void AbrirBaseDatos() {
    wsDiccionario = &dao::DBEngine().Workspaces(0);
    dbDiccionario = wsDiccionario->OpenDatabase(RutaBaseDatos());
}

void CerrarBaseDatos() {
    if (dbDiccionario) dbDiccionario->Close();
    dbDiccionario.reset();
    wsDiccionario = nullptr;
}
