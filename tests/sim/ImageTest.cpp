// The machine image: save and load give the same machine back.
#include <filesystem>
#include <fstream>

#include "platform/WinDefs.h"
#include "tests/sim/SimFixture.h"

namespace {

TEST(ImageTest, SaveAndLoadRoundTrip) {
    std::string dir = std::string(BUILD_ROOT) + "/test-images/roundtrip";
    std::filesystem::remove_all(dir);
    {
        sim::Machine machine(sim::Preset::Windows95);
        machine.currentDirectory = "D:\\";
        machine.commandLine = "D:\\SETUP.EXE /DRIVER";
        machine.files.AddDrive('D', 650000000, 0);
        machine.files.AddFile("D:\\W95-98\\drv\\b.inf", "[Version]\r\n");
        machine.files.AddFile("D:\\W95-98\\drv\\A.INF", std::string("bin\0ary", 7), sim::AttrReadOnly);
        machine.files.AddDirectory("D:\\Empty");
        machine.files.AddFile("C:\\WINDOWS\\SYSTEM\\BANKSMP.DAT", "s");
        machine.files.SetCreationTime("C:\\WINDOWS\\SYSTEM\\BANKSMP.DAT",
                                      sim::FileTimeFromUtc(1998, 6, 30));
        machine.files.SetFreeSpace('C', 3999999);
        machine.registry.SetString("HKLM\\Enum\\PCI\\VEN_4D2A&DEV_0101", "Driver", "MEDIA\\0000");
        machine.Save(dir);
    }
    sim::Machine loaded;
    loaded.Load(dir);
    EXPECT_EQ(0u, loaded.version.minor);
    EXPECT_EQ(950u, loaded.version.build);
    EXPECT_FALSE(loaded.hasGetDiskFreeSpaceEx);
    EXPECT_EQ("D:\\", loaded.currentDirectory);
    EXPECT_EQ("D:\\SETUP.EXE /DRIVER", loaded.commandLine);
    EXPECT_EQ(0u, loaded.files.FreeSpace('D'));
    EXPECT_EQ(3999999u, loaded.files.FreeSpace('C'));
    EXPECT_EQ((std::vector<std::string>{"b.inf", "A.INF"}), loaded.files.List("D:\\W95-98\\drv"));
    EXPECT_EQ(std::string("bin\0ary", 7), loaded.files.Contents("D:\\W95-98\\drv\\A.INF"));
    EXPECT_EQ(sim::AttrReadOnly, loaded.files.Attributes("D:\\W95-98\\drv\\A.INF"));
    EXPECT_TRUE(loaded.files.IsDirectory("D:\\Empty"));
    EXPECT_EQ(sim::FileTimeFromUtc(1998, 6, 30),
              loaded.files.CreationTime("C:\\WINDOWS\\SYSTEM\\BANKSMP.DAT"));
    EXPECT_EQ("MEDIA\\0000",
              loaded.registry.Value("HKLM\\Enum\\PCI\\VEN_4D2A&DEV_0101", "Driver").data);

    // Saving the loaded machine gives the same image.
    std::string again = dir + "-again";
    loaded.Save(again);
    for (const char* file : {"machine.ini", "registry.reg", "files.meta"}) {
        std::ifstream a(dir + "/" + file), b(again + "/" + file);
        std::string ta((std::istreambuf_iterator<char>(a)), {}), tb((std::istreambuf_iterator<char>(b)), {});
        EXPECT_EQ(ta, tb) << file;
    }
}

TEST(ImageTest, HandWrittenImageWithPreset) {
    std::string dir = std::string(BUILD_ROOT) + "/test-images/handwritten";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir + "/drives/C/CD");
    std::ofstream(dir + "/machine.ini") << "[Machine]\nPreset=WindowsNT4\nClock=1999-01-02 03:04:05\n"
                                           "CurrentDirectory=C:\\CD\n";
    std::ofstream(dir + "/drives/C/CD/Setup.ini") << "[InstallOption]\nDriverOnly=1\n";
    std::ofstream(dir + "/files.meta") << "C:\\CD\\Setup.ini\tattributes=RH\twritten=1998-12-24 00:00:00\n";
    sim::Machine machine;
    machine.Load(dir);
    EXPECT_EQ(os::VER_PLATFORM_WIN32_NT, machine.version.platformId);
    EXPECT_TRUE(machine.registry.ntDeleteRule);
    EXPECT_EQ(sim::FileTimeFromUtc(1999, 1, 2, 3, 4, 5), machine.Now());
    EXPECT_EQ(machine.Now(), machine.files.CreationTime("C:\\CD\\Setup.ini"));
    EXPECT_EQ(sim::FileTimeFromUtc(1998, 12, 24), machine.files.LastWriteTime("C:\\CD\\Setup.ini"));
    EXPECT_EQ(sim::AttrReadOnly | sim::AttrHidden, machine.files.Attributes("C:\\CD\\Setup.ini"));

    std::ofstream(dir + "/files.meta") << "C:\\CD\\None.ini\tattributes=R\n";
    EXPECT_THROW(machine.Load(dir), std::runtime_error);
}

} // namespace
