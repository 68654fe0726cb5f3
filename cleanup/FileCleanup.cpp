#include "cleanup/FileCleanup.h"

#include "cleanup/Prefix.h"
#include "platform/Files.h"
#include "platform/Profile.h"
#include "platform/WinDefs.h"

namespace {

// The Windows directory takes the place of the first %s, a file name of the search the
// place of the second.
const char* const OtherInfSearchFormat = "%s\\INF\\OTHER\\*.INF";
const char* const OtherInfPathFormat = "%s\\INF\\OTHER\\%s";
const char* const OemInfSearchFormat = "%s\\INF\\OEM*.INF";
const char* const OemInfPathFormat = "%s\\INF\\%s";

// The INF string that names the previous driver, and the words it begins with.
const char* const InfStringsSection = "Strings";
const char* const InfDeviceDescKey = "TQR-Legacy.DeviceDesc";
const char* const PreviousDriverDescWords[] = {"TXA4320", "TXA4720", "Orvane"};

// The previous driver's files in the system directory with the names they are renamed to.
// Each backup name is fixed per file; it follows no rule.
struct SystemFileBackup {
    const char* currentPathFormat;
    const char* backupPathFormat;
};
const SystemFileBackup PreviousDriverSystemFiles[] = {
    {"%s\\SYSTEM\\SPATIAL.DLL", "%s\\SYSTEM\\SPATIAL.OLD"},
    {"%s\\SYSTEM\\PSX.DLL", "%s\\SYSTEM\\PSX.OLD"},
    {"%s\\SYSTEM\\SPX.DLL", "%s\\SYSTEM\\SPX.OLD"},
    {"%s\\SYSTEM\\SNDCR2.VXD", "%s\\SYSTEM\\SCR2VXD.OLD"},
    {"%s\\SYSTEM\\SNDCORE.VXD", "%s\\SYSTEM\\SNDCORE.OLD"},
    {"%s\\SYSTEM\\TONEGEN2.DRV", "%s\\SYSTEM\\TGEN2DRV.OLD"},
    {"%s\\SYSTEM\\TONEGEN.DRV", "%s\\SYSTEM\\TONEGEN.OLD"},
    {"%s\\SYSTEM\\UARTX.EXE", "%s\\SYSTEM\\UARTX.OLD"},
    {"%s\\SYSTEM\\UARTPORT.DRV", "%s\\SYSTEM\\UARTPORT.OLD"},
    {"%s\\SYSTEM\\WAVEDRV.DRV", "%s\\SYSTEM\\WAVEDRV.OLD"},
    {"%s\\SYSTEM\\SYNTHDR.DRV", "%s\\SYSTEM\\SYNTHDR.OLD"},
    {"%s\\SYSTEM\\UARTEMU.VXD", "%s\\SYSTEM\\UARTEMU.OLD"},
    {"%s\\SYSTEM\\BANKINDX.DAT", "%s\\SYSTEM\\BANKINDX.OLD"},
    {"%s\\SYSTEM\\BANKSMP.DAT", "%s\\SYSTEM\\BANKSMP.OLD"},
    {"%s\\SYSTEM\\SNDSETUP.COM", "%s\\SYSTEM\\SNDSETUP.OLD"},
    {"%s\\SYSTEM\\SYNTH32P.DLL", "%s\\SYSTEM\\SYNTH32.OLD"},
    {"%s\\SYSTEM\\SYNTHPCI.DLL", "%s\\SYSTEM\\SYNTHPCI.OLD"},
};

// Windows 95/98 carry out [rename] of WININIT.INI (in the Windows directory, where a profile
// name without a directory points) at their next start: the file named by the value is
// renamed to the key's name.
const char* const WininitFile = "WININIT.INI";
const char* const WininitRenameSection = "rename";

const char* const WinIniFile = "WIN.INI";
const char* const WinIniWindowsSection = "Windows";
const char* const WinIniRunKey = "run";
const char* const EmptyRunValue = " ";

CString FormatPath(const char* format, const char* windowsDir, const char* name = "") {
    CString path;
    path.Format(format, windowsDir, name);
    return path;
}

bool IsPreviousDriverInf(const char* path) {
    CString desc = os::GetPrivateProfileStringA(InfStringsSection, InfDeviceDescKey, "", path);
    for (const char* word : PreviousDriverDescWords)
        if (BeginsWithWord(desc, word))
            return true;
    return false;
}

// A file exists when a directory search for exactly its path finds it.
bool FileExists(const char* path) {
    os::WIN32_FIND_DATAA found;
    os::HANDLE search = os::FindFirstFileA(path, &found);
    if (search == os::INVALID_HANDLE_VALUE)
        return false;
    os::FindClose(search);
    return true;
}

void DeletePreviousDriverInfs(const CString& windowsDir) {
    os::WIN32_FIND_DATAA found;
    const char* pathFormat = OtherInfPathFormat;
    os::HANDLE search = os::FindFirstFileA(FormatPath(OtherInfSearchFormat, windowsDir), &found);
    if (search == os::INVALID_HANDLE_VALUE) {
        pathFormat = OemInfPathFormat;
        search = os::FindFirstFileA(FormatPath(OemInfSearchFormat, windowsDir), &found);
        if (search == os::INVALID_HANDLE_VALUE)
            return;
    }
    // Files that do not pass stay, whatever passed before them in the listing.
    do {
        CString path = FormatPath(pathFormat, windowsDir, found.cFileName);
        if (IsPreviousDriverInf(path))
            os::DeleteFileA(path); // a file that cannot be deleted stays
    } while (os::FindNextFileA(search, &found));
    os::FindClose(search);
}

// Writing a key that [rename] already holds replaces its value, so a second run before the
// restart leaves one line per file.
void ScheduleSystemFileRenames(const CString& windowsDir) {
    for (const SystemFileBackup& file : PreviousDriverSystemFiles) {
        CString backupPath = FormatPath(file.backupPathFormat, windowsDir);
        CString currentPath = FormatPath(file.currentPathFormat, windowsDir);
        if (FileExists(currentPath))
            os::WritePrivateProfileStringA(WininitRenameSection, backupPath, currentPath,
                                           WininitFile);
    }
}

} // namespace

void RemoveOldDriverFiles() {
    CString windowsDir = os::GetWindowsDirectoryA();
    DeletePreviousDriverInfs(windowsDir);
    ScheduleSystemFileRenames(windowsDir);
    // Emptied on every run, also when nothing of the previous driver was found.
    os::WritePrivateProfileStringA(WinIniWindowsSection, WinIniRunKey, EmptyRunValue, WinIniFile);
}
