// Directories, file search, copies and byte access to files over the Windows API.
#include <windows.h>

#include "platform/Files.h"

namespace os {

// An open file of fopen: the Windows file handle, unbuffered. Every fread and fwrite is one
// ReadFile or WriteFile, so there is no buffer to flush and reads and writes may follow
// each other without a seek between them.
struct FILE {
    ::HANDLE handle;
};

namespace {

// Windows file times count 100-ns units from 1 January 1601; the C runtime counts seconds
// from 1 January 1970.
const ULONGLONG FileTimeUnitsPerSecond = 10000000ULL;
const ULONGLONG FileTimeOf1970 = 116444736000000000ULL;

ULONGLONG Join(DWORD high, DWORD low) { return (static_cast<ULONGLONG>(high) << 32) | low; }
ULONGLONG Join(const FILETIME& time) { return Join(time.dwHighDateTime, time.dwLowDateTime); }

// Seconds since 1970 as the C runtime reports them; -1 for a time the file system did not
// keep (zero) or one before 1970.
long long SecondsSince1970(const FILETIME& time) {
    ULONGLONG units = Join(time);
    if (units == 0 || units < FileTimeOf1970)
        return -1;
    return static_cast<long long>((units - FileTimeOf1970) / FileTimeUnitsPerSecond);
}

void Convert(const ::WIN32_FIND_DATAA& from, WIN32_FIND_DATAA* to) {
    to->dwFileAttributes = from.dwFileAttributes;
    to->ftCreationTime = Join(from.ftCreationTime);
    to->ftLastWriteTime = Join(from.ftLastWriteTime);
    to->nFileSize = Join(from.nFileSizeHigh, from.nFileSizeLow);
    to->cFileName = from.cFileName;
}

void Convert(const ::WIN32_FIND_DATAA& from, _finddata_t* to) {
    // The C runtime reports a plain file (FILE_ATTRIBUTE_NORMAL) as attribute 0.
    to->attrib = from.dwFileAttributes == FILE_ATTRIBUTE_NORMAL ? 0 : from.dwFileAttributes;
    to->time_create = SecondsSince1970(from.ftCreationTime);
    to->time_access = SecondsSince1970(from.ftLastAccessTime);
    to->time_write = SecondsSince1970(from.ftLastWriteTime);
    to->size = Join(from.nFileSizeHigh, from.nFileSizeLow);
    to->name = from.cFileName;
}

// Reads a directory name from a query that returns the length it copied, or the size it
// needs (terminating NUL included) when the buffer is too small.
template <typename Query> CString QueryPath(Query query) {
    DWORD size = MAX_PATH;
    for (;;) {
        CString path;
        DWORD length = query(path.GetBuffer(static_cast<int>(size)), size);
        if (length < size) {
            path.ReleaseBuffer(static_cast<int>(length));
            return path;
        }
        size = length + 1;
    }
}

} // namespace

CString GetCurrentDirectoryA() {
    return QueryPath([](char* buffer, DWORD size) { return ::GetCurrentDirectoryA(size, buffer); });
}

BOOL SetCurrentDirectoryA(const char* path) { return ::SetCurrentDirectoryA(path); }

CString GetWindowsDirectoryA() {
    return QueryPath(
        [](char* buffer, DWORD size) { return DWORD(::GetWindowsDirectoryA(buffer, size)); });
}

CString GetSystemDirectoryA() {
    return QueryPath(
        [](char* buffer, DWORD size) { return DWORD(::GetSystemDirectoryA(buffer, size)); });
}

HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data) {
    ::WIN32_FIND_DATAA found;
    ::HANDLE search = ::FindFirstFileA(pattern, &found);
    if (search != INVALID_HANDLE_VALUE)
        Convert(found, data);
    return search;
}

BOOL FindNextFileA(HANDLE search, WIN32_FIND_DATAA* data) {
    ::WIN32_FIND_DATAA found;
    if (!::FindNextFileA(search, &found))
        return FALSE;
    Convert(found, data);
    return TRUE;
}

BOOL FindClose(HANDLE search) { return ::FindClose(search); }

// The C runtime's search is the Windows search: its handle is the search handle, and
// INVALID_HANDLE_VALUE is the -1 of "nothing found".
intptr_t _findfirst(const char* pattern, _finddata_t* data) {
    ::WIN32_FIND_DATAA found;
    ::HANDLE search = ::FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return -1;
    Convert(found, data);
    return reinterpret_cast<intptr_t>(search);
}

