// The simulation's profile-file writer over arbitrary file text: setting a key, deleting a
// key, deleting a section, as WritePrivateProfileString does them.
//
// Input: NUL-separated fields: an operation byte, section, key, value, then the file text.
#include "platform/sim/ProfileText.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' ||
           c == '\x1a';
}

// A name or value that a program can write and read back as it is: one line, no blanks
// around it, and for names none of the characters that end them.
bool Plain(const std::string& text, const char* forbidden) {
    if (text.empty() || IsBlank(text.front()) || IsBlank(text.back()))
        return false;
    return text.find_first_of(forbidden) == std::string::npos &&
           text.find('\0') == std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto fields = fuzz::SplitFields(data, size, 5);
    const int operation = fields[0].empty() ? 0 : static_cast<unsigned char>(fields[0][0]) % 3;
    const std::string& section = fields[1];
    const std::string& key = fields[2];
    const std::string& value = fields[3];
    const std::string& text = fields[4];

    const bool plainNames = Plain(section, "\r\n[]") && Plain(key, "\r\n=[") &&
                            (value.empty() || Plain(value, "\r\n"));
    // Quotes around a value are taken off when it is read.
    const bool plainValue = value.size() < 2 || !((value[0] == '"' || value[0] == '\'') &&
                                                  value.back() == value[0]);

    std::string read;
    switch (operation) {
    case 0: {
        const std::string written = sim::profile::Write(text, section, key, value);
        if (!plainNames)
            break;
        FUZZ_CHECK(sim::profile::Find(written, section, key, &read), "a written key is there");
        if (plainValue)
            FUZZ_CHECK(read == value, "a written value reads back");
        FUZZ_CHECK(sim::profile::Write(written, section, key, value) == written,
                   "writing the same value again changes nothing");
        // One line is replaced or lines are added: no line end of the old text goes.
        FUZZ_CHECK(fuzz::ChangedPart(text, written).find('\n') == std::string::npos,
                   "other lines stay byte for byte");
        break;
    }
    case 1: {
        const std::string deleted = sim::profile::DeleteKey(text, section, key);
        FUZZ_CHECK(deleted.size() <= text.size(), "deleting removes");
        if (plainNames && deleted == text)
            FUZZ_CHECK(!sim::profile::Find(text, section, key, &read), "a key there is deleted");
        break;
    }
    default: {
        const std::string deleted = sim::profile::DeleteSection(text, section);
        FUZZ_CHECK(deleted.size() <= text.size(), "deleting removes");
        break;
    }
    }
    return 0;
}
