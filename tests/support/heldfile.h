// A file that another program holds for a while, as a virus scanner, the
// search indexer or a sync client does: open for reading, sharing only
// reading, so that others may read it but neither replace nor delete it. The
// system judges sharing by the open handle, not by the process holding it, so
// a thread of the test's own process stands in for the other program.
#pragma once

#include <string>
#include <thread>

#include <windows.h>

class THeldFile {
public:
  // Holds the file from now until the time has passed or the object goes.
  THeldFile(const std::string& path, DWORD milliseconds)
      : File(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                         nullptr)),
        Stop(CreateEventA(nullptr, TRUE, FALSE, nullptr)), Releaser([this, milliseconds] {
          WaitForSingleObject(Stop, milliseconds);
          if (Opened()) CloseHandle(File);
        }) {}
  ~THeldFile() {
    SetEvent(Stop);
    Releaser.join();
    CloseHandle(Stop);
  }

  bool Opened() const { return File != INVALID_HANDLE_VALUE; }

private:
  const HANDLE File;
  const HANDLE Stop;
  std::thread Releaser;
};
