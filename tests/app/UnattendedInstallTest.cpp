// The unattended driver installation on the simulated machine: the whole run from the
// installation tree to the restart request, the runs that end early, and the runs whose
// staging fails.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Finish.h"
#include "app/UnattendedInstall.h"
#include "platform/Profile.h"
#include "platform/WinDefs.h"
#include "platform/sim/Machine.h"
#include "platform/sim/ProcessExit.h"
#include "tests/staging/TreeFixture.h"

using treefixture::Changes;
using treefixture::Details;

namespace {

const char* const Tree = "D:\\SETUP\\";
const char* const Completed = "Setup: Setup completed! The system will restart now!";
const char* const FilesMissing = "Setup: Can not find installation files.";

class UnattendedInstallTest : public ::testing::Test {
protected:
    explicit UnattendedInstallTest(sim::Preset preset = sim::Preset::Windows98)
        : machine(preset), scope(machine) {
        machine.files.AddDrive('D');
        machine.currentDirectory = "D:\\SETUP";
    }

    // Runs the installation to the end of its process; the exit code.
    int Run(const std::string& sourceDir = Tree) {
        try {
            InstallDriverUnattended(sourceDir.c_str());
        } catch (const sim::ProcessExit& exit) {
            return exit.code;
        }
        ADD_FAILURE() << "InstallDriverUnattended returned";
        return -1;
    }

    std::vector<std::string> Messages() const { return Details(machine.journal, "message"); }

    bool PreviousDriverIsThere() const {
        return machine.registry.KeyExists(treefixture::PreviousInstanceKey) &&
               machine.registry.KeyExists(treefixture::PreviousPciKey) &&
               machine.files.Exists(treefixture::PreviousInf);
    }

