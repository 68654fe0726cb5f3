// Directories, file search, copies and byte access to files.
#pragma once

#include "platform/WinTypes.h"

namespace os {

// The current, Windows and system directories as the system reports them (the Windows and
// system directories without a trailing backslash unless they are a drive root).
CString GetCurrentDirectoryA();
BOOL SetCurrentDirectoryA(const char* path);
CString GetWindowsDirectoryA();
CString GetSystemDirectoryA();

// Directory search with * and ? as Windows matches them. INVALID_HANDLE_VALUE when nothing
// matches. Entries come in the order the file system delivers them.
HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data);
BOOL FindNextFileA(HANDLE search, WIN32_FIND_DATAA* data);
BOOL FindClose(HANDLE search);

// The C runtime's search, with creation times. -1 when nothing matches; _findnext gives 0
// for a further entry and -1 at the end.
intptr_t _findfirst(const char* pattern, _finddata_t* data);
int _findnext(intptr_t search, _finddata_t* data);
int _findclose(intptr_t search);

// An existing destination is overwritten unless failIfExists; a read-only destination is
// refused.
BOOL CopyFileA(const char* source, const char* destination, BOOL failIfExists);
BOOL DeleteFileA(const char* path);
BOOL CreateDirectoryA(const char* path);
BOOL SetFileAttributesA(const char* path, DWORD attributes);
DWORD GetFileAttributesA(const char* path); // INVALID_FILE_ATTRIBUTES when absent
DWORD GetLastError();

// Free space of the drive of directory (nullptr: the current drive).
BOOL GetDiskFreeSpaceA(const char* directory, DWORD* sectorsPerCluster, DWORD* bytesPerSector,
                       DWORD* freeClusters, DWORD* totalClusters);
// Calls a GetDiskFreeSpaceExA found through GetProcAddress.
BOOL CallGetDiskFreeSpaceExA(FARPROC function, const char* directory,
                             ULONGLONG* freeBytesAvailable, ULONGLONG* totalBytes,
                             ULONGLONG* totalFreeBytes);

// Byte access to a file. Modes: "rb" (read) and "r+b" (read and write, not truncated);
// there is no text mode: callers see the bytes as they are on disk. nullptr when the file
// cannot be opened.
FILE* fopen(const char* path, const char* mode);
int fclose(FILE* file);
int fread(void* buffer, int count, FILE* file);        // bytes read
int fwrite(const void* buffer, int count, FILE* file); // bytes written
int fseek(FILE* file, long offset, int origin);        // 0 on success
long ftell(FILE* file);
int fflush(FILE* file);

} // namespace os
