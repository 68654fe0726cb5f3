// The end of the simulated program's process. os::exit throws it; the harness that started
// the program catches it and takes the exit code, so every ending path can be tested in one
// host process.
#pragma once

namespace sim {

struct ProcessExit {
    int code;
};

} // namespace sim
