// Driver staging on the simulated machine: what lands in the staging tree and in the INF
// directory for each variant, the INF copies and their rewrite, and the copies that fail.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Profile.h"
#include "platform/sim/Machine.h"
#include "staging/Staging.h"
#include "staging/StagingChecks.h"
#include "tests/staging/TreeFixture.h"

using treefixture::Details;

namespace {

const char* const Tree = "D:\\SETUP\\";
const char* const InfDir = "C:\\WINDOWS\\INF\\";
const char* const InfOtherDir = "C:\\WINDOWS\\INF\\OTHER\\";

std::vector<std::string> Strings(const CStringArray& list) {
    std::vector<std::string> strings;
    for (int i = 0; i < list.GetSize(); ++i)
        strings.push_back(list[i].GetString());
    return strings;
}

std::string SourceDisk(const std::string& infPath) {
    return os::GetPrivateProfileStringA("SourceDisksNames", "1", "<none>", infPath.c_str())
        .GetString();
}

class StagingTest : public ::testing::Test {
protected:
    StagingTest() : scope(machine) {
        machine.files.AddDrive('D');
        machine.currentDirectory = "D:\\SETUP";
    }

    CopyFailure Stage(StagingVariant variant, WindowsFamily family = Windows98,
                      const char* sourceDir = Tree, bool fullPackage = false,
                      InfCopyEditor editor = InfCopyEditor{nullptr, nullptr}) {
        return StageDriverFiles(variant, family, sourceDir, fullPackage, list, editor);
    }

