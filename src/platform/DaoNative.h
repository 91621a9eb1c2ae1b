#pragma once
// The engine's own connection under a dao::Database, for benchmarks and tests only: the lookup
// benchmark measures a raw SQLite lookup as its floor, and some tests look at what the layer
// keeps to itself (a query's plan, another program's lock). The program never includes this
// header; everything it does with its database goes through Dao.h.
struct sqlite3;

namespace dao {

class Database;

// The open connection, or nullptr once the database is closed.
sqlite3* NativeHandle(const Database& db);

} // namespace dao
