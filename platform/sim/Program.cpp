#include "platform/sim/Program.h"

#include "platform/framework/AppMain.h"
#include "platform/sim/ProcessExit.h"

namespace sim {

int RunProgram(Machine& machine, const std::string& commandLine, UiScript script) {
    MachineScope scope(machine);
    machine.commandLine = commandLine;
    machine.windows.StartProcess();
    machine.windows.SetScript(std::move(script));
    int exitCode = 0;
    try {
        exitCode = AppMain();
    } catch (const ProcessExit& exit) {
        exitCode = exit.code;
    }
    // The process has ended: its application object goes with it. (Errors that leave the
    // run early are not caught: AppMain resets the object when the next run starts.)
    ResetApplicationState();
    if (!machine.windows.Script().Empty())
        throw UnusedUiActions("the program ended with UI actions left in its script");
    return exitCode;
}

int RunProgram(Machine& machine, const std::string& commandLine, const std::string& scriptText) {
    return RunProgram(machine, commandLine, ParseUiScript(scriptText));
}

} // namespace sim
