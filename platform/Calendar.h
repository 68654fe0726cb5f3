// The UTC calendar conversion of the C runtime's gmtime.
#pragma once

#include "platform/WinTypes.h"

namespace os {

// Fills result with the UTC date and time of t (seconds since 1 January 1970). FALSE, as the
// C runtime's gmtime gives no date, for a time before 1970.
BOOL gmtime(long long t, tm* result);

} // namespace os
