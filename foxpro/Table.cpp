#include "foxpro/Table.h"

#include <unistd.h>

#include <cerrno>

#include "foxpro/Error.h"

namespace foxpro {

namespace {
constexpr std::uint64_t kMaxFileSize = 0x7FFFFFFFull;

std::string tempNameFor(const std::string& path) {
    const auto slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string(".") : path.substr(0, slash);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    return dir + "/.~" + std::to_string(::getpid()) + "." + base;
}

std::string baseName(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}
}  // namespace

Table::Table(File file, TableStructure structure)
    : file_(std::move(file)), structure_(std::move(structure)) {}

Table::~Table() {
    try {
        close();
    } catch (...) {
        // A destructor cannot report; callers close explicitly to see failures.
    }
}

std::unique_ptr<Table> Table::create(const std::string& dbfPath, const std::string& memoPath,
                                     const TableStructure& structure, const std::string& backlink) {
    if (fileExists(dbfPath))
        throw Error(errors::kFileExists, "File " + quoted(baseName(dbfPath)) + " already exists.");
    // A folder that cannot take new files is told about the table, not about the temporary
    // file the table is first written under.
    if (::access(folderOf(dbfPath).c_str(), W_OK) != 0)
        throw Error::system(errors::kFileCreate, "Cannot create", baseName(dbfPath), errno);
    // The memo file first: a .dbf that names memo fields is never without it. A memo file left
    // without its table by an earlier crash is replaced.
    if (structure.hasMemo()) {
        removeFile(memoPath);
        File memo(memoPath, File::Mode::CreateNew);
        memo.writeAt(0, MemoFile::emptyFile());
    }
    // The .dbf is written under a temporary name and linked into place, so it appears whole;
    // link() also fails when another process created the same table meanwhile.
    const std::string temp = tempNameFor(dbfPath);
    {
        removeFile(temp);
        File dbf(temp, File::Mode::CreateNew);
        try {
            std::string bytes = structure.headerBytes(0, backlink);
            bytes += '\x1A';
            dbf.writeAt(0, bytes);
        } catch (...) {
            removeFile(temp);
            throw;
        }
    }
    if (::link(temp.c_str(), dbfPath.c_str()) != 0) {
        const int err = errno;
        removeFile(temp);
        if (err == EEXIST)
            throw Error(errors::kFileExists,
                        "File " + quoted(baseName(dbfPath)) + " already exists.");
        throw Error::system(errors::kFileCreate, "Cannot create", baseName(dbfPath), err);
    }
    removeFile(temp);
    return open(dbfPath, memoPath, true);
}

std::unique_ptr<Table> Table::open(const std::string& dbfPath, const std::string& memoPath,
                                   bool write) {
    File file(dbfPath, write ? File::Mode::ReadWrite : File::Mode::Read);
    if (write && !file.tryLock())
        throw Error(errors::kFileInUse, "File " + quoted(file.fileName()) +
                                            " is in use by another connection: "
                                            "Resource temporarily unavailable.");
    const std::string first = file.readAt(0, 32);
    const std::size_t headerLength = TableStructure::headerLengthOf(first);
    TableStructure structure = TableStructure::parse(
        file.readAt(0, std::max<std::size_t>(headerLength, 33)), file.fileName());
    std::unique_ptr<Table> table(new Table(std::move(file), std::move(structure)));
    table->writable_ = write;
    table->open_ = true;
    const std::string& h = first;
    std::uint32_t count = 0;
    for (int i = 7; i >= 4; --i) count = (count << 8) | static_cast<unsigned char>(h[i]);
    // Never trust a count beyond the records the file holds.
    const std::uint64_t size = table->file_.size();
    const std::uint64_t rl = table->structure_.recordLength();
    const std::uint64_t hl = table->structure_.headerLength();
    const std::uint64_t whole = size > hl ? (size - hl) / rl : 0;
    table->flushedCount_ = static_cast<std::uint32_t>(std::min<std::uint64_t>(count, whole));
    if (table->structure_.hasMemo() && !memoPath.empty() && fileExists(memoPath))
        table->memo_ = MemoFile(File(memoPath, write ? File::Mode::ReadWrite : File::Mode::Read));
    else if (table->structure_.hasMemo() && write)
        throw Error(errors::kFileNotFound,
                    "Memo file for " + quoted(table->file_.fileName()) + " is missing.");
    return table;
}

void Table::checkSize(std::uint64_t extra) const {
    const std::uint64_t end =
        static_cast<std::uint64_t>(structure_.headerLength()) +
        static_cast<std::uint64_t>(recordCount()) * structure_.recordLength() + extra + 1;
    if (end > kMaxFileSize)
        throw Error::refused(errors::kTableTooLarge,
                             "Table " + quoted(file_.fileName()) + " would exceed 2 GB.");
}

char* Table::beginRecord(const std::string& blank) {
    checkSize(blank.size());
    if (buffer_.capacity() < kBufferBytes) buffer_.reserve(kBufferBytes + blank.size());
    staged_ = buffer_.size();
    buffer_.append(blank);
    return &buffer_[staged_];
}

void Table::commitRecord() {
    ++pendingCount_;
    if (buffer_.size() >= kBufferBytes) flush();
}

void Table::discardRecord() {
    buffer_.resize(staged_);
}

void Table::flush() {
    if (!writable_ || !open_) return;
    if (memo_.isOpen()) memo_.flush();
    if (pendingCount_ == 0) return;
    const std::uint64_t at = static_cast<std::uint64_t>(structure_.headerLength()) +
                             static_cast<std::uint64_t>(flushedCount_) * structure_.recordLength();
    buffer_ += '\x1A';
    try {
        file_.writeAt(at, buffer_);
    } catch (...) {
        buffer_.pop_back();  // the records stay buffered, uncounted, for another try
        throw;
    }
    buffer_.clear();
    const std::uint32_t count = flushedCount_ + pendingCount_;
    // The last-update date and the count in one write, after the records.
    char bytes[7];
    TableStructure::putToday(bytes);
    TableStructure::putCount(bytes + 3, count);
    file_.writeAt(1, std::string_view(bytes, 7));
    flushedCount_ = count;
    pendingCount_ = 0;
}

void Table::close() {
    if (!open_) return;
    flush();
    open_ = false;
    memo_.close();
    file_.close();
}

std::string Table::record(std::uint32_t index) {
    if (index >= flushedCount_) flush();
    const std::uint64_t rl = structure_.recordLength();
    return file_.readAt(structure_.headerLength() + index * rl, rl);
}

}  // namespace foxpro
