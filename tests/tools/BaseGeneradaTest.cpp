// The database and the recordings that this build generated from Apertium's dictionaries, read
// the way the program reads them: stored queries through the engine layer.
#include "dictionary_data/Direcciones.h"
#include "platform/Dao.h"

#include <QFileInfo>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString kBase = QStringLiteral(PALAVRIX_BUILD_DIR "/PALAVRIX.MDB");
const QString kPronun = QStringLiteral(PALAVRIX_BUILD_DIR "/Palavrix/PRONUN");

class BaseGenerada : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFileInfo::exists(kBase)) << "the build did not generate " << kBase.toStdString();
        ASSERT_NO_THROW(db_ = dao::DBEngine().Workspaces(0).OpenDatabase(kBase));
    }
    void TearDown() override {
        if (db_) db_->Close();
    }

    struct Primera {
        bool hallada = false;
        QString traduccion, tipo, genero, numero, tipoT, generoT, numeroT;
        QVariant acepcion1, acepcion2, pronunciacion;
    };

    // The first row of the stored query of `direccion` for `palabra`, as a lookup shows it.
    Primera Buscar(int direccion, const QString& palabra) {
        Primera p;
        auto q = db_->QueryDefs(QLatin1String(kDirecciones[static_cast<size_t>(direccion)].consulta));
        q->Parameters(QStringLiteral("ptroPalabra")).SetValue(palabra);
        auto rs = q->OpenRecordset(dao::dbOpenForwardOnly);
        if (!rs->Eof()) {
            p.hallada = true;
            auto texto = [&](const char* c) { return rs->Fields(QLatin1String(c)).Value().toString(); };
            p.traduccion = texto("Traduccion");
            p.tipo = texto("Tipo");
            p.genero = texto("Genero");
            p.numero = texto("Numero");
            p.tipoT = texto("TipoT");
            p.generoT = texto("GeneroT");
            p.numeroT = texto("NumeroT");
            if (kDirecciones[static_cast<size_t>(direccion)].acepciones) {
                p.acepcion1 = rs->Fields(QStringLiteral("Acepcion1")).Value();
                p.acepcion2 = rs->Fields(QStringLiteral("Acepcion2")).Value();
            }
            if (kDirecciones[static_cast<size_t>(direccion)].pronunciacion)
                p.pronunciacion = rs->Fields(QStringLiteral("Pronunciacion")).Value();
        }
        rs->Close();
        return p;
    }

    // The first row of `palabra`, checked for the translation and part of speech expected.
    Primera Esperar(int direccion, const char* palabra, const char* traduccion, const char* tipo) {
        SCOPED_TRACE(std::string(kDirecciones[static_cast<size_t>(direccion)].tabla) + " " + palabra);
        const Primera p = Buscar(direccion, QString::fromUtf8(palabra));
        EXPECT_TRUE(p.hallada);
        EXPECT_EQ(p.traduccion, QString::fromUtf8(traduccion));
        EXPECT_EQ(p.tipo, QString::fromUtf8(tipo));
        return p;
    }

    int Contar(const QString& sql) {
        auto rs = db_->OpenRecordset(sql, dao::dbOpenForwardOnly);
        const int n = rs->Eof() ? -1 : rs->Fields(QStringLiteral("n")).Value().toInt();
        rs->Close();
        return n;
    }

    std::unique_ptr<dao::Database> db_;
};

} // namespace

