// The setup program run as a process of the simulated machine: the harness of the tests and
// the runner.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/sim/Machine.h"
#include "platform/sim/UiScript.h"

namespace sim {

// The UI script still had actions when the program ended: the dialogs they were meant for
// did not wait for them.
struct UnusedUiActions : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Runs the program once on machine, as a new process: the machine becomes the current one,
// GetCommandLineA returns commandLine (the program's name included, e.g.
// "D:\SETUP.EXE /driver"), the program's windows and the window records of an earlier run
// are cleared, and script plays the user. Returns the process's exit code: AppMain's result,
// or the code given to exit (RestartWindows, QuitSetup ...).
//
// Throws what the simulation throws when the run cannot go on (a dialog waiting for an
// action the script does not have, a wait that never ends), and UnusedUiActions when the
// script has actions left at the end.
int RunProgram(Machine& machine, const std::string& commandLine, UiScript script = {});
// The same with the script in its text form (see UiScript.h), e.g. "click 1002; escape".
int RunProgram(Machine& machine, const std::string& commandLine, const std::string& scriptText);

} // namespace sim
