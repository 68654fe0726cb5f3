// Programs started on the simulated machine and the virtual clock they run on.
#include <stdio.h>

#include <algorithm>
#include <sstream>

#include "platform/WinDefs.h"
#include "platform/sim/Errors.h"
#include "platform/sim/Machine.h"

namespace sim {

namespace {

const char BehaviourSuffix[] = ".behaviour";
const char ExecutableSuffix[] = ".exe";
const uintptr_t ProcessHandleBase = 0x100000;
const uintptr_t ThreadHandleBit = 0x8;
const int ProcessHandleShift = 4;
const os::DWORD ProcessIdStep = 4;

std::string TrimBlanks(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t\r");
    if (begin == std::string::npos)
        return std::string();
    size_t end = text.find_last_not_of(" \t\r");
    return text.substr(begin, end - begin + 1);
}

std::string Unquoted(const std::string& text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

// Words separated by blanks; a word in double quotes may hold blanks ("" is an empty word).
std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    size_t i = 0;
    while (true) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r'))
            ++i;
        if (i >= text.size())
            break;
        std::string word;
        if (text[i] == '"') {
            size_t close = text.find('"', i + 1);
            if (close == std::string::npos)
                close = text.size();
            word = text.substr(i + 1, close - i - 1);
            i = close + 1;
        } else {
            while (i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != '\r')
                word += text[i++];
        }
        words.push_back(word);
    }
    return words;
}

uint64_t Number(const std::string& word, const std::string& where) {
    if (word.empty() || word.find_first_not_of("0123456789") != std::string::npos)
        throw std::runtime_error(where + ": not a number: " + word);
    return std::stoull(word);
}

struct VerbShape {
    const char* verb;
    size_t minimumWords; // words after the verb
    bool takesRest;      // the text after the verb is one argument
};

const VerbShape Verbs[] = {
    {"profile", 4, false},       {"profile-delete", 3, false},
    {"start", 1, true},          {"record", 1, false},
    {"window", 1, true},         {"window-ignoring-close", 1, true},
    {"close-window", 1, true},   {"write", 2, false},
    {"delete", 1, false},
};

} // namespace

Behaviour Behaviour::Parse(const std::string& text, const std::string& fileName) {
    Behaviour behaviour;
    std::istringstream stream(text);
    std::string line;
    int number = 0;
    while (std::getline(stream, line)) {
        ++number;
        std::string where = fileName + " line " + std::to_string(number);
        std::string trimmed = TrimBlanks(line);
        if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#')
            continue;
        std::vector<std::string> words = Words(trimmed);
        if (words[0] == "console" && words.size() == 1) {
            behaviour.console = true;
        } else if (words[0] == "idle" && words.size() == 2) {
            behaviour.idleAfter = Number(words[1], where);
        } else if (words[0] == "at" && words.size() >= 3) {
            uint64_t at = Number(words[1], where);
            const std::string& verb = words[2];
            if (verb == "exit") {
                behaviour.hasExit = true;
                behaviour.exitAt = at;
                behaviour.exitCode =
                    words.size() > 3 ? static_cast<os::DWORD>(Number(words[3], where)) : 0;
                continue;
            }
            const VerbShape* shape = nullptr;
            for (const VerbShape& candidate : Verbs)
                if (verb == candidate.verb)
                    shape = &candidate;
            if (!shape)
                throw std::runtime_error(where + ": unknown action " + verb);
            BehaviourAction action;
            action.at = at;
            action.verb = verb;
            action.args.assign(words.begin() + 3, words.end());
            size_t verbAt = trimmed.find(verb, trimmed.find(words[1]) + words[1].size());
            action.rest = TrimBlanks(trimmed.substr(verbAt + verb.size()));
            if (shape->takesRest)
                action.args = {Unquoted(action.rest)};
            if (action.args.size() < shape->minimumWords || action.args[0].empty())
                throw std::runtime_error(where + ": too few words for " + verb);
            action.line = number;
            behaviour.actions.push_back(action);
        } else {
            throw std::runtime_error(where + ": cannot read: " + trimmed);
        }
    }
    std::stable_sort(behaviour.actions.begin(), behaviour.actions.end(),
                     [](const BehaviourAction& a, const BehaviourAction& b) { return a.at < b.at; });
    return behaviour;
}

// ---- Starting ----

