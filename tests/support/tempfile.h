// A file with given bytes that lives as long as the object.
#pragma once

#include <string>
#include <string_view>

class TTempFile {
public:
  explicit TTempFile(std::string_view content, const std::string& extension = ".txt");
  TTempFile(const TTempFile&) = delete;
  TTempFile& operator=(const TTempFile&) = delete;
  ~TTempFile();

  const std::string& Path() const { return FilePath; }

private:
  std::string FilePath;
};

// A path in the temporary folder that names no file.
std::string MissingFilePath();
