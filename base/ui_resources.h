// The language the user interface speaks now, and its texts, dialogs and
// menus taken from the resources of that language only. Every text of the
// program is looked up here; LoadStringW, DialogBoxParamW and LoadMenuW
// would pick the language by the system's rules instead, and Wine ignores
// SetThreadUILanguage.
#pragma once

#include <windows.h>

#include "base/ui_language_rule.h"

// Takes the Language setting; as Windows is read from the user's display
// language now. Applies to every text, dialog and menu loaded after it.
void SetUiLanguage(LanguageChoice choice);
UiLanguage CurrentUiLanguage();

// LoadStringW's contract (the length copied, the text cut to fit and
// terminated) for the string of the current language; 0 and "" when it
// has none.
int LoadUiString(UINT id, WCHAR* buffer, int capacity);

// The dialog template of the current language, or null.
LPCDLGTEMPLATEW FindUiDialog(HINSTANCE instance, LPCWSTR name);

// DialogBoxParamW on the template of the current language (-1 when there is
// none), in DialogBoxParamW's shape so that a seam can point at either.
INT_PTR WINAPI UiDialogBox(HINSTANCE instance, LPCWSTR name, HWND owner, DLGPROC procedure, LPARAM param);

// The menu of the current language, or null; the caller destroys it.
HMENU LoadUiMenu(UINT id);
