// The Windows types that the platform layer's interface is written in.
//
// They mirror the Windows names and layouts but live in namespace os, so that the Win32
// backend can include <windows.h> beside this header without a clash; only the backend
// converts between the two. Strings that Windows hands back in caller-sized buffers are
// CString here, so no caller ever chooses a buffer size.
#pragma once

#include <stdint.h>

#include "platform/String.h"

namespace os {

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t UINT;
typedef uintptr_t UINT_PTR;
typedef intptr_t INT_PTR;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef DWORD REGSAM;
typedef unsigned long long ULONGLONG;

struct HWND__;
typedef HWND__* HWND;
struct HKEY__;
typedef HKEY__* HKEY;
struct HICON__;
typedef HICON__* HICON;
struct HMENU__;
typedef HMENU__* HMENU;
struct HCURSOR__;
typedef HCURSOR__* HCURSOR;
struct HINSTANCE__;
typedef HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;
struct HDC__;
typedef HDC__* HDC;
typedef void* HANDLE;
typedef void (*FARPROC)();

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

// Same layout as the Windows structure: the backend hands it to BeginPaint as it is.
struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
};

// Same layout as the Windows structure; its full size is 148 bytes.
struct OSVERSIONINFOA {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    char szCSDVersion[128];
};

struct PROCESS_INFORMATION {
    HANDLE hProcess;
    HANDLE hThread;
    DWORD dwProcessId;
    DWORD dwThreadId;
};

// One entry of a FindFirstFileA/FindNextFileA search. Times are Windows file times
// (100-ns units since 1 January 1601, UTC).
struct WIN32_FIND_DATAA {
    DWORD dwFileAttributes;
    ULONGLONG ftCreationTime;
    ULONGLONG ftLastWriteTime;
    ULONGLONG nFileSize;
    CString cFileName; // the long name, whole
};

// One entry of a _findfirst/_findnext search, as the C runtime reports it. Times are
// seconds since 1 January 1970, UTC; -1 where the file system keeps no such time.
struct _finddata_t {
    unsigned attrib;
    long long time_create;
    long long time_access;
    long long time_write;
    ULONGLONG size;
    CString name;
};

// The calendar record of the C runtime's gmtime (years from 1900, months from 0).
struct tm {
    int tm_sec;
    int tm_min;
    int tm_hour;
    int tm_mday;
    int tm_mon;
    int tm_year;
    int tm_wday;
    int tm_yday;
    int tm_isdst;
};

// An open file of fopen; opaque, each backend defines it.
struct FILE;

// A dialog procedure as the program writes it; the backends adapt the calling convention.
typedef INT_PTR (*DLGPROC)(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace os
