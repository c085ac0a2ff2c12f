#include "foxpro/MemoFile.h"

#include "foxpro/Error.h"

namespace foxpro {

namespace {
void putBE32(char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<char>(v >> (24 - 8 * i));
}
std::uint32_t getBE32(const char* p) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(p[i]);
    return v;
}
constexpr std::uint64_t kMaxFileSize = 0x7FFFFFFFull;
}  // namespace

std::string MemoFile::emptyFile(int blockSize) {
    std::string h(512, '\0');
    putBE32(&h[0], static_cast<std::uint32_t>(512 / blockSize));
    h[6] = static_cast<char>(blockSize >> 8);
    h[7] = static_cast<char>(blockSize & 0xFF);
    return h;
}

MemoFile::MemoFile(File file) : file_(std::move(file)) {
    const std::string h = file_.readAt(0, 8);
    if (h.size() < 8)
        throw Error(errors::kNotATable, "Memo file " + quoted(file_.fileName()) + " is damaged.");
    blockSize_ = (static_cast<unsigned char>(h[6]) << 8) | static_cast<unsigned char>(h[7]);
    if (blockSize_ == 0) blockSize_ = kDefaultBlockSize;
    // After a crash the header may lag behind memos already written: never reuse their blocks.
    const std::uint64_t size = file_.size();
    const auto byFileSize = static_cast<std::uint32_t>((size + blockSize_ - 1) / blockSize_);
    nextBlock_ = std::max(getBE32(h.data()), byFileSize);
    nextBlock_ = std::max<std::uint32_t>(nextBlock_, 512 / blockSize_);
    flushedBlock_ = nextBlock_;
}

std::uint32_t MemoFile::append(std::uint32_t type, std::string_view data) {
    if (data.empty()) return 0;
    const std::uint64_t bytes = 8 + data.size();
    const std::uint64_t blocks = (bytes + blockSize_ - 1) / blockSize_;
    if ((nextBlock_ + blocks) * blockSize_ > kMaxFileSize)
        throw Error::refused(errors::kTableTooLarge,
                             "Memo file " + quoted(file_.fileName()) + " would exceed 2 GB.");
    const std::uint32_t block = nextBlock_;
    const std::size_t start = pending_.size();
    pending_.resize(start + blocks * blockSize_, '\0');
    putBE32(&pending_[start], type);
    putBE32(&pending_[start + 4], static_cast<std::uint32_t>(data.size()));
    pending_.replace(start + 8, data.size(), data);
    nextBlock_ += static_cast<std::uint32_t>(blocks);
    return block;
}

std::string MemoFile::read(std::uint32_t block, std::uint32_t* type) {
    if (block == 0) return std::string();
    if (block >= flushedBlock_) flush();
    const std::uint64_t at = static_cast<std::uint64_t>(block) * blockSize_;
    const std::string head = file_.readAt(at, 8);
    if (head.size() < 8) return std::string();
    if (type) *type = getBE32(head.data());
    const std::uint32_t length = getBE32(head.data() + 4);
    return file_.readAt(at + 8, length);
}

void MemoFile::flush() {
    if (pending_.empty()) return;
    file_.writeAt(static_cast<std::uint64_t>(flushedBlock_) * blockSize_, pending_);
    char h[4];
    putBE32(h, nextBlock_);
    file_.writeAt(0, std::string_view(h, 4));
    pending_.clear();
    flushedBlock_ = nextBlock_;
}

void MemoFile::close() {
    if (!file_.isOpen()) return;
    flush();
    file_.close();
}

}  // namespace foxpro
