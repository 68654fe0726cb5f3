// A program on Setup.exe's own runtime (platform/win32/Runtime.cpp, no C runtime library),
// run by tests/wine/runtime-exit.test: two static objects write their construction and
// destruction into runtime-exit.log in the current directory, and AppMain registers more
// exit handlers than the runtime's fixed table holds, so that the table has to grow. The
// program ends by returning from AppMain (exit code 3) or, with the argument "exit", by
// exit(7), the way the program's QuitSetup ends it. Either way the runtime must run every
// exit handler, newest first, and the static objects' destructors in the reverse order of
// their construction.
#include <windows.h>

#include "platform/framework/AppMain.h"

extern "C" void exit(int code);
extern "C" int atexit(void (*handler)());

namespace {

const char* const LogName = "runtime-exit.log";
// More than the runtime's fixed table of 32 exit handlers.
const int ExtraHandlers = 40;

void Log(const char* line) {
    HANDLE file = CreateFileA(LogName, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    SetFilePointer(file, 0, nullptr, FILE_END);
    DWORD written = 0;
    WriteFile(file, line, lstrlenA(line), &written, nullptr);
    WriteFile(file, "\r\n", 2, &written, nullptr);
    CloseHandle(file);
}

class Logged {
public:
    Logged(const char* constructed, const char* destroyed) : destroyed_(destroyed) {
        Log(constructed);
    }
    ~Logged() { Log(destroyed_); }

private:
    const char* destroyed_;
};

// Defined in this order, so constructed in this order (one translation unit).
Logged g_first("constructed first", "destroyed first");
Logged g_second("constructed second", "destroyed second");

void Handler() { Log("handler"); }

// The command line ends in the argument " exit".
bool ArgumentIsExit() {
    const char* const argument = " exit";
    const int length = lstrlenA(argument);
    const char* text = GetCommandLineA();
    const int end = lstrlenA(text);
    return end >= length && lstrcmpA(text + end - length, argument) == 0;
}

} // namespace

int AppMain() {
    Log("main");
    for (int i = 0; i < ExtraHandlers; ++i)
        atexit(Handler);
    if (ArgumentIsExit())
        exit(7);
    return 3;
}
