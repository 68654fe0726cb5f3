// The setup dialog's OK on the simulated machine: a Windows 98 machine with the full
// installation tree at D:\SETUP\, simulated applications' setup programs, uninstallers and
// companion applications, and a run of the dialog that reports how it ended.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/WinDefs.h"
#include "platform/Window.h"
#include "platform/framework/WinApp.h"
#include "platform/sim/Machine.h"
#include "platform/sim/Paths.h"
#include "platform/sim/ProcessExit.h"
#include "res/resource.h"
#include "setupdlg/SetupDlg.h"
#include "tests/staging/TreeFixture.h"

namespace fullinstall {

const char* const Tree = "D:\\SETUP\\";
const char* const AppSetup = "D:\\SETUP\\W95-98\\app\\Setup.exe";
const char* const HandshakeFile = "C:\\WINDOWS\\TXASETUP.INI";

const char* const NewAppsKey =
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZOD Oriva Vovazivevadi";
const char* const OldAppsKey =
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VED Izada ZevEZ Uzodarirozud";
const char* const Uninstaller = "C:\\Program Files\\ZOD\\Uninst.exe";
const char* const OldUninstaller = "C:\\VED\\Remove.exe";
const char* const LevelsProgram = "C:\\Program Files\\ZOD\\Levels.exe";

const char* const Completed = "Setup: Setup completed! The system will restart now!";
const char* const AppSetupMissing = "Setup: Can not find the ZOD Oriva Vovazivevadi setup program.";

// The applications' setup programs. Each waits for input from its start, so WaitForInputIdle
// returns at once for it, as for every program that shows its window.
// Runs 300 ms and leaves the handshake alone.
const char* const QuickSetup = "idle 0\nat 300 exit\n";
// Runs 300 ms and starts Levels, whose window is open when the sequence looks for it.
const char* const SetupStartingLevels =
    "idle 0\nat 100 start C:\\Program Files\\ZOD\\Levels.exe\nat 300 exit\n";
const char* const LevelsBehaviour = "idle 0\nat 0 window Levels\n";
// An uninstaller that records its command line and directory and runs 2 s.
const char* const RecordingUninstaller = "idle 0\nat 10 record C:\\UNINST.TXT\nat 2000 exit\n";

// How a press of OK ended.
struct Outcome {
    std::string ending; // "IDOK", "IDCANCEL" (the dialog ended), or "exit N" (the process)
    uint64_t at = 0;    // the clock when it ended, ms
};

// A program file with the behaviour file beside it.
inline void AddProgram(sim::Machine& machine, const std::string& path,
                       const std::string& behaviour) {
    machine.files.AddFile(path, "program");
    machine.files.AddFile(path + ".behaviour", behaviour);
}

// A Windows 95/98 machine with the full tree at D:\SETUP\ (the current directory), its
// applications' setup program running QuickSetup, and the Levels program.
inline void SeedMachine(sim::Machine& machine) {
    machine.files.AddDrive('D');
    machine.currentDirectory = "D:\\SETUP";
    treefixture::AddFullTree(machine, Tree);
    AddProgram(machine, AppSetup, QuickSetup);
    AddProgram(machine, LevelsProgram, LevelsBehaviour);
}

// Runs the setup dialog on machine (the current one) as the program does, sets the two
// boxes, runs beforeOk with the dialog on screen and presses OK. The clock at the press
// goes to *okPressedAt when given.
inline Outcome PressOk(sim::Machine& machine, bool apps, bool driver,
                       std::function<void()> beforeOk = {}, uint64_t* okPressedAt = nullptr) {
    machine.windows.StartProcess();
    CSetupDlg dialog;
    GetApp()->m_pMainWnd = &dialog;
    machine.windows.SetScript(sim::UiScript{
        sim::ui::Inspect([&](const sim::DialogState& shown) {
            // Set without a click, so that OK stays enabled even with neither box.
            os::SendMessageA(shown.Control(IDC_INSTALL_APPS).handle, os::BM_SETCHECK,
                             apps ? os::BST_CHECKED : os::BST_UNCHECKED, 0);
            os::SendMessageA(shown.Control(IDC_INSTALL_DRIVER).handle, os::BM_SETCHECK,
                             driver ? os::BST_CHECKED : os::BST_UNCHECKED, 0);
            if (okPressedAt)
                *okPressedAt = machine.TickCount();
            if (beforeOk)
                beforeOk();
        }),
        sim::ui::Click(os::IDOK)});
    Outcome outcome;
    try {
        const os::INT_PTR result = dialog.DoModal();
        outcome.ending = result == os::IDOK       ? "IDOK"
                         : result == os::IDCANCEL ? "IDCANCEL"
                                                  : "result " + std::to_string(result);
    } catch (const sim::ProcessExit& exit) {
        outcome.ending = "exit " + std::to_string(exit.code);
    }
    outcome.at = machine.TickCount();
    GetApp()->m_pMainWnd = nullptr;
    EXPECT_TRUE(machine.windows.Script().Empty()) << "UI actions left";
    return outcome;
}

class FullInstallTest : public ::testing::Test {
protected:
    FullInstallTest() : scope(machine) { SeedMachine(machine); }
    ~FullInstallTest() override { GetApp()->m_pMainWnd = nullptr; }

    void Program(const std::string& path, const std::string& behaviour) {
        AddProgram(machine, path, behaviour);
    }

    void AddUninstallKey(const char* key, const std::string& uninstallString) {
        machine.registry.SetString(key, "UninstallString", uninstallString);
    }

    Outcome PressOk(bool apps, bool driver, std::function<void()> beforeOk = {}) {
        return fullinstall::PressOk(machine, apps, driver, std::move(beforeOk), &okPressedAt);
    }

    // The processes started from program (full path), in start order.
    std::vector<const sim::Process*> Started(const std::string& program) const {
        std::vector<const sim::Process*> found;
        for (const sim::Process& process : machine.Processes())
            if (sim::SameName(process.program, program))
                found.push_back(&process);
        return found;
    }

    std::vector<std::string> Details(const std::string& what) const {
        return treefixture::Details(machine.journal, what);
    }

    // Every poll (WaitForInputIdle, GetExitCodeProcess) went to a process that exists.
    bool PolledOnlyRealProcesses() const {
        uint64_t perProcess = 0;
        for (const sim::Process& process : machine.Processes())
            perProcess += process.waitForInputIdleCalls + process.exitCodeQueries;
        return perProcess == machine.Polls();
    }

    sim::Machine machine;
    sim::MachineScope scope;
    uint64_t okPressedAt = 0;
};

} // namespace fullinstall
