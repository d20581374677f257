#pragma once
// A fresh folder for one file test, removed with everything in it at the end. Plain C++
// (std::filesystem), so the Windows build's tests use it too; names are UTF-8 strings.

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

namespace quarvel_test {

// A UTF-8 name as std::filesystem takes it (on Windows a std::string would be read in the
// ANSI code page), and back.
inline std::filesystem::path PathOf(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
inline std::string Utf8Of(const std::filesystem::path& path) {
  const std::u8string name = path.u8string();
  return std::string(name.begin(), name.end());
}

// Makes a tree removable by its owner again (u+rwx on every folder, u+w on every file:
// Windows deletes no read-only file), then removes it. Symbolic links are not followed.
inline void RemoveTree(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path root = PathOf(path);
  const fs::file_status status = fs::symlink_status(root, ec);
  if (ec || !fs::exists(status)) return;
  if (fs::is_directory(status)) {
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ec);
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) RemoveTree(Utf8Of(it->path()));
  } else if (fs::is_regular_file(status)) {
    fs::permissions(root, fs::perms::owner_write, fs::perm_options::add, ec);
  }
  fs::remove(root, ec);
}

// A fresh folder for one test, under /tmp on POSIX (open to every user, 0755, so that an
// unprivileged child can reach what the test puts in it), under the user's temporary
// folder on Windows; removed at the end.
class TempDir {
 public:
  TempDir() {
    namespace fs = std::filesystem;
#ifdef _WIN32
    const fs::path base = fs::temp_directory_path();
#else
    const fs::path base = "/tmp";
#endif
    std::random_device random;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      const fs::path candidate = base / ("quarvel-files-" + std::to_string(random() % 1000000000u));
      std::error_code ec;
      if (fs::create_directory(candidate, ec)) path_ = Utf8Of(candidate);
    }
    if (path_.empty()) throw std::runtime_error("no temporary folder could be made");
    std::error_code ec;
    fs::permissions(PathOf(path_), fs::perms(0755), ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir() { RemoveTree(path_); }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace quarvel_test
