#include "tests/contract/Transcript.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "platform/Files.h"
#include "platform/Profile.h"
#include "platform/Registry.h"
#include "platform/WinDefs.h"

namespace contract {

namespace {

// A small linear congruential generator, the same in both builds.
class Random {
public:
    explicit Random(unsigned seed) : m_state(seed) {}
    unsigned Next(unsigned bound) {
        m_state = m_state * 1103515245u + 12345u;
        return (m_state >> 16) % bound;
    }

private:
    unsigned m_state;
};

std::string Escape(const char* bytes, int length) {
    std::string out;
    for (int i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c < 32 || c >= 127 || c == '\\') {
            static const char hex[] = "0123456789abcdef";
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else
            out += static_cast<char>(c);
    }
    return out;
}
std::string Escape(const CString& text) { return Escape(text.GetString(), text.GetLength()); }

std::string FileBytes(const CString& path) {
    os::FILE* file = os::fopen(path, "rb");
    if (!file)
        return "(no file)";
    CString bytes;
    char buffer[512];
    int count;
    while ((count = os::fread(buffer, sizeof buffer, file)) > 0)
        bytes.Append(buffer, count);
    os::fclose(file);
    return Escape(bytes);
}

// Keys and values below key, names sorted without regard to case so that the dump does not
// depend on the order in which a registry enumerates.
void DumpKey(std::ostringstream& out, os::HKEY key, const std::string& path) {
    out << "key " << path << "\n";
    std::vector<std::string> values;
    CString name, data;
    os::DWORD type;
    for (os::DWORD i = 0; os::RegEnumValueA(key, i, name, &type, &data) == os::ERROR_SUCCESS; ++i)
        values.push_back("  value \"" + Escape(name) + "\" type " + std::to_string(type) + " \"" +
                         Escape(data) + "\"");
    std::sort(values.begin(), values.end());
    for (const std::string& line : values)
        out << line << "\n";
    std::vector<std::string> children;
    for (os::DWORD i = 0; os::RegEnumKeyExA(key, i, name) == os::ERROR_SUCCESS; ++i)
        children.push_back(name.GetString());
    std::sort(children.begin(), children.end(), [](const std::string& a, const std::string& b) {
        return os::lstrcmpiA(a.c_str(), b.c_str()) < 0;
    });
    for (const std::string& child : children) {
        os::HKEY sub;
        if (os::RegOpenKeyExA(key, child.c_str(), 0, os::KEY_READ, &sub) == os::ERROR_SUCCESS) {
            DumpKey(out, sub, path + "\\" + child);
            os::RegCloseKey(sub);
        }
    }
}

const char* const Sections[] = {"Alpha", "alpha", "Beta", "Setup Options"};
const char* const Keys[] = {"Key", "KEY", "Other", "Number", "Spaced Key"};
const char* const ProfileValues[] = {"plain", "", "two words", "\"quoted\"", "-12", "34x",
                                     "  padded  ", "a=b", "x"};
const char* const KeyPaths[] = {"One", "one\\Two", "Three", "One\\Two\\Four"};
const char* const ValueNames[] = {"Value", "value", "Other", ""};

} // namespace

std::string Transcript(const Environment& env, unsigned seed, int steps) {
    std::ostringstream out;
    CString ini = env.Dir() + "transcript.ini";

    // 1. The table: fixed profile operations on one file.
    out << "== profile table\n";
    struct Write {
        const char* section;
        const char* key;
        const char* value;
    } writes[] = {
        {"Options", "Name", "Plain"}, {"Options", "Quoted", "\"In Quotes\""},
        {"options", "name", "Replaced"}, {"Second", "Number", "42"},
        {"Second", "Negative", "-7"}, {"Second", "Mixed", "12abc"},
        {"Second", "Word", "yes"}, {"Second", "Empty", ""},
        {"Third", "Spaces", "  both sides  "},
    };
    for (const Write& w : writes)
        out << "write [" << w.section << "] " << w.key << "=" << Escape(CString(w.value)) << " -> "
            << os::WritePrivateProfileStringA(w.section, w.key, w.value, ini) << "\n";
    const char* reads[][2] = {{"Options", "Name"},  {"OPTIONS", "NAME"}, {"Options", "Quoted"},
                              {"Second", "Number"}, {"Second", "Empty"}, {"Third", "Spaces"},
                              {"Nowhere", "Name"},  {"Options", "None"}};
    for (const auto& r : reads)
        out << "read [" << r[0] << "] " << r[1] << " -> \""
            << Escape(os::GetPrivateProfileStringA(r[0], r[1], "default", ini)) << "\"\n";
    const char* ints[] = {"Number", "Negative", "Mixed", "Word", "Empty", "Missing"};
    for (const char* key : ints)
        out << "int [Second] " << key << " -> " << os::GetPrivateProfileIntA("Second", key, 9, ini)
            << "\n";
    out << "file " << FileBytes(ini) << "\n";

    // 2. The table: fixed registry operations below the scratch key.
    out << "== registry table\n";
    os::HKEY root, key;
    os::RegOpenKeyExA(os::HKEY_CURRENT_USER, env.KeyPath(), 0, os::KEY_ALL_ACCESS, &root);
    out << "create A\\B -> " << os::RegCreateKeyExA(root, "A\\B", os::KEY_ALL_ACCESS, &key) << "\n";
    out << "set sz -> " << os::RegSetValueExA(key, "Text", os::REG_SZ, CString("text")) << "\n";
    out << "set expand -> "
        << os::RegSetValueExA(key, "Expand", os::REG_EXPAND_SZ, CString("%WINDIR%")) << "\n";
    out << "set binary -> "
        << os::RegSetValueExA(key, "Bytes", os::REG_BINARY, CString("\x00\x01\xff", 3)) << "\n";
    out << "set default -> " << os::RegSetValueExA(key, "", os::REG_SZ, CString("default")) << "\n";
    os::RegCloseKey(key);
    os::HKEY readOnly;
    out << "open A\\B read -> " << os::RegOpenKeyExA(root, "A\\B", 0, os::KEY_READ, &readOnly)
        << "\n";
    out << "set on read-only -> "
        << os::RegSetValueExA(readOnly, "Denied", os::REG_SZ, CString("x")) << "\n";
    os::RegCloseKey(readOnly);
    out << "delete A -> " << os::RegDeleteKeyA(root, "A") << "\n";
    out << "delete A\\Missing -> " << os::RegDeleteKeyA(root, "A\\Missing") << "\n";
    out << "open Missing -> " << os::RegOpenKeyExA(root, "Missing", 0, os::KEY_READ, &key) << "\n";

    // 3. The seeded random sequence.
    out << "== random seed " << seed << "\n";
    CString randomIni = env.Dir() + "random.ini";
    Random random(seed);
    for (int step = 0; step < steps; ++step) {
        const char* section = Sections[random.Next(4)];
        const char* name = Keys[random.Next(5)];
        const char* path = KeyPaths[random.Next(4)];
        const char* valueName = ValueNames[random.Next(4)];
        switch (random.Next(8)) {
        case 0:
        case 1: {
            const char* value = ProfileValues[random.Next(9)];
            out << step << " write [" << section << "] " << name << "=" << Escape(CString(value))
                << " -> " << os::WritePrivateProfileStringA(section, name, value, randomIni)
                << "\n";
            break;
        }
        case 2:
            out << step << " read [" << section << "] " << name << " -> \""
                << Escape(os::GetPrivateProfileStringA(section, name, "dflt", randomIni)) << "\"\n";
            break;
        case 3:
            out << step << " int [" << section << "] " << name << " -> "
                << os::GetPrivateProfileIntA(section, name, 7, randomIni) << "\n";
            break;
        case 4: {
            os::LONG result = os::RegCreateKeyExA(root, path, os::KEY_ALL_ACCESS, &key);
            out << step << " set " << path << " \"" << valueName << "\" -> " << result;
            if (result == os::ERROR_SUCCESS) {
                std::string data = std::to_string(random.Next(1000));
                out << " " << os::RegSetValueExA(key, valueName, os::REG_SZ, CString(data.c_str()));
                os::RegCloseKey(key);
            }
            out << "\n";
            break;
        }
        case 5: {
            os::LONG result = os::RegOpenKeyExA(root, path, 0, os::KEY_READ, &key);
            out << step << " query " << path << " \"" << valueName << "\" -> " << result;
            if (result == os::ERROR_SUCCESS) {
                os::DWORD type = 0;
                CString data;
                out << " " << os::RegQueryValueExA(key, valueName, &type, data) << " "
                    << Escape(data);
                os::RegCloseKey(key);
            }
            out << "\n";
            break;
        }
        case 6:
            out << step << " delete " << path << " -> " << os::RegDeleteKeyA(root, path) << "\n";
            break;
        default: {
            os::LONG result = os::RegOpenKeyExA(root, path, 0, os::KEY_READ, &key);
            out << step << " count " << path << " -> " << result;
            if (result == os::ERROR_SUCCESS) {
                CString child;
                os::DWORD subkeys = 0, values = 0;
                while (os::RegEnumKeyExA(key, subkeys, child) == os::ERROR_SUCCESS)
                    ++subkeys;
                while (os::RegEnumValueA(key, values, child) == os::ERROR_SUCCESS)
                    ++values;
                out << " " << subkeys << " subkeys " << values << " values";
                os::RegCloseKey(key);
            }
            out << "\n";
            break;
        }
        }
    }
    out << "file " << FileBytes(randomIni) << "\n";
    DumpKey(out, root, "HKCU\\...");
    os::RegCloseKey(root);
    return out.str();
}

} // namespace contract
