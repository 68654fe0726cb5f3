#include "tests/reliability/ReliabilityMachine.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/framework/AppMain.h"
#include "platform/sim/ProcessExit.h"
#include "platform/sim/WindowManager.h"

namespace reliability {

namespace {

namespace fs = std::filesystem;

const std::string Examples = std::string(SOURCE_ROOT) + "/examples";

const char* const UninstallKey =
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZOD Oriva Vovazivevadi";
const char* const Uninstaller = "C:\\Program Files\\ZOD\\Uninst.exe";
// Programs that show their window at once, run a while and end.
const char* const UninstallerBehaviour = "idle 0\nat 400 exit\n";
const char* const AppSetupBehaviour = "idle 0\nat 300 exit\n";

std::string ReadHostFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The host files of the example tree, read once: (path below the tree, contents).
using HostFiles = std::vector<std::pair<std::string, std::string>>;

void Collect(const fs::path& folder, const std::string& prefix, HostFiles* files) {
    std::vector<fs::path> entries;
    for (const auto& entry : fs::directory_iterator(folder))
        entries.push_back(entry.path());
    std::sort(entries.begin(), entries.end());
    for (const fs::path& entry : entries) {
        const std::string name = prefix + entry.filename().string();
        if (fs::is_directory(entry))
            Collect(entry, name + "\\", files);
        else
            files->emplace_back(name, ReadHostFile(entry));
    }
}

const HostFiles& ExampleTree() {
    static const HostFiles files = [] {
        HostFiles collected;
        Collect(Examples + "/tree", "", &collected);
        return collected;
    }();
    return files;
}

// The example tree's Windows driver directory as a flat update package: its files in the
// package directory itself, its "026\" below it.
void AddUpdatePackage(sim::Machine& machine) {
    const std::string driverDir = "W95-98\\drv\\";
    machine.files.AddDirectory(UpdateDir);
    machine.files.AddFile(std::string(UpdateDir) + "\\Setup.exe", "MZ");
    for (const auto& file : ExampleTree())
        if (file.first.compare(0, driverDir.size(), driverDir) == 0)
            machine.files.AddFile(std::string(UpdateDir) + "\\" + file.first.substr(driverDir.size()),
                                  file.second);
}

} // namespace

const std::vector<InstallPath>& InstallPaths() {
    static const std::vector<InstallPath> paths = {
        {"unattended (/DRIVER)", TreeDir, "D:\\ORVANE\\SETUP.EXE /DRIVER", "", "", true},
        {"full setup, driver", TreeDir, "D:\\ORVANE\\SETUP.EXE", "", "click 1001; click 1", true},
        {"full setup, applications", TreeDir, "D:\\ORVANE\\SETUP.EXE", "", "click 1002; click 1",
         false},
        {"full setup, driver and applications", TreeDir, "D:\\ORVANE\\SETUP.EXE", "", "click 1",
         true},
        {"driver update, FullPackage 0", UpdateDir, "D:\\UPDATE\\SETUP.EXE",
         "[InstallOption]\r\nWebSetup=1\r\nFullPackage=0\r\n",
         "click 1000; click 1001; click 1002; click 1", true},
        {"driver update, FullPackage 1", UpdateDir, "D:\\UPDATE\\SETUP.EXE",
         "[InstallOption]\r\nWebSetup=1\r\nFullPackage=1\r\n",
         "click 1000; click 1001; click 1002; click 1", true},
    };
    return paths;
}

void SeedMachine(sim::Machine& machine) {
    machine.Load(Examples + "/machine");
    machine.files.AddDrive('D');
    machine.files.AddDirectory(TreeDir);
    for (const auto& file : ExampleTree())
        machine.files.AddFile(std::string(TreeDir) + "\\" + file.first, file.second);
    machine.files.AddFile(std::string(TreeDir) + "\\W95-98\\app\\Setup.exe.behaviour",
                          AppSetupBehaviour);
    AddUpdatePackage(machine);

    machine.registry.SetString(UninstallKey, "UninstallString", Uninstaller);
    machine.files.AddFile(Uninstaller, "MZ");
    machine.files.AddFile(std::string(Uninstaller) + ".behaviour", UninstallerBehaviour);
    machine.windows.CreateTopLevelWindow("Levels");
}

Run RunPath(sim::Machine& machine, const InstallPath& path) {
    if (!path.setupIni.empty())
        machine.files.AddFile(path.startDir + "\\Setup.ini", path.setupIni);
    machine.currentDirectory = path.startDir;

    sim::MachineScope scope(machine);
    machine.commandLine = path.commandLine;
    machine.windows.StartProcess();
    machine.windows.SetScript(sim::ParseUiScript(path.script));
    Run run;
    try {
        run.exitCode = AppMain();
    } catch (const sim::ProcessExit& exit) {
        run.exitCode = exit.code;
    } catch (const std::exception& error) {
        run.error = error.what();
    }
    ResetApplicationState();
    run.scriptLeft = !machine.windows.Script().Empty();
    return run;
}

} // namespace reliability
