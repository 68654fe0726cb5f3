#include "staging/Staging.h"

#include "platform/Files.h"
#include "platform/Profile.h"
#include "platform/WinDefs.h"
#include "staging/StagingVariants.h"

namespace {

const char* const AllFilesPattern = "*.*";
const char* const InfDirName = "INF\\";
const char* const InfOtherDirName = "OTHER\\";
const char* const InfExtensionSmall = ".inf";
const char* const InfExtensionCapital = ".INF";

const char* const SourceDisksNamesSection = "SourceDisksNames";
const char* const FirstSourceDiskKey = "1";
// Appended to the first source disk's entry of each INF copy: Windows then looks for the
// driver files in the staging tree instead of asking for the original disk.
const char* const StagingSourceDiskSuffix = ", C:\\Orvane\\W95-98";

const char* const DosTreeDirs[] = {StagingRoot, StagingDosDir, StagingDosAppDir};
const char* const DriverTreeDirs[] = {StagingRoot, StagingDriverDir, StagingDriver026Dir};

const StagingVariantRow Variants[] = {
    // StagingUnattended
    {DosTreeDirs, 3, true, false, TreeDriverDir, true, false},
    // StagingFullSetup
    {DosTreeDirs, 3, true, false, TreeDriverDir, true, false},
    // StagingDriverUpdate: a flat package, staged with the sound banks; the driver
    // directories were made first.
    {DriverTreeDirs, 3, false, true, "", false, true},
};

CString WithBackslash(CString path) {
    if (path.Last() != '\\')
        path += '\\';
    return path;
}

CString InfDirOf(const CString& windowsDir) { return WithBackslash(windowsDir) + InfDirName; }

void KeepFirst(CopyFailure& first, const CopyFailure& next) {
    if (!first.Occurred() && next.Occurred())
        first = next;
}

// One copy of staging. A source that is not there is no failure: staging copies what the
// tree holds. Only a copy refused although its source exists (a full disk, a
// write-protected target) is one.
CopyFailure CopyStagedFile(const CString& source, const CString& destination) {
    if (CopyFileNormal(source, destination) ||
        os::GetFileAttributesA(source) == os::INVALID_FILE_ATTRIBUTES)
        return CopyFailure();
    return CopyFailure{source, destination};
}

// The per-file step of the Windows driver directory: the INF copy into InfTargetDir.
struct InfCopyContext {
    CString infTargetDir;
    InfCopyEditor editor;
    CStringArray* copiedInfList;
};

CopyFailure CopyInfFile(void* context, const CString& sourcePath, const CString& name) {
    if (!IsInfFileName(name))
        return CopyFailure();
    InfCopyContext& inf = *static_cast<InfCopyContext*>(context);
    // The copy is taken from the installation tree, not from the staging copy, so the
    // staging tree keeps the INF as it came even when the hook edits the copy.
    CString copyPath = inf.infTargetDir + name;
    CopyFailure failure = CopyStagedFile(sourcePath, copyPath);
    if (failure.Occurred())
        return failure; // not listed: the rewrite must not create a stub file there
    if (inf.editor.edit)
        inf.editor.edit(inf.editor.context, copyPath);
    inf.copiedInfList->Add(copyPath);
    return CopyFailure();
}

} // namespace

const char* const SoundBankFiles[2] = {SoundBankSampleFile, SoundBankIndexFile};
const char* const StagingDriverDirs[2] = {StagingDriverDir, StagingDriver026Dir};

const StagingVariantRow& StagingVariantOf(StagingVariant variant) { return Variants[variant]; }

bool IsInfFileName(const CString& name) {
    return name.Find(InfExtensionSmall) >= 0 || name.Find(InfExtensionCapital) >= 0;
}