    sim::Machine machine;
    sim::MachineScope scope;
};

TEST_F(UnattendedInstallTest, RemovesThePreviousDriverStagesTheNewOneAndRestarts) {
    treefixture::AddPreviousInstallation(machine);
    treefixture::AddFullTree(machine, Tree);

    EXPECT_EQ(Run(), ExitSuccess);

    // The previous driver is gone; another vendor's instance stays.
    EXPECT_FALSE(machine.registry.KeyExists(treefixture::PreviousInstanceKey));
    EXPECT_FALSE(machine.registry.KeyExists(treefixture::PreviousPciKey));
    EXPECT_FALSE(machine.registry.KeyExists("HKCR\\Spatial"));
    EXPECT_TRUE(machine.registry.KeyExists(treefixture::OtherInstanceKey));
    EXPECT_FALSE(machine.files.Exists(treefixture::PreviousInf));
    EXPECT_EQ(std::string(os::GetPrivateProfileStringA("rename", "C:\\WINDOWS\\SYSTEM\\SNDCORE.OLD",
                                                       "", "WININIT.INI")),
              "C:\\WINDOWS\\SYSTEM\\SNDCORE.VXD");
    EXPECT_EQ(std::string(os::GetPrivateProfileStringA("windows", "run", "?", "WIN.INI")), "");
    // The new driver is staged; INF\OTHER exists, so the INF copies went there.
    EXPECT_TRUE(machine.files.Exists("C:\\Orvane\\DOS\\DOSAPP\\ORVMIX.EXE"));
    EXPECT_TRUE(machine.files.Exists("C:\\Orvane\\W95-98\\026\\BANK026.DAT"));
    EXPECT_EQ(std::string(os::GetPrivateProfileStringA("SourceDisksNames", "1", "",
                                                       "C:\\WINDOWS\\INF\\OTHER\\ORVANE.INF")),
              treefixture::RewrittenSourceDisk);
    // One message without owner, confirmed before the restart is requested, under the
    // hourglass.
    EXPECT_EQ(Messages(), std::vector<std::string>{Completed});
    ASSERT_EQ(machine.windows.MessageBoxes().size(), 1u);
    EXPECT_EQ(machine.windows.MessageBoxes()[0].owner, nullptr);
    const auto& entries = machine.journal.Entries();
    ASSERT_GE(entries.size(), 2u);
    EXPECT_EQ(entries[entries.size() - 2].what, "message");
    EXPECT_EQ(entries.back().what, "restart requested");
    EXPECT_EQ(machine.RestartRequests(), 1);
    EXPECT_EQ(machine.windows.Cursor(), sim::WindowManager::SystemCursor(os::IDC_WAIT));
}

// Runs that end before anything changes. The tree is tested before the previous driver is
// removed: a machine with a wrong tree keeps its working driver.
struct EarlyEnd {
    const char* name;
    sim::Preset preset;
    os::DWORD platformId; // 0: the preset's
    bool withAppSetup;
    std::vector<std::string> messages;
};

class UnattendedEarlyEndTest : public ::testing::TestWithParam<EarlyEnd> {};

TEST_P(UnattendedEarlyEndTest, ChangesNothing) {
    const EarlyEnd& c = GetParam();
    sim::Machine machine(c.preset);
    sim::MachineScope scope(machine);
    if (c.platformId)
        machine.version.platformId = c.platformId;
    machine.files.AddDrive('D');
    treefixture::AddPreviousInstallation(machine);
    treefixture::AddFullTree(machine, Tree);
    if (!c.withAppSetup)
        machine.files.Remove("D:\\SETUP\\W95-98\\app\\Setup.exe");

    int code = -1;
    try {
        InstallDriverUnattended(Tree);
    } catch (const sim::ProcessExit& exit) {
        code = exit.code;
    }

    EXPECT_EQ(code, ExitSuccess);
    EXPECT_EQ(Details(machine.journal, "message"), c.messages);
    EXPECT_EQ(Changes(machine.journal), std::vector<std::string>());
    EXPECT_TRUE(machine.registry.KeyExists(treefixture::PreviousPciKey));
    EXPECT_TRUE(machine.files.Exists(treefixture::PreviousInf));
    EXPECT_EQ(machine.RestartRequests(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnattendedEarlyEndTest,
    ::testing::Values(EarlyEnd{"WindowsNT", sim::Preset::WindowsNT4, 0, true, {}},
                      EarlyEnd{"Windows2000", sim::Preset::Windows2000, 0, true, {}},
                      EarlyEnd{"TreeWithoutAppSetup", sim::Preset::Windows98, 0, false,
                               {FilesMissing}},
                      EarlyEnd{"TreeWithoutAppSetup95", sim::Preset::Windows95, 0, false,
                               {FilesMissing}},
                      // Platform id 0 (Win32s): the presence test names SourceDir itself.
                      EarlyEnd{"OtherFamily", sim::Preset::Windows98, 3, true, {FilesMissing}}),
    [](const ::testing::TestParamInfo<EarlyEnd>& info) { return std::string(info.param.name); });

TEST_F(UnattendedInstallTest, TreeWithoutDriverDirectoryStagesTheDosFilesAndRestarts) {
    treefixture::AddPreviousInstallation(machine);
    treefixture::AddFullTree(machine, Tree);
    machine.files.Remove("D:\\SETUP\\W95-98\\drv");

    EXPECT_EQ(Run(), ExitSuccess);

    EXPECT_FALSE(machine.registry.KeyExists(treefixture::PreviousPciKey));
    EXPECT_TRUE(machine.files.Exists("C:\\Orvane\\DOS\\ORVDOS.SYS"));
    EXPECT_TRUE(machine.files.IsDirectory("C:\\Orvane\\W95-98\\026"));
    EXPECT_FALSE(machine.files.Exists("C:\\WINDOWS\\INF\\OTHER\\ORVANE.INF"));
    EXPECT_EQ(Messages(), std::vector<std::string>{Completed});
    EXPECT_EQ(machine.RestartRequests(), 1);
}

TEST_F(UnattendedInstallTest, AnEmptyAppSetupPassesThePresenceTest) {
    treefixture::AddFullTree(machine, Tree);
    machine.files.AddFile("D:\\SETUP\\W95-98\\app\\Setup.exe", "");
    EXPECT_EQ(Run(), ExitSuccess);
    EXPECT_EQ(machine.RestartRequests(), 1);
}

TEST_F(UnattendedInstallTest, AFailedRegistryDeletionDoesNotStopTheInstallation) {
    treefixture::AddPreviousInstallation(machine);
    treefixture::AddFullTree(machine, Tree);
    machine.faults.Fail("RegDeleteKeyA", "*Enum\\PCI\\*");

    EXPECT_EQ(Run(), ExitSuccess);

    EXPECT_TRUE(machine.registry.KeyExists(treefixture::PreviousPciKey));
    EXPECT_TRUE(machine.files.Exists("C:\\Orvane\\W95-98\\SNDCORE.VXD"));
    EXPECT_EQ(Messages(), std::vector<std::string>{Completed});
    EXPECT_EQ(machine.RestartRequests(), 1);
}

// A copy that fails is told, names the file, ends with ExitFailure and asks for no restart.
struct CopyFault {
    const char* name;
    const char* destinationPattern;
    os::LONG error;
    const char* namedSource;
};

class UnattendedCopyFailureTest : public UnattendedInstallTest,
                                  public ::testing::WithParamInterface<CopyFault> {};

TEST_P(UnattendedCopyFailureTest, IsReportedAndNoRestartIsRequested) {
    const CopyFault& c = GetParam();
    treefixture::AddPreviousInstallation(machine);
    treefixture::AddFullTree(machine, Tree);
    machine.faults.Fail("CopyFileA", c.destinationPattern, c.error);

    EXPECT_EQ(Run(), ExitFailure);

    std::vector<std::string> messages = Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("Setup: The driver files could not be copied.", 0), 0u)
        << messages[0];
    EXPECT_NE(messages[0].find(c.namedSource), std::string::npos) << messages[0];
    EXPECT_EQ(machine.RestartRequests(), 0);
    // The run entry is cleared all the same: the removal ran as it does on every path.
    EXPECT_EQ(std::string(os::GetPrivateProfileStringA("windows", "run", "?", "WIN.INI")), "");
}

INSTANTIATE_TEST_SUITE_P(
    Faults, UnattendedCopyFailureTest,
    ::testing::Values(
        CopyFault{"DiskFullOnADriverFile", "C:\\Orvane\\W95-98\\SNDCORE.VXD", os::ERROR_DISK_FULL,
                  "D:\\SETUP\\W95-98\\drv\\SNDCORE.VXD"},
        CopyFault{"WriteProtectedInfDirectory", "C:\\WINDOWS\\INF\\OTHER\\*",
                  os::ERROR_WRITE_PROTECT, "D:\\SETUP\\W95-98\\drv\\ORVANE.INF"},
        CopyFault{"DosFile", "C:\\Orvane\\DOS\\DOSAPP\\*", os::ERROR_ACCESS_DENIED,
                  "D:\\SETUP\\Dosdrv\\DOSAPP\\ORVMIX.EXE"}),
    [](const ::testing::TestParamInfo<CopyFault>& info) { return std::string(info.param.name); });

TEST_F(UnattendedInstallTest, AFullDriveCEndsWithTheFailureMessage) {
    treefixture::AddFullTree(machine, Tree);
    machine.files.SetFreeSpace('C', 30);
    EXPECT_EQ(Run(), ExitFailure);
    EXPECT_EQ(machine.RestartRequests(), 0);
    for (const std::string& message : Messages())
        EXPECT_EQ(message.find("Setup completed!"), std::string::npos);
}

TEST_F(UnattendedInstallTest, ATreeTooDeepForThePathLimitIsRefusedBeforeAnyChange) {
    treefixture::AddPreviousInstallation(machine);
    const std::string deep = "D:\\" + std::string(230, 'T') + "\\"; // 234 characters
    treefixture::AddFullTree(machine, deep);
    // Fits itself, but its staging destination and INF copy would be fine; the source path of
    // this file is over the limit.
    const std::string name = std::string(20, 'L') + ".VXD";
    machine.files.AddFile(deep + "W95-98\\drv\\" + name, "x");

    EXPECT_EQ(Run(deep), ExitFailure);

    std::vector<std::string> messages = Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(deep + "W95-98\\drv\\" + name), std::string::npos);
    EXPECT_NE(messages[0].find("Nothing has been changed."), std::string::npos);
    EXPECT_EQ(Changes(machine.journal), std::vector<std::string>());
    EXPECT_TRUE(PreviousDriverIsThere());
}

} // namespace
