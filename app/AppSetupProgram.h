// The applications' setup program of the installation tree, and the presence test by which
// the installing paths find out whether the tree is complete.
#pragma once

#include "app/WindowsFamily.h"
#include "platform/String.h"

// Below SourceDir, for Windows 95/98 and for Windows NT.
const char* const Windows9xAppSetup = "W95-98\\app\\Setup.exe";
const char* const WindowsNTAppSetup = "NT40\\app\\Setup.exe";

// The applications' setup program of family below sourceDir; on any other family sourceDir
// itself, a directory, which never opens as a file.
CString AppSetupProgramPath(const CString& sourceDir, WindowsFamily family);

// The presence test: the file opens for reading (as the C runtime's "rb"); nothing is read.
bool FileOpensForReading(const CString& path);
