// The user of the simulated machine: a UI script, the list of actions that the simulated
// window manager plays into the program's modal dialogs and message boxes, one action each
// time the program waits for the user. When the runner is used at a terminal, the keyboard
// takes the place of the script.
//
// Text form (ParseUiScript), actions separated by ';' or new lines:
//   click N         click control N of the dialog (ignored when it is hidden or disabled)
//   syscommand N    WM_SYSCOMMAND with command id N (decimal or 0x hex), as the system menu
//                   sends it
//   close           the close command of the system menu (syscommand 0xF060)
//   minimize        the dialog minimised (syscommand 0xF020); restore: back (0xF120)
//   enter, escape   the Enter and Escape keys: the default button, and IDCANCEL
//   tab, space      the focus to the next tab stop; a click on the focused control
//   answer B        the answer of the next message box: ok, cancel, yes, no or a number
//                   (a message box with no answer waiting gets its first button: OK)
//   show            the dialog drawn as text into the window manager's transcript
#pragma once

#include <deque>
#include <functional>
#include <initializer_list>
#include <iosfwd>
#include <string>

#include "platform/WinTypes.h"

namespace sim {

struct DialogState;

struct UiAction {
    enum Kind { Click, SysCommand, Enter, Escape, Tab, Space, Answer, Inspect, Show };
    Kind kind = Enter;
    int value = 0; // the control id, the system command id or the answer
    // Inspect: called with the state of the dialog that waits for the user (tests assert in
    // it); it takes no turn of the dialog.
    std::function<void(const DialogState&)> inspect;
};

namespace ui {
UiAction Click(int controlId);
UiAction SysCommand(os::UINT commandId);
UiAction Close();
UiAction Minimize();
UiAction Restore();
UiAction Enter();
UiAction Escape();
UiAction Tab();
UiAction Space();
UiAction Answer(int button);
UiAction Show();
UiAction Inspect(std::function<void(const DialogState&)> check);
} // namespace ui

class UiScript {
public:
    UiScript() = default;
    UiScript(std::initializer_list<UiAction> actions) : m_actions(actions) {}

    UiScript& Add(UiAction action) {
        m_actions.push_back(std::move(action));
        return *this;
    }
    bool Empty() const { return m_actions.empty(); }
    // The next action, or nullptr when the script is done.
    const UiAction* Peek() const { return m_actions.empty() ? nullptr : &m_actions.front(); }
    UiAction Take();

private:
    std::deque<UiAction> m_actions;
};

// Reads the text form; throws std::runtime_error naming a word it does not know.
UiScript ParseUiScript(const std::string& text);

// The user at a terminal, for the runner: draws each dialog and message box and turns keys
// into actions.
class UiTerminal {
public:
    virtual ~UiTerminal() = default;
    // The next action for the dialog, drawn as dialogText.
    virtual UiAction NextAction(const DialogState& dialog, const std::string& dialogText) = 0;
    // The button that answers the message box.
    virtual int AnswerMessageBox(const std::string& caption, const std::string& text,
                                 os::UINT type) = 0;
};

// The keyboard of a terminal (Tab, Space, Enter, Escape; 'm' picks an item of the system
// menu, by its number): reads keys from inputFd, raw, and draws on out.
class KeyboardTerminal : public UiTerminal {
public:
    KeyboardTerminal(int inputFd, std::ostream& out);
    UiAction NextAction(const DialogState& dialog, const std::string& dialogText) override;
    int AnswerMessageBox(const std::string& caption, const std::string& text,
                         os::UINT type) override;

private:
    int ReadKey();
    int m_fd;
    std::ostream& m_out;
};

} // namespace sim
