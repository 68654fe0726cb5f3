// Start-up: the mode that the command line and Setup.ini select, the Windows version test,
// and the exit code of the dialog modes.
#include <gtest/gtest.h>

#include <string>

#include "app/SetupApp.h"
#include "app/WindowsFamily.h"
#include "res/resource.h"
#include "tests/app/SetupFixture.h"
#include "tests/staging/TreeFixture.h"

namespace {

using namespace setupfixture;
namespace ui = sim::ui;

enum Mode { Unattended, FullSetup, DriverUpdate };

const char* ModeName(Mode mode) {
    return mode == Unattended ? "unattended" : mode == FullSetup ? "full setup" : "driver update";
}

struct ModeCase {
    const char* commandLine;
    const char* setupIni; // nullptr: no Setup.ini
    Mode mode;
};

const ModeCase ModeCases[] = {
    // The three words, whole, in any letter case, after blanks and tabs.
    {"SETUP.EXE /DRIVER", nullptr, Unattended},
    {"SETUP.EXE /driver", nullptr, Unattended},
    {"SETUP.EXE DrIvEr", nullptr, Unattended},
    {"SETUP.EXE -Driver", nullptr, Unattended},
    {"SETUP.EXE \t \t/DRIVER", nullptr, Unattended},
    {"\"D:\\SETUP.EXE\" /DRIVER", nullptr, Unattended},
    {"\"D:\\CD ROM\\SETUP.EXE\" -driver", nullptr, Unattended},
    {"D:\\SETUP.EXE\t-DRIVER", nullptr, Unattended},
    // Anything else leaves the choice to Setup.ini.
    {"SETUP.EXE /DRIVER ", nullptr, FullSetup}, // a trailing blank
    {"SETUP.EXE /DRIVER X", nullptr, FullSetup},
    {"SETUP.EXE DRIVERS", nullptr, FullSetup},
    {"SETUP.EXE /D", nullptr, FullSetup},
    {"SETUP.EXE --DRIVER", nullptr, FullSetup},
    {"SETUP.EXE /DRIVER/", nullptr, FullSetup},
    {"SETUP.EXE", nullptr, FullSetup},
    {"SETUP.EXE DRIVERS", "[InstallOption]\r\nWebSetup=1\r\n", DriverUpdate},
    // Setup.ini's table.
    {"SETUP.EXE", "[InstallOption]\r\nDriverOnly=1\r\n", Unattended},
    {"SETUP.EXE", "[InstallOption]\r\nDriverOnly=2\r\n", Unattended},
    {"SETUP.EXE", "[InstallOption]\r\nDriverOnly=1\r\nWebSetup=1\r\n", Unattended},
    {"SETUP.EXE", "[InstallOption]\r\nWebSetup=1\r\n", DriverUpdate},
    {"SETUP.EXE", "[InstallOption]\r\nDriverOnly=0\r\nWebSetup=5\r\n", DriverUpdate},
    {"SETUP.EXE", "[InstallOption]\r\nDriverOnly=0\r\nWebSetup=0\r\n", FullSetup},
    {"SETUP.EXE", "[InstallOption]\r\nDriverOnly=yes\r\nWebSetup=yes\r\n", FullSetup},
    {"SETUP.EXE", "[Other]\r\nDriverOnly=1\r\nWebSetup=1\r\n", FullSetup},
    {"SETUP.EXE -DRIVER", "[InstallOption]\r\nWebSetup=1\r\n", Unattended},
};

// On Windows NT the unattended installation ends at once, silently: the mode shows as a run
// with no dialog and no message. Each dialog mode shows its dialog, which is cancelled.
TEST(ModeSelection, TheCommandLineAndSetupIniSelectTheMode) {
    for (const ModeCase& c : ModeCases) {
        SCOPED_TRACE(std::string("command line \"") + c.commandLine + "\", Setup.ini " +
                     (c.setupIni ? c.setupIni : "missing"));
        sim::Machine machine(sim::Preset::WindowsNT4);
        AddTree(machine);
        if (c.setupIni)
            WriteSetupIni(machine, c.setupIni);
        sim::UiScript script;
        if (c.mode != Unattended)
            script.Add(ui::Escape());
        int exitCode = -1;
        try {
            exitCode = sim::RunProgram(machine, c.commandLine, std::move(script));
        } catch (const std::exception& e) {
            ADD_FAILURE() << "expected " << ModeName(c.mode) << ": " << e.what();
            continue;
        }
        EXPECT_EQ(0, exitCode);
        const auto& shown = machine.windows.ShownDialogs();
        if (c.mode == Unattended) {
            EXPECT_TRUE(shown.empty());
        } else {
            ASSERT_EQ(1u, shown.size());
            EXPECT_EQ(c.mode == FullSetup ? IDD_SETUP : IDD_DRIVER_UPDATE, shown[0].templateId);
        }
        EXPECT_TRUE(machine.journal.Entries().empty()) << machine.journal.Print();
    }
}

TEST(ModeSelection, TheUnattendedModeInstallsTheDriverFromTheStartDirectory) {
    sim::Machine machine(sim::Preset::Windows98);
    machine.files.AddDrive('D');
    treefixture::AddFullTree(machine, "D:\\");
    machine.currentDirectory = "D:\\";
    EXPECT_EQ(0, sim::RunProgram(machine, "D:\\SETUP.EXE /Driver"));
    EXPECT_TRUE(machine.windows.ShownDialogs().empty());
    EXPECT_EQ(1, machine.RestartRequests());
    ASSERT_EQ(1u, machine.windows.MessageBoxes().size());
    EXPECT_EQ(nullptr, machine.windows.MessageBoxes()[0].owner);
    EXPECT_EQ("Setup completed! The system will restart now!",
              machine.windows.MessageBoxes()[0].text);
    EXPECT_TRUE(machine.files.Exists("C:\\Orvane"));
}

TEST(ModeSelection, TheUnattendedModeRefusesAnIncompleteTreeWithoutAnOwner) {
    sim::Machine machine(sim::Preset::Windows95);
    AddTree(machine, /*win9xApps=*/false, /*ntApps=*/true);
    WriteSetupIni(machine, "[InstallOption]\r\nDriverOnly=1\r\n");
    EXPECT_EQ(0, sim::RunProgram(machine, "SETUP.EXE"));
    EXPECT_EQ(std::string("message: ") + FilesMissing + "\n", machine.journal.Print());
    ASSERT_EQ(1u, machine.windows.MessageBoxes().size());
    EXPECT_EQ(nullptr, machine.windows.MessageBoxes()[0].owner);
    EXPECT_TRUE(machine.windows.ShownDialogs().empty());
}

TEST(ModeSelection, IsDriverOnlyCommandComparesTheWholeText) {
    EXPECT_TRUE(IsDriverOnlyCommand("/DRIVER"));
    EXPECT_TRUE(IsDriverOnlyCommand("DRIVER"));
    EXPECT_TRUE(IsDriverOnlyCommand("-DRIVER"));
    EXPECT_FALSE(IsDriverOnlyCommand("/driver")); // the text is upper-cased before
    EXPECT_FALSE(IsDriverOnlyCommand(""));
    EXPECT_FALSE(IsDriverOnlyCommand(CString("DRIVER\0X", 8)));
}

struct VersionCase {
    os::DWORD platformId;
    os::DWORD major;
    os::DWORD minor;
    WindowsFamily family;
};

TEST(WindowsVersionTest, PlatformAndMinorVersionGiveTheFamily) {
    const VersionCase cases[] = {
        {1, 4, 0, Windows95},  {1, 4, 10, Windows98},    {1, 4, 90, Windows98},
        {1, 5, 0, Windows95}, // the major version is not looked at
        {2, 4, 0, WindowsNT},  {2, 5, 0, WindowsNT},     {2, 5, 1, WindowsNT},
        {2, 3, 51, WindowsNT}, {0, 3, 10, WindowsOther}, {3, 4, 0, WindowsOther},
    };
    for (const VersionCase& c : cases) {
        sim::Machine machine;
        sim::MachineScope scope(machine);
        machine.version.platformId = c.platformId;
        machine.version.major = c.major;
        machine.version.minor = c.minor;
        EXPECT_EQ(c.family, GetWindowsFamily())
            << "platform " << c.platformId << " version " << c.major << "." << c.minor;
    }
}

} // namespace
