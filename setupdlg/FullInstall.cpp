// The full installation behind the setup dialog's OK button: the driver (removal of the
// previous one, staging of the new one) and/or the applications (companion applications
// closed, the previous applications uninstalled, the new applications' setup program run
// and waited for). Every path that gets past the guard ends the program.
#include "app/AppSetupProgram.h"
#include "app/Finish.h"
#include "app/Messages.h"
#include "app/WindowsFamily.h"
#include "cleanup/FileCleanup.h"
#include "cleanup/RegistryCleanup.h"
#include "platform/Array.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/WinDefs.h"
#include "platform/Window.h"
#include "platform/framework/WinApp.h"
#include "setupdlg/CompanionApps.h"
#include "setupdlg/Handshake.h"
#include "setupdlg/ProcessWait.h"
#include "setupdlg/SetupDlg.h"
#include "staging/Staging.h"
#include "staging/StagingChecks.h"

namespace {

// The pause between showing the wait text and the first change, so that the dialog is
// drawn in its new state before the work blocks it.
const os::DWORD WaitTextPauseMs = 200;
// The pause after the applications' setup has finished, before Levels is looked for.
const os::DWORD AfterAppSetupPauseMs = 1000;

// The uninstall keys of the previous applications under HKEY_LOCAL_MACHINE, in the order
// they are tried; the first that opens is used.
const char* const UninstallKeys[] = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZOD Oriva Vovazivevadi",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VED Izada ZevEZ Uzodarirozud",
};
const char* const UninstallStringValue = "UninstallString";
// The uninstaller's switch for removing the applications without asking.
const char* const UninstallSwitch = " -a";
// The largest UninstallString that is used, terminator included. A longer value counts as
// one that cannot be read.
const int UninstallStringLimit = 260;

const char* const AppSetupMissing = "Can not find the ZOD Oriva Vovazivevadi setup program.";
const char* const AppSetupNotStartedFormat =
    "The ZOD Oriva Vovazivevadi setup program could not be started:\n%s";

bool Checked(const CButton& box) { return box.GetCheck() == os::BST_CHECKED; }

// The Windows family that the dialog's flags hold.
WindowsFamily FamilyOf(const CSetupDlg& dialog) {
    if (dialog.Win95Flag)
        return Windows95;
    if (dialog.Win98Flag)
        return Windows98;
    if (dialog.WinNTFlag)
        return WindowsNT;
    return WindowsOther;
}

// Starts commandLine as the program's started programs are started: shown, with this
// program's environment and current directory (which staging may have moved to
// INF\OTHER\ of the Windows directory). Returns the process handle, nullptr when Windows
// could not start it. The handles are not closed: the process ends soon after.
os::HANDLE StartProgram(const CString& commandLine) {
    os::PROCESS_INFORMATION started = {};
    if (!os::CreateProcessA(commandLine, os::SW_SHOW, &started))
        return nullptr;
    return started.hProcess;
}

// The driver branch: the previous driver removed and the new one staged, under the wait
// cursor. A staging run whose paths do not fit ends the program before anything changes; a
// copy that failed ends it afterwards, with a message naming the file, without a restart
// and without the applications.
void InstallDriver(CSetupDlg& dialog) {
    const WindowsFamily family = FamilyOf(dialog);
    const CString tooLong = FindTooLongStagingPath(StagingFullSetup, family, dialog.SourceDir,
                                                   false);
    if (!tooLong.IsEmpty())
        RefusePathTooLong(dialog.m_hWnd, tooLong);

    // 1, 2.
    GetApp()->BeginWaitCursor();
    CStringArray copiedInfList;
    // 3, 4. The result of the registry part does not matter: staging follows either way.
    RemoveOldDriverRegistry();
    RemoveOldDriverFiles();
    // 5.
    const CopyFailure failure = StageDriverFiles(StagingFullSetup, family, dialog.SourceDir,
                                                 false, copiedInfList);
    // 6, 7.
    copiedInfList.RemoveAll();
    GetApp()->EndWaitCursor();

    if (failure.Occurred())
        FailStaging(dialog.m_hWnd, failure);
}

