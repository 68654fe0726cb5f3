// Hostile inputs to the whole program on the example machine: option and INF files with
// very long lines, binary bytes, missing or CR-only line ends and doubled sections and keys;
// registry keys with names of 255 characters and thousands of subkeys; installation trees
// with thousands of files, names with blanks and bytes above 127, paths at the Windows path
// limit, and a tree at the root of a drive.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/Machine.h"
#include "platform/sim/WindowManager.h"
#include "tests/reliability/ReliabilityMachine.h"

namespace {

using reliability::InstallPath;

const char* const SetupCaption = "PCI Audio Device Driver And Applications Setup Program";
const char* const UpdateCaption = "PCI Audio Device Driver Setup Program for Windows 95/98";
const char* const Unattended = "unattended";
const char* const InfOther = "C:\\WINDOWS\\INF\\OTHER\\";
const char* const StagingSuffix = ", C:\\Orvane\\W95-98";

const char* const OptionLines = "HKR,Config,DISMPU,1,0\r\nHKR,Config,DISJSTK,1,0\r\n"
                                "HKR,Config,LINEINasREAR,1,1\r\n";
const char* const EditedOptionLines = "HKR,Config,DISMPU,1,1\r\nHKR,Config,DISJSTK,1,1\r\n"
                                      "HKR,Config,LINEINasREAR,1,0\r\n";

InstallPath UnattendedFrom(const std::string& startDir) {
    return {"unattended", startDir, startDir + "\\SETUP.EXE /DRIVER", "", "", true};
}

// The driver update of a full package with all three options checked.
InstallPath UpdateWithAllOptions() {
    return {"update", reliability::UpdateDir, "D:\\UPDATE\\SETUP.EXE",
            "[InstallOption]\r\nWebSetup=1\r\nFullPackage=1\r\n",
            "click 1000; click 1001; click 1002; click 1", true};
}

std::string Completion(const sim::Machine& machine) {
    const auto& boxes = machine.windows.MessageBoxes();
    return boxes.empty() ? std::string() : boxes.back().text;
}

class HostileInputTest : public ::testing::Test {
protected:
    HostileInputTest() { reliability::SeedMachine(machine); }

    void ExpectCompleted(const reliability::Run& run) {
        EXPECT_TRUE(run.error.empty()) << run.error;
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(Completion(machine), reliability::SetupCompleted);
        EXPECT_EQ(machine.RestartRequests(), 1);
    }

