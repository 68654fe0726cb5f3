// Contract tests of the profile, registry and file services: the same checks over the
// simulated machine and, under Wine, over the real Windows API.
#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/Profile.h"
#include "platform/Registry.h"
#include "platform/WinDefs.h"
#include "tests/contract/Check.h"
#include "tests/contract/Environment.h"

namespace {

using contract::Environment;

const char* const OptionsText = "[Options]\r\n"
                                "Name=Plain\r\n"
                                "Quoted=\"With Quotes\"\r\n"
                                "Number=42\r\n"
                                "Negative=-17\r\n"
                                "Mixed=12abc\r\n"
                                "Word=yes\r\n"
                                "[Other]\r\n"
                                "Name=Second\r\n";

void WriteFile(const CString& path, const char* text) {
    // The services have no "create" mode: make the file through a profile write, then
    // overwrite its bytes.
    os::WritePrivateProfileStringA("x", "x", "x", path);
    os::FILE* file = os::fopen(path, "r+b");
    CHECK_TRUE(file != nullptr);
    if (!file)
        return;
    os::fwrite(text, StringLength(text), file);
    os::fclose(file);
}

CString ReadFile(const CString& path) {
    CString bytes;
    os::FILE* file = os::fopen(path, "rb");
    if (!file)
        return bytes;
    char buffer[512];
    int count;
    while ((count = os::fread(buffer, sizeof buffer, file)) > 0)
        bytes.Append(buffer, count);
    os::fclose(file);
    return bytes;
}

CString Repeat(char ch, int count) {
    CString text;
    for (int i = 0; i < count; ++i)
        text += ch;
    return text;
}

} // namespace

CONTRACT_TEST(Profile, ReadsValuesAsTheTableSays) {
    Environment env;
    CString ini = env.Dir() + "options.ini";
    WriteFile(ini, OptionsText);
    struct Row {
        const char* section;
        const char* key;
        const char* expected;
    } rows[] = {
        {"Options", "Name", "Plain"},        {"OPTIONS", "name", "Plain"},
        {"Options", "Quoted", "With Quotes"}, {"Other", "Name", "Second"},
        {"Options", "Missing", "def"},        {"Nosuch", "Name", "def"},
    };
    for (const Row& row : rows)
        CHECK_EQ(os::GetPrivateProfileStringA(row.section, row.key, "def", ini),
                 CString(row.expected));
    CHECK_EQ(os::GetPrivateProfileStringA("Options", "Name", "def", env.Dir() + "none.ini"),
             CString("def"));

    struct IntRow {
        const char* key;
        int def;
        os::UINT expected;
    } ints[] = {{"Number", 5, 42u},  {"Negative", 5, static_cast<os::UINT>(-17)},
                {"Mixed", 5, 12u},   {"Word", 5, 0u},
                {"Missing", 5, 5u}};
    for (const IntRow& row : ints)
        CHECK_EQ(os::GetPrivateProfileIntA("Options", row.key, row.def, ini), row.expected);
}

CONTRACT_TEST(Profile, WritesCreateAndReplace) {
    Environment env;
    CString ini = env.Dir() + "new.ini";
    CHECK_TRUE(os::WritePrivateProfileStringA("First", "Key", "one", ini));
    CHECK_TRUE(os::WritePrivateProfileStringA("first", "Key", "two", ini));
    CHECK_TRUE(os::WritePrivateProfileStringA("Second", "Other", "three", ini));
    CHECK_EQ(os::GetPrivateProfileStringA("FIRST", "key", "", ini), CString("two"));
    CHECK_EQ(os::GetPrivateProfileStringA("Second", "Other", "", ini), CString("three"));
    CString long1000 = Repeat('v', 1000);
    CHECK_TRUE(os::WritePrivateProfileStringA("Second", "Long", long1000, ini));
    CHECK_EQ(os::GetPrivateProfileStringA("Second", "Long", "", ini), long1000);
}

