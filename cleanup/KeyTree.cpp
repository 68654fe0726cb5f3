#include "cleanup/KeyTree.h"

#include "platform/Registry.h"
#include "platform/WinDefs.h"

// Windows 95/98 delete a key's whole subtree in one RegDeleteKeyA; Windows NT refuses a key
// that still has subkeys; Wine in its Windows 9x mode recurses but stops early when a
// subkey's next sibling has a name of the same length ("0000", "0001"). So the subtree is
// removed here, child by child, and RegDeleteKeyA only ever meets an emptied key.
//
// After a child is deleted the remaining children move down, so the enumeration asks for
// index 0 again, with a fresh name each time; only a child that could not be deleted is
// stepped over, so that the loop ends.
os::LONG DeleteKeyTree(os::HKEY key, const char* subKey) {
    os::HKEY tree = nullptr;
    if (os::RegOpenKeyExA(key, subKey, 0, os::KEY_READ, &tree) == os::ERROR_SUCCESS) {
        os::DWORD index = 0;
        for (;;) {
            CString child;
            if (os::RegEnumKeyExA(tree, index, child) != os::ERROR_SUCCESS)
                break;
            if (DeleteKeyTree(tree, child) != os::ERROR_SUCCESS)
                ++index;
        }
        os::RegCloseKey(tree);
    }
    return os::RegDeleteKeyA(key, subKey);
}
