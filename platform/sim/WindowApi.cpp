// The window services of the platform layer on the simulated machine: its window manager
// (WindowManager.h) and the program's resources (ResourceScript.h).
#include "platform/Window.h"

#include "platform/WinDefs.h"
#include "platform/sim/Machine.h"
#include "platform/sim/ResourceScript.h"

namespace os {

namespace {

sim::WindowManager& Windows() {
    return sim::Current().windows;
}

} // namespace

HWND FindWindowExA(HWND parent, HWND childAfter, const char* className, const char* windowName) {
    // Only the search among top-level windows is modelled.
    if (parent)
        return nullptr;
    return Windows().FindTopLevelWindow(childAfter, className, windowName);
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    sim::Machine& machine = sim::Current();
    const bool otherProgram = message == WM_CLOSE && machine.windows.IsOtherProgramsWindow(window);
    if (!otherProgram)
        return machine.windows.SendMessage(window, message, wParam, lParam);
    // WM_CLOSE to another program's window returns when that window has handled it: it is
    // closed then, unless it ignores the message; its program ends with its last window.
    const std::string title = machine.windows.WindowText(window);
    const LRESULT result = machine.windows.SendMessage(window, message, wParam, lParam);
    const bool stays = machine.windows.IsWindow(window);
    machine.Record("close window", title + (stays ? " (stays open)" : ""));
    machine.UpdateProcesses();
    return result;
}

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
    sim::Machine& machine = sim::Current();
    const std::string captionText = caption ? caption : "Error"; // Windows' default caption
    // The journal keeps caption and text; the window manager's record also keeps the owner
    // and the buttons.
    machine.Record("message", captionText + ": " + (text ? text : ""));
    return machine.windows.MessageBox(owner, text ? text : "", captionText, type);
}

INT_PTR DialogBoxParamA(HINSTANCE, int templateId, HWND parent, DLGPROC procedure,
                        LPARAM initParam) {
    return Windows().RunModalDialog(templateId, parent, procedure, initParam);
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    return Windows().EndDialog(dialog, result);
}
HWND GetDlgItem(HWND dialog, int id) {
    return Windows().GetDlgItem(dialog, id);
}
BOOL ShowWindow(HWND window, int command) {
    return Windows().ShowWindow(window, command);
}
BOOL EnableWindow(HWND window, BOOL enable) {
    return Windows().EnableWindow(window, enable != 0);
}
BOOL IsWindowEnabled(HWND window) {
    return Windows().IsWindowEnabled(window);
}
BOOL IsWindowVisible(HWND window) {
    return Windows().IsWindowVisible(window);
}
BOOL IsIconic(HWND window) {
    return Windows().IsIconic(window);
}
BOOL GetClientRect(HWND window, RECT* rect) {
    return Windows().GetClientRect(window, rect);
}

int GetSystemMetrics(int index) {
    if (index == SM_CXICON || index == SM_CYICON)
        return sim::IconSize;
    return 0;
}

HMENU GetSystemMenu(HWND window, BOOL) {
    return Windows().GetSystemMenu(window);
}

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, const char* text) {
    return Windows().AppendMenu(menu, flags, id, text);
}

CString LoadStringA(HINSTANCE, UINT id) {
    const std::string* text = sim::ProgramResources().FindString(static_cast<int>(id));
    return text ? CString(text->c_str(), static_cast<int>(text->size())) : CString();
}

HICON LoadIconA(HINSTANCE, int id) {
    return sim::ProgramResources().HasIcon(id) ? sim::WindowManager::IconHandle(id) : nullptr;
}

HCURSOR LoadCursorA(HINSTANCE instance, int id) {
    // The program has no cursors of its own: only the system's are there.
    if (instance || (id != IDC_ARROW && id != IDC_WAIT))
        return nullptr;
    return sim::WindowManager::SystemCursor(id);
}

HCURSOR SetCursor(HCURSOR cursor) {
    return Windows().SetCursor(cursor);
}

HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
    *paint = PAINTSTRUCT();
    paint->hdc = Windows().BeginPaint(window);
    return paint->hdc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT*) {
    return Windows().EndPaint(window);
}
BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
    return Windows().DrawIcon(dc, x, y, icon);
}

} // namespace os
