#include "tests/reliability/FaultMatrix.h"

#include <map>
#include <set>
#include <sstream>

#include "platform/sim/Machine.h"
#include "platform/sim/WindowManager.h"

namespace reliability {

namespace {

// The services of the matrix and the operations of each.
const std::pair<const char*, const char*> Services[] = {
    {"CopyFileA", "file copy"},
    {"CreateDirectoryA", "directory creation"},
    {"SetFileAttributesA", "attribute setting"},
    {"GetFileAttributesA", "attribute query"},
    {"FindFirstFileA", "directory search"},
    {"FindNextFileA", "directory search"},
    {"_findfirst", "directory search"},
    {"_findnext", "directory search"},
    {"DeleteFileA", "file deletion"},
    {"SetCurrentDirectoryA", "current directory"},
    {"fopen", "file open"},
    {"fread", "file read and write"},
    {"fwrite", "file read and write"},
    {"fflush", "file read and write"},
    {"RegOpenKeyExA", "registry open"},
    {"RegCreateKeyExA", "registry open"},
    {"RegEnumKeyExA", "registry enumeration"},
    {"RegEnumValueA", "registry enumeration"},
    {"RegQueryValueExA", "registry read"},
    {"RegSetValueExA", "registry write"},
    {"RegDeleteKeyA", "registry deletion"},
    {"GetPrivateProfileIntA", "profile read"},
    {"GetPrivateProfileStringA", "profile read"},
    {"WritePrivateProfileStringA", "profile write"},
    {"CreateProcessA", "process start"},
    {"WaitForInputIdle", "process wait"},
    {"GetExitCodeProcess", "process wait"},
    {"GetDiskFreeSpaceA", "disk free space"},
    {"GetDiskFreeSpaceExA", "disk free space"},
    {"GetProcAddress", "disk free space"},
    {"GetVersionExA", "version query"},
    {"ExitWindowsEx", "restart request"},
};

// Messages of the designed endings that close the process with exit code 0, and the short
// names of every known message.
struct KnownMessage {
    const char* beginning;
    const char* outcome;
    bool endsWithZero;
};
const KnownMessage KnownMessages[] = {
    {SetupCompleted, "completed", true},
    {"Can not find installation files.", "stopped: installation files not found", true},
    {"Can not find the ZOD Oriva Vovazivevadi setup program.",
     "stopped: applications' setup not found", true},
    {"The WaveSynth sound bank files not found", "stopped: sound banks not found", true},
    {"Can not update drivers!", "stopped: sound banks too old", true},
    {"The free space of this disk drive", "stopped: disk space low", true},
    {"The driver files could not be copied", "stopped: copy failed", false},
    {"The path\n", "stopped: path too long", false},
    {"The ZOD Oriva Vovazivevadi setup program could not be started",
     "stopped: applications' setup not started", false},
};

const KnownMessage* FindMessage(const std::string& text) {
    for (const KnownMessage& message : KnownMessages)
        if (text.compare(0, std::string(message.beginning).size(), message.beginning) == 0)
            return &message;
    return nullptr;
}

// The subject as a pattern of Faults that matches it alone: the wildcards of a search
// pattern ("*.*") stand for themselves as "?".
std::string ExactPattern(const std::string& subject) {
    std::string pattern = subject;
    for (char& c : pattern)
        if (c == '*')
            c = '?';
    return pattern;
}

bool SamePath(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool EndsWithName(const std::string& path, const std::string& name) {
    return path.size() >= name.size() &&
           SamePath(path.substr(path.size() - name.size()), name) &&
           (path.size() == name.size() || path[path.size() - name.size() - 1] == '\\');
}

struct Observed {
    std::string outcome;
    bool completed = false;
};

Observed Describe(const sim::Machine& machine, const Run& run) {
    Observed observed;
    const auto& boxes = machine.windows.MessageBoxes();
    std::string label;
    if (!run.error.empty()) {
        label = "broke off";
    } else if (!boxes.empty()) {
        const std::string& text = boxes.back().text;
        const KnownMessage* known = FindMessage(text);
        label = known ? known->outcome : "message: " + text.substr(0, text.find('\n'));
        observed.completed = known && std::string(known->beginning) == SetupCompleted;
    } else if (!machine.windows.ClosedDialogs().empty()) {
        label = "dialog ended";
    } else {
        label = "ended";
    }
    if (observed.completed && machine.RestartRequests() == 0)
        label += " (restart refused)";
    observed.outcome = label + ", exit " + std::to_string(run.exitCode);
    return observed;
}

bool HasSite(const sim::Machine& machine, const std::string& operation) {
    for (const auto& site : machine.faults.Sites())
        if (site.first == operation)
            return true;
    return false;
}

// Destinations of copies that were attempted but not made: each CopyFileA site of the run
// without a journalled copy to it.
std::vector<std::string> FailedCopies(const sim::Machine& machine) {
    std::vector<std::string> made;
    for (const auto& entry : machine.journal.Of("copy")) {
        const size_t arrow = entry.detail.find(" -> ");
        if (arrow != std::string::npos)
            made.push_back(entry.detail.substr(arrow + 4));
    }
    std::vector<std::string> failed;
    for (const auto& site : machine.faults.Sites()) {
        if (site.first != "CopyFileA")
            continue;
        bool found = false;
        for (const std::string& destination : made)
            found = found || SamePath(destination, site.second);
        if (!found)
            failed.push_back(site.second);
    }
    return failed;
}

// What the run removed or rewrote of the previous driver's installation.
std::vector<std::string> PreviousDriverChanges(const sim::Machine& machine) {
    std::vector<std::string> changes;
    for (const auto& entry : machine.journal.Entries()) {
        if (entry.what == "delete key" || entry.what == "delete")
            changes.push_back(entry.what + ": " + entry.detail);
        if (entry.what == "profile") {
            const std::string file = entry.detail.substr(0, entry.detail.find(" ["));
            if (EndsWithName(file, "WININIT.INI") || EndsWithName(file, "WIN.INI"))
                changes.push_back(entry.what + ": " + entry.detail);
        }
    }
    return changes;
}

std::string Name(const FaultCase& fault) {
    std::string name = fault.operation;
    if (!fault.subject.empty())
        name += " " + fault.subject;
    if (fault.nth)
        name += " (call " + std::to_string(fault.nth) + ")";
    return name;
}

} // namespace

std::string ServiceOf(const std::string& operation) {
    for (const auto& service : Services)
        if (operation == service.first)
            return service.second;
    return operation;
}

std::vector<FaultCase> CasesOf(const InstallPath& path, std::string* cleanOutcome) {
    sim::Machine machine;
    SeedMachine(machine);
    const Run run = RunPath(machine, path);
    if (cleanOutcome)
        *cleanOutcome = Describe(machine, run).outcome;

    std::vector<FaultCase> cases;
    std::set<std::string> counted;
    for (const auto& site : machine.faults.Sites()) {
        if (site.second.empty()) {
            // One site for calls in many places: each call in turn.
            if (counted.insert(site.first).second)
                for (int nth = 1; nth <= machine.faults.Calls(site.first); ++nth)
                    cases.push_back({site.first, "", nth});
        } else {
            cases.push_back({site.first, site.second, 0});
        }
    }
    return cases;
}

CaseResult RunCase(const InstallPath& path, const FaultCase& fault) {
    sim::Machine machine;
    SeedMachine(machine);
    if (fault.nth)
        machine.faults.FailNth(fault.operation, fault.nth);
    else
        machine.faults.Fail(fault.operation, ExactPattern(fault.subject));
    const Run run = RunPath(machine, path);

    CaseResult result;
    result.fault = fault;
    const Observed observed = Describe(machine, run);
    result.outcome = observed.outcome;
    auto violate = [&](const std::string& rule) { result.violations.push_back(rule); };

    // Ends as a process ends.
    if (!run.error.empty())
        violate("the run broke off: " + run.error);

    // A failed driver copy is never reported as success.
    const std::vector<std::string> failedCopies = FailedCopies(machine);
    if (!failedCopies.empty()) {
        if (observed.completed)
            violate("completion shown although the copy to " + failedCopies.front() + " failed");
        if (machine.RestartRequests() != 0)
            violate("restart requested although the copy to " + failedCopies.front() + " failed");
        if (run.exitCode == 0)
            violate("exit code 0 although the copy to " + failedCopies.front() + " failed");
    }

    // A driver installation that stops before staging leaves the previous driver alone.
    const bool stagingBegan = HasSite(machine, "CopyFileA") || HasSite(machine, "CreateDirectoryA");
    if (path.installsDriver && !stagingBegan && !observed.completed) {
        const std::vector<std::string> changes = PreviousDriverChanges(machine);
        if (!changes.empty())
            violate("stopped before staging but removed " + changes.front());
    }

    // The exit code says how the run ended.
    const auto& boxes = machine.windows.MessageBoxes();
    if (observed.completed && run.exitCode != 0)
        violate("completion shown with exit code " + std::to_string(run.exitCode));
    if (!boxes.empty() && run.error.empty()) {
        const KnownMessage* known = FindMessage(boxes.back().text);
        if ((!known || !known->endsWithZero) && run.exitCode == 0)
            violate("failure message \"" + boxes.back().text.substr(0, 60) +
                    "\" with exit code 0");
    }
    if (run.exitCode != 0 && boxes.empty())
        violate("exit code " + std::to_string(run.exitCode) + " without a message");
    for (std::string& violation : result.violations)
        violation = path.name + ", " + Name(fault) + ": " + violation;
    return result;
}

std::vector<PathResults> RunMatrix() {
    std::vector<PathResults> all;
    for (const InstallPath& path : InstallPaths()) {
        PathResults results;
        results.path = path;
        for (const FaultCase& fault : CasesOf(path, &results.cleanOutcome))
            results.cases.push_back(RunCase(path, fault));
        all.push_back(std::move(results));
    }
    return all;
}

std::string MatrixDocument(const std::vector<PathResults>& results) {
    std::ostringstream out;
    out << "# Fault matrix\n\n"
           "Generated by the reliability tests (tests/reliability/FaultMatrixTest.cpp); do not "
           "edit by hand. To regenerate:\n\n"
           "    FAULT_MATRIX_DOC=$PWD/docs/fault-matrix.md build/native/tests/unit_tests "
           "--gtest_filter='FaultMatrix*'\n\n"
           "Each installing path runs on the example Windows 98 machine with the previous "
           "driver installed (examples/machine, examples/tree; the update package is the "
           "tree's driver directory as a flat package). A clean run of the path lists every "
           "call site the program used: each distinct operation and subject it asked the "
           "simulated machine about. Each site then fails in a run of its own: every call of "
           "it, or, for an operation without a subject (FindNextFileA, GetVersionExA, "
           "ExitWindowsEx), each of its calls in turn. Every run is judged by the rules of "
           "tests/reliability/FaultMatrix.h: no crash; no completion message, no restart "
           "request and a non-zero exit code when a driver file or INF copy failed; nothing "
           "of the previous driver removed when the run stops before staging; an exit code "
           "that says how the run ended.\n\n"
           "Outcomes: *completed* is \"Setup completed! The system will restart now!\" "
           "followed by the restart request; *stopped: ...* names the message the run ended "
           "with; *dialog ended* is the setup dialog ending normally (applications installed, "
           "Levels running); *ended* is an end without any message.\n\n";
    int total = 0, violations = 0;
    for (const PathResults& path : results) {
        total += static_cast<int>(path.cases.size());
        for (const CaseResult& result : path.cases)
            violations += static_cast<int>(result.violations.size());
    }
    out << total << " cases, " << violations << " rule violations.\n\n";
    for (const PathResults& path : results) {
        out << "## " << path.path.name << "\n\nClean run: " << path.cleanOutcome << ". "
            << path.cases.size() << " cases.\n\n"
            << "| Service | Operations | Cases | Outcomes | Violations |\n"
            << "|---|---|---:|---|---:|\n";
        // Services in the order the clean run first used them.
        std::vector<std::string> order;
        std::map<std::string, std::set<std::string>> operations;
        std::map<std::string, int> cases, broken;
        std::map<std::string, std::map<std::string, int>> outcomes;
        for (const CaseResult& result : path.cases) {
            const std::string service = ServiceOf(result.fault.operation);
            if (!cases.count(service))
                order.push_back(service);
            operations[service].insert(result.fault.operation);
            ++cases[service];
            ++outcomes[service][result.outcome];
            broken[service] += static_cast<int>(result.violations.size());
        }
        for (const std::string& service : order) {
            std::string ops, ends;
            for (const std::string& op : operations[service])
                ops += (ops.empty() ? "" : ", ") + op;
            for (const auto& outcome : outcomes[service])
                ends += (ends.empty() ? "" : "; ") + outcome.first + " (" +
                        std::to_string(outcome.second) + ")";
            out << "| " << service << " | " << ops << " | " << cases[service] << " | " << ends
                << " | " << broken[service] << " |\n";
        }
        out << "\n";
    }
    return out.str();
}

} // namespace reliability
