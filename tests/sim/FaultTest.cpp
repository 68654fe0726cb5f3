// Fault injection: any call site can be made to fail as Windows would.
#include "platform/Files.h"
#include "platform/Profile.h"
#include "platform/Registry.h"
#include "platform/WinDefs.h"
#include "tests/sim/SimFixture.h"

namespace {

class FaultTest : public SimTest {};

TEST_F(FaultTest, PatternFaultsFailMatchingCallsOnly) {
    machine.files.AddFile("C:\\CD\\A.INF", "a");
    machine.files.AddDirectory("C:\\Orvane");
    machine.faults.Fail("CopyFileA", "C:\\ORVANE\\*");
    EXPECT_FALSE(os::CopyFileA("C:\\CD\\A.INF", "C:\\Orvane\\A.INF", os::FALSE));
    EXPECT_EQ(os::DWORD(os::ERROR_ACCESS_DENIED), os::GetLastError());
    EXPECT_FALSE(machine.files.Exists("C:\\Orvane\\A.INF"));
    EXPECT_TRUE(os::CopyFileA("C:\\CD\\A.INF", "C:\\A.INF", os::FALSE));
    EXPECT_TRUE(machine.journal.Of("copy").size() == 1);

    machine.faults.Fail("RegOpenKeyExA", "HKEY_LOCAL_MACHINE\\Enum\\*", os::ERROR_GEN_FAILURE);
    machine.registry.AddKey("HKLM\\Enum\\PCI");
    os::HKEY key;
    EXPECT_EQ(os::ERROR_GEN_FAILURE,
              os::RegOpenKeyExA(os::HKEY_LOCAL_MACHINE, "Enum\\PCI", 0, os::KEY_READ, &key));

    machine.faults.Fail("fopen");
    EXPECT_EQ(nullptr, os::fopen("C:\\CD\\A.INF", "rb"));
    machine.faults.Clear();
    os::FILE* file = os::fopen("C:\\CD\\A.INF", "rb");
    EXPECT_NE(nullptr, file);
    os::fclose(file);
}

TEST_F(FaultTest, NthCallFailsOnce) {
    machine.faults.FailNth("WritePrivateProfileStringA", 2);
    EXPECT_TRUE(os::WritePrivateProfileStringA("S", "a", "1", "X.INI"));
    EXPECT_FALSE(os::WritePrivateProfileStringA("S", "b", "2", "X.INI"));
    EXPECT_TRUE(os::WritePrivateProfileStringA("S", "c", "3", "X.INI"));
    EXPECT_EQ("[S]\r\na=1\r\nc=3\r\n", machine.files.Contents("C:\\WINDOWS\\X.INI"));
    EXPECT_EQ(3, machine.faults.Calls("WritePrivateProfileStringA"));
    EXPECT_EQ(1u, machine.faults.Sites().size()); // one distinct subject
}

} // namespace
