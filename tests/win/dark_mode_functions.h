// The calls the stand-in for the system's dark-mode functions recorded, in
// order: "135(mode)", "136", "dwm ATTRIBUTE VALUE".
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace dark_fakes {
extern std::vector<std::string> g_calls;
}
