// CSetupDlg: the dialog of the full setup, template IDD_SETUP. The user chooses "Install
// Applications" and/or "Install Device Driver"; OK stays enabled while at least one box is
// checked, and the system menu offers the about box.
#pragma once

#include <stdint.h>

#include "platform/framework/Dialog.h"

class CSetupDlg : public CDialog {
public:
    explicit CSetupDlg(CWnd* parent = nullptr);

    // The Windows family, set by OnInitDialog: 1 in the flag of the running family, 0 in
    // the others (0 in all three on any other system).
    int32_t Win95Flag;
    int32_t Win98Flag;
    int32_t WinNTFlag;
    // The directory the program was started in, ending in a backslash; set by OnInitDialog.
    CString SourceDir;
    // The controls, bound by DoDataExchange. The check states are never copied: whoever
    // needs one asks its box.
    CStatic PleaseWaitText;  // IDC_PLEASE_WAIT, hidden until the installation runs
    CButton OkButton;        // IDOK
    CButton InstallDriverBox; // IDC_INSTALL_DRIVER
    CButton InstallAppsBox;   // IDC_INSTALL_APPS
    // Icon IDI_SETUP, the window's big and small icon, loaded once by the constructor.
    os::HICON DialogIcon;

    DECLARE_MESSAGE_MAP()

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Adds the about item to the system menu, sets the icons, checks both boxes, finds the
    // Windows family (Windows NT: the driver box unchecked and disabled) and SourceDir, and
    // ends the program with "Can not find installation files." when the tree lacks the
    // family's applications setup program. Returns TRUE.
    os::BOOL OnInitDialog() override;
    // The full installation (setupdlg/FullInstall.cpp): neither box checked ends the dialog
    // as cancelled; otherwise installs the driver and/or the applications and ends the
    // program (restart, quit, or the dialog ended with IDOK).
    void OnOK() override;

private:
    // System command IDM_ABOUT (with any value in its four low bits) opens the about box;
    // every other command gets the default handling.
    void OnSysCommand(os::UINT id, os::LPARAM lParam);
    // Minimised: the icon centred in the client area; otherwise the default painting.
    void OnPaint();
    os::HICON OnQueryDragIcon();
    // After a click on either box: OK enabled exactly when at least one box is checked.
    void OnInstallBoxClicked();
};
