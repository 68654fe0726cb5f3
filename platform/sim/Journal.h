// The journal of the simulated machine: every change the program makes to the machine, in
// order (registry deletions, files created, copied, deleted and edited, attributes set,
// profile writes, processes started, windows closed, messages shown, the restart request).
#pragma once

#include <string>
#include <vector>

namespace sim {

struct JournalEntry {
    std::string what;   // a short word: "delete key", "copy", "profile", "message", ...
    std::string detail; // its arguments as text
};

class Journal {
public:
    void Record(std::string what, std::string detail) {
        m_entries.push_back({std::move(what), std::move(detail)});
    }
    const std::vector<JournalEntry>& Entries() const { return m_entries; }
    void Clear() { m_entries.clear(); }
    // One line an entry: "what: detail".
    std::string Print() const {
        std::string out;
        for (const auto& e : m_entries)
            out += e.what + ": " + e.detail + "\n";
        return out;
    }
    // The entries whose what equals the given word.
    std::vector<JournalEntry> Of(const std::string& what) const {
        std::vector<JournalEntry> found;
        for (const auto& e : m_entries)
            if (e.what == what)
                found.push_back(e);
        return found;
    }

private:
    std::vector<JournalEntry> m_entries;
};

} // namespace sim
