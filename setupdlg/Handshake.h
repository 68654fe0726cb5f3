// The handshake with the applications' setup program: the file TXASETUP.INI in the Windows
// directory, section STATUS, key RUNNING. This program sets RUNNING to 0 after starting the
// setup program; a setup program that hands its work on to another process leaves a
// non-zero value there until that work is done.
#pragma once

#include "platform/WinTypes.h"

const char* const HandshakeFileName = "TXASETUP.INI";
const char* const HandshakeSection = "STATUS";
const char* const HandshakeRunningKey = "RUNNING";

// The Windows directory as the system reports it, a backslash when it does not end in one,
// and HandshakeFileName.
CString HandshakeFilePath();

// Writes RUNNING=0, creating the file and the section as needed.
void ClearHandshakeRunning(const CString& handshakeFile);

// RUNNING as a decimal integer; 0 when the file, the section or the key is missing.
int ReadHandshakeRunning(const CString& handshakeFile);

// Waits for the handshake after process (the setup program) has ended: passes of
// PollProcessWhile on that process until RUNNING reads 0.
void WaitForHandshake(os::HANDLE process, const CString& handshakeFile);
