// The driver update as the user runs it on the simulated machine: Setup.ini asks for the
// update dialog, the user sets the boxes and presses "Install".
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Finish.h"
#include "platform/Profile.h"
#include "platform/WinDefs.h"
#include "platform/sim/Machine.h"
#include "platform/sim/Program.h"
#include "tests/staging/TreeFixture.h"

using treefixture::Changes;
using treefixture::Details;

namespace {

const char* const Program = "D:\\PKG\\SETUP.EXE";
const char* const Package = "D:\\PKG\\";
const char* const DialogCaption = "PCI Audio Device Driver Setup Program for Windows 95/98";
const char* const Completed = "Setup: Setup completed! The system will restart now!";
const char* const InfCopy = "C:\\WINDOWS\\INF\\OTHER\\ORVANE.INF";
const char* const StagedInf = "C:\\Orvane\\W95-98\\ORVANE.INF";

// The package's INF file: the options in their default state, CR LF lines.
const std::string PackageInf = "[Version]\r\n"
                               "Signature=\"$CHICAGO$\"\r\n"
                               "[SourceDisksNames]\r\n"
                               "1=\"Orvane Driver Disk\",,0\r\n"
                               "[Orvane.AddReg]\r\n"
                               "HKR,Config,DISMPU,1,0\r\n"
                               "HKR,Config,DISJSTK,1,0\r\n"
                               "HKR,Config,LINEINasREAR,1,1\r\n";

std::string SetupIni(int fullPackage) {
    return "[InstallOption]\r\nWebSetup=1\r\nFullPackage=" + std::to_string(fullPackage) + "\r\n";
}

// A flat update package: the driver files beside the program, with "026\" and a further
// subdirectory that is not staged.
void AddPackage(sim::Machine& machine, int fullPackage) {
    sim::FileSystem& files = machine.files;
    files.AddFile(Program, "setup program");
    files.AddFile(std::string(Package) + "Setup.ini", SetupIni(fullPackage));
    files.AddFile(std::string(Package) + "ORVANE.INF", PackageInf);
    files.AddFile(std::string(Package) + "SNDCORE.VXD", "new vxd");
    files.AddFile(std::string(Package) + "ORVMIDI.INF", PackageInf);
    files.AddFile(std::string(Package) + "026\\BANK026.DAT", "bank 026");
    files.AddFile(std::string(Package) + "DOCS\\README.TXT", "not staged");
}

void AddSoundBank(sim::Machine& machine, const char* name, sim::FileTime created) {
    const std::string path = machine.systemDirectory + "\\" + name;
    machine.files.AddFile(path, std::string("installed ") + name);
    machine.files.SetCreationTime(path, created);
}

void AddSoundBanks(sim::Machine& machine) {
    AddSoundBank(machine, "BANKSMP.DAT", sim::FileTimeFromUtc(1999, 2, 1));
    AddSoundBank(machine, "BANKINDX.DAT", sim::FileTimeFromUtc(1999, 2, 1));
}

std::string SourceDisk(const char* infPath) {
    return os::GetPrivateProfileStringA("SourceDisksNames", "1", "<none>", infPath).GetString();
}

class UpdateTest : public ::testing::Test {
protected:
    explicit UpdateTest(sim::Preset preset = sim::Preset::Windows98) : machine(preset) {
        machine.files.AddDrive('D');
        machine.currentDirectory = "D:\\PKG";
    }

    int Install(const std::string& script) { return sim::RunProgram(machine, Program, script); }

    std::vector<std::string> Messages() const { return Details(machine.journal, "message"); }

    // Every message box of the run was owned by the update dialog.
    void ExpectOwnedByTheDialog() const {
        for (const auto& box : machine.windows.MessageBoxes())
            EXPECT_EQ(box.ownerCaption, DialogCaption) << box.text;
    }