TEST_F(BaseGenerada, KnownWordsComeOutRightAsTheFirstRow) {
    // "casa" is "home" and "house", and English text uses "home" far more.
    const Primera casa = Buscar(0, QStringLiteral("casa"));
    ASSERT_TRUE(casa.hallada);
    EXPECT_EQ(casa.traduccion, QStringLiteral("home"));
    EXPECT_EQ(casa.tipo, QStringLiteral("n"));
    EXPECT_EQ(casa.genero, QStringLiteral("f"));
    EXPECT_EQ(casa.numero, QStringLiteral("s"));
    EXPECT_EQ(casa.tipoT, QStringLiteral("n"));
    EXPECT_TRUE(casa.pronunciacion.toBool());

    EXPECT_EQ(Buscar(0, QStringLiteral("perro")).traduccion, QStringLiteral("dog"));
    const Primera rojo = Buscar(0, QStringLiteral("rojo"));
    EXPECT_EQ(rojo.traduccion, QStringLiteral("red"));
    EXPECT_EQ(rojo.tipo, QStringLiteral("aj"));
    const Primera correr = Buscar(0, QStringLiteral("correr"));
    EXPECT_EQ(correr.traduccion, QStringLiteral("run"));
    EXPECT_EQ(correr.tipo, QStringLiteral("v"));

    // Into Spanish, with further meanings.
    const Primera house = Buscar(1, QStringLiteral("house"));
    EXPECT_EQ(house.traduccion, QStringLiteral("casa"));
    EXPECT_TRUE(house.acepcion1.toString() == QStringLiteral("cámara") ||
                house.acepcion2.toString() == QStringLiteral("cámara"))
        << house.acepcion1.toString().toStdString() << " / " << house.acepcion2.toString().toStdString();
    const Primera bank = Buscar(1, QStringLiteral("bank"));
    EXPECT_EQ(bank.traduccion, QStringLiteral("banco"));
    EXPECT_TRUE(bank.acepcion1.toString() == QLatin1String("orilla") ||
                bank.acepcion2.toString() == QLatin1String("orilla"));
    // Lookups ignore case, as the program's do.
    EXPECT_EQ(Buscar(1, QStringLiteral("House")).traduccion, QStringLiteral("casa"));

    const Primera maison = Buscar(5, QStringLiteral("maison"));
    EXPECT_EQ(maison.traduccion, QStringLiteral("casa"));
    EXPECT_EQ(maison.genero, QStringLiteral("f"));
    EXPECT_EQ(Buscar(3, QStringLiteral("cão")).traduccion, QStringLiteral("perro"));
    const Primera perro = Buscar(4, QStringLiteral("perro"));
    EXPECT_EQ(perro.traduccion, QStringLiteral("chien"));
    EXPECT_EQ(perro.generoT, QStringLiteral("m"));
    EXPECT_EQ(Buscar(2, QStringLiteral("casa")).traduccion, QStringLiteral("casa"));

    EXPECT_FALSE(Buscar(0, QStringLiteral("xyzzyx")).hallada);
}

TEST_F(BaseGenerada, SizeCodesAndNullRules) {
    const int minimo[] = {15000, 15000, 10000, 10000, 10000, 10000};
    for (size_t d = 0; d < kDirecciones.size(); ++d) {
        const QString t = QLatin1String(kDirecciones[d].tabla);
        SCOPED_TRACE(t.toStdString());
        // The word list's own statement counts the headwords.
        EXPECT_GE(
            Contar(
                QStringLiteral("SELECT COUNT(*) AS n FROM (SELECT Palabra FROM %1 GROUP BY Palabra)").arg(t)),
            minimo[d]);
        const int filas = Contar(QStringLiteral("SELECT COUNT(*) AS n FROM %1").arg(t));
        const int conTipo = Contar(QStringLiteral("SELECT COUNT(*) AS n FROM %1 WHERE Tipo <> ''").arg(t));
        EXPECT_GE(conTipo, filas * 95 / 100);
        EXPECT_EQ(
            Contar(QStringLiteral("SELECT COUNT(*) AS n FROM %1 WHERE Tipo NOT IN ('', 'n', 'v', 'aj', 'av', "
                                  "'ar', 'pr', 'pro', 'cj', 'ij') "
                                  "OR Genero NOT IN ('', 'm', 'f', 'n') OR Numero NOT IN ('', 's', 'p')")
                       .arg(t)),
            0);
        if (kDirecciones[d].acepciones) {
            EXPECT_EQ(Contar(QStringLiteral(
                                 "SELECT COUNT(*) AS n FROM %1 WHERE Acepcion1 <> '' AND Acepcion2 IS NULL")
                                 .arg(t)),
                      0);
        }
    }
}

TEST_F(BaseGenerada, PronunciationFlagMatchesTheRecordings) {
    // Every row's flag against the disk: true exactly when the file is there.
    auto rs = db_->OpenRecordset(QStringLiteral("SELECT Traduccion, Pronunciacion FROM EspIng"),
                                 dao::dbOpenForwardOnly);
    int filas = 0, grabadas = 0, errores = 0;
    for (; !rs->Eof(); rs->MoveNext()) {
        const QString t = rs->Fields(QStringLiteral("Traduccion")).Value().toString();
        const bool marcada = rs->Fields(QStringLiteral("Pronunciacion")).Value().toBool();
        const bool existe =
            !t.isEmpty() && QFileInfo(kPronun + QLatin1Char('/') + t.left(1) + QLatin1Char('/') + t).isFile();
        ++filas;
        grabadas += marcada;
        if (marcada != existe && ++errores <= 5)
            ADD_FAILURE() << t.toStdString() << ": flag " << marcada << ", file " << existe;
    }
    rs->Close();
    EXPECT_EQ(errores, 0);
    EXPECT_GT(grabadas, filas * 9 / 10);
}

