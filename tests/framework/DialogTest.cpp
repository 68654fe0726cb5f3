// CDialog over the simulated dialog manager: templates become windows with their controls,
// the user's actions reach the message map, and the modal loop ends with EndDialog.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/Window.h"
#include "platform/framework/AppMain.h"
#include "platform/framework/Dialog.h"
#include "platform/framework/WinApp.h"
#include "platform/sim/Machine.h"
#include "platform/sim/ProcessExit.h"
#include "platform/sim/Program.h"
#include "res/resource.h"

namespace {

using sim::DialogState;
namespace ui = sim::ui;

// A dialog of the program's templates that records the clicks its message map receives.
class ProbeDialog : public CDialog {
public:
    explicit ProbeDialog(int templateId, CWnd* parent = nullptr) : CDialog(templateId, parent) {}
    std::string clicks;
    std::function<void(ProbeDialog&)> onInit;

    DECLARE_MESSAGE_MAP()
protected:
    os::BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (onInit)
            onInit(*this);
        return os::TRUE;
    }

private:
    void OnApps() { clicks += "1001;"; }
    void OnDriver() { clicks += "1002;"; }
};

BEGIN_MESSAGE_MAP(ProbeDialog, CDialog)
    ON_BN_CLICKED(IDC_INSTALL_APPS, &ProbeDialog::OnApps)
    ON_BN_CLICKED(IDC_INSTALL_DRIVER, &ProbeDialog::OnDriver)
END_MESSAGE_MAP()

class DialogTest : public ::testing::Test {
protected:
    DialogTest() : scope(machine) {
        machine.windows.StartProcess();
        ResetApplicationState();
    }
    ~DialogTest() override { ResetApplicationState(); }

    os::INT_PTR Run(ProbeDialog& dialog, sim::UiScript script) {
        machine.windows.SetScript(std::move(script));
        const os::INT_PTR result = dialog.DoModal();
        EXPECT_TRUE(machine.windows.Script().Empty()) << "UI actions left";
        return result;
    }

    sim::Machine machine;
    sim::MachineScope scope;
};

TEST_F(DialogTest, ATemplateBecomesADialogWithItsControlsInTabOrder) {
    ProbeDialog dialog(IDD_SETUP);
    DialogState seen;
    Run(dialog, {ui::Inspect([&](const DialogState& d) { seen = d; }), ui::Escape()});
    EXPECT_EQ("PCI Audio Device Driver And Applications Setup Program", seen.caption);
    EXPECT_TRUE(seen.visible);
    ASSERT_EQ(6u, seen.controls.size());
    const char* kinds[] = {"default push button", "push button", "group box", "text",
                           "check box",           "check box"};
    const int ids[] = {1, 2, -1, 1003, 1001, 1002};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(kinds[i], seen.controls[i].kind);
        EXPECT_EQ(ids[i], seen.controls[i].id);
        EXPECT_EQ(i == 3 ? false : true, seen.controls[i].visible) << i;
        EXPECT_EQ(i == 0, seen.controls[i].focused) << "the first tab stop has the focus";
        EXPECT_EQ(0, seen.controls[i].check);
    }
    // The system menu of a dialog with a modal frame.
    ASSERT_EQ(2u, seen.systemMenu.size());
    EXPECT_EQ(sim::ScClose, seen.systemMenu[1].id);
    EXPECT_EQ(nullptr, dialog.m_hWnd) << "detached when the dialog has ended";
}

