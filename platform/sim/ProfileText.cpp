#include "platform/sim/ProfileText.h"

#include <vector>

#include "platform/sim/Paths.h"

namespace sim {
namespace profile {

namespace {

const char LineEnd[] = "\r\n";
const char DosEndOfFile = 0x1A;

bool IsBlank(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\v' || ch == '\f' ||
           ch == DosEndOfFile;
}

std::string Trim(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

struct Line {
    size_t begin = 0;  // first byte of the line
    size_t end = 0;    // the byte after its content (before CR LF / LF)
    size_t next = 0;   // the first byte of the next line
    bool isSection = false;
    std::string name;  // section or key name
    bool hasValue = false;
    std::string value; // trimmed
};

std::vector<Line> Parse(const std::string& text) {
    std::vector<Line> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        Line line;
        line.begin = pos;
        size_t lf = text.find('\n', pos);
        line.next = lf == std::string::npos ? text.size() : lf + 1;
        line.end = lf == std::string::npos ? text.size() : lf;
        if (line.end > line.begin && text[line.end - 1] == '\r')
            --line.end;
        std::string content = Trim(text.substr(line.begin, line.end - line.begin));
        size_t close = content.rfind(']');
        if (!content.empty() && content[0] == '[' && close != std::string::npos) {
            line.isSection = true;
            line.name = content.substr(1, close - 1);
        } else {
            size_t equals = content.find('=');
            if (equals == std::string::npos) {
                line.name = content;
            } else {
                line.name = Trim(content.substr(0, equals));
                line.hasValue = true;
                line.value = Trim(content.substr(equals + 1));
            }
        }
        lines.push_back(line);
        pos = line.next;
    }
    return lines;
}

// Index of the section's header line, or -1.
int FindSection(const std::vector<Line>& lines, const std::string& section) {
    std::string wanted = Trim(section);
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].isSection && SameName(lines[i].name, wanted))
            return static_cast<int>(i);
    return -1;
}

// Index of the section's end: the next header, or the number of lines.
size_t SectionEnd(const std::vector<Line>& lines, int header) {
    size_t i = header + 1;
    while (i < lines.size() && !lines[i].isSection)
        ++i;
    return i;
}

int FindKey(const std::vector<Line>& lines, int header, const std::string& key) {
    std::string wanted = Trim(key);
    size_t end = SectionEnd(lines, header);
    for (size_t i = header + 1; i < end; ++i)
        if (!lines[i].name.empty() && SameName(lines[i].name, wanted))
            return static_cast<int>(i);
    return -1;
}

// The text with a line break added when its last line has none.
std::string Terminated(const std::string& text, size_t at) {
    if (at == 0 || text[at - 1] == '\n')
        return std::string();
    return LineEnd;
}

} // namespace

bool Find(const std::string& text, const std::string& section, const std::string& key,
          std::string* value) {
    std::vector<Line> lines = Parse(text);
    int header = FindSection(lines, section);
    if (header < 0)
        return false;
    int index = FindKey(lines, header, key);
    if (index < 0 || !lines[index].hasValue)
        return false;
    *value = lines[index].value;
    return true;
}

std::vector<std::pair<std::string, std::string>> SectionEntries(const std::string& text,
                                                                const std::string& section) {
    std::vector<std::pair<std::string, std::string>> entries;
    std::vector<Line> lines = Parse(text);
    int header = FindSection(lines, section);
    if (header < 0)
        return entries;
    for (size_t i = header + 1; i < SectionEnd(lines, header); ++i)
        if (lines[i].hasValue)
            entries.emplace_back(lines[i].name, lines[i].value);
    return entries;
}

std::string Unquote(const std::string& value) {
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return value.substr(1, value.size() - 2);
    return value;
}

std::string Write(const std::string& text, const std::string& section, const std::string& key,
                  const std::string& value) {
    std::vector<Line> lines = Parse(text);
    int header = FindSection(lines, section);
    if (header < 0)
        return text + Terminated(text, text.size()) + "[" + section + "]" + LineEnd + key + "=" +
               value + LineEnd;
    int index = FindKey(lines, header, key);
    if (index >= 0) {
        const Line& line = lines[index];
        return text.substr(0, line.begin) + line.name + "=" + value +
               (line.end == line.next ? std::string(LineEnd) : std::string()) +
               text.substr(line.end);
    }
    // After the last non-blank line of the section.
    size_t last = header;
    for (size_t i = header + 1; i < SectionEnd(lines, header); ++i)
        if (!Trim(text.substr(lines[i].begin, lines[i].end - lines[i].begin)).empty())
            last = i;
    size_t at = lines[last].next;
    return text.substr(0, at) + Terminated(text, at) + key + "=" + value + LineEnd +
           text.substr(at);
}

std::string DeleteKey(const std::string& text, const std::string& section,
                      const std::string& key) {
    std::vector<Line> lines = Parse(text);
    int header = FindSection(lines, section);
    if (header < 0)
        return text;
    int index = FindKey(lines, header, key);
    if (index < 0)
        return text;
    return text.substr(0, lines[index].begin) + text.substr(lines[index].next);
}

std::string DeleteSection(const std::string& text, const std::string& section) {
    std::vector<Line> lines = Parse(text);
    int header = FindSection(lines, section);
    if (header < 0)
        return text;
    size_t end = SectionEnd(lines, header);
    size_t to = end < lines.size() ? lines[end].begin : text.size();
    return text.substr(0, lines[header].begin) + text.substr(to);
}

unsigned ReadInt9x(const std::string& value) {
    size_t i = 0;
    bool negative = false;
    while (i < value.size() && IsBlank(value[i]))
        ++i;
    if (i < value.size() && value[i] == '-') {
        negative = true;
        ++i;
    }
    unsigned result = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i)
        result = result * 10 + static_cast<unsigned>(value[i] - '0');
    return negative ? 0u - result : result;
}

unsigned ReadIntNt(const std::string& value) {
    size_t i = 0;
    bool negative = false;
    while (i < value.size() && IsBlank(value[i]))
        ++i;
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) {
        negative = value[i] == '-';
        ++i;
    }
    unsigned base = 10;
    if (i + 1 < value.size() && value[i] == '0') {
        char prefix = FoldCase(value[i + 1]);
        if (prefix == 'X')
            base = 16;
        else if (prefix == 'O')
            base = 8;
        else if (prefix == 'B')
            base = 2;
        if (base != 10)
            i += 2;
    }
    unsigned result = 0;
    for (; i < value.size(); ++i) {
        char ch = FoldCase(value[i]);
        unsigned digit;
        if (ch >= '0' && ch <= '9')
            digit = static_cast<unsigned>(ch - '0');
        else if (ch >= 'A' && ch <= 'F')
            digit = static_cast<unsigned>(ch - 'A' + 10);
        else
            break;
        if (digit >= base)
            break;
        result = result * base + digit;
    }
    return negative ? 0u - result : result;
}

} // namespace profile
} // namespace sim
