// The simulated registry: lookups, enumeration order, both delete rules, REGEDIT4 text.
#include "platform/Registry.h"
#include "platform/WinDefs.h"
#include "tests/sim/SimFixture.h"

namespace {

const char MediaKey[] = "HKLM\\System\\CurrentControlSet\\services\\Class\\MEDIA";

class RegistryTest : public SimTest {
protected:
    std::vector<std::string> EnumKeys(os::HKEY root, const char* path) {
        os::HKEY key;
        EXPECT_EQ(os::ERROR_SUCCESS,
                  os::RegOpenKeyExA(root, path, 0, os::KEY_ENUMERATE_SUB_KEYS, &key));
        std::vector<std::string> names;
        CString name;
        for (os::DWORD i = 0; os::RegEnumKeyExA(key, i, name) == os::ERROR_SUCCESS; ++i)
            names.push_back(Text(name));
        os::RegCloseKey(key);
        return names;
    }
};

TEST_F(RegistryTest, KeysAreFoundWithoutRegardToCaseAndEnumeratedInCreationOrder) {
    machine.registry.AddKey(std::string(MediaKey) + "\\0002");
    machine.registry.AddKey(std::string(MediaKey) + "\\0000");
    machine.registry.AddKey(std::string(MediaKey) + "\\0001");
    EXPECT_EQ((std::vector<std::string>{"0002", "0000", "0001"}),
              EnumKeys(os::HKEY_LOCAL_MACHINE, "SYSTEM\\currentcontrolset\\SERVICES\\class\\media"));

    machine.registry.SetString(std::string(MediaKey) + "\\0000", "Zeta", "z");
    machine.registry.SetString(std::string(MediaKey) + "\\0000", "ProviderName", "ORVANE");
    os::HKEY key;
    ASSERT_EQ(os::ERROR_SUCCESS,
              os::RegOpenKeyExA(os::HKEY_LOCAL_MACHINE,
                                "System\\CurrentControlSet\\services\\Class\\MEDIA\\0000", 0,
                                os::KEY_READ, &key));
    CString name, data;
    os::DWORD type = 0;
    ASSERT_EQ(os::ERROR_SUCCESS, os::RegEnumValueA(key, 1, name, &type, &data));
    EXPECT_EQ("ProviderName", Text(name));
    EXPECT_EQ("ORVANE", Text(data));
    EXPECT_EQ(os::REG_SZ, type);
    EXPECT_EQ(os::ERROR_NO_MORE_ITEMS, os::RegEnumValueA(key, 2, name));
    ASSERT_EQ(os::ERROR_SUCCESS, os::RegQueryValueExA(key, "providername", &type, data));
    EXPECT_EQ(os::ERROR_FILE_NOT_FOUND, os::RegQueryValueExA(key, "Missing", &type, data));
    EXPECT_EQ(os::ERROR_SUCCESS, os::RegCloseKey(key));
    EXPECT_EQ(0u, machine.registry.OpenHandleCount());

    EXPECT_EQ(os::ERROR_FILE_NOT_FOUND,
              os::RegOpenKeyExA(os::HKEY_LOCAL_MACHINE, "Enum\\PCI", 0, os::KEY_READ, &key));
    EXPECT_EQ(nullptr, key);
}

TEST_F(RegistryTest, AccessIsChecked) {
    machine.registry.SetString(std::string(MediaKey) + "\\0000", "ProviderName", "ORVANE");
    os::HKEY key;
    ASSERT_EQ(os::ERROR_SUCCESS,
              os::RegOpenKeyExA(os::HKEY_LOCAL_MACHINE,
                                "System\\CurrentControlSet\\services\\Class\\MEDIA", 0,
                                os::KEY_ENUMERATE_SUB_KEYS, &key));
    CString name;
    EXPECT_EQ(os::ERROR_SUCCESS, os::RegEnumKeyExA(key, 0, name));
    EXPECT_EQ(os::ERROR_ACCESS_DENIED, os::RegEnumValueA(key, 0, name));
    machine.registry.checkAccess = false; // as Windows 95/98
    EXPECT_EQ(os::ERROR_NO_MORE_ITEMS, os::RegEnumValueA(key, 0, name));
    os::RegCloseKey(key);
}

TEST_F(RegistryTest, DeleteRules) {
    for (bool nt : {false, true}) {
        machine.registry.ntDeleteRule = nt;
        machine.registry.SetString("HKLM\\Enum\\PCI\\VEN_4D2A&DEV_0101\\BUS_00", "Driver", "x");
        os::LONG result = os::RegDeleteKeyA(os::HKEY_LOCAL_MACHINE, "Enum\\PCI\\VEN_4D2A&DEV_0101");
        if (nt) {
            // Windows NT refuses a key that still has subkeys.
            EXPECT_EQ(os::ERROR_ACCESS_DENIED, result);
            EXPECT_TRUE(machine.registry.KeyExists("HKLM\\Enum\\PCI\\VEN_4D2A&DEV_0101\\BUS_00"));
        } else {
            // Windows 95/98 delete the whole subtree.
            EXPECT_EQ(os::ERROR_SUCCESS, result);
            EXPECT_FALSE(machine.registry.KeyExists("HKLM\\Enum\\PCI\\VEN_4D2A&DEV_0101"));
            EXPECT_TRUE(machine.registry.KeyExists("HKLM\\Enum\\PCI"));
        }
        machine.registry.DeleteKey("HKLM\\Enum");
    }
    EXPECT_EQ(os::ERROR_FILE_NOT_FOUND, os::RegDeleteKeyA(os::HKEY_LOCAL_MACHINE, "Enum\\PCI"));
    ASSERT_EQ(1u, machine.journal.Of("delete key").size());
    EXPECT_EQ("HKEY_LOCAL_MACHINE\\Enum\\PCI\\VEN_4D2A&DEV_0101",
              machine.journal.Of("delete key")[0].detail);
}

TEST_F(RegistryTest, OpenHandleToADeletedKey) {
    machine.registry.AddKey("HKLM\\Enum\\VIRTUAL\\TQR-SWMIDI");
    os::HKEY key;
    ASSERT_EQ(os::ERROR_SUCCESS, os::RegOpenKeyExA(os::HKEY_LOCAL_MACHINE,
                                                   "Enum\\VIRTUAL\\TQR-SWMIDI", 0,
                                                   os::KEY_READ, &key));
    ASSERT_EQ(os::ERROR_SUCCESS,
              os::RegDeleteKeyA(os::HKEY_LOCAL_MACHINE, "Enum\\VIRTUAL\\TQR-SWMIDI"));
    CString name;
    EXPECT_NE(os::ERROR_SUCCESS, os::RegEnumKeyExA(key, 0, name));
    EXPECT_EQ(os::ERROR_SUCCESS, os::RegCloseKey(key));
}

TEST_F(RegistryTest, ClassesRootIsPartOfLocalMachine) {
    machine.registry.AddKey("HKCR\\CLSID\\{D8F1EEE0-F634-11CF-8700-00A0245D918B}");
    EXPECT_TRUE(machine.registry.KeyExists(
        "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{D8F1EEE0-F634-11CF-8700-00A0245D918B}"));
    EXPECT_EQ(os::ERROR_SUCCESS,
              os::RegDeleteKeyA(os::HKEY_CLASSES_ROOT,
                                "CLSID\\{D8F1EEE0-F634-11CF-8700-00A0245D918B}"));
    EXPECT_EQ("HKEY_CLASSES_ROOT\\CLSID\\{D8F1EEE0-F634-11CF-8700-00A0245D918B}",
              machine.journal.Of("delete key")[0].detail);
}

TEST_F(RegistryTest, KeyNameLimit) {
    os::HKEY key;
    std::string longest(sim::MaxKeyNameLength, 'k');
    EXPECT_EQ(os::ERROR_SUCCESS,
              os::RegCreateKeyExA(os::HKEY_LOCAL_MACHINE, longest.c_str(), os::KEY_ALL_ACCESS, &key));
    os::RegCloseKey(key);
    std::string tooLong(sim::MaxKeyNameLength + 1, 'k');
    EXPECT_EQ(os::ERROR_INVALID_PARAMETER,
              os::RegCreateKeyExA(os::HKEY_LOCAL_MACHINE, tooLong.c_str(), os::KEY_ALL_ACCESS, &key));
}

TEST_F(RegistryTest, RegeditTextRoundTrip) {
    const std::string text =
        "REGEDIT4\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\services\\Class\\MEDIA\\0000]\r\n"
        "\"ProviderName\"=\"ORVANE\"\r\n"
        "@=\"default \\\"quoted\\\" C:\\\\WINDOWS\"\r\n"
        "\"Flags\"=dword:0000002a\r\n"
        "\"Bytes\"=hex:00,01,fe,ff,00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,\\\r\n"
        "  12,13,14\r\n"
        "\"Expand\"=hex(2):25,57,49,4e,44,49,52,25,00\r\n"
        "\"Multi\"=hex(7):61,00,62,00,00\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE]\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes]\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Spatial]\r\n"
        "\r\n"
        "[HKEY_USERS\\.DEFAULT]\r\n"
        "\r\n";
    sim::Registry registry;
    registry.LoadReg(text);
    const std::string key = std::string(MediaKey) + "\\0000";
    EXPECT_EQ("default \"quoted\" C:\\WINDOWS", registry.Value(key, "").data);
    EXPECT_EQ(std::string("\x2a\0\0\0", 4), registry.Value(key, "Flags").data);
    EXPECT_EQ(25u, registry.Value(key, "Bytes").data.size());
    EXPECT_EQ("%WINDIR%", registry.Value(key, "Expand").data);
    EXPECT_EQ(os::REG_EXPAND_SZ, registry.Value(key, "Expand").type);
    EXPECT_EQ(std::string("a\0b\0\0", 5), registry.Value(key, "Multi").data);
    EXPECT_TRUE(registry.KeyExists("HKCR\\Spatial"));

    sim::Registry again;
    again.LoadReg(registry.SaveReg());
    EXPECT_EQ(registry.SaveReg(), again.SaveReg());
    // Sections come out as regedit writes them (a fresh registry holds SOFTWARE first).
    const std::string media = text.substr(text.find("[HKEY_LOCAL_MACHINE\\System"),
                                          text.find("[HKEY_LOCAL_MACHINE\\SOFTWARE]") -
                                              text.find("[HKEY_LOCAL_MACHINE\\System"));
    EXPECT_NE(std::string::npos, registry.SaveReg().find(media)) << registry.SaveReg();
}

TEST_F(RegistryTest, MalformedRegeditTextNamesTheLine) {
    sim::Registry registry;
    EXPECT_THROW(registry.LoadReg("[HKEY_LOCAL_MACHINE\\X]\r\n"), std::runtime_error);
    try {
        registry.LoadReg("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\X]\r\n\"a\"=what\r\n");
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string::npos, std::string(e.what()).find("line 4"));
    }
}

TEST_F(RegistryTest, StringCompare) {
    EXPECT_EQ(0, os::lstrcmpA("ORVANE", "ORVANE"));
    EXPECT_NE(0, os::lstrcmpA("ORVANE", "Orvane"));
    EXPECT_LT(os::lstrcmpA("ABC", "ABD"), 0);
    EXPECT_GT(os::lstrcmpA("ABCD", "ABC"), 0);
    EXPECT_GT(os::lstrcmpA("\xE4", "a"), 0); // bytes compare unsigned
    EXPECT_EQ(0, os::lstrcmpiA("aux1", "AUX1"));
    EXPECT_NE(0, os::lstrcmpiA("aux1", "AUX2"));
}

} // namespace
