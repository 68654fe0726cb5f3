#include "platform/sim/WindowManager.h"

#include <algorithm>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "platform/WinDefs.h"
#include "platform/sim/ResourceScript.h"

namespace sim {

namespace {

enum WindowKind { ProgramWindow, DialogWindow, ControlWindow };

// Handles are numbers that are never used twice, so a stale handle never names a new window.
const uintptr_t FirstHandle = 0x10000;
const uintptr_t HandleStep = 4;
const uintptr_t IconHandleBase = 0x7000;
const uintptr_t CursorHandleBase = 0x9000;

// The dialog base units of the 8-point system font: average character width and height.
const int BaseFontSize = 8;
const int BaseUnitX = 6;
const int BaseUnitY = 13;

os::WPARAM MakeWParam(int low, int high) {
    return static_cast<os::WPARAM>((static_cast<unsigned>(low) & 0xFFFF) |
                                   ((static_cast<unsigned>(high) & 0xFFFF) << 16));
}

template <typename Handle> Handle ToHandle(uintptr_t value) {
    return reinterpret_cast<Handle>(value);
}

template <typename Handle> uintptr_t FromHandle(Handle handle) {
    return reinterpret_cast<uintptr_t>(handle);
}

} // namespace

struct WindowManager::Window {
    WindowKind kind = ProgramWindow;
    os::HWND handle = nullptr;
    os::HWND parent = nullptr; // a control's dialog; a dialog's owner
    std::string text;
    std::string className;
    int id = 0;
    int templateId = 0;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    bool visible = false;
    bool enabled = true;
    bool ignoresClose = false;
    int check = 0;
    int iconId = 0;
    int x = 0, y = 0, cx = 0, cy = 0; // dialog units (controls)
    // Dialogs.
    os::DLGPROC procedure = nullptr;
    bool ended = false;
    os::INT_PTR result = 0;
    bool iconic = false;
    os::HICON bigIcon = nullptr;
    os::HICON smallIcon = nullptr;
    bool hasSystemMenu = false;
    std::vector<MenuItem> systemMenu;
    std::vector<os::HWND> controls;
    int baseX = BaseUnitX, baseY = BaseUnitY;
    int width = 0, height = 0; // client area, pixels
    os::HWND focus = nullptr;
    std::vector<IconDrawing> drawnIcons;
    int defaultPaints = 0;

