// The unattended installation from start-up to the restart, on the example machine with the
// example installation tree (examples/): the program started as a process with "/driver" or
// with DriverOnly=1, then Windows 98 restarted.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/sim/HostFolder.h"
#include "platform/sim/Machine.h"
#include "platform/sim/Program.h"
#include "tests/fixtures/SystemFiles.h"

namespace {


const std::string Examples = std::string(SOURCE_ROOT) + "/examples";
const char* const TreeDir = "D:\\ORVANE";

const char* const PreviousKeys[] = {
    "HKLM\\System\\CurrentControlSet\\services\\Class\\MEDIA\\0001",
    "HKLM\\System\\CurrentControlSet\\services\\Class\\MEDIA\\0002",
    "HKLM\\System\\CurrentControlSet\\control\\MediaResources\\aux\\ORVWAVE.DRV<0001>",
    "HKLM\\System\\CurrentControlSet\\control\\MediaResources\\midi\\UARTPORT.DRV<0001>",
    "HKLM\\System\\CurrentControlSet\\control\\MediaResources\\midi\\SYNTHDR.DRV<0002>",
    "HKLM\\System\\CurrentControlSet\\control\\MediaResources\\mixer\\ORVWAVE.DRV<0001>",
    "HKLM\\System\\CurrentControlSet\\control\\MediaResources\\wave\\ORVWAVE.DRV<0001>",
    "HKLM\\System\\CurrentControlSet\\control\\MediaResources\\wave\\WAVEDRV.DRV<0002>",
    "HKLM\\Enum\\PCI\\VEN_4D2A&DEV_0120&SUBSYS_20004D2A&REV_01",
    "HKLM\\Enum\\PCI\\VEN_4D2A&DEV_0121&SUBSYS_20004D2A&REV_01",
    "HKLM\\Enum\\VIRTUAL\\TQR-SWMIDI",
    "HKLM\\Enum\\VIRTUAL\\TQR-DOSEMU",
    "HKLM\\Enum\\VIRTUAL\\TQR-LEGACY",
    "HKLM\\Enum\\VIRTUAL\\TQR-SBEMU",
    "HKLM\\Enum\\VIRTUAL\\TQR-JOYSTK",
    "HKCR\\Spatial",
    "HKCR\\CLSID\\{D8F1EEE0-F634-11CF-8700-00A0245D918B}",
};

const char* const OtherVendorsKeys[] = {
    "HKLM\\System\\CurrentControlSet\\services\\Class\\MEDIA\\0000",
    "HKLM\\System\\CurrentControlSet\\control\\MediaResources\\midi\\JOYMIDI.DRV<0000>",
    "HKLM\\Enum\\PCI\\VEN_8086&DEV_7110",
    "HKCR\\CLSID\\{5E3A1C20-7B41-11D2-9C4E-0060B0C4A3D1}",
};


class UnattendedExampleTest : public ::testing::Test {
protected:
    UnattendedExampleTest() {
        machine.Load(Examples + "/machine");
        machine.files.AddDrive('D');
        sim::ImportHostFolder(machine.files, Examples + "/tree", TreeDir);
        machine.currentDirectory = TreeDir;
    }

    void ExpectInstalledAndRestarted() {
        for (const char* key : PreviousKeys)
            EXPECT_FALSE(machine.registry.KeyExists(key)) << key;
        for (const char* key : OtherVendorsKeys)
            EXPECT_TRUE(machine.registry.KeyExists(key)) << key;
        EXPECT_EQ(machine.files.List("C:\\WINDOWS\\INF\\OTHER"),
                  (std::vector<std::string>{"VendorJOYMIDI.INF", "ORVLEG.INF", "ORVPCI.INF"}));
        EXPECT_TRUE(machine.files.Exists("C:\\Orvane\\DOS\\DOSAPP\\ORVMIX.EXE"));
        EXPECT_TRUE(machine.files.Exists("C:\\Orvane\\W95-98\\026\\BANK026.DAT"));
        EXPECT_EQ(machine.RestartRequests(), 1);

        machine.Restart();

        for (const auto& rename : fixtures::SystemFileRenames) {
            EXPECT_FALSE(machine.files.Exists(std::string("C:\\WINDOWS\\SYSTEM\\") + rename.first))
                << rename.first;
            EXPECT_TRUE(machine.files.Exists(std::string("C:\\WINDOWS\\SYSTEM\\") + rename.second))
                << rename.second;
        }
        EXPECT_TRUE(machine.files.Exists("C:\\WINDOWS\\SYSTEM\\MMSYSTEM.DLL"));
        EXPECT_TRUE(machine.files.Exists("C:\\WINDOWS\\WININIT.BAK"));
        EXPECT_NE(machine.files.Contents("C:\\WINDOWS\\WIN.INI").find("run= \r\n"),
                  std::string::npos);
    }

    sim::Machine machine;
};

TEST_F(UnattendedExampleTest, TheDriverWordOnTheCommandLineInstallsAndTheRestartRenames) {
    EXPECT_EQ(sim::RunProgram(machine, "D:\\ORVANE\\SETUP.EXE /driver"), 0);
    ExpectInstalledAndRestarted();
}

TEST_F(UnattendedExampleTest, DriverOnlyInSetupIniInstallsAndTheRestartRenames) {
    machine.files.AddFile("D:\\ORVANE\\Setup.ini", "[InstallOption]\r\nDriverOnly=1\r\n");
    EXPECT_EQ(sim::RunProgram(machine, "D:\\ORVANE\\SETUP.EXE"), 0);
    ExpectInstalledAndRestarted();
}

} // namespace
