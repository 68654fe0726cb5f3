// What every fuzz target shares: the entry point libFuzzer calls (and the replay program,
// ReplayMain.cpp, when the targets run as regression tests), a check that stops the run
// with a message the way a sanitizer finding does, and the splitting of one input into
// fields, and comparing a text before and after a change.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fuzz {

// A property that must hold for every input. A failure aborts: libFuzzer then keeps the
// input as a finding, and the replay program fails.
#define FUZZ_CHECK(condition, what)                                                          \
    do {                                                                                     \
        if (!(condition)) {                                                                  \
            std::fprintf(stderr, "%s:%d: check failed: %s (%s)\n", __FILE__, __LINE__,      \
                         #condition, what);                                                  \
            std::abort();                                                                    \
        }                                                                                    \
    } while (0)

// Splits data at its first fieldCount - 1 NUL bytes: the fields before them, and the rest
// as the last field. Missing separators give empty fields.
inline std::vector<std::string> SplitFields(const uint8_t* data, size_t size, size_t fieldCount) {
    std::vector<std::string> fields;
    const char* text = reinterpret_cast<const char*>(data);
    size_t start = 0;
    while (fields.size() + 1 < fieldCount) {
        size_t end = start;
        while (end < size && text[end] != '\0')
            ++end;
        fields.emplace_back(text + start, text + end);
        start = end < size ? end + 1 : size;
    }
    fields.emplace_back(text + start, text + size);
    return fields;
}

// The bytes of before that after changed: everything outside the common beginning and end.
inline std::string ChangedPart(const std::string& before, const std::string& after) {
    size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix])
        ++prefix;
    size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    return before.substr(prefix, before.size() - prefix - suffix);
}

inline std::string Bytes(const uint8_t* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

} // namespace fuzz
