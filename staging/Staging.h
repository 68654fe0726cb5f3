// Driver staging: the new driver's files are copied from the installation tree into the
// fixed staging tree on drive C, each Windows driver INF file is also copied into the
// Windows INF directory, and those INF copies are pointed at the staging tree, so that
// Windows finds the driver files there when it installs the device after the restart.
//
// The three installing paths (unattended installation, full setup, driver update) run the
// same procedure; they differ only in the rows of one table of variants.
#pragma once

#include "app/WindowsFamily.h"
#include "platform/Array.h"
#include "platform/String.h"

// Which installing path stages the driver.
enum StagingVariant { StagingUnattended, StagingFullSetup, StagingDriverUpdate };

// The staging tree, fixed on drive C whatever the drive of Windows or of the installation
// tree. Every directory ends in a backslash.
const char* const StagingRoot = "C:\\Orvane\\";
const char* const StagingDosDir = "C:\\Orvane\\DOS\\";
const char* const StagingDosAppDir = "C:\\Orvane\\DOS\\DOSAPP\\";
const char* const StagingDriverDir = "C:\\Orvane\\W95-98\\";
const char* const StagingDriver026Dir = "C:\\Orvane\\W95-98\\026\\";

// The installation tree below SourceDir, as staging reads it.
const char* const TreeDosDir = "Dosdrv\\";                // full tree
const char* const TreeDosAppSubdir = "DOSAPP\\";          // below TreeDosDir
const char* const TreeDriverDir = "W95-98\\drv\\";        // full tree; a flat package is SourceDir itself
const char* const Tree026Subdir = "026\\";                // below the driver directory

// The first copy of a run that failed although its source was there. A source that is
// missing (a directory the tree lacks) is no failure.
struct CopyFailure {
    CString source;      // empty when every copy succeeded
    CString destination;

    bool Occurred() const { return !source.IsEmpty(); }
};

// The hook through which the driver update edits each INF copy in InfTargetDir right after
// it has been copied and before it is listed (the user's hardware options). A plain function
// and its context, so that any caller can supply one. edit nullptr: no editing.
struct InfCopyEditor {
    void (*edit)(void* context, const CString& infCopyPath);
    void* context;
};

// Stages the driver: creates the variant's directories of the staging tree, copies the DOS
// files (unattended, full setup), the sound-bank files of the system directory (driver
// update with fullPackage false), the Windows driver files with an INF copy of each INF
// file into InfTargetDir (Windows 95/98 only; edited by applyInfOptions in the driver
// update) and the "026\" files (Windows 95/98 only), then RewriteInfSourcePaths.
//
// Every INF copy made is appended to copiedInfList in the order the directory search
// delivered the files; an INF copy that failed is not listed. No failure stops the run:
// the result names the first copy that failed (source present, copy refused), and the caller
// decides how the run ends. Leaves InfTargetDir as the current directory when it is
// "INF\OTHER\".
CopyFailure StageDriverFiles(StagingVariant variant, WindowsFamily family,
                             const CString& sourceDir, bool fullPackage,
                             CStringArray& copiedInfList,
                             InfCopyEditor applyInfOptions = InfCopyEditor{nullptr, nullptr});

// The Windows directory followed by "INF\", or by "INF\OTHER\" when that directory exists.
// Testing for it makes "INF\OTHER\" the current directory when it exists.
CString DetermineInfTargetDir();

// The same directory, found without changing the current directory.
CString FindInfTargetDir();

// What staging does with a file of a directory after copying it into the staging tree.
// run returns the failure of any copy of its own. run nullptr: nothing.
struct PerFileStep {
    CopyFailure (*run)(void* context, const CString& sourcePath, const CString& name);
    void* context;
};

// Copies each file that lies directly in sourceDir to destinationDir (both ending in a
// backslash), in the order the directory search delivers them, then runs step for it.
// Subdirectories are neither copied nor entered. A missing or empty sourceDir copies
// nothing. Returns the first failure of the copies and of the steps.
CopyFailure CopyDirectoryFiles(const CString& sourceDir, const CString& destinationDir,
                               PerFileStep step = PerFileStep{nullptr, nullptr});

// One copy that overwrites an existing destination, read-only or not, and leaves the copy
// with normal attributes. true when the copy was made.
bool CopyFileNormal(const CString& source, const CString& destination);

// Appends ", C:\Orvane\W95-98" to key "1" of section "SourceDisksNames" of each INF copy
// listed (the value read whole, however long), creating the section and key when missing.
void RewriteInfSourcePaths(const CStringArray& copiedInfList);
