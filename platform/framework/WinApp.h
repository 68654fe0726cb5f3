// CWinApp: the application object. The program defines exactly one, as a global object of
// a class derived from CWinApp; AppMain (platform/framework/AppMain.h) runs its
// InitInstance.
#pragma once

#include "platform/WinDefs.h"
#include "platform/framework/Wnd.h"

class CWinApp {
public:
    // appName nullptr: the application has no name of its own.
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();

    // Called once, when the process starts. TRUE would ask for a main message loop, which
    // this framework does not have: the program's windows are modal dialogs run inside
    // InitInstance, and the process ends when it returns.
    virtual os::BOOL InitInstance();

    // Windows 95 and NT 4.0 draw dialogs and their controls in 3-D themselves, so nothing is
    // left to enable: returns TRUE.
    os::BOOL Enable3dControlsStatic();

    // The hourglass cursor while long work runs. Calls nest: the first Begin shows the
    // hourglass, the matching last End puts back the cursor that was shown before; an End
    // without a Begin does nothing.
    void BeginWaitCursor();
    void EndWaitCursor();

    // Icon id of the program's resources.
    os::HICON LoadIcon(os::UINT id) const;

    const char* m_pszAppName;
    os::HINSTANCE m_hInstance;
    // The command line after the program's name, without the blanks and tabs that follow
    // the name; the end of the line (trailing blanks included) is kept as it is.
    CString m_lpCmdLine;
    // The window of the running program; dialogs run without a parent are owned by it.
    CWnd* m_pMainWnd;

private:
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    friend int AppMain();
    friend void ResetApplicationState();

    int m_nWaitCursorCount;
    os::HCURSOR m_hcurWaitCursorRestore;
};

// The application object; nullptr before it is constructed.
CWinApp* GetApp();

// The command-line text that a program started with commandLine sees in m_lpCmdLine: the
// program's name ends at the second double quote when the line begins with one, else at
// the first character of code 32 or less; characters of codes 1 to 32 after the name are
// skipped.
CString CommandLineArguments(const char* commandLine);
