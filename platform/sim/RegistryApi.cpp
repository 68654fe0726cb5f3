// The registry calls of the platform layer over the simulated machine.
#include <string.h>

#include "platform/Registry.h"
#include "platform/WinDefs.h"
#include "platform/sim/Errors.h"
#include "platform/sim/Machine.h"

namespace {

using sim::Machine;
using sim::Registry;

const char* RootName(os::HKEY key) {
    if (key == os::HKEY_CLASSES_ROOT)
        return "HKEY_CLASSES_ROOT";
    if (key == os::HKEY_CURRENT_USER)
        return "HKEY_CURRENT_USER";
    if (key == os::HKEY_LOCAL_MACHINE)
        return "HKEY_LOCAL_MACHINE";
    if (key == os::HKEY_USERS)
        return "HKEY_USERS";
    return nullptr;
}

// The key a handle stands for, with its path as the program named it and the access it was
// opened with (a predefined root has every access).
struct Opened {
    std::shared_ptr<sim::RegKey> key;
    std::string path;
    os::REGSAM access = os::KEY_ALL_ACCESS;
};

os::LONG Lookup(Machine& machine, os::HKEY handle, Opened* opened) {
    if (const char* root = RootName(handle)) {
        opened->key = machine.registry.RootByHandle(handle);
        opened->path = root;
        return os::ERROR_SUCCESS;
    }
    Registry::Handle* found = machine.registry.FindHandle(handle);
    if (!found)
        return os::ERROR_INVALID_HANDLE;
    opened->key = found->key;
    opened->path = found->path;
    opened->access = found->access;
    return found->key->deleted ? sim::ErrorKeyDeleted : os::ERROR_SUCCESS;
}

std::string Join(const std::string& path, const char* subKey) {
    std::string sub = subKey ? subKey : "";
    while (!sub.empty() && sub.back() == '\\')
        sub.pop_back();
    return sub.empty() ? path : path + "\\" + sub;
}

// Windows 95/98 ignore the access a key was opened with; see Registry::checkAccess.
bool Allowed(Machine& machine, const Opened& opened, os::REGSAM needed) {
    return !machine.registry.checkAccess || (opened.access & needed) == needed;
}

std::string Printable(os::DWORD type, const std::string& data) {
    if (type == os::REG_SZ || type == os::REG_EXPAND_SZ)
        return "\"" + data + "\"";
    if (type == os::REG_DWORD && data.size() == 4) {
        uint32_t number;
        memcpy(&number, data.data(), 4);
        return "dword:" + std::to_string(number);
    }
    return "(type " + std::to_string(type) + ", " + std::to_string(data.size()) + " bytes)";
}

CString ToCString(const std::string& text) {
    return CString(text.data(), static_cast<int>(text.size()));
}

} // namespace

namespace os {

LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD, REGSAM access, HKEY* result) {
    Machine& machine = sim::Current();
    *result = nullptr;
    Opened base;
    if (LONG error = Lookup(machine, key, &base))
        return error;
    std::string path = Join(base.path, subKey);
    LONG error = 0;
    if (machine.Fails("RegOpenKeyExA", path, ERROR_FILE_NOT_FOUND))
        return static_cast<LONG>(machine.lastError);
    std::shared_ptr<sim::RegKey> found = Registry::Walk(base.key, subKey ? subKey : "");
    if (!found)
        return ERROR_FILE_NOT_FOUND;
    *result = machine.registry.AddHandle({found, access, path});
    return error;
}

