// The start of the program, called by each backend's process entry.
#pragma once

// Prepares the one application object (its instance handle, m_lpCmdLine from the process
// command line, no main window), runs its InitInstance and returns the exit code of a
// normal ending, 0. Paths that end the process themselves do not come back here.
int AppMain();

// Puts the application object into the state of a process that has not yet started: no
// command line, no main window, no wait cursor. AppMain does it first; the simulation, which
// runs many processes of the program in one host process, does it also when a run ends.
void ResetApplicationState();
