// The text form of UI scripts.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/WinDefs.h"
#include "platform/sim/UiScript.h"
#include "platform/sim/WindowManager.h"

namespace {

TEST(UiScript, ReadsEveryActionOfTheTextForm) {
    sim::UiScript script = sim::ParseUiScript(
        "click 1002; syscommand 0x10\nclose;minimize; restore\n ENTER ; escape; tab; space; "
        "answer ok; answer Cancel; answer 7; show");
    struct Expected {
        sim::UiAction::Kind kind;
        int value;
    } expected[] = {
        {sim::UiAction::Click, 1002},
        {sim::UiAction::SysCommand, 16},
        {sim::UiAction::SysCommand, 0xF060},
        {sim::UiAction::SysCommand, 0xF020},
        {sim::UiAction::SysCommand, 0xF120},
        {sim::UiAction::Enter, 0},
        {sim::UiAction::Escape, 0},
        {sim::UiAction::Tab, 0},
        {sim::UiAction::Space, 0},
        {sim::UiAction::Answer, os::IDOK},
        {sim::UiAction::Answer, os::IDCANCEL},
        {sim::UiAction::Answer, 7},
        {sim::UiAction::Show, 0},
    };
    for (const Expected& e : expected) {
        ASSERT_FALSE(script.Empty());
        const sim::UiAction action = script.Take();
        EXPECT_EQ(e.kind, action.kind);
        EXPECT_EQ(e.value, action.value);
    }
    EXPECT_TRUE(script.Empty());
}

TEST(UiScript, RefusesUnknownActionsAndMissingOrExtraArguments) {
    for (const char* bad :
         {"push 1", "click", "click x", "enter 1", "answer", "answer maybe", "click 1 2"})
        EXPECT_THROW(sim::ParseUiScript(bad), std::runtime_error) << bad;
    EXPECT_TRUE(sim::ParseUiScript(" ; \n ;").Empty());
}

} // namespace

#include <unistd.h>

#include <sstream>

namespace {

TEST(KeyboardTerminal, TurnsKeysIntoActionsAndAnswers) {
    int fds[2];
    ASSERT_EQ(0, pipe(fds));
    const std::string keys = "\t \r\x1bxm2y\r";
    ASSERT_EQ(static_cast<ssize_t>(keys.size()), write(fds[1], keys.data(), keys.size()));
    close(fds[1]);
    std::ostringstream out;
    sim::KeyboardTerminal terminal(fds[0], out);
    sim::DialogState dialog;
    dialog.systemMenu = {{false, 0xF010, "&Move"},
                         {false, 0xF060, "&Close"},
                         {true, 0, ""},
                         {false, 16, "&About Setup..."}};
    EXPECT_EQ(sim::UiAction::Tab, terminal.NextAction(dialog, "drawing\n").kind);
    EXPECT_EQ(sim::UiAction::Space, terminal.NextAction(dialog, "").kind);
    EXPECT_EQ(sim::UiAction::Enter, terminal.NextAction(dialog, "").kind);
    EXPECT_EQ(sim::UiAction::Escape, terminal.NextAction(dialog, "").kind);
    // An unknown key is passed over; 'm' and a number pick a system menu item.
    const sim::UiAction chosen = terminal.NextAction(dialog, "");
    EXPECT_EQ(sim::UiAction::SysCommand, chosen.kind);
    EXPECT_EQ(0xF060, chosen.value);
    EXPECT_EQ(os::IDYES, terminal.AnswerMessageBox("Setup", "Sure?", os::MB_YESNO));
    EXPECT_EQ(os::IDOK, terminal.AnswerMessageBox("Setup", "Done.", os::MB_OK));
    // The keys have run out: the user has gone, and the dialog is cancelled.
    EXPECT_EQ(sim::UiAction::Escape, terminal.NextAction(dialog, "").kind);
    close(fds[0]);
    EXPECT_NE(std::string::npos, out.str().find("drawing"));
    EXPECT_NE(std::string::npos, out.str().find("[Setup] Done."));
}

} // namespace
