#include "app/Finish.h"

#include "app/Messages.h"
#include "platform/Process.h"
#include "platform/WinDefs.h"
#include "platform/Window.h"

void RestartWindows(os::HWND owner) {
    os::MessageBoxA(owner, msg::SetupCompleted, msg::SetupCaption, os::MB_OK);
    // No shutdown privilege is asked for, and a refusal is not reported: the process ends
    // with code 0 either way.
    os::ExitWindowsEx(os::EWX_REBOOT, 0);
    QuitSetup();
}

void QuitSetup() { os::exit(ExitSuccess); }

void FailSetup(os::HWND owner, const char* message) {
    os::MessageBoxA(owner, message, msg::SetupCaption, os::MB_OK);
    os::exit(ExitFailure);
}
