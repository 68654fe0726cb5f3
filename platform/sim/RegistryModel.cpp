#include "platform/sim/RegistryModel.h"

#include <ctype.h>
#include <stdio.h>

#include <algorithm>
#include <sstream>
#include <stdexcept>

#include "platform/WinDefs.h"
#include "platform/sim/Paths.h"

namespace sim {

namespace {

const char ClassesPath[] = "SOFTWARE\\Classes";
const char DefaultUserPath[] = ".DEFAULT";
const char RegeditHeader[] = "REGEDIT4";
// Regedit breaks hex data after this many characters on a line.
const size_t RegLineWidth = 76;

std::vector<std::string> SplitKeyPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char ch : path) {
        if (ch == '\\') {
            if (!part.empty())
                parts.push_back(part);
            part.clear();
        } else {
            part += ch;
        }
    }
    if (!part.empty())
        parts.push_back(part);
    return parts;
}

void MarkDeleted(RegKey& key) {
    key.deleted = true;
    for (auto& sub : key.subkeys)
        MarkDeleted(*sub);
}

} // namespace

std::shared_ptr<RegKey> RegKey::FindSubkey(const std::string& subkeyName) const {
    auto found = byFoldedName.find(Upper(subkeyName));
    return found == byFoldedName.end() ? nullptr : found->second;
}

void RegKey::AddSubkey(std::shared_ptr<RegKey> subkey) {
    byFoldedName[Upper(subkey->name)] = subkey;
    subkeys.push_back(std::move(subkey));
}

void RegKey::RemoveSubkey(const std::shared_ptr<RegKey>& subkey) {
    byFoldedName.erase(Upper(subkey->name));
    subkeys.erase(std::find(subkeys.begin(), subkeys.end(), subkey));
}

RegValue* RegKey::FindValue(const std::string& valueName) {
    for (auto& value : values)
        if (SameName(value.name, valueName))
            return &value;
    return nullptr;
}

Registry::Registry()
    : m_localMachine(std::make_shared<RegKey>()), m_users(std::make_shared<RegKey>()) {
    m_localMachine->name = "HKEY_LOCAL_MACHINE";
    m_users->name = "HKEY_USERS";
    bool created;
    Create(m_localMachine, ClassesPath, &created);
    Create(m_users, DefaultUserPath, &created);
}

std::shared_ptr<RegKey> Registry::RootByName(const std::string& name) const {
    if (SameName(name, "HKEY_LOCAL_MACHINE") || SameName(name, "HKLM"))
        return m_localMachine;
    if (SameName(name, "HKEY_USERS") || SameName(name, "HKU"))
        return m_users;
    if (SameName(name, "HKEY_CLASSES_ROOT") || SameName(name, "HKCR"))
        return Walk(m_localMachine, ClassesPath);
    if (SameName(name, "HKEY_CURRENT_USER") || SameName(name, "HKCU"))
        return Walk(m_users, DefaultUserPath);
    return nullptr;
}

std::shared_ptr<RegKey> Registry::RootByHandle(os::HKEY key) const {
    if (key == os::HKEY_LOCAL_MACHINE)
        return m_localMachine;
    if (key == os::HKEY_USERS)
        return m_users;
    if (key == os::HKEY_CLASSES_ROOT)
        return RootByName("HKCR");
    if (key == os::HKEY_CURRENT_USER)
        return RootByName("HKCU");
    return nullptr;
}

std::shared_ptr<RegKey> Registry::Walk(std::shared_ptr<RegKey> base, const std::string& path) {
    for (const std::string& part : SplitKeyPath(path)) {
        if (!base)
            return nullptr;
        base = base->FindSubkey(part);
    }
    return base;
}

std::shared_ptr<RegKey> Registry::Create(std::shared_ptr<RegKey> base, const std::string& path,
                                         bool* created) {
    *created = false;
    for (const std::string& part : SplitKeyPath(path)) {
        if (part.size() > MaxKeyNameLength)
            return nullptr;
        std::shared_ptr<RegKey> sub = base->FindSubkey(part);
        if (!sub) {
            sub = std::make_shared<RegKey>();
            sub->name = part;
            base->AddSubkey(sub);
            *created = true;
        }
        base = sub;
    }
    return base;
}

