#pragma once
// The lookups behind a text translation, shared by the translator window and the command line.
#include "platform/Dao.h"
#include "translator/Traduccion.h"

#include <QHash>
#include <QString>
#include <memory>

namespace traduccion {

// The lookups of one translation. The table of the direction is opened once as a dynaset; each
// word is searched from its first record, and its first row gives the translation. A word that is
// no headword is translated in its own form through the direction's transducers ("libros" ->
// "books"); a word neither knows comes back as "<palabra>". Each distinct word is looked up once
// per translation. Throws dao::DaoError when the table cannot be read.
class Buscador {
public:
    Buscador(dao::Database& db, int direccion);
    ~Buscador();
    Buscador(const Buscador&) = delete;
    Buscador& operator=(const Buscador&) = delete;
    QString BuscarTraduccion(const QString& palabra);
    void Cerrar();

private:
    QString Buscar(const QString& palabra);
    std::unique_ptr<dao::Recordset> rs_;
    int direccion_;
    QHash<QString, QString> vistas_;
};

// The whole translation of a text in a direction: what "Traducir ahora" shows and the command
// line prints.
QString TraducirTexto(dao::Database& db, int direccion, const QString& texto);

} // namespace traduccion
