#include "shutdown/message_box.h"

#include "base/ui_resources.h"

int ShowMessage(HWND owner, UINT textId, UINT captionId, UINT flags)
{
    WCHAR text[128] = L"";
    WCHAR caption[64] = L"";
    LoadUiString(textId, text, ARRAYSIZE(text));
    LoadUiString(captionId, caption, ARRAYSIZE(caption));
    return MessageBoxW(owner, text, caption, flags);
}
