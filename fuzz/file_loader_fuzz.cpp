// Loads the input as a question file the way tesmo.exe does: from a file, cut
// into lines as it is read block by block, unusable lines dropped on the way.
// The result must be exactly the set that reading the whole text in memory
// and cleaning it afterwards gives, and a file of nothing usable must leave
// the set as it was.
//
// The first input byte chooses: bit 0 the code page (1252 or 932), bit 1 the
// format, bits 2 to 7 the read block size (1 to 63 bytes; 0 for the loader's
// own 1 MiB). The rest is the file.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "exam/examitems.h"
#include "exam/questionfile.h"
#include "fuzz_common.h"
#include "util/platform.h"

namespace {

// The file the inputs are written to, one per process. Memory-backed
// /dev/shm, where there is one, makes a run several times faster than a disk.
const std::string& FilePath() {
  // Never destroyed, so that it is still there when the exit handler runs.
  static const std::string& path = *new std::string([] {
    const char* tmpdir = std::getenv("TMPDIR");
    const std::string folder = tmpdir != nullptr && *tmpdir != '\0' ? tmpdir
                               : access("/dev/shm", W_OK) == 0      ? "/dev/shm"
                                                                    : "/tmp";
    std::atexit([] { std::remove(FilePath().c_str()); });
    return folder + "/tesmo-fuzz-" + std::to_string(getpid()) + ".txt";
  }());
  return path;
}

void WriteFile(const std::string& path, std::string_view content) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) std::abort();
  if (std::fwrite(content.data(), 1, content.size(), file) != content.size()) std::abort();
  if (std::fclose(file) != 0) std::abort();
}

bool SameItems(const TExamItems& a, const TExamItems& b) {
  if (a.Count() != b.Count()) return false;
  for (int i = 0; i < a.Count(); ++i)
    if (a.Get(i).Question != b.Get(i).Question || a.Get(i).Answers != b.Get(i).Answers)
      return false;
  return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  sys::SetPortableCodePage(CodePageOf(data[0]));
  const int format = (data[0] & 2) ? qffText : qffCsv;
  const size_t block = (data[0] >> 2) == 0 ? size_t{1} << 20 : data[0] >> 2;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

  TExamItems expected;
  if (format == qffCsv)
    ReadCsvLines(expected, SplitLines(text));
  else
    ReadTextLines(expected, SplitLines(text));
  TExamItems::RemoveEmpty(expected);

  WriteFile(FilePath(), text);
  TExamItems loaded;
  TExamItem& before = loaded.Add();
  before.Question = "kept";
  before.AddAnswer("as it was");
  const bool any = LoadQuestionFile(loaded, FilePath(), format, block);

  if (any != (expected.Count() > 0)) __builtin_trap();
  if (any && !SameItems(loaded, expected)) __builtin_trap();
  if (!any && (loaded.Count() != 1 || loaded.Get(0).Question != "kept")) __builtin_trap();
  return 0;
}
