// The registry of the simulated machine.
//
// Two trees are kept, HKEY_LOCAL_MACHINE and HKEY_USERS; HKEY_CLASSES_ROOT is
// HKEY_LOCAL_MACHINE\SOFTWARE\Classes and HKEY_CURRENT_USER is HKEY_USERS\.DEFAULT, as on
// Windows 95/98 without user profiles. Key and value names are found without regard to case
// and keep the case they were created with; subkeys and values are enumerated in the order
// they were created.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/WinTypes.h"

namespace sim {

// Longest name of one key.
const size_t MaxKeyNameLength = 255;

struct RegValue {
    std::string name; // "" is the key's default value
    os::DWORD type = 1;
    std::string data; // string types without their terminating NUL
};

struct RegKey {
    std::string name;
    std::vector<std::shared_ptr<RegKey>> subkeys; // change only through Add/RemoveSubkey
    std::vector<RegValue> values;
    bool deleted = false; // removed while a handle still refers to it

    std::shared_ptr<RegKey> FindSubkey(const std::string& subkeyName) const;
    void AddSubkey(std::shared_ptr<RegKey> subkey);
    void RemoveSubkey(const std::shared_ptr<RegKey>& subkey);

    // The subkeys by their case-folded names: a key with many thousand subkeys (CLSID) is
    // searched without a pass over all of them.
    std::unordered_map<std::string, std::shared_ptr<RegKey>> byFoldedName;
    RegValue* FindValue(const std::string& valueName);
};

class Registry {
public:
    Registry();

    // Windows NT refuses to delete a key that has subkeys (ERROR_ACCESS_DENIED); Windows
    // 95/98 delete the whole subtree.
    bool ntDeleteRule = false;
    // Windows 95/98 ignore the access a key was opened with; the simulation checks it by
    // default (enumerating subkeys needs KEY_ENUMERATE_SUB_KEYS, reading values
    // KEY_QUERY_VALUE, setting them KEY_SET_VALUE), so that a program that would fail on
    // Windows NT fails here too.
    bool checkAccess = true;

    // ---- Seeding and inspection: paths begin with a root name (HKEY_LOCAL_MACHINE or
    // HKLM, HKEY_USERS or HKU, HKEY_CLASSES_ROOT or HKCR, HKEY_CURRENT_USER or HKCU) ----
    void AddKey(const std::string& path);
    void SetValue(const std::string& path, const std::string& name, os::DWORD type,
                  const std::string& data);
    void SetString(const std::string& path, const std::string& name, const std::string& text);
    void SetDword(const std::string& path, const std::string& name, uint32_t value);
    bool KeyExists(const std::string& path) const;
    bool ValueExists(const std::string& path, const std::string& name) const;
    // Throws std::out_of_range when the key or the value is missing.
    RegValue Value(const std::string& path, const std::string& name) const;
    std::vector<std::string> SubkeyNames(const std::string& path) const;
    std::vector<std::string> ValueNames(const std::string& path) const;
    void DeleteKey(const std::string& path); // the whole subtree

    // REGEDIT4 text, as the regedit of Windows 95/98 exports it: HKEY_LOCAL_MACHINE and
    // HKEY_USERS, each key a section, in enumeration order. Load adds to what is there;
    // throws std::runtime_error naming the line of malformed text.
    void LoadReg(const std::string& text);
    std::string SaveReg() const;

    // ---- For the os:: calls ----
    // The key of a root name (see above) or of a predefined HKEY; nullptr for neither.
    std::shared_ptr<RegKey> RootByName(const std::string& name) const;
    std::shared_ptr<RegKey> RootByHandle(os::HKEY key) const;
    // The key below base named by the path of subkey names; nullptr when missing.
    static std::shared_ptr<RegKey> Walk(std::shared_ptr<RegKey> base, const std::string& path);
    // Creates missing keys; nullptr for a name longer than MaxKeyNameLength.
    static std::shared_ptr<RegKey> Create(std::shared_ptr<RegKey> base, const std::string& path,
                                          bool* created);
    // Removes subkey path of base (see ntDeleteRule). Windows error code. The keys that
    // HKEY_CLASSES_ROOT and HKEY_CURRENT_USER stand for always exist: removed with a key
    // above them, they are made again, empty.
    os::LONG Delete(std::shared_ptr<RegKey> base, const std::string& path);

    // Open handles (the os:: layer's HKEYs other than the predefined roots).
    struct Handle {
        std::shared_ptr<RegKey> key;
        os::REGSAM access = 0;
        std::string path; // as the program named it, for the journal
    };
    os::HKEY AddHandle(const Handle& handle);
    Handle* FindHandle(os::HKEY key);
    bool CloseHandle(os::HKEY key);
    size_t OpenHandleCount() const { return m_handles.size(); }

private:
    std::shared_ptr<RegKey> Resolve(const std::string& path, std::string* rest) const;
    std::shared_ptr<RegKey> Require(const std::string& path) const;

    std::shared_ptr<RegKey> m_localMachine;
    std::shared_ptr<RegKey> m_users;
    std::map<uintptr_t, Handle> m_handles;
    uintptr_t m_nextHandle = 0x1000;
};

} // namespace sim
