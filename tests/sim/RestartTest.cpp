// The machine's restart: WININIT.INI [rename] as Windows 95/98 carry it out at boot.
#include "platform/Process.h"
#include "platform/Profile.h"
#include "platform/WinDefs.h"
#include "tests/sim/SimFixture.h"

namespace {

class RestartTest : public SimTest {};

TEST_F(RestartTest, WininitRenamesDeletesAndIsKeptAsBackup) {
    machine.files.AddFile("C:\\WINDOWS\\SYSTEM\\SPATIAL.DLL", "old spatial");
    machine.files.AddFile("C:\\WINDOWS\\SYSTEM\\SYNTHPCI.DLL", "old synth", sim::AttrReadOnly);
    machine.files.AddFile("C:\\WINDOWS\\SYSTEM\\SYNTHPCI.OLD", "older backup");
    machine.files.AddFile("C:\\WINDOWS\\SYSTEM\\TEMP.TMP", "temp");
    machine.files.AddFile("C:\\WINDOWS\\WININIT.BAK", "previous");
    machine.files.AddFile("C:\\WINDOWS\\WININIT.INI",
                          "[Rename]\r\n"
                          "C:\\WINDOWS\\SYSTEM\\SPATIAL.OLD=C:\\WINDOWS\\SYSTEM\\SPATIAL.DLL\r\n"
                          "C:\\WINDOWS\\SYSTEM\\SYNTHPCI.OLD=C:\\WINDOWS\\SYSTEM\\SYNTHPCI.DLL\r\n"
                          "NUL=C:\\WINDOWS\\SYSTEM\\TEMP.TMP\r\n"
                          "C:\\WINDOWS\\SYSTEM\\GONE.OLD=C:\\WINDOWS\\SYSTEM\\GONE.DLL\r\n");
    machine.Advance(1234);
    machine.Restart();

    EXPECT_FALSE(machine.files.Exists("C:\\WINDOWS\\SYSTEM\\SPATIAL.DLL"));
    EXPECT_EQ("old spatial", machine.files.Contents("C:\\WINDOWS\\SYSTEM\\SPATIAL.OLD"));
    EXPECT_EQ("old synth", machine.files.Contents("C:\\WINDOWS\\SYSTEM\\SYNTHPCI.OLD"));
    EXPECT_FALSE(machine.files.Exists("C:\\WINDOWS\\SYSTEM\\TEMP.TMP"));
    EXPECT_FALSE(machine.files.Exists("C:\\WINDOWS\\WININIT.INI"));
    EXPECT_NE(std::string::npos,
              machine.files.Contents("C:\\WINDOWS\\WININIT.BAK").find("SPATIAL.OLD"));
    EXPECT_EQ(0u, machine.TickCount());
    std::vector<std::string> lines;
    for (const auto& e : machine.journal.Of("wininit"))
        lines.push_back(e.detail);
    EXPECT_EQ((std::vector<std::string>{
                  "renamed C:\\WINDOWS\\SYSTEM\\SPATIAL.DLL -> C:\\WINDOWS\\SYSTEM\\SPATIAL.OLD",
                  "renamed C:\\WINDOWS\\SYSTEM\\SYNTHPCI.DLL -> C:\\WINDOWS\\SYSTEM\\SYNTHPCI.OLD",
                  "deleted C:\\WINDOWS\\SYSTEM\\TEMP.TMP",
                  "cannot rename C:\\WINDOWS\\SYSTEM\\GONE.DLL -> C:\\WINDOWS\\SYSTEM\\GONE.OLD",
                  "C:\\WINDOWS\\WININIT.INI -> C:\\WINDOWS\\WININIT.BAK"}),
              lines);
}

TEST_F(RestartTest, WindowsNtDoesNotReadWininit) {
    machine.ApplyPreset(sim::Preset::WindowsNT4);
    machine.files.AddFile("C:\\WINNT\\SYSTEM32\\A.DLL", "a");
    machine.files.AddFile("C:\\WINNT\\WININIT.INI",
                          "[rename]\r\nC:\\WINNT\\SYSTEM32\\A.OLD=C:\\WINNT\\SYSTEM32\\A.DLL\r\n");
    machine.Restart();
    EXPECT_TRUE(machine.files.Exists("C:\\WINNT\\SYSTEM32\\A.DLL"));
    EXPECT_TRUE(machine.files.Exists("C:\\WINNT\\WININIT.INI"));
}

TEST_F(RestartTest, RestartRequestIsRecorded) {
    EXPECT_TRUE(os::ExitWindowsEx(os::EWX_REBOOT, 0));
    EXPECT_EQ(1, machine.RestartRequests());
    ASSERT_EQ(1u, machine.journal.Of("restart requested").size());
    EXPECT_EQ("flags 0x00000002", machine.journal.Of("restart requested")[0].detail);
}

} // namespace
