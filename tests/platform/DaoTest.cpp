#include "platform/Dao.h"
#include "TempDatabase.h"
#include "dictionary_data/Direcciones.h"
#include "platform/DaoNative.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

int errorNumberOpening(const QString& path) {
    try {
        dao::DBEngine().Workspaces(0).OpenDatabase(path);
    } catch (const dao::DaoError& e) {
        EXPECT_FALSE(e.Description().isEmpty());
        return e.Number();
    }
    return 0;
}

QStringList planOf(dao::Database& db, const QString& sql) {
    sqlite3_stmt* st = nullptr;
    const QByteArray q = ("EXPLAIN QUERY PLAN " + sql).toUtf8();
    EXPECT_EQ(sqlite3_prepare_v2(dao::NativeHandle(db), q.constData(), -1, &st, nullptr), SQLITE_OK)
        << sql.toStdString();
    QStringList details;
    while (sqlite3_step(st) == SQLITE_ROW)
        details << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 3)));
    sqlite3_finalize(st);
    return details;
}

} // namespace

TEST(Dao, StoredQueryReadsRowsForwardOnlyInRecordOrder) {
    TempDatabase t;
    t.Insert(0, {Fila("casa", "house", "n", "f", "s"), Fila("casa", "home", "n", "f", "s"),
                 Fila("perro", "dog", "n")});
    auto db = t.Open();
    auto q = db->QueryDefs("qryBuscarEspIng");
    q->Parameters("ptroPalabra").SetValue(QStringLiteral("casa"));
    auto rs = q->OpenRecordset(dao::dbOpenForwardOnly);
    ASSERT_FALSE(rs->Eof());
    EXPECT_EQ(rs->Fields("Traduccion").Value().toString(), "house");
    EXPECT_EQ(rs->Fields("Genero").Value().toString(), "f");
    EXPECT_EQ(rs->Fields("Pronunciacion").Value().toInt(), 0);
    rs->MoveNext();
    EXPECT_EQ(rs->Fields("Traduccion").Value().toString(), "home");
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    EXPECT_THROW(rs->Fields("Traduccion"), dao::DaoError);
    rs->Close();

    q->Parameters("ptroPalabra").SetValue(QStringLiteral("gato"));
    EXPECT_TRUE(q->OpenRecordset(dao::dbOpenForwardOnly)->Eof());
    q->Parameters("ptroPalabra").SetValue(QString());
    EXPECT_TRUE(q->OpenRecordset(dao::dbOpenForwardOnly)->Eof());
}

TEST(Dao, WordListSqlGroupsEachHeadwordOnceInAscendingOrder) {
    TempDatabase t;
    t.Insert(
        1, {Fila("zebra", "cebra"), Fila("Apple", "manzana"), Fila("apple", "poma"), Fila("bank", "banco")});
    auto db = t.Open();
    auto rs = db->OpenRecordset("SELECT Palabra FROM IngEsp GROUP BY Palabra", dao::dbOpenForwardOnly);
    QStringList words;
    for (; !rs->Eof(); rs->MoveNext())
        words << rs->Fields("Palabra").Value().toString();
    ASSERT_EQ(words.size(), 3);
    EXPECT_EQ(words[0].toLower(), "apple");
    EXPECT_EQ(words[1], "bank");
    EXPECT_EQ(words[2], "zebra");
}

TEST(Dao, FindFirstTakesFirstMatchInRecordOrderAndNoMatchKeepsPosition) {
    TempDatabase t;
    t.Insert(0, {Fila("uno", "one"), Fila("dos", "two"), Fila("dos", "deuce"), Fila("tres", "three")});
    auto db = t.Open();
    auto rs = db->OpenRecordset("EspIng", dao::dbOpenDynaset);
    ASSERT_FALSE(rs->Eof());
    EXPECT_EQ(rs->Fields("Palabra").Value().toString(), "uno");
    rs->MoveFirst();
    rs->FindFirst("Palabra = 'dos'");
    ASSERT_FALSE(rs->NoMatch());
    EXPECT_EQ(rs->Fields("Traduccion").Value().toString(), "two");
    rs->FindFirst("Palabra = 'cuatro'");
    EXPECT_TRUE(rs->NoMatch());
    EXPECT_EQ(rs->Fields("Traduccion").Value().toString(), "two");
    rs->MoveNext();
    EXPECT_EQ(rs->Fields("Traduccion").Value().toString(), "deuce");
    rs->MoveNext();
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    rs->Close();
}

