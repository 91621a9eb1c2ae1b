#include "platform/Dao.h"
#include "platform/DaoNative.h"

#include "platform/TextFold.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <map>
#include <sqlite3.h>

namespace dao {

DaoError::DaoError(int number, const QString& description)
    : std::runtime_error(QStringLiteral("%1: %2").arg(number).arg(description).toStdString()),
      number_(number), description_(description) {}

// One open file. Shared by the Database and every object made from it, so that a recordset
// outliving Close() fails cleanly instead of touching a closed handle.
class Connection {
public:
    using Clock = std::chrono::steady_clock;

    Connection(sqlite3* db, QString path) : db_(db), path_(std::move(path)) {
        // Asked every thousand engine steps whether the running statement is past its time.
        if (db_) sqlite3_progress_handler(db_, 1000, &Connection::deadlinePassed, this);
    }
    ~Connection() { close(); }
    void close() {
        for (auto& [sql, st] : idle_)
            sqlite3_finalize(st);
        idle_.clear();
        if (db_) sqlite3_close_v2(db_);
        db_ = nullptr;
        columns_.clear();
    }
    // Prepared statements are kept for reuse: a lookup or a search prepares nothing after the
    // first time, which is most of what a short query costs.
    sqlite3_stmt* take(const QByteArray& sql) {
        auto it = idle_.find(sql);
        if (it == idle_.end()) return nullptr;
        sqlite3_stmt* st = it->second;
        idle_.erase(it);
        return st;
    }
    void give(const QByteArray& sql, sqlite3_stmt* st) {
        if (!db_ || idle_.size() > 64) {
            sqlite3_finalize(st);
            return;
        }
        sqlite3_reset(st);
        sqlite3_clear_bindings(st);
        idle_.emplace(sql, st);
    }
    sqlite3* handle() const {
        if (!db_) throw DaoError(errEngine, QStringLiteral("La base de datos está cerrada."));
        return db_;
    }
    bool isOpen() const { return db_ != nullptr; }
    const QString& path() const { return path_; }

    [[noreturn]] void fail(int rc, const QString& context) const;

    // Column names of a table, or an empty list when there is no such table.
    QStringList tableColumns(const QString& table);

    // The running statement must end by `deadline`; Clock::time_point::max() for no bound.
    void watch(Clock::time_point deadline) { deadline_ = deadline; }

private:
    static int deadlinePassed(void* self) {
        return Clock::now() > static_cast<Connection*>(self)->deadline_ ? 1 : 0;
    }