    sim::Machine machine;
};

TEST_F(UpdateTest, InstallWritesTheCheckedOptionsIntoTheInfCopiesAndRestarts) {
    treefixture::AddPreviousInstallation(machine);
    AddPackage(machine, 0);
    AddSoundBanks(machine);
    const uint64_t start = machine.TickCount();

    EXPECT_EQ(Install("click 1000; click 1002; click 1"), ExitSuccess);

    sim::MachineScope scope(machine);
    // The previous driver is gone; its sound banks are only scheduled for renaming.
    EXPECT_FALSE(machine.registry.KeyExists(treefixture::PreviousPciKey));
    EXPECT_FALSE(machine.files.Exists(treefixture::PreviousInf));
    EXPECT_EQ(std::string(os::GetPrivateProfileStringA("rename", "C:\\WINDOWS\\SYSTEM\\BANKSMP.OLD",
                                                       "", "WININIT.INI")),
              "C:\\WINDOWS\\SYSTEM\\BANKSMP.DAT");
    // The sound banks of the system directory are staged first, then the flat package;
    // "026\" is copied, other subdirectories are not.
    const std::vector<std::string> copies = Details(machine.journal, "copy");
    ASSERT_GE(copies.size(), 3u);
    EXPECT_EQ(copies[0], "C:\\WINDOWS\\SYSTEM\\BANKSMP.DAT -> C:\\Orvane\\W95-98\\BANKSMP.DAT");
    EXPECT_EQ(copies[1], "C:\\WINDOWS\\SYSTEM\\BANKINDX.DAT -> C:\\Orvane\\W95-98\\BANKINDX.DAT");
    EXPECT_EQ(machine.files.Contents("C:\\Orvane\\W95-98\\BANKINDX.DAT"), "installed BANKINDX.DAT");
    EXPECT_TRUE(machine.files.Exists("C:\\Orvane\\W95-98\\Setup.ini"));
    EXPECT_TRUE(machine.files.Exists("C:\\Orvane\\W95-98\\SNDCORE.VXD"));
    EXPECT_TRUE(machine.files.Exists("C:\\Orvane\\W95-98\\026\\BANK026.DAT"));
    EXPECT_FALSE(machine.files.Exists("C:\\Orvane\\W95-98\\DOCS"));
    EXPECT_FALSE(machine.files.Exists("C:\\Orvane\\DOS"));
    // Both INF copies carry the options and point at the staging tree; the staging copies
    // keep the package's defaults.
    for (const char* copy : {InfCopy, "C:\\WINDOWS\\INF\\OTHER\\ORVMIDI.INF"}) {
        const std::string text = machine.files.Contents(copy);
        EXPECT_NE(text.find("HKR,Config,DISMPU,1,1\r\n"), std::string::npos) << copy;
        EXPECT_NE(text.find("HKR,Config,DISJSTK,1,0\r\n"), std::string::npos) << copy;
        EXPECT_NE(text.find("HKR,Config,LINEINasREAR,1,0\r\n"), std::string::npos) << copy;
        EXPECT_EQ(SourceDisk(copy), treefixture::RewrittenSourceDisk) << copy;
    }
    EXPECT_EQ(machine.files.Contents(StagedInf), PackageInf);
    EXPECT_EQ(machine.files.Contents("C:\\Orvane\\W95-98\\ORVMIDI.INF"), PackageInf);
    // Each copy is edited before its source disk is rewritten.
    const auto& entries = machine.journal.Entries();
    size_t edit = entries.size(), rewrite = entries.size();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].what == "edit" && entries[i].detail.rfind(InfCopy, 0) == 0 &&
            edit == entries.size())
            edit = i;
        if (entries[i].what == "profile" && entries[i].detail.find(InfCopy) != std::string::npos)
            rewrite = i;
    }
    EXPECT_LT(rewrite, entries.size()) << machine.journal.Print();
    EXPECT_LT(edit, rewrite) << machine.journal.Print();
    // One pause of 100 ms for the MIDI option of each copy; none for the speaker jacks.
    EXPECT_EQ(machine.TickCount() - start, 200u);
    // The completion message, owned by the dialog, before the restart; under the hourglass.
    EXPECT_EQ(Messages(), std::vector<std::string>{Completed});
    ExpectOwnedByTheDialog();
    EXPECT_EQ(entries.back().what, "restart requested");
    EXPECT_EQ(machine.RestartRequests(), 1);
    EXPECT_EQ(machine.windows.Cursor(), sim::WindowManager::SystemCursor(os::IDC_WAIT));
}

