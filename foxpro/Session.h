#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "foxpro/Literal.h"
#include "foxpro/TableCatalog.h"

namespace foxpro {

class FieldEncoder;
class SqlCursor;
class Table;

// One connection to a FoxPro target: executes CREATE TABLE, INSERT INTO and DROP TABLE and
// lists the tables. Tables stay open (and locked) from their first use until `close`, so a
// run of INSERTs costs one parse and one record copy each.
class Session {
public:
    // "machine" compares names byte by byte, "general" without regard to letter case; both
    // resolve table names without regard to case, as FoxPro does.
    enum class Collation { Machine, General };

    Session(std::unique_ptr<TableCatalog> catalog, Collation collation);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Opens a folder of free tables; throws when it does not exist or is not a folder.
    static std::unique_ptr<Session> openFolder(const std::string& folder,
                                               Collation collation = Collation::Machine);

    // Runs one statement; a refused statement throws foxpro::Error and changes nothing.
    void execute(std::string_view sql);
    // Table names in the collation's order.
    std::vector<std::string> tableNames();
    // Writes everything buffered so that other readers see it.
    void flush();
    void close();

    TableCatalog& catalog() { return *catalog_; }

private:
    struct OpenTable;

    void createTable(SqlCursor& cursor);
    void insert(SqlCursor& cursor);
    void dropTable(SqlCursor& cursor);
    OpenTable& tableNamed(std::string_view name);
    void checkTableName(std::string_view name) const;
    void forget(OpenTable* table);
    void releaseIdleTables();

    static constexpr std::size_t kMaxOpenTables = 32;

    std::unique_ptr<TableCatalog> catalog_;
    Collation collation_;
    std::unordered_map<std::string, std::unique_ptr<OpenTable>> open_;
    std::string lastName_;
    OpenTable* last_ = nullptr;
    Literal literal_;
    std::vector<int> columns_;
    std::vector<char> given_;
};

}  // namespace foxpro