TEST_F(DialogTest, TheWaysOutEndTheDialogWithTheirResult) {
    struct Case {
        int templateId;
        sim::UiAction action;
        os::INT_PTR result;
    } cases[] = {
        {IDD_SETUP, ui::Escape(), os::IDCANCEL},
        {IDD_SETUP, ui::Click(os::IDCANCEL), os::IDCANCEL},
        {IDD_SETUP, ui::Close(), os::IDCANCEL},
        {IDD_SETUP, ui::Enter(), os::IDOK},
        {IDD_SETUP, ui::Click(os::IDOK), os::IDOK},
        // The about box has no Cancel button: Escape and the close command still cancel.
        {IDD_ABOUT, ui::Escape(), os::IDCANCEL},
        {IDD_ABOUT, ui::Close(), os::IDCANCEL},
        {IDD_ABOUT, ui::Enter(), os::IDOK},
        {IDD_DRIVER_UPDATE, ui::Enter(), os::IDOK},
        {IDD_DRIVER_UPDATE, ui::Close(), os::IDCANCEL},
    };
    for (const Case& c : cases) {
        ProbeDialog dialog(c.templateId);
        EXPECT_EQ(c.result, Run(dialog, {c.action})) << "template " << c.templateId;
    }
    EXPECT_TRUE(machine.journal.Entries().empty()) << machine.journal.Print();
}

TEST_F(DialogTest, ACheckBoxClickTogglesItAndReachesTheMessageMap) {
    ProbeDialog dialog(IDD_SETUP);
    std::vector<int> states;
    auto record =
        ui::Inspect([&](const DialogState& d) { states.push_back(d.Control(1001).check); });
    Run(dialog, {ui::Click(1001), record, ui::Click(1002), ui::Click(1001), record, ui::Escape()});
    EXPECT_EQ("1001;1002;1001;", dialog.clicks);
    EXPECT_EQ((std::vector<int>{1, 0}), states);
}

TEST_F(DialogTest, HiddenAndDisabledControlsTakeNoClick) {
    ProbeDialog dialog(IDD_SETUP);
    dialog.onInit = [](ProbeDialog& d) {
        os::EnableWindow(os::GetDlgItem(d.m_hWnd, IDC_INSTALL_DRIVER), os::FALSE);
        os::ShowWindow(os::GetDlgItem(d.m_hWnd, IDC_INSTALL_APPS), os::SW_HIDE);
        os::EnableWindow(os::GetDlgItem(d.m_hWnd, os::IDOK), os::FALSE);
    };
    DialogState seen;
    EXPECT_EQ(os::IDCANCEL,
              Run(dialog, {ui::Click(1001), ui::Click(1002), ui::Click(os::IDOK),
                           ui::Inspect([&](const DialogState& d) { seen = d; }), ui::Escape()}));
    EXPECT_EQ("", dialog.clicks);
    EXPECT_EQ(0, seen.Control(1001).check);
    EXPECT_EQ(0, seen.Control(1002).check);
    // OK was disabled when the dialog took the focus, so the next tab stop got it.
    EXPECT_TRUE(seen.Control(os::IDCANCEL).focused);
}

TEST_F(DialogTest, EnterDoesNothingWhileTheDefaultButtonIsDisabled) {
    ProbeDialog dialog(IDD_SETUP);
    dialog.onInit = [](ProbeDialog& d) {
        os::EnableWindow(os::GetDlgItem(d.m_hWnd, os::IDOK), os::FALSE);
    };
    bool stillOpen = false;
    // Tab takes the focus from Cancel to the first check box, so that Enter means the
    // default button.
    EXPECT_EQ(os::IDCANCEL,
              Run(dialog, {ui::Tab(), ui::Enter(), ui::Inspect([&](const DialogState& d) {
                               stillOpen = d.Control(1001).focused;
                           }),
                           ui::Escape()}));
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ("", dialog.clicks);
}

TEST_F(DialogTest, TabMovesAlongVisibleEnabledTabStopsAndSpacePressesTheFocusedOne) {
    ProbeDialog dialog(IDD_SETUP);
    std::vector<int> focus;
    auto record = ui::Inspect([&](const DialogState& d) {
        for (const auto& c : d.controls)
            if (c.focused)
                focus.push_back(c.id);
    });
    Run(dialog, {ui::Tab(), record, ui::Tab(), record, ui::Space(), ui::Tab(), ui::Tab(), record,
                 ui::Tab(), ui::Space()});
    // OK -> Cancel -> 1001 (the group box and the hidden text are passed by) -> 1002 -> OK.
    EXPECT_EQ((std::vector<int>{2, 1001, os::IDOK}), focus);
    EXPECT_EQ("1001;", dialog.clicks);
}

