#include "base/instance.h"

HINSTANCE g_instance;
