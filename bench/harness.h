// A plain timer harness: every figure is reported beside a baseline measured in
// the same run, so the ratio means something on any machine.
#pragma once

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Runs work in a child process and returns the child's peak resident memory in
// bytes, so each measurement starts from a fresh process.
inline long long PeakBytesInChild(const std::function<void()>& work) {
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    work();
    std::_Exit(0);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  return static_cast<long long>(usage.ru_maxrss) * 1024;
}

// The resident memory of a process that has done nothing yet.
inline long long IdlePeakBytes() {
  return PeakBytesInChild([] {});
}

inline void Line(const std::string& name, const std::string& text) {
  std::printf("%-44s %s\n", name.c_str(), text.c_str());
}

inline std::string Format(const char* format, double a, double b = 0, double c = 0) {
  char text[256];
  std::snprintf(text, sizeof text, format, a, b, c);
  return text;
}

} // namespace bench
