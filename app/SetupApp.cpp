#include "app/SetupApp.h"

#include "app/SourceDir.h"
#include "app/UnattendedInstall.h"
#include "platform/Profile.h"
#include "platform/WinDefs.h"
#include "setupdlg/SetupDlg.h"
#include "update/DriverUpdateDlg.h"

CSetupApp theApp;

namespace {

const char* const OptionSection = "InstallOption";
const char* const DriverOnlyKey = "DriverOnly";
const char* const WebSetupKey = "WebSetup";
const int OptionDefault = 0;
// The two reads name the option file differently; file names on Windows ignore case, so
// both reach the same file.
const char* const DriverOnlyFileName = "setup.ini";
const char* const WebSetupFileName = "Setup.ini";

// The command-line words that select the unattended driver installation.
const char* const DriverOnlyWords[] = {"/DRIVER", "DRIVER", "-DRIVER"};

} // namespace

bool IsDriverOnlyCommand(const CString& upperCaseCommandLine) {
    // Whole-text equality: a word with anything before or after it (a blank, a further
    // argument, another letter) is not the word.
    for (const char* word : DriverOnlyWords)
        if (upperCaseCommandLine == word)
            return true;
    return false;
}

CSetupApp::CSetupApp() : CWinApp(nullptr) {}

os::BOOL CSetupApp::InitInstance() {
    // 1.
    CString sourceDir = GetSourceDir();

    // 2. Read in every mode, before the command line is looked at.
    const os::UINT driverOnly = os::GetPrivateProfileIntA(
        OptionSection, DriverOnlyKey, OptionDefault, sourceDir + DriverOnlyFileName);

    // 3.
    m_lpCmdLine.MakeUpper();

    // 4, 5.
    if (IsDriverOnlyCommand(m_lpCmdLine) || driverOnly != 0)
        InstallDriverUnattended(sourceDir); // 7: does not return

    // 6.1.
    Enable3dControlsStatic();

    // 6.2.
    const os::UINT webSetup = os::GetPrivateProfileIntA(OptionSection, WebSetupKey, OptionDefault,
                                                        sourceDir + WebSetupFileName);

    // 6.3, 6.4. The dialog's result does not matter: a dialog that finished its work has
    // ended the process already.
    if (webSetup != 0) {
        CDriverUpdateDlg dialog;
        m_pMainWnd = &dialog;
        dialog.DoModal();
    } else {
        CSetupDlg dialog;
        m_pMainWnd = &dialog;
        dialog.DoModal();
    }
    m_pMainWnd = nullptr;
    return os::FALSE;
}
