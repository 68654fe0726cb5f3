// Profile (INI) files.
//
// A file name without a directory names a file in the Windows directory. Sections and keys
// match without regard to letter case.
#pragma once

#include "platform/WinTypes.h"

namespace os {

// The decimal value of the key: optional sign, then the leading digits; 0 for a value that
// has no leading digit (such as "yes"); def when the file, section or key is missing or the
// value is empty.
UINT GetPrivateProfileIntA(const char* section, const char* key, int def, const char* file);

// The whole value of the key, enclosing quotation marks removed; def when missing. The value
// is read whole, however long.
CString GetPrivateProfileStringA(const char* section, const char* key, const char* def,
                                 const char* file);

// Sets key=value, creating the file, the section and the key as needed and replacing an
// existing value. FALSE when the file cannot be written.
BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                const char* file);

} // namespace os
