// The driver update dialog: its state when it appears, FullPackage from Setup.ini, the
// minimised icon, and the ways out that change nothing.
#include <gtest/gtest.h>

#include "platform/Window.h"
#include "res/resource.h"
#include "tests/app/SetupFixture.h"
#include "update/DriverUpdateDlg.h"

namespace {

using namespace setupfixture;
using sim::DialogState;
namespace ui = sim::ui;

const char* const WebSetupIni = "[InstallOption]\r\nWebSetup=1\r\n";

TEST(DriverUpdateDialog, AppearsWithThreeUncheckedOptionsOnEverySystem) {
    for (System system : {System::Windows95, System::Windows98, System::WindowsNT, System::Other}) {
        SCOPED_TRACE(Name(system));
        sim::Machine machine;
        SetSystem(machine, system);
        AddTree(machine, false, false); // the update dialog does not look for the applications
        WriteSetupIni(machine, WebSetupIni);
        EXPECT_EQ(0, sim::RunProgram(machine, "SETUP.EXE", "escape"));
        ASSERT_EQ(1u, machine.windows.ShownDialogs().size());
        const DialogState& d = machine.windows.ShownDialogs()[0];
        EXPECT_EQ(UpdateCaption, d.caption);
        for (int id : {IDC_MIDI_PORT, IDC_GAME_PORT, IDC_FOUR_JACK}) {
            EXPECT_FALSE(d.Checked(id)) << id;
            EXPECT_TRUE(d.Enabled(id)) << id;
            EXPECT_EQ("check box", d.Control(id).kind);
        }
        EXPECT_EQ("Install", d.Control(os::IDOK).text);
        EXPECT_EQ("default push button", d.Control(os::IDOK).kind);
        EXPECT_TRUE(d.Control(os::IDOK).focused);
        EXPECT_EQ("Cancel", d.Control(os::IDCANCEL).text);
        EXPECT_EQ(sim::WindowManager::IconHandle(IDI_SETUP), d.bigIcon);
        EXPECT_EQ(d.bigIcon, d.smallIcon);
        EXPECT_EQ(2u, d.systemMenu.size()) << "no about item";
        EXPECT_TRUE(machine.journal.Entries().empty()) << machine.journal.Print();
    }
}

TEST(DriverUpdateDialog, ReadsFullPackageAndSourceDir) {
    struct Case {
        const char* setupIni; // nullptr: no file
        int32_t fullPackage;
    } cases[] = {
        {nullptr, 0},
        {"[InstallOption]\r\n", 0},
        {"[InstallOption]\r\nFullPackage=0\r\n", 0},
        {"[InstallOption]\r\nFullPackage=1\r\n", 1},
        {"[InstallOption]\r\nFullPackage=7\r\n", 7},
        {"[InstallOption]\r\nFullPackage=yes\r\n", 0},
        {"[Other]\r\nFullPackage=1\r\n", 0},
    };
    for (const Case& c : cases) {
        for (const char* root : {"D:\\", "D:\\DRIVER\\UPDATE\\"}) {
            SCOPED_TRACE(std::string(c.setupIni ? c.setupIni : "no Setup.ini") + " in " + root);
            sim::Machine machine(sim::Preset::Windows98);
            AddTree(machine, false, false, root);
            if (c.setupIni)
                WriteSetupIni(machine, c.setupIni, root);
            CDriverUpdateDlg dialog;
            dialog.FullPackage = -5;
            EXPECT_EQ(-1, RunDialog(machine, dialog, {ui::Escape()}));
            EXPECT_EQ(c.fullPackage, dialog.FullPackage);
            EXPECT_EQ(CString(root), dialog.SourceDir);
        }
    }
}

TEST(DriverUpdateDialog, TheBoxesToggleFreelyAndNothingElseReacts) {
    sim::Machine machine(sim::Preset::Windows98);
    AddTree(machine, false, false);
    WriteSetupIni(machine, WebSetupIni);
    DialogState seen;
    EXPECT_EQ(
        0, sim::RunProgram(machine, "SETUP.EXE",
                           {ui::Click(IDC_MIDI_PORT), ui::Click(IDC_FOUR_JACK),
                            ui::Click(IDC_GAME_PORT), ui::Click(IDC_MIDI_PORT),
                            ui::Inspect([&](const DialogState& d) { seen = d; }), ui::Escape()}));
    EXPECT_FALSE(seen.Checked(IDC_MIDI_PORT));
    EXPECT_TRUE(seen.Checked(IDC_GAME_PORT));
    EXPECT_TRUE(seen.Checked(IDC_FOUR_JACK));
    EXPECT_TRUE(seen.Enabled(os::IDOK));
    EXPECT_TRUE(machine.journal.Entries().empty()) << machine.journal.Print();
}

TEST(DriverUpdateDialog, CancelEscapeAndCloseEndTheProgramWithNothingChanged) {
    for (const char* script : {"click 2", "escape", "close", "click 1000; click 1002; escape"}) {
        sim::Machine machine(sim::Preset::Windows98);
        AddTree(machine, false, false);
        WriteSetupIni(machine, WebSetupIni);
        EXPECT_EQ(0, sim::RunProgram(machine, "SETUP.EXE", script)) << script;
        ASSERT_EQ(1u, machine.windows.ClosedDialogs().size());
        EXPECT_TRUE(machine.journal.Entries().empty()) << script << "\n" << machine.journal.Print();
        EXPECT_EQ(0, machine.RestartRequests());
    }
}

TEST(DriverUpdateDialog, MinimisedItDrawsItsIconCentred) {
    sim::Machine machine(sim::Preset::Windows98);
    AddTree(machine, false, false);
    WriteSetupIni(machine, WebSetupIni);
    os::RECT client{};
    os::HICON dragIcon = nullptr;
    EXPECT_EQ(0, sim::RunProgram(machine, "SETUP.EXE",
                                 {ui::Inspect([&](const DialogState& d) {
                                      os::GetClientRect(d.handle, &client);
                                      dragIcon = reinterpret_cast<os::HICON>(
                                          os::SendMessageA(d.handle, os::WM_QUERYDRAGICON, 0, 0));
                                  }),
                                  ui::Restore(), ui::Minimize(), ui::Escape()}));
    const DialogState& d = machine.windows.ClosedDialogs().back();
    ASSERT_EQ(1u, d.drawnIcons.size());
    EXPECT_EQ((client.right - 32 + 1) / 2, d.drawnIcons[0].x);
    EXPECT_EQ((client.bottom - 32 + 1) / 2, d.drawnIcons[0].y);
    EXPECT_EQ(1, d.defaultPaints);
    EXPECT_EQ(sim::WindowManager::IconHandle(IDI_SETUP), dragIcon);
}

} // namespace