CopyFailure StageDriverFiles(StagingVariant variant, WindowsFamily family,
                             const CString& sourceDir, bool fullPackage,
                             CStringArray& copiedInfList, InfCopyEditor applyInfOptions) {
    const StagingVariantRow& row = StagingVariantOf(variant);
    const bool windows9x = IsWindows9x(family);
    CopyFailure failure;

    // 1. Where the INF copies go.
    const CString infTargetDir = DetermineInfTargetDir();

    // 2. The variant's part of the staging tree. A directory that exists is simply used;
    // one that cannot be made shows as failed copies into it.
    for (int i = 0; i < row.directoryCount; ++i)
        os::CreateDirectoryA(row.directories[i]);

    // 3, 4. The DOS driver files and their applications.
    if (row.copiesDosFiles) {
        const CString dosDir = sourceDir + TreeDosDir;
        KeepFirst(failure, CopyDirectoryFiles(dosDir, StagingDosDir));
        KeepFirst(failure, CopyDirectoryFiles(dosDir + TreeDosAppSubdir, StagingDosAppDir));
    }

    // 5. An update package brings no sound banks of its own: the system's are staged first,
    // so that a package that does hold them overwrites them in step 6.
    if (row.copiesSoundBanks && !fullPackage) {
        const CString systemDir = WithBackslash(os::GetSystemDirectoryA());
        for (const char* bank : SoundBankFiles)
            KeepFirst(failure, CopyStagedFile(systemDir + bank, CString(StagingDriverDir) + bank));
    }

    // 6. The Windows driver files, with the INF copies on Windows 95/98.
    const CString driverDir = sourceDir + row.driverSubdir;
    if (windows9x && row.createsDriverDirs)
        for (const char* dir : StagingDriverDirs)
            os::CreateDirectoryA(dir);
    InfCopyContext inf{infTargetDir,
                       row.editsInfCopies ? applyInfOptions : InfCopyEditor{nullptr, nullptr},
                       &copiedInfList};
    PerFileStep infStep = windows9x ? PerFileStep{CopyInfFile, &inf} : PerFileStep{nullptr, nullptr};
    KeepFirst(failure, CopyDirectoryFiles(driverDir, StagingDriverDir, infStep));

    // 7. The "026\" files, without INF handling.
    if (windows9x)
        KeepFirst(failure, CopyDirectoryFiles(driverDir + Tree026Subdir, StagingDriver026Dir));

    // 8.
    RewriteInfSourcePaths(copiedInfList);
    return failure;
}

CString DetermineInfTargetDir() {
    CString infDir = InfDirOf(os::GetWindowsDirectoryA());
    // Changing into the directory is the existence test. It stays the current directory:
    // programs that the full setup starts later without a working directory start there.
    CString otherDir = infDir + InfOtherDirName;
    if (os::SetCurrentDirectoryA(otherDir))
        return otherDir;
    return infDir;
}

CString FindInfTargetDir() {
    CString infDir = InfDirOf(os::GetWindowsDirectoryA());
    CString otherDir = infDir + InfOtherDirName;
    os::DWORD attributes = os::GetFileAttributesA(otherDir);
    if (attributes != os::INVALID_FILE_ATTRIBUTES && (attributes & os::FILE_ATTRIBUTE_DIRECTORY))
        return otherDir;
    return infDir;
}

CopyFailure CopyDirectoryFiles(const CString& sourceDir, const CString& destinationDir,
                               PerFileStep step) {
    CopyFailure failure;
    os::WIN32_FIND_DATAA entry;
    os::HANDLE search = os::FindFirstFileA(sourceDir + AllFilesPattern, &entry);
    if (search == os::INVALID_HANDLE_VALUE)
        return failure; // no such directory, or nothing in it
    do {
        // Skips "." and ".." as well as real subdirectories.
        if (entry.dwFileAttributes & os::FILE_ATTRIBUTE_DIRECTORY)
            continue;
        const CString source = sourceDir + entry.cFileName;
        KeepFirst(failure, CopyStagedFile(source, destinationDir + entry.cFileName));
        if (step.run)
            KeepFirst(failure, step.run(step.context, source, entry.cFileName));
    } while (os::FindNextFileA(search, &entry));
    os::FindClose(search);
    return failure;
}

bool CopyFileNormal(const CString& source, const CString& destination) {
    // Windows refuses to overwrite a read-only file, and a copy keeps its source's
    // attributes (files read from a CD are read-only): normal attributes before and after.
    os::SetFileAttributesA(destination, os::FILE_ATTRIBUTE_NORMAL);
    bool copied = os::CopyFileA(source, destination, os::FALSE) != os::FALSE;
    os::SetFileAttributesA(destination, os::FILE_ATTRIBUTE_NORMAL);
    return copied;
}

void RewriteInfSourcePaths(const CStringArray& copiedInfList) {
    for (int i = 0; i < copiedInfList.GetSize(); ++i) {
        const CString& path = copiedInfList[i];
        // The value is not parsed: the staging directory goes at the end of whatever fields
        // the line holds. A missing section or key gives a line with the suffix alone.
        CString value =
            os::GetPrivateProfileStringA(SourceDisksNamesSection, FirstSourceDiskKey, "", path);
        value += StagingSourceDiskSuffix;
        os::WritePrivateProfileStringA(SourceDisksNamesSection, FirstSourceDiskKey, value, path);
    }
}
