// The simulation's .reg reader (REGEDIT4 text) over arbitrary text. Malformed text is
// refused with std::runtime_error naming the line; anything else is a finding. What was
// read must survive a round trip: written out and read into an empty registry, it gives the
// same text.
#include <stdexcept>

#include "platform/sim/RegistryModel.h"
#include "tests/fuzz/FuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text = fuzz::Bytes(data, size);
    sim::Registry registry;
    try {
        registry.LoadReg(text);
    } catch (const std::runtime_error&) {
        return 0; // refused as malformed: the expected answer to most inputs
    }
    const std::string saved = registry.SaveReg();
    sim::Registry again;
    try {
        again.LoadReg(saved);
    } catch (const std::runtime_error& error) {
        FUZZ_CHECK(false, error.what());
    }
    FUZZ_CHECK(again.SaveReg() == saved, "the saved text reads back as the same registry");
    return 0;
}