TEST(Dao, TextComparesWithoutCaseOverUnicodeButWithAccents) {
    TempDatabase t;
    t.Insert(5, {Fila("été", "verano"), Fila("papa", "patata"), Fila("papá", "papá"), Fila("árbol", "árbol"),
                 Fila("σοφία", "sabiduría"), Fila("щука", "lucio")});
    auto db = t.Open();
    auto rs = db->OpenRecordset("FraEsp", dao::dbOpenDynaset);
    const auto find = [&](const QString& w) {
        rs->MoveFirst();
        rs->FindFirst("Palabra = '" + w + "'");
        return rs->NoMatch() ? QString("<none>") : rs->Fields("Traduccion").Value().toString();
    };
    EXPECT_EQ(find("ÉTÉ"), "verano");
    EXPECT_EQ(find("ÁRBOL"), "árbol");
    EXPECT_EQ(find("ΣΟΦΊΑ"), "sabiduría");
    EXPECT_EQ(find("ЩУКА"), "lucio");
    EXPECT_EQ(find("PAPÁ"), "papá");
    EXPECT_EQ(find("Papa"), "patata");
    EXPECT_EQ(find("ete"), "<none>");
    EXPECT_EQ(find("arbol"), "<none>");

    auto q = db->QueryDefs("qryBuscarFraEsp");
    q->Parameters("ptroPalabra").SetValue(QStringLiteral("ÉTÉ"));
    auto found = q->OpenRecordset(dao::dbOpenForwardOnly);
    ASSERT_FALSE(found->Eof());
    EXPECT_EQ(found->Fields("Traduccion").Value().toString(), "verano");
}

TEST(Dao, CriterionValueIsBoundNeverPastedIntoSql) {
    TempDatabase t;
    t.Insert(1, {Fila("it's", "es"), Fila("cat", "gato")});
    auto db = t.Open();
    auto rs = db->OpenRecordset("IngEsp", dao::dbOpenDynaset);
    rs->FindFirst("Palabra = 'it''s'");
    ASSERT_FALSE(rs->NoMatch());
    EXPECT_EQ(rs->Fields("Traduccion").Value().toString(), "es");
    rs->MoveFirst();
    rs->FindFirst("Palabra = 'x' OR '1'='1'");
    EXPECT_TRUE(rs->NoMatch());
    rs->FindFirst("Palabra = 'cat'; DROP TABLE IngEsp; --'");
    EXPECT_TRUE(rs->NoMatch());
    EXPECT_THROW(rs->FindFirst("Palabra LIKE 'c%'"), dao::DaoError);
    EXPECT_THROW(rs->FindFirst("Nada = 'cat'"), dao::DaoError);
    rs->FindFirst("Palabra = 'cat'");
    EXPECT_FALSE(rs->NoMatch());
}

