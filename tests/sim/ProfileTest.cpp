// Profile (INI) files with Windows' semantics. The integer cases follow Wine's profile tests,
// which hold the Windows 9x results in a column of their own.
#include "platform/Profile.h"
#include "platform/WinDefs.h"
#include "tests/sim/SimFixture.h"

namespace {

const char TestFile[] = "C:\\TEST\\TEST.INI";

class ProfileTest : public SimTest {
protected:
    void Seed(const std::string& text) { machine.files.AddFile(TestFile, text); }
    std::string Read(const char* section, const char* key, const char* def = "default") {
        return Text(os::GetPrivateProfileStringA(section, key, def, TestFile));
    }
};

struct IntCase {
    const char* value; // nullptr: key missing
    int def;
    unsigned result9x;
    unsigned resultNt;
};

TEST_F(ProfileTest, IntegerReadingOfBothFamilies) {
    const IntCase cases[] = {
        {nullptr, -1, 4294967295u, 4294967295u},
        {nullptr, 1, 1, 1},
        {"", 7, 7, 7}, // an empty value gives the default
        {"-1", 1, 4294967295u, 4294967295u},
        {"1", -1, 1, 1},
        {"+1", -1, 0, 1}, // Windows 9x take no plus sign
        {"4294967296", -1, 0, 0},
        {"4294967297", 1, 1, 1},
        {"-4294967297", 1, 4294967295u, 4294967295u},
        {"42A94967297", -1, 42, 42},
        {"B4294967297", -1, 0, 0}, // no leading digit: 0, not the default
        {"yes", 5, 0, 0},
        {"0x10", 0, 0, 16},
        {" 7 ", 0, 7, 7},
        {"-3", 0, 4294967293u, 4294967293u},
        {"\"12\"", 0, 12, 12},
    };
    for (const IntCase& c : cases) {
        for (bool nt : {false, true}) {
            machine.ApplyPreset(nt ? sim::Preset::WindowsNT4 : sim::Preset::Windows98);
            Seed(c.value ? std::string("[Test]\r\nKey=") + c.value + "\r\n" : "[Test]\r\n");
            unsigned expected = nt ? c.resultNt : c.result9x;
            EXPECT_EQ(expected, os::GetPrivateProfileIntA("Test", "Key", c.def, TestFile))
                << "value " << (c.value ? c.value : "(missing)") << (nt ? " on NT" : " on 9x");
        }
    }
}

TEST_F(ProfileTest, StringReading) {
    Seed("top=before any section\r\n"
         "[Strings]\r\n"
         "  Spaced  =   value with blanks   \r\n"
         "Quoted=\"TXA4320 Device\"\r\n"
         "Single='single'\r\n"
         "HalfQuote=\"open\r\n"
         "NoEquals\r\n"
         "Empty=\r\n"
         "dup=first\r\n"
         "DUP=second\r\n"
         "[strings]\r\n"
         "Later=in the second section of that name\r\n"
         "[Unix]\n"
         "lf=only\n");
    struct {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"Strings", "Spaced", "value with blanks"},
        {"STRINGS", "spaced", "value with blanks"},
        {" Strings ", " Spaced ", "value with blanks"},
        {"Strings", "Quoted", "TXA4320 Device"},
        {"Strings", "Single", "single"},
        {"Strings", "HalfQuote", "\"open"},
        {"Strings", "NoEquals", "default"},
        {"Strings", "Empty", ""},
        {"Strings", "Dup", "first"},
        {"Strings", "Later", "default"}, // only the first section of a name counts
        {"Strings", "Missing", "default"},
        {"Missing", "Spaced", "default"},
        {"", "top", "default"},
        {"Unix", "lf", "only"},
        {"Strings", "", ""}, // Windows 95 returns nothing for an empty key name
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, Read(c.section, c.key)) << c.section << "/" << c.key;
    EXPECT_EQ("x", Read("Missing", "k", "x   ")); // trailing blanks of the default dropped
    EXPECT_EQ("default", Text(os::GetPrivateProfileStringA("S", "K", "default",
                                                           "C:\\NOWHERE\\NONE.INI")));
}

TEST_F(ProfileTest, LongValueIsReadWhole) {
    std::string value(5000, 'v');
    Seed("[S]\r\nK=" + value + "\r\n");
    EXPECT_EQ(value, Read("S", "K"));
}

