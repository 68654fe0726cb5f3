#include "platform/sim/Machine.h"

#include <stdio.h>

#include "platform/WinDefs.h"
#include "platform/sim/Errors.h"
#include "platform/sim/ProfileText.h"

namespace sim {

namespace {

Machine* g_current = nullptr;

// The wall clock of a new machine.
const FileTime DefaultBootTime = FileTimeFromUtc(2000, 6, 1, 10, 0, 0);

const char Windows9xDirectory[] = "C:\\WINDOWS";
const char Windows9xSystemDirectory[] = "C:\\WINDOWS\\SYSTEM";
const char WindowsNtDirectory[] = "C:\\WINNT";
const char WindowsNtSystemDirectory[] = "C:\\WINNT\\SYSTEM32";
const char InfDirectoryName[] = "INF";

const char WininitFile[] = "WININIT.INI";
const char WininitBackup[] = "WININIT.BAK";
const char WininitSection[] = "rename";
// A [rename] line whose key is NUL deletes the file named by its value.
const char WininitDeleteKey[] = "NUL";

} // namespace

Machine::Machine(Preset preset) : m_bootTime(DefaultBootTime) {
    files.now = [this] { return Now(); };
    files.AddDrive('C');
    ApplyPreset(preset);
}

void Machine::ApplyPreset(Preset preset) {
    bool nt = preset == Preset::WindowsNT4 || preset == Preset::Windows2000;
    version = Version();
    version.platformId = nt ? os::VER_PLATFORM_WIN32_NT : os::VER_PLATFORM_WIN32_WINDOWS;
    switch (preset) {
    case Preset::Windows95:
        version.major = 4, version.minor = 0, version.build = 950;
        break;
    case Preset::Windows95Osr2:
        version.major = 4, version.minor = 0, version.build = 1111, version.csdVersion = " B";
        break;
    case Preset::Windows98:
        version.major = 4, version.minor = 10, version.build = 1998;
        break;
    case Preset::Windows98SE:
        version.major = 4, version.minor = 10, version.build = 2222, version.csdVersion = " A";
        break;
    case Preset::WindowsMe:
        version.major = 4, version.minor = 90, version.build = 3000;
        break;
    case Preset::WindowsNT4:
        version.major = 4, version.minor = 0, version.build = 1381;
        version.csdVersion = "Service Pack 6";
        break;
    case Preset::Windows2000:
        version.major = 5, version.minor = 0, version.build = 2195;
        break;
    }
    windowsDirectory = nt ? WindowsNtDirectory : Windows9xDirectory;
    systemDirectory = nt ? WindowsNtSystemDirectory : Windows9xSystemDirectory;
    hasGetDiskFreeSpaceEx = preset != Preset::Windows95;
    registry.ntDeleteRule = nt;
    files.AddDirectory(windowsDirectory);
    files.AddDirectory(systemDirectory);
    files.AddDirectory(windowsDirectory + "\\" + InfDirectoryName);
}

FileTime Machine::Now() const { return m_bootTime + m_ticks * FileTimeTicksPerMillisecond; }

void Machine::SetNow(FileTime now) { m_bootTime = now - m_ticks * FileTimeTicksPerMillisecond; }

bool Machine::IsNtFamily() const { return version.platformId == os::VER_PLATFORM_WIN32_NT; }

void Machine::Record(const std::string& what, const std::string& detail) {
    if (!m_programActing)
        journal.Record(what, detail);
}

Path Machine::CurrentPath() const {
    Path current;
    if (!ResolvePath(currentDirectory, Path(), &current))
        current = Path();
    return current;
}

bool Machine::ResolveForCall(const char* input, Path* result, os::LONG* error) const {
    if (!input || !ResolvePath(input, CurrentPath(), result)) {
        *error = input && *input ? ErrorInvalidName : os::ERROR_PATH_NOT_FOUND;
        return false;
    }
    // Windows 95/98 refuse a path that does not fit MAX_PATH with "path not found".
    if (result->Text().size() >= MaxPath) {
        *error = os::ERROR_PATH_NOT_FOUND;
        return false;
    }
    return true;
}

bool Machine::ResolveProfile(const char* file, Path* result, os::LONG* error) const {
    std::string name = file ? file : "";
    if (!name.empty() && name.find_first_of("\\/:") == std::string::npos)
        name = windowsDirectory + "\\" + name;
    return ResolveForCall(name.c_str(), result, error);
}

bool Machine::Fails(const char* operation, const std::string& subject, os::LONG defaultError) {
    os::LONG error = 0;
    if (!faults.ShouldFail(operation, subject, defaultError, &error))
        return false;
    lastError = static_cast<os::DWORD>(error);
    return true;
}

os::LONG Machine::WriteProfile(const char* section, const char* key, const char* value,
                               const char* file, const std::string& by) {
    Path path;
    os::LONG error;
    if (!ResolveProfile(file, &path, &error))
        return error;
    std::string text;
    error = files.ReadWhole(path, &text);
    if (error && error != os::ERROR_FILE_NOT_FOUND)
        return error;
    std::string what = path.Text() + " [" + (section ? section : "") + "]";
    std::string edited;
    if (!section) {
        return os::ERROR_SUCCESS; // Windows only flushes its cache for this call
    } else if (!key) {
        edited = profile::DeleteSection(text, section);
        what += " deleted";
    } else if (!value) {
        edited = profile::DeleteKey(text, section, key);
        what += std::string(" ") + key + " deleted";
    } else {
        edited = profile::Write(text, section, key, value);
        what += std::string(" ") + key + "=" + value;
    }
    bool exists = error == os::ERROR_SUCCESS;
    if (!exists && (!key || !value))
        return os::ERROR_SUCCESS; // nothing to delete
    if (exists && (files.Find(path)->attributes & AttrReadOnly))
        return os::ERROR_ACCESS_DENIED;
    // A write that changes nothing leaves the file as it is, but is still a write the
    // program made.
    if ((edited != text || !exists) && (error = files.WriteWhole(path, edited)))
        return error;
    if (by.empty())
        Record("profile", what);
    else
        journal.Record("program", by + ": profile " + what);
    return os::ERROR_SUCCESS;
}

void Machine::RequestRestart(os::UINT flags) {
    ++m_restartRequests;
    char detail[32];
    snprintf(detail, sizeof detail, "flags 0x%08X", flags);
    Record("restart requested", detail);
}

// ---- Restart ----

// At its start Windows 95/98 run WININIT.EXE before the protected-mode system loads: each
// line of WININIT.INI's [rename] section, in file order, renames the file named on the
// right to the name on the left (replacing a file of that name); NUL on the left deletes
// the file. Afterwards the file is renamed to WININIT.BAK. Windows NT does not read it.
void Machine::CarryOutWininit() {
    Path wininit = AbsolutePath(windowsDirectory + "\\" + WininitFile);
    std::string text;
    if (files.ReadWhole(wininit, &text))
        return;
    for (const auto& entry : profile::SectionEntries(text, WininitSection)) {
        Path source, target;
        bool deletes = SameName(entry.first, WininitDeleteKey);
        if (!ResolvePath(entry.second, Path(), &source) ||
            (!deletes && !ResolvePath(entry.first, Path(), &target))) {
            journal.Record("wininit", "cannot read " + entry.first + "=" + entry.second);
            continue;
        }
        std::shared_ptr<FileNode> node = files.Find(source);
        if (node)
            node->attributes &= ~AttrReadOnly; // real-mode WININIT is not stopped by it
        os::LONG error = deletes ? files.Delete(source) : files.Rename(source, target);
        if (deletes)
            journal.Record("wininit", error ? "cannot delete " + source.Text()
                                            : "deleted " + source.Text());
        else
            journal.Record("wininit", (error ? "cannot rename " : "renamed ") + source.Text() +
                                          " -> " + target.Text());
    }
    Path backup = AbsolutePath(windowsDirectory + "\\" + WininitBackup);
    files.Rename(wininit, backup);
    journal.Record("wininit", wininit.Text() + " -> " + backup.Text());
}

void Machine::Restart() {
    journal.Record("restart", "Windows starts again");
    for (Process& process : m_processes)
        if (process.running)
            EndProcess(process, 0);
    if (!IsNtFamily())
        CarryOutWininit();
    m_bootTime = Now();
    m_ticks = 0;
}

// ---- Searches ----

uintptr_t Machine::AddSearch(Search search) {
    uintptr_t handle = m_nextSearch++;
    m_searches[handle] = std::move(search);
    return handle;
}

Machine::Search* Machine::FindSearch(uintptr_t handle) {
    auto it = m_searches.find(handle);
    return it == m_searches.end() ? nullptr : &it->second;
}

bool Machine::CloseSearch(uintptr_t handle) { return m_searches.erase(handle) != 0; }

// ---- The current machine ----

Machine& Current() {
    if (!g_current)
        throw std::logic_error("no simulated machine is current (use sim::MachineScope)");
    return *g_current;
}

MachineScope::MachineScope(Machine& machine) : m_previous(g_current) { g_current = &machine; }

MachineScope::~MachineScope() { g_current = m_previous; }

} // namespace sim
