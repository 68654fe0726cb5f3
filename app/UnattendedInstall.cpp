#include "app/UnattendedInstall.h"

#include "app/AppSetupProgram.h"
#include "app/Finish.h"
#include "app/Messages.h"
#include "app/WindowsFamily.h"
#include "cleanup/FileCleanup.h"
#include "cleanup/RegistryCleanup.h"
#include "platform/Array.h"
#include "platform/Files.h"
#include "platform/WinDefs.h"
#include "platform/framework/WinApp.h"
#include "platform/Window.h"
#include "staging/Staging.h"
#include "staging/StagingChecks.h"

namespace {

const os::HWND NoOwner = nullptr;

} // namespace

void InstallDriverUnattended(const CString& sourceDir) {
    // 1. The hourglass until the process ends.
    GetApp()->BeginWaitCursor();

    // 2.
    CStringArray copiedInfList;

    // 3, 4. Windows NT gets no driver from this program: end before anything changes.
    const WindowsFamily family = GetWindowsFamily();
    if (family == WindowsNT)
        QuitSetup();

    // 5. The tree is tested before the previous driver is removed, so that a wrong tree
    // leaves the machine with its working driver.
    const CString presencePath = AppSetupProgramPath(sourceDir, family);
    if (!FileOpensForReading(presencePath)) {
        os::MessageBoxA(NoOwner, msg::InstallationFilesMissing, msg::SetupCaption, os::MB_OK);
        QuitSetup();
    }

    // 6. Every path the run will build must fit, or the run stops before the first change.
    const CString tooLong =
        FindTooLongStagingPath(StagingUnattended, family, sourceDir, false, presencePath);
    if (!tooLong.IsEmpty())
        RefusePathTooLong(NoOwner, tooLong);

    // 7, 8. The previous driver goes; the result of the registry part does not matter.
    RemoveOldDriverRegistry();
    RemoveOldDriverFiles();

    // 9.
    const CopyFailure failure =
        StageDriverFiles(StagingUnattended, family, sourceDir, false, copiedInfList);

    // 10.
    copiedInfList.RemoveAll();

    // 11. A machine whose new driver could not be staged must not be restarted as if it
    // had been.
    if (failure.Occurred())
        FailStaging(NoOwner, failure);
    RestartWindows(NoOwner);
}
