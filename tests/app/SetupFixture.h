// A simulated machine started from the root of an installation tree on drive D, for the
// tests of start-up and the dialogs.
#pragma once

#include <string>

#include "platform/framework/AppMain.h"
#include "platform/framework/WinApp.h"
#include "platform/sim/Machine.h"
#include "platform/sim/ProcessExit.h"
#include "platform/sim/Program.h"

namespace setupfixture {

const char* const Root = "D:\\";
const char* const Win9xAppSetup = "W95-98\\app\\Setup.exe";
const char* const NtAppSetup = "NT40\\app\\Setup.exe";
const char* const SetupCaption = "PCI Audio Device Driver And Applications Setup Program";
const char* const UpdateCaption = "PCI Audio Device Driver Setup Program for Windows 95/98";
const char* const FilesMissing = "Setup: Can not find installation files.";

// The systems the tests run on, "other" being a system of neither family (Win32s).
enum class System { Windows95, Windows98, WindowsNT, Other };

inline const char* Name(System system) {
    switch (system) {
    case System::Windows95:
        return "Windows 95";
    case System::Windows98:
        return "Windows 98";
    case System::WindowsNT:
        return "Windows NT";
    default:
        return "other";
    }
}

inline void SetSystem(sim::Machine& machine, System system) {
    switch (system) {
    case System::Windows95:
        machine.ApplyPreset(sim::Preset::Windows95);
        break;
    case System::Windows98:
        machine.ApplyPreset(sim::Preset::Windows98);
        break;
    case System::WindowsNT:
        machine.ApplyPreset(sim::Preset::WindowsNT4);
        break;
    case System::Other:
        machine.ApplyPreset(sim::Preset::Windows98);
        machine.version.platformId = 0; // VER_PLATFORM_WIN32s
        break;
    }
}

// The machine started from root (a directory ending in a backslash) with the applications'
// setup programs the flags ask for.
inline void AddTree(sim::Machine& machine, bool win9xApps = true, bool ntApps = true,
                    const std::string& root = Root) {
    if (!machine.files.FindDrive(root[0]))
        machine.files.AddDrive(root[0]);
    machine.files.AddDirectory(root);
    if (win9xApps)
        machine.files.AddFile(root + Win9xAppSetup, "MZ");
    if (ntApps)
        machine.files.AddFile(root + NtAppSetup, "MZ");
    // The current directory as Windows reports it: a drive root keeps its backslash.
    machine.currentDirectory = root.size() > 3 ? root.substr(0, root.size() - 1) : root;
}

inline void WriteSetupIni(sim::Machine& machine, const std::string& text,
                          const std::string& root = Root) {
    machine.files.AddFile(root + "Setup.ini", text);
}

// Runs a dialog object of the program modally as start-up does (the application's main
// window, no parent) until it ends or its process ends; the exit code when the process
// ended, -1 when the dialog returned.
template <typename Dialog>
int RunDialog(sim::Machine& machine, Dialog& dialog, sim::UiScript script) {
    sim::MachineScope scope(machine);
    machine.windows.StartProcess();
    machine.windows.SetScript(std::move(script));
    ResetApplicationState();
    GetApp()->m_pMainWnd = &dialog;
    int exitCode = -1;
    try {
        dialog.DoModal();
    } catch (const sim::ProcessExit& exit) {
        exitCode = exit.code;
    }
    ResetApplicationState();
    return exitCode;
}

} // namespace setupfixture
