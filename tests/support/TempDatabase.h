#pragma once
// A dictionary database in a temporary folder, built with the program's own schema code.
#include "dictionary_data/Esquema.h"
#include "platform/Dao.h"

#include <QDir>
#include <QTemporaryDir>
#include <memory>

class TempDatabase {
public:
    TempDatabase() : path_(dir_.filePath(QStringLiteral("PALAVRIX.MDB"))) {
        auto db = dao::DBEngine().Workspaces(0).CreateDatabase(path_);
        esquema::Crear(*db);
        db->Close();
    }
    const QString& Path() const { return path_; }
    QString Folder() const { return dir_.path(); }
    void Insert(int direccion, const std::vector<esquema::Fila>& filas) {
        auto db = dao::DBEngine().Workspaces(0).OpenDatabase(path_, false);
        esquema::Insertar(*db, direccion, filas);
        db->Close();
    }
    // Changes the file through a connection of its own, as another program would: the program
    // itself opens its dictionary read-only.
    void Execute(const QString& sql) {
        auto db = dao::DBEngine().Workspaces(0).OpenDatabase(path_, false);
        dao::Execute(*db, sql);
        db->Close();
    }
    // Read-only, as the program opens it.
    std::unique_ptr<dao::Database> Open() { return dao::DBEngine().Workspaces(0).OpenDatabase(path_); }

private:
    QTemporaryDir dir_;
    QString path_;
};

inline esquema::Fila Fila(const QString& palabra, const QString& traduccion, const QString& tipo = {},
                          const QString& genero = {}, const QString& numero = {}) {
    esquema::Fila f;
    f.palabra = palabra;
    f.traduccion = traduccion;
    f.tipo = tipo;
    f.genero = genero;
    f.numero = numero;
    return f;
}
