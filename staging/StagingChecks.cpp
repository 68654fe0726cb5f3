#include "staging/StagingChecks.h"

#include "app/Finish.h"
#include "platform/Files.h"
#include "platform/WinDefs.h"
#include "staging/StagingVariants.h"

namespace {

const char* const AllFilesPattern = "*.*";

// The longest full path Windows accepts: MAX_PATH counts the terminating NUL.
const int LongestPath = os::MAX_PATH - 1;

const char* const PathTooLongFormat =
    "The path\n%s\nis longer than Windows allows (%d characters).\n\n"
    "Nothing has been changed. Copy the installation files to a directory with a shorter "
    "path and start Setup again.";

const char* const CopyFailedFormat =
    "The driver files could not be copied. The first file that failed:\n%s\n"
    "could not be copied to\n%s\n\n"
    "The system will not be restarted. Make room on drive C or make it writable, then "
    "start Setup again.";

// Remembers the first path that is too long.
struct PathCheck {
    CString tooLong;

    void Check(const CString& path) {
        if (tooLong.IsEmpty() && path.GetLength() > LongestPath)
            tooLong = path;
    }

    // The search pattern of a directory that staging copies, and for each file in it its
    // source path, its staging destination and, for an INF file, its INF copy.
    void CheckDirectory(const CString& sourceDir, const CString& destinationDir,
                        const CString& infTargetDir) {
        const CString pattern = sourceDir + AllFilesPattern;
        Check(pattern);
        os::WIN32_FIND_DATAA entry;
        os::HANDLE search = os::FindFirstFileA(pattern, &entry);
        if (search == os::INVALID_HANDLE_VALUE)
            return;
        do {
            if (entry.dwFileAttributes & os::FILE_ATTRIBUTE_DIRECTORY)
                continue;
            Check(sourceDir + entry.cFileName);
            Check(destinationDir + entry.cFileName);
            if (!infTargetDir.IsEmpty() && IsInfFileName(entry.cFileName))
                Check(infTargetDir + entry.cFileName);
        } while (os::FindNextFileA(search, &entry));
        os::FindClose(search);
    }
};

} // namespace

CString FindTooLongStagingPath(StagingVariant variant, WindowsFamily family,
                               const CString& sourceDir, bool fullPackage,
                               const CString& extraPath) {
    // The same walk as StageDriverFiles, reading only.
    const StagingVariantRow& row = StagingVariantOf(variant);
    const bool windows9x = IsWindows9x(family);
    PathCheck paths;
    paths.Check(extraPath);

    const CString infTargetDir = FindInfTargetDir();
    paths.Check(infTargetDir);

    if (row.copiesDosFiles) {
        const CString dosDir = sourceDir + TreeDosDir;
        paths.CheckDirectory(dosDir, StagingDosDir, CString());
        paths.CheckDirectory(dosDir + TreeDosAppSubdir, StagingDosAppDir, CString());
    }
    if (row.copiesSoundBanks && !fullPackage) {
        CString systemDir = os::GetSystemDirectoryA();
        if (systemDir.Last() != '\\')
            systemDir += '\\';
        for (const char* bank : SoundBankFiles)
            paths.Check(systemDir + bank);
    }
    const CString driverDir = sourceDir + row.driverSubdir;
    paths.CheckDirectory(driverDir, StagingDriverDir, windows9x ? infTargetDir : CString());
    if (windows9x)
        paths.CheckDirectory(driverDir + Tree026Subdir, StagingDriver026Dir, CString());
    return paths.tooLong;
}

void RefusePathTooLong(os::HWND owner, const CString& path) {
    CString message;
    message.Format(PathTooLongFormat, path.GetString(), LongestPath);
    FailSetup(owner, message);
}

void FailStaging(os::HWND owner, const CopyFailure& failure) {
    CString message;
    message.Format(CopyFailedFormat, failure.source.GetString(),
                   failure.destination.GetString());
    FailSetup(owner, message);
}
