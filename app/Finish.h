// The ways the program ends its own process.
#pragma once

#include "platform/WinTypes.h"

// Exit code of every path that finishes (or gives up) as designed.
const int ExitSuccess = 0;
// Exit code of a run that stopped because something it had to do failed.
const int ExitFailure = 1;

// Shows "Setup completed! The system will restart now!" (caption "Setup", OK only) owned by
// owner (nullptr: no owner), asks Windows to restart without looking at the answer, and
// ends the process with exit code 0.
[[noreturn]] void RestartWindows(os::HWND owner);

// Ends the process at once with exit code 0.
[[noreturn]] void QuitSetup();

// Shows message (caption "Setup", OK only) owned by owner and ends the process with
// ExitFailure: for a run that could not do what it set out to do. No restart is requested.
[[noreturn]] void FailSetup(os::HWND owner, const char* message);
