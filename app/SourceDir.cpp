#include "app/SourceDir.h"

#include "platform/Files.h"

CString GetSourceDir() {
    CString dir = os::GetCurrentDirectoryA();
    if (dir.Last() != '\\')
        dir += '\\';
    return dir;
}