TEST_F(BaseGenerada, NoTableShowsAnInternalNameTagOrJunkHeadword) {
    // A name of Apertium's own ("prpers", "Pole_person"), a tag or a mark of the stream format,
    // in any text column of any table.
    for (size_t d = 0; d < kDirecciones.size(); ++d) {
        const QString t = QLatin1String(kDirecciones[d].tabla);
        SCOPED_TRACE(t.toStdString());
        QStringList columnas{QStringLiteral("Palabra"), QStringLiteral("Traduccion")};
        if (kDirecciones[d].acepciones)
            columnas << QStringLiteral("Acepcion1") << QStringLiteral("Acepcion2");
        for (const QString& c : columnas) {
            const QString interno =
                QStringLiteral("SELECT COUNT(*) AS n FROM %1 WHERE %2 = 'prpers' OR instr(%2, '_') > 0 OR "
                               "instr(%2, '<') > 0 "
                               "OR instr(%2, '>') > 0 OR instr(%2, '#') > 0 OR instr(%2, '@') > 0")
                    .arg(t, c);
            EXPECT_EQ(Contar(interno), 0) << c.toStdString();
        }
        // Titles and sentences are no headwords: no sentence punctuation, at most four words.
        EXPECT_EQ(
            Contar(
                QStringLiteral(
                    "SELECT COUNT(*) AS n FROM %1 WHERE instr(Palabra, ',') > 0 OR instr(Palabra, ';') > 0 "
                    "OR instr(Palabra, '!') > 0 OR instr(Palabra, '?') > 0 OR instr(Palabra, '(') > 0 "
                    "OR instr(Palabra, '\"') > 0 OR instr(Palabra, '«') > 0 OR instr(Palabra, '‘') > 0 "
                    "OR length(Palabra) - length(replace(Palabra, ' ', '')) > 3")
                    .arg(t)),
            0);
        // A word joined by hyphens has no blank beside a hyphen ("arc -en-ciel"): nobody types it so.
        for (const QString& c : {QStringLiteral("Palabra"), QStringLiteral("Traduccion")})
            EXPECT_EQ(Contar(QStringLiteral("SELECT COUNT(*) AS n FROM %1 WHERE instr(%2, ' -') > 0 OR "
                                            "instr(%2, '- ') > 0")
                                 .arg(t, c)),
                      0)
                << c.toStdString();
        // Gender and number only for nouns, articles and pronouns; articles only where the
        // language has them.
        EXPECT_EQ(
            Contar(QStringLiteral("SELECT COUNT(*) AS n FROM %1 WHERE (Tipo NOT IN ('n', 'ar', 'pro') AND "
                                  "(Genero <> '' OR Numero <> '')) "
                                  "OR (TipoT NOT IN ('n', 'ar', 'pro') AND (GeneroT <> '' OR NumeroT <> ''))")
                       .arg(t)),
            0);
        EXPECT_EQ(
            Contar(
                QStringLiteral(
                    "SELECT COUNT(*) AS n FROM %1 WHERE Tipo = 'ar' AND Palabra COLLATE BINARY NOT IN "
                    "('el', 'la', 'lo', 'los', 'las', 'un', 'una', 'unos', 'unas', 'uno', 'the', 'a', 'an', "
                    "'o', 'os', 'as', 'um', 'uma', 'uns', 'umas', 'le', 'l', 'les', 'une', 'des', 'The', "
                    "'A')")
                    .arg(t)),
            0);
    }
}