    sqlite3* db_;
    Clock::time_point deadline_ = Clock::time_point::max();
    QString path_;
    QHash<QString, QStringList> columns_;
    std::multimap<QByteArray, sqlite3_stmt*> idle_;
};

namespace {

int numberFor(int rc, const QString& message) {
    switch (rc & 0xff) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
    case SQLITE_FORMAT:
        return errUnrecognizedFormat;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return errFileInUse;
    case SQLITE_CANTOPEN:
        return errFileNotFound;
    case SQLITE_READONLY:
        return errReadOnly;
    case SQLITE_INTERRUPT:
        return errCanceled;
    case SQLITE_TOOBIG:
        return errValueTooLong;
    case SQLITE_AUTH:
        return errReadOnly;
    default:
        break;
    }
    if (message.contains(QLatin1String("no such table"))) return errTableNotFound;
    if (message.contains(QLatin1String("syntax error"))) return errSyntax;
    return errEngine;
}

// The engine's common messages in Spanish. The user reads these; an English text would tell
// most of them nothing. A message not listed here is kept as the engine wrote it.
QString inSpanish(int rc, const QString& message) {
    struct Prefix {
        const char* english;
        const char* spanish;
    };
    // Messages that name something after a colon: the name is kept.
    static const Prefix prefixes[] = {
        {"no such table: ", "no existe la tabla "},
        {"no such column: ", "no existe la columna "},
        {"no such function: ", "no existe la función "},
        {"no such collation sequence: ", "no existe la intercalación "},
        {"near ", "cerca de "},
    };
    for (const auto& p : prefixes) {
        const QLatin1String english(p.english);
        if (message.startsWith(english)) {
            QString rest = message.mid(english.size());
            rest.replace(QLatin1String(": syntax error"), QStringLiteral(": error de sintaxis"));
            return QString::fromUtf8(p.spanish) + rest;
        }
    }
    switch (rc & 0xff) {
    case SQLITE_NOTADB:
        return QStringLiteral("el archivo no es una base de datos");
    case SQLITE_CORRUPT:
        return QStringLiteral("el archivo de la base de datos está dañado");
    case SQLITE_FORMAT:
        return QStringLiteral("formato de base de datos no reconocido");
    case SQLITE_READONLY:
        return QStringLiteral("no se puede escribir en una base de datos de solo lectura");
    case SQLITE_BUSY:
        return QStringLiteral("la base de datos está bloqueada por otro proceso");
    case SQLITE_LOCKED:
        return QStringLiteral("una tabla de la base de datos está bloqueada");
    case SQLITE_CANTOPEN:
        return QStringLiteral("no se puede abrir el archivo de la base de datos");
    case SQLITE_IOERR:
        return QStringLiteral("error de lectura del disco");
    case SQLITE_FULL:
        return QStringLiteral("el disco está lleno");
    case SQLITE_NOMEM:
        return QStringLiteral("no hay memoria suficiente");
    case SQLITE_PERM:
        return QStringLiteral("permiso denegado");
    case SQLITE_AUTH:
        return QStringLiteral("operación no permitida en el diccionario");
    case SQLITE_INTERRUPT:
        return QStringLiteral("la consulta tardó demasiado y se detuvo");
    case SQLITE_TOOBIG:
        return QStringLiteral("un texto o dato pasa de %1 KB, más que cualquier entrada de un diccionario")
            .arg(kMaxValueBytes / 1024);
    case SQLITE_RANGE:
        return QStringLiteral("parámetro fuera de rango");
    case SQLITE_MISMATCH:
        return QStringLiteral("tipo de dato no válido");
    default:
        break;
    }
    if (message == QLatin1String("not an error")) return QString();
    return message;
}

QString describe(int number, const QString& engineMessage, const QString& context) {
    QString text;
    switch (number) {
    case errUnrecognizedFormat:
        text = QStringLiteral("Formato de base de datos no reconocido o archivo dañado");
        break;
    case errFileInUse:
        text = QStringLiteral("El archivo está en uso por otro proceso o bloqueado");
        break;
    case errFileNotFound:
        text = QStringLiteral("No se puede abrir el archivo");
        break;
    case errTableNotFound:
        text = QStringLiteral("No se encuentra la tabla o consulta");
        break;
    case errSyntax:
        text = QStringLiteral("Error de sintaxis en la consulta");
        break;
    case errReadOnly:
        text = QStringLiteral("La base de datos es de solo lectura");
        break;
    case errCanceled:
        text = QStringLiteral("La consulta se detuvo: tardaba más de %1 segundos")
                   .arg(std::chrono::duration_cast<std::chrono::seconds>(kStatementLimitMs).count());
        break;
    default:
        text = QStringLiteral("Error del motor de base de datos");
        break;
    }
    if (!context.isEmpty()) text += QStringLiteral(" (%1)").arg(context);
    if (!engineMessage.isEmpty()) text += QStringLiteral(": %1").arg(engineMessage);
    return text + QLatin1Char('.');
}

int collate(void*, int na, const void* a, int nb, const void* b) {
    return textfold::CompareUtf8(static_cast<const char*>(a), na, static_cast<const char*>(b), nb);
}

QString quoteIdentifier(const QString& name) {
    QString q = name;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

bool looksLikeTableName(const QString& source) {
    static const QRegularExpression ident(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return ident.match(source.trimmed()).hasMatch();
}

QVariant columnValue(sqlite3_stmt* st, int i) {
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_NULL:
        return QVariant();
    case SQLITE_INTEGER:
        return QVariant(static_cast<qlonglong>(sqlite3_column_int64(st, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(st, i));
    case SQLITE_BLOB:
        return QVariant(
            QByteArray(static_cast<const char*>(sqlite3_column_blob(st, i)), sqlite3_column_bytes(st, i)));
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(st, i)));
    }
    }
}

void bindValue(sqlite3_stmt* st, int index, const QVariant& v) {
    if (v.isNull()) {
        sqlite3_bind_null(st, index);
    } else if (v.typeId() == QMetaType::Bool || v.typeId() == QMetaType::Int ||
               v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::UInt ||
               v.typeId() == QMetaType::ULongLong) {
        sqlite3_bind_int64(st, index, v.toLongLong());
    } else if (v.typeId() == QMetaType::Double) {
        sqlite3_bind_double(st, index, v.toDouble());
    } else {
        const QByteArray utf8 = v.toString().toUtf8();
        // A text longer than the engine takes (a pasted megabyte "word") equals no entry: it is
        // looked for as nothing, never as whatever the statement held before.
        if (sqlite3_bind_text(st, index, utf8.constData(), utf8.size(), SQLITE_TRANSIENT) != SQLITE_OK)
            sqlite3_bind_null(st, index);
    }
}

thread_local QString lastSql;

// An owned prepared statement.
class Statement {
public:
    Statement(std::shared_ptr<Connection> conn, const QString& sql)
        : conn_(std::move(conn)), sql_(sql.toUtf8()) {
        lastSql = sql;
        st_ = conn_->take(sql_);
        if (st_) return;
        const int rc = sqlite3_prepare_v2(conn_->handle(), sql_.constData(), sql_.size(), &st_, nullptr);
        if (rc != SQLITE_OK) conn_->fail(rc, QString());
        // A recordset reads. A stored query that would change the file (or an empty one, which
        // prepares to nothing) is refused before it runs.
        if (!st_ || !sqlite3_stmt_readonly(st_)) {
            sqlite3_finalize(st_);
            st_ = nullptr;
            throw DaoError(
                errReadOnly,
                QStringLiteral(
                    "La base de datos es de solo lectura: solo se aceptan consultas que leen (%1).")
                    .arg(sql.simplified().left(80)));
        }
    }
    ~Statement() {
        if (conn_->isOpen())
            conn_->give(sql_, st_);
        else
            sqlite3_finalize(st_);
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt* get() const { return st_; }
    // Steps once: true for a row, false at the end. The statement's time counts from its first
    // step since the last reset, so a statement read row by row is bounded as a whole.
    bool step() {
        if (!running_) {
            running_ = true;
            started_ = Connection::Clock::now();
        }
        conn_->watch(started_ + kStatementLimitMs);
        const int rc = sqlite3_step(st_);
        conn_->watch(Connection::Clock::time_point::max());
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        conn_->fail(rc, QString());
    }
    void reset() {
        sqlite3_reset(st_);
        sqlite3_clear_bindings(st_);
        running_ = false;
    }

private:
    std::shared_ptr<Connection> conn_;
    QByteArray sql_;
    sqlite3_stmt* st_ = nullptr;
    bool running_ = false;
    Connection::Clock::time_point started_;
};

struct Criterion {
    QString column;
    QString value;
};

// The only criterion form the program builds: Column = 'value' (a doubled quote stands for one).
// Read by hand rather than with a regular expression: the translator parses one per word.
Criterion parseCriterion(const QString& text) {
    const auto invalid = [&] {
        return DaoError(errSyntax, QStringLiteral("Criterio no válido: %1").arg(text.left(80)));
    };
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    if (eq < 0) throw invalid();
    QStringView column = QStringView(text).left(eq).trimmed();
    if (column.startsWith(QLatin1Char('[')) && column.endsWith(QLatin1Char(']')))
        column = column.mid(1, column.size() - 2);
    if (column.isEmpty() || column[0].isDigit()) throw invalid();
    for (QChar c : column)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('_')) throw invalid();
    QStringView rest = QStringView(text).mid(eq + 1).trimmed();
    if (rest.size() < 2 || rest.front() != QLatin1Char('\'') || rest.back() != QLatin1Char('\''))
        throw invalid();
    QString value = rest.mid(1, rest.size() - 2).toString();
    if (value.contains(QLatin1Char('\''))) value.replace(QStringLiteral("''"), QStringLiteral("'"));
    return {column.toString(), value};
}

Field makeField(const QStringList& names, const std::vector<QVariant>& row, const QString& name) {
    for (int i = 0; i < names.size(); ++i)
        if (names[i].compare(name, Qt::CaseInsensitive) == 0)
            return Field(names[i], row[static_cast<size_t>(i)]);
    throw DaoError(errItemNotFound, QStringLiteral("Elemento no encontrado en esta colección: %1").arg(name));
}

[[noreturn]] void noCurrentRecord() {
    throw DaoError(errNoCurrentRecord, QStringLiteral("No hay un registro activo."));
}

DaoError unknownField(const QString& name) {
    return DaoError(
        3070, QStringLiteral("El motor de base de datos no reconoce «%1» como un nombre de campo válido.")
                  .arg(name));
}

[[noreturn]] void notSupported() {
    throw DaoError(3251, QStringLiteral("La operación no es válida para este tipo de objeto."));
}

// Forward-only rows of one statement; the statement steps as the caller moves.
class ForwardOnlyRecordset : public Recordset {
public:
    ForwardOnlyRecordset(std::shared_ptr<Connection> conn, const QString& sql,
                         const std::vector<Parameter>& params)
        : stmt_(std::make_unique<Statement>(std::move(conn), sql)) {
        for (const auto& p : params) {
            const QByteArray key = (QLatin1Char(':') + p.Name()).toUtf8();
            const int idx = sqlite3_bind_parameter_index(stmt_->get(), key.constData());
            if (idx > 0) bindValue(stmt_->get(), idx, p.Value());
        }
        const int n = sqlite3_column_count(stmt_->get());
        for (int i = 0; i < n; ++i)
            names_ << QString::fromUtf8(sqlite3_column_name(stmt_->get(), i));
        advance();
    }
    bool Eof() const override { return eof_; }
    void MoveNext() override {
        if (eof_) noCurrentRecord();
        advance();
    }
    void MoveFirst() override { notSupported(); }
    void FindFirst(const QString&) override { notSupported(); }
    bool NoMatch() const override { return false; }
    Field Fields(const QString& name) const override {
        if (eof_) noCurrentRecord();
        return makeField(names_, row_, name);
    }
    void Close() override {
        stmt_.reset();
        eof_ = true;
    }

private:
    void advance() {
        if (!stmt_) {
            eof_ = true;
            return;
        }
        eof_ = !stmt_->step();
        row_.clear();
        if (!eof_)
            for (int i = 0; i < names_.size(); ++i)
                row_.push_back(columnValue(stmt_->get(), i));
    }
    std::unique_ptr<Statement> stmt_;
    QStringList names_;
    std::vector<QVariant> row_;
    bool eof_ = true;
};

// A dynaset over a table: positioned by rowid, every move and search served by the table's
// primary key or by an index on the searched column, so nothing ever scans the table.
class TableDynaset : public Recordset {
public:
    TableDynaset(std::shared_ptr<Connection> conn, const QString& table)
        : conn_(std::move(conn)), table_(table), columns_(conn_->tableColumns(table)) {
        if (columns_.isEmpty())
            throw DaoError(errTableNotFound,
                           QStringLiteral("No se encuentra la tabla o consulta «%1».").arg(table));
        const QString t = quoteIdentifier(table);
        first_ = std::make_unique<Statement>(
            conn_, QStringLiteral("SELECT rowid FROM %1 ORDER BY rowid LIMIT 1").arg(t));
        next_ = std::make_unique<Statement>(
            conn_, QStringLiteral("SELECT rowid FROM %1 WHERE rowid > ?1 ORDER BY rowid LIMIT 1").arg(t));
        row_ = std::make_unique<Statement>(conn_, QStringLiteral("SELECT * FROM %1 WHERE rowid = ?1").arg(t));
        // One read transaction for the life of the recordset: otherwise every search takes and
        // drops the file's lock and checks for a journal, which costs more than the search.
        if (sqlite3_get_autocommit(conn_->handle()) &&
            sqlite3_exec(conn_->handle(), "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK)
            ownsTransaction_ = true;
        MoveFirstOrEnd();
    }
    ~TableDynaset() override { Close(); }
    bool Eof() const override { return !current_; }
    void MoveFirst() override {
        MoveFirstOrEnd();
        if (!current_) noCurrentRecord();
    }
    void MoveNext() override {
        if (!current_) noCurrentRecord();
        check();
        unload();
        next_->reset();
        sqlite3_bind_int64(next_->get(), 1, rowid_);
        setCurrent(next_->step(), next_.get());
    }
    void FindFirst(const QString& criterion) override {
        check();
        const Criterion c = parseCriterion(criterion);
        const QString column = resolveColumn(c.column);
        auto& stmt = finders_[column];
        if (!stmt)
            stmt = std::make_unique<Statement>(
                conn_, QStringLiteral("SELECT rowid, * FROM %1 WHERE %2 = ?1 ORDER BY rowid LIMIT 1")
                           .arg(quoteIdentifier(table_), quoteIdentifier(column)));
        if (source_ == stmt.get()) unload();
        stmt->reset();
        bindValue(stmt->get(), 1, c.value);
        if (stmt->step()) {
            unload();
            rowid_ = sqlite3_column_int64(stmt->get(), 0);
            current_ = true;
            noMatch_ = false;
            // The search read the whole record already: it is the current one's values.
            source_ = stmt.get();
            offset_ = 1;
            loaded_ = true;
        } else {
            noMatch_ = true; // the current record stays where it was, as the old engine left it
            stmt->reset();
        }
    }
    bool NoMatch() const override { return noMatch_; }
    Field Fields(const QString& name) const override {
        if (!current_) noCurrentRecord();
        check();
        // The record is read once it is asked for, and only the columns asked for are converted.
        if (!loaded_) {
            row_->reset();
            sqlite3_bind_int64(row_->get(), 1, rowid_);
            if (!row_->step()) noCurrentRecord();
            source_ = row_.get();
            offset_ = 0;
            loaded_ = true;
        }
        for (int i = 0; i < columns_.size(); ++i)
            if (columns_[i].compare(name, Qt::CaseInsensitive) == 0)
                return Field(columns_[i], columnValue(source_->get(), i + offset_));
        throw DaoError(errItemNotFound,
                       QStringLiteral("Elemento no encontrado en esta colección: %1").arg(name));
    }
    void Close() override {
        if (row_) unload();
        finders_.clear();
        first_.reset();
        next_.reset();
        row_.reset();
        current_ = false;
        if (ownsTransaction_ && conn_->isOpen())
            sqlite3_exec(conn_->handle(), "COMMIT", nullptr, nullptr, nullptr);
        ownsTransaction_ = false;
    }

private:
    void check() const {
        if (!row_) throw DaoError(errEngine, QStringLiteral("El conjunto de registros está cerrado."));
    }
    // The first record is looked up once per recordset: the translator moves to it before every
    // word, and a recordset lives for one operation.
    void MoveFirstOrEnd() {
        check();
        unload();
        if (!firstKnown_) {
            first_->reset();
            firstExists_ = first_->step();
            if (firstExists_) firstRowid_ = sqlite3_column_int64(first_->get(), 0);
            first_->reset();
            firstKnown_ = true;
        }
        current_ = firstExists_;
        rowid_ = firstRowid_;
    }
    void setCurrent(bool found, Statement* st) {
        current_ = found;
        if (found) rowid_ = sqlite3_column_int64(st->get(), 0);
        st->reset();
    }
    void unload() {
        if (loaded_ && source_) source_->reset();
        loaded_ = false;
        source_ = nullptr;
    }
    QString resolveColumn(const QString& name) const {
        for (const auto& c : columns_)
            if (c.compare(name, Qt::CaseInsensitive) == 0) return c;
        throw unknownField(name);
    }

    std::shared_ptr<Connection> conn_;
    QString table_;
    QStringList columns_;
    std::unique_ptr<Statement> first_, next_;
    std::unique_ptr<Statement> row_;
    std::map<QString, std::unique_ptr<Statement>> finders_;
    sqlite3_int64 rowid_ = 0;
    bool current_ = false;
    bool noMatch_ = false;
    bool firstKnown_ = false, firstExists_ = false;
    bool ownsTransaction_ = false;
    sqlite3_int64 firstRowid_ = 0;
    mutable bool loaded_ = false;
    // The statement holding the current record's values, and where its columns start in it.
    mutable Statement* source_ = nullptr;
    mutable int offset_ = 0;
};

// A dynaset over the rows of an SQL text, read once into memory; searches run over those rows
// with the collation's equality.
class SqlDynaset : public Recordset {
public:
    SqlDynaset(std::shared_ptr<Connection> conn, const QString& sql) {
        Statement st(std::move(conn), sql);
        const int n = sqlite3_column_count(st.get());
        for (int i = 0; i < n; ++i)
            names_ << QString::fromUtf8(sqlite3_column_name(st.get(), i));
        while (st.step()) {
            std::vector<QVariant> row;
            row.reserve(size_t(n));
            for (int i = 0; i < n; ++i)
                row.push_back(columnValue(st.get(), i));
            rows_.push_back(std::move(row));
        }
        pos_ = 0;
    }
    bool Eof() const override { return pos_ >= rows_.size(); }
    void MoveFirst() override {
        if (rows_.empty()) noCurrentRecord();
        pos_ = 0;
    }
    void MoveNext() override {
        if (Eof()) noCurrentRecord();
        ++pos_;
    }
    void FindFirst(const QString& criterion) override {
        const Criterion c = parseCriterion(criterion);
        int col = -1;
        for (int i = 0; i < names_.size(); ++i)
            if (names_[i].compare(c.column, Qt::CaseInsensitive) == 0) col = i;
        if (col < 0) throw unknownField(c.column);
        const QString key = textfold::FoldCase(c.value);
        for (size_t i = 0; i < rows_.size(); ++i) {
            const QVariant& v = rows_[i][static_cast<size_t>(col)];
            if (!v.isNull() && textfold::FoldCase(v.toString()) == key) {
                pos_ = i;
                noMatch_ = false;
                return;
            }
        }
        noMatch_ = true;
    }
    bool NoMatch() const override { return noMatch_; }
    Field Fields(const QString& name) const override {
        if (Eof()) noCurrentRecord();
        return makeField(names_, rows_[pos_], name);
    }
    void Close() override {
        rows_.clear();
        pos_ = 0;
    }

private:
    QStringList names_;
    std::vector<std::vector<QVariant>> rows_;
    size_t pos_ = 0;
    bool noMatch_ = false;
};

std::unique_ptr<Recordset> openOn(const std::shared_ptr<Connection>& conn, const QString& source, int type,
                                  const std::vector<Parameter>& params) {
    const bool table = looksLikeTableName(source);
    if (table && conn->tableColumns(source.trimmed()).isEmpty())
        throw DaoError(errTableNotFound,
                       QStringLiteral("No se encuentra la tabla o consulta «%1».").arg(source));
    if (type == dbOpenForwardOnly || type == dbOpenSnapshot) {
        const QString sql =
            table ? QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(quoteIdentifier(source.trimmed()))
                  : source;
        return std::make_unique<ForwardOnlyRecordset>(conn, sql, params);
    }
    if (table) return std::make_unique<TableDynaset>(conn, source.trimmed());
    if (!params.empty()) notSupported();
    return std::make_unique<SqlDynaset>(conn, source);
}

// The header of an SQLite file states its page size and page count; a file shorter than that
// was cut off (a copy that stopped half-way), and reading it would fail later at random.
bool truncated(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray h = f.read(100);
    if (h.size() < 100 || !h.startsWith("SQLite format 3")) return false;
    const auto u8 = [&](int i) { return static_cast<quint32>(static_cast<unsigned char>(h[i])); };
    quint32 pageSize = (u8(16) << 8) | u8(17);
    if (pageSize == 1) pageSize = 65536;
    const quint32 pages = (u8(28) << 24) | (u8(29) << 16) | (u8(30) << 8) | u8(31);
    return pages > 0 && static_cast<qint64>(pages) * pageSize > f.size();
}

// What a statement of the open dictionary may do: read. Pragmas other than the table layout
// and attaching other files are refused at preparation (the engine reports "not authorized").
int authorize(void*, int action, const char* a, const char*, const char*, const char*) {
    switch (action) {
    case SQLITE_PRAGMA:
        return a && sqlite3_stricmp(a, "table_info") == 0 ? SQLITE_OK : SQLITE_DENY;
    case SQLITE_ATTACH:
    case SQLITE_DETACH:
        return SQLITE_DENY;
    default:
        return SQLITE_OK;
    }
}

} // namespace

QString LastStatementSql() {
    return lastSql;
}

void Connection::fail(int rc, const QString& context) const {
    const QString msg = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString();
    const int number = numberFor(rc, msg);
    throw DaoError(number, describe(number, inSpanish(rc, msg), context));
}

QStringList Connection::tableColumns(const QString& table) {
    auto it = columns_.find(table.toLower());
    if (it != columns_.end()) return it.value();
    Statement st(std::shared_ptr<Connection>(std::shared_ptr<Connection>{}, this),
                 QStringLiteral("SELECT name FROM pragma_table_info(?1)"));
    bindValue(st.get(), 1, table);
    QStringList cols;
    while (st.step())
        cols << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 0)));
    if (!cols.isEmpty()) columns_.insert(table.toLower(), cols);
    return cols;
}

