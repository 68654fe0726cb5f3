// The setup dialog: its state when it appears on each system, OK following the boxes, the
// about box from the system menu, the presence test of the installation tree, the minimised
// icon, and Cancel changing nothing.
#include <gtest/gtest.h>

#include "app/SetupApp.h"
#include "platform/Window.h"
#include "res/resource.h"
#include "setupdlg/SetupDlg.h"
#include "tests/app/SetupFixture.h"

namespace {

using namespace setupfixture;
using sim::DialogState;
namespace ui = sim::ui;

struct StartCase {
    System system;
    int32_t win95, win98, winNT;
    bool driverBoxChecked;
    bool driverBoxEnabled;
};

TEST(SetupDialog, AppearsWithBothBoxesCheckedExceptTheDriverBoxOnWindowsNT) {
    const StartCase cases[] = {
        {System::Windows95, 1, 0, 0, true, true},
        {System::Windows98, 0, 1, 0, true, true},
        {System::WindowsNT, 0, 0, 1, false, false},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(Name(c.system));
        sim::Machine machine;
        SetSystem(machine, c.system);
        AddTree(machine);
        CSetupDlg dialog;
        EXPECT_EQ(-1, RunDialog(machine, dialog, {ui::Escape()}));
        EXPECT_EQ(c.win95, dialog.Win95Flag);
        EXPECT_EQ(c.win98, dialog.Win98Flag);
        EXPECT_EQ(c.winNT, dialog.WinNTFlag);
        EXPECT_EQ(CString("D:\\"), dialog.SourceDir);

        ASSERT_EQ(1u, machine.windows.ShownDialogs().size());
        const DialogState& d = machine.windows.ShownDialogs()[0];
        EXPECT_EQ(SetupCaption, d.caption);
        EXPECT_TRUE(d.Checked(IDC_INSTALL_APPS));
        EXPECT_TRUE(d.Enabled(IDC_INSTALL_APPS));
        EXPECT_EQ(c.driverBoxChecked, d.Checked(IDC_INSTALL_DRIVER));
        EXPECT_EQ(c.driverBoxEnabled, d.Enabled(IDC_INSTALL_DRIVER));
        EXPECT_TRUE(d.Enabled(os::IDOK));
        EXPECT_TRUE(d.Control(os::IDOK).focused);
        EXPECT_FALSE(d.Visible(IDC_PLEASE_WAIT));
        EXPECT_EQ("Please wait .....", d.Control(IDC_PLEASE_WAIT).text);
        EXPECT_EQ(nullptr, d.owner);
        // Icon 128 as the big and the small icon.
        EXPECT_EQ(sim::WindowManager::IconHandle(IDI_SETUP), d.bigIcon);
        EXPECT_EQ(d.bigIcon, d.smallIcon);
        EXPECT_EQ(d.bigIcon, dialog.DialogIcon);
        // The about item below a separator, at the end of the system menu.
        ASSERT_EQ(4u, d.systemMenu.size());
        EXPECT_TRUE(d.systemMenu[2].separator);
        EXPECT_EQ(16u, d.systemMenu[3].id);
        EXPECT_EQ("&About Setup...", d.systemMenu[3].text);
        // Cancelled: nothing changed, nothing shown.
        EXPECT_TRUE(machine.journal.Entries().empty()) << machine.journal.Print();
        ASSERT_EQ(1u, machine.windows.ClosedDialogs().size());
    }
}

// On a system of neither family the presence test opens SourceDir itself, a directory: the
// program always ends there.
TEST(SetupDialog, EndsBeforeItAppearsWhenTheTreeLacksTheFamilysApplications) {
    struct Case {
        System system;
        bool win9xApps, ntApps;
    } cases[] = {
        {System::Windows95, false, true},  {System::Windows98, false, true},
        {System::WindowsNT, true, false},  {System::Other, true, true},
        {System::Windows98, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(Name(c.system)) + (c.win9xApps ? " 9x-apps" : "") +
                     (c.ntApps ? " nt-apps" : ""));
        sim::Machine machine;
        SetSystem(machine, c.system);
        AddTree(machine, c.win9xApps, c.ntApps);
        EXPECT_EQ(0, sim::RunProgram(machine, "SETUP.EXE"));
        EXPECT_TRUE(machine.windows.ShownDialogs().empty());
        ASSERT_EQ(1u, machine.windows.MessageBoxes().size());
        const sim::MessageBoxRecord& box = machine.windows.MessageBoxes()[0];
        EXPECT_EQ("Can not find installation files.", box.text);
        EXPECT_EQ("Setup", box.caption);
        EXPECT_EQ(os::MB_OK, box.type);
        // Owned by the dialog, which is not visible yet.
        EXPECT_EQ(SetupCaption, box.ownerCaption);
        EXPECT_FALSE(box.ownerVisible);
        EXPECT_EQ(std::string("message: ") + FilesMissing + "\n", machine.journal.Print());
    }
}

TEST(SetupDialog, ThePresenceTestOpensTheFileAndReadsNothing) {
    sim::Machine machine(sim::Preset::Windows98);
    AddTree(machine, false, false);
    machine.files.AddFile(std::string(Root) + Win9xAppSetup, ""); // an empty file passes
    CSetupDlg dialog;
    EXPECT_EQ(-1, RunDialog(machine, dialog, {ui::Escape()}));
    EXPECT_EQ(1u, machine.windows.ShownDialogs().size());
}

TEST(SetupDialog, SourceDirIsTheStartDirectoryWithOneBackslash) {
    struct Case {
        const char* root;
        const char* sourceDir;
    } cases[] = {{"D:\\", "D:\\"}, {"D:\\CD\\DISK 1\\", "D:\\CD\\DISK 1\\"}};
    for (const Case& c : cases) {
        for (System system : {System::Windows98, System::WindowsNT}) {
            sim::Machine machine;
            SetSystem(machine, system);
            AddTree(machine, system != System::WindowsNT, system == System::WindowsNT, c.root);
            CSetupDlg dialog;
            EXPECT_EQ(-1, RunDialog(machine, dialog, {ui::Escape()}))
                << c.root << " " << Name(system);
            EXPECT_EQ(CString(c.sourceDir), dialog.SourceDir);
        }
    }
}

struct ClickCase {
    System system;
    std::vector<int> clicks;
    bool appsChecked, driverChecked, okEnabled;
};

TEST(SetupDialog, OkIsEnabledExactlyWhileABoxIsChecked) {
    const ClickCase cases[] = {
        {System::Windows98, {IDC_INSTALL_APPS}, false, true, true},
        {System::Windows98, {IDC_INSTALL_DRIVER}, true, false, true},
        {System::Windows98, {IDC_INSTALL_APPS, IDC_INSTALL_DRIVER}, false, false, false},
        {System::Windows95, {IDC_INSTALL_DRIVER, IDC_INSTALL_APPS}, false, false, false},
        {System::Windows95,
         {IDC_INSTALL_DRIVER, IDC_INSTALL_APPS, IDC_INSTALL_DRIVER},
         false,
         true,
         true},
        {System::Windows98,
         {IDC_INSTALL_APPS, IDC_INSTALL_DRIVER, IDC_INSTALL_APPS},
         true,
         false,
         true},
        {System::WindowsNT, {IDC_INSTALL_APPS}, false, false, false},
        {System::WindowsNT, {IDC_INSTALL_APPS, IDC_INSTALL_APPS}, true, false, true},
        // The disabled driver box takes no click.
        {System::WindowsNT, {IDC_INSTALL_DRIVER, IDC_INSTALL_APPS}, false, false, false},
    };
    for (const ClickCase& c : cases) {
        std::string trace = Name(c.system);
        sim::Machine machine;
        SetSystem(machine, c.system);
        AddTree(machine);
        sim::UiScript script;
        for (int id : c.clicks) {
            script.Add(ui::Click(id));
            trace += " click " + std::to_string(id);
        }
        SCOPED_TRACE(trace);
        DialogState seen;
        script.Add(ui::Inspect([&](const DialogState& d) { seen = d; }));
        script.Add(ui::Escape());
        EXPECT_EQ(0, sim::RunProgram(machine, "SETUP.EXE", std::move(script)));
        EXPECT_EQ(c.appsChecked, seen.Checked(IDC_INSTALL_APPS));
        EXPECT_EQ(c.driverChecked, seen.Checked(IDC_INSTALL_DRIVER));
        EXPECT_EQ(c.okEnabled, seen.Enabled(os::IDOK));
        EXPECT_TRUE(machine.journal.Entries().empty()) << machine.journal.Print();
    }
}

// The about item's id is 16; the system keeps the four low bits of a command id for itself,
// and the sixteen high bits of the parameter are no part of the id.
TEST(SetupDialog, SystemCommands16To31OpenTheAboutBox) {
    const os::UINT opens[] = {16, 17, 24, 31, 0x10010, 0xFFFF001F};
    const os::UINT doesNot[] = {0, 1, 15, 32, 48, 0x100, 0xFFFF, 0xF010};
    for (bool expected : {true, false}) {
        for (os::UINT id : expected
                               ? std::vector<os::UINT>(std::begin(opens), std::end(opens))
                               : std::vector<os::UINT>(std::begin(doesNot), std::end(doesNot))) {
            sim::Machine machine(sim::Preset::Windows98);
            AddTree(machine);
            sim::UiScript script{ui::SysCommand(id)};
            if (expected)
                script.Add(ui::Escape()); // the about box
            script.Add(ui::Escape());     // the setup dialog
            EXPECT_EQ(0, sim::RunProgram(machine, "SETUP.EXE", std::move(script))) << id;
            EXPECT_EQ(expected ? 2u : 1u, machine.windows.ShownDialogs().size()) << "id " << id;
        }
    }
}

TEST(SetupDialog, TheAboutBoxShowsTheVersionAndClosesEveryWay) {
    sim::Machine machine(sim::Preset::Windows98);
    AddTree(machine);
    EXPECT_EQ(0, sim::RunProgram(machine, "SETUP.EXE",
                                 "syscommand 16; enter; syscommand 16; escape; syscommand 16; "
                                 "close; syscommand 16; click 1; escape"));
    const auto& shown = machine.windows.ShownDialogs();
    ASSERT_EQ(5u, shown.size());
    const DialogState& setup = shown[0];
    for (size_t i = 1; i < shown.size(); ++i) {
        const DialogState& about = shown[i];
        EXPECT_EQ(IDD_ABOUT, about.templateId);
        EXPECT_EQ("About Setup", about.caption);
        EXPECT_EQ(setup.handle, about.owner) << "owned by the main window";
        ASSERT_EQ(3u, about.controls.size());
        EXPECT_EQ("icon", about.controls[0].kind);
        EXPECT_EQ("Setup Version 1.0", about.controls[1].text);
        EXPECT_EQ("default push button", about.controls[2].kind);
        EXPECT_EQ("OK", about.controls[2].text);
    }
    // The setup dialog goes on as it was.
    const DialogState& last = machine.windows.ClosedDialogs().back();
    EXPECT_EQ(IDD_SETUP, last.templateId);
    EXPECT_TRUE(last.Checked(IDC_INSTALL_APPS));
    EXPECT_TRUE(machine.journal.Entries().empty()) << machine.journal.Print();
}

TEST(SetupDialog, CancelEscapeAndCloseEndTheProgramWithNothingChanged) {
    for (const char* script : {"click 2", "escape", "close", "syscommand 0xF061"}) {
        sim::Machine machine(sim::Preset::Windows98);
        AddTree(machine);
        EXPECT_EQ(0, sim::RunProgram(machine, "SETUP.EXE", script)) << script;
        ASSERT_EQ(1u, machine.windows.ClosedDialogs().size()) << script;
        EXPECT_TRUE(machine.journal.Entries().empty()) << script << "\n" << machine.journal.Print();
        EXPECT_EQ(0, machine.RestartRequests());
        EXPECT_EQ(os::LoadCursorA(nullptr, os::IDC_ARROW), machine.windows.Cursor());
    }
}

TEST(SetupDialog, MinimisedItDrawsItsIconCentred) {
    sim::Machine machine(sim::Preset::Windows98);
    AddTree(machine);
    os::RECT client{};
    os::HICON dragIcon = nullptr;
    EXPECT_EQ(0, sim::RunProgram(machine, "SETUP.EXE",
                                 {ui::Inspect([&](const DialogState& d) {
                                      os::GetClientRect(d.handle, &client);
                                      dragIcon = reinterpret_cast<os::HICON>(
                                          os::SendMessageA(d.handle, os::WM_QUERYDRAGICON, 0, 0));
                                  }),
                                  ui::Minimize(), ui::Restore(), ui::Escape()}));
    const DialogState& d = machine.windows.ClosedDialogs().back();
    ASSERT_EQ(1u, d.drawnIcons.size()) << "drawn once, while minimised";
    EXPECT_EQ((client.right - 32 + 1) / 2, d.drawnIcons[0].x);
    EXPECT_EQ((client.bottom - 32 + 1) / 2, d.drawnIcons[0].y);
    EXPECT_EQ(sim::WindowManager::IconHandle(IDI_SETUP), d.drawnIcons[0].icon);
    EXPECT_EQ(1, d.defaultPaints) << "restored, the dialog manager paints";
    EXPECT_EQ(sim::WindowManager::IconHandle(IDI_SETUP), dragIcon);
}

} // namespace

namespace {

TEST(SetupDialog, OnAnotherSystemNoFamilyFlagIsSet) {
    sim::Machine machine;
    SetSystem(machine, System::Other);
    AddTree(machine);
    CSetupDlg dialog;
    dialog.Win95Flag = dialog.Win98Flag = dialog.WinNTFlag = 7;
    EXPECT_EQ(0, RunDialog(machine, dialog, {}));
    EXPECT_EQ(0, dialog.Win95Flag);
    EXPECT_EQ(0, dialog.Win98Flag);
    EXPECT_EQ(0, dialog.WinNTFlag);
}

} // namespace
