// The native half of the differential check: the transcript over the simulated machine.
// tests/wine/contract.test runs this test with CONTRACT_TRANSCRIPT_OUT=PREFIX set and
// compares PREFIX-win98.txt and PREFIX-nt40.txt with the transcripts that contract_tests.exe
// prints under Wine reporting Windows 98 and NT 4.0.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "tests/contract/Transcript.h"

namespace {
std::string TranscriptOf(contract::Family family) {
    contract::Environment env(family);
    return contract::Transcript(env, contract::TranscriptSeed, contract::TranscriptSteps);
}
} // namespace

TEST(ContractTranscript, IsTheSameOnEveryRunAndWritesItselfOnRequest) {
    const struct {
        contract::Family family;
        const char* suffix;
    } families[] = {{contract::Family::Windows98, "-win98.txt"},
                    {contract::Family::WindowsNT, "-nt40.txt"}};
    for (const auto& f : families) {
        std::string first = TranscriptOf(f.family);
        EXPECT_EQ(first, TranscriptOf(f.family));
        if (const char* out = std::getenv("CONTRACT_TRANSCRIPT_OUT"))
            std::ofstream(std::string(out) + f.suffix, std::ios::binary) << first;
    }
}

#endif
