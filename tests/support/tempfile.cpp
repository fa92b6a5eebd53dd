#include "tempfile.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <stdexcept>
#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

std::string UniquePath(const std::string& extension) {
  static std::atomic<int> counter{0};
  const auto folder = fs::temp_directory_path();
  const auto name =
      "tesmo-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + extension;
  return (folder / name).string();
}

} // namespace

TTempFile::TTempFile(std::string_view content, const std::string& extension)
    : FilePath(UniquePath(extension)) {
  std::FILE* file = std::fopen(FilePath.c_str(), "wb");
  if (file == nullptr) throw std::runtime_error("cannot create " + FilePath);
  const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
  std::fclose(file);
  if (!written) throw std::runtime_error("cannot write " + FilePath);
}

TTempFile::~TTempFile() { std::remove(FilePath.c_str()); }

TTempFolder::TTempFolder() : FolderPath(UniquePath(".folder")) {
  // A folder left by an earlier process of the same id is not ours to reuse.
  std::error_code error;
  fs::remove_all(FolderPath, error);
  if (!fs::create_directory(FolderPath, error))
    throw std::runtime_error("cannot create " + FolderPath.string());
}

TTempFolder::~TTempFolder() {
  // Read-only files are made writable first: Windows removes no other.
  std::error_code error;
  for (fs::directory_iterator entry(FolderPath, error), end; !error && entry != end;
       entry.increment(error))
    if (!entry->is_symlink(error))
      fs::permissions(entry->path(), fs::perms::owner_write, fs::perm_options::add, error);
  fs::remove_all(FolderPath, error);
}

std::vector<std::string> TTempFolder::Names() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(FolderPath))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string MissingFilePath() { return UniquePath(".missing"); }
