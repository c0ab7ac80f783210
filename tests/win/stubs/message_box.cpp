// MessageBoxW for every Windows test: recorded and answered with g_answer,
// or, with g_realMessageBox, the system's own box, whose modal loop a test
// drives.
#include <windows.h>

#include "tests/win/fakes.h"
#include "harness/system_stand_in.h"

namespace {

int WINAPI AnswerMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT flags)
{
    using namespace fakes;
    if (g_realMessageBox) {
        auto const real = reinterpret_cast<decltype(&MessageBoxW)>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "MessageBoxW")));
        return real(owner, text, caption, flags);
    }
    g_shown.push_back(Shown{text, caption, flags});
    if (g_whileShown)
        g_whileShown();
    return g_answer;
}

}  // namespace

STAND_IN(MessageBoxW, 16, AnswerMessageBox);
