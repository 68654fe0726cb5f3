// Removal of the previous driver's files on the simulated machine: the INF files deleted,
// the system files scheduled in WININIT.INI, the run entry of WIN.INI.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "cleanup/FileCleanup.h"
#include "platform/sim/Machine.h"
#include "platform/sim/ProfileText.h"
#include "tests/fixtures/SystemFiles.h"

namespace {

typedef std::vector<std::pair<std::string, std::string>> Entries;


std::string Inf(const std::string& deviceDesc) {
    return "[Version]\r\nSignature=\"$CHICAGO$\"\r\n\r\n[Strings]\r\nTQR-Legacy.DeviceDesc=" +
           deviceDesc + "\r\n";
}
const std::string PreviousInf = Inf("\"TXA4720 PCI Audio Legacy Device\"");
const std::string OtherInf = Inf("\"Other Audio Legacy Device\"");

class FileCleanupTest : public ::testing::Test {
protected:
    sim::Machine machine;
    sim::MachineScope scope{machine};

    std::string Win(const std::string& path) const {
        return machine.windowsDirectory + "\\" + path;
    }
    Entries Renames() const {
        if (!machine.files.Exists(Win("WININIT.INI")))
            return {};
        return sim::profile::SectionEntries(machine.files.Contents(Win("WININIT.INI")), "rename");
    }
    static std::vector<int> AllRows() {
        std::vector<int> rows;
        for (size_t row = 0; row < std::size(fixtures::SystemFileRenames); ++row)
            rows.push_back(static_cast<int>(row));
        return rows;
    }
    Entries ExpectedRenames(const std::vector<int>& rows) const {
        Entries entries;
        for (int row : rows)
            entries.push_back({Win("SYSTEM\\") + fixtures::SystemFileRenames[row].second,
                               Win("SYSTEM\\") + fixtures::SystemFileRenames[row].first});
        return entries;
    }
};

TEST_F(FileCleanupTest, OneInfDirectoryIsExamined) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> files; // path below Windows, text
        std::vector<std::string> deleted;
    } cases[] = {
        {"INF\\OTHER holds an INF file: only it is examined",
         {{"INF\\OTHER\\A.INF", PreviousInf},
          {"INF\\OTHER\\B.INF", OtherInf},
          {"INF\\OTHER\\C.INF", PreviousInf},
          {"INF\\OEM0.INF", PreviousInf}},
         {"INF\\OTHER\\A.INF", "INF\\OTHER\\C.INF"}},
        {"INF\\OTHER holds INF files of other drivers only",
         {{"INF\\OTHER\\B.INF", OtherInf}, {"INF\\OEM0.INF", PreviousInf}},
         {}},
        {"no INF\\OTHER: the OEM*.INF files of INF",
         {{"INF\\OEM0.INF", PreviousInf},
          {"INF\\OEM1.INF", OtherInf},
          {"INF\\OEM12.INF", PreviousInf},
          {"INF\\WAVE.INF", PreviousInf}},
         {"INF\\OEM0.INF", "INF\\OEM12.INF"}},
        {"INF\\OTHER without INF files",
         {{"INF\\OTHER\\README.TXT", PreviousInf}, {"INF\\OEM3.INF", PreviousInf}},
         {"INF\\OEM3.INF"}},
        {"nothing to examine", {{"INF\\WAVE.INF", PreviousInf}}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::Machine machine;
        sim::MachineScope scope(machine);
        for (const auto& file : c.files)
            machine.files.AddFile(Win(file.first), file.second);

        RemoveOldDriverFiles();
        for (const auto& file : c.files) {
            bool deleted = false;
            for (const std::string& path : c.deleted)
                deleted |= path == file.first;
            EXPECT_EQ(!deleted, machine.files.Exists(Win(file.first))) << file.first;
        }
    }
}

