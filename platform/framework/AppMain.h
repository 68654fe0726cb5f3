// The start of the program, called by each backend's process entry.
#pragma once

// Prepares the one application object (its instance handle, m_lpCmdLine from the process
// command line, no main window), runs its InitInstance and returns the exit code of a
// normal ending, 0. Paths that end the process themselves do not come back here.
int AppMain();
