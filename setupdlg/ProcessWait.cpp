#include "setupdlg/ProcessWait.h"

#include "platform/Process.h"
#include "platform/WinDefs.h"

void PollProcessWhile(os::HANDLE process, WaitCondition waitWhile) {
    for (;;) {
        const os::DWORD passStart = os::GetTickCount();
        // Blocks while the program starts up; for a program that waits for input, has no
        // message queue or has ended it returns at once, and then only the sleep below keeps
        // the loop from taking the processor from the very program it waits for.
        os::WaitForInputIdle(process, InputIdleLimitMs);
        if (!waitWhile.holds(waitWhile.context))
            return;
        // Unsigned difference: correct across the wrap of the tick count after 49.7 days.
        const os::DWORD elapsed = os::GetTickCount() - passStart;
        if (elapsed < MinimumPassMs)
            os::Sleep(MinimumPassMs - elapsed);
    }
}

bool ProcessStillActive(void* process) {
    // A failed query leaves the code at 0 and ends the wait: a handle that cannot be asked
    // will never report the end either.
    os::DWORD exitCode = 0;
    os::GetExitCodeProcess(static_cast<os::HANDLE>(process), &exitCode);
    return exitCode == os::STILL_ACTIVE;
}

void WaitForProcessEnd(os::HANDLE process) {
    PollProcessWhile(process, WaitCondition{&ProcessStillActive, process});
}
