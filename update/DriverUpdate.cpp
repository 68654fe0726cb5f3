// The driver update behind "Install": the package's preconditions, the removal of the
// previous driver, the staging of the flat package with the user's options written into the
// INF copies, and the restart.
#include "app/Finish.h"
#include "app/WindowsFamily.h"
#include "cleanup/FileCleanup.h"
#include "cleanup/RegistryCleanup.h"
#include "platform/Array.h"
#include "platform/WinDefs.h"
#include "platform/Window.h"
#include "platform/framework/WinApp.h"
#include "staging/Staging.h"
#include "staging/StagingChecks.h"
#include "update/DriverUpdateDlg.h"
#include "update/Preconditions.h"

namespace {

// The staging hook: each INF copy gets the options right after it is copied into the INF
// directory and before it is listed, so the source-disk rewrite sees the edited file.
void ApplyOptionsToCopy(void* dialog, const CString& infCopyPath) {
    static_cast<CDriverUpdateDlg*>(dialog)->ApplyInfOptions(infCopyPath);
}

} // namespace

void CDriverUpdateDlg::OnOK() {
    // 1. The hourglass until the process ends. The dialog does not respond meanwhile.
    GetApp()->BeginWaitCursor();

    // 2.
    CStringArray copiedInfList;

    // 3. Windows NT gets no driver from this program: end before anything changes. Another
    // family goes on; staging then makes no INF copy, so no option is applied.
    const WindowsFamily family = GetWindowsFamily();
    if (family == WindowsNT)
        QuitSetup();

    // 4. The package is the flat directory the program was started from.
    const CString& sourceDir = SourceDir;
    const bool fullPackage = FullPackage != 0;

    // 5. An update package needs the sound banks of the previous driver and room on its own
    // drive; a full package brings everything.
    if (!fullPackage) {
        const int result = CheckUpdatePreconditions();
        if (result != PreconditionsMet) {
            os::MessageBoxA(m_hWnd, UpdatePreconditionsMessage(result), UpdatePreconditionsCaption,
                            os::MB_OK);
            QuitSetup();
        }
    }

    // Every path the run will build must fit, or the run stops before the first change.
    const CString tooLong =
        FindTooLongStagingPath(StagingDriverUpdate, family, sourceDir, fullPackage);
    if (!tooLong.IsEmpty())
        RefusePathTooLong(m_hWnd, tooLong);

    // 6, 7. The previous driver goes; its system files, the sound banks among them, are only
    // scheduled for renaming at the next start, so staging still finds the sound banks.
    RemoveOldDriverRegistry();
    RemoveOldDriverFiles();

    // 8.
    const CopyFailure failure =
        StageDriverFiles(StagingDriverUpdate, family, sourceDir, fullPackage, copiedInfList,
                         InfCopyEditor{ApplyOptionsToCopy, this});

    // 9.
    copiedInfList.RemoveAll();

    // 10. A machine whose new driver could not be staged must not be restarted as if it
    // had been.
    if (failure.Occurred())
        FailStaging(m_hWnd, failure);
    RestartWindows(m_hWnd);
}