    sim::Machine machine;
};

// ---- Setup.ini ----

struct IniCase {
    const char* name;
    std::string text;
    const char* mode;
};

class HostileSetupIniTest : public ::testing::TestWithParam<IniCase> {};

TEST_P(HostileSetupIniTest, ChoosesTheModeByTheFirstSectionAndKey) {
    sim::Machine machine;
    reliability::SeedMachine(machine);
    const InstallPath path{"start", reliability::TreeDir, "D:\\ORVANE\\SETUP.EXE",
                           GetParam().text, "escape", true};
    const reliability::Run run = reliability::RunPath(machine, path);
    ASSERT_TRUE(run.error.empty()) << run.error;
    const auto& dialogs = machine.windows.ShownDialogs();
    const std::string mode = dialogs.empty() ? Unattended : dialogs.front().caption;
    EXPECT_EQ(mode, GetParam().mode);
    EXPECT_EQ(machine.RestartRequests(), mode == Unattended ? 1 : 0);
}

const std::string Blanks(100000, ' ');

INSTANTIATE_TEST_SUITE_P(
    Files, HostileSetupIniTest,
    ::testing::Values(
        IniCase{"LongLineBeforeTheSection",
                std::string(200000, 'x') + "\r\n[InstallOption]\r\nDriverOnly=1\r\n", Unattended},
        IniCase{"LongKeyAndLongBlanksAfterTheValue",
                "[InstallOption]\r\n" + std::string(100000, 'K') + "=1\r\nWebSetup=1" + Blanks +
                    "\r\n",
                UpdateCaption},
        IniCase{"BinaryBytes",
                std::string("\xff\xfe\x1a\0", 4) +
                    "\r\n[InstallOption]\r\n\x01\x02=\x80\r\nWebSetup=1\r\n",
                UpdateCaption},
        IniCase{"NoLineEndAtTheEnd", "[InstallOption]\r\nWebSetup=1", UpdateCaption},
        // Lines end at LF: with CR alone the file is one line, a section header with text
        // after it, and no key.
        IniCase{"CrOnlyLineEnds", "[InstallOption]\rDriverOnly=1\r", SetupCaption},
        IniCase{"LfOnlyLineEnds", "[InstallOption]\nDriverOnly=1\n", Unattended},
        // The first of equal sections counts, and the first of equal keys in it.
        IniCase{"DoubledSectionsAndKeys",
                "[InstallOption]\r\nDriverOnly=0\r\nDriverOnly=1\r\n[installoption]\r\n"
                "DriverOnly=1\r\nWebSetup=1\r\n",
                SetupCaption},
        IniCase{"ValueWithoutDigits", "[InstallOption]\r\nDriverOnly=yes\r\nWebSetup=\"1\"\r\n",
                UpdateCaption}),
    [](const ::testing::TestParamInfo<IniCase>& info) { return std::string(info.param.name); });

// ---- INF files ----

TEST_F(HostileInputTest, HostileInfCopiesAreEditedAndRewrittenLineByLine) {
    const std::string longValue = "\"Disk\",," + std::string(5000, '0');
    const std::string longLine = std::string(3000, 'x') + "HKR,Config,DISMPU,1,0\r\n";
    const std::string Binary("\x01\xff\0\x1a", 4);
    struct Inf {
        const char* name;
        std::string before;
        std::string after; // the copy in INF\OTHER after the update
    };
    const std::vector<Inf> infs = {
        // A value far beyond 1024 characters is kept whole; a long line that ends in an
        // option line is not that line.
        {"LONG.INF", "[SourceDisksNames]\r\n1=" + longValue + "\r\n" + longLine + OptionLines,
         "[SourceDisksNames]\r\n1=" + longValue + StagingSuffix + "\r\n" + longLine +
             EditedOptionLines},
        // Binary bytes around the lines do not hide them.
        {"BINARY.INF",
         Binary + "\r\n[SourceDisksNames]\r\n1=A\r\n\xfe\r\n" + OptionLines,
         Binary + "\r\n[SourceDisksNames]\r\n1=A, C:\\Orvane\\W95-98\r\n\xfe\r\n" +
             EditedOptionLines},
        // CR alone ends no line: nothing is an option line, and the file is one line
        // without the section, which is added at its end.
        {"CRONLY.INF", "[Version]\rHKR,Config,DISMPU,1,0\r",
         "[Version]\rHKR,Config,DISMPU,1,0\r\r\n[SourceDisksNames]\r\n1=, C:\\Orvane\\W95-98\r\n"},
        // The first of doubled sections and keys is the one rewritten and edited.
        {"DOUBLED.INF",
         "[SourceDisksNames]\r\n1=A\r\n1=B\r\n[SourceDisksNames]\r\n1=C\r\n"
         "HKR,Config,DISMPU,1,0\r\nHKR,Config,DISMPU,1,0\r\n",
         "[SourceDisksNames]\r\n1=A, C:\\Orvane\\W95-98\r\n1=B\r\n[SourceDisksNames]\r\n1=C\r\n"
         "HKR,Config,DISMPU,1,1\r\nHKR,Config,DISMPU,1,0\r\n"},
        // A last line without its line end is not an option line.
        {"NOEOL.INF", "[SourceDisksNames]\r\n1=A\r\nHKR,Config,DISMPU,1,0",
         "[SourceDisksNames]\r\n1=A, C:\\Orvane\\W95-98\r\nHKR,Config,DISMPU,1,0"},
    };
    for (const Inf& inf : infs)
        machine.files.AddFile(std::string(reliability::UpdateDir) + "\\" + inf.name, inf.before);

    ExpectCompleted(reliability::RunPath(machine, UpdateWithAllOptions()));
    for (const Inf& inf : infs) {
        EXPECT_EQ(machine.files.Contents(std::string(InfOther) + inf.name), inf.after) << inf.name;
        EXPECT_EQ(machine.files.Contents(std::string("C:\\Orvane\\W95-98\\") + inf.name),
                  inf.before)
            << inf.name;
    }
}

TEST_F(HostileInputTest, PreviousInfFilesAreJudgedByTheFirstStringsEntryHoweverLong) {
    const std::string other = InfOther;
    // Begins with a word of the previous driver, however long it goes on: deleted.
    machine.files.AddFile(other + "LONGDESC.INF", "[Strings]\r\nTQR-Legacy.DeviceDesc=\"Orvane" +
                                                      std::string(10000, 'x') + "\"\r\n");
    // The first of two Strings sections names another vendor: stays.
    machine.files.AddFile(other + "DOUBLED.INF",
                          "[Strings]\r\nTQR-Legacy.DeviceDesc=Vendor\r\n[Strings]\r\n"
                          "TQR-Legacy.DeviceDesc=Orvane\r\n");
    // Binary bytes and no line ends: no entry, stays.
    machine.files.AddFile(other + "BINARY.INF", std::string("\0\xff\x1a", 3) + "[Strings]\rTQR");

    ExpectCompleted(reliability::RunPath(machine, UnattendedFrom(reliability::TreeDir)));
    EXPECT_FALSE(machine.files.Exists(other + "LONGDESC.INF"));
    EXPECT_TRUE(machine.files.Exists(other + "DOUBLED.INF"));
    EXPECT_TRUE(machine.files.Exists(other + "BINARY.INF"));
}

// ---- Registry ----

TEST_F(HostileInputTest, ThousandsOfSubkeysAndNamesOf255Characters) {
    const std::string pci = "HKLM\\Enum\\PCI\\";
    const std::string media = "HKLM\\System\\CurrentControlSet\\services\\Class\\MEDIA\\";
    const std::string wave = "HKLM\\System\\CurrentControlSet\\control\\MediaResources\\wave\\";
    const int Subkeys = 5000;
    const std::string longMatch = "VEN_4D2A&DEV_0120&" + std::string(255 - 18, 'L');
    ASSERT_EQ(longMatch.size(), 255u);
    std::vector<std::string> matches = {"VEN_4D2A&DEV_0130", longMatch, "VEN_4D2A&DEV_01"};
    std::vector<std::string> kept;
    for (int i = 0; i < Subkeys; ++i) {
        if (i == 0 || i == Subkeys / 2 || i == Subkeys - 1)
            machine.registry.AddKey(pci + matches[i == 0 ? 0 : i == Subkeys / 2 ? 1 : 2]);
        char name[32];
        std::snprintf(name, sizeof name, "VEN_8086&DEV_%04d", i);
        kept.push_back(pci + name);
        machine.registry.AddKey(kept.back());
    }
    // A key name of 255 characters beside them, of another vendor.
    kept.push_back(pci + std::string(255, 'Z'));
    machine.registry.AddKey(kept.back());

    // 2000 media class instances, every tenth of the previous driver, each with a wave entry.
    std::vector<std::string> removed;
    for (int i = 0; i < 2000; ++i) {
        char instance[8], entry[32];
        std::snprintf(instance, sizeof instance, "%04d", 3000 + i);
        std::snprintf(entry, sizeof entry, "ORVWAVE.DRV<%s>", instance);
        const bool previous = i % 10 == 0;
        machine.registry.SetString(media + instance, "ProviderName", previous ? "ORVANE" : "Other");
        machine.registry.AddKey(wave + entry);
        (previous ? removed : kept).push_back(media + instance);
        (previous ? removed : kept).push_back(wave + entry);
    }

    ExpectCompleted(reliability::RunPath(machine, UnattendedFrom(reliability::TreeDir)));
    for (const std::string& name : matches)
        EXPECT_FALSE(machine.registry.KeyExists(pci + name)) << name.substr(0, 40);
    size_t keptCount = 0, removedCount = 0;
    for (const std::string& key : kept)
        keptCount += machine.registry.KeyExists(key);
    for (const std::string& key : removed)
        removedCount += !machine.registry.KeyExists(key);
    EXPECT_EQ(keptCount, kept.size());
    EXPECT_EQ(removedCount, removed.size());
}

// ---- Installation trees ----

TEST_F(HostileInputTest, ThousandsOfFilesAndNamesWithBlanksAndBytesAbove127AreStaged) {
    const std::string drv = std::string(reliability::TreeDir) + "\\W95-98\\drv\\";
    const std::string dos = std::string(reliability::TreeDir) + "\\Dosdrv\\";
    std::vector<std::string> driverFiles, dosFiles, infs;
    for (int i = 0; i < 3000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, i % 100 == 0 ? "F%04d.INF" : "F%04d.DRV", i);
        driverFiles.push_back(name);
        if (i % 100 == 0)
            infs.push_back(name);
    }
    for (int i = 0; i < 1000; ++i)
        dosFiles.push_back("D" + std::to_string(i) + ".EXE");
    driverFiles.push_back("M\xe4x Treiber.DRV");
    driverFiles.push_back("Tr\xe9"
                          "ber Setup.inf");
    infs.push_back(driverFiles.back());
    for (const std::string& name : driverFiles)
        machine.files.AddFile(drv + name, "[SourceDisksNames]\r\n1=\"Disk\",,0\r\n");
    for (const std::string& name : dosFiles)
        machine.files.AddFile(dos + name, "MZ");

