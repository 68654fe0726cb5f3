// contract_tests.exe: the service contract tests over the real Windows API, for Wine.
//
//   contract_tests.exe              runs every contract test; "N passed, M failed"
//   contract_tests.exe transcript   prints the canonical transcript (tests/contract)
//   contract_tests.exe version      prints GetVersionExA: platform major minor build
//   contract_tests.exe msgbox TEXT CAPTION
//                                   shows a message box (OK only), prints the answer
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "platform/Process.h"
#include "platform/WinDefs.h"
#include "platform/Window.h"
#include "platform/win32/Runtime.h"
#include "tests/contract/Check.h"
#include "tests/contract/Transcript.h"

namespace win32 {
// The test programs end through the C runtime of MinGW, which runs the exit handlers.
void ExitProgram(int code) { ::exit(code); }
} // namespace win32

namespace contract {

namespace {
struct TestCase {
    const char* suite;
    const char* name;
    TestFunction function;
};
std::vector<TestCase>& Tests() {
    static std::vector<TestCase> tests;
    return tests;
}
int g_failures = 0;
} // namespace

Registrar::Registrar(const char* suite, const char* name, TestFunction function) {
    Tests().push_back({suite, name, function});
}

void Fail(const char* file, int line, const std::string& message) {
    printf("  %s:%d: %s\n", file, line, message.c_str());
    ++g_failures;
}

} // namespace contract

namespace {

int RunAll() {
    int passed = 0, failed = 0;
    for (const auto& test : contract::Tests()) {
        int before = contract::g_failures;
        test.function();
        bool ok = contract::g_failures == before;
        printf("%s %s.%s\n", ok ? "PASS" : "FAIL", test.suite, test.name);
        ++(ok ? passed : failed);
    }
    printf("%d passed, %d failed\n", passed, failed);
    return failed ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
    // Plain line ends on the Unix side of Wine.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc >= 2 && strcmp(argv[1], "transcript") == 0) {
        contract::Environment env;
        std::string text = contract::Transcript(env, contract::TranscriptSeed,
                                                contract::TranscriptSteps);
        fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    if (argc >= 2 && strcmp(argv[1], "version") == 0) {
        os::OSVERSIONINFOA info = {};
        info.dwOSVersionInfoSize = sizeof info;
        os::GetVersionExA(&info);
        printf("%u %u %u %u\n", unsigned(info.dwPlatformId), unsigned(info.dwMajorVersion),
               unsigned(info.dwMinorVersion), unsigned(info.dwBuildNumber & 0xFFFF));
        return 0;
    }
    if (argc >= 4 && strcmp(argv[1], "msgbox") == 0) {
        printf("%d\n", os::MessageBoxA(nullptr, argv[2], argv[3], os::MB_OK));
        return 0;
    }
    return RunAll();
}
