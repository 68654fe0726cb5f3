// The contract tests' environment over the simulated machine (native build).
#ifndef _WIN32

#include "tests/contract/Environment.h"

#include "platform/Files.h"
#include "platform/Registry.h"
#include "platform/WinDefs.h"
#include "platform/sim/Machine.h"

namespace contract {

namespace {
const char* const ScratchDir = "C:\\CONTRACT\\";
const char* const ScratchKey = "Software\\ContractTests";
} // namespace

struct Environment::Backend {
    explicit Backend(sim::Preset preset) : machine(preset), scope(machine) {}
    sim::Machine machine;
    sim::MachineScope scope;
};

Environment::Environment(Family family)
    : m_backend(new Backend(family == Family::WindowsNT ? sim::Preset::WindowsNT4
                                                        : sim::Preset::Windows98)) {
    // Windows 95/98 ignore the access a key was opened with, and so does Wine when it
    // reports one of them; the simulation checks it unless told otherwise.
    m_backend->machine.registry.checkAccess = family == Family::WindowsNT;
    os::CreateDirectoryA(ScratchDir);
    os::HKEY key;
    if (os::RegCreateKeyExA(os::HKEY_CURRENT_USER, ScratchKey, os::KEY_ALL_ACCESS, &key) ==
        os::ERROR_SUCCESS)
        os::RegCloseKey(key);
}

Environment::~Environment() = default;

CString Environment::Dir() const { return ScratchDir; }
const char* Environment::KeyPath() const { return ScratchKey; }

} // namespace contract

#endif
