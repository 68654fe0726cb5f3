// The command-line text that the application object's m_lpCmdLine holds.
#include <gtest/gtest.h>

#include "platform/framework/WinApp.h"

namespace {

struct Case {
    const char* commandLine;
    const char* arguments;
};

const Case Cases[] = {
    {"SETUP.EXE /DRIVER", "/DRIVER"},
    {"SETUP.EXE", ""},
    {"SETUP.EXE ", ""},
    {"SETUP.EXE \t  \t/driver", "/driver"},           // blanks and tabs after the name
    {"SETUP.EXE /DRIVER ", "/DRIVER "},               // a trailing blank stays
    {"SETUP.EXE /DRIVER  X", "/DRIVER  X"},           // so do inner blanks
    {"\"D:\\My Setup\\SETUP.EXE\" driver", "driver"}, // a quoted name with a blank
    {"\"D:\\SETUP.EXE\"-DRIVER", "-DRIVER"},          // the name ends at its quote
    {"\"D:\\SETUP.EXE", ""},                          // an unclosed quote takes all
    {"D:\\SETUP.EXE\x01\x1f/DRIVER", "/DRIVER"},      // codes 1 to 32 are skipped
    {"SETUP.EXE\xa0/DRIVER", ""},                     // a byte above 127 is part of the name
    {"", ""},
};

TEST(CommandLine, ArgumentsFollowTheProgramNameWithoutLeadingSeparators) {
    for (const Case& c : Cases)
        EXPECT_EQ(CString(c.arguments), CommandLineArguments(c.commandLine))
            << "command line: " << c.commandLine;
}

} // namespace
