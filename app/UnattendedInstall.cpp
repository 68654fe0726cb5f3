#include "app/UnattendedInstall.h"

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

// The applications' setup program of the Windows 95/98 tree. This mode does not run it: its
// presence is the sign that the installation tree is complete.
const char* const Windows9xAppSetup = "W95-98\\app\\Setup.exe";

const os::HWND NoOwner = nullptr;
// The presence test opens the file for reading, as the C runtime's "rb": nothing is read.
const char* const ReadBinary = "rb";

// The file whose presence shows a complete tree. On a family other than Windows 95/98 it is
// SourceDir itself, a directory, which never opens as a file.
CString PresenceTestPath(const CString& sourceDir, WindowsFamily family) {
    return IsWindows9x(family) ? sourceDir + Windows9xAppSetup : sourceDir;
}

bool FileOpens(const CString& path) {
    os::FILE* file = os::fopen(path, ReadBinary);
    if (!file)
        return false;
    os::fclose(file);
    return true;
}

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
    const CString presencePath = PresenceTestPath(sourceDir, family);
    if (!FileOpens(presencePath)) {
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
