#include "cbt/named_section.h"

NamedSection OpenNamedSection(wchar_t const* name, uint32_t size, bool create)
{
    NamedSection section{nullptr, nullptr};
    HANDLE mapping = create ? CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, name)
                            : OpenFileMappingW(FILE_MAP_READ, FALSE, name);
    if (mapping == nullptr || mapping == INVALID_HANDLE_VALUE)
        return section;
    DWORD const access = create ? FILE_MAP_READ | FILE_MAP_WRITE : FILE_MAP_READ;
    section.view = MapViewOfFile(mapping, access, 0, 0, size);
    if (section.view != nullptr && create)
        section.mapping = mapping;
    else
        CloseHandle(mapping);
    return section;
}

void CloseNamedSection(NamedSection* section)
{
    if (section->view != nullptr)
        UnmapViewOfFile(section->view);
    if (section->mapping != nullptr)
        CloseHandle(section->mapping);
    section->view = nullptr;
    section->mapping = nullptr;
}
