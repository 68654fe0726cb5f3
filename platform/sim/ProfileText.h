// The profile (INI) file format as the Windows profile functions read and write it, on the
// text of one file.
//
// Reading: lines end at LF (a CR before it is a blank); blanks (space, tab, CR, ^Z) around a
// line, around a key name and before a value are ignored. A line that starts with "[" and
// holds a "]" names a section: the text between "[" and the last "]". Other lines are keys:
// the name before the first "=", the value after it; a line without "=" is a key without a
// value, which reads as missing. Sections and keys are found without regard to case; the
// first of several equal sections and the first of several equal keys in it count. Lines
// before the first section belong to no section. Comment lines (";") are not special: they
// are keys that no program asks for.
//
// Writing edits the text in place: a key that exists gets its value on its own line (the
// key's name as the file spells it); a new key goes after the last non-blank line of its
// section; a new section goes at the end of the file. Every line written ends in CR LF;
// all other lines stay byte for byte.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace sim {
namespace profile {

// The raw value of the key (blanks trimmed, quotes kept); false when the section or the key
// is missing or the key has no "=".
bool Find(const std::string& text, const std::string& section, const std::string& key,
          std::string* value);

// Every key line with "=" of the section, in file order, equal keys included: (name, value).
std::vector<std::pair<std::string, std::string>> SectionEntries(const std::string& text,
                                                                const std::string& section);

// The value as GetPrivateProfileString returns it: enclosing double or single quotes
// removed when the value starts and ends with the same one.
std::string Unquote(const std::string& value);

// The text with key set to value (created with its section as needed).
std::string Write(const std::string& text, const std::string& section, const std::string& key,
                  const std::string& value);
// The text without the key; unchanged when it is missing.
std::string DeleteKey(const std::string& text, const std::string& section,
                      const std::string& key);
// The text without the section (its header and its lines).
std::string DeleteSection(const std::string& text, const std::string& section);

// GetPrivateProfileInt's reading of a value. Windows 95/98: an optional "-", then the
// leading decimal digits; no digit gives 0 ("+1" too). Windows NT reads as its run-time
// library's string-to-integer conversion: an optional sign, and "0x", "0o" and "0b"
// prefixes for hexadecimal, octal and binary. Both wrap modulo 2^32.
unsigned ReadInt9x(const std::string& value);
unsigned ReadIntNt(const std::string& value);

} // namespace profile
} // namespace sim
