#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace foxpro {

// A file descriptor with whole-buffer reads and writes that throw foxpro::Error in the system's
// own words. Never follows a symbolic link, so a link planted in the target cannot redirect a
// write outside it.
class File {
public:
    enum class Mode { Read, ReadWrite, CreateNew };

    File() = default;
    File(const std::string& path, Mode mode);
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }
    std::string fileName() const;

    void writeAt(std::uint64_t offset, std::string_view bytes);
    std::string readAt(std::uint64_t offset, std::size_t size);
    std::uint64_t size() const;
    void truncate(std::uint64_t size);
    void sync();
    // Takes the advisory lock that makes this connection the table's only writer; false when
    // another connection (of this process or another) holds it.
    bool tryLock();
    void close();

private:
    int fd_ = -1;
    std::string path_;
};

bool fileExists(const std::string& path);
void removeFile(const std::string& path);

}  // namespace foxpro