TEST(Dao, NullIsDistinctFromEmptyText) {
    TempDatabase t;
    esquema::Fila conNull = Fila("house", "casa");
    conNull.acepcion1 = QVariant();
    esquema::Fila vacia = Fila("cat", "gato");
    vacia.acepcion1 = QString("");
    vacia.acepcion2 = QVariant();
    esquema::Fila dos = Fila("bank", "banco");
    dos.acepcion1 = QString("orilla");
    dos.acepcion2 = QString("");
    t.Insert(1, {conNull, vacia, dos});
    auto db = t.Open();
    auto rs = db->OpenRecordset("IngEsp", dao::dbOpenForwardOnly);
    EXPECT_TRUE(rs->Fields("Acepcion1").IsNull());
    rs->MoveNext();
    EXPECT_FALSE(rs->Fields("Acepcion1").IsNull());
    EXPECT_EQ(rs->Fields("Acepcion1").Value().toString(), "");
    EXPECT_TRUE(rs->Fields("Acepcion2").IsNull());
    rs->MoveNext();
    EXPECT_EQ(rs->Fields("Acepcion1").Value().toString(), "orilla");
    EXPECT_FALSE(rs->Fields("Acepcion2").IsNull());
    EXPECT_TRUE(rs->Fields("Acepcion2").Value().toString().isEmpty());

    // The schema refuses a further meaning without a second one stored beside it.
    esquema::Fila mala = Fila("dog", "perro");
    mala.acepcion1 = QString("can");
    mala.acepcion2 = QVariant();
    EXPECT_THROW(t.Insert(1, {mala}), dao::DaoError);
}

TEST(Dao, OpeningNeverCreatesAndReportsBadFilesWithEngineNumbers) {
    QTemporaryDir dir;
    const QString missing = dir.filePath("PALAVRIX.MDB");
    EXPECT_EQ(errorNumberOpening(missing), dao::errFileNotFound);
    EXPECT_FALSE(QFile::exists(missing));

    const QString empty = dir.filePath("empty.mdb");
    QFile(empty).open(QIODevice::WriteOnly);
    EXPECT_EQ(errorNumberOpening(empty), dao::errUnrecognizedFormat);

    const QString noise = dir.filePath("noise.mdb");
    {
        QFile f(noise);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QByteArray bytes(8192, 0);
        for (auto& b : bytes)
            b = static_cast<char>(QRandomGenerator::global()->bounded(256));
        f.write(bytes);
    }
    EXPECT_EQ(errorNumberOpening(noise), dao::errUnrecognizedFormat);

    TempDatabase t;
    std::vector<esquema::Fila> many;
    for (int i = 0; i < 3000; ++i)
        many.push_back(Fila(QString("palabra%1").arg(i), QString("word%1").arg(i)));
    t.Insert(0, many);
    const QString cut = dir.filePath("cut.mdb");
    {
        QFile in(t.Path());
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        const QByteArray all = in.readAll();
        QFile out(cut);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(all.left(all.size() / 2));
    }
    EXPECT_EQ(errorNumberOpening(cut), dao::errUnrecognizedFormat);
}