QueryDef::QueryDef(std::shared_ptr<Connection> conn, QString name, QString sql)
    : conn_(std::move(conn)), name_(std::move(name)), sql_(std::move(sql)) {
    static const QRegularExpression param(QStringLiteral(":([A-Za-z_][A-Za-z0-9_]*)"));
    auto it = param.globalMatch(sql_);
    while (it.hasNext()) {
        const QString n = it.next().captured(1);
        bool known = false;
        for (const auto& p : params_)
            known = known || p.Name() == n;
        if (!known) params_.emplace_back(n);
    }
}

Parameter& QueryDef::Parameters(const QString& name) {
    for (auto& p : params_)
        if (p.Name().compare(name, Qt::CaseInsensitive) == 0) return p;
    throw DaoError(errItemNotFound, QStringLiteral("Elemento no encontrado en esta colección: %1").arg(name));
}

std::unique_ptr<Recordset> QueryDef::OpenRecordset(int type) {
    // The program reads its stored queries forward-only; nothing else is offered.
    if (type != dbOpenForwardOnly && type != dbOpenSnapshot) notSupported();
    return std::make_unique<ForwardOnlyRecordset>(conn_, sql_, params_);
}

Database::Database(std::shared_ptr<Connection> conn) : conn_(std::move(conn)) {}
Database::~Database() = default;

