// The simulated Windows machine: one computer with its Windows version, directories, drives
// and files, registry, clock, running programs and windows. The os:: functions of the native
// build work on the current machine (sim::Current()); tests seed a machine, make it current
// with a MachineScope, run program code, and look at the machine and its journal.
//
// Everything runs on a virtual clock in milliseconds. It moves only when the program waits:
// Sleep advances it by the time asked, WaitForInputIdle by the time the wait takes (at least
// WaitForInputIdleCostMs, so that every polling loop makes progress). Programs started with
// CreateProcessA act at the times their behaviour files give, while the program waits.
#pragma once

#include <stdint.h>

#include <deque>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/WinTypes.h"
#include "platform/sim/Faults.h"
#include "platform/sim/FileSystem.h"
#include "platform/sim/Journal.h"
#include "platform/sim/RegistryModel.h"
#include "platform/sim/Times.h"
#include "platform/sim/WindowManager.h"

namespace sim {

// Whole Windows releases: version numbers, directories, the registry's delete rule and
// whether GetDiskFreeSpaceExA exists (from Windows 95 OSR2 on).
enum class Preset {
    Windows95,     // 4.00.950, no GetDiskFreeSpaceExA
    Windows95Osr2, // 4.00.1111 "B"
    Windows98,     // 4.10.1998
    Windows98SE,   // 4.10.2222 "A"
    WindowsMe,     // 4.90.3000
    WindowsNT4,    // 4.00.1381 Service Pack 6, C:\WINNT
    Windows2000,   // 5.00.2195, C:\WINNT
};

// What GetVersionExA reports. On the Windows 95 family the reported build number also
// carries the major and minor version in its high word, as those systems report it.
struct Version {
    os::DWORD platformId = 1; // VER_PLATFORM_WIN32_WINDOWS
    os::DWORD major = 4;
    os::DWORD minor = 10;
    os::DWORD build = 1998;
    std::string csdVersion;
};

// Each WaitForInputIdle call takes at least this long on the virtual clock.
const uint64_t WaitForInputIdleCostMs = 1;
// Polls (WaitForInputIdle and GetExitCodeProcess calls) after which the machine stops a
// program that does not get anywhere (PollLimitExceeded).
const uint64_t DefaultPollLimit = 1000000;

// Thrown when a program polls more often than the machine's pollLimit: a wait that never
// ends.
struct PollLimitExceeded : std::runtime_error {
    PollLimitExceeded() : std::runtime_error("polling limit of the simulated machine reached") {}
};

// One timed step of a behaviour file.
struct BehaviourAction {
    uint64_t at = 0; // ms after the process started
    std::string verb;
    std::vector<std::string> args; // the words after the verb (quotes removed)
    std::string rest;              // the text after the verb, as written
    int line = 0;
};

// What a started program does, from the behaviour file beside it (see README.md).
struct Behaviour {
    bool console = false;   // no message queue: WaitForInputIdle fails at once
    uint64_t idleAfter = 0; // ms after the start from which it waits for input
    bool hasExit = false;
    uint64_t exitAt = 0;
    os::DWORD exitCode = 0;
    std::vector<BehaviourAction> actions; // in time order

    // Throws std::runtime_error naming the file and line of a malformed line.
    static Behaviour Parse(const std::string& text, const std::string& fileName);
};

// A top-level window that a started program opened.
struct ProcessWindow {
    os::HWND handle = nullptr;
    std::string title;
};

// A program started on the machine.
struct Process {
    os::DWORD id = 0;
    std::string commandLine;
    std::string program;          // the program file's full path
    std::string currentDirectory; // the directory it was started in
    uint64_t startedAt = 0;       // clock, ms
    Behaviour behaviour;
    size_t nextAction = 0;
    bool running = true;
    os::DWORD exitCode = 259; // STILL_ACTIVE while running
    uint64_t endedAt = 0;
    std::vector<ProcessWindow> windows; // windows it opened
    int waitForInputIdleCalls = 0;
    int exitCodeQueries = 0;
    bool processHandleOpen = true;
    bool threadHandleOpen = true;
};

class Machine {
public:
    explicit Machine(Preset preset = Preset::Windows98);
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

    // Sets version, Windows and system directories, the Ex switch and the registry's delete
    // rule of a release, and creates the Windows, system and INF directories on drive C.
    void ApplyPreset(Preset preset);

