#include "platform/sim/ResourceScript.h"

#include <cctype>
#include <cstdlib>
#include <stdexcept>

namespace sim {

extern const char* const SetupRcText;
extern const char* const ResourceHeaderText;

namespace {

// The names the script may use, with their Windows values.
const std::map<std::string, long>& KnownNames() {
    static const std::map<std::string, long> names = {
        {"WS_POPUP", 0x80000000L},
        {"WS_CHILD", 0x40000000L},
        {"WS_VISIBLE", 0x10000000L},
        {"WS_DISABLED", 0x08000000L},
        {"WS_CAPTION", 0x00C00000L},
        {"WS_BORDER", 0x00800000L},
        {"WS_SYSMENU", 0x00080000L},
        {"WS_GROUP", 0x00020000L},
        {"WS_TABSTOP", 0x00010000L},
        {"DS_MODALFRAME", 0x80L},
        {"DS_SETFONT", 0x40L},
        {"DS_3DLOOK", 0x04L},
        {"DS_CENTER", 0x0800L},
        {"WS_EX_APPWINDOW", 0x00040000L},
        {"BS_PUSHBUTTON", 0L},
        {"BS_DEFPUSHBUTTON", 1L},
        {"BS_CHECKBOX", 2L},
        {"BS_AUTOCHECKBOX", 3L},
        {"BS_GROUPBOX", 7L},
        {"SS_LEFT", 0L},
        {"SS_ICON", 3L},
        {"SS_NOPREFIX", 0x80L},
        {"IDOK", 1L},
        {"IDCANCEL", 2L},
        {"LANG_ENGLISH", 0x09L},
        {"SUBLANG_ENGLISH_US", 0x01L},
    };
    return names;
}

// What a control statement gives a control besides the styles written in the script.
struct StatementDefaults {
    const char* className;
    uint32_t style; // WS_CHILD and WS_VISIBLE come on top of this
};

const std::map<std::string, StatementDefaults>& ControlStatements() {
    static const std::map<std::string, StatementDefaults> statements = {
        {"DEFPUSHBUTTON", {"Button", ButtonDefPush | StyleTabStop}},
        {"PUSHBUTTON", {"Button", ButtonPush | StyleTabStop}},
        {"AUTOCHECKBOX", {"Button", ButtonAutoCheckBox | StyleTabStop}},
        {"GROUPBOX", {"Button", ButtonGroupBox}},
        {"LTEXT", {"Static", StaticLeft | StyleGroup}},
        {"ICON", {"Static", StaticIcon}},
        {"CONTROL", {"", 0}},
    };
    return statements;
}

enum TokenKind { End, Name, Number, String, Punct };

struct Token {
    TokenKind kind = End;
    std::string text;
    long number = 0;
    int line = 0;
};

class Lexer {
public:
    explicit Lexer(const std::string& text) : m_text(text) {}

    Token Next() {
        SkipBlanksAndComments();
        Token token;
        token.line = m_line;
        if (m_pos >= m_text.size())
            return token;
        const char c = m_text[m_pos];
        if (c == '"') {
            token.kind = String;
            token.text = ReadString();
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            token.kind = Number;
            const char* start = m_text.c_str() + m_pos;
            char* end = nullptr;
            token.number = static_cast<long>(std::strtoul(start, &end, 0));
            m_pos += end - start;
            if (m_pos < m_text.size() && (m_text[m_pos] == 'L' || m_text[m_pos] == 'l'))
                ++m_pos;
        } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            token.kind = Name;
            while (
                m_pos < m_text.size() &&
                (std::isalnum(static_cast<unsigned char>(m_text[m_pos])) || m_text[m_pos] == '_'))
                token.text += m_text[m_pos++];
        } else {
            token.kind = Punct;
            token.text = std::string(1, c);
            ++m_pos;
        }
        return token;
    }

    // The rest of the current line (for preprocessor lines).
    std::string RestOfLine() {
        std::string rest;
        while (m_pos < m_text.size() && m_text[m_pos] != '\n')
            rest += m_text[m_pos++];
        return rest;
    }

    int Line() const { return m_line; }

private:
    void SkipBlanksAndComments() {
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (c == '\n') {
                ++m_line;
                ++m_pos;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++m_pos;
            } else if (m_text.compare(m_pos, 2, "//") == 0) {
                while (m_pos < m_text.size() && m_text[m_pos] != '\n')
                    ++m_pos;
            } else if (m_text.compare(m_pos, 2, "/*") == 0) {
                const size_t end = m_text.find("*/", m_pos + 2);
                const size_t stop = end == std::string::npos ? m_text.size() : end + 2;
                for (; m_pos < stop; ++m_pos)
                    if (m_text[m_pos] == '\n')
                        ++m_line;
            } else {
                return;
            }
        }
    }