std::unique_ptr<QueryDef> Database::QueryDefs(const QString& name) {
    if (!conn_ || !conn_->isOpen())
        throw DaoError(errEngine, QStringLiteral("La base de datos está cerrada."));
    if (conn_->tableColumns(QStringLiteral("QueryDefs")).isEmpty())
        throw DaoError(errItemNotFound,
                       QStringLiteral("Elemento no encontrado en esta colección: %1").arg(name));
    Statement st(conn_, QStringLiteral("SELECT SQL FROM QueryDefs WHERE Name = ?1"));
    bindValue(st.get(), 1, name);
    if (!st.step())
        throw DaoError(errItemNotFound,
                       QStringLiteral("Elemento no encontrado en esta colección: %1").arg(name));
    const QString sql = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 0)));
    return std::make_unique<QueryDef>(conn_, name, sql);
}

std::unique_ptr<QueryDef> Database::CreateQueryDef(const QString& sql) {
    if (!conn_ || !conn_->isOpen())
        throw DaoError(errEngine, QStringLiteral("La base de datos está cerrada."));
    return std::make_unique<QueryDef>(conn_, QString(), sql);
}

std::unique_ptr<Recordset> Database::OpenRecordset(const QString& source, int type) {
    if (!conn_ || !conn_->isOpen())
        throw DaoError(errEngine, QStringLiteral("La base de datos está cerrada."));
    return openOn(conn_, source, type, {});
}

