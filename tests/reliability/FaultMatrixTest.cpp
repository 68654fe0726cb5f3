// The fault matrix over every installing path (see FaultMatrix.h): all cases, in the plain
// and the sanitized build alike (some 1200 runs of the program: seconds, half a minute under
// AddressSanitizer).
//
// With FAULT_MATRIX_DOC set to a file name, the whole matrix is also written there as
// Markdown (docs/fault-matrix.md).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "tests/reliability/FaultMatrix.h"

namespace {

// The most violations printed for one path; the count is always reported.
const size_t PrintedViolations = 20;

class FaultMatrix : public ::testing::TestWithParam<size_t> {};

TEST_P(FaultMatrix, EveryFailingCallSiteEndsTheRunSoundly) {
    const reliability::InstallPath& path = reliability::InstallPaths()[GetParam()];
    std::string clean;
    const std::vector<reliability::FaultCase> cases = reliability::CasesOf(path, &clean);
    ASSERT_GT(cases.size(), 10u) << "the clean run used hardly any service";
    // The clean run itself ends as the path is meant to.
    EXPECT_EQ(clean.find("stopped"), std::string::npos) << clean;

    size_t violations = 0;
    for (const reliability::FaultCase& fault : cases) {
        const reliability::CaseResult result = reliability::RunCase(path, fault);
        for (const std::string& violation : result.violations)
            if (++violations <= PrintedViolations)
                ADD_FAILURE() << violation;
    }
    EXPECT_EQ(violations, 0u) << path.name;
}

std::string PathName(const ::testing::TestParamInfo<size_t>& info) {
    std::string name;
    for (char c : reliability::InstallPaths()[info.param].name)
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Paths, FaultMatrix,
                         ::testing::Range<size_t>(0, reliability::InstallPaths().size()),
                         PathName);

TEST(FaultMatrixDocument, WrittenWhenAsked) {
    const char* file = std::getenv("FAULT_MATRIX_DOC");
    if (!file)
        GTEST_SKIP() << "FAULT_MATRIX_DOC not set";
    std::ofstream out(file, std::ios::binary);
    out << reliability::MatrixDocument(reliability::RunMatrix());
    ASSERT_TRUE(out.good()) << file;
}

} // namespace