TEST(Dao, FileHeldExclusivelyByAnotherConnectionIsReportedInUse) {
    TempDatabase t;
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(t.Path().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(
        sqlite3_exec(other, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE;", nullptr, nullptr, nullptr),
        SQLITE_OK);
    EXPECT_EQ(errorNumberOpening(t.Path()), dao::errFileInUse);
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);
}

TEST(Dao, MissingQueriesTablesAndFieldsRaiseTheirNumbers) {
    TempDatabase t;
    auto db = t.Open();
    try {
        db->QueryDefs("qryNoExiste");
        FAIL();
    } catch (const dao::DaoError& e) {
        EXPECT_EQ(e.Number(), dao::errItemNotFound);
    }
    try {
        db->OpenRecordset("NoTabla", dao::dbOpenDynaset);
        FAIL();
    } catch (const dao::DaoError& e) {
        EXPECT_EQ(e.Number(), dao::errTableNotFound);
    }
    auto q = db->QueryDefs("qryBuscarEspIng");
    EXPECT_THROW(q->Parameters("otro"), dao::DaoError);
    auto empty = db->OpenRecordset("EspIng", dao::dbOpenDynaset);
    EXPECT_TRUE(empty->Eof());
    EXPECT_THROW(empty->MoveFirst(), dao::DaoError);
    db->Close();
    EXPECT_THROW(db->QueryDefs("qryBuscarEspIng"), dao::DaoError);
}

TEST(Dao, LookupsWordListsAndSearchesAreServedByIndexes) {
    TempDatabase t;
    auto db = t.Open();
    for (const auto& d : kDirecciones) {
        const QString table = d.tabla;
        const QString lookup = esquema::SqlConsulta(static_cast<int>(&d - kDirecciones.data()));
        // The very statement a search of the translator runs (FindFirst on a table dynaset).
        auto rs = db->OpenRecordset(table, dao::dbOpenDynaset);
        const QString antes = dao::LastStatementSql();
        rs->FindFirst("Palabra = 'casa'");
        const QString search = dao::LastStatementSql();
        ASSERT_NE(search, antes) << "FindFirst made no statement of its own";
        for (const QString& sql : {lookup, "SELECT Palabra FROM " + table + " GROUP BY Palabra", search}) {
            const QString plan = planOf(*db, sql).join(" | ");
            EXPECT_TRUE(plan.contains("USING INDEX") || plan.contains("USING COVERING INDEX"))
                << sql.toStdString() << " -> " << plan.toStdString();
            EXPECT_FALSE(plan.contains("TEMP B-TREE")) << sql.toStdString() << " -> " << plan.toStdString();
            EXPECT_FALSE(plan.startsWith("SCAN " + table + " ") && !plan.contains("INDEX"))
                << plan.toStdString();
        }
    }
}

namespace {

// The translation the stored query of EspIng gives for a word, or the error it raised.
QString lookUp(dao::Database& db, const QString& word) {
    try {
        auto q = db.QueryDefs("qryBuscarEspIng");
        q->Parameters("ptroPalabra").SetValue(word);
        auto rs = q->OpenRecordset(dao::dbOpenForwardOnly);
        return rs->Eof() ? QString("<none>") : rs->Fields("Traduccion").Value().toString();
    } catch (const dao::DaoError& e) {
        return QString("error %1").arg(e.Number());
    }
}

int errorNumberOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const dao::DaoError& e) {
        return e.Number();
    }
    return 0;
}

std::vector<esquema::Fila> manyRows(int n) {
    std::vector<esquema::Fila> rows;
    for (int i = 0; i < n; ++i)
        rows.push_back(Fila(QString("palabra%1").arg(i), QString("word%1").arg(i)));
    return rows;
}

} // namespace