TEST_F(DialogTest, EnterPressesTheFocusedPushButton) {
    ProbeDialog dialog(IDD_SETUP);
    EXPECT_EQ(os::IDCANCEL, Run(dialog, {ui::Tab(), ui::Enter()}));
}

TEST_F(DialogTest, TheCloseCommandDoesNothingWhileTheCancelButtonIsDisabled) {
    ProbeDialog dialog(IDD_SETUP);
    dialog.onInit = [](ProbeDialog& d) {
        os::EnableWindow(os::GetDlgItem(d.m_hWnd, os::IDCANCEL), os::FALSE);
    };
    EXPECT_EQ(os::IDOK, Run(dialog, {ui::Close(), ui::Click(os::IDOK)}));
}

TEST_F(DialogTest, ANestedDialogIsOwnedByTheMainWindowWhichWaitsDisabled) {
    ProbeDialog outer(IDD_SETUP);
    GetApp()->m_pMainWnd = &outer;
    DialogState inner;
    bool outerEnabledInside = true;
    // The about box runs from inside the outer dialog's loop, as a handler runs it; it takes
    // the next actions of the same script.
    Run(outer, {ui::Inspect([](const DialogState&) {
                    ProbeDialog about(IDD_ABOUT);
                    about.DoModal();
                }),
                ui::Inspect([&](const DialogState& d) {
                    inner = d;
                    outerEnabledInside = os::IsWindowEnabled(d.owner) != 0;
                }),
                ui::Escape(), ui::Inspect([&](const DialogState& d) {
                    EXPECT_TRUE(d.enabled) << "the owner takes input again";
                }),
                ui::Escape()});
    EXPECT_EQ("About Setup", inner.caption);
    ASSERT_EQ(2u, machine.windows.ShownDialogs().size());
    EXPECT_EQ(machine.windows.ShownDialogs()[0].handle, inner.owner);
    EXPECT_FALSE(outerEnabledInside);
}

TEST_F(DialogTest, ADialogEndedInWm_InitDialogNeverAppears) {
    ProbeDialog dialog(IDD_ABOUT);
    dialog.onInit = [](ProbeDialog& d) { d.EndDialog(7); };
    EXPECT_EQ(7, Run(dialog, {}));
    EXPECT_TRUE(machine.windows.ShownDialogs().empty());
}

TEST_F(DialogTest, ADialogWaitingForAnActionTheScriptLacksIsAnError) {
    ProbeDialog dialog(IDD_ABOUT);
    machine.windows.SetScript({});
    EXPECT_THROW(dialog.DoModal(), std::runtime_error);
    // The dialog's window went with the error.
    EXPECT_EQ(nullptr, os::FindWindowExA(nullptr, nullptr, nullptr, "About Setup"));
}

TEST_F(DialogTest, MessageBoxesTakeTheScriptsAnswerOrTheirFirstButton) {
    machine.windows.SetScript({ui::Answer(os::IDCANCEL)});
    EXPECT_EQ(os::IDCANCEL, os::MessageBoxA(nullptr, "first", "Caption", os::MB_OKCANCEL));
    EXPECT_EQ(os::IDOK, os::MessageBoxA(nullptr, "second", "Caption", os::MB_OK));
    EXPECT_EQ(os::IDYES, os::MessageBoxA(nullptr, "third", "Caption", os::MB_YESNO));
    ASSERT_EQ(3u, machine.windows.MessageBoxes().size());
    EXPECT_EQ("message: Caption: first\nmessage: Caption: second\nmessage: Caption: third\n",
              machine.journal.Print());
    EXPECT_EQ(os::MB_OKCANCEL, machine.windows.MessageBoxes()[0].type);
}

