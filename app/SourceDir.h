// SourceDir: the directory the program was started in, the root of the installation tree.
#pragma once

#include "platform/String.h"

// The current directory with a backslash appended when its last character is not one
// (a drive root such as D:\ keeps its single backslash).
CString GetSourceDir();
