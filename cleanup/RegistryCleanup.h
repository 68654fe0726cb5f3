// Removal of the previous driver's registry entries: its media class instances with their
// MediaResources entries, its PCI enumeration keys, its virtual device keys and its class
// registrations. Every key is deleted together with its whole subtree (DeleteKeyTree).
#pragma once

#include "platform/String.h"

// Results of RemoveOldDriverRegistry. The callers go on whatever it returns.
enum RemoveOldDriverRegistryResult {
    // All four steps ran to the end.
    RegistryCleanupDone = 0,
    // Neither a PCI device key nor a virtual device key existed; the class registrations
    // under HKEY_CLASSES_ROOT were left as they are.
    RegistryCleanupNoDeviceKeys = 1,
    // The deletion of a PCI device key failed; nothing after it was done.
    RegistryCleanupPciDeleteFailed = 2,
    // The deletion of a virtual device key failed; nothing after it was done.
    RegistryCleanupVirtualDeleteFailed = 3,
};

// Runs, in order: the media class step (instances under services\Class\MEDIA whose
// ProviderName begins with the chip maker's word, case-sensitive, each with its aux, midi,
// mixer and wave MediaResources entries), the PCI step (every Enum\PCI subkey whose name
// begins with the device's hardware id, case-sensitive), the virtual device step (five fixed
// keys under Enum\VIRTUAL) and the class registration step (two keys under
// HKEY_CLASSES_ROOT, only when the PCI or the virtual device step deleted a key).
// Returns one of RemoveOldDriverRegistryResult.
int RemoveOldDriverRegistry();

// Deletes, below the MediaResources type key typeKeyPath (under HKEY_LOCAL_MACHINE), every
// subkey whose name has instance as its four characters before the last one, compared
// without regard to letter case; names of fewer than five characters never match. All
// matching names are collected before the first deletion. Failures are not reported.
void DeleteMediaResourceKeys(const CString& typeKeyPath, const CString& instance);
