// A whole program's stand-in for one system call, chosen at link time. The
// program calls the system through the import pointer of each function
// (__imp_Name; on x86 __imp__Name@ArgumentBytes, the stdcall decoration);
// defining that pointer here keeps the import library's entry out of the
// link, so every call in the program, the product's code included, reaches
// the stand-in. MinGW's GCC names the pointer with an assembler label.
#pragma once

#if defined(_WIN64)
#define SYSTEM_IMPORT_NAME(name, argumentBytes) "__imp_" #name
#else
#define SYSTEM_IMPORT_NAME(name, argumentBytes) "__imp__" #name "@" #argumentBytes
#endif

// STAND_IN(ExitWindowsEx, 8, MyExitWindowsEx); at namespace scope.
#define STAND_IN(name, argumentBytes, standIn)                                                       \
    extern "C" decltype(&name) const standInFor##name asm(SYSTEM_IMPORT_NAME(name, argumentBytes)); \
    decltype(&name) const standInFor##name = standIn
