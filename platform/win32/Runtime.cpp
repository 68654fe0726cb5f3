// The program's own small C and C++ runtime: Setup.exe links no C runtime library.
//
// Windows 95 ships no msvcrt.dll, and the prebuilt runtime code of the compiler is built for
// the Pentium Pro (it uses CMOV, which a Pentium lacks). What the compiled program needs
// of a runtime is small: an entry point that builds the static objects, calls AppMain and
// ends the process; atexit and exit for the static objects' destructors; operator new and
// delete over the process heap; and the few memory functions that the compiler emits calls
// to for copies and fills. GCC turns byte loops into calls of these very functions, so
// this file is compiled with that transformation off.
#include <windows.h>

#include <new>

#include "platform/win32/Runtime.h"

#if __has_include("platform/framework/AppMain.h")
#include "platform/framework/AppMain.h"
#define HAVE_APP_MAIN 1
#endif

// The linker collects the constructors and destructors of static objects (.ctors, .dtors)
// between these markers: the first entry is -1 (or the count), the list ends with 0.
typedef void (*StaticFunction)();
extern "C" StaticFunction __CTOR_LIST__[];

namespace {

// Exit handlers registered with atexit, run newest first. The compiler registers one for
// each static object with a destructor; more than this fixed table holds go to the heap.
const int InitialExitHandlers = 32;
StaticFunction g_initialHandlers[InitialExitHandlers];
StaticFunction* g_exitHandlers = g_initialHandlers;
int g_exitHandlerCount = 0;
int g_exitHandlerCapacity = InitialExitHandlers;

void ConstructStaticObjects() {
    // GCC's order: from the last entry of the list to the first.
    int count = 0;
    while (__CTOR_LIST__[count + 1])
        ++count;
    for (int i = count; i >= 1; --i)
        __CTOR_LIST__[i]();
}

void RunExitHandlers() {
    while (g_exitHandlerCount > 0)
        g_exitHandlers[--g_exitHandlerCount]();
}

} // namespace

namespace win32 {

void ExitProgram(int code) {
    RunExitHandlers();
    ::ExitProcess(static_cast<UINT>(code));
}

} // namespace win32

extern "C" {

int atexit(void (*handler)()) {
    if (g_exitHandlerCount == g_exitHandlerCapacity) {
        int capacity = g_exitHandlerCapacity * 2;
        void* grown = ::HeapAlloc(::GetProcessHeap(), 0, sizeof(StaticFunction) * capacity);
        if (!grown)
            return -1;
        StaticFunction* handlers = static_cast<StaticFunction*>(grown);
        for (int i = 0; i < g_exitHandlerCount; ++i)
            handlers[i] = g_exitHandlers[i];
        g_exitHandlers = handlers;
        g_exitHandlerCapacity = capacity;
    }
    g_exitHandlers[g_exitHandlerCount++] = handler;
    return 0;
}

void exit(int code) { win32::ExitProgram(code); }

// Called by the compiler for a pure virtual function called during construction or
// destruction: a program error, ended at once.
void __cxa_pure_virtual() { ::ExitProcess(static_cast<UINT>(-1)); }

void* memcpy(void* destination, const void* source, size_t count) {
    char* to = static_cast<char*>(destination);
    const char* from = static_cast<const char*>(source);
    while (count--)
        *to++ = *from++;
    return destination;
}

void* memmove(void* destination, const void* source, size_t count) {
    char* to = static_cast<char*>(destination);
    const char* from = static_cast<const char*>(source);
    if (to < from) {
        while (count--)
            *to++ = *from++;
    } else {
        to += count;
        from += count;
        while (count--)
            *--to = *--from;
    }
    return destination;
}

void* memset(void* destination, int value, size_t count) {
    unsigned char* to = static_cast<unsigned char*>(destination);
    while (count--)
        *to++ = static_cast<unsigned char>(value);
    return destination;
}

int memcmp(const void* left, const void* right, size_t count) {
    const unsigned char* a = static_cast<const unsigned char*>(left);
    const unsigned char* b = static_cast<const unsigned char*>(right);
    for (; count; --count, ++a, ++b)
        if (*a != *b)
            return *a < *b ? -1 : 1;
    return 0;
}

size_t strlen(const char* text) {
    const char* end = text;
    while (*end)
        ++end;
    return static_cast<size_t>(end - text);
}

// The entry point of Setup.exe. The process's command line stays with Windows
// (GetCommandLineA); the application object reads it from there.
void SetupStartup() {
    ConstructStaticObjects();
#ifdef HAVE_APP_MAIN
    win32::ExitProgram(AppMain());
#else
    win32::ExitProgram(0);
#endif
}

} // extern "C"

// The heap: the process heap of Windows. A failed allocation ends the process, as a thrown
// std::bad_alloc would with exceptions off.
namespace {
void* Allocate(size_t size) {
    void* block = ::HeapAlloc(::GetProcessHeap(), 0, size ? size : 1);
    if (!block)
        ::ExitProcess(ERROR_NOT_ENOUGH_MEMORY);
    return block;
}
void Release(void* block) {
    if (block)
        ::HeapFree(::GetProcessHeap(), 0, block);
}
} // namespace

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    return ::HeapAlloc(::GetProcessHeap(), 0, size ? size : 1);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    return ::HeapAlloc(::GetProcessHeap(), 0, size ? size : 1);
}
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, size_t) noexcept { Release(block); }
void operator delete[](void* block, size_t) noexcept { Release(block); }
