#include "setupdlg/SetupDlg.h"

#include "app/AppSetupProgram.h"
#include "app/Finish.h"
#include "app/Messages.h"
#include "app/SourceDir.h"
#include "app/WindowsFamily.h"
#include "platform/Files.h"
#include "platform/Window.h"
#include "platform/framework/WinApp.h"
#include "res/resource.h"
#include "setupdlg/AboutDlg.h"

namespace {

// A system command id carries the system's own flags in its four low bits; the sixteen high
// bits of the parameter are not part of the id.
const os::UINT SystemCommandFlagBits = 0x000F;
const os::UINT SystemCommandIdBits = 0xFFFF;

} // namespace

BEGIN_MESSAGE_MAP(CSetupDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_BN_CLICKED(IDC_INSTALL_APPS, &CSetupDlg::OnInstallBoxClicked)
    ON_BN_CLICKED(IDC_INSTALL_DRIVER, &CSetupDlg::OnInstallBoxClicked)
END_MESSAGE_MAP()

CSetupDlg::CSetupDlg(CWnd* parent)
    : CDialog(IDD_SETUP, parent), Win95Flag(0), Win98Flag(0), WinNTFlag(0),
      DialogIcon(GetApp()->LoadIcon(IDI_SETUP)) {}

void CSetupDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PLEASE_WAIT, PleaseWaitText);
    DDX_Control(pDX, os::IDOK, OkButton);
    DDX_Control(pDX, IDC_INSTALL_DRIVER, InstallDriverBox);
    DDX_Control(pDX, IDC_INSTALL_APPS, InstallAppsBox);
}

os::BOOL CSetupDlg::OnInitDialog() {
    // 1.
    CDialog::OnInitDialog();

    // 2. The about item goes below a separator at the end of the system menu.
    const os::HMENU systemMenu = GetSystemMenu(os::FALSE);
    if (systemMenu) {
        const CString aboutItem = os::LoadStringA(GetApp()->m_hInstance, IDS_ABOUT_ITEM);
        if (!aboutItem.IsEmpty()) {
            os::AppendMenuA(systemMenu, os::MF_SEPARATOR, 0, nullptr);
            os::AppendMenuA(systemMenu, os::MF_STRING, IDM_ABOUT, aboutItem);
        }
    }

    // 3.
    SetIcon(DialogIcon, os::TRUE);
    SetIcon(DialogIcon, os::FALSE);

    // 4.
    InstallAppsBox.SetCheck(os::BST_CHECKED);
    InstallDriverBox.SetCheck(os::BST_CHECKED);

    // 5.
    Win95Flag = 0;
    Win98Flag = 0;
    WinNTFlag = 0;
    const WindowsFamily family = GetWindowsFamily();
    if (family == Windows95)
        Win95Flag = 1;
    else if (family == Windows98)
        Win98Flag = 1;
    else if (family == WindowsNT)
        WinNTFlag = 1;

    // 6. This program installs no driver on Windows NT.
    if (WinNTFlag) {
        InstallDriverBox.SetCheck(os::BST_UNCHECKED);
        InstallDriverBox.EnableWindow(os::FALSE);
    }

    // 7.
    SourceDir = GetSourceDir();

    // 8, 9. The dialog is not visible yet: a tree without the applications ends the program
    // before the user sees it.
    if (!FileOpensForReading(AppSetupProgramPath(SourceDir, family))) {
        os::MessageBoxA(m_hWnd, msg::InstallationFilesMissing, msg::SetupCaption, os::MB_OK);
        QuitSetup();
    }
    return os::TRUE;
}

void CSetupDlg::OnSysCommand(os::UINT id, os::LPARAM lParam) {
    if ((id & SystemCommandIdBits & ~SystemCommandFlagBits) == IDM_ABOUT) {
        // Without a parent the about box is owned by the main window: this dialog.
        CAboutDlg about;
        about.DoModal();
    } else {
        CDialog::OnSysCommand(id, lParam);
    }
}

void CSetupDlg::OnPaint() {
    if (IsIconic())
        PaintMinimisedIcon(*this, DialogIcon);
    else
        CDialog::OnPaint();
}

os::HICON CSetupDlg::OnQueryDragIcon() {
    return DialogIcon;
}

void CSetupDlg::OnInstallBoxClicked() {
    // The driver box is asked only when the applications box is unchecked.
    if (InstallAppsBox.GetCheck() == os::BST_CHECKED)
        OkButton.EnableWindow(os::TRUE);
    else
        OkButton.EnableWindow(InstallDriverBox.GetCheck() == os::BST_CHECKED ? os::TRUE
                                                                             : os::FALSE);
}
