#include "platform/sim/Paths.h"

#include <stdexcept>

namespace sim {

char FoldCase(char ch) { return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 32) : ch; }

bool SameName(const std::string& left, const std::string& right) {
    if (left.size() != right.size())
        return false;
    for (size_t i = 0; i < left.size(); ++i)
        if (FoldCase(left[i]) != FoldCase(right[i]))
            return false;
    return true;
}

std::string Upper(std::string text) {
    for (char& ch : text)
        ch = FoldCase(ch);
    return text;
}

std::string Path::Text() const {
    std::string text = std::string(1, drive) + ":\\";
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i)
            text += '\\';
        text += parts[i];
    }
    return text;
}

Path Path::Parent() const {
    Path parent = *this;
    if (!parent.parts.empty())
        parent.parts.pop_back();
    return parent;
}

Path Path::Child(const std::string& name) const {
    Path child = *this;
    child.parts.push_back(name);
    return child;
}

namespace {

bool IsSeparator(char ch) { return ch == '\\' || ch == '/'; }

void AppendParts(Path* path, const std::string& text, size_t from) {
    size_t i = from;
    while (i <= text.size()) {
        size_t end = i;
        while (end < text.size() && !IsSeparator(text[end]))
            ++end;
        std::string part = text.substr(i, end - i);
        if (part == "..") {
            if (!path->parts.empty())
                path->parts.pop_back();
        } else if (!part.empty() && part != ".") {
            path->parts.push_back(part);
        }
        i = end + 1;
    }
}

} // namespace

bool ResolvePath(const std::string& input, const Path& currentDirectory, Path* result) {
    if (input.empty())
        return false;
    if (input.size() >= 2 && IsSeparator(input[0]) && IsSeparator(input[1]))
        return false; // UNC names have no drive in this model
    Path path;
    size_t rest = 0;
    if (input.size() >= 2 && input[1] == ':') {
        char drive = FoldCase(input[0]);
        if (drive < 'A' || drive > 'Z')
            return false;
        rest = 2;
        if (rest < input.size() && IsSeparator(input[rest]))
            path.drive = drive;
        else if (drive == currentDirectory.drive)
            path = currentDirectory;
        else
            path.drive = drive;
    } else if (IsSeparator(input[0])) {
        path.drive = currentDirectory.drive;
    } else {
        path = currentDirectory;
    }
    AppendParts(&path, input, rest);
    *result = path;
    return true;
}

Path AbsolutePath(const std::string& text) {
    Path root;
    Path path;
    if (text.size() < 3 || text[1] != ':' || !IsSeparator(text[2]) ||
        !ResolvePath(text, root, &path))
        throw std::invalid_argument("not an absolute path: " + text);
    return path;
}

namespace {

// The pattern after Windows' translation of the MS-DOS wildcards.
const char DosStar = '<'; // * before a dot: stops at the last dot of the name
const char DosQm = '>';   // ?: one character, or none before a dot or at the end
const char DosDot = '"';  // . before a wildcard or at the end: a dot, or the end of the name

std::string TranslatePattern(const std::string& pattern) {
    std::string out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        char ch = pattern[i];
        char next = i + 1 < pattern.size() ? pattern[i + 1] : 0;
        if (ch == '?')
            out += DosQm;
        else if (ch == '.' && (next == '?' || next == '*' || next == 0))
            out += DosDot;
        else if (ch == '*' && next == '.')
            out += DosStar;
        else
            out += ch;
    }
    return out;
}

bool MatchFrom(const std::string& p, size_t pi, const std::string& n, size_t ni) {
    while (pi < p.size()) {
        char ch = p[pi];
        if (ch == '*') {
            for (size_t k = ni; k <= n.size(); ++k)
                if (MatchFrom(p, pi + 1, n, k))
                    return true;
            return false;
        }
        if (ch == DosStar) {
            size_t lastDot = n.rfind('.');
            size_t limit = (lastDot != std::string::npos && lastDot >= ni) ? lastDot : n.size();
            for (size_t k = ni; k <= limit; ++k)
                if (MatchFrom(p, pi + 1, n, k))
                    return true;
            return false;
        }
        if (ch == DosQm) {
            if (ni < n.size() && n[ni] != '.')
                ++ni;
            ++pi;
            continue;
        }
        if (ch == DosDot) {
            if (ni == n.size()) {
                ++pi;
                continue;
            }
            if (n[ni] != '.')
                return false;
            ++pi;
            ++ni;
            continue;
        }
        if (ni >= n.size() || FoldCase(ch) != FoldCase(n[ni]))
            return false;
        ++pi;
        ++ni;
    }
    return ni == n.size();
}

bool GlobFrom(const std::string& p, size_t pi, const std::string& t, size_t ti) {
    while (pi < p.size()) {
        if (p[pi] == '*') {
            for (size_t k = ti; k <= t.size(); ++k)
                if (GlobFrom(p, pi + 1, t, k))
                    return true;
            return false;
        }
        if (ti >= t.size() || (p[pi] != '?' && FoldCase(p[pi]) != FoldCase(t[ti])))
            return false;
        ++pi;
        ++ti;
    }
    return ti == t.size();
}

} // namespace

bool MatchesSearchPattern(const std::string& pattern, const std::string& name) {
    if (pattern == "*.*" || pattern == "*")
        return true;
    return MatchFrom(TranslatePattern(pattern), 0, name, 0);
}

bool MatchesGlob(const std::string& pattern, const std::string& text) {
    return GlobFrom(pattern, 0, text, 0);
}

} // namespace sim
