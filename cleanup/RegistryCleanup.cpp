#include "cleanup/RegistryCleanup.h"

#include "cleanup/KeyTree.h"
#include "cleanup/Prefix.h"
#include "platform/Array.h"
#include "platform/Registry.h"
#include "platform/WinDefs.h"

namespace {

// Keys under HKEY_LOCAL_MACHINE.
const char* const MediaClassKey = "System\\CurrentControlSet\\services\\Class\\MEDIA";
const char* const MediaResourcesRoot = "System\\CurrentControlSet\\control\\MediaResources\\";
const char* const MediaResourceTypeFormats[] = {"%saux", "%smidi", "%smixer", "%swave"};
const char* const PciEnumKey = "Enum\\PCI";
const char* const VirtualDeviceKeys[] = {
    "Enum\\VIRTUAL\\TQR-SWMIDI", "Enum\\VIRTUAL\\TQR-DOSEMU", "Enum\\VIRTUAL\\TQR-LEGACY",
    "Enum\\VIRTUAL\\TQR-SBEMU",  "Enum\\VIRTUAL\\TQR-JOYSTK",
};
// Keys under HKEY_CLASSES_ROOT.
const char* const ClassRegistrationKeys[] = {
    "Spatial",
    "CLSID\\{D8F1EEE0-F634-11CF-8700-00A0245D918B}",
};

const char* const SubkeyPathFormat = "%s\\%s";
const char* const ProviderValueName = "ProviderName";
const char* const ProviderWord = "ORVANE";
// The device's hardware id up to the revision digit: 15 characters.
const char* const PciHardwareIdPrefix = "VEN_4D2A&DEV_01";

// A media class instance is known by the first four characters of its subkey name; its
// MediaResources entries carry those four characters followed by one more.
const int InstanceNameLength = 4;
const int MediaResourceNameTail = 1;
// Values beyond the first thousand of an instance key are not looked at.
const os::DWORD MaxInstanceValues = 1000;

CString SubkeyPath(const char* key, const char* name) {
    CString path;
    path.Format(SubkeyPathFormat, key, name);
    return path;
}

// Whether the instance key holds a ProviderName value whose data begins with the provider
// word. The value name is read first; only a value of that exact name is read again, at the
// same index, with its data.
bool HasPreviousDriverProvider(os::HKEY instanceKey) {
    for (os::DWORD index = 0; index < MaxInstanceValues; ++index) {
        CString name;
        if (os::RegEnumValueA(instanceKey, index, name) != os::ERROR_SUCCESS)
            return false;
        if (os::lstrcmpA(name, ProviderValueName) != 0)
            continue;
        os::DWORD type = os::REG_NONE;
        CString data;
        if (os::RegEnumValueA(instanceKey, index, name, &type, &data) != os::ERROR_SUCCESS)
            data.Empty();
        if (BeginsWithWord(data, ProviderWord))
            return true;
    }
    return false;
}

// Media class step. The names of all subkeys are collected, cut to four characters, before
// the first of them is examined, so that deletions do not shift the enumeration.
void RemoveMediaClassInstances() {
    os::HKEY classKey = nullptr;
    if (os::RegOpenKeyExA(os::HKEY_LOCAL_MACHINE, MediaClassKey, 0, os::KEY_ENUMERATE_SUB_KEYS,
                          &classKey) != os::ERROR_SUCCESS)
        return;
    CStringArray instances;
    CString name;
    for (os::DWORD index = 0; os::RegEnumKeyExA(classKey, index, name) == os::ERROR_SUCCESS;
         ++index)
        instances.Add(name.Left(InstanceNameLength));
    os::RegCloseKey(classKey);

    for (int i = 0; i < instances.GetSize(); ++i) {
        const CString& instance = instances[i];
        CString instancePath = SubkeyPath(MediaClassKey, instance);
        os::HKEY instanceKey = nullptr;
        if (os::RegOpenKeyExA(os::HKEY_LOCAL_MACHINE, instancePath, 0, os::KEY_READ,
                              &instanceKey) != os::ERROR_SUCCESS)
            continue;
        if (!HasPreviousDriverProvider(instanceKey)) {
            os::RegCloseKey(instanceKey);
            continue;
        }
        DeleteKeyTree(os::HKEY_LOCAL_MACHINE, instancePath); // a failure is passed over
        os::RegCloseKey(instanceKey);
        for (const char* typeFormat : MediaResourceTypeFormats) {
            CString typeKeyPath;
            typeKeyPath.Format(typeFormat, MediaResourcesRoot);
            DeleteMediaResourceKeys(typeKeyPath, instance);
        }
    }
}

// PCI step: returns false when a deletion failed. The enumeration starts again at index 0
// after each deletion, since the remaining subkeys have moved; deleted is set for each key
// deleted.
bool RemovePciDeviceKeys(bool& deleted) {
    os::HKEY enumKey = nullptr;
    if (os::RegOpenKeyExA(os::HKEY_LOCAL_MACHINE, PciEnumKey, 0, os::KEY_ENUMERATE_SUB_KEYS,
                          &enumKey) != os::ERROR_SUCCESS)
        return true;
    os::DWORD index = 0;
    for (;;) {
        CString name;
        if (os::RegEnumKeyExA(enumKey, index, name) != os::ERROR_SUCCESS)
            break;
        if (!BeginsWithWord(name, PciHardwareIdPrefix)) {
            ++index;
            continue;
        }
        CString devicePath = SubkeyPath(PciEnumKey, name);
        os::HKEY deviceKey = nullptr;
        if (os::RegOpenKeyExA(os::HKEY_LOCAL_MACHINE, devicePath, 0, os::KEY_READ, &deviceKey) !=
            os::ERROR_SUCCESS) {
            ++index;
            continue;
        }
        os::RegCloseKey(enumKey);
        os::LONG result = DeleteKeyTree(os::HKEY_LOCAL_MACHINE, devicePath);
        os::RegCloseKey(deviceKey);
        if (result != os::ERROR_SUCCESS)
            return false;
        deleted = true;
        if (os::RegOpenKeyExA(os::HKEY_LOCAL_MACHINE, PciEnumKey, 0, os::KEY_ENUMERATE_SUB_KEYS,
                              &enumKey) != os::ERROR_SUCCESS)
            return true; // Enum\PCI itself is gone: nothing is left to enumerate
        index = 0;
    }
    os::RegCloseKey(enumKey);
    return true;
}

// Virtual device step: returns false when a deletion failed; deleted is set for each key
// deleted.
bool RemoveVirtualDeviceKeys(bool& deleted) {
    for (const char* path : VirtualDeviceKeys) {
        os::HKEY deviceKey = nullptr;
        if (os::RegOpenKeyExA(os::HKEY_LOCAL_MACHINE, path, 0, os::KEY_READ, &deviceKey) !=
            os::ERROR_SUCCESS)
            continue;
        os::LONG result = DeleteKeyTree(os::HKEY_LOCAL_MACHINE, path);
        os::RegCloseKey(deviceKey);
        if (result != os::ERROR_SUCCESS)
            return false;
        deleted = true;
    }
    return true;
}

// Class registration step; failures are passed over.
void RemoveClassRegistrations() {
    for (const char* path : ClassRegistrationKeys) {
        os::HKEY classKey = nullptr;
        if (os::RegOpenKeyExA(os::HKEY_CLASSES_ROOT, path, 0, os::KEY_WRITE, &classKey) !=
            os::ERROR_SUCCESS)
            continue;
        DeleteKeyTree(os::HKEY_CLASSES_ROOT, path);
        os::RegCloseKey(classKey);
    }
}

} // namespace