// The uninstall command of the previous applications: UninstallString of the first uninstall
// key that opens, with the switch appended. Empty when neither key opens or the value
// cannot be read.
CString UninstallCommand() {
    os::HKEY key = nullptr;
    bool opened = false;
    for (const char* path : UninstallKeys) {
        if (os::RegOpenKeyExA(os::HKEY_LOCAL_MACHINE, path, 0, os::KEY_QUERY_VALUE, &key) ==
            os::ERROR_SUCCESS) {
            opened = true;
            break;
        }
    }
    if (!opened)
        return CString();

    // Whatever its registry type, the value is taken as text up to its first NUL.
    os::DWORD type = 0;
    CString value;
    CString command;
    if (os::RegQueryValueExA(key, UninstallStringValue, &type, value) == os::ERROR_SUCCESS &&
        value.GetLength() + 1 <= UninstallStringLimit) {
        // The switch goes after the whole value, however little room the value left in
        // the limit: the command is built whole.
        command = CString(value.GetString());
        command += UninstallSwitch;
    }
    os::RegCloseKey(key);
    return command;
}

// Runs the previous applications' uninstaller, if the registry names one, and waits for it
// to end under the wait cursor. An uninstaller that cannot be started counts as none.
void UninstallPreviousApplications() {
    const CString command = UninstallCommand();
    if (command.IsEmpty())
        return;
    GetApp()->BeginWaitCursor();
    if (const os::HANDLE uninstaller = StartProgram(command))
        WaitForProcessEnd(uninstaller);
    GetApp()->EndWaitCursor();
}

// The applications branch. Returns when the applications' setup has finished and the
// sequence is to go on to its finish; ends the program itself otherwise.
void InstallApplications(CSetupDlg& dialog) {
    // The setup program is looked for before anything is closed or uninstalled: a tree
    // that has lost it must not leave the user without any applications.
    const CString appSetup = AppSetupProgramPath(dialog.SourceDir, FamilyOf(dialog));
    if (!FileOpensForReading(appSetup)) {
        os::MessageBoxA(dialog.m_hWnd, AppSetupMissing, msg::SetupCaption, os::MB_OK);
        QuitSetup();
    }

    // 1.
    CloseCompanionApplications();
    // 2.
    UninstallPreviousApplications();
    // 3.
    dialog.ShowWindow(os::SW_HIDE);

    // 4 (the presence test above), 5. The path alone is the command line, unquoted.
    const os::HANDLE setupProgram = StartProgram(appSetup);
    if (!setupProgram) {
        // The applications were not installed: the run failed, and its exit code says so.
        CString message;
        message.Format(AppSetupNotStartedFormat, appSetup.GetString());
        FailSetup(dialog.m_hWnd, message);
    }

    // 6. After the start: a value that the setup program wrote before this moment is
    // overwritten.
    const CString handshakeFile = HandshakeFilePath();
    ClearHandshakeRunning(handshakeFile);

    // 7, 8.
    WaitForProcessEnd(setupProgram);
    WaitForHandshake(setupProgram, handshakeFile);

    // 9.
    os::Sleep(AfterAppSetupPauseMs);

    // 10. Without Levels (and without a driver to finish) there is nothing left to do.
    if (!LevelsWindowOpen() && !Checked(dialog.InstallDriverBox))
        QuitSetup();
}

} // namespace

void CSetupDlg::OnOK() {
    // 1. The driver box is asked only when the applications box is unchecked.
    if (!Checked(InstallAppsBox) && !Checked(InstallDriverBox)) {
        CDialog::OnCancel();
        return;
    }

    // 2.
    InstallAppsBox.ShowWindow(os::SW_HIDE);
    InstallDriverBox.ShowWindow(os::SW_HIDE);
    PleaseWaitText.ShowWindow(os::SW_SHOW);
    os::Sleep(WaitTextPauseMs);

    // 3.
    if (Checked(InstallDriverBox))
        InstallDriver(*this);

    // 4.
    if (Checked(InstallAppsBox))
        InstallApplications(*this);

    // 5. Only a driver installed alone restarts Windows; with the applications, their own
    // setup has taken over and this program just ends.
    if (Checked(InstallDriverBox) && !Checked(InstallAppsBox)) {
        ShowWindow(os::SW_HIDE);
        RestartWindows(m_hWnd);
    }
    CDialog::OnOK();
}
