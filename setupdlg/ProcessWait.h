// The polling wait for a started program: each pass gives the program up to a second to
// reach its input loop (WaitForInputIdle) and then asks whether the wait is over.
#pragma once

#include "platform/WinTypes.h"

// The limit of the WaitForInputIdle call that opens each pass.
const os::DWORD InputIdleLimitMs = 1000;

// The shortest pass. WaitForInputIdle returns at once for a program that waits for input,
// that has no message queue or that has ended, so a pass that returned early sleeps the
// rest of this time instead of polling again at once.
const os::DWORD MinimumPassMs = 100;

// Whether the wait goes on, asked once a pass after WaitForInputIdle.
struct WaitCondition {
    bool (*holds)(void* context);
    void* context;
};

// Repeats passes of WaitForInputIdle(process, InputIdleLimitMs) followed by one check of
// waitWhile, and returns as soon as a check finds that it no longer holds. A pass that took
// less than MinimumPassMs sleeps the remainder after its check, so a change is seen by the
// check of the next pass at the latest.
void PollProcessWhile(os::HANDLE process, WaitCondition waitWhile);

// waitWhile for a process that is still running: its exit code reads STILL_ACTIVE.
bool ProcessStillActive(void* process);

// Waits until process has ended: PollProcessWhile with ProcessStillActive.
void WaitForProcessEnd(os::HANDLE process);
