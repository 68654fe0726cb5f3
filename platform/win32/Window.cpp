// Windows, dialogs, menus, resources and message boxes over the Windows API.
#include <windows.h>

#include "platform/Window.h"

namespace os {

static_assert(sizeof(os::RECT) == sizeof(::RECT), "RECT is handed to Windows as it is");
static_assert(sizeof(os::PAINTSTRUCT) == sizeof(::PAINTSTRUCT),
              "PAINTSTRUCT is handed to Windows as it is");

namespace {

::HWND Native(HWND window) { return reinterpret_cast<::HWND>(window); }
HWND Ours(::HWND window) { return reinterpret_cast<HWND>(window); }

// First guess for a string resource's length; longer strings make the buffer grow.
const int InitialStringSize = 256;

// What DialogBoxParamA hands to the trampoline with WM_INITDIALOG: the program's dialog
// procedure and the program's own initialisation value.
struct DialogStart {
    DLGPROC procedure;
    LPARAM initParam;
};

// The dialog procedure that Windows calls (stdcall). It keeps the program's procedure
// (cdecl) in the dialog's DWLP_USER slot from WM_INITDIALOG on and passes every message to
// it. Messages that come before WM_INITDIALOG (WM_SETFONT) get the default handling.
INT_PTR CALLBACK DialogTrampoline(::HWND dialog, ::UINT message, ::WPARAM wParam,
                                  ::LPARAM lParam) {
    DLGPROC procedure;
    if (message == WM_INITDIALOG) {
        const DialogStart* start = reinterpret_cast<const DialogStart*>(lParam);
        procedure = start->procedure;
        lParam = start->initParam;
        ::SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(procedure));
    } else {
        procedure = reinterpret_cast<DLGPROC>(::GetWindowLongPtrA(dialog, DWLP_USER));
    }
    if (!procedure)
        return FALSE;
    return procedure(Ours(dialog), message, wParam, lParam);
}

} // namespace

HWND FindWindowExA(HWND parent, HWND childAfter, const char* className, const char* windowName) {
    return Ours(::FindWindowExA(Native(parent), Native(childAfter), className, windowName));
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageA(Native(window), message, wParam, lParam);
}

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
    return ::MessageBoxA(Native(owner), text, caption, type);
}

INT_PTR DialogBoxParamA(HINSTANCE instance, int templateId, HWND parent, DLGPROC procedure,
                        LPARAM initParam) {
    DialogStart start = {procedure, initParam};
    return ::DialogBoxParamA(reinterpret_cast<::HINSTANCE>(instance),
                             MAKEINTRESOURCEA(templateId), Native(parent), DialogTrampoline,
                             reinterpret_cast<::LPARAM>(&start));
}

BOOL EndDialog(HWND dialog, INT_PTR result) { return ::EndDialog(Native(dialog), result); }
HWND GetDlgItem(HWND dialog, int id) { return Ours(::GetDlgItem(Native(dialog), id)); }
BOOL ShowWindow(HWND window, int command) { return ::ShowWindow(Native(window), command); }
BOOL EnableWindow(HWND window, BOOL enable) { return ::EnableWindow(Native(window), enable); }
BOOL IsWindowEnabled(HWND window) { return ::IsWindowEnabled(Native(window)); }
BOOL IsWindowVisible(HWND window) { return ::IsWindowVisible(Native(window)); }
BOOL IsIconic(HWND window) { return ::IsIconic(Native(window)); }

BOOL GetClientRect(HWND window, RECT* rect) {
    return ::GetClientRect(Native(window), reinterpret_cast<::RECT*>(rect));
}

int GetSystemMetrics(int index) { return ::GetSystemMetrics(index); }

HMENU GetSystemMenu(HWND window, BOOL revert) {
    return reinterpret_cast<HMENU>(::GetSystemMenu(Native(window), revert));
}

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, const char* text) {
    return ::AppendMenuA(reinterpret_cast<::HMENU>(menu), flags, id, text);
}

CString LoadStringA(HINSTANCE instance, UINT id) {
    // Windows copies what fits and says how much it copied: a string that fills the buffer
    // up to its last character may have been cut, so the buffer grows until it has room
    // to spare.
    for (int size = InitialStringSize;; size *= 2) {
        CString text;
        int length =
            ::LoadStringA(reinterpret_cast<::HINSTANCE>(instance), id, text.GetBuffer(size), size);
        if (length < size - 1) {
            text.ReleaseBuffer(length);
            return text;
        }
    }
}

HICON LoadIconA(HINSTANCE instance, int id) {
    return reinterpret_cast<HICON>(
        ::LoadIconA(reinterpret_cast<::HINSTANCE>(instance), MAKEINTRESOURCEA(id)));
}

HCURSOR LoadCursorA(HINSTANCE instance, int id) {
    return reinterpret_cast<HCURSOR>(
        ::LoadCursorA(reinterpret_cast<::HINSTANCE>(instance), MAKEINTRESOURCEA(id)));
}

HCURSOR SetCursor(HCURSOR cursor) {
    return reinterpret_cast<HCURSOR>(::SetCursor(reinterpret_cast<::HCURSOR>(cursor)));
}

HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
    return reinterpret_cast<HDC>(
        ::BeginPaint(Native(window), reinterpret_cast<::PAINTSTRUCT*>(paint)));
}

BOOL EndPaint(HWND window, const PAINTSTRUCT* paint) {
    return ::EndPaint(Native(window), reinterpret_cast<const ::PAINTSTRUCT*>(paint));
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
    return ::DrawIcon(reinterpret_cast<::HDC>(dc), x, y, reinterpret_cast<::HICON>(icon));
}

} // namespace os
