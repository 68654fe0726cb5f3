// The simulation's profile-file reader over arbitrary file text: the lookups the program
// makes (Setup.ini options, the INF entries it reads, the handshake, WIN.INI) and the integer
// readings of both Windows families.
//
// Input: the file's bytes; the first byte also picks which section and key are looked up.
#include "platform/sim/ProfileText.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

struct Lookup {
    const char* section;
    const char* key;
};

const Lookup Lookups[] = {
    {"InstallOption", "DriverOnly"},     {"InstallOption", "WebSetup"},
    {"InstallOption", "FullPackage"},    {"SourceDisksNames", "1"},
    {"Strings", "TQR-Legacy.DeviceDesc"}, {"STATUS", "RUNNING"},
    {"Windows", "run"},                  {"rename", "C:\\WINDOWS\\SYSTEM\\PSX.OLD"},
    {"", ""},                            {"a", "="},
};

// The blanks the reader trims around names and values.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' ||
           c == '\x1a';
}

void CheckValue(const std::string& value) {
    FUZZ_CHECK(value.find('\n') == std::string::npos, "a value ends at its line's end");
    if (!value.empty()) {
        FUZZ_CHECK(!IsBlank(value.front()) && !IsBlank(value.back()), "a value is trimmed");
    }
    const std::string unquoted = sim::profile::Unquote(value);
    FUZZ_CHECK(unquoted.size() <= value.size(), "unquoting only removes");
    FUZZ_CHECK(value.find(unquoted) != std::string::npos, "unquoting keeps the inside");
    // Both readings wrap modulo 2^32; neither may overflow a signed type.
    (void)sim::profile::ReadInt9x(value);
    (void)sim::profile::ReadIntNt(value);
    (void)sim::profile::ReadInt9x(unquoted);
    (void)sim::profile::ReadIntNt(unquoted);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text = fuzz::Bytes(data, size);
    const Lookup& lookup = Lookups[size ? data[0] % (sizeof Lookups / sizeof Lookups[0]) : 0];

    std::string value;
    const bool found = sim::profile::Find(text, lookup.section, lookup.key, &value);
    if (found)
        CheckValue(value);
    else
        FUZZ_CHECK(value.empty(), "nothing is returned for a missing key");

    // The entries of the section: the first equal key is the one Find reports.
    const auto entries = sim::profile::SectionEntries(text, lookup.section);
    for (const auto& entry : entries) {
        FUZZ_CHECK(entry.first.find('\n') == std::string::npos, "a key name is one line");
        CheckValue(entry.second);
    }
    // The integer readings of every value of the section as a whole.
    for (const auto& entry : entries)
        (void)sim::profile::ReadInt9x(entry.first);
    return 0;
}
