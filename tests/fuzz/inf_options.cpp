// The driver update's INF option edit over arbitrary file bytes. Whatever the file holds,
// it keeps its length, and every byte but the value digits of the chosen option lines stays
// as it was. Each chosen option whose line is in the file (a whole line, ended by LF or
// CR LF) gets exactly its first such line's digit written.
//
// Input: the first byte chooses the options (bits 0 to 2, in row order); the rest is the
// INF file.
#include <string>

#include "platform/sim/Machine.h"
#include "tests/fuzz/FuzzTarget.h"
#include "update/InfOptions.h"

namespace {

const char* const InfPath = "C:\\WINDOWS\\INF\\ORVPCI.INF";

int RowIndex(const InfOptionRow& row) { return static_cast<int>(&row - InfOptionRows); }

bool ChosenByBits(void* bits, const InfOptionRow& row) {
    return (*static_cast<unsigned*>(bits) >> RowIndex(row)) & 1u;
}

// The offset of the last character of the first whole line that reads as line, or npos.
size_t FirstLineDigit(const std::string& text, const std::string& line) {
    size_t start = 0;
    for (;;) {
        const size_t lineFeed = text.find('\n', start);
        if (lineFeed == std::string::npos)
            return std::string::npos;
        size_t end = lineFeed;
        if (end > start && text[end - 1] == '\r')
            --end;
        if (text.compare(start, end - start, line) == 0)
            return end - 1;
        start = lineFeed + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    unsigned bits = data[0];
    const std::string before = fuzz::Bytes(data + 1, size - 1);

    sim::Machine machine(sim::Preset::Windows98);
    sim::MachineScope scope(machine);
    machine.files.AddFile(InfPath, before);
    EditInfOptions(InfPath, InfOptionChoice{ChosenByBits, &bits});
    const std::string after = machine.files.Contents(InfPath);

    FUZZ_CHECK(after.size() == before.size(), "the file keeps its length");
    std::string expected = before;
    for (const InfOptionRow& row : InfOptionRows) {
        if (!ChosenByBits(&bits, row))
            continue;
        const size_t digit = FirstLineDigit(expected, row.line);
        if (digit != std::string::npos)
            expected[digit] = row.value;
    }
    FUZZ_CHECK(after == expected, "only the chosen options' digits change");
    return 0;
}