// Windows 95/98: RegDeleteKey removes the key with all keys below it. Windows NT: the key
// must not have subkeys.
os::LONG Registry::Delete(std::shared_ptr<RegKey> base, const std::string& path) {
    std::vector<std::string> parts = SplitKeyPath(path);
    if (parts.empty())
        return os::ERROR_INVALID_PARAMETER;
    std::string last = parts.back();
    parts.pop_back();
    std::shared_ptr<RegKey> parent = base;
    for (const std::string& part : parts) {
        parent = parent->FindSubkey(part);
        if (!parent)
            return os::ERROR_FILE_NOT_FOUND;
    }
    std::shared_ptr<RegKey> key = parent->FindSubkey(last);
    if (!key)
        return os::ERROR_FILE_NOT_FOUND;
    if (ntDeleteRule && !key->subkeys.empty())
        return os::ERROR_ACCESS_DENIED;
    MarkDeleted(*key);
    const size_t place = static_cast<size_t>(
        std::find(parent->subkeys.begin(), parent->subkeys.end(), key) - parent->subkeys.begin());
    parent->RemoveSubkey(key);
    // The keys HKEY_CLASSES_ROOT and HKEY_CURRENT_USER stand for always exist: deleted with
    // a key above them, they are there again, empty, and the key made again on the way keeps
    // the deleted one's place among its siblings.
    bool created;
    Create(m_localMachine, ClassesPath, &created);
    Create(m_users, DefaultUserPath, &created);
    if (parent->subkeys.size() > place && SameName(parent->subkeys.back()->name, last))
        std::rotate(parent->subkeys.begin() + static_cast<std::ptrdiff_t>(place),
                    parent->subkeys.end() - 1, parent->subkeys.end());
    return os::ERROR_SUCCESS;
}

os::HKEY Registry::AddHandle(const Handle& handle) {
    uintptr_t id = m_nextHandle++;
    m_handles[id] = handle;
    return reinterpret_cast<os::HKEY>(id);
}

Registry::Handle* Registry::FindHandle(os::HKEY key) {
    auto it = m_handles.find(reinterpret_cast<uintptr_t>(key));
    return it == m_handles.end() ? nullptr : &it->second;
}

bool Registry::CloseHandle(os::HKEY key) {
    return m_handles.erase(reinterpret_cast<uintptr_t>(key)) != 0;
}

// ---- Seeding and inspection ----

std::shared_ptr<RegKey> Registry::Resolve(const std::string& path, std::string* rest) const {
    size_t slash = path.find('\\');
    std::shared_ptr<RegKey> root = RootByName(path.substr(0, slash));
    if (!root)
        throw std::invalid_argument("registry path without a root key: " + path);
    *rest = slash == std::string::npos ? std::string() : path.substr(slash + 1);
    return root;
}

std::shared_ptr<RegKey> Registry::Require(const std::string& path) const {
    std::string rest;
    std::shared_ptr<RegKey> key = Walk(Resolve(path, &rest), rest);
    if (!key)
        throw std::out_of_range("no registry key " + path);
    return key;
}

void Registry::AddKey(const std::string& path) {
    std::string rest;
    std::shared_ptr<RegKey> root = Resolve(path, &rest);
    bool created;
    if (!Create(root, rest, &created))
        throw std::invalid_argument("key name longer than 255 characters: " + path);
}

void Registry::SetValue(const std::string& path, const std::string& name, os::DWORD type,
                        const std::string& data) {
    AddKey(path);
    std::shared_ptr<RegKey> key = Require(path);
    if (RegValue* value = key->FindValue(name)) {
        value->type = type;
        value->data = data;
    } else {
        key->values.push_back({name, type, data});
    }
}

void Registry::SetString(const std::string& path, const std::string& name,
                         const std::string& text) {
    SetValue(path, name, os::REG_SZ, text);
}

void Registry::SetDword(const std::string& path, const std::string& name, uint32_t value) {
    std::string data;
    for (int i = 0; i < 4; ++i)
        data += static_cast<char>((value >> (8 * i)) & 0xFF);
    SetValue(path, name, os::REG_DWORD, data);
}

bool Registry::KeyExists(const std::string& path) const {
    std::string rest;
    return Walk(Resolve(path, &rest), rest) != nullptr;
}

bool Registry::ValueExists(const std::string& path, const std::string& name) const {
    std::string rest;
    std::shared_ptr<RegKey> key = Walk(Resolve(path, &rest), rest);
    return key && key->FindValue(name);
}

RegValue Registry::Value(const std::string& path, const std::string& name) const {
    std::shared_ptr<RegKey> key = Require(path);
    RegValue* value = key->FindValue(name);
    if (!value)
        throw std::out_of_range("no value " + name + " in " + path);
    return *value;
}

std::vector<std::string> Registry::SubkeyNames(const std::string& path) const {
    std::vector<std::string> names;
    for (const auto& sub : Require(path)->subkeys)
        names.push_back(sub->name);
    return names;
}

