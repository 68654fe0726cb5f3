#include "setupdlg/Handshake.h"

#include "platform/Files.h"
#include "platform/Profile.h"
#include "setupdlg/ProcessWait.h"

namespace {

const char* const RunningIdle = "0";
const int RunningDefault = 0;

bool HandshakeStillRunning(void* handshakeFile) {
    return ReadHandshakeRunning(*static_cast<const CString*>(handshakeFile)) != 0;
}

} // namespace

CString HandshakeFilePath() {
    CString path = os::GetWindowsDirectoryA();
    if (path.Last() != '\\')
        path += '\\';
    return path + HandshakeFileName;
}

void ClearHandshakeRunning(const CString& handshakeFile) {
    os::WritePrivateProfileStringA(HandshakeSection, HandshakeRunningKey, RunningIdle,
                                   handshakeFile);
}

int ReadHandshakeRunning(const CString& handshakeFile) {
    return static_cast<int>(os::GetPrivateProfileIntA(HandshakeSection, HandshakeRunningKey,
                                                      RunningDefault, handshakeFile));
}

void WaitForHandshake(os::HANDLE process, const CString& handshakeFile) {
    // The process has ended already, so WaitForInputIdle returns at once: the pacing of
    // PollProcessWhile alone spaces the reads of the file.
    CString file = handshakeFile;
    PollProcessWhile(process, WaitCondition{&HandshakeStillRunning, &file});
}
