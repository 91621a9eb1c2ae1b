#include "dictionary_data/BaseDatos.h"

#include "dictionary_data/Esquema.h"
#include "platform/Paths.h"

#include <QDir>

QString RutaBaseDatos() {
    return QDir(paths::AppPath()).filePath(QLatin1String(kArchivoBaseDatos));
}

void AbrirBaseDatos() {
    wsDiccionario = &dao::DBEngine().Workspaces(0);
    auto db = wsDiccionario->OpenDatabase(RutaBaseDatos());
    esquema::ComprobarPlegado(*db);
    dbDiccionario = std::move(db);
}

void ExigirBaseAbierta() {
    if (!dbDiccionario)
        throw dao::DaoError(dao::errEngine, QStringLiteral("La base de datos no está abierta."));
}

void CerrarBaseDatos() {
    if (dbDiccionario) dbDiccionario->Close();
    dbDiccionario.reset();
    wsDiccionario = nullptr;
}

QString ErrorBreve(const dao::DaoError& e) {
    switch (e.Number()) {
    case dao::errCanceled:
        return QStringLiteral("<Consulta muy lenta>");
    case dao::errReadOnly:
    case dao::errValueTooLong:
        return QStringLiteral("<Consulta no válida>");
    case dao::errUnrecognizedFormat:
        return QStringLiteral("<Diccionario dañado>");
    case dao::errFileInUse:
        return QStringLiteral("<Diccionario en uso>");
    case dao::errTableNotFound:
    case dao::errItemNotFound:
    case dao::errSyntax:
    case 3070: // a column the dictionary lacks
        return QStringLiteral("<Diccionario incompleto>");
    case dao::errFileNotFound:
    case dao::errNotAFile:
        return QStringLiteral("<Sin diccionario>");
    default:
        return QStringLiteral("<Error del diccionario>");
    }
}

QString ErrorDetallado(const dao::DaoError& e) {
    return QStringLiteral("Error %1: %2").arg(e.Number()).arg(e.Description());
}

QString ErrorTraduccion(const dao::DaoError& e) {
    QString breve = ErrorBreve(e);
    breve = breve.mid(1, breve.size() - 2);
    return QStringLiteral("No se pudo traducir el texto (%1).\n\n%2").arg(breve.toLower(), ErrorDetallado(e));
}
