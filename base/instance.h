// The program's module: where its resources are loaded from.
#pragma once

#include <windows.h>

// Set once at start-up, before anything loads a resource.
extern HINSTANCE g_instance;