    ExpectCompleted(reliability::RunPath(machine, UnattendedFrom(reliability::TreeDir)));
    for (const std::string& name : driverFiles)
        ASSERT_TRUE(machine.files.Exists("C:\\Orvane\\W95-98\\" + name)) << name;
    for (const std::string& name : dosFiles)
        ASSERT_TRUE(machine.files.Exists("C:\\Orvane\\DOS\\" + name)) << name;
    for (const std::string& name : infs)
        EXPECT_EQ(machine.files.Contents(InfOther + name),
                  "[SourceDisksNames]\r\n1=\"Disk\",,0, C:\\Orvane\\W95-98\r\n")
            << name;
}

// The tree's longest path (a file's full path or a directory's search pattern) below root.
size_t LongestTreePath(const sim::Machine& machine, const std::string& root) {
    size_t longest = 0;
    std::vector<std::string> dirs = {root};
    while (!dirs.empty()) {
        const std::string dir = dirs.back();
        dirs.pop_back();
        longest = std::max(longest, dir.size() + 4); // "\*.*"
        for (const std::string& name : machine.files.List(dir)) {
            const std::string path = dir + "\\" + name;
            longest = std::max(longest, path.size());
            if (machine.files.IsDirectory(path))
                dirs.push_back(path);
        }
    }
    return longest;
}

