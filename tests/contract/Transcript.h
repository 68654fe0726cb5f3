// The canonical transcript of a table of profile and registry operations and of a seeded
// random sequence of them, with the resulting file bytes and keys. Both builds print it
// (the native one over the simulated machine, contract_tests.exe under Wine); the Wine test
// compares the two (tests/wine/contract.test).
#pragma once

#include <string>

#include "tests/contract/Environment.h"

namespace contract {

// The sequence both builds print.
const unsigned TranscriptSeed = 1998;
const int TranscriptSteps = 300;

std::string Transcript(const Environment& env, unsigned seed, int steps);

} // namespace contract
