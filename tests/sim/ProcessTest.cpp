// Started programs on the virtual clock: behaviour files, waiting, exit codes, version,
// the end of the process.
#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/Profile.h"
#include "platform/WinDefs.h"
#include "platform/sim/ProcessExit.h"
#include "tests/sim/SimFixture.h"

namespace {

const char SetupPath[] = "C:\\CD\\W95-98\\app\\Setup.exe";

class ProcessTest : public SimTest {
protected:
    void Program(const std::string& path, const std::string& behaviour) {
        machine.files.AddFile(path, "MZ");
        if (!behaviour.empty())
            machine.files.AddFile(path + ".behaviour", behaviour);
    }
    os::PROCESS_INFORMATION Start(const char* commandLine) {
        os::PROCESS_INFORMATION info = {};
        EXPECT_TRUE(os::CreateProcessA(commandLine, os::SW_SHOW, &info)) << commandLine;
        return info;
    }
    os::DWORD ExitCode(os::HANDLE process) {
        os::DWORD code = 0;
        EXPECT_TRUE(os::GetExitCodeProcess(process, &code));
        return code;
    }
};

TEST_F(ProcessTest, ProgramWithoutBehaviourEndsAtOnce) {
    Program(SetupPath, "");
    machine.currentDirectory = "C:\\WINDOWS\\INF";
    os::PROCESS_INFORMATION info = Start(SetupPath);
    EXPECT_EQ(0u, ExitCode(info.hProcess));
    EXPECT_EQ(0u, os::WaitForInputIdle(info.hProcess, 1000));
    ASSERT_EQ(1u, machine.Processes().size());
    EXPECT_EQ("C:\\WINDOWS\\INF", machine.Processes()[0].currentDirectory);
    EXPECT_EQ(std::string(SetupPath) + " (in C:\\WINDOWS\\INF)", machine.journal.Of("start")[0].detail);
    EXPECT_TRUE(os::CloseHandle(info.hProcess));
    EXPECT_TRUE(os::CloseHandle(info.hThread));
    EXPECT_FALSE(os::CloseHandle(info.hProcess));
}

TEST_F(ProcessTest, MissingProgramCannotStart) {
    os::PROCESS_INFORMATION info = {};
    EXPECT_FALSE(os::CreateProcessA("C:\\CD\\NONE.EXE", os::SW_SHOW, &info));
    EXPECT_EQ(os::DWORD(os::ERROR_FILE_NOT_FOUND), os::GetLastError());
    EXPECT_TRUE(machine.journal.Of("start").empty());
}

TEST_F(ProcessTest, CommandLineNamesTheProgram) {
    Program("C:\\Program Files\\Orvane\\Uninst.exe", "at 0 record C:\\LOG.TXT\n");
    Program("C:\\WINDOWS\\UNINST.EXE", "");
    machine.files.AddFile("C:\\Program Files\\Orvane\\Uninst.exe.behaviour",
                          "at 0 record C:\\LOG.TXT\n");
    Start("C:\\Program Files\\Orvane\\Uninst.exe -a");
    os::Sleep(0);
    EXPECT_EQ("C:\\Program Files\\Orvane\\Uninst.exe -a\r\nC:\\\r\n",
              machine.files.Contents("C:\\LOG.TXT"));
    EXPECT_EQ("C:\\Program Files\\Orvane\\Uninst.exe", machine.Processes()[0].program);
    Start("\"C:\\Program Files\\Orvane\\Uninst.exe\" -a");
    Start("uninst -a"); // found in the Windows directory, .exe added
    EXPECT_EQ("C:\\WINDOWS\\UNINST.EXE", machine.Processes()[2].program);
}

TEST_F(ProcessTest, HandshakeOnTheVirtualClock) {
    Program(SetupPath, "idle 300\n"
                       "at 10 profile TXASETUP.INI STATUS RUNNING 1\n"
                       "at 20 start C:\\CD\\Helper.exe /go\n"
                       "at 2000 exit 3\n");
    Program("C:\\CD\\Helper.exe", "console\n"
                                  "at 5000 profile TXASETUP.INI STATUS RUNNING 0\n");
    os::PROCESS_INFORMATION info = Start(SetupPath);
    os::WritePrivateProfileStringA("STATUS", "RUNNING", "0", "TXASETUP.INI");
    // The program is not idle before 300 ms: the first wait takes that long.
    EXPECT_EQ(0u, os::WaitForInputIdle(info.hProcess, 1000));
    EXPECT_EQ(300u, os::GetTickCount());
    EXPECT_EQ(1u, os::GetPrivateProfileIntA("STATUS", "RUNNING", 0, "TXASETUP.INI"));
    int polls = 0;
    while (ExitCode(info.hProcess) == os::STILL_ACTIVE) {
        os::WaitForInputIdle(info.hProcess, 1000);
        ++polls;
    }
    EXPECT_EQ(3u, ExitCode(info.hProcess));
    EXPECT_EQ(2000u, machine.Processes()[0].endedAt);
    EXPECT_GT(polls, 1000); // an idle program answers at once: one ms a poll
    while (os::GetPrivateProfileIntA("STATUS", "RUNNING", 0, "TXASETUP.INI") != 0)
        os::WaitForInputIdle(info.hProcess, 1000);
    EXPECT_EQ(5020u, os::GetTickCount());
    EXPECT_EQ(machine.Polls(), uint64_t(machine.Processes()[0].waitForInputIdleCalls +
                                        machine.Processes()[0].exitCodeQueries));
    const sim::Process* helper = machine.ProcessesOf("helper.exe").at(0);
    EXPECT_EQ("C:\\CD\\Helper.exe /go", helper->commandLine);
    EXPECT_EQ(1u, machine.journal.Of("profile").size()); // the program's own write only
}

TEST_F(ProcessTest, ConsoleProgramHasNoInputIdle) {
    Program(SetupPath, "console\nat 100 exit 0\n");
    os::PROCESS_INFORMATION info = Start(SetupPath);
    EXPECT_EQ(os::WAIT_FAILED, os::WaitForInputIdle(info.hProcess, 1000));
    EXPECT_EQ(sim::WaitForInputIdleCostMs, os::GetTickCount());
    os::Sleep(100);
    EXPECT_EQ(0u, ExitCode(info.hProcess));
}

TEST_F(ProcessTest, WindowKeepsItsProgramRunningUntilClosed) {
    Program("C:\\APPS\\Levels.exe", "at 0 window Levels\n");
    os::PROCESS_INFORMATION info = Start("C:\\APPS\\Levels.exe");
    os::Sleep(10);
    EXPECT_EQ(os::STILL_ACTIVE, ExitCode(info.hProcess));
    ASSERT_EQ(1u, machine.Processes()[0].windows.size());
    os::HWND window = machine.Processes()[0].windows[0].handle;
    EXPECT_TRUE(machine.windows.IsWindow(window));
    machine.windows.DestroyWindow(window);
    EXPECT_EQ(0u, ExitCode(info.hProcess));
}

TEST_F(ProcessTest, ExitClosesTheProgramsWindows) {
    Program("C:\\APPS\\Deck.exe", "at 0 window SoundDeck\nat 50 exit 0\n");
    Start("C:\\APPS\\Deck.exe");
    os::Sleep(10);
    os::HWND window = machine.Processes()[0].windows[0].handle;
    EXPECT_TRUE(machine.windows.IsWindow(window));
    os::Sleep(100);
    EXPECT_FALSE(machine.windows.IsWindow(window));
}

TEST_F(ProcessTest, MalformedBehaviourNamesTheLine) {
    Program(SetupPath, "at 10 fly away\n");
    os::PROCESS_INFORMATION info = {};
    try {
        os::CreateProcessA(SetupPath, os::SW_SHOW, &info);
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string::npos, std::string(e.what()).find("line 1"));
    }
}

