#pragma once
// A lost Direct3D device (full screen switched away from, a locked screen, a
// display change) draws nothing until it is reset, and the reset takes what
// lives in D3DPOOL_DEFAULT and every state with it. Shared by every backend.
#include <cstdint>

// Whether the device can draw this frame; resets it once the system allows
// and makes again what the reset threw away. A failed reset is tried again
// at the next call.
bool DeviceReadyToDraw();

// How long the frame loop waits before asking again about a lost device.
constexpr uint32_t LostDeviceWaitMilliseconds = 50;
