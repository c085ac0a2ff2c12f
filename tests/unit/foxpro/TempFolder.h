#pragma once

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

// A fresh folder under /tmp for one test, removed with everything in it afterwards.
class TempFolder {
public:
    TempFolder() {
        char pattern[] = "/tmp/brindlecast-foxpro-XXXXXX";
        path_ = ::mkdtemp(pattern);
    }
    ~TempFolder() { std::system(("rm -rf '" + path_ + "'").c_str()); }
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

    // Every file of the folder with its bytes: two snapshots compare equal only when nothing
    // was written.
    std::map<std::string, std::string> snapshot() const {
        std::map<std::string, std::string> files;
        DIR* dir = ::opendir(path_.c_str());
        while (dirent* e = ::readdir(dir)) {
            const std::string n = e->d_name;
            if (n == "." || n == "..") continue;
            files[n] = read(n);
        }
        ::closedir(dir);
        return files;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(file(name), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    bool exists(const std::string& name) const {
        struct stat st {};
        return ::lstat(file(name).c_str(), &st) == 0;
    }

private:
    std::string path_;
};
