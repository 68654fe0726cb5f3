#include "platform/sim/runner/RunnerOptions.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace runner {

namespace {

const char Help[] = R"(runner: runs the setup program on a simulated Windows machine.

Usage: runner --machine DIR [options]

The machine image in DIR (machine.ini, registry.reg, drives/X/..., files.meta) is loaded
into memory; the image itself is not changed unless --save names it. The program starts as
a new process in the start directory with the given command line; every change it makes to
the machine is recorded in a journal, which is printed when the program has ended.

Machine and program:
  -m, --machine DIR        the machine image to load (required)
  -d, --start-dir PATH     the directory the program starts in, a Windows path such as
                           D:\SETUP (default: the image's current directory)
  -c, --command-line TEXT  the command line after the program's name, e.g. "/DRIVER"
                           (default: empty)
      --program PATH       the program's own path at the start of its command line
                           (default: SETUP.EXE in the start directory)
  -i, --import HOST=PATH   copies the host folder HOST with everything below it into the
                           machine at the Windows directory PATH before the run, e.g.
                           examples/tree=D:\SETUP; a missing drive is added. Repeatable.
      --free-space X=BYTES sets the free space of drive X, e.g. C=100000. Repeatable.
      --fail OP=PATTERN    every call of the os:: function OP whose path matches PATTERN
                           (* and ?, case ignored) fails as Windows would, e.g.
                           CopyFileA=C:\Orvane\W95-98\*. Repeatable.

The user:
  -s, --script TEXT        UI script: the answers to dialogs and message boxes, separated
                           by ';', e.g. "click 1002; enter; answer ok". Words: click N,
                           syscommand N, close, minimize, restore, enter, escape, tab,
                           space, answer ok|cancel|yes|no|N, show.
  -f, --script-file FILE   the UI script from a file (one action a line)
  -t, --terminal           the terminal answers whatever the script does not: dialogs are
                           drawn as text and driven by Tab, Space, Enter, Escape and m
                           (system menu); message boxes by Enter, Escape, y and n.
                           Without it a message box that the script does not answer gets
                           its first button (OK), and a dialog that waits for an action the
                           script lacks is an error.

After the run:
  -q, --quiet              do not print the journal
  -r, --restart            when the program asked Windows to restart, restart the machine:
                           programs end and WININIT.INI's [rename] section is carried out
                           (Windows 95/98); what the restart did is printed
  -o, --save DIR           saves the machine (after the restart) as an image in DIR
  -l, --list PATH          lists the Windows directory PATH at the end. Repeatable.
  -p, --print PATH         prints the Windows file PATH at the end. Repeatable.
  -h, --help               this text

Exit code: the program's own (0 for every ending the program is designed for, 1 for a run
that failed), or 125 when the runner itself could not do its work (a wrong option, an
unreadable image, a simulated program that stopped on an error).

Example:
  runner -m examples/machine -i examples/tree=D:\ORVANE -d D:\ORVANE -c /DRIVER \
         --restart --list C:\WINDOWS\SYSTEM --save build/demo/machine
)";

std::pair<std::string, std::string> SplitAt(const std::string& text, char separator,
                                            const std::string& option) {
    const size_t at = text.find(separator);
    if (at == std::string::npos || at == 0)
        throw std::runtime_error(option + " needs the form A" + separator + "B, not '" + text +
                                 "'");
    return {text.substr(0, at), text.substr(at + 1)};
}

std::string ReadScriptFile(const std::string& path) {
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read the script file " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

std::string HelpText() { return Help; }

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                throw std::runtime_error(option + " needs a value");
            return argv[++i];
        };
        auto is = [&](const char* shortName, const char* longName) {
            return (shortName && option == shortName) || option == longName;
        };
        if (is("-h", "--help")) {
            options.help = true;
        } else if (is("-m", "--machine")) {
            options.machine = value();
        } else if (is("-d", "--start-dir")) {
            options.startDir = value();
        } else if (is("-c", "--command-line")) {
            options.arguments = value();
            options.argumentsGiven = true;
        } else if (is(nullptr, "--program")) {
            options.program = value();
        } else if (is("-i", "--import")) {
            options.imports.push_back(SplitAt(value(), '=', option));
        } else if (is(nullptr, "--free-space")) {
            auto drive = SplitAt(value(), '=', option);
            if (drive.first.size() != 1)
                throw std::runtime_error("--free-space needs a drive letter, not " + drive.first);
            options.freeSpace.push_back({drive.first[0], std::stoull(drive.second)});
        } else if (is(nullptr, "--fail")) {
            options.faults.push_back(SplitAt(value(), '=', option));
        } else if (is("-s", "--script")) {
            options.script += value() + "\n";
        } else if (is("-f", "--script-file")) {
            options.script += ReadScriptFile(value()) + "\n";
        } else if (is("-t", "--terminal")) {
            options.terminal = true;
        } else if (is("-q", "--quiet")) {
            options.journal = false;
        } else if (is("-r", "--restart")) {
            options.restart = true;
        } else if (is("-o", "--save")) {
            options.save = value();
        } else if (is("-l", "--list")) {
            options.lists.push_back(value());
        } else if (is("-p", "--print")) {
            options.types.push_back(value());
        } else {
            throw std::runtime_error("unknown option " + option + " (see --help)");
        }
    }
    if (!options.help && options.machine.empty())
        throw std::runtime_error("--machine is required (see --help)");
    return options;
}

} // namespace runner
