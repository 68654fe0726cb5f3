// The unattended driver installation: the driver-only mode, without any dialog.
#pragma once

#include "platform/String.h"

// Installs the driver from the installation tree at sourceDir (ending in a backslash):
// tests that the tree is complete and that its paths fit, removes the previous driver,
// stages the new one and restarts Windows. Never returns: it ends the process through
// RestartWindows, through QuitSetup (Windows NT silently; an incomplete tree after its
// message), or with ExitFailure after a message when a path would be too long or a copy
// failed.
[[noreturn]] void InstallDriverUnattended(const CString& sourceDir);
