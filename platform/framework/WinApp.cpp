#include "platform/framework/WinApp.h"

#include "platform/Window.h"

namespace {

CWinApp* g_app = nullptr;

// Characters of codes 1 to 32: blanks, tabs and the other control characters that separate
// the program's name from its arguments.
const unsigned char LastSeparator = 32;
const char Quote = '"';

} // namespace

CWinApp::CWinApp(const char* appName)
    : m_pszAppName(appName), m_hInstance(nullptr), m_pMainWnd(nullptr), m_nWaitCursorCount(0),
      m_hcurWaitCursorRestore(nullptr) {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

CWinApp* GetApp() {
    return g_app;
}

os::BOOL CWinApp::InitInstance() {
    return os::TRUE;
}

os::BOOL CWinApp::Enable3dControlsStatic() {
    return os::TRUE;
}

void CWinApp::BeginWaitCursor() {
    const os::HCURSOR previous = os::SetCursor(os::LoadCursorA(nullptr, os::IDC_WAIT));
    if (m_nWaitCursorCount++ == 0)
        m_hcurWaitCursorRestore = previous;
}

void CWinApp::EndWaitCursor() {
    if (m_nWaitCursorCount == 0)
        return;
    if (--m_nWaitCursorCount == 0)
        os::SetCursor(m_hcurWaitCursorRestore);
}

os::HICON CWinApp::LoadIcon(os::UINT id) const {
    return os::LoadIconA(m_hInstance, static_cast<int>(id));
}

CString CommandLineArguments(const char* commandLine) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(commandLine);
    if (*p == Quote) {
        // A quoted name may hold blanks; it ends with the closing quote.
        ++p;
        while (*p && *p != Quote)
            ++p;
        if (*p == Quote)
            ++p;
    } else {
        while (*p > LastSeparator)
            ++p;
    }
    while (*p && *p <= LastSeparator)
        ++p;
    return CString(reinterpret_cast<const char*>(p));
}
