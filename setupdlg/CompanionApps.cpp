#include "setupdlg/CompanionApps.h"

#include "platform/Process.h"
#include "platform/WinDefs.h"
#include "platform/Window.h"

namespace {

os::HWND FindTopLevelWindow(const char* title) {
    return os::FindWindowExA(nullptr, nullptr, nullptr, title);
}

// Sends WM_CLOSE to the first top-level window titled title. SendMessage returns only after
// the window's program has handled the message. true when there was such a window.
bool CloseWindowTitled(const char* title) {
    const os::HWND window = FindTopLevelWindow(title);
    if (!window)
        return false;
    os::SendMessageA(window, os::WM_CLOSE, 0, 0);
    return true;
}

} // namespace

void CloseCompanionApplications() {
    if (CloseWindowTitled(SoundDeckTitle)) {
        // With SoundDeck running, the players are not looked for.
        os::Sleep(CompanionClosePauseMs);
    } else {
        for (const char* player : PlayerTitles)
            CloseWindowTitled(player);
    }
    CloseWindowTitled(LevelsTitle);
    os::Sleep(CompanionClosePauseMs);
}

bool LevelsWindowOpen() { return FindTopLevelWindow(LevelsTitle) != nullptr; }