TEST(Dao, AFileEmptiedWhileOpenGivesErrorsNotACrash) {
    TempDatabase t;
    t.Insert(0, manyRows(3000));
    QByteArray original;
    {
        QFile f(t.Path());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        original = f.readAll();
    }
    auto db = t.Open();
    auto rs = db->OpenRecordset("EspIng", dao::dbOpenDynaset);
    rs->FindFirst("Palabra = 'palabra2999'");
    EXPECT_EQ(rs->Fields("Traduccion").Value().toString(), "word2999");
    rs->Close();
    EXPECT_EQ(lookUp(*db, "palabra1500"), "word1500");

    // What copying a new dictionary over the file does first: it is emptied.
    ASSERT_TRUE(QFile::resize(t.Path(), 0));
    EXPECT_TRUE(lookUp(*db, "palabra2000").startsWith("error")) << lookUp(*db, "palabra2000").toStdString();
    EXPECT_NE(errorNumberOf([&] {
                  auto list = db->OpenRecordset("SELECT Palabra FROM EspIng GROUP BY Palabra",
                                                dao::dbOpenForwardOnly);
                  while (!list->Eof())
                      list->MoveNext();
              }),
              0);
    EXPECT_NE(errorNumberOf([&] {
                  auto d = db->OpenRecordset("EspIng", dao::dbOpenDynaset);
                  d->FindFirst("Palabra = 'palabra10'");
                  d->Fields("Traduccion");
              }),
              0);

    // Then the copy writes the new content: still no crash (SQLite keeps the empty file's
    // layout until the database is opened again, so lookups go on reporting the error).
    {
        QFile f(t.Path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(original);
    }
    EXPECT_TRUE(lookUp(*db, "palabra2000").startsWith("error")) << lookUp(*db, "palabra2000").toStdString();
    EXPECT_EQ(lookUp(*t.Open(), "palabra2000"), "word2000");
}

TEST(Dao, TheDictionaryIsOpenedReadOnlyAndOnlyStatementsThatReadRun) {
    TempDatabase t;
    t.Insert(0, {Fila("casa", "house"), Fila("perro", "dog")});
    t.Execute("UPDATE QueryDefs SET SQL = 'DELETE FROM EspIng WHERE Palabra = :ptroPalabra' "
              "WHERE Name = 'qryBuscarEspIng'");
    t.Execute("INSERT INTO QueryDefs (Name, SQL) VALUES ('qryMapa', 'PRAGMA mmap_size = 268435456'), "
              "('qryOtro', 'ATTACH DATABASE ''/tmp/palavrix-otro.db'' AS otro'), ('qryVacia', '  ')");
    auto db = t.Open();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(lookUp(*db, "casa"), QString("error %1").arg(dao::errReadOnly));
    for (const char* name : {"qryMapa", "qryOtro", "qryVacia"})
        EXPECT_NE(errorNumberOf([&] {
                      auto q = db->QueryDefs(name);
                      q->OpenRecordset(dao::dbOpenForwardOnly);
                  }),
                  0)
            << name;
    EXPECT_FALSE(QFile::exists("/tmp/palavrix-otro.db"));
    EXPECT_EQ(errorNumberOf([&] { db->OpenRecordset("DELETE FROM EspIng", dao::dbOpenForwardOnly); }),
              dao::errReadOnly);
    EXPECT_EQ(
        errorNumberOf([&] { db->OpenRecordset("UPDATE EspIng SET Traduccion = 'x'", dao::dbOpenDynaset); }),
        dao::errReadOnly);
    // Even what asks the engine directly cannot write through the program's connection.
    EXPECT_EQ(errorNumberOf([&] { dao::Execute(*db, "DELETE FROM EspIng"); }), dao::errReadOnly);

    auto rs = db->OpenRecordset("SELECT count(*) AS n FROM EspIng", dao::dbOpenForwardOnly);
    EXPECT_EQ(rs->Fields("n").Value().toInt(), 2);
}

TEST(Dao, AStatementRunningPastItsTimeIsStoppedAndTheDatabaseGoesOn) {
    TempDatabase t;
    t.Insert(0, {Fila("casa", "house")});
    // A query that never ends, and one that yields rows for ever, one at a time.
    t.Execute("UPDATE QueryDefs SET SQL = 'WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) "
              "SELECT count(*) AS Traduccion FROM c WHERE :ptroPalabra IS NOT NULL' WHERE Name = "
              "'qryBuscarEspIng'");
    auto db = t.Open();
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(lookUp(*db, "casa"), QString("error %1").arg(dao::errCanceled));
    EXPECT_LT(clock.elapsed(), 10000);

    clock.restart();
    int rows = 0;
    const int number = errorNumberOf([&] {
        auto rs = db->OpenRecordset("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) "
                                    "SELECT x AS Palabra FROM c",
                                    dao::dbOpenForwardOnly);
        for (; !rs->Eof(); rs->MoveNext())
            ++rows;
    });
    EXPECT_EQ(number, dao::errCanceled);
    EXPECT_GT(rows, 1000);
    EXPECT_LT(clock.elapsed(), 10000);

    try {
        db->OpenRecordset(
            "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) SELECT max(x) FROM c",
            dao::dbOpenDynaset);
        FAIL();
    } catch (const dao::DaoError& e) {
        EXPECT_EQ(e.Number(), dao::errCanceled);
        EXPECT_TRUE(e.Description().contains("tardaba más de 2 segundos")) << e.Description().toStdString();
    }
    // The time counts per statement: the next one runs as usual.
    auto rs = db->OpenRecordset("EspIng", dao::dbOpenDynaset);
    rs->FindFirst("Palabra = 'casa'");
    EXPECT_EQ(rs->Fields("Traduccion").Value().toString(), "house");
}

TEST(Dao, TheEnginesCommonErrorsReadInSpanishAndAFolderIsCalledAFolder) {
    QTemporaryDir dir;
    const auto descriptionOpening = [](const QString& path) {
        try {
            dao::DBEngine().Workspaces(0).OpenDatabase(path);
        } catch (const dao::DaoError& e) {
            return QString("%1 %2").arg(e.Number()).arg(e.Description());
        }
        return QString("opened");
    };
    const QString folder = dir.filePath("PALAVRIX.MDB");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString aboutFolder = descriptionOpening(folder);
    EXPECT_TRUE(aboutFolder.contains("carpeta")) << aboutFolder.toStdString();
    EXPECT_FALSE(aboutFolder.contains("No se encuentra")) << aboutFolder.toStdString();

    const QString noise = dir.filePath("noise.mdb");
    {
        QFile f(noise);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(8192, 'x'));
    }
    const QString aboutNoise = descriptionOpening(noise);
    EXPECT_TRUE(aboutNoise.contains("el archivo no es una base de datos")) << aboutNoise.toStdString();
    EXPECT_FALSE(aboutNoise.contains("file is not a database")) << aboutNoise.toStdString();

    TempDatabase t;
    auto db = t.Open();
    const auto description = [](const std::function<void()>& f) {
        try {
            f();
        } catch (const dao::DaoError& e) {
            return e.Description();
        }
        return QString();
    };
    const QString write = description([&] { dao::Execute(*db, "DELETE FROM EspIng"); });
    EXPECT_TRUE(write.contains("solo lectura")) << write.toStdString();
    EXPECT_FALSE(write.contains("readonly")) << write.toStdString();
    const QString table =
        description([&] { db->OpenRecordset("SELECT Palabra FROM Nada", dao::dbOpenForwardOnly); });
    EXPECT_TRUE(table.contains("no existe la tabla Nada")) << table.toStdString();
    const QString syntax =
        description([&] { db->OpenRecordset("SELECT FROM WHERE", dao::dbOpenForwardOnly); });
    EXPECT_TRUE(syntax.contains("error de sintaxis")) << syntax.toStdString();
    EXPECT_FALSE(syntax.contains("syntax error")) << syntax.toStdString();
}

