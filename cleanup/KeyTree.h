// Deletion of a registry key together with every key below it.
#pragma once

#include "platform/WinTypes.h"

// Deletes subKey of key with its whole subtree, depth first: the subkeys of each key are
// deleted before the key itself. Returns the result of the final RegDeleteKeyA of subKey
// (ERROR_SUCCESS = 0 when subKey is gone). A subkey that cannot be deleted is left, and then
// the deletion of subKey fails as well wherever the registry refuses keys with subkeys.
os::LONG DeleteKeyTree(os::HKEY key, const char* subKey);