TEST_F(DialogTest, AnAnswerWithoutAMessageBoxIsAnError) {
    ProbeDialog dialog(IDD_ABOUT);
    machine.windows.SetScript({ui::Answer(os::IDOK)});
    EXPECT_THROW(dialog.DoModal(), std::runtime_error);
}

TEST_F(DialogTest, WaitCursorCallsNest) {
    CWinApp& app = *GetApp();
    const os::HCURSOR arrow = os::LoadCursorA(nullptr, os::IDC_ARROW);
    const os::HCURSOR wait = os::LoadCursorA(nullptr, os::IDC_WAIT);
    os::SetCursor(arrow);
    app.BeginWaitCursor();
    app.BeginWaitCursor();
    EXPECT_EQ(wait, machine.windows.Cursor());
    app.EndWaitCursor();
    EXPECT_EQ(wait, machine.windows.Cursor()) << "one Begin is still open";
    app.EndWaitCursor();
    EXPECT_EQ(arrow, machine.windows.Cursor());
    app.EndWaitCursor(); // an End too many changes nothing
    EXPECT_EQ(arrow, machine.windows.Cursor());
    app.BeginWaitCursor();
    EXPECT_EQ(wait, machine.windows.Cursor());
    app.EndWaitCursor();
    EXPECT_EQ(arrow, machine.windows.Cursor());
}

TEST_F(DialogTest, OtherProgramsWindowsAreFoundByExactTitleAndClosedByWm_Close) {
    const os::HWND levels = machine.windows.CreateTopLevelWindow("Levels");
    const os::HWND stubborn = machine.windows.CreateTopLevelWindow("Disc Player", true);
    EXPECT_EQ(levels, os::FindWindowExA(nullptr, nullptr, nullptr, "Levels"));
    EXPECT_EQ(nullptr, os::FindWindowExA(nullptr, nullptr, nullptr, "levels"));
    EXPECT_EQ(nullptr, os::FindWindowExA(nullptr, nullptr, nullptr, "Level"));
    os::SendMessageA(levels, os::WM_CLOSE, 0, 0);
    os::SendMessageA(stubborn, os::WM_CLOSE, 0, 0);
    EXPECT_FALSE(machine.windows.IsWindow(levels));
    EXPECT_TRUE(machine.windows.IsWindow(stubborn));
    EXPECT_EQ("close window: Levels\nclose window: Disc Player (stays open)\n",
              machine.journal.Print());
}

} // namespace

namespace {

TEST_F(DialogTest, ShowDrawsTheDialogAsTextInTabOrder) {
    ProbeDialog dialog(IDD_SETUP);
    dialog.onInit = [](ProbeDialog& d) {
        os::SendMessageA(os::GetDlgItem(d.m_hWnd, IDC_INSTALL_APPS), os::BM_SETCHECK,
                         os::BST_CHECKED, 0);
        os::EnableWindow(os::GetDlgItem(d.m_hWnd, IDC_INSTALL_DRIVER), os::FALSE);
    };
    Run(dialog, {ui::Show(), ui::Escape()});
    ASSERT_EQ(1u, machine.windows.Transcript().size());
    EXPECT_EQ("+-- PCI Audio Device Driver And Applications Setup Program\n"
              "| > << OK >>   [1]\n"
              "|   < Cancel >   [2]\n"
              "|   -- group box --\n"
              "|   \"Please wait .....\"   [1003]   (hidden)\n"
              "|   [x] Install Applications   [1001]\n"
              "|   [ ] Install Device Driver   [1002]   (disabled)\n"
              "+-- system menu: 1.&Move (61456) 2.&Close (61536)\n",
              machine.windows.Transcript()[0]);
}

} // namespace