TEST_F(ProcessTest, PollingWithoutEndIsStopped) {
    Program(SetupPath, "at 0 window Forever\n");
    machine.pollLimit = 500;
    os::PROCESS_INFORMATION info = Start(SetupPath);
    EXPECT_THROW(
        while (ExitCode(info.hProcess) == os::STILL_ACTIVE) os::WaitForInputIdle(info.hProcess, 1000),
        sim::PollLimitExceeded);
}

TEST_F(ProcessTest, VersionOfEachPreset) {
    struct {
        sim::Preset preset;
        os::DWORD platform, major, minor, build;
        const char* systemDirectory;
    } cases[] = {
        {sim::Preset::Windows95, 1, 4, 0, 0x040003B6, "C:\\WINDOWS\\SYSTEM"},
        {sim::Preset::Windows98, 1, 4, 10, 0x040A07CE, "C:\\WINDOWS\\SYSTEM"},
        {sim::Preset::WindowsMe, 1, 4, 90, 0x045A0BB8, "C:\\WINDOWS\\SYSTEM"},
        {sim::Preset::WindowsNT4, 2, 4, 0, 1381, "C:\\WINNT\\SYSTEM32"},
    };
    for (const auto& c : cases) {
        machine.ApplyPreset(c.preset);
        os::OSVERSIONINFOA info = {};
        info.dwOSVersionInfoSize = sizeof info;
        ASSERT_TRUE(os::GetVersionExA(&info));
        EXPECT_EQ(c.platform, info.dwPlatformId);
        EXPECT_EQ(c.major, info.dwMajorVersion);
        EXPECT_EQ(c.minor, info.dwMinorVersion);
        EXPECT_EQ(c.build, info.dwBuildNumber);
        EXPECT_EQ(c.systemDirectory, Text(os::GetSystemDirectoryA()));
        EXPECT_TRUE(machine.files.IsDirectory(c.systemDirectory));
    }
    os::OSVERSIONINFOA small = {};
    small.dwOSVersionInfoSize = 100;
    EXPECT_FALSE(os::GetVersionExA(&small));
}

TEST_F(ProcessTest, ExitThrowsProcessExitAndCommandLineComesFromTheMachine) {
    machine.commandLine = "\"D:\\SETUP.EXE\" /driver";
    EXPECT_STREQ("\"D:\\SETUP.EXE\" /driver", os::GetCommandLineA());
    try {
        os::exit(7);
    } catch (const sim::ProcessExit& e) {
        EXPECT_EQ(7, e.code);
        return;
    }
    FAIL();
}

TEST(MachineScopeTest, NoMachineNoCall) {
    EXPECT_THROW(sim::Current(), std::logic_error);
    sim::Machine outer, inner;
    sim::MachineScope a(outer);
    {
        sim::MachineScope b(inner);
        EXPECT_EQ(&inner, &sim::Current());
    }
    EXPECT_EQ(&outer, &sim::Current());
}

} // namespace
