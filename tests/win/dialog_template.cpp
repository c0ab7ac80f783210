#include "tests/win/dialog_template.h"

namespace {

// A name-or-ordinal field. Ordinal classes become the predefined classes'
// names; other ordinals read "#n".
std::wstring ReadNameOrOrdinal(WORD const*& p, bool isClass = false)
{
    static wchar_t const* const classes[] = {L"Button", L"Edit", L"Static", L"ListBox", L"ScrollBar", L"ComboBox"};
    if (*p == 0xFFFF) {
        WORD const ordinal = p[1];
        p += 2;
        if (isClass && ordinal >= 0x80 && ordinal <= 0x85)
            return classes[ordinal - 0x80];
        return L"#" + std::to_wstring(ordinal);
    }
    std::wstring text(reinterpret_cast<wchar_t const*>(p));
    p += text.size() + 1;
    return text;
}

WORD const* AlignToDword(WORD const* p, void const* base)
{
    UINT_PTR const offset = reinterpret_cast<BYTE const*>(p) - static_cast<BYTE const*>(base);
    return reinterpret_cast<WORD const*>(static_cast<BYTE const*>(base) + ((offset + 3) & ~UINT_PTR(3)));
}

}  // namespace

bool LoadDialogTemplate(int id, DialogTemplate* out)
{
    HRSRC found = FindResourceExW(nullptr, RT_DIALOG, MAKEINTRESOURCEW(id),
                                  MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
    if (found == nullptr)
        return false;
    void const* base = LockResource(LoadResource(nullptr, found));
    WORD const* p = static_cast<WORD const*>(base);
    if (p[0] != 1 || p[1] != 0xFFFF)  // DLGTEMPLATEEX only
        return false;
    DWORD const* d = reinterpret_cast<DWORD const*>(p + 2);
    out->exStyle = d[1];
    out->style = d[2];
    p = reinterpret_cast<WORD const*>(d + 3);
    WORD const count = *p++;
    out->x = static_cast<short>(*p++);
    out->y = static_cast<short>(*p++);
    out->cx = static_cast<short>(*p++);
    out->cy = static_cast<short>(*p++);
    out->menu = ReadNameOrOrdinal(p);
    out->windowClass = ReadNameOrOrdinal(p);
    out->caption = ReadNameOrOrdinal(p);
    out->pointSize = *p++;
    out->weight = *p++;
    ++p;  // italic, charset
    out->face = ReadNameOrOrdinal(p);
    for (WORD i = 0; i < count; ++i) {
        p = AlignToDword(p, base);
        d = reinterpret_cast<DWORD const*>(p);
        TemplateItem item;
        item.exStyle = d[1];
        item.style = d[2];
        short const* s = reinterpret_cast<short const*>(d + 3);
        item.x = s[0];
        item.y = s[1];
        item.cx = s[2];
        item.cy = s[3];
        item.id = *reinterpret_cast<DWORD const*>(s + 4);
        p = reinterpret_cast<WORD const*>(s + 6);
        item.className = ReadNameOrOrdinal(p, true);
        item.text = ReadNameOrOrdinal(p);
        p += 1 + *p / sizeof(WORD);  // creation data
        out->items.push_back(item);
    }
    return true;
}