TEST(Dao, AnUnknownFieldInASearchIsNamedTheSameWayByEveryRecordset) {
    TempDatabase t;
    t.Insert(0, {Fila("casa", "house")});
    auto db = t.Open();
    auto tabla = db->OpenRecordset("EspIng", dao::dbOpenDynaset);
    auto consulta = db->OpenRecordset("SELECT Palabra, Traduccion FROM EspIng", dao::dbOpenDynaset);
    QStringList textos;
    for (auto* rs : {tabla.get(), consulta.get()}) {
        try {
            rs->FindFirst("Sentido = 'casa'");
            ADD_FAILURE() << "a search on a field the records lack went through";
        } catch (const dao::DaoError& e) {
            EXPECT_EQ(e.Number(), 3070);
            textos << e.Description();
        }
    }
    ASSERT_EQ(textos.size(), 2);
    EXPECT_EQ(textos[0], textos[1]);
    EXPECT_TRUE(textos[0].contains("«Sentido»")) << textos[0].toStdString();
}

namespace {

int count(dao::Database& db, const QString& sql) {
    auto rs = db.OpenRecordset(sql, dao::dbOpenForwardOnly);
    return rs->Fields("n").Value().toInt();
}

// The tables of a database and how many rows each holds, to compare it before and after a write.
QStringList contents(dao::Database& db) {
    QStringList names;
    auto tables = db.OpenRecordset("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name",
                                   dao::dbOpenForwardOnly);
    for (; !tables->Eof(); tables->MoveNext())
        names << tables->Fields("name").Value().toString();
    tables->Close();
    QStringList out;
    for (const QString& name : names)
        out << QString("%1 %2").arg(name).arg(
            count(db, QString("SELECT count(*) AS n FROM \"%1\"").arg(name)));
    return out;
}

} // namespace

