#include "foxpro/FreeTableFolder.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "foxpro/Error.h"
#include "foxpro/File.h"
#include "foxpro/Names.h"

namespace foxpro {

namespace {
bool endsWithIgnoringCase(const std::string& s, const char* suffix) {
    const std::size_t n = std::char_traits<char>::length(suffix);
    return s.size() > n &&
           names::equalIgnoringCase(std::string_view(s).substr(s.size() - n), suffix);
}
std::string withExtension(const std::string& dbfPath, const char* ext) {
    return dbfPath.substr(0, dbfPath.size() - 4) + ext;
}
}  // namespace

FreeTableFolder::FreeTableFolder(std::string folder) : folder_(std::move(folder)) {
    while (folder_.size() > 1 && folder_.back() == '/') folder_.pop_back();
    struct stat st {};
    if (folder_.empty() || ::stat(folder_.c_str(), &st) != 0) {
        const int err = folder_.empty() ? ENOENT : errno;
        throw Error(errors::kInvalidPath, "Invalid path or file name: the data source " +
                                              quoted(folder_) +
                                              " cannot be opened: " + std::strerror(err) + ".");
    }
    if (!S_ISDIR(st.st_mode))
        throw Error(errors::kInvalidPath, "Invalid path or file name: the data source " +
                                              quoted(folder_) + " is not a folder.");
}

std::string FreeTableFolder::findFile(const std::string& fileName) {
    const std::string exact = folder_ + "/" + fileName;
    if (fileExists(exact)) return exact;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder_.c_str()), ::closedir);
    if (!dir) return std::string();
    while (dirent* e = ::readdir(dir.get()))
        if (names::equalIgnoringCase(e->d_name, fileName)) return folder_ + "/" + e->d_name;
    return std::string();
}

std::string FreeTableFolder::findTable(std::string_view name) {
    return findFile(names::lower(name) + ".dbf");
}

std::string FreeTableFolder::newTablePath(std::string_view name) {
    return folder_ + "/" + names::lower(name) + ".dbf";
}

std::string FreeTableFolder::memoPathFor(const std::string& dbfPath, bool existing) {
    const std::string lowerPath = withExtension(dbfPath, ".fpt");
    if (!existing) return lowerPath;
    const auto slash = lowerPath.rfind('/');
    return findFile(lowerPath.substr(slash + 1));
}

std::string FreeTableFolder::indexPathFor(const std::string& dbfPath) {
    const std::string path = withExtension(dbfPath, ".cdx");
    return findFile(path.substr(path.rfind('/') + 1));
}

std::vector<std::string> FreeTableFolder::tableNames() {
    std::vector<std::string> out;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder_.c_str()), ::closedir);
    if (!dir) throw Error::system(errors::kFileRead, "Cannot list", folder_, errno);
    while (dirent* e = ::readdir(dir.get())) {
        const std::string n = e->d_name;
        if (n.size() < 5 || n[0] == '.' || !endsWithIgnoringCase(n, ".dbf")) continue;
        struct stat st {};
        if (::stat((folder_ + "/" + n).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        out.push_back(n.substr(0, n.size() - 4));
    }
    return out;
}

}  // namespace foxpro
