#include <windows.h>

// Declared in system_window.h, which cannot be included beside <windows.h>.
short SystemAsyncKeyState(int virtualKey) { return GetAsyncKeyState(virtualKey); }