    sim::Machine machine;
    sim::MachineScope scope;
    CStringArray list;
};

TEST_F(StagingTest, FullTreeIsStagedAndEachInfCopyPointsAtTheStagingTree) {
    treefixture::AddFullTree(machine, Tree);

    CopyFailure failure = Stage(StagingUnattended);

    EXPECT_FALSE(failure.Occurred());
    EXPECT_EQ(Details(machine.journal, "mkdir"),
              (std::vector<std::string>{"C:\\Orvane", "C:\\Orvane\\DOS", "C:\\Orvane\\DOS\\DOSAPP",
                                        "C:\\Orvane\\W95-98", "C:\\Orvane\\W95-98\\026"}));
    EXPECT_EQ(Details(machine.journal, "copy"),
              (std::vector<std::string>{
                  "D:\\SETUP\\Dosdrv\\ORVDOS.SYS -> C:\\Orvane\\DOS\\ORVDOS.SYS",
                  "D:\\SETUP\\Dosdrv\\ORVINIT.EXE -> C:\\Orvane\\DOS\\ORVINIT.EXE",
                  "D:\\SETUP\\Dosdrv\\DOSAPP\\ORVMIX.EXE -> C:\\Orvane\\DOS\\DOSAPP\\ORVMIX.EXE",
                  "D:\\SETUP\\W95-98\\drv\\ORVANE.INF -> C:\\Orvane\\W95-98\\ORVANE.INF",
                  "D:\\SETUP\\W95-98\\drv\\ORVANE.INF -> C:\\WINDOWS\\INF\\ORVANE.INF",
                  "D:\\SETUP\\W95-98\\drv\\SNDCORE.VXD -> C:\\Orvane\\W95-98\\SNDCORE.VXD",
                  "D:\\SETUP\\W95-98\\drv\\ORVMIDI.INF -> C:\\Orvane\\W95-98\\ORVMIDI.INF",
                  "D:\\SETUP\\W95-98\\drv\\ORVMIDI.INF -> C:\\WINDOWS\\INF\\ORVMIDI.INF",
                  "D:\\SETUP\\W95-98\\drv\\026\\BANK026.DAT -> C:\\Orvane\\W95-98\\026\\BANK026.DAT",
              }));
    EXPECT_EQ(Strings(list), (std::vector<std::string>{"C:\\WINDOWS\\INF\\ORVANE.INF",
                                                       "C:\\WINDOWS\\INF\\ORVMIDI.INF"}));
    EXPECT_EQ(SourceDisk("C:\\WINDOWS\\INF\\ORVANE.INF"), treefixture::RewrittenSourceDisk);
    EXPECT_EQ(SourceDisk("C:\\WINDOWS\\INF\\ORVMIDI.INF"), treefixture::RewrittenSourceDisk);
    // The staging copy keeps the package's text; other subdirectories are not entered.
    EXPECT_EQ(machine.files.Contents("C:\\Orvane\\W95-98\\ORVANE.INF"), treefixture::PackageInf);
    EXPECT_FALSE(machine.files.Exists("C:\\Orvane\\W95-98\\EXTRA"));
    EXPECT_EQ(machine.currentDirectory, "D:\\SETUP");
}

TEST_F(StagingTest, FullSetupStagesExactlyAsTheUnattendedInstallation) {
    treefixture::AddFullTree(machine, Tree);
    Stage(StagingUnattended);
    const std::string unattended = machine.journal.Print();
    machine.files.Remove("C:\\Orvane");
    machine.files.Remove("C:\\WINDOWS\\INF\\ORVANE.INF");
    machine.files.Remove("C:\\WINDOWS\\INF\\ORVMIDI.INF");
    machine.journal.Clear();
    list.RemoveAll();

    Stage(StagingFullSetup);

    EXPECT_EQ(machine.journal.Print(), unattended);
}

TEST_F(StagingTest, OnlyNamesContainingSmallOrCapitalInfAreInfFiles) {
    for (const char* name : {"A.INF", "b.inf", "c.Inf", "d.inf.bak"})
        machine.files.AddFile(std::string(Tree) + "W95-98\\drv\\" + name, treefixture::PackageInf);

    Stage(StagingUnattended);

    for (const char* name : {"A.INF", "b.inf", "c.Inf", "d.inf.bak"})
        EXPECT_TRUE(machine.files.Exists(std::string("C:\\Orvane\\W95-98\\") + name)) << name;
    EXPECT_EQ(Strings(list), (std::vector<std::string>{"C:\\WINDOWS\\INF\\A.INF",
                                                       "C:\\WINDOWS\\INF\\b.inf",
                                                       "C:\\WINDOWS\\INF\\d.inf.bak"}));
    EXPECT_FALSE(machine.files.Exists("C:\\WINDOWS\\INF\\c.Inf"));
    EXPECT_EQ(SourceDisk("C:\\WINDOWS\\INF\\d.inf.bak"), treefixture::RewrittenSourceDisk);
}

TEST_F(StagingTest, InfCopiesGoToInfOtherWhenItExistsAndItBecomesTheCurrentDirectory) {
    treefixture::AddFullTree(machine, Tree);
    machine.files.AddDirectory("C:\\WINDOWS\\INF\\OTHER");

    Stage(StagingUnattended);

    EXPECT_EQ(Strings(list), (std::vector<std::string>{"C:\\WINDOWS\\INF\\OTHER\\ORVANE.INF",
                                                       "C:\\WINDOWS\\INF\\OTHER\\ORVMIDI.INF"}));
    EXPECT_FALSE(machine.files.Exists("C:\\WINDOWS\\INF\\ORVANE.INF"));
    EXPECT_EQ(machine.currentDirectory, "C:\\WINDOWS\\INF\\OTHER");
}

TEST_F(StagingTest, InfTargetDirFollowsTheWindowsDirectoryWhateverItsLength) {
    // Longer than the 64-character buffers some Windows code keeps for it.
    const std::string windows = "C:\\" + std::string(70, 'W') + "\\WINDOWS";
    machine.windowsDirectory = windows;
    machine.files.AddDirectory(windows + "\\INF");
    EXPECT_EQ(std::string(FindInfTargetDir()), windows + "\\INF\\");
    EXPECT_EQ(std::string(DetermineInfTargetDir()), windows + "\\INF\\");
    machine.files.AddDirectory(windows + "\\INF\\OTHER");
    EXPECT_EQ(std::string(FindInfTargetDir()), windows + "\\INF\\OTHER\\");
    EXPECT_EQ(machine.currentDirectory, "D:\\SETUP"); // FindInfTargetDir changes nothing
    EXPECT_EQ(std::string(DetermineInfTargetDir()), windows + "\\INF\\OTHER\\");
    EXPECT_EQ(machine.currentDirectory, windows + "\\INF\\OTHER");
}

// The three variants side by side: which directories they make and fill.
struct VariantCase {
    const char* name;
    StagingVariant variant;
    WindowsFamily family;
    bool fullPackage;
    std::vector<std::string> mkdirs;
    std::vector<std::string> staged; // files that exist below C:\Orvane afterwards
    std::vector<std::string> listed;
};

class StagingVariantTest : public StagingTest,
                           public ::testing::WithParamInterface<VariantCase> {};

TEST_P(StagingVariantTest, MakesAndFillsTheRowsDirectories) {
    const VariantCase& c = GetParam();
    treefixture::AddFullTree(machine, Tree);
    // A flat update package in the same directory: driver files beside the program.
    machine.files.AddFile(std::string(Tree) + "Setup.exe", "program");
    machine.files.AddFile(std::string(Tree) + "UPDATE.INF", treefixture::PackageInf);
    machine.files.AddFile(std::string(Tree) + "026\\FLAT026.DAT", "flat 026");
    machine.files.AddFile("C:\\WINDOWS\\SYSTEM\\BANKSMP.DAT", "system samples");
    machine.files.AddFile("C:\\WINDOWS\\SYSTEM\\BANKINDX.DAT", "system index");

    CopyFailure failure = Stage(c.variant, c.family, Tree, c.fullPackage);

    EXPECT_FALSE(failure.Occurred());
    EXPECT_EQ(Details(machine.journal, "mkdir"), c.mkdirs);
    for (const std::string& file : c.staged)
        EXPECT_TRUE(machine.files.Exists("C:\\Orvane\\" + file)) << file;
    std::vector<std::string> all;
    for (const auto& entry : machine.journal.Of("copy"))
        if (entry.detail.find("-> C:\\Orvane\\") != std::string::npos)
            all.push_back(entry.detail.substr(entry.detail.find("-> C:\\Orvane\\") + 13));
    EXPECT_EQ(all, c.staged);
    EXPECT_EQ(Strings(list), c.listed);
}

const std::vector<std::string> FullTreeMkdirs = {"C:\\Orvane", "C:\\Orvane\\DOS",
                                                 "C:\\Orvane\\DOS\\DOSAPP", "C:\\Orvane\\W95-98",
                                                 "C:\\Orvane\\W95-98\\026"};
const std::vector<std::string> UpdateMkdirs = {"C:\\Orvane", "C:\\Orvane\\W95-98",
                                               "C:\\Orvane\\W95-98\\026"};

INSTANTIATE_TEST_SUITE_P(
    Variants, StagingVariantTest,
    ::testing::Values(
        VariantCase{"Unattended98", StagingUnattended, Windows98, false, FullTreeMkdirs,
                    {"DOS\\ORVDOS.SYS", "DOS\\ORVINIT.EXE", "DOS\\DOSAPP\\ORVMIX.EXE",
                     "W95-98\\ORVANE.INF", "W95-98\\SNDCORE.VXD", "W95-98\\ORVMIDI.INF",
                     "W95-98\\026\\BANK026.DAT"},
                    {"C:\\WINDOWS\\INF\\ORVANE.INF", "C:\\WINDOWS\\INF\\ORVMIDI.INF"}},
        VariantCase{"FullSetup95", StagingFullSetup, Windows95, false, FullTreeMkdirs,
                    {"DOS\\ORVDOS.SYS", "DOS\\ORVINIT.EXE", "DOS\\DOSAPP\\ORVMIX.EXE",
                     "W95-98\\ORVANE.INF", "W95-98\\SNDCORE.VXD", "W95-98\\ORVMIDI.INF",
                     "W95-98\\026\\BANK026.DAT"},
                    {"C:\\WINDOWS\\INF\\ORVANE.INF", "C:\\WINDOWS\\INF\\ORVMIDI.INF"}},
        // The sound banks come first, then the flat package with the program itself.
        VariantCase{"UpdatePackage98", StagingDriverUpdate, Windows98, false, UpdateMkdirs,
                    {"W95-98\\BANKSMP.DAT", "W95-98\\BANKINDX.DAT", "W95-98\\Setup.exe",
                     "W95-98\\UPDATE.INF", "W95-98\\026\\FLAT026.DAT"},
                    {"C:\\WINDOWS\\INF\\UPDATE.INF"}},
        VariantCase{"UpdateFullPackage98", StagingDriverUpdate, Windows98, true, UpdateMkdirs,
                    {"W95-98\\Setup.exe", "W95-98\\UPDATE.INF", "W95-98\\026\\FLAT026.DAT"},
                    {"C:\\WINDOWS\\INF\\UPDATE.INF"}},
        // Another family: the package is staged, but no INF copy and no "026\".
        VariantCase{"UpdateOtherFamily", StagingDriverUpdate, WindowsOther, true, UpdateMkdirs,
                    {"W95-98\\Setup.exe", "W95-98\\UPDATE.INF"},
                    {}}),
    [](const ::testing::TestParamInfo<VariantCase>& info) { return std::string(info.param.name); });

TEST_F(StagingTest, PackageSoundBankOverwritesTheSystemOneStagedBeforeIt) {
    machine.files.AddFile("C:\\WINDOWS\\SYSTEM\\BANKSMP.DAT", "system samples");
    machine.files.AddFile("C:\\WINDOWS\\SYSTEM\\BANKINDX.DAT", "system index");
    machine.files.AddFile(std::string(Tree) + "BANKSMP.DAT", "package samples");

    Stage(StagingDriverUpdate);

    EXPECT_EQ(machine.files.Contents("C:\\Orvane\\W95-98\\BANKSMP.DAT"), "package samples");
    EXPECT_EQ(machine.files.Contents("C:\\Orvane\\W95-98\\BANKINDX.DAT"), "system index");
}

struct EditorLog {
    std::vector<std::string> edited;
    std::vector<int> listedBefore; // size of the list when each copy was edited
    CStringArray* list;
};

void RecordEdit(void* context, const CString& path) {
    EditorLog& log = *static_cast<EditorLog*>(context);
    log.edited.push_back(path.GetString());
    log.listedBefore.push_back(log.list->GetSize());
    sim::Current().files.AddFile(path.GetString(), "edited\r\n");
}

TEST_F(StagingTest, UpdateEditsEachInfCopyBeforeListingItAndLeavesTheStagingCopy) {
    machine.files.AddFile(std::string(Tree) + "A.INF", treefixture::PackageInf);
    machine.files.AddFile(std::string(Tree) + "B.INF", treefixture::PackageInf);
    EditorLog log{{}, {}, &list};

    Stage(StagingDriverUpdate, Windows98, Tree, true, InfCopyEditor{RecordEdit, &log});

    EXPECT_EQ(log.edited, (std::vector<std::string>{"C:\\WINDOWS\\INF\\A.INF",
                                                    "C:\\WINDOWS\\INF\\B.INF"}));
    EXPECT_EQ(log.listedBefore, (std::vector<int>{0, 1}));
    EXPECT_EQ(machine.files.Contents("C:\\Orvane\\W95-98\\A.INF"), treefixture::PackageInf);
    EXPECT_EQ(SourceDisk("C:\\WINDOWS\\INF\\A.INF"), ", C:\\Orvane\\W95-98");
}

TEST_F(StagingTest, InfEditorOfAnotherVariantIsNotCalled) {
    treefixture::AddFullTree(machine, Tree);
    EditorLog log{{}, {}, &list};
    Stage(StagingFullSetup, Windows98, Tree, false, InfCopyEditor{RecordEdit, &log});
    EXPECT_TRUE(log.edited.empty());
}

TEST_F(StagingTest, ReadOnlyFilesAreReplacedAndCopiesGetNormalAttributes) {
    machine.files.AddFile(std::string(Tree) + "W95-98\\drv\\ORVANE.INF", treefixture::PackageInf,
                          sim::AttrReadOnly); // as read from a CD
    machine.files.AddFile("C:\\Orvane\\W95-98\\ORVANE.INF", "old", sim::AttrReadOnly);
    machine.files.AddFile("C:\\WINDOWS\\INF\\ORVANE.INF", "old", sim::AttrReadOnly);

    CopyFailure failure = Stage(StagingUnattended);

    EXPECT_FALSE(failure.Occurred());
    EXPECT_EQ(machine.files.Contents("C:\\Orvane\\W95-98\\ORVANE.INF"), treefixture::PackageInf);
    EXPECT_EQ(machine.files.Attributes("C:\\Orvane\\W95-98\\ORVANE.INF"), 0u);
    // The rewrite has written the INF copy since: it carries the archive bit, nothing else.
    EXPECT_EQ(machine.files.Attributes("C:\\WINDOWS\\INF\\ORVANE.INF"), sim::AttrArchive);
    EXPECT_EQ(SourceDisk("C:\\WINDOWS\\INF\\ORVANE.INF"), treefixture::RewrittenSourceDisk);
}

TEST_F(StagingTest, EachRunRewritesAFreshCopyOnce) {
    treefixture::AddFullTree(machine, Tree);
    Stage(StagingUnattended);
    list.RemoveAll();
    Stage(StagingUnattended);
    EXPECT_EQ(SourceDisk("C:\\WINDOWS\\INF\\ORVANE.INF"), treefixture::RewrittenSourceDisk);
}

TEST_F(StagingTest, RewriteAppendsToWhateverTheLineHoldsAndCreatesAMissingEntry) {
    struct {
        const char* inf;
        const char* expected;
    } cases[] = {
        {"[SourceDisksNames]\r\n1=Disk,disk1,,\\drv\r\n", "Disk,disk1,,\\drv, C:\\Orvane\\W95-98"},
        {"[Version]\r\nSignature=$CHICAGO$\r\n", ", C:\\Orvane\\W95-98"},
        {"[SourceDisksNames]\r\n2=Other\r\n", ", C:\\Orvane\\W95-98"},
        {"", ", C:\\Orvane\\W95-98"},
    };
    for (const auto& c : cases) {
        machine.files.AddFile("C:\\WINDOWS\\INF\\T.INF", c.inf);
        CStringArray one;
        one.Add("C:\\WINDOWS\\INF\\T.INF");
        RewriteInfSourcePaths(one);
        EXPECT_EQ(SourceDisk("C:\\WINDOWS\\INF\\T.INF"), c.expected) << c.inf;
    }
}

// A 1024-byte buffer would cut this value at 1023 characters and write the cut line back.
TEST_F(StagingTest, RewriteKeepsAValueLongerThan1023CharactersWhole) {
    const std::string longValue = "\"Orvane Driver Disk " + std::string(1500, 'x') + "\",,0";
    machine.files.AddFile("C:\\WINDOWS\\INF\\LONG.INF",
                          "[SourceDisksNames]\r\n1=" + longValue + "\r\n");
    CStringArray one;
    one.Add("C:\\WINDOWS\\INF\\LONG.INF");

    RewriteInfSourcePaths(one);

    EXPECT_EQ(SourceDisk("C:\\WINDOWS\\INF\\LONG.INF"), longValue + ", C:\\Orvane\\W95-98");
}

// ---- Failures ----

TEST_F(StagingTest, AMissingSourceDirectoryIsNoFailure) {
    machine.files.AddFile(std::string(Tree) + "W95-98\\app\\Setup.exe", "setup");
    CopyFailure failure = Stage(StagingUnattended);
    EXPECT_FALSE(failure.Occurred());
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_TRUE(Details(machine.journal, "copy").empty());
}

TEST_F(StagingTest, MissingSoundBanksOfTheSystemAreNoFailure) {
    machine.files.AddFile(std::string(Tree) + "A.INF", treefixture::PackageInf);
    EXPECT_FALSE(Stage(StagingDriverUpdate).Occurred());
}

TEST_F(StagingTest, AFailedDriverCopyIsReportedAndTheOtherFilesAreStillCopied) {
    treefixture::AddFullTree(machine, Tree);
    machine.faults.Fail("CopyFileA", "C:\\Orvane\\W95-98\\SNDCORE.VXD", 112 /* disk full */);

    CopyFailure failure = Stage(StagingUnattended);

    ASSERT_TRUE(failure.Occurred());
    EXPECT_EQ(std::string(failure.source), "D:\\SETUP\\W95-98\\drv\\SNDCORE.VXD");
    EXPECT_EQ(std::string(failure.destination), "C:\\Orvane\\W95-98\\SNDCORE.VXD");
    EXPECT_TRUE(machine.files.Exists("C:\\Orvane\\W95-98\\ORVMIDI.INF"));
    EXPECT_TRUE(machine.files.Exists("C:\\Orvane\\W95-98\\026\\BANK026.DAT"));
    EXPECT_EQ(list.GetSize(), 2);
}

TEST_F(StagingTest, AFailedInfCopyIsReportedNotListedAndGetsNoStubFile) {
    treefixture::AddFullTree(machine, Tree);
    machine.faults.Fail("CopyFileA", "C:\\WINDOWS\\INF\\ORVANE.INF", 19 /* write-protected */);

    CopyFailure failure = Stage(StagingUnattended);

    ASSERT_TRUE(failure.Occurred());
    EXPECT_EQ(std::string(failure.source), "D:\\SETUP\\W95-98\\drv\\ORVANE.INF");
    EXPECT_EQ(std::string(failure.destination), "C:\\WINDOWS\\INF\\ORVANE.INF");
    EXPECT_EQ(Strings(list), (std::vector<std::string>{"C:\\WINDOWS\\INF\\ORVMIDI.INF"}));
    EXPECT_FALSE(machine.files.Exists("C:\\WINDOWS\\INF\\ORVANE.INF"));
}

TEST_F(StagingTest, TheFirstOfSeveralFailuresIsTheOneReported) {
    treefixture::AddFullTree(machine, Tree);
    machine.faults.Fail("CopyFileA", "C:\\Orvane\\*");
    CopyFailure failure = Stage(StagingUnattended);
    EXPECT_EQ(std::string(failure.source), "D:\\SETUP\\Dosdrv\\ORVDOS.SYS");
}

TEST_F(StagingTest, ADirectoryThatCannotBeMadeShowsAsFailedCopiesIntoIt) {
    treefixture::AddFullTree(machine, Tree);
    machine.faults.Fail("CreateDirectoryA", "C:\\Orvane\\DOS\\DOSAPP");

    CopyFailure failure = Stage(StagingUnattended);

    ASSERT_TRUE(failure.Occurred());
    EXPECT_EQ(std::string(failure.destination), "C:\\Orvane\\DOS\\DOSAPP\\ORVMIX.EXE");
    EXPECT_TRUE(machine.files.Exists("C:\\Orvane\\W95-98\\SNDCORE.VXD"));
}

TEST_F(StagingTest, AFullDriveCIsReported) {
    treefixture::AddFullTree(machine, Tree);
    machine.files.SetFreeSpace('C', 20);
    CopyFailure failure = Stage(StagingUnattended);
    EXPECT_TRUE(failure.Occurred());
}

// ---- The path limit ----

TEST_F(StagingTest, PathCheckFindsTheFirstPathOverTheLimit) {
    // 259 characters fit; 260 do not.
    const std::string dir = "D:\\" + std::string(200, 'P') + "\\";
    treefixture::AddFullTree(machine, dir);
    EXPECT_EQ(std::string(FindTooLongStagingPath(StagingUnattended, Windows98, dir.c_str(), false)),
              "");

    const std::string fits = dir + "W95-98\\drv\\026\\" +
                             std::string(259 - dir.size() - 15, 'F'); // exactly 259
    machine.files.AddFile(fits, "x");
    EXPECT_EQ(std::string(FindTooLongStagingPath(StagingUnattended, Windows98, dir.c_str(), false)),
              "");
    machine.files.Remove(fits);
    const std::string tooLong = fits + "G";
    // The sim itself refuses such paths from the program, but a tree seeded by the test may
    // hold one, as a real file system may hold a file reached by its short name.
    machine.files.AddFile(tooLong, "x");
    EXPECT_EQ(std::string(FindTooLongStagingPath(StagingUnattended, Windows98, dir.c_str(), false)),
              tooLong);
}

TEST_F(StagingTest, PathCheckCoversPatternsInfCopiesAndTheCallersPath) {
    // SourceDir so long that the search pattern of "W95-98\drv\026\" (18 characters) does not
    // fit while that of "Dosdrv\DOSAPP\" (17) does.
    const std::string deep = "D:\\" + std::string(238, 'Q') + "\\"; // 242 characters
    EXPECT_EQ(std::string(FindTooLongStagingPath(StagingUnattended, Windows98, deep.c_str(),
                                                 false)),
              deep + "W95-98\\drv\\026\\*.*");
    // Another family never reads "026\".
    EXPECT_EQ(std::string(FindTooLongStagingPath(StagingUnattended, WindowsOther, deep.c_str(),
                                                 false)),
              "");
    const std::string extra = deep + std::string(30, 'E');
    EXPECT_EQ(std::string(FindTooLongStagingPath(StagingUnattended, WindowsOther, deep.c_str(),
                                                 false, extra.c_str())),
              extra);

    // An INF name that fits the staging tree but not a long Windows directory's INF\OTHER.
    const std::string windows = "C:\\" + std::string(150, 'W');
    machine.windowsDirectory = windows;
    machine.files.AddDirectory(windows + "\\INF\\OTHER");
    const std::string name = std::string(100, 'N') + ".INF";
    machine.files.AddFile(std::string(Tree) + "W95-98\\drv\\" + name, "x");
    EXPECT_EQ(std::string(FindTooLongStagingPath(StagingUnattended, Windows98, Tree, false)),
              windows + "\\INF\\OTHER\\" + name);
    EXPECT_EQ(machine.currentDirectory, "D:\\SETUP");
}

} // namespace