TEST_F(ProfileTest, WriteCreatesFileSectionAndKey) {
    machine.files.AddDirectory("C:\\TEST");
    ASSERT_TRUE(os::WritePrivateProfileStringA("SourceDisksNames", "1", "disk", TestFile));
    EXPECT_EQ("[SourceDisksNames]\r\n1=disk\r\n", machine.files.Contents(TestFile));
    ASSERT_TRUE(os::WritePrivateProfileStringA("Other", "a", "b", TestFile));
    EXPECT_EQ("[SourceDisksNames]\r\n1=disk\r\n[Other]\r\na=b\r\n",
              machine.files.Contents(TestFile));
    EXPECT_EQ("profile", machine.journal.Entries().back().what);
    EXPECT_EQ("C:\\TEST\\TEST.INI [Other] a=b", machine.journal.Entries().back().detail);
}

TEST_F(ProfileTest, WriteEditsInPlace) {
    Seed("; comment\r\n"
         "[Version]\r\n"
         "Signature=$CHICAGO$\r\n"
         "\r\n"
         "[SourceDisksNames]\r\n"
         "1 = \"Disk 1\",,0\r\n"
         "2=other\r\n"
         "\r\n"
         "[Strings]\r\n"
         "last=line without end");
    ASSERT_TRUE(os::WritePrivateProfileStringA("sourcedisksnames", "1", "new", TestFile));
    ASSERT_TRUE(os::WritePrivateProfileStringA("Version", "Class", "MEDIA", TestFile));
    ASSERT_TRUE(os::WritePrivateProfileStringA("Strings", "added", "x", TestFile));
    EXPECT_EQ("; comment\r\n"
              "[Version]\r\n"
              "Signature=$CHICAGO$\r\n"
              "Class=MEDIA\r\n"
              "\r\n"
              "[SourceDisksNames]\r\n"
              "1=new\r\n"
              "2=other\r\n"
              "\r\n"
              "[Strings]\r\n"
              "last=line without end\r\n"
              "added=x\r\n",
              machine.files.Contents(TestFile));
}

TEST_F(ProfileTest, FileNameWithoutDirectoryMeansWindowsDirectory) {
    ASSERT_TRUE(os::WritePrivateProfileStringA("Windows", "run", " ", "WIN.INI"));
    EXPECT_EQ("[Windows]\r\nrun= \r\n", machine.files.Contents("C:\\WINDOWS\\WIN.INI"));
    EXPECT_EQ("", Text(os::GetPrivateProfileStringA("windows", "RUN", "x", "win.ini")));
    // Writing the same value again is a write the program made, but leaves the file alone.
    sim::FileTime written = machine.files.LastWriteTime("C:\\WINDOWS\\WIN.INI");
    machine.Advance(1000);
    ASSERT_TRUE(os::WritePrivateProfileStringA("windows", "run", " ", "WIN.INI"));
    EXPECT_EQ(written, machine.files.LastWriteTime("C:\\WINDOWS\\WIN.INI"));
    EXPECT_EQ(2u, machine.journal.Of("profile").size());
}

TEST_F(ProfileTest, DeletingKeysAndSections) {
    Seed("[A]\r\nk=1\r\nj=2\r\n[B]\r\nx=y\r\n");
    ASSERT_TRUE(os::WritePrivateProfileStringA("A", "k", nullptr, TestFile));
    ASSERT_TRUE(os::WritePrivateProfileStringA("B", nullptr, nullptr, TestFile));
    EXPECT_EQ("[A]\r\nj=2\r\n", machine.files.Contents(TestFile));
}

TEST_F(ProfileTest, WriteFailures) {
    Seed("[A]\r\nk=1\r\n");
    machine.files.SetAttributes(TestFile, sim::AttrReadOnly);
    EXPECT_FALSE(os::WritePrivateProfileStringA("A", "k", "2", TestFile));
    EXPECT_EQ(os::DWORD(os::ERROR_ACCESS_DENIED), machine.lastError);
    EXPECT_FALSE(os::WritePrivateProfileStringA("A", "k", "2", "C:\\MISSING\\X.INI"));
    EXPECT_EQ(os::DWORD(os::ERROR_PATH_NOT_FOUND), machine.lastError);
    EXPECT_TRUE(machine.journal.Of("profile").empty());
}

} // namespace
