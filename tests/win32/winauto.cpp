// winauto: drives the windows of another program for the end-to-end tests under Wine.
//
//   winauto find TITLE [TIMEOUT_MS]          waits for a visible top-level window titled
//                                             exactly TITLE; prints its handle
//   winauto list TITLE [TIMEOUT_MS]          one line per child control:
//                                             ID<TAB>CLASS<TAB>VISIBLE<TAB>ENABLED<TAB>CHECKED<TAB>TEXT
//   winauto click TITLE ID [TIMEOUT_MS]      posts BM_CLICK to the control ID (as a mouse click)
//   winauto command TITLE ID [TIMEOUT_MS]    posts WM_COMMAND(ID, BN_CLICKED) to the window
//   winauto syscommand TITLE ID [TIMEOUT_MS] posts WM_SYSCOMMAND with ID (e.g. an added
//                                             system-menu entry)
//   winauto msgbox CAPTION ID [TIMEOUT_MS]   waits for a message box with CAPTION, prints
//                                             "caption: ..." and "text: ...", presses button ID
//   winauto gone TITLE [TIMEOUT_MS]          waits until no visible window has that title
//
// Messages are posted, not sent: a click that opens a modal dialog or starts long work does
// not block winauto. Exit code 0 on success, 1 when the window or control is not found in
// time, 2 for a usage error.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

const DWORD DefaultTimeoutMs = 30000;
const DWORD PollIntervalMs = 100;
const DWORD QueryTimeoutMs = 5000;
// The static control of a message box that holds its text.
const int MessageBoxTextId = 0xFFFF;
const int TextSize = 4096;

struct Search {
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM lParam) {
    Search* search = reinterpret_cast<Search*>(lParam);
    char text[TextSize];
    if (!IsWindowVisible(window))
        return TRUE;
    GetWindowTextA(window, text, sizeof text);
    if (strcmp(text, search->title) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindTopLevel(const char* title) {
    Search search = {title, nullptr};
    EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(const char* title, DWORD timeout) {
    DWORD start = GetTickCount();
    for (;;) {
        HWND window = FindTopLevel(title);
        if (window)
            return window;
        if (GetTickCount() - start >= timeout) {
            fprintf(stderr, "winauto: no window titled \"%s\" within %lu ms\n", title,
                    static_cast<unsigned long>(timeout));
            return nullptr;
        }
        Sleep(PollIntervalMs);
    }
}

BOOL CALLBACK PrintControl(HWND control, LPARAM) {
    char className[256];
    char text[TextSize];
    GetClassNameA(control, className, sizeof className);
    GetWindowTextA(control, text, sizeof text);
    DWORD_PTR checked = 0;
    if (lstrcmpiA(className, "Button") == 0)
        SendMessageTimeoutA(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, QueryTimeoutMs, &checked);
    printf("%d\t%s\t%d\t%d\t%d\t%s\n", GetDlgCtrlID(control), className,
           IsWindowVisible(control) ? 1 : 0, IsWindowEnabled(control) ? 1 : 0,
           static_cast<int>(checked), text);
    return TRUE;
}

int Usage() {
    fprintf(stderr, "usage: winauto find|list|click|command|syscommand|msgbox|gone TITLE [ID] "
                    "[TIMEOUT_MS]\n");
    return 2;
}

DWORD TimeoutArg(int argc, char** argv, int index) {
    return argc > index ? static_cast<DWORD>(strtoul(argv[index], nullptr, 10)) : DefaultTimeoutMs;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return Usage();
    const char* verb = argv[1];
    const char* title = argv[2];

    if (strcmp(verb, "gone") == 0) {
        DWORD timeout = TimeoutArg(argc, argv, 3);
        DWORD start = GetTickCount();
        while (FindTopLevel(title)) {
            if (GetTickCount() - start >= timeout) {
                fprintf(stderr, "winauto: window \"%s\" still there after %lu ms\n", title,
                        static_cast<unsigned long>(timeout));
                return 1;
            }
            Sleep(PollIntervalMs);
        }
        return 0;
    }

    bool needsId = strcmp(verb, "click") == 0 || strcmp(verb, "command") == 0 ||
                   strcmp(verb, "syscommand") == 0 || strcmp(verb, "msgbox") == 0;
    if (needsId && argc < 4)
        return Usage();
    int id = needsId ? static_cast<int>(strtol(argv[3], nullptr, 0)) : 0;
    HWND window = WaitForWindow(title, TimeoutArg(argc, argv, needsId ? 4 : 3));
    if (!window)
        return 1;

    if (strcmp(verb, "find") == 0) {
        printf("%p\n", static_cast<void*>(window));
        return 0;
    }
    if (strcmp(verb, "list") == 0) {
        EnumChildWindows(window, PrintControl, 0);
        return 0;
    }
    if (strcmp(verb, "click") == 0) {
        HWND control = GetDlgItem(window, id);
        if (!control) {
            fprintf(stderr, "winauto: \"%s\" has no control %d\n", title, id);
            return 1;
        }
        PostMessageA(control, BM_CLICK, 0, 0);
        return 0;
    }
    if (strcmp(verb, "command") == 0) {
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
        return 0;
    }
    if (strcmp(verb, "syscommand") == 0) {
        PostMessageA(window, WM_SYSCOMMAND, static_cast<WPARAM>(id), 0);
        return 0;
    }
    if (strcmp(verb, "msgbox") == 0) {
        char text[TextSize] = "";
        GetDlgItemTextA(window, MessageBoxTextId, text, sizeof text);
        printf("caption: %s\ntext: %s\n", title, text);
        fflush(stdout);
        HWND button = GetDlgItem(window, id);
        if (button)
            PostMessageA(button, BM_CLICK, 0, 0);
        else
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        return 0;
    }
    return Usage();
}
