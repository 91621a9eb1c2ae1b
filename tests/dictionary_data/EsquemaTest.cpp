// The schema's writes, and the folding version that ties a dictionary to the program reading it.
#include "dictionary_data/Esquema.h"
#include "TempDatabase.h"
#include "dictionary_data/BaseDatos.h"
#include "dictionary_data/Direcciones.h"
#include "platform/Paths.h"
#include "platform/TextFold.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

int filas(dao::Database& db, const char* tabla) {
    auto rs = db.OpenRecordset(QStringLiteral("SELECT count(*) AS n FROM ") + QLatin1String(tabla),
                               dao::dbOpenForwardOnly);
    return rs->Fields("n").Value().toInt();
}

esquema::Fila ConAcepciones(const QString& palabra, const QVariant& acepcion1, const QVariant& acepcion2) {
    esquema::Fila f = Fila(palabra, palabra + "-es");
    f.acepcion1 = acepcion1;
    f.acepcion2 = acepcion2;
    return f;
}

// The version the file records, or an empty text when it records none.
QString VersionRegistrada(dao::Database& db) {
    auto rs = db.OpenRecordset("SELECT Valor FROM Propiedades WHERE Nombre = 'VersionPlegado'",
                               dao::dbOpenForwardOnly);
    return rs->Eof() ? QString() : rs->Fields("Valor").Value().toString();
}

// What opening the dictionary of `carpeta` as the program does throws (number and text), or
// nothing; leaves the dictionary closed.
std::pair<int, QString> AlAbrir(const QString& carpeta) {
    paths::SetAppPath(carpeta);
    CerrarBaseDatos();
    std::pair<int, QString> r{0, QString()};
    try {
        AbrirBaseDatos();
        EXPECT_NE(dbDiccionario, nullptr);
    } catch (const dao::DaoError& e) {
        EXPECT_EQ(dbDiccionario, nullptr);
        r = {e.Number(), e.Description()};
    }
    CerrarBaseDatos();
    paths::SetAppPath(QString());
    return r;
}

} // namespace

TEST(Esquema, RowsThatCannotAllBeInsertedLeaveTheTableAsItWas) {
    TempDatabase t;
    t.Insert(1, {ConAcepciones("house", "", QVariant())});
    // The middle row gives a first further meaning without a second, which the table refuses.
    EXPECT_THROW(
        t.Insert(1, {ConAcepciones("dog", "can", "chucho"), ConAcepciones("cat", "minino", QVariant()),
                     ConAcepciones("fish", QVariant(), QVariant())}),
        dao::DaoError);
    auto db = t.Open();
    EXPECT_EQ(filas(*db, "IngEsp"), 1);
    // What was there is as it was written: an empty text is not Null, Null is not an empty text.
    auto rs = db->OpenRecordset("IngEsp", dao::dbOpenDynaset);
    EXPECT_EQ(rs->Fields("Palabra").Value().toString(), "house");
    EXPECT_FALSE(rs->Fields("Acepcion1").IsNull());
    EXPECT_EQ(rs->Fields("Acepcion1").Value().toString(), "");
    EXPECT_TRUE(rs->Fields("Acepcion2").IsNull());
}

TEST(Esquema, AFailedInsertLeavesNoTransactionOpenAndTheSameConnectionWritesOn) {
    TempDatabase t;
    {
        auto db = dao::DBEngine().Workspaces(0).OpenDatabase(t.Path(), false);
        // A table that is gone cannot even have its insert prepared.
        dao::Execute(*db, "DROP TABLE PorEsp");
        EXPECT_THROW(esquema::Insertar(*db, 3, {Fila("casa", "casa")}), dao::DaoError);
        esquema::Insertar(*db, 0, {Fila("casa", "house"), Fila("perro", "dog")});
        esquema::Insertar(*db, 0, {Fila("gato", "cat")});
        db->Close();
    }
    auto db = t.Open();
    EXPECT_EQ(filas(*db, "EspIng"), 3);
}

TEST(Esquema, TheProgramOpensOnlyADictionaryOfItsOwnFoldingVersion) {
    const QString version = textfold::Version();
    EXPECT_TRUE(QRegularExpression("^[0-9a-f]{16}$").match(version).hasMatch()) << version.toStdString();

    TempDatabase t;
    {
        auto db = t.Open();
        EXPECT_EQ(VersionRegistrada(*db), version);
    }
    EXPECT_EQ(AlAbrir(t.Folder()).first, 0);

    const QString mensaje = QStringLiteral(
        "La base de datos se generó con otra versión del plegado de texto; vuelva a generarla.");
    t.Execute("UPDATE Propiedades SET Valor = '0123456789abcdef' WHERE Nombre = 'VersionPlegado'");
    EXPECT_EQ(AlAbrir(t.Folder()), std::make_pair(int(dao::errIncompatibleVersion), mensaje));
    t.Execute("DELETE FROM Propiedades");
    EXPECT_EQ(AlAbrir(t.Folder()), std::make_pair(int(dao::errIncompatibleVersion), mensaje));
    // Made before dictionaries recorded their version.
    t.Execute("DROP TABLE Propiedades");
    EXPECT_EQ(AlAbrir(t.Folder()), std::make_pair(int(dao::errIncompatibleVersion), mensaje));
    // What the file cannot be read for still says so, not that its version differs.
    QFile f(t.Path());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.close();
    EXPECT_EQ(AlAbrir(t.Folder()).first, dao::errUnrecognizedFormat);
}

TEST(Esquema, TheGeneratedDictionaryRecordsThisBuildsFoldingVersion) {
    auto db = dao::DBEngine().Workspaces(0).OpenDatabase(QStringLiteral(PALAVRIX_BUILD_DIR "/PALAVRIX.MDB"));
    EXPECT_EQ(VersionRegistrada(*db), textfold::Version());
    db->Close();
    EXPECT_EQ(AlAbrir(QStringLiteral(PALAVRIX_BUILD_DIR)).first, 0);
}
