// The full installation behind the setup dialog's OK on the simulated machine: how each
// choice of boxes ends, the companion applications, the previous applications' uninstaller,
// the applications' setup program with its handshake, and the failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Finish.h"
#include "platform/Profile.h"
#include "setupdlg/ProcessWait.h"
#include "tests/setupdlg/FullInstallFixture.h"

namespace fullinstall {
namespace {

using Strings = std::vector<std::string>;

// The pauses of the sequence, as the tests see them on the clock.
const uint64_t WaitTextPause = 200;
const uint64_t ClosePause = 500;
const uint64_t AfterSetupPause = 1000;
// Time of one WaitForInputIdle call and the slack of a pass on the simulated clock.
const uint64_t PassSlack = 5;

TEST(FullInstallOutcomeTest, EachChoiceOfBoxesEndsAsTheOutcomeTableSays) {
    struct Row {
        bool apps;
        bool driver;
        bool levelsAtEnd;
        const char* ending;
        bool staged;
        bool restart;
    };
    const Row rows[] = {
        {false, false, false, "IDCANCEL", false, false},
        {false, true, false, "exit 0", true, true},
        {true, false, false, "exit 0", false, false},
        {true, false, true, "IDOK", false, false},
        {true, true, false, "IDOK", true, false},
        {true, true, true, "IDOK", true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("apps ") + (row.apps ? "on" : "off") + ", driver " +
                     (row.driver ? "on" : "off") + ", Levels " + (row.levelsAtEnd ? "yes" : "no"));
        // Each row on a machine of its own, with a companion application running and an
        // uninstaller registered.
        sim::Machine fresh;
        sim::MachineScope freshScope(fresh);
        SeedMachine(fresh);
        AddProgram(fresh, AppSetup, row.levelsAtEnd ? SetupStartingLevels : QuickSetup);
        AddProgram(fresh, Uninstaller, RecordingUninstaller);
        fresh.registry.SetString(NewAppsKey, "UninstallString", Uninstaller);
        fresh.windows.CreateTopLevelWindow("Disc Player");

        const std::string ending = fullinstall::PressOk(fresh, row.apps, row.driver).ending;

        EXPECT_EQ(ending, row.ending);
        EXPECT_EQ(fresh.files.Exists("C:\\Orvane\\W95-98\\SNDCORE.VXD"), row.staged);
        EXPECT_EQ(fresh.RestartRequests(), row.restart ? 1 : 0);
        const Strings messages = treefixture::Details(fresh.journal, "message");
        EXPECT_EQ(messages, row.restart ? Strings{Completed} : Strings{});
        // The applications: companion closed, uninstaller and setup program run.
        const size_t appsRuns = row.apps ? 1 : 0;
        EXPECT_EQ(treefixture::Details(fresh.journal, "close window").size(), appsRuns);
        EXPECT_EQ(fresh.ProcessesOf("Uninst.exe").size(), appsRuns);
        EXPECT_EQ(fresh.ProcessesOf("Setup.exe").size(), appsRuns);
        if (!row.apps && !row.driver) {
            EXPECT_TRUE(fresh.journal.Entries().empty()) << fresh.journal.Print();
        }
        if (row.restart) {
            // The completion message is owned by the dialog, hidden by then.
            ASSERT_EQ(fresh.windows.MessageBoxes().size(), 1u);
            EXPECT_FALSE(fresh.windows.MessageBoxes()[0].ownerVisible);
        }
        if (ending == "IDOK") {
            // The dialog ends hidden, with the wait text in place of the boxes.
            const sim::DialogState& closed = fresh.windows.ClosedDialogs().back();
            EXPECT_FALSE(closed.visible);
            EXPECT_TRUE(closed.Visible(IDC_PLEASE_WAIT));
            EXPECT_FALSE(closed.Visible(IDC_INSTALL_APPS));
            EXPECT_FALSE(closed.Visible(IDC_INSTALL_DRIVER));
        }
    }
}

TEST_F(FullInstallTest, WithSoundDeckRunningThePlayersStayAndLevelsIsStillClosed) {
    machine.windows.CreateTopLevelWindow("Track Player");
    machine.windows.CreateTopLevelWindow("Levels");
    machine.windows.CreateTopLevelWindow("SoundDeck");
    machine.windows.CreateTopLevelWindow("Disc Player");

    PressOk(true, false);

    EXPECT_EQ(Details("close window"), (Strings{"SoundDeck", "Levels"}));
    EXPECT_NE(os::FindWindowExA(nullptr, nullptr, nullptr, "Disc Player"), nullptr);
    EXPECT_NE(os::FindWindowExA(nullptr, nullptr, nullptr, "Track Player"), nullptr);
    // The pause after SoundDeck and the one after Levels.
    EXPECT_EQ(Started(AppSetup)[0]->startedAt, okPressedAt + WaitTextPause + 2 * ClosePause);
}

TEST_F(FullInstallTest, WithoutSoundDeckThePlayersAreClosedInOrderOnceEachThenLevels) {
    machine.windows.CreateTopLevelWindow("Levels");
    machine.windows.CreateTopLevelWindow("Track Player");
    machine.windows.CreateTopLevelWindow("Disc Player");
    machine.windows.CreateTopLevelWindow("Disc Player");
    machine.windows.CreateTopLevelWindow("Synth Player", /*ignoresClose=*/true);

    PressOk(true, false);

    // Only the first window of a title is closed; one that ignores WM_CLOSE stays, and the
    // sequence goes on.
    EXPECT_EQ(Details("close window"), (Strings{"Disc Player", "Synth Player (stays open)",
                                                "Track Player", "Levels"}));
    EXPECT_NE(os::FindWindowExA(nullptr, nullptr, nullptr, "Disc Player"), nullptr);
    EXPECT_EQ(Started(AppSetup)[0]->startedAt, okPressedAt + WaitTextPause + ClosePause);
}

TEST_F(FullInstallTest, TheFirstUninstallKeyThatOpensNamesTheUninstallerWhichIsWaitedFor) {
    Program(Uninstaller, RecordingUninstaller);
    Program(OldUninstaller, RecordingUninstaller);
    struct Case {
        bool newKey;
        bool oldKey;
        const char* expectedCommand; // nullptr: no uninstaller runs
    };
    const Case cases[] = {
        {true, true, "C:\\Program Files\\ZOD\\Uninst.exe -a"},
        {false, true, "C:\\VED\\Remove.exe -a"},
        {false, false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("new key ") + (c.newKey ? "yes" : "no") + ", old key " +
                     (c.oldKey ? "yes" : "no"));
        machine.registry.DeleteKey("HKLM\\Software");
        if (c.newKey)
            AddUninstallKey(NewAppsKey, Uninstaller);
        if (c.oldKey)
            AddUninstallKey(OldAppsKey, OldUninstaller);
        const size_t before = machine.Processes().size();

        PressOk(true, false);

        std::vector<const sim::Process*> started;
        for (size_t i = before; i < machine.Processes().size(); ++i)
            started.push_back(&machine.Processes()[i]);
        if (!c.expectedCommand) {
            ASSERT_EQ(started.size(), 1u);
            EXPECT_EQ(started[0]->commandLine, AppSetup);
            continue;
        }
        ASSERT_EQ(started.size(), 2u);
        EXPECT_EQ(started[0]->commandLine, c.expectedCommand);
        EXPECT_EQ(started[1]->commandLine, AppSetup);
        // The setup program starts only after the uninstaller has ended.
        EXPECT_GE(started[1]->startedAt, started[0]->endedAt);
        EXPECT_LE(started[1]->startedAt, started[0]->endedAt + MinimumPassMs + PassSlack);
    }
}

// UninstallString lengths around the 260-byte limit (terminator included).
TEST_F(FullInstallTest, AnUninstallStringIsUsedWholeWhenItFitsTheLimitAndSkippedOtherwise) {
    Program("C:\\UNINST.EXE", RecordingUninstaller);
    for (size_t length : {256u, 257u, 259u, 260u, 300u}) {
        SCOPED_TRACE("UninstallString of " + std::to_string(length) + " characters");
        std::string value = "C:\\UNINST.EXE /x ";
        value += std::string(length - value.size(), 'p');
        AddUninstallKey(NewAppsKey, value);
        if (machine.files.Exists("C:\\UNINST.TXT"))
            machine.files.Remove("C:\\UNINST.TXT");
        const size_t before = machine.ProcessesOf("UNINST.EXE").size();

        PressOk(true, false);

        const bool fits = length + 1 <= 260;
        ASSERT_EQ(machine.ProcessesOf("UNINST.EXE").size(), before + (fits ? 1 : 0));
        if (fits) {
            // The whole value and the switch, even where the switch does not fit the limit.
            EXPECT_EQ(machine.files.Contents("C:\\UNINST.TXT"),
                      value + " -a\r\nD:\\SETUP\r\n");
        }
    }
}

TEST_F(FullInstallTest, AnUninstallStringThatCannotBeReadSkipsTheUninstaller) {
    Program(Uninstaller, RecordingUninstaller);
    machine.registry.SetString(NewAppsKey, "DisplayName", "ZOD Oriva Vovazivevadi");
    machine.registry.SetString(OldAppsKey, "UninstallString", OldUninstaller);

    // The first key opens, so the second is not looked at, even though the first has no
    // UninstallString.
    PressOk(true, false);
    EXPECT_TRUE(machine.ProcessesOf("Remove.exe").empty());

    // A value that the registry refuses to give.
    AddUninstallKey(NewAppsKey, Uninstaller);
    machine.faults.Fail("RegQueryValueExA", "*UninstallString");
    PressOk(true, false);
    EXPECT_TRUE(machine.ProcessesOf("Uninst.exe").empty());
    EXPECT_EQ(machine.ProcessesOf("Setup.exe").size(), 2u);
}

TEST_F(FullInstallTest, AnUninstallerThatCannotBeStartedCountsAsNone) {
    AddUninstallKey(NewAppsKey, "C:\\Program Files\\ZOD\\Missing.exe");

    const Outcome outcome = PressOk(true, false);

    EXPECT_EQ(outcome.ending, "exit 0");
    ASSERT_EQ(machine.Processes().size(), 1u);
    EXPECT_EQ(machine.Processes()[0].commandLine, AppSetup);
    // Nothing waited for a process that does not exist.
    EXPECT_TRUE(PolledOnlyRealProcesses());
    EXPECT_EQ(Started(AppSetup)[0]->startedAt, okPressedAt + WaitTextPause + ClosePause);
}

TEST_F(FullInstallTest, AHandshakeLeftRunningHoldsTheSequenceUntilItReadsZero) {
    // The setup program hands over to a second process and leaves RUNNING=1; that process
    // sets it to 0 three seconds later.
    Program(AppSetup, "idle 0\n"
                      "at 100 profile TXASETUP.INI STATUS RUNNING 1\n"
                      "at 100 start C:\\WINDOWS\\TEMP\\SETUP2.EXE\n"
                      "at 200 exit\n");
    Program("C:\\WINDOWS\\TEMP\\SETUP2.EXE", "idle 0\n"
                                             "at 3000 profile TXASETUP.INI STATUS RUNNING 0\n"
                                             "at 3000 exit\n");

    const Outcome outcome = PressOk(true, false);

    const sim::Process& setup = *Started(AppSetup)[0];
    const uint64_t zeroWritten = Started("C:\\WINDOWS\\TEMP\\SETUP2.EXE")[0]->endedAt;
    EXPECT_EQ(zeroWritten, setup.startedAt + 100 + 3000);
    // Without Levels the program quits after the pause that follows the 0, no earlier and
    // at most one pass later.
    EXPECT_EQ(outcome.ending, "exit 0");
    EXPECT_GE(outcome.at, zeroWritten + AfterSetupPause);
    EXPECT_LE(outcome.at, zeroWritten + MinimumPassMs + PassSlack + AfterSetupPause);
    // The sequence wrote its 0 once, at the start.
    EXPECT_EQ(Details("profile"), (Strings{"C:\\WINDOWS\\TXASETUP.INI [STATUS] RUNNING=0"}));
}

TEST_F(FullInstallTest, WithoutAHandshakeEntryTheSecondWaitEndsAfterOnePass) {
    struct Case {
        const char* name;
        const char* removal;
    };
    const Case cases[] = {
        {"file deleted", "at 250 delete C:\\WINDOWS\\TXASETUP.INI\n"},
        {"key deleted", "at 250 profile-delete TXASETUP.INI STATUS RUNNING\n"},
        {"untouched", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Program(AppSetup, std::string("idle 0\n") + c.removal + "at 300 exit\n");

        const Outcome outcome = PressOk(true, false);

        const sim::Process& setup = *Started(AppSetup).back();
        EXPECT_EQ(outcome.ending, "exit 0");
        EXPECT_LE(outcome.at, setup.endedAt + MinimumPassMs + PassSlack + AfterSetupPause);
        // The first wait read the exit code on each of its passes; the second made one pass.
        EXPECT_EQ(setup.waitForInputIdleCalls - setup.exitCodeQueries, 1);
    }
}

// Each pass of the three waits takes at least MinimumPassMs, whether WaitForInputIdle comes
// back at once (a program waiting for input, a program without a message queue, an ended
// one) or not.
TEST_F(FullInstallTest, TheWaitsPollTenTimesASecondNotAsFastAsTheyCan) {
    Program(Uninstaller, "console\nat 4000 exit\n");
    AddUninstallKey(NewAppsKey, Uninstaller);
    Program(AppSetup, "idle 0\n"
                      "at 100 profile TXASETUP.INI STATUS RUNNING 1\n"
                      "at 100 start C:\\WINDOWS\\TEMP\\SETUP2.EXE\n"
                      "at 10000 exit\n");
    // Started 100 ms after the setup program, it sets 0 5 s after that one has ended.
    Program("C:\\WINDOWS\\TEMP\\SETUP2.EXE", "idle 0\n"
                                             "at 14900 profile TXASETUP.INI STATUS RUNNING 0\n"
                                             "at 14900 exit\n");

    PressOk(true, false);

    const sim::Process& uninstaller = machine.Processes()[0];
    const sim::Process& setup = *Started(AppSetup)[0];
    // The uninstaller's 4 s and the setup program's 10 s at ten passes a second, then the
    // handshake's 5 s on the ended setup program at ten passes a second.
    EXPECT_LE(uninstaller.exitCodeQueries, 4000 / 100 + 1);
    EXPECT_GE(uninstaller.exitCodeQueries, 4000 / (100 + PassSlack));
    EXPECT_LE(setup.exitCodeQueries, 10000 / 100 + 1);
    EXPECT_GE(setup.exitCodeQueries, 10000 / (100 + PassSlack));
    const int handshakePasses = setup.waitForInputIdleCalls - setup.exitCodeQueries;
    EXPECT_LE(handshakePasses, 5000 / 100 + 1);
    EXPECT_GE(handshakePasses, 5000 / (100 + PassSlack));
}

TEST_F(FullInstallTest, ASetupProgramRemovedAfterTheDialogAppearedIsMissedBeforeAnythingIsClosed) {
    Program(Uninstaller, RecordingUninstaller);
    AddUninstallKey(NewAppsKey, Uninstaller);
    machine.windows.CreateTopLevelWindow("SoundDeck");

    const Outcome outcome =
        PressOk(true, true, [&] { machine.files.Remove(AppSetup); });

    EXPECT_EQ(outcome.ending, "exit 0");
    EXPECT_EQ(Details("message"), Strings{AppSetupMissing});
    // The message comes while the dialog still shows its wait text.
    EXPECT_TRUE(machine.windows.MessageBoxes()[0].ownerVisible);
    // The driver branch ran before; nothing of the applications' side did.
    EXPECT_TRUE(machine.files.Exists("C:\\Orvane\\W95-98\\SNDCORE.VXD"));
    EXPECT_TRUE(Details("close window").empty());
    EXPECT_TRUE(machine.Processes().empty());
    EXPECT_EQ(machine.RestartRequests(), 0);
}

TEST_F(FullInstallTest, StartedProgramsRunInTheStartDirectoryOrInInfOtherAfterStaging) {
    Program(Uninstaller, RecordingUninstaller);
    AddUninstallKey(NewAppsKey, Uninstaller);
    struct Case {
        bool infOther;
        bool driver;
        const char* directory;
    };
    const Case cases[] = {
        {false, true, "D:\\SETUP"},
        {true, false, "D:\\SETUP"},
        {true, true, "C:\\WINDOWS\\INF\\OTHER"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("INF\\OTHER ") + (c.infOther ? "yes" : "no") + ", driver " +
                     (c.driver ? "on" : "off"));
        machine.currentDirectory = "D:\\SETUP";
        if (c.infOther)
            machine.files.AddDirectory("C:\\WINDOWS\\INF\\OTHER");
        const size_t before = machine.Processes().size();

        PressOk(true, c.driver);

        ASSERT_EQ(machine.Processes().size(), before + 2);
        EXPECT_EQ(machine.Processes()[before].currentDirectory, c.directory);
        EXPECT_EQ(machine.Processes()[before + 1].currentDirectory, c.directory);
    }
}

TEST_F(FullInstallTest, OnWindowsNtTheNt40SetupProgramIsRun) {
    machine.ApplyPreset(sim::Preset::WindowsNT4);
    Program("D:\\SETUP\\NT40\\app\\Setup.exe", QuickSetup);

    const Outcome outcome = PressOk(true, false);

    EXPECT_EQ(outcome.ending, "exit 0");
    ASSERT_EQ(machine.Processes().size(), 1u);
    EXPECT_EQ(machine.Processes()[0].commandLine, "D:\\SETUP\\NT40\\app\\Setup.exe");
    EXPECT_EQ(Details("profile"), (Strings{"C:\\WINNT\\TXASETUP.INI [STATUS] RUNNING=0"}));
}

// A driver file or INF copy that could not be made: no completion message, no restart, no
// applications, a message naming the file, and a failing exit code.
TEST_F(FullInstallTest, ACopyThatFailedInTheDriverBranchEndsTheRunWithoutRestart) {
    machine.windows.CreateTopLevelWindow("Levels");
    struct Case {
        bool apps;
        const char* failingDestination;
        const char* named; // how the message names it
    };
    const Case cases[] = {
        {false, "C:\\ORVANE\\W95-98\\SNDCORE.VXD", "C:\\Orvane\\W95-98\\SNDCORE.VXD"},
        {true, "C:\\ORVANE\\W95-98\\SNDCORE.VXD", "C:\\Orvane\\W95-98\\SNDCORE.VXD"},
        {true, "C:\\WINDOWS\\INF\\ORVMIDI.INF", "C:\\WINDOWS\\INF\\ORVMIDI.INF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.failingDestination) + (c.apps ? ", with apps" : ""));
        machine.faults.Clear();
        machine.faults.Fail("CopyFileA", c.failingDestination);
        const size_t messagesBefore = Details("message").size();

        const Outcome outcome = PressOk(c.apps, true);

        EXPECT_EQ(outcome.ending, "exit " + std::to_string(ExitFailure));
        const Strings messages = Details("message");
        ASSERT_EQ(messages.size(), messagesBefore + 1);
        EXPECT_NE(messages.back().find("Setup: "), std::string::npos);
        EXPECT_NE(messages.back().find(c.named), std::string::npos) << messages.back();
        EXPECT_EQ(messages.back().find("restart now"), std::string::npos);
        EXPECT_EQ(machine.RestartRequests(), 0);
        EXPECT_TRUE(Details("close window").empty());
        EXPECT_TRUE(machine.Processes().empty());
    }
}

TEST_F(FullInstallTest, AStagingPathTooLongIsRefusedBeforeAnythingChanges) {
    treefixture::AddPreviousInstallation(machine);
    const std::string deep = "D:\\" + std::string(120, 'a') + "\\" + std::string(110, 'b') + "\\";
    treefixture::AddFullTree(machine, deep);
    machine.currentDirectory = deep.substr(0, deep.size() - 1);
    machine.journal.Clear();

    const Outcome outcome = PressOk(true, true);

    EXPECT_EQ(outcome.ending, "exit " + std::to_string(ExitFailure));
    EXPECT_EQ(treefixture::Changes(machine.journal), Strings{});
    ASSERT_EQ(Details("message").size(), 1u);
    EXPECT_TRUE(machine.registry.KeyExists(treefixture::PreviousPciKey));
    EXPECT_TRUE(machine.Processes().empty());
}

TEST_F(FullInstallTest, ASetupProgramThatCannotBeStartedIsReportedAndNotWaitedFor) {
    machine.faults.Fail("CreateProcessA", "*\\Setup.exe");

    const Outcome outcome = PressOk(true, false);

    // The applications were not installed: the exit code says the run failed.
    EXPECT_EQ(outcome.ending, "exit 1");
    const Strings messages = Details("message");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], std::string("Setup: The ZOD Oriva Vovazivevadi setup program could "
                                       "not be started:\n") + AppSetup);
    // Owned by the dialog, which is hidden by then.
    EXPECT_FALSE(machine.windows.MessageBoxes()[0].ownerVisible);
    EXPECT_EQ(machine.Polls(), 0u);
    EXPECT_TRUE(Details("profile").empty());
}

} // namespace
} // namespace fullinstall