int RemoveOldDriverRegistry() {
    RemoveMediaClassInstances();

    // The mark: whether the PCI or the virtual device step deleted a key. Deleted media
    // class instances do not count.
    bool deviceKeyDeleted = false;
    if (!RemovePciDeviceKeys(deviceKeyDeleted))
        return RegistryCleanupPciDeleteFailed;
    if (!RemoveVirtualDeviceKeys(deviceKeyDeleted))
        return RegistryCleanupVirtualDeleteFailed;
    if (!deviceKeyDeleted)
        return RegistryCleanupNoDeviceKeys;

    RemoveClassRegistrations();
    return RegistryCleanupDone;
}

void DeleteMediaResourceKeys(const CString& typeKeyPath, const CString& instance) {
    os::HKEY typeKey = nullptr;
    if (os::RegOpenKeyExA(os::HKEY_LOCAL_MACHINE, typeKeyPath, 0, os::KEY_READ, &typeKey) !=
        os::ERROR_SUCCESS)
        return;
    // All matches are collected before the first deletion, which would shift the indices.
    const int shortestMatch = InstanceNameLength + MediaResourceNameTail;
    CStringArray matches;
    CString name;
    for (os::DWORD index = 0; os::RegEnumKeyExA(typeKey, index, name) == os::ERROR_SUCCESS;
         ++index) {
        int length = name.GetLength();
        if (length < shortestMatch)
            continue;
        CString tail = name.Mid(length - shortestMatch, InstanceNameLength);
        if (os::lstrcmpiA(tail, instance) == 0)
            matches.Add(name);
    }
    os::RegCloseKey(typeKey);

    for (int i = 0; i < matches.GetSize(); ++i) {
        CString entryPath = SubkeyPath(typeKeyPath, matches[i]);
        os::HKEY entryKey = nullptr;
        if (os::RegOpenKeyExA(os::HKEY_LOCAL_MACHINE, entryPath, 0, os::KEY_READ, &entryKey) !=
            os::ERROR_SUCCESS)
            continue;
        DeleteKeyTree(os::HKEY_LOCAL_MACHINE, entryPath); // a failure is passed over
        os::RegCloseKey(entryKey);
    }
}