CONTRACT_TEST(Registry, ValuesComeBackWhole) {
    Environment env;
    os::HKEY key;
    CHECK_EQ(os::RegOpenKeyExA(os::HKEY_CURRENT_USER, env.KeyPath(), 0, os::KEY_ALL_ACCESS, &key),
             os::ERROR_SUCCESS);
    CString longName = Repeat('n', 300);
    CString longData = Repeat('d', 5000);
    CHECK_EQ(os::RegSetValueExA(key, "Text", os::REG_SZ, CString("value")), os::ERROR_SUCCESS);
    CHECK_EQ(os::RegSetValueExA(key, longName, os::REG_SZ, longData), os::ERROR_SUCCESS);
    CHECK_EQ(os::RegSetValueExA(key, "Number", os::REG_DWORD, CString("\x01\x02\x03\x04", 4)),
             os::ERROR_SUCCESS);

    os::DWORD type = 0;
    CString data;
    CHECK_EQ(os::RegQueryValueExA(key, "Text", &type, data), os::ERROR_SUCCESS);
    CHECK_EQ(type, os::REG_SZ);
    CHECK_EQ(data, CString("value"));
    CHECK_EQ(os::RegQueryValueExA(key, longName, &type, data), os::ERROR_SUCCESS);
    CHECK_EQ(data, longData);
    CHECK_EQ(os::RegQueryValueExA(key, "Number", &type, data), os::ERROR_SUCCESS);
    CHECK_EQ(type, os::REG_DWORD);
    CHECK_EQ(data, CString("\x01\x02\x03\x04", 4));
    CHECK_EQ(os::RegQueryValueExA(key, "Missing", &type, data), os::ERROR_FILE_NOT_FOUND);

    bool sawLong = false;
    CString name;
    os::DWORD index = 0;
    while (os::RegEnumValueA(key, index, name, &type, &data) == os::ERROR_SUCCESS) {
        if (name == longName) {
            sawLong = true;
            CHECK_EQ(data, longData);
        }
        ++index;
    }
    CHECK_EQ(index, 3u);
    CHECK_TRUE(sawLong);
    os::RegCloseKey(key);
}

CONTRACT_TEST(Registry, KeysEnumerateOpenAndDelete) {
    Environment env;
    os::HKEY root, child;
    CHECK_EQ(os::RegOpenKeyExA(os::HKEY_CURRENT_USER, env.KeyPath(), 0, os::KEY_ALL_ACCESS, &root),
             os::ERROR_SUCCESS);
    CString longName = Repeat('k', 200);
    CHECK_EQ(os::RegCreateKeyExA(root, longName, os::KEY_ALL_ACCESS, &child), os::ERROR_SUCCESS);
    os::RegCloseKey(child);
    CHECK_EQ(os::RegCreateKeyExA(root, "Parent\\Child", os::KEY_ALL_ACCESS, &child),
             os::ERROR_SUCCESS);
    os::RegCloseKey(child);

    CString name;
    CHECK_EQ(os::RegEnumKeyExA(root, 0, name), os::ERROR_SUCCESS);
    CHECK_EQ(os::RegEnumKeyExA(root, 1, name), os::ERROR_SUCCESS);
    CHECK_EQ(os::RegEnumKeyExA(root, 2, name), os::ERROR_NO_MORE_ITEMS);
    os::HKEY opened;
    CHECK_EQ(os::RegOpenKeyExA(root, longName, 0, os::KEY_READ, &opened), os::ERROR_SUCCESS);
    os::RegCloseKey(opened);
    CHECK_EQ(os::RegOpenKeyExA(root, "Missing", 0, os::KEY_READ, &opened),
             os::ERROR_FILE_NOT_FOUND);

    os::RegCloseKey(root);

    CHECK_EQ(os::lstrcmpiA("Driver", "DRIVER"), 0);
    CHECK_TRUE(os::lstrcmpA("Driver", "DRIVER") != 0);
}

