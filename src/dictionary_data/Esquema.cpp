#include "dictionary_data/Esquema.h"

#include "platform/TextFold.h"

namespace esquema {

namespace {

// The name under which Propiedades holds the folding's version.
constexpr char kPropiedadPlegado[] = "VersionPlegado";

QString columnasComunes() {
    return QStringLiteral("Id INTEGER PRIMARY KEY, "
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
    return QStringLiteral("SELECT %1 FROM %2 WHERE Palabra = :ptroPalabra ORDER BY Id")
        .arg(columnas, QLatin1String(d.tabla));
}

void Crear(dao::Database& db) {
    QStringList sentencias;
    sentencias << QStringLiteral("CREATE TABLE QueryDefs (Name TEXT PRIMARY KEY, SQL TEXT NOT NULL)");
    for (int i = 0; i < static_cast<int>(kDirecciones.size()); ++i) {
        const Direccion& d = kDirecciones[static_cast<size_t>(i)];
        QString columnas = columnasComunes();
        if (d.pronunciacion) columnas += QStringLiteral(", Pronunciacion INTEGER NOT NULL DEFAULT 0");
        if (d.acepciones)
            columnas +=
                QStringLiteral(", Acepcion1 TEXT, Acepcion2 TEXT, "
                               "CHECK (Acepcion1 IS NULL OR Acepcion1 = '' OR Acepcion2 IS NOT NULL)");
        const QString tabla = QLatin1String(d.tabla);
        sentencias << QStringLiteral("CREATE TABLE %1 (%2)").arg(tabla, columnas);
        sentencias << QStringLiteral("CREATE INDEX idx%1Palabra ON %1 (Palabra COLLATE PXNOCASE)").arg(tabla);
        QString sql = SqlConsulta(i);
        sql.replace(QLatin1Char('\''), QStringLiteral("''"));
        sentencias << QStringLiteral("INSERT INTO QueryDefs (Name, SQL) VALUES ('%1', '%2')")
                          .arg(QLatin1String(d.consulta), sql);
    }
    sentencias << QStringLiteral("CREATE TABLE Propiedades (Nombre TEXT PRIMARY KEY, Valor TEXT NOT NULL)");
    // The version is made of hexadecimal digits only: nothing in it needs quoting.
    sentencias << QStringLiteral("INSERT INTO Propiedades (Nombre, Valor) VALUES ('%1', '%2')")
                      .arg(QLatin1String(kPropiedadPlegado), textfold::Version());
    dao::ExecuteBatch(db, sentencias);
}

void ComprobarPlegado(dao::Database& db) {
    QString registrada;
    try {
        auto q = db.CreateQueryDef(QStringLiteral("SELECT Valor FROM Propiedades WHERE Nombre = :nombre"));
        q->Parameters(QStringLiteral("nombre")).SetValue(QLatin1String(kPropiedadPlegado));
        auto rs = q->OpenRecordset();
        if (!rs->Eof()) registrada = rs->Fields(QStringLiteral("Valor")).Value().toString();
        rs->Close();
    } catch (const dao::DaoError& e) {
        // A dictionary made before it recorded its version has no such table: it is of another
        // version like one that records a different value.
        if (e.Number() != dao::errTableNotFound) throw;
    }
    if (registrada != textfold::Version())
        throw dao::DaoError(
            dao::errIncompatibleVersion,
            QStringLiteral(
                "La base de datos se generó con otra versión del plegado de texto; vuelva a generarla."));
}

void Insertar(dao::Database& db, int direccion, const std::vector<Fila>& filas) {
    const Direccion& d = kDirecciones.at(static_cast<size_t>(direccion));
    QString sql =
        QStringLiteral("INSERT INTO %1 (Palabra, Traduccion, Tipo, TipoT, Genero, GeneroT, Numero, NumeroT")
            .arg(QLatin1String(d.tabla));
    QString valores = QStringLiteral("?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8");
    if (d.pronunciacion) {
        sql += QStringLiteral(", Pronunciacion");
        valores += QStringLiteral(", ?9");
    }
    if (d.acepciones) {
        sql += QStringLiteral(", Acepcion1, Acepcion2");
        valores += QStringLiteral(", ?%1, ?%2").arg(d.pronunciacion ? 10 : 9).arg(d.pronunciacion ? 11 : 10);
    }
    sql += QStringLiteral(") VALUES (%1)").arg(valores);

    std::vector<std::vector<QVariant>> valoresFilas;
    valoresFilas.reserve(filas.size());
    for (const Fila& f : filas) {
        std::vector<QVariant> v{f.palabra, f.traduccion, f.tipo,   f.tipoT,
                                f.genero,  f.generoT,    f.numero, f.numeroT};
        if (d.pronunciacion) v.emplace_back(f.pronunciacion ? 1 : 0);
        if (d.acepciones) {
            // Null stays Null; anything else is stored as text.
            v.push_back(f.acepcion1.isNull() ? QVariant() : QVariant(f.acepcion1.toString()));
            v.push_back(f.acepcion2.isNull() ? QVariant() : QVariant(f.acepcion2.toString()));
        }
        valoresFilas.push_back(std::move(v));
    }
    dao::ExecuteBatch(db, sql, valoresFilas);
}

} // namespace esquema
