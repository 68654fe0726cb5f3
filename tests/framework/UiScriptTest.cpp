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
        {sim::UiAction::Click, 1002},       {sim::UiAction::SysCommand, 16},
        {sim::UiAction::SysCommand, 0xF060}, {sim::UiAction::SysCommand, 0xF020},
        {sim::UiAction::SysCommand, 0xF120}, {sim::UiAction::Enter, 0},
        {sim::UiAction::Escape, 0},          {sim::UiAction::Tab, 0},
        {sim::UiAction::Space, 0},           {sim::UiAction::Answer, os::IDOK},
        {sim::UiAction::Answer, os::IDCANCEL}, {sim::UiAction::Answer, 7},
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
    for (const char* bad : {"push 1", "click", "click x", "enter 1", "answer", "answer maybe",
                            "click 1 2"})
        EXPECT_THROW(sim::ParseUiScript(bad), std::runtime_error) << bad;
    EXPECT_TRUE(sim::ParseUiScript(" ; \n ;").Empty());
}

} // namespace
