// The simulated window manager: every window of the simulated machine, the program's
// dialogs and their controls as well as the top-level windows of simulated programs.
//
// What it models of Windows' dialog manager:
// - modal dialogs created from the program's templates (ResourceScript), with their
//   controls in template order; the owner is disabled while the dialog runs;
// - WM_INITDIALOG, whose TRUE gives the focus to the first visible, enabled tab stop; a
//   dialog that ends or whose process ends during WM_INITDIALOG never appears;
// - push buttons and automatic check boxes: a click toggles a check box and sends the dialog
//   WM_COMMAND with BN_CLICKED; hidden or disabled controls take no click;
// - Enter (the focused push button, else the default button when it is enabled), Escape
//   (IDCANCEL), Tab and Space;
// - the system menu (Move, Close and the items the program appends) and WM_SYSCOMMAND:
//   the default handling of SC_CLOSE sends WM_CLOSE, whose default handling sends IDCANCEL
//   unless a Cancel button is disabled; SC_MINIMIZE and SC_RESTORE minimise and restore
//   and repaint;
// - the dialog procedure's FALSE as "leave it to the dialog manager" (the default
//   handling of WM_SETICON, WM_PAINT, WM_SYSCOMMAND, WM_CLOSE, WM_QUERYDRAGICON);
// - message boxes, answered by the UI script (or the terminal);
// - the cursor, icons, paint device contexts and DrawIcon as records.
// A dialog's client area is its template size in pixels: a dialog unit is a quarter of the
// font's average character width horizontally and an eighth of its height vertically, with
// the 8-point font's 6 x 13 pixels scaled by the font size.
#pragma once

#include <stdint.h>

#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/WinTypes.h"
#include "platform/sim/UiScript.h"

namespace sim {

struct DialogTemplate;

// System commands and sizes that the window manager uses (the Windows values).
const os::UINT ScMove = 0xF010;
const os::UINT ScMinimize = 0xF020;
const os::UINT ScClose = 0xF060;
const os::UINT ScRestore = 0xF120;
const int IconSize = 32; // SM_CXICON and SM_CYICON

struct MenuItem {
    bool separator = false;
    os::UINT id = 0;
    std::string text;
};

struct IconDrawing {
    int x = 0;
    int y = 0;
    os::HICON icon = nullptr;
};

// What the user sees of one control.
struct ControlState {
    os::HWND handle = nullptr;
    int id = 0;
    std::string kind; // "default push button", "push button", "check box", "group box",
                      // "text", "icon"
    std::string text;
    int check = 0; // BST_CHECKED (1) or BST_UNCHECKED (0)
    bool visible = false;
    bool enabled = false;
    bool tabStop = false;
    bool focused = false;
    int x = 0, y = 0, cx = 0, cy = 0; // dialog units
};

// What the user sees of one dialog, and what the program did to it.
struct DialogState {
    os::HWND handle = nullptr;
    int templateId = 0;
    std::string caption;
    bool visible = false;
    bool enabled = false;
    bool iconic = false;
    os::HICON bigIcon = nullptr;
    os::HICON smallIcon = nullptr;
    os::HWND owner = nullptr;
    std::vector<MenuItem> systemMenu;    // empty when the dialog has none
    std::vector<ControlState> controls;  // in tab order
    std::vector<IconDrawing> drawnIcons; // DrawIcon calls on its paint device context
    int defaultPaints = 0;               // WM_PAINT left to the dialog manager

    // The control with this id; throws std::out_of_range when there is none.
    const ControlState& Control(int id) const;
    bool Checked(int id) const { return Control(id).check != 0; }
    bool Enabled(int id) const { return Control(id).enabled; }
    bool Visible(int id) const { return Control(id).visible; }
};

struct MessageBoxRecord {
    os::HWND owner = nullptr;
    std::string ownerCaption; // the owner's caption; empty without an owner
    bool ownerVisible = false;
    std::string text;
    std::string caption;
    os::UINT type = 0;
    int answer = 0;
};

class WindowManager {
public:
    WindowManager();
    ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    // A top-level window of another (simulated) program, with the given title. A window that
    // ignores WM_CLOSE stays open when it is sent one.
    os::HWND CreateTopLevelWindow(const std::string& title, bool ignoresClose = false);
    bool DestroyWindow(os::HWND window);
    bool IsWindow(os::HWND window) const;
    // A window made by CreateTopLevelWindow (not one of the program's own).
    bool IsOtherProgramsWindow(os::HWND window) const;

