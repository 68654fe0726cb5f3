// CSetupApp: the application object of the setup program and the choice of its mode.
#pragma once

#include "platform/framework/WinApp.h"

class CSetupApp : public CWinApp {
public:
    CSetupApp();

    // Finds SourceDir, reads Setup.ini and the command line and runs one of the three
    // modes: the unattended driver installation (which ends the process itself), the driver
    // update dialog or the setup dialog. Returns FALSE when the dialog has closed.
    os::BOOL InitInstance() override;
};

// The one application object, built during static initialisation.
extern CSetupApp theApp;

// TRUE when the upper-cased command-line text is exactly one of the words that select the
// unattended driver installation: "/DRIVER", "DRIVER" or "-DRIVER".
bool IsDriverOnlyCommand(const CString& upperCaseCommandLine);
