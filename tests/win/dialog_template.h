// A dialog template of the program's resources, read as the dialog manager
// reads it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct TemplateItem {
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
    DWORD id;
    std::wstring className;  // the predefined classes by name ("Button", "Static", ...)
    std::wstring text;       // "#n" for an ordinal (an icon's resource number)
};

struct DialogTemplate {
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
    std::wstring menu;
    std::wstring windowClass;
    std::wstring caption;
    WORD pointSize;
    WORD weight;
    std::wstring face;
    std::vector<TemplateItem> items;
};

// Reads template id of language 2052; false when it is missing or not a
// DLGTEMPLATEEX.
bool LoadDialogTemplate(int id, DialogTemplate* out);
