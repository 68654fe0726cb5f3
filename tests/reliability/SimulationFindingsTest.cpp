// Faults the fuzzers found in the simulated machine, each fixed: the .reg reader let
// malformed numbers and deletions under unknown roots escape as other exceptions than its
// std::runtime_error naming the line; a deletion could remove the key that
// HKEY_CLASSES_ROOT stands for for good, leaving a registry that no .reg text describes; and a
// profile value with a NUL byte in the file was handed to the program past the NUL, where
// Windows hands over a C string.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Profile.h"
#include "platform/Registry.h"
#include "platform/WinDefs.h"
#include "platform/sim/Machine.h"
#include "platform/sim/RegistryModel.h"

namespace {

const std::string Header = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Key]\r\n";

TEST(SimulationFindings, MalformedRegTextIsRefusedNamingItsLine) {
    const char* const lines[] = {
        "[-HKEY_NOWHERE\\Key]", "\"A\"=dword:zz",      "\"A\"=dword:123456789",
        "\"A\"=dword:",         "\"A\"=hex():00",       "\"A\"=hex(zz):00",
        "\"A\"=hex(123456789):00",
    };
    for (const char* line : lines) {
        sim::Registry registry;
        try {
            registry.LoadReg(Header + line + "\r\n");
            ADD_FAILURE() << line << " was accepted";
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find("4"), std::string::npos)
                << line << ": " << error.what();
        }
    }
}

TEST(SimulationFindings, ShortAndFullHexNumbersStillRead) {
    sim::Registry registry;
    registry.LoadReg(Header + "\"A\"=dword:2a\r\n\"B\"=dword:FFFFFFFF\r\n\"C\"=hex(7):41,00,00\r\n");
    EXPECT_EQ(registry.Value("HKLM\\Key", "A").data, std::string("\x2a\0\0\0", 4));
    EXPECT_EQ(registry.Value("HKLM\\Key", "B").data, std::string(4, '\xff'));
    EXPECT_EQ(registry.Value("HKLM\\Key", "C").type, 7u);
}

TEST(SimulationFindings, ThePredefinedKeysComeBackEmptyWhenDeletedWithAKeyAboveThem) {
    sim::Registry registry;
    registry.LoadReg("REGEDIT4\r\n\r\n[HKEY_CLASSES_ROOT\\Spatial]\r\n\r\n"
                     "[HKEY_LOCAL_MACHINE\\Enum]\r\n\r\n"
                     "[-HKEY_LOCAL_MACHINE\\SOFTWARE]\r\n\r\n[-HKEY_USERS\\.DEFAULT]\r\n");
    // Made again in its place: the first key of HKEY_LOCAL_MACHINE, as in a new registry.
    EXPECT_EQ(registry.SubkeyNames("HKLM"), (std::vector<std::string>{"SOFTWARE", "Enum"}));
    EXPECT_FALSE(registry.KeyExists("HKCR\\Spatial"));
    EXPECT_TRUE(registry.KeyExists("HKCR"));
    EXPECT_TRUE(registry.KeyExists("HKCU"));
    const std::string saved = registry.SaveReg();
    sim::Registry again;
    again.LoadReg(saved);
    EXPECT_EQ(again.SaveReg(), saved);

    sim::Machine machine;
    sim::MachineScope scope(machine);
    machine.registry.AddKey("HKCR\\CLSID\\X");
    EXPECT_EQ(os::RegDeleteKeyA(os::HKEY_LOCAL_MACHINE, "SOFTWARE"), os::ERROR_SUCCESS);
    EXPECT_EQ(os::RegDeleteKeyA(os::HKEY_CLASSES_ROOT, "CLSID"), os::ERROR_FILE_NOT_FOUND);
    os::HKEY key = nullptr;
    EXPECT_EQ(os::RegCreateKeyExA(os::HKEY_CLASSES_ROOT, "Spatial", os::KEY_WRITE, &key),
              os::ERROR_SUCCESS);
    os::RegCloseKey(key);
}

TEST(SimulationFindings, AProfileValueEndsAtANulByte) {
    sim::Machine machine;
    sim::MachineScope scope(machine);
    machine.files.AddFile("C:\\A.INF", std::string("[S]\r\n1=\"ab\0cd\"\r\n", 16));
    const CString value = os::GetPrivateProfileStringA("S", "1", "", "C:\\A.INF");
    EXPECT_EQ(std::string(value.GetString(), value.GetLength()), "\"ab");
}

} // namespace
