// The profile (INI) calls of the platform layer over the simulated machine. Every call reads
// the file anew from the machine's files (Windows' profile cache is not modelled: a program
// always sees what another one wrote).
#include <algorithm>

#include "platform/Profile.h"
#include "platform/WinDefs.h"
#include "platform/sim/Machine.h"
#include "platform/sim/ProfileText.h"

namespace {

using sim::Machine;

// The default as Windows returns it: trailing blanks dropped and enclosing quotes removed.
std::string DefaultValue(const char* def) {
    std::string text = def ? def : "";
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.pop_back();
    return sim::profile::Unquote(text);
}

// The value of the key as GetPrivateProfileStringA returns it, or def.
std::string ReadValue(Machine& machine, const char* operation, const char* section,
                      const char* key, const std::string& def, const char* file) {
    sim::Path path;
    os::LONG error;
    if (!machine.ResolveProfile(file, &path, &error))
        return def;
    if (machine.Fails(operation, path.Text(), os::ERROR_FILE_NOT_FOUND))
        return def;
    // Windows 95 returns nothing at all for an empty key name.
    if (!key || !*key)
        return std::string();
    if (!section)
        return def;
    std::string text, value;
    if (machine.files.ReadWhole(path, &text) || !sim::profile::Find(text, section, key, &value))
        return def;
    // Windows hands the value over as a C string: a NUL byte in the file ends it.
    value.erase(std::min(value.find('\0'), value.size()));
    return sim::profile::Unquote(value);
}

} // namespace

namespace os {

// A missing file, section or key, and an empty value, give the default; a value without
// leading digits gives 0 (Windows reads it, finds no digit and returns 0). How the digits are
// read differs between Windows 95/98 and NT: see ProfileText.h.
UINT GetPrivateProfileIntA(const char* section, const char* key, int def, const char* file) {
    Machine& machine = sim::Current();
    std::string value = ReadValue(machine, "GetPrivateProfileIntA", section, key, "", file);
    if (value.empty())
        return static_cast<UINT>(def);
    return machine.IsNtFamily() ? sim::profile::ReadIntNt(value)
                                : sim::profile::ReadInt9x(value);
}

CString GetPrivateProfileStringA(const char* section, const char* key, const char* def,
                                 const char* file) {
    Machine& machine = sim::Current();
    if (!key)
        key = "";
    std::string value =
        ReadValue(machine, "GetPrivateProfileStringA", section, key, DefaultValue(def), file);
    return CString(value.data(), static_cast<int>(value.size()));
}

BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                const char* file) {
    Machine& machine = sim::Current();
    sim::Path path;
    LONG error;
    if (!machine.ResolveProfile(file, &path, &error)) {
        machine.lastError = static_cast<DWORD>(error);
        return FALSE;
    }
    if (machine.Fails("WritePrivateProfileStringA", path.Text(), ERROR_ACCESS_DENIED))
        return FALSE;
    if ((error = machine.WriteProfile(section, key, value, path.Text().c_str(), ""))) {
        machine.lastError = static_cast<DWORD>(error);
        return FALSE;
    }
    return TRUE;
}

} // namespace os