    // A quoted text; "" stands for one quote, and the C escapes \n \t \\ \" are known.
    std::string ReadString() {
        std::string value;
        ++m_pos;
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos++];
            if (c == '"') {
                if (m_pos < m_text.size() && m_text[m_pos] == '"') {
                    value += '"';
                    ++m_pos;
                    continue;
                }
                return value;
            }
            if (c == '\\' && m_pos < m_text.size()) {
                const char e = m_text[m_pos++];
                value += e == 'n' ? '\n' : e == 't' ? '\t' : e;
                continue;
            }
            if (c == '\n')
                break;
            value += c;
        }
        throw std::runtime_error("resource script line " + std::to_string(m_line) +
                                 ": unterminated string");
    }

    const std::string& m_text;
    size_t m_pos = 0;
    int m_line = 1;
};

class Parser {
public:
    Parser(const std::string& text, ResourceScript& script, const char* what)
        : m_lexer(text), m_script(script), m_what(what) {
        Advance();
    }

    void ParseHeader() {
        while (m_token.kind != End) {
            if (IsPunct("#"))
                ParsePreprocessorLine();
            else
                Fail("only preprocessor lines belong in the header");
        }
    }

    void ParseScript() {
        while (m_token.kind != End) {
            if (IsPunct("#")) {
                ParsePreprocessorLine();
            } else if (IsName("LANGUAGE")) {
                Advance();
                Value();
                Expect(",");
                Value();
            } else if (IsName("STRINGTABLE")) {
                Advance();
                ParseStringTable();
            } else {
                const int id = static_cast<int>(Value());
                if (IsName("ICON")) {
                    Advance();
                    m_script.icons[id] = ExpectString();
                } else if (IsName("DIALOG") || IsName("DIALOGEX")) {
                    const bool extended = IsName("DIALOGEX");
                    Advance();
                    ParseDialog(id, extended);
                } else {
                    Fail("unknown resource type '" + m_token.text + "'");
                }
            }
        }
    }

private:
    void Advance() { m_token = m_lexer.Next(); }
    bool IsName(const char* name) const { return m_token.kind == Name && m_token.text == name; }
    bool IsPunct(const char* p) const { return m_token.kind == Punct && m_token.text == p; }

    [[noreturn]] void Fail(const std::string& why) const {
        throw std::runtime_error(std::string(m_what) + " line " + std::to_string(m_token.line) +
                                 ": " + why);
    }

    void Expect(const char* p) {
        if (!IsPunct(p))
            Fail(std::string("'") + p + "' expected");
        Advance();
    }

    void ExpectName(const char* name) {
        if (!IsName(name))
            Fail(std::string(name) + " expected");
        Advance();
    }

    std::string ExpectString() {
        if (m_token.kind != String)
            Fail("quoted text expected");
        std::string text = m_token.text;
        Advance();
        return text;
    }

    // #define NAME value; other preprocessor lines (#include, #ifndef, #endif ...) do not
    // change what the script says.
    void ParsePreprocessorLine() {
        const int line = m_token.line;
        Token directive = m_lexer.Next();
        if (directive.kind == Name && directive.text == "define" && directive.line == line) {
            Token name = m_lexer.Next();
            const std::string rest = m_lexer.RestOfLine();
            if (name.kind == Name && !rest.empty()) {
                char* end = nullptr;
                const long value = std::strtol(rest.c_str(), &end, 0);
                if (end != rest.c_str())
                    m_script.symbols[name.text] = value;
            }
        } else if (directive.line == line) {
            m_lexer.RestOfLine();
        }
        Advance();
    }

    long Lookup(const std::string& name) const {
        auto own = m_script.symbols.find(name);
        if (own != m_script.symbols.end())
            return own->second;
        auto known = KnownNames().find(name);
        if (known != KnownNames().end())
            return known->second;
        Fail("unknown name '" + name + "'");
    }

    long Atom() {
        if (IsPunct("-")) {
            Advance();
            return -Atom();
        }
        if (IsPunct("(")) {
            Advance();
            const long value = Value();
            Expect(")");
            return value;
        }
        if (m_token.kind == Number) {
            const long value = m_token.number;
            Advance();
            return value;
        }
        if (m_token.kind == Name) {
            const long value = Lookup(m_token.text);
            Advance();
            return value;
        }
        Fail("a number or a name expected");
    }

    // A number, a name or names joined by '|'.
    long Value() {
        long value = Atom();
        while (IsPunct("|")) {
            Advance();
            value |= Atom();
        }
        return value;
    }

    // Style names joined by '|' applied to a control's or a dialog's default style;
    // NOT name takes that style away.
    uint32_t Styles(uint32_t style) {
        for (;;) {
            const bool remove = IsName("NOT");
            if (remove)
                Advance();
            const uint32_t bits = static_cast<uint32_t>(Atom());
            style = remove ? style & ~bits : style | bits;
            if (!IsPunct("|"))
                return style;
            Advance();
        }
    }

    bool OptionalComma() {
        if (!IsPunct(","))
            return false;
        Advance();
        return true;
    }

