// The choice among the three modes from the command line and Setup.ini: the program runs on
// a simulated Windows 98 machine, started from D:\ with an arbitrary command line and an
// arbitrary Setup.ini, and the mode it shows (the setup dialog, the driver update dialog, or
// the unattended installation ending in a restart) must be the one the rules give:
//
// - the arguments are the command line after the program's name (up to the closing quote
//   of a quoted name, else up to the first character of code 32 or less) without the
//   characters of codes 1 to 32 that follow it; upper-cased, exactly "/DRIVER", "DRIVER"
//   or "-DRIVER" selects the unattended installation;
// - so does a non-zero DriverOnly of [InstallOption]; else a non-zero WebSetup selects the
//   driver update dialog, and otherwise the setup dialog is shown.
//
// Input: the command line, a NUL, then Setup.ini.
#include <string>

#include "platform/sim/Machine.h"
#include "platform/sim/ProfileText.h"
#include "platform/sim/Program.h"
#include "platform/sim/WindowManager.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

const char* const SetupCaption = "PCI Audio Device Driver And Applications Setup Program";
const char* const UpdateCaption = "PCI Audio Device Driver Setup Program for Windows 95/98";
const char* const Unattended = "unattended installation";

std::string Arguments(const std::string& line) {
    size_t i = 0;
    if (!line.empty() && line[0] == '"') {
        const size_t close = line.find('"', 1);
        i = close == std::string::npos ? line.size() : close + 1;
    } else {
        while (i < line.size() && static_cast<unsigned char>(line[i]) > ' ')
            ++i;
    }
    while (i < line.size() && static_cast<unsigned char>(line[i]) <= ' ')
        ++i;
    return line.substr(i);
}

bool IsDriverWord(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text == "/DRIVER" || text == "DRIVER" || text == "-DRIVER";
}

// GetPrivateProfileInt of Windows 95/98 with the default 0: the value as a C string (up to
// a NUL byte), its quotes taken off, then its leading digits.
unsigned Option(const std::string& ini, const char* key) {
    std::string value;
    if (!sim::profile::Find(ini, "InstallOption", key, &value))
        return 0;
    value = sim::profile::Unquote(value.substr(0, value.find('\0')));
    return value.empty() ? 0 : sim::profile::ReadInt9x(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto fields = fuzz::SplitFields(data, size, 2);
    const std::string& commandLine = fields[0];
    const std::string& setupIni = fields[1];

    const char* expected = SetupCaption;
    if (IsDriverWord(Arguments(commandLine)) || Option(setupIni, "DriverOnly") != 0)
        expected = Unattended;
    else if (Option(setupIni, "WebSetup") != 0)
        expected = UpdateCaption;

    sim::Machine machine(sim::Preset::Windows98);
    machine.files.AddDrive('D');
    machine.files.AddFile("D:\\W95-98\\app\\Setup.exe", "MZ");
    machine.files.AddFile("D:\\Setup.ini", setupIni);
    machine.currentDirectory = "D:\\";

    std::string shown = Unattended;
    sim::UiScript script{sim::ui::Inspect([&](const sim::DialogState& dialog) {
                             shown = dialog.caption;
                         }),
                         sim::ui::Escape()};
    try {
        sim::RunProgram(machine, commandLine, std::move(script));
    } catch (const sim::UnusedUiActions&) {
        // No dialog came: the unattended installation ran.
    }
    FUZZ_CHECK(shown == expected, expected);
    if (shown == Unattended) {
        FUZZ_CHECK(machine.RestartRequests() == 1, "the unattended installation restarts");
    } else {
        FUZZ_CHECK(machine.RestartRequests() == 0, "a cancelled dialog changes nothing");
    }
    return 0;
}
