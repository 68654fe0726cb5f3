// What a contract test works in: a machine with an empty scratch directory and an empty
// scratch registry key. Natively a fresh simulated machine of the given family, made
// current for the test; under Wine the real prefix, cleaned before use, whose family is
// the Windows version the prefix reports (the argument is not looked at).
#pragma once

#include <memory>

#include "platform/String.h"
#include "platform/WinTypes.h"

namespace contract {

// Windows 98: subtrees deleted whole, access masks not checked. Windows NT 4.0: keys with
// subkeys refused, access masks checked.
enum class Family { Windows98, WindowsNT };

class Environment {
public:
    explicit Environment(Family family = Family::Windows98);
    ~Environment();
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;

    // The scratch directory, full path ending in a backslash; it exists and is empty.
    CString Dir() const;
    // The scratch key below HKEY_CURRENT_USER (its path); it exists and is empty.
    const char* KeyPath() const;

private:
    struct Backend;
    std::unique_ptr<Backend> m_backend;
};

// Deletes key\subKey with everything below it (deepest first, as the NT rule requires).
void DeleteKeyTree(os::HKEY key, const char* subKey);

} // namespace contract