namespace {

std::string FileNameOf(const std::string& path) {
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

// CreateProcessA without an application name: a command line that begins with a quote names
// the program up to the closing quote; otherwise the program is the shortest blank-separated
// beginning of the command line that names an existing file, ".exe" added to a name without
// an extension. A relative name is looked for in the directory the process starts in, then
// in the system and the Windows directory.
os::LONG Machine::StartProcess(const std::string& commandLine, const std::string& directory,
                               const std::string& by, Process** started) {
    std::vector<std::string> candidates;
    if (!commandLine.empty() && commandLine[0] == '"') {
        size_t close = commandLine.find('"', 1);
        candidates.push_back(commandLine.substr(1, close == std::string::npos ? std::string::npos
                                                                              : close - 1));
    } else {
        for (size_t i = 0; i <= commandLine.size(); ++i)
            if (i == commandLine.size() || commandLine[i] == ' ')
                if (i > 0)
                    candidates.push_back(commandLine.substr(0, i));
    }
    Path start;
    if (!ResolvePath(directory, Path(), &start))
        return os::ERROR_PATH_NOT_FOUND;
    std::vector<Path> bases = {start, AbsolutePath(systemDirectory),
                               AbsolutePath(windowsDirectory)};
    Path program;
    bool found = false;
    for (const std::string& candidate : candidates) {
        bool absolute = candidate.find(':') != std::string::npos ||
                        (!candidate.empty() && candidate[0] == '\\');
        for (const Path& base : bases) {
            bool hasExtension = FileNameOf(candidate).find('.') != std::string::npos;
            for (int withSuffix = 0; withSuffix < (hasExtension ? 1 : 2) && !found; ++withSuffix) {
                std::string name = withSuffix ? candidate + ExecutableSuffix : candidate;
                Path path;
                if (!ResolvePath(name, base, &path))
                    continue;
                std::shared_ptr<FileNode> node = files.Find(path);
                if (node && !node->isDirectory) {
                    program = files.StoredSpelling(path);
                    found = true;
                }
            }
            if (found || absolute)
                break;
        }
        if (found)
            break;
    }
    if (!found)
        return os::ERROR_FILE_NOT_FOUND;

    Process process;
    process.id = m_nextProcessId;
    m_nextProcessId += ProcessIdStep;
    process.commandLine = commandLine;
    process.program = program.Text();
    process.currentDirectory = start.Text();
    process.startedAt = m_ticks;
    std::string behaviourText;
    Path behaviourPath = program.Parent().Child(program.Name() + BehaviourSuffix);
    bool hasBehaviour = files.ReadWhole(behaviourPath, &behaviourText) == os::ERROR_SUCCESS;
    if (hasBehaviour)
        process.behaviour = Behaviour::Parse(behaviourText, behaviourPath.Text());
    m_processes.push_back(process);
    Process& added = m_processes.back();
    std::string detail = commandLine + " (in " + added.currentDirectory + ")";
    if (by.empty())
        Record("start", detail);
    else
        journal.Record("program", by + ": starts " + detail);
    if (!hasBehaviour)
        EndProcess(added, 0); // a program that does nothing ends at once
    *started = &added;
    return os::ERROR_SUCCESS;
}

os::HANDLE Machine::ProcessHandle(const Process& process) const {
    return reinterpret_cast<os::HANDLE>(ProcessHandleBase |
                                        (uintptr_t(process.id) << ProcessHandleShift));
}

os::HANDLE Machine::ThreadHandle(const Process& process) const {
    return reinterpret_cast<os::HANDLE>(ProcessHandleBase |
                                        (uintptr_t(process.id) << ProcessHandleShift) |
                                        ThreadHandleBit);
}

Process* Machine::FindProcess(os::HANDLE handle) {
    for (Process& process : m_processes)
        if (process.processHandleOpen && ProcessHandle(process) == handle)
            return &process;
    return nullptr;
}

bool Machine::CloseProcessHandle(os::HANDLE handle) {
    for (Process& process : m_processes) {
        if (process.processHandleOpen && ProcessHandle(process) == handle) {
            process.processHandleOpen = false;
            return true;
        }
        if (process.threadHandleOpen && ThreadHandle(process) == handle) {
            process.threadHandleOpen = false;
            return true;
        }
    }
    return false;
}

std::vector<const Process*> Machine::ProcessesOf(const std::string& name) const {
    std::vector<const Process*> found;
    for (const Process& process : m_processes)
        if (SameName(FileNameOf(process.program), name))
            found.push_back(&process);
    return found;
}

void Machine::CountPoll() {
    if (++m_polls > pollLimit)
        throw PollLimitExceeded();
}

// ---- Running ----

bool Machine::NextEvent(uint64_t* when) const {
    bool any = false;
    for (const Process& process : m_processes) {
        if (!process.running)
            continue;
        const Behaviour& b = process.behaviour;
        if (process.nextAction < b.actions.size()) {
            uint64_t t = process.startedAt + b.actions[process.nextAction].at;
            if (!any || t < *when)
                *when = t;
            any = true;
        }
        if (b.hasExit) {
            uint64_t t = process.startedAt + b.exitAt;
            if (!any || t < *when)
                *when = t;
            any = true;
        }
    }
    return any;
}

void Machine::Advance(uint64_t ms) {
    uint64_t target = m_ticks + ms;
    UpdateProcesses();
    uint64_t when;
    while (NextEvent(&when) && when <= target) {
        m_ticks = std::max(m_ticks, when);
        // Index loop: an action may start further processes.
        for (size_t i = 0; i < m_processes.size(); ++i) {
            Process& process = m_processes[i];
            const Behaviour& b = process.behaviour;
            while (process.running && process.nextAction < b.actions.size() &&
                   process.startedAt + b.actions[process.nextAction].at <= m_ticks) {
                BehaviourAction action = b.actions[process.nextAction++];
                RunAction(m_processes[i], action);
            }
            Process& current = m_processes[i];
            if (current.running && b.hasExit && current.startedAt + b.exitAt <= m_ticks)
                EndProcess(current, b.exitCode);
        }
        UpdateProcesses();
    }
    m_ticks = target;
    UpdateProcesses();
}

// A program without an exit time runs while it has something left to do: actions to come or
// a window open. Once the last of its windows is closed (for instance by WM_CLOSE) it ends
// with exit code 0.
void Machine::UpdateProcesses() {
    for (Process& process : m_processes) {
        if (!process.running || process.behaviour.hasExit ||
            process.nextAction < process.behaviour.actions.size())
            continue;
        bool windowOpen = false;
        for (const ProcessWindow& window : process.windows)
            windowOpen = windowOpen || windows.IsWindow(window.handle);
        if (!windowOpen)
            EndProcess(process, 0);
    }
}

void Machine::EndProcess(Process& process, os::DWORD exitCode) {
    process.running = false;
    process.exitCode = exitCode;
    process.endedAt = m_ticks;
    for (const ProcessWindow& window : process.windows)
        if (windows.IsWindow(window.handle))
            windows.DestroyWindow(window.handle);
    if (!process.behaviour.actions.empty() || process.behaviour.hasExit)
        journal.Record("program", FileNameOf(process.program) + ": ends with exit code " +
                                      std::to_string(exitCode));
}

void Machine::RunAction(Process& process, const BehaviourAction& action) {
    std::string by = FileNameOf(process.program);
    const std::vector<std::string>& a = action.args;
    ++m_programActing;
    std::string note;
    Path start;
    ResolvePath(process.currentDirectory, Path(), &start);
    auto resolve = [&](const std::string& name, Path* path) {
        return ResolvePath(name, start, path);
    };
    if (action.verb == "profile" || action.verb == "profile-delete") {
        std::string file = a[0];
        if (file.find_first_of("\\/:") != std::string::npos) {
            Path path;
            if (resolve(file, &path))
                file = path.Text();
        }
        const char* value = action.verb == "profile" ? a[3].c_str() : nullptr;
        if (WriteProfile(a[1].c_str(), a[2].c_str(), value, file.c_str(), by))
            note = "cannot write profile " + file;
    } else if (action.verb == "start") {
        Process* started;
        --m_programActing;
        os::LONG error = StartProcess(a[0], process.currentDirectory, by, &started);
        ++m_programActing;
        if (error)
            note = "cannot start " + a[0];
    } else if (action.verb == "record" || action.verb == "write") {
        Path path;
        std::string text = action.verb == "record"
                               ? process.commandLine + "\r\n" + process.currentDirectory + "\r\n"
                               : a[1];
        if (resolve(a[0], &path) && !files.WriteWhole(path, text))
            note = "writes " + path.Text();
        else
            note = "cannot write " + a[0];
    } else if (action.verb == "delete") {
        Path path;
        if (resolve(a[0], &path) && !files.Delete(path))
            note = "deletes " + path.Text();
        else
            note = "cannot delete " + a[0];
    } else if (action.verb == "window" || action.verb == "window-ignoring-close") {
        bool ignoresClose = action.verb == "window-ignoring-close";
        os::HWND handle = windows.CreateTopLevelWindow(a[0], ignoresClose);
        process.windows.push_back({handle, a[0]});
        note = "opens window \"" + a[0] + "\"";
    } else if (action.verb == "close-window") {
        for (const ProcessWindow& window : process.windows)
            if (window.title == a[0] && windows.IsWindow(window.handle))
                windows.DestroyWindow(window.handle);
        note = "closes window \"" + a[0] + "\"";
    }
    --m_programActing;
    if (!note.empty())
        journal.Record("program", by + ": " + note);
}

} // namespace sim
