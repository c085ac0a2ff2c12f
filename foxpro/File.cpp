#include "foxpro/File.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "foxpro/Error.h"

namespace foxpro {

File::File(const std::string& path, Mode mode) : path_(path) {
    int flags = O_CLOEXEC | O_NOFOLLOW;
    switch (mode) {
        case Mode::Read:
            flags |= O_RDONLY;
            break;
        case Mode::ReadWrite:
            flags |= O_RDWR;
            break;
        case Mode::CreateNew:
            flags |= O_RDWR | O_CREAT | O_EXCL;
            break;
    }
    fd_ = ::open(path.c_str(), flags, 0644);
    if (fd_ < 0) {
        const int err = errno;
        throw Error::system(mode == Mode::CreateNew ? errors::kFileCreate : errors::kFileRead,
                            mode == Mode::CreateNew ? "Cannot create" : "Cannot open", fileName(),
                            err);
    }
}

File::~File() {
    close();
}

File::File(File&& other) noexcept : fd_(other.fd_), path_(std::move(other.path_)) {
    other.fd_ = -1;
}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = other.fd_;
        path_ = std::move(other.path_);
        other.fd_ = -1;
    }
    return *this;
}

std::string File::fileName() const {
    const auto slash = path_.rfind('/');
    return slash == std::string::npos ? path_ : path_.substr(slash + 1);
}

void File::writeAt(std::uint64_t offset, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::pwrite(fd_, p, left, static_cast<off_t>(offset));
        if (n < 0) {
            if (errno == EINTR) continue;
            throw Error::system(errors::kFileWrite, "Cannot write", fileName(), errno);
        }
        p += n;
        left -= static_cast<std::size_t>(n);
        offset += static_cast<std::uint64_t>(n);
    }
}

std::string File::readAt(std::uint64_t offset, std::size_t size) {
    std::string out(size, '\0');
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::pread(fd_, &out[got], size - got, static_cast<off_t>(offset + got));
        if (n < 0) {
            if (errno == EINTR) continue;
            throw Error::system(errors::kFileRead, "Cannot read", fileName(), errno);
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    out.resize(got);
    return out;
}

std::uint64_t File::size() const {
    struct stat st {};
    if (::fstat(fd_, &st) != 0)
        throw Error::system(errors::kFileRead, "Cannot read", fileName(), errno);
    return static_cast<std::uint64_t>(st.st_size);
}

void File::truncate(std::uint64_t size) {
    if (::ftruncate(fd_, static_cast<off_t>(size)) != 0)
        throw Error::system(errors::kFileWrite, "Cannot write", fileName(), errno);
}

void File::sync() {
    if (fd_ >= 0) ::fdatasync(fd_);
}

bool File::tryLock() {
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        if (errno == EWOULDBLOCK) return false;
        throw Error::system(errors::kFileInUse, "Cannot lock", fileName(), errno);
    }
    return true;
}

void File::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

void removeFile(const std::string& path) {
    if (::unlink(path.c_str()) == 0 || errno == ENOENT) return;
    const int err = errno;
    // A read-only folder answers EROFS even for a file that is not there: nothing to delete.
    if (!fileExists(path)) return;
    throw Error::system(errors::kFileWrite, "Cannot delete", path, err);
}

}  // namespace foxpro
