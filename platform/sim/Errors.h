// Windows error codes that the simulation reports beyond those the program names in
// platform/WinDefs.h.
#pragma once

#include "platform/WinDefs.h"

namespace sim {

const os::LONG ErrorSharingViolation = 32;
const os::LONG ErrorInsufficientBuffer = 122;
const os::LONG ErrorInvalidName = 123;
const os::LONG ErrorBadPathname = 161;
const os::LONG ErrorKeyDeleted = 1018;
const os::LONG ErrorBadKey = 1010;

} // namespace sim
