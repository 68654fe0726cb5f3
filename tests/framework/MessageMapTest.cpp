// Message maps: lookup by message, command id and notification code, the derived class's
// table before its base's, and a handler's request for the default handling.
#include <gtest/gtest.h>

#include "platform/framework/Wnd.h"

namespace {

std::string g_calls;

class BaseWindow : public CWnd {
public:
    DECLARE_MESSAGE_MAP()
public:
    void OnPaint() { g_calls += "base paint;"; }
    void OnSeven() { g_calls += "base 7;"; }
    void OnEight() { g_calls += "base 8;"; }
};

class DerivedWindow : public BaseWindow {
public:
    DECLARE_MESSAGE_MAP()
public:
    void OnSeven() { g_calls += "derived 7;"; }
    void OnSysCommand(os::UINT id, os::LPARAM lParam) {
        g_calls += "syscommand " + std::to_string(id) + "," + std::to_string(lParam) + ";";
        if (id == 99)
            Default();
    }
    os::HICON OnQueryDragIcon() { return reinterpret_cast<os::HICON>(0x1234); }
};

BEGIN_MESSAGE_MAP(BaseWindow, CWnd)
    ON_WM_PAINT()
    ON_BN_CLICKED(7, &BaseWindow::OnSeven)
    ON_COMMAND(8, &BaseWindow::OnEight)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(DerivedWindow, BaseWindow)
    ON_BN_CLICKED(7, &DerivedWindow::OnSeven)
    ON_WM_SYSCOMMAND()
    ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

os::WPARAM Command(int id, int code) {
    return static_cast<os::WPARAM>(id | code << 16);
}

TEST(MessageMap, RoutesEachMessageToTheFirstMatchingEntryFromTheDerivedClassUp) {
    DerivedWindow window;
    os::LRESULT result = -1;
    struct Case {
        os::UINT message;
        os::WPARAM wParam;
        os::LPARAM lParam;
        bool handled;
        const char* calls;
    } cases[] = {
        {os::WM_PAINT, 0, 0, true, "base paint;"},
        {os::WM_COMMAND, Command(7, os::BN_CLICKED), 0, true, "derived 7;"},
        {os::WM_COMMAND, Command(8, os::BN_CLICKED), 0, true, "base 8;"},
        {os::WM_COMMAND, Command(7, 1), 0, false, ""}, // another notification of control 7
        {os::WM_COMMAND, Command(9, os::BN_CLICKED), 0, false, ""},
        {os::WM_SYSCOMMAND, 16, 5, true, "syscommand 16,5;"},
        {os::WM_SYSCOMMAND, 99, 0, false, "syscommand 99,0;"}, // the handler asked for Default()
        {os::WM_CLOSE, 0, 0, false, ""},
    };
    for (const Case& c : cases) {
        g_calls.clear();
        EXPECT_EQ(c.handled ? os::TRUE : os::FALSE,
                  window.OnWndMsg(c.message, c.wParam, c.lParam, &result))
            << "message " << c.message << " wParam " << c.wParam;
        EXPECT_EQ(c.calls, g_calls) << "message " << c.message << " wParam " << c.wParam;
    }
    ASSERT_TRUE(window.OnWndMsg(os::WM_QUERYDRAGICON, 0, 0, &result));
    EXPECT_EQ(0x1234, result);
}

TEST(MessageMap, TheRootTableIsEmpty) {
    CWnd window;
    os::LRESULT result = 0;
    EXPECT_FALSE(window.OnWndMsg(os::WM_PAINT, 0, 0, &result));
}

} // namespace
