// A named section of shared memory, as the program publishes the record and
// the library reads it. Creating it (the program) keeps its handle open for
// the view's life; opening it (the library) closes the handle at once, the
// view keeping the section alive.
#pragma once

#include <windows.h>

#include <cstdint>

struct NamedSection {
    HANDLE mapping;  // null once the view no longer needs it
    void* view;      // null when the section could not be opened or mapped
};

// create: makes the section (or opens an existing one of that name) for
// reading and writing; otherwise only opens an existing one.
NamedSection OpenNamedSection(wchar_t const* name, uint32_t size, bool create);

// Unmaps the view and closes the handle; the section ends with its last user.
void CloseNamedSection(NamedSection* section);