std::vector<std::string> Registry::ValueNames(const std::string& path) const {
    std::vector<std::string> names;
    for (const auto& value : Require(path)->values)
        names.push_back(value.name);
    return names;
}

void Registry::DeleteKey(const std::string& path) {
    std::string rest;
    std::shared_ptr<RegKey> root = Resolve(path, &rest);
    bool rule = ntDeleteRule;
    ntDeleteRule = false;
    os::LONG error = Delete(root, rest);
    ntDeleteRule = rule;
    if (error)
        throw std::out_of_range("cannot delete registry key " + path);
}

// ---- REGEDIT4 text ----

namespace {

std::string TrimRight(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.pop_back();
    return text;
}

std::string TrimLeft(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    return text.substr(i);
}

[[noreturn]] void Malformed(size_t line, const std::string& why) {
    throw std::runtime_error("REGEDIT4 text, line " + std::to_string(line) + ": " + why);
}

// A quoted string with the escapes \\ and \"; pos is on the opening quote and ends after
// the closing one.
std::string ReadQuoted(const std::string& text, size_t* pos, size_t line) {
    std::string out;
    size_t i = *pos + 1;
    while (i < text.size() && text[i] != '"') {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"'))
            ++i;
        out += text[i++];
    }
    if (i >= text.size())
        Malformed(line, "string without its closing quote");
    *pos = i + 1;
    return out;
}

// A number of 1 to 8 hexadecimal digits, as dword: data and the type of hex(N): are written.
uint32_t ParseHexNumber(const std::string& text, size_t line) {
    const size_t MaxDigits = 8;
    if (text.empty() || text.size() > MaxDigits)
        Malformed(line, "bad hexadecimal number: " + text);
    uint32_t number = 0;
    for (char ch : text) {
        if (!isxdigit(static_cast<unsigned char>(ch)))
            Malformed(line, "bad hexadecimal number: " + text);
        const int digit = isdigit(static_cast<unsigned char>(ch)) ? ch - '0'
                                                                    : (ch | 0x20) - 'a' + 10;
        number = number * 16 + static_cast<uint32_t>(digit);
    }
    return number;
}

std::string ParseHexBytes(const std::string& text, size_t line) {
    std::string bytes;
    std::string digits;
    for (char ch : text) {
        if (ch == ',' || ch == ' ' || ch == '\t') {
            if (!digits.empty()) {
                bytes += static_cast<char>(std::stoul(digits, nullptr, 16));
                digits.clear();
            }
        } else if (isxdigit(static_cast<unsigned char>(ch)) && digits.size() < 2) {
            digits += ch;
        } else {
            Malformed(line, "bad hex data: " + text);
        }
    }
    if (!digits.empty())
        bytes += static_cast<char>(std::stoul(digits, nullptr, 16));
    return bytes;
}

bool IsStringType(os::DWORD type) { return type == os::REG_SZ || type == os::REG_EXPAND_SZ; }

std::string Quote(const std::string& text) {
    std::string out = "\"";
    for (char ch : text) {
        if (ch == '\\' || ch == '"')
            out += '\\';
        out += ch;
    }
    return out + "\"";
}

// "name"=hex(N):.. with the lines broken as regedit breaks them: ",\" and two blanks.
std::string HexLine(const std::string& prefix, const std::string& bytes) {
    std::string out = prefix;
    size_t lineStart = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        char hex[4];
        snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(bytes[i]));
        out += hex;
        if (i + 1 < bytes.size()) {
            out += ',';
            if (out.size() - lineStart > RegLineWidth) {
                out += "\\\r\n  ";
                lineStart = out.size() - 2;
            }
        }
    }
    return out;
}

void SaveKey(const RegKey& key, const std::string& path, bool isRoot, std::string* out) {
    if (!isRoot || !key.values.empty()) {
        *out += "[" + path + "]\r\n";
        for (const RegValue& value : key.values) {
            std::string name = value.name.empty() ? "@" : Quote(value.name);
            bool plain = value.data.find_first_of(std::string("\0\r\n", 3)) == std::string::npos;
            if (value.type == os::REG_SZ && plain)
                *out += name + "=" + Quote(value.data) + "\r\n";
            else if (value.type == os::REG_DWORD && value.data.size() == 4) {
                uint32_t number = 0;
                for (int i = 3; i >= 0; --i)
                    number = (number << 8) | static_cast<unsigned char>(value.data[i]);
                char text[16];
                snprintf(text, sizeof text, "%08x", number);
                *out += name + "=dword:" + text + "\r\n";
            } else if (value.type == os::REG_BINARY)
                *out += HexLine(name + "=hex:", value.data) + "\r\n";
            else {
                std::string data = value.data;
                if (IsStringType(value.type))
                    data += '\0';
                char type[16];
                snprintf(type, sizeof type, "=hex(%x):", static_cast<unsigned>(value.type));
                *out += HexLine(name + type, data) + "\r\n";
            }
        }
        *out += "\r\n";
    }
    for (const auto& sub : key.subkeys)
        SaveKey(*sub, path + "\\" + sub->name, false, out);
}

} // namespace