TEST(Dao, ABatchOfStatementsIsWrittenWholeOrNotAtAll) {
    TempDatabase t;
    t.Insert(0, {Fila("casa", "house")});
    auto db = dao::DBEngine().Workspaces(0).OpenDatabase(t.Path(), false);
    const QStringList before = contents(*db);

    // A statement failing in the middle undoes the ones before it, a new table included.
    EXPECT_EQ(errorNumberOf([&] {
                  dao::ExecuteBatch(*db,
                                    {"CREATE TABLE Nueva (Palabra TEXT)", "INSERT INTO Nueva VALUES ('uno')",
                                     "INSERT INTO EspIng (Palabra, Traduccion) VALUES ('perro', 'dog')",
                                     "INSERT INTO NoExiste VALUES (1)", "INSERT INTO Nueva VALUES ('dos')"});
              }),
              dao::errTableNotFound);
    EXPECT_EQ(contents(*db), before);
    // So does a row that breaks a rule, and a statement that cannot even be prepared.
    const QString insert = "INSERT INTO EspIng (Palabra, Traduccion) VALUES (?1, ?2)";
    EXPECT_NE(errorNumberOf([&] {
                  dao::ExecuteBatch(*db, insert, {{"perro", "dog"}, {"gato", QVariant()}, {"pez", "fish"}});
              }),
              0);
    EXPECT_EQ(contents(*db), before);
    EXPECT_EQ(
        errorNumberOf([&] { dao::ExecuteBatch(*db, "INSERT INTO EspIng (Nada) VALUES (?1)", {{"perro"}}); }),
        dao::errEngine);
    EXPECT_EQ(errorNumberOf([&] { dao::ExecuteBatch(*db, "INSERT EspIng VALUES (?1)", {{"perro"}}); }),
              dao::errSyntax);
    EXPECT_EQ(contents(*db), before);

    // The same connection writes afterwards: no transaction was left open by the failures.
    dao::ExecuteBatch(*db, insert, {{"perro", "dog"}, {"pez", "fish"}});
    dao::ExecuteBatch(*db, {"CREATE TABLE Nueva (Palabra TEXT)", "INSERT INTO Nueva VALUES ('uno')"});
    db->Close();
    auto reopened = t.Open();
    EXPECT_EQ(count(*reopened, "SELECT count(*) AS n FROM EspIng"), 3);
    EXPECT_EQ(count(*reopened, "SELECT count(*) AS n FROM Nueva"), 1);
}

TEST(Dao, ABatchInsideAnOpenTransactionUndoesOnlyItsOwnPart) {
    TempDatabase t;
    t.Insert(0, {Fila("casa", "house")});
    auto db = dao::DBEngine().Workspaces(0).OpenDatabase(t.Path(), false);
    // A table recordset holds a read transaction while it lives.
    auto rs = db->OpenRecordset("EspIng", dao::dbOpenDynaset);
    dao::ExecuteBatch(*db, "INSERT INTO EspIng (Palabra, Traduccion) VALUES (?1, ?2)", {{"perro", "dog"}});
    EXPECT_NE(errorNumberOf([&] {
                  dao::ExecuteBatch(*db, "INSERT INTO EspIng (Palabra, Traduccion) VALUES (?1, ?2)",
                                    {{"gato", "cat"}, {"pez", QVariant()}});
              }),
              0);
    rs->FindFirst("Palabra = 'perro'");
    EXPECT_FALSE(rs->NoMatch());
    rs->FindFirst("Palabra = 'gato'");
    EXPECT_TRUE(rs->NoMatch());
    rs->Close();
    db->Close();
    auto reopened = t.Open();
    EXPECT_EQ(count(*reopened, "SELECT count(*) AS n FROM EspIng"), 2);
}
