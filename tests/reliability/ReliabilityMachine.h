// The machine the reliability tests install on: the example Windows 98 machine with the
// previous driver installed (examples/machine), the example installation tree at D:\ORVANE,
// a flat driver update package built from it at D:\UPDATE, simulated applications' setup
// program and uninstaller, and the companion application Levels running.
//
// Each installing path is the program started as a process with a command line and a UI
// script, as a user starts it.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/Machine.h"
#include "platform/sim/UiScript.h"

namespace reliability {

const char* const TreeDir = "D:\\ORVANE";
const char* const UpdateDir = "D:\\UPDATE";
const char* const SetupCompleted = "Setup completed! The system will restart now!";

// One way into an installation.
struct InstallPath {
    std::string name;        // as the matrix names it
    std::string startDir;    // the current directory at start-up
    std::string commandLine;
    std::string setupIni;    // written into startDir
    std::string script;      // the user, in the UI script's text form
    bool installsDriver = true;
};

// Unattended; full setup with the driver box alone, the applications box alone and both;
// driver update with FullPackage 0 and 1.
const std::vector<InstallPath>& InstallPaths();

// Loads the example machine with its trees and programs into machine (replacing what it
// held; the faults stay).
void SeedMachine(sim::Machine& machine);

// The program run once as a process, as sim::RunProgram runs it, but keeping the exit code
// when the script has actions left (a dialog that never came).
struct Run {
    int exitCode = 0;
    bool scriptLeft = false;   // UI actions the program never asked for
    std::string error;         // what the simulation threw, when the run broke off
};
Run RunPath(sim::Machine& machine, const InstallPath& path);

} // namespace reliability
