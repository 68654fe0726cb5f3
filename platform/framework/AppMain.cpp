#include "platform/framework/AppMain.h"

#include "platform/Process.h"
#include "platform/framework/WinApp.h"

namespace {
// The exit code when InitInstance returns: the program's dialogs have closed normally.
const int NormalExitCode = 0;
} // namespace

int AppMain() {
    CWinApp* app = GetApp();
    if (!app)
        return NormalExitCode;
    // A new process: the application object starts without a main window or wait cursor.
    app->m_hInstance = os::GetModuleHandleA(nullptr);
    app->m_lpCmdLine = CommandLineArguments(os::GetCommandLineA());
    app->m_pMainWnd = nullptr;
    app->m_nWaitCursorCount = 0;
    app->m_hcurWaitCursorRestore = nullptr;
    // Whatever InitInstance returns, there is no message loop to run: the program's windows
    // were modal dialogs, and they have closed.
    app->InitInstance();
    return NormalExitCode;
}
