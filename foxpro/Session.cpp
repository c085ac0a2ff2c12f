#include "foxpro/Session.h"

#include <algorithm>

#include "foxpro/Error.h"
#include "foxpro/FieldEncoder.h"
#include "foxpro/FreeTableFolder.h"
#include "foxpro/Names.h"
#include "foxpro/SqlCursor.h"
#include "foxpro/Table.h"
#include "foxpro/TableDefinition.h"

namespace foxpro {

struct Session::OpenTable {
    std::string key;   // lower-case name
    std::string name;  // as first written, for failure texts
    std::unique_ptr<Table> table;
    std::unique_ptr<FieldEncoder> encoder;
};

Session::Session(std::unique_ptr<TableCatalog> catalog, Collation collation)
    : catalog_(std::move(catalog)), collation_(collation) {}

Session::~Session() {
    try {
        close();
    } catch (...) {
        // Closing from a destructor cannot report; `close` is the way to see failures.
    }
}

std::unique_ptr<Session> Session::openFolder(const std::string& folder, Collation collation) {
    return std::make_unique<Session>(std::make_unique<FreeTableFolder>(folder), collation);
}

void Session::execute(std::string_view sql) {
    SqlCursor cursor(sql);
    if (cursor.keyword("INSERT")) {
        cursor.expectKeyword("INTO");
        insert(cursor);
    } else if (cursor.keyword("CREATE")) {
        cursor.expectKeyword("TABLE");
        createTable(cursor);
    } else if (cursor.keyword("DROP")) {
        cursor.expectKeyword("TABLE");
        dropTable(cursor);
    } else {
        cursor.syntaxError();
    }
}

void Session::checkTableName(std::string_view name) const {
    const std::string why = names::unsafeReason(name);
    if (!why.empty())
        throw Error::refused(errors::kInvalidPath, "Table name " + quoted(std::string(name)) +
                                                       " is not a valid file name: it " + why +
                                                       ".");
}

Session::OpenTable& Session::tableNamed(std::string_view name) {
    // A run inserts into one table many times over: compare with the last name first.
    if (last_ && name == lastName_) return *last_;
    checkTableName(name);
    std::string key = names::lower(name);
    auto it = open_.find(key);
    if (it == open_.end()) {
        const std::string path = catalog_->findTable(name);
        if (path.empty())
            throw Error::refused(errors::kFileNotFound,
                                 "Table " + quoted(std::string(name)) + " does not exist.");
        releaseIdleTables();
        auto entry = std::make_unique<OpenTable>();
        entry->key = key;
        entry->name = std::string(name);
        entry->table = Table::open(path, catalog_->memoPathFor(path, true), true);
        entry->encoder = std::make_unique<FieldEncoder>(entry->table->structure(),
                                                        entry->table->memo(), entry->name);
        it = open_.emplace(key, std::move(entry)).first;
    }
    if (last_ && last_ != it->second.get()) {
        // A run moves on to the next table: what it wrote to the last one goes to disk now.
        last_->table->flush();
        last_->table->releaseBuffer();
    }
    last_ = it->second.get();
    lastName_.assign(name.data(), name.size());
    return *last_;
}

void Session::createTable(SqlCursor& cursor) {
    const std::string_view name = cursor.name();
    checkTableName(name);
    TableDefinition definition(std::string(name), catalog_->maxFieldNameLength());
    definition.parse(cursor);
    if (!catalog_->findTable(name).empty())
        throw Error::refused(errors::kFileExists,
                             "Table " + quoted(std::string(name)) + " already exists.");
    const TableStructure structure = definition.structure();
    const std::string path = catalog_->newTablePath(name);
    auto entry = std::make_unique<OpenTable>();
    entry->key = names::lower(name);
    entry->name = std::string(name);
    try {
        entry->table = Table::create(path, catalog_->memoPathFor(path, false), structure,
                                     catalog_->backlink());
    } catch (const Error& e) {
        if (e.number() == errors::kFileExists)
            throw Error::refused(errors::kFileExists,
                                 "Table " + quoted(std::string(name)) + " already exists.");
        throw;
    }
    entry->encoder = std::make_unique<FieldEncoder>(entry->table->structure(), entry->table->memo(),
                                                    entry->name);
    catalog_->tableCreated(name, path, entry->table->structure());
    forget(open_.count(entry->key) ? open_[entry->key].get() : nullptr);
    releaseIdleTables();
    open_[entry->key] = std::move(entry);
}

void Session::insert(SqlCursor& cursor) {
    OpenTable& target = tableNamed(cursor.name());
    const TableStructure& structure = target.table->structure();
    const int fieldCount = static_cast<int>(structure.fields().size());
    bool listed = false;
    if (cursor.punct('(')) {
        listed = true;
        columns_.clear();
        given_.assign(fieldCount, 0);
        do {
            const std::string_view column = cursor.name();
            const int index = structure.find(column);
            if (index < 0)
                throw Error::refused(errors::kColumnNotFound,
                                     "Column " + quoted(std::string(column)) + " of table " +
                                         quoted(target.name) + " does not exist.");
            if (given_[index])
                throw Error::refused(errors::kFieldNameInvalid,
                                     "Column " + quoted(std::string(column)) +
                                         " is named twice in the INSERT into table " +
                                         quoted(target.name) + ".");
            given_[index] = 1;
            columns_.push_back(index);
        } while (cursor.punct(','));
        cursor.expect(')');
    }
    cursor.expectKeyword("VALUES");
    cursor.expect('(');

    const int expected = listed ? static_cast<int>(columns_.size()) : fieldCount;
    MemoFile* memo = target.table->memo();
    const MemoFile::Mark mark = memo ? memo->mark() : MemoFile::Mark{0, 0};
    char* record = target.table->beginRecord(target.encoder->blankRecord());
    try {
        int count = 0;
        do {
            if (count == expected)
                throw Error::refused(errors::kTooManyArguments,
                                     "Too many values for table " + quoted(target.name) + ": " +
                                         std::to_string(expected) +
                                         (listed ? " columns are listed." : " columns exist."));
            cursor.literal(literal_);
            target.encoder->put(listed ? columns_[count] : count, literal_, record);
            ++count;
        } while (cursor.punct(','));
        cursor.expect(')');
        cursor.expectEnd();
        if (count < expected)
            throw Error::refused(errors::kTooFewArguments,
                                 "Too few values for table " + quoted(target.name) + ": " +
                                     std::to_string(count) + " given, " + std::to_string(expected) +
                                     " needed.");
        if (listed)
            for (int i = 0; i < fieldCount; ++i)
                if (!given_[i]) target.encoder->putOmitted(i, record);
    } catch (...) {
        target.table->discardRecord();
        if (memo) memo->rollback(mark);
        throw;
    }
    target.table->commitRecord();
}

void Session::dropTable(SqlCursor& cursor) {
    const std::string_view name = cursor.name();
    cursor.expectEnd();
    checkTableName(name);
    const std::string key = names::lower(name);
    auto it = open_.find(key);
    std::unique_ptr<Table> table;
    if (it != open_.end()) {
        table = std::move(it->second->table);
        forget(it->second.get());
        open_.erase(it);
        table->flush();
    }
    const std::string path = table ? table->path() : catalog_->findTable(name);
    if (path.empty())
        throw Error::refused(errors::kFileNotFound,
                             "Table " + quoted(std::string(name)) + " does not exist.");
    const std::string memoPath = catalog_->memoPathFor(path, true);
    const std::string indexPath = catalog_->indexPathFor(path);
    // Holding the lock while deleting: a table another connection writes is not dropped.
    if (!table) table = Table::open(path, memoPath, true);
    removeFile(path);
    if (!memoPath.empty()) removeFile(memoPath);
    if (!indexPath.empty()) removeFile(indexPath);
    table.reset();
    catalog_->tableDropped(name, path);
}

void Session::releaseIdleTables() {
    // A database of many tables must not run out of file descriptors: beyond a few dozen open
    // tables, close all but the current one (their locks go with them).
    if (open_.size() < kMaxOpenTables) return;
    for (auto it = open_.begin(); it != open_.end();) {
        if (it->second.get() == last_) {
            ++it;
            continue;
        }
        it->second->table->close();
        it = open_.erase(it);
    }
}

void Session::forget(OpenTable* table) {
    if (table && last_ == table) {
        last_ = nullptr;
        lastName_.clear();
    }
}

std::vector<std::string> Session::tableNames() {
    std::vector<std::string> names = catalog_->tableNames();
    if (collation_ == Collation::Machine) {
        std::sort(names.begin(), names.end());
    } else {
        std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
            return names::lower(a) < names::lower(b);
        });
    }
    return names;
}

void Session::flush() {
    for (auto& entry : open_) entry.second->table->flush();
}

void Session::close() {
    last_ = nullptr;
    lastName_.clear();
    std::string firstFailure;
    long number = 0;
    for (auto& entry : open_) {
        try {
            entry.second->table->close();
        } catch (const Error& e) {
            if (firstFailure.empty()) {
                firstFailure = e.description();
                number = e.number();
            }
        }
    }
    open_.clear();
    if (!firstFailure.empty()) throw Error(number, firstFailure);
}

}  // namespace foxpro