TEST_F(FileCleanupTest, DeviceDescriptionBeginsWithAWordOfThePreviousDriver) {
    struct Case {
        std::string text;
        bool deleted;
    } cases[] = {
        {Inf("TXA4720"), true},
        {Inf("TXA4320 PCI Audio"), true},
        {Inf("\"TXA4720 Legacy\""), true},
        {Inf("Orvane Legacy Audio"), true},
        {Inf("\"Orvane\""), true},
        {Inf("ORVANE Legacy Audio"), false},
        {Inf("txa4720"), false},
        {Inf("TXA472"), false},
        {Inf(" "), false},
        {Inf(""), false},
        {Inf("Legacy TXA4720"), false},
        {"[Strings]\r\nTQR-Legacy.Description=TXA4720\r\n", false},
        {"[Other]\r\nTQR-Legacy.DeviceDesc=TXA4720\r\n", false},
        {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        machine.files.AddFile(Win("INF\\OEM5.INF"), c.text);
        RemoveOldDriverFiles();
        EXPECT_EQ(!c.deleted, machine.files.Exists(Win("INF\\OEM5.INF")));
    }
}

TEST_F(FileCleanupTest, AFileThatCannotBeDeletedStaysAndTheScanGoesOn) {
    machine.files.AddFile(Win("INF\\OEM0.INF"), PreviousInf);
    machine.files.AddFile(Win("INF\\OEM1.INF"), PreviousInf);
    machine.faults.Fail("DeleteFileA", "*\\OEM0.INF");
    RemoveOldDriverFiles();
    EXPECT_TRUE(machine.files.Exists(Win("INF\\OEM0.INF")));
    EXPECT_FALSE(machine.files.Exists(Win("INF\\OEM1.INF")));
}

TEST_F(FileCleanupTest, NoSystemFilesNoWininitButTheRunEntryIsEmptied) {
    machine.files.AddFile(Win("WIN.INI"),
                          "[windows]\r\nload=\r\nrun=C:\\TRAY\\TRAY.EXE\r\nBeep=yes\r\n");
    machine.files.AddFile(Win("SYSTEM\\SPATIAL.OLD"), "backup only");
    RemoveOldDriverFiles();
    EXPECT_FALSE(machine.files.Exists(Win("WININIT.INI")));
    EXPECT_EQ("[windows]\r\nload=\r\nrun= \r\nBeep=yes\r\n",
              machine.files.Contents(Win("WIN.INI")));
}

TEST_F(FileCleanupTest, EveryPresentSystemFileIsScheduledInTableOrder) {
    for (const auto& file : fixtures::SystemFileRenames)
        machine.files.AddFile(Win("SYSTEM\\") + file.first, file.first);
    RemoveOldDriverFiles();

    EXPECT_EQ(ExpectedRenames(AllRows()), Renames());
    EXPECT_EQ("C:\\WINDOWS\\SYSTEM\\SYNTHPCI.OLD", Renames().back().first);
    EXPECT_EQ("C:\\WINDOWS\\SYSTEM\\SYNTHPCI.DLL", Renames().back().second);
    // Nothing is renamed before Windows starts again; then every file has its backup name.
    EXPECT_TRUE(machine.files.Exists(Win("SYSTEM\\SPATIAL.DLL")));
    machine.Restart();
    for (const auto& file : fixtures::SystemFileRenames) {
        EXPECT_FALSE(machine.files.Exists(Win("SYSTEM\\") + file.first));
        EXPECT_EQ(file.first, machine.files.Contents(Win("SYSTEM\\") + file.second));
    }
}

TEST_F(FileCleanupTest, OnlyPresentFilesAreScheduled) {
    machine.files.AddFile(Win("SYSTEM\\SPATIAL.DLL"), "");
    machine.files.AddFile(Win("SYSTEM\\BANKSMP.DAT"), "");
    machine.files.AddFile(Win("SYSTEM\\SYNTHPCI.OLD"), ""); // its backup name only
    RemoveOldDriverFiles();
    EXPECT_EQ(ExpectedRenames({0, 13}), Renames());
}

TEST_F(FileCleanupTest, SecondRunLeavesOneLinePerFile) {
    machine.files.AddFile(Win("WININIT.INI"), "[rename]\r\nNUL=C:\\WINDOWS\\TEMP\\X.TMP\r\n");
    for (const auto& file : fixtures::SystemFileRenames)
        machine.files.AddFile(Win("SYSTEM\\") + file.first, "");
    RemoveOldDriverFiles();
    RemoveOldDriverFiles();
    Entries expected = {{"NUL", "C:\\WINDOWS\\TEMP\\X.TMP"}};
    for (const auto& entry : ExpectedRenames(AllRows()))
        expected.push_back(entry);
    EXPECT_EQ(expected, Renames());
}

TEST_F(FileCleanupTest, WindowsDirectoryOfAnyLength) {
    machine.windowsDirectory = "C:\\" + std::string(70, 'W');
    machine.systemDirectory = machine.windowsDirectory + "\\SYSTEM";
    machine.files.AddFile(Win("INF\\OTHER\\LONGER-THAN-EIGHT-THREE.INF"), PreviousInf);
    machine.files.AddFile(Win("SYSTEM\\SYNTHPCI.DLL"), "");
    RemoveOldDriverFiles();
    EXPECT_FALSE(machine.files.Exists(Win("INF\\OTHER\\LONGER-THAN-EIGHT-THREE.INF")));
    EXPECT_EQ(ExpectedRenames({16}), Renames());
    EXPECT_EQ("[Windows]\r\nrun= \r\n", machine.files.Contents(Win("WIN.INI")));
}

} // namespace
