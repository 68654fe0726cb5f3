// The prefix test of the cleanup: a copy of text cut to the length of word, compared with
// word by lstrcmpA, so letter case counts.
#pragma once

#include "platform/Registry.h"
#include "platform/String.h"

inline bool BeginsWithWord(const CString& text, const char* word) {
    return os::lstrcmpA(text.Left(StringLength(word)), word) == 0;
}
