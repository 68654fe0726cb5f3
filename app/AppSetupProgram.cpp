#include "app/AppSetupProgram.h"

#include "platform/Files.h"

CString AppSetupProgramPath(const CString& sourceDir, WindowsFamily family) {
    if (IsWindows9x(family))
        return sourceDir + Windows9xAppSetup;
    if (family == WindowsNT)
        return sourceDir + WindowsNTAppSetup;
    return sourceDir;
}

bool FileOpensForReading(const CString& path) {
    os::FILE* file = os::fopen(path, "rb");
    if (!file)
        return false;
    os::fclose(file);
    return true;
}
