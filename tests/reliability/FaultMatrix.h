// The fault matrix: for each installing path, every call site of the Windows services that
// a clean run of the path uses is made to fail, one at a time, and the run is judged.
//
// The cases are not listed by hand: a clean run of the path on a fresh machine reports each
// distinct (operation, subject) that the program asked the simulation about
// (sim::Faults::Sites), and each becomes a case in which every call of that site fails. A
// site without a subject (FindNextFileA, GetVersionExA ...) stands for calls in many places:
// for it each of the clean run's calls fails once, in turn (FailNth).
#pragma once

#include <string>
#include <vector>

#include "tests/reliability/ReliabilityMachine.h"

namespace reliability {

struct FaultCase {
    std::string operation;
    std::string subject; // the site's subject as the simulation reported it
    int nth = 0;         // 0: every call of the site fails; else only the nth call of the operation
};

struct CaseResult {
    FaultCase fault;
    std::string outcome;                 // how the run ended, in short
    std::vector<std::string> violations; // the rules it broke; empty when it behaved
};

struct PathResults {
    InstallPath path;
    std::string cleanOutcome;
    std::vector<CaseResult> cases;
};

// The service (as the matrix groups them) that an operation belongs to.
std::string ServiceOf(const std::string& operation);

// The cases of a path, from a clean run of it.
std::vector<FaultCase> CasesOf(const InstallPath& path, std::string* cleanOutcome = nullptr);

// Runs the path on a fresh machine with the fault injected and judges the run:
// - it ends as a process ends (no exception of the simulation, no dialog left waiting);
// - when a copy of a driver file or an INF copy failed, "Setup completed! The system will
//   restart now!" is not shown, no restart is requested, and the exit code is not 0;
// - when a driver installation stops before staging begins, nothing of the previous driver
//   has been removed (no key or file deleted, no WININIT.INI or WIN.INI entry written);
// - the completion message comes with exit code 0; a failure message of the program's own
//   (any message but the completion, the missing installation files or setup program, and
//   the update preconditions, which end with 0 as designed) comes with a non-zero exit code,
//   and a non-zero exit code comes with a message.
CaseResult RunCase(const InstallPath& path, const FaultCase& fault);

// Every case of every path.
std::vector<PathResults> RunMatrix();

// The matrix as a Markdown document: paths x services x outcomes.
std::string MatrixDocument(const std::vector<PathResults>& results);

} // namespace reliability
