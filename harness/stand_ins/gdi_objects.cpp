// Stands in for the GDI calls that make and delete fonts, brushes, regions
// and memory DCs, where Windows would count them per process and Wine 8
// does not (GetGuiResources answers 0): each goes on to the real call and
// counts what it made until it is deleted.
#include "harness/stand_ins/gdi_objects.h"

#include <set>

#include "harness/system_stand_in.h"

LONG g_barFontsAlive;
LONG g_paintObjectsAlive;

namespace {

std::set<HGDIOBJ>& Fonts()
{
    static std::set<HGDIOBJ> fonts;
    return fonts;
}

std::set<HGDIOBJ>& PaintObjects()
{
    static std::set<HGDIOBJ> objects;
    return objects;
}

template <typename Function>
Function Real(char const* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"gdi32.dll"), name)));
}

template <typename Handle>
Handle Made(Handle made, std::set<HGDIOBJ>& kind, LONG& alive)
{
    if (made != nullptr && kind.insert(made).second)
        ++alive;
    return made;
}

BOOL Deleted(BOOL deleted, HGDIOBJ object)
{
    if (deleted && Fonts().erase(object) != 0)
        --g_barFontsAlive;
    if (deleted && PaintObjects().erase(object) != 0)
        --g_paintObjectsAlive;
    return deleted;
}

HFONT WINAPI MakeFont(LOGFONTW const* font)
{
    static auto const real = Real<decltype(&CreateFontIndirectW)>("CreateFontIndirectW");
    return Made(real(font), Fonts(), g_barFontsAlive);
}

HBRUSH WINAPI MakeBrush(COLORREF colour)
{
    static auto const real = Real<decltype(&CreateSolidBrush)>("CreateSolidBrush");
    return Made(real(colour), PaintObjects(), g_paintObjectsAlive);
}

HRGN WINAPI MakeRegion(int left, int top, int right, int bottom)
{
    static auto const real = Real<decltype(&CreateRectRgn)>("CreateRectRgn");
    return Made(real(left, top, right, bottom), PaintObjects(), g_paintObjectsAlive);
}

HDC WINAPI MakeMemoryDc(HDC dc)
{
    static auto const real = Real<decltype(&CreateCompatibleDC)>("CreateCompatibleDC");
    HDC const made = real(dc);
    return dc == nullptr ? made : Made(made, PaintObjects(), g_paintObjectsAlive);
}

BOOL WINAPI DeleteGdiObject(HGDIOBJ object)
{
    static auto const real = Real<decltype(&DeleteObject)>("DeleteObject");
    return Deleted(real(object), object);
}

BOOL WINAPI DeleteMemoryDc(HDC dc)
{
    static auto const real = Real<decltype(&DeleteDC)>("DeleteDC");
    return Deleted(real(dc), dc);
}

}  // namespace

void ForgetPaintObjects()
{
    PaintObjects().clear();
    g_paintObjectsAlive = 0;
}

STAND_IN(CreateFontIndirectW, 4, MakeFont);
STAND_IN(CreateSolidBrush, 4, MakeBrush);
STAND_IN(CreateRectRgn, 16, MakeRegion);
STAND_IN(CreateCompatibleDC, 4, MakeMemoryDc);
STAND_IN(DeleteObject, 4, DeleteGdiObject);
STAND_IN(DeleteDC, 4, DeleteMemoryDc);