TEST_F(HostileInputTest, ATreeAtThePathLimitInstallsAndOneCharacterDeeperIsRefusedUnchanged) {
    const size_t Limit = 259; // MAX_PATH less the terminating NUL
    const std::vector<std::string> files = {
        "W95-98\\app\\Setup.exe", "W95-98\\drv\\ORVPCI.INF", "W95-98\\drv\\026\\BANKINDX.DAT",
        "Dosdrv\\DOSAPP\\ORVMIX.EXE", "Dosdrv\\ORVDOS.SYS"};
    auto addTree = [&](sim::Machine& target, const std::string& root) {
        for (const std::string& file : files)
            target.files.AddFile(root + "\\" + file, "[SourceDisksNames]\r\n1=A\r\n");
    };
    // The longest path below the root, the root's own length aside.
    sim::Machine probe;
    addTree(probe, "D:\\P");
    const size_t below = LongestTreePath(probe, "D:\\P") - 4;

    for (size_t extra : {0, 1}) {
        sim::Machine deep;
        reliability::SeedMachine(deep);
        const std::string root = "D:\\" + std::string(Limit + extra - below - 3, 'P');
        ASSERT_LE(root.size() - 3, 255u);
        addTree(deep, root);
        ASSERT_EQ(LongestTreePath(deep, root), Limit + extra);
        const std::string registryBefore = deep.registry.SaveReg();

        const reliability::Run run = reliability::RunPath(deep, UnattendedFrom(root));
        if (extra == 0) {
            EXPECT_EQ(run.exitCode, 0);
            EXPECT_EQ(Completion(deep), reliability::SetupCompleted);
            EXPECT_TRUE(deep.files.Exists("C:\\Orvane\\W95-98\\026\\BANKINDX.DAT"));
        } else {
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_EQ(Completion(deep).compare(0, 9, "The path\n"), 0) << Completion(deep);
            EXPECT_EQ(deep.RestartRequests(), 0);
            EXPECT_EQ(deep.registry.SaveReg(), registryBefore);
            EXPECT_FALSE(deep.files.Exists("C:\\Orvane"));
        }
    }
}

TEST_F(HostileInputTest, ATreeAtTheRootOfADriveIsReadWithSingleBackslashes) {
    for (const std::string& file : {std::string("W95-98\\app\\Setup.exe"),
                                    std::string("W95-98\\drv\\ORVPCI.INF"),
                                    std::string("Dosdrv\\ORVDOS.SYS")})
        machine.files.AddFile("E:\\" + file, "[SourceDisksNames]\r\n1=A\r\n");
    InstallPath path = UnattendedFrom("E:");
    path.startDir = "E:\\";
    path.commandLine = "E:\\SETUP.EXE /DRIVER";

    ExpectCompleted(reliability::RunPath(machine, path));
    const auto copies = machine.journal.Of("copy");
    ASSERT_FALSE(copies.empty());
    for (const auto& copy : copies) {
        EXPECT_EQ(copy.detail.compare(0, 3, "E:\\"), 0) << copy.detail;
        EXPECT_EQ(copy.detail.find("\\\\"), std::string::npos) << copy.detail;
    }
    EXPECT_EQ(machine.files.Contents(std::string(InfOther) + "ORVPCI.INF"),
              "[SourceDisksNames]\r\n1=A, C:\\Orvane\\W95-98\r\n");
}

} // namespace
