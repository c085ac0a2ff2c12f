#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "foxpro/File.h"
#include "foxpro/MemoFile.h"
#include "foxpro/TableStructure.h"

namespace foxpro {

// One open .dbf with its memo file. A table opened for writing holds the advisory lock until
// it is closed, appends records through a buffer and writes the header's record count only
// after the records it counts (and their memos) are in the file, so a process killed at any
// moment leaves a table that opens with every record it counts. The same class serves tables
// bound to a container: they differ only in the backlink they carry.
class Table {
public:
    static constexpr std::size_t kBufferBytes = 1 << 20;

    // Writes the files of a new table; the .dbf appears complete or not at all. Fails when a
    // file of that name exists.
    static std::unique_ptr<Table> create(const std::string& dbfPath, const std::string& memoPath,
                                         const TableStructure& structure,
                                         const std::string& backlink);
    // Opens an existing table; with `write` it takes the lock, failing when another connection
    // holds it. `memoPath` may be empty for a table without memo fields.
    static std::unique_ptr<Table> open(const std::string& dbfPath, const std::string& memoPath,
                                       bool write);
    ~Table();

    const TableStructure& structure() const { return structure_; }
    const std::string& path() const { return file_.path(); }
    MemoFile* memo() { return memo_.isOpen() ? &memo_ : nullptr; }
    // Records counted so far, buffered ones included.
    std::uint32_t recordCount() const { return flushedCount_ + pendingCount_; }

    // A slot for the next record, filled by the caller and kept by `commitRecord`.
    char* beginRecord(const std::string& blank);
    void commitRecord();
    void discardRecord();

    // Writes buffered memos, records, the end-of-file mark, then the record count.
    void flush();
    void close();
    // Frees the append buffer of a table that is not being written to at the moment.
    void releaseBuffer() { std::string().swap(buffer_); }

    // The bytes of record `index` (0-based), the deletion flag first.
    std::string record(std::uint32_t index);

private:
    Table(File file, TableStructure structure);
    void checkSize(std::uint64_t extra) const;

    File file_;
    MemoFile memo_;
    TableStructure structure_;
    std::uint32_t flushedCount_ = 0;
    std::uint32_t pendingCount_ = 0;
    std::string buffer_;
    bool writable_ = false;
    bool open_ = false;
    std::size_t staged_ = 0;  // buffer size before the record being filled
};

}  // namespace foxpro
