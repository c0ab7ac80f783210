#include "shutdown/message_box.h"

#include "base/instance.h"

int ShowMessage(HWND owner, UINT textId, UINT captionId, UINT flags)
{
    WCHAR text[128] = L"";
    WCHAR caption[64] = L"";
    LoadStringW(g_instance, textId, text, ARRAYSIZE(text));
    LoadStringW(g_instance, captionId, caption, ARRAYSIZE(caption));
    return MessageBoxW(owner, text, caption, flags);
}
