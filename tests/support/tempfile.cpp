#include "tempfile.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace {

std::string UniquePath(const std::string& extension) {
  static std::atomic<int> counter{0};
  const auto folder = std::filesystem::temp_directory_path();
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

std::string MissingFilePath() { return UniquePath(".missing"); }
