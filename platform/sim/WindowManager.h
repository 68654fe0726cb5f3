// The simulated window manager: every window of the simulated machine, the program's
// dialogs and their controls as well as the top-level windows of simulated programs.
#pragma once

#include <string>

#include "platform/WinTypes.h"

namespace sim {

class WindowManager {
public:
    // A top-level window of another (simulated) program, with the given title. A window that
    // ignores WM_CLOSE stays open when it is sent one.
    os::HWND CreateTopLevelWindow(const std::string& title, bool ignoresClose = false);
    bool DestroyWindow(os::HWND window);
    bool IsWindow(os::HWND window) const;
};

} // namespace sim
