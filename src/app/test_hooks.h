#pragma once
// The frame loop's hook for tests (platform/test_hooks.h tells how hooks work).

// Called on the render thread after every frame (app/engine.cpp).
using FrameObserver = void (*)();
void SetAfterFrameHook(FrameObserver hook);
