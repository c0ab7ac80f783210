#include "app/state.h"

HINSTANCE g_instance;
WCHAR g_windowTitle[100];
WCHAR g_windowClass[100];
int g_captionHeight;
BarGeometry g_geometry;
FrameOutline g_outline;
SettingsBlock g_settings;
HWND g_barWindow;
HICON g_trayIcon;
WCHAR g_trayTip[128];
ShutdownState g_shutdownState = SHUTDOWN_IDLE;
LONG g_confirmCountdown;
HWND g_autoShutdownDialog;
HWND g_confirmDialog;
