// Paths and names of the simulated machine.
//
// Names compare without regard to the case of the ASCII letters; bytes above 127 compare
// exactly (the code-page upper-casing of Windows is left out).
#pragma once

#include <string>
#include <vector>

namespace sim {

// Path limit of the file calls: a full path of MaxPath or more characters is refused.
const size_t MaxPath = 260;

char FoldCase(char ch);
bool SameName(const std::string& left, const std::string& right);
std::string Upper(std::string text);

// A full path: a drive letter (upper case) and the names below the drive's root.
struct Path {
    char drive = 'C';
    std::vector<std::string> parts;

    bool IsRoot() const { return parts.empty(); }
    // "C:\" for a root, otherwise "C:\A\B" (no trailing backslash).
    std::string Text() const;
    Path Parent() const;
    std::string Name() const { return parts.empty() ? std::string() : parts.back(); }
    Path Child(const std::string& name) const;
};

// Makes input a full path as Windows does: "C:\A" absolute, "\A" on the drive of the current
// directory, "C:A" and "A" relative to the current directory (a drive other than the current
// one counts from its root); "/" separates like "\", empty and "." parts are dropped, ".."
// goes one level up (never above the root). False for what no drive path can name (UNC
// paths, an empty input, a drive that is not a letter).
bool ResolvePath(const std::string& input, const Path& currentDirectory, Path* result);

// Parses an absolute path ("C:\..."); throws std::invalid_argument otherwise. For the test
// side, where a relative path is a mistake.
Path AbsolutePath(const std::string& text);

// Windows' matching of a directory search pattern against one name, without regard to case:
// * matches any run of characters, ? one character, and the MS-DOS rules apply: "*.*"
// matches every name (also names without a dot), a ? before a dot or at the end of the
// pattern also matches no character ("A??" matches "A"), a dot before * or ? or at the end of
// the pattern also matches the end of a name without an extension ("*." matches names
// without a dot, "README.*" matches "README"), and * before a dot stops at the name's last
// dot. Short (8.3) names are not modelled, so a pattern never matches through them.
bool MatchesSearchPattern(const std::string& pattern, const std::string& name);

// Plain wildcard matching for the fault hook: * any run (backslashes included), ? any one
// character, without regard to case.
bool MatchesGlob(const std::string& pattern, const std::string& text);

} // namespace sim
