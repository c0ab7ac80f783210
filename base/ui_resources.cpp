#include "base/ui_resources.h"

#include <commctrl.h>

#include "base/instance.h"
#include "base/system_library.h"

namespace {

UiLanguage g_language = UiLanguage::English;
bool g_languageChosen;

WORD LanguageId()
{
    return ResourceLanguageId(CurrentUiLanguage());
}

void const* FindInLanguage(HINSTANCE instance, LPCWSTR type, LPCWSTR name)
{
    HRSRC found = FindResourceExW(instance, type, name, LanguageId());
    if (found == nullptr)
        return nullptr;
    HGLOBAL loaded = LoadResource(instance, found);
    return loaded != nullptr ? LockResource(loaded) : nullptr;
}

}  // namespace

void SetUiLanguage(LanguageChoice choice)
{
    g_language = ChooseUiLanguage(choice, GetUserDefaultUILanguage());
    g_languageChosen = true;
}

UiLanguage CurrentUiLanguage()
{
    if (!g_languageChosen)
        SetUiLanguage(LanguageChoice::AsWindows);
    return g_language;
}

int LoadUiString(UINT id, WCHAR* buffer, int capacity)
{
    if (buffer == nullptr || capacity <= 0)
        return 0;
    buffer[0] = L'\0';
    // Strings are kept sixteen to a block, each counted, none terminated.
    WCHAR const* p = static_cast<WCHAR const*>(
        FindInLanguage(g_instance, RT_STRING, MAKEINTRESOURCEW((id >> 4) + 1)));
    if (p == nullptr)
        return 0;
    for (UINT i = 0; i < (id & 15); ++i)
        p += 1 + *p;
    int const length = *p < capacity ? *p : capacity - 1;
    CopyMemory(buffer, p + 1, length * sizeof(WCHAR));
    buffer[length] = L'\0';
    return length;
}

namespace {

// The common controls the dialogs hold (up-downs, the opacity trackbar, the
// date and time pickers), registered before the first dialog: only the
// dialogs need them, so the program starts without comctl32 and its classes.
void LoadCommonControls()
{
    static bool loaded;
    if (loaded)
        return;
    typedef BOOL(WINAPI * InitFunction)(INITCOMMONCONTROLSEX const*);
    InitFunction const init = reinterpret_cast<InitFunction>(
        reinterpret_cast<void*>(SystemLibraryFunction(L"comctl32.dll", "InitCommonControlsEx")));
    INITCOMMONCONTROLSEX const controls{sizeof controls, ICC_UPDOWN_CLASS | ICC_DATE_CLASSES | ICC_BAR_CLASSES};
    loaded = init != nullptr && init(&controls);
}

}  // namespace

LPCDLGTEMPLATEW FindUiDialog(HINSTANCE instance, LPCWSTR name)
{
    return static_cast<LPCDLGTEMPLATEW>(FindInLanguage(instance, RT_DIALOG, name));
}

INT_PTR WINAPI UiDialogBox(HINSTANCE instance, LPCWSTR name, HWND owner, DLGPROC procedure, LPARAM param)
{
    LPCDLGTEMPLATEW dialog = FindUiDialog(instance, name);
    if (dialog == nullptr)
        return -1;
    LoadCommonControls();
    return DialogBoxIndirectParamW(instance, dialog, owner, procedure, param);
}

HMENU LoadUiMenu(UINT id)
{
    void const* menu = FindInLanguage(g_instance, RT_MENU, MAKEINTRESOURCEW(id));
    return menu != nullptr ? LoadMenuIndirectW(menu) : nullptr;
}
