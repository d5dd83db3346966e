#pragma once
// What tests use to stand in for the platform's clock, player, files, sound
// card and graphics device. The game itself never sets a hook: each is defined
// beside the code that reads it, and left at its default it changes nothing.
// Each layer declares its own hooks and reset in its own test_hooks.h.
#include <cstddef>
#include <cstdint>

// Clock (platform/time.cpp): while set, timeGetTime and GetTickCount return
// what the function returns. TestClock is the tests' own clock: it stands
// still until they set or advance it.
using ClockSource = uint32_t (*)();
void SetClockSource(ClockSource source);
uint32_t TestClock();
void SetTestClock(uint32_t now);
void AdvanceTestClock(uint32_t milliseconds);

// Player (each backend's window): an active TestMouse replaces the real cursor
// and buttons; the Inject functions push a key, a character or the window's
// close through the message queue as if typed.
struct InjectedMouse {
  bool active = false;
  float x = 0, y = 0;
  bool left = false, right = false;
  bool elsewhere = false;  // over another window, or the game's is not the active one
};
extern InjectedMouse TestMouse;
// Presses or releases an injected button; a press is remembered until it has
// been read, as a real one is.
void InjectButton(int virtualKey, bool down);
void InjectKeyDown(int virtualKey);
void InjectKeyUp(int virtualKey);
void InjectChar(unsigned char code);
void InjectClose();

// File writes (platform/files.cpp): when set, called before each step of
// WriteFileAtomically with the step's number (0 open, 1 write, 2 flush,
// 3 close, 4 rename); false makes that step fail as a full disk would.
using WriteFaultHook = bool (*)(int step);
void SetWriteFaultHook(WriteFaultHook hook);

// Sound (platform/openal, platform/win32): which device DirectSoundCreate opens. Unavailable
// fails as on a machine without sound; Loopback mixes into memory when
// RenderLoopback (platform/dsound/dsound.h) asks, with 1 or 2 channels.
enum class SoundDeviceChoice { Default, Unavailable, Loopback };
void ChooseSoundDeviceForTests(SoundDeviceChoice choice, int loopbackChannels = 1);

// Direct3D (platform/d3d9): the OpenGL backend reports shader version 1, so
// the game takes the fixed-function path. LoseDeviceForTests makes the next
// Present of the recording or the Windows device report D3DERR_DEVICELOST, as
// switching away from full screen does; TestCooperativeLevel then reports
// D3DERR_DEVICENOTRESET until a Reset. The OpenGL device is lost only with
// the browser's WebGL context, never through this hook.
namespace d3d9 {
void ForceFixedFunctionCaps(bool force);
bool FixedFunctionCapsForced();
void LoseDeviceForTests();
// For the backends: true once for each loss asked for.
bool TakeDeviceLossForTests();
// How many draw states the OpenGL devices of this process have drawn with
// for the first time (a software rasterizer compiles code for each).
size_t DrawStatesMetForTests();
// How many vertex array objects the OpenGL devices of this process hold.
size_t VertexArraysForTests();
}  // namespace d3d9
