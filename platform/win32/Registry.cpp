// The registry over the Windows API.
//
// Names and data are fetched whole: the buffers start at the key's own maximum lengths
// (RegQueryInfoKeyA) and grow while Windows answers ERROR_MORE_DATA, so a value written
// between the two calls still comes back complete.
#include <windows.h>

#include "platform/Registry.h"

namespace os {

namespace {

// Smallest buffers; Windows 95 reports maximum lengths that are sometimes too small.
const DWORD MinimumNameSize = 64;
const DWORD MinimumDataSize = 64;

::HKEY Native(HKEY key) { return reinterpret_cast<::HKEY>(key); }

struct KeyLimits {
    DWORD subkeyNameSize; // characters, terminating NUL included
    DWORD valueNameSize;  // characters, terminating NUL included
    DWORD dataSize;       // bytes
};

KeyLimits QueryLimits(HKEY key) {
    ::DWORD subkeyName = 0, valueName = 0, data = 0;
    ::RegQueryInfoKeyA(Native(key), nullptr, nullptr, nullptr, nullptr, &subkeyName, nullptr,
                       nullptr, &valueName, &data, nullptr, nullptr);
    KeyLimits limits;
    limits.subkeyNameSize = subkeyName + 1 > MinimumNameSize ? subkeyName + 1 : MinimumNameSize;
    limits.valueNameSize = valueName + 1 > MinimumNameSize ? valueName + 1 : MinimumNameSize;
    limits.dataSize = data > MinimumDataSize ? data : MinimumDataSize;
    return limits;
}

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// String data as the interface gives it: without the terminating NUL that Windows stores.
void TakeData(CString& data, DWORD type, DWORD length) {
    const char* bytes = data.GetString();
    if (IsStringType(type) && length > 0 && bytes[length - 1] == '\0')
        --length;
    data.ReleaseBuffer(static_cast<int>(length));
}

} // namespace

LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access, HKEY* result) {
    return ::RegOpenKeyExA(Native(key), subKey, options, access,
                           reinterpret_cast<::PHKEY>(result));
}

LONG RegCreateKeyExA(HKEY key, const char* subKey, REGSAM access, HKEY* result) {
    return ::RegCreateKeyExA(Native(key), subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                             nullptr, reinterpret_cast<::PHKEY>(result), nullptr);
}

LONG RegCloseKey(HKEY key) { return ::RegCloseKey(Native(key)); }

LONG RegEnumKeyExA(HKEY key, DWORD index, CString& name) {
    DWORD size = QueryLimits(key).subkeyNameSize;
    for (;;) {
        ::DWORD length = size;
        LONG result = ::RegEnumKeyExA(Native(key), index, name.GetBuffer(static_cast<int>(size)),
                                      &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA) {
            size *= 2;
            continue;
        }
        name.ReleaseBuffer(result == ERROR_SUCCESS ? static_cast<int>(length) : 0);
        return result;
    }
}

LONG RegEnumValueA(HKEY key, DWORD index, CString& name, DWORD* type, CString* data) {
    KeyLimits limits = QueryLimits(key);
    DWORD nameSize = limits.valueNameSize;
    DWORD dataSize = limits.dataSize;
    for (;;) {
        ::DWORD nameLength = nameSize;
        ::DWORD dataLength = dataSize;
        ::DWORD valueType = REG_NONE;
        LONG result = ::RegEnumValueA(
            Native(key), index, name.GetBuffer(static_cast<int>(nameSize)), &nameLength, nullptr,
            &valueType,
            data ? reinterpret_cast<BYTE*>(data->GetBuffer(static_cast<int>(dataSize))) : nullptr,
            data ? &dataLength : nullptr);
        if (result == ERROR_MORE_DATA) {
            // Either the name or the data did not fit; Windows does not say which.
            nameSize *= 2;
            dataSize = dataLength > dataSize ? dataLength : dataSize * 2;
            continue;
        }
        if (result != ERROR_SUCCESS) {
            name.ReleaseBuffer(0);
            if (data)
                data->ReleaseBuffer(0);
            return result;
        }
        name.ReleaseBuffer(static_cast<int>(nameLength));
        if (type)
            *type = valueType;
        if (data)
            TakeData(*data, valueType, dataLength);
        return result;
    }
}

LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* type, CString& data) {
    ::DWORD size = 0;
    LONG result = ::RegQueryValueExA(Native(key), valueName, nullptr, nullptr, nullptr, &size);
    if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA) {
        data.Empty();
        return result;
    }
    if (size < MinimumDataSize)
        size = MinimumDataSize;
    for (;;) {
        ::DWORD length = size;
        ::DWORD valueType = REG_NONE;
        result = ::RegQueryValueExA(Native(key), valueName, nullptr, &valueType,
                                    reinterpret_cast<BYTE*>(data.GetBuffer(static_cast<int>(size))),
                                    &length);
        if (result == ERROR_MORE_DATA) {
            size = length > size ? length : size * 2;
            continue;
        }
        if (result != ERROR_SUCCESS) {
            data.ReleaseBuffer(0);
            return result;
        }
        if (type)
            *type = valueType;
        TakeData(data, valueType, length);
        return result;
    }
}

LONG RegSetValueExA(HKEY key, const char* valueName, DWORD type, const CString& data) {
    // Strings are stored with their terminating NUL, as Windows' own tools store them.
    DWORD length = static_cast<DWORD>(data.GetLength()) + (IsStringType(type) ? 1 : 0);
    return ::RegSetValueExA(Native(key), valueName, 0, type,
                            reinterpret_cast<const BYTE*>(data.GetString()), length);
}

LONG RegDeleteKeyA(HKEY key, const char* subKey) { return ::RegDeleteKeyA(Native(key), subKey); }

int lstrcmpA(const char* left, const char* right) { return ::lstrcmpA(left, right); }
int lstrcmpiA(const char* left, const char* right) { return ::lstrcmpiA(left, right); }

} // namespace os