    // The user: the script and, when it is done, the terminal (none: a dialog that waits for
    // an action the script does not have is an error, std::runtime_error).
    void SetScript(UiScript script) { m_script = std::move(script); }
    const UiScript& Script() const { return m_script; }
    void SetTerminal(UiTerminal* terminal) { m_terminal = terminal; }
    // Where "show" draws the dialog, besides the transcript (nullptr: nowhere else).
    void SetEcho(std::ostream* echo) { m_echo = echo; }

    // A new process of the program starts: its windows from an earlier run are gone, the
    // records of the earlier run are cleared, the cursor is the arrow. Other programs'
    // windows stay.
    void StartProcess();

    // Records of the current run.
    // Each dialog as it first appeared to the user (after WM_INITDIALOG), in order.
    const std::vector<DialogState>& ShownDialogs() const { return m_shownDialogs; }
    // Each dialog as it was when its modal loop ended, in order of ending.
    const std::vector<DialogState>& ClosedDialogs() const { return m_closedDialogs; }
    const std::vector<MessageBoxRecord>& MessageBoxes() const { return m_messageBoxes; }
    // The drawings of "show", one a dialog.
    const std::vector<std::string>& Transcript() const { return m_transcript; }
    os::HCURSOR Cursor() const { return m_cursor; }
    static os::HCURSOR SystemCursor(int id);
    static os::HICON IconHandle(int resourceId);

    // The state of a dialog of the program, and the dialog drawn as text.
    DialogState Snapshot(os::HWND dialog) const;
    static std::string Render(const DialogState& dialog);

    // The platform layer's window services (platform/sim/WindowApi.cpp).
    os::INT_PTR RunModalDialog(int templateId, os::HWND owner, os::DLGPROC procedure,
                               os::LPARAM initParam);
    bool EndDialog(os::HWND dialog, os::INT_PTR result);
    os::LRESULT SendMessage(os::HWND window, os::UINT message, os::WPARAM wParam,
                            os::LPARAM lParam);
    // Top-level windows, the most recently created first, after childAfter (nullptr: from
    // the first), with exactly this title and, unless className is nullptr, this class.
    os::HWND FindTopLevelWindow(os::HWND childAfter, const char* className,
                                const char* title) const;
    // The title of a window; empty for an unknown one.
    std::string WindowText(os::HWND window) const;
    os::HWND GetDlgItem(os::HWND dialog, int id) const;
    bool ShowWindow(os::HWND window, int command);
    bool EnableWindow(os::HWND window, bool enable);
    bool IsWindowEnabled(os::HWND window) const;
    bool IsWindowVisible(os::HWND window) const;
    bool IsIconic(os::HWND window) const;
    bool GetClientRect(os::HWND window, os::RECT* rect) const;
    os::HMENU GetSystemMenu(os::HWND window) const;
    bool AppendMenu(os::HMENU menu, os::UINT flags, os::UINT_PTR id, const char* text);
    os::HCURSOR SetCursor(os::HCURSOR cursor);
    os::HDC BeginPaint(os::HWND window);
    bool EndPaint(os::HWND window);
    bool DrawIcon(os::HDC dc, int x, int y, os::HICON icon);
    // Shows a message box: journalled by the caller; answered by the script's next action
    // when it is an answer, else by the terminal, else by the first button.
    int MessageBox(os::HWND owner, const std::string& text, const std::string& caption,
                   os::UINT type);

    struct Window;

private:
    Window* Find(os::HWND window) const;
    Window& Create(int kind, os::HWND parent);
    void Destroy(os::HWND window);
    os::HWND FirstTabStop(os::HWND dialog) const;
    void ModalLoop(Window& dialog);
    void Perform(Window& dialog, const UiAction& action);
    void Click(Window& dialog, Window* control);
    void PressEnter(Window& dialog);
    void MoveFocus(Window& dialog);
    os::LRESULT SendToDialog(Window& dialog, os::UINT message, os::WPARAM wParam,
                             os::LPARAM lParam);
    os::LRESULT DefaultDialogMessage(Window& dialog, os::UINT message, os::WPARAM wParam,
                                     os::LPARAM lParam);
    os::LRESULT ControlMessage(Window& control, os::UINT message, os::WPARAM wParam);

    std::map<uintptr_t, std::unique_ptr<Window>> m_windows;
    std::vector<os::HWND> m_topLevel; // in creation order
    uintptr_t m_nextHandle;
    UiScript m_script;
    UiTerminal* m_terminal = nullptr;
    std::ostream* m_echo = nullptr;
    os::HCURSOR m_cursor;
    std::vector<DialogState> m_shownDialogs;
    std::vector<DialogState> m_closedDialogs;
    std::vector<MessageBoxRecord> m_messageBoxes;
    std::vector<std::string> m_transcript;
};

} // namespace sim