    void ParseDialog(int id, bool extended) {
        DialogTemplate dialog;
        dialog.id = id;
        dialog.extended = extended;
        dialog.x = static_cast<int>(Value());
        Expect(",");
        dialog.y = static_cast<int>(Value());
        Expect(",");
        dialog.cx = static_cast<int>(Value());
        Expect(",");
        dialog.cy = static_cast<int>(Value());
        // The resource compiler's style of a dialog without a STYLE statement.
        dialog.style = StylePopup | 0x00800000u /* WS_BORDER */ | StyleSysMenu;
        while (!IsName("BEGIN")) {
            if (IsName("STYLE")) {
                Advance();
                dialog.style = Styles(0);
            } else if (IsName("EXSTYLE")) {
                Advance();
                dialog.exStyle = Styles(0);
            } else if (IsName("CAPTION")) {
                Advance();
                dialog.caption = ExpectString();
            } else if (IsName("FONT")) {
                Advance();
                dialog.fontSize = static_cast<int>(Value());
                Expect(",");
                dialog.fontName = ExpectString();
                while (OptionalComma()) // weight, italic, character set of DIALOGEX
                    Value();
            } else {
                Fail("dialog statement expected, found '" + m_token.text + "'");
            }
        }
        // A caption gives the dialog a caption bar; a font is recorded in the style.
        if (!dialog.caption.empty())
            dialog.style |= StyleCaption;
        if (dialog.fontSize)
            dialog.style |= DialogStyleSetFont;
        Advance();
        while (!IsName("END")) {
            if (m_token.kind == End)
                Fail("END of dialog expected");
            dialog.controls.push_back(ParseControl());
        }
        Advance();
        m_script.dialogs[id] = dialog;
    }

    ControlTemplate ParseControl() {
        if (m_token.kind != Name || !ControlStatements().count(m_token.text))
            Fail("unknown control statement '" + m_token.text + "'");
        ControlTemplate control;
        control.statement = m_token.text;
        const StatementDefaults defaults = ControlStatements().at(control.statement);
        control.className = defaults.className;
        Advance();
        const bool isIcon = control.statement == "ICON";
        if (control.statement == "CONTROL" || isIcon) {
            // The title is a text, or an icon's resource id.
            if (m_token.kind == String)
                control.text = ExpectString();
            else
                control.iconId = static_cast<int>(Value());
        } else {
            control.text = ExpectString();
        }
        Expect(",");
        control.id = static_cast<int>(Value());
        Expect(",");
        uint32_t style = StyleChild | StyleVisible | defaults.style;
        if (control.statement == "CONTROL") {
            if (m_token.kind == String)
                control.className = ExpectString();
            else if (m_token.kind == Name)
                control.className = m_token.text, Advance();
            else
                Fail("control class expected");
            Expect(",");
            style = Styles(StyleChild | StyleVisible);
            Expect(",");
        }
        control.x = static_cast<int>(Value());
        Expect(",");
        control.y = static_cast<int>(Value());
        const bool hasSize = OptionalComma();
        if (hasSize || !isIcon) {
            control.cx = static_cast<int>(Value());
            Expect(",");
            control.cy = static_cast<int>(Value());
        }
        if (control.statement == "CONTROL") {
            if (OptionalComma())
                control.exStyle = Styles(0);
        } else if (OptionalComma()) {
            style = Styles(style);
            if (OptionalComma())
                control.exStyle = Styles(0);
        }
        control.style = style;
        // Class names are matched without regard to case, as Windows matches them.
        for (auto& c : control.className)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (control.className == "button")
            control.className = "Button";
        else if (control.className == "static")
            control.className = "Static";
        else
            Fail("unknown control class '" + control.className + "'");
        return control;
    }

    void ParseStringTable() {
        ExpectName("BEGIN");
        while (!IsName("END")) {
            if (m_token.kind == End)
                Fail("END of string table expected");
            const int id = static_cast<int>(Value());
            OptionalComma();
            m_script.strings[id] = ExpectString();
        }
        Advance();
    }

    Lexer m_lexer;
    ResourceScript& m_script;
    const char* m_what;
    Token m_token;
};

} // namespace

const DialogTemplate* ResourceScript::FindDialog(int id) const {
    auto found = dialogs.find(id);
    return found == dialogs.end() ? nullptr : &found->second;
}

const std::string* ResourceScript::FindString(int id) const {
    auto found = strings.find(id);
    return found == strings.end() ? nullptr : &found->second;
}

ResourceScript ParseResourceScript(const std::string& scriptText, const std::string& headerText) {
    ResourceScript script;
    Parser(headerText, script, "resource header").ParseHeader();
    Parser(scriptText, script, "resource script").ParseScript();
    return script;
}

const ResourceScript& ProgramResources() {
    static const ResourceScript resources = ParseResourceScript(SetupRcText, ResourceHeaderText);
    return resources;
}

} // namespace sim
