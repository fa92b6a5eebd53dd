// A plain timer harness: every figure is reported beside a baseline measured in
// the same run, so the ratio means something on any machine.
#pragma once

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace bench {

// The best of several timed runs, in seconds.
inline double BestSeconds(const std::function<void()>& work, int runs = 5) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (elapsed.count() < best) best = elapsed.count();
  }
  return best;
}

// Measuring in a child process needs fork and rusage: the POSIX benchmarks only.
#ifndef _WIN32
struct ChildRun {
  double Seconds = 0;      // what work returned
  long long PeakBytes = 0; // the child's peak resident memory
};

// Runs work in a fresh child process: work returns the seconds it measured,
// and the child's peak resident memory comes with them.
inline ChildRun RunInChild(const std::function<double()>& work) {
  std::fflush(nullptr);
  int channel[2];
  if (pipe(channel) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    const double seconds = work();
    std::fflush(nullptr);
    if (write(channel[1], &seconds, sizeof seconds) != sizeof seconds) std::_Exit(1);
    std::_Exit(0);
  }
  close(channel[1]);
  ChildRun run;
  if (read(channel[0], &run.Seconds, sizeof run.Seconds) != sizeof run.Seconds) run.Seconds = 0;
  close(channel[0]);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  run.PeakBytes = static_cast<long long>(usage.ru_maxrss) * 1024;
  return run;
}

inline long long PeakBytesInChild(const std::function<void()>& work) {
  return RunInChild([&] {
           work();
           return 0.0;
         })
      .PeakBytes;
}

#endif

// Seconds of one call of work.
inline double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

#ifndef _WIN32
// The resident memory of a process that has done nothing yet.
inline long long IdlePeakBytes() {
  return PeakBytesInChild([] {});
}
#endif

inline void Line(const std::string& name, const std::string& text) {
  std::printf("%-44s %s\n", name.c_str(), text.c_str());
}

inline std::string Format(const char* format, double a, double b = 0, double c = 0) {
  char text[256];
  std::snprintf(text, sizeof text, format, a, b, c);
  return text;
}

} // namespace bench
