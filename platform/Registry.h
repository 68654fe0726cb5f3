// The registry.
//
// Names and data are returned whole: no caller passes a buffer size, so a long name never
// ends an enumeration early. Results are Windows error codes (ERROR_SUCCESS = 0).
#pragma once

#include "platform/WinTypes.h"

namespace os {

LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access, HKEY* result);
LONG RegCreateKeyExA(HKEY key, const char* subKey, REGSAM access, HKEY* result);
LONG RegCloseKey(HKEY key);

// The name of the subkey at index; ERROR_NO_MORE_ITEMS past the last one.
LONG RegEnumKeyExA(HKEY key, DWORD index, CString& name);

// The name of the value at index, and when type or data is given, its type and data as
// RegQueryValueExA gives them.
LONG RegEnumValueA(HKEY key, DWORD index, CString& name, DWORD* type = nullptr,
                   CString* data = nullptr);

// The data of a value. String data (REG_SZ, REG_EXPAND_SZ) comes without its terminating
// NUL; other types come as their raw bytes.
LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* type, CString& data);

LONG RegSetValueExA(HKEY key, const char* valueName, DWORD type, const CString& data);

// Deletes subKey of key. Windows 95/98 delete the subkey's whole subtree; Windows NT refuses
// a key that has subkeys.
LONG RegDeleteKeyA(HKEY key, const char* subKey);

// Both compare whole strings; 0 when equal. lstrcmpA is case-sensitive, lstrcmpiA ignores
// the case of letters.
int lstrcmpA(const char* left, const char* right);
int lstrcmpiA(const char* left, const char* right);

} // namespace os
