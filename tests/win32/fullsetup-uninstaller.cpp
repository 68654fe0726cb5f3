// fullsetup-uninstaller: plays the previous applications' uninstaller for the end-to-end
// tests: logs its command line and directory, works for a second, and ends.
#include <windows.h>

#include "fullsetup-log.h"

namespace {
const char* const Who = "uninstaller";
const DWORD WorkMs = 1000;
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    fullsetuplog::Started(Who);
    Sleep(WorkMs);
    fullsetuplog::Line(Who, "exit");
    return 0;
}
