// fullsetup-appsetup: plays the applications' setup program for the end-to-end tests and the
// wait benchmark. It shows a window for a while and ends; before it ends it can hand its
// work on to a second process (itself, started with /handover), leaving RUNNING=1 in the
// handshake file for that process to set to 0 later, and it can start the Levels companion.
//
// Its options come from fullsetup-appsetup.ini beside the program, section [run]:
//   RunMs=1500        how long its window stays
//   HandOver=0        1: RUNNING=1 and the second process before it ends
//   HandOverMs=3000   how long the second process works before it writes RUNNING=0
//   StartLevels=0     1: starts apps-companion.exe (beside it) as "Levels" before it ends
// The second process writes ZeroAtTick=TICK into the handshake section just before RUNNING=0.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "fullsetup-log.h"

namespace {

const char* const OptionsName = "fullsetup-appsetup.ini";
const char* const OptionsSection = "run";
const char* const HandoverSwitch = "/handover";
const char* const CompanionName = "apps-companion.exe";
const char* const HandshakeFile = "TXASETUP.INI"; // in the Windows directory
const char* const WindowClass = "FullsetupAppSetup";
const char* const WindowTitle = "ZOD Oriva Vovazivevadi Setup";
const UINT_PTR RunTimer = 1;

char g_directory[MAX_PATH]; // the program's own directory, with a backslash
char g_program[MAX_PATH];

int Option(const char* key, int def) {
    char options[MAX_PATH];
    snprintf(options, sizeof options, "%s%s", g_directory, OptionsName);
    return static_cast<int>(GetPrivateProfileIntA(OptionsSection, key, def, options));
}

void Start(const char* commandLine) {
    char command[1024];
    snprintf(command, sizeof command, "%s", commandLine);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        fullsetuplog::Line("setup", "cannot start a program");
    }
}

// What the setup program does before it ends.
void Finish() {
    if (Option("HandOver", 0)) {
        WritePrivateProfileStringA("STATUS", "RUNNING", "1", HandshakeFile);
        fullsetuplog::Line("setup", "RUNNING=1");
        char command[1024];
        snprintf(command, sizeof command, "\"%s\" %s", g_program, HandoverSwitch);
        Start(command);
    }
    if (Option("StartLevels", 0)) {
        char command[1024];
        snprintf(command, sizeof command, "\"%s%s\" Levels", g_directory, CompanionName);
        Start(command);
    }
}

int HandOver() {
    fullsetuplog::Started("handover");
    Sleep(static_cast<DWORD>(Option("HandOverMs", 3000)));
    char tick[32];
    snprintf(tick, sizeof tick, "%lu", static_cast<unsigned long>(GetTickCount()));
    WritePrivateProfileStringA("STATUS", "ZeroAtTick", tick, HandshakeFile);
    WritePrivateProfileStringA("STATUS", "RUNNING", "0", HandshakeFile);
    fullsetuplog::Line("handover", "RUNNING=0");
    return 0;
}

LRESULT CALLBACK SetupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        KillTimer(window, RunTimer);
        Finish();
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int show) {
    GetModuleFileNameA(nullptr, g_program, sizeof g_program);
    snprintf(g_directory, sizeof g_directory, "%s", g_program);
    char* slash = strrchr(g_directory, '\\');
    if (slash)
        slash[1] = '\0';
    if (strstr(arguments, HandoverSwitch))
        return HandOver();

    fullsetuplog::Started("setup");
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = SetupProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = WindowClass;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA(WindowClass, WindowTitle, WS_OVERLAPPEDWINDOW, 40, 40, 320, 120,
                                nullptr, nullptr, instance, nullptr);
    ShowWindow(window, show);
    SetTimer(window, RunTimer, static_cast<UINT>(Option("RunMs", 1500)), nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    fullsetuplog::Line("setup", "exit");
    return 0;
}
