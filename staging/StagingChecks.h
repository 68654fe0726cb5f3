// What the installing paths check before they change anything, and how they end when
// staging fails.
#pragma once

#include "platform/WinTypes.h"
#include "staging/Staging.h"

// The first path that the staging run described by the arguments would build and that does
// not fit the Windows path limit (MAX_PATH - 1 characters): the search patterns and source
// paths below sourceDir, the destinations in the staging tree, the INF copies in
// InfTargetDir and the sound-bank paths, using the files the tree holds now. Also
// extraPath, a further path the caller will build (for instance its presence test). Empty
// when every path fits. Changes nothing, not even the current directory.
CString FindTooLongStagingPath(StagingVariant variant, WindowsFamily family,
                               const CString& sourceDir, bool fullPackage,
                               const CString& extraPath = CString());

// Shows that a path would be too long (caption "Setup", OK only, naming it) and ends the
// process with ExitFailure. For a run that has changed nothing yet.
[[noreturn]] void RefusePathTooLong(os::HWND owner, const CString& path);

// Shows that the driver files could not be copied (caption "Setup", OK only, naming the
// first file that failed) and ends the process with ExitFailure. No restart is requested.
[[noreturn]] void FailStaging(os::HWND owner, const CopyFailure& failure);
