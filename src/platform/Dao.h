#pragma once
// The database engine as the dictionary code sees it: the handful of objects of the old
// desktop data-access library (DBEngine, Workspace, Database, QueryDef, Parameter, Recordset,
// Field) over an SQLite 3 file. Only what the program uses is here.
//
// Contract kept by this layer:
// - OpenDatabase never creates a file. A missing, locked, empty or damaged file throws DaoError
//   carrying an error number in the engine's numbering and a Spanish description (the engine's
//   own English messages are put into Spanish where they are common).
// - The program only reads its dictionary: OpenDatabase opens read-only, the file is never
//   mapped into memory (a file emptied or replaced while it is open must give an error, not a
//   bus error), every recordset accepts only statements that read (SQLite says which), and a
//   statement that runs longer than kStatementLimitMs stops with errCanceled.
// - Stored queries live inside the file, in the table `QueryDefs` (Name, SQL). Their SQL names
//   the parameter as `:ptroPalabra`; Parameters("ptroPalabra") binds it.
// - User text is always a bound value, never pasted into SQL. FindFirst takes the criterion form
//   `Column = 'value'` and binds the value.
// - Text columns compare with the collation PXNOCASE (registered on every connection):
//   case-insensitive over all of Unicode, accent-sensitive. See TextFold.h.
// - Records of a table keep their insertion order (rowid); FindFirst finds the first match in it.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <vector>

namespace dao {

// Recordset types, numbered as the old engine numbered them.
enum RecordsetTypeEnum { dbOpenTable = 1, dbOpenDynaset = 2, dbOpenSnapshot = 4, dbOpenForwardOnly = 8 };

// Error numbers used by this layer, in the old engine's numbering so messages read familiar.
enum ErrorNumber {
    errNoCurrentRecord = 3021,
    errFileNotFound = 3024,
    errReadOnly = 3027,
    errNotAFile = 3055,
    errCanceled = 3059,
    errFileInUse = 3045,
    errTableNotFound = 3078,
    errSyntax = 3075,
    errItemNotFound = 3265,
    errUnrecognizedFormat = 3343,
    errValueTooLong = 3163,        // a value longer than any entry of a dictionary (kMaxValueBytes)
    errIncompatibleVersion = 3041, // a file made for another version of the program's code
    errEngine = 3000,
};

// How long one statement may run, from its first step, before it is stopped: a lookup takes
// microseconds, the longest word list a few tens of milliseconds.
inline constexpr std::chrono::milliseconds kStatementLimitMs{2000};
// The longest text or blob an opened database gives or takes (errValueTooLong past it): no entry
// of a dictionary comes near it.
inline constexpr int kMaxValueBytes = 64 * 1024;

class DaoError : public std::runtime_error {
public:
    DaoError(int number, const QString& description);
    int Number() const { return number_; }
    QString Description() const { return description_; }

private:
    int number_;
    QString description_;
};

class Field {
public:
    Field() = default;
    Field(QString name, QVariant value) : name_(std::move(name)), value_(std::move(value)) {}
    // Null is an invalid/null QVariant; an empty text is a valid QString.
    const QVariant& Value() const { return value_; }
    bool IsNull() const { return value_.isNull(); }
    const QString& Name() const { return name_; }

private:
    QString name_;
    QVariant value_;
};

class Connection;

class Recordset {
public:
    virtual ~Recordset() = default;
    // EOF is a macro of the C library, hence the spelling.
    virtual bool Eof() const = 0;
    virtual void MoveNext() = 0;
    virtual void MoveFirst() = 0;
    // Criterion `Column = 'value'` (dynaset only). Leaves the current record on the first match in
    // record order; NoMatch() tells whether there was one.
    virtual void FindFirst(const QString& criterion) = 0;
    virtual bool NoMatch() const = 0;
    // The named column of the current record. Throws errItemNotFound for an unknown name and
    // errNoCurrentRecord when there is no current record.
    virtual Field Fields(const QString& name) const = 0;
    virtual void Close() = 0;
};

class Parameter {
public:
    explicit Parameter(QString name) : name_(std::move(name)) {}
    void SetValue(const QVariant& v) { value_ = v; }
    const QVariant& Value() const { return value_; }
    const QString& Name() const { return name_; }

private:
    QString name_;
    QVariant value_;
};

class QueryDef {
public:
    QueryDef(std::shared_ptr<Connection> conn, QString name, QString sql);
    const QString& Name() const { return name_; }
    const QString& SQL() const { return sql_; }
    // The named parameter; throws errItemNotFound when the query has no such parameter.
    Parameter& Parameters(const QString& name);
    std::unique_ptr<Recordset> OpenRecordset(int type = dbOpenForwardOnly);

private:
    std::shared_ptr<Connection> conn_;
    QString name_;
    QString sql_;
    std::vector<Parameter> params_;
};

class Database {
public:
    explicit Database(std::shared_ptr<Connection> conn);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // The stored query of that name; throws errItemNotFound when the file has none.
    std::unique_ptr<QueryDef> QueryDefs(const QString& name);
    // A query that is not kept in the file (the engine's temporary query definition): its
    // parameters are bound like a stored query's, so user text never becomes SQL.
    std::unique_ptr<QueryDef> CreateQueryDef(const QString& sql);
    // `source` is a table name or an SQL text. Forward-only or dynaset.
    std::unique_ptr<Recordset> OpenRecordset(const QString& source, int type = dbOpenDynaset);
    void Close();
    bool IsOpen() const;
    QString Name() const;

private:
    friend struct NativeAccess; // platform/DaoNative.h, for benchmarks and tests
    std::shared_ptr<Connection> conn_;
};

class Workspace {
public:
    // Opens an existing file, read-only unless ReadOnly is false (the generator and the tests,
    // which write rows, are the only ones that ask).
    std::unique_ptr<Database> OpenDatabase(const QString& path, bool ReadOnly = true);
    // Creates or replaces a database file: used by the data generator and the tests only.
    std::unique_ptr<Database> CreateDatabase(const QString& path);
};

class Engine {
public:
    Workspace& Workspaces(int index);

private:
    Workspace default_;
};

Engine& DBEngine();

// Runs SQL with no result rows, throwing DaoError on failure (for the generator and tests).
void Execute(Database& db, const QString& sql);

// The writes below are all or nothing: on any failure, preparation included, everything they
// wrote is rolled back, the database is as it was before the call, and DaoError is thrown. They
// may run inside a transaction the caller opened; only their own part is undone then.

// Runs each SQL text in order (a text may hold several statements).
void ExecuteBatch(Database& db, const QStringList& statements);
// Runs one statement once per row of values, bound in order to ?1, ?2, ... (a null QVariant
// binds Null, an integer or bool an integer, a double a real, anything else text). Prepared once
// for all rows.
void ExecuteBatch(Database& db, const QString& sql, const std::vector<std::vector<QVariant>>& rows);
// For tests: the SQL text of the last statement this thread's recordsets and queries asked for,
// so a test can read the plan of exactly what a search runs.
QString LastStatementSql();

} // namespace dao
