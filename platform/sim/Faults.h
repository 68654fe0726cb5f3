// Fault injection: every os:: call of the simulation that changes the machine, and the reads
// that decide what a program does, first asks the machine's Faults whether to fail. A call
// that is told to fail fails as Windows would: FALSE, nullptr, INVALID_HANDLE_VALUE or -1,
// or an error code, with the last error set.
//
// The operation is the os:: function's name ("CopyFileA", "RegDeleteKeyA", "fopen", ...);
// the subject is the full path the call works on ("C:\ORVANE\DOS\A.EXE",
// "HKEY_LOCAL_MACHINE\Enum\PCI\..."), or "" for a call without one.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/WinTypes.h"

namespace sim {

class Faults {
public:
    // Every call of operation whose subject matches pattern (* and ? as wildcards, also
    // across backslashes; case ignored) fails with error (0: the operation's usual error).
    void Fail(const std::string& operation, const std::string& pattern = "*",
              os::LONG error = 0);
    // The nth call (from 1) of operation whose subject matches pattern fails, once.
    void FailNth(const std::string& operation, int nth, const std::string& pattern = "*",
                 os::LONG error = 0);
    void Clear();

    // How often operation was called (with any subject) since the machine started.
    int Calls(const std::string& operation) const;
    // Every distinct (operation, subject) asked about, in the order first asked: the call
    // sites a fault matrix can target.
    const std::vector<std::pair<std::string, std::string>>& Sites() const { return m_sites; }

    // Asked by the os:: calls: true (with the error to report) when this call must fail.
    bool ShouldFail(const std::string& operation, const std::string& subject,
                    os::LONG defaultError, os::LONG* error);

private:
    struct Rule {
        std::string operation;
        std::string pattern;
        os::LONG error = 0;
        int nth = 0;     // 0: every matching call
        int matched = 0; // matching calls seen
    };
    std::vector<Rule> m_rules;
    std::map<std::string, int> m_calls;
    std::vector<std::pair<std::string, std::string>> m_sites;
    std::set<std::pair<std::string, std::string>> m_seen;
};

} // namespace sim
