// The part of the program's start and end that the Win32 backend shares with its runtime.
#pragma once

namespace win32 {

// Runs the exit handlers (the destructors of static objects among them, newest first) and
// ends the process with code.
[[noreturn]] void ExitProgram(int code);

} // namespace win32
