#include "platform/sim/Faults.h"

#include "platform/sim/Paths.h"

namespace sim {

void Faults::Fail(const std::string& operation, const std::string& pattern, os::LONG error) {
    m_rules.push_back({operation, pattern, error, 0, 0});
}

void Faults::FailNth(const std::string& operation, int nth, const std::string& pattern,
                     os::LONG error) {
    m_rules.push_back({operation, pattern, error, nth, 0});
}

void Faults::Clear() { m_rules.clear(); }

int Faults::Calls(const std::string& operation) const {
    auto it = m_calls.find(operation);
    return it == m_calls.end() ? 0 : it->second;
}

bool Faults::ShouldFail(const std::string& operation, const std::string& subject,
                        os::LONG defaultError, os::LONG* error) {
    ++m_calls[operation];
    if (m_seen.insert({operation, subject}).second)
        m_sites.emplace_back(operation, subject);
    bool fail = false;
    for (Rule& rule : m_rules) {
        if (rule.operation != operation || !MatchesGlob(rule.pattern, subject))
            continue;
        ++rule.matched;
        if (!fail && (rule.nth == 0 || rule.nth == rule.matched)) {
            fail = true;
            *error = rule.error ? rule.error : defaultError;
        }
    }
    return fail;
}

} // namespace sim