// Windows 95/98 delete a key with its whole subtree; Windows NT refuses a key that has
// subkeys. Natively both families run; under Wine the one the prefix reports (twice).
CONTRACT_TEST(Registry, DeleteFollowsTheRuleOfTheReportedFamily) {
    for (contract::Family family : {contract::Family::Windows98, contract::Family::WindowsNT}) {
        Environment env(family);
        os::OSVERSIONINFOA version = {};
        version.dwOSVersionInfoSize = sizeof version;
        os::GetVersionExA(&version);
        bool nt = version.dwPlatformId == os::VER_PLATFORM_WIN32_NT;
        os::HKEY root, child, opened;
        CHECK_EQ(os::RegOpenKeyExA(os::HKEY_CURRENT_USER, env.KeyPath(), 0, os::KEY_ALL_ACCESS,
                                   &root),
                 os::ERROR_SUCCESS);
        CHECK_EQ(os::RegCreateKeyExA(root, "Parent\\Child", os::KEY_ALL_ACCESS, &child),
                 os::ERROR_SUCCESS);
        os::RegCloseKey(child);
        if (nt) {
            CHECK_EQ(os::RegDeleteKeyA(root, "Parent"), os::ERROR_ACCESS_DENIED);
            CHECK_EQ(os::RegDeleteKeyA(root, "Parent\\Child"), os::ERROR_SUCCESS);
        }
        CHECK_EQ(os::RegDeleteKeyA(root, "Parent"), os::ERROR_SUCCESS);
        CHECK_EQ(os::RegOpenKeyExA(root, "Parent", 0, os::KEY_READ, &opened),
                 os::ERROR_FILE_NOT_FOUND);
        os::RegCloseKey(root);
    }
}

CONTRACT_TEST(Files, StreamsSearchesAndCopies) {
    Environment env;
    CString path = env.Dir() + "data.bin";
    CHECK_TRUE(os::fopen(path, "rb") == nullptr);
    WriteFile(path, "0123456789");
    os::FILE* file = os::fopen(path, "r+b");
    CHECK_TRUE(file != nullptr);
    if (file) {
        CHECK_EQ(os::fseek(file, 0, os::FILE_END), 0);
        CHECK_EQ(os::ftell(file), 10L);
        CHECK_EQ(os::fseek(file, 4, os::FILE_BEGIN), 0);
        CHECK_EQ(os::fwrite("AB", 2, file), 2);
        char buffer[8] = {};
        CHECK_EQ(os::fread(buffer, 8, file), 4);
        CHECK_EQ(CString(buffer, 4), CString("6789"));
        os::fclose(file);
    }
    CHECK_EQ(ReadFile(path), CString("0123AB6789"));

    CHECK_TRUE(os::CopyFileA(path, env.Dir() + "copy.bin", os::FALSE));
    CHECK_TRUE(os::CopyFileA(path, env.Dir() + "copy.bin", os::FALSE));
    CHECK_TRUE(!os::CopyFileA(path, env.Dir() + "copy.bin", os::TRUE));
    CHECK_EQ(ReadFile(env.Dir() + "copy.bin"), CString("0123AB6789"));

    os::WIN32_FIND_DATAA found;
    os::HANDLE search = os::FindFirstFileA(env.Dir() + "*.bin", &found);
    CHECK_TRUE(search != os::INVALID_HANDLE_VALUE);
    int count = 1;
    while (os::FindNextFileA(search, &found))
        ++count;
    os::FindClose(search);
    CHECK_EQ(count, 2);
    CHECK_TRUE(os::FindFirstFileA(env.Dir() + "*.none", &found) == os::INVALID_HANDLE_VALUE);

    os::_finddata_t entry;
    intptr_t crt = os::_findfirst(env.Dir() + "data.bin", &entry);
    CHECK_TRUE(crt != -1);
    CHECK_EQ(entry.name, CString("data.bin"));
    CHECK_EQ(entry.size, 10ull);
    CHECK_TRUE(entry.time_create > 0);
    CHECK_EQ(os::_findnext(crt, &entry), -1);
    os::_findclose(crt);
    CHECK_EQ(os::_findfirst(env.Dir() + "*.none", &entry), static_cast<intptr_t>(-1));

    CString before = os::GetCurrentDirectoryA();
    CHECK_TRUE(os::SetCurrentDirectoryA(env.Dir()));
    CHECK_EQ(os::GetCurrentDirectoryA() + "\\", env.Dir());
    CHECK_TRUE(!os::SetCurrentDirectoryA(env.Dir() + "missing"));
    os::SetCurrentDirectoryA(before);
}
