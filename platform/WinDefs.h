// The Windows constants that the program uses, with their Windows values, in namespace os.
//
// Program code includes this header; the Win32 backend does not (it has the same names as
// macros from <windows.h>, with the same values, and passes the program's values through).
#pragma once

#include "platform/WinTypes.h"

namespace os {

// Path limit of the Windows API: a full path has at most MAX_PATH - 1 characters.
const unsigned MAX_PATH = 260;

const BOOL FALSE = 0;
const BOOL TRUE = 1;

// Error codes.
const LONG ERROR_SUCCESS = 0;
const LONG ERROR_FILE_NOT_FOUND = 2;
const LONG ERROR_PATH_NOT_FOUND = 3;
const LONG ERROR_ACCESS_DENIED = 5;
const LONG ERROR_INVALID_HANDLE = 6;
const LONG ERROR_NOT_ENOUGH_MEMORY = 8;
const LONG ERROR_WRITE_PROTECT = 19;
const LONG ERROR_GEN_FAILURE = 31;
const LONG ERROR_HANDLE_DISK_FULL = 39;
const LONG ERROR_FILE_EXISTS = 80;
const LONG ERROR_INVALID_PARAMETER = 87;
const LONG ERROR_DISK_FULL = 112;
const LONG ERROR_ALREADY_EXISTS = 183;
const LONG ERROR_MORE_DATA = 234;
const LONG ERROR_NO_MORE_ITEMS = 259;
const LONG ERROR_NO_MORE_FILES = 18;

// Registry.
const HKEY HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000000u));
const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000001u));
const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000002u));
const HKEY HKEY_USERS = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000003u));
const REGSAM KEY_QUERY_VALUE = 0x0001;
const REGSAM KEY_SET_VALUE = 0x0002;
const REGSAM KEY_CREATE_SUB_KEY = 0x0004;
const REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
const REGSAM KEY_NOTIFY = 0x0010;
const REGSAM KEY_READ = 0x20019;
const REGSAM KEY_WRITE = 0x20006;
const REGSAM KEY_ALL_ACCESS = 0xF003F;
const DWORD REG_NONE = 0;
const DWORD REG_SZ = 1;
const DWORD REG_EXPAND_SZ = 2;
const DWORD REG_BINARY = 3;
const DWORD REG_DWORD = 4;
const DWORD REG_MULTI_SZ = 7;

// Files.
const DWORD FILE_ATTRIBUTE_READONLY = 0x01;
const DWORD FILE_ATTRIBUTE_HIDDEN = 0x02;
const DWORD FILE_ATTRIBUTE_SYSTEM = 0x04;
const DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
const DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
const DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
const DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;
const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));
const int FILE_BEGIN = 0; // fseek origins, same values as the C runtime's SEEK_SET etc.
const int FILE_CURRENT = 1;
const int FILE_END = 2;

// Version information.
const DWORD VER_PLATFORM_WIN32s = 0;
const DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
const DWORD VER_PLATFORM_WIN32_NT = 2;

// Processes.
const DWORD STILL_ACTIVE = 259;
const DWORD WAIT_OBJECT_0 = 0;
const DWORD WAIT_TIMEOUT = 258;
const DWORD WAIT_FAILED = 0xFFFFFFFFu;
const DWORD STARTF_USESHOWWINDOW = 0x0001;
const UINT EWX_REBOOT = 0x0002;

// Windows, dialogs and messages.
const UINT WM_PAINT = 0x000F;
const UINT WM_CLOSE = 0x0010;
const UINT WM_ICONERASEBKGND = 0x0027;
const UINT WM_QUERYDRAGICON = 0x0037;
const UINT WM_SETICON = 0x0080;
const UINT WM_INITDIALOG = 0x0110;
const UINT WM_COMMAND = 0x0111;
const UINT WM_SYSCOMMAND = 0x0112;
const UINT BM_GETCHECK = 0x00F0;
const UINT BM_SETCHECK = 0x00F1;
const UINT BN_CLICKED = 0;
const WPARAM BST_UNCHECKED = 0;
const WPARAM BST_CHECKED = 1;
const WPARAM ICON_SMALL = 0;
const WPARAM ICON_BIG = 1;
const int IDOK = 1;
const int IDCANCEL = 2;
const int IDABORT = 3;
const int IDRETRY = 4;
const int IDIGNORE = 5;
const int IDYES = 6;
const int IDNO = 7;
const int SW_HIDE = 0;
const int SW_SHOW = 5;
const UINT MF_STRING = 0x0000;
const UINT MF_SEPARATOR = 0x0800;
const UINT SC_CLOSE = 0xF060;
const int SM_CXICON = 11;
const int SM_CYICON = 12;
const int IDC_ARROW = 32512;
const int IDC_WAIT = 32514;

// Message boxes.
const UINT MB_OK = 0x0000;
const UINT MB_OKCANCEL = 0x0001;
const UINT MB_YESNO = 0x0004;
const UINT MB_ICONERROR = 0x0010;
const UINT MB_ICONQUESTION = 0x0020;
const UINT MB_ICONWARNING = 0x0030;
const UINT MB_ICONINFORMATION = 0x0040;

} // namespace os
