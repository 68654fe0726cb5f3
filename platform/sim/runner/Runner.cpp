// runner: the setup program on a simulated Windows machine loaded from an image, with the
// journal of what it changed (see --help).
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "platform/sim/HostFolder.h"
#include "platform/sim/Machine.h"
#include "platform/sim/Program.h"
#include "platform/sim/UiScript.h"
#include "platform/sim/runner/RunnerOptions.h"

namespace {

namespace fs = std::filesystem;

// The exit code of a run the runner itself could not carry out.
const int RunnerFailed = 125;
const char ProgramFileName[] = "SETUP.EXE";
const char Indent[] = "  ";

void Import(sim::Machine& machine, const std::string& host, const std::string& windowsPath) {
    if (!fs::is_directory(host))
        throw std::runtime_error("--import: no folder " + host);
    sim::ImportHostFolder(machine.files, host, windowsPath);
}

// Continuation lines of a multi-line detail (a message box text) are indented under it.
std::string IndentLines(const std::string& text, const std::string& indent) {
    std::string out;
    for (char ch : text) {
        out += ch;
        if (ch == '\n')
            out += indent;
    }
    return out;
}

void PrintEntries(const std::vector<sim::JournalEntry>& entries, size_t from) {
    for (size_t i = from; i < entries.size(); ++i)
        std::cout << Indent << entries[i].what << ": "
                  << IndentLines(entries[i].detail, std::string(Indent) + Indent) << "\n";
}

void ListDirectory(const sim::Machine& machine, const std::string& directory) {
    std::cout << "\nDirectory " << directory << ":\n";
    if (!machine.files.IsDirectory(directory)) {
        std::cout << Indent << "(no such directory)\n";
        return;
    }
    for (const std::string& name : machine.files.List(directory)) {
        const std::string path = directory + (directory.back() == '\\' ? "" : "\\") + name;
        std::cout << Indent;
        if (machine.files.IsDirectory(path))
            std::cout << "<DIR>     ";
        else
            std::cout << std::string(9 - std::min<size_t>(9, std::to_string(
                                                           machine.files.Contents(path).size())
                                                           .size()),
                                     ' ')
                      << machine.files.Contents(path).size() << " ";
        std::cout << name << "\n";
    }
}

void PrintFile(const sim::Machine& machine, const std::string& path) {
    std::cout << "\nFile " << path << ":\n";
    if (!machine.files.Exists(path) || machine.files.IsDirectory(path)) {
        std::cout << Indent << "(no such file)\n";
        return;
    }
    std::string text = machine.files.Contents(path);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    if (!text.empty() && text.back() == '\n')
        text.pop_back();
    std::cout << Indent << IndentLines(text, Indent) << "\n";
}

int Run(const runner::Options& options) {
    sim::Machine machine;
    machine.Load(options.machine);
    for (const auto& import : options.imports)
        Import(machine, import.first, import.second);
    for (const auto& free : options.freeSpace)
        machine.files.SetFreeSpace(sim::FoldCase(free.first) - 'a' + 'A', free.second);
    for (const auto& fault : options.faults)
        machine.faults.Fail(fault.first, fault.second);

    if (!options.startDir.empty()) {
        if (!machine.files.IsDirectory(options.startDir))
            throw std::runtime_error("--start-dir: the machine has no directory " +
                                     options.startDir);
        machine.currentDirectory = sim::AbsolutePath(options.startDir).Text();
    }
    std::string program = options.program;
    if (program.empty())
        program = sim::AbsolutePath(machine.currentDirectory).Child(ProgramFileName).Text();
    const std::string commandLine =
        program + (options.arguments.empty() ? "" : " " + options.arguments);

    sim::KeyboardTerminal terminal(STDIN_FILENO, std::cout);
    if (options.terminal)
        machine.windows.SetTerminal(&terminal);

    std::cout << "Running " << commandLine << " in " << machine.currentDirectory << "\n";
    const int exitCode = sim::RunProgram(machine, commandLine, sim::ParseUiScript(options.script));
    std::cout << "The program ended with exit code " << exitCode << ".\n";
    if (options.journal) {
        std::cout << "\nJournal of changes:\n";
        PrintEntries(machine.journal.Entries(), 0);
    }

    if (options.restart) {
        if (machine.RestartRequests() > 0) {
            const size_t before = machine.journal.Entries().size();
            machine.Restart();
            std::cout << "\nRestart:\n";
            PrintEntries(machine.journal.Entries(), before);
        } else {
            std::cout << "\nThe program did not ask for a restart: the machine was not "
                         "restarted.\n";
        }
    }
    for (const std::string& directory : options.lists)
        ListDirectory(machine, directory);
    for (const std::string& file : options.types)
        PrintFile(machine, file);
    if (!options.save.empty()) {
        machine.Save(options.save);
        std::cout << "\nThe machine was saved to " << options.save << ".\n";
    }
    return exitCode;
}

} // namespace

int main(int argc, char** argv) {
    try {
        const runner::Options options = runner::ParseOptions(argc, argv);
        if (options.help) {
            std::cout << runner::HelpText();
            return 0;
        }
        return Run(options);
    } catch (const std::exception& e) {
        std::cout.flush();
        std::cerr << "runner: " << e.what() << "\n";
        return RunnerFailed;
    }
}