TEST_F(BaseGenerada, TheCommonestWordsHaveTheirUsualFirstRow) {
    struct Caso {
        int direccion;
        const char *palabra, *traduccion, *tipo, *genero, *numero;
    };
    // Function words in their own forms, the article before the pronoun, lower case before
    // acronyms, the tagger's part of speech, gender-specific senses under their own gender.
    const Caso casos[] = {
        {0, "la", "the", "ar", "f", "s"},
        {0, "el", "the", "ar", "m", "s"},
        {0, "que", "that", "cj", "", ""},
        {0, "yo", "I", "pro", "", "s"},
        {0, "él", "he", "pro", "m", "s"},
        {0, "mí", "me", "pro", "", "s"},
        {0, "lo", "it", "pro", "n", ""},
        {0, "del", "of the", "pr", "", ""},
        {0, "es", "is", "v", "", ""},
        {0, "fue", "was", "v", "", ""},
        {0, "bien", "well", "av", "", ""},
        {0, "ser", "be", "v", "", ""},
        {0, "poder", "can", "v", "", ""},
        {0, "gente", "people", "n", "f", "s"},
        {0, "mejor", "better", "aj", "", ""},
        {0, "hijo", "son", "n", "m", "s"},
        {0, "hija", "daughter", "n", "f", "s"},
        {0, "niña", "girl", "n", "f", "s"},
        {0, "dios", "god", "n", "m", "s"},
        {0, "diosa", "goddess", "n", "f", "s"},
        {0, "muchacha", "girl", "n", "f", "s"},
        {0, "amiga", "friend", "n", "f", "s"},
        {0, "cierto", "true", "aj", "", ""},
        {0, "cada", "each", "", "", ""},
        {1, "the", "el", "ar", "", ""},
        {1, "I", "yo", "pro", "", "s"},
        {1, "who", "quién", "pro", "m", ""},
        {1, "is", "es", "v", "", ""},
        {1, "daughter", "hija", "n", "", "s"},
        {2, "la", "a", "ar", "f", "s"},
        {2, "usted", "você", "pro", "", "s"},
        {2, "del", "do", "pr", "", ""},
        {3, "o", "el", "ar", "m", "s"},
        {3, "a", "la", "ar", "f", "s"},
        {3, "você", "usted", "pro", "", "s"},
        {3, "do", "del", "pr", "", ""},
        {3, "é", "es", "v", "", ""},
        {3, "eu", "yo", "pro", "", "s"},
        {4, "arroz", "riz", "n", "m", "s"},
        {4, "rojo", "rouge", "aj", "", ""},
        {4, "saber", "savoir", "v", "", ""},
        {4, "al", "au", "pr", "", ""},
        {5, "le", "el", "ar", "m", "s"},
        {5, "est", "es", "v", "", ""},
        {5, "être", "ser", "v", "", ""},
        {5, "du", "del", "pr", "", ""},
        {5, "l", "el", "ar", "", "s"},
        {5, "d", "de", "pr", "", ""},
        {5, "je", "yo", "pro", "", "s"},
        {5, "amour", "amor", "n", "m", "s"},
    };
    for (const Caso& c : casos) {
        const Primera p = Esperar(c.direccion, c.palabra, c.traduccion, c.tipo);
        EXPECT_EQ(p.genero, QString::fromUtf8(c.genero)) << c.palabra;
        EXPECT_EQ(p.numero, QString::fromUtf8(c.numero)) << c.palabra;
    }
    // "who" is never first the World Health Organisation, "may" never first the month.
    EXPECT_NE(Buscar(1, QStringLiteral("may")).traduccion, QStringLiteral("mayo"));
    EXPECT_EQ(Buscar(1, QStringLiteral("will")).tipo, QStringLiteral("v"));
}

TEST_F(BaseGenerada, TheFirstRowIsTheSenseReadersMeetMost) {
    struct Caso {
        int direccion;
        const char *palabra, *traduccion, *tipo;
    };
    const Caso casos[] = {
        // A noun headword is a noun first, not the adjective of a compound.
        {1, "car", "coche", "n"},
        {1, "school", "escuela", "n"},
        {1, "student", "estudiante", "n"},
        {1, "police", "policía", "n"},
        {1, "business", "negocio", "n"},
        // The part of speech running text uses most.
        {1, "die", "morir", "v"},
        {1, "build", "construir", "v"},
        {1, "look", "mirar", "v"},
        {1, "stop", "parar", "v"},
        {1, "watch", "mirar", "v"},
        // The commonest translation in the other language.
        {1, "make", "hacer", "v"},
        {1, "meet", "conocer", "v"},
        {5, "partie", "parte", "n"},
        {3, "cabeça", "cabeza", "n"},
        {0, "llevar", "take", "v"},
        // What was right stays so.
        {1, "house", "casa", "n"},
        {1, "bank", "banco", "n"},
        {1, "time", "tiempo", "n"},
        {1, "red", "rojo", "aj"},
        {0, "rojo", "red", "aj"},
        {0, "bien", "well", "av"},
    };
    for (const Caso& c : casos)
        Esperar(c.direccion, c.palabra, c.traduccion, c.tipo);
    // "stand" is no exhibition stand first.
    EXPECT_NE(Buscar(1, QStringLiteral("stand")).traduccion, QStringLiteral("estand"));
}