    Version version;
    std::string windowsDirectory; // as GetWindowsDirectoryA reports it, e.g. C:\WINDOWS
    std::string systemDirectory;  // e.g. C:\WINDOWS\SYSTEM
    std::string currentDirectory = "C:\\";
    std::string commandLine = "SETUP.EXE"; // GetCommandLineA, program name included
    bool hasGetDiskFreeSpaceEx = true;

    FileSystem files;
    Registry registry; // registry.ntDeleteRule: see RegistryModel.h
    Journal journal;
    Faults faults;
    WindowManager windows;

    // ---- Clock ----
    uint64_t TickCount() const { return m_ticks; } // ms since the machine started
    FileTime Now() const;                          // the wall clock (UTC)
    void SetNow(FileTime now);
    // Moves the clock on by ms, letting started programs act at their times.
    void Advance(uint64_t ms);

    // ---- Programs ----
    const std::deque<Process>& Processes() const { return m_processes; }
    Process* FindProcess(os::HANDLE handle);
    // The processes whose program file name (without directory) is name, in start order.
    std::vector<const Process*> ProcessesOf(const std::string& name) const;
    uint64_t Polls() const { return m_polls; } // WaitForInputIdle + GetExitCodeProcess calls
    uint64_t pollLimit = DefaultPollLimit;

    // ---- Restart ----
    int RestartRequests() const { return m_restartRequests; }
    // Windows starts again: every program ends; on the Windows 95 family WININIT.INI's
    // [rename] section is carried out and the file renamed to WININIT.BAK; the tick count
    // starts again from 0.
    void Restart();

    // ---- Machine image (see README.md) ----
    // Replaces this machine's settings, files and registry with the image in directory.
    void Load(const std::string& directory);
    void Save(const std::string& directory) const;

    // ---- For the os:: layer ----
    os::DWORD lastError = 0;
    // Records a change in the journal (unless a simulated program makes it: then the
    // program's own entry stands for it).
    void Record(const std::string& what, const std::string& detail);
    // The full path of a path the program names, checked against MaxPath; false with the
    // error Windows gives.
    bool ResolveForCall(const char* input, Path* result, os::LONG* error) const;
    // The path of a profile file: a name without a directory names the Windows directory.
    bool ResolveProfile(const char* file, Path* result, os::LONG* error) const;
    Path CurrentPath() const;
    bool IsNtFamily() const;
    // Asks faults; on failure sets lastError and returns true.
    bool Fails(const char* operation, const std::string& subject, os::LONG defaultError);

    os::LONG WriteProfile(const char* section, const char* key, const char* value,
                          const char* file, const std::string& by);
    void RequestRestart(os::UINT flags);
    // CreateProcessA: starts the program of commandLine in the current directory.
    os::LONG StartProcess(const std::string& commandLine, const std::string& directory,
                          const std::string& by, Process** started);
    os::HANDLE ProcessHandle(const Process& process) const;
    os::HANDLE ThreadHandle(const Process& process) const;
    bool CloseProcessHandle(os::HANDLE handle);
    // Counts a poll and stops a program that polls without end.
    void CountPoll();
    // Ends the processes whose lifetime is over at the current time.
    void UpdateProcesses();

    // Open directory searches (FindFirstFileA and _findfirst).
    struct Search {
        std::vector<SearchEntry> entries;
        size_t next = 0;
    };
    uintptr_t AddSearch(Search search);
    Search* FindSearch(uintptr_t handle);
    bool CloseSearch(uintptr_t handle);

private:
    void RunAction(Process& process, const BehaviourAction& action);
    void EndProcess(Process& process, os::DWORD exitCode);
    bool NextEvent(uint64_t* when) const;
    void CarryOutWininit();

    uint64_t m_ticks = 0;
    FileTime m_bootTime;
    std::deque<Process> m_processes;
    os::DWORD m_nextProcessId = 0x1C;
    uint64_t m_polls = 0;
    int m_restartRequests = 0;
    int m_programActing = 0; // > 0 while a simulated program's action runs
    std::map<uintptr_t, Search> m_searches;
    uintptr_t m_nextSearch = 0x5000;
};

// The machine the os:: calls work on. Throws std::logic_error when none is current.
Machine& Current();

// Makes machine the current one for its lifetime; the previous one is current again after.
class MachineScope {
public:
    explicit MachineScope(Machine& machine);
    ~MachineScope();
    MachineScope(const MachineScope&) = delete;
    MachineScope& operator=(const MachineScope&) = delete;

private:
    Machine* m_previous;
};

} // namespace sim