TEST_F(UpdateTest, WithNoBoxCheckedTheInfCopiesKeepTheDefaults) {
    AddPackage(machine, 0);
    AddSoundBanks(machine);

    EXPECT_EQ(Install("click 1"), ExitSuccess);

    sim::MachineScope scope(machine);
    EXPECT_EQ(SourceDisk("C:\\WINDOWS\\INF\\ORVANE.INF"), treefixture::RewrittenSourceDisk);
    const std::string copy = machine.files.Contents("C:\\WINDOWS\\INF\\ORVANE.INF");
    EXPECT_NE(copy.find("HKR,Config,DISMPU,1,0\r\nHKR,Config,DISJSTK,1,0\r\n"
                        "HKR,Config,LINEINasREAR,1,1\r\n"),
              std::string::npos);
    EXPECT_TRUE(machine.journal.Of("edit").empty());
    EXPECT_EQ(machine.RestartRequests(), 1);
}

// A package that cannot be used: the reason, caption "Error", owned by the dialog, then the
// end of the program with nothing changed.
struct Refusal {
    const char* name;
    uint64_t freeBytes;
    bool sampleBank;
    int sampleYear;
    const char* message;
};

class UpdateRefusalTest : public UpdateTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(UpdateRefusalTest, ShowsTheReasonAndChangesNothing) {
    const Refusal& c = GetParam();
    treefixture::AddPreviousInstallation(machine);
    AddPackage(machine, 0);
    machine.files.SetFreeSpace('D', c.freeBytes);
    if (c.sampleBank)
        AddSoundBank(machine, "BANKSMP.DAT", sim::FileTimeFromUtc(c.sampleYear, 1, 1));
    AddSoundBank(machine, "BANKINDX.DAT", sim::FileTimeFromUtc(1999, 1, 1));

    EXPECT_EQ(Install("click 1001; click 1"), ExitSuccess);

