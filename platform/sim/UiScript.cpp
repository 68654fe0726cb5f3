#include "platform/sim/UiScript.h"

#include <termios.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "platform/WinDefs.h"
#include "platform/sim/WindowManager.h"

namespace sim {

namespace ui {

namespace {
UiAction Make(UiAction::Kind kind, int value = 0) {
    UiAction action;
    action.kind = kind;
    action.value = value;
    return action;
}
} // namespace

UiAction Click(int controlId) {
    return Make(UiAction::Click, controlId);
}
UiAction SysCommand(os::UINT commandId) {
    return Make(UiAction::SysCommand, static_cast<int>(commandId));
}
UiAction Close() {
    return SysCommand(ScClose);
}
UiAction Minimize() {
    return SysCommand(ScMinimize);
}
UiAction Restore() {
    return SysCommand(ScRestore);
}
UiAction Enter() {
    return Make(UiAction::Enter);
}
UiAction Escape() {
    return Make(UiAction::Escape);
}
UiAction Tab() {
    return Make(UiAction::Tab);
}
UiAction Space() {
    return Make(UiAction::Space);
}
UiAction Answer(int button) {
    return Make(UiAction::Answer, button);
}
UiAction Show() {
    return Make(UiAction::Show);
}
UiAction Inspect(std::function<void(const DialogState&)> check) {
    UiAction action = Make(UiAction::Inspect);
    action.inspect = std::move(check);
    return action;
}

} // namespace ui

UiAction UiScript::Take() {
    UiAction action = std::move(m_actions.front());
    m_actions.pop_front();
    return action;
}

namespace {

int ParseNumber(const std::string& word, const std::string& action) {
    char* end = nullptr;
    const long value = std::strtol(word.c_str(), &end, 0);
    if (word.empty() || *end)
        throw std::runtime_error("UI script: '" + action + "' needs a number, not '" + word + "'");
    return static_cast<int>(value);
}

int ParseAnswer(std::string word) {
    for (auto& c : word)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (word == "ok")
        return os::IDOK;
    if (word == "cancel")
        return os::IDCANCEL;
    if (word == "yes")
        return os::IDYES;
    if (word == "no")
        return os::IDNO;
    return ParseNumber(word, "answer");
}

} // namespace

UiScript ParseUiScript(const std::string& text) {
    UiScript script;
    std::string normalised = text;
    for (auto& c : normalised)
        if (c == ';')
            c = '\n';
    std::istringstream lines(normalised);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string action, argument, extra;
        if (!(words >> action))
            continue;
        for (auto& c : action)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const bool hasArgument = static_cast<bool>(words >> argument);
        const bool needsArgument =
            action == "click" || action == "syscommand" || action == "answer";
        if (hasArgument != needsArgument || (words >> extra))
            throw std::runtime_error("UI script: bad action '" + line + "'");
        if (action == "click")
            script.Add(ui::Click(ParseNumber(argument, action)));
        else if (action == "syscommand")
            script.Add(ui::SysCommand(static_cast<os::UINT>(ParseNumber(argument, action))));
        else if (action == "answer")
            script.Add(ui::Answer(ParseAnswer(argument)));
        else if (action == "close")
            script.Add(ui::Close());
        else if (action == "minimize")
            script.Add(ui::Minimize());
        else if (action == "restore")
            script.Add(ui::Restore());
        else if (action == "enter")
            script.Add(ui::Enter());
        else if (action == "escape")
            script.Add(ui::Escape());
        else if (action == "tab")
            script.Add(ui::Tab());
        else if (action == "space")
            script.Add(ui::Space());
        else if (action == "show")
            script.Add(ui::Show());
        else
            throw std::runtime_error("UI script: unknown action '" + action + "'");
    }
    return script;
}

// ---- The keyboard ----------------------------------------------------------------------

namespace {

const int KeyTab = '\t';
const int KeyEnter = '\r';
const int KeyNewLine = '\n';
const int KeyEscape = 27;
const int KeySpace = ' ';
const int KeyEndOfInput = -1;

// Keys one by one, without echo, while it lives (when the input is a terminal).
class RawMode {
public:
    explicit RawMode(int fd) : m_fd(fd), m_active(isatty(fd) && tcgetattr(fd, &m_saved) == 0) {
        if (!m_active)
            return;
        termios raw = m_saved;
        raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        tcsetattr(fd, TCSANOW, &raw);
    }
    ~RawMode() {
        if (m_active)
            tcsetattr(m_fd, TCSANOW, &m_saved);
    }

private:
    int m_fd;
    termios m_saved{};
    bool m_active;
};

} // namespace

KeyboardTerminal::KeyboardTerminal(int inputFd, std::ostream& out) : m_fd(inputFd), m_out(out) {}

int KeyboardTerminal::ReadKey() {
    RawMode raw(m_fd);
    unsigned char key = 0;
    if (read(m_fd, &key, 1) != 1)
        return KeyEndOfInput;
    return key;
}

UiAction KeyboardTerminal::NextAction(const DialogState& dialog, const std::string& dialogText) {
    m_out << "\n"
          << dialogText
          << "Tab: next  Space: press  Enter: default button  Escape: cancel  m: system menu\n"
          << std::flush;
    for (;;) {
        const int key = ReadKey();
        switch (key) {
        case KeyTab:
            return ui::Tab();
        case KeySpace:
            return ui::Space();
        case KeyEnter:
        case KeyNewLine:
            return ui::Enter();
        case KeyEscape:
        case KeyEndOfInput: // the user has gone: cancel
            return ui::Escape();
        case 'm': {
            std::vector<os::UINT> items;
            for (const MenuItem& item : dialog.systemMenu)
                if (!item.separator)
                    items.push_back(item.id);
            m_out << "system menu item (1-" << items.size() << "): " << std::flush;
            const int choice = ReadKey() - '1';
            m_out << "\n";
            if (choice >= 0 && choice < static_cast<int>(items.size()))
                return ui::SysCommand(items[choice]);
            break;
        }
        default:
            break;
        }
    }
}

int KeyboardTerminal::AnswerMessageBox(const std::string& caption, const std::string& text,
                                       os::UINT type) {
    const os::UINT buttons = type & 0x0F;
    m_out << "\n[" << caption << "] " << text << "\n";
    if (buttons == os::MB_YESNO)
        m_out << "y: Yes  n: No\n";
    else if (buttons == os::MB_OKCANCEL)
        m_out << "Enter: OK  Escape: Cancel\n";
    else
        m_out << "Enter: OK\n";
    m_out << std::flush;
    for (;;) {
        const int key = ReadKey();
        if (buttons == os::MB_YESNO) {
            if (key == 'y' || key == 'Y')
                return os::IDYES;
            if (key == 'n' || key == 'N' || key == KeyEndOfInput)
                return os::IDNO;
        } else if (key == KeyEnter || key == KeyNewLine || key == KeySpace) {
            return os::IDOK;
        } else if (key == KeyEscape || key == KeyEndOfInput) {
            return buttons == os::MB_OKCANCEL ? os::IDCANCEL : os::IDOK;
        }
    }
}

} // namespace sim
