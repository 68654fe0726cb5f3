#include "bench/BenchUtil.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace bench {

double Fastest(int runs, const std::function<void()>& prepare, const std::function<void()>& work) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (took.count() < best)
            best = took.count();
    }
    return best;
}

std::string ReadHostFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteHostFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out.write(text.data(), static_cast<std::streamsize>(text.size())) || !out.flush())
        throw std::runtime_error("cannot write " + path);
}

void Shell(const std::string& command) {
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("command failed: " + command);
}

} // namespace bench
