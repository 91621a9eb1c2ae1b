#include "dictionary_data/Esquema.h"

#include <sqlite3.h>

namespace esquema {

namespace {

QString columnasComunes() {
    return QStringLiteral(
        "Id INTEGER PRIMARY KEY, "
        "Palabra TEXT NOT NULL COLLATE PXNOCASE, "
        "Traduccion TEXT NOT NULL, "
        "Tipo TEXT NOT NULL DEFAULT '', TipoT TEXT NOT NULL DEFAULT '', "
        "Genero TEXT NOT NULL DEFAULT '', GeneroT TEXT NOT NULL DEFAULT '', "
        "Numero TEXT NOT NULL DEFAULT '', NumeroT TEXT NOT NULL DEFAULT ''");
}

} // namespace

QString SqlConsulta(int direccion) {
    const Direccion& d = kDirecciones.at(static_cast<size_t>(direccion));
    QString columnas = QStringLiteral("Palabra, Traduccion, Tipo, TipoT, Genero, GeneroT, Numero, NumeroT");
    if (d.pronunciacion) columnas += QStringLiteral(", Pronunciacion");
    if (d.acepciones) columnas += QStringLiteral(", Acepcion1, Acepcion2");
    return QStringLiteral("SELECT %1 FROM %2 WHERE Palabra = :ptroPalabra ORDER BY Id").arg(columnas, QLatin1String(d.tabla));
}

void Crear(dao::Database& db) {
    dao::Execute(db, QStringLiteral("CREATE TABLE QueryDefs (Name TEXT PRIMARY KEY, SQL TEXT NOT NULL)"));
    for (int i = 0; i < static_cast<int>(kDirecciones.size()); ++i) {
        const Direccion& d = kDirecciones[static_cast<size_t>(i)];
        QString columnas = columnasComunes();
        if (d.pronunciacion) columnas += QStringLiteral(", Pronunciacion INTEGER NOT NULL DEFAULT 0");
        if (d.acepciones)
            columnas += QStringLiteral(", Acepcion1 TEXT, Acepcion2 TEXT, "
                                       "CHECK (Acepcion1 IS NULL OR Acepcion1 = '' OR Acepcion2 IS NOT NULL)");
        const QString tabla = QLatin1String(d.tabla);
        dao::Execute(db, QStringLiteral("CREATE TABLE %1 (%2)").arg(tabla, columnas));
        dao::Execute(db, QStringLiteral("CREATE INDEX idx%1Palabra ON %1 (Palabra COLLATE PXNOCASE)").arg(tabla));
        QString sql = SqlConsulta(i);
        sql.replace(QLatin1Char('\''), QStringLiteral("''"));
        dao::Execute(db, QStringLiteral("INSERT INTO QueryDefs (Name, SQL) VALUES ('%1', '%2')")
                             .arg(QLatin1String(d.consulta), sql));
    }
}

void Insertar(dao::Database& db, int direccion, const std::vector<Fila>& filas) {
    const Direccion& d = kDirecciones.at(static_cast<size_t>(direccion));
    sqlite3* h = db.Handle();
    QString sql = QStringLiteral("INSERT INTO %1 (Palabra, Traduccion, Tipo, TipoT, Genero, GeneroT, Numero, NumeroT")
                      .arg(QLatin1String(d.tabla));
    QString valores = QStringLiteral("?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8");
    if (d.pronunciacion) {
        sql += QStringLiteral(", Pronunciacion");
        valores += QStringLiteral(", ?9");
    }
    if (d.acepciones) {
        sql += QStringLiteral(", Acepcion1, Acepcion2");
        valores += QStringLiteral(", ?10, ?11");
    }
    sql += QStringLiteral(") VALUES (%1)").arg(valores);

    dao::Execute(db, QStringLiteral("BEGIN"));
    sqlite3_stmt* st = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(h, utf8.constData(), utf8.size(), &st, nullptr) != SQLITE_OK)
        throw dao::DaoError(dao::errEngine, QString::fromUtf8(sqlite3_errmsg(h)));
    auto texto = [&](int i, const QString& s) {
        const QByteArray b = s.toUtf8();
        sqlite3_bind_text(st, i, b.constData(), b.size(), SQLITE_TRANSIENT);
    };
    auto variante = [&](int i, const QVariant& v) {
        if (v.isNull()) sqlite3_bind_null(st, i);
        else texto(i, v.toString());
    };
    for (const Fila& f : filas) {
        texto(1, f.palabra);
        texto(2, f.traduccion);
        texto(3, f.tipo);
        texto(4, f.tipoT);
        texto(5, f.genero);
        texto(6, f.generoT);
        texto(7, f.numero);
        texto(8, f.numeroT);
        if (d.pronunciacion) sqlite3_bind_int(st, 9, f.pronunciacion ? 1 : 0);
        if (d.acepciones) {
            variante(10, f.acepcion1);
            variante(11, f.acepcion2);
        }
        if (sqlite3_step(st) != SQLITE_DONE) {
            const QString msg = QString::fromUtf8(sqlite3_errmsg(h));
            sqlite3_finalize(st);
            dao::Execute(db, QStringLiteral("ROLLBACK"));
            throw dao::DaoError(dao::errEngine, msg);
        }
        sqlite3_reset(st);
        sqlite3_clear_bindings(st);
    }
    sqlite3_finalize(st);
    dao::Execute(db, QStringLiteral("COMMIT"));
}

} // namespace esquema