    EXPECT_EQ(Messages(), std::vector<std::string>{std::string("Error: ") + c.message});
    ExpectOwnedByTheDialog();
    ASSERT_EQ(machine.windows.MessageBoxes().size(), 1u);
    EXPECT_EQ(machine.windows.MessageBoxes()[0].type, os::MB_OK);
    EXPECT_EQ(Changes(machine.journal), std::vector<std::string>());
    EXPECT_TRUE(machine.registry.KeyExists(treefixture::PreviousPciKey));
    EXPECT_EQ(machine.RestartRequests(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UpdateRefusalTest,
    ::testing::Values(
        Refusal{"SoundBankMissing", sim::DefaultDriveBytes, false, 0,
                "The WaveSynth sound bank files not found!\n"
                "Please make sure this system has been installed old audio drivers!\n"
                "Because of this program update drivers excepts waveSynth sound bank files."},
        Refusal{"SoundBankTooOld", sim::DefaultDriveBytes, true, 1997,
                "Can not update drivers! The WaveSynth sound bank files is quite old. Please "
                "download full-package drivers to update."},
        Refusal{"DiskSpaceLow", 3999999, true, 1999,
                "The free space of this disk drive not enough for update drivers! It needs at "
                "least 4Mbytes. Please move all of driver files to a harddisk drive that has "
                "enough free space."}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST_F(UpdateTest, AFullPackageNeedsNoSoundBanks) {
    AddPackage(machine, 1);
    machine.files.SetFreeSpace('D', 1000);

    EXPECT_EQ(Install("click 1001; click 1"), ExitSuccess);

    sim::MachineScope scope(machine);
    EXPECT_EQ(Messages(), std::vector<std::string>{Completed});
    EXPECT_FALSE(machine.files.Exists("C:\\Orvane\\W95-98\\BANKSMP.DAT"));
    EXPECT_FALSE(machine.files.Exists("C:\\Orvane\\W95-98\\BANKINDX.DAT"));
    EXPECT_NE(machine.files.Contents("C:\\WINDOWS\\INF\\ORVANE.INF").find("DISJSTK,1,1"),
              std::string::npos);
    EXPECT_EQ(machine.files.Contents(StagedInf), PackageInf);
    EXPECT_EQ(machine.RestartRequests(), 1);
}

class UpdateOnWindowsNtTest : public UpdateTest {
protected:
    UpdateOnWindowsNtTest() : UpdateTest(sim::Preset::WindowsNT4) {}
};

TEST_F(UpdateOnWindowsNtTest, InstallEndsTheProgramSilently) {
    AddPackage(machine, 0);

    EXPECT_EQ(Install("click 1000; click 1"), ExitSuccess);

    EXPECT_EQ(Messages(), std::vector<std::string>());
    EXPECT_EQ(Changes(machine.journal), std::vector<std::string>());
    EXPECT_EQ(machine.RestartRequests(), 0);
}

// A platform that is neither Windows 95/98 nor NT: the package is staged, but no INF copy is
// made (so no option is written) and "026\" is not copied.
TEST_F(UpdateTest, AnotherFamilyStagesThePackageWithoutInfCopies) {
    machine.version.platformId = os::VER_PLATFORM_WIN32s;
    AddPackage(machine, 0);
    AddSoundBanks(machine);

    EXPECT_EQ(Install("click 1000; click 1001; click 1002; click 1"), ExitSuccess);

    EXPECT_EQ(machine.files.Contents(StagedInf), PackageInf);
    EXPECT_FALSE(machine.files.Exists("C:\\WINDOWS\\INF\\ORVANE.INF"));
    EXPECT_TRUE(machine.files.IsDirectory("C:\\Orvane\\W95-98\\026"));
    EXPECT_FALSE(machine.files.Exists("C:\\Orvane\\W95-98\\026\\BANK026.DAT"));
    EXPECT_TRUE(machine.journal.Of("edit").empty());
    EXPECT_EQ(Messages(), std::vector<std::string>{Completed});
    EXPECT_EQ(machine.RestartRequests(), 1);
}

// An INF copy that fails is neither edited nor listed (no source-disk line is written where
// it should be), and the run tells the failure instead of restarting.
TEST_F(UpdateTest, AFailedInfCopyIsNotEditedAndTheRunDoesNotRestart) {
    AddPackage(machine, 0);
    AddSoundBanks(machine);
    machine.faults.Fail("CopyFileA", "C:\\WINDOWS\\INF\\ORVANE.INF", os::ERROR_DISK_FULL);

    EXPECT_EQ(Install("click 1000; click 1"), ExitFailure);

    sim::MachineScope scope(machine);
    EXPECT_FALSE(machine.files.Exists("C:\\WINDOWS\\INF\\ORVANE.INF"));
    for (const auto& entry : machine.journal.Entries())
        if (entry.what == "edit" || entry.what == "profile")
            EXPECT_NE(entry.detail.rfind("C:\\WINDOWS\\INF\\ORVANE.INF", 0), 0u)
                << entry.what << ": " << entry.detail;
    // The other INF copy is made, edited and rewritten as usual.
    EXPECT_NE(machine.files.Contents("C:\\WINDOWS\\INF\\ORVMIDI.INF").find("DISMPU,1,1"),
              std::string::npos);
    EXPECT_EQ(SourceDisk("C:\\WINDOWS\\INF\\ORVMIDI.INF"), treefixture::RewrittenSourceDisk);
    const std::vector<std::string> messages = Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("Setup: The driver files could not be copied.", 0), 0u)
        << messages[0];
    EXPECT_NE(messages[0].find("D:\\PKG\\ORVANE.INF"), std::string::npos) << messages[0];
    ExpectOwnedByTheDialog();
    EXPECT_EQ(machine.RestartRequests(), 0);
}

// A package file whose staging path would not fit the Windows path limit: told before the
// previous driver is touched.
TEST_F(UpdateTest, APathTooLongIsRefusedBeforeAnythingChanges) {
    treefixture::AddPreviousInstallation(machine);
    AddPackage(machine, 0);
    AddSoundBanks(machine);
    const std::string longName = std::string(245, 'L') + ".INF";
    machine.files.AddFile(std::string(Package) + longName, PackageInf);

    EXPECT_EQ(Install("click 1"), ExitFailure);

    const std::vector<std::string> messages = Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(longName), std::string::npos) << messages[0];
    ExpectOwnedByTheDialog();
    EXPECT_EQ(Changes(machine.journal), std::vector<std::string>());
    EXPECT_TRUE(machine.registry.KeyExists(treefixture::PreviousPciKey));
    EXPECT_EQ(machine.RestartRequests(), 0);
}

} // namespace