    bool IsButton() const { return kind == ControlWindow && className == "Button"; }
    uint32_t ButtonType() const { return style & ButtonTypeMask; }
    bool IsCheckBox() const {
        return IsButton() && (ButtonType() == ButtonCheckBox || ButtonType() == ButtonAutoCheckBox);
    }
    bool IsPushButton() const {
        return IsButton() && (ButtonType() == ButtonPush || ButtonType() == ButtonDefPush);
    }
};

const ControlState& DialogState::Control(int id) const {
    for (const auto& control : controls)
        if (control.id == id)
            return control;
    throw std::out_of_range("dialog '" + caption + "' has no control " + std::to_string(id));
}

WindowManager::WindowManager() : m_nextHandle(FirstHandle), m_cursor(SystemCursor(os::IDC_ARROW)) {}

WindowManager::~WindowManager() = default;

os::HCURSOR WindowManager::SystemCursor(int id) {
    return ToHandle<os::HCURSOR>(CursorHandleBase + static_cast<uintptr_t>(id));
}

os::HICON WindowManager::IconHandle(int resourceId) {
    return ToHandle<os::HICON>(IconHandleBase + static_cast<uintptr_t>(resourceId));
}

WindowManager::Window* WindowManager::Find(os::HWND window) const {
    auto found = m_windows.find(FromHandle(window));
    return found == m_windows.end() ? nullptr : found->second.get();
}

WindowManager::Window& WindowManager::Create(int kind, os::HWND parent) {
    auto window = std::make_unique<Window>();
    window->kind = static_cast<WindowKind>(kind);
    window->handle = ToHandle<os::HWND>(m_nextHandle);
    window->parent = parent;
    m_nextHandle += HandleStep;
    Window& created = *window;
    m_windows[FromHandle(created.handle)] = std::move(window);
    if (kind != ControlWindow)
        m_topLevel.push_back(created.handle);
    return created;
}

void WindowManager::Destroy(os::HWND handle) {
    Window* window = Find(handle);
    if (!window)
        return;
    for (os::HWND control : window->controls)
        m_windows.erase(FromHandle(control));
    m_topLevel.erase(std::remove(m_topLevel.begin(), m_topLevel.end(), handle), m_topLevel.end());
    m_windows.erase(FromHandle(handle));
}

os::HWND WindowManager::CreateTopLevelWindow(const std::string& title, bool ignoresClose) {
    Window& window = Create(ProgramWindow, nullptr);
    window.text = title;
    window.className = "Program";
    window.visible = true;
    window.ignoresClose = ignoresClose;
    return window.handle;
}

bool WindowManager::DestroyWindow(os::HWND window) {
    if (!Find(window))
        return false;
    Destroy(window);
    return true;
}

bool WindowManager::IsWindow(os::HWND window) const {
    return Find(window) != nullptr;
}

bool WindowManager::IsOtherProgramsWindow(os::HWND window) const {
    const Window* found = Find(window);
    return found && found->kind == ProgramWindow;
}

void WindowManager::StartProcess() {
    std::vector<os::HWND> own;
    for (const auto& entry : m_windows)
        if (entry.second->kind == DialogWindow)
            own.push_back(entry.second->handle);
    for (os::HWND dialog : own)
        Destroy(dialog);
    m_shownDialogs.clear();
    m_closedDialogs.clear();
    m_messageBoxes.clear();
    m_transcript.clear();
    m_cursor = SystemCursor(os::IDC_ARROW);
}

// ---- The dialog manager ----------------------------------------------------------------

os::INT_PTR WindowManager::RunModalDialog(int templateId, os::HWND owner, os::DLGPROC procedure,
                                          os::LPARAM initParam) {
    const DialogTemplate* dialogTemplate = ProgramResources().FindDialog(templateId);
    if (!dialogTemplate)
        return -1;

    Window& dialog = Create(DialogWindow, owner);
    const os::HWND handle = dialog.handle;
    dialog.templateId = templateId;
    dialog.text = dialogTemplate->caption;
    dialog.className = "#32770"; // the dialog class
    dialog.style = dialogTemplate->style;
    dialog.exStyle = dialogTemplate->exStyle;
    dialog.enabled = (dialog.style & StyleDisabled) == 0;
    dialog.procedure = procedure;
    dialog.hasSystemMenu = (dialog.style & StyleSysMenu) != 0;
    if (dialog.hasSystemMenu)
        dialog.systemMenu = {{false, ScMove, "&Move"}, {false, ScClose, "&Close"}};
    if (dialogTemplate->fontSize) {
        dialog.baseX = BaseUnitX * dialogTemplate->fontSize / BaseFontSize;
        dialog.baseY = BaseUnitY * dialogTemplate->fontSize / BaseFontSize;
    }
    dialog.width = dialogTemplate->cx * dialog.baseX / 4;
    dialog.height = dialogTemplate->cy * dialog.baseY / 8;
    for (const ControlTemplate& item : dialogTemplate->controls) {
        Window& control = Create(ControlWindow, handle);
        control.className = item.className;
        control.text = item.text;
        control.iconId = item.iconId;
        control.id = item.id;
        control.style = item.style;
        control.exStyle = item.exStyle;
        control.visible = (item.style & StyleVisible) != 0;
        control.enabled = (item.style & StyleDisabled) == 0;
        control.x = item.x;
        control.y = item.y;
        control.cx = item.cx;
        control.cy = item.cy;
        Find(handle)->controls.push_back(control.handle);
    }

    // While the dialog runs its owner takes no input; the dialog's end, or the end of the
    // process, gives it back.
    Window* ownerWindow = Find(owner);
    const bool disableOwner = ownerWindow && ownerWindow->enabled;
    if (disableOwner)
        ownerWindow->enabled = false;
    struct Cleanup {
        WindowManager& manager;
        os::HWND dialog;
        os::HWND owner;
        bool enableOwner;
        ~Cleanup() {
            manager.Destroy(dialog);
            if (Window* window = manager.Find(owner); window && enableOwner)
                window->enabled = true;
        }
    } cleanup{*this, handle, owner, disableOwner};

    // TRUE from WM_INITDIALOG asks for the first tab stop as it is after the dialog has
    // initialised (a control disabled or hidden there is passed by).
    const os::INT_PTR setFocus = procedure(
        handle, os::WM_INITDIALOG, reinterpret_cast<os::WPARAM>(FirstTabStop(handle)), initParam);
    Window* self = Find(handle);
    if (setFocus && !self->focus)
        self->focus = FirstTabStop(handle);
    if (!self->ended) {
        // DialogBox shows the dialog after WM_INITDIALOG, with or without WS_VISIBLE.
        self->visible = true;
        m_shownDialogs.push_back(Snapshot(handle));
        ModalLoop(*self);
    }
    self = Find(handle);
    m_closedDialogs.push_back(Snapshot(handle));
    return self->result;
}

os::HWND WindowManager::FirstTabStop(os::HWND dialog) const {
    for (os::HWND control : Find(dialog)->controls) {
        const Window& c = *Find(control);
        if ((c.style & StyleTabStop) && c.visible && c.enabled)
            return control;
    }
    return nullptr;
}

bool WindowManager::EndDialog(os::HWND handle, os::INT_PTR result) {
    Window* dialog = Find(handle);
    if (!dialog || dialog->kind != DialogWindow)
        return false;
    dialog->ended = true;
    dialog->result = result;
    return true;
}

void WindowManager::ModalLoop(Window& dialog) {
    while (!dialog.ended) {
        if (!m_script.Empty()) {
            Perform(dialog, m_script.Take());
        } else if (m_terminal) {
            const DialogState state = Snapshot(dialog.handle);
            Perform(dialog, m_terminal->NextAction(state, Render(state)));
        } else {
            throw std::runtime_error("the UI script ended while the dialog \"" + dialog.text +
                                     "\" waits for the user:\n" + Render(Snapshot(dialog.handle)));
        }
    }
}

void WindowManager::Perform(Window& dialog, const UiAction& action) {
    switch (action.kind) {
    case UiAction::Click: {
        Click(dialog, Find(GetDlgItem(dialog.handle, action.value)));
        break;
    }
    case UiAction::SysCommand:
        SendToDialog(dialog, os::WM_SYSCOMMAND, static_cast<os::WPARAM>(action.value), 0);
        break;
    case UiAction::Enter:
        PressEnter(dialog);
        break;
    case UiAction::Escape:
        // The dialog manager sends IDCANCEL on Escape whether or not there is a Cancel
        // button; the about box has none and still closes.
        SendToDialog(dialog, os::WM_COMMAND, MakeWParam(os::IDCANCEL, os::BN_CLICKED),
                     reinterpret_cast<os::LPARAM>(GetDlgItem(dialog.handle, os::IDCANCEL)));
        break;
    case UiAction::Tab:
        MoveFocus(dialog);
        break;
    case UiAction::Space:
        Click(dialog, Find(dialog.focus));
        break;
    case UiAction::Answer:
        throw std::runtime_error("the UI script answers a message box, but the dialog \"" +
                                 dialog.text + "\" shows none");
    case UiAction::Inspect:
        action.inspect(Snapshot(dialog.handle));
        break;
    case UiAction::Show: {
        const std::string text = Render(Snapshot(dialog.handle));
        m_transcript.push_back(text);
        if (m_echo)
            *m_echo << text << std::flush;
        break;
    }
    }
}

void WindowManager::Click(Window& dialog, Window* control) {
    if (!control || !control->visible || !control->enabled || !dialog.enabled)
        return;
    if (!control->IsButton() || control->ButtonType() == ButtonGroupBox)
        return;
    if (control->style & StyleTabStop)
        dialog.focus = control->handle;
    if (control->ButtonType() == ButtonAutoCheckBox)
        control->check = control->check ? os::BST_UNCHECKED : os::BST_CHECKED;
    SendToDialog(dialog, os::WM_COMMAND, MakeWParam(control->id, os::BN_CLICKED),
                 reinterpret_cast<os::LPARAM>(control->handle));
}

// Enter presses the push button that has the focus; otherwise the default push button
// (IDOK when the template marks none), and nothing when that button is disabled.
void WindowManager::PressEnter(Window& dialog) {
    Window* focused = Find(dialog.focus);
    if (focused && focused->IsPushButton() && focused->visible && focused->enabled) {
        Click(dialog, focused);
        return;
    }
    int defaultId = os::IDOK;
    for (os::HWND handle : dialog.controls) {
        const Window& c = *Find(handle);
        if (c.IsButton() && c.ButtonType() == ButtonDefPush) {
            defaultId = c.id;
            break;
        }
    }
    Window* button = Find(GetDlgItem(dialog.handle, defaultId));
    if (button && !button->enabled)
        return;
    SendToDialog(dialog, os::WM_COMMAND, MakeWParam(defaultId, os::BN_CLICKED),
                 reinterpret_cast<os::LPARAM>(button ? button->handle : nullptr));
}

void WindowManager::MoveFocus(Window& dialog) {
    const auto& controls = dialog.controls;
    if (controls.empty())
        return;
    const auto current = std::find(controls.begin(), controls.end(), dialog.focus);
    size_t start = current == controls.end() ? controls.size() - 1 : current - controls.begin();
    for (size_t step = 1; step <= controls.size(); ++step) {
        const Window& c = *Find(controls[(start + step) % controls.size()]);
        if ((c.style & StyleTabStop) && c.visible && c.enabled) {
            dialog.focus = c.handle;
            return;
        }
    }
}

// ---- Messages --------------------------------------------------------------------------

os::LRESULT WindowManager::SendMessage(os::HWND handle, os::UINT message, os::WPARAM wParam,
                                       os::LPARAM lParam) {
    Window* window = Find(handle);
    if (!window)
        return 0;
    switch (window->kind) {
    case DialogWindow:
        return SendToDialog(*window, message, wParam, lParam);
    case ControlWindow:
        return ControlMessage(*window, message, wParam);
    case ProgramWindow:
        // Another program's window: it closes on WM_CLOSE unless it is one that ignores it.
        if (message == os::WM_CLOSE && !window->ignoresClose)
            Destroy(handle);
        return 0;
    }
    return 0;
}

// A dialog procedure returns FALSE to leave a message to the dialog manager. For
// WM_QUERYDRAGICON its result is the message's result.
os::LRESULT WindowManager::SendToDialog(Window& dialog, os::UINT message, os::WPARAM wParam,
                                        os::LPARAM lParam) {
    const os::HWND handle = dialog.handle;
    const os::INT_PTR handled = dialog.procedure(handle, message, wParam, lParam);
    Window* self = Find(handle);
    if (!self)
        return 0;
    if (handled)
        return message == os::WM_QUERYDRAGICON ? handled : 0;
    return DefaultDialogMessage(*self, message, wParam, lParam);
}

os::LRESULT WindowManager::DefaultDialogMessage(Window& dialog, os::UINT message, os::WPARAM wParam,
                                                os::LPARAM lParam) {
    switch (message) {
    case os::WM_SETICON: {
        os::HICON& slot = wParam == os::ICON_BIG ? dialog.bigIcon : dialog.smallIcon;
        const os::HICON previous = slot;
        slot = reinterpret_cast<os::HICON>(lParam);
        return reinterpret_cast<os::LRESULT>(previous);
    }
    case os::WM_SYSCOMMAND:
        // The low four bits of a system command belong to the system.
        switch (static_cast<os::UINT>(wParam) & 0xFFF0) {
        case ScClose:
            return SendToDialog(dialog, os::WM_CLOSE, 0, 0);
        case ScMinimize:
            dialog.iconic = true;
            return SendToDialog(dialog, os::WM_PAINT, 0, 0);
        case ScRestore:
            dialog.iconic = false;
            return SendToDialog(dialog, os::WM_PAINT, 0, 0);
        default:
            return 0;
        }
    case os::WM_CLOSE: {
        // As Cancel, unless the dialog has a Cancel button that is disabled.
        Window* cancel = Find(GetDlgItem(dialog.handle, os::IDCANCEL));
        if (cancel && !cancel->enabled)
            return 0;
        return SendToDialog(dialog, os::WM_COMMAND, MakeWParam(os::IDCANCEL, os::BN_CLICKED),
                            reinterpret_cast<os::LPARAM>(cancel ? cancel->handle : nullptr));
    }
    case os::WM_PAINT:
        ++dialog.defaultPaints;
        return 0;
    default:
        return 0;
    }
}

os::LRESULT WindowManager::ControlMessage(Window& control, os::UINT message, os::WPARAM wParam) {
    switch (message) {
    case os::BM_GETCHECK:
        return control.IsCheckBox() ? control.check : 0;
    case os::BM_SETCHECK:
        if (control.IsCheckBox())
            control.check = static_cast<int>(wParam);
        return 0;
    default:
        return 0;
    }
}

// ---- Window services -------------------------------------------------------------------

os::HWND WindowManager::FindTopLevelWindow(os::HWND childAfter, const char* className,
                                           const char* title) const {
    bool searching = childAfter == nullptr;
    for (auto it = m_topLevel.rbegin(); it != m_topLevel.rend(); ++it) {
        if (!searching) {
            searching = *it == childAfter;
            continue;
        }
        const Window& window = *Find(*it);
        if (title && window.text != title)
            continue;
        if (className && window.className != className)
            continue;
        return window.handle;
    }
    return nullptr;
}

std::string WindowManager::WindowText(os::HWND handle) const {
    const Window* window = Find(handle);
    return window ? window->text : std::string();
}

os::HWND WindowManager::GetDlgItem(os::HWND handle, int id) const {
    const Window* dialog = Find(handle);
    if (!dialog)
        return nullptr;
    for (os::HWND control : dialog->controls)
        if (Find(control)->id == id)
            return control;
    return nullptr;
}

bool WindowManager::ShowWindow(os::HWND handle, int command) {
    Window* window = Find(handle);
    if (!window)
        return false;
    const bool wasVisible = window->visible;
    window->visible = command != os::SW_HIDE;
    if (!window->visible && window->kind == ControlWindow) {
        Window* dialog = Find(window->parent);
        if (dialog && dialog->focus == handle)
            dialog->focus = nullptr;
    }
    return wasVisible;
}

bool WindowManager::EnableWindow(os::HWND handle, bool enable) {
    Window* window = Find(handle);
    if (!window)
        return false;
    const bool wasDisabled = !window->enabled;
    window->enabled = enable;
    return wasDisabled;
}

bool WindowManager::IsWindowEnabled(os::HWND handle) const {
    const Window* window = Find(handle);
    return window && window->enabled;
}

// Visible means the window and every window it sits in.
bool WindowManager::IsWindowVisible(os::HWND handle) const {
    const Window* window = Find(handle);
    if (!window || !window->visible)
        return false;
    if (window->kind == ControlWindow)
        return IsWindowVisible(window->parent);
    return true;
}

bool WindowManager::IsIconic(os::HWND handle) const {
    const Window* window = Find(handle);
    return window && window->iconic;
}

bool WindowManager::GetClientRect(os::HWND handle, os::RECT* rect) const {
    const Window* window = Find(handle);
    if (!window)
        return false;
    rect->left = 0;
    rect->top = 0;
    if (window->kind == ControlWindow) {
        const Window* dialog = Find(window->parent);
        rect->right = window->cx * dialog->baseX / 4;
        rect->bottom = window->cy * dialog->baseY / 8;
    } else {
        rect->right = window->width;
        rect->bottom = window->height;
    }
    return true;
}

// A window's system menu handle is the window's own handle number.
os::HMENU WindowManager::GetSystemMenu(os::HWND handle) const {
    const Window* window = Find(handle);
    if (!window || !window->hasSystemMenu)
        return nullptr;
    return ToHandle<os::HMENU>(FromHandle(handle));
}

bool WindowManager::AppendMenu(os::HMENU menu, os::UINT flags, os::UINT_PTR id, const char* text) {
    Window* window = Find(ToHandle<os::HWND>(FromHandle(menu)));
    if (!window || !window->hasSystemMenu)
        return false;
    MenuItem item;
    item.separator = (flags & os::MF_SEPARATOR) != 0;
    if (!item.separator) {
        item.id = static_cast<os::UINT>(id);
        item.text = text ? text : "";
    }
    window->systemMenu.push_back(item);
    return true;
}

os::HCURSOR WindowManager::SetCursor(os::HCURSOR cursor) {
    const os::HCURSOR previous = m_cursor;
    m_cursor = cursor;
    return previous;
}

// A paint device context's handle is its window's handle number.
os::HDC WindowManager::BeginPaint(os::HWND handle) {
    return Find(handle) ? ToHandle<os::HDC>(FromHandle(handle)) : nullptr;
}

bool WindowManager::EndPaint(os::HWND handle) {
    return Find(handle) != nullptr;
}

bool WindowManager::DrawIcon(os::HDC dc, int x, int y, os::HICON icon) {
    Window* window = Find(ToHandle<os::HWND>(FromHandle(dc)));
    if (!window || !icon)
        return false;
    window->drawnIcons.push_back({x, y, icon});
    return true;
}

int WindowManager::MessageBox(os::HWND owner, const std::string& text, const std::string& caption,
                              os::UINT type) {
    MessageBoxRecord record;
    record.owner = owner;
    record.ownerCaption = WindowText(owner);
    record.ownerVisible = IsWindowVisible(owner);
    record.text = text;
    record.caption = caption;
    record.type = type;
    // The first button of each kind of box answers when nobody else does.
    const os::UINT buttons = type & 0x0F;
    int answer = buttons == os::MB_YESNO ? os::IDYES : os::IDOK;
    const UiAction* next = m_script.Peek();
    if (next && next->kind == UiAction::Answer)
        answer = m_script.Take().value;
    else if (m_terminal)
        answer = m_terminal->AnswerMessageBox(caption, text, type);
    record.answer = answer;
    m_messageBoxes.push_back(record);
    return answer;
}

// ---- What the user sees ----------------------------------------------------------------

DialogState WindowManager::Snapshot(os::HWND handle) const {
    DialogState state;
    const Window* dialog = Find(handle);
    if (!dialog)
        return state;
    state.handle = handle;
    state.templateId = dialog->templateId;
    state.caption = dialog->text;
    state.visible = dialog->visible;
    state.enabled = dialog->enabled;
    state.iconic = dialog->iconic;
    state.bigIcon = dialog->bigIcon;
    state.smallIcon = dialog->smallIcon;
    state.owner = dialog->parent;
    state.systemMenu = dialog->systemMenu;
    state.drawnIcons = dialog->drawnIcons;
    state.defaultPaints = dialog->defaultPaints;
    for (os::HWND handleOfControl : dialog->controls) {
        const Window& c = *Find(handleOfControl);
        ControlState control;
        control.handle = c.handle;
        control.id = c.id;
        control.text = c.text;
        control.check = c.check;
        control.visible = c.visible;
        control.enabled = c.enabled;
        control.tabStop = (c.style & StyleTabStop) != 0;
        control.focused = dialog->focus == c.handle;
        control.x = c.x;
        control.y = c.y;
        control.cx = c.cx;
        control.cy = c.cy;
        if (c.className == "Static")
            control.kind = (c.style & StaticTypeMask) == StaticIcon ? "icon" : "text";
        else if (c.ButtonType() == ButtonDefPush)
            control.kind = "default push button";
        else if (c.ButtonType() == ButtonPush)
            control.kind = "push button";
        else if (c.ButtonType() == ButtonGroupBox)
            control.kind = "group box";
        else
            control.kind = "check box";
        state.controls.push_back(control);
    }
    return state;
}

std::string WindowManager::Render(const DialogState& dialog) {
    std::ostringstream out;
    out << "+-- " << dialog.caption << (dialog.iconic ? " (minimised)" : "")
        << (dialog.visible ? "" : " (hidden)") << "\n";
    for (const ControlState& c : dialog.controls) {
        std::string face;
        if (c.kind == "default push button")
            face = "<< " + c.text + " >>";
        else if (c.kind == "push button")
            face = "< " + c.text + " >";
        else if (c.kind == "check box")
            face = std::string(c.check ? "[x] " : "[ ] ") + c.text;
        else if (c.kind == "group box")
            face = "-- group box" + (c.text.empty() ? std::string() : " " + c.text) + " --";
        else if (c.kind == "icon")
            face = "(icon)";
        else
            face = "\"" + c.text + "\"";
        out << "| " << (c.focused ? "> " : "  ") << face;
        if (c.id > 0)
            out << "   [" << c.id << "]";
        if (!c.visible)
            out << "   (hidden)";
        if (!c.enabled)
            out << "   (disabled)";
        out << "\n";
    }
    if (!dialog.systemMenu.empty()) {
        out << "+-- system menu:";
        int number = 1;
        for (const MenuItem& item : dialog.systemMenu) {
            if (item.separator)
                out << " |";
            else
                out << " " << number++ << "." << item.text << " (" << item.id << ")";
        }
        out << "\n";
    }
    return out.str();
}

} // namespace sim