void Database::Close() {
    if (conn_) conn_->close();
}

bool Database::IsOpen() const {
    return conn_ && conn_->isOpen();
}
QString Database::Name() const {
    return conn_ ? conn_->path() : QString();
}

struct NativeAccess {
    static Connection* connection(const Database& db) {
        return db.conn_ && db.conn_->isOpen() ? db.conn_.get() : nullptr;
    }
};

sqlite3* NativeHandle(const Database& db) {
    Connection* c = NativeAccess::connection(db);
    return c ? c->handle() : nullptr;
}

namespace {

void registerCollations(sqlite3* db) {
    sqlite3_create_collation(db, "PXNOCASE", SQLITE_UTF8, nullptr, collate);
}

Connection& openConnection(Database& db) {
    Connection* c = NativeAccess::connection(db);
    if (!c) throw DaoError(errEngine, QStringLiteral("La base de datos está cerrada."));
    return *c;
}

// Runs SQL text (one or more statements) that returns no rows.
void exec(Connection& c, const QByteArray& sql) {
    char* err = nullptr;
    const int rc = sqlite3_exec(c.handle(), sql.constData(), nullptr, nullptr, &err);
    const QString msg = err ? QString::fromUtf8(err) : QString();
    sqlite3_free(err);
    if (rc != SQLITE_OK) {
        const int number = numberFor(rc, msg);
        throw DaoError(number, describe(number, inSpanish(rc, msg), QString()));
    }
}

// The scope of an all-or-nothing write. A savepoint rather than BEGIN, so that it also nests in a
// transaction already open on the connection (a table recordset holds one while it lives).
class Batch {
public:
    explicit Batch(Connection& c) : c_(c), outermost_(sqlite3_get_autocommit(c.handle()) != 0) {
        exec(c_, "SAVEPOINT palavrix_lote");
    }
    ~Batch() {
        // A destructor that threw would end the process; the rollback is best effort by nature.
        try {
            if (done_ || !c_.isOpen()) return;
            // Some failures (a full disk, an I/O error) end the whole transaction by themselves,
            // and there is no savepoint left to roll back to. A commit that failed leaves the
            // transaction this scope began still open: it must not outlive the call.
            sqlite3* h = c_.handle();
            sqlite3_exec(h, "ROLLBACK TO palavrix_lote; RELEASE palavrix_lote", nullptr, nullptr, nullptr);
            if (outermost_ && !sqlite3_get_autocommit(h))
                sqlite3_exec(h, "ROLLBACK", nullptr, nullptr, nullptr);
        } catch (...) {
        }
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;
    void confirm() {
        exec(c_, "RELEASE palavrix_lote");
        done_ = true;
    }

private:
    Connection& c_;
    bool outermost_;
    bool done_ = false;
};

} // namespace

std::unique_ptr<Database> Workspace::OpenDatabase(const QString& path, bool ReadOnly) {
    const QFileInfo info(path);
    if (!info.exists())
        throw DaoError(errFileNotFound, QStringLiteral("No se encuentra el archivo «%1».").arg(path));
    if (!info.isFile())
        throw DaoError(
            errNotAFile,
            QStringLiteral("«%1» es una carpeta u otra cosa que no es un archivo de base de datos.")
                .arg(path));
    if (info.size() == 0 || truncated(path))
        throw DaoError(
            errUnrecognizedFormat,
            QStringLiteral("Formato de base de datos no reconocido o archivo dañado: «%1».").arg(path));
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                                   ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE, nullptr);
    auto conn = std::make_shared<Connection>(raw, path);
    if (rc != SQLITE_OK) conn->fail(rc, path);
    sqlite3_extended_result_codes(raw, 1);
    sqlite3_busy_timeout(raw, 250);
    registerCollations(raw);
    // Reading the schema proves the file is a database and not held exclusively by someone else.
    char* err = nullptr;
    const int check = sqlite3_exec(raw, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, &err);
    sqlite3_free(err);
    if (check != SQLITE_OK) conn->fail(check, path);
    // The dictionary is small and only read: keep all of it in the engine's page cache. Not
    // mapped into memory: a mapped file that someone empties while it is open kills the process
    // at the next read (SIGBUS), where a read through the cache fails with an error.
    sqlite3_exec(raw, "PRAGMA cache_size = -32768; PRAGMA mmap_size = 0;", nullptr, nullptr, nullptr);
    // A stored query may not switch the mapping back on, nor reach other files.
    sqlite3_set_authorizer(raw, &authorize, nullptr);
    // Nor return a value bigger than any entry: the engine refuses to make one (zeroblob(1e9) took
    // half a minute and gigabytes before the time limit could see it), so what a lookup fetches
    // and shows is bounded too.
    sqlite3_limit(raw, SQLITE_LIMIT_LENGTH, kMaxValueBytes);
    return std::make_unique<Database>(conn);
}

