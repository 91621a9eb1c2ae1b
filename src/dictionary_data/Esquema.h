#pragma once
// The schema of PALAVRIX.MDB, written by one piece of code for the data generator and the tests.
//
// Six tables (EspIng ... FraEsp), each row one (headword, translation) pair in the order the rows
// were inserted, which is the order lookups and the translator rely on: a headword's first row
// is its default translation. Palabra compares with PXNOCASE (case-insensitive, accent-sensitive)
// and is indexed with it, so lookups, the word list and the translator's searches use the index.
// Six stored queries, one per direction, in the QueryDefs table, each taking :ptroPalabra.
#include "dictionary_data/Direcciones.h"
#include "platform/Dao.h"

#include <QString>
#include <QVariant>

namespace esquema {

// One row to insert. Pronunciacion is used by EspIng only; Acepcion1/2 by IngEsp, PorEsp, FraEsp
// (a null QVariant stores Null).
struct Fila {
    QString palabra, traduccion;
    QString tipo, tipoT, genero, generoT, numero, numeroT;
    bool pronunciacion = false;
    QVariant acepcion1, acepcion2;
};

// Creates the six tables, their indexes and the six stored queries in an empty database.
void Crear(dao::Database& db);
// The SQL of the stored query of a direction.
QString SqlConsulta(int direccion);
// Inserts rows into the table of a direction, in one transaction, in the order given.
void Insertar(dao::Database& db, int direccion, const std::vector<Fila>& filas);

} // namespace esquema
