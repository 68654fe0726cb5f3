// apps-companion: plays one of the sound card's companion applications for the end-to-end
// tests: a top-level window with the given title that logs the WM_CLOSE it gets and closes,
// or, with "ignore-close", stays open. It also logs the end of the session that a restart
// request brings (WM_QUERYENDSESSION, WM_ENDSESSION).
//
//   apps-companion.exe TITLE [ignore-close]
#include <windows.h>

#include <string.h>

#include "fullsetup-log.h"

namespace {

const char* const WindowClass = "AppsCompanion";
char g_title[256];
bool g_ignoreClose = false;

LRESULT CALLBACK CompanionProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        fullsetuplog::Line(g_title, g_ignoreClose ? "WM_CLOSE ignored" : "WM_CLOSE");
        if (!g_ignoreClose)
            DestroyWindow(window);
        return 0;
    case WM_QUERYENDSESSION:
        fullsetuplog::Line(g_title, "WM_QUERYENDSESSION");
        return TRUE;
    case WM_ENDSESSION:
        fullsetuplog::Line(g_title, wParam ? "WM_ENDSESSION" : "WM_ENDSESSION cancelled");
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The arguments after the program's name: the title (quoted when it has blanks) and the
// optional switch.
void ReadArguments() {
    const char* line = GetCommandLineA();
    if (*line == '"') {
        line = strchr(line + 1, '"');
        line = line ? line + 1 : "";
    } else {
        while (*line && *line != ' ')
            ++line;
    }
    while (*line == ' ')
        ++line;
    const char* end;
    if (*line == '"') {
        ++line;
        end = strchr(line, '"');
        if (!end)
            end = line + strlen(line);
    } else {
        end = line;
        while (*end && *end != ' ')
            ++end;
    }
    size_t length = static_cast<size_t>(end - line);
    if (length >= sizeof g_title)
        length = sizeof g_title - 1;
    memcpy(g_title, line, length);
    g_title[length] = '\0';
    g_ignoreClose = strstr(end, "ignore-close") != nullptr;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    ReadArguments();
    fullsetuplog::Started(g_title);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = CompanionProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = WindowClass;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassA(&windowClass);
    CreateWindowA(WindowClass, g_title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 240, 80,
                  nullptr, nullptr, instance, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    fullsetuplog::Line(g_title, "exit");
    return 0;
}
