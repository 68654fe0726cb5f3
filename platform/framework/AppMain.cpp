#include "platform/framework/AppMain.h"

#include "platform/Process.h"
#include "platform/framework/WinApp.h"

namespace {
// The exit code when InitInstance returns: the program's dialogs have closed normally.
const int NormalExitCode = 0;
} // namespace

void ResetApplicationState() {
    CWinApp* app = GetApp();
    if (!app)
        return;
    app->m_hInstance = nullptr;
    app->m_lpCmdLine.Empty();
    app->m_pMainWnd = nullptr;
    app->m_nWaitCursorCount = 0;
    app->m_hcurWaitCursorRestore = nullptr;
}

int AppMain() {
    CWinApp* app = GetApp();
    if (!app)
        return NormalExitCode;
    ResetApplicationState();
    app->m_hInstance = os::GetModuleHandleA(nullptr);
    app->m_lpCmdLine = CommandLineArguments(os::GetCommandLineA());
    // Whatever InitInstance returns, there is no message loop to run: the program's windows
    // were modal dialogs, and they have closed.
    app->InitInstance();
    return NormalExitCode;
}
