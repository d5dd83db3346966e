#pragma once
// The mouse, polled once at the start of every frame, and the pointer in
// interface units (2.0 across, 1.5 down).
#include "d3dutil/math.h"

enum ButtonState : int32_t { ButtonCleared = 0, ButtonUp = 1, ButtonHeld = 2 };

struct MouseState {
  float clientWidth = 0, clientHeight = 0;
  float mouseX = 0, mouseY = 0;
  int32_t leftPrevious = ButtonCleared, leftCurrent = ButtonCleared;
  int32_t rightPrevious = ButtonCleared, rightCurrent = ButtonCleared;
  // The press under way began, or went on, outside the game's active window.
  bool leftIgnored = false, rightIgnored = false;
};

extern MouseState Mouse;

void PollMouse();
float PointerX();
float PointerY();
bool LeftClicked();
bool RightClicked();
// Consumes the pointer: later readers in this frame see no click at (0, 0).
void ClearPointer();
// Unit direction from the current camera's eye through an interface point.
D3DXVECTOR3 MouseRay(float px, float py);