std::unique_ptr<Database> Workspace::CreateDatabase(const QString& path) {
    QFile::remove(path);
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    auto conn = std::make_shared<Connection>(raw, path);
    if (rc != SQLITE_OK) conn->fail(rc, path);
    sqlite3_extended_result_codes(raw, 1);
    registerCollations(raw);
    return std::make_unique<Database>(conn);
}

Workspace& Engine::Workspaces(int index) {
    if (index != 0)
        throw DaoError(errItemNotFound, QStringLiteral("Elemento no encontrado en esta colección."));
    return default_;
}

Engine& DBEngine() {
    static Engine engine;
    return engine;
}

void Execute(Database& db, const QString& sql) {
    exec(openConnection(db), sql.toUtf8());
}

void ExecuteBatch(Database& db, const QStringList& statements) {
    Connection& c = openConnection(db);
    Batch batch(c);
    for (const QString& sql : statements)
        exec(c, sql.toUtf8());
    batch.confirm();
}

void ExecuteBatch(Database& db, const QString& sql, const std::vector<std::vector<QVariant>>& rows) {
    Connection& c = openConnection(db);
    Batch batch(c);
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* raw = nullptr;
    const int rc = sqlite3_prepare_v2(c.handle(), utf8.constData(), utf8.size(), &raw, nullptr);
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> st(raw, sqlite3_finalize);
    if (rc != SQLITE_OK) c.fail(rc, QString());
    if (!st)
        throw DaoError(errSyntax,
                       QStringLiteral("Error de sintaxis en la consulta: no contiene ninguna sentencia."));
    for (const auto& row : rows) {
        for (size_t i = 0; i < row.size(); ++i)
            bindValue(st.get(), static_cast<int>(i) + 1, row[i]);
        const int stepRc = sqlite3_step(st.get());
        if (stepRc != SQLITE_DONE && stepRc != SQLITE_ROW) c.fail(stepRc, QString());
        sqlite3_reset(st.get());
        sqlite3_clear_bindings(st.get());
    }
    batch.confirm();
}

} // namespace dao
