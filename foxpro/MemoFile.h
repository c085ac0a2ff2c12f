#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "foxpro/File.h"

namespace foxpro {

// A FoxPro memo file (.fpt beside a table, .dct beside a container): a 512-byte header with
// the next free block and the block size, then memos of type + length + data in whole blocks.
// New memos collect in a buffer; `flush` writes them and then the header, so a record is only
// ever counted after the memo it points to is on disk.
class MemoFile {
public:
    static constexpr int kDefaultBlockSize = 64;
    static constexpr std::uint32_t kText = 1;
    static constexpr std::uint32_t kObject = 2;

    // The bytes of an empty memo file.
    static std::string emptyFile(int blockSize = kDefaultBlockSize);

    MemoFile() = default;
    explicit MemoFile(File file);

    bool isOpen() const { return file_.isOpen(); }
    // Stores one memo and returns its block number (0 for empty data: no memo).
    std::uint32_t append(std::uint32_t type, std::string_view data);
    std::string read(std::uint32_t block, std::uint32_t* type = nullptr);
    void flush();
    void close();

    // Undoes the memos appended since `mark()` (a refused INSERT leaves no trace).
    struct Mark {
        std::size_t pending;
        std::uint32_t next;
    };
    Mark mark() const { return {pending_.size(), nextBlock_}; }
    void rollback(const Mark& m) {
        if (m.pending > pending_.size() || m.next > nextBlock_) return;
        pending_.resize(m.pending);
        nextBlock_ = m.next;
    }
    File& file() { return file_; }

private:
    File file_;
    std::uint32_t blockSize_ = kDefaultBlockSize;
    std::uint32_t nextBlock_ = 0;     // next free block, buffered memos included
    std::uint32_t flushedBlock_ = 0;  // next free block as the file has it
    std::string pending_;
};

}  // namespace foxpro
