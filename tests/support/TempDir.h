#pragma once
// A fresh folder under /tmp for one file test, removed with everything in it at the end.

#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace quarvel_test {

// Makes a tree removable by its owner again (chmod u+rwx on every folder), then removes it.
inline void RemoveTree(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return;
  if (S_ISDIR(st.st_mode)) {
    ::chmod(path.c_str(), 0700);
    if (DIR* dir = ::opendir(path.c_str())) {
      std::vector<std::string> names;
      while (dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
      }
      ::closedir(dir);
      for (const std::string& name : names) RemoveTree(path + "/" + name);
    }
    ::rmdir(path.c_str());
  } else {
    ::unlink(path.c_str());
  }
}

// A fresh folder under /tmp for one test, open to every user (0755) so that an
// unprivileged child can reach what the test puts in it; removed at the end.
class TempDir {
 public:
  TempDir() {
    char name[] = "/tmp/quarvel-files-XXXXXX";
    if (::mkdtemp(name) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = name;
    ::chmod(path_.c_str(), 0755);
  }
  ~TempDir() { RemoveTree(path_); }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace quarvel_test
