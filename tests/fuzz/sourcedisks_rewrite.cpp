// The SourceDisksNames rewrite over an INF copy of arbitrary bytes: key "1" of section
// "SourceDisksNames" afterwards reads as it read before with ", C:\Orvane\W95-98" appended
// (the suffix alone when it was missing), and no other line of the file changes. Blanks at
// the start of a quoted value are the one thing the round trip loses: the value is written
// back without its quotes, and a value read from the file never starts with a blank.
//
// Input: the INF file.
#include <string>

#include "platform/Profile.h"
#include "platform/sim/Machine.h"
#include "staging/Staging.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

const char* const InfPath = "C:\\WINDOWS\\INF\\ORVPCI.INF";
const char* const Suffix = ", C:\\Orvane\\W95-98";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' ||
           c == '\x1a';
}

std::string WithoutLeadingBlanks(const std::string& text) {
    size_t start = 0;
    while (start < text.size() && IsBlank(text[start]))
        ++start;
    return text.substr(start);
}

std::string ReadEntry() {
    const CString value = os::GetPrivateProfileStringA("SourceDisksNames", "1", "", InfPath);
    return std::string(value.GetString(), value.GetLength());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string before = fuzz::Bytes(data, size);
    sim::Machine machine(sim::Preset::Windows98);
    sim::MachineScope scope(machine);
    machine.files.AddFile(InfPath, before);

    const std::string entryBefore = ReadEntry();
    CStringArray copiedInfList;
    copiedInfList.Add(InfPath);
    RewriteInfSourcePaths(copiedInfList);
    const std::string after = machine.files.Contents(InfPath);

    FUZZ_CHECK(ReadEntry() == WithoutLeadingBlanks(entryBefore + Suffix),
               "the entry gets the staging directory");
    FUZZ_CHECK(fuzz::ChangedPart(before, after).find('\n') == std::string::npos,
               "other lines stay byte for byte");
    return 0;
}
