// Timing and host-file helpers of the benchmarks.
#pragma once

#include <functional>
#include <string>

namespace bench {

// Wall-clock seconds of the fastest of runs calls of work (each after prepare, untimed).
double Fastest(int runs, const std::function<void()>& prepare, const std::function<void()>& work);

std::string ReadHostFile(const std::string& path);
void WriteHostFile(const std::string& path, const std::string& text);
// Runs a shell command; throws when it fails.
void Shell(const std::string& command);

} // namespace bench
