// The runner's command line.
#pragma once

#include <stdint.h>

#include <string>
#include <utility>
#include <vector>

namespace runner {

struct Options {
    std::string machine;      // image folder to load
    std::string startDir;     // Windows path; empty: the image's current directory
    std::string program;      // the program's path in its command line
    std::string arguments;    // the command line after the program's name
    bool argumentsGiven = false;
    std::vector<std::pair<std::string, std::string>> imports; // host folder, Windows path
    std::string script;       // UI script text
    bool terminal = false;    // the terminal answers what the script does not
    std::vector<std::pair<std::string, std::string>> faults; // operation, pattern
    std::vector<std::pair<char, uint64_t>> freeSpace;        // drive, bytes
    bool journal = true;
    bool restart = false;
    std::string save;         // image folder to write after the run
    std::vector<std::string> lists; // Windows directories to list at the end
    std::vector<std::string> types; // Windows files to print at the end
    bool help = false;
};

// Parses argv; throws std::runtime_error with a message for a wrong command line.
Options ParseOptions(int argc, char** argv);

// The text of --help.
std::string HelpText();

} // namespace runner
