#pragma once
// The schema of PALAVRIX.MDB, written by one piece of code for the data generator and the tests.
//
// Six tables (EspIng ... FraEsp), each row one (headword, translation) pair in the order the rows
// were inserted, which is the order lookups and the translator rely on: a headword's first row
// is its default translation. Palabra compares with PXNOCASE (case-insensitive, accent-sensitive)
// and is indexed with it, so lookups, the word list and the translator's searches use the index.
// Six stored queries, one per direction, in the QueryDefs table, each taking :ptroPalabra.
// The table Propiedades (Nombre, Valor) records the version of the text folding the index was
// built with (textfold::Version()), under the name VersionPlegado.
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

// Creates the six tables, their indexes, the six stored queries and the folding's version in an
// empty database, all or nothing.
void Crear(dao::Database& db);
// Throws DaoError errIncompatibleVersion when the database records no folding version or
// another one than this build's: its index would be out of order for this program's folding.
void ComprobarPlegado(dao::Database& db);
// The SQL of the stored query of a direction.
QString SqlConsulta(int direccion);
// Inserts rows into the table of a direction, in the order given: all of them, or on a failure
// none (the table is left as it was).
void Insertar(dao::Database& db, int direccion, const std::vector<Fila>& filas);

} // namespace esquema
