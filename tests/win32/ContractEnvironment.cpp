// The contract tests' environment over the real Windows API: a scratch directory on drive C
// and a scratch key below HKEY_CURRENT_USER, both emptied before each test.
#include "platform/Files.h"
#include "platform/Registry.h"
#include "platform/WinDefs.h"
#include "tests/contract/Environment.h"

namespace contract {

namespace {
const char* const ScratchDir = "C:\\contract\\";
const char* const ScratchKey = "Software\\ContractTests";
} // namespace

struct Environment::Backend {};

Environment::Environment(Family) {
    os::CreateDirectoryA(ScratchDir);
    os::WIN32_FIND_DATAA found;
    os::HANDLE search = os::FindFirstFileA(CString(ScratchDir) + "*", &found);
    if (search != os::INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & os::FILE_ATTRIBUTE_DIRECTORY))
                os::DeleteFileA(CString(ScratchDir) + found.cFileName);
        } while (os::FindNextFileA(search, &found));
        os::FindClose(search);
    }
    DeleteKeyTree(os::HKEY_CURRENT_USER, ScratchKey);
    os::HKEY key;
    if (os::RegCreateKeyExA(os::HKEY_CURRENT_USER, ScratchKey, os::KEY_ALL_ACCESS, &key) ==
        os::ERROR_SUCCESS)
        os::RegCloseKey(key);
}

Environment::~Environment() = default;

CString Environment::Dir() const { return ScratchDir; }
const char* Environment::KeyPath() const { return ScratchKey; }

} // namespace contract
