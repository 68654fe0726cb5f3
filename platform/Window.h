// Windows, dialogs, menus, resources and message boxes.
#pragma once

#include "platform/WinTypes.h"

namespace os {

// The top-level window whose title is exactly windowName (any class when className is
// nullptr); nullptr when there is none.
HWND FindWindowExA(HWND parent, HWND childAfter, const char* className, const char* windowName);
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Shows a modal message box and returns the button that closed it (IDOK, ...).
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);

// Runs the dialog of template templateId of the program's resources modally and returns
// the value given to EndDialog.
INT_PTR DialogBoxParamA(HINSTANCE instance, int templateId, HWND parent, DLGPROC procedure,
                        LPARAM initParam);
BOOL EndDialog(HWND dialog, INT_PTR result);
HWND GetDlgItem(HWND dialog, int id);
BOOL ShowWindow(HWND window, int command);
BOOL EnableWindow(HWND window, BOOL enable);
BOOL IsWindowEnabled(HWND window);
BOOL IsWindowVisible(HWND window);
BOOL IsIconic(HWND window);
BOOL GetClientRect(HWND window, RECT* rect);
int GetSystemMetrics(int index);

HMENU GetSystemMenu(HWND window, BOOL revert);
BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, const char* text);

// String id of the program's string table; empty when there is no such string.
CString LoadStringA(HINSTANCE instance, UINT id);
HICON LoadIconA(HINSTANCE instance, int id);
HCURSOR LoadCursorA(HINSTANCE instance, int id); // a system cursor when instance is nullptr
HCURSOR SetCursor(HCURSOR cursor);

HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);

} // namespace os