void Registry::LoadReg(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line))
        lines.push_back(TrimRight(line));

    size_t i = 0;
    while (i < lines.size() && lines[i].empty())
        ++i;
    if (i == lines.size() || lines[i] != RegeditHeader)
        Malformed(i + 1, "the text does not begin with REGEDIT4");
    ++i;

    std::shared_ptr<RegKey> key;
    for (; i < lines.size(); ++i) {
        size_t lineNumber = i + 1;
        std::string current = TrimLeft(lines[i]);
        if (current.empty() || current[0] == ';')
            continue;
        if (current[0] == '[') {
            if (current.back() != ']')
                Malformed(lineNumber, "key without its closing bracket");
            std::string path = current.substr(1, current.size() - 2);
            if (!path.empty() && path[0] == '-') {
                const std::string target = path.substr(1);
                std::shared_ptr<RegKey> root = RootByName(target.substr(0, target.find('\\')));
                if (!root)
                    Malformed(lineNumber, "unknown root key: " + target);
                std::string rest;
                Delete(Resolve(target, &rest), rest);
                key = nullptr;
                continue;
            }
            std::string rest;
            std::shared_ptr<RegKey> root = RootByName(path.substr(0, path.find('\\')));
            if (!root)
                Malformed(lineNumber, "unknown root key: " + path);
            rest = path.find('\\') == std::string::npos ? "" : path.substr(path.find('\\') + 1);
            bool created;
            key = Create(root, rest, &created);
            if (!key)
                Malformed(lineNumber, "key name longer than 255 characters");
            continue;
        }
        if (!key)
            Malformed(lineNumber, "value outside a key");
        // A value line; hex data may go on over lines that end in a backslash.
        while (current.back() == '\\' && current.find("=hex") != std::string::npos &&
               i + 1 < lines.size())
            current = current.substr(0, current.size() - 1) + TrimLeft(lines[++i]);
        size_t pos = 0;
        std::string name;
        if (current[0] == '@') {
            pos = 1;
        } else if (current[0] == '"') {
            name = ReadQuoted(current, &pos, lineNumber);
        } else {
            Malformed(lineNumber, "value name neither quoted nor @");
        }
        if (pos >= current.size() || current[pos] != '=')
            Malformed(lineNumber, "no = after the value name");
        std::string data = current.substr(pos + 1);
        RegValue value;
        value.name = name;
        if (data == "-") {
            auto& values = key->values;
            values.erase(std::remove_if(values.begin(), values.end(),
                                        [&](const RegValue& v) { return SameName(v.name, name); }),
                         values.end());
            continue;
        }
        if (!data.empty() && data[0] == '"') {
            size_t q = 0;
            value.type = os::REG_SZ;
            value.data = ReadQuoted(data, &q, lineNumber);
        } else if (data.compare(0, 6, "dword:") == 0) {
            value.type = os::REG_DWORD;
            const uint32_t number = ParseHexNumber(data.substr(6), lineNumber);
            for (int b = 0; b < 4; ++b)
                value.data += static_cast<char>((number >> (8 * b)) & 0xFF);
        } else if (data.compare(0, 4, "hex:") == 0) {
            value.type = os::REG_BINARY;
            value.data = ParseHexBytes(data.substr(4), lineNumber);
        } else if (data.compare(0, 4, "hex(") == 0 && data.find("):") != std::string::npos) {
            size_t close = data.find("):");
            value.type = ParseHexNumber(data.substr(4, close - 4), lineNumber);
            value.data = ParseHexBytes(data.substr(close + 2), lineNumber);
            if (IsStringType(value.type) && !value.data.empty() && value.data.back() == '\0')
                value.data.pop_back();
        } else {
            Malformed(lineNumber, "unknown value data: " + data);
        }
        if (RegValue* existing = key->FindValue(name))
            *existing = value;
        else
            key->values.push_back(value);
    }
}

std::string Registry::SaveReg() const {
    std::string out = std::string(RegeditHeader) + "\r\n\r\n";
    SaveKey(*m_localMachine, m_localMachine->name, true, &out);
    SaveKey(*m_users, m_users->name, true, &out);
    return out;
}

} // namespace sim
