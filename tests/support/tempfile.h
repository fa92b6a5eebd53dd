// Files and folders in the temporary folder that live as long as the object.
// Their names carry the process id and a counter, so test processes running
// side by side never share one.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// A file with given bytes.
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

// An empty folder of its own, removed with everything in it.
class TTempFolder {
public:
  TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;
  ~TTempFolder();

  const std::filesystem::path& Folder() const { return FolderPath; }
  // The path of a name inside the folder.
  std::string Path(const std::string& name) const { return (FolderPath / name).string(); }
  // The names the folder holds, sorted.
  std::vector<std::string> Names() const;

private:
  std::filesystem::path FolderPath;
};

// A path in the temporary folder that names no file.
std::string MissingFilePath();