int _findnext(intptr_t search, _finddata_t* data) {
    ::WIN32_FIND_DATAA found;
    if (!::FindNextFileA(reinterpret_cast<::HANDLE>(search), &found))
        return -1;
    Convert(found, data);
    return 0;
}

int _findclose(intptr_t search) { return ::FindClose(reinterpret_cast<::HANDLE>(search)) ? 0 : -1; }

BOOL CopyFileA(const char* source, const char* destination, BOOL failIfExists) {
    return ::CopyFileA(source, destination, failIfExists);
}

BOOL DeleteFileA(const char* path) { return ::DeleteFileA(path); }
BOOL CreateDirectoryA(const char* path) { return ::CreateDirectoryA(path, nullptr); }
BOOL SetFileAttributesA(const char* path, DWORD attributes) {
    return ::SetFileAttributesA(path, attributes);
}
DWORD GetFileAttributesA(const char* path) { return ::GetFileAttributesA(path); }
DWORD GetLastError() { return ::GetLastError(); }

BOOL GetDiskFreeSpaceA(const char* directory, DWORD* sectorsPerCluster, DWORD* bytesPerSector,
                       DWORD* freeClusters, DWORD* totalClusters) {
    return ::GetDiskFreeSpaceA(directory, reinterpret_cast<::DWORD*>(sectorsPerCluster),
                               reinterpret_cast<::DWORD*>(bytesPerSector),
                               reinterpret_cast<::DWORD*>(freeClusters),
                               reinterpret_cast<::DWORD*>(totalClusters));
}

// GetDiskFreeSpaceExA is missing from the first Windows 95: callers look it up at run time,
// so it never appears among the program's imports.
BOOL CallGetDiskFreeSpaceExA(FARPROC function, const char* directory,
                             ULONGLONG* freeBytesAvailable, ULONGLONG* totalBytes,
                             ULONGLONG* totalFreeBytes) {
    typedef ::BOOL(WINAPI * GetDiskFreeSpaceExProc)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER,
                                                    PULARGE_INTEGER);
    GetDiskFreeSpaceExProc call = reinterpret_cast<GetDiskFreeSpaceExProc>(function);
    return call(directory, reinterpret_cast<PULARGE_INTEGER>(freeBytesAvailable),
                reinterpret_cast<PULARGE_INTEGER>(totalBytes),
                reinterpret_cast<PULARGE_INTEGER>(totalFreeBytes));
}

FILE* fopen(const char* path, const char* mode) {
    // Binary modes only: "rb" reads, "r+b" (or "rb+") reads and writes an existing file.
    DWORD access;
    if (lstrcmpA(mode, "rb") == 0)
        access = GENERIC_READ;
    else if (lstrcmpA(mode, "r+b") == 0 || lstrcmpA(mode, "rb+") == 0)
        access = GENERIC_READ | GENERIC_WRITE;
    else
        return nullptr;
    // Shared as the C runtime shares its files: other openers may read and write.
    ::HANDLE handle = ::CreateFileA(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    FILE* file = new FILE;
    file->handle = handle;
    return file;
}

int fclose(FILE* file) {
    BOOL closed = ::CloseHandle(file->handle);
    delete file;
    return closed ? 0 : -1;
}

int fread(void* buffer, int count, FILE* file) {
    ::DWORD read = 0;
    if (count <= 0 || !::ReadFile(file->handle, buffer, static_cast<DWORD>(count), &read, nullptr))
        return 0;
    return static_cast<int>(read);
}

int fwrite(const void* buffer, int count, FILE* file) {
    ::DWORD written = 0;
    if (count <= 0 ||
        !::WriteFile(file->handle, buffer, static_cast<DWORD>(count), &written, nullptr))
        return 0;
    return static_cast<int>(written);
}

int fseek(FILE* file, long offset, int origin) {
    // The origins have the same values as FILE_BEGIN, FILE_CURRENT and FILE_END.
    ::SetLastError(NO_ERROR);
    DWORD position = ::SetFilePointer(file->handle, offset, nullptr, static_cast<DWORD>(origin));
    return position == INVALID_SET_FILE_POINTER && ::GetLastError() != NO_ERROR ? -1 : 0;
}

long ftell(FILE* file) {
    ::SetLastError(NO_ERROR);
    DWORD position = ::SetFilePointer(file->handle, 0, nullptr, FILE_CURRENT);
    return position == INVALID_SET_FILE_POINTER && ::GetLastError() != NO_ERROR
               ? -1L
               : static_cast<long>(position);
}

// Nothing is buffered in the process: written bytes are already with Windows.
int fflush(FILE*) { return 0; }

} // namespace os
