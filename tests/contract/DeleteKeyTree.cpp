#include "platform/Registry.h"
#include "platform/WinDefs.h"
#include "tests/contract/Environment.h"

namespace contract {

void DeleteKeyTree(os::HKEY key, const char* subKey) {
    os::HKEY opened;
    if (os::RegOpenKeyExA(key, subKey, 0, os::KEY_ALL_ACCESS, &opened) != os::ERROR_SUCCESS)
        return;
    CString child;
    // Always the first subkey: deleting shifts the others down.
    while (os::RegEnumKeyExA(opened, 0, child) == os::ERROR_SUCCESS)
        DeleteKeyTree(opened, child);
    os::RegCloseKey(opened);
    os::RegDeleteKeyA(key, subKey);
}

} // namespace contract
