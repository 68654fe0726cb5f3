// Profile (INI) files over the Windows API.
#include <windows.h>

#include "platform/Profile.h"

namespace os {

namespace {
// First guess for a value's length; longer values make the buffer grow.
const DWORD InitialValueSize = 256;
} // namespace

UINT GetPrivateProfileIntA(const char* section, const char* key, int def, const char* file) {
    return ::GetPrivateProfileIntA(section, key, def, file);
}

CString GetPrivateProfileStringA(const char* section, const char* key, const char* def,
                                 const char* file) {
    // Windows copies what fits and returns size - 1 (size - 2 when it lists names) when the
    // value was cut: a value is whole only when the returned length leaves room to spare.
    for (DWORD size = InitialValueSize;; size *= 2) {
        CString value;
        char* buffer = value.GetBuffer(static_cast<int>(size));
        DWORD length = ::GetPrivateProfileStringA(section, key, def ? def : "", buffer, size, file);
        if (length + 2 < size) {
            value.ReleaseBuffer(static_cast<int>(length));
            return value;
        }
    }
}

BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                const char* file) {
    return ::WritePrivateProfileStringA(section, key, value, file);
}

} // namespace os
