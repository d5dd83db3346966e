#pragma once
// The core's hooks for tests (platform/test_hooks.h tells how hooks work).

// Fatal device errors (core/graphics_device.cpp): how GraphicsDeviceExit ends
// the process; CreateGraphicsDevice returns when a replacement does. Gives
// back the one it replaces.
using DeviceExit = void (*)(int code);
DeviceExit SetGraphicsDeviceExit(DeviceExit exit);

// Mouse over an 800 x 600 client area with no button pressed, no keys, the
// options of an 800 x 600 window and no settings file, no quit hooks.
void ResetCoreForTests();