LONG RegCreateKeyExA(HKEY key, const char* subKey, REGSAM access, HKEY* result) {
    Machine& machine = sim::Current();
    *result = nullptr;
    Opened base;
    if (LONG error = Lookup(machine, key, &base))
        return error;
    std::string path = Join(base.path, subKey);
    if (machine.Fails("RegCreateKeyExA", path, ERROR_ACCESS_DENIED))
        return static_cast<LONG>(machine.lastError);
    bool created = false;
    std::shared_ptr<sim::RegKey> found = Registry::Create(base.key, subKey ? subKey : "", &created);
    if (!found)
        return ERROR_INVALID_PARAMETER; // a key name longer than MaxKeyNameLength
    if (created)
        machine.Record("create key", path);
    *result = machine.registry.AddHandle({found, access, path});
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
    Machine& machine = sim::Current();
    if (RootName(key))
        return ERROR_SUCCESS;
    return machine.registry.CloseHandle(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegEnumKeyExA(HKEY key, DWORD index, CString& name) {
    Machine& machine = sim::Current();
    Opened opened;
    if (LONG error = Lookup(machine, key, &opened))
        return error;
    if (!Allowed(machine, opened, KEY_ENUMERATE_SUB_KEYS))
        return ERROR_ACCESS_DENIED;
    if (machine.Fails("RegEnumKeyExA", opened.path, ERROR_NO_MORE_ITEMS))
        return static_cast<LONG>(machine.lastError);
    if (index >= opened.key->subkeys.size())
        return ERROR_NO_MORE_ITEMS;
    name = ToCString(opened.key->subkeys[index]->name);
    return ERROR_SUCCESS;
}

LONG RegEnumValueA(HKEY key, DWORD index, CString& name, DWORD* type, CString* data) {
    Machine& machine = sim::Current();
    Opened opened;
    if (LONG error = Lookup(machine, key, &opened))
        return error;
    if (!Allowed(machine, opened, KEY_QUERY_VALUE))
        return ERROR_ACCESS_DENIED;
    if (machine.Fails("RegEnumValueA", opened.path, ERROR_NO_MORE_ITEMS))
        return static_cast<LONG>(machine.lastError);
    if (index >= opened.key->values.size())
        return ERROR_NO_MORE_ITEMS;
    const sim::RegValue& value = opened.key->values[index];
    name = ToCString(value.name);
    if (type)
        *type = value.type;
    if (data)
        *data = ToCString(value.data);
    return ERROR_SUCCESS;
}

LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* type, CString& data) {
    Machine& machine = sim::Current();
    Opened opened;
    if (LONG error = Lookup(machine, key, &opened))
        return error;
    if (!Allowed(machine, opened, KEY_QUERY_VALUE))
        return ERROR_ACCESS_DENIED;
    std::string name = valueName ? valueName : "";
    if (machine.Fails("RegQueryValueExA", opened.path + "\\" + name, ERROR_FILE_NOT_FOUND))
        return static_cast<LONG>(machine.lastError);
    sim::RegValue* value = opened.key->FindValue(name);
    if (!value)
        return ERROR_FILE_NOT_FOUND;
    if (type)
        *type = value->type;
    data = ToCString(value->data);
    return ERROR_SUCCESS;
}

LONG RegSetValueExA(HKEY key, const char* valueName, DWORD type, const CString& data) {
    Machine& machine = sim::Current();
    Opened opened;
    if (LONG error = Lookup(machine, key, &opened))
        return error;
    if (!Allowed(machine, opened, KEY_SET_VALUE))
        return ERROR_ACCESS_DENIED;
    std::string name = valueName ? valueName : "";
    if (machine.Fails("RegSetValueExA", opened.path + "\\" + name, ERROR_ACCESS_DENIED))
        return static_cast<LONG>(machine.lastError);
    std::string bytes(data.GetString(), data.GetLength());
    if (sim::RegValue* value = opened.key->FindValue(name)) {
        value->type = type;
        value->data = bytes;
    } else {
        opened.key->values.push_back({name, type, bytes});
    }
    machine.Record("set value", opened.path + "\\" + (name.empty() ? "@" : name) + " = " +
                                    Printable(type, bytes));
    return ERROR_SUCCESS;
}

LONG RegDeleteKeyA(HKEY key, const char* subKey) {
    Machine& machine = sim::Current();
    Opened base;
    if (LONG error = Lookup(machine, key, &base))
        return error;
    std::string path = Join(base.path, subKey);
    if (machine.Fails("RegDeleteKeyA", path, ERROR_ACCESS_DENIED))
        return static_cast<LONG>(machine.lastError);
    if (LONG error = machine.registry.Delete(base.key, subKey ? subKey : ""))
        return error;
    machine.Record("delete key", path);
    return ERROR_SUCCESS;
}

int lstrcmpA(const char* left, const char* right) {
    const unsigned char* l = reinterpret_cast<const unsigned char*>(left ? left : "");
    const unsigned char* r = reinterpret_cast<const unsigned char*>(right ? right : "");
    while (*l && *l == *r)
        ++l, ++r;
    return (*l > *r) - (*l < *r);
}

int lstrcmpiA(const char* left, const char* right) {
    const char* l = left ? left : "";
    const char* r = right ? right : "";
    while (*l && sim::FoldCase(*l) == sim::FoldCase(*r))
        ++l, ++r;
    unsigned char a = static_cast<unsigned char>(sim::FoldCase(*l));
    unsigned char b = static_cast<unsigned char>(sim::FoldCase(*r));
    return (a > b) - (a < b);
}

} // namespace os
