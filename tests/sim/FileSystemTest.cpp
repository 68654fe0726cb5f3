// The simulated file system: search patterns, search order, copies, deletions, attributes,
// free space, the path limit and byte access.
#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/WinDefs.h"
#include "tests/sim/SimFixture.h"

namespace {

class FileSystemTest : public SimTest {
protected:
    // The names a FindFirstFileA/FindNextFileA search delivers, in order.
    std::vector<std::string> Search(const char* pattern) {
        std::vector<std::string> names;
        os::WIN32_FIND_DATAA data;
        os::HANDLE search = os::FindFirstFileA(pattern, &data);
        if (search == os::INVALID_HANDLE_VALUE)
            return names;
        do
            names.push_back(Text(data.cFileName));
        while (os::FindNextFileA(search, &data));
        EXPECT_EQ(os::DWORD(os::ERROR_NO_MORE_FILES), os::GetLastError());
        os::FindClose(search);
        return names;
    }
};

TEST(SearchPatternTest, WindowsMatching) {
    struct {
        const char* pattern;
        const char* name;
        bool matches;
    } cases[] = {
        {"*.*", "README", true},          {"*.*", "A.INF", true},
        {"*", "A.B.C", true},             {"*.INF", "oem12.inf", true},
        {"*.INF", "A.INF.BAK", false},    {"*.INF", "A.INFO", false}, // no 8.3 names here
        {"*.INF", "A.Inf", true},         {"OEM*.INF", "OEM3.INF", true},
        {"OEM*.INF", "XOEM3.INF", false}, {"OEM*.INF", "OEM.INF", true},
        {"*.", "README", true},           {"*.", "A.TXT", false},
        {"README.*", "README", true},     {"README.*", "README.TXT", true},
        {"A??", "A", true},               {"A??", "AB", true},
        {"A??", "ABCD", false},           {"A?C", "AC", false},
        {"A?C", "ABC", true},             {"?.INF", "A.INF", true},
        {"BANKSMP.DAT", "banksmp.dat", true},
        {"BANKSMP.DAT", "BANKSMP.DAT1", false}, {"*.INF", ".", false},
        {"*.*", "..", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.matches, sim::MatchesSearchPattern(c.pattern, c.name))
            << c.pattern << " / " << c.name;
}

TEST_F(FileSystemTest, SearchOrderAndDotEntries) {
    machine.files.AddFile("C:\\SRC\\b.inf", "b");
    machine.files.AddFile("C:\\SRC\\A.INF", "a");
    machine.files.AddDirectory("C:\\SRC\\026");
    machine.files.AddFile("C:\\SRC\\c.Inf", "c");
    EXPECT_EQ((std::vector<std::string>{".", "..", "b.inf", "A.INF", "026", "c.Inf"}),
              Search("C:\\SRC\\*.*"));
    EXPECT_EQ((std::vector<std::string>{"b.inf", "A.INF", "c.Inf"}), Search("c:\\src\\*.INF"));
    machine.files.SetOrder("C:\\SRC", {"c.inf", "A.INF"});
    EXPECT_EQ((std::vector<std::string>{"c.Inf", "A.INF", "b.inf", "026"}),
              machine.files.List("C:\\SRC"));
    // A root has no "." and ".." entries.
    EXPECT_EQ("SRC", Search("C:\\*.*").back());
    EXPECT_NE(".", Search("C:\\*.*").front());

    os::WIN32_FIND_DATAA data;
    EXPECT_EQ(os::INVALID_HANDLE_VALUE, os::FindFirstFileA("C:\\SRC\\*.DLL", &data));
    EXPECT_EQ(os::DWORD(os::ERROR_FILE_NOT_FOUND), os::GetLastError());
    EXPECT_EQ(os::INVALID_HANDLE_VALUE, os::FindFirstFileA("C:\\NONE\\*.*", &data));
    EXPECT_EQ(os::DWORD(os::ERROR_PATH_NOT_FOUND), os::GetLastError());
}

TEST_F(FileSystemTest, DirectoryEntriesCarryTheDirectoryAttribute) {
    machine.files.AddDirectory("C:\\SRC\\026");
    os::WIN32_FIND_DATAA data;
    os::HANDLE search = os::FindFirstFileA("C:\\SRC\\*.*", &data);
    ASSERT_NE(os::INVALID_HANDLE_VALUE, search);
    do
        EXPECT_TRUE(data.dwFileAttributes & os::FILE_ATTRIBUTE_DIRECTORY) << Text(data.cFileName);
    while (os::FindNextFileA(search, &data));
}

TEST_F(FileSystemTest, NamesIgnoreCaseAndKeepIt) {
    machine.files.AddFile("C:\\Orvane\\W95-98\\Setup.INI", "x");
    EXPECT_NE(os::INVALID_FILE_ATTRIBUTES, os::GetFileAttributesA("c:\\ORVANE\\w95-98\\setup.ini"));
    EXPECT_EQ((std::vector<std::string>{"Setup.INI"}), machine.files.List("C:\\ORVANE\\W95-98"));
    EXPECT_TRUE(os::SetCurrentDirectoryA("c:\\orvane\\"));
    EXPECT_EQ("C:\\orvane", Text(os::GetCurrentDirectoryA())); // as the program spelled it
    os::FILE* file = os::fopen("W95-98\\SETUP.INI", "rb"); // relative to the current directory
    ASSERT_NE(nullptr, file);
    os::fclose(file);
    EXPECT_FALSE(os::SetCurrentDirectoryA("C:\\Orvane\\Missing"));
    EXPECT_FALSE(os::SetCurrentDirectoryA("C:\\Orvane\\W95-98\\Setup.ini"));
}

TEST_F(FileSystemTest, CopySemantics) {
    sim::FileTime written = sim::FileTimeFromUtc(1998, 3, 1);
    machine.files.AddFile("C:\\CD\\DRV.VXD", "driver", sim::AttrReadOnly);
    machine.files.SetLastWriteTime("C:\\CD\\DRV.VXD", written);
    machine.files.AddDirectory("C:\\Orvane");
    machine.Advance(5000);

    ASSERT_TRUE(os::CopyFileA("C:\\CD\\DRV.VXD", "C:\\Orvane\\DRV.VXD", os::FALSE));
    EXPECT_EQ("driver", machine.files.Contents("C:\\Orvane\\DRV.VXD"));
    // The source's attributes come along, read-only included; its last-write time stays;
    // the copy is created now.
    EXPECT_TRUE(machine.files.Attributes("C:\\Orvane\\DRV.VXD") & sim::AttrReadOnly);
    EXPECT_EQ(written, machine.files.LastWriteTime("C:\\Orvane\\DRV.VXD"));
    EXPECT_EQ(machine.Now(), machine.files.CreationTime("C:\\Orvane\\DRV.VXD"));

    // A read-only destination is refused until its attribute is cleared.
    EXPECT_FALSE(os::CopyFileA("C:\\CD\\DRV.VXD", "C:\\Orvane\\DRV.VXD", os::FALSE));
    EXPECT_EQ(os::DWORD(os::ERROR_ACCESS_DENIED), os::GetLastError());
    ASSERT_TRUE(os::SetFileAttributesA("C:\\Orvane\\DRV.VXD", os::FILE_ATTRIBUTE_NORMAL));
    machine.files.AddFile("C:\\CD\\DRV.VXD", "new driver");
    sim::FileTime created = machine.files.CreationTime("C:\\Orvane\\DRV.VXD");
    machine.Advance(5000);
    ASSERT_TRUE(os::CopyFileA("C:\\CD\\DRV.VXD", "C:\\Orvane\\DRV.VXD", os::FALSE));
    EXPECT_EQ("new driver", machine.files.Contents("C:\\Orvane\\DRV.VXD"));
    EXPECT_EQ(created, machine.files.CreationTime("C:\\Orvane\\DRV.VXD"));

    EXPECT_FALSE(os::CopyFileA("C:\\CD\\DRV.VXD", "C:\\Orvane\\DRV.VXD", os::TRUE));
    EXPECT_EQ(os::DWORD(os::ERROR_FILE_EXISTS), os::GetLastError());
    EXPECT_FALSE(os::CopyFileA("C:\\CD\\NONE.VXD", "C:\\Orvane\\NONE.VXD", os::FALSE));
    EXPECT_EQ(os::DWORD(os::ERROR_FILE_NOT_FOUND), os::GetLastError());
    EXPECT_FALSE(os::CopyFileA("C:\\CD\\DRV.VXD", "C:\\Missing\\DRV.VXD", os::FALSE));
    EXPECT_EQ(os::DWORD(os::ERROR_PATH_NOT_FOUND), os::GetLastError());

    EXPECT_EQ((std::vector<std::string>{"C:\\CD\\DRV.VXD -> C:\\Orvane\\DRV.VXD",
                                        "C:\\CD\\DRV.VXD -> C:\\Orvane\\DRV.VXD"}),
              [&] {
                  std::vector<std::string> details;
                  for (const auto& e : machine.journal.Of("copy"))
                      details.push_back(e.detail);
                  return details;
              }());
    ASSERT_EQ(1u, machine.journal.Of("attributes").size());
    EXPECT_EQ("C:\\Orvane\\DRV.VXD: NORMAL", machine.journal.Of("attributes")[0].detail);
}

TEST_F(FileSystemTest, FreeSpaceFollowsWritesAndACopyThatDoesNotFitFails) {
    machine.files.AddFile("C:\\CD\\BIG.DAT", std::string(1000, 'x'));
    machine.files.AddFile("D:\\SMALL.DAT", std::string(10, 'y'));
    machine.files.SetFreeSpace('C', 1500);
    ASSERT_TRUE(os::CopyFileA("C:\\CD\\BIG.DAT", "C:\\BIG.DAT", os::FALSE));
    EXPECT_EQ(500u, machine.files.FreeSpace('C'));
    EXPECT_FALSE(os::CopyFileA("C:\\CD\\BIG.DAT", "C:\\BIG2.DAT", os::FALSE));
    EXPECT_EQ(os::DWORD(os::ERROR_DISK_FULL), os::GetLastError());
    EXPECT_FALSE(machine.files.Exists("C:\\BIG2.DAT"));
    // Overwriting a file of the same size needs no further space.
    ASSERT_TRUE(os::CopyFileA("C:\\CD\\BIG.DAT", "C:\\BIG.DAT", os::FALSE));
    ASSERT_TRUE(os::DeleteFileA("C:\\BIG.DAT"));
    EXPECT_EQ(1500u, machine.files.FreeSpace('C'));
    ASSERT_TRUE(os::CopyFileA("D:\\SMALL.DAT", "C:\\SMALL.DAT", os::FALSE));
    EXPECT_EQ(1490u, machine.files.FreeSpace('C'));
}

TEST_F(FileSystemTest, FreeSpaceCalls) {
    const uint64_t free = 6ull * 1024 * 1024 * 1024 + 4096; // above 4 GiB
    machine.files.SetFreeSpace('C', free);
    os::DWORD sectors, bytes, freeClusters, total;
    ASSERT_TRUE(os::GetDiskFreeSpaceA(nullptr, &sectors, &bytes, &freeClusters, &total));
    EXPECT_EQ(free, uint64_t(sectors) * bytes * freeClusters);
    os::FARPROC ex = os::GetProcAddress(os::GetModuleHandleA("kernel32.dll"), "GetDiskFreeSpaceExA");
    ASSERT_NE(nullptr, ex);
    os::ULONGLONG available = 0, totalBytes = 0, totalFree = 0;
    ASSERT_TRUE(os::CallGetDiskFreeSpaceExA(ex, nullptr, &available, &totalBytes, &totalFree));
    EXPECT_EQ(free, totalFree);

    machine.ApplyPreset(sim::Preset::Windows95);
    EXPECT_EQ(nullptr,
              os::GetProcAddress(os::GetModuleHandleA("KERNEL32"), "GetDiskFreeSpaceExA"));
}

TEST_F(FileSystemTest, DeleteCreateDirectoryAndAttributes) {
    machine.files.AddFile("C:\\WINDOWS\\INF\\OEM1.INF", "x", sim::AttrReadOnly | sim::AttrHidden);
    EXPECT_FALSE(os::DeleteFileA("C:\\WINDOWS\\INF\\OEM1.INF"));
    EXPECT_EQ(os::DWORD(os::ERROR_ACCESS_DENIED), os::GetLastError());
    EXPECT_EQ(os::FILE_ATTRIBUTE_READONLY | os::FILE_ATTRIBUTE_HIDDEN,
              os::GetFileAttributesA("C:\\WINDOWS\\INF\\OEM1.INF"));
    ASSERT_TRUE(os::SetFileAttributesA("C:\\WINDOWS\\INF\\OEM1.INF", os::FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(os::FILE_ATTRIBUTE_NORMAL, os::GetFileAttributesA("C:\\WINDOWS\\INF\\OEM1.INF"));
    ASSERT_TRUE(os::DeleteFileA("C:\\WINDOWS\\INF\\OEM1.INF"));
    EXPECT_FALSE(os::DeleteFileA("C:\\WINDOWS\\INF\\OEM1.INF"));
    EXPECT_EQ(os::DWORD(os::ERROR_FILE_NOT_FOUND), os::GetLastError());
    EXPECT_FALSE(os::DeleteFileA("C:\\WINDOWS\\INF")); // a directory

    EXPECT_TRUE(os::CreateDirectoryA("C:\\Orvane\\"));
    EXPECT_FALSE(os::CreateDirectoryA("C:\\Orvane"));
    EXPECT_EQ(os::DWORD(os::ERROR_ALREADY_EXISTS), os::GetLastError());
    EXPECT_FALSE(os::CreateDirectoryA("C:\\Missing\\Child"));
    EXPECT_EQ(os::DWORD(os::ERROR_PATH_NOT_FOUND), os::GetLastError());
    EXPECT_TRUE(os::GetFileAttributesA("C:\\Orvane") & os::FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ((std::vector<std::string>{"attributes: C:\\WINDOWS\\INF\\OEM1.INF: NORMAL",
                                        "delete: C:\\WINDOWS\\INF\\OEM1.INF",
                                        "mkdir: C:\\Orvane"}),
              [&] {
                  std::vector<std::string> lines;
                  for (const auto& e : machine.journal.Entries())
                      lines.push_back(e.what + ": " + e.detail);
                  return lines;
              }());
}

TEST_F(FileSystemTest, PathLimit) {
    std::string dir = "C:\\" + std::string(240, 'd');
    machine.files.AddDirectory(dir);
    std::string fits = dir + "\\" + std::string(259 - dir.size() - 1, 'f'); // 259 characters
    std::string tooLong = fits + "x";                                       // 260 characters
    machine.files.AddFile("C:\\SRC.TXT", "x");
    EXPECT_TRUE(os::CopyFileA("C:\\SRC.TXT", fits.c_str(), os::FALSE));
    EXPECT_FALSE(os::CopyFileA("C:\\SRC.TXT", tooLong.c_str(), os::FALSE));
    EXPECT_EQ(os::DWORD(os::ERROR_PATH_NOT_FOUND), os::GetLastError());
    EXPECT_EQ(nullptr, os::fopen(tooLong.c_str(), "rb"));
}

TEST_F(FileSystemTest, ByteAccess) {
    machine.files.AddFile("C:\\WINDOWS\\INF\\A.INF", "HKR,Config,DISMPU,1,0\r\nend\r\n");
    EXPECT_EQ(nullptr, os::fopen("C:\\WINDOWS\\INF", "rb")); // a directory
    EXPECT_EQ(nullptr, os::fopen("C:\\WINDOWS\\INF\\B.INF", "rb"));
    EXPECT_EQ(nullptr, os::fopen("C:\\WINDOWS\\INF\\A.INF", "w"));
    os::FILE* file = os::fopen("C:\\WINDOWS\\INF\\A.INF", "r+b");
    ASSERT_NE(nullptr, file);
    char line[23] = {};
    EXPECT_EQ(23, os::fread(line, 23, file));
    EXPECT_EQ(0, os::fseek(file, -3, os::FILE_CURRENT));
    EXPECT_EQ(20, os::ftell(file));
    EXPECT_EQ(1, os::fwrite("1", 1, file));
    EXPECT_EQ(0, os::fflush(file));
    EXPECT_FALSE(os::DeleteFileA("C:\\WINDOWS\\INF\\A.INF")); // open
    EXPECT_EQ(0, os::fseek(file, 0, os::FILE_END));
    EXPECT_EQ(0, os::fread(line, 1, file));
    EXPECT_EQ(0, os::fclose(file));
    EXPECT_EQ("HKR,Config,DISMPU,1,1\r\nend\r\n", machine.files.Contents("C:\\WINDOWS\\INF\\A.INF"));
    EXPECT_EQ("C:\\WINDOWS\\INF\\A.INF: 1 byte at 20", machine.journal.Of("edit")[0].detail);

    machine.files.SetAttributes("C:\\WINDOWS\\INF\\A.INF", sim::AttrReadOnly);
    EXPECT_EQ(nullptr, os::fopen("C:\\WINDOWS\\INF\\A.INF", "r+b"));
    file = os::fopen("C:\\WINDOWS\\INF\\A.INF", "rb");
    ASSERT_NE(nullptr, file);
    EXPECT_EQ(0, os::fwrite("x", 1, file));
    os::fclose(file);
}

TEST_F(FileSystemTest, RuntimeSearchReportsCreationTimeInSeconds) {
    machine.files.AddFile("C:\\WINDOWS\\SYSTEM\\BANKSMP.DAT", "s");
    machine.files.SetCreationTime("C:\\WINDOWS\\SYSTEM\\BANKSMP.DAT",
                                  sim::FileTimeFromUtc(1998, 7, 1));
    machine.files.AddFile("C:\\WINDOWS\\SYSTEM\\BANKINDX.DAT", "i");
    machine.files.SetCreationTime("C:\\WINDOWS\\SYSTEM\\BANKINDX.DAT", sim::NoFileTime);
    os::_finddata_t data;
    intptr_t search = os::_findfirst("C:\\WINDOWS\\SYSTEM\\BANKSMP.DAT", &data);
    ASSERT_NE(-1, search);
    EXPECT_EQ(899251200, data.time_create); // 1 July 1998 00:00 UTC
    EXPECT_EQ(-1, os::_findnext(search, &data));
    os::_findclose(search);
    ASSERT_NE(-1, os::_findfirst("C:\\WINDOWS\\SYSTEM\\BANKINDX.DAT", &data));
    EXPECT_EQ(-1, data.time_create);
    EXPECT_EQ(-1, os::_findfirst("C:\\WINDOWS\\SYSTEM\\NONE.DAT", &data));
}

} // namespace
